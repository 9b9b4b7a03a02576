// Read-only access to the parts of a record the table needs, without copies and without the
// getters that load or default values: row building and sorting call these from worker threads.
#pragma once

#include "record/qvperson.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

// The labeled items of one field of one record: the stored items of a built-in field, or the
// stored list of a custom "Labeled Value" item. Empty for any other identifier.
class LabeledItems
{
public:
    LabeledItems() = default;
    LabeledItems(const QVPerson &person, const QString &identifier);
    LabeledItems(const QVPerson &person, QVPerson::LabeledField field);

    qsizetype size() const { return m_compact ? m_compact->size() : m_list.size(); }
    bool isEmpty() const { return size() == 0; }
    bool contains(qsizetype position) const { return position >= 0 && position < size(); }

    // Entries of the item at a position (which must exist).
    QVariant value(qsizetype position, const QString &key) const;
    QString string(qsizetype position, const QString &key) const;
    QString label(qsizetype position) const;
    // The item's own "labelIndex"; -1 when it has none.
    int labelIndex(qsizetype position) const;

private:
    const CompactList *m_compact = nullptr;
    QVariantList m_list;
};

// The label filter of the table: its first word "All" (or no words at all) lets every label pass.
class LabelFilter
{
public:
    LabelFilter() = default;
    explicit LabelFilter(const QStringList &selectedLabels);

    bool passesAll() const { return m_all; }
    bool passes(const QString &label) const { return m_all || m_labels.contains(label); }

private:
    QStringList m_labels;
    bool m_all = true;
};

namespace RecordReader {

// The value type of an identifier for a record: the record's own answer, else the "Type" of the
// document's custom item of that name, else empty.
QString fieldType(const QVPerson &person, const QString &identifier, const QVariantList &customItems = {});

// A string field or custom string value as stored; empty when none.
QString storedString(const QVPerson &person, const QString &identifier);

} // namespace RecordReader
