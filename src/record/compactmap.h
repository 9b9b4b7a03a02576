// Compact, insertion-ordered dictionary in which a record keeps its values.
// A record holds tens of these per contact and files hold a hundred thousand contacts, so this
// stores one flat array instead of a tree of nodes; interfaces hand out QVariantMap copies.
#pragma once

#include <QList>
#include <QString>
#include <QVariant>
#include <QVariantMap>

#include <initializer_list>
#include <utility>

class CompactMap
{
public:
    CompactMap() = default;
    explicit CompactMap(const QVariantMap &map);
    // Built in place by readers; `extra` reserves room for the entries normalising adds.
    CompactMap(std::initializer_list<std::pair<QString, QVariant>> entries, qsizetype extra = 0);

    QVariantMap toVariantMap() const;

    bool contains(const QString &key) const { return find(key) >= 0; }
    QVariant value(const QString &key) const;
    // The entry as text; the empty string when missing.
    QString string(const QString &key) const;
    int integer(const QString &key, int defaultValue = 0) const;
    // Pointer to the stored entry, or nullptr. Valid until the map changes.
    const QVariant *get(const QString &key) const;

    void insert(const QString &key, const QVariant &value);
    void insert(const QString &key, QVariant &&value);
    void remove(const QString &key);
    void clear() { m_entries.clear(); }

    qsizetype size() const { return m_entries.size(); }
    bool isEmpty() const { return m_entries.isEmpty(); }
    void reserve(qsizetype size) { m_entries.reserve(size); }
    void squeeze() { m_entries.squeeze(); }

    bool operator==(const CompactMap &other) const { return toVariantMap() == other.toVariantMap(); }

    // Keys are kept once per process in a key table; an entry holds the key's position in it,
    // which makes an entry 40 bytes instead of 56 (a hundred thousand contacts hold millions).
    struct Entry
    {
        quint32 key;
        QVariant value;
    };

private:
    qsizetype find(const QString &key) const;
    qsizetype indexOf(quint32 position) const;

    QList<Entry> m_entries;
};

// Both move in memory as plain bytes, which spares lists of them element-wise moves.
Q_DECLARE_TYPEINFO(CompactMap::Entry, Q_RELOCATABLE_TYPE);
Q_DECLARE_TYPEINFO(CompactMap, Q_RELOCATABLE_TYPE);

using CompactList = QList<CompactMap>;

// An entry as text, for code written for both forms of a dictionary.
inline QString textOf(const QVariantMap &map, const QString &key)
{
    return map.value(key).toString();
}
inline QString textOf(const CompactMap &map, const QString &key)
{
    return map.string(key);
}

namespace CompactMaps {
QVariantList toVariantList(const CompactList &list);
CompactList fromVariantList(const QVariantList &list);
} // namespace CompactMaps
