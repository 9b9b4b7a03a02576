#include "window/windowcontroller.h"

#include "document/document.h"
#include "document/documentkeys.h"
#include "document/filetransfercontroller.h"
#include "platform/undomanager.h"
#include "platform/userdefaults.h"
#include "table/contactsviewcontroller.h"
#include "table/keys.h"
#include "window/edition.h"
#include "window/groupviewcontroller.h"
#include "window/viewcontroller.h"
#include "window/windowkeys.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMessageBox>
#include <QScreen>
#include <QToolButton>

namespace {
// A window without a stored frame takes this share of the screen, centred.
constexpr int kNewWindowShareNumerator = 2;
constexpr int kNewWindowShareDenominator = 3;
} // namespace

WindowController::WindowController(Document *document)
    : QMainWindow(nullptr)
    , m_document(document)
    , m_mainViewController(new ViewController(document, this))
    , m_fileTransferController(new FileTransferController(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setCentralWidget(m_mainViewController);
    UserDefaults &defaults = UserDefaults::standard();
    m_viewTypeDict = defaults.dictionaryValue(DefaultsKey::ViewTypeDict);
    if (m_viewTypeDict.isEmpty())
        qWarning("%s: Error viewTypeDict is nil", Q_FUNC_INFO);
    m_sortOptionsDict = defaults.dictionaryValue(DefaultsKey::SortOptionsDict);
    if (m_sortOptionsDict.isEmpty())
        qWarning("%s: Error sortOptionsDict is nil", Q_FUNC_INFO);

    buildMenuBar();
    buildToolBar();
    updateTitle();
    updateContainerTitle();

    connect(m_mainViewController, &ViewController::editStateChanged, this, &WindowController::setEditButtonTitle);
    connect(m_mainViewController, &ViewController::customItemsChanged, this, &WindowController::updateCustomItems);
    connect(m_mainViewController, &ViewController::selectedGroupChanged, this, &WindowController::validateMenus);
    // Delete, Duplicate and the group commands follow the rows selected.
    connect(m_mainViewController->contactsViewController(), &ContactsViewController::rowSelectionDidChange,
            this, &WindowController::validateMenus);
    connect(document, &Document::documentEditedChanged, this, &WindowController::updateTitle);
    connect(document, &Document::displayNameChanged, this, &WindowController::updateTitle);
    connect(document->undoManager(), &UndoManager::stackChanged, this, &WindowController::validateMenus);
}

WindowController::~WindowController() = default;

void WindowController::updateTitle()
{
    if (!m_document)
        return;
    setWindowTitle(m_document->displayName() + QStringLiteral("[*]"));
    setWindowModified(m_document->isDocumentEdited());
    setWindowFilePath(m_document->filePath());
}

void WindowController::showWindow()
{
    UserDefaults &defaults = UserDefaults::standard();
    const QString frameKey = DocumentKey::WindowFrameFormat.arg(m_document->lastComponentOfFileName());
    const QByteArray frame = defaults.dataValue(frameKey);
    if (m_mainViewController->newWindow() || frame.isEmpty() || !restoreGeometry(frame)) {
        const QRect available = screen() ? screen()->availableGeometry() : QRect(0, 0, 1280, 800);
        QRect frame(QPoint(), available.size() * kNewWindowShareNumerator / kNewWindowShareDenominator);
        frame.moveCenter(available.center());
        setGeometry(frame);
    }
    updateCustomItems();
    m_mainViewController->viewWillAppear();
    setEditButtonTitle(m_mainViewController->editState());
    validateMenus();
    show();
    raise();
    activateWindow();
}

QString WindowController::containerTitle(const QString &containerName) const
{
    return m_document && m_document->isCsv() ? tr("CSV") : containerName;
}

void WindowController::updateContainerTitle()
{
    GroupViewController *groups = m_mainViewController->groupViewController();
    groups->setContainerTitle(m_document && m_document->isCsv() ? tr("CSV") : QString());
    validateMenus();
}

// ---- Edit lock ---------------------------------------------------------------------------------

void WindowController::setEditButtonTitle(bool editable)
{
    if (m_editButton)
        m_editButton->setText(editable ? tr("Lock") : tr("Edit"));
    if (m_editLockAction)
        m_editLockAction->setChecked(editable);
    validateMenus();
}

void WindowController::editButtonClicked()
{
    const bool editable = m_mainViewController->editState();
    if (m_mainViewController->refuseEditing()) {
        setEditButtonTitle(editable);
        return;
    }
    // Unlocking a CSV file turns it into a vCard document (not in the edition that edits CSV as is).
    if (!editable && m_document && m_document->isCsv() && Editions::current() != Edition::Strandel2) {
        QMessageBox box(QMessageBox::Warning, QApplication::applicationDisplayName(),
                        tr("If you edit the CSV file, the format will change to vCard and the name will reset."),
                        QMessageBox::Ok | QMessageBox::Cancel, this);
        box.setInformativeText(tr("The name can be set, when you select the 'Save' in the file menu."));
        box.setWindowModality(Qt::WindowModal);
        if (box.exec() != QMessageBox::Ok) {
            setEditButtonTitle(editable);
            return;
        }
        m_document->convertCsvToVCard();
        updateContainerTitle();
    }
    m_mainViewController->setEditState(!editable);
    UserDefaults::standard().setValue(WindowKey::LastEditState, !editable);
}

// ---- Panes ---------------------------------------------------------------------------------------

void WindowController::showGroupView(bool show)
{
    m_mainViewController->showGroupView(show);
    validateMenus();
}

void WindowController::toggleGroupView()
{
    m_mainViewController->toggleGroupView();
    validateMenus();
}

void WindowController::showContactInfo(bool show)
{
    m_mainViewController->showContactInfo(show);
    validateMenus();
}

void WindowController::toggleContactInfo()
{
    m_mainViewController->toggleContactInfo();
    validateMenus();
}

// ---- Closing -------------------------------------------------------------------------------------

void WindowController::closeWithoutAsking()
{
    m_closing = true;
    close();
}

void WindowController::closeEvent(QCloseEvent *event)
{
    if (!m_closing && m_document && !m_document->canClose()) {
        event->ignore();
        return;
    }
    windowWillClose();
    event->accept();
    if (m_document)
        m_document->deleteLater();
}

void WindowController::windowWillClose()
{
    UserDefaults &defaults = UserDefaults::standard();
    m_mainViewController->contactsViewController()->saveColumnWithDictionary();
    defaults.setValue(WindowKey::LastEditState, m_mainViewController->editState());
    defaults.setValue(WindowKey::LastSidebar, m_mainViewController->isContactInfoShown());
    if (m_mainViewController->isContactInfoShown())
        defaults.setValue(WindowKey::LastDetailWidth, double(m_mainViewController->detailPaneWidth()));
    defaults.setValue(WindowKey::LastSidebarPos, double(m_mainViewController->contactsPaneWidth()));
    m_mainViewController->viewWillDisappear();
    if (m_document) {
        defaults.setValue(DocumentKey::WindowFrameFormat.arg(m_document->lastComponentOfFileName()), saveGeometry());
    }
    defaults.sync();
}
