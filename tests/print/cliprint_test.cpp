#include "../cli/clirun.h"
#include "../testutil.h"
#include "cli/clitool.h"
#include "cli/clitool_print.h"
#include "print/keys.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>

namespace {

const QString example = qs(PELLORY_SOURCE_DIR "/examples/contacts.vcf");

// The text of the PDF's pages, one entry per page.
QStringList pdfPages(const QString &pdf)
{
    const QString pdftotext = QStandardPaths::findExecutable(qs("pdftotext"));
    if (pdftotext.isEmpty())
        return {};
    QProcess process;
    process.start(pdftotext, { qs("-layout"), pdf, qs("-") });
    process.waitForFinished(60000);
    QStringList pages = QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\f'));
    // pdftotext ends every page with a form feed.
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

class CliPrint : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable(qs("pdftotext")).isEmpty())
            GTEST_SKIP() << "pdftotext (poppler-utils) is needed";
    }
    QTemporaryDir dir;
};

TEST_F(CliPrint, EveryStyleMakesThePagesItCountsWithTheNamesOnThem)
{
    struct Case
    {
        QString style;
        int pages;
    };
    const Case cases[] = { { PrintStyle::AddressList, 1 },
                           { PrintStyle::MailingLabels, 1 },
                           { PrintStyle::Envelope, 30 },
                           { PrintStyle::Hagaki, 30 } };
    for (const Case &c : cases) {
        const QString pdf = dir.filePath(c.style + qs(".pdf"));
        const CliRun result = runCli({ qs("print"), qs("--style"), c.style, example, pdf });
        ASSERT_EQ(result.code, CliTool::Success) << c.style.toStdString() << result.err.toStdString();
        const QStringList pages = pdfPages(pdf);
        EXPECT_EQ(pages.size(), c.pages) << c.style.toStdString();
        EXPECT_EQ(result.out, qs("pages: %1\n").arg(c.pages));
        if (c.style == PrintStyle::Hagaki)
            continue;
        const QString all = pages.join(QLatin1Char('\n'));
        for (const QString &name : { qs("Emily Hartwell"), qs("Linh Nguyen"), qs("Jürgen Brandstätter") })
            EXPECT_TRUE(all.contains(name)) << c.style.toStdString() << ' ' << name.toStdString();
    }
    // Envelopes come out in the order of the contacts: the eleventh page is the eleventh contact's.
    const QStringList envelopes = pdfPages(dir.filePath(PrintStyle::Envelope + qs(".pdf")));
    ASSERT_GE(envelopes.size(), 12);
    EXPECT_TRUE(envelopes.at(10).contains(qs("Emily Hartwell")));
    EXPECT_TRUE(envelopes.at(11).contains(qs("Marcus Delgado")));
    // The postcard prints the receiver's postal code.
    EXPECT_TRUE(pdfPages(dir.filePath(PrintStyle::Hagaki + qs(".pdf"))).first().contains(qs("1")));
}

TEST_F(CliPrint, OptionsChangeTheLayoutAndPagesFollowTheList)
{
    const QString pdf = dir.filePath(qs("big.pdf"));
    const QString options = qs(R"({"fontSize": 40, "Address List Options": {"alternatingRow": false}})");
    const CliRun result = runCli(
        { qs("print"), qs("--style"), PrintStyle::AddressList, qs("--options"), options, example, pdf });
    ASSERT_EQ(result.code, CliTool::Success) << result.err.toStdString();
    const QStringList pages = pdfPages(pdf);
    ASSERT_GT(pages.size(), 1);
    // The first page holds the first names of the list, the last page the last one.
    EXPECT_FALSE(pages.first().contains(qs("Linh Nguyen")));
    EXPECT_TRUE(pages.last().contains(qs("Linh Nguyen")));

    const CliRun labels = runCli({ qs("print"), qs("--style"), PrintStyle::MailingLabels, qs("--options"),
                                   qs(R"({"Mailing Labels Options": {"repeatCount": 3}})"), example, pdf });
    ASSERT_EQ(labels.code, CliTool::Success);
    EXPECT_EQ(pdfPages(pdf).size(), 2); // 90 labels, 48 a page on A4
}

TEST_F(CliPrint, TheSenderIsPrintedOnEveryEnvelope)
{
    const QString pdf = dir.filePath(qs("sender.pdf"));
    const CliRun result = runCli(
        { qs("print"), qs("--style"), PrintStyle::Envelope, qs("--sender"), qs("10"), example, pdf });
    ASSERT_EQ(result.code, CliTool::Success) << result.err.toStdString();
    const QStringList pages = pdfPages(pdf);
    ASSERT_EQ(pages.size(), 30);
    // The eleventh contact sends; each page also names its own receiver.
    EXPECT_TRUE(pages.at(0).contains(qs("Emily Hartwell")));
    EXPECT_TRUE(pages.at(11).contains(qs("Emily Hartwell")));
    EXPECT_TRUE(pages.at(11).contains(qs("Marcus Delgado")));

    EXPECT_EQ(runCli({ qs("print"), qs("--style"), PrintStyle::Envelope, qs("--sender"), qs("30"), example,
                       dir.filePath(qs("none.pdf")) })
                  .code,
              CliTool::UsageError);
    EXPECT_FALSE(QFile::exists(dir.filePath(qs("none.pdf"))));
}

TEST_F(CliPrint, BadArgumentsWriteNothing)
{
    const QString pdf = dir.filePath(qs("none.pdf"));
    EXPECT_EQ(runCli({ qs("print"), qs("--style"), qs("Poster"), example, pdf }).code, CliTool::UsageError);
    EXPECT_EQ(
        runCli({ qs("print"), qs("--style"), PrintStyle::Envelope, qs("--options"), qs("[1,"), example, pdf })
            .code,
        CliTool::UsageError);
    EXPECT_EQ(
        runCli({ qs("print"), qs("--style"), PrintStyle::Envelope, dir.filePath(qs("missing.vcf")), pdf })
            .code,
        CliTool::UnreadableFile);
    EXPECT_FALSE(QFile::exists(pdf));
}

} // namespace
