// The merge panel's working state: aligned rows, moves and copies, edits, labels, undo and the
// change count, and applying the result to the document's contacts.
#include "../testutil.h"
#include "editing/contacteditor.h"
#include "merge/mergesession.h"
#include "record/keys.h"

#include <gtest/gtest.h>

namespace {

using Side = MergeSession::Side;

QVariantMap item(const QString &label, const QString &value)
{
    return { { Key::Label, label }, { Key::Value, value } };
}

ContactEntry contact(const QString &first, const QString &last, const QStringList &phones = {},
                     const QStringList &emails = {})
{
    PersonPtr person = QVPerson::create();
    person->setValue(QVariantMap { { FieldId::FirstName, first }, { FieldId::LastName, last } },
                     FieldId::Name);
    for (const QString &phone : phones)
        person->addLabeledValue(item(LabelWord::Home, phone), FieldId::Phone);
    for (const QString &email : emails)
        person->addLabeledValue(item(LabelWord::Work, email), FieldId::Email);
    person->setChanged(false);
    return makeContactEntry(person);
}

QStringList values(const ContactEntry &entry, const QString &identifier)
{
    QStringList out;
    for (const QVariant &value : entry->person->valueForIdentifier(identifier).toList())
        out.append(value.toMap().value(Key::Value).toString());
    return out;
}

// Row numbers of one field on a side, in order.
QList<int> rowsOf(const MergeSession &session, Side side, const QString &identifier)
{
    QList<int> out;
    const MergeRows &rows = session.rows(side);
    for (int i = 0; i < rows.size(); ++i) {
        if (rows.at(i).type == identifier)
            out.append(i);
    }
    return out;
}

int nameRow(const MergeSession &session, Side side, const QString &part)
{
    const MergeRows &rows = session.rows(side);
    for (int i = 0; i < rows.size(); ++i) {
        if (rows.at(i).kind == MergeRow::Kind::NamePart && rows.at(i).label == part)
            return i;
    }
    return -1;
}

class MergeSessionTest : public ::testing::Test
{
protected:
    void open(const ContactList &contacts, const QVariantList &customItems = {})
    {
        session = std::make_unique<MergeSession>(contacts, customItems);
        session->setEditMode(true);
    }

    ContactEntry left = contact(qs("Ann"), qs("Lee"), { qs("111"), qs("222"), qs("333") });
    ContactEntry right = contact(qs("Anne"), qs("Lee"), { qs("999") });
    std::unique_ptr<MergeSession> session;
};

} // namespace

TEST_F(MergeSessionTest, BothSidesAlignWithFillerRows)
{
    open({ left, right });
    ASSERT_EQ(session->rows(Side::Left).size(), session->rows(Side::Right).size());
    const QList<int> leftPhones = rowsOf(*session, Side::Left, FieldId::Phone);
    const QList<int> rightPhones = rowsOf(*session, Side::Right, FieldId::Phone);
    ASSERT_EQ(leftPhones.size(), 3);
    EXPECT_EQ(rightPhones, leftPhones);
    QList<int> counts;
    for (int row : rightPhones)
        counts.append(session->row(Side::Right, row).valueCount);
    EXPECT_EQ(counts, (QList<int> { 1, 0, -1 }));
    EXPECT_EQ(session->row(Side::Right, rightPhones[0]).value, qs("999"));
    EXPECT_TRUE(session->row(Side::Right, rightPhones[1]).isFiller());
    EXPECT_TRUE(session->row(Side::Right, rightPhones[2]).isFiller());
    // A field neither contact has still takes one row on both sides.
    EXPECT_EQ(rowsOf(*session, Side::Left, FieldId::Email).size(), 1);
    EXPECT_EQ(rowsOf(*session, Side::Right, FieldId::Email).size(), 1);
}

TEST_F(MergeSessionTest, DropsAreRefusedWhereTheyCannotLand)
{
    right->person->addLabeledValue(item(LabelWord::Work, qs("a@example.com")), FieldId::Email);
    open({ left, right });
    const QList<int> phones = rowsOf(*session, Side::Right, FieldId::Phone);
    const int email = rowsOf(*session, Side::Right, FieldId::Email).first();
    // Only the first filler row after the items takes a drop.
    EXPECT_TRUE(session->canDrop(Side::Left, phones[0], Side::Right, phones[1], true));
    EXPECT_FALSE(session->canDrop(Side::Left, phones[0], Side::Right, phones[2], true));
    EXPECT_TRUE(session->canDrop(Side::Left, phones[0], Side::Right, phones[0], false));
    EXPECT_FALSE(session->canDrop(Side::Left, phones[0], Side::Right, email, true));
    EXPECT_FALSE(session->canDrop(Side::Left, phones[0], Side::Left, phones[1], true));
    // Other fields only onto the row itself, and a first name only onto a first name.
    const int first = nameRow(*session, Side::Left, FieldId::FirstName);
    EXPECT_FALSE(session->canDrop(Side::Left, first, Side::Right, first, false));
    EXPECT_FALSE(session->canDrop(Side::Left, first, Side::Right,
                                  nameRow(*session, Side::Right, FieldId::LastName), true));
    // A filler row has nothing to carry.
    EXPECT_FALSE(session->canDrop(Side::Right, phones[1], Side::Left, phones[0], true));
    EXPECT_FALSE(session->drop(Side::Right, phones[1], Side::Left, phones[0], true, false));

    session->setEditMode(false);
    EXPECT_FALSE(session->canDrop(Side::Left, phones[0], Side::Right, phones[1], true));
    EXPECT_FALSE(session->drop(Side::Left, phones[0], Side::Right, phones[1], true, false));
    EXPECT_EQ(session->changeCount(), 0);
    EXPECT_TRUE(session->newContacts().isEmpty());
}

TEST_F(MergeSessionTest, MovingAPhoneAndUndoingIt)
{
    open({ left, right });
    const QList<int> phones = rowsOf(*session, Side::Right, FieldId::Phone);
    ASSERT_TRUE(session->drop(Side::Left, phones[1], Side::Right, phones[1], true, false));
    EXPECT_EQ(values(session->workingCopy(Side::Left), FieldId::Phone),
              (QStringList { qs("111"), qs("333") }));
    EXPECT_EQ(values(session->workingCopy(Side::Right), FieldId::Phone),
              (QStringList { qs("999"), qs("222") }));
    EXPECT_EQ(session->changeCount(), 1);
    // The document's contacts are untouched until the panel's result is applied.
    EXPECT_EQ(values(left, FieldId::Phone), (QStringList { qs("111"), qs("222"), qs("333") }));
    EXPECT_EQ(values(right, FieldId::Phone), QStringList { qs("999") });
    EXPECT_FALSE(left->person->changed());

    session->undo();
    EXPECT_EQ(values(session->workingCopy(Side::Left), FieldId::Phone),
              (QStringList { qs("111"), qs("222"), qs("333") }));
    EXPECT_EQ(values(session->workingCopy(Side::Right), FieldId::Phone), QStringList { qs("999") });
    EXPECT_EQ(session->changeCount(), 0);
    session->redo();
    EXPECT_EQ(values(session->workingCopy(Side::Right), FieldId::Phone),
              (QStringList { qs("999"), qs("222") }));
    EXPECT_EQ(session->changeCount(), 1);
}

TEST_F(MergeSessionTest, CopyingKeepsTheSourceAndADropOnAnItemReplacesIt)
{
    open({ left, right });
    const QList<int> phones = rowsOf(*session, Side::Right, FieldId::Phone);
    ASSERT_TRUE(session->drop(Side::Left, phones[2], Side::Right, phones[0], true, true));
    EXPECT_EQ(values(session->workingCopy(Side::Left), FieldId::Phone),
              (QStringList { qs("111"), qs("222"), qs("333") }));
    EXPECT_EQ(values(session->workingCopy(Side::Right), FieldId::Phone), QStringList { qs("333") });
    // Between rows the item is added instead.
    ASSERT_TRUE(session->drop(Side::Left, phones[0], Side::Right, phones[0], false, true));
    EXPECT_EQ(values(session->workingCopy(Side::Right), FieldId::Phone),
              (QStringList { qs("333"), qs("111") }));
    EXPECT_EQ(session->changeCount(), 2);
}

TEST_F(MergeSessionTest, MovingTheLastItemOfAFieldLeavesAFillerRow)
{
    open({ right, left });
    const int phone = rowsOf(*session, Side::Left, FieldId::Phone).first();
    ASSERT_TRUE(session->drop(Side::Left, phone, Side::Right,
                              rowsOf(*session, Side::Right, FieldId::Phone)[0], false, false));
    EXPECT_TRUE(values(session->workingCopy(Side::Left), FieldId::Phone).isEmpty());
    EXPECT_EQ(values(session->workingCopy(Side::Right), FieldId::Phone).size(), 4);
    const QList<int> rows = rowsOf(*session, Side::Left, FieldId::Phone);
    ASSERT_EQ(rows.size(), 4);
    EXPECT_TRUE(session->row(Side::Left, rows[0]).isFiller());
    EXPECT_EQ(session->row(Side::Left, rows[0]).valueCount, 0);
    // The emptied side still takes the item back.
    EXPECT_TRUE(session->canDrop(Side::Right, rows[0], Side::Left, rows[0], true));
}

TEST_F(MergeSessionTest, CopyingOntoAContactThatLacksTheField)
{
    left->person->addLabeledValue(item(LabelWord::Work, qs("ann@example.com")), FieldId::Email);
    left->person->setValue(qs("Acme"), FieldId::Company);
    left->person->setBirthdayValue(
        QVariantMap { { Key::Value, QVariant::fromValue(DateComponents { 1980, 2, 3 }) } });
    open({ left, right });
    const int email = rowsOf(*session, Side::Left, FieldId::Email).first();
    const int company = rowsOf(*session, Side::Left, FieldId::Company).first();
    const int birthday = rowsOf(*session, Side::Left, FieldId::Birthday).first();
    ASSERT_TRUE(session->drop(Side::Left, email, Side::Right, email, true, true));
    ASSERT_TRUE(session->drop(Side::Left, company, Side::Right, company, true, false));
    ASSERT_TRUE(session->drop(Side::Left, birthday, Side::Right, birthday, true, false));
    EXPECT_EQ(values(session->workingCopy(Side::Right), FieldId::Email),
              QStringList { qs("ann@example.com") });
    EXPECT_EQ(session->workingCopy(Side::Right)->person->stringValueForIdentifier(FieldId::Company),
              qs("Acme"));
    EXPECT_EQ(session->workingCopy(Side::Left)->person->stringValueForIdentifier(FieldId::Company),
              QString());
    EXPECT_EQ(session->workingCopy(Side::Right)
                  ->person->birthdayValue()
                  .value(Key::Value)
                  .value<DateComponents>()
                  .year,
              1980);
    EXPECT_TRUE(session->workingCopy(Side::Left)->person->birthdayValue().isEmpty());
    EXPECT_EQ(session->row(Side::Right, company).value, qs("Acme"));
    EXPECT_EQ(session->changeCount(), 3);
}

TEST_F(MergeSessionTest, LabelsTheOtherContactLacksTravelWithTheItem)
{
    const QString cabin = qs("cabin");
    left->person->replaceLabeledValue(QVariantList { item(cabin, qs("555")) }, FieldId::Phone);
    open({ left, right });
    QList<int> phones = rowsOf(*session, Side::Right, FieldId::Phone);
    ASSERT_TRUE(session->drop(Side::Left, phones[0], Side::Right, phones[0], false, false));
    phones = rowsOf(*session, Side::Right, FieldId::Phone);
    ASSERT_EQ(phones.size(), 2);
    const QVariantList moved
        = session->workingCopy(Side::Right)->person->valueForIdentifier(FieldId::Phone).toList();
    ASSERT_EQ(moved.size(), 2);
    EXPECT_EQ(moved.at(1).toMap().value(Key::Label).toString(), cabin);
    EXPECT_EQ(session->row(Side::Right, phones[1]).label, cabin);
    // The popup offers the label the standard list lacks, and the standard ones.
    const QStringList choices = session->labelChoices(Side::Right, phones[1]);
    EXPECT_TRUE(choices.contains(cabin));
    EXPECT_TRUE(choices.contains(LabelWord::Work));
    ASSERT_TRUE(session->chooseLabel(Side::Right, phones[1], LabelWord::Work));
    EXPECT_EQ(session->row(Side::Right, phones[1]).label, LabelWord::Work);
    EXPECT_EQ(session->row(Side::Right, phones[1]).value, qs("555"));
    // Choosing the label a row has is no change.
    EXPECT_FALSE(session->chooseLabel(Side::Right, phones[1], LabelWord::Work));
    EXPECT_EQ(session->changeCount(), 2);
}

TEST_F(MergeSessionTest, EditsCountAndUndoingEveryChangeDisablesTheResult)
{
    open({ left, right });
    const int first = nameRow(*session, Side::Left, FieldId::FirstName);
    ASSERT_TRUE(session->editText(Side::Left, first, qs("Anna")));
    EXPECT_FALSE(session->editText(Side::Left, first, qs("Anna")));
    EXPECT_EQ(session->changeCount(), 1);
    const ContactList result = session->newContacts();
    ASSERT_EQ(result.size(), 2);
    EXPECT_EQ(result.at(0)->person->nameValue().value(FieldId::FirstName).toString(), qs("Anna"));
    EXPECT_EQ(result.at(1)->person->nameValue().value(FieldId::FirstName).toString(), qs("Anne"));
    // Edit mode stays on while changes are kept.
    session->setEditMode(false);
    EXPECT_TRUE(session->editMode());

    const int phone = rowsOf(*session, Side::Right, FieldId::Phone).first();
    ASSERT_TRUE(session->editText(Side::Right, phone, qs("998")));
    EXPECT_EQ(values(session->workingCopy(Side::Right), FieldId::Phone), QStringList { qs("998") });
    const int ordering = rowsOf(*session, Side::Left, FieldId::NameOrdering).first();
    ASSERT_TRUE(session->chooseLabel(Side::Left, ordering, session->nameOrderingLabels().at(2)));
    EXPECT_EQ(session->workingCopy(Side::Left)->person->nameValue().value(Key::NameOrdering).toInt(), 2);
    EXPECT_EQ(session->row(Side::Left, ordering).label, session->nameOrderingLabels().at(2));
    EXPECT_EQ(session->changeCount(), 3);

    session->undo();
    session->undo();
    session->undo();
    EXPECT_EQ(session->changeCount(), 0);
    EXPECT_TRUE(session->newContacts().isEmpty());
    EXPECT_EQ(session->workingCopy(Side::Left)->person->nameValue().value(FieldId::FirstName).toString(),
              qs("Ann"));
    // Nothing more to undo: the count does not go below zero.
    session->undo();
    EXPECT_EQ(session->changeCount(), 0);
    session->setEditMode(false);
    EXPECT_FALSE(session->editMode());
}

TEST_F(MergeSessionTest, AddingAndDeletingItems)
{
    open({ left, right });
    const int email = rowsOf(*session, Side::Right, FieldId::Email).first();
    ASSERT_TRUE(session->addItem(Side::Right, email));
    EXPECT_EQ(values(session->workingCopy(Side::Right), FieldId::Email), QStringList { qs("new") });
    const int phone = rowsOf(*session, Side::Left, FieldId::Phone).first();
    ASSERT_TRUE(session->addItem(Side::Left, phone));
    EXPECT_EQ(values(session->workingCopy(Side::Left), FieldId::Phone).last(), qs("123"));
    ASSERT_TRUE(session->deleteItem(Side::Left, phone));
    EXPECT_EQ(values(session->workingCopy(Side::Left), FieldId::Phone),
              (QStringList { qs("222"), qs("333"), qs("123") }));
    const int note = rowsOf(*session, Side::Left, FieldId::Note).first();
    ASSERT_TRUE(session->addItem(Side::Left, note));
    EXPECT_EQ(session->row(Side::Left, note).value, qs("new"));
    EXPECT_FALSE(session->addItem(Side::Left, note));
    ASSERT_TRUE(session->deleteItem(Side::Left, note));
    EXPECT_EQ(session->row(Side::Left, note).value, QString());
    EXPECT_EQ(session->changeCount(), 5);
}

// An address, an account or a date is more than its text: typing over it would lose its parts.
TEST_F(MergeSessionTest, StructuredItemsChangeThroughTheirEditorsOnly)
{
    const QVariantMap address { { Key::Label, LabelWord::Home },
                                { FieldId::Street, qs("1 Main St") },
                                { FieldId::City, qs("Springfield") } };
    left->person->addLabeledValue(address, FieldId::Address);
    open({ left, right });
    const int row = rowsOf(*session, Side::Left, FieldId::Address).first();
    const QVariantMap before
        = session->workingCopy(Side::Left)->person->labeledValueForIdentifierAtIndex(FieldId::Address, 0);
    EXPECT_FALSE(session->isTextEditable(Side::Left, row));
    EXPECT_FALSE(session->editText(Side::Left, row, qs("somewhere else")));
    EXPECT_EQ(session->workingCopy(Side::Left)->person->labeledValueForIdentifierAtIndex(FieldId::Address, 0),
              before);
    EXPECT_EQ(session->editorType(Side::Left, row), FieldId::Address);

    // The editor's result replaces the item it names, or is added when it names none.
    QVariantMap edited = before;
    edited.insert(FieldId::City, qs("Shelbyville"));
    ASSERT_TRUE(session->applyEditorResult(Side::Left, FieldId::Address, edited));
    EXPECT_FALSE(session->applyEditorResult(
        Side::Left, FieldId::Address,
        session->workingCopy(Side::Left)->person->labeledValueForIdentifierAtIndex(FieldId::Address, 0)));
    QVariantMap added = address;
    added.insert(Key::LabelIndex, -1);
    ASSERT_TRUE(session->applyEditorResult(Side::Right, FieldId::Address, added));
    const QVariantList rightAddresses
        = session->workingCopy(Side::Right)->person->valueForIdentifier(FieldId::Address).toList();
    ASSERT_EQ(rightAddresses.size(), 1);
    EXPECT_EQ(rightAddresses.at(0).toMap().value(FieldId::City).toString(), qs("Springfield"));
    EXPECT_EQ(session->workingCopy(Side::Left)
                  ->person->labeledValueForIdentifierAtIndex(FieldId::Address, 0)
                  .value(FieldId::City)
                  .toString(),
              qs("Shelbyville"));

    // The date editor gives no value when the birthday is removed.
    ASSERT_TRUE(session->applyEditorResult(
        Side::Right, FieldId::Birthday,
        QVariantMap { { Key::Value, QVariant::fromValue(DateComponents { 1990, 5, 6 }) } }));
    ASSERT_TRUE(session->applyEditorResult(Side::Right, FieldId::Birthday, QVariant()));
    EXPECT_TRUE(session->workingCopy(Side::Right)->person->birthdayValue().isEmpty());
    EXPECT_FALSE(session->applyEditorResult(Side::Right, FieldId::Birthday, QVariant()));
    EXPECT_EQ(session->changeCount(), 4);
}

TEST_F(MergeSessionTest, APhotoMovesReducedAndDeletesUndoably)
{
    QImage big(2048, 1024, QImage::Format_RGB32);
    big.fill(Qt::red);
    left->person->setPhoto(big);
    open({ left, right });
    const int photo = rowsOf(*session, Side::Left, FieldId::Photo).first();
    EXPECT_FALSE(session->canDrag(Side::Right, photo));
    ASSERT_TRUE(session->drop(Side::Left, photo, Side::Right, photo, true, false));
    EXPECT_EQ(session->workingCopy(Side::Right)->person->photo().size(), QSize(512, 256));
    EXPECT_TRUE(session->workingCopy(Side::Left)->person->imageData().isEmpty());
    session->undo();
    EXPECT_EQ(session->workingCopy(Side::Left)->person->photo().size(), QSize(2048, 1024));
    EXPECT_TRUE(session->workingCopy(Side::Right)->person->imageData().isEmpty());

    QImage small(400, 300, QImage::Format_RGB32);
    small.fill(Qt::blue);
    ASSERT_TRUE(session->setPhoto(Side::Right, small));
    EXPECT_EQ(session->workingCopy(Side::Right)->person->photo().size(), QSize(400, 300));
    ASSERT_TRUE(session->deleteItem(Side::Right, photo));
    EXPECT_TRUE(session->workingCopy(Side::Right)->person->imageData().isEmpty());
    EXPECT_EQ(session->changeCount(), 2);
}

TEST_F(MergeSessionTest, OnlyTheFirstTwoContactsTakePart)
{
    const ContactEntry third = contact(qs("Bob"), qs("Stone"), { qs("777") });
    open({ left, right, third });
    const QList<int> phones = rowsOf(*session, Side::Left, FieldId::Phone);
    ASSERT_TRUE(session->drop(Side::Right, phones[0], Side::Left, phones[0], false, false));
    ASSERT_EQ(session->newContacts().size(), 2);
    EXPECT_EQ(values(third, FieldId::Phone), QStringList { qs("777") });

    MergeSession single({ left }, {});
    single.setEditMode(true);
    EXPECT_FALSE(single.isValid());
    EXPECT_EQ(single.rowCount(), 0);
    EXPECT_FALSE(single.editText(Side::Left, 0, qs("x")));
}

// The opener applies the result as one step of the document's undo stack.
TEST_F(MergeSessionTest, TheResultAppliesAsOneUndoableStep)
{
    const QByteArray leftBefore = left->person->vCardData();
    const QByteArray rightBefore = right->person->vCardData();
    open({ left, right });
    const QList<int> phones = rowsOf(*session, Side::Left, FieldId::Phone);
    ASSERT_TRUE(session->drop(Side::Left, phones[0], Side::Right, phones[1], true, false));
    ASSERT_TRUE(
        session->editText(Side::Right, nameRow(*session, Side::Right, FieldId::FirstName), qs("Ann")));

    UndoManager undo;
    ContactEditor editor(&undo);
    undo.beginUndoGrouping();
    editor.undoReplacePersonByContacts(session->newContacts(), session->contacts());
    undo.endUndoGrouping();
    EXPECT_EQ(values(left, FieldId::Phone), (QStringList { qs("222"), qs("333") }));
    EXPECT_EQ(values(right, FieldId::Phone), (QStringList { qs("999"), qs("111") }));
    EXPECT_EQ(right->person->nameValue().value(FieldId::FirstName).toString(), qs("Ann"));
    EXPECT_EQ(undo.undoCount(), 1);

    undo.undo();
    EXPECT_EQ(left->person->vCardData(), leftBefore);
    EXPECT_EQ(right->person->vCardData(), rightBefore);
}

// A custom item moved in the panel reaches the document on Done, and undo leaves no trace of it.
TEST_F(MergeSessionTest, CustomItemsTravelWithTheResult)
{
    const QString locker = qs("Locker");
    left->person->addCustomItem(ValueType::Labeled, locker, { LabelWord::Home });
    left->person->addLabeledValue(item(LabelWord::Home, qs("L-12")), locker);
    left->person->setChanged(false);
    const QVariantList leftDefinitions = left->person->customItems();
    const QVariant leftValue = left->person->valueForIdentifier(locker);
    open({ left, right }, leftDefinitions);
    const QList<int> rows = rowsOf(*session, Side::Right, locker);
    ASSERT_EQ(rows.size(), 1);
    EXPECT_TRUE(session->row(Side::Right, rows[0]).isFiller());
    ASSERT_TRUE(session->drop(Side::Left, rows[0], Side::Right, rows[0], true, false));

    UndoManager undo;
    ContactEditor editor(&undo);
    editor.setCustomItems(leftDefinitions);
    undo.beginUndoGrouping();
    editor.undoReplacePersonByContacts(session->newContacts(), session->contacts());
    undo.endUndoGrouping();
    EXPECT_EQ(values(right, locker), QStringList { qs("L-12") });
    EXPECT_TRUE(values(left, locker).isEmpty());

    undo.undo();
    EXPECT_TRUE(right->person->customItems().isEmpty());
    EXPECT_EQ(right->person->storedItem(locker), nullptr);
    EXPECT_EQ(left->person->customItems(), leftDefinitions);
    EXPECT_EQ(left->person->valueForIdentifier(locker), leftValue);
}
