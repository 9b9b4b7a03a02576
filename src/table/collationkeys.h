// Collation keys for sorting many texts at once: the user's locale order, ignoring case but not
// accents. Keys are built once per sort, in parallel slices, into flat buffers; the sort then
// compares bytes only. The keys of one sort can serve the next: a reload or a click on the same
// column sorts mostly the very same texts.
#pragma once

#include <QString>
#include <memory>
#include <vector>

class CollationKeys
{
public:
    // Empty texts get no key.
    explicit CollationKeys(const std::vector<QString> &texts);
    // Texts that earlier keys hold are not collated again: their keys are copied. A text counts as
    // held when it is the very same shared string; a record that changes stores a new one, so its
    // old key is never reused. The texts are kept (shared) for the sorts after.
    CollationKeys(std::vector<QString> texts, const std::vector<const CollationKeys *> &earlier);
    ~CollationKeys();
    CollationKeys(const CollationKeys &) = delete;
    CollationKeys &operator=(const CollationKeys &) = delete;

    qsizetype size() const { return qsizetype(m_keys.size()); }
    bool hasKey(qsizetype i) const { return m_keys[size_t(i)] != nullptr; }

    // Positions of the texts with keys in collation order (ties keep their original order),
    // followed by the positions without keys in their original order.
    std::vector<qsizetype> sortedOrder(bool ascending) const;

private:
    // Whether the i-th text was the very same shared text, with a key.
    bool keyInPlace(const QString &text, size_t i) const;

    std::vector<QString> m_texts;
    QString m_localeName; // the collation the keys were made for
    std::vector<std::vector<char>> m_buffers; // one per slice
    std::vector<const char *> m_keys; // NUL-terminated keys, nullptr for none
};
