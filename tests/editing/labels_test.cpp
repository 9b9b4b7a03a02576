#include "editing/keys.h"
#include "editorfixture.h"

namespace {

QVariantMap item(const QString &label, const QString &value)
{
    return { { Key::Label, label }, { Key::Value, value } };
}

class Relabel : public EditorTest
{
protected:
    Relabel()
    {
        ada = makePerson(qs("Ada"));
        ada->setValue(QVariantList { item(qs("home2"), qs("111")), item(LabelWord::Work, qs("222")),
                                     item(qs("home2"), qs("333")) },
                      FieldId::Phone);
        ada->setChanged(false);
        bob = makePerson(qs("Bob"));
        bob->setValue(QVariantList { item(qs("cousin"), qs("Carl")) }, FieldId::Relationship);
        bob->setValue(QVariantList { item(qs("home2"), qs("444")) }, FieldId::Phone);
        bob->setChanged(true);
        cy = makePerson(qs("Cy"), { qs("555") });
        const GroupEntry friends = addGroup(qs("Friends"));
        addContact(ada, { friends });
        addContact(bob);
        addContact(cy);
        start();
    }

    QStringList labels(const PersonPtr &person, const QString &identifier) const
    {
        QStringList out;
        for (const QVariant &v : person->labeledValueForIdentifier(identifier))
            out.append(v.toMap().value(Key::Label).toString());
        return out;
    }

    PersonPtr ada, bob, cy;
};

} // namespace

TEST_F(Relabel, RenameReachesEveryContactOnceAndUndoRestoresItemsAndMarks)
{
    const QVariantList adaBefore = ada->phoneValues();
    const QVariantList bobBefore = bob->phoneValues();
    // Ada is listed in two groups but relabelled once, from "All Contacts".
    EXPECT_EQ(editor.relabelItems(qs("home2"), qs("cell2"), FieldId::Phone), 2);
    EXPECT_EQ(labels(ada, FieldId::Phone), QStringList({ qs("cell2"), LabelWord::Work, qs("cell2") }));
    EXPECT_EQ(labels(bob, FieldId::Phone), QStringList { qs("cell2") });
    EXPECT_EQ(labels(cy, FieldId::Phone), QStringList { LabelWord::Home });
    EXPECT_TRUE(ada->changed());
    EXPECT_FALSE(cy->changed());
    EXPECT_EQ(seen.edited, std::optional<bool>(true));
    endEvent();

    editor.undo();
    EXPECT_EQ(ada->phoneValues(), adaBefore);
    EXPECT_EQ(bob->phoneValues(), bobBefore);
    EXPECT_FALSE(ada->changed()) << "an untouched contact is written as it was read";
    EXPECT_TRUE(bob->changed());
    editor.redo();
    EXPECT_EQ(labels(ada, FieldId::Phone), QStringList({ qs("cell2"), LabelWord::Work, qs("cell2") }));
}

TEST_F(Relabel, DeletionsTakeTheFieldsFallbackLabel)
{
    EXPECT_EQ(editor.relabelItems(qs("cousin"), QString(), FieldId::Relationship), 1);
    EXPECT_EQ(labels(bob, FieldId::Relationship), QStringList { EditWord::DeletedRelationLabel });
    // A phone may go without a label: the record shows it as having none.
    EXPECT_EQ(editor.relabelItems(qs("home2"), QString(), FieldId::Phone), 2);
    EXPECT_EQ(labels(bob, FieldId::Phone), QStringList { LabelWord::NoLabel });
    EXPECT_EQ(ContactEditor::labelReplacingDeleted(FieldId::SocialNetwork), EditWord::DeletedSocialLabel);
    EXPECT_EQ(ContactEditor::labelReplacingDeleted(FieldId::Dates), EditWord::DeletedDateLabel);
}

TEST_F(Relabel, NothingToRelabelLeavesNoUndoStep)
{
    EXPECT_EQ(editor.relabelItems(qs("nowhere"), qs("x"), FieldId::Phone), 0);
    EXPECT_EQ(editor.relabelItems(qs("home2"), qs("home2"), FieldId::Phone), 0);
    endEvent();
    EXPECT_FALSE(undo.canUndo());
    EXPECT_FALSE(ada->changed());
}
