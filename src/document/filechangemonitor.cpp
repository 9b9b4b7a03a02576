#include "document/filechangemonitor.h"

#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>

namespace {

// A writer seldom changes a file in one step (truncate, then write): look once it has settled.
constexpr int kSettleMilliseconds = 150;

} // namespace

FileStamp FileStamp::of(const QString &path)
{
    struct stat info
    {
    };
    FileStamp stamp;
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &info) != 0)
        return stamp;
    stamp.exists = true;
    stamp.size = qint64(info.st_size);
    stamp.modifiedNanoseconds = qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    stamp.inode = quint64(info.st_ino);
    return stamp;
}

FileChangeMonitor::FileChangeMonitor(QObject *parent)
    : QObject(parent)
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMilliseconds);
    connect(&m_settle, &QTimer::timeout, this, &FileChangeMonitor::check);
    // A replaced file ends the watch on the old one, and a file written by delete-and-create is
    // gone for a moment: the folder's changes bring the watch back.
    const auto changed = [this] {
        rewatch();
        m_settle.start();
    };
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, changed);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, changed);
}

void FileChangeMonitor::setFile(const QString &path)
{
    if (path != m_path) {
        if (!m_watcher.files().isEmpty())
            m_watcher.removePaths(m_watcher.files());
        if (!m_watcher.directories().isEmpty())
            m_watcher.removePaths(m_watcher.directories());
        m_path = path;
        if (!path.isEmpty())
            m_watcher.addPath(QFileInfo(path).absolutePath());
    }
    m_known = FileStamp::of(path);
    m_reported = m_known;
    // Whatever the watcher still has to say about the state just taken is old news.
    m_settle.stop();
    if (!m_watcher.files().isEmpty())
        m_watcher.removePaths(m_watcher.files());
    rewatch();
}

void FileChangeMonitor::rewatch()
{
    if (!m_path.isEmpty() && !m_watcher.files().contains(m_path) && QFile::exists(m_path))
        m_watcher.addPath(m_path);
}

bool FileChangeMonitor::isChangedOnDisk() const
{
    const FileStamp now = FileStamp::of(m_path);
    return now.exists && now != m_known;
}

void FileChangeMonitor::check()
{
    const FileStamp now = FileStamp::of(m_path);
    if (!now.exists || now == m_known || now == m_reported)
        return;
    m_reported = now;
    Q_EMIT changedOnDisk();
}
