// Find highlighting of table cells: every occurrence of the find string, and the current search
// hit's range when the hit lies in this cell.
#pragma once

#include "record/textrange.h"

#include <QList>
#include <QString>
#include <optional>

// The current search hit as cells see it.
struct FindHit
{
    QString uniqueId;
    QString identifier;
    int labelIndex = 0; // the row position of the item
    TextRange range;
};

struct FindHighlights
{
    QList<TextRange> matches; // drawn light grey
    std::optional<TextRange> current; // drawn orange
};

// Where a cell's text comes from, for matching it against the search hit.
struct CellPlace
{
    QString uniqueId;
    QString identifier;
    std::optional<int> labelIndex; // checked only for cells that show one labeled item
};

namespace FindHighlight {

// Every occurrence of `findString` in `text`, left to right and non-overlapping; literal, and
// case-sensitive only when `findOptions` is "caseSensitive".
QList<TextRange> occurrences(const QString &text, const QString &findString, const QString &findOptions);

// The highlights of one cell; `hit` may be null.
FindHighlights highlights(const QString &text, const QString &findString, const QString &findOptions,
                          const CellPlace &place, const FindHit *hit);

} // namespace FindHighlight
