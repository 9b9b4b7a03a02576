// The CSV dialect below the reader and writer of QVvCard: cutting text into lines and lines into
// cells, and the escapes and quotes a cell is written with.
#pragma once

#include "record/datecomponents.h"
#include "record/entries.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QVariantMap>
#include <optional>

namespace CsvSyntax {

// The lines of the text, cut at every line-break character (LF, CR, VT, FF, NEL, U+2028, U+2029).
// A CR LF pair leaves an empty line between its two characters.
QList<QStringView> splitLines(QStringView text);

// Whether a data line is read with quotes: it has a comma directly followed by a double quote.
bool readsQuotes(QStringView line);

// The first line of a written document: the names of its fixed columns.
const QString &documentHeader();

// The cells of one data line, at most maxCells of them, unescaped. A line that reads quotes is cut
// around its quoted cells; any other line is split at every comma.
QStringList cellsOfLine(QStringView line, qsizetype maxCells);

// The separator a delimited file uses, told by its first line: the most frequent of comma,
// semicolon and tab outside quotes; a comma when none is there.
QChar separatorOfHeader(QStringView text);

// Records of delimited text as exports of other programs write them (RFC 4180): a cell in double
// quotes may hold separators, line breaks and doubled quotes, which stand for one. Outside quotes
// every line-break character ends the record, CR LF being one break.
class RecordReader
{
public:
    RecordReader(QStringView text, QChar separator);

    bool atEnd() const { return m_pos >= m_text.size(); }
    // The cells of the next record. rawSize is the number of characters it spans, without its
    // line break.
    QStringList next(qsizetype *rawSize = nullptr);

private:
    qsizetype closingQuote(qsizetype from);
    qsizetype quotedCell(QString &cell);

    QStringView m_text;
    QChar m_separator;
    qsizetype m_pos = 0;
    // Where a search for a closing quote once ran to the end without one: no quote after it can
    // close, so later cells do not search again (a file of stray quotes stays linear).
    qsizetype m_unclosedFrom = -1;
};

// Line breaks and tabs inside a cell as the two-character escapes "\n" and "\t" (copied lines).
QString escapeBreaks(const QString &cell);

// A cell of a written document: escaped so that it reads back as it is, and between quotes where
// it needs them. unescapedCell() reads the escapes back.
QString documentCell(const QString &cell);
QString unescapedCell(QStringView cell);

// The cell text with a pair of double quotes around it when it contains a space.
QString quotedIfSpaced(const QString &cell);

} // namespace CsvSyntax

// The contact dictionary a CSV line gathers, and the record made of it.
namespace CsvContact {

// "1980.05.17", optionally followed by a weekday after a space or in brackets.
std::optional<DateComponents> birthdayFromText(const QString &text);

// A full name without name parts becomes the first name, or the company's name when it repeats it.
// quotesKept: the name's cell was not read with quotes, so quotes around it are the writer's.
void keepFullName(QVariantMap &contact, bool quotesKept = true);

// A new record holding the dictionary's values, in its entry.
ContactEntry entryFromContact(const QVariantMap &contact);

} // namespace CsvContact
