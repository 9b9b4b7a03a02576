#include "findfixture.h"

namespace {

using Direction = SearchEngine::Direction;

struct LookCase
{
    const char *name;
    QString text;
    TextRange range;
    Direction direction;
    TextRange expected;
};

TEST(LookForString, WindowsOfTheSearch)
{
    const QString abab = QStringLiteral("abXabXab");
    const LookCase cases[] = {
        { "forward, whole text", abab, {}, Direction::Forward, { 0, 2 } },
        { "forward, after the range", abab, { 0, 2 }, Direction::Forward, { 3, 2 } },
        { "forward, from the empty range at 0", abab, { 0, 0 }, Direction::Forward, { 0, 2 } },
        { "forward, range ends at the text's end", abab, { 6, 2 }, Direction::Forward, {} },
        { "forward, range past the end", abab, { 20, 0 }, Direction::Forward, {} },
        { "backward, whole text", abab, {}, Direction::Backward, { 6, 2 } },
        { "backward, before the range", abab, { 6, 2 }, Direction::Backward, { 3, 2 } },
        { "backward, match must end before the location", abab, { 4, 0 }, Direction::Backward, { 0, 2 } },
        { "backward, location capped at the length", abab, { 99, 0 }, Direction::Backward, { 6, 2 } },
        { "backward, nothing before 0", abab, { 0, 2 }, Direction::Backward, {} },
        { "empty text", QString(), {}, Direction::Forward, {} },
    };
    for (const LookCase &c : cases) {
        EXPECT_EQ(SearchEngine::lookForString(QStringLiteral("ab"), c.text, c.range, c.direction,
                                              Qt::CaseSensitive),
                  c.expected)
            << c.name;
    }
    EXPECT_EQ(
        SearchEngine::lookForString(QStringLiteral("AB"), abab, {}, Direction::Forward, Qt::CaseInsensitive),
        (TextRange { 0, 2 }));
    EXPECT_FALSE(
        SearchEngine::lookForString(QStringLiteral("AB"), abab, {}, Direction::Forward, Qt::CaseSensitive)
            .isFound());
}

// Hits in composite names are located in the joined text and within their part.
TEST_F(FindTest, NamePartsGiveJoinedAndPartRanges)
{
    addContact(namedPerson(qs("Jo"), qs("Ann")));
    start();
    engine.setFindString(qs("ann"));
    const auto hit = next({ FieldId::Name });
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->identifier, FieldId::Name);
    EXPECT_EQ(hit->subIdentifier, FieldId::LastName);
    EXPECT_EQ(hit->range, (TextRange { 3, 3 }));
    EXPECT_EQ(hit->itemRange, (TextRange { 0, 3 }));

    // Shown last name first, the last name starts the joined text and the first name follows it.
    all->contactTable->clear();
    addContact(namedPerson(qs("Jo"), qs("Ann"), 2));
    start();
    engine.setHit(std::nullopt);
    engine.setFindString(qs("jo"));
    const auto lastFirst = next({ FieldId::Name });
    ASSERT_TRUE(lastFirst);
    EXPECT_EQ(lastFirst->subIdentifier, FieldId::FirstName);
    EXPECT_EQ(lastFirst->range, (TextRange { 4, 2 }));
    EXPECT_EQ(lastFirst->itemRange, (TextRange { 0, 2 }));
}

TEST_F(FindTest, CompanyShownAsNameIsSearchedInTheNameColumn)
{
    PersonPtr firm = namedPerson(qs("Kim"), qs("Lee"));
    firm->setValue(qs("Acme Works"), FieldId::Company);
    firm->setShowAsPerson(false);
    addContact(firm);
    start();
    engine.setFindString(qs("works"));
    const auto hit = next({ FieldId::Name });
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->range, (TextRange { 5, 5 }));
    EXPECT_FALSE(hit->itemRange);
    EXPECT_TRUE(hit->subIdentifier.isEmpty());
}

TEST_F(FindTest, ItemsAreFoundOnTheirOwnRowsAndSingleFieldsOnTheFirstRow)
{
    PersonPtr person = namedPerson(qs("Al"), qs("Bo"));
    setPhones(person, { qs("111"), qs("222"), qs("555-77") });
    person->setValue(qs("77 notes"), FieldId::Note);
    addContact(person);
    start();
    const QStringList columns { FieldId::Name, FieldId::Phone, FieldId::Note };
    engine.setFindString(qs("77"));
    const auto note = next(columns);
    ASSERT_TRUE(note);
    EXPECT_EQ(note->identifier, FieldId::Note);
    EXPECT_EQ(note->contact.labelIndex, 0);
    const auto phone = next(columns);
    ASSERT_TRUE(phone);
    EXPECT_EQ(phone->identifier, FieldId::Phone);
    EXPECT_EQ(phone->labelIndex, 2);
    EXPECT_EQ(phone->contact.labelIndex, 2);
    EXPECT_EQ(phone->range, (TextRange { 4, 2 }));
    // The note shows on the first row only: after the phone, the search wraps to it.
    const auto again = next(columns);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->identifier, FieldId::Note);
    EXPECT_EQ(again->contact.labelIndex, 0);
}

TEST_F(FindTest, NextWrapsAroundAndAMissKeepsTheHit)
{
    addContact(namedPerson(qs("Amy"), qs("Zed")));
    addContact(namedPerson(qs("Bea"), qs("Zed")));
    start();
    const QStringList columns { FieldId::Name };
    engine.setFindString(qs("zed"));
    const auto first = next(columns);
    const auto second = next(columns);
    const auto wrapped = next(columns);
    ASSERT_TRUE(first && second && wrapped);
    EXPECT_NE(first->uniqueId, second->uniqueId);
    EXPECT_EQ(wrapped->uniqueId, first->uniqueId);

    engine.setFindString(qs("nowhere"));
    const auto missed = next(columns);
    ASSERT_TRUE(missed);
    EXPECT_EQ(missed->uniqueId, first->uniqueId);
    EXPECT_EQ(missed->range, first->range);

    // Backward from the first row goes to the last.
    engine.setFindString(qs("zed"));
    const auto back = engine.findInTable(rowsFor(columns), columns, Direction::Backward);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->uniqueId, second->uniqueId);
}

TEST_F(FindTest, WrapAroundComesBackToTheStartingCell)
{
    PersonPtr person = namedPerson(qs("Al"), qs("Bo"));
    person->setValue(qs("key one key two"), FieldId::Note);
    addContact(person);
    addContact(namedPerson(qs("Cy"), qs("Do")));
    start();
    const QStringList columns { FieldId::Name, FieldId::Note };
    engine.setFindString(qs("key"));
    QList<TextRange> ranges;
    for (int i = 0; i < 3; ++i) {
        const auto hit = next(columns);
        ASSERT_TRUE(hit);
        EXPECT_TRUE(engine.lastMoveFound());
        ranges.append(hit->range);
    }
    EXPECT_EQ(ranges, (QList<TextRange> { { 0, 3 }, { 8, 3 }, { 0, 3 } }));
    engine.setFindString(qs("nothing"));
    next(columns);
    EXPECT_FALSE(engine.lastMoveFound());
}

TEST_F(FindTest, EmptyFindStringFindsNothing)
{
    addContact(namedPerson(qs("Amy"), qs("Zed")));
    start();
    EXPECT_FALSE(next({ FieldId::Name }));
}

TEST_F(FindTest, DatesAndBirthdaysAreNeverFound)
{
    PersonPtr person = namedPerson(qs("Al"), qs("Bo"));
    person->setValue(
        QVariantMap { { Key::Value, QVariant::fromValue(DateComponents::fromDate(QDate(1999, 1, 2))) } },
        FieldId::Birthday);
    addContact(person);
    start();
    const QString year = person->birthdayValue().value(Key::StringValue).toString();
    ASSERT_FALSE(year.isEmpty());
    engine.setFindString(year);
    const auto hit = next({ FieldId::Birthday, FieldId::Dates });
    ASSERT_TRUE(hit); // the starting hit stays
    EXPECT_EQ(hit->identifier, FieldId::Name);
    EXPECT_EQ(hit->range, (TextRange { 0, 0 }));
}

// In the detail side bar the fields run in the side bar's order, with wrap-around.
TEST_F(FindTest, DetailModeVisitsEveryOtherFieldBeforeTheRestOfTheStartingOne)
{
    PersonPtr person = namedPerson(qs("Al"), qs("Bo"));
    person->setValue(qs("key one, key two"), FieldId::Note);
    person->setValue(qs("key maker"), FieldId::JobTitle);
    const ContactEntry entry = addContact(person);
    start();
    const SubContactRow contact = SubContactRow::fromEntry(entry);
    engine.setFindString(qs("key"));
    engine.resetHitToDetailItem(contact, FieldId::Note, 0);
    auto hit = engine.findInContact(contact, Direction::Forward);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->identifier, FieldId::Note);
    EXPECT_EQ(hit->range, (TextRange { 0, 3 }));
    hit = engine.findInContact(contact, Direction::Forward);
    EXPECT_EQ(hit->range, (TextRange { 9, 3 }));
    // From the second "key" of the note, the job title comes before the note's first one.
    hit = engine.findInContact(contact, Direction::Forward);
    EXPECT_EQ(hit->identifier, FieldId::JobTitle);
    hit = engine.findInContact(contact, Direction::Forward);
    EXPECT_EQ(hit->identifier, FieldId::Note);
    EXPECT_EQ(hit->range, (TextRange { 0, 3 }));

    // Previous from the middle of the note never finds its later occurrence.
    engine.setHit(*hit);
    hit = engine.findInContact(contact, Direction::Backward);
    EXPECT_EQ(hit->identifier, FieldId::JobTitle);
    hit = engine.findInContact(contact, Direction::Backward);
    EXPECT_EQ(hit->identifier, FieldId::Note);
    EXPECT_EQ(hit->range, (TextRange { 9, 3 }));
}

TEST_F(FindTest, DetailModeSearchesNamePartsOneByOne)
{
    PersonPtr person = namedPerson(qs("Anna"), qs("Hanna"));
    const ContactEntry entry = addContact(person);
    start();
    const SubContactRow contact = SubContactRow::fromEntry(entry);
    engine.setFindString(qs("anna"));
    auto hit = engine.findInContact(contact, Direction::Forward);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->subIdentifier, FieldId::FirstName);
    hit = engine.findInContact(contact, Direction::Forward);
    EXPECT_EQ(hit->subIdentifier, FieldId::LastName);
    EXPECT_EQ(hit->itemRange, (TextRange { 1, 4 }));
    EXPECT_EQ(hit->range, (TextRange { 1, 4 }));
}

} // namespace
