// The custom items panel: defines the window's custom items (string or labeled fields of the
// user's own), edits their labels and icons, and marks them for deletion until Done.
#pragma once

#include <QAbstractTableModel>
#include <QDialog>
#include <QImage>
#include <QVariantList>

class AddItemViewController;
class QPushButton;
class QTableView;

// The panel's working definitions as rows: name with icon, type (or "Deleted"), labels.
class CustomItemTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column
    {
        NameColumn,
        TypeColumn,
        LabelsColumn,
        ColumnCount
    };
    using QAbstractTableModel::QAbstractTableModel;

    void setItems(const QVariantList &items);
    QVariantList items() const { return m_items; }
    QVariantMap itemAt(int row) const { return m_items.value(row).toMap(); }
    void setItemAt(int row, const QVariantMap &item);
    void appendItem(const QVariantMap &item);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QVariantList m_items;
};

class CustomItemPanel : public QDialog
{
    Q_OBJECT

public:
    explicit CustomItemPanel(QWidget *parent = nullptr);

    // A copy of the window's definitions to work on; Delete starts disabled, nothing is dirty.
    void setCustomItems(const QVariantList &items);
    QVariantList customItems() const { return m_model->items(); }
    void setIsVCard(bool isVCard) { m_isVCard = isVCard; }
    bool itemsDirty() const { return m_itemsDirty; }

    // The window's definitions after the working ones are applied; `edited` tells whether the
    // document changed (an addition alone does not change it). Labels are registered.
    static QVariantList applyCustomItems(const QVariantList &windowItems, const QVariantList &working,
                                         bool *edited);

    // Marks the selected definitions deleted (after the question).
    void deleteSelected();
    // Takes what the editor ended with: a new definition is appended, a changed one replaces its row.
    void popoverDidClose(QVariantMap definition);
    AddItemViewController *editor() const { return m_editor; }
    void showEditor(const QVariantMap &definition);
    QTableView *tableView() const { return m_table; }

private:
    void updateButtons();
    void showHelp();
    void askToDelete();

    CustomItemTableModel *m_model;
    QTableView *m_table;
    AddItemViewController *m_editor;
    QPushButton *m_addButton;
    QPushButton *m_deleteButton;
    QPushButton *m_helpButton;
    QPushButton *m_doneButton;
    QPushButton *m_cancelButton;
    bool m_itemsDirty = false;
    bool m_isVCard = true;
};
