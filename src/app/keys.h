#pragma once

#include <QString>

// Translation catalogs: the program's (compiled into the resources) and Qt's own.
namespace TranslationCatalog {
inline const QString Own = QStringLiteral("pellory2");
inline const QString Qt = QStringLiteral("qtbase");
inline const QString OwnFolder = QStringLiteral(":/i18n");
inline const QString Separator = QStringLiteral("_");
} // namespace TranslationCatalog
