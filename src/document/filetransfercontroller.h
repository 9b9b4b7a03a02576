// FileTransferController: a document window's Import from vCard / CSV and Export to vCard / CSV.
//
// Each command runs as sheets on the window: an Open or Save panel, the progress alert while a
// worker reads or writes, the import panel, and an alert when something failed. isExporting keeps
// a second command from starting while one is under way; every way out of a command clears it.
#pragma once

#include "document/contactfiles.h"
#include "record/entries.h"

#include <QObject>
#include <QPointer>

class ImportPanelController;
class ProgressAlert;
class QFileDialog;
class ViewController;
class WindowController;

class FileTransferController : public QObject
{
    Q_OBJECT

public:
    explicit FileTransferController(WindowController *window);
    ~FileTransferController() override;

    void importFromVCard();
    void importFromCSV();
    void exportToVCard();
    void exportToCSV();

    // Menu validation.
    bool canImportFromVCard() const;
    // Importing changes the document: never into the read-only address book.
    bool canImportFromCSV() const;
    bool canExportToVCard() const;
    // The item stays in the menu but is never offered.
    bool canExportToCSV() const { return false; }

    bool isExporting() const { return m_isExporting; }
    ImportPanelController *importPanelController() const;
    ProgressAlert *progressAlert();

private:
    enum class Format
    {
        VCard,
        Csv
    };

    ViewController *content() const;
    void showOpenSheet(Format format);
    void importFile(Format format, const QString &path, int encoding);
    void showImportPanel(const QString &filename, const ContactList &contacts);
    void importPanelEnded(int returnCode);
    void showSaveSheet(Format format);
    void exportFile(Format format, const QString &path, const ContactList &selected,
                    const QString &proposedName);
    // Runs work on a worker thread behind the progress alert; false when the user cancelled.
    bool runBehindAlert(const QString &message, const std::function<void(const ProgressReport &)> &work);
    void showAlert(const QString &message, const QString &informativeText);
    void finish() { m_isExporting = false; }

    WindowController *m_window;
    QPointer<ImportPanelController> m_importPanelController;
    QPointer<ProgressAlert> m_progressAlert;
    bool m_isExporting = false;
};
