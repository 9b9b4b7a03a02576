// MultiValueDelegate: the cells of the multi-value editor — label, service and country popups,
// text fields that hand Return and Tab back to the editor, and the address rows' edit button.
#pragma once

#include <QPointer>
#include <QStyledItemDelegate>
#include <functional>

class MultiValueList;
class QLineEdit;

class MultiValueDelegate : public QStyledItemDelegate
{
public:
    MultiValueDelegate(MultiValueList *list, QObject *parent = nullptr);

    // Called with Qt::Key_Return or Qt::Key_Tab after a text cell took its text.
    void setNavigation(std::function<void(int key)> navigate) { m_navigate = std::move(navigate); }
    // Ends a text edit in progress, keeping what was typed.
    void commitOpenEditor();

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    MultiValueList *m_list;
    std::function<void(int key)> m_navigate;
    mutable QPointer<QLineEdit> m_openEditor;
};
