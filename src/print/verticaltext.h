// Japanese text set top to bottom, one character at a time: Qt draws no vertical glyph variants,
// so every character is placed by its class (upright, turned, dash, small kana).
#pragma once

#include <QFont>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>

class QPainter;

namespace VerticalText {

enum class Direction
{
    Columns = 1, // top to bottom, columns from right to left
    Rows = 2, // the same text for a sheet that is turned: rows from top to bottom
};

enum class CharClass
{
    Dash,
    LineFeed,
    SmallKana,
    Narrow,
    Halfwidth,
    Upright
};

bool isJapanese(char16_t c);
CharClass classify(char16_t c);

// One character: its baseline origin and the turn (degrees, clockwise on the page) around it.
struct Placement
{
    QString text;
    QPointF origin;
    qreal rotation = 0;
};

struct Layout
{
    QList<Placement> characters;
    QRectF covered;
};

// How far below the baseline an upright character's cell reaches.
qreal descender(const QFont &font);

// Places the text from point: for Columns the first column lies left of point.x.
Layout layout(const QString &text, const QFont &font, QPointF point, Direction direction);
void draw(QPainter &painter, const Layout &layout, const QFont &font);

// Text turned by 90 degrees clockwise around point, lines running top to bottom.
void drawTurned(QPainter &painter, const QString &text, const QFont &font, QPointF point);

} // namespace VerticalText
