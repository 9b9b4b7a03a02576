// Reading real vCard files as the program opens them: line ends, charsets declared per property,
// lines folded inside characters, cards cut off or nested, card boundaries inside values.
#include "../testutil.h"
#include "formats/contactdump.h"
#include "formats/qvvcard.h"
#include "platform/encodings.h"
#include "platform/textcodec.h"
#include "platform/textfilereader.h"
#include "record/keys.h"
#include "vcardtestutil.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

using VCardTest::contacts;

struct Read
{
    QString error;
    ContainerTable table;
    VCardReadStatistics stats;
    QString dump; // the contacts as JSON, empty after an error
};

// Bytes decoded and read the way a document opens a file.
Read readBytes(const QByteArray &bytes, int encoding = Encodings::Automatic)
{
    Read r;
    const DecodedText decoded
        = TextFileReader::decode(bytes, encoding, QStringLiteral("test.vcf"), TextFileReader::Utf8Text::Skip,
                                 TextFileReader::Lines::Folded);
    if (!decoded.ok()) {
        r.error = decoded.errorString;
        return r;
    }
    r.table = QVvCard::containersFromVCardFile(decoded, {}, &r.stats).value_or(ContainerTable());
    r.dump = QString::fromUtf8(ContactDump::dump(r.table));
    return r;
}

QByteArray corpusFile(const char *path)
{
    return VCardTest::readFile(QStringLiteral(PELLORY_CORPUS_DIR "/") + QLatin1StringView(path));
}

QString names(const ContainerTable &table)
{
    QStringList list;
    for (const ContactEntry &entry : contacts(table))
        list.append(entry->person->compositeName());
    return list.join(u'|');
}

// ---- Charsets ------------------------------------------------------------------------------

TEST(VCardFiles, DeclaredCharsetsDecodeEachValueOnce)
{
    struct Case
    {
        const char *file;
        int encoding;
        QStringList expected; // texts the contacts must hold
    };
    const int shiftJis = Encodings::findByCharset(QStringLiteral("Shift_JIS"))->number;
    const Case cases[] = {
        { "CyanogenMod__android_frameworks_opt_vcard/tests/res/raw/v21_japanese_1.vcf",
          Encodings::Automatic,
          { QStringLiteral("安藤ロイド") } },
        { "CyanogenMod__android_frameworks_opt_vcard/tests/res/raw/v21_japanese_1.vcf",
          shiftJis,
          { QStringLiteral("安藤ロイド") } },
        { "CyanogenMod__android_frameworks_opt_vcard/tests/res/raw/v21_japanese_3.vcf",
          Encodings::Automatic,
          { QStringLiteral("伊能"), QStringLiteral("圭一") } },
        { "CyanogenMod__android_frameworks_opt_vcard/tests/res/raw/v30_japanese.vcf",
          Encodings::Automatic,
          { QStringLiteral("伊能"), QStringLiteral("圭一") } },
        { "CyanogenMod__android_frameworks_opt_vcard/tests/res/raw/v30_japanese.vcf",
          shiftJis,
          { QStringLiteral("伊能"), QStringLiteral("圭一") } },
        { "roundcube__roundcubemail/tests/src/johndoe.vcf",
          Encodings::Automatic,
          { QStringLiteral("John Doë") } },
        // windows-1252 and UTF-8 values side by side, each declared.
        { "FolkerKinzel__VCards/src/FolkerKinzel.VCards.Tests/TestFiles/LabelIssue.vcf",
          Encodings::Automatic,
          { QStringLiteral("Business-Straße 19"), QStringLiteral("Geschäftlich") } },
        { "FolkerKinzel__VCards/src/FolkerKinzel.VCards.Tests/TestFiles/LabelTest1.vcf",
          Encodings::Automatic,
          { QStringLiteral("Business-Straße 19"), QStringLiteral("Geschäftlich") } },
    };
    // What a charset applied to text decoded already leaves: Latin-1 letters of UTF-8 bytes, and
    // the controls of Shift_JIS bytes read as another charset.
    static const QRegularExpression garbage(QStringLiteral("Ã|Â|[\\x{80}-\\x{9F}]|\\x{FFFD}"));
    for (const Case &c : cases) {
        const Read r = readBytes(corpusFile(c.file), c.encoding);
        ASSERT_TRUE(r.error.isEmpty()) << c.file << ": " << r.error.toStdString();
        ASSERT_EQ(contacts(r.table).size(), 1) << c.file;
        for (const QString &text : c.expected)
            EXPECT_TRUE(r.dump.contains(text)) << c.file << " lacks " << text.toStdString() << "\n"
                                               << r.dump.toStdString();
        EXPECT_FALSE(r.dump.contains(garbage)) << c.file << "\n" << r.dump.toStdString();
    }
}

TEST(VCardFiles, SevenBitJapaneseIsDecodedWithItsEscapes)
{
    const QByteArray jis = TextCodec::encode(QStringLiteral("安藤"), QStringLiteral("ISO-2022-JP"));
    ASSERT_FALSE(jis.isEmpty());
    const QByteArray declared
        = "BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=ISO-2022-JP:" + jis + "\r\nEND:VCARD\r\n";
    const int iso2022 = Encodings::findByCharset(QStringLiteral("ISO-2022-JP"))->number;
    for (const int encoding : { int(Encodings::Automatic), Encodings::UTF8, iso2022 }) {
        const Read r = readBytes(declared, encoding);
        EXPECT_EQ(names(r.table), QStringLiteral("安藤")) << encoding << " " << r.error.toStdString();
    }
    // Without a declared charset, the file's.
    QByteArray undeclared = declared;
    undeclared.replace(";CHARSET=ISO-2022-JP", "");
    EXPECT_EQ(names(readBytes(undeclared, iso2022).table), QStringLiteral("安藤"));
}

TEST(VCardFiles, TextDecodedAlreadyIsNotDecodedAgain)
{
    // Pasted text: the raw value is text already; only the bytes a transfer encoding hides are
    // decoded with the declared charset. (A name in Japanese script is composed family name first.)
    const QString text = QStringLiteral("BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=SHIFT_JIS:安藤;ロイド\r\n"
                                        "NOTE;CHARSET=SHIFT_JIS;ENCODING=QUOTED-PRINTABLE:=88=C0=93=A1\r\n"
                                        "END:VCARD\r\n");
    const ContactList list = contacts(QVvCard::containersFromVCards(text).value_or(ContainerTable()));
    ASSERT_EQ(list.size(), 1);
    EXPECT_EQ(list.first()->person->compositeName(), QStringLiteral("安藤 ロイド"));
    EXPECT_EQ(list.first()->person->stringValueForIdentifier(FieldId::Note), QStringLiteral("安藤"));
}

// ---- Line ends and folds ---------------------------------------------------------------------

TEST(VCardFiles, CarriageReturnRunsEndLines)
{
    const QByteArray original = corpusFile("roundcube__roundcubemail/tests/src/johndoe.vcf");
    const Read plain = readBytes(original);
    ASSERT_EQ(contacts(plain.table).size(), 1);
    QByteArray doubled = original;
    doubled.replace("\r\n", "\r\r\n");
    const Read r = readBytes(doubled);
    EXPECT_EQ(r.dump, plain.dump) << "CR CR LF reads as CR LF";
    EXPECT_FALSE(r.dump.contains(QLatin1StringView("\\r"))) << "no value keeps a CR";
}

// Every line but the shortest cut into pieces of a few bytes, wherever a character lies, as some
// writers fold.
QByteArray foldedEverywhere(const QByteArray &text, qsizetype width)
{
    QByteArray out;
    for (const QByteArray &line : text.split('\n')) {
        QByteArray rest = line;
        const bool cr = rest.endsWith('\r');
        if (cr)
            rest.chop(1);
        if (rest.size() <= 16) {
            out += rest + (cr ? "\r\n" : "\n");
            continue;
        }
        out += rest.left(width);
        for (qsizetype at = width; at < rest.size(); at += width)
            out += "\r\n " + rest.mid(at, width);
        out += cr ? "\r\n" : "\n";
    }
    out.chop(1);
    return out;
}

TEST(VCardFiles, FoldsInsideUtf8CharactersReadAsUnfolded)
{
    const char *files[] = {
        "FolkerKinzel__VCards/src/FolkerKinzel.VCards.Tests/TestFiles/Utf-8/Greek.vcf",
        "FolkerKinzel__VCards/src/FolkerKinzel.VCards.Tests/TestFiles/Utf-8/Ukrainian.vcf",
    };
    for (const char *file : files) {
        const QByteArray original = corpusFile(file);
        const Read plain = readBytes(original);
        ASSERT_FALSE(contacts(plain.table).isEmpty()) << file;
        const QByteArray folded = foldedEverywhere(original, 7);
        ASSERT_NE(folded, original);
        EXPECT_EQ(readBytes(folded).dump, plain.dump) << file << ": detected";
        const Read chosen = readBytes(folded, Encodings::UTF8);
        EXPECT_TRUE(chosen.error.isEmpty()) << file << ": " << chosen.error.toStdString();
        EXPECT_EQ(chosen.dump, plain.dump) << file << ": UTF-8 chosen";
    }
    // Bytes that are no UTF-8 even once unfolded are still refused as UTF-8.
    EXPECT_FALSE(
        readBytes("BEGIN:VCARD\r\nFN:Caf\xe9\r\n \xe9\r\nEND:VCARD\r\n", Encodings::UTF8).error.isEmpty());
}

// ---- Cutting cards -----------------------------------------------------------------------------

TEST(VCardFiles, NestedAndCutOffCardsAreCountedAsSkipped)
{
    const Read nest
        = readBytes(corpusFile("CyanogenMod__android_frameworks_opt_vcard/tests/res/raw/v21_nest.vcf"));
    ASSERT_EQ(names(nest.table), QStringLiteral("parent"));
    EXPECT_EQ(nest.stats.skippedCards, 2) << "the two nested cards";
    const QVariantList phones
        = contacts(nest.table).first()->person->valueForIdentifier(FieldId::Phone).toList();
    ASSERT_EQ(phones.size(), 1) << "the outer card keeps its phone after the nested ones";
    EXPECT_EQ(phones.first().toMap().value(Key::Value), QStringLiteral("1"));

    struct Case
    {
        const char *name;
        QByteArray text;
        const char *names;
        qsizetype skipped;
    };
    const Case cases[] = {
        { "last card without its end", "BEGIN:VCARD\nFN:A\nEND:VCARD\nBEGIN:VCARD\nFN:B\nTEL:1\n", "A", 1 },
        { "a card without its end before others",
          "BEGIN:VCARD\nFN:A\nBEGIN:VCARD\nFN:B\nEND:VCARD\nBEGIN:VCARD\nFN:C\nEND:VCARD\n", "B|C", 1 },
        { "a card holding a whole one, never ended", "BEGIN:VCARD\nFN:A\nBEGIN:VCARD\nFN:B\nEND:VCARD\n", "B",
          1 },
        { "nothing but card starts", QByteArray("BEGIN:VCARD\r\n").repeated(50), "", 50 },
    };
    for (const Case &c : cases) {
        const Read r = readBytes(c.text);
        EXPECT_EQ(names(r.table), QLatin1StringView(c.names)) << c.name;
        EXPECT_EQ(r.stats.skippedCards, c.skipped) << c.name;
    }
}

TEST(VCardFiles, CardsBeginAndEndOnlyAtTheirOwnLines)
{
    struct Case
    {
        const char *name;
        QByteArray text;
        const char *names;
        int phones; // of the first contact
    };
    const Case cases[] = {
        { "END:VCARD inside a note", "BEGIN:VCARD\nFN:A\nNOTE:type END:VCARD to end\nTEL:1\nEND:VCARD\n", "A",
          1 },
        { "BEGIN:VCARD inside a value", "BEGIN:VCARD\nFN:A\nX-AGENT:BEGIN:VCARD\nTEL:1\nEND:VCARD\n", "A",
          1 },
        { "the words after a fold", "BEGIN:VCARD\nFN:A\nNOTE:to end write\n END:VCARD\nTEL:1\nEND:VCARD\n",
          "A", 1 },
        { "a value line that looks like an end",
          "BEGIN:VCARD\nFN:A\nNOTE;X-P=1:VCARD\nEND;X=1:VCARD\nTEL:1\nEND:VCARD\n", "A", 1 },
        { "group prefixes and any case",
          "item1.begin:vcard\nFN:A\nTEL:1\nitem1.End : VCard \nBEGIN:VCARD\nFN:B\nEND:VCARD\n", "A|B", 1 },
        { "a soft line break before the end",
          "BEGIN:VCARD\nFN:A\nTEL:1\nNOTE;ENCODING=QUOTED-PRINTABLE:x=\nEND:VCARD\nBEGIN:VCARD\nFN:B\nEND:"
          "VCARD\n",
          "A|B", 1 },
        { "CR CR LF",
          "BEGIN:VCARD\r\r\nFN:A\r\r\nTEL:1\r\r\nEND:VCARD\r\r\nBEGIN:VCARD\r\r\nFN:B\r\r\nEND:VCARD\r\r\n",
          "A|B", 1 },
    };
    for (const Case &c : cases) {
        const Read r = readBytes(c.text);
        EXPECT_EQ(names(r.table), QLatin1StringView(c.names)) << c.name;
        EXPECT_EQ(r.stats.skippedCards, 0) << c.name;
        const ContactList list = contacts(r.table);
        if (!list.isEmpty()) {
            EXPECT_EQ(list.first()->person->valueForIdentifier(FieldId::Phone).toList().size(), c.phones)
                << c.name;
        }
        // Written and read again, the same contacts.
        EXPECT_EQ(names(VCardTest::read(VCardTest::write(r.table))), QLatin1StringView(c.names)) << c.name;
    }
}

TEST(VCardFiles, FuzzFindingsReadBackToAsManyContacts)
{
    const QByteArray inputs[] = {
        QByteArray("BEGIN:VCARD\nVBEGIN:VCARD\n\x01:\nN:END:VCARD"),
        QByteArray("BEGIN:VCARD\nN:END:VCARD\nEND:VCARD\n"),
        QByteArray("BEGIN:VCARD\n\xEF\xBB\xBF" "BEGIN:VCARD\nEND:VCARD\nEND:VCARD"),
    };
    for (const QByteArray &input : inputs) {
        for (const bool asText : { false, true }) {
            const ContainerTable table = asText
                ? QVvCard::containersFromVCards(QString::fromUtf8(input)).value_or(ContainerTable())
                : VCardTest::read(input);
            const ContainerTable again = VCardTest::read(VCardTest::write(table));
            EXPECT_EQ(contacts(again).size(), contacts(table).size()) << input.toStdString();
        }
    }
}

TEST(VCardFiles, RepeatedByteOrderMarksStayOutOfTheCard)
{
    // Text and bytes must cut alike however many marks a decoder drops.
    const QByteArray marks("\xEF\xBB\xBF\xEF\xBB\xBF");
    const QByteArray card("BEGIN:VCARD\nVERSION:3.0\nN:Ito;Kei\nEND:VCARD\n");
    for (const QByteArray &input : { QByteArray(marks + card), QByteArray(marks + marks + card) }) {
        EXPECT_EQ(names(VCardTest::read(input)), QStringLiteral("Kei Ito")) << input.size();
        EXPECT_EQ(names(QVvCard::containersFromVCards(QString::fromUtf8(input)).value_or(ContainerTable())),
                  QStringLiteral("Kei Ito"))
            << input.size();
        EXPECT_EQ(names(readBytes(input).table), QStringLiteral("Kei Ito")) << input.size();
    }
}

// ---- Values ----------------------------------------------------------------------------------

TEST(VCardFiles, TelephoneUrisGiveTheirNumbers)
{
    const Read r
        = readBytes(corpusFile("mangstadt__ez-vcard/src/test/resources/ezvcard/io/text/rfc6350-example.vcf"));
    ASSERT_EQ(contacts(r.table).size(), 1);
    QStringList numbers;
    for (const QVariant &phone :
         contacts(r.table).first()->person->valueForIdentifier(FieldId::Phone).toList())
        numbers.append(phone.toMap().value(Key::Value).toString());
    EXPECT_EQ(numbers,
              QStringList({ QStringLiteral("+1-418-656-9254;ext=102"), QStringLiteral("+1-418-262-6501") }));
}

} // namespace
