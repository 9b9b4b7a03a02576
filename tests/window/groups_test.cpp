#include "editorfixture.h"

namespace {

class Groups : public EditorTest
{
protected:
    Groups()
    {
        friends = addGroup(qs("Friends"));
        work = addGroup(qs("Work"));
        anna = addContact(makePerson(qs("Anna")), { friends, work });
        bert = addContact(makePerson(qs("Bert")), { friends });
        cleo = addContact(makePerson(qs("Cleo")));
        dora = addContact(makePerson(qs("Dora")));
        start();
    }

    QStringList ids(const ContactList &entries) const
    {
        QStringList out;
        for (const ContactEntry &entry : entries)
            out.append(entry->uniqueId);
        return out;
    }

    GroupEntry friends, work;
    ContactEntry anna, bert, cleo, dora;
};

TEST_F(Groups, UndoOfAddingThreeContactsHidesThemAgainAndRedoAddsNoDuplicate)
{
    // Bert was in Work once and removed: his entry is there, marked deleted.
    const ContactEntry oldBert = copyContactEntry(bert);
    oldBert->deleted = true;
    work->contactTable->append(oldBert);
    const QStringList before = shownIds(work);

    ASSERT_TRUE(editor.undoAddContacts({ bert, cleo, dora }, work));
    EXPECT_EQ(shownIds(work),
              QStringList({ anna->uniqueId, bert->uniqueId, cleo->uniqueId, dora->uniqueId }));
    EXPECT_TRUE(work->changed);

    editor.undo();
    EXPECT_EQ(shownIds(work), before);
    EXPECT_EQ(shownIds(all).size(), 4) << "the contacts stay in All Contacts";

    editor.redo();
    const QStringList shown = shownIds(work);
    EXPECT_EQ(shown.size(), 4);
    EXPECT_EQ(shown.count(bert->uniqueId), 1);
    EXPECT_EQ(work->contactTable->size(), 4) << "Bert's old entry came back instead of a new one";
    // Each table owns its entries: hiding one in Work must not hide it in All Contacts.
    for (const ContactEntry &entry : std::as_const(*work->contactTable))
        EXPECT_FALSE(all->contactTable->contains(entry));
}

TEST_F(Groups, AddingAContactAlreadyShownChangesNothing)
{
    const qsizetype size = friends->contactTable->size();
    EXPECT_FALSE(editor.undoAddContacts({ anna, anna }, friends));
    EXPECT_EQ(friends->contactTable->size(), size);
    EXPECT_FALSE(undo.canUndo());
}

TEST_F(Groups, DeletingFromAllContactsHidesEverywhereAndUndoRestoresTheMemberships)
{
    const struct
    {
        const char *name;
        bool fromAll;
        QStringList allAfter;
        QStringList friendsAfter;
        QStringList workAfter;
    } cases[] = {
        { "from All Contacts",
          true,
          { bert->uniqueId, cleo->uniqueId, dora->uniqueId },
          { bert->uniqueId },
          {} },
        { "from Friends",
          false,
          { anna->uniqueId, bert->uniqueId, cleo->uniqueId, dora->uniqueId },
          { bert->uniqueId },
          { anna->uniqueId } },
    };
    for (const auto &c : cases) {
        const GroupEntry group = c.fromAll ? all : friends;
        editor.groupSelectionDidChange(group);
        const QStringList allBefore = shownIds(all), friendsBefore = shownIds(friends),
                          workBefore = shownIds(work);
        resetRecords();

        ASSERT_TRUE(editor.deleteContacts({ anna })) << c.name;
        EXPECT_EQ(shownIds(all), c.allAfter) << c.name;
        EXPECT_EQ(shownIds(friends), c.friendsAfter) << c.name;
        EXPECT_EQ(shownIds(work), c.workAfter) << c.name;
        EXPECT_EQ(closed, QStringList { anna->uniqueId }) << c.name;
        EXPECT_EQ(tableReloads, 1) << c.name;
        EXPECT_EQ(edited, std::optional<bool>(true)) << c.name;

        editor.undo();
        EXPECT_EQ(shownIds(all), allBefore) << c.name;
        EXPECT_EQ(shownIds(friends), friendsBefore) << c.name;
        EXPECT_EQ(shownIds(work), workBefore) << c.name;
        editor.redo();
        EXPECT_EQ(shownIds(work), c.workAfter) << c.name;
        editor.undo();
    }
}

TEST_F(Groups, ANewContactOfACategoryJoinsAllContactsAndUndoRemovesItFromBoth)
{
    editor.groupSelectionDidChange(work);
    const ContactEntry added = editor.addContact();
    ASSERT_TRUE(added);
    EXPECT_TRUE(shownIds(work).contains(added->uniqueId));
    EXPECT_TRUE(shownIds(all).contains(added->uniqueId));
    editor.undo();
    EXPECT_FALSE(shownIds(work).contains(added->uniqueId));
    EXPECT_FALSE(shownIds(all).contains(added->uniqueId)) << "undo leaves no added contact behind";
}

TEST_F(Groups, AddGroupNamesNewThenNewNumbered)
{
    const struct
    {
        QStringList existing;
        QString expected;
    } cases[] = {
        { {}, qs("New") },
        { { qs("New") }, qs("New0") },
        { { qs("New"), qs("New0") }, qs("New1") },
        { { qs("New0"), qs("New1") }, qs("New") },
        { { qs("New"), qs("New1") }, qs("New0") },
    };
    for (const auto &c : cases) {
        container->groups = { all };
        for (const QString &name : c.existing)
            addGroup(name);
        const GroupEntry group = editor.addGroup();
        ASSERT_TRUE(group) << c.existing.join(u',').toStdString();
        EXPECT_EQ(group->name, c.expected) << c.existing.join(u',').toStdString();
        EXPECT_TRUE(group->identifier.startsWith(c.expected + u'+'));
        EXPECT_EQ(container->groups.last(), group);
        EXPECT_EQ(editor.selectedGroup(), all) << "the new group is not selected";
    }
    editor.undo();
    EXPECT_TRUE(container->groups.last()->deleted);
}

TEST_F(Groups, DeletingTheThirdOfFiveGroupsMovesItLastAndUndoShowsItThere)
{
    const GroupEntry family = addGroup(qs("Family")), golf = addGroup(qs("Golf"));
    editor.groupSelectionDidChange(work);
    ASSERT_TRUE(editor.deleteGroup());
    EXPECT_EQ(groupNames(container->groups, false),
              QStringList({ qs("All Contacts"), qs("Friends"), qs("Family"), qs("Golf") }));
    EXPECT_EQ(container->groups.last(), work);
    EXPECT_EQ(editor.selectedGroup(), all);
    EXPECT_EQ(editor.contactTable(), all->contactTable);

    editor.undo();
    EXPECT_EQ(groupNames(container->groups, false),
              QStringList({ qs("All Contacts"), qs("Friends"), qs("Family"), qs("Golf"), qs("Work") }));
    editor.redo();
    EXPECT_TRUE(work->deleted);

    // "All Contacts" holds the container's contacts and cannot go.
    editor.groupSelectionDidChange(all);
    EXPECT_FALSE(editor.deleteGroup());
    EXPECT_FALSE(all->deleted);
}

TEST_F(Groups, RenamingIgnoresEmptyNamesAndUndoes)
{
    editor.groupSelectionDidChange(friends);
    EXPECT_FALSE(editor.renameGroup(QString()));
    EXPECT_FALSE(undo.canUndo());
    ASSERT_TRUE(editor.renameGroup(qs("Pals")));
    EXPECT_EQ(friends->name, qs("Pals"));
    EXPECT_TRUE(friends->groupNameChanged);
    editor.undo();
    EXPECT_EQ(friends->name, qs("Friends"));
    editor.groupSelectionDidChange(all);
    EXPECT_FALSE(editor.renameGroup(qs("Everyone")));
}

TEST_F(Groups, GroupNamesOfAContact)
{
    const ContactEntry removed = copyContactEntry(cleo);
    removed->deleted = true;
    work->contactTable->append(removed);
    const GroupEntry gone = addGroup(qs("Gone"));
    gone->deleted = true;
    gone->contactTable->append(copyContactEntry(bert));

    const struct
    {
        const char *name;
        ContactEntry contact;
        QStringList expected;
    } cases[] = {
        { "in two categories", anna, { qs("All Contacts"), qs("Friends"), qs("Work") } },
        { "in a deleted group too", bert, { qs("All Contacts"), qs("Friends") } },
        { "removed from its category", cleo, { qs("All Contacts") } },
        { "in no category", dora, { qs("All Contacts") } },
    };
    for (const auto &c : cases)
        EXPECT_EQ(editor.groupNamesOfContact(c.contact), c.expected) << c.name;
}

TEST_F(Groups, DroppedRowIndexesAddTheirContactsOnce)
{
    // Rows of the shown table: Anna has two rows (two phones), then Bert, Cleo, Dora.
    SubContactRows rows;
    for (const ContactEntry &entry : std::as_const(*all->contactTable))
        rows.append(SubContactRow::fromEntry(entry));
    rows.insert(1, rows.at(0));
    rows[1].labelIndex = 1;
    editor.setRowsAtIndexes([rows](const QList<int> &indexes) {
        SubContactRows out;
        for (int i : indexes)
            out.append(rows.value(i));
        return out;
    });

    const struct
    {
        const char *indexes;
        bool changed;
        QStringList workAfter;
    } cases[] = {
        { "x,,", false, { anna->uniqueId } },
        { "1,0", false, { anna->uniqueId } },
        { "0,1,3,x", true, { anna->uniqueId, cleo->uniqueId } },
    };
    for (const auto &c : cases) {
        EXPECT_EQ(editor.addContactByStringIndexes(qs(c.indexes), work), c.changed) << c.indexes;
        EXPECT_EQ(shownIds(work), c.workAfter) << c.indexes;
    }
    EXPECT_EQ(work->contactTable->last()->labelIndex, 0);
}

TEST_F(Groups, MenuValidation)
{
    const struct
    {
        const char *name;
        ContactEditor::MenuAction action;
        bool collapsed;
        bool editState;
        bool hasRow;
        GroupEntry selected;
        bool enabled;
    } cases[] = {
        { "add group", ContactEditor::MenuAction::AddGroup, false, false, false, all, true },
        { "add group, pane collapsed", ContactEditor::MenuAction::AddGroup, true, true, false, all, false },
        { "delete group", ContactEditor::MenuAction::DeleteGroup, false, true, false, friends, true },
        { "delete group, collapsed", ContactEditor::MenuAction::DeleteGroup, true, true, false, friends,
          false },
        { "delete group, locked", ContactEditor::MenuAction::DeleteGroup, false, false, false, friends,
          false },
        { "delete All Contacts", ContactEditor::MenuAction::DeleteGroup, false, true, false, all, false },
        { "delete contacts", ContactEditor::MenuAction::DeleteContacts, false, true, true, all, true },
        { "delete, nothing selected", ContactEditor::MenuAction::DeleteContacts, false, true, false, all,
          false },
        { "duplicate, locked", ContactEditor::MenuAction::DuplicateContacts, false, false, true, all, false },
        { "undo, nothing done", ContactEditor::MenuAction::Undo, false, true, false, all, false },
    };
    for (const auto &c : cases) {
        editor.setEditState(c.editState);
        editor.groupSelectionDidChange(c.selected);
        EXPECT_EQ(editor.validateMenuItem(c.action, { c.collapsed, c.hasRow }), c.enabled) << c.name;
    }
    editor.setEditState(true);
    EXPECT_FALSE(editor.canDropContacts(editor.selectedGroup()));
    EXPECT_TRUE(editor.canDropContacts(work));
    editor.setEditState(false);
    EXPECT_FALSE(editor.canDropContacts(work));
}

} // namespace
