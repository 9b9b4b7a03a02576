#include "find/keys.h"
#include "find/panelsearch.h"
#include "findfixture.h"
#include "platform/contactlabels.h"

namespace {

using Mode = TextMatcher::Mode;

PanelFilters allFilters()
{
    return { { FindFilter::All }, { FindFilter::All }, { FindFilter::All } };
}

TEST(TextMatcherTest, OccurrencesByMode)
{
    const QString text = qs("Tel 030-1234, ext 55");
    EXPECT_EQ(TextMatcher(qs("[0-9]+"), Mode::Regex).occurrences(text),
              (QList<TextRange> { { 4, 3 }, { 8, 4 }, { 18, 2 } }));
    EXPECT_EQ(TextMatcher(qs("e"), Mode::CaseSensitive).occurrences(qs("EeE e")),
              (QList<TextRange> { { 1, 1 }, { 4, 1 } }));
    EXPECT_EQ(TextMatcher(qs("e"), Mode::CaseInsensitive).occurrences(qs("EeE")).size(), 3);
    // A pattern that also matches the empty string gives only its real matches, and ends.
    EXPECT_EQ(TextMatcher(qs("x*"), Mode::Regex).occurrences(qs("axxbx")),
              (QList<TextRange> { { 1, 2 }, { 4, 1 } }));
    EXPECT_TRUE(TextMatcher(qs("^"), Mode::Regex).occurrences(qs("abc")).isEmpty());
}

TEST(TextMatcherTest, BadPatternIsReportedAndMatchesNothing)
{
    const TextMatcher bad(qs("(unclosed"), Mode::Regex);
    EXPECT_FALSE(bad.isValid());
    EXPECT_FALSE(bad.errorString().isEmpty());
    EXPECT_TRUE(bad.occurrences(qs("(unclosed")).isEmpty());
    EXPECT_EQ(bad.replaceAll(qs("(unclosed"), qs("x")), qs("(unclosed"));
    EXPECT_TRUE(TextMatcher(qs("(unclosed"), Mode::CaseSensitive).isValid());
}

TEST(TextMatcherTest, ReplacementsUseCapturesAndPlainTextExactly)
{
    const TextMatcher swap(qs("(\\w+)@(\\w+)"), Mode::Regex);
    const QString text = qs("a@b and cc@dd");
    const QList<TextRange> ranges = swap.occurrences(text);
    ASSERT_EQ(ranges.size(), 2);
    EXPECT_EQ(swap.replaceOccurrence(text, ranges.at(1), qs("\\2 at \\1")), qs("a@b and dd at cc"));
    EXPECT_EQ(swap.replaceAll(text, qs("\\2.\\1")), qs("b.a and dd.cc"));
    // Replace All of plain text is case-sensitive, whatever the search mode.
    EXPECT_EQ(TextMatcher(qs("ab"), Mode::CaseInsensitive).replaceAll(qs("ab AB aB"), qs("x")),
              qs("x AB aB"));
}

class PanelSearchTest : public FindTest
{
protected:
    PanelSearchTest()
    {
        PersonPtr person = namedPerson(qs("Ann"), qs("Lee"));
        setPhones(person, { qs("030 1234"), qs("555") });
        QVariantMap home { { Key::Label, LabelWord::Home },
                           { FieldId::City, qs("Annaberg") },
                           { Key::LabelIndex, 0 } };
        QVariantMap work { { Key::Label, LabelWord::Work },
                           { FieldId::City, qs("Annecy") },
                           { Key::LabelIndex, 1 } };
        person->setValue(QVariantList { home, work }, FieldId::Address);
        person->setValue(QVariantList { imAccount(qs("Skype"), qs("anna.l"), 0) }, FieldId::InstantMessage);
        contact = addContact(person);
        start();
    }
    ContactEntry contact;
};

TEST_F(PanelSearchTest, RowsPerItemWithEveryOccurrence)
{
    const QList<ResultRow> rows
        = PanelSearch::searchContact(contact, allFilters(), TextMatcher(qs("ann"), Mode::CaseInsensitive));
    QStringList found;
    for (const ResultRow &row : rows)
        found.append(row.item + u'/' + row.subItem + u'/' + row.label + u'/' + row.value);
    EXPECT_EQ(found,
              (QStringList { qs("Name/FirstName//Ann"), qs("Address/City/home/Annaberg"),
                             qs("Address/City/work/Annecy"), qs("Instant Message/Skype/home/anna.l") }));
    EXPECT_EQ(rows.at(1).index, 0);
    EXPECT_EQ(rows.at(2).index, 1);

    const QList<ResultRow> digits
        = PanelSearch::searchContact(contact, allFilters(), TextMatcher(qs("[0-9]+"), Mode::Regex));
    ASSERT_EQ(digits.size(), 2);
    EXPECT_EQ(digits.at(0).ranges, (QList<TextRange> { { 0, 3 }, { 4, 4 } }));
}

TEST_F(PanelSearchTest, FiltersNarrowByItemPartAndLabel)
{
    const TextMatcher ann(qs("ann"), Mode::CaseInsensitive);
    PanelFilters work = allFilters();
    work.labels = { LabelWord::Work };
    QStringList values;
    for (const ResultRow &row : PanelSearch::searchContact(contact, work, ann))
        values.append(row.value);
    // Names have no label and stay; the home address does not.
    EXPECT_EQ(values, (QStringList { qs("Ann"), qs("Annecy") }));

    PanelFilters skypeOnly = allFilters();
    skypeOnly.subItems = { IMService::Skype };
    skypeOnly.items = { FieldId::InstantMessage, FieldId::Phone };
    const QList<ResultRow> rows = PanelSearch::searchContact(contact, skypeOnly, ann);
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows.at(0).item, FieldId::InstantMessage);
}

TEST_F(PanelSearchTest, AppliedValuesAreUndoable)
{
    const QList<ResultRow> rows
        = PanelSearch::searchContact(contact, allFilters(), TextMatcher(qs("Anne"), Mode::CaseSensitive));
    ASSERT_EQ(rows.size(), 1);
    const QVariantList before = contact->person->addressValues();
    EXPECT_TRUE(PanelSearch::applyValue(editor, rows.at(0), qs("Paris")));
    EXPECT_EQ(contact->person->addressValues().at(1).toMap().value(FieldId::City).toString(), qs("Paris"));
    EXPECT_EQ(contact->person->addressValues().at(0).toMap().value(FieldId::City).toString(), qs("Annaberg"));
    endEvent();
    editor.undo();
    EXPECT_EQ(contact->person->addressValues(), before);

    ResultRow birthday = rows.at(0);
    birthday.item = FieldId::Birthday;
    EXPECT_FALSE(PanelSearch::applyValue(editor, birthday, qs("x")));
}

} // namespace
