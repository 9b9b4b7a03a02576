#include "table/findhighlight.h"
#include "table/keys.h"
#include "table/rowheight.h"
#include "table/subcontactbuilder.h"
#include "table/tablecells.h"
#include "tabletestutil.h"

#include <gtest/gtest.h>

using namespace TableTest;

namespace {

TEST(Cells, NameCellShowsTheNameOnTheContactsFirstRowOnly)
{
    PersonPtr both = person("Anna", "Berg");
    both->setValue(qs("Acme"), FieldId::Company);
    PersonPtr org = company("Acme", "Anna", "Berg");
    PersonPtr nameOnly = person("Ben");
    PersonPtr nobody = person("");
    struct Case
    {
        const char *name;
        SubContactRow row;
        bool showCompany;
        CellKind kind;
        QString text;
        QString detail;
    };
    const Case cases[] = {
        { "name and company", rowOf(both, 0), false, CellKind::DetailCell, qs("Anna Berg"), QString() },
        { "company shown for a person", rowOf(both, 0), true, CellKind::DetailCell, qs("Anna Berg"),
          qs("Acme") },
        { "name shown for a company card", rowOf(org, 0), true, CellKind::DetailCell, qs("Acme"),
          qs("Anna Berg") },
        { "no company", rowOf(nameOnly, 0), true, CellKind::ImageAndText, qs("Ben"), QString() },
        { "empty name", rowOf(nobody, 0), false, CellKind::ImageAndText, qs("No Name"), QString() },
        { "continuation row is blank", rowOf(both, 1, true), true, CellKind::ImageAndText, QString(),
          QString() },
        // A row of the contact far from its first one (another sort) names the contact again.
        { "scattered row", rowOf(both, 2, false), false, CellKind::DetailCell, qs("Anna Berg"), QString() },
    };
    for (const Case &c : cases) {
        CellContext context;
        context.showCompanyInNameCell = c.showCompany;
        const CellContent cell = TableCells::cellContent(c.row, FieldId::Name, context);
        EXPECT_EQ(cell.kind, c.kind) << c.name;
        EXPECT_EQ(cell.text, c.text) << c.name;
        EXPECT_EQ(cell.detailText, c.detail) << c.name;
        EXPECT_EQ(cell.showsImage, !c.row.notFirstRow) << c.name;
        EXPECT_FALSE(cell.editable) << c.name;
    }
}

TEST(Cells, CellsByFieldTypeFilterAndEditState)
{
    PersonPtr p = person("Anna");
    add(p, FieldId::Phone, { { "home", "111" }, { "work", "222" }, { "mobile", "333" } });
    add(p, FieldId::InstantMessage, { { "home", "anna" } });
    addAddress(p, "home", "Main St 1", "Springfield", "12345");
    p->setValue(qs("Acme"), FieldId::Company);
    p->setValue(QVariantMap { { FieldId::FirstName, qs("アンナ") } }, FieldId::PhoneticName);
    setBirthday(p, 1980, 3, 1);
    addCustom(p, qs("Hobby"), { { "summer", "sailing" } });
    const QVariantList customItems { QVariantMap { { CustomKey::Type, ValueType::Labeled },
                                                   { CustomKey::Name, qs("Pets") } } };

    struct Case
    {
        const char *name;
        QString column;
        int labelIndex;
        QStringList labels;
        bool editState;
        CellKind kind;
        QString text;
        bool editable;
    };
    const QStringList all { LabelWord::All };
    const QStringList work { LabelWord::Work };
    const Case cases[] = {
        { "phone filtered out: empty popup", FieldId::Phone, 0, work, true, CellKind::PopupAndText, QString(),
          false },
        { "work phone", FieldId::Phone, 1, work, true, CellKind::PopupAndText, qs("222"), true },
        { "locked phone", FieldId::Phone, 1, all, false, CellKind::PopupAndText, qs("222"), false },
        { "no item at the position", FieldId::Phone, 3, all, true, CellKind::PopupAndText, QString(), false },
        { "instant message edits in a popover", FieldId::InstantMessage, 0, all, true, CellKind::PopupAndText,
          qs(":anna"), false },
        { "address component", FieldId::City, 0, all, true, CellKind::PopupAndText, qs("Springfield"), true },
        { "address component filtered out: no cell", FieldId::Zip, 0, work, true, CellKind::None, QString(),
          false },
        { "string on the first row", FieldId::Company, 0, all, true, CellKind::TextCell, qs("Acme"), true },
        { "string on later rows: no cell", FieldId::Company, 1, all, true, CellKind::None, QString(), false },
        { "phonetic name", FieldId::PhoneticName, 0, all, true, CellKind::TextCell, qs("アンナ"), false },
        { "birthday", FieldId::Birthday, 0, all, true, CellKind::TextCell, qs("1980.03.01(Sat)"), false },
        { "birthday on later rows", FieldId::Birthday, 1, all, true, CellKind::None, QString(), false },
        { "custom labeled item", qs("Hobby"), 0, all, true, CellKind::PopupAndText, qs("sailing"), true },
        { "document's custom item the record lacks", qs("Pets"), 0, all, true, CellKind::PopupAndText,
          QString(), false },
    };
    for (const Case &c : cases) {
        CellContext context;
        context.selectedLabels = c.labels;
        context.editState = c.editState;
        context.customItems = customItems;
        const CellContent cell = TableCells::cellContent(rowOf(p, c.labelIndex), c.column, context);
        EXPECT_EQ(cell.kind, c.kind) << c.name;
        EXPECT_EQ(cell.text, c.text) << c.name;
        EXPECT_EQ(cell.editable, c.editable) << c.name;
    }

    CellContext context;
    const CellContent city = TableCells::cellContent(rowOf(p, 0), FieldId::City, context);
    EXPECT_EQ(city.labelField, FieldId::Address);
    EXPECT_EQ(city.label, LabelWord::Home);
    EXPECT_EQ(city.itemLabelIndex, 0);
    EXPECT_EQ(TableCells::cellIdentifier(city.kind), CellId::PopupAndText);
}

TEST(FindHighlight, EveryOccurrenceAndTheCurrentHit)
{
    struct Case
    {
        const char *name;
        QString text;
        QString find;
        QString options;
        QList<qsizetype> starts;
    };
    const Case cases[] = {
        { "case-insensitive", qs("Anna and ANNA"), qs("anna"), QString(), { 0, 9 } },
        { "case-sensitive", qs("Anna and ANNA"), qs("ANNA"), FindOption::CaseSensitive, { 9 } },
        { "non-overlapping", qs("aaaa a"), qs("aa"), QString(), { 0, 2 } },
        { "empty find string", qs("Anna"), QString(), QString(), {} },
        { "literal, not a pattern", qs("a.c abc"), qs("a.c"), QString(), { 0 } },
    };
    for (const Case &c : cases) {
        QList<qsizetype> starts;
        for (const TextRange &r : FindHighlight::occurrences(c.text, c.find, c.options)) {
            starts.append(r.location);
            EXPECT_EQ(r.length, c.find.size()) << c.name;
        }
        EXPECT_EQ(starts, c.starts) << c.name;
    }

    const QString text = qs("Springfield Spring");
    const CellPlace place { qs("id-1"), FieldId::City, std::nullopt };
    struct HitCase
    {
        const char *name;
        FindHit hit;
        CellPlace place;
        bool current;
    };
    const HitCase hits[] = {
        { "hit in this cell", { qs("id-1"), FieldId::City, 0, { 12, 6 } }, place, true },
        { "range runs past the text", { qs("id-1"), FieldId::City, 0, { 14, 6 } }, place, false },
        { "range not found", { qs("id-1"), FieldId::City, 0, {} }, place, false },
        { "other contact", { qs("id-2"), FieldId::City, 0, { 12, 6 } }, place, false },
        { "other column", { qs("id-1"), FieldId::Street, 0, { 12, 6 } }, place, false },
        { "item cell, same position",
          { qs("id-1"), FieldId::City, 1, { 0, 6 } },
          { qs("id-1"), FieldId::City, 1 },
          true },
        { "item cell, other position",
          { qs("id-1"), FieldId::City, 0, { 0, 6 } },
          { qs("id-1"), FieldId::City, 1 },
          false },
    };
    for (const HitCase &c : hits) {
        const FindHighlights h = FindHighlight::highlights(text, qs("spring"), QString(), c.place, &c.hit);
        EXPECT_EQ(h.matches.size(), 2) << c.name << ": the grey marks stay";
        EXPECT_EQ(h.current.has_value(), c.current) << c.name;
        if (c.current) {
            EXPECT_EQ(*h.current, c.hit.range) << c.name;
        }
    }
}

TEST(RowHeights, LinesPerRow)
{
    PersonPtr p = person("Anna", "Berg");
    p->setValue(qs("Acme"), FieldId::Company);
    p->setValue(QStringList(12, qs("line")).join(u'\n'), FieldId::Note);
    addAddress(p, "home", "Flat 3\nHouse 2\nBlock 1\nEstate\nArea\nDistrict\nRegion", "Springfield");
    add(p, FieldId::Phone, { { "home", "1" }, { "work", "2\r\n3" } });
    struct Case
    {
        const char *name;
        SubContactRow row;
        QStringList columns;
        bool showCompany;
        int lines;
    };
    const Case cases[] = {
        { "name only", rowOf(p, 0), { FieldId::Name }, false, 1 },
        { "company under the name", rowOf(p, 0), { FieldId::Name }, true, 2 },
        { "no company line on a continuation row", rowOf(p, 1, true), { FieldId::Name }, true, 1 },
        { "note capped at five",
          rowOf(p, 0),
          { FieldId::Name, FieldId::Note },
          false,
          RowHeights::NoteLineCap },
        { "the cap is the note's alone", rowOf(p, 0), { FieldId::Street, FieldId::Note }, false, 7 },
        { "CR LF is one break", rowOf(p, 1), { FieldId::Phone }, false, 2 },
        { "no item at the position", rowOf(p, 2), { FieldId::Phone, FieldId::Street }, false, 1 },
    };
    for (const Case &c : cases)
        EXPECT_EQ(RowHeights::numberOfLines(c.row, c.columns, c.showCompany), c.lines) << c.name;
}

TEST(RowHeights, LineHeightFromTheFont)
{
    struct Case
    {
        double lineHeight;
        double pointSize;
        int rowHeight;
    };
    const Case cases[] = {
        { 8.0, 7, 20 }, // tiny: fixed 20
        { 15.2, 13, 28 }, // ceil(13 x 1.42) + 9
        { 30.0, 12, 39 }, // a tall font's own line height wins
    };
    for (const Case &c : cases)
        EXPECT_EQ(RowHeights::rowHeightForLineHeight(c.lineHeight, c.pointSize), c.rowHeight)
            << c.lineHeight << " / " << c.pointSize;
}

} // namespace
