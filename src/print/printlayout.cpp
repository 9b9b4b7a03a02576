#include "print/printlayout.h"

#include "print/keys.h"
#include "print/printmetrics.h"
#include "print/printoptions.h"
#include "print/verticaltext.h"
#include "record/keys.h"
#include "record/qvperson.h"

#include <QSet>

using PrintOptions::flag;
using PrintOptions::number;

PageGeometry PageGeometry::fullPage(QSizeF paper, const QString &name)
{
    return { paper, QRectF(QPointF(0, 0), paper), name };
}

Margins Margins::fromOptions(const QVariantMap &options)
{
    return { number(options, PrintKey::TopMargin), number(options, PrintKey::LeftMargin),
             number(options, PrintKey::RightMargin), number(options, PrintKey::BottomMargin) };
}

namespace PrintText {
namespace {

QString addressText(QVPerson &person, int labelIndex, bool country)
{
    QVariantMap address = person.labeledValueForIdentifierAtIndex(FieldId::Address, labelIndex);
    if (address.isEmpty())
        return {};
    QVPerson::updateAddressValue(address, country ? 1 : 0);
    for (const QString &key : { Key::FormattedString, Key::StringValue }) {
        const QString text = address.value(key).toString();
        if (!text.isEmpty())
            return text + QLatin1Char('\n');
    }
    QString text = address.value(FieldId::Zip).toString() + QLatin1Char(' ');
    if (country)
        text += address.value(FieldId::Country).toString() + QLatin1Char(' ');
    text += address.value(FieldId::State).toString() + address.value(FieldId::City).toString();
    return text + QLatin1Char('\n') + address.value(FieldId::Street).toString() + QLatin1Char('\n');
}

bool labelPasses(const QString &label, const QStringList &selected)
{
    return selected.contains(PrintLabel::All) || selected.contains(label)
        || selected.contains(QVPerson::labelFromCNLabel(label));
}

} // namespace

QString addressAndName(const SubContactRow &row, const QVariantMap &styleOptions)
{
    QVPerson &person = *row.person;
    QString name = person.valueForIdentifier(FieldId::Name).toMap().value(Key::StringValue).toString();
    const QString prefix = person.stringValueForIdentifier(FieldId::Title);
    if (flag(styleOptions, StyleKey::PrintPrefix) && !prefix.isEmpty() && !name.isEmpty())
        name = prefix + QLatin1Char(' ') + name;
    const QString suffix = person.stringValueForIdentifier(FieldId::Suffix);
    if (flag(styleOptions, StyleKey::PrintSuffix) && !suffix.isEmpty())
        name = suffix + QLatin1Char(' ') + name;
    const QString keishou = styleOptions.value(StyleKey::Keishou).toString();
    if (!keishou.isEmpty() && !name.isEmpty())
        name += QLatin1Char(' ') + keishou;

    QString text = addressText(person, row.labelIndex, flag(styleOptions, StyleKey::PrintCountry));
    const QString company = person.stringValueForIdentifier(FieldId::Company);
    if (flag(styleOptions, StyleKey::PrintCompany) && !company.isEmpty())
        text += company + QLatin1Char('\n');
    if (flag(styleOptions, StyleKey::PrintPhone)) {
        const QVariantList phones = person.labeledValueForIdentifier(FieldId::Phone);
        if (!phones.isEmpty())
            text += phones.first().toMap().value(Key::StringValue).toString() + QLatin1Char('\n');
    }
    return text + name;
}

SubContactRow senderRow(const SubContactRow &sender, const QVariantMap &envelopeOptions)
{
    SubContactRow row = sender;
    row.labelIndex = 0;
    if (!row.person)
        return row;
    const QVariantList addresses = row.person->labeledValueForIdentifier(FieldId::Address);
    const QString wanted = envelopeOptions.value(StyleKey::SenderLabel).toString();
    for (qsizetype i = 0; i < addresses.size(); ++i) {
        const QString label = addresses.at(i).toMap().value(Key::Label).toString();
        if (!wanted.isEmpty() && (label == wanted || QVPerson::labelFromCNLabel(label) == wanted)) {
            row.labelIndex = int(i);
            return row;
        }
    }
    const int index = int(number(envelopeOptions, StyleKey::SenderLabelIndex));
    if (index >= 0 && index < addresses.size())
        row.labelIndex = index;
    return row;
}

QList<PrintLine> fieldLines(QVPerson &person, const QString &field, const QStringList &selectedLabels,
                            TextWidths &widths)
{
    const QString head = QVPerson::localizedIdentifierForKey(field) + QStringLiteral(": ");
    // Continuation lines hang under the value, except in notes, which keep their own layout.
    const qreal headWidth = widths(head);
    const qreal hang = field == FieldId::Note ? 0 : headWidth;
    const QVariant value = person.valueForIdentifier(field);
    QList<PrintLine> lines;
    const auto addText = [&lines, hang](const QString &text) {
        for (const QString &part : text.split(QLatin1Char('\n')))
            lines.append({ part, lines.isEmpty() ? 0 : hang, hang });
    };
    if (value.typeId() == QMetaType::QVariantMap) {
        addText(value.toMap().value(Key::StringValue).toString());
    } else if (value.typeId() == QMetaType::QVariantList) {
        for (const QVariant &entry : value.toList()) {
            const QVariantMap item = entry.toMap();
            const QString label = item.value(Key::Label).toString();
            if (!labelPasses(label, selectedLabels))
                continue;
            const QStringList parts = item.value(Key::StringValue).toString().split(QLatin1Char('\n'));
            const QString labelHead = QVPerson::localizedLabelFromCNLabel(label) + QStringLiteral(": ");
            // A value of several lines (an address) hangs under its own first line.
            const qreal valueHang = hang + widths(labelHead);
            const QString caption = labelHead.left(labelHead.size() - 2);
            lines.append({ labelHead + parts.first(), lines.isEmpty() ? 0 : hang, valueHang, 0,
                           caption.size(), 0, widths(caption) });
            for (qsizetype i = 1; i < parts.size(); ++i)
                lines.append({ parts.at(i), valueHang, valueHang });
        }
    } else if (value.isValid()) {
        addText(value.toString());
    }
    if (lines.isEmpty())
        lines.append({ QString(), 0, hang });
    PrintLine &first = lines.first();
    first.text.prepend(head);
    if (first.captionLength > 0) {
        first.captionStart += head.size();
        first.captionX = headWidth;
    }
    return lines;
}

} // namespace PrintText

qreal TextWidths::operator()(const QString &text)
{
    auto it = m_widths.constFind(text);
    if (it == m_widths.cend())
        it = m_widths.insert(text, m_metrics.horizontalAdvance(text));
    return it.value();
}

SubContactRows distinctContacts(const SubContactRows &rows)
{
    SubContactRows out;
    QSet<QString> seen;
    for (const SubContactRow &row : rows) {
        const QString id = row.uniqueId.isEmpty() && row.person ? row.person->uniqueId() : row.uniqueId;
        if (row.person && !seen.contains(id)) {
            seen.insert(id);
            out.append(row);
        }
    }
    return out;
}

QList<PrintLine> wrapLine(const PrintLine &line, const QFontMetricsF &metrics, qreal width)
{
    QList<PrintLine> out;
    PrintLine piece = line;
    // A hang that leaves less than half the column starts the pieces at the edge instead.
    const qreal hang = line.hang < width / 2 ? line.hang : 0;
    while (piece.text.size() > 1 && metrics.horizontalAdvance(piece.text) > width - piece.indent) {
        const qreal room = width - piece.indent;
        // The longest head that fits, broken after a space when there is one.
        qsizetype fits = 1;
        while (fits < piece.text.size() && metrics.horizontalAdvance(piece.text.left(fits + 1)) <= room)
            ++fits;
        const qsizetype space = piece.text.lastIndexOf(QLatin1Char(' '), fits);
        const qsizetype cut = space > 0 && space + 1 < piece.text.size() ? space + 1 : fits;
        const QString tail = piece.text.mid(cut).trimmed();
        piece.text.truncate(cut);
        piece.captionLength = std::clamp<qsizetype>(piece.captionLength, 0, cut - piece.captionStart);
        out.append(piece);
        if (tail.isEmpty())
            return out;
        piece = { tail, hang, hang };
    }
    out.append(piece);
    return out;
}

AddressListLayout::AddressListLayout(const SubContactRows &rows, const QVariantMap &options,
                                     const PageGeometry &page)
{
    QString family = options.value(PrintKey::FontName).toString();
    if (family.isEmpty())
        family = PrintOptions::userFont(16).family();
    m_font = PrintMetrics::font(family, number(options, PrintKey::FontSize, 8));
    const QFontMetricsF fm = PrintMetrics::metrics(m_font);
    m_lineHeight = fm.height();
    const Margins margins = Margins::fromOptions(options);
    m_printable = page.imageable.adjusted(margins.left, margins.top, -margins.right, -margins.bottom);

    const QVariantMap list = PrintOptions::styleOptions(options, PrintStyle::AddressList);
    const QStringList labels = list.value(StyleKey::SelectedLabels).toStringList();
    QStringList fields;
    for (const QVariant &entry : list.value(StyleKey::ItemTable).toList()) {
        const QVariantMap item = entry.toMap();
        const QString title = item.value(ItemKey::Title).toString();
        if (title != FieldId::Name && flag(item, ItemKey::State))
            fields.append(title);
    }
    const qreal width = std::max<qreal>(columnWidth(), 20);
    TextWidths widths(fm);
    for (const SubContactRow &row : distinctContacts(rows)) {
        QList<PrintLine> lines = wrapLine({ row.person->compositeName() }, fm, width);
        for (const QString &field : std::as_const(fields)) {
            for (const PrintLine &line : PrintText::fieldLines(*row.person, field, labels, widths))
                lines += wrapLine(line, fm, width);
        }
        m_lines.append(lines);
    }

    // Blocks stack down the printable part of each page. A block that does not fit moves whole to
    // the next page; one taller than half a page is split, so that no line of it is lost.
    const qreal pageHeight = std::max(m_printable.height(), m_lineHeight);
    int pageIndex = 0;
    qreal y = m_printable.top();
    for (int contact = 0; contact < m_lines.size(); ++contact) {
        int first = 0;
        const int total = int(m_lines.at(contact).size());
        while (first < total) {
            const int remaining = total - first;
            const qreal height = remaining * m_lineHeight;
            if (y + height <= m_printable.bottom() + 0.001) {
                m_blocks.append({ contact, pageIndex, y, first, remaining });
                y += height;
                break;
            }
            if (total * m_lineHeight > pageHeight / 2) {
                const int fitting = int((m_printable.bottom() - 20 - y) / m_lineHeight);
                if (fitting > 0) {
                    m_blocks.append({ contact, pageIndex, y, first, fitting });
                    first += fitting;
                } else if (y <= m_printable.top()) {
                    // Not one line fits an empty page: print one anyway rather than loop.
                    m_blocks.append({ contact, pageIndex, y, first, 1 });
                    ++first;
                }
            }
            ++pageIndex;
            y = m_printable.top();
        }
    }
    m_pages = m_blocks.isEmpty() ? 1 : m_blocks.last().page + 1;
}

LabelGeometry LabelGeometry::make(const QVariantMap &options, const PageGeometry &page)
{
    const QVariantMap labels = PrintOptions::styleOptions(options, PrintStyle::MailingLabels);
    const Margins margins = Margins::fromOptions(options);
    LabelGeometry g;
    g.labelWidth = std::max(1.0, number(labels, StyleKey::LabelWidth, 130));
    g.labelHeight = std::max(1.0, number(labels, StyleKey::LabelHeight, 60));
    g.cellWidth = g.labelWidth + std::max(0.0, number(labels, StyleKey::HGap));
    g.cellHeight = g.labelHeight + std::max(0.0, number(labels, StyleKey::VGap));
    g.origin = page.imageable.topLeft() + QPointF(margins.left, margins.top);
    const qreal rightEdge
        = page.paper.width() - (page.paper.width() - page.imageable.right()) - margins.right;
    const qreal bottomEdge
        = page.paper.height() - (page.paper.height() - page.imageable.bottom()) - margins.bottom;
    g.columns = std::max(1, int(std::floor((rightEdge - g.origin.x()) / g.cellWidth)));
    g.rows = std::max(1, int(std::floor((bottomEdge - g.origin.y()) / g.cellHeight)));
    return g;
}

int LabelGeometry::pageCount(int labels) const
{
    return labels <= 0 ? 1 : (labels + perPage() - 1) / perPage();
}

QRectF LabelGeometry::textRect(int label) const
{
    const int column = label % columns;
    const int row = (label / columns) % rows;
    // The text keeps 3 points clear of the label's edges, where the frame is drawn.
    return QRectF(origin.x() + column * cellWidth + 3, origin.y() + row * cellHeight + 3,
                  std::max<qreal>(1, labelWidth - 6), std::max<qreal>(1, labelHeight - 6));
}

namespace TextFitting {

qreal startSize(const QString &text, QSizeF box)
{
    const QStringList lines = text.split(QLatin1Char('\n'));
    qsizetype longest = 0;
    for (const QString &line : lines)
        longest = std::max(longest, line.size());
    const qreal lineCount = std::max<qsizetype>(3, lines.size());
    const qreal widthUnits = std::max<qsizetype>(10, longest);
    return std::min(box.width() / widthUnits, box.height() / lineCount);
}

QSizeF measure(const QString &text, const QString &family, qreal size, bool vertical)
{
    const QFont font = PrintMetrics::font(family, size);
    if (vertical)
        return VerticalText::layout(text, font, QPointF(0, 0), VerticalText::Direction::Columns)
            .covered.size();
    const QFontMetricsF fm = PrintMetrics::metrics(font);
    const QStringList lines = text.split(QLatin1Char('\n'));
    qreal width = 0;
    for (const QString &line : lines)
        width = std::max(width, fm.horizontalAdvance(line));
    return QSizeF(width, lines.size() * fm.height());
}

qreal fit(const QString &text, const QString &family, QSizeF box, bool vertical)
{
    qreal size = startSize(text, box);
    for (int pass = 0; pass < 20; ++pass) {
        const QSizeF measured = measure(text, family, size, vertical);
        const qreal rw = measured.width() / box.width();
        const qreal rh = measured.height() / box.height();
        if (rw > 0.98 || rh > 0.98)
            size -= 0.2;
        else if (rw < 0.6 && rh < 0.6)
            size += 1.2;
        else if (rw < 0.8 && rh < 0.8)
            size += 0.8;
        else if (rw >= 0.9 || rh >= 0.9)
            break;
        else
            size += 0.4;
        // A font never shrinks to nothing, however much text a small label holds.
        size = std::max<qreal>(size, 1);
    }
    return size;
}

} // namespace TextFitting
