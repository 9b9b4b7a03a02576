#include "editorfixture.h"

namespace {

class Commands : public EditorTest
{
protected:
    Commands()
    {
        anna = addContact(makePerson(qs("Anna"), { qs("111"), qs("222") }));
        bert = addContact(makePerson(qs("Bert"), { qs("333") }));
        start();
    }

    ContactEntry anna, bert;
};

TEST_F(Commands, AddContactUnlocksAndSelectsANewContactNamedNew)
{
    editor.setEditState(false);
    ContactEntry editing;
    QObject::connect(&editor, &ContactEditor::newContactEditingRequested,
                     [&](const ContactEntry &entry) { editing = entry; });

    const ContactEntry added = editor.addContact();
    ASSERT_TRUE(added);
    EXPECT_TRUE(editor.editState());
    EXPECT_EQ(added->person->valueForIdentifier(FieldId::FirstName).toString(), qs("New"));
    EXPECT_EQ(all->contactTable->last(), added);
    ASSERT_EQ(seen.selected.size(), 1);
    EXPECT_EQ(seen.selected.first()->uniqueId, added->uniqueId);
    EXPECT_EQ(editing, added);
    EXPECT_EQ(seen.edited, std::optional<bool>(true));
}

TEST_F(Commands, DeleteWithoutSelectionDoesNothing)
{
    EXPECT_FALSE(editor.validateMenuItem(ContactEditor::MenuAction::DeleteContacts, {}));
    EXPECT_FALSE(editor.deleteContacts({}));
    EXPECT_FALSE(undo.canUndo());
    EXPECT_FALSE(seen.edited.has_value());
}

TEST_F(Commands, DuplicatingTwoContactsIsOneUndoStepWithNewIdentities)
{
    const ContactList copies = editor.duplicateContacts({ anna, bert });
    ASSERT_EQ(copies.size(), 2);
    EXPECT_EQ(undo.undoCount(), 1);
    const ContactEntry originals[] = { anna, bert };
    for (int i = 0; i < 2; ++i) {
        const ContactEntry &copy = copies.at(i);
        EXPECT_NE(copy->uniqueId, originals[i]->uniqueId);
        EXPECT_NE(copy->person, originals[i]->person);
        EXPECT_TRUE(copy->person->created());
        EXPECT_EQ(copy->person->compositeName(), originals[i]->person->compositeName());
        EXPECT_EQ(copy->person->phoneValues(), originals[i]->person->phoneValues());
    }
    EXPECT_EQ(shownIds(all).size(), 4);
    editor.undo();
    EXPECT_EQ(shownIds(all), QStringList({ anna->uniqueId, bert->uniqueId }));
}

TEST_F(Commands, ResortingMarksEditedOnlyWhenAnOrderChanged)
{
    auto setLabels = [](const ContactEntry &contact, const QStringList &labels) {
        QVariantList items;
        for (int i = 0; i < labels.size(); ++i)
            items.append(labeled(labels.at(i), QString::number(i), i));
        contact->person->setValue(items, FieldId::Phone);
        contact->person->setChanged(false);
    };
    const struct
    {
        const char *name;
        QString identifier;
        QString key;
        bool ascending;
        qsizetype reordered;
        QString firstLabel;
    } cases[] = {
        { "already in order", FieldId::Phone, Key::Label, true, 0, LabelWord::Home },
        { "one contact out of order", FieldId::Phone, Key::Label, false, 1, LabelWord::Work },
        { "a key the field has not", FieldId::Phone, FieldId::Zip, false, 0, LabelWord::Home },
        { "no item key", FieldId::Phone, QString(), false, 0, LabelWord::Home },
        { "not a labeled field", FieldId::Note, Key::Label, false, 0, LabelWord::Home },
    };
    for (const auto &c : cases) {
        setLabels(anna, { LabelWord::Home, LabelWord::Work });
        setLabels(bert, { LabelWord::Home });
        resetRecords();
        EXPECT_EQ(editor.sortDescriptorsDidChange(c.identifier, c.key, c.ascending), c.reordered) << c.name;
        EXPECT_EQ(anna->person->changed(), c.reordered > 0) << c.name;
        EXPECT_FALSE(bert->person->changed()) << c.name;
        EXPECT_EQ(seen.edited.has_value(), c.reordered > 0) << c.name;
        EXPECT_EQ(anna->person->phoneValues().first().toMap().value(Key::Label).toString(), c.firstLabel)
            << c.name;
    }
}

} // namespace
