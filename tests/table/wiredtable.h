// A contacts table over a few records, wired to its undoable edit operations as a document window
// wires them, for widget tests of the table and its popovers.
#pragma once

#include "editing/contacteditor.h"
#include "platform/undomanager.h"
#include "record/entries.h"
#include "record/keys.h"
#include "table/contactsviewcontroller.h"

#include <QStringList>
#include <memory>

struct WiredTable
{
    std::unique_ptr<UndoManager> undo;
    std::unique_ptr<ContactEditor> editor;
    std::unique_ptr<ContactsViewController> table;
};

// The table is editable and shows the columns; the caller shows it.
inline WiredTable makeWiredTable(const QList<PersonPtr> &people, const QStringList &columns)
{
    auto container = std::make_shared<ContainerEntryData>();
    container->name = EntryKey::VCardContainerName;
    auto all = std::make_shared<GroupEntryData>();
    all->top = true;
    all->name = QStringLiteral("All Contacts");
    all->contactTable = std::make_shared<ContactList>();
    for (const PersonPtr &person : people)
        all->contactTable->append(makeContactEntry(person));
    container->groups.append(all);

    WiredTable wired;
    wired.undo = std::make_unique<UndoManager>();
    wired.editor = std::make_unique<ContactEditor>(wired.undo.get());
    wired.table = std::make_unique<ContactsViewController>();
    ContactsViewController *t = wired.table.get();
    ContactEditor *e = wired.editor.get();
    t->setEditor(e);
    e->setTableEditor(t);
    QObject::connect(e, &ContactEditor::tableUpdateRequested, t, &ContactsViewController::updateTable);
    QObject::connect(e, &ContactEditor::tableReloadRequested, t,
                     [t](const ContactTable &contacts, const ContactList &) {
                         t->setContactTable(contacts);
                         t->updateTable();
                     });
    QObject::connect(e, &ContactEditor::contactPopoverReloadRequested, t,
                     &ContactsViewController::reloadContactPopover);
    QObject::connect(e, &ContactEditor::detachedWindowsReloadRequested, t,
                     &ContactsViewController::reloadDetachedWindows);
    QObject::connect(e, &ContactEditor::contactWindowsCloseRequested, t,
                     &ContactsViewController::closeContactWindows);
    e->setContainerTable({ container });
    t->setContactTable(all->contactTable);
    e->setEditState(true);
    t->setEditState(true);
    t->updateColumnsInTableView(columns);
    t->updateTable();
    t->resize(900, 400);
    return wired;
}
