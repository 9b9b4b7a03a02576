// The groups sidebar's model: containers at the root, their groups below (deleted groups hidden).
#pragma once

#include "record/entries.h"

#include <QAbstractItemModel>
#include <QFont>

class GroupTreeModel : public QAbstractItemModel
{
    Q_OBJECT

public:
    explicit GroupTreeModel(QObject *parent = nullptr);

    void setContainerTable(const ContainerTable &containers);
    const ContainerTable &containerTable() const { return m_containers; }
    void setEditState(bool editable) { m_editState = editable; }
    void setFont(const QFont &font);
    void setRowHeight(int height);
    // The group whose name must not be edited (the localised "All Contacts").
    void setAllContactsName(const QString &name) { m_allContactsName = name; }
    // Shown for the containers instead of their names when not empty.
    void setContainerTitle(const QString &title);

    // Rebuilds the rows from the container table (after groups were added, deleted or renamed).
    void reload();

    QModelIndex indexForGroup(const GroupEntry &group) const;
    GroupEntry groupForIndex(const QModelIndex &index) const;
    ContainerEntry containerForIndex(const QModelIndex &index) const;

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // Row indexes of the contacts table dropped onto a group other than the selected one.
    void setSelectedGroup(const GroupEntry &group) { m_selectedGroup = group; }
    QStringList mimeTypes() const override;
    Qt::DropActions supportedDropActions() const override;
    bool canDropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                         const QModelIndex &parent) const override;
    bool dropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                      const QModelIndex &parent) override;

Q_SIGNALS:
    void contactsDropped(const QString &stringIndexes, const GroupEntry &group);

    // The user finished editing a group's name with a non-empty, different text.
    void groupNameWillChange(const GroupEntry &group, const QString &name);

private:
    // The visible (not deleted) groups of each container, rebuilt by reload().
    QList<QList<GroupEntry>> m_visibleGroups;
    ContainerTable m_containers;
    QFont m_font;
    int m_rowHeight = 20;
    bool m_editState = true;
    QString m_allContactsName;
    QString m_containerTitle;
    GroupEntry m_selectedGroup;
};
