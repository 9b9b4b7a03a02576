#include "window/viewcontroller.h"

#include "detail/contactinfocontroller.h"
#include "document/contactfiles.h"
#include "document/document.h"
#include "platform/userdefaults.h"
#include "record/keys.h"
#include "table/contactsviewcontroller.h"
#include "table/keys.h"
#include "table/sortkeys.h"
#include "table/viewtypes.h"
#include "window/edition.h"
#include "window/editlockframe.h"
#include "window/findbarcontroller.h"
#include "window/findcontroller.h"
#include "window/groupviewcontroller.h"
#include "window/windowkeys.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontDialog>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QMessageBox>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

namespace {

constexpr double kDefaultFontSize = 12;
constexpr double kMinimumFontSize = 7;
constexpr int kGroupsPaneMaximum = 250;
constexpr int kTablePaneMinimum = 200;
constexpr int kDetailPaneMinimum = 300;

QFont systemFont()
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPointSizeF(kDefaultFontSize);
    return font;
}

} // namespace

ViewController::ViewController(Document *document, QWidget *parent)
    : QWidget(parent)
    , m_document(document)
    , m_editor(new ContactEditor(document ? document->undoManager() : nullptr, this))
    , m_splitView(new QSplitter(Qt::Horizontal, this))
    , m_redSeparator(new EditLockFrame(this))
    , m_groupViewController(new GroupViewController(m_splitView))
    , m_contactsViewController(new ContactsViewController(m_redSeparator))
    , m_contactInfoController(new ContactInfoController(m_splitView))
    , m_findBar(new FindBarController(this))
    , m_findController(new FindController(this, m_findBar))
{
    UserDefaults &defaults = UserDefaults::standard();
    // Shift, Ctrl and Alt held while a window opens offer to forget every preference.
    const Qt::KeyboardModifiers reset = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;
    if ((QGuiApplication::queryKeyboardModifiers() & reset) == reset) {
        QMessageBox box(QMessageBox::Question, QApplication::applicationDisplayName(), QString(),
                        QMessageBox::Ok | QMessageBox::Cancel);
        box.setInformativeText(tr("Would you like to restore default preferences?"));
        if (box.exec() == QMessageBox::Ok) {
            defaults.removePersistentDomain();
            m_newWindow = true;
        }
    }
    m_selectedLabels = defaults.stringArrayValue(DefaultsKey::SelectedLabels);
    if (m_selectedLabels.isEmpty()) {
        m_selectedLabels = {LabelWord::All};
        defaults.setValue(DefaultsKey::SelectedLabels, m_selectedLabels);
    }
    m_viewTypeDict = defaults.dictionaryValue(DefaultsKey::ViewTypeDict);
    if (m_viewTypeDict.isEmpty()) {
        m_viewTypeDict = ViewTypes::builtInViewTypeDict();
        defaults.setValue(DefaultsKey::ViewTypeDict, m_viewTypeDict);
    }
    m_selectedViewType = defaults.stringValue(DefaultsKey::SelectedViewType);
    if (m_selectedViewType.isEmpty()) {
        m_selectedViewType = ViewTypeName::Email;
        defaults.setValue(DefaultsKey::SelectedViewType, m_selectedViewType);
    }
    if (!defaults.contains(DefaultsKey::SortOptionsDict)) {
        defaults.setValue(DefaultsKey::SortOptionsDict,
                          ViewTypes::initSortOptionsDict({}, defaults.dictionaryValue(DefaultsKey::SortOptionsDefault)));
    }

    // The table sits in a thin frame that shows the edit lock: red while editing, grey when locked.
    auto *frameLayout = new QVBoxLayout(m_redSeparator);
    frameLayout->setContentsMargins(0, 0, 0, 0);
    frameLayout->addWidget(m_contactsViewController);
    m_splitView->addWidget(m_groupViewController);
    m_splitView->addWidget(m_redSeparator);
    m_splitView->addWidget(m_contactInfoController);
    m_splitView->setChildrenCollapsible(true);
    m_splitView->setStretchFactor(1, 1);
    m_groupViewController->setMaximumWidth(kGroupsPaneMaximum);
    m_redSeparator->setMinimumWidth(kTablePaneMinimum);
    m_contactInfoController->setMinimumWidth(kDetailPaneMinimum);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    // The find bar sits above the panes, hidden until asked for.
    layout->addWidget(m_findBar);
    layout->addWidget(m_splitView);

    // The editor starts locked; a new window opens unlocked, and its commands must know it.
    m_editor->setEditState(m_editState);
    m_contactsViewController->setEditor(m_editor);
    m_editor->setTableEditor(m_contactsViewController);
    m_editor->setDetailView(m_contactInfoController);
    m_contactInfoController->setContactEditor(m_editor);
    m_contactInfoController->setGroupNamesSource(
        [this](const ContactEntry &contact) { return m_editor->groupNamesOfContact(contact); });
    m_editor->setRowsAtIndexes([this](const QList<int> &indexes) {
        SubContactRows rows;
        const SubContactRows &all = m_contactsViewController->subContactTable();
        for (int i : indexes) {
            if (i >= 0 && i < all.size())
                rows.append(all.at(i));
        }
        return rows;
    });
    connectEditor();
    updateRedSeparator();
}

ViewController::~ViewController() = default;

void ViewController::connectEditor()
{
    ContactsViewController *table = m_contactsViewController;
    connect(m_editor, &ContactEditor::tableUpdateRequested, table, &ContactsViewController::updateTable);
    connect(m_editor, &ContactEditor::tableReloadRequested, this,
            [table](const ContactTable &contacts, const ContactList &select) {
                table->setContactTable(contacts);
                table->updateTableSelecting(select);
            });
    connect(m_editor, &ContactEditor::detailViewReloadRequested, m_contactInfoController,
            &ContactInfoController::updateTable);
    connect(m_editor, &ContactEditor::contactPopoverReloadRequested, table,
            &ContactsViewController::reloadContactPopover);
    connect(m_editor, &ContactEditor::detachedWindowsReloadRequested, table,
            &ContactsViewController::reloadDetachedWindows);
    connect(m_editor, &ContactEditor::contactWindowsCloseRequested, table,
            &ContactsViewController::closeContactWindows);
    connect(m_editor, &ContactEditor::sidebarUpdateRequested, this,
            [this](const ContainerTable &containers, const GroupEntry &selected) {
                m_groupViewController->setContainerTable(containers);
                m_groupViewController->setSelectedGroupDict(selected);
                m_groupViewController->updateTable();
            });
    connect(m_editor, &ContactEditor::groupSelectionChanged, this, &ViewController::groupSelectionDidChange);
    connect(m_editor, &ContactEditor::editStateChanged, this, &ViewController::setEditState);
    connect(m_editor, &ContactEditor::documentEditedChanged, this, [this](bool edited) {
        if (m_document)
            m_document->noteEditorEdited(edited);
    });

    connect(m_groupViewController, &GroupViewController::groupSelectionDidChange, this,
            &ViewController::setSelectedGroupDict);
    connect(m_groupViewController, &GroupViewController::groupNameWillChange, m_editor, &ContactEditor::renameGroup);
    connect(m_groupViewController, &GroupViewController::addContactByStringIndexes, m_editor,
            &ContactEditor::addContactByStringIndexes);

    connect(table, &ContactsViewController::rowSelectionDidChange, this, &ViewController::rowSelectionDidChange);
    connect(table, &ContactsViewController::sortDescriptorsDidChange, m_editor,
            [this, table](const QString &identifier, const QString &key, bool ascending) {
                if (m_editor->sortDescriptorsDidChange(identifier, key, ascending) > 0)
                    table->labeledValuesReordered();
            });
    connect(table, &ContactsViewController::popoverRequested, this, &ViewController::popoverRequested);
}

// ---- The document's tables ---------------------------------------------------------------------

void ViewController::setContainerTable(const ContainerTable &containers)
{
    m_editor->setContainerTable(containers);
    m_groupViewController->setContainerTable(containers);
}

void ViewController::setSelectedGroupDict(const GroupEntry &group)
{
    // The editor asks the table for the group's rows and then announces the group, which asks
    // again: one rebuild of the rows is enough.
    m_contactsViewController->beginUpdates();
    m_editor->groupSelectionDidChange(group);
    m_groupViewController->setSelectedGroupDict(group);
    m_contactsViewController->endUpdates();
}

void ViewController::setContactTable(const ContactTable &table)
{
    m_contactsViewController->setContactTable(table);
    setCustomItems(collectCustomItems());
}

void ViewController::setDocumentName(const QString &name)
{
    m_documentName = name;
    loadFont();
}

void ViewController::groupSelectionDidChange(const GroupEntry &group)
{
    if (!group)
        return;
    m_contactsViewController->setContactTable(group->contactTable);
    m_contactsViewController->setGroupName(group->name);
    m_contactsViewController->updateTable();
    m_groupViewController->setSelectedGroupDict(group);
    UserDefaults::standard().setValue(WindowKey::LastContainerIdentifier, group->containerIdentifier);
    Q_EMIT selectedGroupChanged(group);
}

void ViewController::rowSelectionDidChange(const SubContactRow &row)
{
    if (!row.person)
        return;
    m_findController->rowSelectionDidChange(row);
    m_contactInfoController->setContact(ContactEditor::entryForRow(row));
}

// ---- Lifecycle ---------------------------------------------------------------------------------

void ViewController::viewWillAppear()
{
    UserDefaults &defaults = UserDefaults::standard();
    m_groupViewController->setEditState(true);
    m_contactsViewController->setSelectedLabels(m_selectedLabels);
    m_contactInfoController->setSelectedLabels(m_selectedLabels);
    if (const GroupEntry group = selectedGroupDict()) {
        m_contactsViewController->setGroupName(group->name);
        m_groupViewController->setSelectedGroupDict(group);
    }
    readStoreGroups();
    m_groupViewController->updateTable();

    // Columns of the stored view type, sorted as last time when that sort's field is shown.
    m_selectedViewType = defaults.stringValue(DefaultsKey::SelectedViewType);
    m_contactsViewController->setSelectedViewType(m_selectedViewType);
    const QStringList shown = ViewTypes::identifiersForViewType(defaults.dictionaryValue(DefaultsKey::ViewTypeDict),
                                                                m_selectedViewType);
    m_contactsViewController->setSortDescriptor(
        SortKeys::initialSortDescriptor(defaults.dictionaryValue(DefaultsKey::LastSortDesc), shown),
        ContactsViewController::SortOrigin::Restored);
    m_contactsViewController->updateTable();

    // The groups pane opens on the very first start only; afterwards as the user left it hidden.
    const bool firstStart = !defaults.contains(WindowKey::ShowGroupView);
    if (firstStart)
        defaults.setValue(WindowKey::ShowGroupView, true);
    // The address books are what the store window is for: its groups always show.
    showGroupView(firstStart || m_addressBook);
    showContactInfo(false);
    if (!m_newWindow) {
        const bool editable = defaults.boolValue(WindowKey::LastEditState);
        if (Editions::current() == Edition::Brisklet) {
            showContactInfo(editable);
            const int position = int(defaults.doubleValue(WindowKey::LastSidebarPos));
            if (position > 0) {
                QList<int> sizes = m_splitView->sizes();
                const int total = sizes.value(1) + sizes.value(2);
                sizes[1] = std::min(position, total);
                sizes[2] = total - sizes[1];
                m_splitView->setSizes(sizes);
            }
        }
        setEditState(editable);
    }
    m_contactsViewController->tableView()->setFocus();
}

void ViewController::viewWillDisappear()
{
    UserDefaults &defaults = UserDefaults::standard();
    defaults.setValue(fontNameKey(), m_selectedFont.family());
    defaults.setValue(fontSizeKey(), m_selectedFont.pointSizeF());
}

// ---- Edit lock -----------------------------------------------------------------------------------

void ViewController::setEditState(bool editable)
{
    editable = editable && !m_addressBook; // the address book stays locked
    const bool changed = m_editState != editable;
    m_editState = editable;
    m_editor->setEditState(editable);
    m_contactsViewController->setEditState(editable);
    m_contactInfoController->setEditState(editable);
    m_groupViewController->setEditState(editable);
    m_findBar->setEditState(editable);
    updateRedSeparator();
    m_contactsViewController->updateTable();
    if (isContactInfoShown())
        m_contactInfoController->updateTable();
    if (changed)
        Q_EMIT editStateChanged(editable);
}

void ViewController::updateRedSeparator()
{
    m_redSeparator->setEditable(m_editState);
}

// ---- Preferences ---------------------------------------------------------------------------------

void ViewController::setSelectedLabels(const QStringList &labels)
{
    m_selectedLabels = labels;
    UserDefaults::standard().setValue(DefaultsKey::SelectedLabels, labels);
    m_contactsViewController->setSelectedLabels(labels);
    m_contactInfoController->setSelectedLabels(labels);
    m_contactsViewController->updateTable();
}

void ViewController::setSelectedViewType(const QString &viewType)
{
    m_selectedViewType = viewType;
    UserDefaults::standard().setValue(DefaultsKey::SelectedViewType, viewType);
    m_contactsViewController->setSelectedViewType(viewType);
}

void ViewController::setCustomItems(const QVariantList &items)
{
    m_customItems = items;
    m_editor->setCustomItems(items);
    m_contactsViewController->setCustomItems(items);
    m_contactInfoController->setCustomItems(items);
    Q_EMIT customItemsChanged(items);
}

QVariantList ViewController::collectCustomItems() const
{
    QVariantList collected;
    QHash<QString, QString> typeByName;
    const ContactTable table = m_contactsViewController->contactTable();
    if (!table)
        return collected;
    for (const ContactEntry &entry : std::as_const(*table)) {
        for (const QVariant &v : entry->person->customItems()) {
            const QVariantMap definition = v.toMap();
            const QString name = definition.value(CustomKey::Name).toString();
            const QString type = definition.value(CustomKey::Type).toString();
            const auto it = typeByName.constFind(name);
            if (it == typeByName.constEnd() || it.value() != type) {
                typeByName.insert(name, type);
                collected.append(definition);
            }
        }
    }
    return collected;
}

// ---- Fonts ---------------------------------------------------------------------------------------

QString ViewController::fontNameKey() const
{
    if (m_documentName.isEmpty() || m_documentName == WindowKey::AddressBookName)
        return WindowKey::FontName;
    return WindowKey::PerDocumentFormat.arg(WindowKey::FontName, m_documentName);
}

QString ViewController::fontSizeKey() const
{
    if (m_documentName.isEmpty() || m_documentName == WindowKey::AddressBookName)
        return WindowKey::FontSize;
    return WindowKey::PerDocumentFormat.arg(WindowKey::FontSize, m_documentName);
}

void ViewController::loadFont()
{
    const UserDefaults &defaults = UserDefaults::standard();
    const QString name = defaults.stringValue(fontNameKey());
    QFont font = systemFont();
    if (!name.isEmpty() && name != WindowKey::SystemFontName) {
        font = QFont(name);
        font.setPointSizeF(std::max(kMinimumFontSize, defaults.doubleValue(fontSizeKey())));
    }
    applyFont(font);
}

void ViewController::applyFont(const QFont &font)
{
    m_selectedFont = font;
    m_groupViewController->setSelectedFont(font);
    m_contactsViewController->setSelectedFont(font);
    m_contactInfoController->setSelectedFont(font);
}

void ViewController::setFont(const QFont &font)
{
    applyFont(font);
    UserDefaults &defaults = UserDefaults::standard();
    defaults.setValue(WindowKey::DefaultFontName, font.family());
    defaults.setValue(WindowKey::DefaultFontSize, font.pointSizeF());
}

void ViewController::changeFont()
{
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, m_selectedFont, this, tr("Fonts"));
    if (ok)
        setFont(font);
}

void ViewController::revertToDefaultFont()
{
    if (m_selectedFont != systemFont())
        setFont(systemFont());
}

// ---- Panes ---------------------------------------------------------------------------------------

bool ViewController::isGroupViewShown() const
{
    return m_splitView->sizes().value(0) > 0;
}

void ViewController::showGroupView(bool show)
{
    QList<int> sizes = m_splitView->sizes();
    if (sizes.size() < 3)
        return;
    if (show && sizes[0] == 0) {
        const int width = std::min(kGroupsPaneMaximum, std::max(160, m_groupViewController->sizeHint().width()));
        sizes[1] = std::max(kTablePaneMinimum, sizes[1] - width);
        sizes[0] = width;
        m_groupViewController->show();
        m_splitView->setSizes(sizes);
        m_groupViewController->updateTable();
    } else if (!show && sizes[0] > 0) {
        sizes[1] += sizes[0];
        sizes[0] = 0;
        m_splitView->setSizes(sizes);
        m_contactsViewController->tableView()->setFocus();
    }
}

void ViewController::toggleGroupView()
{
    const bool show = !isGroupViewShown();
    showGroupView(show);
    UserDefaults::standard().setValue(WindowKey::ShowGroupView, show);
}

bool ViewController::isContactInfoShown() const
{
    return m_splitView->sizes().value(2) > 0;
}

int ViewController::contactsPaneWidth() const
{
    return m_splitView->sizes().value(1);
}

int ViewController::detailPaneWidth() const
{
    return m_splitView->sizes().value(2);
}

void ViewController::showContactInfo(bool show)
{
    QList<int> sizes = m_splitView->sizes();
    if (sizes.size() < 3)
        return;
    if (show && sizes[2] == 0) {
        m_contactInfoController->setCustomItems(m_customItems);
        const int stored = int(UserDefaults::standard().doubleValue(WindowKey::LastDetailWidth));
        const int width = std::max(kDetailPaneMinimum, stored);
        sizes[1] = std::max(kTablePaneMinimum, sizes[1] - width);
        sizes[2] = width;
        m_splitView->setSizes(sizes);
        m_contactInfoController->updateTable();
    } else if (!show && sizes[2] > 0) {
        UserDefaults::standard().setValue(WindowKey::LastSidebarPos, double(sizes[1]));
        UserDefaults::standard().setValue(WindowKey::LastDetailWidth, double(sizes[2]));
        sizes[1] += sizes[2];
        sizes[2] = 0;
        m_splitView->setSizes(sizes);
    }
}

void ViewController::toggleContactInfo()
{
    showContactInfo(!isContactInfoShown());
}

// ---- Commands ------------------------------------------------------------------------------------

void ViewController::addContact()
{
    if (refuseEditing())
        return;
    const ContactEntry entry = m_editor->addContact();
    if (!entry)
        return;
    m_contactsViewController->selectRowIndexesWithContacts({entry});
    if (Editions::current() == Edition::Brisklet) {
        showContactInfo(true);
        m_contactsViewController->editNameOfSelectedContact();
        return;
    }
    m_contactsViewController->showContactInfoPopoverWithOption(true);
}

void ViewController::deleteContacts()
{
    if (refuseEditing())
        return;
    const ContactList selected = m_contactsViewController->selectedContacts();
    if (!selected.isEmpty())
        m_editor->deleteContacts(selected);
}

void ViewController::duplicateContacts()
{
    if (refuseEditing())
        return;
    const ContactList selected = m_contactsViewController->selectedContacts();
    if (!selected.isEmpty())
        m_editor->duplicateContacts(selected);
}

void ViewController::addGroup()
{
    if (refuseEditing())
        return;
    // The new group is selected and waits for its name.
    const GroupEntry group = m_editor->addGroup();
    if (!group)
        return;
    m_editor->groupSelectionDidChange(group);
    if (m_editState)
        m_groupViewController->editSelectedGroupName();
}

void ViewController::addToGroup(const GroupEntry &group)
{
    if (refuseEditing())
        return;
    if (m_editor->addToGroup(m_contactsViewController->selectedContacts(), group))
        refreshDetailGroups();
}

void ViewController::removeFromGroup()
{
    if (refuseEditing())
        return;
    if (m_editor->removeFromGroup(m_contactsViewController->selectedContacts()))
        refreshDetailGroups();
}

void ViewController::refreshDetailGroups()
{
    const QList<int> selected = m_contactsViewController->selectedRowIndexes();
    if (!selected.isEmpty())
        rowSelectionDidChange(m_contactsViewController->subContactTable().at(selected.first()));
}

void ViewController::deleteGroup()
{
    if (refuseEditing())
        return;
    QMessageBox box(QMessageBox::Warning, QApplication::applicationDisplayName(), tr("Do you want to remove the group?"),
                    QMessageBox::Ok | QMessageBox::Cancel, this);
    box.setInformativeText(tr("This operation can't be undone."));
    box.setWindowModality(Qt::WindowModal);
    if (box.exec() == QMessageBox::Ok)
        m_editor->deleteGroup();
}

void ViewController::undo()
{
    m_editor->undo();
    refreshDetailGroups();
}

void ViewController::redo()
{
    m_editor->redo();
    refreshDetailGroups();
}

bool ViewController::validateMenuItem(ContactEditor::MenuAction action) const
{
    ContactEditor::MenuContext context;
    context.groupPaneCollapsed = !isGroupViewShown();
    // Asked on every selection change: no list of the selected rows for that.
    context.hasSelectedRow = m_contactsViewController->tableView()->selectionModel()->hasSelection();
    return m_editor->validateMenuItem(action, context);
}

bool ViewController::writeVCardDataOfDocument(QIODevice &device)
{
    const ContainerTable containers = m_editor->containerTable();
    if (containers.isEmpty() || containers.first()->groups.isEmpty())
        return true; // nothing to write
    const ContainerEntry container = containers.first();
    const ContactTable all = container->groups.first()->contactTable;
    ContactList contacts;
    if (all) {
        for (const ContactEntry &entry : std::as_const(*all)) {
            if (!entry->deleted)
                contacts.append(entry);
        }
    }
    return ContactExport::writeVCards(device, contacts, collectCustomItems(), container);
}
