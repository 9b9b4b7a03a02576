// ContactsViewController: the contacts table of a document window.
//
// Shows the contacts of the selected group, one row per item position of the shown fields, with the
// total row below; keeps the selection across reloads; edits cells in place (or asks the window to
// open a popover editor); sorts by column and sort option; remembers column widths and order.
//
// Body by topic: contactsviewcontroller.cpp (columns, rows, selection, fonts),
// contactsviewcontroller_editing.cpp (in-place editing, keyboard), contactsviewcontroller_sorting.cpp
// (sorting, header menu), contactsviewcontroller_popovers.cpp (popover editors, detached windows),
// contactsviewcontroller_clipboard.cpp (copy, paste, drag and drop).
#pragma once

#include "editing/contacteditor.h"
#include "record/entries.h"
#include "table/busycursor.h"
#include "table/contactsitemdelegate.h"
#include "table/findhighlight.h"
#include "table/itemcommands.h"
#include "table/itemmenu.h"
#include "table/sortkeys.h"

#include <QElapsedTimer>
#include <QFont>
#include <QPointer>
#include <QWidget>
#include <optional>

class ContactInfoEditor;
class DetailEditor;
class ContactsTableModel;
class Popover;
class QAction;
class QHeaderView;
class QMenu;
class QMimeData;
class QTableView;

class ContactsViewController : public QWidget
{
    Q_OBJECT

public:
    explicit ContactsViewController(QWidget *parent = nullptr);
    ~ContactsViewController() override;

    // The undoable operations edits go through.
    void setEditor(ContactEditor *editor) { m_editor = editor; }
    ContactEditor *editor() const { return m_editor; }

    // ---- Contents --------------------------------------------------------------------------
    void setContactTable(const ContactTable &table);
    ContactTable contactTable() const;
    void setSelectedLabels(const QStringList &labels);
    QStringList selectedLabels() const;
    void setCustomItems(const QVariantList &customItems);
    void setEditState(bool editable);
    bool editState() const { return m_editState; }
    void setGroupName(const QString &name);
    void setSelectedFont(const QFont &font);
    QFont selectedFont() const { return m_selectedFont; }
    int rowHeight() const { return m_rowHeight; }
    bool showCompanyInNameCell() const { return m_showCompanyInNameCell; }
    void toggleShowCompany();

    // ---- Columns ---------------------------------------------------------------------------
    // Shows the columns of a view type (from the stored view-type dictionary).
    void setSelectedViewType(const QString &viewType);
    void updateColumnsInTableView(const QStringList &identifiers);
    QStringList tableIdentfiers() const;
    // Stores column widths and the current view type's column order.
    void saveColumnWithDictionary();

    // ---- Rows and selection ----------------------------------------------------------------
    // Between these, reloads are only noted and done once at the end (a window being set up asks
    // for several, each a full rebuild of every row).
    void beginUpdates() { ++m_updateDepth; }
    void endUpdates();
    // Rebuilds and sorts the rows, keeping the selection on the same items.
    void updateTable();
    // The same, re-selecting the row that shows the same item of the given field.
    void updateTableWithIdentifier(const QString &identifier);
    // Rebuilds the rows and selects those of the given contacts; when none of them is shown any
    // more (they were deleted), the row that took the first selected row's place, or the last.
    void updateTableSelecting(const ContactList &contacts);
    const SubContactRows &subContactTable() const;
    SubContactRows selectedSubContacts() const;
    QList<int> selectedRowIndexes() const;
    ContactList selectedContacts() const;
    ContactList selectedContactsWithClickedRowIndex(int clickedRow) const;
    ContactList contactsForIndexes(const QList<int> &indexes) const;
    void selectRowIndexesWithContacts(const ContactList &contacts);
    void selectRows(const QList<int> &rows);
    // Shows a search hit: selects its row and marks its range.
    void selectItemAndRange(const FindHit &hit);
    void setFindString(const QString &findString, const QString &findOptions);

    // ---- Sorting ---------------------------------------------------------------------------
    std::optional<SortDescriptor> sortDescriptor() const;
    // Records' items were put in another order after a sort change: rows must be built anew.
    void labeledValuesReordered() { m_labeledValuesReordered = true; }
    // How a sort came about: one the user chose also puts every record's items of the sorted field
    // in its order (an undoable edit); a restored one orders the rows only.
    enum class SortOrigin
    {
        Chosen,
        Restored
    };
    void setSortDescriptor(const SortDescriptor &sort, SortOrigin origin = SortOrigin::Chosen);
    // A sort option chosen for a column (header menu or toolbar): the column sorts by it.
    void sortOptionsChanged(const QString &option, const QString &columnName);

    // ---- Popover editors (contactsviewcontroller_popovers.cpp) ------------------------------
    // Each opens its editor for the row next to the rectangle (global coordinates); the result
    // is applied to the rows being edited when the popover closes.
    void showContactInfoPopover(const SubContactRow &row, const QString &type, const QRect &rect);
    // The contact popover of the first selected row; with editing, its name field is edited.
    void showContactInfoPopoverWithOption(bool editing);
    // The name editor of the first selected contact.
    void editNameOfSelectedContact();
    // F2: the current cell of the selection, edited as a double-click would.
    void editSelectedCell();
    // ---- Context menu (contactsviewcontroller_menu.cpp) ---------------------------------------
    // The window's commands the context menu runs on the contacts of the Name column; any may be
    // null (the entry then shows disabled).
    struct ContactMenuActions
    {
        // Guarded: the window may rebuild its menus and their actions.
        QPointer<QAction> addContact;
        QPointer<QAction> deleteContacts;
        QPointer<QAction> duplicateContacts;
        QPointer<QAction> exportContacts;
        QPointer<QAction> showQRCode;
        QPointer<QAction> showCompany;
        QList<QPointer<QAction>> more;     // after the contact commands; null: a separator
        QPointer<QAction> normalizePhones; // also offered on the Phone column
    };
    void setContextMenuActions(const ContactMenuActions &actions);
    // Opens the context menu of a cell at a global position; nothing for a row or column outside
    // the table. The menu shown, or null.
    QMenu *showContextMenu(int row, int column, const QPoint &globalPosition);
    // The Menu key and Shift+F10: the menu of the selected cell.
    QMenu *showContextMenuForSelectedCell();
    // The commands of the menu's entries, for the clicked cell.
    void runItemCommand(const ItemMenuEntry &entry, int row, int column);
    void doWorkspaceAction(int row, int column, const QString &itemTitle);
    void deleteItem(int row, int column);
    void replaceItem(int row, int column, ItemCommands::TextEdit mode);
    void insertItem(int row, int column);
    void showNamePopover(const SubContactRow &row, const QString &type, const QRect &rect);
    void showPhoneticNamePopover(const SubContactRow &row, const QString &type, const QRect &rect);
    void showMultiValuePopover(const SubContactRow &row, const QString &type, int index, const QRect &rect);
    void showAddressPopover(const SubContactRow &row, const QString &type, int index, const QRect &rect);
    void showSNSPopover(const SubContactRow &row, const QString &type, int index, const QRect &rect);
    void showIMSPopover(const SubContactRow &row, const QString &type, int index, const QRect &rect);
    void showDatePopover(const SubContactRow &row, const QString &type, int index, const QRect &rect);
    // A panel command of the cell's context menu: the title of the chosen item ("Open Address
    // Panel", "Open Edit Panel", ...) picks the editor of the clicked cell.
    void showPopoverWrapper(int row, int column, const QString &itemTitle);
    // The open popover, if any.
    Popover *popover() const;
    // Windows the contact popover was detached into, oldest first.
    QList<QWidget *> detachedWindows() const;
    // Refreshing after changes (connected to the edit operations' requests).
    void reloadContactPopover(ContactEditor::Sender sender);
    void reloadDetachedWindows(const QStringList &uniqueIds);
    void closeContactWindows(const QStringList &uniqueIds);

    // ---- Clipboard and drag and drop (contactsviewcontroller_clipboard.cpp) -----------------
    // The selected rows as tab-separated text, as comma-separated text, and as vCard.
    void copy();
    void copyAsCSV();
    void copyAsVCard();
    // Contacts from the clipboard's vCard data, else one from its first line of text.
    bool paste();
    bool canCopy() const;
    bool canPaste() const;
    // Contacts from dropped data; fromProgram: dragged from another view of this program, which is
    // taken as vCard data only.
    bool acceptDrop(const QMimeData *data, bool fromProgram);

    QTableView *tableView() const { return m_tableView; }
    ContactsTableModel *model() const { return m_model; }

Q_SIGNALS:
    // The selected row changed; the entry of the first selected row's contact, or null.
    void rowSelectionDidChange(const SubContactRow &row);
    // The first sort descriptor changed: field and key of the new sort, and its direction.
    void sortDescriptorsDidChange(const QString &identifier, const QString &key, bool ascending);
    // The document was changed by an edit made here.
    void documentEdited();
    // A cell asks for a popover editor: the window opens it (row, field, item index, cell rectangle
    // in global coordinates). kind names the opener ("contactInfo", "name", "multiValue", ...).
    void popoverRequested(const QString &kind, const SubContactRow &row, const QString &identifier, int index,
                          const QRect &globalRect);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    friend class ContactsViewControllerEditing;

    void applyRowHeights();
    void setupDragAndDrop();
    void copyDelimited(const QString &separator, const QString &mimeType);
    bool addPastedText(const QString &text);
    void reloadKeepingSelection(const QList<int> &rows);
    // True (and the reload noted) while updates are held back.
    bool deferReload();
    // The wait cursor for a step over every row, shown when the table is large.
    BusyCursor busyCursor() const;
    void restoreColumnWidths();
    // Columns without a stored width take the width of their contents (then stored); with no
    // rows yet, once the first rows are there.
    void fitColumnsToContents(const QList<int> &columns);
    void fitPendingColumns();
    void headerSectionClicked(int logicalIndex);
    void headerSectionMoved(int logicalIndex, int oldVisualIndex, int newVisualIndex);
    void headerSectionResized(int logicalIndex, int oldSize, int newSize);
    void showHeaderMenu(const QPoint &position);
    void selectionChanged();
    void emitSelection();
    ItemCommands itemCommands(int column) const;
    bool handleContextMenuEvent(QObject *watched, QEvent *event);
    void finishItemCommand(bool changed, const QList<int> &rows);

    // Editing (contactsviewcontroller_editing.cpp).
    void tableViewDoubleAction(const QModelIndex &index);
    void editTableViewCellOrShowPopoverForColumn(int column, int row);
    void editInPlace(int column, int row, const QString &initialText = QString());
    void textFieldCellChanged(const QModelIndex &index, const QString &text);
    void popupLabelCellChanged(const QModelIndex &index, int labelPosition);
    void labelClicked(const QModelIndex &index, const QPoint &globalPosition);
    void navigate(const QModelIndex &index, ContactsItemDelegate::Command command);
    bool editNextCellInColumn(int column, int startRow, int originalRow);
    bool commandHeld() const;
    bool confirmSameValue(const QString &question);
    void requestPopover(const QString &kind, int row, const QString &identifier, int index);
    QString fieldType(const QString &identifier) const;

    // Popovers (contactsviewcontroller_popovers.cpp).
    void openPopover(const QString &kind, const SubContactRow &row, const QString &identifier, int index,
                     const QRect &rect);
    void showDetailPopover(const SubContactRow &row, const QString &type, int index, const QRect &rect);
    void showEditorPopover(DetailEditor *editor, const SubContactRow &row, const QString &type, int index,
                           const QRect &rect);
    Popover *newPopover(QWidget *content);
    ContactInfoEditor *newContactInfoEditor(const SubContactRow &row);
    void popoverDidClose(Popover *popover);
    void detachedWindowDidOpen(QWidget *window, ContactInfoEditor *content);
    void detachedWindowDidClose(QObject *window);
    int itemLabelIndex(const SubContactRow &row, const QString &identifier) const;

    ContactsTableModel *m_model;
    ContactsItemDelegate *m_delegate;
    QTableView *m_tableView;
    QPointer<ContactEditor> m_editor;
    QFont m_selectedFont;
    QFont m_selectedBoldFont;
    int m_rowHeight = 20;
    bool m_editState = true;
    bool m_showCompanyInNameCell = false;
    bool m_updatingSelection = false;
    bool m_movingSection = false;
    QVariantMap m_columnWidthDictionary;
    QList<int> m_columnsToFit;
    QString m_selectedViewType;
    // The rows the next edit applies to (set by a double-click or a panel command).
    std::optional<QList<int>> m_selectedRowIndexes;

    struct DetachedWindow
    {
        QPointer<QWidget> window;
        QPointer<ContactInfoEditor> content;
        QString uniqueId;
    };
    QPointer<Popover> m_popover;
    ContactMenuActions m_contactMenuActions;
    QPointer<QMenu> m_contextMenu;
    QList<DetachedWindow> m_detachedWindows;

    // The selection when the mouse was last pressed: the first click of a double-click on one of
    // several selected rows narrows the selection, but the double-click applies to them all.
    QList<int> m_selectionAtPress;
    QElapsedTimer m_lastPress;
    int m_lastPressRow = -1;
    bool m_labeledValuesReordered = false;
    int m_updateDepth = 0;
    bool m_reloadPending = false;
};
