// pellory2-cli zip: the places of a code on standard output, distinct exit codes when there are none.
#include "../testutil.h"
#include "../cli/clirun.h"
#include "cli/clitool.h"

#include <QTextStream>
#include <gtest/gtest.h>

namespace {

CliRun zip(const QStringList &arguments)
{
    return runCli(QStringList { QStringLiteral("zip") } + arguments);
}

} // namespace

TEST(ZipCommand, PrintsThePlacesOfACode)
{
    const struct
    {
        const char *code;
        const char *out;
    } cases[] = {
        { "100-0001", "東京都 千代田区 千代田\n" },
        { "1000001", "東京都 千代田区 千代田\n" },
        { "004-0000", "北海道 札幌市厚別区\n北海道 札幌市清田区\n" },
        { "100-8960", "東京都 千代田区 永田町１丁目７－１ 衆議院\n" },
    };
    for (const auto &c : cases) {
        const CliRun r = zip({ qs(c.code) });
        EXPECT_EQ(r.code, CliTool::Success) << c.code;
        EXPECT_EQ(r.out, qs(c.out)) << c.code;
        EXPECT_EQ(r.err, QString()) << c.code;
    }
    // A prefix names many places: each line says which code it is.
    const QStringList lines = zip({ qs("1006") }).out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_GT(lines.size(), 10);
    for (const QString &line : lines)
        EXPECT_TRUE(line.startsWith(qs("100-6"))) << line.toStdString();
}

TEST(ZipCommand, NothingFoundAndWrongUseHaveTheirOwnExitCodes)
{
    const CliRun none = zip({ qs("999-9999") });
    EXPECT_EQ(none.code, CliTool::NoContacts);
    EXPECT_EQ(none.out, QString());
    EXPECT_EQ(none.err, qs("pellory2-cli: no address has the postal code 999-9999\n"));
    EXPECT_EQ(zip({}).code, CliTool::UsageError);
    EXPECT_EQ(zip({ qs("100-0001"), qs("100-0002") }).code, CliTool::UsageError);
}
