// ContactEditor: the groups of a container (add, delete, rename, select) and dropping rows on them.
#include "editing/contacteditor.h"
#include "editing/keys.h"

#include <QDateTime>
#include <QSet>

namespace {

// "New" when free, else the first free one of "New0", "New1", ...
QString newGroupName(const ContainerEntry &container)
{
    QSet<QString> taken;
    for (const GroupEntry &group : container->groups) {
        if (group)
            taken.insert(group->name);
    }
    QString name = EditWord::NewGroupName;
    for (int n = 0; taken.contains(name); ++n)
        name = EditWord::NewGroupName + QString::number(n);
    return name;
}

bool tableShowsContact(const ContactTable &table, const QString &uniqueId)
{
    if (!table)
        return false;
    for (const ContactEntry &entry : std::as_const(*table)) {
        if (entry && !entry->deleted && entry->uniqueId == uniqueId)
            return true;
    }
    return false;
}

} // namespace

bool ContactEditor::undoAddGroup(const GroupEntry &group, const ContainerEntry &container)
{
    if (m_readOnly)
        return false;
    if (!group || !container)
        return false;
    const bool listed = container->groups.contains(group);
    if (listed && !group->deleted)
        return false;
    registerInverse([group, container](ContactEditor &editor) { editor.undoDeleteGroup(group, container); });
    if (listed)
        group->deleted = false;
    else
        container->groups.append(group);
    requestSidebarUpdate();
    return true;
}

bool ContactEditor::undoDeleteGroup(const GroupEntry &group, const ContainerEntry &container)
{
    if (m_readOnly)
        return false;
    // "All Contacts" holds every contact of the container: it is never deleted.
    if (!group || !container || group->top || group->deleted)
        return false;
    const qsizetype index = container->groups.indexOf(group);
    if (index < 0)
        return false;
    registerInverse([group, container](ContactEditor &editor) { editor.undoAddGroup(group, container); });
    group->deleted = true;
    // The deleted group goes last; the shown groups keep their order.
    container->groups.move(index, container->groups.size() - 1);
    m_selectedGroup = container->groups.first();
    requestSidebarUpdate();
    groupSelectionDidChange(m_selectedGroup);
    return true;
}

bool ContactEditor::undoChangeGroupName(const QString &name, const GroupEntry &group)
{
    if (m_readOnly)
        return false;
    if (!group)
        return false;
    const QString oldName = group->name;
    registerInverse([oldName, group](ContactEditor &editor) { editor.undoChangeGroupName(oldName, group); });
    group->groupNameChanged = true;
    group->name = name;
    m_selectedGroup = group;
    requestSidebarUpdate();
    groupSelectionDidChange(group);
    return true;
}

void ContactEditor::groupSelectionDidChange(const GroupEntry &group)
{
    if (!group)
        return;
    m_selectedGroup = group;
    if (!group->contactTable && m_groupReader)
        m_groupReader(group);
    // No contacts were read for this group yet: it starts empty.
    if (!group->contactTable)
        group->contactTable = std::make_shared<ContactList>();
    m_contactTable = group->contactTable;
    requestTableReload({});
    Q_EMIT groupSelectionChanged(group);
}

GroupEntry ContactEditor::addGroup()
{
    const ContainerEntry container = containerOfGroup(m_selectedGroup);
    if (!container || m_readOnly)
        return {};
    auto group = std::make_shared<GroupEntryData>();
    group->name = newGroupName(container);
    group->containerName = container->name;
    group->identifier = EditWord::GroupIdentifierFormat.arg(
        group->name, QDateTime::currentDateTimeUtc().toString(EditWord::GroupIdentifierDateFormat));
    group->containerIdentifier = container->identifier;
    group->contactTable = std::make_shared<ContactList>();
    group->isNew = true;
    if (!undoAddGroup(group, container))
        return {};
    markDocumentEdited();
    return group;
}

bool ContactEditor::deleteGroup()
{
    const ContainerEntry container = containerOfGroup(m_selectedGroup);
    if (!container || !undoDeleteGroup(m_selectedGroup, container))
        return false;
    markDocumentEdited();
    return true;
}

bool ContactEditor::renameGroup(const QString &name)
{
    if (name.isEmpty() || !m_selectedGroup || m_selectedGroup->top || name == m_selectedGroup->name)
        return false;
    if (!undoChangeGroupName(name, m_selectedGroup))
        return false;
    markDocumentEdited();
    return true;
}

bool ContactEditor::canDropContacts(const GroupEntry &group) const
{
    return m_editState && group && !group->deleted && group != m_selectedGroup;
}

bool ContactEditor::addContactByStringIndexes(const QString &indexes, const GroupEntry &group)
{
    if (m_readOnly)
        return false;
    if (!group || !m_rowsAtIndexes)
        return false;
    QList<int> rows;
    for (const QString &part : indexes.split(u',', Qt::SkipEmptyParts)) {
        bool ok = false;
        const int index = part.trimmed().toInt(&ok);
        // Garbage in the drag data must not turn into row 0.
        if (ok && index >= 0)
            rows.append(index);
    }
    if (rows.isEmpty())
        return false;
    if (!undoAddContacts(entriesForRows(m_rowsAtIndexes(rows)), group))
        return false;
    markDocumentEdited();
    return true;
}

QStringList ContactEditor::groupNamesOfContact(const ContactEntry &contact) const
{
    const ContainerEntry container = containerOfGroup(m_selectedGroup);
    if (!contact || !container)
        return {};
    // Deleted groups and deleted memberships are not the contact's groups any more.
    QStringList names;
    for (const GroupEntry &group : std::as_const(container->groups)) {
        if (group && !group->deleted && tableShowsContact(group->contactTable, contact->uniqueId))
            names.append(group->name);
    }
    return names;
}

QList<GroupEntry> ContactEditor::groupsToAddContactsTo() const
{
    QList<GroupEntry> groups;
    const ContainerEntry container = containerOfGroup(m_selectedGroup);
    if (!container)
        return groups;
    for (const GroupEntry &group : std::as_const(container->groups)) {
        if (group && !group->top && !group->deleted && group != m_selectedGroup)
            groups.append(group);
    }
    return groups;
}

bool ContactEditor::addToGroup(const ContactList &selected, const GroupEntry &group)
{
    if (!m_editState || !group || group->deleted || group == m_selectedGroup)
        return false;
    if (!undoAddContacts(selected, group))
        return false;
    markDocumentEdited();
    return true;
}

bool ContactEditor::removeFromGroup(const ContactList &selected)
{
    if (m_readOnly)
        return false;
    if (!m_editState || !m_selectedGroup || m_selectedGroup->top)
        return false;
    if (!undoDeleteContacts(selected, m_selectedGroup, true))
        return false;
    markDocumentEdited();
    return true;
}
