// The document window as the user drives it: the edit lock, CSV files that turn into vCard
// documents when unlocked, closing with unsaved edits, and the edited mark following undo.
#include "document/documentcontroller.h"
#include "document/progressalert.h"
#include "editing/contacteditor.h"
#include "platform/encodings.h"
#include "record/keys.h"
#include "table/contactsviewcontroller.h"
#include "window/windowkeys.h"
#include "windowtestutil.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolButton>
#include <sys/stat.h>

using namespace WindowTest;

namespace {

QString twoCards()
{
    return vCard(QStringLiteral("Ada"), QStringLiteral("Lovelace"),
                 { { QStringLiteral("HOME"), QStringLiteral("111") } })
        + vCard(QStringLiteral("Alan"), QStringLiteral("Turing"),
                { { QStringLiteral("WORK"), QStringLiteral("222") } });
}

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return {};
    return path;
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

ino_t inodeOf(const QString &path)
{
    struct stat info
    {
    };
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_ino : 0;
}

// The colour of the edit-lock box's border, as drawn.
QColor indicatorColor(ViewController *content)
{
    auto *box = content->findChild<QFrame *>(QStringLiteral("redSeparator"));
    if (!box)
        return {};
    const QImage image = box->grab().toImage();
    return image.pixelColor(0, image.height() / 2);
}

bool isReddish(const QColor &c)
{
    return c.red() > 150 && c.green() < 100 && c.blue() < 100;
}

bool isGreyish(const QColor &c)
{
    return qAbs(c.red() - c.green()) < 16 && qAbs(c.green() - c.blue()) < 16 && c.red() > 80 && c.red() < 220;
}

// A change of the first contact's company through the window's undoable operations.
void editFirstContact(Document *document, const QString &company)
{
    ViewController *content = document->mainViewController();
    const ContactEntry entry = content->contactTable()->first();
    QVERIFY(content->editor()->undoReplaceValue(company, FieldId::Company, entry, nullptr));
    QCoreApplication::processEvents(); // the undo step closes with the event
}

} // namespace

class DocumentWindowTest : public QObject
{
    Q_OBJECT

public:
    static void initMain() { WindowTest::initMain(); }

private Q_SLOTS:
    void init() { resetPreferences(); }

    void editLockTogglesAndPersists()
    {
        Document *document = openText(twoCards());
        QVERIFY(document);
        WindowController *window = document->mainWindowController();
        ViewController *content = document->mainViewController();
        QVERIFY(content->editState());
        QCOMPARE(window->editButton()->text(), QStringLiteral("Lock"));
        QVERIFY2(isReddish(indicatorColor(content)), qPrintable(indicatorColor(content).name()));

        window->editButtonClicked();
        QVERIFY(!content->editState());
        QVERIFY(!content->contactsViewController()->editState());
        QCOMPARE(window->editButton()->text(), QStringLiteral("Edit"));
        QCOMPARE(UserDefaults::standard().value(WindowKey::LastEditState), QVariant(false));
        QVERIFY2(isGreyish(indicatorColor(content)), qPrintable(indicatorColor(content).name()));

        // A window that is not new opens in the state the last one was left in.
        closeDocument(document);
        document = openText(twoCards());
        QVERIFY(!document->mainViewController()->newWindow());
        QVERIFY(!document->mainViewController()->editState());
        document->mainWindowController()->editButtonClicked();
        QVERIFY(document->mainViewController()->editState());
        QCOMPARE(document->mainWindowController()->editButton()->text(), QStringLiteral("Lock"));
        QVERIFY(isReddish(indicatorColor(document->mainViewController())));
        closeDocument(document);
        document = openText(twoCards());
        QVERIFY(document->mainViewController()->editState());
        closeDocument(document);
    }

    void csvOpensLockedAndConvertsOnlyWhenConfirmed()
    {
        QTemporaryDir dir;
        const QString path
            = writeFile(dir, QStringLiteral("Friends.csv"),
                        "First Name,Last Name,Home Phone\nAda,Lovelace,111\nAlan,Turing,222\n");
        Document *document
            = DocumentController::shared().openDocumentWithContentsOfFile(path, Encodings::Automatic);
        QVERIFY(document);
        ViewController *content = document->mainViewController();
        WindowController *window = document->mainWindowController();
        QVERIFY(document->isCsv());
        QVERIFY(!content->editState());
        QCOMPARE(window->editButton()->text(), QStringLiteral("Edit"));

        {
            MessageBoxAnswer cancel(QMessageBox::Cancel);
            window->editButtonClicked();
            QTRY_VERIFY(cancel.answered());
            QCOMPARE(
                cancel.text(),
                QStringLiteral(
                    "If you edit the CSV file, the format will change to vCard and the name will reset."));
            QCOMPARE(cancel.informativeText(),
                     QStringLiteral("The name can be set, when you select the 'Save' in the file menu."));
        }
        QVERIFY(!content->editState());
        QVERIFY(document->isCsv());
        QCOMPARE(document->filePath(), path);

        {
            MessageBoxAnswer ok(QMessageBox::Ok);
            window->editButtonClicked();
            QTRY_VERIFY(ok.answered());
        }
        QVERIFY(content->editState());
        QCOMPARE(document->fileType(), DocumentType::VCard);
        QVERIFY(document->filePath().isEmpty());
        QCOMPARE(document->displayName(), QStringLiteral("Friends"));
        QVERIFY(window->windowTitle().startsWith(QStringLiteral("Friends")));
        // Locking again asks nothing: the document is a vCard document now.
        window->editButtonClicked();
        QVERIFY(!content->editState());
        closeDocument(document);
    }

    void cancellingTheReadOpensNoWindow()
    {
        QTemporaryDir dir;
        const QString path = writeFile(dir, QStringLiteral("people.vcf"), twoCards().toUtf8());
        // Cancel as soon as the progress alert shows (it stays up at least a second).
        bool cancelled = false;
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            for (QWidget *widget : QApplication::topLevelWidgets()) {
                auto *alert = qobject_cast<ProgressAlert *>(widget);
                const auto buttons = alert ? alert->findChildren<QPushButton *>() : QList<QPushButton *>();
                if (alert && alert->isVisible() && !buttons.isEmpty()) {
                    poll.stop();
                    cancelled = true;
                    buttons.first()->click();
                }
            }
        });
        poll.start(10);
        const int documents = int(DocumentController::shared().documents().size());
        QVERIFY(!DocumentController::shared().openDocumentWithContentsOfFile(path, Encodings::Automatic));
        QVERIFY(cancelled);
        QCOMPARE(DocumentController::shared().documents().size(), documents);
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            QVERIFY(!qobject_cast<WindowController *>(widget));
            QVERIFY(!qobject_cast<QMessageBox *>(widget) || !widget->isVisible()); // no error to show
        }
        // The file opens normally afterwards.
        Document *document
            = DocumentController::shared().openDocumentWithContentsOfFile(path, Encodings::Automatic);
        QVERIFY(document);
        QCOMPARE(document->mainViewController()->contactTable()->size(), 2);
        closeDocument(document);
    }

    void closingWithUnsavedEdits_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("cancel") << int(QMessageBox::Cancel);
        QTest::newRow("don't save") << int(QMessageBox::Discard);
        QTest::newRow("save") << int(QMessageBox::Save);
    }

    void closingWithUnsavedEdits()
    {
        QFETCH(int, answer);
        QTemporaryDir dir;
        const QByteArray original = twoCards().toUtf8();
        const QString path = writeFile(dir, QStringLiteral("people.vcf"), original);
        const ino_t originalInode = inodeOf(path);
        Document *document
            = DocumentController::shared().openDocumentWithContentsOfFile(path, Encodings::Automatic);
        QVERIFY(document);
        QPointer<Document> guard(document);
        QPointer<WindowController> window(document->mainWindowController());
        editFirstContact(document, QStringLiteral("Analytical Engines"));
        QVERIFY(document->isDocumentEdited());
        QVERIFY(window->isWindowModified());

        {
            MessageBoxAnswer reply { QMessageBox::StandardButton(answer) };
            window->close();
            QTRY_VERIFY(reply.answered());
        }
        QCoreApplication::processEvents();
        if (answer == QMessageBox::Cancel) {
            QVERIFY(window && window->isVisible());
            QVERIFY(guard);
            QCOMPARE(readFile(path), original);
            closeDocument(document);
            return;
        }
        QTRY_VERIFY(guard.isNull());
        QVERIFY(window.isNull());
        if (answer == QMessageBox::Discard) {
            QCOMPARE(readFile(path), original);
            return;
        }
        // Saved: the whole document, written to a new file that replaced the old one.
        const QString saved = QString::fromUtf8(readFile(path));
        QVERIFY(saved.contains(QStringLiteral("ORG:Analytical Engines")));
        QVERIFY(saved.contains(QStringLiteral("Turing")));
        QVERIFY(inodeOf(path) != originalInode);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList { QStringLiteral("people.vcf") });
    }

    void undoingEveryChangeClearsTheEditedMark()
    {
        QTemporaryDir dir;
        const QString path = writeFile(dir, QStringLiteral("people.vcf"), twoCards().toUtf8());
        Document *document
            = DocumentController::shared().openDocumentWithContentsOfFile(path, Encodings::Automatic);
        QVERIFY(document);
        WindowController *window = document->mainWindowController();
        QVERIFY(!document->isDocumentEdited());
        editFirstContact(document, QStringLiteral("One"));
        editFirstContact(document, QStringLiteral("Two"));
        QVERIFY(document->isDocumentEdited());

        ViewController *content = document->mainViewController();
        content->undo();
        QVERIFY(document->isDocumentEdited());
        content->undo();
        QVERIFY(!document->isDocumentEdited());
        QVERIFY(!window->isWindowModified());
        content->redo();
        QVERIFY(document->isDocumentEdited());
        QVERIFY(window->isWindowModified());

        // After saving, the saved state is the clean one: undoing past it is an edit again.
        QVERIFY(document->save());
        QVERIFY(!document->isDocumentEdited());
        content->undo();
        QVERIFY(document->isDocumentEdited());
        content->redo();
        QVERIFY(!document->isDocumentEdited());
        closeDocument(document);
    }
};

QTEST_MAIN(DocumentWindowTest)
#include "documentwindow_test.moc"
