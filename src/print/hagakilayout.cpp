#include "print/hagakilayout.h"

#include "print/keys.h"
#include "print/printmetrics.h"
#include "print/printoptions.h"
#include "print/verticaltext.h"
#include "record/keys.h"
#include "record/qvperson.h"

#include <QPainter>

namespace Hagaki {
namespace {

constexpr qreal pointsPerMm = 72.0 / 25.4;

QRectF mm(qreal x, qreal y, qreal width, qreal height)
{
    return QRectF(x * pointsPerMm, y * pointsPerMm, width * pointsPerMm, height * pointsPerMm);
}

struct AddressParts
{
    QString zip;
    QStringList lines;
};

AddressParts addressOf(const SubContactRow &row)
{
    const QVariantMap address
        = row.person->labeledValueForIdentifierAtIndex(FieldId::Address, row.labelIndex);
    AddressParts parts;
    parts.zip = address.value(FieldId::Zip).toString();
    const QString head = address.value(FieldId::State).toString() + address.value(FieldId::City).toString();
    QStringList street
        = address.value(FieldId::Street).toString().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    if (street.isEmpty()) {
        parts.lines.append(head);
    } else {
        parts.lines.append(head + street.takeFirst());
        parts.lines += street;
    }
    parts.lines.removeAll(QString());
    return parts;
}

bool isChildLabel(const QString &label)
{
    return label == LabelWord::Child || label == LabelWord::Son || label == LabelWord::Daughter;
}

QString nameOf(const SubContactRow &row)
{
    return row.person->valueForIdentifier(FieldId::Name).toMap().value(Key::StringValue).toString();
}

// One column of text, set from its top at the right edge x, shrunk until it fits the height.
void drawColumn(QPainter &painter, const QString &text, const QString &family, qreal size, qreal rightX,
                qreal top, qreal height)
{
    if (text.isEmpty())
        return;
    QFont font = PrintMetrics::font(family, size);
    VerticalText::Layout layout
        = VerticalText::layout(text, font, QPointF(rightX, top), VerticalText::Direction::Columns);
    while (layout.covered.height() > height && size > 4) {
        size -= 0.5;
        font = PrintMetrics::font(family, size);
        layout = VerticalText::layout(text, font, QPointF(rightX, top), VerticalText::Direction::Columns);
    }
    VerticalText::draw(painter, layout, font);
}

void drawDigits(QPainter &painter, const QList<QRectF> &boxes, const QString &digits, qreal size)
{
    painter.save();
    painter.setFont(PrintMetrics::font(PrintFont::JapaneseFallback, size));
    for (qsizetype i = 0; i < digits.size() && i < boxes.size(); ++i)
        painter.drawText(boxes.at(i), Qt::AlignCenter, digits.mid(i, 1));
    painter.restore();
}

void drawBackground(QPainter &painter, bool newYear)
{
    painter.save();
    painter.fillRect(QRectF(QPointF(0, 0), cardSize()), Qt::white);
    painter.setPen(QPen(QColor(220, 40, 40), 0.8));
    for (const QRectF &box : receiverCodeBoxes())
        painter.drawRect(box);
    for (const QRectF &box : senderCodeBoxes())
        painter.drawRect(box);
    const QList<QRectF> boxes = receiverCodeBoxes();
    painter.drawLine(QPointF(boxes.at(2).right() + 1, boxes.at(2).center().y()),
                     QPointF(boxes.at(3).left() - 1, boxes.at(3).center().y()));
    // The stamp, printed on the card.
    painter.drawRect(mm(8, 8, 22, 26));
    if (newYear)
        painter.drawText(mm(8, 35, 22, 5), Qt::AlignCenter, QStringLiteral("年賀"));
    painter.restore();
}

} // namespace

QStringList jointNames(const SubContactRow &receiver, const QVariantMap &options)
{
    const bool spouse = PrintOptions::flag(options, StyleKey::PrintSpouse);
    const bool children = PrintOptions::flag(options, StyleKey::PrintChildren);
    if (!spouse && !children)
        return {};
    const QString family = receiver.person->valueForIdentifier(FieldId::Name)
                               .toMap()
                               .value(FieldId::LastName)
                               .toString()
                               .trimmed();
    QStringList spouses;
    QStringList kids;
    for (const QVariant &entry : receiver.person->labeledValueForIdentifier(FieldId::Relationship)) {
        const QVariantMap item = entry.toMap();
        const QString label = QVPerson::labelFromCNLabel(item.value(Key::Label).toString()).toLower();
        QString name = item.value(Key::StringValue).toString().trimmed();
        if (name.isEmpty())
            name = item.value(Key::Value).toString().trimmed();
        // The family shares the receiver's name, written once.
        if (!family.isEmpty() && name.startsWith(family) && name.size() > family.size())
            name = name.mid(family.size()).trimmed();
        if (name.isEmpty())
            continue;
        if (spouse && label == LabelWord::Spouse)
            spouses.append(name);
        else if (children && isChildLabel(label))
            kids.append(name);
    }
    return spouses + kids;
}

qreal nameSize(int jointCount)
{
    // More names share the card's middle: each column narrower.
    return std::max<qreal>(14, 26 - 3 * jointCount);
}

QList<qreal> nameColumnEdges(int jointCount, qreal size)
{
    const qreal spacing = size * 1.3;
    const qreal groupWidth = size + jointCount * spacing;
    QList<qreal> edges;
    qreal right = 50 * pointsPerMm + groupWidth / 2;
    for (int i = 0; i <= jointCount; ++i) {
        edges.append(right);
        right -= spacing;
    }
    return edges;
}

QSizeF cardSize()
{
    return QSizeF(100 * pointsPerMm, 148 * pointsPerMm);
}

QList<QRectF> receiverCodeBoxes()
{
    QList<QRectF> boxes;
    for (const qreal left : { 44.0, 51.0, 58.0, 65.8, 72.6, 79.4, 86.2 })
        boxes.append(mm(left, 12, 5.7, 8));
    return boxes;
}

QList<QRectF> senderCodeBoxes()
{
    QList<QRectF> boxes;
    for (const qreal left : { 5.7, 9.7, 13.7, 19.3, 23.3, 27.3, 31.3 })
        boxes.append(mm(left, 122.5, 4, 6.5));
    return boxes;
}

QString postalDigits(const QString &zip)
{
    QString digits;
    for (const QChar c : zip) {
        // Fullwidth digits are common in Japanese addresses.
        const int value = c.digitValue();
        if (value >= 0)
            digits += QChar(u'0' + value);
        if (digits.size() == 7)
            break;
    }
    return digits;
}

void draw(QPainter &painter, const PageGeometry &page, const QVariantMap &options,
          const SubContactRow &receiver, const SubContactRow *sender, bool background)
{
    painter.save();
    // Cards are laid out at their own size and scaled onto other paper.
    const qreal scale
        = std::min(page.paper.width() / cardSize().width(), page.paper.height() / cardSize().height());
    painter.scale(scale, scale);
    if (background && PrintOptions::flag(options, StyleKey::ShowBackground))
        drawBackground(painter, options.value(StyleKey::HagakiType).toString() == HagakiKind::NewYear);
    painter.setPen(Qt::black);
    const QString family = PrintFont::JapaneseFallback;

    const AddressParts address = addressOf(receiver);
    drawDigits(painter, receiverCodeBoxes(), postalDigits(address.zip), 14);
    // Address columns from the right edge, the first one the tallest.
    qreal right = 93 * pointsPerMm;
    for (const QString &line : address.lines) {
        drawColumn(painter, line, family, 14, right, 28 * pointsPerMm, 95 * pointsPerMm);
        right -= 18;
    }
    const QString company = receiver.person->stringValueForIdentifier(FieldId::Company);
    if (PrintOptions::flag(options, StyleKey::PrintCompany) && !company.isEmpty()) {
        drawColumn(painter, company, family, 12, right, 34 * pointsPerMm, 80 * pointsPerMm);
        right -= 16;
    }
    const QString keishou = options.value(StyleKey::Keishou).toString();
    const auto withKeishou = [&keishou](const QString &name) {
        return name.isEmpty() || keishou.isEmpty() ? name : name + QChar(0x3000) + keishou;
    };
    // The name stands in the middle of the card, larger than the address; joint names stand to
    // its left, beginning where the receiver's given name begins.
    const QStringList joint = jointNames(receiver, options);
    const qreal size = nameSize(int(joint.size()));
    const QList<qreal> edges = nameColumnEdges(int(joint.size()), size);
    const qreal top = 32 * pointsPerMm;
    const QString name = nameOf(receiver);
    drawColumn(painter, withKeishou(name), family, size, edges.first(), top, 88 * pointsPerMm);
    const QString familyName
        = receiver.person->valueForIdentifier(FieldId::Name).toMap().value(FieldId::LastName).toString();
    qreal givenTop = top;
    if (!familyName.isEmpty() && name.startsWith(familyName)) {
        qsizetype given = familyName.size();
        while (given < name.size() && name.at(given).isSpace())
            ++given;
        givenTop += VerticalText::layout(name.left(given), PrintMetrics::font(family, size), QPointF(0, 0),
                                         VerticalText::Direction::Columns)
                        .covered.height();
    }
    for (qsizetype i = 0; i < joint.size(); ++i)
        drawColumn(painter, withKeishou(joint.at(i)), family, size, edges.at(i + 1), givenTop,
                   88 * pointsPerMm - (givenTop - top));

    if (sender && PrintOptions::flag(options, StyleKey::PrintSender)) {
        const AddressParts from = addressOf(*sender);
        drawDigits(painter, senderCodeBoxes(), postalDigits(from.zip), 9);
        qreal column = 36 * pointsPerMm;
        for (const QString &line : from.lines) {
            drawColumn(painter, line, family, 9, column, 62 * pointsPerMm, 56 * pointsPerMm);
            column -= 11;
        }
        drawColumn(painter, nameOf(*sender), family, 13, column - 4, 72 * pointsPerMm, 46 * pointsPerMm);
    }
    painter.restore();
}

} // namespace Hagaki
