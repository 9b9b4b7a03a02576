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
            cells.append(CsvSyntax::unescapedCell(line.sliced(start)));
            break;
        }
        cells.append(CsvSyntax::unescapedCell(line.sliced(start, comma - start)));
        start = comma + 1;
    }
    return cells;
}

void appendBackslashes(QString &out, qsizetype count)
{
    out.append(QString(count, CsvText::Backslash));
}

// The two-character escape of a tab or line break; CR LF is one break.
qsizetype appendEscapedBreak(QString &out, QStringView text, qsizetype i)
{
    const QChar c = text.at(i);
    if (c == CsvText::Tab) {
        out += CsvText::EscapedTab;
        return i + 1;
    }
    out += CsvText::EscapedLineFeed;
    return c == u'\r' && i + 1 < text.size() && text.at(i + 1) == CsvText::LineFeed ? i + 2 : i + 1;
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
{ }

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
const QString &documentHeader()
{
    static const QString header = [] {
        QStringList names;
        for (const CsvColumn &column : kCsvColumns)
            names.append(column.fieldName);
        return names.join(CsvText::Separator);
    }();
    return header;
}

bool readsQuotes(QStringView line)
{
    return line.contains(CsvText::SeparatorQuote);
}

QStringList cellsOfLine(QStringView line, qsizetype maxCells)
{
    if (maxCells <= 0)
        return {};
    if (!readsQuotes(line))
        return splitAtEveryComma(line, maxCells);

    QStringList cells;
    qsizetype p = 0;
    while (p < line.size() && cells.size() < maxCells) {
        if (line.at(p) == CsvText::Quote) {
            const qsizetype q = closingQuote(line, p + 1);
            if (q < 0) {
                cells.append(unescapedCell(line.sliced(p + 1)));
                break;
            }
            cells.append(withoutSpaceQuotes(unescapedCell(line.sliced(p + 1, q - p - 1))).toString());
            p = q + 2; // past the comma
        } else {
            const qsizetype comma = line.indexOf(CsvText::Separator, p);
            if (comma < 0) {
                cells.append(unescapedCell(line.sliced(p)));
                break;
            }
            cells.append(unescapedCell(line.sliced(p, comma - p)));
            p = comma + 1;
        }
    }
    return cells;
}

QString escapeBreaks(const QString &cell)
{
    QString out;
    out.reserve(cell.size());
    for (qsizetype i = 0; i < cell.size();) {
        if (cell.at(i) == CsvText::Tab || isLineBreak(cell.at(i)))
            i = appendEscapedBreak(out, cell, i);
        else
            out += cell.at(i++);
    }
    return out;
}

// A run of backslashes is written doubled where it stands before what an escape would start with:
// "n", "t", a line break or tab (whose escape then adds one more), and a comma after a quote, which
// is written as "\," so that no quote of a value stands before a comma, where the reader ends a
// quoted cell. Other backslashes are written as they are, as they always were.
QString documentCellText(QStringView cell)
{
    QString out;
    out.reserve(cell.size() + 2);
    qsizetype i = 0;
    while (i < cell.size()) {
        const qsizetype runStart = i;
        while (i < cell.size() && cell.at(i) == CsvText::Backslash)
            ++i;
        const qsizetype run = i - runStart;
        if (i == cell.size()) {
            appendBackslashes(out, run);
            break;
        }
        const QChar c = cell.at(i);
        const bool afterQuote = runStart > 0 && cell.at(runStart - 1) == CsvText::Quote;
        if (c == CsvText::Separator && afterQuote) {
            appendBackslashes(out, 2 * run + 1);
            out += c;
            ++i;
        } else if (c == CsvText::Tab || isLineBreak(c)) {
            appendBackslashes(out, 2 * run);
            i = appendEscapedBreak(out, cell, i);
        } else {
            const bool escapeLetter = c == CsvText::EscapeLetterLineFeed || c == CsvText::EscapeLetterTab;
            appendBackslashes(out, escapeLetter ? 2 * run : run);
            out += c;
            ++i;
        }
    }
    return out;
}

// An odd run of backslashes before an escape's letter is an escape after half of the rest; an even
// run is half as many backslashes of the value. A comma after a quote is escaped only by an odd run;
// any other backslash is the value's own.
QString unescapedCell(QStringView cell)
{
    if (!cell.contains(CsvText::Backslash))
        return cell.toString();
    QString out;
    out.reserve(cell.size());
    qsizetype i = 0;
    while (i < cell.size()) {
        const qsizetype runStart = i;
        while (i < cell.size() && cell.at(i) == CsvText::Backslash)
            ++i;
        const qsizetype run = i - runStart;
        if (i == cell.size()) {
            appendBackslashes(out, run);
            break;
        }
        const QChar c = cell.at(i++);
        const bool odd = run % 2 == 1;
        if (c == CsvText::EscapeLetterLineFeed || c == CsvText::EscapeLetterTab) {
            appendBackslashes(out, run / 2);
            out += odd ? (c == CsvText::EscapeLetterTab ? CsvText::Tab : CsvText::LineFeed) : c;
        } else if (c == CsvText::Separator && odd && runStart > 0
                   && cell.at(runStart - 1) == CsvText::Quote) {
            appendBackslashes(out, run / 2);
            out += c;
        } else {
            appendBackslashes(out, run);
            out += c;
        }
    }
    return out;
}

QString documentCell(const QString &cell)
{
    QString text = documentCellText(cell);
    // A cell holding a comma goes between quotes, and so does one starting with a quote that no
    // space put there: read between quotes, its own quote would be taken for the writer's.
    const bool spaced = cell.contains(u' ');
    if (text.contains(CsvText::Separator) || (!spaced && text.startsWith(CsvText::Quote)))
        text = CsvText::Quote + text + CsvText::Quote;
    return text;
}

QString quotedIfSpaced(const QString &cell)
{
    if (!cell.contains(u' '))
        return cell;
    return CsvText::Quote + cell + CsvText::Quote;
}

} // namespace CsvSyntax
