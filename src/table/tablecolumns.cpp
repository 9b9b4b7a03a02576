#include "table/tablecolumns.h"

#include "record/keys.h"
#include "record/qvperson.h"
#include "table/sortkeys.h"

#include <algorithm>

namespace {

TableColumn makeColumn(const QString &identifier, const QVariantMap &sortOptionsDict,
                       const QVariantMap &columnWidths)
{
    TableColumn column;
    column.identifier = identifier;
    column.title = QVPerson::localizedIdentifierForKey(identifier);
    column.sortKey
        = SortKeys::columnSortKey(identifier, SortKeys::selectedSortOption(sortOptionsDict, identifier));
    bool ok = false;
    const double stored = columnWidths.value(identifier).toDouble(&ok);
    if (ok && stored > 0)
        column.width = std::max(stored, TableColumn::MinimumWidth);
    return column;
}

} // namespace

namespace TableColumns {

QList<TableColumn> updateColumns(const QStringList &identifiers, const QVariantMap &sortOptionsDict,
                                 const QVariantMap &columnWidths)
{
    QList<TableColumn> columns;
    columns.reserve(identifiers.size() + 1);
    // The Name column is never removed and always stays first.
    columns.append(makeColumn(FieldId::Name, sortOptionsDict, columnWidths));
    QStringList added { FieldId::Name };
    for (const QString &identifier : identifiers) {
        if (added.contains(identifier))
            continue;
        added.append(identifier);
        columns.append(makeColumn(identifier, sortOptionsDict, columnWidths));
    }
    return columns;
}

QStringList identifiers(const QList<TableColumn> &columns)
{
    QStringList ids;
    ids.reserve(columns.size());
    for (const TableColumn &column : columns)
        ids.append(column.identifier);
    return ids;
}

} // namespace TableColumns
