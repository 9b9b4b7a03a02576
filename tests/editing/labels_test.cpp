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

TEST_F(Relabel, UndoTakesBackTheLabelListsAndKeepsLabelsMetSince)
{
    // The lists are program-wide: a label of another test must not be in the way.
    QVPerson::setLabel(QString(), qs("home2"), FieldId::Phone);
    const QVPerson::LabelTables before = QVPerson::labelTablesForIdentifier(FieldId::Phone);
    ASSERT_TRUE(editor.setLabel(qs("home2"), qs("cell2"), FieldId::Phone));
    const QVPerson::LabelTables after = QVPerson::labelTablesForIdentifier(FieldId::Phone);
    EXPECT_EQ(after.labels.indexOf(qs("cell2")), before.labels.indexOf(qs("home2")));
    EXPECT_FALSE(after.custom.contains(qs("home2")));
    endEvent();
    // Another file read meanwhile brings a label of its own.
    QVPerson::setLabel(QString(), qs("pager2"), FieldId::Phone);

    editor.undo();
    QVPerson::LabelTables undone = QVPerson::labelTablesForIdentifier(FieldId::Phone);
    EXPECT_EQ(labels(bob, FieldId::Phone), QStringList { qs("home2") });
    EXPECT_TRUE(undone.labels.contains(qs("pager2")));
    EXPECT_TRUE(undone.custom.contains(qs("pager2")));
    undone.labels.removeOne(qs("pager2"));
    undone.localized.removeOne(qs("pager2"));
    undone.custom.removeOne(qs("pager2"));
    EXPECT_EQ(undone.labels, before.labels);
    EXPECT_EQ(undone.localized, before.localized);
    EXPECT_EQ(undone.custom, before.custom);

    editor.redo();
    const QVPerson::LabelTables redone = QVPerson::labelTablesForIdentifier(FieldId::Phone);
    EXPECT_TRUE(redone.labels.contains(qs("cell2")));
    EXPECT_FALSE(redone.labels.contains(qs("home2")));
    EXPECT_TRUE(redone.custom.contains(qs("pager2")));
    EXPECT_EQ(labels(bob, FieldId::Phone), QStringList { qs("cell2") });
}

TEST_F(Relabel, DeletedLabelLeavesNoEmptyEntryAndComesBackWithUndo)
{
    QVPerson::setLabel(QString(), qs("cousin"), FieldId::Relationship);
    const QVPerson::LabelTables before = QVPerson::labelTablesForIdentifier(FieldId::Relationship);
    ASSERT_TRUE(editor.setLabel(qs("cousin"), QString(), FieldId::Relationship));
    const QVPerson::LabelTables deleted = QVPerson::labelTablesForIdentifier(FieldId::Relationship);
    for (const QStringList &list : { deleted.labels, deleted.localized, deleted.custom }) {
        EXPECT_FALSE(list.contains(QString())) << list.join(u',').toStdString();
        EXPECT_FALSE(list.contains(qs("cousin")));
    }
    EXPECT_EQ(deleted.labels.size(), deleted.localized.size());
    endEvent();
    editor.undo();
    const QVPerson::LabelTables undone = QVPerson::labelTablesForIdentifier(FieldId::Relationship);
    EXPECT_EQ(undone.labels, before.labels);
    EXPECT_EQ(undone.custom, before.custom);
    EXPECT_EQ(labels(bob, FieldId::Relationship), QStringList { qs("cousin") });
}
