// AddressBook: the system contact store as the container table of a read-only window.
//
// Containers are the store's address books, each holding only its "All Contacts" group at first.
// The other groups are read when the groups sidebar first appears (readGroups), the contacts of a
// container when one of its groups is first selected (readContacts). Records carry every field
// the table shows; the photo, which the table never shows, is fetched from the store the first
// time it is asked for. Nothing here writes to the store.
#pragma once

#include "platform/contactstore.h"
#include "record/entries.h"

#include <QSet>
#include <QStringList>

class AddressBook
{
public:
    // Container entries of this kind are read from the store.
    static constexpr int StoreContainerType = 2;

    explicit AddressBook(const QString &rootPath);

    QString rootPath() const { return m_store.rootPath(); }
    // One container per address book, each with its "All Contacts" group.
    ContainerTable containerTable() const;

    // Appends the store groups of a container that holds only its "All Contacts" group; file
    // containers and containers read already are left alone.
    void readGroups(const ContainerEntry &container);
    // Builds the contact tables of the group's container when the group has none yet: "All
    // Contacts" from the store, every other group from the same records. Answers whether it read.
    bool readContacts(const ContainerTable &containers, const GroupEntry &group);

    // Cards that gave no contact and files that could not be read since the last call, one line
    // each, for the alert.
    QStringList takeProblems();

    // The keys the table is read with: everything but the photo.
    static StoreKeys tableKeys();
    // A record of a store card, or null when the card holds no contact.
    static PersonPtr personFromCard(const StoreContact &contact, const QString &rootPath);

private:
    ContactTable readAllContacts(const QString &containerIdentifier);
    void noteUnreadableFiles();
    void noteProblem(const QString &problem);

    ContactStore m_store;
    QStringList m_problems;
    QSet<QString> m_reported;
    qsizetype m_unreadableSeen = 0;
};
