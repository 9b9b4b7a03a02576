// The contact generator: files that readers can take apart, the same for the same seed.
#include "../testutil.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray generate(const QString &format, int count, int seed = 7)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out"));
    QProcess process;
    process.start(QStringLiteral(GENCONTACTS_PATH),
                  { QStringLiteral("--count"), QString::number(count), QStringLiteral("--format"), format,
                    QStringLiteral("--seed"), QString::number(seed), QStringLiteral("--out"), path });
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        ADD_FAILURE() << "gencontacts failed: " << process.readAllStandardError().toStdString();
        return {};
    }
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

bool isUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    [[maybe_unused]] const QString text = decoder(bytes);
    return !decoder.hasError();
}

// Splits at CRLF; any other line break is a fault.
QList<QByteArray> physicalLines(const QByteArray &text)
{
    QList<QByteArray> lines = text.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QByteArray &line : lines) {
        EXPECT_TRUE(line.endsWith('\r')) << "bare line feed after: " << line.toStdString();
        line.chop(1);
        EXPECT_FALSE(line.contains('\r')) << "bare carriage return in: " << line.toStdString();
    }
    return lines;
}

// Joins folded (3.0: leading space) and soft-broken (2.1 quoted-printable: trailing '=') lines.
QList<QByteArray> logicalLines(const QList<QByteArray> &physical)
{
    QList<QByteArray> logical;
    bool softBreak = false;
    for (const QByteArray &line : physical) {
        if (softBreak) {
            logical.last().chop(1);
            logical.last() += line;
        } else if (line.startsWith(' ') && !logical.isEmpty()) {
            logical.last() += line.mid(1);
        } else {
            logical += line;
        }
        softBreak = logical.last().contains("QUOTED-PRINTABLE") && logical.last().endsWith('=');
    }
    return logical;
}

QByteArray valueOf(const QByteArray &line)
{
    return line.mid(line.indexOf(':') + 1);
}

QByteArray decodeQuotedPrintable(const QByteArray &encoded)
{
    QByteArray out;
    for (qsizetype i = 0; i < encoded.size(); ++i) {
        if (encoded.at(i) == '=' && i + 2 < encoded.size()) {
            out += char(encoded.mid(i + 1, 2).toInt(nullptr, 16));
            i += 2;
        } else {
            out += encoded.at(i);
        }
    }
    return out;
}

struct VCardFormat
{
    const char *format;
    const char *version;
};

void PrintTo(const VCardFormat &f, std::ostream *os)
{
    *os << f.format;
}

class GeneratedVCards : public ::testing::TestWithParam<VCardFormat>
{
};

TEST_P(GeneratedVCards, AreWellFormed)
{
    const QByteArray text = generate(QString::fromLatin1(GetParam().format), 200);
    const QList<QByteArray> physical = physicalLines(text);
    for (const QByteArray &line : physical) {
        EXPECT_LE(line.size(), 75) << line.toStdString();
        // Folds never cut a character in two.
        EXPECT_TRUE(isUtf8(line)) << line.toStdString();
    }

    static const QRegularExpression contentLine(
        QStringLiteral("^([A-Za-z0-9-]+\\.)?[A-Za-z0-9-]+(;[^:]*)?:"));
    int cards = 0;
    int photos = 0;
    bool inCard = false;
    QByteArray previous;
    for (const QByteArray &line : logicalLines(physical)) {
        if (line == "BEGIN:VCARD") {
            EXPECT_FALSE(inCard) << "card " << cards << " not ended";
            inCard = true;
        } else if (line == "END:VCARD") {
            EXPECT_TRUE(inCard);
            inCard = false;
            ++cards;
        } else if (line.isEmpty()) {
            // Only a 2.1 BASE64 value ends with an empty line.
            EXPECT_TRUE(previous.startsWith("PHOTO;ENCODING=BASE64")) << "after " << previous.toStdString();
        } else {
            EXPECT_TRUE(inCard) << line.toStdString();
            EXPECT_TRUE(contentLine.match(QString::fromUtf8(line)).hasMatch()) << line.toStdString();
            if (previous == "BEGIN:VCARD") {
                EXPECT_EQ(line, QByteArray("VERSION:") + GetParam().version);
            }
            if (line.contains("QUOTED-PRINTABLE")) {
                EXPECT_TRUE(isUtf8(decodeQuotedPrintable(valueOf(line)))) << line.toStdString();
            }
            if (line.startsWith("PHOTO;")) {
                ++photos;
                EXPECT_FALSE(QImage::fromData(QByteArray::fromBase64(valueOf(line)), "JPEG").isNull());
            }
        }
        previous = line;
    }
    EXPECT_FALSE(inCard);
    EXPECT_EQ(cards, 200);
    EXPECT_GT(photos, 0) << "a few per cent of cards carry a photo";
}

INSTANTIATE_TEST_SUITE_P(Versions, GeneratedVCards,
                         ::testing::Values(VCardFormat { "vcard30", "3.0" },
                                           VCardFormat { "vcard21", "2.1" }),
                         [](const auto &info) { return std::string(info.param.format); });

// The cards, or the CSV lines, of a generated file.
QList<QByteArray> records(const QByteArray &text, const QString &format)
{
    QList<QByteArray> out;
    QByteArray current;
    for (const QByteArray &line : text.split('\n')) {
        current += line + '\n';
        if (format == u"csv" ? !line.isEmpty() : line.startsWith("END:VCARD")) {
            out += current;
            current.clear();
        }
    }
    return out;
}

TEST(GeneratedFiles, DependOnTheSeedOnlyAndGrowByAppending)
{
    for (const char *name : { "vcard30", "vcard21", "csv" }) {
        const QString format = QString::fromLatin1(name);
        SCOPED_TRACE(name);
        const QByteArray large = generate(format, 200);
        EXPECT_EQ(generate(format, 200), large) << "two runs differ";
        EXPECT_NE(generate(format, 200, 8), large) << "the seed changes nothing";
        const QList<QByteArray> small = records(generate(format, 40), format);
        ASSERT_FALSE(small.isEmpty());
        EXPECT_EQ(records(large, format).mid(0, small.size()), small);
    }
}

// Cells as the program's writer quotes them: bare, "with space" or ""with space, and comma"".
QStringList csvCells(const QString &line)
{
    static const QRegularExpression cell(QStringLiteral(R"((""[^"]*""|"[^"]*"|[^,"]*)(,|$))"));
    QStringList cells;
    qsizetype pos = 0;
    while (pos < line.size()) {
        const QRegularExpressionMatch m = cell.match(line, pos, QRegularExpression::NormalMatch,
                                                     QRegularExpression::AnchorAtOffsetMatchOption);
        if (!m.hasMatch() || m.capturedLength() == 0)
            return cells << QStringLiteral("<unparsable at %1>").arg(pos);
        cells += m.captured(1);
        pos = m.capturedEnd();
        if (m.captured(2).isEmpty())
            return cells;
    }
    return cells << QString(); // the line ended with a comma
}

TEST(GeneratedFiles, CsvHasTheProgramsHeaderAnd32CellsPerContact)
{
    const QByteArray text = generate(QStringLiteral("csv"), 200);
    EXPECT_FALSE(text.contains('\r'));
    ASSERT_TRUE(isUtf8(text));
    const QStringList lines = QString::fromUtf8(text).split(u'\n');
    ASSERT_EQ(lines.size(), 202); // header, 200 contacts, the empty piece after the last line feed
    EXPECT_EQ(lines.first(),
              qs("Name,Home Phone,Home Phone,Home Phone,Home Email,Home Email,Home Email,Home ZIP,"
                 "Home State,Home City,Home Street,Work ZIP,Work State,Work City,Work Street,"
                 "Other ZIP,Other State,Other City,Other Street,Birthday,Title,Company,Department,"
                 "Job Title,First Name,Last Name,Nickname,Note,Facebook,LinkedIn,Flickr,SinaWeibo"));
    static const QRegularExpression birthday(
        QStringLiteral(R"(^(\d{4}\.\d{2}\.\d{2}\((Sun|Mon|Tue|Wed|Thu|Fri|Sat)\))?$)"));
    for (qsizetype i = 1; i <= 200; ++i) {
        const QStringList cells = csvCells(lines.at(i));
        ASSERT_EQ(cells.size(), 32) << lines.at(i).toStdString();
        EXPECT_FALSE(cells.at(0).isEmpty()) << "no name: " << lines.at(i).toStdString();
        EXPECT_TRUE(birthday.match(cells.at(19)).hasMatch()) << cells.at(19).toStdString();
    }
}

// The reference files pin the output across compilers and platforms (a random draw in an
// expression with unspecified evaluation order would show here first). When the generated
// content changes on purpose, write them anew with the same commands.
TEST(GeneratedFiles, MatchTheReferenceFiles)
{
    const QList<std::pair<const char *, const char *>> references
        = { { "vcard30", "seed7-v30.vcf" }, { "vcard21", "seed7-v21.vcf" }, { "csv", "seed7.csv" } };
    for (const auto &[format, name] : references) {
        QFile file(QStringLiteral(PELLORY_SOURCE_DIR "/tests/bench/data/") + QString::fromLatin1(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        const QList<QByteArray> expected = file.readAll().split('\n');
        const QList<QByteArray> actual = generate(QString::fromLatin1(format), 12, 7).split('\n');
        for (qsizetype i = 0; i < std::max(expected.size(), actual.size()); ++i) {
            ASSERT_EQ(actual.value(i), expected.value(i)) << name << " line " << i + 1;
        }
    }
}

TEST(GeneratedFiles, BadArgumentsFailWithoutWriting)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("never"));
    const QList<QStringList> cases = {
        { QStringLiteral("--format"), QStringLiteral("vcard40"), QStringLiteral("--count"),
          QStringLiteral("1") },
        { QStringLiteral("--count"), QStringLiteral("many") },
        { QStringLiteral("--count"), QStringLiteral("3"), QStringLiteral("--seed"), QStringLiteral("-1") },
    };
    for (const QStringList &arguments : cases) {
        QProcess process;
        process.start(QStringLiteral(GENCONTACTS_PATH),
                      arguments + QStringList { QStringLiteral("--out"), path });
        ASSERT_TRUE(process.waitForFinished(60000));
        EXPECT_NE(process.exitCode(), 0) << arguments.join(u' ').toStdString();
        EXPECT_FALSE(QFile::exists(path)) << arguments.join(u' ').toStdString();
    }
}

} // namespace
