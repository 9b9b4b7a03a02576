// The command-line tool counts the cards it could not read.
#include "../testutil.h"
#include "cli/clitool.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>

namespace {

QString stats(const QString &path)
{
    QString out, err;
    QTextStream outStream(&out), errStream(&err);
    CliTool::run({ QStringLiteral("stats"), path }, outStream, errStream);
    outStream.flush();
    return out;
}

TEST(CliReading, SkippedCountsNestedAndCutOffCards)
{
    EXPECT_TRUE(stats(QStringLiteral(PELLORY_CORPUS_DIR
                                     "/CyanogenMod__android_frameworks_opt_vcard/tests/res/raw/v21_nest.vcf"))
                    .contains(QLatin1StringView("contacts: 1\ngroups: 0\nskipped: 2\n")));

    QTemporaryDir dir;
    const QString cutOff = dir.filePath(QStringLiteral("cut.vcf"));
    QFile file(cutOff);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("BEGIN:VCARD\r\nFN:A\r\nEND:VCARD\r\nBEGIN:VCARD\r\nFN:B\r\nTEL:1\r\n");
    file.close();
    EXPECT_TRUE(stats(cutOff).contains(QLatin1StringView("contacts: 1\ngroups: 0\nskipped: 1\n")))
        << stats(cutOff).toStdString();
}

} // namespace
