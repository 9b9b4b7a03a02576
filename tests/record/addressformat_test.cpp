#include "../testutil.h"
#include "platform/contactsettings.h"
#include "platform/postaladdressformatter.h"
#include "record/keys.h"
#include "record/qvperson.h"
#include "record/textrange.h"

#include <gtest/gtest.h>

namespace {

const QString kLrm(QChar(0x200E));

QVariantMap address(const QVariantMap &components)
{
    QVariantMap m = components;
    m.insert(Key::Label, LabelWord::Home);
    return m;
}

class AddressFormats : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_savedTable = QVPerson::addressFormatTable();
        m_savedDict = QVPerson::addressFormatDict();
    }
    void TearDown() override
    {
        QVPerson::setAddressFormatTable(m_savedTable);
        QVPerson::setAddressFormatDict(m_savedDict);
        ContactSettings::setCountryCode(qs("US"));
    }
    QVariantList m_savedTable;
    QVariantMap m_savedDict;
};

TEST_F(AddressFormats, BundledTableCoversTheWorld)
{
    const QVariantList table = QVPerson::addressFormatTable();
    EXPECT_GE(table.size(), 240);
    QSet<QString> codes;
    for (const QVariant &v : table) {
        const QVariantMap entry = v.toMap();
        const QString code = entry.value(AddressFormatKey::CountryCode).toString();
        EXPECT_EQ(code.size(), 2) << code.toStdString();
        EXPECT_EQ(entry.value(AddressFormatKey::Alpha3).toString().size(), 3) << code.toStdString();
        EXPECT_EQ(entry.value(AddressFormatKey::Country).toString(),
                  entry.value(AddressFormatKey::Country).toString().toUpper());
        EXPECT_FALSE(entry.value(AddressFormatKey::Order).toStringList().isEmpty()) << code.toStdString();
        EXPECT_FALSE(codes.contains(code)) << "duplicate " << code.toStdString();
        codes.insert(code);
    }
    EXPECT_EQ(QVPerson::orderOfAddressFormats(qs("JP")).at(1), FieldId::Zip) << "postal code first in Japan";
}

// A misspelt word or a mark left in a word silently drops that component from every address of
// the country; a repeated name or code makes the country unreachable by prediction.
TEST_F(AddressFormats, BundledEntriesAreUsableAndDistinct)
{
    const QSet<QString> known { FieldId::Street, FieldId::City, FieldId::State, FieldId::Zip,
                                FieldId::Country };
    for (const QVariant &v : QVPerson::addressFormatTable()) {
        const QVariantMap entry = v.toMap();
        const QString code = entry.value(AddressFormatKey::CountryCode).toString();
        const QStringList order = entry.value(AddressFormatKey::Order).toStringList();
        SCOPED_TRACE(code.toStdString() + " " + order.join(u' ').toStdString());
        EXPECT_EQ(QSet<QString>(order.cbegin(), order.cend()).size(), order.size()) << "repeated word";
        for (const QString &word : order)
            EXPECT_TRUE(known.contains(word)) << "unknown word [" << word.toStdString() << "]";
        EXPECT_TRUE(order.contains(FieldId::Street));
        EXPECT_EQ(order.last(), FieldId::Country);
        EXPECT_EQ(QVPerson::predictCountryCode(entry.value(AddressFormatKey::Country).toString()), code);
        EXPECT_EQ(QVPerson::predictCountryCode(entry.value(AddressFormatKey::Alpha3).toString()), code);
    }
}

// Typed country names reach the bundled layouts: the one-line text of a full address.
TEST_F(AddressFormats, BundledLayoutsOfWellKnownCountries)
{
    struct Row
    {
        const char *name;
        const char *street, *city, *state, *zip, *country;
        const char *expected;
    };
    const Row rows[] = {
        { "US city state zip", "1 Main St", "Springfield", "IL", "62701", "United States",
          "1 Main St Springfield IL 62701 United States" },
        { "Canada like the US", "24 Sussex Dr", "Ottawa", "ON", "K1M 1M4", "Canada",
          "24 Sussex Dr Ottawa ON K1M 1M4 Canada" },
        { "Germany zip before city", "Hauptstr. 5", "Berlin", "", "10115", "Germany",
          "Hauptstr. 5 10115 Berlin Germany" },
        { "France zip before city", "8 rue de la Paix", "Paris", "", "75002", "France",
          "8 rue de la Paix 75002 Paris France" },
        { "UK postcode after town", "10 High St", "Oxford", "", "OX1 4AA", "united kingdom",
          "10 High St Oxford OX1 4AA united kingdom" },
        { "Japan postcode first", "丸の内1-1-1", "千代田区", "東京都", "100-0005", "Japan",
          "100-0005 東京都 千代田区 丸の内1-1-1 Japan" },
        { "Korea province first", "세종대로 110", "중구", "서울특별시", "04524", "KOR",
          "서울특별시 중구 세종대로 110 04524 KOR" },
        { "Hungary city first", "Fő utca 1.", "Budapest", "", "1011", "Hungary",
          "Budapest Fő utca 1. 1011 Hungary" },
        { "Australia state and postcode", "1 George St", "Sydney", "NSW", "2000", "AUSTRALIA",
          "1 George St Sydney NSW 2000 AUSTRALIA" },
        { "Brazil postcode last", "Av. Paulista 1000", "São Paulo", "SP", "01310-100", "Brazil",
          "Av. Paulista 1000 São Paulo SP 01310-100 Brazil" },
    };
    for (const Row &row : rows) {
        QVariantMap v = address({ { FieldId::Street, qs(row.street) },
                                  { FieldId::City, qs(row.city) },
                                  { FieldId::State, qs(row.state) },
                                  { FieldId::Zip, qs(row.zip) },
                                  { FieldId::Country, qs(row.country) } });
        QVPerson::updateAddressValue(v, 1);
        EXPECT_EQ(v.value(Key::StringValue).toString(), qs(row.expected)) << row.name;
    }
}

TEST_F(AddressFormats, DefaultOrderWithoutAnEntry)
{
    QVPerson::setAddressFormatDict({});
    QVariantMap v = address({ { FieldId::Street, qs("Main St 1") },
                              { FieldId::City, qs("Springfield") },
                              { FieldId::Zip, qs("12345") } });
    QVPerson::updateAddressValue(v, 1);
    EXPECT_EQ(v.value(Key::StringValue).toString(), qs("Main St 1 Springfield 12345"));
    EXPECT_EQ(QVPerson::orderOfAddressFormats(qs("XX")),
              (QStringList { qs("XX"), qs("Street"), qs("City"), qs("State"), qs("ZIP"), qs("Country") }));
}

TEST_F(AddressFormats, JapaneseOrderAndTheCountryOption)
{
    const QString format = qs("ZIP") + kLrm + u'\n' + qs("State") + kLrm + u' ' + qs("City") + u'\n'
        + qs("Street") + u'\n' + qs("Country");
    QVPerson::setAddressFormatTable({ QVariantMap { { AddressFormatKey::CountryCode, qs("JP") },
                                                    { AddressFormatKey::Alpha3, qs("JPN") },
                                                    { AddressFormatKey::Country, qs("JAPAN") },
                                                    { AddressFormatKey::FormatString, format } } });
    QVariantMap v = address({ { FieldId::Zip, qs("100-0005") },
                              { FieldId::State, qs("東京都") },
                              { FieldId::City, qs("千代田区") },
                              { FieldId::Street, qs("丸の内1-1-1") },
                              { FieldId::Country, qs("日本") } });
    QVariantMap withCountry = v;
    QVPerson::updateAddressValue(withCountry, 1);
    EXPECT_EQ(withCountry.value(Key::StringValue).toString(),
              qs("100-0005 東京都 千代田区 丸の内1-1-1 日本"));
    EXPECT_EQ(withCountry.value(Key::PredictCountryCode).toString(), qs("JP"));
    EXPECT_EQ(withCountry.value(Key::FormattedString).toString(),
              qs("100-0005\n東京都 千代田区\n丸の内1-1-1\n日本"));
    QVPerson::updateAddressValue(v, 0);
    EXPECT_EQ(v.value(Key::StringValue).toString(), qs("100-0005 東京都 千代田区 丸の内1-1-1"));
    EXPECT_FALSE(v.value(Key::FormattedString).toString().contains(qs("日本")));
}

TEST(MailingAddress, EmptyLinesAndSeparatorsAreLeftOut)
{
    PostalAddressFormatter::Components c;
    c.street = qs("1 Main St");
    c.country = qs("Germany");
    EXPECT_EQ(PostalAddressFormatter::mailingAddress(c, QString(), true), qs("1 Main St\nGermany"));
    EXPECT_EQ(PostalAddressFormatter::mailingAddress(c, QString(), false), qs("1 Main St"));
    c.city = qs("Springfield");
    c.postalCode = qs("12345");
    // Carriage returns and tabs separate like line breaks and spaces; unknown words are dropped.
    EXPECT_EQ(PostalAddressFormatter::mailingAddress(c, qs("Street\r ZIP\tCity Postbox\n\nCountry"), true),
              qs("1 Main St\n12345 Springfield\nGermany"));
    EXPECT_EQ(PostalAddressFormatter::mailingAddress(PostalAddressFormatter::Components(), QString(), true), QString());
}

TEST_F(AddressFormats, CountryPrediction)
{
    EXPECT_EQ(QVPerson::predictCountryCode(qs("日本")), qs("JP"));
    EXPECT_EQ(QVPerson::predictCountryCode(qs("française").toUpper()), qs("FR"));
    EXPECT_EQ(QVPerson::predictCountryCode(qs("GERMANY")), qs("DE"));
    EXPECT_EQ(QVPerson::predictCountryCode(qs("DEU")), qs("DE"));
    EXPECT_EQ(QVPerson::predictCountryCode(qs("CH")), qs("CH"));
    EXPECT_EQ(QVPerson::predictCountryCode(qs("ATLANTIS")), QString());
}

TEST_F(AddressFormats, EmptyAddressFallsBackToTheFormatter)
{
    QVariantMap v { { Key::Label, QString() } };
    QVPerson::updateAddressValue(v, 1);
    EXPECT_EQ(v.value(Key::Label).toString(), LabelWord::NoLabel);
    EXPECT_EQ(v.value(Key::StringValue).toString(), v.value(Key::FormattedString).toString());
    EXPECT_FALSE(v.contains(Key::PredictCountryCode));
}

TEST_F(AddressFormats, RangeTableLocatesComponents)
{
    QVPerson::setAddressFormatDict({});
    const QVariantList table = QVPerson::rangeTableFromAddressLabeledValue(
        address({ { FieldId::Street, qs("Main St 1") }, { FieldId::Zip, qs("12345") } }));
    const QList<std::pair<QString, TextRange>> expected = {
        { qs("Street"), { 0, 10 } }, { qs("City"), { 10, 0 } },    { qs("State"), { 10, 0 } },
        { qs("ZIP"), { 10, 6 } },    { qs("Country"), { 16, 0 } },
    };
    ASSERT_EQ(table.size(), expected.size());
    for (qsizetype i = 0; i < table.size(); ++i) {
        const QVariantMap entry = table.at(i).toMap();
        EXPECT_EQ(entry.value(AddressFormatKey::Identifier).toString(), expected.at(i).first);
        EXPECT_EQ(entry.value(AddressFormatKey::Range).value<TextRange>(), expected.at(i).second)
            << expected.at(i).first.toStdString();
    }
    EXPECT_TRUE(QVPerson::rangeTableFromAddressLabeledValue({}).isEmpty());
}

TEST_F(AddressFormats, OverridesReplaceOrOnlyAdd)
{
    const qsizetype before = QVPerson::addressFormatTable().size();
    QVPerson::setAddressFormatTable({ QVariantMap { { AddressFormatKey::CountryCode, qs("DE") },
                                                    { AddressFormatKey::FormatString, qs("City Street") } },
                                      QVariantMap { { AddressFormatKey::CountryCode, qs("QQ") },
                                                    { AddressFormatKey::FormatString, qs("ZIP") } } });
    EXPECT_EQ(QVPerson::addressFormatTable().size(), before);
    EXPECT_EQ(QVPerson::orderOfAddressFormats(qs("de")),
              (QStringList { qs("de"), qs("City"), qs("Street") }));
    EXPECT_TRUE(QVPerson::addressFormatDict().contains(qs("QQ")));
    bool listed = false;
    for (const QVariant &v : QVPerson::addressFormatTable())
        listed |= v.toMap().value(AddressFormatKey::CountryCode).toString() == qs("QQ");
    EXPECT_FALSE(listed);
}

TEST_F(AddressFormats, MalformedJsonGivesNoEntries)
{
    EXPECT_TRUE(QVPerson::addressFormatEntriesFromJson("{not json").isEmpty());
    EXPECT_TRUE(QVPerson::addressFormatEntriesFromJson(R"({"Other":[1]})").isEmpty());
}

} // namespace
