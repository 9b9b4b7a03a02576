#include "window/groupviewcontroller.h"

#include "window/grouptreemodel.h"

#include <QFontMetricsF>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTreeView>
#include <QVBoxLayout>

#include <cmath>

GroupViewController::GroupViewController(QWidget *parent)
    : QWidget(parent)
    , m_model(new GroupTreeModel(this))
    , m_outlineView(new QTreeView(this))
{
    m_model->setAllContactsName(tr("All Contacts"));
    m_outlineView->setModel(m_model);
    m_outlineView->setHeaderHidden(true);
    m_outlineView->setRootIsDecorated(true);
    m_outlineView->setUniformRowHeights(true);
    m_outlineView->setSelectionMode(QAbstractItemView::SingleSelection);
    m_outlineView->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    m_outlineView->setDragDropMode(QAbstractItemView::DropOnly);
    m_outlineView->setAcceptDrops(true);
    m_outlineView->setDropIndicatorShown(true);
    m_outlineView->setFrameShape(QFrame::NoFrame);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_outlineView);

    connect(m_outlineView->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &GroupViewController::selectionChanged);
    connect(m_model, &GroupTreeModel::groupNameWillChange, this,
            [this](const GroupEntry &, const QString &name) { Q_EMIT groupNameWillChange(name); });
    connect(m_model, &GroupTreeModel::contactsDropped, this, [this](const QString &indexes, const GroupEntry &group) {
        Q_EMIT addContactByStringIndexes(indexes, group);
        setSelectedGroupDict(group);
        Q_EMIT groupSelectionDidChange(group);
    });
    setSelectedFont(font());
}

void GroupViewController::setContainerTable(const ContainerTable &containers)
{
    m_updating = true;
    m_model->setContainerTable(containers);
    m_updating = false;
}

void GroupViewController::setSelectedGroupDict(const GroupEntry &group)
{
    m_selectedGroup = group;
    m_model->setSelectedGroup(group);
    selectGroupRow();
}

void GroupViewController::setEditState(bool editable)
{
    m_editState = editable;
    m_model->setEditState(editable);
}

void GroupViewController::setContainerTitle(const QString &title)
{
    m_model->setContainerTitle(title);
}

void GroupViewController::editSelectedGroupName()
{
    const QModelIndex index = m_model->indexForGroup(m_selectedGroup);
    if (!index.isValid())
        return;
    m_outlineView->setFocus();
    m_outlineView->edit(index);
}

int GroupViewController::rowHeightForFont(const QFont &font)
{
    const QFontMetricsF metrics(font);
    int height = int(std::ceil(metrics.ascent() + metrics.descent() + metrics.leading())) + 9;
    height = std::max(height, int(std::ceil(font.pointSizeF() * 1.42)));
    return std::max(height, 20);
}

void GroupViewController::setSelectedFont(const QFont &font)
{
    m_selectedFont = font;
    m_rowHeight = rowHeightForFont(font);
    m_model->setFont(font);
    m_model->setRowHeight(m_rowHeight);
    if (!m_model->containerTable().isEmpty())
        updateTable();
}

void GroupViewController::updateTable()
{
    m_updating = true;
    m_model->reload();
    m_outlineView->expandAll();
    m_updating = false;
    selectGroupRow();
}

void GroupViewController::selectGroupRow()
{
    const QModelIndex index = m_model->indexForGroup(m_selectedGroup);
    if (!index.isValid())
        return;
    m_updating = true;
    m_outlineView->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    m_outlineView->scrollTo(index);
    m_updating = false;
}

void GroupViewController::selectionChanged()
{
    if (m_updating)
        return;
    const QModelIndex current = m_outlineView->selectionModel()->currentIndex();
    const GroupEntry group = m_model->groupForIndex(current);
    if (!group) {
        // A container row cannot be selected: keep the group on show.
        selectGroupRow();
        return;
    }
    if (group == m_selectedGroup)
        return;
    m_selectedGroup = group;
    m_model->setSelectedGroup(group);
    Q_EMIT groupSelectionDidChange(group);
}
