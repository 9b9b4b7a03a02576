// One table of the merge panel: drags its rows to the other table and takes drops from it (Alt
// copies, otherwise the value moves), and photos dropped from other programs.
#pragma once

#include "merge/mergesession.h"

#include <QStyledItemDelegate>
#include <QTableView>

class MergeTableModel;
class QMenu;

// Label popups in the label column; a multi-line editor for texts that have line breaks.
class MergeItemDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
};

class MergeTableView : public QTableView
{
    Q_OBJECT

public:
    MergeTableView(MergeTableModel *model, QWidget *parent = nullptr);

    MergeSession::Side side() const;
    // Ends a text edit in progress, keeping what was typed.
    void commitEditing();
    // Rows as tall as their lines need.
    void updateRowHeights(int lineHeight);
    // Where a drop at the point lands: the row, and whether onto it rather than between rows.
    bool dropTarget(const QPoint &point, int *row, bool *onRow) const;

Q_SIGNALS:
    // The row's popover editor is to open, on its item or on a new one.
    void editorRequested(int row, bool newItem);

protected:
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    // Whether the drop can land, and with which action.
    bool acceptsDrop(const QDropEvent *event, Qt::DropAction *action) const;
    void rowDoubleClicked(const QModelIndex &index);
    void addItemMenuEntries(QMenu &menu, int row);
    MergeSession *session() const;

    MergeTableModel *m_model;
};
