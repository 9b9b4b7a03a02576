#include "table/tablerows.h"

#include "table/subcontactbuilder.h"
#include "table/tablesorter.h"

#include <QCoreApplication>
#include <algorithm>

namespace TableRows {

SubContactRows reloadRows(const ContactList &contacts, const QStringList &identifiers,
                          const QStringList &selectedLabels, const std::optional<SortDescriptor> &sort,
                          const std::function<void(SubContactRows &)> &measure,
                          TableSorter::KeyMemory *memory, std::vector<qsizetype> *builtAt)
{
    SubContactRows rows = SubContactBuilder::updateSubContactTable(contacts, identifiers, selectedLabels);
    if (measure)
        measure(rows);
    std::vector<qsizetype> order
        = TableSorter::sortRows(rows, sort.value_or(SortDescriptor::defaultSort()), selectedLabels, memory);
    if (builtAt)
        *builtAt = std::move(order);
    SubContactBuilder::markNotFirstRows(rows);
    return rows;
}

qsizetype contactCount(const SubContactRows &rows)
{
    return std::count_if(rows.cbegin(), rows.cend(),
                         [](const SubContactRow &row) { return row.labelIndex == 0; });
}

QString totalRowText(const QString &groupName, qsizetype contactCount)
{
    // %n picks the plural form of the installed translation (English has one of its own).
    return QCoreApplication::translate("ContactsViewController", "%1: total %n contacts", nullptr,
                                       int(contactCount))
        .arg(groupName);
}

} // namespace TableRows
