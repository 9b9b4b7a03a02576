// The contacts table's model: one row per sub-contact row, then the total row; one column per
// shown field. Cell contents come from the table core (TableCells); this class adds Qt's roles.
#pragma once

#include "record/entries.h"
#include "table/findhighlight.h"
#include "table/reloadmemory.h"
#include "table/sortkeys.h"
#include "table/tablecells.h"
#include "table/tablecolumns.h"
#include "table/tablesorter.h"

#include <QAbstractTableModel>
#include <QFont>
#include <QPixmap>
#include <functional>
#include <optional>
#include <vector>

class QMimeData;

Q_DECLARE_METATYPE(CellContent)

class ContactsTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Role {
        CellContentRole = Qt::UserRole + 1, // CellContent
        TotalRowRole,                       // bool: the total row
        ThumbnailRole,                      // QPixmap of the Name cell
        NumLinesRole,                       // int: text lines of the row
    };

    explicit ContactsTableModel(QObject *parent = nullptr);

    // A null table shows no rows at all; an empty one shows the total row.
    void setContactTable(const ContactTable &table) { m_contactTable = table; }
    ContactTable contactTable() const { return m_contactTable; }
    void setColumns(const QList<TableColumn> &columns);
    // A column now sorts by another key (a sort option was chosen); no reset.
    void setColumnSortKey(int column, const QString &key);
    const QList<TableColumn> &columns() const { return m_columns; }
    QStringList columnIdentifiers() const { return TableColumns::identifiers(m_columns); }
    int columnOf(const QString &identifier) const;
    void setCellContext(const CellContext &context) { m_context = context; }
    const CellContext &cellContext() const { return m_context; }
    void setSortDescriptor(const std::optional<SortDescriptor> &sort) { m_sort = sort; }
    std::optional<SortDescriptor> sortDescriptor() const { return m_sort; }
    void setGroupName(const QString &name) { m_groupName = name; }
    void setFonts(const QFont &font, const QFont &boldFont);
    void setRowHeight(int rowHeight) { m_rowHeight = rowHeight; }
    int rowHeight() const { return m_rowHeight; }

    // The find state cells highlight.
    void setFindString(const QString &findString, const QString &findOptions);
    void setFindHit(const std::optional<FindHit> &hit) { m_findHit = hit; }
    QString findString() const { return m_findString; }
    FindHighlights highlightsFor(const QModelIndex &index, const QString &text) const;

    // Lets one cell be edited while the table is locked (Ctrl held) or where the kind is not edited
    // in place by default; an invalid index ends the override.
    void setEditOverride(const QModelIndex &index) { m_editOverride = index; }

    // Rebuilds and sorts the rows from the contact table (a model reset). Contacts whose records
    // did not change since the last reload keep what was measured of them; when nothing changed,
    // the rows stand as they are.
    void reload();
    // What reloads keep for the next one.
    const ReloadMemory &reloadMemory() const { return m_reloadMemory; }
    // Only the sort changed: the same rows are put in the new order, keeping what was measured of
    // them, which for large tables costs a fraction of a reload (a model reset too).
    void resort();
    // Records put their items of a field in another order (a sort by that field): the rows, which
    // stand for item positions, are sorted again in the order a reload gives them. Only contacts
    // with a row taller than one line are measured again: the items are the same, and every
    // position has a row, so nothing taller can have come. Under a label filter, which positions
    // have rows may change with the order: the rows are rebuilt then.
    void itemsReordered();
    // Cells changed but the rows stand: repaint everything once.
    void refreshCells();

    const SubContactRows &rows() const { return m_rows; }
    int subContactCount() const { return int(m_rows.size()); }
    bool isTotalRow(int row) const { return m_contactTable && row == m_rows.size(); }
    const SubContactRow *rowAt(int row) const;
    CellContent cellContent(int row, int column) const;
    QString totalRowText() const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

    QStringList mimeTypes() const override;
    Qt::DropActions supportedDropActions() const override;
    Qt::DropActions supportedDragActions() const override;

    // Drag and drop: the controller makes the data of dragged rows and takes dropped data.
    using DragData = std::function<QMimeData *(const QList<int> &rows)>;
    using DropHandler = std::function<bool(const QMimeData *data, bool fromProgram)>;
    void setDragData(DragData dragData) { m_dragData = std::move(dragData); }
    void setDropHandler(DropHandler dropHandler) { m_dropHandler = std::move(dropHandler); }
    // Whether the drag under way comes from another view of the program (set as it enters).
    void setDropFromProgram(bool fromProgram) { m_dropFromProgram = fromProgram; }
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    // Drops go between rows of an unlocked table, not onto a row nor below the total row.
    bool canDropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                         const QModelIndex &parent) const override;
    bool dropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                      const QModelIndex &parent) override;

Q_SIGNALS:
    // An in-place edit ended with this text.
    void textCommitted(const QModelIndex &index, const QString &text);

private:
    QPixmap thumbnailFor(const SubContactRow &row) const;
    // Sorts the rows standing by the current sort; the company line follows a contact's first row.
    void sortStandingRows();
    // Puts the rows back in the order they were built in (the contacts' order).
    void restoreBuiltOrder();

    ContactTable m_contactTable;
    QList<TableColumn> m_columns;
    SubContactRows m_rows;
    CellContext m_context;
    std::optional<SortDescriptor> m_sort;
    TableSorter::KeyMemory m_sortKeys;
    std::vector<qsizetype> m_builtAt; // each row's place in the order the rows were built in
    ReloadMemory m_reloadMemory;
    QString m_groupName;
    QFont m_font;
    QFont m_boldFont;
    int m_rowHeight = 20;
    QString m_findString;
    QString m_findOptions;
    std::optional<FindHit> m_findHit;
    QPersistentModelIndex m_editOverride;
    DragData m_dragData;
    DropHandler m_dropHandler;
    bool m_dropFromProgram = false;
};
