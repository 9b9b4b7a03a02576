#include "../editing/editorfixture.h"
#include "phone/phonenumbercommand.h"

namespace {

class PhoneCommand : public EditorTest
{
protected:
    PhoneCommand()
    {
        anna = addContact(makePerson(qs("Anna"), { qs("0312345678"), qs("(090) 1234-5678") }));
        bert = addContact(makePerson(qs("Bert"), { qs("+819012345678") }));
        cara = addContact(makePerson(qs("Cara")));
        start();
    }

    static SubContactRow row(const ContactEntry &contact, int position)
    {
        SubContactRow r = SubContactRow::fromEntry(contact);
        r.labelIndex = position;
        return r;
    }

    static QStringList phones(const ContactEntry &contact)
    {
        QStringList values;
        for (const QVariant &item : contact->person->phoneValues())
            values.append(item.toMap().value(Key::Value).toString());
        return values;
    }

    PhoneNumberCommand::Outcome normalize(const SubContactRows &rows, PhoneLayout layout)
    {
        const auto outcome = PhoneNumberCommand::normalize(editor, rows, layout, nullptr);
        endEvent();
        return outcome;
    }

    ContactEntry anna, bert, cara;
};

TEST_F(PhoneCommand, EveryRowOfTheSelectionIsOneUndoStepAndUndoRestoresEveryItem)
{
    const QVariantList annaBefore = anna->person->phoneValues();
    const QVariantList bertBefore = bert->person->phoneValues();

    const auto outcome
        = normalize({ row(anna, 0), row(anna, 1), row(bert, 0), row(cara, 0) }, PhoneLayout::HyphenThreeFour);

    EXPECT_EQ(outcome.changed, 3);
    EXPECT_EQ(phones(anna), QStringList({ qs("03-1234-5678"), qs("090-1234-5678") }));
    EXPECT_EQ(phones(bert), QStringList({ qs("+81 90-1234-5678") }));
    EXPECT_TRUE(phones(cara).isEmpty());
    // Labels and positions stay with the items.
    EXPECT_EQ(anna->person->phoneValues().at(1).toMap().value(Key::LabelIndex).toInt(), 1);
    EXPECT_EQ(anna->person->phoneValues().at(1).toMap().value(Key::Label),
              annaBefore.at(1).toMap().value(Key::Label));
    EXPECT_EQ(undo.undoCount(), 1);
    EXPECT_EQ(seen.edited, std::optional<bool>(true));
    EXPECT_GE(seen.tableUpdates, 1);

    editor.undo();
    EXPECT_EQ(anna->person->phoneValues(), annaBefore);
    EXPECT_EQ(bert->person->phoneValues(), bertBefore);
    editor.redo();
    EXPECT_EQ(phones(bert), QStringList({ qs("+81 90-1234-5678") }));
}

TEST_F(PhoneCommand, ANumberAlreadyInTheLayoutChangesNothing)
{
    const auto outcome = normalize({ row(anna, 1) }, PhoneLayout::FourPlusFour);
    EXPECT_EQ(outcome.changed, 0);
    EXPECT_FALSE(undo.canUndo());
    EXPECT_FALSE(seen.edited.has_value());
    EXPECT_FALSE(anna->person->changed());
}

TEST_F(PhoneCommand, NumbersWhoseCleaningWouldDropTextAreKept)
{
    QVariantList items = anna->person->phoneValues();
    QVariantMap second = items.at(1).toMap();
    second.insert(Key::Value, qs("03-1234-5678 / 090-1111-2222"));
    items[1] = second;
    anna->person->setValue(items, FieldId::Phone);
    bert->person->setValue(QVariantList { labeled(LabelWord::Home, qs("03.1234.5678"), 0) }, FieldId::Phone);

    const auto outcome = normalize({ row(anna, 0), row(anna, 1), row(bert, 0) }, PhoneLayout::FourPlusFour);

    EXPECT_EQ(outcome.changed, 1);
    EXPECT_EQ(outcome.kept, 2);
    EXPECT_EQ(phones(anna), QStringList({ qs("(03) 1234-5678"), qs("03-1234-5678 / 090-1111-2222") }));
    EXPECT_EQ(phones(bert), QStringList({ qs("03.1234.5678") }));
}

} // namespace
