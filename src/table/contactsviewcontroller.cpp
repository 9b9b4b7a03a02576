#include "table/contactsviewcontroller.h"

#include "platform/userdefaults.h"
#include "postal/postalcodes.h"
#include "record/keys.h"
#include "table/busycursor.h"
#include "table/contactstablemodel.h"
#include "table/keys.h"
#include "table/rowheight.h"
#include "table/tablecolumns.h"
#include "table/tableselection.h"
#include "table/viewtypes.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSet>
#include <QTableView>
#include <QVBoxLayout>
#include <utility>

namespace {

constexpr double kDefaultFontSize = 12;
// A column fitted to its contents stays readable beside the others: long notes do not take it all.
constexpr int kMaximumFittedWidth = 480;
// Room beside the text for the cell's margins and the label popup.
constexpr int kFittedWidthPadding = 16;

QFont defaultFont()
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPointSizeF(kDefaultFontSize);
    return font;
}

} // namespace

ContactsViewController::ContactsViewController(QWidget *parent)
    : QWidget(parent)
    , m_model(new ContactsTableModel(this))
    , m_delegate(new ContactsItemDelegate(m_model, this))
    , m_tableView(new QTableView(this))
{
    // The postal-code lists take a moment to load: done on a worker now, before any address editor.
    PostalCodes::preload();
    m_tableView->setModel(m_model);
    m_tableView->setItemDelegate(m_delegate);
    m_tableView->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tableView->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_tableView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tableView->setWordWrap(false);
    m_tableView->setShowGrid(true);
    m_tableView->setGridStyle(Qt::DotLine);
    m_tableView->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_tableView->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_tableView->verticalHeader()->hide();
    m_tableView->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    QHeaderView *header = m_tableView->horizontalHeader();
    header->setSectionsMovable(true);
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(true);
    header->setHighlightSections(false);
    header->setStretchLastSection(false);
    header->setMinimumSectionSize(int(TableColumn::MinimumWidth));
    header->setContextMenuPolicy(Qt::CustomContextMenu);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_tableView);

    // F2 edits the selected cell, the desktop's usual key for it.
    auto *editCell = new QAction(this);
    editCell->setShortcut(QKeySequence(Qt::Key_F2));
    editCell->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(editCell, &QAction::triggered, this, &ContactsViewController::editSelectedCell);
    addAction(editCell);

    m_tableView->viewport()->installEventFilter(this);
    m_tableView->installEventFilter(this);
    connect(header, &QHeaderView::sectionClicked, this, &ContactsViewController::headerSectionClicked);
    connect(header, &QHeaderView::sectionMoved, this, &ContactsViewController::headerSectionMoved);
    connect(header, &QHeaderView::sectionResized, this, &ContactsViewController::headerSectionResized);
    connect(header, &QHeaderView::customContextMenuRequested, this, &ContactsViewController::showHeaderMenu);
    connect(m_tableView, &QTableView::doubleClicked, this, &ContactsViewController::tableViewDoubleAction);
    connect(m_tableView->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &ContactsViewController::selectionChanged);
    connect(m_model, &ContactsTableModel::textCommitted, this, &ContactsViewController::textFieldCellChanged);
    connect(m_delegate, &ContactsItemDelegate::navigate, this, &ContactsViewController::navigate);
    connect(m_delegate, &ContactsItemDelegate::labelClicked, this, &ContactsViewController::labelClicked);

    UserDefaults &defaults = UserDefaults::standard();
    m_showCompanyInNameCell = defaults.boolValue(DefaultsKey::ShowCompanyInNameCell);
    m_columnWidthDictionary = defaults.dictionaryValue(DefaultsKey::ColumnWidthDictionary);
    CellContext context = m_model->cellContext();
    context.showCompanyInNameCell = m_showCompanyInNameCell;
    context.editState = m_editState;
    m_model->setCellContext(context);
    setSelectedFont(defaultFont());
    setupDragAndDrop();
}

ContactsViewController::~ContactsViewController() = default;

bool ContactsViewController::eventFilter(QObject *watched, QEvent *event)
{
    if (handleContextMenuEvent(watched, event))
        return true;
    if (watched == m_tableView->viewport() && event->type() == QEvent::MouseButtonPress) {
        // The first click of a double-click narrows a selection of several rows to the clicked one;
        // its second press must not take that narrowed selection for the one the user made.
        const int row = m_tableView->rowAt(static_cast<QMouseEvent *>(event)->position().toPoint().y());
        const QList<int> selection = selectedRowIndexes();
        const bool secondPress = m_lastPress.isValid() && m_lastPress.elapsed() <= QApplication::doubleClickInterval()
            && row == m_lastPressRow && selection == QList<int> { row };
        if (!secondPress)
            m_selectionAtPress = selection;
        m_lastPress.start();
        m_lastPressRow = row;
    }
    return QWidget::eventFilter(watched, event);
}

// ---- Contents ----------------------------------------------------------------------------------

void ContactsViewController::setContactTable(const ContactTable &table)
{
    m_model->setContactTable(table);
}

ContactTable ContactsViewController::contactTable() const
{
    return m_model->contactTable();
}

void ContactsViewController::setSelectedLabels(const QStringList &labels)
{
    CellContext context = m_model->cellContext();
    context.selectedLabels = labels;
    m_model->setCellContext(context);
}

QStringList ContactsViewController::selectedLabels() const
{
    return m_model->cellContext().selectedLabels;
}

void ContactsViewController::setCustomItems(const QVariantList &customItems)
{
    CellContext context = m_model->cellContext();
    context.customItems = customItems;
    m_model->setCellContext(context);
}

void ContactsViewController::setEditState(bool editable)
{
    m_editState = editable;
    CellContext context = m_model->cellContext();
    context.editState = editable;
    m_model->setCellContext(context);
    m_model->refreshCells();
}

void ContactsViewController::setGroupName(const QString &name)
{
    m_model->setGroupName(name);
    const int total = m_model->rowCount() - 1;
    if (total >= 0)
        Q_EMIT m_model->dataChanged(m_model->index(total, 0), m_model->index(total, m_model->columnCount() - 1));
}

void ContactsViewController::setSelectedFont(const QFont &font)
{
    m_selectedFont = font;
    m_selectedBoldFont = font;
    m_selectedBoldFont.setBold(true);
    const QFontMetricsF metrics(font);
    m_rowHeight = RowHeights::rowHeightForLineHeight(metrics.ascent() + metrics.descent() + metrics.leading(),
                                                    font.pointSizeF());
    m_model->setFonts(m_selectedFont, m_selectedBoldFont);
    m_model->setRowHeight(m_rowHeight);
    m_tableView->setFont(font);
    m_tableView->verticalHeader()->setDefaultSectionSize(m_rowHeight);
    if (m_model->contactTable()) {
        const QList<int> selected = selectedRowIndexes();
        reloadKeepingSelection(selected);
    }
}

void ContactsViewController::toggleShowCompany()
{
    m_showCompanyInNameCell = !m_showCompanyInNameCell;
    UserDefaults::standard().setValue(DefaultsKey::ShowCompanyInNameCell, m_showCompanyInNameCell);
    CellContext context = m_model->cellContext();
    context.showCompanyInNameCell = m_showCompanyInNameCell;
    m_model->setCellContext(context);
    setSelectedFont(m_selectedFont);
    updateTable();
}

// ---- Columns -----------------------------------------------------------------------------------

void ContactsViewController::setSelectedViewType(const QString &viewType)
{
    m_selectedViewType = viewType;
    const QVariantMap viewTypeDict = UserDefaults::standard().dictionaryValue(DefaultsKey::ViewTypeDict);
    QStringList identifiers = ViewTypes::identifiersForViewType(viewTypeDict, viewType);
    if (identifiers.isEmpty())
        identifiers = {FieldId::Name};
    updateColumnsInTableView(identifiers);
}

void ContactsViewController::updateColumnsInTableView(const QStringList &identifiers)
{
    const QVariantMap sortOptions = UserDefaults::standard().dictionaryValue(DefaultsKey::SortOptionsDict);
    const QList<TableColumn> columns = TableColumns::updateColumns(identifiers, sortOptions, m_columnWidthDictionary);
    const QList<int> selected = selectedRowIndexes();
    m_movingSection = true;
    m_model->setColumns(columns);
    QHeaderView *header = m_tableView->horizontalHeader();
    QList<int> unsized;
    for (int i = 0; i < columns.size(); ++i) {
        if (header->visualIndex(i) != i)
            header->moveSection(header->visualIndex(i), i);
        // A width the user never set is the default in points; on screen that is more pixels
        // than points, as the table's font sizes are.
        const bool stored = m_columnWidthDictionary.contains(columns.at(i).identifier);
        const double scale = stored ? 1.0 : m_tableView->logicalDpiX() / 72.0;
        header->resizeSection(i, int(columns.at(i).width * scale));
        if (!stored)
            unsized.append(i);
    }
    m_movingSection = false;
    reloadKeepingSelection(selected);
    fitColumnsToContents(unsized);
}

void ContactsViewController::fitColumnsToContents(const QList<int> &columns)
{
    // Nothing to measure yet: the default width stays, and nothing is stored until rows come.
    m_columnsToFit.clear();
    if (m_model->subContactCount() == 0) {
        m_columnsToFit = columns;
        return;
    }
    QHeaderView *header = m_tableView->horizontalHeader();
    for (int column : columns) {
        m_tableView->resizeColumnToContents(column);
        const int width = std::min(kMaximumFittedWidth, header->sectionSize(column) + kFittedWidthPadding);
        header->resizeSection(column, width); // stored by headerSectionResized
    }
}

void ContactsViewController::fitPendingColumns()
{
    if (!m_columnsToFit.isEmpty() && m_model->subContactCount() > 0)
        fitColumnsToContents(std::exchange(m_columnsToFit, {}));
}

QStringList ContactsViewController::tableIdentfiers() const
{
    // Display order, which is the model's order (moved sections are rebuilt in place).
    QStringList out;
    const QHeaderView *header = m_tableView->horizontalHeader();
    for (int visual = 0; visual < header->count(); ++visual)
        out.append(m_model->columns().at(header->logicalIndex(visual)).identifier);
    return out;
}

void ContactsViewController::saveColumnWithDictionary()
{
    UserDefaults &defaults = UserDefaults::standard();
    defaults.setValue(DefaultsKey::ColumnWidthDictionary, m_columnWidthDictionary);
    QVariantMap viewTypeDict = defaults.dictionaryValue(DefaultsKey::ViewTypeDict);
    const QString viewType = defaults.stringValue(DefaultsKey::SelectedViewType);
    if (!viewType.isEmpty() && viewTypeDict.contains(viewType)) {
        viewTypeDict.insert(viewType, tableIdentfiers());
        defaults.setValue(DefaultsKey::ViewTypeDict, viewTypeDict);
    }
    defaults.sync();
}

void ContactsViewController::headerSectionResized(int logicalIndex, int, int newSize)
{
    if (m_movingSection || logicalIndex < 0 || logicalIndex >= m_model->columns().size())
        return;
    m_columnWidthDictionary.insert(m_model->columns().at(logicalIndex).identifier, double(newSize));
}

void ContactsViewController::headerSectionMoved(int, int oldVisualIndex, int newVisualIndex)
{
    if (m_movingSection)
        return;
    // The Name column stays first: no column moves to or from position 0.
    if (oldVisualIndex == 0 || newVisualIndex == 0) {
        m_movingSection = true;
        m_tableView->horizontalHeader()->moveSection(newVisualIndex, oldVisualIndex);
        m_movingSection = false;
        return;
    }
    saveColumnWithDictionary();
}

// ---- Rows and selection --------------------------------------------------------------------------

const SubContactRows &ContactsViewController::subContactTable() const
{
    return m_model->rows();
}

void ContactsViewController::applyRowHeights()
{
    QHeaderView *vertical = m_tableView->verticalHeader();
    vertical->setDefaultSectionSize(m_rowHeight);
    m_tableView->clearSpans();
    const SubContactRows &rows = m_model->rows();
    // A header that updates finds the resized section's place by summing every section above it:
    // quadratic over a table of tall rows.
    const bool updates = vertical->updatesEnabled();
    vertical->setUpdatesEnabled(false);
    for (int i = 0; i < rows.size(); ++i) {
        if (rows.at(i).numLines > 1)
            vertical->resizeSection(i, m_rowHeight * rows.at(i).numLines);
    }
    vertical->setUpdatesEnabled(updates);
    if (m_model->contactTable() && m_model->columnCount() > 1)
        m_tableView->setSpan(int(rows.size()), 0, 1, m_model->columnCount());
}

void ContactsViewController::selectRows(const QList<int> &rows)
{
    QItemSelection selection;
    const int last = m_model->columnCount() - 1;
    for (int row : rows) {
        if (row >= 0 && row < m_model->subContactCount() && last >= 0)
            selection.select(m_model->index(row, 0), m_model->index(row, last));
    }
    m_updatingSelection = true;
    m_tableView->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    if (!rows.isEmpty() && rows.first() >= 0 && rows.first() < m_model->subContactCount()) {
        m_tableView->selectionModel()->setCurrentIndex(m_model->index(rows.first(), 0), QItemSelectionModel::NoUpdate);
        m_tableView->scrollTo(m_model->index(rows.first(), 0));
    }
    m_updatingSelection = false;
    emitSelection();
}

BusyCursor ContactsViewController::busyCursor() const
{
    const ContactTable table = m_model->contactTable();
    return BusyCursor(table && table->size() >= BusyCursor::LargeTable);
}

bool ContactsViewController::deferReload()
{
    if (m_updateDepth == 0)
        return false;
    m_reloadPending = true;
    return true;
}

void ContactsViewController::endUpdates()
{
    if (m_updateDepth > 0 && --m_updateDepth == 0 && std::exchange(m_reloadPending, false))
        updateTable();
}

void ContactsViewController::reloadKeepingSelection(const QList<int> &rows)
{
    if (deferReload())
        return;
    const BusyCursor busy = busyCursor();
    m_model->reload();
    applyRowHeights();
    QList<int> valid;
    for (int row : rows) {
        if (row < m_model->subContactCount())
            valid.append(row);
    }
    // The table always keeps a row selected when it has rows.
    if (valid.isEmpty() && m_model->subContactCount() > 0)
        valid.append(0);
    selectRows(valid);
}

void ContactsViewController::updateTable()
{
    if (!m_model->contactTable() || deferReload())
        return;
    const BusyCursor busy = busyCursor();
    const QList<int> selected = selectedRowIndexes();
    const std::optional<SortDescriptor> sort = m_model->sortDescriptor();
    const TableSelection::ReloadSelection remembered = TableSelection::rememberSelection(
        m_model->rows(), selected, sort ? sort->key : QString(), m_model->cellContext().customItems);
    m_model->reload();
    applyRowHeights();
    fitPendingColumns();
    QList<int> restored = TableSelection::restoreSelection(m_model->rows(), remembered);
    restored.removeIf([this](int row) { return row >= m_model->subContactCount(); });
    if (restored.isEmpty() && m_model->subContactCount() > 0)
        restored.append(0);
    selectRows(restored);
}

void ContactsViewController::updateTableSelecting(const ContactList &contacts)
{
    const QList<int> before = selectedRowIndexes();
    QSet<QString> beforeContacts;
    for (int row : before)
        beforeContacts.insert(m_model->rows().at(row).uniqueId);
    updateTable();
    if (contacts.isEmpty() || !m_model->contactTable() || m_updateDepth > 0)
        return;
    QList<int> rows = TableSelection::rowsForContacts(RowIndex(m_model->rows()), contacts);
    const int count = m_model->subContactCount();
    if (rows.isEmpty() && !before.isEmpty() && count > 0) {
        // The reload keeps the selection on contacts still shown; where they are gone, the row
        // that took the first one's place, or the last, is selected.
        const QList<int> kept = selectedRowIndexes();
        const bool stayed = std::any_of(kept.cbegin(), kept.cend(), [&](int row) {
            return beforeContacts.contains(m_model->rows().at(row).uniqueId);
        });
        if (!stayed)
            rows.append(std::min(before.first(), count - 1));
    }
    if (!rows.isEmpty())
        selectRows(rows);
}

void ContactsViewController::updateTableWithIdentifier(const QString &identifier)
{
    setSelectedLabels(UserDefaults::standard().stringArrayValue(DefaultsKey::SelectedLabels));
    if (!m_model->contactTable() || deferReload())
        return;
    const BusyCursor busy = busyCursor();
    const QList<int> selected = selectedRowIndexes();
    const int first = selected.isEmpty() ? 0 : selected.first();
    std::optional<TableSelection::ItemLocator> item;
    if (const SubContactRow *row = m_model->rowAt(first))
        item = TableSelection::locateItem(*row, identifier);
    m_model->reload();
    applyRowHeights();
    int found = -1;
    if (item)
        found = TableSelection::rowForItem(m_model->rows(), RowIndex(m_model->rows()), *item, identifier);
    selectRows(found >= 0 ? QList<int>{found} : selected);
}

QList<int> ContactsViewController::selectedRowIndexes() const
{
    QList<int> rows;
    for (const QModelIndex &index : m_tableView->selectionModel()->selectedRows()) {
        if (index.row() < m_model->subContactCount())
            rows.append(index.row());
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

SubContactRows ContactsViewController::selectedSubContacts() const
{
    SubContactRows rows;
    for (int row : selectedRowIndexes())
        rows.append(m_model->rows().at(row));
    return rows;
}

ContactList ContactsViewController::selectedContacts() const
{
    return selectedContactsWithClickedRowIndex(-1);
}

ContactList ContactsViewController::selectedContactsWithClickedRowIndex(int clickedRow) const
{
    const ContactTable table = m_model->contactTable();
    if (!table)
        return {};
    return TableSelection::selectedContacts(m_model->rows(), selectedRowIndexes(), *table, clickedRow);
}

ContactList ContactsViewController::contactsForIndexes(const QList<int> &indexes) const
{
    const ContactTable table = m_model->contactTable();
    if (!table)
        return {};
    return TableSelection::contactsForIndexes(m_model->rows(), indexes, *table);
}

void ContactsViewController::selectRowIndexesWithContacts(const ContactList &contacts)
{
    selectRows(TableSelection::rowsForContacts(RowIndex(m_model->rows()), contacts));
}

void ContactsViewController::selectItemAndRange(const FindHit &hit)
{
    if (!m_model->contactTable())
        return;
    m_model->setFindHit(hit);
    int start = -1;
    for (int i = 0; i < m_model->subContactCount(); ++i) {
        const SubContactRow &row = m_model->rows().at(i);
        if (row.uniqueId == hit.uniqueId && row.labelIndex == hit.labelIndex) {
            start = i;
            break;
        }
    }
    if (start < 0) {
        const QList<int> selected = selectedRowIndexes();
        start = selected.isEmpty() ? 0 : selected.first();
    }
    m_model->reload();
    applyRowHeights();
    for (int i = start; i < m_model->subContactCount(); ++i) {
        if (m_model->rows().at(i).labelIndex == hit.labelIndex) {
            selectRows({i});
            return;
        }
    }
}

void ContactsViewController::setFindString(const QString &findString, const QString &findOptions)
{
    m_model->setFindString(findString, findOptions);
    m_model->refreshCells();
}

void ContactsViewController::selectionChanged()
{
    if (m_updatingSelection)
        return;
    // Keep a row selected: the table does not allow an empty selection.
    if (m_tableView->selectionModel()->selectedRows().isEmpty() && m_model->subContactCount() > 0) {
        const QModelIndex current = m_tableView->currentIndex();
        selectRows({current.isValid() && current.row() < m_model->subContactCount() ? current.row() : 0});
        return;
    }
    emitSelection();
}

void ContactsViewController::emitSelection()
{
    const QList<int> selected = selectedRowIndexes();
    if (selected.isEmpty())
        return;
    Q_EMIT rowSelectionDidChange(m_model->rows().at(selected.first()));
}
