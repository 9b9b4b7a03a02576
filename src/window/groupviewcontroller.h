// The groups sidebar: the container tree of the window, group selection, renaming, drops.
#pragma once

#include "record/entries.h"

#include <QFont>
#include <QWidget>

class GroupTreeModel;
class QTreeView;

class GroupViewController : public QWidget
{
    Q_OBJECT

public:
    explicit GroupViewController(QWidget *parent = nullptr);

    void setContainerTable(const ContainerTable &containers);
    void setSelectedGroupDict(const GroupEntry &group);
    GroupEntry selectedGroupDict() const { return m_selectedGroup; }
    void setEditState(bool editable);
    bool editState() const { return m_editState; }
    void setSelectedFont(const QFont &font);
    int rowHeight() const { return m_rowHeight; }
    void setContainerTitle(const QString &title);
    // Starts editing the selected group's name in the tree.
    void editSelectedGroupName();
    // Reloads the tree, expands every container and selects the selected group.
    void updateTable();

    QTreeView *outlineView() const { return m_outlineView; }
    GroupTreeModel *model() const { return m_model; }

    // The row height for a font: the line height + 9, at least 1.42 × the point size, at least 20.
    static int rowHeightForFont(const QFont &font);

Q_SIGNALS:
    void groupSelectionDidChange(const GroupEntry &group);
    void groupNameWillChange(const QString &name);
    void addContactByStringIndexes(const QString &stringIndexes, const GroupEntry &group);

private:
    void selectionChanged();
    void selectGroupRow();

    GroupTreeModel *m_model;
    QTreeView *m_outlineView;
    GroupEntry m_selectedGroup;
    QFont m_selectedFont;
    int m_rowHeight = 20;
    bool m_editState = true;
    bool m_updating = false;
};
