// ContactEditor: state, refreshing the views, undo and redo, menu validation.
#include "editing/contacteditor.h"

#include "record/keys.h"

#include <QSet>
#include <utility>

ContactEditor::EditBatch::EditBatch(ContactEditor &editor)
    : m_editor(editor)
{
    if (m_editor.m_undo)
        m_editor.m_undo->beginUndoGrouping();
    ++m_editor.m_batchDepth;
}

ContactEditor::EditBatch::~EditBatch()
{
    if (m_editor.m_undo)
        m_editor.m_undo->endUndoGrouping();
    --m_editor.m_batchDepth;
    m_editor.flushRefresh();
}

ContactEditor::ContactEditor(UndoManager *undoManager, QObject *parent)
    : QObject(parent)
    , m_undo(undoManager ? undoManager : new UndoManager(this))
{ }

ContactEditor::~ContactEditor() = default;

// ---- State ---------------------------------------------------------------------------------

void ContactEditor::setContainerTable(const ContainerTable &containers)
{
    m_containerTable = containers;
    GroupEntry first;
    if (!containers.isEmpty() && containers.first() && !containers.first()->groups.isEmpty())
        first = containers.first()->groups.first();
    if (first) {
        groupSelectionDidChange(first);
    } else {
        m_selectedGroup.reset();
        m_contactTable.reset();
    }
    requestSidebarUpdate();
}

ContainerEntry ContactEditor::containerOfGroup(const GroupEntry &group) const
{
    if (!group)
        return {};
    // The group object itself first: several containers may share an empty identifier.
    for (const ContainerEntry &container : m_containerTable) {
        if (container && container->groups.contains(group))
            return container;
    }
    for (const ContainerEntry &container : m_containerTable) {
        if (container && container->identifier == group->containerIdentifier)
            return container;
    }
    return {};
}

void ContactEditor::setEditState(bool editState)
{
    editState = editState && !m_readOnly;
    if (m_editState == editState)
        return;
    m_editState = editState;
    Q_EMIT editStateChanged(editState);
}

void ContactEditor::setReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    if (readOnly)
        setEditState(false);
}

void ContactEditor::setDocumentEdited(bool edited)
{
    m_documentEdited = edited;
    Q_EMIT documentEditedChanged(edited);
}

ContactEntry ContactEditor::entryForRow(const SubContactRow &row)
{
    if (!row.person)
        return {};
    auto entry = std::make_shared<ContactEntryData>();
    entry->person = row.person;
    entry->uniqueId = row.uniqueId.isEmpty() ? row.person->uniqueId() : row.uniqueId;
    entry->labelIndex = row.labelIndex;
    return entry;
}

ContactList ContactEditor::entriesForRows(const SubContactRows &rows)
{
    // A contact shows one row per item; it joins a group once.
    ContactList entries;
    QSet<QString> seen;
    for (const SubContactRow &row : rows) {
        ContactEntry entry = entryForRow(row);
        if (!entry || seen.contains(entry->uniqueId))
            continue;
        seen.insert(entry->uniqueId);
        entry->labelIndex = 0;
        entries.append(entry);
    }
    return entries;
}

// ---- Refreshing ----------------------------------------------------------------------------

void ContactEditor::contactDidUpdate(const ContactEntry &contact, Sender sender)
{
    if (!contact)
        return;
    const bool fromDetailView = sender && sender == m_detailView;
    const bool fromTableEditor = sender && sender == m_tableEditor;
    if (m_undo && (m_undo->isUndoing() || m_undo->isRedoing())) {
        // undo()/redo() set the edited mark afterwards.
        m_pending.updateTable = true;
        m_pending.noteDetachedReload(contact->uniqueId);
    } else {
        m_pending.reloadDetail = true;
        if (!fromDetailView) {
            if (sender && !m_pending.popoverSenders.contains(sender))
                m_pending.popoverSenders.append(sender);
            m_pending.noteDetachedReload(contact->uniqueId);
        }
        if (!fromTableEditor)
            m_pending.updateTable = true;
        m_pending.edited = true;
    }
    flushRefresh();
}

void ContactEditor::markDocumentEdited()
{
    m_pending.edited = true;
    flushRefresh();
}

void ContactEditor::requestTableReload(const ContactList &selectContacts)
{
    m_pending.reloadTable = true;
    m_pending.select += selectContacts;
    flushRefresh();
}

void ContactEditor::requestSidebarUpdate()
{
    Q_EMIT sidebarUpdateRequested(m_containerTable, m_selectedGroup);
}

void ContactEditor::flushRefresh()
{
    if (m_batchDepth > 0)
        return;
    // Slots may edit again; they start a fresh round.
    const PendingRefresh pending = std::exchange(m_pending, PendingRefresh());
    if (!pending.closeContacts.isEmpty())
        Q_EMIT contactWindowsCloseRequested(pending.closeContacts);
    if (pending.reloadTable)
        Q_EMIT tableReloadRequested(m_contactTable, pending.select);
    else if (pending.updateTable)
        Q_EMIT tableUpdateRequested();
    if (pending.reloadDetail)
        Q_EMIT detailViewReloadRequested();
    for (Sender sender : pending.popoverSenders)
        Q_EMIT contactPopoverReloadRequested(sender);
    if (!pending.detachedReload.isEmpty())
        Q_EMIT detachedWindowsReloadRequested(pending.detachedReload);
    if (pending.edited)
        setDocumentEdited(true);
}

// ---- Undo ----------------------------------------------------------------------------------

void ContactEditor::undo()
{
    if (!m_undo)
        return;
    ++m_batchDepth;
    m_undo->undo();
    --m_batchDepth;
    flushRefresh();
    // Edited while the stack is away from the saved state (undoing past a save is an edit too).
    setDocumentEdited(!m_undo->isClean());
}

void ContactEditor::redo()
{
    if (!m_undo)
        return;
    ++m_batchDepth;
    m_undo->redo();
    --m_batchDepth;
    flushRefresh();
    // Edited while the stack is away from the saved state (undoing past a save is an edit too).
    setDocumentEdited(!m_undo->isClean());
}

// ---- Menu validation -----------------------------------------------------------------------

bool ContactEditor::validateMenuItem(MenuAction action, const MenuContext &context) const
{
    if (m_readOnly && action != MenuAction::Other)
        return false;
    switch (action) {
    case MenuAction::AddGroup:
        return !context.groupPaneCollapsed;
    case MenuAction::DeleteGroup:
        return !context.groupPaneCollapsed && m_editState && m_selectedGroup && !m_selectedGroup->top
            && !m_selectedGroup->deleted;
    case MenuAction::DeleteContacts:
    case MenuAction::DuplicateContacts:
        return m_editState && context.hasSelectedRow;
    case MenuAction::AddToGroup:
        return m_editState && context.hasSelectedRow && !groupsToAddContactsTo().isEmpty();
    case MenuAction::RemoveFromGroup:
        return m_editState && context.hasSelectedRow && m_selectedGroup && !m_selectedGroup->top;
    case MenuAction::Undo:
        return m_undo && m_undo->canUndo();
    case MenuAction::Redo:
        return m_undo && m_undo->canRedo();
    case MenuAction::Other:
        return true;
    }
    return true;
}

// ---- Kinds of identifiers ------------------------------------------------------------------

QString ContactEditor::customItemType(const QString &identifier) const
{
    for (const QVariant &item : m_customItems) {
        const QVariantMap definition = item.toMap();
        if (definition.value(CustomKey::Name).toString() == identifier)
            return definition.value(CustomKey::Type).toString();
    }
    return {};
}

ContactEditor::Kind ContactEditor::kindForIdentifier(const QString &identifier, const QVPerson &person) const
{
    if (QVPerson::isLabeledIdentifier(identifier))
        return Kind::Labeled;
    if (QVPerson::isAddressIdentifier(identifier))
        return Kind::AddressComponent;
    QString type = person.typeForIdentifier(identifier);
    if (type.isEmpty())
        type = customItemType(identifier);
    if (type == ValueType::String)
        return Kind::String;
    if (type == ValueType::Labeled)
        return Kind::CustomLabeled;
    return Kind::Other;
}
