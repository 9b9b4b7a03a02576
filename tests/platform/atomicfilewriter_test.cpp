// Writing files atomically: nothing replaces a file unless every byte reached the disk.
#include "../smalltmpfs.h"
#include "../testutil.h"
#include "platform/atomicfilewriter.h"
#include "platform/userdefaults.h"
#include "platform/workspace.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>

namespace {

// A device that takes `budget` bytes and then fails as a file on a full (or failing) drive does:
// the write that crosses the limit is taken in part, the next one fails, with errno set.
class FillingDevice : public QIODevice
{
public:
    FillingDevice(qint64 budget, int errorNumber, const QString &text)
        : m_budget(budget)
        , m_errorNumber(errorNumber)
        , m_text(text)
    {
        open(WriteOnly);
    }
    QByteArray taken;

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override
    {
        const qint64 room = m_budget - taken.size();
        if (room <= 0) {
            setErrorString(m_text);
            errno = m_errorNumber;
            return -1;
        }
        const qint64 n = std::min(room, size);
        taken.append(data, n);
        return n;
    }

private:
    qint64 m_budget;
    int m_errorNumber;
    QString m_text;
};

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeContents(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QString systemText(int number)
{
    return QString::fromLocal8Bit(std::strerror(number));
}

TEST(AtomicFileWriter, AFailingWriteSticksAndIsToldInWords)
{
    const struct
    {
        const char *name;
        qint64 budget;
        int errorNumber;
        QString deviceText;
        QString expected;
    } cases[] = {
        { "full disk", 10, ENOSPC, systemText(ENOSPC), qs("The disk is full") },
        { "full disk, errno lost", 10, 0, systemText(ENOSPC), qs("The disk is full") },
        { "full disk, no words", 0, ENOSPC, QString(), qs("The disk is full") },
        { "quota", 10, EDQUOT, systemText(EDQUOT), qs("The disk quota is used up") },
        { "failing drive", 10, EIO, systemText(EIO), systemText(EIO) },
        { "nothing said", 10, 0, QString(), qs("The file could not be written completely") },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        FillingDevice sink(c.budget, c.errorNumber, c.deviceText);
        AtomicFileWriter writer(&sink);
        ASSERT_TRUE(writer.open(QIODevice::WriteOnly));
        // The writers that stream into a device check each batch; others ignore the answer.
        writer.write(QByteArray(16, 'a'));
        EXPECT_TRUE(writer.failed());
        EXPECT_EQ(writer.errorString(), c.expected);
        EXPECT_EQ(writer.write("more"), -1) << "nothing goes on after a gap";
        EXPECT_EQ(sink.taken.size(), c.budget);
        EXPECT_FALSE(writer.commit());
    }
    FillingDevice roomy(100, ENOSPC, systemText(ENOSPC));
    AtomicFileWriter writer(&roomy);
    ASSERT_TRUE(writer.open(QIODevice::WriteOnly));
    EXPECT_EQ(writer.write(QByteArray(100, 'a')), 100);
    EXPECT_TRUE(writer.commit());
}

TEST(AtomicFileWriter, OnlyACommitReplacesTheFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(qs("contacts.vcf"));
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    {
        AtomicFileWriter dropped(path);
        ASSERT_TRUE(dropped.open(QIODevice::WriteOnly));
        dropped.write("never committed");
    }
    {
        AtomicFileWriter cancelled(path);
        ASSERT_TRUE(cancelled.open(QIODevice::WriteOnly));
        cancelled.write("cancelled");
        cancelled.cancel();
        EXPECT_FALSE(cancelled.commit());
    }
    EXPECT_EQ(contents(path), QByteArray("old"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList { qs("contacts.vcf") });

    QString error;
    EXPECT_TRUE(AtomicFileWriter::writeFile(path, "new", &error));
    EXPECT_EQ(contents(path), QByteArray("new"));
    EXPECT_FALSE(AtomicFileWriter::writeFile(dir.filePath(qs("missing/x.vcf")), "x", &error));
    EXPECT_EQ(error, systemText(ENOENT));
}

TEST(FullDisk, PreferencesThatDoNotFitLeaveTheOldFileAndStayPending)
{
    SmallTmpfs disk(64 * 1024);
    if (!disk.isMounted())
        GTEST_SKIP() << disk.skipReason().toStdString();
    const QString path = disk.filePath(qs("preferences.json"));
    ASSERT_TRUE(writeContents(path, R"({"kept": true})"));
    const QByteArray old = contents(path);
    UserDefaults defaults(path);
    ASSERT_TRUE(disk.fillLeaving(0));
    defaults.setValue(qs("large"), QString(2000, u'x'));

    EXPECT_FALSE(defaults.sync());
    EXPECT_TRUE(defaults.hasPendingChanges());
    EXPECT_EQ(contents(path), old);
    EXPECT_EQ(disk.entries(), QStringList { qs("preferences.json") });
}

TEST(FullDisk, NoCalendarFileIsOpenedCutShort)
{
    SmallTmpfs disk(64 * 1024);
    if (!disk.isMounted())
        GTEST_SKIP() << disk.skipReason().toStdString();
    const QByteArray temporaryFolder = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(disk.filePath(QString())));
    ASSERT_TRUE(disk.fillLeaving(0));
    QList<QUrl> opened;
    const Workspace::Opener previous = Workspace::setOpener([&opened](const QUrl &url) {
        opened.append(url);
        return true;
    });

    EXPECT_FALSE(Workspace::openUrl(Workspace::calendarUrl(QDate(2024, 2, 29), qs("Birthday: Ann"), true)));
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_TRUE(disk.entries().isEmpty());
    Workspace::setOpener(previous);
    qputenv("TMPDIR", temporaryFolder);
}

} // namespace
