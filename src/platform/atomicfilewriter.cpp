#include "platform/atomicfilewriter.h"

#include <QCoreApplication>
#include <QSaveFile>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace {

// What a failed write means to the user. The error number is the surest sign; the device's text
// (the system's wording of that number) is the fallback when something reset it.
QString describeFailure(int errorNumber, const QString &deviceText)
{
    const auto means = [&](int number) {
        return errorNumber == number || deviceText == QString::fromLocal8Bit(std::strerror(number));
    };
    if (means(ENOSPC))
        return AtomicFileWriter::tr("The disk is full");
    if (means(EDQUOT))
        return AtomicFileWriter::tr("The disk quota is used up");
    // Qt's stand-in when a device has no error of its own says nothing.
    if (!deviceText.isEmpty() && deviceText != QCoreApplication::translate("QIODevice", "Unknown error"))
        return deviceText;
    if (errorNumber != 0)
        return QString::fromLocal8Bit(std::strerror(errorNumber));
    return AtomicFileWriter::tr("The file could not be written completely");
}

} // namespace

AtomicFileWriter::AtomicFileWriter(const QString &path)
    : m_file(std::make_unique<QSaveFile>(path))
    , m_sink(m_file.get())
{ }

AtomicFileWriter::AtomicFileWriter(QIODevice *sink)
    : m_sink(sink)
{ }

AtomicFileWriter::~AtomicFileWriter()
{
    cancel();
}

bool AtomicFileWriter::open(OpenMode mode)
{
    if (isOpen() || (mode & ReadOnly) || !(mode & WriteOnly))
        return false;
    m_failed = false;
    if (m_file) {
        errno = 0;
        // Unbuffered: a write fails when it fails, not later inside commit().
        if (!m_file->open(WriteOnly | Unbuffered)) {
            fail(errno, m_file->errorString());
            return false;
        }
    } else if (!m_sink || !m_sink->isWritable()) {
        fail(0, m_sink ? m_sink->errorString() : QString());
        return false;
    }
    return QIODevice::open(WriteOnly | Unbuffered);
}

qint64 AtomicFileWriter::readData(char *, qint64)
{
    return -1;
}

qint64 AtomicFileWriter::writeData(const char *data, qint64 size)
{
    if (m_failed)
        return -1;
    // A short write is retried: the retry either takes the rest or says why it can't.
    for (qint64 done = 0; done < size;) {
        errno = 0;
        const qint64 written = m_sink->write(data + done, size - done);
        if (written <= 0) {
            fail(errno, m_sink->errorString());
            return -1;
        }
        done += written;
    }
    return size;
}

bool AtomicFileWriter::commit()
{
    if (!isOpen())
        return false;
    QIODevice::close();
    if (!m_file)
        return !m_failed;
    if (m_failed) {
        m_file->cancelWriting();
        m_file->commit(); // removes the temporary file
        return false;
    }
    // Delayed allocation may report a full disk only when the data is forced out.
    errno = 0;
    if (::fsync(m_file->handle()) != 0) {
        fail(errno, QString());
        m_file->cancelWriting();
        m_file->commit();
        return false;
    }
    errno = 0;
    if (!m_file->commit()) {
        fail(errno, m_file->errorString());
        return false;
    }
    return true;
}

void AtomicFileWriter::cancel()
{
    if (!isOpen())
        return;
    QIODevice::close();
    if (m_file) {
        m_file->cancelWriting();
        m_file->commit();
    }
}

void AtomicFileWriter::fail(int errorNumber, const QString &deviceText)
{
    if (m_failed)
        return;
    m_failed = true;
    setErrorString(describeFailure(errorNumber, deviceText));
}

bool AtomicFileWriter::writeFile(const QString &path, const QByteArray &bytes, QString *errorString)
{
    AtomicFileWriter writer(path);
    const bool written = writer.open(WriteOnly) && writer.write(bytes) == bytes.size() && writer.commit();
    if (!written && errorString)
        *errorString = writer.errorString();
    return written;
}
