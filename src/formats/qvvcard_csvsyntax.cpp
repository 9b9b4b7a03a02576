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

QChar separatorOfHeader(QStringView text)
{
    qsizetype counts[std::size(CsvText::Separators)] = {};
    bool quoted = false;
    for (const QChar c : text) {
        if (c == CsvText::Quote)
            quoted = !quoted;
        else if (!quoted && isLineBreak(c))
            break;
        for (std::size_t i = 0; !quoted && i < std::size(CsvText::Separators); ++i) {
            if (c == CsvText::Separators[i])
                ++counts[i];
        }
    }
    std::size_t best = 0;
    for (std::size_t i = 1; i < std::size(CsvText::Separators); ++i) {
        if (counts[i] > counts[best])
            best = i;
    }
    return CsvText::Separators[best];
}

RecordReader::RecordReader(QStringView text, QChar separator)
    : m_text(text)
    , m_separator(separator)
{
}

// The closing quote of a quoted cell whose text starts at `from`: the first quote not doubled;
// -1 when the text ends first.
qsizetype RecordReader::closingQuote(qsizetype from)
{
    if (m_unclosedFrom >= 0 && from >= m_unclosedFrom)
        return -1;
    for (qsizetype q = m_text.indexOf(CsvText::Quote, from); q >= 0;
         q = m_text.indexOf(CsvText::Quote, q + 2)) {
        if (q + 1 >= m_text.size() || m_text.at(q + 1) != CsvText::Quote)
            return q;
    }
    m_unclosedFrom = from;
    return -1;
}

// Reads the quoted cell opening at m_pos into cell and returns the position after its closing
// quote, or -1 when it never closes (the opening quote is then an ordinary character).
qsizetype RecordReader::quotedCell(QString &cell)
{
    const qsizetype close = closingQuote(m_pos + 1);
    if (close < 0)
        return -1;
    const QStringView inner = m_text.sliced(m_pos + 1, close - m_pos - 1);
    cell.reserve(inner.size());
    for (qsizetype i = 0; i < inner.size(); ++i) {
        const QChar c = inner.at(i);
        if (c == CsvText::Quote) {
            ++i; // the second of a doubled quote
        } else if (c == u'\r') {
            if (i + 1 < inner.size() && inner.at(i + 1) == CsvText::LineFeed)
                ++i;
            cell += CsvText::LineFeed;
            continue;
        }
        cell += c;
    }
    return close + 1;
}

QStringList RecordReader::next(qsizetype *rawSize)
{
    const qsizetype start = m_pos;
    QStringList cells;
    QString cell;
    bool cellStart = true;
    while (m_pos < m_text.size()) {
        const QChar c = m_text.at(m_pos);
        if (cellStart && c == CsvText::Quote) {
            cellStart = false;
            const qsizetype after = quotedCell(cell);
            if (after >= 0) {
                m_pos = after;
                continue;
            }
        }
        cellStart = false;
        if (c == m_separator) {
            cells.append(std::exchange(cell, QString()));
            cellStart = true;
        } else if (isLineBreak(c)) {
            break;
        } else {
            // Text after a closing quote, or a quote inside an unquoted cell, is kept as it is.
            const qsizetype end = m_pos + 1;
            qsizetype stop = end;
            while (stop < m_text.size() && m_text.at(stop) != m_separator && !isLineBreak(m_text.at(stop)))
                ++stop;
            cell += m_text.sliced(m_pos, stop - m_pos);
            m_pos = stop;
            continue;
        }
        ++m_pos;
    }
    cells.append(cell);
    if (rawSize)
        *rawSize = m_pos - start;
    // The record's line break: CR LF counts as one.
    if (m_pos < m_text.size()) {
        if (m_text.at(m_pos) == u'\r' && m_pos + 1 < m_text.size()
            && m_text.at(m_pos + 1) == CsvText::LineFeed)
            ++m_pos;
        ++m_pos;
    }
    return cells;
}

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
