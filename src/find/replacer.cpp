#include "find/replacer.h"

#include "record/keys.h"
#include "table/recordreader.h"

#include <QStringView>

namespace {

bool fits(const TextRange &range, const QString &text)
{
    return range.isFound() && range.location >= 0 && range.length > 0 && range.location <= text.size()
        && range.length <= text.size() - range.location;
}

// The occurrence is still where the hit says: replacing a stale range would cut up other text.
bool readsAt(const QString &text, const TextRange &range, const QString &findString, Qt::CaseSensitivity cs)
{
    return fits(range, text)
        && QStringView(text).sliced(range.location, range.length).compare(findString, cs) == 0;
}

QString replaced(QString text, const TextRange &range, const QString &replacement)
{
    return text.replace(range.location, range.length, replacement);
}

ContactEntry entryWithId(const ContactTable &table, const QString &uniqueId)
{
    if (!table)
        return {};
    for (const ContactEntry &entry : *table) {
        if (entry && entry->person && entry->uniqueId == uniqueId)
            return entry;
    }
    return {};
}

const QStringList &addressComponents()
{
    static const QStringList components { FieldId::Zip, FieldId::State, FieldId::City, FieldId::Street,
                                          FieldId::Country };
    return components;
}

} // namespace

bool FindReplacer::replace(const QString &replacement, const SearchHit &hit, const ContactTable &table,
                           const QString &findString, Qt::CaseSensitivity cs)
{
    const ContactEntry entry = entryWithId(table, hit.uniqueId);
    if (!entry || !hit.range.isFound())
        return false;
    QVPerson &person = *entry->person;
    const qsizetype position = hit.labelIndex == TextRange::NotFound ? 0 : hit.labelIndex;
    const ItemTexts::FieldKind kind = ItemTexts::fieldKind(person, hit.identifier, m_customItems);
    // Name parts one by one: a part's text is the same whichever mode found it.
    const ItemText item
        = ItemTexts::itemText(person, hit.identifier, position, FindMode::Detail, m_customItems);
    QString joined;
    for (const TextPart &part : item.parts)
        joined += part.text;
    if (joined.isEmpty() || kind == ItemTexts::FieldKind::Never)
        return false;

    QString partText;
    for (const TextPart &part : item.parts) {
        if (part.subIdentifier == hit.subIdentifier)
            partText = part.text;
    }
    const TextRange itemRange = hit.itemRange.value_or(TextRange {});

    switch (kind) {
    case ItemTexts::FieldKind::Address: {
        if (hit.subIdentifier.isEmpty() || !readsAt(partText, itemRange, findString, cs))
            return true;
        QVariantMap address = person.labeledValueForIdentifierAtIndex(FieldId::Address, position);
        address.insert(hit.subIdentifier, replaced(partText, itemRange, replacement));
        m_editor.undoReplaceLabeledValue(address, FieldId::Address, entry, m_sender);
        return true;
    }
    case ItemTexts::FieldKind::AddressComponent: {
        const QString component = item.parts.constFirst().text;
        if (!readsAt(component, hit.range, findString, cs))
            return true;
        QVariantMap address = person.labeledValueForIdentifierAtIndex(FieldId::Address, position);
        address.insert(hit.identifier, replaced(component, hit.range, replacement));
        m_editor.undoReplaceLabeledValue(address, FieldId::Address, entry, m_sender);
        return true;
    }
    case ItemTexts::FieldKind::InstantMessage: {
        // The service name is a choice from a list, not text to edit.
        if (hit.subIdentifier != Key::Username || !readsAt(partText, itemRange, findString, cs))
            return true;
        QVariantMap account = person.labeledValueForIdentifierAtIndex(FieldId::InstantMessage, position);
        account.insert(Key::Value, replaced(partText, itemRange, replacement));
        m_editor.undoReplaceLabeledValue(account, FieldId::InstantMessage, entry, m_sender);
        return true;
    }
    case ItemTexts::FieldKind::Name:
    case ItemTexts::FieldKind::PhoneticName: {
        // A company shown in the name column has no part and is not replaced there.
        if (!hit.itemRange || !readsAt(partText, itemRange, findString, cs))
            return true;
        const bool phonetic = kind == ItemTexts::FieldKind::PhoneticName;
        QVariantMap name = phonetic ? person.phoneticNameValue() : person.nameValue();
        name.insert(hit.subIdentifier, replaced(partText, itemRange, replacement));
        if (phonetic)
            m_editor.undoReplacePhoneticNameValue(name, entry);
        else
            m_editor.undoReplaceNameValue(name, entry);
        return true;
    }
    case ItemTexts::FieldKind::Labeled: {
        const QString text = item.parts.constFirst().text;
        if (!readsAt(text, hit.range, findString, cs))
            return true;
        QVariantMap value = person.labeledValueForIdentifierAtIndex(hit.identifier, position);
        value.insert(Key::Value, replaced(text, hit.range, replacement));
        m_editor.undoReplaceLabeledValue(value, hit.identifier, entry, m_sender);
        return true;
    }
    case ItemTexts::FieldKind::String: {
        const QString text = item.parts.constFirst().text;
        if (readsAt(text, hit.range, findString, cs))
            m_editor.undoReplaceValue(replaced(text, hit.range, replacement), hit.identifier, entry,
                                      m_sender);
        return true;
    }
    case ItemTexts::FieldKind::Never:
        break;
    }
    return false;
}

qsizetype FindReplacer::replaceInLabeledItems(const ContactEntry &contact, const QString &identifier,
                                              const QStringList &keys, const QString &findString,
                                              const QString &replacement, Qt::CaseSensitivity cs)
{
    QVPerson &person = *contact->person;
    // Looked at in place first: copying every contact's items would cost more than the change.
    if (const auto field = QVPerson::labeledFieldForIdentifier(identifier)) {
        bool any = false;
        for (const CompactMap &item : person.storedLabeledValues(*field)) {
            for (const QString &key : keys)
                any = any || item.string(key).contains(findString, cs);
        }
        if (!any)
            return 0;
    }
    qsizetype changed = 0;
    const QVariantList items = person.labeledValueForIdentifier(identifier);
    for (const QVariant &v : items) {
        QVariantMap item = v.toMap();
        bool itemChanged = false;
        for (const QString &key : keys) {
            const QString text = item.value(key).toString();
            if (text.isEmpty() || !text.contains(findString, cs))
                continue;
            item.insert(key, QString(text).replace(findString, replacement, cs));
            itemChanged = true;
        }
        if (itemChanged && m_editor.undoReplaceLabeledValue(item, identifier, contact, m_sender))
            ++changed;
    }
    return changed;
}

qsizetype FindReplacer::replaceInName(const ContactEntry &contact, const QString &identifier,
                                      const QStringList &parts, const QString &findString,
                                      const QString &replacement, Qt::CaseSensitivity cs)
{
    QVPerson &person = *contact->person;
    const bool phonetic = identifier == FieldId::PhoneticName;
    // Looked at without a copy first: most names hold nothing to replace.
    const CompactMap &stored = person.storedDictionary(identifier);
    bool any = false;
    for (const QString &part : parts)
        any = any || stored.string(part).contains(findString, cs);
    if (!any)
        return 0;
    QVariantMap name = phonetic ? person.phoneticNameValue() : person.nameValue();
    for (const QString &part : parts) {
        const QString text = name.value(part).toString();
        if (text.contains(findString, cs))
            name.insert(part, QString(text).replace(findString, replacement, cs));
    }
    const bool done = phonetic ? m_editor.undoReplacePhoneticNameValue(name, contact)
                               : m_editor.undoReplaceNameValue(name, contact);
    return done ? 1 : 0;
}

qsizetype FindReplacer::replaceAllInField(const ContactEntry &contact, const QString &identifier,
                                          FindMode mode, const QString &findString,
                                          const QString &replacement, Qt::CaseSensitivity cs)
{
    QVPerson &person = *contact->person;
    switch (ItemTexts::fieldKind(person, identifier, m_customItems)) {
    case ItemTexts::FieldKind::Name:
        return replaceInName(contact, identifier,
                             mode == FindMode::Table
                                 ? QStringList { FieldId::FirstName, FieldId::LastName }
                                 : QStringList { FieldId::FirstName, FieldId::MiddleName, FieldId::LastName,
                                                 FieldId::PreviousFamilyName },
                             findString, replacement, cs);
    case ItemTexts::FieldKind::PhoneticName:
        return replaceInName(contact, identifier,
                             mode == FindMode::Table
                                 ? QStringList { FieldId::FirstName, FieldId::LastName }
                                 : QStringList { FieldId::FirstName, FieldId::MiddleName, FieldId::LastName },
                             findString, replacement, cs);
    case ItemTexts::FieldKind::Address:
        return replaceInLabeledItems(contact, FieldId::Address, addressComponents(), findString, replacement,
                                     cs);
    case ItemTexts::FieldKind::AddressComponent:
        return replaceInLabeledItems(contact, FieldId::Address, { identifier }, findString, replacement, cs);
    case ItemTexts::FieldKind::InstantMessage:
    case ItemTexts::FieldKind::Labeled:
        return replaceInLabeledItems(contact, identifier, { Key::Value }, findString, replacement, cs);
    case ItemTexts::FieldKind::String: {
        if (!RecordReader::storedString(person, identifier).contains(findString, cs))
            return 0;
        const QString text = person.stringValueForIdentifier(identifier);
        if (!text.contains(findString, cs))
            return 0;
        return m_editor.undoReplaceValue(QString(text).replace(findString, replacement, cs), identifier,
                                         contact, m_sender)
            ? 1
            : 0;
    }
    case ItemTexts::FieldKind::Never:
        break;
    }
    return 0;
}

qsizetype FindReplacer::replaceAllInTable(const ContactList &contacts, const QStringList &columns,
                                          const QString &findString, const QString &replacement,
                                          Qt::CaseSensitivity cs)
{
    if (findString.isEmpty())
        return 0;
    ContactEditor::EditBatch batch(m_editor);
    qsizetype changed = 0;
    QStringList fields;
    for (const QString &identifier : columns)
        fields.append(ItemTexts::canonicalIdentifier(identifier));
    for (const ContactEntry &contact : contacts) {
        if (!contact || !contact->person)
            continue;
        for (const QString &identifier : std::as_const(fields))
            changed += replaceAllInField(contact, identifier, FindMode::Table, findString, replacement, cs);
    }
    return changed;
}

qsizetype FindReplacer::replaceAllInContact(const ContactEntry &contact, const QString &findString,
                                            const QString &replacement, Qt::CaseSensitivity cs)
{
    if (findString.isEmpty() || !contact || !contact->person)
        return 0;
    ContactEditor::EditBatch batch(m_editor);
    qsizetype changed = 0;
    QStringList fields { FieldId::Name,    FieldId::Company,        FieldId::PhoneticName,  FieldId::Email,
                         FieldId::Phone,   FieldId::InstantMessage, FieldId::SocialNetwork, FieldId::Url,
                         FieldId::Address, FieldId::Nickname,       FieldId::Relationship,  FieldId::Suffix,
                         FieldId::Title,   FieldId::Department,     FieldId::JobTitle,      FieldId::Note };
    fields += contact->person->customIdentifiers();
    for (const QString &identifier : std::as_const(fields))
        changed += replaceAllInField(contact, identifier, FindMode::Detail, findString, replacement, cs);
    return changed;
}
