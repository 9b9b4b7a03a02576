// The whole row table of a reload: rows rebuilt from the contacts, sorted, and the rows that
// continue a contact marked; and the text of the total row below them.
#pragma once

#include "record/entries.h"
#include "table/sortkeys.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace TableRows {

// Rebuilds and sorts the rows; without a sort the table sorts by the display name, ascending.
SubContactRows reloadRows(const ContactList &contacts, const QStringList &identifiers,
                          const QStringList &selectedLabels, const std::optional<SortDescriptor> &sort);

// The number of contacts the rows show (their first rows).
qsizetype contactCount(const SubContactRows &rows);

// "<group>: total <n> contacts", localised.
QString totalRowText(const QString &groupName, qsizetype contactCount);

} // namespace TableRows
