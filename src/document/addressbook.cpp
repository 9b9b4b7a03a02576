#include "document/addressbook.h"

#include "formats/qvvcard.h"
#include "platform/keys.h"
#include "record/keys.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFileInfo>
#include <QHash>

AddressBook::AddressBook(const QString &rootPath)
    : m_store(rootPath)
{
}

StoreKeys AddressBook::tableKeys()
{
    return StoreKeys::except({ QString::fromLatin1(StoreProperty::Photo) });
}

ContainerTable AddressBook::containerTable() const
{
    ContainerTable table;
    for (const StoreContainer &store : m_store.containers()) {
        auto all = std::make_shared<GroupEntryData>();
        all->top = true;
        all->name = QCoreApplication::translate("QVvCard", "All Contacts");
        all->containerName = store.name;
        all->containerIdentifier = store.identifier;
        auto container = std::make_shared<ContainerEntryData>();
        container->name = store.name;
        container->type = StoreContainerType;
        container->identifier = store.identifier;
        container->groups.append(all);
        table.append(container);
    }
    return table;
}

void AddressBook::readGroups(const ContainerEntry &container)
{
    if (!container || container->groups.size() != 1 || container->identifier.isEmpty() || container->type == 0
        || container->name == EntryKey::VCardContainerName)
        return;
    if (!QFileInfo(container->identifier).isDir()) {
        qWarning().noquote() << "AddressBook::readGroups: ERROR can't find groups in" << container->name;
        return;
    }
    for (const StoreGroup &store : m_store.groups(container->identifier)) {
        auto group = std::make_shared<GroupEntryData>();
        group->name = store.name;
        group->containerName = container->name;
        group->uniqueId = store.identifier;
        group->storeGroupIdentifier = store.identifier;
        group->containerIdentifier = container->identifier;
        container->groups.append(group);
    }
    noteUnreadableFiles();
}

PersonPtr AddressBook::personFromCard(const StoreContact &contact, const QString &rootPath)
{
    PersonPtr person = QVvCard::personFromStoreCard(contact.vCard);
    if (!person)
        return person;
    person->setUniqueId(contact.identifier);
    person->setCreated(false);
    person->setChanged(false);
    if (!person->showAsPerson())
        person->setUniqueId2(person->stringValueForIdentifier(FieldId::Company));
    // Fetched anew from a store of its own: the loader may run on whatever thread asks first.
    person->setPhotoLoader([rootPath, identifier = contact.identifier](QVPerson &record) {
        const auto photo = ContactStore(rootPath).contact(
            identifier, StoreKeys::only({ QString::fromLatin1(StoreProperty::Photo) }));
        if (!photo)
            return;
        if (const PersonPtr fetched = QVvCard::personFromStoreCard(photo->vCard)) {
            record.setImageData(fetched->imageData());
            record.setThumbnailImageData(fetched->thumbnailImageData());
        }
    });
    return person;
}

bool AddressBook::readContacts(const ContainerTable &containers, const GroupEntry &group)
{
    if (!group || group->contactTable)
        return false;
    ContainerEntry container;
    for (const ContainerEntry &c : containers) {
        if (c->identifier == group->containerIdentifier && c->type == StoreContainerType)
            container = c;
    }
    if (!container || container->groups.isEmpty())
        return false;

    const GroupEntry all = container->groups.first();
    if (!all->contactTable) {
        auto table = std::make_shared<ContactList>();
        const QList<StoreContact> cards = m_store.contacts(container->identifier, QString(), tableKeys());
        table->reserve(cards.size());
        for (const StoreContact &card : cards) {
            const PersonPtr person = personFromCard(card, m_store.rootPath());
            if (!person) {
                qWarning().noquote() << "AddressBook::readContacts: ERROR can't read the card" << card.identifier;
                m_problems.append(QCoreApplication::translate("AddressBook", "%1: not a readable card")
                                      .arg(card.identifier));
                continue;
            }
            ContactEntry entry = makeContactEntry(person, false);
            entry->uniqueId2 = person->uniqueId2();
            table->append(entry);
        }
        all->contactTable = table;
    }
    for (const GroupEntry &other : std::as_const(container->groups)) {
        if (!other->top && !other->contactTable)
            other->contactTable = membersOfGroup(container, other, all->contactTable);
    }
    noteUnreadableFiles();
    return true;
}

ContactTable AddressBook::membersOfGroup(const ContainerEntry &container, const GroupEntry &group,
                                         const ContactTable &allContacts)
{
    QHash<QString, ContactEntry> byId;
    byId.reserve(allContacts->size());
    for (const ContactEntry &entry : std::as_const(*allContacts))
        byId.insert(entry->uniqueId, entry);
    auto table = std::make_shared<ContactList>();
    // Only identifiers are needed to find the members among the records read already.
    for (const StoreContact &card : m_store.contacts(container->identifier, group->storeGroupIdentifier,
                                                     StoreKeys::only({}))) {
        // A member that gave no record of "All Contacts" is left out.
        if (const ContactEntry entry = byId.value(card.identifier))
            table->append(copyContactEntry(entry));
    }
    return table;
}

void AddressBook::noteUnreadableFiles()
{
    const QStringList unreadable = m_store.unreadableFiles();
    for (qsizetype i = m_unreadableSeen; i < unreadable.size(); ++i)
        m_problems.append(unreadable.at(i));
    m_unreadableSeen = unreadable.size();
}

QStringList AddressBook::takeProblems()
{
    return std::exchange(m_problems, {});
}
