#include "table/tableselection.h"

#include "record/keys.h"
#include "table/recordreader.h"
#include "table/sortvalue.h"

#include <algorithm>

RowIndex::RowIndex(const SubContactRows &rows)
{
    m_rows.reserve(rows.size());
    for (int i = 0; i < rows.size(); ++i)
        m_rows[rows.at(i).uniqueId].append(i);
}

namespace {

// The field whose items a column shows: address components show "Address".
QString itemField(const QString &identifier)
{
    return QVPerson::isAddressIdentifier(identifier) ? FieldId::Address : identifier;
}

// The "labelIndex" of the item at a row's position, or the row's own labelIndex without one.
int itemLabelIndexOrPosition(const SubContactRow &row, const QString &field)
{
    const LabeledItems items(*row.person, field);
    if (items.contains(row.labelIndex)) {
        const int index = items.labelIndex(row.labelIndex);
        if (index >= 0)
            return index;
    }
    return row.labelIndex;
}

bool validRow(const SubContactRows &rows, int row)
{
    return row >= 0 && row < rows.size() && rows.at(row).person;
}

} // namespace

namespace TableSelection {

ContactList selectedContacts(const SubContactRows &rows, const QList<int> &selectedRows,
                             const ContactList &contactTable, int clickedRow)
{
    QSet<QString> ids;
    for (const int row : selectedRows) {
        if (validRow(rows, row))
            ids.insert(rows.at(row).uniqueId);
    }
    if (clickedRow != -1 && validRow(rows, clickedRow))
        ids.insert(rows.at(clickedRow).uniqueId);
    ContactList contacts;
    if (ids.isEmpty())
        return contacts;
    for (const ContactEntry &entry : contactTable) {
        if (entry && !entry->deleted && ids.contains(entry->uniqueId))
            contacts.append(entry);
    }
    return contacts;
}

ContactList contactsForIndexes(const SubContactRows &rows, const QList<int> &indexes,
                               const ContactList &contactTable)
{
    QHash<QString, ContactEntry> entries;
    entries.reserve(contactTable.size());
    for (const ContactEntry &entry : contactTable) {
        // A live entry wins over a deleted one of the same contact.
        if (entry && !entry->deleted && !entries.contains(entry->uniqueId))
            entries.insert(entry->uniqueId, entry);
    }
    QList<int> sorted = indexes;
    std::sort(sorted.begin(), sorted.end());
    ContactList contacts;
    QSet<QString> taken;
    for (const int row : std::as_const(sorted)) {
        if (!validRow(rows, row))
            continue;
        const QString &id = rows.at(row).uniqueId;
        const ContactEntry entry = entries.value(id);
        if (entry && !taken.contains(id)) {
            taken.insert(id);
            contacts.append(entry);
        }
    }
    return contacts;
}

QList<int> rowsForContacts(const RowIndex &index, const ContactList &contacts)
{
    QList<int> rows;
    QSet<QString> seen;
    for (const ContactEntry &entry : contacts) {
        if (!entry || seen.contains(entry->uniqueId))
            continue;
        seen.insert(entry->uniqueId);
        rows += index.rowsFor(entry->uniqueId);
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

ReloadSelection rememberSelection(const SubContactRows &rows, const QList<int> &selectedRows,
                                  const QString &sortKey, const QVariantList &customItems)
{
    ReloadSelection remembered;
    remembered.oldIndexes = selectedRows;
    const auto parts = SortKeys::separateSortKeyIntoIdentifierAndKey(sortKey);
    remembered.sortIdentifier = parts ? itemField(parts->identifier) : FieldId::Name;

    if (selectedRows.isEmpty() || *std::max_element(selectedRows.begin(), selectedRows.end()) >= rows.size())
        return remembered;
    for (const int i : selectedRows) {
        if (!validRow(rows, i))
            continue;
        const SubContactRow &row = rows.at(i);
        ReloadSelection::Entry entry { row.uniqueId, row.labelIndex, ReloadSelection::Match::Position };
        const QString type = RecordReader::fieldType(*row.person, remembered.sortIdentifier, customItems);
        if (remembered.sortIdentifier == FieldId::Address) {
            entry.match = ReloadSelection::Match::Address;
            entry.index = itemLabelIndexOrPosition(row, FieldId::Address);
        } else if (type == ValueType::Labeled) {
            entry.match = ReloadSelection::Match::Labeled;
            entry.index = itemLabelIndexOrPosition(row, remembered.sortIdentifier);
        } else if (type == ValueType::String) {
            entry.match = ReloadSelection::Match::Contact;
        }
        remembered.entries.append(entry);
    }
    return remembered;
}

QList<int> restoreSelection(const SubContactRows &rows, const ReloadSelection &remembered)
{
    QHash<QString, QList<ReloadSelection::Entry>> byContact;
    for (const ReloadSelection::Entry &entry : remembered.entries)
        byContact[entry.uniqueId].append(entry);

    QList<int> selection;
    for (int i = 0; !byContact.isEmpty() && i < rows.size(); ++i) {
        const SubContactRow &row = rows.at(i);
        if (!row.person)
            continue;
        // Only contacts of selected rows are looked for, and those were among the old rows.
        const auto it = byContact.constFind(row.uniqueId);
        if (it == byContact.constEnd())
            continue;
        for (const ReloadSelection::Entry &entry : it.value()) {
            bool match = false;
            switch (entry.match) {
            case ReloadSelection::Match::Position:
                match = entry.index == row.labelIndex;
                break;
            case ReloadSelection::Match::Address:
            case ReloadSelection::Match::Labeled:
                match = entry.index == itemLabelIndexOrPosition(row, remembered.sortIdentifier);
                break;
            case ReloadSelection::Match::Contact:
                match = true;
                break;
            }
            if (match) {
                selection.append(i);
                break;
            }
        }
    }
    if (!selection.isEmpty())
        return selection;
    // Old indexes past the rebuilt rows would point at the total row or nothing.
    for (const int i : remembered.oldIndexes) {
        if (i >= 0 && i < rows.size())
            selection.append(i);
    }
    return selection;
}

ItemLocator locateItem(const SubContactRow &row, const QString &identifier)
{
    ItemLocator item { row.uniqueId, row.labelIndex };
    if (identifier.isEmpty() || !row.person)
        return item;
    const LabeledItems items(*row.person, itemField(identifier));
    if (items.isEmpty())
        item.itemIndex = 0;
    else if (items.contains(row.labelIndex))
        item.itemIndex = items.labelIndex(row.labelIndex);
    else
        item.itemIndex = -1;
    return item;
}

int rowForItem(const SubContactRows &rows, const RowIndex &index, const ItemLocator &item,
               const QString &identifier)
{
    for (const int i : index.rowsFor(item.uniqueId)) {
        if (validRow(rows, i) && locateItem(rows.at(i), identifier).itemIndex == item.itemIndex)
            return i;
    }
    return -1;
}

SortAnchor anchorForSort(const SubContactRow &row, const SortDescriptor &sort,
                         const QStringList &selectedLabels)
{
    SortAnchor anchor { row.uniqueId, row.labelIndex, {} };
    if (const auto parts = SortKeys::separateSortKeyIntoIdentifierAndKey(sort.key))
        anchor.value = SortValueReader(*parts, selectedLabels).value(row);
    return anchor;
}

int rowFollowingSort(const SubContactRows &rows, const RowIndex &index, const SortAnchor &anchor,
                     const SortDescriptor &sort, const QStringList &selectedLabels)
{
    const auto parts = SortKeys::separateSortKeyIntoIdentifierAndKey(sort.key);
    std::optional<SortValueReader> reader;
    if (parts)
        reader.emplace(*parts, selectedLabels);
    for (const int i : index.rowsFor(anchor.uniqueId)) {
        if (!validRow(rows, i))
            continue;
        const SubContactRow &row = rows.at(i);
        if (anchor.value.isValid() ? reader && reader->value(row) == anchor.value
                                   : row.labelIndex == anchor.labelIndex)
            return i;
    }
    return -1;
}

} // namespace TableSelection
