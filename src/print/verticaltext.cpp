#include "print/verticaltext.h"

#include "print/printmetrics.h"

#include <QPainter>
#include <QTextBoundaryFinder>

namespace VerticalText {
namespace {

const QString smallKana = QStringLiteral("ァィゥェォッャュョぁぃぅぇぉっゃゅょ");

bool inRange(char16_t c, char16_t first, char16_t last)
{
    return c >= first && c <= last;
}

} // namespace

bool isJapanese(char16_t c)
{
    return inRange(c, 0x3000, 0x303F) || inRange(c, 0x3040, 0x30FF) || inRange(c, 0x3200, 0x32FF)
        || inRange(c, 0x3300, 0x34FF) || inRange(c, 0x3400, 0x4DBF) || inRange(c, 0x4E00, 0x9FFF)
        || inRange(c, 0xF900, 0xFAFF);
}

CharClass classify(char16_t c)
{
    if (c == 0x2010 || c == 0x2011 || c == 0x2015 || c == 0x30FC)
        return CharClass::Dash;
    if (c == u'\n')
        return CharClass::LineFeed;
    if (smallKana.contains(QChar(c)))
        return CharClass::SmallKana;
    if (c < 0x0100 || c == 0xFF70)
        return CharClass::Narrow;
    if (inRange(c, 0xFF61, 0xFFD1))
        return CharClass::Halfwidth;
    if (inRange(c, 0xFF02, 0xFF5F) || isJapanese(c))
        return CharClass::Upright;
    // Everything else (other scripts, symbols, characters beyond one code unit) is turned.
    return CharClass::Narrow;
}

qreal descender(const QFont &font)
{
    // Fonts with tall line metrics (CJK fonts often have them) would push upright characters up
    // into the cell above; the ideographic em box puts the baseline 0.12 em above the cell's foot.
    return std::min(PrintMetrics::metrics(font).descent(), 0.12 * font.pointSizeF());
}

Layout layout(const QString &text, const QFont &font, QPointF point, Direction direction)
{
    Layout out;
    const qreal x = point.x();
    const qreal y = point.y();
    if (text.isEmpty()) {
        out.covered = QRectF(x, y, 0, 0);
        return out;
    }
    const QFontMetricsF fm = PrintMetrics::metrics(font);
    const qreal p = font.pointSizeF();
    const qreal d = -descender(font);
    const bool columns = direction == Direction::Columns;
    qreal cx = columns ? x - p : x;
    qreal cy = columns ? y : y + p;
    qreal maxX = cx;
    qreal maxY = cy;

    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = finder.toNextBoundary();
        if (end <= start)
            end = text.size();
        const QString character = text.mid(start, end - start);
        start = end;
        Placement placed { character, {}, 0 };
        switch (classify(character.at(0).unicode())) {
        case CharClass::LineFeed:
            if (columns) {
                cx -= p;
                maxY = std::max(maxY, cy);
                cy = y;
            } else {
                maxX = std::max(maxX, cx);
                cx = x;
                cy += p;
            }
            continue;
        case CharClass::Dash:
            // Without vertical glyph forms a dash or long-vowel mark would lie across the column;
            // it is turned so that it runs along it, over a full cell.
            if (columns) {
                placed.origin = { cx - d, cy };
                placed.rotation = 90;
                cy += p;
            } else {
                placed.origin = { cx, cy + d };
                cx += p;
            }
            break;
        case CharClass::SmallKana:
            // Half a cell, a quarter cell higher than an upright character.
            if (columns) {
                placed.origin = { cx, cy + p + d - p / 4 };
                cy += p / 2;
            } else {
                placed.origin = { cx + p + d - p / 4, cy };
                placed.rotation = -90;
                cx += p / 2;
            }
            break;
        case CharClass::Narrow: {
            // Turned letters advance by their own width, at least half a cell, so that a word
            // reads as a word: neither "W" overlaps its neighbour nor "i" stands apart.
            const qreal advance = std::max(p / 2, fm.horizontalAdvance(character));
            if (columns) {
                placed.origin = { cx - d, cy };
                placed.rotation = 90;
                cy += advance;
            } else {
                placed.origin = { cx, cy + d };
                cx += advance;
            }
            break;
        }
        case CharClass::Halfwidth:
            if (columns) {
                cy += p;
                placed.origin = { cx + p / 4, cy + d };
            } else {
                cx += p;
                placed.origin = { cx + d, cy - p / 4 };
                placed.rotation = -90;
            }
            break;
        case CharClass::Upright:
            if (columns) {
                cy += p;
                placed.origin = { cx, cy + d };
            } else {
                cx += p;
                placed.origin = { cx + d, cy };
                placed.rotation = -90;
            }
            break;
        }
        maxX = std::max(maxX, cx);
        maxY = std::max(maxY, cy);
        out.characters.append(placed);
    }
    if (columns)
        out.covered = QRectF(cx, y, x - cx, maxY - y);
    else
        out.covered = QRectF(x, y, maxX - x, maxY - y);
    return out;
}

void draw(QPainter &painter, const Layout &layout, const QFont &font)
{
    painter.save();
    painter.setFont(font);
    for (const Placement &placed : layout.characters) {
        painter.save();
        painter.translate(placed.origin);
        painter.rotate(placed.rotation);
        painter.drawText(QPointF(0, 0), placed.text);
        painter.restore();
    }
    painter.restore();
}

void drawTurned(QPainter &painter, const QString &text, const QFont &font, QPointF point)
{
    painter.save();
    painter.setFont(font);
    painter.translate(point);
    painter.rotate(90);
    const QFontMetricsF fm = PrintMetrics::metrics(font);
    qreal baseline = fm.ascent();
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        painter.drawText(QPointF(0, baseline), line);
        baseline += fm.height();
    }
    painter.restore();
}

} // namespace VerticalText
