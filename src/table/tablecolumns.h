// The columns of the contacts table for a list of field identifiers.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>

struct TableColumn
{
    static constexpr double DefaultWidth = 200;
    static constexpr double MinimumWidth = 20;

    QString identifier;
    QString title; // the header's text
    QString sortKey; // the key of the column's sort-descriptor prototype (ascending)
    double width = DefaultWidth;
    double minWidth = MinimumWidth;
};

namespace TableColumns {

// The Name column first, then one column per other identifier in the given order. Sort keys come
// from the "selected" option of each column's entry in `sortOptionsDict`; widths from
// `columnWidths` (identifier -> width) when stored there.
QList<TableColumn> updateColumns(const QStringList &identifiers, const QVariantMap &sortOptionsDict,
                                 const QVariantMap &columnWidths);

// The column identifiers in display order.
QStringList identifiers(const QList<TableColumn> &columns);

} // namespace TableColumns
