#include "window/findresultmodel.h"

#include "record/qvperson.h"

#include <QApplication>
#include <QPainter>
#include <QTextLayout>
#include <numeric>
#include <vector>

namespace {

QString localizedLabel(const QString &identifier, const QString &label)
{
    const QStringList labels = QVPerson::labelsForIdentifier(identifier);
    const QStringList localized = QVPerson::localizedLabelsForIdentifier(identifier);
    const qsizetype at = labels.indexOf(label);
    return at >= 0 && at < localized.size() ? localized.at(at) : label;
}

QString localizedWord(const QString &word)
{
    if (word.isEmpty())
        return word;
    const QString localized = QVPerson::localizedIdentifierForKey(word);
    return localized.isEmpty() ? word : localized;
}

// What a column shows of a row, and sorts by.
QString columnText(const ResultRow &row, int column)
{
    switch (column) {
    case FindResultModel::NameColumn:
        return row.name;
    case FindResultModel::ItemColumn:
        return localizedWord(row.item);
    case FindResultModel::SubItemColumn:
        return localizedWord(row.subItem);
    case FindResultModel::LabelColumn:
        return localizedLabel(row.item, row.label);
    default:
        return row.value;
    }
}

} // namespace

FindResultModel::FindResultModel(QObject *parent)
    : QAbstractTableModel(parent)
{ }

void FindResultModel::setResults(QList<ResultRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    m_currentRow = -1;
    m_currentRange = -1;
    endResetModel();
}

void FindResultModel::setCurrent(int row, int rangeIndex)
{
    const int old = m_currentRow;
    m_currentRow = row;
    m_currentRange = rangeIndex;
    for (int r : { old, row }) {
        if (r >= 0 && r < m_rows.size())
            Q_EMIT dataChanged(index(r, ValueColumn), index(r, ValueColumn));
    }
}

void FindResultModel::rowChanged(int row)
{
    if (row >= 0 && row < m_rows.size())
        Q_EMIT dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

int FindResultModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int FindResultModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant FindResultModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const ResultRow &row = m_rows.at(index.row());
    if ((role == Qt::DisplayRole || role == Qt::EditRole) && index.column() < ColumnCount)
        return columnText(row, index.column());
    if (role == RangesRole)
        return QVariant::fromValue(row.ranges);
    if (role == CurrentRangeRole)
        return index.row() == m_currentRow ? m_currentRange : -1;
    return {};
}

QVariant FindResultModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case NameColumn:
        return tr("Name");
    case ItemColumn:
        return tr("Item");
    case SubItemColumn:
        return tr("SubItem");
    case LabelColumn:
        return tr("Label");
    case ValueColumn:
        return tr("Value");
    default:
        return {};
    }
}

Qt::ItemFlags FindResultModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    // Dates are changed in the date editor, not as text.
    if (m_editable && index.column() == ValueColumn && index.row() < m_rows.size()
        && !m_rows.at(index.row()).isDate())
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool FindResultModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    const QString text = value.toString();
    if (text == m_rows.at(index.row()).value)
        return false;
    Q_EMIT valueEdited(index.row(), text);
    return true;
}

void FindResultModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= ColumnCount)
        return;
    beginResetModel();
    // Each row's text is made once: the localised words would otherwise be looked up per comparison.
    QStringList texts;
    texts.reserve(m_rows.size());
    for (const ResultRow &row : std::as_const(m_rows))
        texts.append(columnText(row, column));
    std::vector<qsizetype> sorted(size_t(m_rows.size()));
    std::iota(sorted.begin(), sorted.end(), 0);
    std::stable_sort(sorted.begin(), sorted.end(), [&texts, order](qsizetype x, qsizetype y) {
        const int c = QString::localeAwareCompare(texts.at(x), texts.at(y));
        return order == Qt::AscendingOrder ? c < 0 : c > 0;
    });
    QList<ResultRow> rows;
    rows.reserve(m_rows.size());
    for (const qsizetype at : sorted)
        rows.append(std::move(m_rows[at]));
    m_rows = std::move(rows);
    m_currentRow = -1;
    m_currentRange = -1;
    endResetModel();
}

void FindResultDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                               const QModelIndex &index) const
{
    if (index.column() != FindResultModel::ValueColumn) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QString text = opt.text;
    opt.text.clear();
    QStyle *style = opt.widget ? opt.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);

    const auto ranges = index.data(FindResultModel::RangesRole).value<QList<TextRange>>();
    const int current = index.data(FindResultModel::CurrentRangeRole).toInt();
    QList<QTextLayout::FormatRange> formats;
    for (int i = 0; i < ranges.size(); ++i) {
        QTextLayout::FormatRange range;
        range.start = int(ranges.at(i).location);
        range.length = int(ranges.at(i).length);
        range.format.setBackground(i == current ? opt.palette.color(QPalette::Active, QPalette::Highlight)
                                                : QColor(255, 165, 0));
        if (i == current)
            range.format.setForeground(opt.palette.color(QPalette::Active, QPalette::HighlightedText));
        formats.append(range);
    }
    const QRect textRect
        = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, opt.widget).adjusted(2, 0, -2, 0);
    QString shown = text;
    shown.replace(u'\n', QChar::LineSeparator);
    QTextLayout layout(shown, opt.font);
    layout.setFormats(formats);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (line.isValid())
        line.setLineWidth(1e6);
    layout.endLayout();
    painter->save();
    painter->setClipRect(textRect);
    painter->setPen(opt.state & QStyle::State_Selected ? opt.palette.color(QPalette::HighlightedText)
                                                       : opt.palette.color(QPalette::Text));
    const qreal y = textRect.top() + (textRect.height() - layout.boundingRect().height()) / 2;
    layout.draw(painter, QPointF(textRect.left(), y));
    painter->restore();
}
