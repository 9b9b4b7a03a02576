// The find panel's search: every item of every contact that holds the search text, one result
// row per item with all its occurrences, narrowed by field, part and label; and writing a row's
// changed text back into its contact.
#pragma once

#include "editing/contacteditor.h"
#include "record/entries.h"
#include "record/textrange.h"

#include <QList>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

// Matches the search text in one of the panel's three ways.
class TextMatcher
{
public:
    enum class Mode
    {
        CaseInsensitive,
        CaseSensitive,
        Regex
    };

    TextMatcher() = default;
    TextMatcher(const QString &pattern, Mode mode);

    QString pattern() const { return m_pattern; }
    Mode mode() const { return m_mode; }
    // An empty pattern, or a regular expression that does not compile, matches nothing.
    bool isValid() const;
    // Why the regular expression does not compile, with the position; empty otherwise.
    QString errorString() const;

    // Every occurrence, left to right, not overlapping. Empty matches of a regular expression are
    // left out: there is nothing in them to show or replace.
    QList<TextRange> occurrences(const QString &text) const;
    // The text with the occurrence at `range` replaced; a regular expression's replacement may
    // refer to its captures as \1 ... \9.
    QString replaceOccurrence(const QString &text, const TextRange &range, const QString &replacement) const;
    // The text with every occurrence replaced: plain text exactly as typed (case-sensitive), a
    // regular expression with its captures.
    QString replaceAll(const QString &text, const QString &replacement) const;

private:
    QString m_pattern;
    Mode m_mode = Mode::CaseInsensitive;
    QRegularExpression m_regex;
};

struct ResultRow
{
    QString name; // the contact's composite name
    QString item; // the field identifier
    QString subItem; // the part of a composite field; empty when none
    QString label; // the labeled value's label; empty for single-valued fields
    qsizetype index = 0; // the labeled value's position in its field
    QString value;
    QList<TextRange> ranges;
    ContactEntry contact;

    // Dates and birthdays are changed in the date editor only.
    bool isDate() const;
};

// The three filters; each passes everything when its first entry is "All".
struct PanelFilters
{
    QStringList items;
    QStringList subItems;
    QStringList labels;
};

namespace PanelSearch {

// "All", the record's fields with the address components after "Address", then the custom items.
QStringList itemList(const QStringList &customItemNames);
// "All", the name parts, the phonetic parts, the address components and the instant-message services.
QStringList subItemList();

QList<ResultRow> searchContact(const ContactEntry &contact, const PanelFilters &filters,
                               const TextMatcher &matcher);
// Every contact in order, deleted ones left out.
QList<ResultRow> searchContacts(const ContactList &contacts, const PanelFilters &filters,
                                const TextMatcher &matcher);

// Writes `value` as the row's item into its contact (undoable). False for date rows and rows
// whose item is gone.
bool applyValue(ContactEditor &editor, const ResultRow &row, const QString &value);

} // namespace PanelSearch
