// A file document's container ("All Contacts" plus categories) under a ContactEditor, and a
// recorder of what the editor asks the views to do.
#pragma once

#include "../testutil.h"
#include "editing/contacteditor.h"
#include "platform/undomanager.h"
#include "record/keys.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

inline QVariantMap labeled(const QString &label, const QString &value, int labelIndex)
{
    return { { Key::Label, label }, { Key::Value, value }, { Key::LabelIndex, labelIndex } };
}

inline PersonPtr makePerson(const QString &firstName, const QStringList &phones = {})
{
    PersonPtr person = QVPerson::create();
    person->setValue(QVariantMap { { FieldId::FirstName, firstName } }, FieldId::Name);
    QVariantList items;
    for (int i = 0; i < phones.size(); ++i)
        items.append(labeled(LabelWord::Home, phones.at(i), i));
    person->setValue(items, FieldId::Phone);
    person->setChanged(false);
    return person;
}

// Unique ids of the entries a table shows (not deleted), in table order.
inline QStringList shownIds(const GroupEntry &group)
{
    QStringList ids;
    if (group->contactTable) {
        for (const ContactEntry &entry : std::as_const(*group->contactTable)) {
            if (!entry->deleted)
                ids.append(entry->uniqueId);
        }
    }
    return ids;
}

class EditorTest : public ::testing::Test
{
protected:
    EditorTest()
    {
        container = std::make_shared<ContainerEntryData>();
        container->name = EntryKey::VCardContainerName;
        all = addGroup(qs("All Contacts"));
        all->top = true;
        editor.setEditState(true);
        QObject::connect(&editor, &ContactEditor::tableUpdateRequested, [this] { ++seen.tableUpdates; });
        QObject::connect(&editor, &ContactEditor::tableReloadRequested,
                         [this](const ContactTable &, const ContactList &select) { seen.selected = select; });
        QObject::connect(&editor, &ContactEditor::detailViewReloadRequested,
                         [this] { ++seen.detailReloads; });
        QObject::connect(&editor, &ContactEditor::detachedWindowsReloadRequested,
                         [this](const QStringList &ids) { seen.detachedReloads += ids; });
        QObject::connect(&editor, &ContactEditor::contactWindowsCloseRequested,
                         [this](const QStringList &ids) { seen.closed += ids; });
        QObject::connect(&editor, &ContactEditor::documentEditedChanged, [this](bool e) { seen.edited = e; });
    }

    GroupEntry addGroup(const QString &name)
    {
        auto group = std::make_shared<GroupEntryData>();
        group->name = name;
        group->containerName = container->name;
        group->contactTable = std::make_shared<ContactList>();
        container->groups.append(group);
        return group;
    }

    // A contact of the container, member of the given categories too.
    ContactEntry addContact(const PersonPtr &person, const QList<GroupEntry> &categories = {})
    {
        const ContactEntry entry = makeContactEntry(person);
        all->contactTable->append(entry);
        for (const GroupEntry &group : categories)
            group->contactTable->append(copyContactEntry(entry));
        return entry;
    }

    // Hands the container to the editor ("All Contacts" selected) and forgets the set-up signals.
    void start()
    {
        editor.setContainerTable({ container });
        resetRecords();
    }

    void resetRecords() { seen = {}; }

    // Ends the current event: the undo manager closes the step the event's changes formed.
    static void endEvent() { QCoreApplication::processEvents(); }

    UndoManager undo;
    ContactEditor editor { &undo };
    ContainerEntry container;
    GroupEntry all;

    // What the editor asked the views to do.
    struct
    {
        int tableUpdates = 0;
        int detailReloads = 0;
        QStringList detachedReloads, closed;
        ContactList selected;
        std::optional<bool> edited;
    } seen;
};
