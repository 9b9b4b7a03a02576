#include "platform/textencodingattribute.h"

#include "platform/encodings.h"
#include "platform/keys.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <sys/xattr.h>

namespace {

// Longer values are not ours; they read as unreadable.
constexpr size_t kMaximumValueSize = 100;

} // namespace

QByteArray textEncodingAttributeValue(int encoding)
{
    const Encoding *e = Encodings::find(Encodings::validateEncoding(encoding));
    return QByteArray(e->charset) + ';' + QByteArray::number(e->number);
}

int encodingFromTextEncodingAttributeValue(const QByteArray &value)
{
    const QString text = QString::fromUtf8(value);
    const qsizetype separator = text.indexOf(u';');
    if (separator < 0)
        return Encodings::UTF8;
    bool ok = false;
    const int number = text.mid(separator + 1).trimmed().toInt(&ok);
    return ok ? Encodings::validateEncoding(number) : Encodings::UTF8;
}

bool saveTextEncodingAttribute(const QString &path, int encoding, QString *errorString)
{
    const QByteArray file = QFile::encodeName(path);
    const QByteArray value = textEncodingAttributeValue(encoding);
    if (setxattr(file.constData(), FileAttribute::TextEncoding, value.constData(), size_t(value.size()), 0)
        == 0)
        return true;
    if (errorString)
        *errorString = QString::fromLocal8Bit(std::strerror(errno));
    return false;
}

int encodingFromTextEncodingAttribute(const QString &path)
{
    const QByteArray file = QFile::encodeName(path);
    char buffer[kMaximumValueSize];
    const ssize_t size = getxattr(file.constData(), FileAttribute::TextEncoding, buffer, sizeof buffer);
    if (size <= 0)
        return Encodings::UTF8;
    return encodingFromTextEncodingAttributeValue(QByteArray(buffer, size));
}
