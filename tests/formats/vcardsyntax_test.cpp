// The line layer: unfolding, quoted-printable soft breaks, quoted parameters, decoding, escapes
// and folding.
#include "../testutil.h"
#include "formats/vcardsyntax_p.h"

#include <gtest/gtest.h>

namespace {

using VCardSyntax::Card;

struct LineCase
{
    const char *name;
    const char *card;
    const char *property;
    const char *expectedText;
};

const LineCase kLineCases[] = {
    { "FoldRemovesOneSpace", "BEGIN:VCARD\r\nNOTE:abc\r\n  def\r\nEND:VCARD\r\n", "NOTE", "abc def" },
    { "FoldWithTab", "BEGIN:VCARD\nNOTE:abc\n\tdef\nEND:VCARD\n", "NOTE", "abcdef" },
    { "SoftBreakJoinsNextLine", "BEGIN:VCARD\r\nNOTE;ENCODING=QUOTED-PRINTABLE:ab=\r\ncd\r\nEND:VCARD\r\n",
      "NOTE", "abcd" },
    { "SoftBreakInsideUtf8Sequence",
      "BEGIN:VCARD\r\nNOTE;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=E5=\r\n=B1=B1x\r\nEND:VCARD\r\n", "NOTE",
      "\xE5\xB1\xB1x" },
    { "BareQuotedPrintableToken", "BEGIN:VCARD\r\nNOTE;QUOTED-PRINTABLE:a=3Db\r\nEND:VCARD\r\n", "NOTE",
      "a=b" },
    { "DeclaredCharset",
      "BEGIN:VCARD\r\nNOTE;CHARSET=windows-1252;ENCODING=QUOTED-PRINTABLE:caf=E9\r\nEND:VCARD\r\n", "NOTE",
      "caf\xC3\xA9" },
    { "Latin1BytesWithoutCharset",
      "BEGIN:VCARD\r\nNOTE;ENCODING=QUOTED-PRINTABLE:Iksi=F1ski\r\nEND:VCARD\r\n", "NOTE",
      "Iksi\xC3\xB1ski" },
    { "ColonInsideQuotedParameter", "BEGIN:VCARD\r\nTEL;TYPE=\"a:b;c\":123\r\nEND:VCARD\r\n", "TEL", "123" },
    { "StrayQuoteIsLiteral", "BEGIN:VCARD\r\nNOTE;X=\"abc:def\r\nEND:VCARD\r\n", "NOTE", "def" },
    { "Escapes", "BEGIN:VCARD\r\nNOTE:a\\nb\\,c\\;d\\\\e\\Nf\r\nEND:VCARD\r\n", "NOTE", "a\nb,c;d\\e\nf" },
    { "UnknownEscapeKept", "BEGIN:VCARD\r\nNOTE:C:\\temp\r\nEND:VCARD\r\n", "NOTE", "C:\\temp" },
    { "BareCarriageReturnLines", "BEGIN:VCARD\rNOTE:x\rEND:VCARD\r", "NOTE", "x" },
    { "LoneCarriageReturnInValue", "BEGIN:VCARD\nNOTE:a\rb\nEND:VCARD\n", "NOTE", "a\rb" },
    { "GroupedProperty", "BEGIN:VCARD\nitem1.NOTE:grouped\nEND:VCARD\n", "NOTE", "grouped" },
    { "ManyFolds", "BEGIN:VCARD\r\nNOTE:ab\r\n c\r\n \r\n d\r\n\te\r\nEND:VCARD\r\n", "NOTE", "abcde" },
    { "SoftBreaksAndFoldsMixed",
      "BEGIN:VCARD\r\nNOTE;ENCODING=QUOTED-PRINTABLE:a=\r\n=3D=\r\n b\r\nEND:VCARD\r\n", "NOTE", "a= b" },
    { "Utf8CutShortAtTheEnd", "BEGIN:VCARD\r\nNOTE;ENCODING=QUOTED-PRINTABLE:caf=C3\r\nEND:VCARD\r\n", "NOTE",
      "caf\xC3\x83" },
    { "ByteOrderMarkLeadingAValueDropped", "BEGIN:VCARD\r\nNOTE:\xEF\xBB\xBFx\r\nEND:VCARD\r\n", "NOTE", "x" },
};

class LineTest : public testing::TestWithParam<LineCase>
{
};

TEST_P(LineTest, DecodesTheValue)
{
    const LineCase &c = GetParam();
    const Card card { QByteArrayView(c.card) };
    QString found;
    bool seen = false;
    for (const VCardSyntax::Property &p : card.properties()) {
        if (p.is(QLatin1StringView(c.property))) {
            found = VCardSyntax::unescape(VCardSyntax::decodeText(p));
            seen = true;
        }
    }
    ASSERT_TRUE(seen) << "no " << c.property << " in " << c.card;
    EXPECT_EQ(found, QString::fromUtf8(c.expectedText)) << c.card;
}

INSTANTIATE_TEST_SUITE_P(Cards, LineTest, testing::ValuesIn(kLineCases),
                         [](const testing::TestParamInfo<LineCase> &info) {
                             return std::string(info.param.name);
                         });

TEST(VCardSyntax, QuotedParameterKeepsItsSeparators)
{
    const Card card { QByteArrayView("BEGIN:VCARD\r\nitem2.TEL;TYPE=\"a:b,c\";X-P=1:123\r\nEND:VCARD\r\n") };
    ASSERT_EQ(card.properties().size(), 1);
    const VCardSyntax::Property &p = card.properties().first();
    EXPECT_EQ(p.group, QByteArrayView("item2"));
    EXPECT_EQ(p.parameter(QLatin1StringView("TYPE")), QByteArrayView("a:b,c"));
    EXPECT_EQ(p.parameter(QLatin1StringView("x-p")), QByteArrayView("1"));
}

TEST(VCardSyntax, NestedCardPropertiesAreNotThisCards)
{
    const Card card { QByteArrayView(
        "BEGIN:VCARD\nN:Outer\nAGENT:\nBEGIN:VCARD\nN:Inner\nEND:VCARD\nEND:VCARD\n") };
    QStringList names;
    for (const VCardSyntax::Property &p : card.properties())
        names.append(VCardSyntax::decodeText(p));
    EXPECT_EQ(names, (QStringList { QStringLiteral("Outer"), QString() }));
}

TEST(VCardSyntax, SplitsComponentsOnlyAtUnescapedSeparators)
{
    EXPECT_EQ(VCardSyntax::splitEscaped(u"a\\;b;c\\\\;d", u';'),
              (QStringList { QStringLiteral("a;b"), QStringLiteral("c\\"), QStringLiteral("d") }));
    EXPECT_EQ(VCardSyntax::splitEscaped(u"", u';'), QStringList { QString() });
}

// Folding: no line longer than 75 octets, no UTF-8 sequence split, and unfolding gives back the line.
TEST(VCardSyntax, FoldingKeepsCharactersWholeAndUnfoldsBack)
{
    const QString samples[] = { QString(200, u'a'), QString::fromUtf8("NOTE:") + QString(90, QChar(0x5C71)),
                                QStringLiteral("NOTE:") + QString::fromUtf8("\xF0\x9F\x98\x80").repeated(40),
                                QStringLiteral("NOTE:short"), QStringLiteral("NOTE:") + QString(70, u'x'),
                                QStringLiteral("NOTE:") + QString(71, u'x') };
    for (const QString &line : samples) {
        // Lines are appended to what was written before.
        const QByteArray before = "VERSION:3.0\r\n";
        QByteArray out = before;
        VCardSyntax::appendFolded(out, line.toUtf8());
        ASSERT_TRUE(out.startsWith(before));
        out.remove(0, before.size());
        ASSERT_TRUE(out.endsWith("\r\n"));
        for (const QByteArray &physical : out.chopped(2).split('\n')) {
            const QByteArray bare = physical.endsWith('\r') ? physical.chopped(1) : physical;
            EXPECT_LE(bare.size(), 75) << line.toStdString();
            EXPECT_TRUE(QUtf8StringView(bare.startsWith(' ') ? bare.mid(1) : bare).isValidUtf8())
                << line.toStdString();
        }
        // The card views its bytes, so they must outlive it.
        const QByteArray bytes = "BEGIN:VCARD\r\n" + out + "END:VCARD\r\n";
        const Card card { bytes };
        ASSERT_EQ(card.properties().size(), line.startsWith(QLatin1StringView("NOTE")) ? 1 : 0);
        if (!card.properties().isEmpty()) {
            EXPECT_EQ(QStringLiteral("NOTE:") + VCardSyntax::decodeText(card.properties().first()), line);
        }
    }
}

TEST(VCardSyntax, PhotoLinesFoldAt75Characters)
{
    struct Case
    {
        int base64Length;
        QList<int> lineLengths;
    };
    // The first line holds 48 Base64 characters after the 27-character head, every further line a
    // space and 74 characters.
    const Case cases[]
        = { { 200, { 75, 75, 75, 5 } }, { 48, { 75 } }, { 49, { 75, 2 } }, { 196, { 75, 75, 75 } } };
    for (const Case &c : cases) {
        QByteArray out;
        VCardSyntax::appendFolded(
            out, QByteArray("PHOTO;ENCODING=b;TYPE=JPEG:" + QByteArray(c.base64Length, 'A')));
        QList<int> lengths;
        for (const QByteArray &line : out.chopped(2).split('\n'))
            lengths.append(int(line.endsWith('\r') ? line.size() - 1 : line.size()));
        EXPECT_EQ(lengths, c.lineLengths) << c.base64Length << " Base64 characters";
    }
}

TEST(VCardSyntax, QuotedParameterValuesReadBackWhole)
{
    EXPECT_EQ(VCardSyntax::parameterValue(u"home"), QStringLiteral("home"));
    EXPECT_EQ(VCardSyntax::parameterValue(u"a:b"), QStringLiteral("\"a:b\""));
    EXPECT_EQ(VCardSyntax::parameterValue(u"say \"hi\"^"), QStringLiteral("\"say ^'hi^'^^\""));
}

} // namespace

TEST(VCardSyntax, Base64DecodesFoldedAndPaddedDataLikeTheGeneralDecoder)
{
    // Every length modulo 3, folding whitespace of both 2.1 and 3.0 files, and stray characters.
    QByteArray payload;
    for (int i = 0; i < 300; ++i)
        payload.append(char((i * 37 + 11) & 0xFF));
    for (qsizetype length : { 0, 1, 2, 3, 4, 5, 299, 300 }) {
        const QByteArray data = payload.left(length);
        // Breaks at and between the boundaries of four-character groups.
        for (qsizetype first : { 60, 61, 62, 63 }) {
            QByteArray encoded = data.toBase64();
            for (qsizetype at = first; at < encoded.size(); at += 62)
                encoded.insert(at, at % 124 == first % 124 ? "\r\n " : "\n\t");
            EXPECT_EQ(VCardSyntax::decodeBase64(encoded), data) << length << " " << first;
            EXPECT_EQ(VCardSyntax::decodeBase64(encoded), QByteArray::fromBase64(encoded)) << length;
        }
    }
    EXPECT_EQ(VCardSyntax::decodeBase64("TWFu=garbage"), QByteArray("Man"));
    EXPECT_EQ(VCardSyntax::decodeBase64("T W\x01" "Fu"), QByteArray("Man"));
}
