#include "../testutil.h"
#include "../cli/clirun.h"

#include "cli/clitool.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTextStream>

#include <gtest/gtest.h>

namespace {

QString example(const char *name)
{
    return QStringLiteral(PELLORY_SOURCE_DIR "/examples/") + QString::fromLatin1(name);
}

TEST(CliTool, FailuresHaveDistinctExitCodes)
{
    QTemporaryDir dir;
    const QString empty = dir.filePath(QStringLiteral("empty.vcf"));
    QFile file(empty);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("no cards here\n");
    file.close();
    const QString latin1 = dir.filePath(QStringLiteral("latin1.vcf"));
    QFile bytes(latin1);
    ASSERT_TRUE(bytes.open(QIODevice::WriteOnly));
    bytes.write("BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Caf\xe9\r\nEND:VCARD\r\n");
    bytes.close();

    struct Case
    {
        const char *name;
        QStringList arguments;
        int code;
    };
    const Case cases[] = {
        {"no arguments", {}, CliTool::UsageError},
        {"unknown command", {qs("explode"), example("contacts.vcf")}, CliTool::UsageError},
        {"missing output", {qs("convert"), example("contacts.vcf")}, CliTool::UsageError},
        {"missing file", {qs("stats"), dir.filePath(qs("nothing.vcf"))}, CliTool::UnreadableFile},
        {"a folder", {qs("stats"), dir.path()}, CliTool::UnreadableFile},
        {"unknown encoding", {qs("stats"), qs("--encoding"), qs("Murks"), example("contacts.vcf")}, CliTool::UndecodableText},
        {"not UTF-8", {qs("stats"), qs("--encoding"), qs("UTF-8"), latin1}, CliTool::UndecodableText},
        {"no contacts", {qs("dump"), empty}, CliTool::NoContacts},
        {"unknown output type",
         {qs("convert"), example("contacts.vcf"), dir.filePath(qs("out.xyz"))},
         CliTool::UsageError},
        {"unwritable output",
         {qs("convert"), example("contacts.vcf"), dir.filePath(qs("missing/folder/out.vcf"))},
         CliTool::WriteFailed},
    };
    for (const Case &c : cases) {
        const CliRun r = runCli(c.arguments);
        EXPECT_EQ(r.code, c.code) << c.name << ": " << r.err.toStdString();
    }
    // Automatic detection reads the Latin-1 file that strict UTF-8 refuses.
    EXPECT_EQ(runCli({qs("stats"), latin1}).code, CliTool::Success);
}

TEST(CliTool, ConvertedFilesReadBackToTheSameContacts)
{
    QTemporaryDir dir;
    const QString vcf = dir.filePath(qs("out.vcf"));
    const QString again = dir.filePath(qs("again.vcf"));
    ASSERT_EQ(runCli({qs("convert"), example("contacts.vcf"), vcf}).code, CliTool::Success);
    ASSERT_EQ(runCli({qs("convert"), vcf, again}).code, CliTool::Success);
    const CliRun first = runCli({qs("dump"), vcf});
    const CliRun second = runCli({qs("dump"), again});
    ASSERT_EQ(first.code, CliTool::Success);
    EXPECT_EQ(first.out, second.out) << "a written file reads back the same";
    const QJsonObject dump = QJsonDocument::fromJson(first.out.toUtf8()).object();
    EXPECT_EQ(dump.value(qs("contacts")).toArray().size(), 30);
    EXPECT_EQ(dump.value(qs("skipped")).toInt(), 0);

    const QString csv = dir.filePath(qs("out.csv"));
    ASSERT_EQ(runCli({qs("convert"), example("contacts.vcf"), csv}).code, CliTool::Success);
    const CliRun stats = runCli({qs("stats"), csv});
    EXPECT_TRUE(stats.out.startsWith(qs("contacts: 30\n"))) << stats.out.toStdString();
}

} // namespace
