#include "record/addressformatfile.h"

#include "record/keys.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QStandardPaths>

namespace AddressFormatFile {

Result parse(const QByteArray &json)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return {Status::Invalid, {}};
    const QVariantList entries = document.object().toVariantMap().value(AddressFormatKey::Root).toList();
    if (entries.isEmpty())
        return {Status::Invalid, {}};
    return {Status::Ok, entries};
}

Result read(const QString &path)
{
    QFile file(path);
    if (!file.exists())
        return {Status::Missing, {}};
    if (!file.open(QIODevice::ReadOnly))
        return {Status::Invalid, {}};
    return parse(file.readAll());
}

QString userFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)
        + QStringLiteral("/AddressFormat.json");
}

} // namespace AddressFormatFile
