// Every file of the corpus is read without a crash; every vCard file, once written, reads and
// writes back to the same records.
#include "vcardtestutil.h"

#include <QDirIterator>
#include <gtest/gtest.h>

namespace {

struct CorpusFile
{
    QString path;
    QString version; // "2.1", "3.0", "4.0", "none", "csv"
};

QList<CorpusFile> corpusFiles()
{
    QList<CorpusFile> files;
    const QByteArray manifest = VCardTest::readFile(QStringLiteral(PELLORY_CORPUS_DIR "/MANIFEST.tsv"));
    const QList<QByteArray> lines = manifest.split('\n');
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QList<QByteArray> columns = lines.at(i).split('\t');
        if (columns.size() > 3)
            files.append({ QString::fromUtf8(columns.at(0)), QString::fromUtf8(columns.at(3)) });
    }
    return files;
}

TEST(VCardCorpus, EveryFileIsReadWithoutCrash)
{
    const QList<CorpusFile> files = corpusFiles();
    ASSERT_GT(files.size(), 200);
    for (const CorpusFile &file : files) {
        const QByteArray bytes = VCardTest::readFile(QStringLiteral(PELLORY_CORPUS_DIR "/") + file.path);
        // Both roads: the bytes of a UTF-8 file and the text of a decoded one.
        VCardReadStatistics stats;
        const auto table = QVvCard::containersFromVCardData(bytes, {}, &stats);
        ASSERT_TRUE(table.has_value()) << file.path.toStdString();
        const auto fromText = QVvCard::containersFromVCards(QString::fromLatin1(bytes));
        ASSERT_TRUE(fromText.has_value()) << file.path.toStdString();
        EXPECT_EQ(VCardTest::contacts(*table).size(), stats.cards - stats.skippedCards)
            << file.path.toStdString();
        if (file.version != QLatin1StringView("csv") && bytes.contains("BEGIN:VCARD")
            && bytes.contains("END:VCARD")) {
            EXPECT_GT(VCardTest::contacts(*table).size(), 0) << file.path.toStdString();
        }
    }
}

TEST(VCardCorpus, WrittenCardsReadBackToTheSameRecords)
{
    for (const CorpusFile &file : corpusFiles()) {
        if (file.version == QLatin1StringView("csv"))
            continue;
        const QByteArray bytes = VCardTest::readFile(QStringLiteral(PELLORY_CORPUS_DIR "/") + file.path);
        const ContainerTable first = VCardTest::read(bytes);
        const QByteArray written = VCardTest::write(first);
        const ContainerTable second = VCardTest::read(written);
        ASSERT_EQ(VCardTest::contacts(first).size(), VCardTest::contacts(second).size())
            << file.path.toStdString();
        const QByteArray rewritten = VCardTest::write(second);
        const ContainerTable third = VCardTest::read(rewritten);
        EXPECT_EQ(VCardTest::firstDifference(ContactDump::dump(second), ContactDump::dump(third)), "")
            << file.path.toStdString();
        EXPECT_EQ(VCardTest::firstDifference(written, rewritten), "") << file.path.toStdString();
    }
}

} // namespace
