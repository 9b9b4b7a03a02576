#include "../testutil.h"
#include "../cli/clirun.h"
#include "cli/clitool.h"
#include "qrcode/keys.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>

namespace {

const QString example = qs(PELLORY_SOURCE_DIR "/examples/contacts.vcf");

TEST(CliQr, EveryFormatWritesASymbolThatDecodesToThePrintedText)
{
    const QString zbarimg = QStandardPaths::findExecutable(qs("zbarimg"));
    ASSERT_FALSE(zbarimg.isEmpty()) << "zbarimg (zbar-tools) is needed";
    QTemporaryDir dir;
    for (const QString &format : QRFormat::all()) {
        const QString png = dir.filePath(format + qs(".png"));
        const CliRun result = runCli({ qs("qr"), qs("--format"), format.toLower(), example, qs("1"), png });
        ASSERT_EQ(result.code, CliTool::Success) << format.toStdString() << result.err.toStdString();
        QProcess decoder;
        decoder.start(zbarimg, { qs("--quiet"), qs("--raw"), qs("-Sbinary"), png });
        ASSERT_TRUE(decoder.waitForFinished(30000));
        EXPECT_EQ(QString::fromUtf8(decoder.readAllStandardOutput()), result.out) << format.toStdString();
    }
}

TEST(CliQr, BadArgumentsAndFilesHaveTheirExitCodes)
{
    QTemporaryDir dir;
    const QString png = dir.filePath(qs("out.png"));
    const struct
    {
        const char *name;
        QStringList arguments;
        int code;
    } cases[] = {
        { "no format", { qs("qr"), example, qs("0"), png }, CliTool::UsageError },
        { "unknown format",
          { qs("qr"), qs("--format"), qs("qr"), example, qs("0"), png },
          CliTool::UsageError },
        { "index not a number",
          { qs("qr"), qs("--format"), qs("vCard"), example, qs("first"), png },
          CliTool::UsageError },
        { "index past the end",
          { qs("qr"), qs("--format"), qs("vCard"), example, qs("100000"), png },
          CliTool::UsageError },
        { "missing file",
          { qs("qr"), qs("--format"), qs("vCard"), dir.filePath(qs("none.vcf")), qs("0"), png },
          CliTool::UnreadableFile },
        { "unwritable output",
          { qs("qr"), qs("--format=Phone"), example, qs("0"), dir.filePath(qs("no/such/dir.png")) },
          CliTool::WriteFailed },
    };
    for (const auto &c : cases)
        EXPECT_EQ(runCli(c.arguments).code, c.code) << c.name;
    EXPECT_FALSE(QFile::exists(png));
}

} // namespace
