#include "app/translations.h"

#include "app/keys.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

bool installCatalog(QCoreApplication &app, const QLocale &locale, const QString &catalog,
                    const QString &folder)
{
    auto *translator = new QTranslator(&app);
    if (!translator->load(locale, catalog, TranslationCatalog::Separator, folder)) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

} // namespace

namespace Translations {

QStringList install(QCoreApplication &app, const QLocale &locale)
{
    QStringList installed;
    if (installCatalog(app, locale, TranslationCatalog::Own, TranslationCatalog::OwnFolder))
        installed.append(TranslationCatalog::Own);
    if (installCatalog(app, locale, TranslationCatalog::Qt,
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installed.append(TranslationCatalog::Qt);
    return installed;
}

} // namespace Translations
