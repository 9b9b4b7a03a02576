// AtomicFileWriter: the one way the program writes a file.
//
// Bytes go to a temporary file beside the target, which replaces the target only on commit() and
// only when every byte reached the disk; otherwise the target stays as it was and errorString()
// says what happened in words a user understands ("The disk is full").
//
// Why not QSaveFile alone: it buffers, and the last buffered part is written inside commit(), whose
// failure there goes unreported (the file is cut short and "saved"). Here the file is written
// unbuffered, every write must be taken whole, and the data is synced before the rename.
//
// The writer is itself the device content is written to, so writers that stream into a QIODevice
// need no checks of their own: the first failure sticks, later writes are refused, and commit()
// answers false. Writing from a worker thread is fine; open, commit and cancel on one thread.
#pragma once

#include <QIODevice>
#include <QString>
#include <memory>

class QSaveFile;

class AtomicFileWriter : public QIODevice
{
    Q_OBJECT

public:
    // Writes to path (a temporary file until commit()).
    explicit AtomicFileWriter(const QString &path);
    // Writes to sink instead of a file, which the caller opened and keeps: what a full disk or a
    // failing drive does to a write can be played by any device. commit() then only checks.
    explicit AtomicFileWriter(QIODevice *sink);
    // A writer that was not committed leaves the target alone and removes its temporary file.
    ~AtomicFileWriter() override;

    // Opens for writing (mode must be write-only); false, with errorString(), when the temporary
    // file can't be made.
    bool open(OpenMode mode) override;
    // Replaces the target with what was written; false when anything failed, and the target is
    // left as it was.
    bool commit();
    // Drops what was written; the target stays as it was.
    void cancel();

    // After a failure, errorString() says what went wrong in words for the user.
    bool failed() const { return m_failed; }

    bool isSequential() const override { return true; }

    // The whole file in one go: writes bytes to path atomically.
    static bool writeFile(const QString &path, const QByteArray &bytes, QString *errorString = nullptr);

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *data, qint64 size) override;

private:
    // Remembers the first failure, in words, from the error number and the device's own text.
    void fail(int errorNumber, const QString &deviceText);

    std::unique_ptr<QSaveFile> m_file;
    QIODevice *m_sink;
    bool m_failed = false;
};
