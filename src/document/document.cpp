#include "document/document.h"

#include "document/addressbook.h"

#include "document/documentcontroller.h"
#include "document/filechangemonitor.h"
#include "document/progressalert.h"
#include "formats/qvvcard.h"
#include "platform/atomicfilewriter.h"
#include "platform/encodings.h"
#include "platform/textfilereader.h"
#include "platform/undomanager.h"
#include "platform/userdefaults.h"
#include "record/keys.h"
#include "table/contactsviewcontroller.h"
#include "table/keys.h"
#include "window/viewcontroller.h"
#include "window/windowcontroller.h"
#include "window/windowkeys.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>
#include <QtConcurrent/QtConcurrentRun>
#include <atomic>

namespace {

// The progress alert stays up at least this long, so that it does not flash.
constexpr int kMinimumAlertMilliseconds = 1000;

ContainerTable csvContainerTable(const QString &text)
{
    return QVvCard::containersFromCSV(text).value_or(ContainerTable{QVvCard::fileContainer()});
}

DocumentError csvError()
{
    DocumentError error;
    error.recoverySuggestion =
        Document::tr("Please make sure the file is a valid CSV file, or text encoding.");
    return error;
}

DocumentError vCardError()
{
    DocumentError error;
    error.recoverySuggestion =
        Document::tr("Please make sure the file is vCard 2.1/3.0 file, or text encoding.");
    return error;
}

// Reads and parses a vCard file; progress, if any, is told the percentage done and may stop it.
VCardTables readVCardTables(const QString &path, int encoding,
                            const std::function<void(bool *stop, double percent)> &progress)
{
    VCardTables result;
    // Files are read as bytes where their encoding allows, without a UTF-16 copy of a possibly
    // huge text; each value is then decoded once.
    const DecodedText decoded = TextFileReader::read(path, encoding, TextFileReader::Utf8Text::Skip,
                                                     TextFileReader::Lines::Folded);
    if (!decoded.ok()) {
        result.readError = decoded.errorString;
        return result;
    }
    const double length = double(std::max<qsizetype>(1, decoded.length()));
    QVvCard::ProgressHandler handler;
    if (progress)
        handler = [&](bool *stop, qsizetype position) { progress(stop, double(position) / length * 100.0); };
    result.containers = QVvCard::containersFromVCardFile(decoded, handler, &result.statistics);
    return result;
}

} // namespace

Document::Document(QObject *parent)
    : QObject(parent)
    , m_undoManager(new UndoManager(this))
    , m_fileMonitor(new FileChangeMonitor(this))
{
    connect(m_undoManager, &UndoManager::stackChanged, this, &Document::updateEdited);
    connect(m_fileMonitor, &FileChangeMonitor::changedOnDisk, this, &Document::fileChangedOnDisk);
}

Document::~Document()
{
    delete m_progressAlert;
}

ViewController *Document::mainViewController() const
{
    return m_mainWindowController ? m_mainWindowController->mainViewController() : nullptr;
}

QString Document::lastComponentOfFileName() const
{
    if (isReadOnly())
        return WindowKey::AddressBookName;
    return m_filePath.isEmpty() ? displayName() : QFileInfo(m_filePath).fileName();
}

QString Document::displayName() const
{
    if (!m_displayName.isEmpty())
        return m_displayName;
    if (isReadOnly())
        return tr("Address Book");
    if (!m_filePath.isEmpty())
        return QFileInfo(m_filePath).fileName();
    return tr("Untitled");
}

void Document::setDisplayName(const QString &name)
{
    m_displayName = name;
    Q_EMIT displayNameChanged(displayName());
}

void Document::noteEditorEdited(bool edited)
{
    // A change that left the undo stack where it was still differs from the file.
    if (edited && m_undoManager->isClean())
        m_unrecordedChanges = true;
    updateEdited();
}

void Document::updateEdited()
{
    setDocumentEdited(m_unrecordedChanges || !m_undoManager->isClean());
}

void Document::setDocumentEdited(bool edited)
{
    if (m_edited == edited)
        return;
    m_edited = edited;
    Q_EMIT documentEditedChanged(edited);
}

// ---- Reading ---------------------------------------------------------------------------------

bool Document::readFromText(const QString &text, const QString &fileType, DocumentError *error)
{
    m_fileType = fileType;
    // No text at all is how a new, untitled document gets its (empty) table.
    const bool requireContacts = !text.isEmpty();
    if (fileType == DocumentType::Csv) {
        return finishRead(csvContainerTable(text), fileType, requireContacts, error);
    }
    VCardReadStatistics statistics;
    std::optional<ContainerTable> containers = QVvCard::containersFromVCards(text, {}, &statistics);
    m_unreadCards = statistics.skippedCards;
    return finishRead(std::move(containers), fileType, requireContacts, error);
}

bool Document::readFromFile(const QString &path, const QString &fileType, int encoding, DocumentError *error)
{
    m_fileType = fileType;
    m_encoding = encoding;
    // Taken before reading: a change made while the file is read is a change.
    m_fileMonitor->setFile(path);
    if (!(isCsv() ? readCsv(path, error) : readVCard(path, error)))
        return false;
    m_filePath = path;
    return true;
}

bool Document::readCsv(const QString &path, DocumentError *error)
{
    const DecodedText decoded = TextFileReader::read(path, m_encoding);
    if (!decoded.ok()) {
        if (error)
            error->description = decoded.errorString;
        return false;
    }
    return finishRead(csvContainerTable(decoded.text), DocumentType::Csv, true, error);
}

bool Document::readVCard(const QString &path, DocumentError *error)
{
    if (!m_progressAlert)
        m_progressAlert = new ProgressAlert;
    m_progressAlert->setMessage(tr("Reading the file: %1").arg(QFileInfo(path).fileName()));
    m_progressAlert->setProgress(0);

    std::atomic<bool> cancelled{false};
    ProgressAlert *alert = m_progressAlert;
    const int encoding = m_encoding;
    QFuture<VCardTables> future = QtConcurrent::run([path, encoding, &cancelled, alert] {
        QElapsedTimer started;
        started.start();
        VCardTables result = readVCardTables(path, encoding, [&](bool *stop, double percent) {
            *stop = cancelled.load(std::memory_order_relaxed);
            alert->setProgress(percent);
        });
        while (started.elapsed() < kMinimumAlertMilliseconds && !cancelled.load())
            QThread::msleep(5);
        alert->setProgress(100);
        alert->requestClose();
        return result;
    });
    const ProgressAlert::Response response = m_progressAlert->runModal();
    if (response == ProgressAlert::Response::Abort)
        cancelled = true;
    // The worker stops at its next progress report; wait for it so nothing outlives this frame.
    future.waitForFinished();
    if (cancelled)
        return false; // cancelled: no error of its own
    return finishVCardRead(future.result(), error);
}

bool Document::finishVCardRead(VCardTables tables, DocumentError *error)
{
    if (!tables.readError.isEmpty()) {
        if (error)
            error->description = tables.readError;
        return false;
    }
    m_unreadCards = tables.statistics.skippedCards;
    return finishRead(std::move(tables.containers), DocumentType::VCard, true, error);
}

QString Document::unreadCardsMessage() const
{
    if (m_unreadCards <= 0)
        return {};
    const QString name = lastComponentOfFileName();
    return m_unreadCards == 1
        ? tr("1 card of \u201c%1\u201d could not be read: it is cut off or damaged, or nested in another "
             "card. Saving the document does not write it back.")
              .arg(name)
        : tr("%1 cards of \u201c%2\u201d could not be read: they are cut off or damaged, or nested in "
             "another card. Saving the document does not write them back.")
              .arg(QString::number(m_unreadCards), name);
}

bool Document::finishRead(std::optional<ContainerTable> containers, const QString &fileType, bool requireContacts,
                          DocumentError *error)
{
    m_containerTable = containers.value_or(ContainerTable());
    m_contactTable.reset();
    if (!m_containerTable.isEmpty())
        m_contactTable = QVvCard::contactsInContainer(m_containerTable.first());
    const bool empty = !m_contactTable || m_contactTable->isEmpty();
    if (empty && requireContacts) {
        if (error)
            *error = fileType == DocumentType::Csv ? csvError() : vCardError();
        return false;
    }
    return true;
}

bool Document::readFromStore(const QString &rootPath, DocumentError *error)
{
    m_addressBook = std::make_shared<AddressBook>(rootPath);
    m_containerTable = m_addressBook->containerTable();
    m_contactTable.reset();
    if (m_containerTable.isEmpty()) {
        if (error) {
            error->description = tr("No address books were found in “%1”.").arg(rootPath);
            error->recoverySuggestion = tr("Choose the folder of your address books in the preferences.");
        }
        return false;
    }
    return true;
}

// ---- Window ----------------------------------------------------------------------------------

void Document::makeWindowControllers()
{
    UserDefaults &defaults = UserDefaults::standard();
    const QString frameKey = DocumentKey::WindowFrameFormat.arg(lastComponentOfFileName());
    const bool rememberedFrame = defaults.contains(frameKey);

    // Every document window opens on the Name view type.
    defaults.setValue(DefaultsKey::SelectedViewType, FieldId::Name);

    auto *window = new WindowController(this);
    m_mainWindowController = window;
    ViewController *content = window->mainViewController();
    // Setting the window up asks the table for several reloads; one at the end is enough.
    ContactsViewController *table = content->contactsViewController();
    table->beginUpdates();

    handTablesToWindow();
    content->setNewWindow(!rememberedFrame);
    defaults.setValue(WindowKey::LastSidebar, true);
    content->setDocumentName(lastComponentOfFileName());
    window->showWindow();
    if (isCsv() || isReadOnly())
        content->setEditState(false);
    table->endUpdates();
    const QString unread = unreadCardsMessage();
    if (!unread.isEmpty()) {
        auto *box = new QMessageBox(QMessageBox::Warning, QApplication::applicationDisplayName(),
                                    tr("Some cards could not be read."), QMessageBox::Ok, window);
        box->setInformativeText(unread);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
    }
}

void Document::handTablesToWindow()
{
    ViewController *content = mainViewController();
    if (m_addressBook)
        content->setAddressBook(m_addressBook);
    if (m_containerTable.isEmpty())
        m_containerTable = QVvCard::containersFromVCards(QString()).value_or(ContainerTable());
    content->setContainerTable(m_containerTable);
    const GroupEntry first = m_containerTable.first()->groups.first();
    content->setSelectedGroupDict(first);
    if (!m_contactTable)
        m_contactTable = first->contactTable;
    content->setContactTable(m_contactTable);
    m_containerTable.clear(); // the window owns the tables from now on
    m_contactTable.reset();
}

void Document::convertCsvToVCard()
{
    const QString oldName = QFileInfo(m_filePath).completeBaseName();
    m_fileMonitor->setFile(QString());
    m_filePath.clear();
    m_fileType = DocumentType::VCard;
    setDisplayName(oldName);
}

// ---- Saving ----------------------------------------------------------------------------------

bool Document::writeToFile(const QString &path, QString *errorString)
{
    ViewController *content = mainViewController();
    if (!content)
        return false;
    AtomicFileWriter file(path);
    // The cards go to the file batch by batch as they are written, never all at once in memory.
    if (!file.open(QIODevice::WriteOnly) || !content->writeVCardDataOfDocument(file) || !file.commit()) {
        if (errorString)
            *errorString = file.errorString();
        return false;
    }
    return true;
}

QString Document::askSavePath()
{
    QWidget *parent = m_mainWindowController;
    QString proposed = m_filePath.isEmpty() ? displayName() : QFileInfo(m_filePath).completeBaseName();
    const QString directory = m_filePath.isEmpty() ? QString() : QFileInfo(m_filePath).absolutePath();
    if (!directory.isEmpty())
        proposed = directory + u'/' + proposed;
    QFileDialog dialog(parent, tr("Save As"), proposed + QStringLiteral(".vcf"), tr("vCard (*.vcf *.vcard)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("vcf"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

bool Document::save()
{
    if (isReadOnly())
        return false;
    // A CSV document is never overwritten with vCard text: it gets a vCard name of its own.
    if (m_filePath.isEmpty() || isCsv())
        return saveAs();
    return confirmOverwriteOfChangedFile() && writeDocument(m_filePath);
}

bool Document::saveAs()
{
    if (isReadOnly())
        return false;
    const QString path = askSavePath();
    if (path.isEmpty())
        return false;
    if (QFileInfo(path) == QFileInfo(m_filePath) && !isCsv() && !confirmOverwriteOfChangedFile())
        return false;
    if (!writeDocument(path))
        return false;
    m_filePath = path;
    m_fileType = DocumentType::VCard;
    m_displayName.clear();
    Q_EMIT displayNameChanged(displayName());
    return true;
}

bool Document::writeDocument(const QString &path)
{
    QString errorString;
    if (!writeToFile(path, &errorString)) {
        // The file and the edited mark stay as they were: nothing was saved.
        QMessageBox box(QMessageBox::Warning, QApplication::applicationDisplayName(),
                        tr("Can't save the file"), QMessageBox::Ok, m_mainWindowController);
        box.setInformativeText(errorString);
        box.exec();
        return false;
    }
    // What is on disk now is ours; the watch follows the new file.
    m_fileMonitor->setFile(path);
    m_unrecordedChanges = false;
    m_undoManager->setClean();
    return true;
}

bool Document::confirmOverwriteOfChangedFile()
{
    if (!m_fileMonitor->isChangedOnDisk())
        return true;
    QMessageBox box(
        QMessageBox::Warning, QApplication::applicationDisplayName(),
        tr("The file “%1” has been changed by another application.").arg(lastComponentOfFileName()),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, m_mainWindowController);
    box.setInformativeText(tr("Saving now replaces the changes made there."));
    box.button(QMessageBox::Save)->setText(tr("Save Anyway"));
    box.button(QMessageBox::Discard)->setText(tr("Revert to the file on disk"));
    box.setDefaultButton(QMessageBox::Cancel);
    if (m_mainWindowController)
        box.setWindowModality(Qt::WindowModal);
    switch (box.exec()) {
    case QMessageBox::Save:
        return true;
    case QMessageBox::Discard:
        revertToFile();
        return false;
    default:
        return false;
    }
}

void Document::fileChangedOnDisk()
{
    // Unsaved edits are not interrupted: saving them asks first.
    if (m_edited || m_reloadOffer || !m_mainWindowController)
        return;
    auto *box = new QMessageBox(
        QMessageBox::Information, QApplication::applicationDisplayName(),
        tr("The file “%1” has been changed by another application.").arg(lastComponentOfFileName()),
        QMessageBox::Ok | QMessageBox::Ignore, m_mainWindowController);
    box->setInformativeText(tr("Do you want to reload it?"));
    box->button(QMessageBox::Ok)->setText(tr("Reload"));
    box->setDefaultButton(QMessageBox::Ok);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    connect(box, &QMessageBox::buttonClicked, this, [this, box](QAbstractButton *button) {
        if (box->standardButton(button) == QMessageBox::Ok && !m_edited)
            revertToFile();
    });
    m_reloadOffer = box;
    box->open();
}

bool Document::revertToFile()
{
    ViewController *content = mainViewController();
    if (!content || m_filePath.isEmpty())
        return false;
    m_fileMonitor->setFile(m_filePath);
    DocumentError error;
    const bool read = isCsv() ? readCsv(m_filePath, &error)
                              : finishVCardRead(readVCardTables(m_filePath, m_encoding, {}), &error);
    if (!read) {
        QMessageBox box(QMessageBox::Warning, QApplication::applicationDisplayName(),
                        tr("The document “%1” could not be read.").arg(lastComponentOfFileName()),
                        QMessageBox::Ok, m_mainWindowController);
        box.setInformativeText(error.recoverySuggestion.isEmpty() ? error.description
                                                                  : error.recoverySuggestion);
        box.exec();
        m_containerTable.clear();
        m_contactTable.reset();
        return false;
    }
    ContactsViewController *table = content->contactsViewController();
    table->beginUpdates();
    handTablesToWindow();
    table->endUpdates();
    // The undo steps belong to the tables that are gone.
    m_undoManager->removeAllActions();
    m_unrecordedChanges = false;
    m_undoManager->setClean();
    return true;
}

bool Document::canClose()
{
    if (!m_edited)
        return true;
    QMessageBox box(QMessageBox::Warning, QApplication::applicationDisplayName(),
                    tr("Do you want to save the changes made to the document “%1”?").arg(displayName()),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, m_mainWindowController);
    box.setInformativeText(tr("Your changes will be lost if you don't save them."));
    box.button(QMessageBox::Discard)->setText(tr("Don't Save"));
    box.setDefaultButton(QMessageBox::Save);
    if (m_mainWindowController)
        box.setWindowModality(Qt::WindowModal);
    switch (box.exec()) {
    case QMessageBox::Save:
        return save();
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}
