#include "detail/popovercontext.h"

#include "detail/keys.h"
#include "record/keys.h"

#include <QSet>

namespace PopoverContext {

namespace {

bool sameRow(const SubContactRow &a, const SubContactRow &b)
{
    return a.person == b.person && a.labelIndex == b.labelIndex;
}

// The result for another row: the item at that row's position takes it, else it is added.
QVariantMap itemForRow(const QVariantMap &result, const QString &type, const SubContactRow &row)
{
    QVariantMap item = result;
    const QVariantMap existing = row.person->labeledValueForIdentifierAtIndex(type, row.labelIndex);
    item.insert(Key::LabelIndex, existing.isEmpty() ? -1 : existing.value(Key::LabelIndex).toInt());
    return item;
}

} // namespace

QVariantMap make(const SubContactRow &row, const QString &type, int labelIndex, bool editEnabled)
{
    return {
        { PopoverKey::Contact, QVariant::fromValue(row) },
        { PopoverKey::Type, type },
        { PopoverKey::LabelIndex, labelIndex },
        { PopoverKey::EditEnabled, editEnabled },
    };
}

SubContactRow contact(const QVariantMap &context)
{
    return context.value(PopoverKey::Contact).value<SubContactRow>();
}

bool apply(ContactEditor &editor, const QVariantMap &context, const SubContactRows &rows,
           ContactEditor::Sender sender)
{
    if (!context.value(PopoverKey::Dirty).toBool())
        return false;
    const QString type = context.value(PopoverKey::Type).toString();
    const QVariant value = context.value(PopoverKey::Value);
    const SubContactRow source = contact(context);
    const bool perContact
        = type == FieldId::Name || type == FieldId::PhoneticName || type == FieldId::Birthday;

    bool changed = false;
    QSet<const QVPerson *> done;
    ContactEditor::EditBatch batch(editor);
    for (const SubContactRow &row : rows) {
        if (!row.person)
            continue;
        const ContactEntry entry = ContactEditor::entryForRow(row);
        if (perContact) {
            // A contact shows one row per item; its name is set once.
            if (done.contains(row.person.get()))
                continue;
            done.insert(row.person.get());
            if (type == FieldId::Name)
                changed |= editor.undoReplaceNameValue(value.toMap(), entry);
            else if (type == FieldId::PhoneticName)
                changed |= editor.undoReplacePhoneticNameValue(value.toMap(), entry);
            else
                changed |= editor.undoReplaceBirthday(value, entry);
            continue;
        }
        if (value.typeId() != QMetaType::QVariantMap) {
            changed |= editor.undoReplaceLabeledValue(value, type, entry, sender);
            continue;
        }
        const QVariantMap item = sameRow(row, source) ? value.toMap() : itemForRow(value.toMap(), type, row);
        if (item.value(Key::LabelIndex).toInt() < 0)
            changed |= editor.undoAddLabeledValue(item, type, entry, sender);
        else
            changed |= editor.undoReplaceLabeledValue(item, type, entry, sender);
    }
    return changed;
}

} // namespace PopoverContext
