#pragma once

#include <QLocale>
#include <QStringList>

class QCoreApplication;

namespace Translations {

// Installs the program's translation and Qt's own (for the standard dialogs) for a locale, as the
// program does at start for the system locale. Answers the catalogs it found ("pellory2",
// "qtbase"); a locale without them keeps the English texts.
QStringList install(QCoreApplication &app, const QLocale &locale);

} // namespace Translations
