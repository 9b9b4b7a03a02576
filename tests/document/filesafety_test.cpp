// Exports that fill the disk, and noticing a file changed by someone else, without a window.
#include "../smalltmpfs.h"
#include "../testutil.h"
#include "document/contactfiles.h"
#include "document/filechangemonitor.h"
#include "platform/atomicfilewriter.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

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

TEST(ExportFullDisk, AnExportThatDoesNotFitSaysSoAndKeepsTheOldFile)
{
    SmallTmpfs disk(128 * 1024);
    if (!disk.isMounted())
        GTEST_SKIP() << disk.skipReason().toStdString();
    const QString path = disk.filePath(qs("export.csv"));
    ASSERT_TRUE(writeContents(path, "old export\n"));
    ASSERT_TRUE(disk.fillLeaving(4 * 1024));

    QString error;
    EXPECT_FALSE(ContactExport::writeData(path, QByteArray(12 * 1024, 'c'), &error));
    EXPECT_EQ(error, qs("The disk is full"));
    EXPECT_EQ(contents(path), QByteArray("old export\n"));
    EXPECT_EQ(disk.entries(), QStringList { qs("export.csv") });
}

TEST(FileChangeMonitor, OwnSavesAreNotReportedOthersAreOncePerChange)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(qs("people.vcf"));
    ASSERT_TRUE(writeContents(path, "one"));
    FileChangeMonitor monitor;
    monitor.setFile(path);
    QSignalSpy changed(&monitor, &FileChangeMonitor::changedOnDisk);

    // Our own atomic saves, one after another: each replaces the file that was watched.
    for (const char *bytes : { "two", "three, longer" }) {
        ASSERT_TRUE(AtomicFileWriter::writeFile(path, bytes));
        monitor.noteWritten();
        EXPECT_FALSE(monitor.isChangedOnDisk());
    }
    QTest::qWait(400);
    EXPECT_EQ(changed.count(), 0);

    // Someone else: noticed on the new file, once, until the file changes again.
    ASSERT_TRUE(writeContents(path, "four"));
    EXPECT_TRUE(monitor.isChangedOnDisk());
    EXPECT_TRUE(changed.wait(2000));
    // An attribute change wakes the watcher, but the contents are as reported.
    QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner);
    QTest::qWait(400);
    EXPECT_EQ(changed.count(), 1);

    // Deleted and written again, as some programs save.
    ASSERT_TRUE(QFile::remove(path));
    EXPECT_FALSE(monitor.isChangedOnDisk()) << "a file that is gone has nothing to lose";
    ASSERT_TRUE(writeContents(path, "five, from elsewhere"));
    EXPECT_TRUE(changed.wait(2000));
    EXPECT_EQ(changed.count(), 2);
}

} // namespace
