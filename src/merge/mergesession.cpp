// MergeSession: working copies, edits, items and the panel's undo stack.
#include "merge/mergesession.h"

#include "merge/keys.h"
#include "merge/photoreducer.h"
#include "record/keys.h"

#include <algorithm>

namespace {

// A working copy: every value of the record, and its custom item definitions.
ContactEntry workingCopyOf(const ContactEntry &contact)
{
    PersonPtr person = contact->person->copy();
    person->setCustomItems(contact->person->customItems());
    for (const QString &name : person->customIdentifiers()) {
        const QVariant value = contact->person->valueForIdentifier(name);
        if (value.isValid())
            person->setValue(value, name);
    }
    person->setChanged(false);
    ContactEntry copy = copyContactEntry(contact);
    copy->person = person;
    return copy;
}

// What "Add Item" puts into the labeled fields that need no editor.
struct NewItem
{
    const QString &identifier;
    const QString &label;
    const QString &value;
};
const NewItem kNewItems[] = {
    { FieldId::Phone, LabelWord::Home, MergeWord::NewPhoneNumber },
    { FieldId::Email, LabelWord::Home, MergeWord::NewText },
    { FieldId::Url, LabelWord::Home, MergeWord::NewText },
    { FieldId::Relationship, LabelWord::Friend, MergeWord::NewText },
};

// Fields whose items are edited in a popover editor rather than as text.
bool hasPopoverEditor(const QString &identifier)
{
    static const QStringList fields { FieldId::Address, FieldId::InstantMessage, FieldId::SocialNetwork,
                                      FieldId::Dates, FieldId::Birthday };
    return fields.contains(identifier);
}

const NewItem *newItemFor(const QString &identifier)
{
    for (const NewItem &item : kNewItems) {
        if (item.identifier == identifier)
            return &item;
    }
    return nullptr;
}

} // namespace

MergeSession::MergeSession(const ContactList &contacts, const QVariantList &customItems, QObject *parent)
    : QObject(parent)
    , m_contacts(contacts)
    , m_customItems(customItems)
    , m_editor(&m_undo)
{
    m_editor.setCustomItems(customItems);
    m_editor.setEditState(true);
    if (contacts.size() >= 2 && contacts.at(0) && contacts.at(1) && contacts.at(0)->person
        && contacts.at(1)->person) {
        m_left = workingCopyOf(contacts.at(0));
        m_right = workingCopyOf(contacts.at(1));
        m_nameOrderingLabels
            = MergeRowBuilder::nameOrderingLabels(contacts.at(0)->person->defaultNameOrdering());
    }
    rebuildRows();
}

MergeSession::~MergeSession() = default;

void MergeSession::setEditMode(bool editMode)
{
    if (!editMode && m_changeCount > 0)
        editMode = true;
    if (editMode == m_editMode)
        return;
    m_editMode = editMode;
    Q_EMIT editModeChanged(editMode);
}

void MergeSession::setChangeCount(qint64 count)
{
    count = std::max<qint64>(0, count);
    if (count == m_changeCount)
        return;
    m_changeCount = count;
    Q_EMIT changeCountChanged(count);
}

void MergeSession::rebuildRows()
{
    if (!isValid()) {
        m_leftRows.clear();
        m_rightRows.clear();
        return;
    }
    QVPerson &left = *m_left->person;
    QVPerson &right = *m_right->person;
    const auto counts = MergeRowBuilder::labeledCounts(left, right, m_customItems);
    m_leftRows = MergeRowBuilder::rowsForPerson(left, counts, m_customItems, m_nameOrderingLabels);
    m_rightRows = MergeRowBuilder::rowsForPerson(right, counts, m_customItems, m_nameOrderingLabels);
    Q_EMIT rowsChanged();
}

bool MergeSession::applyChange(const Change &change)
{
    if (!isValid() || !m_editMode)
        return false;
    m_undo.beginUndoGrouping();
    const bool changed = change();
    m_undo.endUndoGrouping();
    if (!changed)
        return false;
    setChangeCount(m_changeCount + 1);
    rebuildRows();
    return true;
}

void MergeSession::undo()
{
    if (!m_undo.canUndo())
        return;
    m_undo.undo();
    setChangeCount(m_changeCount - 1);
    rebuildRows();
}

void MergeSession::redo()
{
    if (!m_undo.canRedo())
        return;
    m_undo.redo();
    setChangeCount(m_changeCount + 1);
    rebuildRows();
}

ContactList MergeSession::newContacts() const
{
    if (m_changeCount <= 0 || !isValid())
        return {};
    return { m_left, m_right };
}

// ---- Edits ------------------------------------------------------------------------------------

bool MergeSession::isTextValued(const QString &identifier) const
{
    if (newItemFor(identifier))
        return true;
    if (QVPerson::isLabeledIdentifier(identifier))
        return false;
    const QString kind = MergeRowBuilder::valueKind(*m_left->person, identifier, m_customItems);
    return kind == ValueType::String || kind == ValueType::Labeled;
}

bool MergeSession::replaceNamePart(const ContactEntry &contact, const QString &part, const QString &text)
{
    QVariantMap name = contact->person->nameValue();
    if (name.value(part).toString() == text)
        return false;
    name.insert(part, text);
    return m_editor.undoReplaceNameValue(name, contact);
}

bool MergeSession::replacePhoneticPart(const ContactEntry &contact, const QString &label, const QString &text)
{
    const QString key = MergeRowBuilder::phoneticKey(label);
    QVariantMap phonetic = contact->person->phoneticNameValue();
    if (key.isEmpty() || phonetic.value(key).toString() == text)
        return false;
    phonetic.insert(key, text);
    return m_editor.undoReplacePhoneticNameValue(phonetic, contact);
}

bool MergeSession::storePhoto(const ContactEntry &contact, const QImage &photo)
{
    const QImage reduced = PhotoReducer::reduceOnWorker(photo, MergeLimit::PhotoWaitMilliseconds);
    if (reduced.isNull())
        return false;
    return m_editor.undoReplacePhoto(reduced, contact);
}

bool MergeSession::isTextEditable(Side side, int index) const
{
    if (!isValid() || !m_editMode)
        return false;
    const MergeRow row = this->row(side, index);
    switch (row.kind) {
    case MergeRow::Kind::NamePart:
    case MergeRow::Kind::PhoneticPart:
        return true;
    case MergeRow::Kind::Labeled:
        return row.labelIndex >= 0 && isTextValued(row.type);
    case MergeRow::Kind::Value:
        return isTextValued(row.type);
    default:
        return false;
    }
}

bool MergeSession::editText(Side side, int index, const QString &text)
{
    if (!isTextEditable(side, index))
        return false;
    const MergeRow row = this->row(side, index);
    const ContactEntry contact = entry(side);
    return applyChange([&] {
        switch (row.kind) {
        case MergeRow::Kind::NamePart:
            return replaceNamePart(contact, row.label, text);
        case MergeRow::Kind::PhoneticPart:
            return replacePhoneticPart(contact, row.label, text);
        case MergeRow::Kind::Labeled: {
            QVariantMap item
                = contact->person->valueForIdentifier(row.type).toList().value(row.index).toMap();
            if (item.isEmpty() || item.value(Key::StringValue).toString() == text)
                return false;
            item.insert(Key::Value, text);
            item.insert(Key::StringValue, text);
            return m_editor.undoReplaceValue(item, row.type, contact, this);
        }
        default:
            if (contact->person->stringValueForIdentifier(row.type) == text)
                return false;
            return m_editor.undoReplaceValue(text, row.type, contact, this);
        }
    });
}

QStringList MergeSession::labelChoices(Side side, int index) const
{
    if (!isValid())
        return {};
    const MergeRow row = this->row(side, index);
    switch (row.kind) {
    case MergeRow::Kind::NameOrdering:
        return m_nameOrderingLabels;
    case MergeRow::Kind::NameDisplay:
        return { MergeRowBuilder::personWord(), MergeRowBuilder::companyWord() };
    case MergeRow::Kind::Labeled: {
        if (row.labelIndex < 0)
            return {};
        QStringList labels = QVPerson::labelsForIdentifier(row.type);
        // A label the list lacks (the other contact's, or the user's own) stays choosable.
        if (!row.label.isEmpty() && !labels.contains(row.label))
            labels.prepend(row.label);
        return labels;
    }
    default:
        return {};
    }
}

bool MergeSession::chooseLabel(Side side, int index, const QString &label)
{
    const MergeRow row = this->row(side, index);
    if (!isValid() || label == row.label || !labelChoices(side, index).contains(label))
        return false;
    const ContactEntry contact = entry(side);
    return applyChange([&] {
        QVariantMap name = contact->person->nameValue();
        switch (row.kind) {
        case MergeRow::Kind::NameOrdering:
            name.insert(Key::NameOrdering, std::max<qsizetype>(0, m_nameOrderingLabels.indexOf(label)));
            return m_editor.undoReplaceNameValue(name, contact);
        case MergeRow::Kind::NameDisplay:
            name.insert(Key::ShowAsPerson, label == MergeRowBuilder::personWord());
            return m_editor.undoReplaceNameValue(name, contact);
        case MergeRow::Kind::Labeled: {
            QVariantMap item
                = contact->person->valueForIdentifier(row.type).toList().value(row.index).toMap();
            if (item.isEmpty())
                return false;
            item.insert(Key::Label, label);
            return m_editor.undoReplaceValue(item, row.type, contact, this);
        }
        default:
            return false;
        }
    });
}

bool MergeSession::canAddItem(Side side, int index) const
{
    if (!isValid() || !m_editMode)
        return false;
    const MergeRow row = this->row(side, index);
    if (row.kind == MergeRow::Kind::Labeled)
        return newItemFor(row.type) != nullptr;
    return row.kind == MergeRow::Kind::Value && row.value.isEmpty() && isTextValued(row.type);
}

bool MergeSession::addItem(Side side, int index)
{
    if (!canAddItem(side, index))
        return false;
    const MergeRow row = this->row(side, index);
    const ContactEntry contact = entry(side);
    return applyChange([&] {
        if (const NewItem *item = newItemFor(row.type)) {
            const QVariantMap value { { Key::Label, item->label }, { Key::Value, item->value } };
            return m_editor.undoAddLabeledValue(value, row.type, contact, this);
        }
        return m_editor.undoReplaceValue(MergeWord::NewText, row.type, contact, this);
    });
}

bool MergeSession::canDeleteItem(Side side, int index) const
{
    if (!isValid() || !m_editMode)
        return false;
    const MergeRow row = this->row(side, index);
    QVPerson &person = *entry(side)->person;
    switch (row.kind) {
    case MergeRow::Kind::Photo:
        return !person.imageData().isEmpty() || !person.thumbnailImageData().isEmpty();
    case MergeRow::Kind::PhoneticPart:
        return !person.phoneticNameValue().value(Key::StringValue).toString().isEmpty()
            || !row.value.isEmpty();
    case MergeRow::Kind::Labeled:
        return row.labelIndex >= 0;
    case MergeRow::Kind::Value:
        if (row.type == FieldId::Birthday)
            return !person.birthdayValue().isEmpty();
        return !row.value.isEmpty() && isTextValued(row.type);
    default:
        return false;
    }
}

bool MergeSession::deleteItem(Side side, int index)
{
    if (!canDeleteItem(side, index))
        return false;
    const MergeRow row = this->row(side, index);
    const ContactEntry contact = entry(side);
    return applyChange([&] {
        switch (row.kind) {
        case MergeRow::Kind::Photo:
            return m_editor.undoReplacePhoto(QImage(), contact);
        case MergeRow::Kind::PhoneticPart:
            return m_editor.undoReplacePhoneticNameValue(QVariantMap(), contact);
        case MergeRow::Kind::Labeled:
            return m_editor.undoDeleteLabeledValueForIdentifier(row.type, row.labelIndex, contact, this);
        default:
            if (row.type == FieldId::Birthday)
                return m_editor.undoReplaceBirthday(QVariant(), contact);
            return m_editor.undoReplaceValue(QString(), row.type, contact, this);
        }
    });
}

QString MergeSession::editorType(Side side, int index) const
{
    if (!isValid())
        return {};
    const MergeRow row = this->row(side, index);
    switch (row.kind) {
    case MergeRow::Kind::NamePart:
        return FieldId::Name;
    case MergeRow::Kind::PhoneticPart:
        return FieldId::PhoneticName;
    case MergeRow::Kind::Labeled:
    case MergeRow::Kind::Value:
        return hasPopoverEditor(row.type) ? row.type : QString();
    default:
        return {};
    }
}

bool MergeSession::applyEditorResult(Side side, const QString &type, const QVariant &value)
{
    if (!isValid())
        return false;
    const ContactEntry contact = entry(side);
    return applyChange([&] {
        // No value from the date editor removes the birthday.
        if (type == FieldId::Birthday) {
            if (!value.isValid())
                return !contact->person->birthdayValue().isEmpty()
                    && m_editor.undoReplaceBirthday(value, contact);
            return value.typeId() == QMetaType::QVariantMap && m_editor.undoReplaceBirthday(value, contact);
        }
        if (!value.isValid())
            return false;
        if (type == FieldId::Name)
            return contact->person->nameValue() != value.toMap()
                && m_editor.undoReplaceNameValue(value.toMap(), contact);
        if (type == FieldId::PhoneticName)
            return contact->person->phoneticNameValue() != value.toMap()
                && m_editor.undoReplacePhoneticNameValue(value.toMap(), contact);
        if (QVPerson::isLabeledIdentifier(type) && value.typeId() == QMetaType::QVariantMap) {
            bool named = false;
            const int labelIndex = value.toMap().value(Key::LabelIndex).toInt(&named);
            if (!named || labelIndex < 0) {
                QVariantMap item = value.toMap();
                item.remove(Key::LabelIndex);
                return m_editor.undoAddLabeledValue(item, type, contact, this);
            }
            // An editor closed with Done but nothing edited is no change.
            if (contact->person->labeledValueForIdentifierAtLabelIndex(type, labelIndex) == value.toMap())
                return false;
        }
        return m_editor.undoReplaceValue(value, type, contact, this);
    });
}

bool MergeSession::setPhoto(Side side, const QImage &photo)
{
    if (photo.isNull())
        return false;
    const ContactEntry contact = entry(side);
    return applyChange([&] { return storePhoto(contact, photo); });
}
