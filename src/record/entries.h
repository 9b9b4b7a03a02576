// The container table of a document window: containers hold groups, groups hold contact entries,
// contact entries hold records.
//
// Entries are shared objects: the "All Contacts" table and a category's table hold entries over the
// same record, the undo stack keeps the very entries it restores, and a deleted contact or group is
// only marked "deleted" so that undo can bring back the same object.
#pragma once

#include "record/qvperson.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

struct ContactEntryData
{
    PersonPtr person;
    QString uniqueId;  // the record's uniqueId when the entry was made
    QString uniqueId2; // "All Contacts" entries of store contacts only
    int labelIndex = 0;
    bool isNew = false;   // made in this window (read from a file, added, duplicated, imported)
    bool deleted = false; // deleted, kept for undo; shows no rows
    QStringList groupNames; // filled when the entry is handed to the detail view
};
using ContactEntry = std::shared_ptr<ContactEntryData>;
using ContactList = QList<ContactEntry>;
// A group's table is shared by the group and whoever shows it.
using ContactTable = std::shared_ptr<ContactList>;

inline ContactEntry makeContactEntry(const PersonPtr &person, bool isNew = true)
{
    auto entry = std::make_shared<ContactEntryData>();
    entry->person = person;
    entry->uniqueId = person->uniqueId();
    entry->isNew = isNew;
    return entry;
}

// A copy of an entry over the same record (each group gets its own entry object).
inline ContactEntry copyContactEntry(const ContactEntry &entry)
{
    return std::make_shared<ContactEntryData>(*entry);
}

struct GroupEntryData
{
    bool top = false; // the container's "All Contacts" group
    QString name;
    QString containerName;
    QString uniqueId;
    QString identifier; // groups made by Add Group: name and creation date, "%1+%2"
    QString containerIdentifier;
    QString storeGroupIdentifier; // the store group this entry stands for; empty for file groups
    ContactTable contactTable;    // null until read from the store
    bool isNew = false;
    bool deleted = false;
    bool changed = false;
    bool groupNameChanged = false;
};
using GroupEntry = std::shared_ptr<GroupEntryData>;

struct ContainerEntryData
{
    QString name;
    int type = 1; // 1: a file document's container; 0: a container whose groups are never read
    QString identifier;
    QList<GroupEntry> groups; // groups[0] is always the container's "All Contacts" group
};
using ContainerEntry = std::shared_ptr<ContainerEntryData>;
using ContainerTable = QList<ContainerEntry>;

// One table row: one item position of one contact (the contact's first row has labelIndex 0).
// Rows refer to records without owning the entries; printing, finding, copying and the edit
// operations take them.
struct SubContactRow
{
    PersonPtr person;
    QString uniqueId;
    int labelIndex = 0;
    bool notFirstRow = false; // the row above belongs to the same contact
    int numLines = 1;         // text lines the row needs
    QVariant sortValue;       // cached during one sort

    static SubContactRow fromEntry(const ContactEntry &entry)
    {
        SubContactRow row;
        row.person = entry->person;
        row.uniqueId = entry->uniqueId;
        row.labelIndex = entry->labelIndex;
        return row;
    }
};
using SubContactRows = QList<SubContactRow>;
