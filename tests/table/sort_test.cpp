#include "table/sortkeys.h"
#include "table/sortvalue.h"
#include "table/subcontactbuilder.h"
#include "table/tablerows.h"
#include "table/tablesorter.h"
#include "tabletestutil.h"

#include <gtest/gtest.h>

using namespace TableTest;

namespace {

TEST(SortKeys, SplitIntoFieldAndValueKey)
{
    struct Case
    {
        QString key;
        QString field;
        QString valueKey;
    };
    const Case cases[] = {
        { qs("Phone label"), FieldId::Phone, Key::Label },
        { qs("Email domain"), FieldId::Email, Key::Domain },
        { qs("City"), FieldId::Address, FieldId::City },
        { qs("Instant Message service name"), FieldId::InstantMessage, Key::Service },
        { qs("Social Network username"), FieldId::SocialNetwork, Key::Username },
        { qs("Phonetic Name FirstName"), FieldId::PhoneticName, FieldId::PhoneticFirstName },
        { qs("Phonetic LastName"), FieldId::PhoneticName, FieldId::PhoneticLastName },
        { qs("compositeName"), FieldId::Name, FieldId::CompositeName },
        { qs("Hobby label"), qs("Hobby"), Key::Label },
        { qs("Job Title"), FieldId::JobTitle, Key::StringValue },
        { qs("Hobby"), qs("Hobby"), Key::StringValue },
    };
    for (const Case &c : cases) {
        const auto parts = SortKeys::separateSortKeyIntoIdentifierAndKey(c.key);
        ASSERT_TRUE(parts.has_value()) << c.key.toStdString();
        EXPECT_EQ(parts->identifier, c.field) << c.key.toStdString();
        EXPECT_EQ(parts->valueKey, c.valueKey) << c.key.toStdString();
    }
    EXPECT_FALSE(SortKeys::separateSortKeyIntoIdentifierAndKey(QString()).has_value());
}

TEST(SortValues, DateComponentsCompareWithMissingLast)
{
    const QVariant none;
    const QVariant y1970 = QVariant::fromValue(DateComponents { 1970, 5, 1 });
    const QVariant y1980 = QVariant::fromValue(DateComponents { 1980, 1, 1 });
    const QVariant empty = QVariant::fromValue(DateComponents {});
    const QVariant text = qs("next spring");
    struct Case
    {
        const char *name;
        QVariant a;
        QVariant b;
        int ascending;
        int descending;
    };
    const Case cases[] = {
        { "both missing", none, none, 0, 0 },
        { "only a", y1970, none, -1, -1 },
        { "only b", none, y1970, 1, 1 },
        { "empty components are missing", empty, y1970, 1, 1 },
        { "text is missing", y1970, text, -1, -1 },
        { "earlier first ascending", y1970, y1980, -1, 1 },
        { "same date", y1980, y1980, 0, 0 },
    };
    for (const Case &c : cases) {
        EXPECT_EQ(SortValues::compareDateComponents(c.a, c.b, true), c.ascending) << c.name;
        EXPECT_EQ(SortValues::compareDateComponents(c.a, c.b, false), c.descending) << c.name;
    }
}

class Sorting : public ::testing::Test
{
protected:
    // Rows in contact-table order for the columns, sorted by the key.
    static QStringList sorted(const ContactList &contacts, const QStringList &identifiers, const QString &key,
                              bool ascending, const QStringList &labels = { LabelWord::All })
    {
        SubContactRows rows = SubContactBuilder::updateSubContactTable(contacts, identifiers, labels);
        TableSorter::sortRows(rows, { key, ascending }, labels);
        return summary(rows);
    }
};

TEST_F(Sorting, RowsWithoutAValueUnderTheFilterGoLastBothWays)
{
    PersonPtr a = person("A");
    add(a, FieldId::Phone, { { "home", "1" }, { "work", "5" } });
    PersonPtr b = person("B");
    add(b, FieldId::Phone, { { "work", "3" } });
    PersonPtr c = person("C");
    add(c, FieldId::Phone, { { "home", "2" } });
    const ContactList contacts = entries({ a, b, c, person("D") });
    const QStringList ids { FieldId::Name, FieldId::Phone };
    EXPECT_EQ(sorted(contacts, ids, FieldId::Phone, true, { LabelWord::Work }),
              (QStringList { qs("B#0"), qs("A#1"), qs("A#0"), qs("C#0"), qs("D#0") }));
    EXPECT_EQ(sorted(contacts, ids, FieldId::Phone, false, { LabelWord::Work }),
              (QStringList { qs("A#1"), qs("B#0"), qs("A#0"), qs("C#0"), qs("D#0") }));
    EXPECT_EQ(sorted(contacts, ids, FieldId::Phone, true),
              (QStringList { qs("A#0"), qs("C#0"), qs("B#0"), qs("A#1"), qs("D#0") }));
}

TEST_F(Sorting, ByFieldsAndOptions)
{
    struct Case
    {
        const char *name;
        ContactList contacts;
        QStringList identifiers;
        QString key;
        QStringList ascending;
        QStringList descending;
    };
    // Name parts: a company card sorts by its company whatever its person name.
    const ContactList people = entries({ person("Carl", "Young"), company("Zeta Corp", "Aaron", "Aardvark"),
                                         person("Bob", "Brown"), person("Dora") });
    // Birthdays, one missing.
    PersonPtr b1980 = person("B80");
    setBirthday(b1980, 1980, 3, 1);
    PersonPtr b1970 = person("B70");
    setBirthday(b1970, 1970, 12, 24);
    const ContactList birthdays = entries({ b1980, person("None"), b1970 });
    // E-mail domains differ in case; one address has none.
    PersonPtr e1 = person("E1");
    add(e1, FieldId::Email, { { "home", "z@Beta.org" } });
    PersonPtr e2 = person("E2");
    add(e2, FieldId::Email, { { "home", "y@alpha.com" } });
    PersonPtr e3 = person("E3");
    add(e3, FieldId::Email, { { "home", "nodomain" } });
    PersonPtr e4 = person("E4");
    add(e4, FieldId::Email, { { "home", "x@beta.com" } });
    const ContactList emails = entries({ e1, e2, e3, e4 });
    // Dates: labels and dates in opposite orders.
    PersonPtr d = person("D");
    for (const auto &[label, year] :
         { std::pair { "wedding", 1990 }, { "anniversary", 2000 }, { "birth", 2010 } })
        d->addLabeledValue(QVariantMap { { Key::Label, qs(label) },
                                         { Key::Value, QVariant::fromValue(DateComponents { year, 6, 1 }) } },
                           FieldId::Dates);
    const ContactList dates = entries({ d });
    // A custom labeled item, sorted by its label.
    PersonPtr h1 = person("H1");
    addCustom(h1, qs("Hobby"), { { "winter", "skiing" } });
    PersonPtr h2 = person("H2");
    addCustom(h2, qs("Hobby"), { { "Autumn", "hiking" } });
    PersonPtr h3 = person("H3");
    addCustom(h3, qs("Hobby"), { { "summer", "sailing" } });
    const ContactList hobbies = entries({ h1, h2, h3 });
    // Equal values keep the contact-table order in both directions.
    auto worker = [](const char *name, const char *employer) {
        PersonPtr p = person(name);
        p->setValue(qs(employer), FieldId::Company);
        return p;
    };
    const ContactList staff
        = entries({ worker("X", "Acme"), worker("Y", "acme"), worker("W", "Beta"), worker("Z", "ACME") });
    // Accents and case do not decide; kana sort by reading, not by code point.
    const ContactList localized = entries({ person("émile"), person("Zoë"), person("anna"), person("Ben"),
                                            person("さとう"), person("アベ"), person("かとう") });

    const QStringList nameOnly { FieldId::Name };
    const Case cases[] = {
        // Dora has no last name, so no value under LastName.
        { "LastName uses the company of a company card",
          people,
          nameOnly,
          FieldId::LastName,
          { qs("Bob Brown#0"), qs("Carl Young#0"), qs("Zeta Corp#0"), qs("Dora#0") },
          { qs("Zeta Corp#0"), qs("Carl Young#0"), qs("Bob Brown#0"), qs("Dora#0") } },
        { "FirstName",
          people,
          nameOnly,
          FieldId::FirstName,
          { qs("Bob Brown#0"), qs("Carl Young#0"), qs("Dora#0"), qs("Zeta Corp#0") },
          { qs("Zeta Corp#0"), qs("Dora#0"), qs("Carl Young#0"), qs("Bob Brown#0") } },
        { "missing birthday last",
          birthdays,
          { FieldId::Name, FieldId::Birthday },
          FieldId::Birthday,
          { qs("B70#0"), qs("B80#0"), qs("None#0") },
          { qs("B80#0"), qs("B70#0"), qs("None#0") } },
        { "Email domain ignores case",
          emails,
          { FieldId::Name, FieldId::Email },
          qs("Email domain"),
          { qs("E2#0"), qs("E4#0"), qs("E1#0"), qs("E3#0") },
          { qs("E1#0"), qs("E4#0"), qs("E2#0"), qs("E3#0") } },
        { "Dates label sorts by label",
          dates,
          { FieldId::Name, FieldId::Dates },
          qs("Dates label"),
          { qs("D#1"), qs("D#2"), qs("D#0") },
          { qs("D#0"), qs("D#2"), qs("D#1") } },
        { "Dates sorts by date",
          dates,
          { FieldId::Name, FieldId::Dates },
          FieldId::Dates,
          { qs("D#0"), qs("D#1"), qs("D#2") },
          { qs("D#2"), qs("D#1"), qs("D#0") } },
        { "custom label key",
          hobbies,
          { FieldId::Name, qs("Hobby") },
          qs("Hobby label"),
          { qs("H2#0"), qs("H3#0"), qs("H1#0") },
          { qs("H1#0"), qs("H3#0"), qs("H2#0") } },
        { "stable for equal values",
          staff,
          { FieldId::Name, FieldId::Company },
          FieldId::Company,
          { qs("X#0"), qs("Y#0"), qs("Z#0"), qs("W#0") },
          { qs("W#0"), qs("X#0"), qs("Y#0"), qs("Z#0") } },
        { "localized, case-insensitive",
          localized,
          nameOnly,
          FieldId::CompositeName,
          { qs("anna#0"), qs("Ben#0"), qs("émile#0"), qs("Zoë#0"), qs("アベ#0"), qs("かとう#0"),
            qs("さとう#0") },
          { qs("さとう#0"), qs("かとう#0"), qs("アベ#0"), qs("Zoë#0"), qs("émile#0"), qs("Ben#0"),
            qs("anna#0") } },
    };
    for (const Case &c : cases) {
        EXPECT_EQ(sorted(c.contacts, c.identifiers, c.key, true), c.ascending) << c.name;
        EXPECT_EQ(sorted(c.contacts, c.identifiers, c.key, false), c.descending) << c.name;
    }
}

TEST_F(Sorting, ValuesAreCachedInTheRows)
{
    PersonPtr a = person("A");
    add(a, FieldId::Email, { { "home", "a@one.org" }, { "work", "b@two.org" } });
    SubContactRows rows
        = SubContactBuilder::updateSubContactTable(entries({ a }), { FieldId::Email }, { LabelWord::Work });
    TableSorter::sortSubContactTable(rows, { { qs("Email username"), true } }, { LabelWord::Work });
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].sortValue.toString(), qs("b"));
    EXPECT_FALSE(rows[1].sortValue.isValid()) << "the home address does not pass the filter";

    // No descriptor: nothing changes, the cache included.
    TableSorter::sortSubContactTable(rows, {}, { LabelWord::Work });
    EXPECT_EQ(rows[0].sortValue.toString(), qs("b"));
}

TEST_F(Sorting, ReloadSortsByNameAndMarksContinuations)
{
    PersonPtr b = person("Ben");
    add(b, FieldId::Phone, { { "home", "1" }, { "work", "2" } });
    ContactList contacts = entries({ b, person("Anna"), person("Gone") });
    contacts[2]->deleted = true;
    const SubContactRows rows = TableRows::reloadRows(contacts, { FieldId::Name, FieldId::Phone },
                                                      { LabelWord::All }, std::nullopt);
    EXPECT_EQ(summary(rows), (QStringList { qs("Anna#0"), qs("Ben#0"), qs("Ben#1") }));
    ASSERT_EQ(rows.size(), 3);
    EXPECT_FALSE(rows[1].notFirstRow);
    EXPECT_TRUE(rows[2].notFirstRow);
    EXPECT_EQ(TableRows::totalRowText(qs("All Contacts"), TableRows::contactCount(rows)),
              qs("All Contacts: total 2 contacts"));
}

} // namespace
