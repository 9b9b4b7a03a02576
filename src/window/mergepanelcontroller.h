// MergePanelController: the sheet that shows two contacts side by side for merging.
//
// It works on a MergeSession's copies; the document's contacts change only when the opener takes
// newContacts() after the sheet ended with code 1 (Done after changes). Cancel, or Done without
// changes, ends it with code 0.
#pragma once

#include "merge/mergesession.h"

#include <QDialog>
#include <QFont>
#include <QPointer>

class DetailEditor;
class EditLockFrame;
class MergeTableModel;
class MergeTableView;
class QLineEdit;
class QPushButton;

class MergePanelController : public QDialog
{
    Q_OBJECT

public:
    explicit MergePanelController(QWidget *parent = nullptr);
    ~MergePanelController() override;

    void setCustomItems(const QVariantList &items) { m_customItems = items; }
    // The contacts to compare (the first two take part) and the window's edit state.
    void setContextInfo(const ContactList &contacts, bool editable);
    void setSelectedFont(const QFont &font);
    int rowHeight() const { return m_rowHeight; }

    MergeSession *session() const { return m_session; }
    MergeTableView *tableView(MergeSession::Side side) const;
    QLineEdit *nameField(MergeSession::Side side) const;
    QPushButton *editButton() const { return m_editButton; }
    QPushButton *doneButton() const { return m_doneButton; }
    QPushButton *cancelButton() const { return m_cancelButton; }
    bool separatorIsRed() const;
    // What Done left for the opener: the two working copies, or nothing.
    ContactList newContacts() const { return m_newContacts; }

    void buttonPressed(QPushButton *button);
    // The field editor of a row in a popover, on the row's item or a new one; its result is one
    // change of the panel. Answers the editor, or nullptr when the row has none.
    DetailEditor *openEditor(MergeSession::Side side, int row, bool newItem);

private:
    void buildTables();
    void updateButtons();
    void updateNames();
    void reloadTables();
    void finish(int code);

    QPointer<MergeSession> m_session;
    QVariantList m_customItems;
    ContactList m_newContacts;
    MergeTableModel *m_models[2] = { nullptr, nullptr };
    MergeTableView *m_tables[2] = { nullptr, nullptr };
    QLineEdit *m_names[2] = { nullptr, nullptr };
    EditLockFrame *m_redSeparator = nullptr;
    QPushButton *m_editButton = nullptr;
    QPushButton *m_doneButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
    QWidget *m_tableArea = nullptr;
    QFont m_selectedFont;
    int m_rowHeight = 20;
};
