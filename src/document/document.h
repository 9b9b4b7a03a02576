// Document: one open vCard or CSV file and its window.
//
// Reading gives the container table (vCard: on a worker thread behind the progress alert, with a
// working Cancel; CSV: on the calling thread). The window takes the tables over when it is made.
// Saving writes the whole document as vCard 3.0, atomically; a CSV document is saved under a new
// vCard name. Edits are tracked through the document's undo stack.
//
// The file is watched while the document is open: a save asks first when someone else changed the
// file since it was read or saved, and a change on disk is offered for reloading while the
// document has no unsaved edits.
#pragma once

#include "document/documentkeys.h"
#include "formats/qvvcard.h"
#include "record/entries.h"
#include "window/windowcontroller.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class AddressBook;
class FileChangeMonitor;
class ProgressAlert;
class QMessageBox;
class UndoManager;
class ViewController;
class WindowController;

// A vCard file as read, before the document takes it.
struct VCardTables
{
    std::optional<ContainerTable> containers;
    VCardReadStatistics statistics;
    QString readError;
};

class Document : public QObject
{
    Q_OBJECT

public:
    explicit Document(QObject *parent = nullptr);
    ~Document() override;

    // Reads the file; on failure answers false with the error to show (none when cancelled).
    // encoding: an Encodings number, Encodings::Automatic for detection.
    bool readFromFile(const QString &path, const QString &fileType, int encoding, DocumentError *error);
    // Opens the system address books under the root, read only; false with the error to show
    // when the root holds none.
    bool readFromStore(const QString &rootPath, DocumentError *error);
    // The address books of a store document (read as the window asks), else null.
    std::shared_ptr<AddressBook> addressBook() const { return m_addressBook; }
    bool isReadOnly() const { return m_addressBook != nullptr; }
    // Reads vCard or CSV text that is already decoded (used by tests and re-reads).
    bool readFromText(const QString &text, const QString &fileType, DocumentError *error);

    // Builds the one window of the document and hands it the tables; tells the user when cards of
    // the file could not be read.
    void makeWindowControllers();
    // What the window tells about cards of the file that could not be read; empty when all were.
    QString unreadCardsMessage() const;
    WindowController *mainWindowController() const { return m_mainWindowController; }
    ViewController *mainViewController() const;

    QString filePath() const { return m_filePath; }
    QString fileType() const { return m_fileType; }
    bool isCsv() const { return m_fileType == DocumentType::Csv; }
    // The last path component, or the display name of an untitled document.
    QString lastComponentOfFileName() const;
    QString displayName() const;
    void setDisplayName(const QString &name);

    UndoManager *undoManager() const { return m_undoManager; }
    // Edited while the undo stack is away from the saved state, or after a change that made no
    // undo step (re-sorting items by a new table order).
    bool isDocumentEdited() const { return m_edited; }
    // The window's edit operations report the edited mark they would show.
    void noteEditorEdited(bool edited);

    // The tables read, until the window takes them.
    const ContainerTable &containerTable() const { return m_containerTable; }
    ContactTable contactTable() const { return m_contactTable; }

    // File > Save: writes to the current file, or asks for one (untitled, CSV). False when cancelled
    // or failed (the failure was shown).
    bool save();
    bool saveAs();
    // Writes every contact that is not deleted as vCard 3.0 to path, atomically. On failure the
    // file is left as it was and errorString says why, for the user.
    bool writeToFile(const QString &path, QString *errorString);
    // Reads the file again and shows what it holds now; the edits and their undo steps are
    // dropped. False (after showing why) when the file can't be read.
    bool revertToFile();
    // Asks to save unsaved edits; false when the user cancelled.
    bool canClose();

    // Unlocking a CSV document turns it into an untitled vCard document named after the file.
    void convertCsvToVCard();

Q_SIGNALS:
    void documentEditedChanged(bool edited);
    void displayNameChanged(const QString &name);

private:
    bool readCsv(const QString &path, DocumentError *error);
    // Behind the progress alert, with a working Cancel.
    bool readVCard(const QString &path, DocumentError *error);
    bool finishVCardRead(VCardTables tables, DocumentError *error);
    bool finishRead(std::optional<ContainerTable> containers, const QString &fileType, bool requireContacts,
                    DocumentError *error);
    QString askSavePath();
    void handTablesToWindow();
    // Before overwriting the document's own file: asks when someone else changed it. False when
    // the save should not go on.
    bool confirmOverwriteOfChangedFile();
    bool writeDocument(const QString &path);
    void fileChangedOnDisk();

    QString m_filePath;
    QString m_fileType = DocumentType::VCard;
    QString m_displayName;
    ContainerTable m_containerTable;
    ContactTable m_contactTable;
    UndoManager *m_undoManager;
    QPointer<WindowController> m_mainWindowController;
    ProgressAlert *m_progressAlert = nullptr;
    FileChangeMonitor *m_fileMonitor;
    QPointer<QMessageBox> m_reloadOffer;
    int m_encoding = 0; // as the file was opened, for reading it again
    void setDocumentEdited(bool edited);
    void updateEdited();

    bool m_edited = false;
    bool m_unrecordedChanges = false;
    qsizetype m_unreadCards = 0; // cards of the file read that gave no contact
    std::shared_ptr<AddressBook> m_addressBook;
};
