#include "document/addressbook.h"

#include "formats/qvvcard.h"
#include "platform/keys.h"
#include "record/keys.h"
#include "record/labelregistration.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFileInfo>
#include <QHash>
#include <QThread>
#include <QtConcurrent/QtConcurrentMap>
#include <algorithm>
#include <utility>

namespace {

// More chunks than threads, so that a thread that finishes early takes another.
constexpr qsizetype kChunksPerThread = 4;

} // namespace

AddressBook::AddressBook(const QString &rootPath)
    : m_store(rootPath)
{ }

StoreKeys AddressBook::tableKeys()
{
    return StoreKeys::except({ QString::fromLatin1(StoreProperty::Photo) });
}

ContainerTable AddressBook::containerTable() const
{
    ContainerTable table;
    for (const StoreContainer &store : m_store.containers())
        table.append(QVvCard::containerWithAllContacts(store.name, StoreContainerType, store.identifier));
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
    person->setPhotoLoader([rootPath,
                            identifier = contact.identifier]() -> std::optional<QVPerson::LoadedPhoto> {
        const auto photo = ContactStore(rootPath).contact(
            identifier, StoreKeys::only({ QString::fromLatin1(StoreProperty::Photo) }));
        if (!photo)
            return std::nullopt;
        const PersonPtr fetched = QVvCard::personFromStoreCard(photo->vCard);
        if (!fetched)
            return std::nullopt;
        return QVPerson::LoadedPhoto { fetched->imageData(), fetched->thumbnailImageData() };
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
    if (!all->contactTable)
        all->contactTable = readAllContacts(container->identifier);
    QHash<QString, ContactEntry> byId;
    byId.reserve(all->contactTable->size());
    for (const ContactEntry &entry : std::as_const(*all->contactTable))
        byId.insert(entry->uniqueId, entry);
    for (const GroupEntry &other : std::as_const(container->groups)) {
        if (other->top || other->contactTable)
            continue;
        auto table = std::make_shared<ContactList>();
        // A member that gave no record of "All Contacts" is left out.
        for (const QString &identifier :
             m_store.contactIdentifiers(container->identifier, other->storeGroupIdentifier)) {
            if (const ContactEntry entry = byId.value(identifier))
                table->append(copyContactEntry(entry));
        }
        other->contactTable = table;
    }
    noteUnreadableFiles();
    return true;
}

ContactTable AddressBook::readAllContacts(const QString &containerIdentifier)
{
    // Thousands of small files: they are read and turned into records on every core, in chunks
    // that keep their order; each chunk has a store of its own, and the labels its cards bring are
    // registered here, on the main thread, afterwards.
    struct Chunk
    {
        qsizetype begin = 0;
        qsizetype end = 0;
        ContactList entries;
        QStringList problems;
        QList<LabelRegistration::Change> labels;
    };
    const QStringList identifiers = m_store.contactIdentifiers(containerIdentifier);
    const QString root = m_store.rootPath();
    const qsizetype chunkCount = std::max(1, QThread::idealThreadCount()) * kChunksPerThread;
    const qsizetype chunkSize = std::max<qsizetype>(1, (identifiers.size() + chunkCount - 1) / chunkCount);
    QList<Chunk> chunks;
    for (qsizetype begin = 0; begin < identifiers.size(); begin += chunkSize)
        chunks.append({ begin, std::min(identifiers.size(), begin + chunkSize), {}, {}, {} });
    QtConcurrent::blockingMap(chunks, [&identifiers, &root](Chunk &chunk) {
        LabelRegistration::Deferral deferral;
        const ContactStore store(root);
        for (qsizetype i = chunk.begin; i < chunk.end; ++i) {
            const auto card = store.contact(identifiers.at(i), tableKeys());
            if (!card)
                continue;
            const PersonPtr person = personFromCard(*card, root);
            if (!person) {
                qWarning().noquote() << "AddressBook::readContacts: ERROR can't read the card"
                                     << card->identifier;
                chunk.problems.append(QCoreApplication::translate("AddressBook", "%1: not a readable card")
                                          .arg(card->identifier));
                continue;
            }
            ContactEntry entry = makeContactEntry(person, false);
            entry->uniqueId2 = person->uniqueId2();
            chunk.entries.append(entry);
        }
        chunk.problems += store.unreadableFiles();
        chunk.labels = deferral.takeChanges();
    });
    auto table = std::make_shared<ContactList>();
    table->reserve(identifiers.size());
    for (const Chunk &chunk : std::as_const(chunks)) {
        LabelRegistration::apply(chunk.labels);
        table->append(chunk.entries);
        for (const QString &problem : chunk.problems)
            noteProblem(problem);
    }
    return table;
}

void AddressBook::noteUnreadableFiles()
{
    const QStringList unreadable = m_store.unreadableFiles();
    for (qsizetype i = m_unreadableSeen; i < unreadable.size(); ++i)
        noteProblem(unreadable.at(i));
    m_unreadableSeen = unreadable.size();
}

void AddressBook::noteProblem(const QString &problem)
{
    // A file met again (its groups were read before its contacts) is told about once.
    if (!m_reported.contains(problem)) {
        m_reported.insert(problem);
        m_problems.append(problem);
    }
}

QStringList AddressBook::takeProblems()
{
    return std::exchange(m_problems, {});
}
