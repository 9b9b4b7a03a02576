// ContactEditor: undoable changes of record values, and merging one contact into another.
#include "editing/contacteditor.h"
#include "record/keys.h"

#include <QDebug>
#include <algorithm>
#include <optional>

namespace {

QVPerson *personOf(const ContactEntry &contact)
{
    return contact ? contact->person.get() : nullptr;
}

bool isListOfDictionaries(const QVariant &value)
{
    if (value.typeId() != QMetaType::QVariantList)
        return false;
    const QVariantList items = value.toList();
    for (const QVariant &item : items) {
        if (item.typeId() != QMetaType::QVariantMap)
            return false;
    }
    return true;
}

// The labelIndex a labeled value names, or nothing.
std::optional<qsizetype> labelIndexOf(const QVariant &value)
{
    if (value.typeId() != QMetaType::QVariantMap)
        return std::nullopt;
    bool ok = false;
    const qsizetype index = value.toMap().value(Key::LabelIndex).toLongLong(&ok);
    return ok ? std::optional<qsizetype>(index) : std::nullopt;
}

// The whole value of a multi-valued field, an empty list when it has none.
QVariantList currentList(QVPerson &person, const QString &identifier)
{
    return person.valueForIdentifier(identifier).toList();
}

void logRefused(const char *operation, const QString &identifier, const QVariant &value)
{
    QString text;
    QDebug(&text) << value;
    qWarning(" Error %s: %s, %s", operation, qPrintable(identifier), qPrintable(text));
}

// The fields merging takes over, in this order.
const QStringList &mergedIdentifiers()
{
    static const QStringList identifiers {
        FieldId::Email,         FieldId::Phone, FieldId::Address,  FieldId::InstantMessage,
        FieldId::SocialNetwork, FieldId::Url,   FieldId::Nickname, FieldId::Relationship,
        FieldId::Suffix,        FieldId::Title, FieldId::Company,  FieldId::Department,
        FieldId::JobTitle,      FieldId::Dates, FieldId::Note
    };
    return identifiers;
}

} // namespace

void ContactEditor::registerValueInverse(ValueOperation operation, const QVariant &oldValue,
                                         const QString &identifier, const ContactEntry &contact,
                                         Sender sender)
{
    registerInverse([operation, oldValue, identifier, contact, sender](ContactEditor &editor) {
        (editor.*operation)(oldValue, identifier, contact, sender);
    });
}

void ContactEditor::finishChange(const ContactEntry &contact, Sender sender)
{
    contact->person->setChanged(true);
    contactDidUpdate(contact, sender);
}

// A whole list, or one item named by its labelIndex. An item that is not there is refused: its
// inverse would have nothing to restore.
bool ContactEditor::replaceLabeled(ValueOperation operation, const QVariant &value, const QString &identifier,
                                   const ContactEntry &contact, Sender sender, bool listBySetValue)
{
    QVPerson &person = *contact->person;
    if (isListOfDictionaries(value)) {
        registerValueInverse(operation, currentList(person, identifier), identifier, contact, sender);
        if (listBySetValue)
            person.setValue(value, identifier);
        else
            person.replaceLabeledValue(value, identifier);
        finishChange(contact, sender);
        return true;
    }
    const auto labelIndex = labelIndexOf(value);
    if (!labelIndex)
        return false;
    const QVariantMap old = person.labeledValueForIdentifierAtLabelIndex(identifier, *labelIndex);
    if (old.isEmpty())
        return false;
    registerValueInverse(operation, old, identifier, contact, sender);
    person.replaceLabeledValue(value, identifier);
    finishChange(contact, sender);
    return true;
}

// An address component cell: only that component of the address item at the labelIndex changes,
// whatever else the given dictionary holds.
bool ContactEditor::replaceAddressComponent(ValueOperation operation, const QVariant &value,
                                            const QString &identifier, const ContactEntry &contact,
                                            Sender sender)
{
    QVPerson &person = *contact->person;
    const auto labelIndex = labelIndexOf(value);
    if (!labelIndex)
        return false;
    const QVariantMap old = person.labeledValueForIdentifierAtLabelIndex(FieldId::Address, *labelIndex);
    if (old.isEmpty())
        return false;
    QVariantMap item = old;
    item.insert(identifier, value.toMap().value(identifier).toString());
    registerValueInverse(operation, old, identifier, contact, sender);
    person.replaceLabeledValue(item, FieldId::Address);
    finishChange(contact, sender);
    return true;
}

bool ContactEditor::undoReplaceValue(const QVariant &value, const QString &identifier,
                                     const ContactEntry &contact, Sender sender)
{
    if (m_readOnly)
        return false;
    QVPerson *person = personOf(contact);
    if (!person)
        return false;
    const Kind kind = kindForIdentifier(identifier, *person);
    switch (kind) {
    case Kind::Labeled:
    case Kind::CustomLabeled:
        if (!value.isValid()) {
            logRefused(Q_FUNC_INFO, identifier, value);
            return false;
        }
        // A custom item's whole list is stored as its value.
        return replaceLabeled(&ContactEditor::undoReplaceValue, value, identifier, contact, sender,
                              kind == Kind::CustomLabeled);
    case Kind::AddressComponent:
        return replaceAddressComponent(&ContactEditor::undoReplaceValue, value, identifier, contact, sender);
    case Kind::String:
        if (value.isValid() && value.typeId() != QMetaType::QString)
            return false;
        registerValueInverse(&ContactEditor::undoReplaceValue, person->stringValueForIdentifier(identifier),
                             identifier, contact, sender);
        // Nothing is stored as the empty string.
        person->setValue(value.toString(), identifier);
        finishChange(contact, sender);
        return true;
    case Kind::Other:
        break;
    }
    return false;
}

bool ContactEditor::undoReplaceLabeledValue(const QVariant &value, const QString &identifier,
                                            const ContactEntry &contact, Sender sender)
{
    if (m_readOnly)
        return false;
    QVPerson *person = personOf(contact);
    if (!person)
        return false;
    const Kind kind = kindForIdentifier(identifier, *person);
    if (kind == Kind::AddressComponent)
        return replaceAddressComponent(&ContactEditor::undoReplaceLabeledValue, value, identifier, contact,
                                       sender);
    if (kind == Kind::CustomLabeled && person->typeForIdentifier(identifier).isEmpty())
        return appendCustomLabeledValue(value, identifier, contact, sender);
    if (kind != Kind::Labeled && kind != Kind::CustomLabeled)
        return false;
    if (!value.isValid()) {
        // Nil clears the field.
        registerValueInverse(&ContactEditor::undoReplaceLabeledValue, currentList(*person, identifier),
                             identifier, contact, sender);
        person->replaceLabeledValue(QVariant(), identifier);
        finishChange(contact, sender);
        return true;
    }
    return replaceLabeled(&ContactEditor::undoReplaceLabeledValue, value, identifier, contact, sender, false);
}

// The first value of a custom item the record does not have yet defines it there.
bool ContactEditor::appendCustomLabeledValue(const QVariant &value, const QString &identifier,
                                             const ContactEntry &contact, Sender sender)
{
    if (value.typeId() != QMetaType::QVariantMap && !isListOfDictionaries(value))
        return false;
    registerValueInverse(&ContactEditor::undoReplaceLabeledValue, QVariant(), identifier, contact, sender);
    contact->person->addLabeledValue(value, identifier);
    finishChange(contact, sender);
    return true;
}

bool ContactEditor::undoAddLabeledValue(const QVariant &labeledValue, const QString &identifier,
                                        const ContactEntry &contact, Sender sender)
{
    if (m_readOnly)
        return false;
    QVPerson *person = personOf(contact);
    if (!person || labeledValue.typeId() != QMetaType::QVariantMap)
        return false;
    const Kind kind = kindForIdentifier(identifier, *person);
    if (kind != Kind::Labeled && kind != Kind::CustomLabeled)
        return false;
    registerValueInverse(&ContactEditor::undoReplaceLabeledValue, currentList(*person, identifier),
                         identifier, contact, this);
    person->addLabeledValue(labeledValue, identifier);
    finishChange(contact, sender);
    return true;
}

bool ContactEditor::undoDeleteLabeledValueForIdentifier(const QString &identifier, qsizetype labelIndex,
                                                        const ContactEntry &contact, Sender sender)
{
    if (m_readOnly)
        return false;
    QVPerson *person = personOf(contact);
    if (!person)
        return false;
    if (identifier == FieldId::Photo) {
        // Undo must give back the photo itself, so this goes through the photo operation.
        if (person->imageData().isEmpty() && person->thumbnailImageData().isEmpty())
            return false;
        return undoReplacePhoto(QImage(), contact);
    }
    const Kind kind = kindForIdentifier(identifier, *person);
    if (kind != Kind::Labeled && kind != Kind::CustomLabeled)
        return false;
    if (person->labeledValueForIdentifierAtLabelIndex(identifier, labelIndex).isEmpty())
        return false;
    registerValueInverse(&ContactEditor::undoReplaceLabeledValue, currentList(*person, identifier),
                         identifier, contact, this);
    person->deleteLabeledValueForIdentifier(identifier, labelIndex);
    finishChange(contact, sender);
    return true;
}

bool ContactEditor::undoReplaceNameValue(const QVariantMap &nameValue, const ContactEntry &contact)
{
    if (m_readOnly)
        return false;
    QVPerson *person = personOf(contact);
    if (!person)
        return false;
    const QVariantMap old = person->nameValue();
    registerInverse([old, contact](ContactEditor &editor) { editor.undoReplaceNameValue(old, contact); });
    person->setNameValue(nameValue, FieldId::Name);
    finishChange(contact, nullptr);
    return true;
}

bool ContactEditor::undoReplacePhoneticNameValue(const QVariantMap &phoneticNameValue,
                                                 const ContactEntry &contact)
{
    if (m_readOnly)
        return false;
    QVPerson *person = personOf(contact);
    if (!person)
        return false;
    const QVariantMap old = person->phoneticNameValue();
    registerInverse(
        [old, contact](ContactEditor &editor) { editor.undoReplacePhoneticNameValue(old, contact); });
    person->setNameValue(phoneticNameValue, FieldId::PhoneticName);
    finishChange(contact, nullptr);
    return true;
}

bool ContactEditor::undoReplaceBirthday(const QVariant &birthday, const ContactEntry &contact)
{
    if (m_readOnly)
        return false;
    QVPerson *person = personOf(contact);
    if (!person)
        return false;
    // Registered before the shape is looked at, as callers have always relied on.
    const QVariantMap old = person->birthdayValue();
    registerInverse([old, contact](ContactEditor &editor) { editor.undoReplaceBirthday(old, contact); });
    if (birthday.isValid() && birthday.typeId() != QMetaType::QVariantMap)
        return false;
    person->setBirthdayValue(birthday);
    finishChange(contact, nullptr);
    return true;
}

bool ContactEditor::undoReplacePhoto(const QImage &photo, const ContactEntry &contact)
{
    if (m_readOnly)
        return false;
    QVPerson *person = personOf(contact);
    if (!person)
        return false;
    const QByteArray oldImage = person->imageData();
    const QByteArray oldThumbnail = person->thumbnailImageData();
    // The inverse restores the stored bytes, not a re-encoded image: undo gives back exactly
    // what was there, thumbnail included.
    registerInverse([oldImage, oldThumbnail, contact](ContactEditor &editor) {
        editor.restorePhotoData(oldImage, oldThumbnail, contact);
    });
    person->setPhoto(photo);
    if (!photo.isNull())
        person->setThumbnailImageData(person->imageData());
    finishChange(contact, nullptr);
    return true;
}

void ContactEditor::restorePhotoData(const QByteArray &imageData, const QByteArray &thumbnailData,
                                     const ContactEntry &contact)
{
    QVPerson *person = personOf(contact);
    if (!person)
        return;
    const QByteArray oldImage = person->imageData();
    const QByteArray oldThumbnail = person->thumbnailImageData();
    registerInverse([oldImage, oldThumbnail, contact](ContactEditor &editor) {
        editor.restorePhotoData(oldImage, oldThumbnail, contact);
    });
    person->setImageData(imageData);
    person->setThumbnailImageData(thumbnailData);
    finishChange(contact, nullptr);
}

namespace {

// The stored values of a record's custom items, by name, as they are (no defaults filled in).
QVariantMap storedCustomValues(const QVPerson &person)
{
    QVariantMap values;
    for (const QString &name : person.customIdentifiers()) {
        if (const QVariant *value = person.storedItem(name))
            values.insert(name, *value);
    }
    return values;
}

} // namespace

void ContactEditor::restoreCustomItems(const QVariantList &definitions, const QVariantMap &values,
                                       const ContactEntry &contact)
{
    QVPerson *person = personOf(contact);
    if (!person)
        return;
    const QVariantList oldDefinitions = person->customItems();
    const QVariantMap oldValues = storedCustomValues(*person);
    registerInverse([oldDefinitions, oldValues, contact](ContactEditor &editor) {
        editor.restoreCustomItems(oldDefinitions, oldValues, contact);
    });
    for (const QString &name : person->customIdentifiers())
        person->deleteCustomItemForName(name);
    person->setCustomItems(definitions);
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        person->setValue(it.value(), it.key());
    finishChange(contact, nullptr);
}

void ContactEditor::undoReplacePersonByContacts(const ContactList &contactsA, const ContactList &contactsB)
{
    if (m_readOnly)
        return;
    if (contactsA.isEmpty())
        return;
    EditBatch batch(*this);
    const qsizetype count = std::min(contactsA.size(), contactsB.size());
    for (qsizetype i = 0; i < count; ++i) {
        QVPerson *a = personOf(contactsA.at(i));
        QVPerson *b = personOf(contactsB.at(i));
        if (!a || !b || a == b)
            continue;
        const ContactEntry &row = contactsB.at(i);
        if (a->imageData() != b->imageData() || a->thumbnailImageData() != b->thumbnailImageData())
            restorePhotoData(a->imageData(), a->thumbnailImageData(), row);
        if (a->nameValue() != b->nameValue())
            undoReplaceNameValue(a->nameValue(), row);
        if (a->valueForIdentifier(FieldId::PhoneticName) != b->valueForIdentifier(FieldId::PhoneticName))
            undoReplacePhoneticNameValue(a->phoneticNameValue(), row);
        if (a->valueForIdentifier(FieldId::Birthday) != b->valueForIdentifier(FieldId::Birthday))
            undoReplaceBirthday(a->valueForIdentifier(FieldId::Birthday), row);
        for (const QString &identifier : mergedIdentifiers()) {
            const QVariant value = a->valueForIdentifier(identifier);
            if (value == b->valueForIdentifier(identifier))
                continue;
            if (b->typeForIdentifier(identifier) == ValueType::Labeled)
                undoReplaceLabeledValue(value, identifier, row, this);
            else
                undoReplaceValue(value, identifier, row, this);
        }
        // Custom items travel whole, definitions included, so undo leaves none behind.
        if (a->customItems() != b->customItems() || storedCustomValues(*a) != storedCustomValues(*b))
            restoreCustomItems(a->customItems(), storedCustomValues(*a), row);
    }
    contactDidUpdate(contactsA.first(), this);
}
