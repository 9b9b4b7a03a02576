// ItemCommands: the context menu's item commands, walked over the rows in one undo step.
#include "table/itemcommands.h"

#include "record/keys.h"
#include "record/qvperson.h"
#include "table/keys.h"

#include <QHash>
#include <QSet>

ItemCommands::ItemCommands(ContactEditor &editor, ContactEditor::Sender sender, const QString &identifier,
                           const QString &fieldType)
    : m_editor(editor)
    , m_sender(sender)
    , m_identifier(identifier)
    , m_fieldType(fieldType)
{ }

QString ItemCommands::field() const
{
    return QVPerson::isAddressIdentifier(m_identifier) ? FieldId::Address : m_identifier;
}

bool ItemCommands::isLabeled() const
{
    return QVPerson::isAddressIdentifier(m_identifier) || QVPerson::isLabeledIdentifier(m_identifier)
        || m_fieldType == ValueType::Labeled;
}

QString ItemCommands::currentText(const SubContactRow &row) const
{
    if (QVPerson::isAddressIdentifier(m_identifier))
        return row.person->labeledValueForIdentifierAtIndex(FieldId::Address, row.labelIndex)
            .value(m_identifier)
            .toString();
    if (isLabeled())
        return row.person->labeledValueForIdentifierAtIndex(m_identifier, row.labelIndex)
            .value(Key::Value)
            .toString();
    return row.person->stringValueForIdentifier(m_identifier);
}

QString ItemCommands::currentLabel(const SubContactRow &row) const
{
    if (!isLabeled())
        return {};
    return row.person->labeledValueForIdentifierAtIndex(field(), row.labelIndex).value(Key::Label).toString();
}

bool ItemCommands::deleteItems(const SubContactRows &rows)
{
    // Walked from the last row to the first; items are found by their own labelIndex, which a
    // deletion leaves unchanged for the others. A contact's dictionary or text goes once.
    struct Target
    {
        const SubContactRow *row;
        qsizetype labelIndex;
    };
    QList<Target> targets;
    QSet<QString> seen;
    for (auto it = rows.crbegin(); it != rows.crend(); ++it) {
        const SubContactRow &row = *it;
        if (!row.person)
            continue;
        if (isLabeled()) {
            const QVariantMap item = row.person->labeledValueForIdentifierAtIndex(field(), row.labelIndex);
            if (item.isEmpty())
                continue;
            const QString key = row.uniqueId + u'#' + item.value(Key::LabelIndex).toString();
            if (seen.contains(key))
                continue;
            seen.insert(key);
            targets.append({ &row, item.value(Key::LabelIndex).toLongLong() });
        } else {
            if (seen.contains(row.uniqueId))
                continue;
            seen.insert(row.uniqueId);
            targets.append({ &row, 0 });
        }
    }
    bool changed = false;
    ContactEditor::EditBatch batch(m_editor);
    for (const Target &target : std::as_const(targets)) {
        const ContactEntry entry = ContactEditor::entryForRow(*target.row);
        if (isLabeled())
            changed
                |= m_editor.undoDeleteLabeledValueForIdentifier(field(), target.labelIndex, entry, m_sender);
        else if (m_identifier == FieldId::Birthday)
            changed |= m_editor.undoReplaceBirthday(QVariant(), entry);
        else if (m_identifier == FieldId::PhoneticName)
            changed |= m_editor.undoReplacePhoneticNameValue(QVariantMap(), entry);
        else if (!target.row->person->stringValueForIdentifier(m_identifier).isEmpty())
            changed |= m_editor.undoReplaceValue(QString(), m_identifier, entry, m_sender);
    }
    return changed;
}

bool ItemCommands::editText(const SubContactRows &rows, TextEdit mode, const QString &text,
                            const QString &label)
{
    const auto edited = [&](const QString &current) -> QString {
        switch (mode) {
        case TextEdit::Prepend:
            return text + current;
        case TextEdit::Append:
            return current + text;
        default:
            return text;
        }
    };
    bool changed = false;
    ContactEditor::EditBatch batch(m_editor);
    for (const SubContactRow &row : rows) {
        if (!row.person)
            continue;
        const ContactEntry entry = ContactEditor::entryForRow(row);
        if (!isLabeled()) {
            const QString current = row.person->stringValueForIdentifier(m_identifier);
            const QString next = edited(current);
            if (next != current)
                changed |= m_editor.undoReplaceValue(next, m_identifier, entry, m_sender);
            continue;
        }
        QVariantMap item = row.person->labeledValueForIdentifierAtIndex(field(), row.labelIndex);
        if (item.isEmpty())
            continue;
        if (QVPerson::isAddressIdentifier(m_identifier)) {
            item.insert(m_identifier, edited(item.value(m_identifier).toString()));
        } else {
            const QString next = edited(item.value(Key::Value).toString());
            item.insert(Key::Value, next);
            item.insert(Key::StringValue, next);
        }
        if (mode == TextEdit::ReplaceLabelAndText && !label.isEmpty())
            item.insert(Key::Label, label);
        changed |= m_editor.undoReplaceLabeledValue(item, field(), entry, m_sender);
    }
    return changed;
}

bool ItemCommands::addsDirectly(const QString &identifier, const QString &fieldType)
{
    return !newItem(identifier, fieldType).isEmpty();
}

QVariantMap ItemCommands::newItem(const QString &identifier, const QString &fieldType)
{
    const auto item = [](const QString &label, const QString &value) {
        return QVariantMap { { Key::Label, label }, { Key::Value, value } };
    };
    if (identifier == FieldId::Phone)
        return item(LabelWord::Home, NewItemText::PhoneValue);
    if (identifier == FieldId::Relationship)
        return item(LabelWord::Friend, NewItemText::Value);
    if (identifier == FieldId::Email || identifier == FieldId::Url)
        return item(NewItemText::Label, NewItemText::Value);
    if (!QVPerson::isLabeledIdentifier(identifier) && !QVPerson::isAddressIdentifier(identifier)
        && identifier != FieldId::Name && fieldType == ValueType::Labeled)
        return item(LabelWord::Friend, NewItemText::Value);
    return {};
}

bool ItemCommands::insertItem(const SubContactRows &rows)
{
    const QVariantMap item = newItem(m_identifier, m_fieldType);
    if (item.isEmpty())
        return false;
    QHash<QString, const SubContactRow *> rowOfContact;
    for (const SubContactRow &row : rows) {
        if (row.person && !rowOfContact.contains(row.uniqueId))
            rowOfContact.insert(row.uniqueId, &row);
    }
    QList<const SubContactRow *> ordered;
    if (const ContactTable table = m_editor.contactTable()) {
        for (const ContactEntry &entry : *table) {
            if (const SubContactRow *row = rowOfContact.take(entry->uniqueId))
                ordered.append(row);
        }
    }
    // Rows of contacts the list does not hold (yet) keep their table order.
    for (const SubContactRow &row : rows) {
        if (const SubContactRow *r = rowOfContact.take(row.uniqueId))
            ordered.append(r);
    }
    bool changed = false;
    ContactEditor::EditBatch batch(m_editor);
    for (const SubContactRow *row : std::as_const(ordered))
        changed
            |= m_editor.undoAddLabeledValue(item, m_identifier, ContactEditor::entryForRow(*row), m_sender);
    return changed;
}
