// What the detail editors offer: address component order, the address's country, country choices.
#include "../testutil.h"
#include "detail/detailvalues.h"
#include "detail/keys.h"
#include "record/keys.h"
#include "record/qvperson.h"

#include <gtest/gtest.h>

TEST(DetailValues, ComponentsFollowTheCountryFormatAndNoneIsLost)
{
    const struct
    {
        const char *code;
        QStringList order;
    } cases[] = {
        { "JP", { FieldId::Zip, FieldId::State, FieldId::City, FieldId::Street, FieldId::Country } },
        { "de", { FieldId::Street, FieldId::Zip, FieldId::City, FieldId::Country, FieldId::State } },
        { "", { FieldId::Street, FieldId::City, FieldId::State, FieldId::Zip, FieldId::Country } },
        { "XX", { FieldId::Street, FieldId::City, FieldId::State, FieldId::Zip, FieldId::Country } },
    };
    for (const auto &c : cases)
        EXPECT_EQ(DetailValues::addressComponentOrder(qs(c.code)), c.order) << c.code;
}

TEST(DetailValues, AddressCountryComesFromCodeThenNameThenUser)
{
    const struct
    {
        const char *name;
        QVariantMap address;
        const char *code;
    } cases[] = {
        { "code wins", { { Key::IsoCountryCode, qs("jp") }, { FieldId::Country, qs("Germany") } }, "JP" },
        { "name predicts", { { FieldId::Country, qs("Germany") } }, "DE" },
        { "unknown name", { { FieldId::Country, qs("Atlantis") } }, "US" },
        { "nothing", {}, "US" },
    };
    for (const auto &c : cases)
        EXPECT_EQ(DetailValues::addressCountryCode(c.address), qs(c.code)) << c.name;
}

TEST(DetailValues, CountryChoicesListTheFormatTableByNameAndCode)
{
    const QVariantList table = QVPerson::addressFormatTable();
    const QVariantList choices = DetailValues::countryChoices();
    ASSERT_EQ(choices.size(), table.size());
    qsizetype japan = -1;
    for (qsizetype i = 0; i < choices.size(); ++i) {
        const QVariantMap choice = choices.at(i).toMap();
        EXPECT_EQ(choice.value(CountryChoiceKey::CountryCode),
                  table.at(i).toMap().value(AddressFormatKey::CountryCode));
        if (choice.value(CountryChoiceKey::CountryCode).toString() == qs("JP"))
            japan = i;
    }
    ASSERT_GE(japan, 0);
    // The name is the country's in the user's language where there is one: English here.
    EXPECT_EQ(choices.at(japan).toMap().value(CountryChoiceKey::String).toString().toUpper(),
              qs("JAPAN (JP)"));
}
