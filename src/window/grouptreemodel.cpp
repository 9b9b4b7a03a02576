#include "window/grouptreemodel.h"

#include "platform/mimetypes.h"

#include <QMimeData>
#include <QSize>

GroupTreeModel::GroupTreeModel(QObject *parent)
    : QAbstractItemModel(parent)
{
}

void GroupTreeModel::setContainerTable(const ContainerTable &containers)
{
    m_containers = containers;
    reload();
}

void GroupTreeModel::setFont(const QFont &font)
{
    m_font = font;
    if (!m_containers.isEmpty())
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, 0));
}

void GroupTreeModel::setRowHeight(int height)
{
    m_rowHeight = height;
}

void GroupTreeModel::reload()
{
    beginResetModel();
    m_visibleGroups.clear();
    for (const ContainerEntry &container : std::as_const(m_containers)) {
        QList<GroupEntry> visible;
        for (const GroupEntry &group : std::as_const(container->groups)) {
            if (!group->deleted)
                visible.append(group);
        }
        m_visibleGroups.append(visible);
    }
    endResetModel();
}

QModelIndex GroupTreeModel::indexForGroup(const GroupEntry &group) const
{
    for (int c = 0; c < m_visibleGroups.size(); ++c) {
        const int row = int(m_visibleGroups.at(c).indexOf(group));
        if (row >= 0)
            return createIndex(row, 0, quintptr(c + 1));
    }
    return {};
}

GroupEntry GroupTreeModel::groupForIndex(const QModelIndex &index) const
{
    if (!index.isValid() || index.internalId() == 0)
        return nullptr;
    const int c = int(index.internalId()) - 1;
    if (c >= m_visibleGroups.size() || index.row() >= m_visibleGroups.at(c).size())
        return nullptr;
    return m_visibleGroups.at(c).at(index.row());
}

ContainerEntry GroupTreeModel::containerForIndex(const QModelIndex &index) const
{
    if (!index.isValid())
        return nullptr;
    const int c = index.internalId() == 0 ? index.row() : int(index.internalId()) - 1;
    return c < m_containers.size() ? m_containers.at(c) : nullptr;
}

// Container rows carry id 0; group rows carry their container's row + 1.
QModelIndex GroupTreeModel::index(int row, int column, const QModelIndex &parent) const
{
    if (column != 0 || row < 0)
        return {};
    if (!parent.isValid())
        return row < m_containers.size() ? createIndex(row, 0, quintptr(0)) : QModelIndex();
    if (parent.internalId() != 0 || parent.row() >= m_visibleGroups.size())
        return {};
    if (row >= m_visibleGroups.at(parent.row()).size())
        return {};
    return createIndex(row, 0, quintptr(parent.row() + 1));
}

QModelIndex GroupTreeModel::parent(const QModelIndex &child) const
{
    if (!child.isValid() || child.internalId() == 0)
        return {};
    return createIndex(int(child.internalId()) - 1, 0, quintptr(0));
}

int GroupTreeModel::rowCount(const QModelIndex &parent) const
{
    if (!parent.isValid())
        return int(m_containers.size());
    if (parent.internalId() != 0 || parent.row() >= m_visibleGroups.size())
        return 0;
    return int(m_visibleGroups.at(parent.row()).size());
}

int GroupTreeModel::columnCount(const QModelIndex &) const
{
    return 1;
}

void GroupTreeModel::setContainerTitle(const QString &title)
{
    m_containerTitle = title;
    if (rowCount() > 0)
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, 0));
}

QVariant GroupTreeModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        if (const GroupEntry group = groupForIndex(index))
            return group->name;
        if (const ContainerEntry container = containerForIndex(index))
            return m_containerTitle.isEmpty() ? container->name : m_containerTitle;
        return {};
    case Qt::FontRole:
        return m_font;
    case Qt::SizeHintRole:
        return QSize(-1, m_rowHeight);
    default:
        return {};
    }
}

bool GroupTreeModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    const GroupEntry group = groupForIndex(index);
    if (role != Qt::EditRole || !group)
        return false;
    const QString name = value.toString();
    if (name.isEmpty() || name == group->name)
        return false;
    Q_EMIT groupNameWillChange(group, name);
    return true;
}

Qt::ItemFlags GroupTreeModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    const GroupEntry group = groupForIndex(index);
    if (!group)
        return Qt::ItemIsEnabled; // containers cannot be selected
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDropEnabled;
    if (m_editState && !group->top && group->name != m_allContactsName)
        f |= Qt::ItemIsEditable;
    return f;
}

QStringList GroupTreeModel::mimeTypes() const
{
    return {MimeType::StringIndexes};
}

Qt::DropActions GroupTreeModel::supportedDropActions() const
{
    return Qt::CopyAction;
}

bool GroupTreeModel::canDropMimeData(const QMimeData *data, Qt::DropAction, int row, int,
                                     const QModelIndex &parent) const
{
    // Only onto a group (not between rows), while editing, never onto the group on show.
    if (!m_editState || row != -1 || !data || !data->hasFormat(MimeType::StringIndexes))
        return false;
    const GroupEntry group = groupForIndex(parent);
    return group && group != m_selectedGroup && !data->data(MimeType::StringIndexes).isEmpty();
}

bool GroupTreeModel::dropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                                  const QModelIndex &parent)
{
    if (!canDropMimeData(data, action, row, column, parent))
        return false;
    Q_EMIT contactsDropped(QString::fromUtf8(data->data(MimeType::StringIndexes)), groupForIndex(parent));
    return true;
}
