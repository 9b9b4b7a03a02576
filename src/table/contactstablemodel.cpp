#include "table/contactstablemodel.h"

#include "platform/mimetypes.h"
#include "record/keys.h"
#include "table/contacttransfer.h"
#include "table/recordreader.h"
#include "table/rowheight.h"
#include "table/subcontactbuilder.h"
#include "table/tablerows.h"
#include "table/tablesorter.h"

#include <QPixmapCache>
#include <QtConcurrent/QtConcurrentMap>
#include <algorithm>
#include <numeric>
#include <vector>

ContactsTableModel::ContactsTableModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

void ContactsTableModel::setColumns(const QList<TableColumn> &columns)
{
    beginResetModel();
    m_columns = columns;
    endResetModel();
}

void ContactsTableModel::setColumnSortKey(int column, const QString &key)
{
    if (column >= 0 && column < m_columns.size())
        m_columns[column].sortKey = key;
}

int ContactsTableModel::columnOf(const QString &identifier) const
{
    for (int i = 0; i < m_columns.size(); ++i) {
        if (m_columns.at(i).identifier == identifier)
            return i;
    }
    return -1;
}

void ContactsTableModel::setFonts(const QFont &font, const QFont &boldFont)
{
    m_font = font;
    m_boldFont = boldFont;
}

void ContactsTableModel::setFindString(const QString &findString, const QString &findOptions)
{
    m_findString = findString;
    m_findOptions = findOptions;
}

namespace {

// Runs `work` over slices of the rows on the thread pool, so that a contact's rows (which lie
// together in the built order) are mostly handled together.
void inSlices(SubContactRows &rows, const std::function<void(SubContactRow *, SubContactRow *)> &work)
{
    constexpr qsizetype kSlice = 2048;
    std::vector<std::pair<qsizetype, qsizetype>> slices;
    for (qsizetype begin = 0; begin < rows.size(); begin += kSlice)
        slices.emplace_back(begin, std::min(rows.size(), begin + kSlice));
    SubContactRow *data = rows.data();
    QtConcurrent::blockingMap(slices, [&work, data](const std::pair<qsizetype, qsizetype> &slice) {
        work(data + slice.first, data + slice.second);
    });
}

// Most views show single-line texts only; lines are counted where a column can hold more.
bool measuresLines(const QStringList &identifiers)
{
    return identifiers.size() > 1;
}

// Measures rows in built order; rows with a kept row (kept[i] >= 0) take the lines measured of it.
void measureRows(SubContactRows &rows, const QStringList &identifiers, const std::vector<qsizetype> *kept,
                 const ReloadMemory &memory)
{
    const RowHeights::CellLineCounter counter(identifiers);
    const SubContactRow *const data = rows.constData();
    inSlices(rows, [&](SubContactRow *begin, SubContactRow *end) {
        if (!kept) {
            counter.measureRows(begin, end);
            return;
        }
        // Runs of rows to measure: a contact's own lines are read once per run.
        while (begin != end) {
            for (; begin != end && (*kept)[size_t(begin - data)] >= 0; ++begin)
                begin->numLines = memory.cellLines((*kept)[size_t(begin - data)]);
            SubContactRow *run = begin;
            while (run != end && (*kept)[size_t(run - data)] < 0)
                ++run;
            counter.measureRows(begin, run);
            begin = run;
        }
    });
}

} // namespace

void ContactsTableModel::reload()
{
    beginResetModel();
    if (!m_contactTable) {
        m_rows.clear();
        m_builtAt.clear();
        m_reloadMemory.clear();
        endResetModel();
        return;
    }
    const QStringList identifiers = columnIdentifiers();
    if (m_reloadMemory.begin(*m_contactTable,
                             ReloadMemory::shapeOf(identifiers, m_context.selectedLabels, m_sort,
                                                   m_context.showCompanyInNameCell))) {
        endResetModel();
        return;
    }
    m_rows.clear();
    m_builtAt.clear();
    // Contacts that did not change keep the lines measured of them.
    auto measure = [&](SubContactRows &rows) {
        if (measuresLines(identifiers)) {
            const std::vector<qsizetype> kept = m_reloadMemory.previousRows(rows);
            measureRows(rows, identifiers, m_reloadMemory.keepsLines() ? &kept : nullptr, m_reloadMemory);
        }
        m_reloadMemory.finish(rows);
    };
    m_rows = TableRows::reloadRows(*m_contactTable, identifiers, m_context.selectedLabels, m_sort, measure,
                                   &m_sortKeys, &m_builtAt);
    // The company line belongs to a contact's first row, known once the rows are sorted.
    if (m_context.showCompanyInNameCell) {
        for (SubContactRow &row : m_rows) {
            if (RowHeights::showsCompanyLine(row, true))
                row.numLines = std::max(row.numLines, 2);
        }
    }
    endResetModel();
}

void ContactsTableModel::resort()
{
    beginResetModel();
    m_reloadMemory.rowsMoved();
    if (m_contactTable)
        sortStandingRows();
    endResetModel();
}

void ContactsTableModel::itemsReordered()
{
    if (!m_contactTable)
        return;
    if (!LabelFilter(m_context.selectedLabels).passesAll() || m_builtAt.size() != size_t(m_rows.size())) {
        reload();
        return;
    }
    beginResetModel();
    m_reloadMemory.rowsMoved();
    // Equal values keep the order the rows were built in, as after a reload.
    restoreBuiltOrder();
    const QStringList identifiers = columnIdentifiers();
    if (measuresLines(identifiers)) {
        const RowHeights::CellLineCounter counter(identifiers);
        const bool company = m_context.showCompanyInNameCell;
        SubContactRow *const end = m_rows.data() + m_rows.size();
        for (SubContactRow *begin = m_rows.data(); begin != end;) {
            SubContactRow *last = begin;
            bool tall = false;
            for (; last != end && last->person == begin->person; ++last)
                tall = tall || last->numLines > 1;
            if (tall) {
                counter.measureRows(begin, last);
                for (SubContactRow *row = begin; row != last; ++row) {
                    if (RowHeights::showsCompanyLine(*row, company))
                        row->numLines = std::max(row->numLines, 2);
                }
            }
            begin = last;
        }
    }
    sortStandingRows();
    endResetModel();
}

void ContactsTableModel::restoreBuiltOrder()
{
    SubContactRows built(m_rows.size());
    for (qsizetype i = 0; i < m_rows.size(); ++i)
        built[m_builtAt[size_t(i)]] = std::move(m_rows[i]);
    m_rows = std::move(built);
    std::iota(m_builtAt.begin(), m_builtAt.end(), qsizetype(0));
}

void ContactsTableModel::sortStandingRows()
{
    const std::vector<qsizetype> order = TableSorter::sortRows(
        m_rows, m_sort.value_or(SortDescriptor::defaultSort()), m_context.selectedLabels, &m_sortKeys);
    if (m_builtAt.size() == order.size()) {
        std::vector<qsizetype> builtAt(order.size());
        for (size_t i = 0; i < order.size(); ++i)
            builtAt[i] = m_builtAt[size_t(order[i])];
        m_builtAt = std::move(builtAt);
    } else {
        m_builtAt.clear();
    }
    // A contact's first row may now be another of its rows; only that row shows the company
    // line, so rows whose place among their contact's rows changed are measured again.
    std::vector<bool> wasNotFirst(size_t(m_rows.size()));
    for (qsizetype i = 0; i < m_rows.size(); ++i)
        wasNotFirst[size_t(i)] = m_rows.at(i).notFirstRow;
    SubContactBuilder::markNotFirstRows(m_rows);
    if (m_context.showCompanyInNameCell) {
        const QStringList identifiers = columnIdentifiers();
        for (qsizetype i = 0; i < m_rows.size(); ++i) {
            if (m_rows.at(i).notFirstRow != wasNotFirst[size_t(i)])
                m_rows[i].numLines = RowHeights::numberOfLines(m_rows.at(i), identifiers, true);
        }
    }
}

void ContactsTableModel::refreshCells()
{
    if (rowCount() > 0 && columnCount() > 0)
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

const SubContactRow *ContactsTableModel::rowAt(int row) const
{
    return row >= 0 && row < m_rows.size() ? &m_rows.at(row) : nullptr;
}

CellContent ContactsTableModel::cellContent(int row, int column) const
{
    const SubContactRow *r = rowAt(row);
    if (!r || column < 0 || column >= m_columns.size())
        return {};
    return TableCells::cellContent(*r, m_columns.at(column).identifier, m_context);
}

QString ContactsTableModel::totalRowText() const
{
    return TableRows::totalRowText(m_groupName, TableRows::contactCount(m_rows));
}

FindHighlights ContactsTableModel::highlightsFor(const QModelIndex &index, const QString &text) const
{
    const SubContactRow *r = rowAt(index.row());
    if (!r || m_findString.isEmpty() || index.column() >= m_columns.size())
        return {};
    CellPlace place;
    place.uniqueId = r->uniqueId;
    place.identifier = m_columns.at(index.column()).identifier;
    const CellContent content = cellContent(index.row(), index.column());
    if (content.kind == CellKind::PopupAndText)
        place.labelIndex = r->labelIndex;
    return FindHighlight::highlights(text, m_findString, m_findOptions, place, m_findHit ? &*m_findHit : nullptr);
}

QPixmap ContactsTableModel::thumbnailFor(const SubContactRow &row) const
{
    QVPerson &person = *row.person;
    const bool hasPhoto = !person.thumbnailImageData().isEmpty() || !person.imageData().isEmpty();
    // Records without a photo share the stock images; photos are cached by contact and size.
    const QString key = hasPhoto ? QStringLiteral("photo:%1:%2:%3")
                                       .arg(row.uniqueId)
                                       .arg(qHash(person.imageData()) ^ qHash(person.thumbnailImageData()))
                                       .arg(m_rowHeight)
                                 : QStringLiteral("stock:%1:%2").arg(person.showAsPerson()).arg(m_rowHeight);
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap))
        return pixmap;
    const int side = std::max(8, m_rowHeight - 4);
    pixmap = QPixmap::fromImage(person.thumbnail().scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}

int ContactsTableModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid() || !m_contactTable)
        return 0;
    return int(m_rows.size()) + 1;
}

int ContactsTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant ContactsTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    if (isTotalRow(index.row())) {
        switch (role) {
        case TotalRowRole:
            return true;
        case Qt::DisplayRole:
            return index.column() == 0 ? totalRowText() : QString();
        case Qt::FontRole:
            return m_font;
        default:
            return {};
        }
    }
    const SubContactRow *row = rowAt(index.row());
    if (!row)
        return {};
    switch (role) {
    case Qt::DisplayRole: {
        const CellContent content = cellContent(index.row(), index.column());
        return content.text;
    }
    case Qt::EditRole: {
        const CellContent content = cellContent(index.row(), index.column());
        return content.text;
    }
    case Qt::ToolTipRole: {
        const CellContent content = cellContent(index.row(), index.column());
        return content.text.contains(u'\n') ? content.text : QVariant();
    }
    case CellContentRole:
        return QVariant::fromValue(cellContent(index.row(), index.column()));
    case TotalRowRole:
        return false;
    case ThumbnailRole:
        return thumbnailFor(*row);
    case NumLinesRole:
        return row->numLines;
    case Qt::FontRole: {
        const CellContent content = cellContent(index.row(), index.column());
        return content.bold ? m_boldFont : m_font;
    }
    default:
        return {};
    }
}

QVariant ContactsTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columns.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return m_columns.at(section).title;
    if (role == Qt::UserRole)
        return m_columns.at(section).identifier;
    return {};
}

Qt::ItemFlags ContactsTableModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::ItemIsDropEnabled;
    if (isTotalRow(index.row()))
        return Qt::ItemIsEnabled;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled;
    const CellContent content = cellContent(index.row(), index.column());
    if (content.editable || index == m_editOverride)
        f |= Qt::ItemIsEditable;
    return f;
}

bool ContactsTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || isTotalRow(index.row()))
        return false;
    // The record changes through the undoable operations; the view's controller applies it.
    Q_EMIT textCommitted(index, value.toString());
    return true;
}

QStringList ContactsTableModel::mimeTypes() const
{
    return {MimeType::VCard,  MimeType::VCardLegacy, MimeType::UriList,
            MimeType::PlainText, MimeType::StringIndexes};
}

Qt::DropActions ContactsTableModel::supportedDropActions() const
{
    return Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
}

Qt::DropActions ContactsTableModel::supportedDragActions() const
{
    return Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
}

QMimeData *ContactsTableModel::mimeData(const QModelIndexList &indexes) const
{
    // The view hands over every cell of the dragged rows.
    QList<int> rows;
    for (const QModelIndex &index : indexes) {
        if (index.isValid() && index.row() < subContactCount() && !rows.contains(index.row()))
            rows.append(index.row());
    }
    std::sort(rows.begin(), rows.end());
    return rows.isEmpty() || !m_dragData ? nullptr : m_dragData(rows);
}

bool ContactsTableModel::canDropMimeData(const QMimeData *data, Qt::DropAction, int row, int,
                                         const QModelIndex &parent) const
{
    if (!data || !m_context.editState || parent.isValid())
        return false;
    if (subContactCount() > 0 && row > subContactCount())
        return false;
    return m_dropFromProgram || ContactTransfer::hasAcceptableData(data);
}

bool ContactsTableModel::dropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                                      const QModelIndex &parent)
{
    if (!canDropMimeData(data, action, row, column, parent) || !m_dropHandler)
        return false;
    return m_dropHandler(data, m_dropFromProgram);
}
