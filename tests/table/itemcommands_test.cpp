// The table's context menu: its entries and enabled states by column, the rows its commands apply
// to, the addresses its desktop actions open, and the item commands run as one undo step each.
#include "editing/contacteditor.h"
#include "platform/undomanager.h"
#include "platform/workspace.h"
#include "table/itemcommands.h"
#include "table/itemmenu.h"
#include "table/tablerows.h"
#include "tabletestutil.h"

#include <gtest/gtest.h>

using namespace TableTest;

namespace {

QStringList titles(const QList<ItemMenuEntry> &entries, bool enabled)
{
    QStringList out;
    for (const ItemMenuEntry &entry : entries) {
        if (!entry.isSeparator() && entry.enabled == enabled)
            out.append(entry.title);
    }
    return out;
}

ItemMenuCell cell(const QString &identifier, bool hasItem, bool editState, const QString &type = {})
{
    ItemMenuCell c;
    c.identifier = identifier;
    c.fieldType = type;
    c.hasItem = hasItem;
    c.text = hasItem ? qs("x") : QString();
    c.editState = editState;
    return c;
}

} // namespace

TEST(ItemMenu, LockedTableKeepsOnlyNonEditingEntriesEnabled)
{
    const QList<ItemMenuEntry> unlocked = ItemMenu::entries(cell(FieldId::Phone, true, true));
    EXPECT_EQ(titles(unlocked, true),
              (QStringList { qs("Call Phone"), qs("Open Edit Panel"), qs("Replace Label and Text"),
                             qs("Delete Item"), qs("Add Item"), qs("Replace Text"), qs("Prepend Text"),
                             qs("Append Text") }));
    EXPECT_TRUE(titles(unlocked, false).isEmpty());

    const QList<ItemMenuEntry> locked = ItemMenu::entries(cell(FieldId::Phone, true, false));
    EXPECT_EQ(titles(locked, true), (QStringList { qs("Call Phone"), qs("Open Edit Panel") }));
    EXPECT_EQ(titles(locked, false).size(), 6) << "editing entries stay, disabled";
    for (const ItemMenuEntry &entry : locked) {
        if (!entry.enabled) {
            EXPECT_EQ(entry.command, ItemCommand::None) << qPrintable(entry.title);
        }
    }

    // Without an item nothing can be called and only adding is offered.
    const QList<ItemMenuEntry> empty = ItemMenu::entries(cell(FieldId::Phone, false, true));
    EXPECT_EQ(titles(empty, true), (QStringList { qs("Open Edit Panel"), qs("Add Item") }));
    EXPECT_EQ(titles(empty, false), QStringList { qs("Call Phone") });

    // The Name column, locked: no Add New Contact, delete and duplicate shown disabled.
    ItemMenuCell name = cell(FieldId::Name, true, false);
    name.showCompanyInNameCell = true;
    const QList<ItemMenuEntry> names = ItemMenu::entries(name);
    EXPECT_FALSE(titles(names, true).contains(qs("Add New Contact")));
    EXPECT_EQ(titles(names, false), (QStringList { qs("Delete Contact"), qs("Duplicate Contact") }));
    EXPECT_TRUE(names.last().checked) << "Show Company ticked when on";
    EXPECT_TRUE(
        titles(ItemMenu::entries(cell(FieldId::Name, true, true)), true).contains(qs("Add New Contact")));
}

TEST(ItemMenu, EntriesFollowTheCellsContents)
{
    EXPECT_EQ(titles(ItemMenu::entries(cell(FieldId::Note, false, true, ValueType::String)), true),
              QStringList { qs("Replace Text") });
    EXPECT_EQ(titles(ItemMenu::entries(cell(FieldId::Note, true, true, ValueType::String)), true),
              (QStringList { qs("Clear Text"), qs("Replace Text"), qs("Prepend Text"), qs("Append Text") }));
    EXPECT_EQ(titles(ItemMenu::entries(cell(FieldId::Birthday, false, true)), false),
              QStringList { qs("Open Calendar") });
    EXPECT_EQ(titles(ItemMenu::entries(cell(FieldId::Birthday, true, true)), true),
              (QStringList { qs("Open Calendar"), qs("Open Birthday Panel"), qs("Delete Item") }));
    EXPECT_EQ(titles(ItemMenu::entries(cell(FieldId::Address, false, true)), false),
              (QStringList { qs("Open Apple Map"), qs("Open Google Map"), qs("Open Address Panel") }));
    EXPECT_EQ(titles(ItemMenu::entries(cell(FieldId::Street, true, true)), true),
              (QStringList { qs("Open Address Panel"), qs("Add Item"), qs("Delete Item"), qs("Replace Text"),
                             qs("Prepend Text"), qs("Append Text") }));
    EXPECT_EQ(titles(ItemMenu::entries(cell(qs("Pets"), false, true, ValueType::Labeled)), true),
              (QStringList { qs("Open Edit Panel"), qs("Add Item") }));

    // The cell reads its item from the record: a birthday, an address component.
    PersonPtr p = person("Anna");
    addAddress(p, "home", "Main St 1", "Springfield");
    EXPECT_FALSE(ItemMenu::cellFor(rowOf(p, 0), FieldId::Birthday, ValueType::Dictionary).hasItem);
    setBirthday(p, 1990, 5, 17);
    EXPECT_TRUE(ItemMenu::cellFor(rowOf(p, 0), FieldId::Birthday, ValueType::Dictionary).hasItem);
    EXPECT_EQ(ItemMenu::cellFor(rowOf(p, 0), FieldId::City, QString()).text, qs("Springfield"));
    EXPECT_FALSE(ItemMenu::cellFor(rowOf(p, 1), FieldId::City, QString()).hasItem);
}

TEST(ItemMenu, RowsConcerned)
{
    // Changing existing items: the clicked row alone unless it is part of the selection.
    EXPECT_EQ(ItemMenu::rowsConcerned({ 1, 3 }, 5, ItemCommand::DeleteItem), QList<int> { 5 });
    EXPECT_EQ(ItemMenu::rowsConcerned({ 1, 3 }, 3, ItemCommand::AppendItem), (QList<int> { 1, 3 }));
    // Adding and the contact commands: the selection plus the clicked row.
    EXPECT_EQ(ItemMenu::rowsConcerned({ 3, 1 }, 2, ItemCommand::InsertItem), (QList<int> { 1, 2, 3 }));
    EXPECT_EQ(ItemMenu::rowsConcerned({}, 4, ItemCommand::DuplicateContact), QList<int> { 4 });
}

TEST(ItemMenu, DesktopAddresses)
{
    EXPECT_EQ(ItemMenu::workspaceUrl(FieldId::Url, qs("Open URL"), qs("example.org/a")).toString(),
              qs("http://example.org/a"));
    EXPECT_EQ(ItemMenu::workspaceUrl(FieldId::Url, qs("Open URL"), qs("https://example.org")).toString(),
              qs("https://example.org"));
    EXPECT_EQ(ItemMenu::workspaceUrl(FieldId::Phone, qs("Call Phone"), qs("(03) 1234 5678")).toString(),
              qs("tel:0312345678"));
    EXPECT_TRUE(ItemMenu::workspaceUrl(FieldId::Address, qs("Open Google Map"), qs("1 Main St"))
                    .toString()
                    .startsWith(qs("http")));
    EXPECT_TRUE(ItemMenu::workspaceUrl(FieldId::Address, qs("Open Apple Map"), qs("1 Main St"))
                    .toString()
                    .startsWith(qs("maps:")));
    EXPECT_TRUE(ItemMenu::workspaceUrl(FieldId::Phone, qs("Call Phone"), QString()).isEmpty());

    // The calendar gets the contact's own date, not today's.
    PersonPtr p = person("Anna");
    EXPECT_TRUE(ItemMenu::calendarUrl(rowOf(p, 0), FieldId::Birthday).isEmpty());
    setBirthday(p, 1990, 5, 17);
    EXPECT_EQ(ItemMenu::calendarUrl(rowOf(p, 0), FieldId::Birthday),
              Workspace::calendarUrl(QDate(1990, 5, 17), qs("Anna"), true));
    EXPECT_NE(ItemMenu::calendarUrl(rowOf(p, 0), FieldId::Birthday),
              Workspace::calendarUrl(QDate(1990, 5, 18), qs("Anna"), true));
}

class ItemCommandsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        anna = person("Anna");
        add(anna, FieldId::Phone, { { "home", "30" }, { "work", "10" } });
        ben = person("Ben");
        cleo = person("Cleo");
        add(cleo, FieldId::Phone, { { "home", "40" } });
        contacts = entries({ anna, ben, cleo });
        auto container = std::make_shared<ContainerEntryData>();
        container->name = EntryKey::VCardContainerName;
        auto all = std::make_shared<GroupEntryData>();
        all->top = true;
        all->name = qs("All Contacts");
        all->containerName = container->name;
        all->contactTable = std::make_shared<ContactList>(contacts);
        container->groups.append(all);
        editor.setContainerTable({ container });
        editor.setEditState(true);
        for (const PersonPtr &p : { anna, ben, cleo })
            before.append(p->vCardData());
    }

    SubContactRows rowsOf(const QString &column, const QString &sortKey = FieldId::CompositeName) const
    {
        return TableRows::reloadRows(contacts, { FieldId::Name, column }, { LabelWord::All },
                                     SortDescriptor { sortKey, true });
    }

    QList<QByteArray> cards() const
    {
        QList<QByteArray> out;
        for (const PersonPtr &p : { anna, ben, cleo })
            out.append(p->vCardData());
        return out;
    }

    QStringList phones(const PersonPtr &p) const
    {
        QStringList out;
        for (const QVariant &item : p->phoneValues())
            out.append(item.toMap().value(Key::Label).toString() + u'='
                       + item.toMap().value(Key::Value).toString());
        return out;
    }

    UndoManager undo;
    ContactEditor editor { &undo };
    PersonPtr anna, ben, cleo;
    ContactList contacts;
    QList<QByteArray> before;
};

TEST_F(ItemCommandsTest, DeleteIsOneUndoStepAndSkipsRowsWithoutAnItem)
{
    const SubContactRows rows = rowsOf(FieldId::Phone); // Anna#0 Anna#1 Ben#0 Cleo#0
    ASSERT_EQ(summary(rows).size(), 4);
    ItemCommands commands(editor, nullptr, FieldId::Phone, ValueType::Labeled);
    EXPECT_TRUE(commands.deleteItems({ rows.at(1), rows.at(2), rows.at(3) }));
    EXPECT_EQ(phones(anna), QStringList { qs("home=30") });
    EXPECT_TRUE(phones(cleo).isEmpty()) << "the last item goes too";
    EXPECT_EQ(undo.undoCount(), 1);
    undo.undo();
    EXPECT_EQ(cards(), before) << "undo restores every record exactly";
}

TEST_F(ItemCommandsTest, DeleteOfSeveralItemsOfOneContactInAnyRowOrder)
{
    // Sorted by phone, Anna's second item (10) comes before her first (30), her third after Cleo's.
    add(anna, FieldId::Phone, { { "other", "50" } });
    const SubContactRows rows = rowsOf(FieldId::Phone, FieldId::Phone);
    ASSERT_EQ(summary(rows),
              (QStringList { qs("Anna#1"), qs("Anna#0"), qs("Cleo#0"), qs("Anna#2"), qs("Ben#0") }));
    ItemCommands commands(editor, nullptr, FieldId::Phone, ValueType::Labeled);
    EXPECT_TRUE(commands.deleteItems({ rows.at(0), rows.at(1) }));
    EXPECT_EQ(phones(anna), QStringList { qs("other=50") });
    EXPECT_EQ(phones(cleo), QStringList { qs("home=40") });
}

TEST_F(ItemCommandsTest, InsertAddsOneDefaultItemPerContact)
{
    const SubContactRows rows = rowsOf(FieldId::Phone); // Anna#0 Anna#1 Ben#0 Cleo#0
    ItemCommands phone(editor, nullptr, FieldId::Phone, ValueType::Labeled);
    EXPECT_TRUE(phone.insertItem({ rows.at(0), rows.at(1), rows.at(2) }));
    EXPECT_EQ(phones(anna), (QStringList { qs("home=30"), qs("work=10"), qs("home=123") }));
    EXPECT_EQ(phones(ben), QStringList { qs("home=123") });
    EXPECT_EQ(phones(cleo), QStringList { qs("home=40") });
    EXPECT_EQ(undo.undoCount(), 1);
    undo.undo();
    EXPECT_EQ(cards(), before);

    EXPECT_EQ(ItemCommands::newItem(FieldId::Relationship, ValueType::Labeled).value(Key::Label),
              qs("friend"));
    EXPECT_EQ(ItemCommands::newItem(FieldId::Email, ValueType::Labeled).value(Key::Label), qs("new"));
    EXPECT_EQ(ItemCommands::newItem(qs("Pets"), ValueType::Labeled).value(Key::Label), qs("friend"));
    EXPECT_FALSE(ItemCommands::addsDirectly(FieldId::Address, ValueType::Labeled)) << "through its panel";
    EXPECT_FALSE(ItemCommands::addsDirectly(FieldId::Note, ValueType::String));
}

TEST_F(ItemCommandsTest, PrependAndAppend)
{
    anna->setValue(qs("Acme"), FieldId::Company);
    const SubContactRows rows = rowsOf(FieldId::Company); // Anna Ben Cleo, Ben's and Cleo's empty
    ItemCommands company(editor, nullptr, FieldId::Company, ValueType::String);
    EXPECT_TRUE(company.editText(rows, ItemCommands::TextEdit::Append, qs(" Ltd")));
    EXPECT_EQ(anna->stringValueForIdentifier(FieldId::Company), qs("Acme Ltd"));
    EXPECT_EQ(ben->stringValueForIdentifier(FieldId::Company), qs(" Ltd")) << "an empty text takes the text";
    EXPECT_EQ(undo.undoCount(), 1);
    EXPECT_FALSE(company.editText(rows, ItemCommands::TextEdit::Prepend, QString())) << "nothing to change";
    EXPECT_EQ(undo.undoCount(), 1);

    const SubContactRows phoneRows = rowsOf(FieldId::Phone); // Anna#0 Anna#1 Ben#0 Cleo#0
    ItemCommands phone(editor, nullptr, FieldId::Phone, ValueType::Labeled);
    EXPECT_TRUE(phone.editText(phoneRows, ItemCommands::TextEdit::Prepend, qs("+1 ")));
    EXPECT_EQ(phones(anna), (QStringList { qs("home=+1 30"), qs("work=+1 10") }));
    EXPECT_TRUE(phones(ben).isEmpty()) << "rows without an item are skipped";
    EXPECT_TRUE(phone.editText({ phoneRows.at(3) }, ItemCommands::TextEdit::ReplaceLabelAndText, qs("9"),
                               qs("work")));
    EXPECT_EQ(phones(cleo), QStringList { qs("work=9") });
}

TEST_F(ItemCommandsTest, ComponentsAndDictionaryFields)
{
    addAddress(ben, "home", "Main St 1", "Springfield");
    setBirthday(cleo, 1990, 5, 17);
    const SubContactRows rows = rowsOf(FieldId::City); // Anna Ben Cleo
    ItemCommands city(editor, nullptr, FieldId::City, QString());
    EXPECT_TRUE(city.editText(rows, ItemCommands::TextEdit::Append, qs(" North")));
    EXPECT_EQ(ben->addressValues().first().toMap().value(FieldId::City), qs("Springfield North"));
    EXPECT_TRUE(anna->addressValues().isEmpty());
    EXPECT_TRUE(city.deleteItems(rows));
    EXPECT_TRUE(ben->addressValues().isEmpty()) << "a component deletes the whole address";

    ItemCommands birthday(editor, nullptr, FieldId::Birthday, ValueType::Dictionary);
    EXPECT_TRUE(birthday.deleteItems(rowsOf(FieldId::Birthday)));
    EXPECT_TRUE(cleo->birthdayValue().value(Key::StringValue).toString().isEmpty());
}
