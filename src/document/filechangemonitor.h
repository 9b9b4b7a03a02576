// FileChangeMonitor: notices when a document's file is changed by someone else.
//
// It knows the file's state as the document last read or wrote it, and compares what is on disk
// with that: before a save (isChangedOnDisk) and whenever the file system reports a change
// (changedOnDisk). The document's own atomic save replaces the file, which ends a watch on the old
// one; noteWritten() takes the new state as known and watches the new file, so our own saves are
// never reported.
#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

// What tells one version of a file from another without reading it.
struct FileStamp
{
    bool exists = false;
    qint64 size = 0;
    qint64 modifiedNanoseconds = 0;
    quint64 inode = 0; // an atomic save by another program makes a new file

    static FileStamp of(const QString &path);
    bool operator==(const FileStamp &) const = default;
};

class FileChangeMonitor : public QObject
{
    Q_OBJECT

public:
    explicit FileChangeMonitor(QObject *parent = nullptr);

    // Watches path (nothing when empty); its state now is the known one. Call before reading it,
    // so that a change made while it is read counts as a change.
    void setFile(const QString &path);
    QString file() const { return m_path; }
    // The document wrote the file: that is the known state now.
    void noteWritten() { setFile(m_path); }

    // The file differs from the known state. A file that is gone has nothing to lose.
    bool isChangedOnDisk() const;

Q_SIGNALS:
    // Once for each new state of the file that differs from the known one.
    void changedOnDisk();

private:
    void rewatch();
    void check();

    QFileSystemWatcher m_watcher;
    QTimer m_settle;
    QString m_path;
    FileStamp m_known;
    FileStamp m_reported;
};
