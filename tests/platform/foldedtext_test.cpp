// Text of folded lines judged on its unfolded text, and files handed to readers as their bytes.
#include "../testutil.h"
#include "platform/encodings.h"
#include "platform/textcodec.h"
#include "platform/textfilereader.h"
#include "platform/utf8.h"

#include <gtest/gtest.h>

namespace {

QString qs(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

TEST(FoldedText, Utf8IsJudgedOnTheUnfoldedText)
{
    struct Case
    {
        const char *name;
        QByteArray bytes;
        bool valid; // once unfolded
    };
    const QByteArray ae = qs("ä").toUtf8(); // two bytes
    const QByteArray kanji = qs("漢").toUtf8(); // three bytes
    const Case cases[] = {
        { "fold with CR LF inside a two-byte character", "N:" + ae.left(1) + "\r\n " + ae.mid(1), true },
        { "fold with LF and a tab", "N:" + ae.left(1) + "\n\t" + ae.mid(1), true },
        { "fold with CR CR LF", "N:" + ae.left(1) + "\r\r\n " + ae.mid(1), true },
        { "fold with a lone CR", "N:" + ae.left(1) + "\r " + ae.mid(1), true },
        { "two folds inside one character",
          kanji.left(1) + "\r\n " + kanji.mid(1, 1) + "\r\n " + kanji.mid(2), true },
        { "a line break that is no fold", "N:" + ae.left(1) + "\r\nX" + ae.mid(1), false },
        { "a fold that leaves a character short at the end", "N:" + kanji.left(2) + "\r\n ", false },
        { "a stray continuation byte after a fold", "N:a\r\n \x80", false },
        { "Latin 1", "N:Caf\xe9\r\n", false },
    };
    for (const Case &c : cases) {
        EXPECT_EQ(Utf8::isValidUnfolded(c.bytes), c.valid) << c.name;
        if (!c.valid)
            continue;
        EXPECT_FALSE(Utf8::isValid(c.bytes)) << c.name << ": only valid once unfolded";
        const DecodedText read
            = TextFileReader::decode(c.bytes, Encodings::Automatic, QString(), TextFileReader::Utf8Text::Skip,
                                     TextFileReader::Lines::Folded);
        EXPECT_EQ(read.encoding, Encodings::UTF8) << c.name;
        EXPECT_EQ(read.bytes, c.bytes) << c.name << ": handed back as they are";
    }
}

TEST(FoldedText, LargeTextIsCheckedInHalvesAtALineStart)
{
    // Past the size that is checked in two halves, with a character folded at every line: the
    // halves must meet at a line start, not inside a fold.
    const QByteArray line = "NOTE:" + QByteArray(60, 'x') + qs("ä").toUtf8().left(1) + "\r\n "
        + qs("ä").toUtf8().mid(1) + "\r\n";
    const QByteArray text = line.repeated((9 << 20) / line.size());
    EXPECT_TRUE(Utf8::isValidUnfolded(text));
    EXPECT_FALSE(Utf8::isValidUnfolded(QByteArray(text + "\xC3")));
}

TEST(FoldedText, LegacyFilesOfFoldedLinesAreReadAsTheirBytes)
{
    // A Shift_JIS character folded between its two bytes decodes only once unfolded.
    const QByteArray sjis = TextCodec::encode(qs("安藤"), QStringLiteral("Shift_JIS"));
    const QByteArray text = "N;CHARSET=SHIFT_JIS:" + sjis.left(1) + "\r\n " + sjis.mid(1) + "\r\n";
    const int shiftJis = Encodings::findByCharset(QStringLiteral("Shift_JIS"))->number;
    EXPECT_FALSE(TextFileReader::decode(text, shiftJis).ok()) << "plain lines: no Shift_JIS";
    const DecodedText read = TextFileReader::decode(text, shiftJis, QString(), TextFileReader::Utf8Text::Skip,
                                                    TextFileReader::Lines::Folded);
    ASSERT_TRUE(read.ok()) << read.errorString.toStdString();
    EXPECT_EQ(read.bytes, text);
    EXPECT_TRUE(read.text.isEmpty());
}

TEST(FoldedText, CharsetsThatKeepAscii)
{
    for (const char *name : { "UTF-8", "windows-1252", "ISO-8859-7", "Shift_JIS", "EUC-JP", "ISO-2022-JP",
                              "GB18030", "Big5", "KOI8-R" })
        EXPECT_TRUE(TextCodec::keepsAscii(QLatin1StringView(name))) << name;
    for (const char *name : { "UTF-16LE", "UTF-16BE", "UTF-32", "UTF-7", "IBM037", "no-such-charset" })
        EXPECT_FALSE(TextCodec::keepsAscii(QLatin1StringView(name))) << name;
}

} // namespace
