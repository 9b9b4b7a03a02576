// Applying a popover editor's result to the rows being edited.
#include "../editing/editorfixture.h"
#include "detail/keys.h"
#include "detail/popovercontext.h"

namespace {

SubContactRow rowOf(const PersonPtr &person, int position)
{
    SubContactRow row;
    row.person = person;
    row.uniqueId = person->uniqueId();
    row.labelIndex = position;
    return row;
}

QVariantMap address(const QString &street, const QString &city)
{
    return { { Key::Label, LabelWord::Home }, { FieldId::Street, street }, { FieldId::City, city } };
}

QVariantMap doneContext(const SubContactRow &row, const QString &type, int labelIndex, const QVariant &value)
{
    QVariantMap context = PopoverContext::make(row, type, labelIndex, true);
    context.insert(PopoverKey::Value, value);
    context.insert(PopoverKey::Dirty, true);
    return context;
}

QStringList cities(const PersonPtr &person)
{
    QStringList list;
    for (const QVariant &v : person->labeledValueForIdentifier(FieldId::Address))
        list.append(QString::number(v.toMap().value(Key::LabelIndex).toInt()) + u':'
                    + v.toMap().value(FieldId::City).toString());
    return list;
}

} // namespace

class PopoverResult : public EditorTest
{
};

TEST_F(PopoverResult, WithoutDirtyNothingChangesAndNoStepIsMade)
{
    const PersonPtr anna = makePerson(qs("Anna"), { qs("1") });
    addContact(anna);
    start();
    QVariantMap context = doneContext(rowOf(anna, 0), FieldId::Name, 0,
                                      QVariantMap { { FieldId::FirstName, qs("Changed") } });
    context.insert(PopoverKey::Dirty, false);

    EXPECT_FALSE(PopoverContext::apply(editor, context, { rowOf(anna, 0) }, nullptr));
    endEvent();
    EXPECT_EQ(anna->compositeName(), qs("Anna"));
    EXPECT_FALSE(undo.canUndo());
    EXPECT_FALSE(seen.edited.has_value());
}

// The source row keeps the item it was opened on; other rows take the result at their own
// position, or as a new item; one undo step covers them all.
TEST_F(PopoverResult, AddressResultReachesEveryRowInOneStep)
{
    const PersonPtr anna = makePerson(qs("Anna"));
    anna->addLabeledValue(address(qs("1 Main St"), qs("Springfield")), FieldId::Address);
    const PersonPtr bert = makePerson(qs("Bert"));
    // Bert's only address is number 1: number 0 was deleted.
    bert->addLabeledValue(address(qs("gone"), qs("Gone")), FieldId::Address);
    bert->addLabeledValue(address(qs("2 Elm St"), qs("Ogdenville")), FieldId::Address);
    bert->deleteLabeledValueForIdentifier(FieldId::Address, 0);
    const PersonPtr cleo = makePerson(qs("Cleo"));
    for (const PersonPtr &p : { anna, bert, cleo }) {
        p->setChanged(false);
        addContact(p);
    }
    start();

    QVariantMap result = anna->labeledValueForIdentifierAtIndex(FieldId::Address, 0);
    result.insert(FieldId::City, qs("Shelbyville"));
    const QVariantMap context = doneContext(rowOf(anna, 0), FieldId::Address, 0, result);
    EXPECT_TRUE(
        PopoverContext::apply(editor, context, { rowOf(anna, 0), rowOf(bert, 0), rowOf(cleo, 0) }, nullptr));
    endEvent();

    EXPECT_EQ(cities(anna), QStringList { qs("0:Shelbyville") });
    EXPECT_EQ(cities(bert), QStringList { qs("1:Shelbyville") });
    EXPECT_EQ(cities(cleo), QStringList { qs("0:Shelbyville") });
    EXPECT_EQ(seen.edited, std::optional<bool>(true));

    editor.undo();
    EXPECT_EQ(cities(anna), QStringList { qs("0:Springfield") });
    EXPECT_EQ(cities(bert), QStringList { qs("1:Ogdenville") });
    EXPECT_TRUE(cities(cleo).isEmpty());
    EXPECT_FALSE(undo.canUndo());
}

TEST_F(PopoverResult, NewItemIsAddedAndUndoneAsOne)
{
    const PersonPtr anna = makePerson(qs("Anna"));
    addContact(anna);
    start();
    QVariantMap date { { Key::Label, LabelWord::Anniversary },
                       { Key::Value, QVariant::fromValue(DateComponents { 2001, 5, 17 }) },
                       { Key::LabelIndex, -1 } };
    EXPECT_TRUE(PopoverContext::apply(editor, doneContext(rowOf(anna, 0), FieldId::Dates, -1, date),
                                      { rowOf(anna, 0) }, nullptr));
    endEvent();
    ASSERT_EQ(anna->labeledValueForIdentifier(FieldId::Dates).size(), 1);
    EXPECT_EQ(anna->labeledValueForIdentifierAtIndex(FieldId::Dates, 0).value(Key::LabelIndex).toInt(), 0);
    editor.undo();
    EXPECT_TRUE(anna->labeledValueForIdentifier(FieldId::Dates).isEmpty());
}

// Two rows of one contact (its two phones) set the birthday once; nil removes it.
TEST_F(PopoverResult, BirthdayIsSetOncePerContactAndNilRemovesIt)
{
    const PersonPtr anna = makePerson(qs("Anna"), { qs("1"), qs("2") });
    addContact(anna);
    start();
    const QVariantMap birthday {
        { Key::Value, QVariant::fromValue(DateComponents { DateComponents::Undefined, 2, 29 }) }
    };
    const SubContactRows rows { rowOf(anna, 0), rowOf(anna, 1) };
    EXPECT_TRUE(PopoverContext::apply(editor, doneContext(rows.first(), FieldId::Birthday, 0, birthday), rows,
                                      nullptr));
    endEvent();
    const DateComponents stored = anna->birthdayValue().value(Key::Value).value<DateComponents>();
    EXPECT_FALSE(stored.hasYear());
    EXPECT_EQ(stored.month, 2);
    EXPECT_EQ(stored.day, 29);
    EXPECT_EQ(undo.undoCount(), 1);

    EXPECT_TRUE(PopoverContext::apply(editor, doneContext(rows.first(), FieldId::Birthday, 0, QVariant()),
                                      rows, nullptr));
    endEvent();
    EXPECT_FALSE(anna->birthdayValue().contains(Key::Value));
    editor.undo();
    EXPECT_EQ(anna->birthdayValue().value(Key::Value).value<DateComponents>(), stored);
}
