// Draws the contacts table's cells by kind (name with thumbnail, name with a second line, text,
// label and text) with find highlighting, and edits texts in place. Return and Tab in an editor are
// handed to the table's controller, which moves on as the table's keyboard rules say.
#pragma once

#include <QStyledItemDelegate>

class ContactsTableModel;

class ContactsItemDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    enum class Command { Return, Tab };

    explicit ContactsItemDelegate(ContactsTableModel *model, QObject *parent = nullptr);

    // Width of the label part of a label-and-text cell.
    static int labelWidth(const QFontMetrics &metrics);
    // The label part of a cell's rectangle.
    QRect labelRect(const QStyleOptionViewItem &option) const;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const override;
    bool editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                     const QModelIndex &index) override;

    // The text an editor of this cell starts with (set by the controller for string fields).
    void setEditorText(const QString &text) { m_editorText = text; }

Q_SIGNALS:
    // Return or Tab pressed while editing the cell at index: the text was committed first.
    void navigate(const QModelIndex &index, ContactsItemDelegate::Command command);
    // The label part of a label-and-text cell was clicked.
    void labelClicked(const QModelIndex &index, const QPoint &globalPosition);

protected:
    bool eventFilter(QObject *object, QEvent *event) override;

private:
    void paintText(QPainter *painter, const QRect &rect, const QString &text, const QFont &font,
                   const QStyleOptionViewItem &option, const QModelIndex &index) const;

    ContactsTableModel *m_model;
    mutable QString m_editorText;
};
