// The value a row is sorted by, and the date comparison of sorting.
#pragma once

#include "record/entries.h"
#include "table/recordreader.h"
#include "table/sortkeys.h"

#include <QVariant>

// Reads the sort value of rows for one sort key and label filter: an item's entry for labeled
// fields (nil when the item at the row's position does not pass the filter), name parts,
// phonetic name parts, the birthday's date components, or the field's stored value.
class SortValueReader
{
public:
    SortValueReader(const SortKeyParts &parts, const QStringList &selectedLabels);

    const SortKeyParts &parts() const { return m_parts; }
    // Dates (other than by label) and birthdays compare as dates.
    bool comparesDates() const { return m_comparesDates; }

    // The row's sort value; an invalid QVariant for none.
    QVariant value(const SubContactRow &row) const;
    // Whether value() only reads what records store, so that worker threads may call it (names
    // are composed, and so refreshed, when read).
    bool readsStoredValues() const { return m_source == Source::Dates || m_source == Source::BuiltInLabeled; }

private:
    QVariant labeledValue(const LabeledItems &items, qsizetype position) const;
    QVariant nameValue(QVPerson &person) const;
    QVariant phoneticValue(QVPerson &person) const;

    enum class Source
    {
        Dates,
        BuiltInLabeled,
        Birthday,
        Name,
        PhoneticName,
        Other
    };
    SortKeyParts m_parts;
    LabelFilter m_filter;
    Source m_source = Source::Other;
    std::optional<QVPerson::LabeledField> m_field;
    QString m_itemKey; // the entry of an item that is compared
    bool m_comparesDates = false;
};

namespace SortValues {

// Orders two date-component values: missing ones (nil, not date components, or empty) after
// present ones in both directions; present ones by date, reversed when descending.
// Answers < 0 when a goes first, > 0 when b goes first, 0 when they are the same.
int compareDateComponents(const QVariant &a, const QVariant &b, bool ascending);

// A date-component value as one comparable number (missing parts count as 1, as a calendar
// would fill them); nullopt when the value is missing.
std::optional<qint64> dateOrdinal(const QVariant &value);

// A sort value as text; empty for nil and for values that have no text.
QString sortText(const QVariant &value);

} // namespace SortValues
