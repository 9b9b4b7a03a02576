// Sort keys of the contacts table: what a column sorts by, and how a key splits into the field and
// the entry of its value that rows are compared on.
#pragma once

#include <QString>
#include <QVariantMap>
#include <optional>

struct SortKeyParts
{
    QString identifier; // the field ("Phone", "Address", "Name", a custom item...)
    QString valueKey; // the entry compared ("stringValue", "label", "domain", "ZIP"...)
    friend bool operator==(const SortKeyParts &, const SortKeyParts &) = default;
};

// One sort: a key and a direction, remembered in the preferences as {"key", "ascending"}.
struct SortDescriptor
{
    QString key;
    bool ascending = true;

    // The table's sort when it has none: the display name, ascending.
    static SortDescriptor defaultSort();
    QVariantMap toVariantMap() const;
    // Empty when the dictionary holds no key.
    static std::optional<SortDescriptor> fromVariantMap(const QVariantMap &map);
    friend bool operator==(const SortDescriptor &, const SortDescriptor &) = default;
};

namespace SortKeys {

// The field and value key a sort key names; nullopt for a null key. Keys outside the fixed table
// split at " label" when they contain it, else sort the field itself by "stringValue".
std::optional<SortKeyParts> separateSortKeyIntoIdentifierAndKey(const QString &sortKey);

// The sort key of a column from its chosen option: the option itself for "Name" and
// "Phonetic Name" and when it is the identifier, else identifier, space, option ("Email domain").
QString columnSortKey(const QString &identifier, const QString &option);

// The sort key for an option picked in a column's header menu (type = the column's field type).
// Labeled fields, custom ones included, get the type in front unless the option already names it.
QString sortKeyForOption(const QString &type, const QString &option, bool labeledType);

// The "selected" option of a column in the sort-options dictionary; empty when none.
QString selectedSortOption(const QVariantMap &sortOptionsDict, const QString &identifier);

// Sets a column's "selected" option; false when the column has no entry or nothing changed.
bool selectSortOption(QVariantMap &sortOptionsDict, const QString &identifier, const QString &option);

// The sort a window starts with: the remembered one when its field is among the view type's
// columns, else the default sort.
SortDescriptor initialSortDescriptor(const QVariantMap &lastSortDesc, const QStringList &viewTypeIdentifiers);

} // namespace SortKeys
