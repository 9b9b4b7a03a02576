// Golden files: each tests/formats/data/NAME.vcf is read and dumped (NAME.json) and written back
// (NAME.out.vcf). PELLORY_UPDATE_GOLDEN=1 rewrites the expectations.
#include "../testutil.h"
#include "vcardtestutil.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

const QString kDataDir = QStringLiteral(PELLORY_SOURCE_DIR "/tests/formats/data");

void compareOrUpdate(const QString &path, const QByteArray &actual)
{
    if (qEnvironmentVariableIsSet("PELLORY_UPDATE_GOLDEN")) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(actual);
        return;
    }
    const QByteArray expected = VCardTest::readFile(path);
    ASSERT_FALSE(expected.isEmpty()) << "missing expectation " << path.toStdString();
    EXPECT_EQ(VCardTest::firstDifference(expected, actual), "") << path.toStdString();
}

class GoldenTest : public testing::TestWithParam<QString>
{
};

TEST_P(GoldenTest, ReadsAndWritesAsExpected)
{
    const QString base = kDataDir + u'/' + GetParam();
    VCardReadStatistics stats;
    const ContainerTable table = VCardTest::read(VCardTest::readFile(base + QStringLiteral(".vcf")), &stats);
    compareOrUpdate(base + QStringLiteral(".json"), ContactDump::dump(table, &stats));
    const QByteArray written = VCardTest::write(table);
    compareOrUpdate(base + QStringLiteral(".out.vcf"), written);

    // What was written reads back to the same records.
    const ContainerTable again = VCardTest::read(written);
    EXPECT_EQ(VCardTest::firstDifference(ContactDump::dump(table), ContactDump::dump(again)), "");
}

QStringList goldenNames()
{
    QStringList names;
    for (const QString &file :
         QDir(kDataDir).entryList({ QStringLiteral("*.vcf") }, QDir::Files, QDir::Name)) {
        if (!file.endsWith(QLatin1StringView(".out.vcf")))
            names.append(file.chopped(4));
    }
    return names;
}

INSTANTIATE_TEST_SUITE_P(Files, GoldenTest, testing::ValuesIn(goldenNames()),
                         [](const testing::TestParamInfo<QString> &info) {
                             QString name = info.param;
                             name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9]")),
                                          QStringLiteral("_"));
                             return name.toStdString();
                         });

} // namespace
