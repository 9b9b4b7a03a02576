// ContactEditor: the undoable edit operations of a document window's contacts.
//
// Every change of contact data, of group membership and of the groups themselves passes through
// one of the undo* operations below. Each registers its inverse (the same operation, or its twin,
// with the old value) with the document's undo manager and then changes the record or the tables,
// so undoing registers the redo by itself. Contacts and groups are never removed, only marked
// deleted, so that undo brings back the very same entries.
//
// The class knows no widgets: the window delegates its commands here and connects the signals to
// its table, sidebar, detail view, popovers and detached contact windows.
//
// Body by topic: contacteditor.cpp (state, refreshing, undo/redo, menu validation),
// contacteditor_values.cpp (record values, merging), contacteditor_contacts.cpp (membership and
// contact commands), contacteditor_groups.cpp (groups), contacteditor_vcard.cpp (dropped vCard text).
#pragma once

#include "platform/undomanager.h"
#include "record/entries.h"

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <optional>

class ContactEditor : public QObject
{
    Q_OBJECT

public:
    // Who made a change (table editor, detail view, a popover, the editor itself); only compared.
    using Sender = const QObject *;
    // The table editor's rows at the given row indexes.
    using RowsAtIndexes = std::function<SubContactRows(const QList<int> &indexes)>;

    enum class MenuAction
    {
        AddGroup,
        DeleteGroup,
        DeleteContacts,
        DuplicateContacts,
        AddToGroup,
        RemoveFromGroup,
        Undo,
        Redo,
        Other
    };
    struct MenuContext
    {
        bool groupPaneCollapsed = false;
        bool hasSelectedRow = false;
    };

    // One undo step and one refresh for everything done while it lives (multi-row edits,
    // replace all, phone normalisation): a view reload per changed contact would not scale.
    class EditBatch
    {
    public:
        explicit EditBatch(ContactEditor &editor);
        ~EditBatch();
        EditBatch(const EditBatch &) = delete;
        EditBatch &operator=(const EditBatch &) = delete;

    private:
        ContactEditor &m_editor;
    };

    // The undo manager is the document's; without one the editor keeps its own.
    explicit ContactEditor(UndoManager *undoManager = nullptr, QObject *parent = nullptr);
    ~ContactEditor() override;

    UndoManager *undoManager() const { return m_undo; }

    // ---- State ------------------------------------------------------------------------------
    ContainerTable containerTable() const { return m_containerTable; }
    // Takes the document's containers and selects the first group of the first container.
    void setContainerTable(const ContainerTable &containers);
    GroupEntry selectedGroup() const { return m_selectedGroup; }
    ContactTable contactTable() const { return m_contactTable; }
    ContainerEntry containerOfGroup(const GroupEntry &group) const;

    bool editState() const { return m_editState; }
    // A read-only editor (the system address book) stays locked and offers no editing command.
    void setEditState(bool editState);
    bool isReadOnly() const { return m_readOnly; }
    void setReadOnly(bool readOnly);
    // Fills a group's table the first time the group is selected (store groups are read then);
    // without a reader such a group starts empty.
    void setGroupReader(std::function<void(const GroupEntry &)> reader) { m_groupReader = std::move(reader); }
    // The document's custom item definitions; they give the kind of identifiers a record lacks.
    QVariantList customItems() const { return m_customItems; }
    void setCustomItems(const QVariantList &items) { m_customItems = items; }

    void setTableEditor(Sender tableEditor) { m_tableEditor = tableEditor; }
    void setDetailView(Sender detailView) { m_detailView = detailView; }
    void setRowsAtIndexes(RowsAtIndexes rowsAtIndexes) { m_rowsAtIndexes = std::move(rowsAtIndexes); }

    bool isDocumentEdited() const { return m_documentEdited; }
    void setDocumentEdited(bool edited);

    // A table row as the entry the operations take: the row's record, uniqueId and labelIndex.
    static ContactEntry entryForRow(const SubContactRow &row);
    // One new entry per contact of the rows, in row order: what dropped rows add to a group.
    static ContactList entriesForRows(const SubContactRows &rows);

    // ---- Record values (contacteditor_values.cpp) -------------------------------------------
    // Each answers whether it changed the record; a refused value touches neither the record nor
    // the undo stack.
    bool undoReplaceValue(const QVariant &value, const QString &identifier, const ContactEntry &contact,
                          Sender sender);
    bool undoReplaceLabeledValue(const QVariant &value, const QString &identifier,
                                 const ContactEntry &contact, Sender sender);
    bool undoAddLabeledValue(const QVariant &labeledValue, const QString &identifier,
                             const ContactEntry &contact, Sender sender);
    bool undoDeleteLabeledValueForIdentifier(const QString &identifier, qsizetype labelIndex,
                                             const ContactEntry &contact, Sender sender);
    bool undoReplaceNameValue(const QVariantMap &nameValue, const ContactEntry &contact);
    bool undoReplacePhoneticNameValue(const QVariantMap &phoneticNameValue, const ContactEntry &contact);
    // A dictionary, or nil (invalid QVariant) for no birthday.
    bool undoReplaceBirthday(const QVariant &birthday, const ContactEntry &contact);
    // A null image clears the photo.
    bool undoReplacePhoto(const QImage &photo, const ContactEntry &contact);
    // Contact B[i] takes every differing value of A[i] (merging), in one undo step.
    void undoReplacePersonByContacts(const ContactList &contactsA, const ContactList &contactsB);

    // ---- Group membership (contacteditor_contacts.cpp) --------------------------------------
    // The group's table gets its own entry for each contact not yet shown in it; a contact added
    // to a category is added to "All Contacts" too. Answers whether any table changed.
    bool undoAddContacts(const ContactList &contacts, const GroupEntry &group);
    // Marks the contacts deleted in the group; in "All Contacts", in every group of the container.
    bool undoDeleteContacts(const ContactList &contacts, const GroupEntry &group, bool doUndo);

    // ---- Groups (contacteditor_groups.cpp) --------------------------------------------------
    bool undoAddGroup(const GroupEntry &group, const ContainerEntry &container);
    bool undoDeleteGroup(const GroupEntry &group, const ContainerEntry &container);
    bool undoChangeGroupName(const QString &name, const GroupEntry &group);

    // ---- Refreshing and undo ----------------------------------------------------------------
    // Refreshes the views showing the contact, except the sender, and marks the document edited.
    void contactDidUpdate(const ContactEntry &contact, Sender sender);
    void undo();
    void redo();

    // ---- Group commands (contacteditor_groups.cpp) ------------------------------------------
    void groupSelectionDidChange(const GroupEntry &group);
    // Adds "New" (or "New0", "New1", ...) to the selected group's container; not selected.
    GroupEntry addGroup();
    // Removes the selected group (the question is the window's).
    bool deleteGroup();
    // The sidebar's edited name for the selected group; empty names are ignored.
    bool renameGroup(const QString &name);
    // Rows dropped on a group: comma-separated row indexes of the table editor.
    bool addContactByStringIndexes(const QString &indexes, const GroupEntry &group);
    // Whether rows of the table may be dropped on the group.
    bool canDropContacts(const GroupEntry &group) const;
    QStringList groupNamesOfContact(const ContactEntry &contact) const;
    // The groups the selected contacts can be added to: the other groups of the selected group's
    // container, "All Contacts" and deleted groups left out.
    QList<GroupEntry> groupsToAddContactsTo() const;
    // Adds the contacts to the group, in one undo step; the selected group stays selected.
    bool addToGroup(const ContactList &selected, const GroupEntry &group);
    // Takes the contacts out of the selected group, in one undo step; never from "All Contacts",
    // which would delete them.
    bool removeFromGroup(const ContactList &selected);

    // ---- Contact commands (contacteditor_contacts.cpp) --------------------------------------
    // A contact named New in the selected group; unlocks editing. Answers the group's entry.
    ContactEntry addContact();
    bool deleteContacts(const ContactList &selected);
    // Copies of the contacts as new contacts of the selected group, in one undo step.
    ContactList duplicateContacts(const ContactList &selected);
    // Contacts of dropped vCard text; answers how many were added (contacteditor_vcard.cpp).
    qsizetype addContactByVCardString(const QString &text);
    // The table's first sort key, split into field and item key: every shown record sorts that
    // field's items the same way, in one undo step. Answers how many records changed their order.
    qsizetype sortDescriptorsDidChange(const QString &identifier, const QString &key, bool ascending);

    bool validateMenuItem(MenuAction action, const MenuContext &context) const;

    // ---- Custom labels (contacteditor_labels.cpp) -------------------------------------------
    // Every item of the field labeled `oldLabel`, in every contact of every container, takes
    // `newLabel`, or the field's fallback label when it is empty (a deletion); one undo step.
    // Answers how many contacts changed.
    qsizetype relabelItems(const QString &oldLabel, const QString &newLabel, const QString &identifier);
    // Renames (or, with an empty new label, deletes) a label of the field's label lists, then
    // relabels the items as above; one undo step takes back both. Answers NO, changing nothing,
    // when the label lists refuse the change. An empty old label registers a new label, which
    // the document's undo does not take back.
    bool setLabel(const QString &oldLabel, const QString &newLabel, const QString &identifier);
    // The label items of a deleted label take.
    static QString labelReplacingDeleted(const QString &identifier);

Q_SIGNALS:
    // The table editor reloads its rows.
    void tableUpdateRequested();
    // The table editor takes the table again, reloads and selects the rows of these contacts.
    void tableReloadRequested(const ContactTable &table, const ContactList &selectContacts);
    void detailViewReloadRequested();
    // The open popover reloads when it is this sender and shows a contact.
    void contactPopoverReloadRequested(ContactEditor::Sender sender);
    // Detached contact windows showing these contacts reload.
    void detachedWindowsReloadRequested(const QStringList &uniqueIds);
    // The open contact popover and detached windows showing these (deleted) contacts close.
    void contactWindowsCloseRequested(const QStringList &uniqueIds);
    void sidebarUpdateRequested(const ContainerTable &containers, const GroupEntry &selectedGroup);
    // A group became the selected one (detached windows close, the last container is remembered).
    void groupSelectionChanged(const GroupEntry &group);
    void documentEditedChanged(bool edited);
    void editStateChanged(bool editState);
    // A new contact waits for its name: the window opens its editor.
    void newContactEditingRequested(const ContactEntry &contact);

private:
    enum class Kind
    {
        Labeled,
        AddressComponent,
        String,
        CustomLabeled,
        Other
    };
    using ValueOperation
        = bool (ContactEditor::*)(const QVariant &, const QString &, const ContactEntry &, Sender);

    // A record's items of one field in an earlier order, and its changed mark then.
    struct ItemOrder
    {
        PersonPtr person;
        CompactList items;
        bool changed = false;
    };

    struct PendingRefresh
    {
        bool reloadTable = false;
        bool updateTable = false;
        bool reloadDetail = false;
        bool edited = false;
        ContactList select;
        QList<Sender> popoverSenders;
        QStringList detachedReload;
        QStringList closeContacts;
        // A batch over a whole document notes every contact: the list must not be searched.
        QSet<QString> detachedReloadSeen;

        void noteDetachedReload(const QString &uniqueId)
        {
            if (!detachedReloadSeen.contains(uniqueId)) {
                detachedReloadSeen.insert(uniqueId);
                detachedReload.append(uniqueId);
            }
        }
    };

    // Registers an inverse that runs only while this editor lives.
    template<typename F> void registerInverse(F inverse)
    {
        if (!m_undo)
            return;
        QPointer<ContactEditor> self(this);
        m_undo->registerUndo([self, inverse = std::move(inverse)]() mutable {
            if (self)
                inverse(*self);
        });
    }
    void registerValueInverse(ValueOperation operation, const QVariant &oldValue, const QString &identifier,
                              const ContactEntry &contact, Sender sender);

    Kind kindForIdentifier(const QString &identifier, const QVPerson &person) const;
    QString customItemType(const QString &identifier) const;
    bool replaceLabeled(ValueOperation operation, const QVariant &value, const QString &identifier,
                        const ContactEntry &contact, Sender sender, bool listBySetValue);
    bool replaceAddressComponent(ValueOperation operation, const QVariant &value, const QString &identifier,
                                 const ContactEntry &contact, Sender sender);
    bool appendCustomLabeledValue(const QVariant &value, const QString &identifier,
                                  const ContactEntry &contact, Sender sender);
    // Puts the records' items back in the given order; registers the order they had.
    void restoreItemOrders(QVPerson::LabeledField field, const QList<ItemOrder> &orders);
    // A record's items of one field and its changed mark, as they were before a relabelling.
    struct LabeledItems
    {
        PersonPtr person;
        QVariantList items;
        bool changed = false;
    };
    // A field's label lists before and after a rename or deletion of one of its labels.
    struct LabelListsChange
    {
        QVPerson::LabelTables before;
        QVPerson::LabelTables after;
    };
    qsizetype relabel(const QString &oldLabel, const QString &newLabel, const QString &identifier,
                      const std::optional<LabelListsChange> &lists);
    // Puts the items back, and the label lists as they were before `lists` (when given).
    void restoreLabeledItems(const QString &identifier, const QList<LabeledItems> &states,
                             const std::optional<LabelListsChange> &lists);
    void restorePhotoData(const QByteArray &imageData, const QByteArray &thumbnailData,
                          const ContactEntry &contact);
    // Gives the record exactly these custom item definitions and stored values; registers the
    // ones it had, so undo also takes back a definition the change brought.
    void restoreCustomItems(const QVariantList &definitions, const QVariantMap &values,
                            const ContactEntry &contact);
    void finishChange(const ContactEntry &contact, Sender sender);

    ContactList addContactsToGroup(const ContactList &contacts, const GroupEntry &group);
    bool showsTableOf(const GroupEntry &group) const;

    void markDocumentEdited();
    void requestTableReload(const ContactList &selectContacts);
    void requestSidebarUpdate();
    void flushRefresh();

    QPointer<UndoManager> m_undo;
    ContainerTable m_containerTable;
    GroupEntry m_selectedGroup;
    ContactTable m_contactTable;
    QVariantList m_customItems;
    bool m_editState = false;
    bool m_readOnly = false;
    std::function<void(const GroupEntry &)> m_groupReader;
    bool m_documentEdited = false;
    Sender m_tableEditor = nullptr;
    Sender m_detailView = nullptr;
    RowsAtIndexes m_rowsAtIndexes;
    int m_batchDepth = 0;
    PendingRefresh m_pending;
};
