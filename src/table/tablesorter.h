// Sorting the table's rows by one sort descriptor.
//
// Each row's sort value is read once per sort (and cached in the row's sortValue); texts are
// turned into collation keys once, in parallel, so the comparisons themselves touch no record and
// no QVariant. Missing or empty values go last in both directions; the sort is stable.
#pragma once

#include "record/entries.h"
#include "table/collationkeys.h"
#include "table/sortkeys.h"

#include <QList>
#include <QStringList>
#include <memory>
#include <vector>

namespace TableSorter {

// The collation keys of a table's last two sorts by text, kept for its next sort: a reload, a
// click on the same column or a return to the group shown before sorts mostly the same texts.
class KeyMemory
{
public:
    std::vector<const CollationKeys *> keys() const;
    void remember(std::unique_ptr<CollationKeys> keys);

private:
    std::unique_ptr<CollationKeys> m_latest;
    std::unique_ptr<CollationKeys> m_earlier;
};

// Sorts by the first descriptor; nothing happens for an empty list.
void sortSubContactTable(SubContactRows &rows, const QList<SortDescriptor> &descriptors,
                         const QStringList &selectedLabels);
// Answers where each row came from: the sorted row i was row order[i] before. An invalid sort key
// leaves the rows as they are (and answers that).
std::vector<qsizetype> sortRows(SubContactRows &rows, const SortDescriptor &descriptor,
                                const QStringList &selectedLabels, KeyMemory *memory = nullptr);

} // namespace TableSorter
