#include "../testutil.h"

#include "platform/contactsettings.h"
#include "record/keys.h"
#include "record/qvperson.h"

#include <gtest/gtest.h>

namespace {

class Names : public ::testing::Test
{
protected:
    void TearDown() override { ContactSettings::setSortOrder(ContactSettings::SortOrder::GivenName); }
};

TEST_F(Names, CompositionFollowsTheOrder)
{
    struct Case
    {
        const char *name;
        ContactSettings::SortOrder platform;
        QVariantMap dict;
        QString expected;
    };
    const QVariantMap annaBerg{{FieldId::FirstName, qs("Anna")}, {FieldId::LastName, qs("Berg")}};
    auto with = [](QVariantMap m, int ordering) {
        m.insert(Key::NameOrdering, ordering);
        return m;
    };
    const Case cases[] = {
        {"platform family first", ContactSettings::SortOrder::FamilyName, with(annaBerg, 0), qs("Berg Anna")},
        {"platform given first", ContactSettings::SortOrder::GivenName, with(annaBerg, 0), qs("Anna Berg")},
        {"given first", ContactSettings::SortOrder::FamilyName, with(annaBerg, 1), qs("Anna Berg")},
        {"family first", ContactSettings::SortOrder::GivenName, with(annaBerg, 2), qs("Berg Anna")},
        {"only middle", ContactSettings::SortOrder::GivenName, {{FieldId::MiddleName, qs("Lee")}}, qs("Lee")},
        {"middle ignored with first",
         ContactSettings::SortOrder::GivenName,
         {{FieldId::FirstName, qs("Jo")}, {FieldId::MiddleName, qs("Lee")}},
         qs("Jo")},
        {"only last", ContactSettings::SortOrder::GivenName, {{FieldId::LastName, qs("Berg")}}, qs("Berg")},
        {"nothing", ContactSettings::SortOrder::GivenName, {}, QString()},
    };
    for (const Case &c : cases) {
        ContactSettings::setSortOrder(c.platform);
        EXPECT_EQ(QVPerson::compositeNameFromNameDict(c.dict), c.expected) << c.name;
    }
}

TEST_F(Names, EastAsianNamesFamilyNameFirst)
{
    struct Case
    {
        const char *name;
        const char *first;
        const char *last;
        int ordering;
        const char *expected;
    };
    const Case cases[] = {
        {"Japanese, Han", "陽介", "山口", 0, "山口 陽介"},
        {"Japanese, kana", "ハナコ", "やまだ", 0, "やまだ ハナコ"},
        {"prolonged sound mark", "ユーコ", "サトー", 0, "サトー ユーコ"},
        {"Korean", "민준", "김", 0, "김 민준"},
        {"Chinese", "小明", "王", 0, "王 小明"},
        {"Han beyond the basic plane", "𠀋子", "山口", 0, "山口 𠀋子"},
        {"Latin", "John", "Smith", 0, "John Smith"},
        {"mixed scripts follow the locale", "John", "山口", 0, "John 山口"},
        {"Latin with accents", "Zoë", "Ødegård", 0, "Zoë Ødegård"},
        {"the record's own order wins", "陽介", "山口", 1, "陽介 山口"},
    };
    ContactSettings::setSortOrder(ContactSettings::SortOrder::GivenName);
    for (const Case &c : cases) {
        const QVariantMap dict{{FieldId::FirstName, qs(c.first)},
                               {FieldId::LastName, qs(c.last)},
                               {Key::NameOrdering, c.ordering}};
        EXPECT_EQ(QVPerson::compositeNameFromNameDict(dict), qs(c.expected)) << c.name;
        QVPerson p;
        p.setValue(dict, FieldId::Name);
        EXPECT_EQ(p.compositeName(), qs(c.expected)) << c.name << ": shown";
    }
}

TEST_F(Names, CompositeNameOfPeopleAndCompanies)
{
    QVPerson p;
    EXPECT_EQ(p.compositeName(), qs("No Name"));
    p.setValue(QVariantMap{{FieldId::FirstName, qs("Anna")}, {FieldId::LastName, qs("Berg")}}, FieldId::Name);
    EXPECT_EQ(p.compositeName(), qs("Anna Berg"));
    EXPECT_TRUE(p.showAsPerson()) << "a name without the flag keeps the record a person";

    // A change of the platform's order shows in names of the system-default order.
    ContactSettings::setSortOrder(ContactSettings::SortOrder::FamilyName);
    EXPECT_EQ(p.compositeName(), qs("Berg Anna"));
    EXPECT_EQ(p.nameValue().value(Key::StringValue).toString(), qs("Berg Anna"));

    QVPerson company;
    company.setValue(QVariantMap{{Key::ShowAsPerson, false}}, FieldId::Name);
    EXPECT_EQ(company.compositeName(), qs("No Name"));
    company.setValue(qs("Acme"), FieldId::Company);
    EXPECT_EQ(company.compositeName(), qs("Acme"));
    EXPECT_FALSE(company.showAsPerson());
}

TEST_F(Names, SettingNamePartsRecomposes)
{
    QVPerson p;
    p.setNameValue(qs("Anna"), FieldId::FirstName);
    p.setNameValue(QVariant(), FieldId::LastName);
    EXPECT_EQ(p.nameValue().value(FieldId::LastName), QVariant(QString()));
    EXPECT_EQ(p.compositeName(), qs("Anna"));
    p.setValue(qs("Berg"), FieldId::LastName);
    EXPECT_EQ(p.compositeName(), qs("Anna Berg"));
    EXPECT_EQ(p.valueForIdentifier(FieldId::LastName).toString(), qs("Berg"));
    EXPECT_EQ(p.valueForIdentifier(FieldId::MiddleName).toString(), QString());
}

TEST_F(Names, PhoneticNames)
{
    QVPerson p;
    EXPECT_FALSE(p.valueForIdentifier(FieldId::PhoneticName).isValid());
    p.setValue(QVariantMap{{FieldId::FirstName, qs("ハナコ")}, {FieldId::LastName, qs("ヤマダ")}},
               FieldId::PhoneticName);
    EXPECT_EQ(p.stringValueForIdentifier(FieldId::PhoneticName), qs("ハナコ ヤマダ"));
    p.setNameOrdering(2);
    QVariantMap dict = p.phoneticNameValue();
    p.updatePhoneticName(dict);
    EXPECT_EQ(dict.value(Key::StringValue).toString(), qs("ヤマダ ハナコ"));

    // Parts stored by identifier are kept apart from the composed parts.
    p.setValue(qs("タロウ"), FieldId::PhoneticFirstName);
    EXPECT_EQ(p.valueForIdentifier(FieldId::PhoneticFirstName).toString(), qs("タロウ"));
    EXPECT_EQ(p.phoneticNameValue().value(FieldId::FirstName).toString(), qs("ハナコ"));
}

TEST_F(Names, Birthdays)
{
    QVPerson p;
    p.setBirthdayValue(QVariantMap{{Key::Value, QVariant::fromValue(DateComponents{1985, 2, 30})}});
    EXPECT_EQ(p.birthdayValue().value(Key::StringValue).toString(), QString()) << "not a date";
    p.setBirthdayValue(QVariantMap{{Key::Value, QVariant::fromValue(DateComponents{1985, 2, 28})}});
    EXPECT_EQ(p.birthdayValue().value(Key::StringValue).toString(), qs("1985.02.28(Thu)"));
    p.setBirthdayValue(QVariant());
    EXPECT_TRUE(p.birthdayValue().isEmpty());
    EXPECT_TRUE(p.changed());
}

// Dates are composed without the locale's pattern parser; the text must be the pattern's, in
// locales with other weekday names and other digits too, and for years that need padding.
TEST(DateDisplay, MatchesTheLocalePattern)
{
    const QLocale saved;
    for (const char *name : {"C", "de_DE", "ja_JP", "ar_EG", "fa_IR"}) {
        QLocale::setDefault(QLocale(QString::fromLatin1(name)));
        for (const QDate date : {QDate(1985, 2, 28), QDate(2024, 12, 1), QDate(7, 1, 2), QDate(1604, 3, 15),
                                 QDate(-44, 3, 15), QDate(12000, 1, 1)}) {
            EXPECT_EQ(DateFormat::displayString(date),
                      QLocale().toString(date, QStringLiteral("yyyy.MM.dd(ddd)")))
                << name << ' ' << date.toString(Qt::ISODate).toStdString();
        }
    }
    QLocale::setDefault(saved);
    EXPECT_EQ(DateFormat::displayString(QDate()), QString());
}

TEST_F(Names, PhotoAndStockThumbnails)
{
    QVPerson person;
    EXPECT_TRUE(person.photo().isNull());
    const QImage user = person.thumbnail();
    ASSERT_FALSE(user.isNull());

    QVPerson company;
    company.setShowAsPerson(false);
    const QImage building = company.thumbnail();
    ASSERT_FALSE(building.isNull());
    EXPECT_NE(user, building);

    QImage red(4, 3, QImage::Format_RGB32);
    red.fill(Qt::red);
    person.setPhoto(red);
    EXPECT_EQ(person.photo().size(), QSize(4, 3));
    EXPECT_EQ(person.thumbnail().pixelColor(0, 0), QColor(Qt::red));
    person.setPhoto(QImage());
    EXPECT_TRUE(person.imageData().isEmpty());
    EXPECT_TRUE(person.photo().isNull());
}

TEST_F(Names, CustomItemDefinitionsAndValues)
{
    QVPerson p;
    p.addCustomItem(ValueType::Labeled, qs("Pets"), {});
    EXPECT_EQ(p.customItemDefinition(qs("Pets")).value(CustomKey::Labels).toStringList(), QStringList());
    EXPECT_FALSE(p.items().contains(qs("Pets")));
    EXPECT_EQ(p.customValueForIdentifier(qs("Pets")).toList(), QVariantList());
    EXPECT_TRUE(p.items().contains(qs("Pets"))) << "an empty list is stored once read";

    p.addCustomItem(ValueType::String, qs("Shoe size"), {});
    EXPECT_EQ(p.customValueForIdentifier(qs("Shoe size")).toString(), QString());
    EXPECT_FALSE(p.items().contains(qs("Shoe size")));

    p.addCustomItem(ValueType::Labeled, qs("Pets"), {qs("cat")}, QByteArray("icon"));
    EXPECT_EQ(p.customIdentifiers(), (QStringList{qs("Pets"), qs("Shoe size")}));
    EXPECT_EQ(p.customItemDefinition(qs("Pets")).value(CustomKey::ImageData).toByteArray(), QByteArray("icon"));
    EXPECT_TRUE(QVPerson::customLabelsForIdentifier(qs("Pets")).contains(qs("cat")));

    p.deleteCustomItemForName(qs("Pets"));
    EXPECT_EQ(p.customIdentifiers(), QStringList{qs("Shoe size")});
    EXPECT_FALSE(p.items().contains(qs("Pets")));
    p.deleteCustomItemForName(qs("Nothing"));
    EXPECT_EQ(p.customIdentifiers(), QStringList{qs("Shoe size")});
}

} // namespace
