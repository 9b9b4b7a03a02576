// ContactInfoEditor: every field of one contact, editable in place.
//
// Each change goes at once through the window's undoable operations with this editor as sender;
// names, addresses, accounts and dates open their small editors in a popover. The editor shows
// the contact again whenever it is told to reload, so that it follows edits made elsewhere (the
// table, undo). It lives in the table's contact popover or in a detached window.
#pragma once

#include "editing/contacteditor.h"
#include "record/entries.h"

#include <QFont>
#include <QPointer>
#include <QWidget>

class Popover;
class QFormLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QScrollArea;

class ContactInfoEditor : public QWidget
{
    Q_OBJECT

public:
    explicit ContactInfoEditor(ContactEditor *editor, QWidget *parent = nullptr);
    ~ContactInfoEditor() override;

    void setContact(const SubContactRow &row);
    SubContactRow contact() const { return m_row; }
    QString uniqueId() const;
    void setEditState(bool editable);
    bool editState() const { return m_editState; }
    void setSelectedFont(const QFont &font);
    void setCustomItems(const QVariantList &customItems);

    // Shows the contact again; several requests in one event rebuild once.
    void reload();
    // Puts the first name field into editing (a new contact waits for its name).
    void startEditing();

    // The field showing a string value, or an item's value, or nullptr (for tests and focus).
    QLineEdit *valueField(const QString &identifier, int labelIndex = -1) const;

private:
    void rebuild();
    void addNameRows(QFormLayout *form);
    void addStringRow(QFormLayout *form, const QString &identifier);
    void addLabeledRows(QFormLayout *form, const QString &identifier, bool textItems);
    QWidget *textItemRow(const QString &identifier, const QVariantMap &item);
    QWidget *detailItemRow(const QString &identifier, const QVariantMap &item);
    QWidget *detailButton(const QString &text, const QString &identifier, int labelIndex);

    void commitString(const QString &identifier, const QString &text);
    // The item row's delete button, while the contact can be edited.
    void addDeleteButton(QHBoxLayout *layout, const QString &identifier, int labelIndex);
    // Sets one entry ("value" or "label") of an item, as one undoable replacement.
    void commitItemEntry(const QString &identifier, int labelIndex, const QString &key, const QString &text);
    void addItem(const QString &identifier, QWidget *anchor);
    void deleteItem(const QString &identifier, int labelIndex);
    void openDetailEditor(const QString &identifier, int labelIndex, QWidget *anchor);

    QPointer<ContactEditor> m_editor;
    SubContactRow m_row;
    ContactEntry m_entry;
    QVariantList m_customItems;
    QFont m_font;
    bool m_editState = true;
    bool m_rebuildPending = false;
    QLabel *m_title;
    QScrollArea *m_scroll;
    QPointer<Popover> m_popover;
};
