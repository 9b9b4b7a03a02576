#include "print/printview.h"

#include "print/hagakilayout.h"
#include "print/keys.h"
#include "print/printmetrics.h"
#include "print/printoptions.h"
#include "print/verticaltext.h"
#include "record/keys.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <QRectF>

using PrintOptions::flag;
using PrintOptions::number;

namespace {

const QColor previewPaperColour = QColor::fromRgbF(1, 1, 0.7, 1);
const QColor shadeColour = QColor::fromRgbF(0.9, 0.9, 0.9, 1);
// The disabled-control text colour: labels read as captions beside their values.
const QColor captionColour = QColor::fromRgbF(0, 0, 0, 0.25);
constexpr qreal frameWidth = 1.5;

} // namespace

void TextObject::draw(QPainter &painter, const QRectF &rect) const
{
    painter.save();
    painter.setPen(Qt::black);
    const bool upDown = textDirection == TextDirection::UpDown;
    if (printVertical) {
        const QFont font = PrintMetrics::font(verticalFontName, fontSize);
        const auto direction = upDown ? VerticalText::Direction::Columns : VerticalText::Direction::Rows;
        const QPointF start = upDown ? rect.topRight() : rect.topLeft();
        VerticalText::draw(painter, VerticalText::layout(text, font, start, direction), font);
    } else if (upDown) {
        VerticalText::drawTurned(painter, text, PrintMetrics::font(fontName, fontSize), rect.topRight());
    } else {
        const QFont font = PrintMetrics::font(fontName, fontSize);
        painter.setFont(font);
        const QFontMetricsF fm = PrintMetrics::metrics(font);
        qreal baseline = rect.top() + fm.ascent();
        for (const QString &line : text.split(QLatin1Char('\n'))) {
            painter.drawText(QPointF(rect.left(), baseline), line);
            baseline += fm.height();
        }
    }
    painter.restore();
}

PrintView::PrintView(const SubContactRows &rows, const QVariantMap &options, const PageGeometry &page)
    : m_rows(rows)
    , m_options(options)
    , m_page(page)
{ }

void PrintView::setOptions(const QVariantMap &options)
{
    m_options = options;
    m_addressList.reset();
}

void PrintView::setPage(const PageGeometry &page)
{
    m_page = page;
    m_addressList.reset();
}

QString PrintView::style() const
{
    return m_options.value(PrintKey::PrintStyle).toString();
}

QString PrintView::textFontName() const
{
    const QString name = m_options.value(PrintKey::FontName).toString();
    return name.isEmpty() ? PrintOptions::userFont(16).family() : name;
}

const AddressListLayout &PrintView::addressList() const
{
    if (!m_addressList)
        m_addressList.emplace(m_rows, m_options, m_page);
    return *m_addressList;
}

int PrintView::pageCount() const
{
    const QString printStyle = style();
    if (printStyle == PrintStyle::MailingLabels) {
        const QVariantMap labels = PrintOptions::styleOptions(m_options, PrintStyle::MailingLabels);
        const int repeat = std::max(1, int(number(labels, StyleKey::RepeatCount, 1)));
        return LabelGeometry::make(m_options, m_page).pageCount(repeat * int(m_rows.size()));
    }
    if (printStyle == PrintStyle::Envelope || printStyle == PrintStyle::Hagaki)
        return std::max<int>(1, int(m_rows.size()));
    if (printStyle == PrintStyle::AddressList)
        return addressList().pageCount();
    return 1;
}

void PrintView::drawPage(QPainter &painter, int page) const
{
    const QString printStyle = style();
    if (printStyle == PrintStyle::AddressList)
        drawAddressList(painter, page);
    else if (printStyle == PrintStyle::MailingLabels)
        drawLabels(painter, page);
    else if (printStyle == PrintStyle::Envelope)
        drawEnvelope(painter, page);
    else if (printStyle == PrintStyle::Hagaki && page >= 0 && page < m_rows.size())
        drawHagaki(painter, page);
}

void PrintView::drawHagaki(QPainter &painter, int page) const
{
    const std::optional<SubContactRow> from = sender();
    Hagaki::draw(painter, m_page, PrintOptions::styleOptions(m_options, PrintStyle::Hagaki), m_rows.at(page),
                 from ? &*from : nullptr, !m_printing);
}

bool PrintView::render(QPagedPaintDevice &device) const
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const int pages = pageCount();
    for (int page = 0; page < pages; ++page) {
        if (page > 0 && !device.newPage())
            return false;
        drawPage(painter, page);
    }
    return painter.end();
}

void PrintView::drawLine(QPainter &painter, const PrintLine &line, QPointF origin)
{
    const QPointF pen = origin + QPointF(line.indent, 0);
    if (line.captionLength == 0) {
        painter.drawText(pen, line.text);
        return;
    }
    // The caption's place was measured with the layout: three runs, no measuring here.
    const qsizetype captionEnd = line.captionStart + line.captionLength;
    if (line.captionStart > 0)
        painter.drawText(pen, line.text.left(line.captionStart));
    painter.setPen(captionColour);
    painter.drawText(pen + QPointF(line.captionX, 0), line.text.mid(line.captionStart, line.captionLength));
    painter.setPen(Qt::black);
    if (captionEnd < line.text.size())
        painter.drawText(pen + QPointF(line.captionX + line.captionWidth, 0), line.text.mid(captionEnd));
}

void PrintView::drawAddressList(QPainter &painter, int page) const
{
    const AddressListLayout &layout = addressList();
    const QVariantMap list = PrintOptions::styleOptions(m_options, PrintStyle::AddressList);
    const bool shade = flag(list, StyleKey::AlternatingRow);
    const bool frame = flag(list, StyleKey::PrintFrame);
    const qreal left = layout.printable().left();
    const qreal width = layout.columnWidth();
    const QFontMetricsF fm = PrintMetrics::metrics(layout.font());
    painter.save();
    painter.setFont(layout.font());
    // Blocks come in page order: only this page's are visited.
    const QList<AddressListLayout::Block> &blocks = layout.blocks();
    auto it = std::lower_bound(blocks.cbegin(), blocks.cend(), page,
                               [](const AddressListLayout::Block &block, int p) { return block.page < p; });
    for (; it != blocks.cend() && it->page == page; ++it) {
        const AddressListLayout::Block &block = *it;
        const QRectF rect(left, block.top, width, block.lineCount * layout.lineHeight());
        if (shade && block.contact % 2 == 1)
            painter.fillRect(rect, shadeColour);
        painter.setPen(Qt::black);
        const QList<PrintLine> &lines = layout.contactLines().at(block.contact);
        for (int i = 0; i < block.lineCount; ++i)
            drawLine(painter, lines.at(block.firstLine + i),
                     QPointF(left, block.top + i * layout.lineHeight() + fm.ascent()));
        if (frame) {
            painter.setPen(QPen(Qt::lightGray, 0.5));
            painter.drawLine(rect.topLeft(), rect.topRight());
            painter.drawLine(rect.bottomLeft(), rect.bottomRight());
        }
    }
    painter.restore();
}

void PrintView::drawPaperBackground(QPainter &painter) const
{
    painter.fillRect(QRectF(QPointF(0, 0), m_page.paper), previewPaperColour);
    painter.fillRect(m_page.imageable, Qt::white);
}

void PrintView::drawLabels(QPainter &painter, int page) const
{
    const QVariantMap labels = PrintOptions::styleOptions(m_options, PrintStyle::MailingLabels);
    const LabelGeometry geometry = LabelGeometry::make(m_options, m_page);
    const int repeat = std::max(1, int(number(labels, StyleKey::RepeatCount, 1)));
    const bool vertical = flag(labels, StyleKey::PrintVertical);
    const QString verticalFont = labels.value(StyleKey::VerticalFontName).toString();
    if (!m_printing)
        drawPaperBackground(painter);
    // Only the rows whose labels fall on this page are laid out.
    const int firstRow = page * geometry.perPage() / repeat;
    const int lastRow = std::min<int>(int(m_rows.size()) - 1, ((page + 1) * geometry.perPage() - 1) / repeat);
    for (int row = firstRow; row <= lastRow; ++row) {
        TextObject object;
        object.text = PrintText::addressAndName(m_rows.at(row), labels);
        object.fontName = textFontName();
        object.printVertical = vertical;
        object.verticalFontName = verticalFont;
        // Vertical labels are set in columns, the way their size was fitted.
        object.textDirection = vertical ? TextDirection::UpDown : TextDirection::LeftRight;
        const QSizeF box = geometry.textRect(0).size();
        object.fontSize
            = TextFitting::fit(object.text, vertical ? verticalFont : object.fontName, box, vertical);
        for (int copy = 0; copy < repeat; ++copy) {
            const int label = row * repeat + copy;
            if (geometry.pageOf(label) != page)
                continue;
            const QRectF rect = geometry.textRect(label);
            object.draw(painter, rect);
            if (flag(labels, StyleKey::PrintFrame)) {
                painter.save();
                painter.setPen(QPen(Qt::gray, frameWidth));
                painter.drawRect(geometry.frameRect(label));
                painter.restore();
            }
        }
    }
}

QRectF PrintView::envelopeTextRect() const
{
    return PrintOptions::envelopeTextRect(m_options, m_page.paper, m_page.paperName);
}

TextObject PrintView::envelopeTextObject(const SubContactRow &row) const
{
    const QVariantMap envelope = PrintOptions::styleOptions(m_options, PrintStyle::Envelope);
    TextObject object;
    object.text = PrintText::addressAndName(row, envelope);
    object.fontName = textFontName();
    object.printVertical = flag(envelope, StyleKey::PrintVertical);
    object.verticalFontName = envelope.value(StyleKey::VerticalFontName).toString();
    object.textDirection = envelope.value(StyleKey::TextDirection).toString() == TextDirection::UpDown
        ? TextDirection::UpDown
        : TextDirection::LeftRight;
    // Columns and turned text take the rectangle's sides the other way round.
    const QSizeF box = envelopeTextRect().size();
    const bool sideways = object.textDirection == TextDirection::UpDown && !object.printVertical;
    object.fontSize
        = TextFitting::fit(object.text, object.printVertical ? object.verticalFontName : object.fontName,
                           sideways ? box.transposed() : box,
                           object.printVertical && object.textDirection == TextDirection::UpDown);
    return object;
}

void PrintView::drawEnvelope(QPainter &painter, int page) const
{
    if (page < 0 || page >= m_rows.size())
        return;
    if (!m_printing)
        drawPaperBackground(painter);
    const QVariantMap envelope = PrintOptions::styleOptions(m_options, PrintStyle::Envelope);
    const Margins margins = Margins::fromOptions(m_options);
    const QRectF rect = envelopeTextRect().translated(margins.left, margins.top);
    if (flag(envelope, StyleKey::PrintFrame)) {
        painter.save();
        painter.setPen(QPen(Qt::black, frameWidth));
        painter.drawRect(rect.adjusted(-3, -3, 3, 3));
        painter.restore();
    }
    const TextObject receiver = envelopeTextObject(m_rows.at(page));
    receiver.draw(painter, rect);
    if (flag(envelope, StyleKey::PrintSender))
        drawEnvelopeSender(painter, receiver.fontSize);
}

std::optional<SubContactRow> PrintView::sender() const
{
    if (!m_sender || !m_sender->person)
        return std::nullopt;
    return PrintText::senderRow(*m_sender, PrintOptions::styleOptions(m_options, PrintStyle::Envelope));
}

QRectF PrintView::envelopeSenderRect() const
{
    const Margins margins = Margins::fromOptions(m_options);
    const QSizeF paper = m_page.paper;
    const QVariantMap envelope = PrintOptions::styleOptions(m_options, PrintStyle::Envelope);
    // Kept clear of the receiver's frame, which may sit anywhere the user put it.
    const QRectF receiver
        = envelopeTextRect().translated(margins.left, margins.top).adjusted(-15, -15, 15, 15);
    // A vertical envelope is addressed down its length and sent from its lower left.
    if (flag(envelope, StyleKey::PrintVertical)) {
        const qreal top = std::max(margins.top + paper.height() * 0.55, receiver.bottom());
        return QRectF(margins.left + 24, top, paper.width() / 4,
                      std::max<qreal>(paper.height() - 24 - top, paper.height() * 0.1));
    }
    const qreal top = margins.top + 24;
    return QRectF(margins.left + 24, top, paper.width() / 3,
                  std::clamp<qreal>(receiver.top() - top, paper.height() * 0.08, paper.height() / 6));
}

void PrintView::drawEnvelopeSender(QPainter &painter, qreal receiverSize) const
{
    const std::optional<SubContactRow> from = sender();
    if (!from)
        return;
    const QVariantMap envelope = PrintOptions::styleOptions(m_options, PrintStyle::Envelope);
    TextObject object;
    // The sender's own name goes without an honorific.
    object.text = PrintText::addressAndName(
        *from, { { StyleKey::PrintCountry, flag(envelope, StyleKey::PrintCountry) } });
    object.fontName = textFontName();
    object.printVertical = flag(envelope, StyleKey::PrintVertical);
    object.verticalFontName = envelope.value(StyleKey::VerticalFontName).toString();
    object.textDirection = object.printVertical ? TextDirection::UpDown : TextDirection::LeftRight;
    const QRectF rect = envelopeSenderRect();
    // Smaller than the receiver's address, however much room there is.
    const qreal fitted
        = TextFitting::fit(object.text, object.printVertical ? object.verticalFontName : object.fontName,
                           rect.size(), object.printVertical);
    object.fontSize = std::min({ fitted, qreal(10), receiverSize * 0.8 });
    object.draw(painter, rect);
}
