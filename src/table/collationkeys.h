// Collation keys for sorting many texts at once: the user's locale order, ignoring case but not
// accents. Keys are built once per sort, in parallel slices, into flat buffers; the sort then
// compares bytes only.
#pragma once

#include <QString>
#include <memory>
#include <vector>

class CollationKeys
{
public:
    // Empty texts get no key.
    explicit CollationKeys(const std::vector<QString> &texts);
    ~CollationKeys();
    CollationKeys(const CollationKeys &) = delete;
    CollationKeys &operator=(const CollationKeys &) = delete;

    qsizetype size() const { return qsizetype(m_keys.size()); }
    bool hasKey(qsizetype i) const { return m_keys[size_t(i)] != nullptr; }

    // Positions of the texts with keys in collation order (ties keep their original order),
    // followed by the positions without keys in their original order.
    std::vector<qsizetype> sortedOrder(bool ascending) const;

private:
    std::vector<std::vector<char>> m_buffers; // one per slice
    std::vector<const char *> m_keys; // NUL-terminated keys, nullptr for none
};
