// The CSV dialect: lines, cells, quotes and escapes.
#include "formats/csvkeys.h"
#include "formats/qvvcard_csv_p.h"

namespace {

bool isLineBreak(QChar c)
{
    switch (c.unicode()) {
    case 0x000A: // line feed
    case 0x000B: // vertical tab
    case 0x000C: // form feed
    case 0x000D: // carriage return
    case 0x0085: // next line
    case 0x2028: // line separator
    case 0x2029: // paragraph separator
        return true;
    default:
        return false;
    }
}

// The quote that closes a quoted cell whose text starts at `from`: the first double quote that
// ends the line or stands before a comma; -1 when there is none.
qsizetype closingQuote(QStringView line, qsizetype from)
{
    qsizetype q = line.indexOf(CsvText::Quote, from);
    while (q >= 0) {
        if (q == line.size() - 1 || line.at(q + 1) == CsvText::Separator)
            return q;
        q = line.indexOf(CsvText::Quote, q + 1);
    }
    return -1;
}

// A cell holding a space and a comma is written in two pairs of quotes (one for the space, one for
// the comma); the outer pair is gone, take off the inner one.
QStringView withoutSpaceQuotes(QStringView cell)
{
    if (cell.size() >= 2 && cell.front() == CsvText::Quote && cell.back() == CsvText::Quote) {
        const QStringView inner = cell.sliced(1, cell.size() - 2);
        if (inner.contains(CsvText::Separator) && inner.contains(u' '))
            return inner;
    }
    return cell;
}

QStringList splitAtEveryComma(QStringView line, qsizetype maxCells)
{
    QStringList cells;
    qsizetype start = 0;
    while (cells.size() < maxCells) {
        const qsizetype comma = line.indexOf(CsvText::Separator, start);
        if (comma < 0) {
            cells.append(line.sliced(start).toString());
            break;
        }
        cells.append(line.sliced(start, comma - start).toString());
        start = comma + 1;
    }
    return cells;
}

} // namespace

namespace CsvSyntax {

QList<QStringView> splitLines(QStringView text)
{
    QList<QStringView> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (isLineBreak(text.at(i))) {
            lines.append(text.sliced(start, i - start));
            start = i + 1;
        }
    }
    lines.append(text.sliced(start));
    return lines;
}

// Cells are read left to right from position p. A cell that starts with a double quote runs to
// its closing quote and may hold commas; any other cell runs to the next comma.
//
// The closing quote is the first one that ends the line or stands before a comma, not simply the
// next quote: the writer does not escape quotes, so a cell such as "Bob "the builder"" or the
// doubly quoted ""Main St, 5"" must not end early, or every later cell of the line would land in
// the wrong column. Doubled quotes are no escape and stay as they are.
//
// A quote that is never closed (the dialect allows no line break inside a cell) opens a cell that
// takes the rest of the line, so that nothing of the line is lost.
QStringList cellsOfLine(QStringView line, qsizetype maxCells)
{
    if (maxCells <= 0)
        return {};
    if (!line.contains(CsvText::SeparatorQuote))
        return splitAtEveryComma(line, maxCells);

    QStringList cells;
    qsizetype p = 0;
    while (p < line.size() && cells.size() < maxCells) {
        if (line.at(p) == CsvText::Quote) {
            const qsizetype q = closingQuote(line, p + 1);
            if (q < 0) {
                cells.append(line.sliced(p + 1).toString());
                break;
            }
            cells.append(withoutSpaceQuotes(line.sliced(p + 1, q - p - 1)).toString());
            p = q + 2; // past the comma
        } else {
            const qsizetype comma = line.indexOf(CsvText::Separator, p);
            if (comma < 0) {
                cells.append(line.sliced(p).toString());
                break;
            }
            cells.append(line.sliced(p, comma - p).toString());
            p = comma + 1;
        }
    }
    return cells;
}

QString escapeBreaks(const QString &cell)
{
    QString out;
    out.reserve(cell.size());
    for (qsizetype i = 0; i < cell.size(); ++i) {
        const QChar c = cell.at(i);
        if (c == CsvText::Tab) {
            out += CsvText::EscapedTab;
        } else if (isLineBreak(c)) {
            // Every kind of line break would end the line for the reader; CR LF is one break.
            if (c == u'\r' && i + 1 < cell.size() && cell.at(i + 1) == u'\n')
                ++i;
            out += CsvText::EscapedLineFeed;
        } else {
            out += c;
        }
    }
    return out;
}

QString unescapeBreaks(const QString &cell)
{
    if (!cell.contains(u'\\'))
        return cell;
    QString out = cell;
    out.replace(CsvText::EscapedLineFeed, QString(CsvText::LineFeed));
    out.replace(CsvText::EscapedTab, QString(CsvText::Tab));
    return out;
}

QString quotedIfSpaced(const QString &cell)
{
    if (!cell.contains(u' '))
        return cell;
    return CsvText::Quote + cell + CsvText::Quote;
}

} // namespace CsvSyntax
