#include "table/sortkeys.h"

#include "record/keys.h"
#include "table/keys.h"

#include <QHash>
#include <QStringList>

namespace {

const QString kLabelSuffix = u' ' + Key::Label;

QString spaced(const QString &field, const QString &option)
{
    return field + u' ' + option;
}

// The fixed table of sort keys, built from the key constants once.
const QHash<QString, SortKeyParts> &sortKeyTable()
{
    static const QHash<QString, SortKeyParts> table = [] {
        QHash<QString, SortKeyParts> t;
        auto add = [&t](const QString &key, const QString &field, const QString &valueKey) {
            t.insert(key, SortKeyParts { field, valueKey });
        };
        // Every labeled field sorts by its text or its label.
        for (const QString &field :
             { FieldId::Phone, FieldId::Email, FieldId::Address, FieldId::Url, FieldId::InstantMessage,
               FieldId::SocialNetwork, FieldId::Relationship, FieldId::Dates }) {
            add(field, field, Key::StringValue);
            add(spaced(field, Key::Label), field, Key::Label);
        }
        add(spaced(FieldId::Email, Key::Domain), FieldId::Email, Key::Domain);
        add(spaced(FieldId::Email, Key::Username), FieldId::Email, Key::Username);
        for (const QString &component :
             { FieldId::Zip, FieldId::State, FieldId::City, FieldId::Street, FieldId::Country }) {
            add(spaced(FieldId::Address, component), FieldId::Address, component);
            add(component, FieldId::Address, component);
        }
        for (const QString &field : { FieldId::InstantMessage, FieldId::SocialNetwork }) {
            add(spaced(field, SortOptionWord::ServiceName), field, Key::Service);
            add(spaced(field, Key::Username), field, Key::Username);
        }
        add(FieldId::PhoneticName, FieldId::PhoneticName, Key::StringValue);
        add(FieldId::PhoneticFirstName, FieldId::PhoneticName, FieldId::PhoneticFirstName);
        add(spaced(FieldId::PhoneticName, FieldId::FirstName), FieldId::PhoneticName,
            FieldId::PhoneticFirstName);
        add(FieldId::PhoneticLastName, FieldId::PhoneticName, FieldId::PhoneticLastName);
        add(spaced(FieldId::PhoneticName, FieldId::LastName), FieldId::PhoneticName,
            FieldId::PhoneticLastName);
        for (const QString &nameKey : { FieldId::CompositeName, FieldId::FirstName, FieldId::LastName })
            add(nameKey, FieldId::Name, nameKey);
        return t;
    }();
    return table;
}

} // namespace

SortDescriptor SortDescriptor::defaultSort()
{
    return { FieldId::CompositeName, true };
}

QVariantMap SortDescriptor::toVariantMap() const
{
    return { { SortDescKey::Key, key }, { SortDescKey::Ascending, ascending } };
}

std::optional<SortDescriptor> SortDescriptor::fromVariantMap(const QVariantMap &map)
{
    const QString key = map.value(SortDescKey::Key).toString();
    if (key.isEmpty())
        return std::nullopt;
    return SortDescriptor { key, map.value(SortDescKey::Ascending, true).toBool() };
}

namespace SortKeys {

std::optional<SortKeyParts> separateSortKeyIntoIdentifierAndKey(const QString &sortKey)
{
    if (sortKey.isNull())
        return std::nullopt;
    const auto &table = sortKeyTable();
    const auto it = table.constFind(sortKey);
    if (it != table.constEnd())
        return it.value();
    const qsizetype at = sortKey.indexOf(kLabelSuffix);
    if (at >= 0)
        return SortKeyParts { sortKey.left(at), Key::Label };
    return SortKeyParts { sortKey, Key::StringValue };
}

QString columnSortKey(const QString &identifier, const QString &option)
{
    if (option.isEmpty() || option == identifier)
        return identifier;
    if (identifier == FieldId::Name || identifier == FieldId::PhoneticName)
        return option;
    return spaced(identifier, option);
}

QString sortKeyForOption(const QString &type, const QString &option, bool labeledType)
{
    if (labeledType && !option.contains(type))
        return spaced(type, option);
    return option;
}

QString selectedSortOption(const QVariantMap &sortOptionsDict, const QString &identifier)
{
    return sortOptionsDict.value(identifier).toMap().value(SortOptionKey::Selected).toString();
}

bool selectSortOption(QVariantMap &sortOptionsDict, const QString &identifier, const QString &option)
{
    auto it = sortOptionsDict.find(identifier);
    if (it == sortOptionsDict.end())
        return false;
    QVariantMap entry = it.value().toMap();
    if (entry.value(SortOptionKey::Selected).toString() == option)
        return false;
    entry.insert(SortOptionKey::Selected, option);
    it.value() = entry;
    return true;
}

SortDescriptor initialSortDescriptor(const QVariantMap &lastSortDesc, const QStringList &viewTypeIdentifiers)
{
    const auto last = SortDescriptor::fromVariantMap(lastSortDesc);
    if (!last)
        return SortDescriptor::defaultSort();
    const auto parts = separateSortKeyIntoIdentifierAndKey(last->key);
    // An address component column sorts by a key that names the component, not "Address".
    if (parts && (viewTypeIdentifiers.contains(parts->identifier) || viewTypeIdentifiers.contains(last->key)))
        return *last;
    return SortDescriptor::defaultSort();
}

} // namespace SortKeys
