#include "table/multivaluedelegate.h"

#include "detail/detaileditor.h"
#include "detail/detailvalues.h"
#include "detail/keys.h"
#include "table/multivaluelist.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>

namespace {

using CellKind = MultiValueList::CellKind;

void fillServices(QComboBox *combo, const QString &current)
{
    for (const QString &service : DetailValues::instantMessageServices())
        combo->addItem(service, service);
    if (!current.isEmpty() && combo->findData(current) < 0)
        combo->addItem(current, current);
}

// "Default" first: choosing it takes the country code away.
void initCountryPopup(QComboBox *combo, const QString &countryCode)
{
    combo->addItem(QCoreApplication::translate("MultiValueList", "Default"), QString());
    for (const QVariant &v : DetailValues::countryChoices()) {
        const QVariantMap choice = v.toMap();
        combo->addItem(choice.value(CountryChoiceKey::String).toString(),
                       choice.value(CountryChoiceKey::CountryCode).toString().toUpper());
    }
    if (!countryCode.isEmpty() && combo->findData(countryCode) < 0)
        combo->addItem(countryCode, countryCode);
}

} // namespace

MultiValueDelegate::MultiValueDelegate(MultiValueList *list, QObject *parent)
    : QStyledItemDelegate(parent)
    , m_list(list)
{ }

QWidget *MultiValueDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                          const QModelIndex &index) const
{
    const CellKind kind = m_list->columns().value(index.column()).kind;
    if (kind == CellKind::EditButton)
        return nullptr;
    if (kind == CellKind::Text) {
        auto *edit = new QLineEdit(parent);
        edit->setFrame(false);
        edit->setFont(option.font);
        m_openEditor = edit;
        return edit;
    }
    auto *combo = new QComboBox(parent);
    combo->setFrame(false);
    combo->setFont(option.font);
    const QString current = index.data(MultiValueList::RawValueRole).toString();
    if (kind == CellKind::LabelPopup)
        DetailEditor::fillLabels(combo, m_list->type(), current);
    else if (kind == CellKind::ServicePopup)
        fillServices(combo, current);
    else
        initCountryPopup(combo, current);
    // A choice applies at once, as the popups of the list are always showing.
    auto *self = const_cast<MultiValueDelegate *>(this);
    connect(combo, &QComboBox::activated, self, [self, combo] { Q_EMIT self->commitData(combo); });
    return combo;
}

void MultiValueDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    if (auto *combo = qobject_cast<QComboBox *>(editor)) {
        const QSignalBlocker blocker(combo);
        QString current = index.data(MultiValueList::RawValueRole).toString();
        if (current.isEmpty() && m_list->columns().value(index.column()).kind == CellKind::ServicePopup)
            current = DetailValues::instantMessageServices().value(0);
        combo->setCurrentIndex(std::max(0, combo->findData(current)));
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void MultiValueDelegate::setModelData(QWidget *editor, QAbstractItemModel *model,
                                      const QModelIndex &index) const
{
    if (auto *combo = qobject_cast<QComboBox *>(editor)) {
        model->setData(index, combo->currentData());
        return;
    }
    if (auto *edit = qobject_cast<QLineEdit *>(editor)) {
        model->setData(index, edit->text());
        return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
}

void MultiValueDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                               const QModelIndex &index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    if (m_list->columns().value(index.column()).kind != CellKind::EditButton)
        return;
    const QStyle *style = option.widget ? option.widget->style() : QApplication::style();
    const int side = std::min(option.rect.width(), option.rect.height()) - 4;
    const QRect icon(option.rect.center() - QPoint(side / 2, side / 2), QSize(side, side));
    style->standardIcon(QStyle::SP_FileDialogDetailedView).paint(painter, icon);
}

void MultiValueDelegate::commitOpenEditor()
{
    if (!m_openEditor)
        return;
    QLineEdit *edit = m_openEditor;
    m_openEditor = nullptr;
    Q_EMIT commitData(edit);
    Q_EMIT closeEditor(edit, QAbstractItemDelegate::NoHint);
}

bool MultiValueDelegate::eventFilter(QObject *watched, QEvent *event)
{
    auto *edit = qobject_cast<QLineEdit *>(watched);
    if (edit && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Tab) {
            commitOpenEditor();
            if (m_navigate)
                m_navigate(key == Qt::Key_Tab ? Qt::Key_Tab : Qt::Key_Return);
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(watched, event);
}
