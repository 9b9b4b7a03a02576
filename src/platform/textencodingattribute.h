// The encoding a text file was written in, kept in an extended attribute of the file
// (FileAttribute::TextEncoding) as "<IANA name>;<encoding number>".
#pragma once

#include <QByteArray>
#include <QString>

// Records the encoding on the file; false (with a reason) when the file system refuses.
bool saveTextEncodingAttribute(const QString &path, int encoding, QString *errorString = nullptr);

// The encoding recorded on the file, validated against the table; UTF-8 when the attribute is
// missing, empty, unreadable or has no number after a ';'.
int encodingFromTextEncodingAttribute(const QString &path);

// The attribute's value for an encoding, and the encoding an attribute value names.
QByteArray textEncodingAttributeValue(int encoding);
int encodingFromTextEncodingAttributeValue(const QByteArray &value);
