// Saving a document without losing data: a disk that fills up, a file another window or program
// changed, and changes on disk noticed while the document is open.
#include "../smalltmpfs.h"
#include "../window/windowtestutil.h"
#include "platform/encodings.h"
#include "record/keys.h"

#include <QFile>
#include <QtTest>

using namespace WindowTest;

namespace {

QString cards(const QStringList &names)
{
    QString text;
    for (const QString &name : names)
        text += vCard(name, QStringLiteral("Family"));
    return text;
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeContents(const QString &path, const QByteArray &bytes,
                   QIODevice::OpenMode mode = QIODevice::WriteOnly)
{
    QFile file(path);
    return file.open(mode) && file.write(bytes) == bytes.size();
}

// A document of the file with its window, as a second window or another instance would open it.
Document *openFile(const QString &path)
{
    auto *document = new Document;
    DocumentError error;
    if (!document->readFromFile(path, DocumentType::VCard, Encodings::Automatic, &error)) {
        delete document;
        return nullptr;
    }
    document->makeWindowControllers();
    return document;
}

void setFirstCompany(Document *document, const QString &company)
{
    ViewController *content = document->mainViewController();
    QVERIFY(content->editor()->undoReplaceValue(company, FieldId::Company, content->contactTable()->first(),
                                                nullptr));
    QCoreApplication::processEvents(); // the undo step closes with the event
}

int shownContacts(Document *document)
{
    int count = 0;
    for (const ContactEntry &entry : *document->mainViewController()->contactTable())
        count += entry->deleted ? 0 : 1;
    return count;
}

QMessageBox *visibleMessageBox()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *box = qobject_cast<QMessageBox *>(widget); box && box->isVisible())
            return box;
    }
    return nullptr;
}

} // namespace

class DocumentSaveTest : public QObject
{
    Q_OBJECT

public:
    static void initMain() { WindowTest::initMain(); }

private Q_SLOTS:
    void init() { resetPreferences(); }

    void cleanup()
    {
        // A question left open by a failed check must not answer for the next test.
        while (QMessageBox *box = visibleMessageBox())
            box->reject();
    }

    void saveOnAFullDiskKeepsTheFileAndTheEditedMark()
    {
        SmallTmpfs disk(256 * 1024);
        if (!disk.isMounted())
            QSKIP(qPrintable(disk.skipReason()));
        const QString path = disk.filePath(QStringLiteral("people.vcf"));
        QFile::copy(QStringLiteral(PELLORY_SOURCE_DIR "/examples/contacts.vcf"), path);
        const QByteArray original = contents(path);
        Document *document = openFile(path);
        QVERIFY(document);
        setFirstCompany(document, QStringLiteral("Analytical Engines"));
        // Room for a part of the file only.
        QVERIFY(disk.fillLeaving(8 * 1024));

        MessageBoxAnswer reply(QMessageBox::Ok);
        QVERIFY(!document->save());
        QVERIFY(reply.answered());
        QVERIFY2(QString(reply.text() + reply.informativeText()).contains(QStringLiteral("The disk is full")),
                 qPrintable(reply.text() + u'|' + reply.informativeText()));
        QCOMPARE(contents(path), original);
        QCOMPARE(disk.entries(), QStringList { QStringLiteral("people.vcf") });
        QVERIFY(document->isDocumentEdited());
        QVERIFY(document->mainWindowController()->isWindowModified());
        closeDocument(document);
    }

    void theSecondSaveOfOneFileAsksFirst_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("cancel") << int(QMessageBox::Cancel);
        QTest::newRow("revert to the file on disk") << int(QMessageBox::Discard);
        QTest::newRow("save anyway") << int(QMessageBox::Save);
    }

    void theSecondSaveOfOneFileAsksFirst()
    {
        QFETCH(int, answer);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("people.vcf"));
        QVERIFY(writeContents(path, cards({ QStringLiteral("Ada"), QStringLiteral("Alan") }).toUtf8()));
        Document *first = openFile(path);
        Document *second = openFile(path);
        QVERIFY(first && second);
        setFirstCompany(first, QStringLiteral("First Window"));
        setFirstCompany(second, QStringLiteral("Second Window"));
        QVERIFY(first->save());
        const QByteArray firstSaved = contents(path);
        QVERIFY(firstSaved.contains("ORG:First Window"));

        MessageBoxAnswer reply { QMessageBox::StandardButton(answer) };
        const bool saved = second->save();
        QVERIFY(reply.answered());
        QCOMPARE(saved, answer == QMessageBox::Save);
        switch (answer) {
        case QMessageBox::Cancel:
            QCOMPARE(contents(path), firstSaved);
            QVERIFY(second->isDocumentEdited());
            break;
        case QMessageBox::Discard:
            // The second window now shows what the first one saved, and is clean.
            QCOMPARE(contents(path), firstSaved);
            QVERIFY(!second->isDocumentEdited());
            QCOMPARE(second->mainViewController()->contactTable()->first()->person->stringValueForIdentifier(
                         FieldId::Company),
                     QStringLiteral("First Window"));
            break;
        default:
            QVERIFY(contents(path).contains("ORG:Second Window"));
            QVERIFY(!second->isDocumentEdited());
            // Its own save is the new known state: saving again does not ask.
            setFirstCompany(second, QStringLiteral("Again"));
            QVERIFY(second->save());
        }
        closeDocument(first);
        closeDocument(second);
    }

    void aChangeOnDiskIsOfferedForReloading_data()
    {
        QTest::addColumn<bool>("replace");
        QTest::newRow("appended in place") << false;
        QTest::newRow("replaced by a new file") << true;
    }

    void aChangeOnDiskIsOfferedForReloading()
    {
        QFETCH(bool, replace);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("people.vcf"));
        QVERIFY(writeContents(path, cards({ QStringLiteral("Ada"), QStringLiteral("Alan") }).toUtf8()));
        Document *document = openFile(path);
        QVERIFY(document);
        QCOMPARE(shownContacts(document), 2);

        // Our own save is no change on disk, and the file is still watched after it replaced it.
        setFirstCompany(document, QStringLiteral("Own Save"));
        QVERIFY(document->save());
        QTest::qWait(600);
        QVERIFY(!visibleMessageBox());

        const QByteArray third = cards({ QStringLiteral("Grace") }).toUtf8();
        if (replace) {
            const QString other = dir.filePath(QStringLiteral("other.vcf"));
            QVERIFY(writeContents(other, contents(path) + third));
            QVERIFY(::rename(QFile::encodeName(other).constData(), QFile::encodeName(path).constData()) == 0);
        } else {
            QVERIFY(writeContents(path, third, QIODevice::Append));
        }
        MessageBoxAnswer reply(QMessageBox::Ok);
        QTRY_VERIFY(reply.answered());
        QVERIFY(reply.text().contains(QStringLiteral("people.vcf")));
        QTRY_COMPARE(shownContacts(document), 3);
        QVERIFY(!document->isDocumentEdited());
        QCOMPARE(document->mainViewController()->contactTable()->first()->person->stringValueForIdentifier(
                     FieldId::Company),
                 QStringLiteral("Own Save"));
        closeDocument(document);
    }

    void aChangeBehindUnsavedEditsIsCaughtWhenSaving()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("people.vcf"));
        QVERIFY(writeContents(path, cards({ QStringLiteral("Ada") }).toUtf8()));
        Document *document = openFile(path);
        QVERIFY(document);
        setFirstCompany(document, QStringLiteral("Mine"));
        QVERIFY(writeContents(path, cards({ QStringLiteral("Grace") }).toUtf8(), QIODevice::Append));
        // Unsaved edits are not interrupted by an offer to reload...
        QTest::qWait(600);
        QVERIFY(!visibleMessageBox());
        // ...but the save does not silently drop the other program's card.
        const QByteArray changed = contents(path);
        MessageBoxAnswer reply(QMessageBox::Cancel);
        QVERIFY(!document->save());
        QVERIFY(reply.answered());
        QCOMPARE(contents(path), changed);
        QVERIFY(document->isDocumentEdited());
        closeDocument(document);
    }
};

QTEST_MAIN(DocumentSaveTest)
#include "documentsave_test.moc"
