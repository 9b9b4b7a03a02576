// WindowController: the menu bar and the toolbar popups.
#include "app/appdelegate.h"
#include "detail/contactinfocontroller.h"
#include "document/document.h"
#include "document/documentcontroller.h"
#include "document/filetransfercontroller.h"
#include "platform/encodings.h"
#include "platform/undomanager.h"
#include "platform/userdefaults.h"
#include "record/keys.h"
#include "record/qvperson.h"
#include "table/contactsviewcontroller.h"
#include "table/keys.h"
#include "table/sortmenu.h"
#include "table/viewtypes.h"
#include "window/customitempanel.h"
#include "window/customlabelpanelcontroller.h"
#include "window/edition.h"
#include "window/findmenu.h"
#include "window/groupviewcontroller.h"
#include "window/phoneqrcommands.h"
#include "window/preferencespanel.h"
#include "window/printcontroller.h"
#include "window/viewcontroller.h"
#include "window/windowcontroller.h"


#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>

namespace {

// The identifiers the Items popup offers, in its order.
QStringList itemIdentifiers()
{
    return {FieldId::Name,       FieldId::PhoneticName, FieldId::Phone,    FieldId::Email,
            FieldId::Address,    FieldId::Zip,          FieldId::State,    FieldId::City,
            FieldId::Street,     FieldId::Country,      FieldId::Url,      FieldId::SocialNetwork,
            FieldId::InstantMessage, FieldId::Birthday, FieldId::Dates,    FieldId::Relationship,
            FieldId::Nickname,   FieldId::Suffix,       FieldId::Title,    FieldId::Company,
            FieldId::Department, FieldId::JobTitle,     FieldId::Note};
}

QToolButton *popupButton(QWidget *parent, const QString &text)
{
    auto *button = new QToolButton(parent);
    button->setText(text);
    button->setPopupMode(QToolButton::InstantPopup);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setMenu(new QMenu(button));
    return button;
}

// A menu's first entry naming what the popup is for, as a heading.
void addTitle(QMenu *menu, const QString &title)
{
    QAction *heading = menu->addAction(title);
    heading->setEnabled(false);
}

} // namespace

// ---- Menu bar ------------------------------------------------------------------------------------

void WindowController::buildMenuBar()
{
    DocumentController &documents = DocumentController::shared();
    ViewController *content = m_mainViewController;

    QMenu *file = menuBar()->addMenu(tr("&File"));
    file->addAction(tr("&New"), QKeySequence::New, [&documents] { documents.newDocument(); });
    file->addAction(tr("&Open…"), QKeySequence::Open, this, [this, &documents] { documents.openDocument(this); });
    file->addAction(tr("Open Address Book"), this, [this, &documents] { documents.openAddressBook(this); });
    m_recentMenu = file->addMenu(tr("Open &Recent"));
    connect(m_recentMenu, &QMenu::aboutToShow, this, &WindowController::rebuildRecentMenu);
    file->addSeparator();
    file->addAction(tr("&Close"), QKeySequence::Close, this, &QWidget::close);
    file->addAction(tr("&Save"), QKeySequence::Save, this, [this] {
        if (m_document)
            m_document->save();
    });
    file->addAction(tr("Save &As…"), QKeySequence::SaveAs, this, [this] {
        if (m_document)
            m_document->saveAs();
    });
    // Kept visible but unavailable: a document has no versions to browse or revert to.
    file->addAction(tr("Duplicate"))->setEnabled(false);
    file->addAction(tr("Revert to Saved"))->setEnabled(false);
    file->addSeparator();
    auto *printing = new PrintController(this, content->contactsViewController());
    file->addAction(tr("&Print…"), QKeySequence::Print, printing, &PrintController::print);
    file->addSeparator();
    file->addAction(tr("&Quit"), QKeySequence::Quit, qApp, [] {
        if (DocumentController::shared().closeAllDocuments())
            QApplication::quit();
    });

    QMenu *edit = menuBar()->addMenu(tr("&Edit"));
    m_undoAction = edit->addAction(tr("&Undo"), QKeySequence::Undo, content, &ViewController::undo);
    m_redoAction = edit->addAction(tr("&Redo"), QKeySequence::Redo, content, &ViewController::redo);
    edit->addSeparator();
    m_deleteContactsAction = edit->addAction(tr("Delete Contacts"), content, &ViewController::deleteContacts);
    m_deleteContactsAction->setShortcut(QKeySequence::Delete);
    m_deleteContactsAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    // A widget-scoped shortcut acts only from a widget the action is added to: the table.
    content->contactsViewController()->addAction(m_deleteContactsAction);
    edit->addAction(tr("Select &All"), QKeySequence::SelectAll, this,
                    [content] { content->contactsViewController()->tableView()->selectAll(); });
    buildTransferMenuItems(file, edit);
    FindMenu::addTo(edit, content->findController());
    edit->addSeparator();
    edit->addAction(tr("Preferences…"), QKeySequence::Preferences, this, [this] { PreferencesPanel::run(this); });

    QMenu *format = menuBar()->addMenu(tr("F&ormat"));
    QMenu *font = format->addMenu(tr("&Font"));
    font->addAction(tr("Show &Fonts…"), QKeySequence(Qt::CTRL | Qt::Key_T), content, &ViewController::changeFont);
    font->addAction(tr("Revert to Default Font"), content, &ViewController::revertToDefaultFont);
    m_phoneQRCommands = new PhoneQRCommands(content, this);
    format->addMenu(m_phoneQRCommands->normalizeMenu());

    QMenu *navigate = menuBar()->addMenu(tr("&Navigate"));
    m_selectViewTypeMenu = navigate->addMenu(tr("Select View Type"));
    m_selectLabelMenu = navigate->addMenu(tr("Select Label"));
    connect(m_selectLabelMenu, &QMenu::aboutToShow, this, [this] { rebuildLabelsMenu(m_selectLabelMenu); });

    QMenu *view = menuBar()->addMenu(tr("&View"));
    m_toggleGroupAction = view->addAction(tr("Hide Group"), this, &WindowController::toggleGroupView);
    m_toggleInfoAction = view->addAction(tr("Hide Contact Info"), this, &WindowController::toggleContactInfo);
    m_showCompanyAction = view->addAction(tr("Show Company in the Name Cell"), this, [this] {
        m_mainViewController->contactsViewController()->toggleShowCompany();
        validateMenus();
    });
    m_showCompanyAction->setCheckable(true);
    view->addSeparator();
    m_editLockAction = view->addAction(tr("Editable"), this, &WindowController::editButtonClicked);
    m_editLockAction->setCheckable(true);
    m_editLockAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));

    QMenu *window = menuBar()->addMenu(tr("&Window"));
    window->addAction(tr("Minimize"), QKeySequence(Qt::CTRL | Qt::Key_M), this, &QWidget::showMinimized);
    window->addAction(tr("Zoom"), this, [this] { isMaximized() ? showNormal() : showMaximized(); });

    QMenu *help = menuBar()->addMenu(tr("&Help"));
    if (AppDelegate *app = AppDelegate::instance())
        app->populateHelpMenu(help, this);
}

void WindowController::buildTransferMenuItems(QMenu *file, QMenu *edit)
{
    FileTransferController *transfer = m_fileTransferController;
    ContactsViewController *table = m_mainViewController->contactsViewController();
    // Before Quit: the file commands stay with the other file commands.
    QAction *quit = file->actions().constLast();
    QAction *separator = file->insertSeparator(quit);
    QMenu importExport;
    m_importFromVCardAction = importExport.addAction(tr("Import from vCard…"), transfer,
                                                     &FileTransferController::importFromVCard);
    m_importFromCSVAction
        = importExport.addAction(tr("Import from CSV…"), transfer, &FileTransferController::importFromCSV);
    m_exportToVCardAction
        = importExport.addAction(tr("Export to vCard…"), transfer, &FileTransferController::exportToVCard);
    m_exportToCSVAction
        = importExport.addAction(tr("Export to CSV…"), transfer, &FileTransferController::exportToCSV);
    for (QAction *action : importExport.actions()) {
        action->setParent(this);
        file->insertAction(separator, action);
    }

    QAction *selectAll = edit->actions().constLast();
    m_copyAction = new QAction(tr("&Copy"), this);
    m_copyAction->setShortcut(QKeySequence::Copy);
    connect(m_copyAction, &QAction::triggered, table, &ContactsViewController::copy);
    m_copyAsCSVAction = new QAction(tr("Copy as CSV"), this);
    connect(m_copyAsCSVAction, &QAction::triggered, table, &ContactsViewController::copyAsCSV);
    m_copyAsVCardAction = new QAction(tr("Copy as vCard"), this);
    connect(m_copyAsVCardAction, &QAction::triggered, table, &ContactsViewController::copyAsVCard);
    m_pasteAction = new QAction(tr("&Paste"), this);
    m_pasteAction->setShortcut(QKeySequence::Paste);
    connect(m_pasteAction, &QAction::triggered, table, &ContactsViewController::paste);
    edit->insertActions(selectAll, { m_copyAction, m_copyAsCSVAction, m_copyAsVCardAction, m_pasteAction });

    connect(file, &QMenu::aboutToShow, this, &WindowController::validateTransferMenus);
    connect(edit, &QMenu::aboutToShow, this, &WindowController::validateTransferMenus);
    // Shortcuts work only while their actions are enabled: follow the selection and the clipboard.
    connect(table, &ContactsViewController::rowSelectionDidChange, this,
            &WindowController::validateTransferMenus);
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
            &WindowController::validateTransferMenus);
}

void WindowController::validateTransferMenus()
{
    if (!m_copyAction)
        return;
    const FileTransferController *transfer = m_fileTransferController;
    const ContactsViewController *table = m_mainViewController->contactsViewController();
    m_importFromVCardAction->setEnabled(transfer->canImportFromVCard());
    m_importFromCSVAction->setEnabled(transfer->canImportFromCSV());
    m_exportToVCardAction->setEnabled(transfer->canExportToVCard());
    m_exportToCSVAction->setEnabled(transfer->canExportToCSV());
    const bool rows = table->canCopy();
    m_copyAction->setEnabled(rows);
    m_copyAsCSVAction->setEnabled(rows);
    m_copyAsVCardAction->setEnabled(rows);
    m_pasteAction->setEnabled(table->canPaste());
}

void WindowController::rebuildRecentMenu()
{
    m_recentMenu->clear();
    const QStringList recent = DocumentController::shared().recentDocuments();
    for (const QString &path : recent) {
        m_recentMenu->addAction(QFileInfo(path).fileName(), this, [this, path] {
            DocumentController::shared().openDocumentWithContentsOfFile(path, Encodings::Automatic, this);
        });
    }
    m_recentMenu->addSeparator();
    QAction *clear = m_recentMenu->addAction(tr("Clear Menu"), &DocumentController::shared(),
                                             &DocumentController::clearRecentDocuments);
    clear->setEnabled(!recent.isEmpty());
}

// ---- Toolbar -------------------------------------------------------------------------------------

void WindowController::buildToolBar()
{
    QToolBar *bar = addToolBar(tr("Toolbar"));
    bar->setObjectName(QStringLiteral("mainToolBar"));
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);

    initSplitButtons();
    bar->addWidget(m_groupsButton);
    bar->addWidget(m_infoButton);
    bar->addSeparator();

    m_viewTypePopup = popupButton(bar, tr("View Type"));
    m_itemsPopup = popupButton(bar, tr("Items"));
    m_labelsPopup = popupButton(bar, tr("Labels"));
    m_sortOptionsPopup = popupButton(bar, tr("Sort Options"));
    m_contactPopup = popupButton(bar, tr("Contact"));
    m_groupsPopup = popupButton(bar, tr("Group"));
    for (QToolButton *button :
         {m_viewTypePopup, m_itemsPopup, m_labelsPopup, m_sortOptionsPopup, m_contactPopup, m_groupsPopup})
        bar->addWidget(button);
    connect(m_labelsPopup->menu(), &QMenu::aboutToShow, this, [this] { rebuildLabelsMenu(m_labelsPopup->menu()); });
    // The shown columns change with the view type and the Items popup.
    connect(m_sortOptionsPopup->menu(), &QMenu::aboutToShow, this, &WindowController::initSortOptionsMenu);

    FindMenu::addToolBarButton(bar, m_mainViewController->findController());

    auto *spacer = new QWidget(bar);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    bar->addWidget(spacer);
    m_editButton = new QToolButton(bar);
    m_editButton->setObjectName(QStringLiteral("editButton"));
    m_editButton->setToolButtonStyle(Qt::ToolButtonTextOnly);
    connect(m_editButton, &QToolButton::clicked, this, &WindowController::editButtonClicked);
    bar->addWidget(m_editButton);

    if (Editions::current() == Edition::Brisklet) {
        m_viewTypePopup->setEnabled(false);
        m_itemsPopup->setEnabled(false);
    } else {
        initViewTypeMenu();
        initItemsMenu();
    }
    initSortOptionsMenu();
    initContactMenu();
    initGroupMenu();
}

void WindowController::initSplitButtons()
{
    m_groupsButton = new QToolButton(this);
    m_groupsButton->setText(tr("Groups"));
    m_groupsButton->setCheckable(true);
    m_groupsButton->setToolTip(tr("Show or hide the groups"));
    connect(m_groupsButton, &QToolButton::clicked, this, [this] {
        toggleGroupView();
    });
    m_infoButton = new QToolButton(this);
    m_infoButton->setText(tr("Info"));
    m_infoButton->setCheckable(true);
    m_infoButton->setChecked(false);
    m_infoButton->setToolTip(tr("Show or hide the contact info"));
    connect(m_infoButton, &QToolButton::clicked, this, [this] { toggleContactInfo(); });
}

void WindowController::initViewTypeMenu()
{
    for (QMenu *menu : {m_viewTypePopup->menu(), m_selectViewTypeMenu}) {
        menu->clear();
        if (menu == m_viewTypePopup->menu())
            addTitle(menu, tr("View Type"));
        auto *group = new QActionGroup(menu);
        for (const QString &viewType : ViewTypes::viewTypeOrder()) {
            QAction *action = menu->addAction(QCoreApplication::translate("ViewTypes", viewType.toUtf8().constData()));
            action->setCheckable(true);
            action->setData(viewType);
            group->addAction(action);
            connect(action, &QAction::triggered, this, [this, viewType] { viewTypePopupSelected(viewType); });
        }
    }
}

void WindowController::viewTypePopupSelected(const QString &viewType)
{
    m_mainViewController->setSelectedViewType(viewType);
    validateMenus();
}

void WindowController::initItemsMenu()
{
    QMenu *menu = m_itemsPopup->menu();
    menu->clear();
    addTitle(menu, tr("Items"));
    for (const QString &identifier : itemIdentifiers()) {
        QAction *action = menu->addAction(QVPerson::localizedIdentifierForKey(identifier));
        action->setCheckable(true);
        action->setData(identifier);
        connect(action, &QAction::triggered, this, [this, identifier] { itemsPopupSelected(identifier); });
    }
    const QVariantList customItems = m_mainViewController->customItems();
    if (!customItems.isEmpty())
        menu->addSeparator();
    for (const QVariant &item : customItems) {
        const QVariantMap definition = item.toMap();
        const QString name = definition.value(CustomKey::Name).toString();
        const QString type = definition.value(CustomKey::Type).toString();
        QAction *action = menu->addAction(name + QStringLiteral(" (%1)").arg(tr(type.toUtf8().constData())));
        action->setCheckable(true);
        action->setData(name);
        connect(action, &QAction::triggered, this, [this, name] { itemsPopupSelected(name); });
    }
    menu->addSeparator();
    menu->addAction(tr("Show Custom Items"), this, &WindowController::showCustomItems);
}

void WindowController::showCustomItems()
{
    if (!m_customItemPanel) {
        m_customItemPanel = new CustomItemPanel(this);
        connect(m_customItemPanel, &QDialog::finished, this, [this](int result) {
            if (result != QDialog::Accepted)
                return;
            bool edited = false;
            const QVariantList items = CustomItemPanel::applyCustomItems(
                m_mainViewController->customItems(), m_customItemPanel->customItems(), &edited);
            m_mainViewController->setCustomItems(items);
            if (edited)
                m_mainViewController->editor()->setDocumentEdited(true);
        });
    }
    m_customItemPanel->setCustomItems(m_mainViewController->customItems());
    m_customItemPanel->setIsVCard(m_document != nullptr);
    m_customItemPanel->open();
}

void WindowController::itemsPopupSelected(const QString &identifier)
{
    UserDefaults &defaults = UserDefaults::standard();
    m_viewTypeDict = defaults.dictionaryValue(DefaultsKey::ViewTypeDict);
    const QString viewType = m_mainViewController->selectedViewType();
    QStringList identifiers = m_viewTypeDict.value(viewType).toStringList();
    if (!identifiers.contains(identifier))
        identifiers.insert(std::min<qsizetype>(1, identifiers.size()), identifier); // right after "Name"
    else if (identifiers.size() >= 2)
        identifiers.removeAll(identifier);
    m_viewTypeDict.insert(viewType, identifiers);
    defaults.setValue(DefaultsKey::ViewTypeDict, m_viewTypeDict);
    m_mainViewController->setSelectedViewType(viewType);
    validateMenus();
}

void WindowController::rebuildLabelsMenu(QMenu *menu)
{
    menu->clear();
    if (menu == m_labelsPopup->menu())
        addTitle(menu, tr("Labels"));
    const QStringList selected = m_mainViewController->selectedLabels();
    auto addLabel = [this, menu, &selected](const QString &label, const QString &title) {
        QAction *action = menu->addAction(title);
        action->setCheckable(true);
        action->setChecked(selected.contains(label));
        connect(action, &QAction::triggered, this, [this, label] { labelsPopupSelected(label); });
    };
    addLabel(LabelWord::All, tr("All"));
    QStringList seen;
    const QStringList shown = m_mainViewController->contactsViewController()->tableIdentfiers();
    for (const QString &identifier : shown) {
        const QString field = QVPerson::isAddressIdentifier(identifier) ? FieldId::Address : identifier;
        const QStringList labels = QVPerson::labelsForIdentifier(field);
        if (labels.isEmpty() || identifier == FieldId::Name)
            continue;
        menu->addSeparator();
        const QStringList localized = QVPerson::localizedLabelsForIdentifier(field);
        for (qsizetype i = 0; i < labels.size(); ++i) {
            if (seen.contains(labels.at(i)))
                continue;
            seen.append(labels.at(i));
            addLabel(labels.at(i), i < localized.size() ? localized.at(i) : labels.at(i));
        }
    }
    menu->addSeparator();
    menu->addAction(tr("Custom Labels…"), this, &WindowController::showCustomLabelPanel);
}

void WindowController::showCustomLabelPanel()
{
    if (!m_customLabelPanel) {
        m_customLabelPanel = new CustomLabelPanelController(this);
        connect(m_customLabelPanel, &QDialog::finished, this, [this] {
            m_mainViewController->contactsViewController()->updateTable();
            m_mainViewController->contactInfoController()->updateTable();
        });
    }
    if (m_customLabelPanel->isVisible()) {
        m_customLabelPanel->reject();
        return;
    }
    m_customLabelPanel->setCustomItems(m_mainViewController->customItems());
    m_customLabelPanel->setSelectedFont(m_mainViewController->selectedFont());
    m_customLabelPanel->setEditor(m_mainViewController->editor());
    m_customLabelPanel->setContextInfo({});
    m_customLabelPanel->open();
}

void WindowController::labelsPopupSelected(const QString &label)
{
    QStringList selected = m_mainViewController->selectedLabels();
    if (label == LabelWord::All || selected.contains(LabelWord::All)) {
        selected = {label};
    } else if (selected.contains(label)) {
        selected.removeAll(label);
        if (selected.isEmpty())
            selected = {LabelWord::All};
    } else {
        selected.append(label);
    }
    m_mainViewController->setSelectedLabels(selected);
}

void WindowController::initSortOptionsMenu()
{
    QMenu *menu = m_sortOptionsPopup->menu();
    menu->clear();
    addTitle(menu, tr("Sort Options"));
    m_sortOptionsDict = UserDefaults::standard().dictionaryValue(DefaultsKey::SortOptionsDict);
    const QStringList fields = {FieldId::Name,    FieldId::PhoneticName,   FieldId::Address,
                                FieldId::Email,   FieldId::Phone,          FieldId::Url,
                                FieldId::InstantMessage, FieldId::SocialNetwork, FieldId::Relationship,
                                FieldId::Dates};
    QStringList all = fields;
    for (const QVariant &item : m_mainViewController->customItems()) {
        const QVariantMap definition = item.toMap();
        if (definition.value(CustomKey::Type).toString() == ValueType::Labeled)
            all.append(definition.value(CustomKey::Name).toString());
    }
    // Only the fields on show: sorting by a hidden column would do nothing visible.
    const QStringList shown = m_mainViewController->contactsViewController()->tableIdentfiers();
    for (const QString &field : std::as_const(all)) {
        if (!shown.contains(field))
            continue;
        const QList<SortMenuItem> items = SortMenu::sortOptionsMenu(field, m_sortOptionsDict);
        if (items.isEmpty())
            continue;
        QMenu *submenu = menu->addMenu(QVPerson::localizedIdentifierForKey(field));
        auto *group = new QActionGroup(submenu);
        for (const SortMenuItem &item : items) {
            if (item.option.isEmpty())
                continue;
            QAction *action = submenu->addAction(item.title);
            action->setCheckable(true);
            action->setChecked(item.checked);
            group->addAction(action);
            const QString option = item.option;
            connect(action, &QAction::triggered, this, [this, field, option] { sortOptionsSelected(field, option); });
        }
    }
}

void WindowController::sortOptionsSelected(const QString &field, const QString &option)
{
    UserDefaults &defaults = UserDefaults::standard();
    m_sortOptionsDict = defaults.dictionaryValue(DefaultsKey::SortOptionsDict);
    if (!SortKeys::selectSortOption(m_sortOptionsDict, field, option))
        return;
    defaults.setValue(DefaultsKey::SortOptionsDict, m_sortOptionsDict);
    defaults.setValue(DefaultsKey::SortOptionsDefault, ViewTypes::sortOptionsDefaultFromDict(m_sortOptionsDict));
    m_mainViewController->contactsViewController()->sortOptionsChanged(option, field);
    initSortOptionsMenu();
}

void WindowController::initContactMenu()
{
    QMenu *menu = m_contactPopup->menu();
    menu->clear();
    addTitle(menu, tr("Contact"));
    ViewController *content = m_mainViewController;
    if (Editions::current() != Edition::Brisklet) {
        QAction *info = menu->addAction(tr("Hide Contact Info"), this, &WindowController::toggleContactInfo);
        info->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
        addAction(info);
    }
    menu->addAction(m_phoneQRCommands->showQRCodeAction());
    menu->addAction(tr("Add New Contact"), content, &ViewController::addContact)
        ->setEnabled(!m_document || !m_document->isReadOnly());
    m_duplicateContactsAction = menu->addAction(tr("Duplicate Contacts"), content, &ViewController::duplicateContacts);
    m_mergeContactsAction = menu->addAction(tr("Merge Contacts"), content, &ViewController::mergeContacts);
    menu->addAction(m_deleteContactsAction);
    menu->addAction(tr("Export Contacts as vCard"), m_fileTransferController,
                    &FileTransferController::exportToVCard);
    menu->addSeparator();
    menu->addAction(m_showCompanyAction);
}

void WindowController::initGroupMenu()
{
    QMenu *menu = m_groupsPopup->menu();
    menu->clear();
    addTitle(menu, tr("Group"));
    m_groupTitleAction = menu->addAction(tr("Group not selected"));
    m_groupTitleAction->setEnabled(false);
    menu->addSeparator();
    m_addGroupAction = menu->addAction(tr("Add Group"), m_mainViewController, &ViewController::addGroup);
    m_deleteGroupAction = menu->addAction(tr("Delete Group"), m_mainViewController, &ViewController::deleteGroup);
    menu->addSeparator();
    if (!m_addToGroupMenu) {
        m_addToGroupMenu = new QMenu(tr("Add to Group"), this);
        connect(m_addToGroupMenu, &QMenu::aboutToShow, this, &WindowController::rebuildAddToGroupMenu);
        m_removeFromGroupAction = new QAction(tr("Remove from Group"), this);
        connect(m_removeFromGroupAction, &QAction::triggered, m_mainViewController,
                &ViewController::removeFromGroup);
        ContactsViewController::ContactMenuActions actions;
        actions.addContact = new QAction(this);
        connect(actions.addContact, &QAction::triggered, m_mainViewController, &ViewController::addContact);
        actions.exportContacts = new QAction(this);
        connect(actions.exportContacts, &QAction::triggered, m_fileTransferController,
                &FileTransferController::exportToVCard);
        actions.deleteContacts = m_deleteContactsAction;
        actions.duplicateContacts = m_duplicateContactsAction;
        actions.showQRCode = m_phoneQRCommands->showQRCodeAction();
        actions.showCompany = m_showCompanyAction;
        actions.more = { m_addToGroupMenu->menuAction(), m_removeFromGroupAction, m_mergeContactsAction, nullptr,
                         m_phoneQRCommands->normalizeMenu()->menuAction() };
        actions.normalizePhones = m_phoneQRCommands->normalizeMenu()->menuAction();
        m_mainViewController->contactsViewController()->setContextMenuActions(actions);
    }
    menu->addMenu(m_addToGroupMenu);
    menu->addAction(m_removeFromGroupAction);
    menu->addSeparator();
    menu->addAction(m_toggleGroupAction);
}

void WindowController::rebuildAddToGroupMenu()
{
    m_addToGroupMenu->clear();
    const QList<GroupEntry> groups = m_mainViewController->editor()->groupsToAddContactsTo();
    for (const GroupEntry &group : groups) {
        m_addToGroupMenu->addAction(group->name, this, [this, group] {
            m_mainViewController->addToGroup(group);
            validateMenus();
        });
    }
    if (groups.isEmpty())
        m_addToGroupMenu->addAction(tr("No other groups"))->setEnabled(false);
}

void WindowController::updateCustomItems()
{
    if (Editions::current() != Edition::Brisklet)
        initItemsMenu();
    updateViewTypeDict();
    initSortOptionsMenu();
}

void WindowController::updateViewTypeDict()
{
    QStringList known = QVPerson::allIdentifiers();
    known += QVPerson::addressIdentifiers();
    for (const QVariant &item : m_mainViewController->customItems())
        known.append(item.toMap().value(CustomKey::Name).toString());
    UserDefaults &defaults = UserDefaults::standard();
    QVariantMap dict = defaults.dictionaryValue(DefaultsKey::ViewTypeDict);
    for (auto it = dict.begin(); it != dict.end(); ++it) {
        QStringList identifiers = it.value().toStringList();
        identifiers.removeIf([&known](const QString &id) { return !known.contains(id); });
        it.value() = identifiers;
    }
    if (!dict.contains(FieldId::Name))
        dict.insert(FieldId::Name, QStringList{FieldId::Name});
    defaults.setValue(DefaultsKey::ViewTypeDict, dict);
    m_viewTypeDict = dict;
}

// ---- Validation ----------------------------------------------------------------------------------

void WindowController::validateMenus()
{
    ViewController *content = m_mainViewController;
    if (!m_undoAction)
        return;
    m_undoAction->setEnabled(content->validateMenuItem(ContactEditor::MenuAction::Undo));
    m_redoAction->setEnabled(content->validateMenuItem(ContactEditor::MenuAction::Redo));
    m_deleteContactsAction->setEnabled(content->validateMenuItem(ContactEditor::MenuAction::DeleteContacts));
    if (m_duplicateContactsAction)
        m_duplicateContactsAction->setEnabled(content->validateMenuItem(ContactEditor::MenuAction::DuplicateContacts));
    if (m_mergeContactsAction)
        m_mergeContactsAction->setEnabled(content->canMergeContacts());
    if (m_addGroupAction)
        m_addGroupAction->setEnabled(content->validateMenuItem(ContactEditor::MenuAction::AddGroup));
    if (m_deleteGroupAction)
        m_deleteGroupAction->setEnabled(content->validateMenuItem(ContactEditor::MenuAction::DeleteGroup));
    if (m_addToGroupMenu) {
        m_addToGroupMenu->menuAction()->setEnabled(
            content->validateMenuItem(ContactEditor::MenuAction::AddToGroup));
        m_removeFromGroupAction->setEnabled(
            content->validateMenuItem(ContactEditor::MenuAction::RemoveFromGroup));
    }

    const bool groupsShown = content->isGroupViewShown();
    m_toggleGroupAction->setText(groupsShown ? tr("Hide Group") : tr("Show Group"));
    m_groupsButton->setChecked(groupsShown);
    const bool infoShown = content->isContactInfoShown();
    m_toggleInfoAction->setText(infoShown ? tr("Hide Contact Info") : tr("Show Contact Info"));
    m_infoButton->setChecked(infoShown);
    for (QAction *action : m_contactPopup->menu()->actions()) {
        if (action->shortcut() == QKeySequence(Qt::CTRL | Qt::Key_I))
            action->setText(m_toggleInfoAction->text());
    }
    m_showCompanyAction->setChecked(content->contactsViewController()->showCompanyInNameCell());
    m_editLockAction->setChecked(content->editState());
    validateTransferMenus();
    m_phoneQRCommands->validate();

    if (const GroupEntry group = content->selectedGroupDict(); group && m_groupTitleAction)
        m_groupTitleAction->setText(
            QStringLiteral("%1:%2").arg(containerTitle(group->containerName), group->name));

    const QString viewType = content->selectedViewType();
    for (QMenu *menu : {m_viewTypePopup->menu(), m_selectViewTypeMenu}) {
        for (QAction *action : menu->actions())
            action->setChecked(action->data().toString() == viewType);
    }
    if (!viewType.isEmpty())
        m_viewTypePopup->setText(QCoreApplication::translate("ViewTypes", viewType.toUtf8().constData()));
    const QStringList shown = content->contactsViewController()->tableIdentfiers();
    for (QAction *action : m_itemsPopup->menu()->actions()) {
        if (action->isCheckable())
            action->setChecked(shown.contains(action->data().toString()));
    }
}
