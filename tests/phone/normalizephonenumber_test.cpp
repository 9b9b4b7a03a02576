#include "../testutil.h"
#include "phone/keys.h"
#include "phone/normalizephonenumber.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

struct LayoutCase
{
    const char *name;
    const char *input;
    PhoneLayout layout;
    const char *expected;
};

void PrintTo(const LayoutCase &c, std::ostream *os)
{
    *os << c.name << ": " << c.input;
}

class Layouts : public ::testing::TestWithParam<LayoutCase>
{
};

TEST_P(Layouts, LayOutTheCleanedNumber)
{
    const LayoutCase &c = GetParam();
    NormalizePhoneNumber normalizer;
    normalizer.setPhoneNumber(qs(c.input));
    EXPECT_EQ(normalizer.layout(c.layout), qs(c.expected)) << c.name << ", input " << c.input;
}

// Each sample title typed without punctuation comes back as the sample; lengths around each rule's
// thresholds, calling codes, extensions and text that is not a number.
const LayoutCase layoutCases[] = {
    { "sample (12) 3456-7890", "1234567890", PhoneLayout::FourPlusFour, "(12) 3456-7890" },
    { "sample (123) 456-7890", "1234567890", PhoneLayout::ThreePlusFour, "(123) 456-7890" },
    { "sample (1234) 56-7890", "1234567890", PhoneLayout::TwoPlusFour, "(1234) 56-7890" },
    { "sample (12) 34 56 78 90", "1234567890", PhoneLayout::QuadTwo, "(12) 34 56 78 90" },
    { "sample 090-1234-5678", "09012345678", PhoneLayout::HyphenThreeFour, "090-1234-5678" },
    { "sample 0120-123-456", "0120123456", PhoneLayout::HyphenFourThreeThree, "0120-123-456" },
    { "punctuation of another layout is removed", "(0120) 12-3456", PhoneLayout::HyphenFourThreeThree,
      "0120-123-456" },

    { "four-plus-four at 9 digits", "123456789", PhoneLayout::FourPlusFour, "(1) 2345-6789" },
    { "four-plus-four at 8 digits", "12345678", PhoneLayout::FourPlusFour, "(1234) 5678" },
    { "four-plus-four at 5 digits", "12345", PhoneLayout::FourPlusFour, "(1) 2345" },
    { "three-plus-four at 8 digits", "12345678", PhoneLayout::ThreePlusFour, "(1) 234-5678" },
    { "three-plus-four at 7 digits", "1234567", PhoneLayout::ThreePlusFour, "(123) 4567" },
    { "two-plus-four at 7 digits", "1234567", PhoneLayout::TwoPlusFour, "(1) 23-4567" },
    { "two-plus-four at 6 digits", "123456", PhoneLayout::TwoPlusFour, "(12) 3456" },
    { "quad-two at 9 digits", "123456789", PhoneLayout::QuadTwo, "(1) 23 45 67 89" },
    { "quad-two at 8 digits", "12345678", PhoneLayout::QuadTwo, "(12) 34 56 78" },
    { "quad-two at 7 digits", "1234567", PhoneLayout::QuadTwo, "(1) 23 45 67" },
    { "quad-two at 6 digits", "123456", PhoneLayout::QuadTwo, "(12) 34 56" },
    { "hyphen-three-four at 8 digits", "12345678", PhoneLayout::HyphenThreeFour, "1234-5678" },
    { "hyphen-four-three-three at 7 digits", "1234567", PhoneLayout::HyphenFourThreeThree, "1-234-567" },
    { "hyphen-four-three-three at 6 digits", "123456", PhoneLayout::HyphenFourThreeThree, "123-456" },

    { "four digits stay with a minimum of five", "1234", PhoneLayout::FourPlusFour, "1234" },
    { "four digits stay in quad-two", "12-34", PhoneLayout::QuadTwo, "1234" },
    { "four digits stay in hyphen-three-four", "1234", PhoneLayout::HyphenThreeFour, "1234" },
    { "four digits split one and three", "1234", PhoneLayout::HyphenFourThreeThree, "1-234" },
    { "three digits stay everywhere", "123", PhoneLayout::HyphenFourThreeThree, "123" },

    { "Japanese mobile with its calling code", "+819012345678", PhoneLayout::HyphenThreeFour,
      "+81 90-1234-5678" },
    { "written with spaces and a calling code", "+81 90 1234 5678", PhoneLayout::FourPlusFour,
      "+81 (90) 1234-5678" },
    { "one-digit calling code", "+12125551234", PhoneLayout::ThreePlusFour, "+1 (212) 555-1234" },
    { "three-digit calling code", "+85223456789", PhoneLayout::HyphenThreeFour, "+852 2345-6789" },
    { "unknown calling code stays in the head", "+99912345678", PhoneLayout::FourPlusFour,
      "(+999) 1234-5678" },
    { "a code without a national number is no code", "+81", PhoneLayout::HyphenFourThreeThree, "+81" },

    { "Tokyo number with ext.", "(03) 1234-5678 ext.12", PhoneLayout::FourPlusFour, "(03) 1234-5678 x12" },
    { "extension written ext", "0312345678ext9", PhoneLayout::FourPlusFour, "(03) 1234-5678 x9" },
    { "extension written x", "03-1234-5678 x 45", PhoneLayout::HyphenThreeFour, "03-1234-5678 x45" },
    { "calling code and extension", "+81 3 1234 5678 ext. 7", PhoneLayout::HyphenThreeFour,
      "+81 3-1234-5678 x7" },
    { "Ext in capitals is no extension", "0312345678Ext7", PhoneLayout::FourPlusFour, "(03) 1234-5678" },

    { "a hash sign ends the number", "0312345678#99", PhoneLayout::FourPlusFour, "(03) 1234-5678" },
    { "text without digits gives nothing", "office", PhoneLayout::FourPlusFour, "" },
    { "a plus alone gives nothing", "+", PhoneLayout::FourPlusFour, "" },
    { "empty gives nothing", "", PhoneLayout::QuadTwo, "" },
};

INSTANTIATE_TEST_SUITE_P(NormalizePhoneNumber, Layouts, ::testing::ValuesIn(layoutCases));

TEST(NormalizePhoneNumber, EveryMenuTitleNamesItsLayoutAndTypedPlainComesBackAsItself)
{
    ASSERT_EQ(NormalizePhoneNumber::layouts().size(), 6);
    NormalizePhoneNumber normalizer;
    for (PhoneLayout layout : NormalizePhoneNumber::layouts()) {
        const QString title = NormalizePhoneNumber::titleForLayout(layout);
        EXPECT_EQ(NormalizePhoneNumber::layoutForTitle(title), layout) << title.toStdString();
        normalizer.setPhoneNumber(title);
        EXPECT_EQ(normalizer.layout(layout), title);
    }
    EXPECT_FALSE(NormalizePhoneNumber::layoutForTitle(qs("(12) 345-678")).has_value());
}

TEST(NormalizePhoneNumber, CleaningKeepsTheExtensionAndDropsWhatFollowsTheDigits)
{
    const struct
    {
        const char *input;
        const char *cleaned;
        const char *dropped;
    } cases[] = {
        { "(03) 1234-5678", "0312345678", "" },
        { "+81 3-1234-5678", "+81312345678", "" },
        { "03-1234-5678 ext.12", "0312345678x12", "" },
        { "12 ext34 ext.5", "12x34ext.5", "" }, // only the first extension word
        { "03.1234.5678", "03", ".1234.5678" },
        { "03-1234-5678 / 090-1111-2222", "0312345678", "/09011112222" },
        { "0312345678#99", "0312345678", "#99" },
        { "+", "", "" },
        { "abc", "", "abc" },
    };
    NormalizePhoneNumber normalizer;
    for (const auto &c : cases) {
        normalizer.setPhoneNumber(qs(c.input));
        EXPECT_EQ(normalizer.phoneNumber(), qs(c.cleaned)) << c.input;
        EXPECT_EQ(normalizer.droppedText(), qs(c.dropped)) << c.input;
    }
}

TEST(NormalizePhoneNumber, TableLinesOfOtherShapesAddEmptyEntriesThatMatchNothing)
{
    const QString text = qs("number,country,国名,エリア名\n"
                            "81,Japan,日本,東アジア\r\n"
                            "\n"
                            "9\n"
                            "1,United States,アメリカ合衆国,北アメリカ,extra\n"
                            "8,Nowhere,どこか,どこか\n");
    const QVariantList entries = NormalizePhoneNumber::arrayFromCountryNumbersString(text);
    ASSERT_EQ(entries.size(), 3);
    const QVariantMap japan = entries.at(0).toMap();
    EXPECT_EQ(japan.value(CountryNumberKey::Number).toString(), qs("81"));
    EXPECT_EQ(japan.value(CountryNumberKey::FirstDigit).toString(), qs("8"));
    EXPECT_EQ(japan.value(CountryNumberKey::CountryJa).toString(), qs("日本"));
    EXPECT_EQ(japan.value(CountryNumberKey::AreaJa).toString(), qs("東アジア"));
    EXPECT_TRUE(entries.at(1).toMap().isEmpty());
    EXPECT_TRUE(NormalizePhoneNumber::arrayFromCountryNumbersString(QString()).isEmpty());

    // The shorter code sorts first and wins over a longer one it begins.
    const NormalizePhoneNumber normalizer(text);
    EXPECT_EQ(normalizer.countryNumber(qs("+8112345")), qs("8"));
    EXPECT_EQ(normalizer.countryNumber(qs("+12125551234")), QString()); // its line was malformed
    EXPECT_EQ(normalizer.countryNumbers().first().toMap().value(CountryNumberKey::Number).toString(),
              qs("8"));
}

TEST(NormalizePhoneNumber, WithoutATableNoCodeIsRecognised)
{
    NormalizePhoneNumber normalizer { QString() };
    normalizer.setPhoneNumber(qs("+819012345678"));
    EXPECT_EQ(normalizer.countryNumber(normalizer.phoneNumber()), QString());
    EXPECT_EQ(normalizer.hyphenThreeFour(), qs("+8190-1234-5678"));
}

TEST(NormalizePhoneNumber, TheBundledTableHoldsEveryCodeOnceInFourFields)
{
    QFile file(PhoneResource::CountryNumbers);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_GT(lines.size(), 200);
    EXPECT_EQ(lines.first(), qs("number,country,国名,エリア名"));

    NormalizePhoneNumber normalizer;
    const QVariantList table = normalizer.countryNumbers();
    EXPECT_EQ(table.size(), lines.size() - 1);
    QStringList codes;
    for (const QVariant &entry : table)
        codes.append(entry.toMap().value(CountryNumberKey::Number).toString());
    EXPECT_EQ(codes.removeDuplicates(), 0);
    for (const char *code : { "1", "7", "33", "44", "49", "81", "86", "358", "852", "886", "971", "998" })
        EXPECT_TRUE(codes.contains(qs(code))) << code;
    // Codes are prefix-free: the text order never lets a short code shadow a longer country's.
    for (const QString &code : std::as_const(codes)) {
        for (const QString &other : std::as_const(codes))
            EXPECT_TRUE(code == other || !other.startsWith(code))
                << code.toStdString() << " " << other.toStdString();
    }
}

} // namespace
