// The CSV dialect below the reader and writer of QVvCard: cutting text into lines and lines into
// cells, and the escapes and quotes a cell is written with.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace CsvSyntax {

// The lines of the text, cut at every line-break character (LF, CR, VT, FF, NEL, U+2028, U+2029).
// A CR LF pair leaves an empty line between its two characters.
QList<QStringView> splitLines(QStringView text);

// The cells of one data line, at most maxCells of them. A line with a comma directly followed by a
// double quote is read with quotes; any other line is split at every comma.
QStringList cellsOfLine(QStringView line, qsizetype maxCells);

// Line breaks and tabs inside a cell as the two-character escapes "\n" and "\t", and back.
QString escapeBreaks(const QString &cell);
QString unescapeBreaks(const QString &cell);

// The cell text with a pair of double quotes around it when it contains a space.
QString quotedIfSpaced(const QString &cell);

} // namespace CsvSyntax
