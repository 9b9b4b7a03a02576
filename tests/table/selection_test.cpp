#include "table/tablerows.h"
#include "table/tableselection.h"
#include "table/tablesorter.h"
#include "tabletestutil.h"

#include <gtest/gtest.h>

using namespace TableTest;

namespace {

QStringList entryNames(const ContactList &contacts)
{
    QStringList out;
    for (const ContactEntry &entry : contacts)
        out.append(entry->person->compositeName());
    return out;
}

QStringList rowNames(const SubContactRows &rows, const QList<int> &indexes)
{
    QStringList out;
    for (const int i : indexes)
        out.append(rows.at(i).person->compositeName() + u'#' + QString::number(rows.at(i).labelIndex));
    return out;
}

class Selection : public ::testing::Test
{
protected:
    void SetUp() override
    {
        PersonPtr anna = person("Anna");
        add(anna, FieldId::Phone, { { "home", "30" }, { "work", "10" } });
        PersonPtr ben = person("Ben");
        add(ben, FieldId::Phone, { { "home", "20" } });
        PersonPtr cleo = person("Cleo");
        add(cleo, FieldId::Phone, { { "home", "40" }, { "work", "05" }, { "other", "50" } });
        contacts = entries({ cleo, anna, ben, person("Gone") });
        contacts[3]->deleted = true;
        reload();
    }

    void reload(const QString &key = FieldId::CompositeName)
    {
        rows = TableRows::reloadRows(contacts, { FieldId::Name, FieldId::Phone }, { LabelWord::All },
                                     SortDescriptor { key, true });
    }

    ContactEntry entry(const char *name) const
    {
        for (const ContactEntry &e : contacts) {
            if (e->person->compositeName() == qs(name))
                return e;
        }
        return {};
    }

    ContactList contacts;
    SubContactRows rows; // Anna#0 Anna#1 Ben#0 Cleo#0 Cleo#1 Cleo#2 by name
};

TEST_F(Selection, ContactsOfSelectedRows)
{
    ASSERT_EQ(
        summary(rows),
        (QStringList { qs("Anna#0"), qs("Anna#1"), qs("Ben#0"), qs("Cleo#0"), qs("Cleo#1"), qs("Cleo#2") }));
    EXPECT_EQ(entryNames(TableSelection::selectedContacts(rows, { 1, 0, 4 }, contacts)),
              (QStringList { qs("Cleo"), qs("Anna") }))
        << "contact-table order, each once";
    EXPECT_EQ(entryNames(TableSelection::selectedContacts(rows, { 1 }, contacts, 2)),
              (QStringList { qs("Anna"), qs("Ben") }));
    EXPECT_TRUE(TableSelection::selectedContacts(rows, {}, contacts).isEmpty());
    EXPECT_TRUE(TableSelection::selectedContacts(rows, { 99 }, contacts).isEmpty());

    EXPECT_EQ(entryNames(TableSelection::contactsForIndexes(rows, { 5, 2, 3, 4 }, contacts)),
              (QStringList { qs("Ben"), qs("Cleo") }))
        << "row order, each once";
    entry("Ben")->deleted = true;
    EXPECT_EQ(entryNames(TableSelection::contactsForIndexes(rows, { 2, 3 }, contacts)),
              QStringList { qs("Cleo") });
    EXPECT_EQ(entryNames(TableSelection::selectedContacts(rows, { 2, 3 }, contacts)),
              QStringList { qs("Cleo") });

    const RowIndex index(rows);
    EXPECT_EQ(TableSelection::rowsForContacts(index, { entry("Cleo"), entry("Anna"), entry("Cleo") }),
              (QList<int> { 0, 1, 3, 4, 5 }));
}

TEST_F(Selection, ReloadKeepsTheSameItemsSelected)
{
    // Sorted by phone: Cleo#1(05) Anna#1(10) Ben#0(20) Anna#0(30) Cleo#0(40) Cleo#2(50).
    reload(FieldId::Phone);
    ASSERT_EQ(rowNames(rows, { 0, 1 }), (QStringList { qs("Cleo#1"), qs("Anna#1") }));
    const TableSelection::ReloadSelection remembered
        = TableSelection::rememberSelection(rows, { 1 }, FieldId::Phone);

    // Anna's phones swap places: the selected item (labelIndex 1) now shows on her first row.
    entry("Anna")->person->sortForIdentifier(FieldId::Phone, Key::StringValue, true);
    reload(FieldId::Phone);
    const QList<int> selection = TableSelection::restoreSelection(rows, remembered);
    EXPECT_EQ(rowNames(rows, selection), QStringList { qs("Anna#0") });

    // Sorted by name, a contact is followed by its row position, wherever it moves.
    reload();
    const auto byName = TableSelection::rememberSelection(rows, { 2 }, FieldId::CompositeName);
    entry("Ben")->person->setValue(qs("Zed"), FieldId::FirstName);
    reload();
    EXPECT_EQ(rowNames(rows, TableSelection::restoreSelection(rows, byName)), QStringList { qs("Zed#0") });

    // Sorted by a string field, every row of the contact is selected again.
    const auto byCompany = TableSelection::rememberSelection(rows, { 0 }, FieldId::Company);
    EXPECT_EQ(rowNames(rows, TableSelection::restoreSelection(rows, byCompany)),
              (QStringList { qs("Anna#0"), qs("Anna#1") }));

    // A contact that is gone leaves the old indexes, as far as rows remain.
    ASSERT_EQ(rowNames(rows, { 2, 4 }), (QStringList { qs("Cleo#0"), qs("Cleo#2") }));
    const auto gone = TableSelection::rememberSelection(rows, { 2, 4 }, FieldId::CompositeName);
    entry("Cleo")->deleted = true;
    reload();
    EXPECT_EQ(rowNames(rows, TableSelection::restoreSelection(rows, gone)), QStringList { qs("Zed#0") });
}

TEST_F(Selection, ReselectTheSameItemOfAField)
{
    const int cleoWork = 4; // Cleo#1, her work phone (labelIndex 1)
    const TableSelection::ItemLocator item = TableSelection::locateItem(rows.at(cleoWork), FieldId::Phone);
    EXPECT_EQ(item.itemIndex, 1);
    EXPECT_EQ(TableSelection::locateItem(rows.at(cleoWork), QString()).itemIndex, 1);

    // Sorting Cleo's phones puts the work phone first.
    entry("Cleo")->person->sortForIdentifier(FieldId::Phone, Key::StringValue, true);
    reload();
    const int found = TableSelection::rowForItem(rows, RowIndex(rows), item, FieldId::Phone);
    EXPECT_EQ(rowNames(rows, { found }), QStringList { qs("Cleo#0") });

    const TableSelection::ItemLocator noPhone { entry("Ben")->uniqueId, 7 };
    EXPECT_EQ(TableSelection::rowForItem(rows, RowIndex(rows), noPhone, FieldId::Phone), -1);
}

TEST_F(Selection, SelectionFollowsAResort)
{
    const SortDescriptor byPhoneDown { FieldId::Phone, false };
    const TableSelection::SortAnchor anchor
        = TableSelection::anchorForSort(rows.at(4), byPhoneDown, { LabelWord::All });
    EXPECT_EQ(anchor.value.toString(), qs("05"));
    reload(FieldId::Phone);
    TableSorter::sortRows(rows, byPhoneDown, { LabelWord::All });
    const int row
        = TableSelection::rowFollowingSort(rows, RowIndex(rows), anchor, byPhoneDown, { LabelWord::All });
    EXPECT_EQ(rowNames(rows, { row }), QStringList { qs("Cleo#1") });
    EXPECT_EQ(row, rows.size() - 1);

    // Without a value the position decides.
    const TableSelection::SortAnchor unvalued { entry("Cleo")->uniqueId, 2, QVariant() };
    const int byPosition = TableSelection::rowFollowingSort(rows, RowIndex(rows), unvalued, byPhoneDown, {});
    EXPECT_EQ(rowNames(rows, { byPosition }), QStringList { qs("Cleo#2") });
}

} // namespace
