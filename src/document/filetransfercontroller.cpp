#include "document/filetransfercontroller.h"

#include "document/document.h"
#include "document/documentkeys.h"
#include "document/encodingaccessory.h"
#include "document/importpanel.h"
#include "document/progressalert.h"
#include "platform/atomicfilewriter.h"
#include "table/contactsviewcontroller.h"
#include "window/viewcontroller.h"
#include "window/windowcontroller.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QMessageBox>
#include <QThread>
#include <QtConcurrent/QtConcurrentRun>
#include <atomic>

namespace {

// The progress alert stays up at least this long, so that it does not flash (and can be
// cancelled even when the work is quick).
constexpr int kMinimumAlertMilliseconds = 1000;

const QString kVCardSuffix = QStringLiteral(".vcf");
const QString kCsvSuffix = QStringLiteral(".csv");

QString chosenFile(QFileDialog *dialog, int result)
{
    if (result != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return {};
    return dialog->selectedFiles().first();
}

} // namespace

FileTransferController::FileTransferController(WindowController *window)
    : QObject(window)
    , m_window(window)
{ }

FileTransferController::~FileTransferController() = default;

ViewController *FileTransferController::content() const
{
    return m_window->mainViewController();
}

ImportPanelController *FileTransferController::importPanelController() const
{
    return m_importPanelController;
}

ProgressAlert *FileTransferController::progressAlert()
{
    if (!m_progressAlert)
        m_progressAlert = new ProgressAlert(m_window);
    return m_progressAlert;
}

bool FileTransferController::canImportFromVCard() const
{
    const Document *document = m_window->document();
    return !document || (document->fileType() == DocumentType::VCard && !document->isReadOnly());
}

bool FileTransferController::canExportToVCard() const
{
    return !content()->contactsViewController()->selectedSubContacts().isEmpty();
}

// ---- Import ------------------------------------------------------------------------------------

bool FileTransferController::canImportFromCSV() const
{
    const Document *document = m_window->document();
    return !document || !document->isReadOnly();
}

void FileTransferController::importFromVCard()
{
    if (m_isExporting || !canImportFromVCard())
        return;
    m_isExporting = true;
    showOpenSheet(Format::VCard);
}

void FileTransferController::importFromCSV()
{
    if (m_isExporting || !canImportFromCSV())
        return;
    m_isExporting = true;
    showOpenSheet(Format::Csv);
}

void FileTransferController::showOpenSheet(Format format)
{
    const bool csv = format == Format::Csv;
    auto *dialog = new QFileDialog(m_window, csv ? tr("Import from CSV") : tr("Import from vCard"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setOption(QFileDialog::DontUseNativeDialog); // the accessory goes into its layout
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setNameFilters(
        csv ? QStringList { tr("CSV or text (*.csv *.txt)"), tr("All files (*)") }
            : QStringList { tr("vCard or text (*.vcf *.vcard *.txt)"), tr("All files (*)") });
    auto *accessory = new EncodingAccessory(dialog);
    accessory->setEncodingOnly();
    if (auto *grid = qobject_cast<QGridLayout *>(dialog->layout()))
        grid->addWidget(accessory, grid->rowCount(), 0, 1, grid->columnCount());
    connect(dialog, &QFileDialog::finished, this, [this, dialog, accessory, format](int result) {
        accessory->requestClose();
        const QString path = chosenFile(dialog, result);
        if (path.isEmpty()) {
            finish();
            return;
        }
        importFile(format, path, accessory->encodingType());
    });
    dialog->setWindowModality(Qt::WindowModal);
    dialog->open();
}

void FileTransferController::importFile(Format format, const QString &path, int encoding)
{
    const QString filename = QFileInfo(path).fileName();
    const QString invalidCsv = tr("Please make sure the file is a valid CSV file.");
    ImportedContacts imported;
    if (format == Format::Csv) {
        imported = ContactImport::readCsvFile(path, encoding);
    } else {
        const bool finished
            = runBehindAlert(tr("Reading the file: %1").arg(filename), [&](const ProgressReport &progress) {
                  imported = ContactImport::readVCardFile(path, encoding, progress);
              });
        if (!finished || imported.cancelled) {
            finish();
            return;
        }
    }
    if (!imported.readError.isEmpty()) {
        showAlert(tr("Couldn't read the file."), format == Format::Csv ? invalidCsv : imported.readError);
        finish();
        return;
    }
    if (imported.contacts.isEmpty()) {
        showAlert(tr("Couldn't read the file."),
                  format == Format::Csv ? invalidCsv
                                        : tr("Please make sure the file is vCard 2.1/3.0 file."));
        finish();
        return;
    }
    showImportPanel(filename, imported.contacts);
    m_importPanelController->setSkippedCards(imported.skippedCards);
}

void FileTransferController::showImportPanel(const QString &filename, const ContactList &contacts)
{
    if (!m_importPanelController) {
        m_importPanelController = new ImportPanelController(m_window);
        m_importPanelController->setWindowModality(Qt::WindowModal);
    }
    m_importPanelController->setFilename(filename);
    m_importPanelController->setNameTable(contacts);
    connect(m_importPanelController, &QDialog::finished, this, &FileTransferController::importPanelEnded,
            Qt::SingleShotConnection);
    m_importPanelController->open();
}

void FileTransferController::importPanelEnded(int returnCode)
{
    const QList<int> rows = m_importPanelController->selectedIndexes();
    const ContactList &table = m_importPanelController->nameTable();
    if (returnCode == 1 && !rows.isEmpty()) {
        ContactList chosen;
        for (int row : rows)
            chosen.append(table.at(row));
        ContactEditor *editor = content()->editor();
        // One undo step for the whole import, however many groups it touches.
        ContactEditor::EditBatch batch(*editor);
        editor->undoAddContacts(chosen, editor->selectedGroup());
    }
    // The panel is reused: it does not keep the contacts of a finished import alive.
    m_importPanelController->setNameTable({});
    finish();
}

// ---- Export ------------------------------------------------------------------------------------

void FileTransferController::exportToVCard()
{
    if (m_isExporting)
        return;
    m_isExporting = true;
    showSaveSheet(Format::VCard);
}

void FileTransferController::exportToCSV()
{
    if (m_isExporting)
        return;
    m_isExporting = true;
    showSaveSheet(Format::Csv);
}

void FileTransferController::showSaveSheet(Format format)
{
    const ContactList selected = content()->contactsViewController()->selectedContactsWithClickedRowIndex(-1);
    if (selected.isEmpty()) {
        finish();
        return;
    }
    const bool csv = format == Format::Csv;
    const QString proposed = ContactExport::proposedFileName(selected, csv ? kCsvSuffix : kVCardSuffix);
    auto *dialog = new QFileDialog(m_window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setLabelText(QFileDialog::FileName, csv ? tr("Export As CSV:") : tr("Export As:"));
    dialog->setNameFilters(csv ? QStringList { tr("CSV (*.csv)"), tr("Text (*.txt)") }
                               : QStringList { tr("vCard (*.vcf *.vcard)"), tr("Text (*.txt)") });
    dialog->setDefaultSuffix(csv ? kCsvSuffix.mid(1) : kVCardSuffix.mid(1));
    dialog->selectFile(proposed);
    connect(dialog, &QFileDialog::finished, this, [this, dialog, format, selected, proposed](int result) {
        const QString path = chosenFile(dialog, result);
        if (!path.isEmpty())
            exportFile(format, path, selected, proposed);
        finish();
    });
    dialog->setWindowModality(Qt::WindowModal);
    dialog->open();
}

void FileTransferController::exportFile(Format format, const QString &path, const ContactList &selected,
                                        const QString &proposedName)
{
    const ContactTable table = content()->contactTable();
    const ContactList contacts = table ? ContactExport::contactsToWrite(selected, *table) : ContactList();
    bool written = false;
    QString error;
    if (format == Format::Csv) {
        written = ContactExport::writeData(path, ContactExport::csvText(contacts).toUtf8(), &error);
    } else {
        // Names are composed lazily; composing them here leaves the worker only reading records.
        for (const ContactEntry &entry : contacts)
            entry->person->compositeName();
        const QVariantList customItems = content()->customItems();
        const ContainerTable containers = content()->containerTable();
        // Categories are written from the window's own container, so they survive the export.
        const ContainerEntry container = containers.isEmpty() ? ContainerEntry() : containers.first();
        // The worker writes the cards into the file as they are ready; only a finished export
        // replaces what the path held.
        AtomicFileWriter file(path);
        if (file.open(QIODevice::WriteOnly)) {
            const bool finished = runBehindAlert(
                tr("Writing the file: %1").arg(proposedName), [&](const ProgressReport &progress) {
                    written = ContactExport::writeVCards(file, contacts, customItems, container, progress);
                });
            if (!finished)
                return; // cancelled: nothing is written
            written = written && file.commit();
        }
        error = file.errorString();
    }
    if (!written) {
        // What happened, after the general words: "The disk is full" is something a user can fix.
        showAlert(tr("Can't save the file"),
                  tr("Something error happened in saving operation.") + QStringLiteral("\n") + error);
    }
}

// ---- Sheets ------------------------------------------------------------------------------------

bool FileTransferController::runBehindAlert(const QString &message,
                                            const std::function<void(const ProgressReport &)> &work)
{
    ProgressAlert *alert = progressAlert();
    alert->setMessage(message);
    alert->setProgress(0);
    std::atomic<bool> cancelled { false };
    QFuture<void> future = QtConcurrent::run([&work, &cancelled, alert] {
        QElapsedTimer started;
        started.start();
        int shown = 0;
        work([&](double percent) {
            // One queued update per percent, not one per contact.
            const int value = int(percent);
            if (value != shown) {
                shown = value;
                alert->setProgress(value);
            }
            return cancelled.load(std::memory_order_relaxed);
        });
        while (started.elapsed() < kMinimumAlertMilliseconds && !cancelled.load())
            QThread::msleep(5);
        alert->setProgress(100);
        alert->requestClose();
    });
    const bool aborted = alert->runModal() == ProgressAlert::Response::Abort;
    if (aborted)
        cancelled = true;
    // The worker reads records the window shows and may edit once this returns: it stops at its
    // next progress report, and nothing goes on before it has.
    future.waitForFinished();
    return !aborted;
}

void FileTransferController::showAlert(const QString &message, const QString &informativeText)
{
    auto *box = new QMessageBox(QMessageBox::Warning, QApplication::applicationDisplayName(), message,
                                QMessageBox::Ok, m_window);
    box->setInformativeText(informativeText);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    box->open();
}
