#include "table/contactsitemdelegate.h"

#include "record/qvperson.h"
#include "table/contactstablemodel.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QTextLayout>

namespace {

constexpr int kPadding = 4;
const QColor kMatchColor(0xd8, 0xd8, 0xd8); // every occurrence of the find string
const QColor kHitColor(0xff, 0xa5, 0x00);   // the current search hit

// Labels are set a point smaller than the text beside them.
QFont labelFontFor(const QFont &font)
{
    QFont small = font;
    small.setPointSizeF(std::max(7.0, font.pointSizeF() - 1));
    return small;
}

QString labelDisplayText(const CellContent &content)
{
    // The label shown as its display text, as the label popup lists it.
    const QStringList labels = QVPerson::labelsForIdentifier(content.labelField);
    const QStringList localized = QVPerson::localizedLabelsForIdentifier(content.labelField);
    const qsizetype at = labels.indexOf(content.label);
    if (at >= 0 && at < localized.size())
        return localized.at(at);
    return content.label;
}

} // namespace

ContactsItemDelegate::ContactsItemDelegate(ContactsTableModel *model, QObject *parent)
    : QStyledItemDelegate(parent)
    , m_model(model)
{
}

int ContactsItemDelegate::labelWidth(const QFontMetrics &metrics)
{
    return metrics.horizontalAdvance(QStringLiteral("mmmmmmmm")) + 2 * kPadding;
}

QRect ContactsItemDelegate::labelRect(const QStyleOptionViewItem &option) const
{
    QRect rect = option.rect;
    // Room for the common labels ("work fax") in the label's own font, at most half the cell.
    rect.setWidth(std::min(rect.width() / 2, labelWidth(QFontMetrics(labelFontFor(option.font)))));
    return rect;
}

void ContactsItemDelegate::paintText(QPainter *painter, const QRect &rect, const QString &text, const QFont &font,
                                     const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    if (text.isEmpty())
        return;
    const QPalette::ColorRole role =
        option.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text;
    const FindHighlights highlights = m_model->highlightsFor(index, text);
    QList<QTextLayout::FormatRange> formats;
    for (const TextRange &match : highlights.matches) {
        QTextLayout::FormatRange range;
        range.start = int(match.location);
        range.length = int(match.length);
        range.format.setBackground(kMatchColor);
        range.format.setForeground(Qt::black);
        formats.append(range);
    }
    if (highlights.current) {
        QTextLayout::FormatRange range;
        range.start = int(highlights.current->location);
        range.length = int(highlights.current->length);
        range.format.setBackground(kHitColor);
        range.format.setForeground(Qt::black);
        formats.append(range);
    }
    painter->save();
    painter->setFont(font);
    painter->setPen(option.palette.color(option.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled,
                                         role));
    painter->setClipRect(rect);
    const QFontMetrics metrics(font);
    qreal y = rect.top() + (metrics.height() < rect.height() && !text.contains(u'\n')
                                ? (rect.height() - metrics.height()) / 2.0
                                : 2.0);
    // Each line of the text on its own line of the row; lines beyond the row are clipped.
    qsizetype offset = 0;
    const int available = rect.width() - 2 * kPadding;
    for (const QString &line : text.split(u'\n')) {
        QList<QTextLayout::FormatRange> lineFormats;
        for (QTextLayout::FormatRange range : std::as_const(formats)) {
            const int start = std::max<int>(range.start, int(offset));
            const int end = std::min<int>(range.start + range.length, int(offset + line.size()));
            if (start < end) {
                range.start = start - int(offset);
                range.length = end - start;
                lineFormats.append(range);
            }
        }
        // A line too wide for the cell ends in an ellipsis, unless find marks must stay in place.
        const QString shown
            = lineFormats.isEmpty() ? metrics.elidedText(line, Qt::ElideRight, available) : line;
        QTextLayout layout(shown, font);
        layout.setFormats(lineFormats);
        layout.beginLayout();
        QTextLine textLine = layout.createLine();
        if (textLine.isValid())
            textLine.setLineWidth(1e6);
        layout.endLayout();
        layout.draw(painter, QPointF(rect.left() + kPadding, y));
        y += metrics.height();
        offset += line.size() + 1;
        if (y > rect.bottom())
            break;
    }
    painter->restore();
}

void ContactsItemDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                 const QModelIndex &index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    opt.text.clear();
    QStyle *style = opt.widget ? opt.widget->style() : QApplication::style();
    if (m_model->isTotalRow(index.row())) {
        // The total row: a plain band with the count, drawn across the row by the first column.
        painter->fillRect(option.rect, option.palette.alternateBase());
        if (index.column() == 0) {
            painter->save();
            painter->setFont(m_model->data(index, Qt::FontRole).value<QFont>());
            painter->setPen(option.palette.color(QPalette::Text));
            painter->drawText(option.rect.adjusted(kPadding, 0, -kPadding, 0), Qt::AlignVCenter | Qt::AlignLeft,
                              m_model->totalRowText());
            painter->restore();
        }
        return;
    }
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &opt, painter, opt.widget);

    const CellContent content = m_model->cellContent(index.row(), index.column());
    const QFont font = m_model->data(index, Qt::FontRole).value<QFont>();
    QRect rect = option.rect;
    switch (content.kind) {
    case CellKind::None:
        return;
    case CellKind::ImageAndText:
    case CellKind::DetailCell: {
        if (content.showsImage) {
            const QPixmap thumbnail = m_model->data(index, ContactsTableModel::ThumbnailRole).value<QPixmap>();
            const int side = std::min(rect.height(), m_model->rowHeight()) - 4;
            const QRect imageRect(rect.left() + 2, rect.top() + 2, side, side);
            painter->drawPixmap(imageRect, thumbnail);
            rect.setLeft(imageRect.right() + 2);
        }
        if (content.kind == CellKind::DetailCell && !content.detailText.isEmpty()) {
            const int line = m_model->rowHeight();
            paintText(painter, QRect(rect.left(), rect.top(), rect.width(), line), content.text, font, option, index);
            QStyleOptionViewItem detail = option;
            paintText(painter, QRect(rect.left(), rect.top() + line, rect.width(), line), content.detailText,
                      m_model->data(index.siblingAtColumn(index.column()), Qt::FontRole).value<QFont>(), detail,
                      QModelIndex());
        } else {
            paintText(painter, QRect(rect.left(), rect.top(), rect.width(), std::min(rect.height(), m_model->rowHeight())),
                      content.text, font, option, index);
        }
        return;
    }
    case CellKind::TextCell:
        paintText(painter, rect, content.text, font, option, index);
        return;
    case CellKind::PopupAndText: {
        if (!content.hasItem)
            return;
        const QRect label = labelRect(option).adjusted(0, 1, 0, -1);
        painter->save();
        const QFont small = labelFontFor(font);
        painter->setFont(small);
        const QColor labelColor = option.state & QStyle::State_Selected
            ? option.palette.color(QPalette::HighlightedText)
            : option.palette.color(QPalette::PlaceholderText);
        painter->setPen(labelColor);
        const QString text = QFontMetrics(small).elidedText(labelDisplayText(content) + QStringLiteral(" ▾"),
                                                           Qt::ElideMiddle, label.width() - 2 * kPadding);
        // The label is centred on the text's first line, which paintText() places.
        QRect line = label.adjusted(kPadding, 0, -kPadding, 0);
        if (content.text.contains(u'\n')) {
            line.setTop(option.rect.top() + 2);
            line.setHeight(QFontMetrics(font).height());
        }
        painter->drawText(line, Qt::AlignRight | Qt::AlignVCenter, text);
        painter->restore();
        rect.setLeft(label.right());
        paintText(painter, rect, content.text, font, option, index);
        return;
    }
    }
}

QSize ContactsItemDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(m_model->rowHeight() * std::max(1, m_model->data(index, ContactsTableModel::NumLinesRole).toInt()));
    return size;
}

QWidget *ContactsItemDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &index) const
{
    auto *editor = new QLineEdit(parent);
    editor->setFrame(false);
    editor->setFont(m_model->data(index, Qt::FontRole).value<QFont>());
    editor->installEventFilter(const_cast<ContactsItemDelegate *>(this));
    return editor;
}

void ContactsItemDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    auto *line = qobject_cast<QLineEdit *>(editor);
    if (!line)
        return;
    const QString text = m_editorText.isNull() ? m_model->cellContent(index.row(), index.column()).text : m_editorText;
    m_editorText = QString();
    line->setText(text);
    line->selectAll();
}

void ContactsItemDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    if (auto *line = qobject_cast<QLineEdit *>(editor))
        model->setData(index, line->text(), Qt::EditRole);
}

void ContactsItemDelegate::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                                                const QModelIndex &index) const
{
    QRect rect = option.rect;
    if (m_model->cellContent(index.row(), index.column()).kind == CellKind::PopupAndText)
        rect.setLeft(labelRect(option).right());
    rect.setHeight(std::min(rect.height(), m_model->rowHeight()));
    editor->setGeometry(rect);
}

bool ContactsItemDelegate::editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                                       const QModelIndex &index)
{
    if (event->type() == QEvent::MouseButtonPress) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        const CellContent content = m_model->cellContent(index.row(), index.column());
        if (mouse->button() == Qt::LeftButton && content.kind == CellKind::PopupAndText && content.hasItem
            && labelRect(option).contains(mouse->position().toPoint())) {
            Q_EMIT labelClicked(index, mouse->globalPosition().toPoint());
            return false; // the click still selects the row
        }
    }
    return QStyledItemDelegate::editorEvent(event, model, option, index);
}

bool ContactsItemDelegate::eventFilter(QObject *object, QEvent *event)
{
    auto *editor = qobject_cast<QLineEdit *>(object);
    if (editor && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        const bool isReturn = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        const bool isTab = key->key() == Qt::Key_Tab && key->modifiers() == Qt::NoModifier;
        if (isReturn || isTab) {
            auto *view = qobject_cast<QAbstractItemView *>(editor->parentWidget() ? editor->parentWidget()->parentWidget()
                                                                                  : nullptr);
            const QModelIndex index = view ? view->indexAt(editor->geometry().center()) : QModelIndex();
            // The editor goes first: committing may reload the table, which would otherwise drop
            // the editor under the view and have it committed a second time when it loses focus.
            const QString text = editor->text();
            Q_EMIT closeEditor(editor, QAbstractItemDelegate::NoHint);
            if (index.isValid()) {
                m_model->setData(index, text, Qt::EditRole);
                Q_EMIT navigate(index, isReturn ? Command::Return : Command::Tab);
            }
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}
