// Reading "AddressFormat.json": the bundled resource and the user's own copy that overrides it.
#pragma once

#include <QByteArray>
#include <QString>
#include <QVariantList>

namespace AddressFormatFile {

enum class Status {
    Missing, // no such file
    Invalid, // not JSON, or no non-empty "AddressFormat" array
    Ok,
};

struct Result
{
    Status status = Status::Missing;
    QVariantList entries;
};

Result parse(const QByteArray &json);
Result read(const QString &path);

// The user's copy in the configuration folder, which replaces entries of the bundled table.
QString userFilePath();

} // namespace AddressFormatFile
