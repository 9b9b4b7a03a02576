// FindPanel: searches every contact of the window's table at once and lists each item that holds
// the search text, narrowed by items, sub-items and labels; steps through the occurrences and
// replaces one or all of them through the window's undoable edits.
#pragma once

#include "find/panelsearch.h"

#include <QDialog>
#include <QPointer>

class EditLockFrame;
class FindResultModel;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTableView;
class QToolButton;
class ViewController;

class FindPanel : public QDialog
{
    Q_OBJECT

public:
    // Without a window the panel searches `contacts` and changes them through `editor`.
    explicit FindPanel(ViewController *parentViewController);
    FindPanel(const ContactTable &contacts, ContactEditor *editor, QWidget *parent = nullptr);

    // ---- What a test or the window drives --------------------------------------------------
    QLineEdit *searchField() const { return m_searchField; }
    QLineEdit *replaceField() const { return m_replaceField; }
    QComboBox *searchModePopup() const { return m_searchModePopup; }
    QTableView *tableView() const { return m_tableView; }
    FindResultModel *results() const { return m_model; }
    QLabel *messageLabel() const { return m_message; }
    QPushButton *replaceButton() const { return m_replaceButton; }
    QPushButton *replaceAllButton() const { return m_replaceAllButton; }
    QPushButton *editButton() const { return m_editButton; }

    void setSelectedItems(const QStringList &items);
    QStringList selectedItems() const { return m_filters.items; }
    void setSelectedSubItems(const QStringList &subItems);
    void setSelectedLabels(const QStringList &labels);
    void setEditState(bool editable);
    bool editState() const { return m_editState; }

    // Searches every contact again (a change of the text, the mode or a filter).
    void updateTable();
    // Segment 0 back, 1 forward.
    void directionButtonDidClick(int segment);
    // Segment 0 replaces the current occurrence, 1 every occurrence of every row.
    void replaceButtonDidClick(int segment);
    // Filter menus: choosing an entry other than "All" removes "All"; a chosen entry already
    // selected among several is removed, otherwise added.
    static QStringList toggledSelection(QStringList selection, const QString &chosen);
    // "Items - All", or "Items - " and the chosen names joined by " + ".
    static QString filterTitle(const QString &title, const QStringList &localizedSelection);

private:
    void build();
    void setUp(const ContactTable &contacts, const QStringList &columns, bool editState);
    TextMatcher matcher() const;
    void updateFilterButtons();
    void fillFilterMenu(QMenu *menu, const QStringList &entries, const QStringList &titles,
                        QStringList *selection);
    void selectCurrent();
    // The row's new value, its occurrences found again, written into the contact (undoable).
    bool undoReplaceValue(const QString &value, int row);
    void tableViewDoubleAction(const QModelIndex &index);
    void showDateEditor(int row);
    void undo();

    QPointer<ViewController> m_parentViewController;
    ContactEditor *m_editor = nullptr;
    ContactTable m_contacts;
    PanelFilters m_filters;
    QStringList m_items, m_subItems, m_labels, m_localizedLabels;
    bool m_editState = false;

    QLineEdit *m_searchField = nullptr;
    QComboBox *m_searchModePopup = nullptr;
    QToolButton *m_itemPopup = nullptr;
    QToolButton *m_subItemPopup = nullptr;
    QToolButton *m_labelPopup = nullptr;
    QToolButton *m_backButton = nullptr;
    QToolButton *m_forwardButton = nullptr;
    QPushButton *m_replaceButton = nullptr;
    QPushButton *m_replaceAllButton = nullptr;
    QLineEdit *m_replaceField = nullptr;
    QTableView *m_tableView = nullptr;
    FindResultModel *m_model = nullptr;
    QPushButton *m_editButton = nullptr;
    EditLockFrame *m_redSeparator = nullptr;
    QPushButton *m_closeButton = nullptr;
    QLabel *m_message = nullptr;
};
