// MergeSession: the working state of the merge panel, without widgets.
//
// The first two of the given contacts are copied; every change of the panel (drops, edits, labels,
// added and deleted items, photos) goes through a ContactEditor over the copies and the panel's own
// undo stack, so the document stays untouched until the opener applies newContacts() as one step.
// changeCount() counts the changes not undone.
//
// Body by topic: mergesession.cpp (copies, edits, items, undo), mergesession_drop.cpp (drag and drop).
#pragma once

#include "editing/contacteditor.h"
#include "merge/mergerows.h"
#include "platform/undomanager.h"
#include "record/entries.h"

#include <QImage>
#include <QObject>
#include <algorithm>
#include <functional>

class MergeSession : public QObject
{
    Q_OBJECT

public:
    enum class Side
    {
        Left,
        Right
    };

    // Fewer than two contacts give a session without copies (isValid() false).
    MergeSession(const ContactList &contacts, const QVariantList &customItems, QObject *parent = nullptr);
    ~MergeSession() override;

    bool isValid() const { return m_left && m_right; }
    ContactList contacts() const { return m_contacts; }
    ContactEntry workingCopy(Side side) const { return side == Side::Left ? m_left : m_right; }
    UndoManager *undoManager() { return &m_undo; }

    const MergeRows &rows(Side side) const { return side == Side::Left ? m_leftRows : m_rightRows; }
    int rowCount() const { return int(std::max(m_leftRows.size(), m_rightRows.size())); }
    MergeRow row(Side side, int row) const { return rows(side).value(row); }
    QStringList nameOrderingLabels() const { return m_nameOrderingLabels; }

    // ---- Edit mode and changes -------------------------------------------------------------
    bool editMode() const { return m_editMode; }
    // Once something changed, edit mode cannot be left: the changes would be hidden, not gone.
    void setEditMode(bool editMode);
    qint64 changeCount() const { return m_changeCount; }
    bool canUndo() const { return m_undo.canUndo(); }
    bool canRedo() const { return m_undo.canRedo(); }
    void undo();
    void redo();
    // Both working copies, left first, when something changed; empty otherwise.
    ContactList newContacts() const;

    // ---- Drag and drop (mergesession_drop.cpp) ---------------------------------------------
    bool canDrag(Side side, int row) const;
    // The row's text for other programs, "label: value"; empty for an empty value.
    QString dragText(Side side, int row) const;
    QImage dragImage(Side side, int row) const;
    // onRow: dropped onto the row rather than between rows.
    bool canDrop(Side source, int sourceRow, Side target, int targetRow, bool onRow) const;
    bool drop(Side source, int sourceRow, Side target, int targetRow, bool onRow, bool copy);

    // ---- Edits -----------------------------------------------------------------------------
    bool isTextEditable(Side side, int row) const;
    bool editText(Side side, int row, const QString &text);
    // The labels a row's popup offers; empty when the row has no label popup.
    QStringList labelChoices(Side side, int row) const;
    bool chooseLabel(Side side, int row, const QString &label);
    bool canAddItem(Side side, int row) const;
    bool addItem(Side side, int row);
    bool canDeleteItem(Side side, int row) const;
    bool deleteItem(Side side, int row);
    // The field whose popover editor a row opens (its value is no plain text); empty otherwise.
    QString editorType(Side side, int row) const;
    // A popover editor's result for the field; a labeled item that names no labelIndex (or -1)
    // is added as a new item.
    bool applyEditorResult(Side side, const QString &type, const QVariant &value);
    // Reduced to the photo size on a worker first; refused when that takes too long.
    bool setPhoto(Side side, const QImage &photo);

Q_SIGNALS:
    // The rows of both sides were rebuilt.
    void rowsChanged();
    void changeCountChanged(qint64 changeCount);
    void editModeChanged(bool editMode);

private:
    using Change = std::function<bool()>;

    // Runs a change in one undo group of the panel; counts it and rebuilds the rows when it changed
    // something. Refused out of edit mode.
    bool applyChange(const Change &change);
    void setChangeCount(qint64 count);
    void rebuildRows();
    bool isTextValued(const QString &identifier) const;
    bool replaceNamePart(const ContactEntry &contact, const QString &part, const QString &text);
    bool replacePhoneticPart(const ContactEntry &contact, const QString &label, const QString &text);
    bool storePhoto(const ContactEntry &contact, const QImage &photo);
    ContactEntry entry(Side side) const { return workingCopy(side); }

    ContactList m_contacts;
    QVariantList m_customItems;
    ContactEntry m_left;
    ContactEntry m_right;
    UndoManager m_undo;
    ContactEditor m_editor;
    MergeRows m_leftRows;
    MergeRows m_rightRows;
    QStringList m_nameOrderingLabels;
    qint64 m_changeCount = 0;
    bool m_editMode = false;
};
