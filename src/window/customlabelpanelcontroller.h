// The custom labels panel: adds, renames, deletes and sorts the custom labels of each labeled
// field. Renames and deletions reach every contact of the document, as one undo step each.
#pragma once

#include <QDialog>
#include <QHash>
#include <QStringList>
#include <QVariantList>

class ContactEditor;
class QComboBox;
class QPushButton;
class QStringListModel;
class QTableView;

class CustomLabelPanelController : public QDialog
{
    Q_OBJECT

public:
    explicit CustomLabelPanelController(QWidget *parent = nullptr);

    void setCustomItems(const QVariantList &items) { m_customItems = items; }
    // The editor of the document's contacts, through which every relabelling goes.
    void setEditor(ContactEditor *editor) { m_editor = editor; }
    void setSelectedFont(const QFont &font);
    // Rebuilds the working copy of the label lists and shows the field chosen last.
    void setContextInfo(const QVariantMap &info);

    // Registers the change with the field's label table, then relabels the contacts' items;
    // answers whether the label table took it.
    bool setLabel(const QString &oldLabel, const QString &newLabel, const QString &identifier);

    QString shownField() const;
    QStringList shownLabels() const;
    bool isDirty() const { return m_dirty; }
    // The first of "new", "new1", "new2", … that the list lacks.
    static QString newLabelName(const QStringList &labels);

    // The buttons, for the window and for checks.
    void addLabel();
    void deleteLabel();
    bool renameLabel(int row, const QString &text);
    void sortLabels(Qt::SortOrder order);

private:
    void popupDidSelect(int index);
    void reloadTable(int selectRow);
    int selectedRow() const;

    QVariantList m_customItems;
    ContactEditor *m_editor = nullptr;
    QHash<QString, QStringList> m_labelTables;
    bool m_dirty = false;

    QComboBox *m_fieldPopup;
    QTableView *m_table;
    QStringListModel *m_model;
    QPushButton *m_addButton;
    QPushButton *m_deleteButton;
    QPushButton *m_doneButton;
    QPushButton *m_cancelButton;
};
