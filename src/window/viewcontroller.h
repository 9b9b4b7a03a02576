// ViewController: the content of a document window — the groups sidebar, the contacts table and
// the detail side bar in a split view — and the commands on contacts and groups, which it
// carries out through its ContactEditor (the undoable operations).
#pragma once

#include "editing/contacteditor.h"
#include "record/entries.h"

#include <QFont>
#include <QIODevice>
#include <QPointer>
#include <QVariantMap>
#include <QWidget>

#include <memory>

class AddressBook;
class ContactInfoController;
class ContactsViewController;
class Document;
class EditLockFrame;
class FindBarController;
class FindController;
class GroupViewController;
class MergePanelController;
class QSplitter;

class ViewController : public QWidget
{
    Q_OBJECT

public:
    explicit ViewController(Document *document, QWidget *parent = nullptr);
    ~ViewController() override;

    ContactEditor *editor() const { return m_editor; }
    GroupViewController *groupViewController() const { return m_groupViewController; }
    ContactsViewController *contactsViewController() const { return m_contactsViewController; }
    ContactInfoController *contactInfoController() const { return m_contactInfoController; }
    QSplitter *splitView() const { return m_splitView; }
    Document *document() const { return m_document; }
    FindBarController *findBar() const { return m_findBar; }
    FindController *findController() const { return m_findController; }

    // ---- The document's tables ---------------------------------------------------------------
    void setContainerTable(const ContainerTable &containers);
    ContainerTable containerTable() const { return m_editor->containerTable(); }
    void setSelectedGroupDict(const GroupEntry &group);
    GroupEntry selectedGroupDict() const { return m_editor->selectedGroup(); }
    void setContactTable(const ContactTable &table);
    ContactTable contactTable() const { return m_editor->contactTable(); }
    // The window shows the system address books, read only: store groups and contacts are read
    // as the sidebar appears and as groups are first selected (viewcontroller_addressbook.cpp).
    void setAddressBook(const std::shared_ptr<AddressBook> &addressBook);
    bool isReadOnly() const { return m_addressBook != nullptr; }
    // For a read-only window: tells the user that nothing can be changed and answers true.
    bool refuseEditing();
    void setNewWindow(bool newWindow) { m_newWindow = newWindow; }
    bool newWindow() const { return m_newWindow; }
    void setDocumentName(const QString &name);
    QString documentName() const { return m_documentName; }

    // The window is about to be shown: panes, preferences, the stored edit state.
    void viewWillAppear();
    // The window closes: the font and the panes are remembered.
    void viewWillDisappear();

    // ---- Edit lock -------------------------------------------------------------------------
    void setEditState(bool editable);
    bool editState() const { return m_editState; }

    // ---- Preferences ---------------------------------------------------------------------------
    QStringList selectedLabels() const { return m_selectedLabels; }
    void setSelectedLabels(const QStringList &labels);
    QString selectedViewType() const { return m_selectedViewType; }
    void setSelectedViewType(const QString &viewType);
    QVariantList customItems() const { return m_customItems; }
    void setCustomItems(const QVariantList &items);
    // The custom item definitions of every contact of the table (first definition of a name wins,
    // unless a later one has another type).
    QVariantList collectCustomItems() const;

    // ---- Fonts -----------------------------------------------------------------------------
    QFont selectedFont() const { return m_selectedFont; }
    void setFont(const QFont &font);
    void changeFont();
    void revertToDefaultFont();
    // Preference keys of this window's font: plain for the address book, "<key> <name>" for files.
    QString fontNameKey() const;
    QString fontSizeKey() const;

    // ---- Panes -----------------------------------------------------------------------------
    void showGroupView(bool show);
    void toggleGroupView();
    bool isGroupViewShown() const;
    void showContactInfo(bool show);
    void toggleContactInfo();
    bool isContactInfoShown() const;
    int contactsPaneWidth() const;
    int detailPaneWidth() const;

    // ---- Commands ----------------------------------------------------------------------------
    void addContact();
    void deleteContacts();
    void duplicateContacts();
    // The first two selected contacts side by side in the merge panel; applied as one undo step.
    void mergeContacts();
    bool canMergeContacts() const;
    MergePanelController *mergePanelController() const;
    void addGroup();
    void deleteGroup();
    // The selected contacts join the group / leave the selected group (undoable).
    void addToGroup(const GroupEntry &group);
    void removeFromGroup();
    void undo();
    void redo();
    bool validateMenuItem(ContactEditor::MenuAction action) const;

    // Every contact that is not deleted, as vCard 3.0 (UTF-8) with photo, note, custom items and
    // categories, written to the device batch by batch; false when a batch could not be written.
    bool writeVCardDataOfDocument(QIODevice &device);

Q_SIGNALS:
    void editStateChanged(bool editable);
    void selectedGroupChanged(const GroupEntry &group);
    void customItemsChanged(const QVariantList &items);
    // A cell asked for a popover editor (the window opens it).
    void popoverRequested(const QString &kind, const SubContactRow &row, const QString &identifier, int index,
                          const QRect &globalRect);

private:
    void connectEditor();
    void groupSelectionDidChange(const GroupEntry &group);
    void rowSelectionDidChange(const SubContactRow &row);
    // The detail side bar shows the selected contact's groups again.
    void refreshDetailGroups();
    void loadFont();
    void applyFont(const QFont &font);
    void updateRedSeparator();
    void readStoreGroups();
    void readStoreContacts(const GroupEntry &group);
    // A window-modal warning that does not wait for its answer.
    void showAlert(const QString &text, const QString &informativeText);

    QPointer<Document> m_document;
    ContactEditor *m_editor;
    QSplitter *m_splitView;
    EditLockFrame *m_redSeparator;
    GroupViewController *m_groupViewController;
    ContactsViewController *m_contactsViewController;
    ContactInfoController *m_contactInfoController;
    FindBarController *m_findBar;
    FindController *m_findController;
    QStringList m_selectedLabels;
    QVariantMap m_viewTypeDict;
    QString m_selectedViewType;
    QVariantList m_customItems;
    QFont m_selectedFont;
    QString m_documentName;
    bool m_newWindow = false;
    bool m_editState = true;
    int m_lastContactsPaneWidth = 0;
    QPointer<MergePanelController> m_mergePanelController;
    std::shared_ptr<AddressBook> m_addressBook;
};
