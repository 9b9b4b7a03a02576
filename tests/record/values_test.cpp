#include "../testutil.h"

#include "record/keys.h"
#include "record/qvperson.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

QVariantMap item(const QString &label, const QVariant &value, int labelIndex = -1)
{
    QVariantMap m{{Key::Label, label}, {Key::Value, value}};
    if (labelIndex >= 0)
        m.insert(Key::LabelIndex, labelIndex);
    return m;
}

QList<qlonglong> labelIndexes(const QVariantList &items)
{
    QList<qlonglong> out;
    for (const QVariant &v : items)
        out.append(v.toMap().value(Key::LabelIndex).toLongLong());
    return out;
}

TEST(Normalisers, EmailIsSplitAtTheFirstAtSign)
{
    struct Case
    {
        const char *text;
        QVariant username;
        QVariant domain;
    };
    const Case cases[] = {
        {"anna@example", qs("anna"), qs("example")},
        {"anna@", qs("anna@"), QVariant()},
        {"anna", qs("anna"), QVariant()},
        {"a@b@c", qs("a"), qs("b@c")},
        {"", QVariant(), QVariant()},
    };
    for (const Case &c : cases) {
        QVariantMap v = item(QString(), qs(c.text));
        QVPerson::updateEmailValue(v);
        EXPECT_EQ(v.value(Key::Username), c.username) << c.text;
        EXPECT_EQ(v.value(Key::Domain), c.domain) << c.text;
        EXPECT_EQ(v.value(Key::StringValue).toString(), qs(c.text));
        EXPECT_EQ(v.value(Key::Label).toString(), LabelWord::NoLabel);
    }
}

TEST(Normalisers, EditedEmailDropsTheOldDomain)
{
    QVariantMap v = item(LabelWord::Home, qs("anna@example.com"));
    QVPerson::updateEmailValue(v);
    v.insert(Key::Value, qs("anna"));
    QVPerson::updateEmailValue(v);
    EXPECT_FALSE(v.contains(Key::Domain));
}

TEST(Normalisers, InstantMessageText)
{
    QVariantMap none;
    QVPerson::updateIMSValue(none);
    EXPECT_EQ(none.value(Key::StringValue).toString(), QString());
    EXPECT_EQ(none.value(Key::Label).toString(), LabelWord::NoLabel);

    QVariantMap jabber{{Key::Service, qs("Jabber")}, {Key::Label, qs("")}};
    QVPerson::updateIMSValue(jabber);
    EXPECT_EQ(jabber.value(Key::StringValue).toString(), qs("Jabber:"));
    EXPECT_EQ(jabber.value(Key::Label).toString(), QString()); // only a missing label is filled

    QVariantMap full{{Key::Service, qs("Skype")}, {Key::Value, qs("anna.b")}};
    QVPerson::updateIMSValue(full);
    EXPECT_EQ(full.value(Key::StringValue).toString(), qs("Skype:anna.b"));
    EXPECT_EQ(full.value(Key::Username).toString(), qs("anna.b"));
}

TEST(Normalisers, SocialNetworkServiceComesFromTheLabel)
{
    QVariantMap missing{{Key::Value, qs("anna")}};
    QVPerson::updateSNSValue(missing);
    EXPECT_EQ(missing.value(Key::Label).toString(), LabelWord::NoService);
    EXPECT_EQ(missing.value(Key::Service).toString(), LabelWord::NoService);
    EXPECT_EQ(missing.value(Key::Username).toString(), qs("anna"));

    QVariantMap twitter = item(qs("Twitter"), qs("@anna"));
    QVPerson::updateSNSValue(twitter);
    EXPECT_EQ(twitter.value(Key::Service).toString(), qs("Twitter"));
    EXPECT_EQ(twitter.value(Key::StringValue).toString(), qs("@anna"));
}

TEST(Normalisers, DatesBecomeComponentsAndDisplayText)
{
    QVariantMap fromDate = item(LabelWord::Anniversary, QDate(2020, 2, 29));
    QVPerson::updateDatesValue(fromDate);
    EXPECT_EQ(fromDate.value(Key::Value).value<DateComponents>(), (DateComponents{2020, 2, 29}));
    EXPECT_EQ(fromDate.value(Key::StringValue).toString(), qs("2020.02.29(Sat)"));

    QVariantMap noYear = item(LabelWord::Anniversary, QVariant::fromValue(DateComponents{-1, 3, 15}));
    QVPerson::updateDatesValue(noYear);
    EXPECT_EQ(noYear.value(Key::StringValue).toString(), QString());

    QVariantMap text = item(LabelWord::Anniversary, qs("next spring"));
    QVPerson::updateDatesValue(text);
    EXPECT_EQ(text.value(Key::Value).toString(), qs("next spring"));
    EXPECT_EQ(text.value(Key::StringValue).toString(), QString());
}

TEST(LabeledValues, AddedItemsGetTheNextFreeLabelIndex)
{
    struct Case
    {
        const char *name;
        QList<int> existing;
        int expected;
    };
    const Case cases[] = {
        {"gap after deletion", {0, 5}, 6},
        {"dense", {0, 1}, 2},
        {"higher count than numbers", {0, 0, 0}, 3},
        {"empty", {}, 0},
    };
    for (const Case &c : cases) {
        QVPerson p;
        QVariantList items;
        for (int i : c.existing)
            items.append(item(LabelWord::Home, qs("555"), i));
        p.replaceLabeledValue(items, FieldId::Phone);
        p.addLabeledValue(item(LabelWord::Work, qs("777")), FieldId::Phone);
        const QVariantList after = p.phoneValues();
        ASSERT_EQ(after.size(), c.existing.size() + 1) << c.name;
        EXPECT_EQ(after.last().toMap().value(Key::LabelIndex).toInt(), c.expected) << c.name;
    }
}

TEST(LabeledValues, AddingToANewRecordKeepsTheItem)
{
    QVPerson p;
    ASSERT_FALSE(p.isLabeledFieldLoaded(QVPerson::LabeledField::Phone));
    p.addLabeledValue(item(LabelWord::Mobile, qs("+1 555 0100")), FieldId::Phone);
    ASSERT_EQ(p.phoneValues().size(), 1);
    EXPECT_EQ(p.phoneValues().first().toMap().value(Key::StringValue).toString(), qs("+1 555 0100"));
    EXPECT_TRUE(p.changed());
}

TEST(LabeledValues, ReplaceByLabelIndex)
{
    QVPerson p;
    p.setValue(QVariantList{item(LabelWord::Home, qs("1"), 0), item(LabelWord::Work, qs("2"), 3)}, FieldId::Phone);
    p.replaceLabeledValue(item(LabelWord::Mobile, qs("9"), 3), FieldId::Phone);
    EXPECT_EQ(p.labeledValueForIdentifierAtLabelIndex(FieldId::Phone, 3).value(Key::StringValue).toString(),
              qs("9"));
    EXPECT_EQ(p.labeledValueForIdentifierAtIndex(FieldId::Phone, 1).value(Key::Label).toString(),
              LabelWord::Mobile);

    const QVariantList before = p.phoneValues();
    p.replaceLabeledValue(item(LabelWord::Mobile, qs("0"), 7), FieldId::Phone);
    EXPECT_EQ(p.phoneValues(), before);

    p.replaceLabeledValue(QVariant(), FieldId::Phone);
    EXPECT_TRUE(p.phoneValues().isEmpty());
    EXPECT_TRUE(p.isLabeledFieldLoaded(QVPerson::LabeledField::Phone));
}

TEST(LabeledValues, LookUpsAnswerCopiesOrNothing)
{
    QVPerson p;
    p.setValue(QVariantList{item(LabelWord::Home, qs("a@b.c"), 4)}, FieldId::Email);
    EXPECT_TRUE(p.labeledValueForIdentifierAtIndex(FieldId::Email, 1).isEmpty());
    EXPECT_TRUE(p.labeledValueForIdentifierAtIndex(FieldId::Email, -1).isEmpty());
    EXPECT_TRUE(p.labeledValueForIdentifierAtLabelIndex(FieldId::Email, 0).isEmpty());
    QVariantMap copy = p.labeledValueForIdentifierAtLabelIndex(FieldId::Email, 4);
    copy.insert(Key::Value, qs("changed"));
    EXPECT_EQ(p.emailValues().first().toMap().value(Key::Value).toString(), qs("a@b.c"));
}

TEST(LabeledValues, DeleteByLabelIndex)
{
    QVPerson p;
    p.setValue(QVariantList{item(LabelWord::Home, qs("1"), 0), item(LabelWord::Work, qs("2"), 1)}, FieldId::Phone);
    p.setChanged(false);
    p.deleteLabeledValueForIdentifier(FieldId::Phone, std::numeric_limits<qsizetype>::max());
    p.deleteLabeledValueForIdentifier(FieldId::Phone, 9);
    EXPECT_EQ(p.phoneValues().size(), 2);
    p.deleteLabeledValueForIdentifier(FieldId::Phone, 0);
    EXPECT_EQ(labelIndexes(p.phoneValues()), QList<qlonglong>{1});
    EXPECT_FALSE(p.changed()); // the undo layer marks the change
}

TEST(LabeledValues, SortingAnswersWhetherTheOrderChanged)
{
    QVPerson p;
    p.setValue(QVariantList{item(LabelWord::Home, qs("3"), 0), item(LabelWord::Work, qs("1"), 1),
                            item(LabelWord::Mobile, qs("2"), 2)},
               FieldId::Phone);
    EXPECT_TRUE(p.sortForIdentifier(FieldId::Phone, Key::Label, true));
    EXPECT_EQ(labelIndexes(p.phoneValues()), (QList<qlonglong>{0, 2, 1}));
    EXPECT_FALSE(p.sortForIdentifier(FieldId::Phone, Key::Label, true)) << "already in order";
    EXPECT_TRUE(p.sortForIdentifier(FieldId::Phone, Key::StringValue, true));
    EXPECT_EQ(labelIndexes(p.phoneValues()), (QList<qlonglong>{1, 2, 0}));
    EXPECT_FALSE(p.sortForIdentifier(FieldId::Phone, FieldId::City, true)) << "not a key of phones";
    EXPECT_FALSE(p.sortForIdentifier(FieldId::Note, Key::Label, true));
}

TEST(ValueAccess, TypesOfIdentifiers)
{
    QVPerson p;
    p.setValue(qs("Tea"), qs("FAVORITE"));
    EXPECT_EQ(p.typeForIdentifier(FieldId::Photo), QString());
    EXPECT_EQ(p.typeForIdentifier(FieldId::Note), ValueType::String);
    EXPECT_EQ(p.typeForIdentifier(FieldId::Birthday), ValueType::Dictionary);
    EXPECT_EQ(p.typeForIdentifier(FieldId::Address), ValueType::Labeled);
    EXPECT_EQ(p.typeForIdentifier(qs("FAVORITE")), ValueType::String);
    EXPECT_EQ(p.typeForIdentifier(qs("Unknown")), QString());
}

TEST(ValueAccess, UnknownIdentifiersDefineCustomItemsByValueShape)
{
    QVPerson p;
    p.setValue(QVariantList{item(qs("primary"), qs("x1"))}, qs("SPOUSE-NICK"));
    EXPECT_EQ(p.typeForIdentifier(qs("SPOUSE-NICK")), ValueType::Labeled);
    EXPECT_TRUE(QVPerson::customLabelsForIdentifier(qs("SPOUSE-NICK")).contains(qs("primary")));

    p.setValue(42, qs("NUMBER"));
    EXPECT_FALSE(p.customIdentifiers().contains(qs("NUMBER")));
    EXPECT_FALSE(p.valueForIdentifier(qs("NUMBER")).isValid());
    EXPECT_EQ(p.stringValueForIdentifier(qs("NUMBER")), QString());
}

TEST(ValueAccess, StringFieldsAndPseudoIdentifiers)
{
    QVPerson p;
    EXPECT_FALSE(p.valueForIdentifier(FieldId::Company).isValid());
    EXPECT_EQ(p.stringValueForIdentifier(FieldId::Company), QString());
    p.setValue(qs("Acme"), FieldId::Company);
    EXPECT_EQ(p.valueForIdentifier(FieldId::Company).toString(), qs("Acme"));
    EXPECT_EQ(p.valueForIdentifier(FieldId::Groups).toString(), QString());
    EXPECT_TRUE(p.valueForIdentifier(FieldId::Groups).isValid());
    EXPECT_EQ(p.stringValueForIdentifier(FieldId::Birthday), QString());
    p.setValue(QVariantMap{{Key::Value, QVariant::fromValue(DateComponents{1990, 7, 4})}}, FieldId::Birthday);
    EXPECT_EQ(p.stringValueForIdentifier(FieldId::Birthday), qs("1990.07.04(Wed)"));
}

TEST(ValueAccess, SettingAWholeFieldKeepsLabelIndexesAndNormalises)
{
    QVPerson p;
    p.setValue(QVariantList{item(QString(), qs("x@y.z"), 7)}, FieldId::Email);
    const QVariantMap stored = p.emailValues().first().toMap();
    EXPECT_EQ(stored.value(Key::LabelIndex).toInt(), 7);
    EXPECT_EQ(stored.value(Key::Label).toString(), LabelWord::NoLabel);
    EXPECT_EQ(stored.value(Key::Domain).toString(), qs("y.z"));
}

// Readers hand over items in the compact form, which is normalised in place; the result must be
// what setting the same dictionaries gives, field by field.
TEST(ValueAccess, CompactItemsAreNormalisedLikeDictionaries)
{
    using Field = QVPerson::LabeledField;
    const QList<std::pair<Field, QVariantList>> fields = {
        {Field::Phone, {item(LabelWord::Home, qs("+1 555 0100"), 0), item(QString(), qs("12"), 1)}},
        {Field::Email, {item(QString(), qs("anna@example.com"), 0), item(LabelWord::Work, qs("anna"), 1)}},
        {Field::Url, {item(QString(), qs("https://example.com"), 0)}},
        {Field::Relationship, {item(qs("friend"), qs("Bo"), 0)}},
        {Field::Address,
         {QVariantMap{{Key::Label, LabelWord::Home}, {FieldId::Street, qs("1 Main St")}, {FieldId::City, qs("Springfield")},
                      {FieldId::Zip, qs("12345")}, {FieldId::Country, qs("Germany")}, {Key::LabelIndex, 0}},
          QVariantMap{{Key::Label, QString()}, {FieldId::Street, qs("丸の内1-1-1")}, {FieldId::State, qs("東京都")},
                      {Key::IsoCountryCode, qs("jp")}, {Key::LabelIndex, 1}}}},
        {Field::InstantMessage,
         {QVariantMap{{Key::Label, LabelWord::Home}, {Key::Service, qs("Jabber")}, {Key::Value, qs("anna")},
                      {Key::LabelIndex, 0}}}},
        {Field::SocialNetwork, {QVariantMap{{Key::Label, qs("Twitter")}, {Key::Value, qs("anna")}, {Key::LabelIndex, 0}}}},
        {Field::Dates, {item(QString(), QVariant::fromValue(DateComponents{2001, 2, 3}), 0)}},
    };
    for (const auto &[field, items] : fields) {
        const QString &identifier = QVPerson::identifierForLabeledField(field);
        QVPerson fromDictionaries;
        fromDictionaries.setValue(items, identifier);
        CompactList compact;
        for (const QVariant &v : items)
            compact.append(CompactMap(v.toMap()));
        QVPerson fromCompact;
        fromCompact.setLabeledItems(field, std::move(compact));
        EXPECT_EQ(fromCompact.labeledValues(field), fromDictionaries.labeledValues(field)) << identifier.toStdString();
        EXPECT_FALSE(fromCompact.labeledValues(field).first().toMap().value(Key::StringValue).toString().isEmpty())
            << identifier.toStdString();
    }
}

TEST(ValueAccess, CompactDictionariesAreCompletedLikeDictionaries)
{
    const QList<std::pair<QString, QVariantMap>> dictionaries = {
        {FieldId::Name, {{FieldId::FirstName, qs("Hanako")}, {FieldId::LastName, qs("Yamada")}, {Key::ShowAsPerson, false}}},
        {FieldId::PhoneticName, {{FieldId::FirstName, qs("ハナコ")}, {FieldId::LastName, qs("ヤマダ")}}},
        {FieldId::Birthday, {{Key::Value, QVariant::fromValue(DateComponents{1985, 2, 28})}}},
    };
    QVPerson fromDictionaries;
    QVPerson fromCompact;
    fromDictionaries.setValue(qs("Acme"), FieldId::Company);
    fromCompact.setValue(qs("Acme"), FieldId::Company);
    for (const auto &[identifier, dictionary] : dictionaries) {
        fromDictionaries.setValue(dictionary, identifier);
        fromCompact.setDictionary(identifier, CompactMap(dictionary));
    }
    for (const auto &[identifier, dictionary] : dictionaries) {
        EXPECT_EQ(fromCompact.valueForIdentifier(identifier), fromDictionaries.valueForIdentifier(identifier))
            << identifier.toStdString();
        EXPECT_FALSE(fromCompact.stringValueForIdentifier(identifier).isEmpty()) << identifier.toStdString();
    }
    EXPECT_FALSE(fromCompact.showAsPerson());
    EXPECT_EQ(fromCompact.compositeName(), qs("Acme"));
}

TEST(CustomItems, LabeledCustomItemOperations)
{
    QVPerson p;
    p.addLabeledValue(QVariantMap{{Key::Label, qs("home")}, {Key::Value, qs("Bo")}}, qs("SPOUSE-NICK"));
    EXPECT_EQ(p.typeForIdentifier(qs("SPOUSE-NICK")), ValueType::Labeled);
    p.addLabeledValue(QVariantMap{{Key::Label, qs("work")}, {Key::Value, qs("Bob")}}, qs("SPOUSE-NICK"));
    QVariantList items = p.labeledValueForIdentifier(qs("SPOUSE-NICK"));
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(labelIndexes(items), (QList<qlonglong>{0, 1}));
    EXPECT_EQ(items.first().toMap().value(Key::StringValue).toString(), qs("Bo"));

    p.replaceLabeledValue(QVariantMap{{Key::Label, qs("work")}, {Key::Value, qs("Robert")}, {Key::LabelIndex, 1}},
                          qs("SPOUSE-NICK"));
    EXPECT_EQ(p.labeledValueForIdentifierAtLabelIndex(qs("SPOUSE-NICK"), 1).value(Key::StringValue).toString(),
              qs("Robert"));
    p.deleteLabeledValueForIdentifier(qs("SPOUSE-NICK"), 0);
    EXPECT_EQ(p.labeledValueForIdentifier(qs("SPOUSE-NICK")).size(), 1);
    p.replaceLabeledValue(QVariant(), qs("SPOUSE-NICK"));
    EXPECT_TRUE(p.labeledValueForIdentifier(qs("SPOUSE-NICK")).isEmpty());
}

} // namespace
