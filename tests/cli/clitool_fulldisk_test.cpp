// convert on a disk that fills up: exit code 5, a message that says so, the old output untouched.
#include "../smalltmpfs.h"
#include "../testutil.h"
#include "cli/clitool.h"

#include <QFile>
#include <QTextStream>
#include <gtest/gtest.h>

namespace {

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(CliToolFullDisk, ConvertFailsLoudlyAndKeepsTheOldOutput)
{
    SmallTmpfs disk(256 * 1024);
    if (!disk.isMounted())
        GTEST_SKIP() << disk.skipReason().toStdString();
    const QString input = QStringLiteral(PELLORY_SOURCE_DIR "/examples/contacts.vcf");
    const QByteArray converted = contents(input);
    ASSERT_GT(converted.size(), 8 * 1024);

    for (const char *name : { "out.vcf", "out.csv" }) {
        SCOPED_TRACE(name);
        const QString output = disk.filePath(qs(name));
        const QByteArray old("BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Old\r\nEND:VCARD\r\n");
        {
            QFile file(output);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            ASSERT_EQ(file.write(old), old.size());
        }
        // Room for one page: the output (6 KB of CSV, 15 KB of vCard) fits only in part.
        ASSERT_TRUE(disk.fillLeaving(4 * 1024));

        QString out, err;
        QTextStream outStream(&out), errStream(&err);
        const int code = CliTool::run({ qs("convert"), input, output }, outStream, errStream);
        errStream.flush();
        EXPECT_EQ(code, CliTool::WriteFailed);
        EXPECT_TRUE(err.contains(qs("The disk is full"))) << err.toStdString();
        EXPECT_EQ(contents(output), old);
        EXPECT_EQ(disk.entries(), QStringList { qs(name) }) << "no temporary file is left behind";
        QFile::remove(output);
    }
}

} // namespace
