// Selection over the table's rows: which contacts selected rows stand for, which rows show given
// contacts, and which rows to select again after the rows were rebuilt.
#pragma once

#include "record/entries.h"
#include "table/sortkeys.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QStringList>
#include <QVariant>

// uniqueId -> the positions of that contact's rows, in row order.
class RowIndex
{
public:
    RowIndex() = default;
    explicit RowIndex(const SubContactRows &rows);

    QList<int> rowsFor(const QString &uniqueId) const { return m_rows.value(uniqueId); }
    bool contains(const QString &uniqueId) const { return m_rows.contains(uniqueId); }

private:
    QHash<QString, QList<int>> m_rows;
};

namespace TableSelection {

// The entries of the contacts shown by the selected rows (plus the clicked row when it is not -1),
// in contact-table order, each once; deleted entries are left out.
ContactList selectedContacts(const SubContactRows &rows, const QList<int> &selectedRows,
                             const ContactList &contactTable, int clickedRow = -1);

// The entries of the rows at the given indexes, in row order, each once, deleted ones skipped.
ContactList contactsForIndexes(const SubContactRows &rows, const QList<int> &indexes,
                               const ContactList &contactTable);

// Every row showing one of the contacts, ascending.
QList<int> rowsForContacts(const RowIndex &index, const ContactList &contacts);

// What a reload keeps of the selection: the sort field and, per selected row, its contact and the
// item it shows in that field.
struct ReloadSelection
{
    enum class Match
    {
        Position,
        Address,
        Labeled,
        Contact
    };
    struct Entry
    {
        QString uniqueId;
        int index = 0;
        Match match = Match::Position;
    };

    QList<int> oldIndexes;
    QString sortIdentifier;
    QList<Entry> entries;
};

// Remembers the selection before a reload sorted by `sortKey` (an empty key: unsorted).
ReloadSelection rememberSelection(const SubContactRows &rows, const QList<int> &selectedRows,
                                  const QString &sortKey, const QVariantList &customItems = {});

// The rows to select after the reload: the rows showing the same items of the same contacts, or
// the old indexes (those still within the rows) when none is found.
QList<int> restoreSelection(const SubContactRows &rows, const ReloadSelection &remembered);

// A row's item in a field, as reloads after an edit of that field find it again.
struct ItemLocator
{
    QString uniqueId;
    int itemIndex = 0;
};

// The row's labelIndex for an empty identifier; otherwise the "labelIndex" of the item at the
// row's position in that field (0 when the field holds no items, -1 past its last item).
ItemLocator locateItem(const SubContactRow &row, const QString &identifier);

// The first row showing the same item of the same contact; -1 when none.
int rowForItem(const SubContactRows &rows, const RowIndex &index, const ItemLocator &item,
               const QString &identifier);

// The selected row's contact, position and value under a sort, taken before re-sorting.
struct SortAnchor
{
    QString uniqueId;
    int labelIndex = 0;
    QVariant value;
};

SortAnchor anchorForSort(const SubContactRow &row, const SortDescriptor &sort,
                         const QStringList &selectedLabels);

// After re-sorting: the first row of the anchor's contact whose value under the sort equals the
// anchor's value (or, when the anchor has none, whose labelIndex equals its labelIndex); -1 when none.
int rowFollowingSort(const SubContactRows &rows, const RowIndex &index, const SortAnchor &anchor,
                     const SortDescriptor &sort, const QStringList &selectedLabels);

} // namespace TableSelection
