// Postal-code lookup: inflating the lists, their compact form and index, and what a typed code finds.
#include "../testutil.h"
#include "platform/textcodec.h"
#include "postal/keys.h"
#include "postal/postalcodes.h"
#include "postal/zipdatabase.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <zlib.h>

namespace {

// Deflates with a gzip header (windowBits 31) or a zlib one (15).
QByteArray deflated(const QByteArray &data, int windowBits)
{
    z_stream s {};
    deflateInit2(&s, 9, Z_DEFLATED, windowBits, 8, Z_DEFAULT_STRATEGY);
    QByteArray out(deflateBound(&s, data.size()), Qt::Uninitialized);
    s.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.data()));
    s.avail_in = data.size();
    s.next_out = reinterpret_cast<Bytef *>(out.data());
    s.avail_out = out.size();
    deflate(&s, Z_FINISH);
    out.truncate(s.total_out);
    deflateEnd(&s);
    return out;
}

QStringList streets(const QVariantList &results)
{
    QStringList list;
    for (const QVariant &r : results)
        list.append(r.toMap().value(PostalKey::Street).toString());
    return list;
}

QStringList zips(const QVariantList &results)
{
    QStringList list;
    for (const QVariant &r : results)
        list.append(r.toMap().value(PostalKey::Zip).toString());
    return list;
}

// Small lists in the shipped format, written to files the tests load instead of the resources.
class PostalLists : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString write(const QString &name, const QByteArray &bytes)
    {
        const QString path = dir.filePath(name);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return path;
    }

    QString writeList(const QString &name, const char *utf8Lines)
    {
        bool ok = false;
        const QByteArray sjis = TextCodec::encode(qs(utf8Lines), PostalEncoding::ShiftJis, &ok);
        EXPECT_TRUE(ok);
        return write(name + QStringLiteral(".gzip"), deflated(sjis, 31));
    }

    ZipDatabase load(const QString &kenAll, const QString &jigyosyo)
    {
        return ZipDatabase::load(
            { { PostalResource::KenAllName, kenAll }, { PostalResource::JigyosyoName, jigyosyo } });
    }

    ZipDatabase standard()
    {
        return load(writeList(PostalResource::KenAllName, kKenAll),
                    writeList(PostalResource::JigyosyoName, kJigyosyo));
    }

    static constexpr const char *kKenAll
        = "13101,\"100  \",\"1000000\",\"ﾄｳｷｮｳﾄ\",\"ﾁﾖﾀﾞｸ\",\"ｲｶﾆｹｲｻｲｶﾞﾅｲﾊﾞｱｲ\",\"東京都\",\"千代田区\","
          "\"以下に掲載がない場合\",0,0,0,0,0,0\r\n"
          "13101,\"100  "
          "\",\"1000001\",\"ﾄｳｷｮｳﾄ\",\"ﾁﾖﾀﾞｸ\",\"ﾁﾖﾀﾞ\",\"東京都\",\"千代田区\",\"千代田\",0,0,0,0,0,0\r\n"
          "13101,\"101  "
          "\",\"1010021\",\"ﾄｳｷｮｳﾄ\",\"ﾁﾖﾀﾞｸ\",\"ｿﾄｶﾝﾀﾞ\",\"東京都\",\"千代田区\",\"外神田\",0,0,0,0,0,0\r\n"
          "01224,\"004  "
          "\",\"0040000\",\"ﾎｯｶｲﾄﾞｳ\",\"ｻｯﾎﾟﾛｼｱﾂﾍﾞﾂｸ\",\"\",\"北海道\",\"札幌市厚別区\",\"\",0,0,0,0,0,0\r\n"
          "01224,\"004  "
          "\",\"0040000\",\"ﾎｯｶｲﾄﾞｳ\",\"ｻｯﾎﾟﾛｼｷﾖﾀｸ\",\"\",\"北海道\",\"札幌市清田区\",\"\",0,0,0,0,0,0\r\n"
          "13101,\"100  "
          "\",\"1000005\",\"ﾄｳｷｮｳﾄ\",\"ﾁﾖﾀﾞｸ\",\"ﾏﾙﾉｳﾁ\",\"東京都\",\"千代田区\",\"丸の内\",0,0,0,0,0,0\r\n"
          // Too short to hold the fields: left out.
          "13101,\"100  \",\"1000006\"\r\n";
    static constexpr const char *kJigyosyo
        = "13101,\"ｼｭｳｷﾞｲﾝ\",\"衆議院\",\"東京都\",\"千代田区\",\"永田町\",\"１丁目７－１\",\"1008960\","
          "\"100  \",\"銀座\",0,0,0\r\n"
          "13101,\"ﾏﾙﾉｳﾁｼｮｳｼﾞ\",\"丸の内商事\",\"東京都\",\"千代田区\",\"丸の内\",\"２丁目１\",\"1000005\","
          "\"100  \",\"銀座\",0,0,0";

    QTemporaryDir dir;
};

} // namespace

TEST(PostalInflate, GzipAndZlibDataInflateAndDamagedDataGivesNothing)
{
    QByteArray text;
    for (int i = 0; i < 20000; ++i)
        text += "\"1000001\",\"東京都\"\n";
    EXPECT_EQ(PostalCodes::gzipInflate(deflated(text, 31)), text);
    EXPECT_EQ(PostalCodes::gzipInflate(deflated(text, 15)), text);

    const QByteArray gz = deflated(text, 31);
    EXPECT_EQ(PostalCodes::gzipInflate(gz.left(gz.size() / 2)), std::nullopt) << "truncated";
    QByteArray flipped = gz;
    flipped[gz.size() / 2] = char(flipped[gz.size() / 2] ^ 0x55);
    EXPECT_EQ(PostalCodes::gzipInflate(flipped), std::nullopt) << "corrupted";
    EXPECT_EQ(PostalCodes::gzipInflate(QByteArray("not compressed at all")), std::nullopt);

    const std::optional<QByteArray> empty = PostalCodes::gzipInflate(QByteArray());
    ASSERT_TRUE(empty.has_value());
    EXPECT_TRUE(empty->isEmpty());
}

TEST(PostalInflate, HighlyCompressedDataGrowsTheBufferToTheWholeText)
{
    const QByteArray zeros(8 << 20, '\0');
    const QByteArray gz = deflated(zeros, 31);
    ASSERT_LT(gz.size(), 20000);
    EXPECT_EQ(PostalCodes::gzipInflate(gz), zeros);
}

TEST(PostalText, QuotesAndZipFormat)
{
    EXPECT_EQ(PostalCodes::stripDoublequote(qs("\"千代田\"")), qs("千代田"));
    EXPECT_EQ(PostalCodes::stripDoublequote(qs("\"\"")), QString()) << "an empty field is empty";
    EXPECT_EQ(PostalCodes::stripDoublequote(qs("\"")), qs("\""));
    EXPECT_EQ(PostalCodes::stripDoublequote(qs("0")), qs("0")) << "unquoted values keep every character";
    EXPECT_EQ(PostalCodes::formatZIP(qs("1000001")), qs("100-0001"));
}

TEST_F(PostalLists, CompactFormKeepsTheFieldsOfEachListWithItsTag)
{
    const ZipDatabase db = standard();
    EXPECT_TRUE(db.problems().isEmpty()) << db.problems().join(u'\n').toStdString();
    ASSERT_EQ(db.lists().size(), 2);
    EXPECT_TRUE(db.lists().at(0).startsWith(qs("K,\"1000000\",\"ﾄｳｷｮｳﾄ\",\"ﾁﾖﾀﾞｸ\",\"ｲｶﾆｹｲｻｲｶﾞﾅｲﾊﾞｱｲ\","
                                               "\"東京都\",\"千代田区\",\"以下に掲載がない場合\",\n")))
        << db.lists().at(0).toStdString();
    EXPECT_EQ(db.lists().at(0).count(u'\n'), 6) << "the short line is left out";
    EXPECT_TRUE(db.lists().at(1).endsWith(
        qs("J,\"ﾏﾙﾉｳﾁｼｮｳｼﾞ\",\"丸の内商事\",\"東京都\",\"千代田区\",\"丸の内\",\"２丁目１\",\"1000005\",\n")))
        << "a last line without a line break counts";
}

TEST_F(PostalLists, SevenDigitsWithOrWithoutHyphenFindTheSameArea)
{
    const ZipDatabase db = standard();
    const QVariantList area { QVariantMap { { PostalKey::Zip, qs("100-0001") },
                                            { PostalKey::State, qs("東京都") },
                                            { PostalKey::City, qs("千代田区") },
                                            { PostalKey::Street, qs("千代田") },
                                            { PostalKey::PhoneticCity, qs("ﾁﾖﾀﾞｸ") },
                                            { PostalKey::PhoneticStreet, qs("ﾁﾖﾀﾞ") },
                                            { PostalKey::Company, QString() } } };
    for (const char *typed : { "1000001", "100-0001", " 100-0001 " })
        EXPECT_EQ(PostalCodes::addressesFromZip(qs(typed), db), area) << typed;
}

TEST_F(PostalLists, PrefixFindsEveryAreaBeginningWithItInListOrder)
{
    const ZipDatabase db = standard();
    EXPECT_EQ(zips(PostalCodes::addressesFromZip(qs("100"), db)),
              (QStringList { qs("100-0000"), qs("100-0001"), qs("100-0005") }));
    EXPECT_EQ(zips(PostalCodes::addressesFromZip(qs("10000"), db)),
              (QStringList { qs("100-0000"), qs("100-0001"), qs("100-0005") }));
    // A code found among the areas is not looked for among the businesses.
    EXPECT_EQ(PostalCodes::addressesFromZip(qs("1000005"), db).size(), 1);
    EXPECT_EQ(PostalCodes::addressesFromZip(qs("1000005"), db).first().toMap().value(PostalKey::Company),
              QString());
}

TEST_F(PostalLists, CodesNotInTheListsOrNotCodesFindNothing)
{
    const ZipDatabase db = standard();
    for (const char *typed : { "1000002", "10000011", "100-00011", "999", "", "abc", "100-000x", "\"100" })
        EXPECT_TRUE(PostalCodes::addressesFromZip(qs(typed), db).isEmpty()) << typed;
}

TEST_F(PostalLists, CodeWithSeveralTownsGivesEachOfThem)
{
    const QVariantList found = PostalCodes::addressesFromZip(qs("004-0000"), standard());
    ASSERT_EQ(found.size(), 2);
    EXPECT_EQ(found.at(0).toMap().value(PostalKey::City), qs("札幌市厚別区"));
    EXPECT_EQ(found.at(1).toMap().value(PostalKey::City), qs("札幌市清田区"));
    EXPECT_EQ(streets(found), (QStringList { QString(), QString() })) << "empty areas stay empty";
}

TEST_F(PostalLists, BusinessOnlyCodeIsFoundAmongTheBusinesses)
{
    // The street is the area followed by the block and number.
    const QVariantList business { QVariantMap { { PostalKey::Zip, qs("100-8960") },
                                                { PostalKey::Company, qs("衆議院") },
                                                { PostalKey::PhoneticCompany, qs("ｼｭｳｷﾞｲﾝ") },
                                                { PostalKey::State, qs("東京都") },
                                                { PostalKey::City, qs("千代田区") },
                                                { PostalKey::Street, qs("永田町１丁目７－１") },
                                                { PostalKey::PhoneticCity, QString() },
                                                { PostalKey::PhoneticStreet, QString() } } };
    EXPECT_EQ(PostalCodes::addressesFromZip(qs("100-8960"), standard()), business);
}

TEST_F(PostalLists, PlaceholderAreaGivesAnEmptyStreet)
{
    const QVariantList found = PostalCodes::addressesFromZip(qs("1000000"), standard());
    ASSERT_EQ(found.size(), 1);
    EXPECT_EQ(found.first().toMap().value(PostalKey::Street), qs("以下に掲載がない場合"));
    EXPECT_EQ(PostalCodes::streetForAddress(found.first().toMap()), QString());
    EXPECT_EQ(PostalCodes::streetForAddress(
                  PostalCodes::addressesFromZip(qs("1000001"), standard()).first().toMap()),
              qs("千代田"));
}

TEST_F(PostalLists, MissingListIsSkippedWithAMessageAndTheOtherSearched)
{
    const ZipDatabase db
        = load(dir.filePath(qs("nothing.gzip")), writeList(PostalResource::JigyosyoName, kJigyosyo));
    ASSERT_EQ(db.lists().size(), 1);
    EXPECT_EQ(db.problems(), QStringList { qs("The postal-code list \"ken_all\" is missing.") });
    EXPECT_EQ(zips(PostalCodes::addressesFromZip(qs("1000005"), db)), QStringList { qs("100-0005") });
    EXPECT_EQ(PostalCodes::addressesFromZip(qs("1000005"), db).first().toMap().value(PostalKey::Company),
              qs("丸の内商事"));
}

TEST_F(PostalLists, DamagedListsAreSkippedWithAMessage)
{
    const QString kenAll = writeList(PostalResource::KenAllName, kKenAll);
    QFile f(kenAll);
    f.open(QIODevice::ReadOnly);
    const QByteArray good = f.readAll();
    const QString truncated = write(qs("truncated.gzip"), good.left(good.size() - 9));
    const QString notShiftJis = write(qs("utf16.gzip"), deflated(QByteArray("\xff\xfe\x00\xd8", 4), 31));
    const QString empty = write(qs("empty.gzip"), QByteArray());

    const ZipDatabase db = load(truncated, notShiftJis);
    EXPECT_TRUE(db.lists().isEmpty());
    EXPECT_EQ(
        db.problems(),
        (QStringList { qs("The postal-code list \"ken_all\" is damaged: it does not decompress."),
                       qs("The postal-code list \"jigyosyo\" is damaged: it is not Shift_JIS text.") }));
    EXPECT_TRUE(PostalCodes::addressesFromZip(qs("1000001"), db).isEmpty());

    const ZipDatabase emptyDb = load(empty, kenAll);
    EXPECT_EQ(emptyDb.problems().size(), 1);
    EXPECT_EQ(emptyDb.lists().size(), 1);
}

TEST(ShippedPostalLists, HoldEveryAreaAndBusinessInShiftJis)
{
    const ZipDatabase &db = ZipDatabase::shared();
    EXPECT_TRUE(db.problems().isEmpty()) << db.problems().join(u'\n').toStdString();
    ASSERT_EQ(db.lists().size(), 2);
    EXPECT_GT(db.lists().at(0).count(u'\n'), 120000);
    EXPECT_GT(db.lists().at(1).count(u'\n'), 20000);

    const QVariantList chiyoda = PostalCodes::addressesFromZip(qs("100-0001"));
    ASSERT_EQ(chiyoda.size(), 1);
    EXPECT_EQ(chiyoda.first().toMap().value(PostalKey::State), qs("東京都"));
    EXPECT_EQ(chiyoda.first().toMap().value(PostalKey::City), qs("千代田区"));
    EXPECT_EQ(chiyoda.first().toMap().value(PostalKey::Street), qs("千代田"));

    // The Windows characters of the lists (full-width hyphen-minus) come back as written.
    const QVariantList business = PostalCodes::addressesFromZip(qs("0018511"));
    ASSERT_EQ(business.size(), 1);
    EXPECT_EQ(business.first().toMap().value(PostalKey::Street),
              qs("北十条西３丁目２３－１ＴＨＥＰＥＡＫＳＡＰＰＯＲＯ３Ｆ"));
    EXPECT_EQ(PostalCodes::addressesFromZip(qs("004-0000")).size(), 2);
    EXPECT_GT(PostalCodes::addressesFromZip(qs("100")).size(), 20);
}
