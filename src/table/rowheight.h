// Row heights of the contacts table: how many text lines a row needs, and the height of one line.
#pragma once

#include "record/entries.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace RowHeights {

// A Note taller than this is cut to it (the rest scrolls in the editor).
constexpr int NoteLineCap = 5;

// Lines of a text: pieces between line breaks (CR LF counting as one break).
int textLineCount(const QString &text);

// The lines a row needs over the shown columns: two when the name cell shows the company on a
// contact's first row, else one, raised by any cell text with more lines (Note at most five).
// The label filter does not apply here.
int numberOfLines(const SubContactRow &row, const QStringList &columnIdentifiers, bool showCompanyInNameCell);
// The two parts of that: the lines of the cell texts, which do not depend on the row's place, and
// whether the name cell shows the company (on a contact's first row only).
int cellLines(const SubContactRow &row, const QStringList &columnIdentifiers);

// The lines of the cell texts of many rows under the same columns: what each column reads is
// worked out once, not per row. Safe to use from several threads at once.
class CellLineCounter
{
public:
    explicit CellLineCounter(const QStringList &columnIdentifiers);
    int cellLines(const SubContactRow &row) const;
    // The same for every row of [begin, end): a contact's rows lie together and share the texts
    // of its own fields (the name...), which are read once for them.
    void measureRows(SubContactRow *begin, SubContactRow *end) const;

private:
    enum class Source
    {
        AddressComponent,
        StringField,
        Dictionary,
        BuiltInLabeled,
        Other
    };
    struct Column
    {
        QString identifier;
        Source source = Source::Other;
        QVPerson::LabeledField field = QVPerson::LabeledField::Phone;
        bool note = false;
    };
    // The lines of a column's text; nullopt for a column that shows one of the contact's items
    // when `items` is false, or the contact's own text when it is true.
    std::optional<int> columnLines(const SubContactRow &row, const Column &column, bool items) const;
    int linesOf(const SubContactRow &row, bool items) const;

    QList<Column> m_columns;
};
bool showsCompanyLine(const SubContactRow &row, bool showCompanyInNameCell);

// The height of one table line for a font whose natural line height (ascent + descent + leading)
// and point size are given: never less than 1.42 x the point size, plus 9 points of padding,
// and 20 for tiny fonts.
int rowHeightForLineHeight(double lineHeight, double pointSize);

} // namespace RowHeights
