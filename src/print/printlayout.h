// Page layout of the print styles, computed without a printer: where each contact's block of the
// address list lies, how mailing labels tile a page, and the size a label's text is fitted to.
#pragma once

#include "record/entries.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QStringList>
#include <QVariantMap>

// The paper in points: its size and the part of it a printer can mark, in page coordinates.
struct PageGeometry
{
    QSizeF paper { 612, 792 };
    QRectF imageable { 0, 0, 612, 792 };
    QString paperName;

    static PageGeometry fullPage(QSizeF paper, const QString &name = {});
};

struct Margins
{
    qreal top = 0, left = 0, right = 0, bottom = 0;
    static Margins fromOptions(const QVariantMap &options);
};

// One printed line of the address list. Continuation lines are indented by a distance, not by
// spaces, so they line up whatever the font.
struct PrintLine
{
    QString text;
    qreal indent = 0; // from the column's left edge, in points
    qreal hang = 0; // indent of the pieces the line wraps into
    // The label of a labelled value, printed in the caption colour.
    qsizetype captionStart = 0;
    qsizetype captionLength = 0;
    qreal captionX = 0; // where the caption starts, from the line's start
    qreal captionWidth = 0;

    bool operator==(const PrintLine &other) const = default;
};

// Widths of the short texts that repeat on every contact (field names, labels), measured once.
class TextWidths
{
public:
    explicit TextWidths(const QFontMetricsF &metrics)
        : m_metrics(metrics)
    { }
    qreal operator()(const QString &text);

private:
    QFontMetricsF m_metrics;
    QHash<QString, qreal> m_widths;
};

namespace PrintText {

// The text a label or envelope shows for a row: its address, the company when asked, the name
// with its honorific suffix.
QString addressAndName(const SubContactRow &row, const QVariantMap &styleOptions);
// The sender with the address it sends from: the one labelled "senderLabel", else the one at
// "senderLabelIndex", else the first.
SubContactRow senderRow(const SubContactRow &sender, const QVariantMap &envelopeOptions);
// The address list's lines for one field of a contact: "Field: " first, every later line hanging
// under the value (notes keep their own layout), labelled values with their label as caption.
QList<PrintLine> fieldLines(QVPerson &person, const QString &field, const QStringList &selectedLabels,
                            TextWidths &widths);

} // namespace PrintText

// Rows with the same contact print once, the first kept.
SubContactRows distinctContacts(const SubContactRows &rows);

class AddressListLayout
{
public:
    struct Block
    {
        int contact = 0; // index among the printed contacts
        int page = 0;
        qreal top = 0; // in page coordinates
        int firstLine = 0; // lines of the contact on this page
        int lineCount = 0;
    };

    AddressListLayout(const SubContactRows &rows, const QVariantMap &options, const PageGeometry &page);

    int pageCount() const { return m_pages; }
    const QList<Block> &blocks() const { return m_blocks; }
    const QList<QList<PrintLine>> &contactLines() const { return m_lines; }
    QFont font() const { return m_font; }
    qreal lineHeight() const { return m_lineHeight; }
    QRectF printable() const { return m_printable; }
    qreal columnWidth() const { return m_printable.width() - 20; }

private:
    QFont m_font;
    qreal m_lineHeight = 0;
    QRectF m_printable;
    QList<QList<PrintLine>> m_lines;
    QList<Block> m_blocks;
    int m_pages = 1;
};

// How labels tile a page, and where label number k lies.
struct LabelGeometry
{
    qreal labelWidth = 0, labelHeight = 0;
    qreal cellWidth = 0, cellHeight = 0;
    QPointF origin;
    int columns = 1, rows = 1;

    static LabelGeometry make(const QVariantMap &options, const PageGeometry &page);
    int perPage() const { return columns * rows; }
    int pageOf(int label) const { return label / perPage(); }
    int pageCount(int labels) const;
    // The text rectangle of a label on its page, 3 points inside the label's frame.
    QRectF textRect(int label) const;
    QRectF frameRect(int label) const { return textRect(label).adjusted(-3, -3, 3, 3); }
};

namespace TextFitting {

// The font size a text is fitted to in a box: at most 20 passes, shrinking past 98 % of either
// side, growing while both stay well below, stopping from 90 %.
qreal fit(const QString &text, const QString &family, QSizeF box, bool vertical);
qreal startSize(const QString &text, QSizeF box);
QSizeF measure(const QString &text, const QString &family, qreal size, bool vertical);

} // namespace TextFitting

// Wraps one line at word (or, for text without spaces, character) boundaries into the column's
// width; the pieces after the first start at the line's hang.
QList<PrintLine> wrapLine(const PrintLine &line, const QFontMetricsF &metrics, qreal width);
