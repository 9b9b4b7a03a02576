// WindowController: a document's window — toolbar popups (view type, items, labels, sort options,
// contact, group), the edit lock, the split buttons, the menu bar — and what happens when it opens
// and closes.
//
// Body by topic: windowcontroller.cpp (window, edit lock, closing), windowcontroller_menus.cpp (menu
// bar and toolbar popups).
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QVariantMap>

class CustomItemPanel;
class CustomLabelPanelController;
class Document;
class FileTransferController;
class PhoneQRCommands;
class QAction;
class QMenu;
class QToolButton;
class ViewController;

class WindowController : public QMainWindow
{
    Q_OBJECT

public:
    explicit WindowController(Document *document);
    ~WindowController() override;

    Document *document() const { return m_document; }
    ViewController *mainViewController() const { return m_mainViewController; }
    // Import and export (File menu).
    FileTransferController *fileTransferController() const { return m_fileTransferController; }
    // Show QRCode and the normalise menu.
    PhoneQRCommands *phoneQRCommands() const { return m_phoneQRCommands; }

    // Places the window (remembered frame, or the default place for a new one) and shows it.
    void showWindow();
    // Closes after the document has already agreed (quitting).
    void closeWithoutAsking();

    // ---- Toolbar actions ---------------------------------------------------------------------
    void editButtonClicked();
    void viewTypePopupSelected(const QString &viewType);
    void itemsPopupSelected(const QString &identifier);
    void labelsPopupSelected(const QString &label);
    void sortOptionsSelected(const QString &field, const QString &option);
    void showGroupView(bool show);
    void toggleGroupView();
    void showContactInfo(bool show);
    void toggleContactInfo();

    // ---- Menu builders -----------------------------------------------------------------------
    void initViewTypeMenu();
    void initItemsMenu();
    void initSortOptionsMenu();
    void initContactMenu();
    void initGroupMenu();
    void initSplitButtons();
    // Custom items changed: the items and sort menus are rebuilt, the view types pruned.
    void updateCustomItems();
    // Opens the custom labels panel on the window, or closes it when it is open.
    void showCustomLabelPanel();
    CustomLabelPanelController *customLabelPanel() const { return m_customLabelPanel; }
    // Opens the custom items panel on a copy of the window's definitions; Done applies it.
    void showCustomItems();
    CustomItemPanel *customItemPanel() const { return m_customItemPanel; }
    // Keeps only known identifiers in every view type and makes sure "Name" exists.
    void updateViewTypeDict();

    // Menu states follow the window (check marks, titles, enabled items).
    void validateMenus();

    QToolButton *editButton() const { return m_editButton; }
    QToolButton *viewTypePopup() const { return m_viewTypePopup; }
    QToolButton *itemsPopup() const { return m_itemsPopup; }
    QToolButton *labelsPopup() const { return m_labelsPopup; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenuBar();
    void buildToolBar();
    void rebuildLabelsMenu(QMenu *menu);
    void rebuildRecentMenu();
    void rebuildAddToGroupMenu();
    // The container as the window names it: a CSV document's reads CSV, not the reader's "vCard".
    QString containerTitle(const QString &containerName) const;
    void updateContainerTitle();
    void buildTransferMenuItems(QMenu *file, QMenu *edit);
    void validateTransferMenus();
    void windowWillClose();
    void updateTitle();
    void setEditButtonTitle(bool editable);

    QPointer<Document> m_document;
    ViewController *m_mainViewController;
    FileTransferController *m_fileTransferController;
    PhoneQRCommands *m_phoneQRCommands = nullptr;
    CustomLabelPanelController *m_customLabelPanel = nullptr;
    CustomItemPanel *m_customItemPanel = nullptr;
    QVariantMap m_viewTypeDict;
    QVariantMap m_sortOptionsDict;

    QToolButton *m_groupsButton = nullptr;
    QToolButton *m_infoButton = nullptr;
    QToolButton *m_viewTypePopup = nullptr;
    QToolButton *m_itemsPopup = nullptr;
    QToolButton *m_labelsPopup = nullptr;
    QToolButton *m_sortOptionsPopup = nullptr;
    QToolButton *m_contactPopup = nullptr;
    QToolButton *m_groupsPopup = nullptr;
    QToolButton *m_editButton = nullptr;

    QMenu *m_recentMenu = nullptr;
    QMenu *m_selectViewTypeMenu = nullptr;
    QMenu *m_selectLabelMenu = nullptr;
    QAction *m_undoAction = nullptr;
    QAction *m_redoAction = nullptr;
    QAction *m_toggleGroupAction = nullptr;
    QAction *m_toggleInfoAction = nullptr;
    QAction *m_showCompanyAction = nullptr;
    QAction *m_editLockAction = nullptr;
    QAction *m_addGroupAction = nullptr;
    QAction *m_deleteGroupAction = nullptr;
    QAction *m_deleteContactsAction = nullptr;
    QAction *m_duplicateContactsAction = nullptr;
    QAction *m_mergeContactsAction = nullptr;
    QAction *m_groupTitleAction = nullptr;
    QMenu *m_addToGroupMenu = nullptr;
    QAction *m_removeFromGroupAction = nullptr;
    QAction *m_importFromVCardAction = nullptr;
    QAction *m_importFromCSVAction = nullptr;
    QAction *m_exportToVCardAction = nullptr;
    QAction *m_exportToCSVAction = nullptr;
    QAction *m_copyAction = nullptr;
    QAction *m_copyAsCSVAction = nullptr;
    QAction *m_copyAsVCardAction = nullptr;
    QAction *m_pasteAction = nullptr;
    bool m_closing = false;
};
