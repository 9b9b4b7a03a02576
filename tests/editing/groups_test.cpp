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
        start();
    }

    QStringList visibleGroupNames() const
    {
        QStringList names;
        for (const GroupEntry &group : std::as_const(container->groups)) {
            if (!group->deleted)
                names.append(group->name);
        }
        return names;
    }

    GroupEntry friends, work;
    ContactEntry anna, bert, cleo;
};

TEST_F(Groups, UndoOfAddingThreeContactsHidesThemAgainAndRedoAddsNoDuplicate)
{
    // Bert was in Work once and removed: his entry is there, marked deleted.
    const ContactEntry oldBert = copyContactEntry(bert);
    oldBert->deleted = true;
    work->contactTable->append(oldBert);

    ASSERT_TRUE(editor.undoAddContacts({ anna, bert, cleo }, work));
    EXPECT_EQ(shownIds(work), QStringList({ anna->uniqueId, bert->uniqueId, cleo->uniqueId }));
    editor.undo();
    EXPECT_EQ(shownIds(work), QStringList { anna->uniqueId }) << "Anna was shown before and stays";
    EXPECT_EQ(shownIds(all).size(), 3);
    editor.redo();
    EXPECT_EQ(shownIds(work), QStringList({ anna->uniqueId, bert->uniqueId, cleo->uniqueId }));
    EXPECT_EQ(work->contactTable->size(), 3) << "Bert's old entry came back instead of a second one";
    // Each table owns its entries: hiding one in Work must not hide it in All Contacts.
    for (const ContactEntry &entry : std::as_const(*work->contactTable))
        EXPECT_FALSE(all->contactTable->contains(entry));
}

TEST_F(Groups, DeletingFromAllContactsHidesEverywhereAndUndoRestoresTheMemberships)
{
    const struct
    {
        const char *name;
        GroupEntry group;
        QStringList allAfter, friendsAfter, workAfter;
    } cases[] = {
        { "from All Contacts", all, { bert->uniqueId, cleo->uniqueId }, { bert->uniqueId }, {} },
        { "from Friends",
          friends,
          { anna->uniqueId, bert->uniqueId, cleo->uniqueId },
          { bert->uniqueId },
          { anna->uniqueId } },
    };
    const QStringList allBefore = shownIds(all), friendsBefore = shownIds(friends),
                      workBefore = shownIds(work);
    for (const auto &c : cases) {
        editor.groupSelectionDidChange(c.group);
        resetRecords();
        ASSERT_TRUE(editor.deleteContacts({ anna })) << c.name;
        EXPECT_EQ(shownIds(all), c.allAfter) << c.name;
        EXPECT_EQ(shownIds(friends), c.friendsAfter) << c.name;
        EXPECT_EQ(shownIds(work), c.workAfter) << c.name;
        EXPECT_EQ(seen.closed, QStringList { anna->uniqueId }) << c.name;
        EXPECT_EQ(seen.edited, std::optional<bool>(true)) << c.name;
        editor.undo();
        EXPECT_EQ(shownIds(all), allBefore) << c.name;
        EXPECT_EQ(shownIds(friends), friendsBefore) << c.name;
        EXPECT_EQ(shownIds(work), workBefore) << c.name;
    }
}

TEST_F(Groups, ANewContactOfACategoryJoinsAllContactsAndUndoRemovesItFromBoth)
{
    editor.groupSelectionDidChange(work);
    const ContactEntry added = editor.addContact();
    ASSERT_TRUE(added);
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
        { { qs("New"), qs("New1") }, qs("New0") },
    };
    for (const auto &c : cases) {
        container->groups = { all };
        for (const QString &name : c.existing)
            addGroup(name);
        const GroupEntry group = editor.addGroup();
        ASSERT_TRUE(group);
        EXPECT_EQ(group->name, c.expected) << c.existing.join(u',').toStdString();
        EXPECT_EQ(container->groups.last(), group);
    }
}

TEST_F(Groups, DeletingTheThirdOfFiveGroupsMovesItLastAndUndoShowsItThere)
{
    addGroup(qs("Family"));
    addGroup(qs("Golf"));
    editor.groupSelectionDidChange(work);
    ASSERT_TRUE(editor.deleteGroup());
    EXPECT_EQ(visibleGroupNames(),
              QStringList({ qs("All Contacts"), qs("Friends"), qs("Family"), qs("Golf") }));
    EXPECT_EQ(container->groups.last(), work);
    EXPECT_EQ(editor.selectedGroup(), all);
    EXPECT_EQ(editor.contactTable(), all->contactTable);
    editor.undo();
    EXPECT_EQ(visibleGroupNames(),
              QStringList({ qs("All Contacts"), qs("Friends"), qs("Family"), qs("Golf"), qs("Work") }));
    // "All Contacts" holds the container's contacts and cannot go.
    editor.groupSelectionDidChange(all);
    EXPECT_FALSE(editor.deleteGroup());
}

TEST_F(Groups, RenamingIgnoresEmptyNamesAndUndoes)
{
    editor.groupSelectionDidChange(friends);
    EXPECT_FALSE(editor.renameGroup(QString()));
    EXPECT_FALSE(undo.canUndo());
    ASSERT_TRUE(editor.renameGroup(qs("Pals")));
    EXPECT_EQ(friends->name, qs("Pals"));
    editor.undo();
    EXPECT_EQ(friends->name, qs("Friends"));
}

TEST_F(Groups, GroupNamesOfAContactLeaveOutDeletedGroupsAndMemberships)
{
    const ContactEntry removed = copyContactEntry(cleo);
    removed->deleted = true;
    work->contactTable->append(removed);
    const GroupEntry gone = addGroup(qs("Gone"));
    gone->deleted = true;
    gone->contactTable->append(copyContactEntry(bert));

    EXPECT_EQ(editor.groupNamesOfContact(anna),
              QStringList({ qs("All Contacts"), qs("Friends"), qs("Work") }));
    EXPECT_EQ(editor.groupNamesOfContact(bert), QStringList({ qs("All Contacts"), qs("Friends") }));
    EXPECT_EQ(editor.groupNamesOfContact(cleo), QStringList { qs("All Contacts") });
}

TEST_F(Groups, DroppedRowIndexesAddTheirContactsOnce)
{
    // Rows of the shown table: Anna has two rows, then Bert and Cleo.
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
        { "0,1,3,9", true, { anna->uniqueId, cleo->uniqueId } },
    };
    for (const auto &c : cases) {
        EXPECT_EQ(editor.addContactByStringIndexes(qs(c.indexes), work), c.changed) << c.indexes;
        EXPECT_EQ(shownIds(work), c.workAfter) << c.indexes;
    }
}

TEST_F(Groups, DeleteGroupAndDropsNeedAnUnlockedOtherGroup)
{
    using A = ContactEditor::MenuAction;
    editor.groupSelectionDidChange(friends);
    EXPECT_TRUE(editor.validateMenuItem(A::DeleteGroup, {}));
    EXPECT_FALSE(editor.validateMenuItem(A::DeleteGroup, { .groupPaneCollapsed = true }));
    EXPECT_FALSE(editor.canDropContacts(friends)) << "the selected group";
    EXPECT_TRUE(editor.canDropContacts(work));
    editor.groupSelectionDidChange(all);
    EXPECT_FALSE(editor.validateMenuItem(A::DeleteGroup, {})) << "All Contacts";
    editor.setEditState(false);
    EXPECT_FALSE(editor.canDropContacts(work));
    EXPECT_FALSE(editor.validateMenuItem(A::DuplicateContacts, { .hasSelectedRow = true }));
}

} // namespace

TEST_F(Groups, AddToGroupOffersTheOtherLiveGroupsAndIsOneUndoStep)
{
    ASSERT_TRUE(editor.undoDeleteGroup(work, container));
    const GroupEntry family = addGroup(qs("Family"));
    editor.groupSelectionDidChange(friends);
    EXPECT_EQ(editor.groupsToAddContactsTo(), QList<GroupEntry> { family })
        << "neither All Contacts, the selected group nor a deleted one";

    editor.groupSelectionDidChange(all);
    endEvent();
    resetRecords();
    ASSERT_TRUE(editor.addToGroup({ bert, cleo }, family));
    endEvent();
    EXPECT_EQ(shownIds(family), QStringList({ bert->uniqueId, cleo->uniqueId }));
    EXPECT_EQ(editor.selectedGroup(), all) << "the group on show stays";
    EXPECT_EQ(seen.edited, std::optional<bool>(true));
    editor.undo();
    EXPECT_TRUE(shownIds(family).isEmpty());
    EXPECT_EQ(shownIds(all).size(), 3);

    editor.setEditState(false);
    EXPECT_FALSE(editor.addToGroup({ bert }, family)) << "locked";
}

TEST_F(Groups, RemoveFromGroupLeavesAllContactsAloneAndUndoes)
{
    EXPECT_FALSE(editor.removeFromGroup({ anna })) << "from All Contacts it would delete the contact";
    EXPECT_EQ(shownIds(all).size(), 3);

    editor.groupSelectionDidChange(friends);
    endEvent();
    ASSERT_TRUE(editor.removeFromGroup({ anna }));
    endEvent();
    EXPECT_EQ(shownIds(friends), QStringList { bert->uniqueId });
    EXPECT_EQ(shownIds(work), QStringList { anna->uniqueId }) << "other memberships stay";
    EXPECT_EQ(shownIds(all).size(), 3);
    EXPECT_EQ(editor.groupNamesOfContact(anna), QStringList({ qs("All Contacts"), qs("Work") }));
    editor.undo();
    EXPECT_EQ(shownIds(friends), QStringList({ anna->uniqueId, bert->uniqueId }));
}

TEST_F(Groups, GroupCommandsNeedASelectedRowAndTheLockOff)
{
    ContactEditor::MenuContext selected;
    selected.hasSelectedRow = true;
    EXPECT_TRUE(editor.validateMenuItem(ContactEditor::MenuAction::AddToGroup, selected));
    EXPECT_FALSE(editor.validateMenuItem(ContactEditor::MenuAction::RemoveFromGroup, selected))
        << "All Contacts is selected";
    EXPECT_FALSE(editor.validateMenuItem(ContactEditor::MenuAction::AddToGroup, {}));
    editor.groupSelectionDidChange(friends);
    EXPECT_TRUE(editor.validateMenuItem(ContactEditor::MenuAction::RemoveFromGroup, selected));
    editor.setEditState(false);
    EXPECT_FALSE(editor.validateMenuItem(ContactEditor::MenuAction::RemoveFromGroup, selected));
    EXPECT_FALSE(editor.validateMenuItem(ContactEditor::MenuAction::AddToGroup, selected));
}
