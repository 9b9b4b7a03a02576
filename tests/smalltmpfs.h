// A small file system of the test's own, to see what writing does when the disk fills up.
//
// Mounting needs root (CI runs as root); elsewhere the file system is unavailable and the caller
// skips with skipReason(). The seams of the writers (a device that fails after some bytes) are
// tested everywhere; this checks the real thing.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>

class SmallTmpfs
{
public:
    explicit SmallTmpfs(qint64 bytes)
    {
        if (::geteuid() != 0) {
            m_skipReason = QStringLiteral("needs root to mount a small tmpfs");
            return;
        }
        const QByteArray options = "size=" + QByteArray::number(bytes);
        if (::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs", 0, options.constData())
            != 0) {
            m_skipReason
                = QStringLiteral("can't mount a tmpfs: ") + QString::fromLocal8Bit(std::strerror(errno));
            return;
        }
        m_mounted = true;
    }

    ~SmallTmpfs()
    {
        if (m_mounted)
            ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
    }

    SmallTmpfs(const SmallTmpfs &) = delete;
    SmallTmpfs &operator=(const SmallTmpfs &) = delete;

    bool isMounted() const { return m_mounted; }
    QString skipReason() const { return m_skipReason; }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }

    qint64 bytesFree() const
    {
        struct statvfs info
        {
        };
        if (::statvfs(QFile::encodeName(m_dir.path()).constData(), &info) != 0)
            return -1;
        return qint64(info.f_bavail) * qint64(info.f_frsize);
    }

    // Takes space with a filler file until only about `left` bytes (rounded to pages) stay free.
    bool fillLeaving(qint64 left)
    {
        const qint64 take = bytesFree() - left;
        if (take <= 0)
            return true;
        QFile filler(filePath(QStringLiteral(".filler")));
        return filler.open(QIODevice::WriteOnly | QIODevice::Append)
            && filler.write(QByteArray(take, 'x')) == take && filler.flush();
    }

    // Every file but the filler: what writing left behind.
    QStringList entries() const
    {
        QStringList names = QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden);
        names.removeAll(QStringLiteral(".filler"));
        return names;
    }

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
    QString m_skipReason;
};
