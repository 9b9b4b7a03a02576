// The window's import and export commands and its clipboard, driven as a user would, offscreen.
#include "../smalltmpfs.h"
#include "document/document.h"
#include "document/filetransfercontroller.h"
#include "document/importpanel.h"
#include "document/progressalert.h"
#include "formats/contactdump.h"
#include "platform/encodings.h"
#include "platform/mimetypes.h"
#include "platform/undomanager.h"
#include "record/keys.h"
#include "table/contactstablemodel.h"
#include "table/contactsviewcontroller.h"
#include "window/viewcontroller.h"
#include "window/windowcontroller.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QListView>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QTranslator>
#include <QTimer>
#include <QtTest>

namespace {

const QString kCards
    = QStringLiteral("BEGIN:VCARD\r\nVERSION:3.0\r\nN:Berg;Anna;;;\r\nFN:Anna Berg\r\n"
                     "TEL;TYPE=HOME:111\r\nTEL;TYPE=WORK:222\r\nNOTE:first\r\nEND:VCARD\r\n"
                     "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Lund;Bo;;;\r\nFN:Bo Lund\r\nEND:VCARD\r\n"
                     "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Ek;Cai;;;\r\nFN:Cai Ek\r\nEND:VCARD\r\n");

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class FileTransferTest : public QObject
{
    Q_OBJECT

private:
    Document *openDocument(const QString &text, const QString &type = DocumentType::VCard)
    {
        auto *document = new Document(this);
        DocumentError error;
        if (!document->readFromText(text, type, &error))
            return nullptr;
        document->makeWindowControllers();
        document->mainViewController()->setEditState(true);
        m_documents.append(document);
        return document;
    }

    static ContactsViewController *table(Document *document)
    {
        return document->mainViewController()->contactsViewController();
    }
    static FileTransferController *transfer(Document *document)
    {
        return document->mainWindowController()->fileTransferController();
    }
    static QStringList shownNames(Document *document)
    {
        QStringList names;
        for (const ContactEntry &entry : *document->mainViewController()->contactTable()) {
            if (!entry->deleted)
                names.append(entry->person->compositeName());
        }
        names.sort();
        return names;
    }
    // The Open or Save sheets shown on the window (closed ones wait for deletion).
    static QList<QFileDialog *> fileSheets(Document *document)
    {
        QList<QFileDialog *> shown = document->mainWindowController()->findChildren<QFileDialog *>();
        shown.removeIf([](QFileDialog *dialog) { return !dialog->isVisible(); });
        return shown;
    }
    // Ends the open Open or Save sheet of the window with path chosen (empty: cancelled).
    static void endFileSheet(Document *document, const QString &path)
    {
        const QList<QFileDialog *> sheets = fileSheets(document);
        QCOMPARE(sheets.size(), 1);
        QFileDialog *dialog = sheets.first();
        if (path.isEmpty()) {
            dialog->reject();
            return;
        }
        dialog->selectFile(path);
        // Past the panel's own checks (an existing file, a missing folder): the command decides.
        static_cast<QDialog *>(dialog)->done(QDialog::Accepted);
    }
    static QMessageBox *takeAlert(Document *document)
    {
        // Taken from the window, so that the next failure's alert is the one found.
        auto *box = document->mainWindowController()->findChild<QMessageBox *>();
        if (box) {
            box->setParent(nullptr);
            box->deleteLater();
        }
        return box;
    }

    QTemporaryDir m_folder;
    QList<QPointer<Document>> m_documents;

private Q_SLOTS:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        // The program's own English plural forms.
        auto *translator = new QTranslator(this);
        QVERIFY(translator->load(QLocale(QLocale::English, QLocale::UnitedStates), QStringLiteral("pellory2"),
                                 QStringLiteral("_"), QStringLiteral(":/i18n")));
        QCoreApplication::installTranslator(translator);
    }

    void cleanup()
    {
        for (const QPointer<Document> &document : std::as_const(m_documents)) {
            if (document && document->mainWindowController())
                document->mainWindowController()->closeWithoutAsking();
        }
        m_documents.clear();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void exportWritesTheSelectedContactsOnceEach()
    {
        Document *document = openDocument(kCards);
        QVERIFY(document);
        QTableView *view = table(document)->tableView();
        // Three rows of two contacts (Anna shows a row per phone once the Phone column shows).
        table(document)->updateColumnsInTableView({ FieldId::Name, FieldId::Phone });
        view->selectAll();
        const ContactList selected = table(document)->selectedContacts();
        QCOMPARE(selected.size(), 3);
        QVERIFY(transfer(document)->canExportToVCard());

        const QString path = m_folder.filePath(QStringLiteral("all.vcf"));
        transfer(document)->exportToVCard();
        QVERIFY(transfer(document)->isExporting());
        // Another command meanwhile does nothing.
        transfer(document)->importFromCSV();
        QCOMPARE(fileSheets(document).size(), 1);
        endFileSheet(document, path);
        QVERIFY(!transfer(document)->isExporting());

        const ContainerTable written
            = QVvCard::containersFromVCardData(fileBytes(path)).value_or(ContainerTable());
        QVERIFY(!written.isEmpty());
        QCOMPARE(ContactDump::dump(written),
                 ContactDump::dump(QVvCard::containersFromVCards(kCards).value_or(ContainerTable())));
    }

    void cancelledExportLeavesNoFileAndTheOldFileAlone()
    {
        Document *document = openDocument(kCards);
        QVERIFY(document);
        table(document)->tableView()->selectAll();
        const QString fresh = m_folder.filePath(QStringLiteral("fresh.vcf"));
        const QString old = m_folder.filePath(QStringLiteral("old.vcf"));
        QVERIFY(writeBytes(old, "old contents"));

        // The second run also shows that a reused alert does not take the late close request of
        // the cancelled first run as its own end (which would have written the file).
        for (const QString &path : { fresh, old }) {
            transfer(document)->exportToVCard();
            // Cancel as soon as the progress alert runs.
            QTimer::singleShot(0, transfer(document)->progressAlert(), &QDialog::reject);
            endFileSheet(document, path);
            QVERIFY(!transfer(document)->isExporting());
        }
        QVERIFY(!QFile::exists(fresh));
        QCOMPARE(fileBytes(old), QByteArray("old contents"));

        // A run that is not cancelled writes.
        transfer(document)->exportToVCard();
        endFileSheet(document, fresh);
        QVERIFY(fileBytes(fresh).contains("Bo Lund"));
    }

    void failuresShowTheirAlertsAndClearTheGuard()
    {
        Document *document = openDocument(kCards);
        QVERIFY(document);
        table(document)->tableView()->selectAll();
        transfer(document)->exportToVCard();
        endFileSheet(document, m_folder.filePath(QStringLiteral("missing/folder/x.vcf")));
        QMessageBox *box = takeAlert(document);
        QVERIFY(box);
        QCOMPARE(box->text(), QStringLiteral("Can't save the file"));
        // The general words, then what happened.
        QCOMPARE(box->informativeText().section(u'\n', 0, 0),
                 QStringLiteral("Something error happened in saving operation."));
        QCOMPARE(box->informativeText().section(u'\n', 1), QStringLiteral("No such file or directory"));
        QVERIFY(!transfer(document)->isExporting());

        const QString noCards = m_folder.filePath(QStringLiteral("nothing.vcf"));
        QVERIFY(writeBytes(noCards, "no cards\n"));
        transfer(document)->importFromVCard();
        endFileSheet(document, noCards);
        box = takeAlert(document);
        QVERIFY(box);
        QCOMPARE(box->text(), QStringLiteral("Couldn't read the file."));
        QCOMPARE(box->informativeText(), QStringLiteral("Please make sure the file is vCard 2.1/3.0 file."));

        const QString emptyCsv = m_folder.filePath(QStringLiteral("empty.csv"));
        QVERIFY(writeBytes(emptyCsv, ""));
        transfer(document)->importFromCSV();
        endFileSheet(document, emptyCsv);
        box = takeAlert(document);
        QVERIFY(box);
        QCOMPARE(box->informativeText(), QStringLiteral("Please make sure the file is a valid CSV file."));
        QVERIFY(!transfer(document)->isExporting());
        QCOMPARE(shownNames(document).size(), 3);
    }

    void anExportOnAFullDiskSaysSoAndKeepsTheOldFile()
    {
        SmallTmpfs disk(64 * 1024);
        if (!disk.isMounted())
            QSKIP(qPrintable(disk.skipReason()));
        Document *document = openDocument(kCards);
        QVERIFY(document);
        table(document)->tableView()->selectAll();
        const QString path = disk.filePath(QStringLiteral("export.vcf"));
        QVERIFY(writeBytes(path, "old contents"));
        QVERIFY(disk.fillLeaving(0));

        transfer(document)->exportToVCard();
        endFileSheet(document, path);
        QMessageBox *box = takeAlert(document);
        QVERIFY(box);
        QCOMPARE(box->text(), QStringLiteral("Can't save the file"));
        QVERIFY2(box->informativeText().endsWith(QStringLiteral("\nThe disk is full")),
                 qPrintable(box->informativeText()));
        QCOMPARE(fileBytes(path), QByteArray("old contents"));
        QCOMPARE(disk.entries(), QStringList { QStringLiteral("export.vcf") });
    }

    void importAddsTheSelectedContactsAsOneUndoStep()
    {
        Document *document
            = openDocument(QStringLiteral("BEGIN:VCARD\r\nVERSION:3.0\r\nN:Ode;Dan;;;\r\nEND:VCARD\r\n"));
        QVERIFY(document);
        const QString path = m_folder.filePath(QStringLiteral("import.vcf"));
        QVERIFY(writeBytes(path, kCards.toUtf8()));
        UndoManager *undo = document->undoManager();
        const int steps = undo->undoCount();

        // Select with no row selected adds nothing.
        transfer(document)->importFromVCard();
        endFileSheet(document, path);
        ImportPanelController *panel = transfer(document)->importPanelController();
        QVERIFY(panel && panel->isVisible());
        QCOMPARE(panel->filename(), QStringLiteral("import.vcf"));
        QCOMPARE(panel->nameTable().size(), 3);
        // Export is refused while the import's sheet is open.
        transfer(document)->exportToVCard();
        QVERIFY(fileSheets(document).isEmpty());
        panel->selectButton()->click();
        QCOMPARE(shownNames(document).size(), 1);
        QVERIFY(!document->isDocumentEdited());

        transfer(document)->importFromVCard();
        endFileSheet(document, path);
        QItemSelectionModel *selection = panel->nameTableView()->selectionModel();
        QAbstractItemModel *names = panel->nameTableView()->model();
        selection->select(names->index(0, 0), QItemSelectionModel::Select);
        selection->select(names->index(2, 0), QItemSelectionModel::Select);
        panel->selectButton()->click();
        QCoreApplication::processEvents();
        QCOMPARE(shownNames(document),
                 QStringList(
                     { QStringLiteral("Anna Berg"), QStringLiteral("Cai Ek"), QStringLiteral("Dan Ode") }));
        QCOMPARE(undo->undoCount(), steps + 1);
        QVERIFY(document->isDocumentEdited());
        document->mainViewController()->undo();
        QCOMPARE(shownNames(document), QStringList({ QStringLiteral("Dan Ode") }));
        QVERIFY(!transfer(document)->isExporting());
    }

    void importSaysHowManyCardsCouldNotBeRead()
    {
        Document *document
            = openDocument(QStringLiteral("BEGIN:VCARD\r\nVERSION:3.0\r\nN:Ode;Dan;;;\r\nEND:VCARD\r\n"));
        QVERIFY(document);
        const QString damaged = m_folder.filePath(QStringLiteral("damaged.vcf"));
        // Two cards read (one of them holds a nested card, which is not), and one cut off.
        QVERIFY(writeBytes(damaged,
                           "BEGIN:VCARD\nFN:Anna Berg\nEND:VCARD\nBEGIN:VCARD\nFN:Outer\nAGENT:\nBEGIN:VCARD\n"
                           "FN:Agent\nEND:VCARD\nTEL:1\nEND:VCARD\nBEGIN:VCARD\nFN:Cut off\nTEL:2\n"));
        transfer(document)->importFromVCard();
        endFileSheet(document, damaged);
        ImportPanelController *panel = transfer(document)->importPanelController();
        QVERIFY(panel && panel->isVisible());
        QCOMPARE(panel->nameTable().size(), 2);
        QVERIFY2(panel->skippedCardsNotice().startsWith(QLatin1StringView("2 cards")),
                 qPrintable(panel->skippedCardsNotice()));
        panel->cancelButton()->click();

        // The reused panel does not carry the notice over to a file read whole.
        const QString whole = m_folder.filePath(QStringLiteral("whole.vcf"));
        QVERIFY(writeBytes(whole, kCards.toUtf8()));
        transfer(document)->importFromVCard();
        endFileSheet(document, whole);
        QVERIFY(panel->isVisible());
        QVERIFY(panel->skippedCardsNotice().isEmpty());
        panel->cancelButton()->click();
    }

    void menusFollowTheDocumentAndTheSelection()
    {
        Document *vcard = openDocument(kCards);
        Document *csv = openDocument(QStringLiteral("Name,Phone\nAnna Berg,555\n"), DocumentType::Csv);
        QVERIFY(vcard && csv);
        QVERIFY(transfer(vcard)->canImportFromVCard());
        QVERIFY(!transfer(csv)->canImportFromVCard());
        QVERIFY(transfer(csv)->canImportFromCSV());
        QVERIFY(!transfer(vcard)->canExportToCSV());
        table(vcard)->tableView()->clearSelection();
        table(vcard)->tableView()->selectionModel()->clearSelection();
        // The table keeps a row selected whenever it has rows.
        QCOMPARE(transfer(vcard)->canExportToVCard(), !table(vcard)->selectedRowIndexes().isEmpty());
    }

    void copiedCardsPasteIntoAnotherDocumentAndLinesPasteAsOneContact()
    {
        Document *source = openDocument(kCards);
        Document *target = openDocument(QString());
        QVERIFY(source && target);
        table(source)->tableView()->selectAll();
        table(source)->copyAsVCard();
        QVERIFY(table(target)->canPaste());
        QVERIFY(table(target)->paste());
        QCOMPARE(shownNames(target), shownNames(source));

        QApplication::clipboard()->setText(QStringLiteral("Moe\nNot this one"));
        QVERIFY(table(target)->paste());
        QCOMPARE(shownNames(target).size(), 4);
        QVERIFY(!shownNames(target).join(u' ').contains(QStringLiteral("Not this one")));

        // A locked table takes neither pastes nor drops.
        target->mainViewController()->setEditState(false);
        QVERIFY(!table(target)->paste());
        QMimeData data;
        data.setData(MimeType::VCard, kCards.toUtf8());
        ContactsTableModel *model = table(target)->model();
        QVERIFY(!model->canDropMimeData(&data, Qt::CopyAction, 0, 0, {}));
        target->mainViewController()->setEditState(true);
        QVERIFY(model->canDropMimeData(&data, Qt::CopyAction, 0, 0, {}));
        // Onto a row rather than between rows.
        QVERIFY(!model->canDropMimeData(&data, Qt::CopyAction, -1, -1, model->index(0, 0)));
        QVERIFY(model->dropMimeData(&data, Qt::CopyAction, 0, 0, {}));
        QCOMPARE(shownNames(target).size(), 7);
    }
};

QTEST_MAIN(FileTransferTest)
#include "filetransfer_test.moc"
