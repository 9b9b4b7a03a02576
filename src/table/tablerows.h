// The whole row table of a reload: rows rebuilt from the contacts, sorted, and the rows that
// continue a contact marked; and the text of the total row below them.
#pragma once

#include "record/entries.h"
#include "table/sortkeys.h"
#include "table/tablesorter.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

namespace TableRows {

// Rebuilds and sorts the rows; without a sort the table sorts by the display name, ascending.
// measure, when given, sees the rows while they are still in the contacts' order, which walks the
// records in the order they lie in memory. memory, when given, carries collation keys from one
// sort to the next. builtAt, when given, receives each sorted row's place in the order the rows
// were built in (the contacts' order).
SubContactRows reloadRows(const ContactList &contacts, const QStringList &identifiers,
                          const QStringList &selectedLabels, const std::optional<SortDescriptor> &sort,
                          const std::function<void(SubContactRows &)> &measure = {},
                          TableSorter::KeyMemory *memory = nullptr,
                          std::vector<qsizetype> *builtAt = nullptr);

// The number of contacts the rows show (their first rows).
qsizetype contactCount(const SubContactRows &rows);

// "<group>: total <n> contacts", localised.
QString totalRowText(const QString &groupName, qsizetype contactCount);

} // namespace TableRows
