// Sorting the table's rows by one sort descriptor.
//
// Each row's sort value is read once per sort (and cached in the row's sortValue); texts are
// turned into collation keys once, in parallel, so the comparisons themselves touch no record and
// no QVariant. Missing or empty values go last in both directions; the sort is stable.
#pragma once

#include "record/entries.h"
#include "table/sortkeys.h"

#include <QList>
#include <QStringList>

namespace TableSorter {

// Sorts by the first descriptor; nothing happens for an empty list.
void sortSubContactTable(SubContactRows &rows, const QList<SortDescriptor> &descriptors,
                         const QStringList &selectedLabels);
void sortRows(SubContactRows &rows, const SortDescriptor &descriptor, const QStringList &selectedLabels);

} // namespace TableSorter
