// Sorting every record's items of a field by the table's sort is one undoable step: undo puts the
// items and the records' changed marks back, redo sorts them again.
#include "editorfixture.h"

namespace {

QStringList phoneNumbers(const ContactEntry &contact)
{
    QStringList numbers;
    for (const QVariant &item : contact->person->phoneValues())
        numbers.append(item.toMap().value(Key::Value).toString());
    return numbers;
}

class Resort : public EditorTest
{
protected:
    Resort()
    {
        anna = addContact(makePerson(qs("Anna"), { qs("222"), qs("111"), qs("333") }));
        bert = addContact(makePerson(qs("Bert"), { qs("555"), qs("444") }));
        cleo = addContact(makePerson(qs("Cleo"), { qs("666") }));
        bert->person->setChanged(true); // edited before the sort
        start();
    }

    ContactEntry anna, bert, cleo;
};

TEST_F(Resort, UndoRestoresItemOrdersAndChangedMarksRedoSortsAgain)
{
    ASSERT_EQ(editor.sortDescriptorsDidChange(FieldId::Phone, Key::StringValue, true), 2);
    endEvent();
    EXPECT_EQ(phoneNumbers(anna), QStringList({ qs("111"), qs("222"), qs("333") }));
    EXPECT_EQ(phoneNumbers(bert), QStringList({ qs("444"), qs("555") }));
    EXPECT_EQ(undo.undoCount(), 1);
    EXPECT_EQ(seen.edited, true);

    resetRecords();
    editor.undo();
    EXPECT_EQ(phoneNumbers(anna), QStringList({ qs("222"), qs("111"), qs("333") }));
    EXPECT_EQ(phoneNumbers(bert), QStringList({ qs("555"), qs("444") }));
    EXPECT_FALSE(anna->person->changed());
    EXPECT_TRUE(bert->person->changed());
    EXPECT_FALSE(cleo->person->changed());
    EXPECT_EQ(seen.edited, false);
    // Rows show items by position: the table must build them again.
    EXPECT_GE(seen.tableUpdates, 1);

    editor.redo();
    EXPECT_EQ(phoneNumbers(anna), QStringList({ qs("111"), qs("222"), qs("333") }));
    EXPECT_EQ(phoneNumbers(bert), QStringList({ qs("444"), qs("555") }));
    EXPECT_TRUE(anna->person->changed());
    EXPECT_EQ(seen.edited, true);
}

TEST_F(Resort, AnOrderThatStaysLeavesNoUndoStep)
{
    ASSERT_EQ(editor.sortDescriptorsDidChange(FieldId::Phone, Key::StringValue, true), 2);
    endEvent();
    resetRecords();
    EXPECT_EQ(editor.sortDescriptorsDidChange(FieldId::Phone, Key::StringValue, true), 0);
    endEvent();
    EXPECT_EQ(undo.undoCount(), 1);
    EXPECT_FALSE(seen.edited.has_value());
}

// Records sort on several threads: each comes back in its own order on undo, one the table lists
// twice included.
using ResortMany = EditorTest;

TEST_F(ResortMany, EveryRecordOfALargeTableComesBackOnUndo)
{
    QList<ContactEntry> contacts;
    for (int i = 0; i < 3000; ++i) {
        const QString n = QString::number(i);
        contacts.append(addContact(makePerson(qs("C") + n, { qs("9") + n, qs("1") + n, qs("5") + n })));
    }
    all->contactTable->append(copyContactEntry(contacts.at(7)));
    start();
    ASSERT_EQ(editor.sortDescriptorsDidChange(FieldId::Phone, Key::StringValue, true), 3000);
    endEvent();
    EXPECT_EQ(phoneNumbers(contacts.at(7)), QStringList({ qs("17"), qs("57"), qs("97") }));
    editor.undo();
    for (int i = 0; i < contacts.size(); ++i) {
        const QString n = QString::number(i);
        ASSERT_EQ(phoneNumbers(contacts.at(i)), QStringList({ qs("9") + n, qs("1") + n, qs("5") + n })) << i;
        ASSERT_FALSE(contacts.at(i)->person->changed()) << i;
    }
}

} // namespace
