// MultiValueViewController: the list editor of one contact's items of one field, shown in a
// popover from the contacts table.
//
// It edits a working copy of the items (MultiValueList). Edit unlocks the list: rows can then be
// added, deleted, reordered by dragging and changed in their cells, Return and Tab moving on from
// cell to cell. Done (titled "Change" while editing) hands the whole list back under "values" and
// "value" with "dirty" set, for the table to apply as one undoable replacement; Cancel leaves
// "dirty" unset. Addresses are added and changed in the address popover opened from the list.
#pragma once

#include "detail/detaileditor.h"

#include <QPointer>

class AddressEditor;
class MultiValueDelegate;
class MultiValueList;
class Popover;
class QFrame;
class QLabel;
class QModelIndex;
class QTableView;

class MultiValueViewController : public DetailEditor
{
    Q_OBJECT

public:
    enum class Button
    {
        Add,
        Delete,
        Edit,
        Done,
        Cancel
    };

    explicit MultiValueViewController(QWidget *parent = nullptr);
    ~MultiValueViewController() override;

    void setSelectedFont(const QFont &font);
    void buttonPressed(Button button);
    bool isEditing() const;

    MultiValueList *list() const { return m_list; }
    QTableView *tableView() const { return m_table; }
    QPushButton *button(Button button) const;
    // The composed text of the address last changed or added.
    QString addressText() const;
    // The address popover opened from the list, if one is showing.
    AddressEditor *addressEditor() const;

protected:
    void loadContext() override;
    QVariant result() const override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void setEditing(bool editing);
    void add();
    void remove();
    void finish();
    void listChanged();
    void tableViewDoubleAction(const QModelIndex &index);
    void checkboxCellChanged(int row);
    void showAddressPopover(const QVariantMap &item, QWidget *anchor);
    void addressPopoverDidClose(AddressEditor *editor);
    void navigate(int key);
    // Whether a text cell of the column opens for typing (double-click, Return, Tab).
    bool opensInPlace(int column) const;
    void editCell(const QModelIndex &index);
    void refreshPopupEditors();
    void updateRowHeights();
    void showAddressText(const QString &text);
    void selectRow(int row);

    MultiValueList *m_list;
    MultiValueDelegate *m_delegate;
    QLabel *m_image;
    QLabel *m_name;
    QComboBox *m_typePopup;
    QLabel *m_address;
    QTableView *m_table;
    QFrame *m_separator;
    QPushButton *m_addButton;
    QPushButton *m_deleteButton;
    QPushButton *m_editButton;
    QPushButton *m_cancelButton;
    QPushButton *m_doneButton;
    QPointer<Popover> m_addressPopover;
    QStringList m_customIdentifiers;
    // The list differs from the record's.
    bool m_changed = false;
};
