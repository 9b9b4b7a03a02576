#include "../testutil.h"
#include "platform/encodings.h"
#include "platform/keys.h"
#include "platform/textcodec.h"
#include "platform/textencodingattribute.h"
#include "platform/textfilereader.h"
#include "platform/utf8.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/xattr.h>

namespace {

QByteArray encoded(const QString &text, const char *charset)
{
    bool ok = false;
    const QByteArray bytes = TextCodec::encode(text, qs(charset), &ok);
    EXPECT_TRUE(ok) << charset;
    return bytes;
}

TEST(Utf8, Validation)
{
    const struct
    {
        const char *name;
        QByteArray bytes;
        bool valid;
    } cases[] = {
        { "empty", "", true },
        { "ASCII longer than a word", "BEGIN:VCARD\r\nVERSION:3.0\r\n", true },
        { "two, three and four bytes", "\xc3\xa9\xe6\x97\xa5\xf0\x9f\x98\x80", true },
        { "non-ASCII after eight ASCII bytes", "ABCDEFGH\xc3\xa9", true },
        { "highest code point", "\xf4\x8f\xbf\xbf", true },
        { "stray continuation", "abc\x80", false },
        { "overlong two bytes", "\xc0\xaf", false },
        { "overlong three bytes", "\xe0\x80\xaf", false },
        { "surrogate", "\xed\xa0\x80", false },
        { "past U+10FFFF", "\xf4\x90\x80\x80", false },
        { "cut at the end", "ABCDEFGH\xe6\x97", false },
        { "Latin 1", "Caf\xe9 au lait", false },
    };
    for (const auto &c : cases)
        EXPECT_EQ(Utf8::isValid(c.bytes), c.valid) << c.name;
}

// Large texts are checked in two halves at once: the verdict must not depend on where they meet.
TEST(Utf8, LargeTextsAreJudgedWhole)
{
    QByteArray text = "A" + QByteArray("\xe6\x97\xa5").repeated(3'200'000); // its middle falls inside a character
    EXPECT_TRUE(Utf8::isValid(text));
    const qsizetype middle = text.size() / 2;
    for (const qsizetype at : { qsizetype(1), middle - 1, middle, middle + 1, text.size() - 1 }) {
        QByteArray broken = text;
        broken[at] = 'x'; // a character cut short, or a stray continuation after it
        EXPECT_FALSE(Utf8::isValid(broken)) << at;
    }
    QByteArray cutAtTheEnd = text;
    cutAtTheEnd.chop(1);
    EXPECT_FALSE(Utf8::isValid(cutAtTheEnd));
}

TEST(TextFileReader, AutomaticDetectsAndStrictDecodes)
{
    const QString japanese = qs("FN:山田太郎\nNOTE:東京都千代田区丸の内の事務所、電話で連絡。\n");
    const QString western = qs("FN:Renée Müller\nNOTE:Straße – “Büro” für 50 €\n");
    const struct
    {
        const char *name;
        QByteArray bytes;
        QString text;
        int detected;
    } cases[] = {
        { "UTF-8", japanese.toUtf8(), japanese, Encodings::UTF8 },
        { "UTF-8 with BOM", "\xEF\xBB\xBF" + western.toUtf8(), western, Encodings::UTF8 },
        { "ASCII", "FN:John\n", qs("FN:John\n"), Encodings::UTF8 },
        { "UTF-16LE with BOM", "\xFF\xFE" + encoded(japanese, "UTF-16LE"), japanese,
          Encodings::UTF16LittleEndian },
        { "UTF-16BE with BOM", "\xFE\xFF" + encoded(western, "UTF-16BE"), western,
          Encodings::UTF16BigEndian },
        { "UTF-32LE with BOM", QByteArray("\xFF\xFE\x00\x00", 4) + encoded(western, "UTF-32LE"), western,
          Encodings::UTF32LittleEndian },
        { "Shift_JIS", encoded(japanese, "Shift_JIS"), japanese, 100 },
        { "EUC-JP", encoded(japanese, "EUC-JP"), japanese, 101 },
        { "ISO-2022-JP", encoded(japanese, "ISO-2022-JP"), japanese, 102 },
        { "windows-1252", encoded(western, "windows-1252"), western, Encodings::WindowsLatin1 },
    };
    for (const auto &c : cases) {
        const DecodedText automatic = TextFileReader::decode(c.bytes, Encodings::Automatic);
        EXPECT_TRUE(automatic.ok()) << c.name << ": " << automatic.errorString.toStdString();
        EXPECT_EQ(automatic.text, c.text) << c.name;
        EXPECT_EQ(Encodings::encodingTypeName(automatic.encoding), Encodings::encodingTypeName(c.detected))
            << c.name;

        const DecodedText strict = TextFileReader::decode(c.bytes, c.detected);
        EXPECT_EQ(strict.text, c.text) << c.name << " read strictly";
    }
}

TEST(TextFileReader, StrictReadsFailWithTheEncodingsName)
{
    const QByteArray sjis = encoded(qs("山田太郎"), "Shift_JIS");
    const DecodedText asUtf8 = TextFileReader::decode(sjis, Encodings::UTF8, qs("yamada.vcf"));
    EXPECT_FALSE(asUtf8.ok());
    EXPECT_TRUE(asUtf8.text.isEmpty());
    EXPECT_TRUE(asUtf8.errorString.contains(qs("yamada.vcf"))) << asUtf8.errorString.toStdString();
    EXPECT_TRUE(asUtf8.errorString.contains(qs("Unicode (UTF-8)"))) << asUtf8.errorString.toStdString();

    EXPECT_FALSE(TextFileReader::decode("Caf\xe9", 14 /* ASCII */).ok());
    EXPECT_FALSE(TextFileReader::decode("\xFF\xFE\x41", Encodings::UTF16LittleEndian).ok()) << "odd length";
    EXPECT_FALSE(TextFileReader::decode("abc", 9999).ok()) << "an encoding not in the table";
}

TEST(TextFileReader, Utf8ContentComesAlsoAsBytes)
{
    const QByteArray body = qs("FN:Zoë\n").toUtf8();
    const DecodedText both = TextFileReader::decode("\xEF\xBB\xBF" + body, Encodings::Automatic);
    EXPECT_EQ(both.bytes, body) << "without the byte-order mark";
    EXPECT_EQ(both.text, qs("FN:Zoë\n"));

    const DecodedText bytesOnly
        = TextFileReader::decode(body, Encodings::UTF8, QString(), TextFileReader::Utf8Text::Skip);
    EXPECT_EQ(bytesOnly.bytes, body);
    EXPECT_TRUE(bytesOnly.text.isEmpty());

    // Readers that decode each value themselves get the bytes of any encoding that keeps ASCII.
    const QByteArray latin = encoded(qs("Zoë"), "windows-1252");
    const DecodedText legacy
        = TextFileReader::decode(latin, Encodings::Automatic, QString(), TextFileReader::Utf8Text::Skip);
    EXPECT_EQ(legacy.bytes, latin);
    EXPECT_EQ(legacy.encoding, Encodings::WindowsLatin1);
    EXPECT_TRUE(legacy.text.isEmpty());
    EXPECT_EQ(TextFileReader::decode(latin, Encodings::Automatic).text, qs("Zoë")) << "decoded when asked";

    const DecodedText wide
        = TextFileReader::decode("\xFF\xFE" + encoded(qs("Zoë"), "UTF-16LE"), Encodings::Automatic, QString(),
                                 TextFileReader::Utf8Text::Skip);
    EXPECT_EQ(wide.text, qs("Zoë")) << "UTF-16 keeps no ASCII: it always gives text";
    EXPECT_TRUE(wide.bytes.isEmpty());
}

TEST(TextFileReader, DetectionLooksPastALongAsciiStart)
{
    // Legacy letters only at the end of a large file: the detector must still see them.
    QByteArray bytes;
    while (bytes.size() < 300 * 1024)
        bytes += "PHOTO;ENCODING=b:iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAfFcSJAAAADUlEQVR42mNk\r\n";
    const QString tail
        = qs("FN:山田花子\r\nORG:株式会社サンプル\r\nNOTE:大阪府大阪市北区梅田の支店に勤務しています。\r\n");
    bytes += encoded(tail, "Shift_JIS");
    const DecodedText result = TextFileReader::decode(bytes, Encodings::Automatic);
    EXPECT_EQ(Encodings::encodingTypeName(result.encoding), qs("Japanese (Shift JIS)"));
    EXPECT_TRUE(result.text.endsWith(tail));
}

TEST(TextFileReader, ReadsFilesAndExplainsFailures)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(qs("card.vcf"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(encoded(qs("FN:Jürgen\n"), "ISO-8859-1"));
    file.close();

    const DecodedText read = TextFileReader::read(path, Encodings::Automatic);
    EXPECT_TRUE(read.ok());
    EXPECT_EQ(read.text, qs("FN:Jürgen\n"));

    const DecodedText missing = TextFileReader::read(dir.filePath(qs("gone.vcf")), Encodings::Automatic);
    EXPECT_TRUE(missing.errorString.contains(qs("gone.vcf"))) << missing.errorString.toStdString();
    EXPECT_FALSE(TextFileReader::read(dir.path(), Encodings::Automatic).ok()) << "a folder";
}

// Every corpus file of a known encoding is detected as something that gives its true text.
TEST(TextFileReader, DetectsTheCorpusEncodings)
{
    QFile manifest(qs(PELLORY_CORPUS_DIR "/MANIFEST.tsv"));
    ASSERT_TRUE(manifest.open(QIODevice::ReadOnly));
    manifest.readLine(); // header
    int checked = 0;
    while (!manifest.atEnd()) {
        const QStringList fields = QString::fromUtf8(manifest.readLine()).trimmed().split(u'\t');
        if (fields.size() < 5)
            continue;
        const QString path = qs(PELLORY_CORPUS_DIR "/") + fields[0];
        QString charset = fields[4];
        charset.remove(qs(" BOM"));
        charset = charset.section(u' ', 0, 0);
        const DecodedText result = TextFileReader::read(path, Encodings::Automatic);
        EXPECT_TRUE(result.ok()) << fields[0].toStdString();
        if (charset == qs("ASCII"))
            charset = qs("UTF-8");
        if (!TextCodec::isKnown(charset))
            continue; // mixed or binary content: reading without failure is all there is
        QFile raw(path);
        ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
        QString expected = TextCodec::decode(raw.readAll(), charset);
        if (expected.startsWith(QChar(0xFEFF)))
            expected.remove(0, 1);
        EXPECT_EQ(result.text, expected)
            << fields[0].toStdString() << " (" << charset.toStdString() << ") read as "
            << Encodings::encodingTypeName(result.encoding).toStdString();
        ++checked;
    }
    EXPECT_GT(checked, 200);
}

TEST(TextEncodingAttribute, ValuesAndFiles)
{
    const struct
    {
        const char *value;
        int encoding;
    } cases[] = {
        { "Shift_JIS;100", 100 },
        { "windows-1252;11", Encodings::WindowsLatin1 },
        { "UTF-16BE", Encodings::UTF8 },
        { "", Encodings::UTF8 },
        { "x-unknown;9999", Encodings::UTF8 },
        { "ISO-8859-1;abc", Encodings::UTF8 },
    };
    for (const auto &c : cases)
        EXPECT_EQ(encodingFromTextEncodingAttributeValue(c.value), c.encoding) << c.value;
    EXPECT_EQ(textEncodingAttributeValue(100), QByteArray("Shift_JIS;100"));

    QTemporaryDir dir;
    const QString path = dir.filePath(qs("out.vcf"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_EQ(encodingFromTextEncodingAttribute(path), Encodings::UTF8) << "no attribute";
    QString error;
    if (!saveTextEncodingAttribute(path, 101, &error))
        GTEST_SKIP() << "the file system refuses user attributes: " << error.toStdString();
    EXPECT_EQ(encodingFromTextEncodingAttribute(path), 101);

    const QByteArray name = QFile::encodeName(path);
    const QByteArray tooLong(200, '9');
    ASSERT_EQ(setxattr(name.constData(), FileAttribute::TextEncoding, tooLong.constData(), tooLong.size(), 0),
              0);
    EXPECT_EQ(encodingFromTextEncodingAttribute(path), Encodings::UTF8) << "longer than 100 bytes";
}

} // namespace
