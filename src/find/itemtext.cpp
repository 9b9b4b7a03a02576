#include "find/itemtext.h"

#include "record/keys.h"
#include "record/textrange.h"
#include "table/recordreader.h"

namespace ItemTexts {

namespace {

TextPart single(const QString &text)
{
    return TextPart { QString(), text, 0 };
}

// First and last name in the order the name shows them. The offsets follow the shown text, so a
// lone last name starts at 0 just as the cell draws it.
ItemText displayOrderedName(const CompactMap &dict, bool lastFirst)
{
    const QString first = dict.string(FieldId::FirstName);
    const QString last = dict.string(FieldId::LastName);
    ItemText item;
    item.composite = true;
    const TextPart a { lastFirst ? FieldId::LastName : FieldId::FirstName, lastFirst ? last : first, 0 };
    const qsizetype second = a.text.isEmpty() ? 0 : a.text.size() + 1;
    item.parts = {
        a, TextPart { lastFirst ? FieldId::FirstName : FieldId::LastName, lastFirst ? first : last, second }
    };
    return item;
}

ItemText separateParts(const CompactMap &dict, const QStringList &keys)
{
    ItemText item;
    item.composite = true;
    for (const QString &key : keys)
        item.parts.append(TextPart { key, dict.string(key), 0 });
    return item;
}

// A name shows last name first exactly when its composed text says so.
bool showsLastNameFirst(const QString &composed, const CompactMap &dict)
{
    const QString first = dict.string(FieldId::FirstName);
    const QString last = dict.string(FieldId::LastName);
    return !first.isEmpty() && !last.isEmpty() && composed.size() == first.size() + last.size() + 1
        && composed.startsWith(last) && composed.endsWith(first) && composed.at(last.size()) == u' ';
}

qsizetype position(qsizetype labelIndex)
{
    return labelIndex == TextRange::NotFound ? 0 : labelIndex;
}

ItemText addressItem(QVPerson &person, qsizetype labelIndex)
{
    const QVariantMap address
        = person.labeledValueForIdentifierAtIndex(FieldId::Address, position(labelIndex));
    ItemText item;
    item.composite = true;
    for (const QVariant &entry : QVPerson::rangeTableFromAddressLabeledValue(address)) {
        const QVariantMap component = entry.toMap();
        const QString identifier = component.value(AddressFormatKey::Identifier).toString();
        const TextRange range = component.value(AddressFormatKey::Range).value<TextRange>();
        // The component alone, without the space that separates it from the next one: a match
        // must lie inside the component it replaces.
        item.parts.append(TextPart { identifier, address.value(identifier).toString(), range.location });
    }
    return item;
}

} // namespace

FieldKind fieldKind(const QVPerson &person, const QString &identifier, const QVariantList &customItems)
{
    if (identifier == FieldId::Name)
        return FieldKind::Name;
    if (identifier == FieldId::PhoneticName)
        return FieldKind::PhoneticName;
    if (identifier == FieldId::Address)
        return FieldKind::Address;
    if (identifier == FieldId::InstantMessage)
        return FieldKind::InstantMessage;
    if (identifier == FieldId::Dates || identifier == FieldId::Birthday || identifier == FieldId::Photo)
        return FieldKind::Never;
    if (QVPerson::isAddressIdentifier(identifier))
        return FieldKind::AddressComponent;
    if (QVPerson::isLabeledIdentifier(identifier))
        return FieldKind::Labeled;
    if (QVPerson::isStringIdentifier(identifier))
        return FieldKind::String;
    const QString type = RecordReader::fieldType(person, identifier, customItems);
    if (type == ValueType::Labeled)
        return FieldKind::Labeled;
    if (type == ValueType::String)
        return FieldKind::String;
    return FieldKind::Never;
}

bool isPerItem(FieldKind kind)
{
    return kind == FieldKind::Address || kind == FieldKind::AddressComponent
        || kind == FieldKind::InstantMessage || kind == FieldKind::Labeled;
}

ItemText itemText(QVPerson &person, const QString &identifier, qsizetype labelIndex, FindMode mode,
                  const QVariantList &customItems)
{
    const FieldKind kind = fieldKind(person, identifier, customItems);
    ItemText item;
    switch (kind) {
    case FieldKind::Name:
        if (mode == FindMode::Detail)
            return separateParts(
                person.storedDictionary(FieldId::Name),
                { FieldId::FirstName, FieldId::MiddleName, FieldId::LastName, FieldId::PreviousFamilyName });
        if (!person.showAsPerson()) {
            item.parts = { single(RecordReader::storedString(person, FieldId::Company)) };
            return item;
        }
        {
            const QString composed = person.compositeName(); // brings the stored name up to date
            const CompactMap &dict = person.storedDictionary(FieldId::Name);
            return displayOrderedName(dict, showsLastNameFirst(composed, dict));
        }
    case FieldKind::PhoneticName: {
        const CompactMap &dict = person.storedDictionary(FieldId::PhoneticName);
        if (mode == FindMode::Detail)
            return separateParts(dict, { FieldId::FirstName, FieldId::MiddleName, FieldId::LastName });
        return displayOrderedName(dict, showsLastNameFirst(dict.string(Key::StringValue), dict));
    }
    case FieldKind::Address:
        return addressItem(person, labelIndex);
    case FieldKind::AddressComponent: {
        const LabeledItems items(person, QVPerson::LabeledField::Address);
        if (items.contains(position(labelIndex)))
            item.parts = { single(items.string(position(labelIndex), identifier)) };
        return item;
    }
    case FieldKind::InstantMessage: {
        const LabeledItems items(person, QVPerson::LabeledField::InstantMessage);
        if (!items.contains(position(labelIndex)))
            return item;
        const QString service = items.string(position(labelIndex), Key::Service);
        item.composite = true;
        item.parts = { TextPart { Key::Service, service + u':', 0 },
                       TextPart { Key::Username, items.string(position(labelIndex), Key::Value),
                                  service.size() + 1 } };
        return item;
    }
    case FieldKind::Labeled: {
        const LabeledItems items(person, identifier);
        if (items.contains(position(labelIndex)))
            item.parts = { single(items.string(position(labelIndex), Key::StringValue)) };
        return item;
    }
    case FieldKind::String:
        item.parts = { single(RecordReader::storedString(person, identifier)) };
        return item;
    case FieldKind::Never:
        break;
    }
    return item;
}

qsizetype itemCount(const QVPerson &person, const QString &identifier, const QVariantList &customItems)
{
    const FieldKind kind = fieldKind(person, identifier, customItems);
    if (kind != FieldKind::Labeled && kind != FieldKind::Address && kind != FieldKind::InstantMessage)
        return 1;
    return std::max<qsizetype>(1, LabeledItems(person, identifier).size());
}

QString canonicalIdentifier(const QString &identifier)
{
    static const QStringList constants { FieldId::Name,       FieldId::PhoneticName, FieldId::Company,
                                         FieldId::Department, FieldId::JobTitle,     FieldId::Nickname,
                                         FieldId::Title,      FieldId::Suffix,       FieldId::Note,
                                         FieldId::Zip,        FieldId::State,        FieldId::City,
                                         FieldId::Street,     FieldId::Country };
    for (const QString &constant : constants) {
        if (constant == identifier)
            return constant;
    }
    return identifier;
}

QStringList detailRowOrder(const QVariantList &customItems)
{
    QStringList order {
        FieldId::Name,    FieldId::PhoneticName,  FieldId::JobTitle,       FieldId::Department,
        FieldId::Company, FieldId::Phone,         FieldId::Email,          FieldId::Url,
        FieldId::Address, FieldId::SocialNetwork, FieldId::InstantMessage, FieldId::Relationship,
        FieldId::Dates,   FieldId::Birthday,      FieldId::Nickname,       FieldId::Title,
        FieldId::Suffix,  FieldId::Note
    };
    for (const QVariant &item : customItems)
        order.append(item.toMap().value(CustomKey::Name).toString());
    return order;
}

} // namespace ItemTexts
