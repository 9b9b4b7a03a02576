// ContactEditor: renaming and deleting a field's label in every contact of the document.
#include "editing/contacteditor.h"
#include "editing/keys.h"
#include "record/keys.h"
#include "record/qvperson.h"

#include <QSet>

namespace {

// The lists as `target` has them, keeping labels met since `replaced` was current (another file
// read in the meantime registers its labels with the same lists).
QVPerson::LabelTables mergedLists(const QVPerson::LabelTables &current, const QVPerson::LabelTables &target,
                                  const QVPerson::LabelTables &replaced)
{
    QVPerson::LabelTables merged = target;
    for (qsizetype i = 0; i < current.labels.size(); ++i) {
        const QString &label = current.labels.at(i);
        if (replaced.labels.contains(label) || target.labels.contains(label))
            continue;
        merged.labels.append(label);
        merged.localized.append(current.localized.value(i, label));
    }
    for (const QString &label : current.custom) {
        if (!replaced.custom.contains(label) && !target.custom.contains(label))
            merged.custom.append(label);
    }
    return merged;
}

// A deletion leaves an empty label where the deleted one stood; it has no place in a pop-up.
QVPerson::LabelTables withoutEmptyLabel(QVPerson::LabelTables lists)
{
    const qsizetype at = lists.labels.indexOf(QString());
    if (at >= 0) {
        lists.labels.removeAt(at);
        if (at < lists.localized.size())
            lists.localized.removeAt(at);
    }
    lists.custom.removeOne(QString());
    return lists;
}

} // namespace

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

bool ContactEditor::setLabel(const QString &oldLabel, const QString &newLabel, const QString &identifier)
{
    if (m_readOnly)
        return false;
    const QVPerson::LabelTables before = QVPerson::labelTablesForIdentifier(identifier);
    if (!QVPerson::setLabel(oldLabel, newLabel, identifier))
        return false;
    if (oldLabel.isEmpty() || oldLabel == newLabel)
        return true;
    if (newLabel.isEmpty())
        QVPerson::setLabelTablesForIdentifier(
            identifier, withoutEmptyLabel(QVPerson::labelTablesForIdentifier(identifier)));
    relabel(oldLabel, newLabel, identifier,
            LabelListsChange { before, QVPerson::labelTablesForIdentifier(identifier) });
    return true;
}

qsizetype ContactEditor::relabelItems(const QString &oldLabel, const QString &newLabel,
                                      const QString &identifier)
{
    return relabel(oldLabel, newLabel, identifier, std::nullopt);
}

qsizetype ContactEditor::relabel(const QString &oldLabel, const QString &newLabel, const QString &identifier,
                                 const std::optional<LabelListsChange> &lists)
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
    // A label no contact carries still changed the label lists: that too is undone.
    if (before.isEmpty() && !lists)
        return 0;
    registerInverse([identifier, before, lists](ContactEditor &editor) {
        editor.restoreLabeledItems(identifier, before, lists);
    });
    if (!before.isEmpty())
        markDocumentEdited();
    m_pending.updateTable = true;
    m_pending.reloadDetail = true;
    flushRefresh();
    return before.size();
}

void ContactEditor::restoreLabeledItems(const QString &identifier, const QList<LabeledItems> &states,
                                        const std::optional<LabelListsChange> &lists)
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
    std::optional<LabelListsChange> redo;
    if (lists) {
        QVPerson::setLabelTablesForIdentifier(
            identifier,
            mergedLists(QVPerson::labelTablesForIdentifier(identifier), lists->before, lists->after));
        redo = LabelListsChange { lists->after, lists->before };
    }
    registerInverse([identifier, current, redo](ContactEditor &editor) {
        editor.restoreLabeledItems(identifier, current, redo);
    });
    if (!states.isEmpty())
        markDocumentEdited();
    m_pending.updateTable = true;
    m_pending.reloadDetail = true;
    flushRefresh();
}
