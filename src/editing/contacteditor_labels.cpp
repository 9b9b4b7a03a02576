// ContactEditor: renaming and deleting a field's label in every contact of the document.
#include "editing/contacteditor.h"
#include "editing/keys.h"
#include "record/keys.h"
#include "record/qvperson.h"

#include <QSet>

QString ContactEditor::labelReplacingDeleted(const QString &identifier)
{
    // These fields always need a label; the others may go without.
    static const QHash<QString, QString> fallbacks = {
        { FieldId::SocialNetwork, EditWord::DeletedSocialLabel },
        { FieldId::Relationship, EditWord::DeletedRelationLabel },
        { FieldId::Dates, EditWord::DeletedDateLabel },
    };
    return fallbacks.value(identifier);
}

qsizetype ContactEditor::relabelItems(const QString &oldLabel, const QString &newLabel,
                                      const QString &identifier)
{
    if (m_readOnly)
        return 0;
    if (oldLabel.isEmpty() || oldLabel == newLabel)
        return 0;
    const QString replacement = newLabel.isEmpty() ? labelReplacingDeleted(identifier) : newLabel;
    QList<LabeledItems> before;
    QSet<const QVPerson *> seen;
    for (const ContainerEntry &container : std::as_const(m_containerTable)) {
        if (!container || container->groups.isEmpty() || !container->groups.first()->contactTable)
            continue;
        for (const ContactEntry &entry : std::as_const(*container->groups.first()->contactTable)) {
            if (!entry || !entry->person || seen.contains(entry->person.get()))
                continue;
            seen.insert(entry->person.get());
            QVPerson &person = *entry->person;
            if (person.typeForIdentifier(identifier) != ValueType::Labeled)
                continue;
            QVariantList items = person.labeledValueForIdentifier(identifier);
            const QVariantList old = items;
            bool changed = false;
            for (QVariant &v : items) {
                QVariantMap item = v.toMap();
                if (item.value(Key::Label).toString() != oldLabel)
                    continue;
                item.insert(Key::Label, replacement);
                v = item;
                changed = true;
            }
            if (!changed)
                continue;
            before.append(LabeledItems { entry->person, old, person.changed() });
            person.setValue(items, identifier);
        }
    }
    if (before.isEmpty())
        return 0;
    registerInverse(
        [identifier, before](ContactEditor &editor) { editor.restoreLabeledItems(identifier, before); });
    markDocumentEdited();
    m_pending.updateTable = true;
    m_pending.reloadDetail = true;
    flushRefresh();
    return before.size();
}

void ContactEditor::restoreLabeledItems(const QString &identifier, const QList<LabeledItems> &states)
{
    QList<LabeledItems> current;
    current.reserve(states.size());
    for (const LabeledItems &state : states) {
        QVPerson &person = *state.person;
        current.append(
            LabeledItems { state.person, person.labeledValueForIdentifier(identifier), person.changed() });
        person.setValue(state.items, identifier);
        person.setChanged(state.changed);
    }
    registerInverse(
        [identifier, current](ContactEditor &editor) { editor.restoreLabeledItems(identifier, current); });
    markDocumentEdited();
    m_pending.updateTable = true;
    m_pending.reloadDetail = true;
    flushRefresh();
}
