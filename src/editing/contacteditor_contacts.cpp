// ContactEditor: group membership (adding and deleting contacts) and the contact commands.
#include "editing/contacteditor.h"
#include "editing/keys.h"
#include "record/keys.h"

#include <QHash>
#include <QSet>
#include <QtConcurrent/QtConcurrentMap>
#include <algorithm>
#include <optional>
#include <vector>

namespace {

// Whether a record's sort of its items would leave them as they are (it sorts them stably by the
// key's text, ignoring case). Most records are: they are skipped without copying their items.
bool inSortOrder(const CompactList &items, const QString &key, bool ascending)
{
    for (qsizetype i = 1; i < items.size(); ++i) {
        const int c
            = QString::compare(items.at(i - 1).string(key), items.at(i).string(key), Qt::CaseInsensitive);
        if (ascending ? c > 0 : c < 0)
            return false;
    }
    return true;
}

void ensureContactTable(const GroupEntry &group)
{
    if (!group->contactTable)
        group->contactTable = std::make_shared<ContactList>();
}

// Makes every contact shown once in the table: a contact the table never held gets an entry of
// its own (each table owns its entries, so marking one deleted hides it in that table only); a
// contact whose entries are all deleted gets its last entry back; a contact already shown is left
// alone. Answers the table's entries that became shown.
ContactList showContactsInTable(ContactList &table, const ContactList &contacts)
{
    // One pass over the table, looking up only the given contacts: tables hold 100,000 entries.
    QSet<QString> wanted;
    for (const ContactEntry &contact : contacts) {
        if (contact)
            wanted.insert(contact->uniqueId);
    }
    QHash<QString, qsizetype> lastEntry;
    QSet<QString> shown;
    for (qsizetype i = 0; i < table.size(); ++i) {
        const ContactEntry &entry = table.at(i);
        if (!entry || !wanted.contains(entry->uniqueId))
            continue;
        lastEntry.insert(entry->uniqueId, i);
        if (!entry->deleted)
            shown.insert(entry->uniqueId);
    }
    ContactList changed;
    for (const ContactEntry &contact : contacts) {
        if (!contact || !contact->person || shown.contains(contact->uniqueId))
            continue;
        ContactEntry entry;
        const auto found = lastEntry.constFind(contact->uniqueId);
        if (found != lastEntry.cend()) {
            entry = table.at(*found);
        } else {
            entry = copyContactEntry(contact);
            entry->isNew = true;
            entry->labelIndex = 0;
            lastEntry.insert(entry->uniqueId, table.size());
            table.append(entry);
        }
        entry->deleted = false;
        shown.insert(entry->uniqueId);
        changed.append(entry);
    }
    return changed;
}

// Marks the table's shown entries of these contacts deleted; answers them.
ContactList hideContactsInTable(ContactList &table, const QSet<QString> &uniqueIds)
{
    ContactList marked;
    for (const ContactEntry &entry : table) {
        if (entry && !entry->deleted && uniqueIds.contains(entry->uniqueId)) {
            entry->deleted = true;
            marked.append(entry);
        }
    }
    return marked;
}

} // namespace

bool ContactEditor::showsTableOf(const GroupEntry &group) const
{
    return group && group->contactTable && group->contactTable == m_contactTable;
}

ContactList ContactEditor::addContactsToGroup(const ContactList &contacts, const GroupEntry &group)
{
    if (m_readOnly)
        return {};
    if (!group || contacts.isEmpty())
        return {};
    ensureContactTable(group);
    const ContactList added = showContactsInTable(*group->contactTable, contacts);
    // A contact of a category is a contact of the container: "All Contacts" shows it too.
    GroupEntry top;
    ContactList addedToTop;
    if (!group->top) {
        if (const ContainerEntry container = containerOfGroup(group);
            container && !container->groups.isEmpty())
            top = container->groups.first();
        if (top && top != group) {
            ensureContactTable(top);
            addedToTop = showContactsInTable(*top->contactTable, contacts);
        }
    }
    // Undo hides exactly what this showed; contacts that were shown already stay.
    if (!added.isEmpty()) {
        group->changed = true;
        registerInverse(
            [added, group](ContactEditor &editor) { editor.undoDeleteContacts(added, group, true); });
    }
    if (!addedToTop.isEmpty()) {
        top->changed = true;
        registerInverse(
            [addedToTop, top](ContactEditor &editor) { editor.undoDeleteContacts(addedToTop, top, true); });
    }
    if (showsTableOf(group) || (!addedToTop.isEmpty() && showsTableOf(top)))
        requestTableReload(contacts);
    return added;
}

bool ContactEditor::undoAddContacts(const ContactList &contacts, const GroupEntry &group)
{
    return !addContactsToGroup(contacts, group).isEmpty();
}

bool ContactEditor::undoDeleteContacts(const ContactList &contacts, const GroupEntry &group, bool doUndo)
{
    if (m_readOnly)
        return false;
    if (!group || contacts.isEmpty())
        return false;
    QSet<QString> uniqueIds;
    for (const ContactEntry &contact : contacts) {
        if (contact)
            uniqueIds.insert(contact->uniqueId);
    }
    // Deleting from "All Contacts" deletes from the whole container.
    QList<GroupEntry> groups { group };
    if (group->top) {
        if (const ContainerEntry container = containerOfGroup(group))
            groups = container->groups;
    }
    bool changed = false;
    bool shownTableChanged = false;
    for (const GroupEntry &each : std::as_const(groups)) {
        if (!each || !each->contactTable)
            continue;
        const ContactList marked = hideContactsInTable(*each->contactTable, uniqueIds);
        if (marked.isEmpty())
            continue;
        changed = true;
        each->changed = true;
        // Undo shows each group's own entries again, so memberships come back with the contact.
        if (doUndo) {
            const GroupEntry target = each;
            registerInverse(
                [marked, target](ContactEditor &editor) { editor.undoAddContacts(marked, target); });
        }
        const bool shown = showsTableOf(each);
        shownTableChanged = shownTableChanged || shown;
        // Windows showing a contact close when it leaves the table on show or the container.
        if (shown || each->top) {
            for (const ContactEntry &entry : marked) {
                if (!m_pending.closeContacts.contains(entry->uniqueId))
                    m_pending.closeContacts.append(entry->uniqueId);
            }
        }
    }
    if (shownTableChanged)
        requestTableReload(contacts);
    else
        flushRefresh();
    return changed;
}

// ---- Contact commands ----------------------------------------------------------------------

ContactEntry ContactEditor::addContact()
{
    if (!m_selectedGroup || m_readOnly)
        return {};
    const PersonPtr person = QVPerson::create();
    person->setValue(
        QVariantMap { { FieldId::FirstName, EditWord::NewContactFirstName }, { Key::ShowAsPerson, true } },
        FieldId::Name);
    setEditState(true);
    const ContactList added = addContactsToGroup({ makeContactEntry(person) }, m_selectedGroup);
    if (added.isEmpty())
        return {};
    markDocumentEdited();
    Q_EMIT newContactEditingRequested(added.first());
    return added.first();
}

bool ContactEditor::deleteContacts(const ContactList &selected)
{
    if (selected.isEmpty() || !m_selectedGroup)
        return false;
    if (!undoDeleteContacts(selected, m_selectedGroup, true))
        return false;
    markDocumentEdited();
    return true;
}

ContactList ContactEditor::duplicateContacts(const ContactList &selected)
{
    if (m_readOnly)
        return {};
    if (!m_selectedGroup)
        return {};
    ContactList copies;
    for (const ContactEntry &contact : selected) {
        if (!contact || !contact->person)
            continue;
        const PersonPtr copy = contact->person->copy();
        copy->setCreated(true);
        copies.append(makeContactEntry(copy));
    }
    if (copies.isEmpty())
        return {};
    EditBatch batch(*this);
    const ContactList added = addContactsToGroup(copies, m_selectedGroup);
    if (!added.isEmpty())
        markDocumentEdited();
    return added;
}

qsizetype ContactEditor::sortDescriptorsDidChange(const QString &identifier, const QString &key,
                                                  bool ascending)
{
    if (m_readOnly)
        return 0;
    const auto field = QVPerson::labeledFieldForIdentifier(identifier);
    if (identifier.isEmpty() || key.isEmpty() || !field || !m_contactTable)
        return 0;
    // Records sort their own items, independently of each other: the thread pool shares the work.
    // A record listed twice is sorted once, by its first entry, as a pass in order would.
    struct Job
    {
        PersonPtr person;
        std::optional<ItemOrder> old;
    };
    std::vector<Job> jobs;
    jobs.reserve(size_t(m_contactTable->size()));
    for (const ContactEntry &entry : std::as_const(*m_contactTable)) {
        if (entry && !entry->deleted && entry->person)
            jobs.push_back({ entry->person, std::nullopt });
    }
    std::vector<std::pair<const QVPerson *, size_t>> owners;
    owners.reserve(jobs.size());
    for (size_t i = 0; i < jobs.size(); ++i)
        owners.emplace_back(jobs[i].person.get(), i);
    std::sort(owners.begin(), owners.end());
    for (size_t i = 1; i < owners.size(); ++i) {
        if (owners[i].first == owners[i - 1].first)
            jobs[owners[i].second].person.reset();
    }
    const QVPerson::LabeledField stored = *field;
    QtConcurrent::blockingMap(jobs, [&](Job &job) {
        if (!job.person)
            return;
        QVPerson &person = *job.person;
        if (inSortOrder(person.storedLabeledValues(stored), key, ascending))
            return;
        // Sharing the stored items keeps the old order for undo at the price of one copy of the list.
        ItemOrder old { job.person, person.storedLabeledValues(stored), person.changed() };
        if (person.sortForIdentifier(identifier, key, ascending)) {
            person.setChanged(true);
            job.old = std::move(old);
        }
    });
    QList<ItemOrder> before;
    for (Job &job : jobs) {
        if (job.old)
            before.append(std::move(*job.old));
    }
    if (before.isEmpty())
        return 0;
    EditBatch batch(*this);
    registerInverse(
        [field = *field, before](ContactEditor &editor) { editor.restoreItemOrders(field, before); });
    markDocumentEdited();
    return before.size();
}

void ContactEditor::restoreItemOrders(QVPerson::LabeledField field, const QList<ItemOrder> &orders)
{
    QList<ItemOrder> current;
    current.reserve(orders.size());
    for (const ItemOrder &order : orders) {
        QVPerson &person = *order.person;
        current.append(ItemOrder { order.person, person.storedLabeledValues(field), person.changed() });
        person.setLabeledValues(field, CompactMaps::toVariantList(order.items));
        person.setChanged(order.changed);
    }
    registerInverse([field, current](ContactEditor &editor) { editor.restoreItemOrders(field, current); });
    // Rows point at items by position: the table builds them anew.
    m_pending.updateTable = true;
    m_pending.reloadDetail = true;
    flushRefresh();
}
