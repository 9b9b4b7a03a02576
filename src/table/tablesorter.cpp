#include "table/tablesorter.h"

#include "table/collationkeys.h"
#include "table/sortvalue.h"

#include <QtConcurrent/QtConcurrentMap>
#include <algorithm>
#include <numeric>
#include <vector>

namespace {

// Stable order of rows by their cached date values; missing dates last in both directions.
std::vector<qsizetype> orderByDates(const SubContactRows &rows, bool ascending)
{
    std::vector<std::pair<qint64, qsizetype>> dated;
    std::vector<qsizetype> missing;
    dated.reserve(size_t(rows.size()));
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (const auto ordinal = SortValues::dateOrdinal(rows.at(i).sortValue))
            dated.emplace_back(ascending ? *ordinal : -*ordinal, i);
        else
            missing.push_back(i);
    }
    std::sort(dated.begin(), dated.end());
    std::vector<qsizetype> order;
    order.reserve(size_t(rows.size()));
    for (const auto &entry : dated)
        order.push_back(entry.second);
    order.insert(order.end(), missing.begin(), missing.end());
    return order;
}

std::vector<qsizetype> orderByTexts(const SubContactRows &rows, bool ascending,
                                    TableSorter::KeyMemory *memory)
{
    std::vector<QString> texts;
    texts.reserve(size_t(rows.size()));
    for (const SubContactRow &row : rows)
        texts.push_back(SortValues::sortText(row.sortValue));
    auto keys = std::make_unique<CollationKeys>(
        std::move(texts), memory ? memory->keys() : std::vector<const CollationKeys *>());
    std::vector<qsizetype> order = keys->sortedOrder(ascending);
    if (memory)
        memory->remember(std::move(keys));
    return order;
}

} // namespace

namespace TableSorter {

std::vector<const CollationKeys *> KeyMemory::keys() const
{
    std::vector<const CollationKeys *> known;
    for (const CollationKeys *keys : { m_latest.get(), m_earlier.get() }) {
        if (keys)
            known.push_back(keys);
    }
    return known;
}

void KeyMemory::remember(std::unique_ptr<CollationKeys> keys)
{
    m_earlier = std::move(m_latest);
    m_latest = std::move(keys);
}

std::vector<qsizetype> sortRows(SubContactRows &rows, const SortDescriptor &descriptor,
                                const QStringList &selectedLabels, KeyMemory *memory)
{
    const auto parts = SortKeys::separateSortKeyIntoIdentifierAndKey(descriptor.key);
    if (!parts) {
        std::vector<qsizetype> unchanged(size_t(rows.size()));
        std::iota(unchanged.begin(), unchanged.end(), qsizetype(0));
        return unchanged;
    }
    // Values are read on this thread unless they are stored as they are: some record getters
    // refresh cached names when read.
    const SortValueReader reader(*parts, selectedLabels);
    if (reader.readsStoredValues()) {
        QtConcurrent::blockingMap(rows, [&reader](SubContactRow &row) { row.sortValue = reader.value(row); });
    } else {
        for (SubContactRow &row : rows)
            row.sortValue = reader.value(row);
    }

    const std::vector<qsizetype> order = reader.comparesDates()
        ? orderByDates(rows, descriptor.ascending)
        : orderByTexts(rows, descriptor.ascending, memory);
    SubContactRows sorted;
    sorted.reserve(rows.size());
    for (const qsizetype i : order)
        sorted.append(std::move(rows[i]));
    rows = std::move(sorted);
    return order;
}

void sortSubContactTable(SubContactRows &rows, const QList<SortDescriptor> &descriptors,
                         const QStringList &selectedLabels)
{
    if (!descriptors.isEmpty())
        sortRows(rows, descriptors.constFirst(), selectedLabels);
}

} // namespace TableSorter
