// The window of the system address books: address books and their groups as the sidebar shows
// them, contacts read when a group is first selected, photos fetched on first use, the problems
// of a damaged store reported, every edit refused, and nothing ever written into the store.
#include "document/addressbook.h"
#include "document/documentcontroller.h"
#include "platform/contactstore.h"
#include "platform/keys.h"
#include "record/keys.h"
#include "table/contactstablemodel.h"
#include "table/contactsviewcontroller.h"
#include "window/groupviewcontroller.h"
#include "window/preferencespanel.h"
#include "windowtestutil.h"

#include <QBuffer>
#include <QClipboard>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QMimeData>
#include <QTableView>
#include <unistd.h>

using namespace WindowTest;

namespace {

QByteArray pngBytes(const QColor &color)
{
    QImage image(2, 2, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QByteArray person(const char *uid, const char *given, const char *family, const QByteArray &extra = {})
{
    QByteArray card = "BEGIN:VCARD\r\nVERSION:4.0\r\n";
    if (*uid)
        card += QByteArray("UID:urn:uuid:") + uid + "\r\n";
    return card + "N:" + family + ';' + given + ";;;\r\nFN:" + given + ' ' + family + "\r\n" + extra
        + "END:VCARD\r\n";
}

QByteArray photoLine(const QColor &color)
{
    return "PHOTO;ENCODING=b;TYPE=PNG:" + pngBytes(color).toBase64() + "\r\n";
}

// Every file of the tree with its bytes and modification time.
QMap<QString, QPair<QByteArray, QDateTime>> snapshot(const QString &root)
{
    QMap<QString, QPair<QByteArray, QDateTime>> files;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        QFile file(info.filePath());
        const QByteArray bytes
            = info.isFile() && file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        files.insert(info.filePath(), { bytes, info.lastModified() });
    }
    return files;
}

} // namespace

class AddressBookTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_tree;
    QString write(const QString &relative, const QByteArray &bytes)
    {
        const QString path = m_tree.filePath(relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return {};
        return path;
    }

    // Two address books: a vCard 4 one with a KIND:group card, a broken card and a card without
    // UID, and one kept by a server that writes X-ADDRESSBOOKSERVER group cards.
    void makeTree()
    {
        write(QStringLiteral("personal/displayname"), "Personal\n");
        write(QStringLiteral("personal/ada.vcf"),
              person("a1", "Ada", "Lovelace", "TEL;TYPE=cell:111\r\n" + photoLine(Qt::red)));
        write(QStringLiteral("personal/alan.vcf"),
              person("a2", "Alan", "Turing", "CATEGORIES:Colleagues\r\n"));
        write(QStringLiteral("personal/nouid.vcf"),
              person("", "Grace", "Hopper", "CATEGORIES:Colleagues\r\n"));
        write(QStringLiteral("personal/broken.vcf"), "this is no card at all\r\n");
        write(QStringLiteral("personal/family.vcf"),
              "BEGIN:VCARD\r\nVERSION:4.0\r\nKIND:group\r\nFN:Family\r\n"
              "UID:urn:uuid:g1\r\nMEMBER:urn:uuid:a1\r\nEND:VCARD\r\n");
        write(QStringLiteral("work/kurt.vcf"),
              "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:k1\r\nN:Goedel;Kurt;;;\r\n"
              "FN:Kurt Goedel\r\nEND:VCARD\r\n");
        write(QStringLiteral("work/acme.vcf"),
              "BEGIN:VCARD\r\nVERSION:4.0\r\nKIND:org\r\nUID:o1\r\nFN:Acme\r\n"
              "ORG:Acme\r\nEND:VCARD\r\n");
        write(QStringLiteral("work/team.vcf"),
              "BEGIN:VCARD\r\nVERSION:3.0\r\nX-ADDRESSBOOKSERVER-KIND:group\r\n"
              "FN:Team\r\nX-ADDRESSBOOKSERVER-MEMBER:urn:uuid:k1\r\nEND:VCARD\r\n");
    }

    Document *open()
    {
        UserDefaults::standard().setValue(DefaultsKey::ContactStoreRoot, m_tree.path());
        return DocumentController::shared().openAddressBook();
    }

    static QStringList names(const ContactTable &table)
    {
        QStringList list;
        if (table) {
            for (const ContactEntry &entry : *table)
                list.append(entry->person->compositeName());
        }
        std::sort(list.begin(), list.end());
        return list;
    }

    static QStringList groupNames(const ContainerEntry &container)
    {
        QStringList list;
        for (const GroupEntry &group : container->groups)
            list.append(group->name);
        return list;
    }

    // The refusals that were not answered one by one.
    static void closeAlerts()
    {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (auto *box = qobject_cast<QMessageBox *>(widget); box && box->isVisible())
                box->reject();
        }
    }

    static QAction *action(WindowController *window, const QString &text)
    {
        for (QAction *each : window->findChildren<QAction *>()) {
            if (each->text() == text)
                return each;
        }
        return nullptr;
    }

public:
    static void initMain() { WindowTest::initMain(); }

private Q_SLOTS:
    void initTestCase() { makeTree(); }
    void init() { resetPreferences(); }
    void cleanup()
    {
        closeAlerts();
        // A failed test leaves its window open: the next one must open the store anew.
        for (Document *document : DocumentController::shared().documents())
            closeDocument(document);
    }

    void showsBooksGroupsAndContacts()
    {
        MessageBoxAnswer alert(QMessageBox::Ok);
        Document *document = open();
        QVERIFY(document);
        QVERIFY(document->isReadOnly());
        ViewController *content = document->mainViewController();
        const ContainerTable books = content->containerTable();
        QCOMPARE(books.size(), 2);
        QCOMPARE(books[0]->name, QStringLiteral("Personal"));
        QCOMPARE(books[1]->name, QStringLiteral("work"));
        // Groups were read when the sidebar appeared: group cards of both kinds and a category.
        QCOMPARE(groupNames(books[0]),
                 (QStringList { QStringLiteral("All Contacts"), QStringLiteral("Colleagues"),
                                QStringLiteral("Family") }));
        QCOMPARE(groupNames(books[1]),
                 (QStringList { QStringLiteral("All Contacts"), QStringLiteral("Team") }));
        QVERIFY(content->groupViewController()->isVisible());

        // The first book's contacts were read as its "All Contacts" was selected; the other's wait.
        QCOMPARE(names(content->contactTable()),
                 (QStringList { QStringLiteral("Ada Lovelace"), QStringLiteral("Alan Turing"),
                                QStringLiteral("Grace Hopper") }));
        QVERIFY(!books[1]->groups[0]->contactTable);
        QTRY_VERIFY(alert.answered());
        QCOMPARE(alert.text(), QStringLiteral("Some cards could not be read."));
        QVERIFY2(alert.informativeText().contains(QStringLiteral("broken.vcf")),
                 qPrintable(alert.informativeText()));

        content->setSelectedGroupDict(books[0]->groups[2]);
        QCOMPARE(names(content->contactTable()), QStringList { QStringLiteral("Ada Lovelace") });
        content->setSelectedGroupDict(books[0]->groups[1]);
        QCOMPARE(names(content->contactTable()),
                 (QStringList { QStringLiteral("Alan Turing"), QStringLiteral("Grace Hopper") }));
        content->setSelectedGroupDict(books[1]->groups[1]);
        QCOMPARE(names(content->contactTable()), QStringList { QStringLiteral("Kurt Goedel") });
        QCOMPARE(content->contactsViewController()->model()->subContactCount(), 1);
        // The group shares its records with "All Contacts"; a vCard 4 organisation reads as one.
        const ContactList &work = *books[1]->groups[0]->contactTable;
        QCOMPARE(work.size(), 2);
        QCOMPARE(content->contactTable()->first()->person, work[1]->person);
        QCOMPARE(work[0]->person->showAsPerson(), false);
        QCOMPARE(work[0]->uniqueId2, QStringLiteral("Acme"));
        closeDocument(document);
    }

    void fetchesThePhotoOnFirstUse()
    {
        MessageBoxAnswer alert(QMessageBox::Ok);
        Document *document = open();
        QVERIFY(document);
        const ContactTable table = document->mainViewController()->contactTable();
        PersonPtr ada;
        for (const ContactEntry &entry : *table) {
            if (entry->person->compositeName() == QStringLiteral("Ada Lovelace"))
                ada = entry->person;
        }
        QVERIFY2(ada, qPrintable(names(table).join(u',')));
        QCOMPARE(ada->phoneValues().size(), 1);
        // The card changed on disk after the table was read: the photo comes from the store as
        // it is when first asked for, so it was not read with the table.
        const QString path = m_tree.filePath(QStringLiteral("personal/ada.vcf"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray original = file.readAll();
        file.close();
        write(QStringLiteral("personal/ada.vcf"), person("a1", "Ada", "Lovelace", photoLine(Qt::blue)));
        const QImage photo = ada->photo();
        write(QStringLiteral("personal/ada.vcf"), original);
        QVERIFY(!photo.isNull());
        QCOMPARE(photo.pixelColor(0, 0), QColor(Qt::blue));
        QCOMPARE(ada->imageData(), pngBytes(Qt::blue)); // kept: not fetched again
        closeDocument(document);
    }

    void refusesEveryEdit()
    {
        MessageBoxAnswer alert(QMessageBox::Ok);
        Document *document = open();
        QVERIFY(document);
        QTRY_VERIFY(alert.answered());
        WindowController *window = document->mainWindowController();
        ViewController *content = document->mainViewController();
        QVERIFY(!content->editState());
        const qsizetype before = content->contactTable()->size();

        for (const QString &text : { QStringLiteral("Delete Contacts"), QStringLiteral("Duplicate Contacts"),
                                     QStringLiteral("Add New Contact"), QStringLiteral("Merge Contacts"),
                                     QStringLiteral("Add Group"), QStringLiteral("Import from vCard…"),
                                     QStringLiteral("Import from CSV…") }) {
            content->contactsViewController()->tableView()->selectAll();
            window->validateMenus();
            QAction *item = action(window, text);
            QVERIFY2(item, qPrintable(text));
            QVERIFY2(!item->isEnabled(), qPrintable(text));
        }

        MessageBoxAnswer lock(QMessageBox::Ok);
        window->editButtonClicked();
        QTRY_VERIFY(lock.answered());
        QCOMPARE(lock.text(), QStringLiteral("The address book is read only."));
        QVERIFY(!content->editState());

        MessageBoxAnswer refused(QMessageBox::Ok);
        content->contactsViewController()->tableView()->selectAll();
        content->deleteContacts();
        content->addContact();
        content->addGroup();
        QTRY_VERIFY(refused.answered());
        QCOMPARE(refused.text(), QStringLiteral("The address book is read only."));
        closeAlerts();
        // Nor do the ways in that do not ask the lock: a drop, the editor's operations themselves.
        QMimeData drop;
        drop.setData(QStringLiteral("text/vcard"), person("d1", "Dropped", "In"));
        QVERIFY(!content->contactsViewController()->acceptDrop(&drop, false));
        const ContactEntry first = content->contactTable()->first();
        const QString company = first->person->stringValueForIdentifier(FieldId::Company);
        QVERIFY(!content->editor()->undoReplaceValue(QStringLiteral("Changed"), FieldId::Company, first,
                                                     nullptr));
        QCOMPARE(first->person->stringValueForIdentifier(FieldId::Company), company);
        QCOMPARE(content->contactTable()->size(), before);
        QCOMPARE(content->containerTable().first()->groups.size(), 3);
        QVERIFY(!document->isDocumentEdited());
        closeDocument(document);
    }

    void copiesAndExportsButNeverWritesTheStore()
    {
        const auto before = snapshot(m_tree.path());
        // Write permission taken away as well: a write would fail, unless we run as root, where
        // only the comparison of the bytes shows it.
        QDirIterator it(m_tree.path(), QDir::AllEntries | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            QFile::setPermissions(path,
                                  QFile::permissions(path)
                                      & ~(QFileDevice::WriteOwner | QFileDevice::WriteUser
                                          | QFileDevice::WriteGroup | QFileDevice::WriteOther));
        }

        MessageBoxAnswer alert(QMessageBox::Ok);
        Document *document = open();
        QVERIFY(document);
        ViewController *content = document->mainViewController();
        for (const ContainerEntry &book : content->containerTable()) {
            for (const GroupEntry &group : book->groups)
                content->setSelectedGroupDict(group);
        }
        content->setSelectedGroupDict(content->containerTable().first()->groups.first());
        ContactsViewController *table = content->contactsViewController();
        table->tableView()->selectAll();
        table->copyAsVCard();
        const QString copied
            = QString::fromUtf8(QGuiApplication::clipboard()->mimeData()->data(QStringLiteral("text/vcard")));
        QVERIFY2(copied.contains(QStringLiteral("FN:Ada Lovelace")), qPrintable(copied));
        QVERIFY2(copied.contains(QStringLiteral("PHOTO")), "the photo is fetched for the copy");

        QTemporaryDir out;
        QFile exported(out.filePath(QStringLiteral("export.vcf")));
        QVERIFY(exported.open(QIODevice::WriteOnly));
        QVERIFY(content->writeVCardDataOfDocument(exported));
        exported.close();
        QVERIFY(QFileInfo(exported).size() > 0);
        QVERIFY(!document->save());
        closeDocument(document);

        const auto after = snapshot(m_tree.path());
        QCOMPARE(after.keys(), before.keys());
        for (auto it = before.cbegin(); it != before.cend(); ++it) {
            QVERIFY2(after.value(it.key()) == it.value(), qPrintable(it.key()));
        }
        QDirIterator restore(m_tree.path(), QDir::AllEntries | QDir::NoDotAndDotDot,
                             QDirIterator::Subdirectories);
        while (restore.hasNext()) {
            const QString path = restore.next();
            QFile::setPermissions(
                path, QFile::permissions(path) | QFileDevice::WriteOwner | QFileDevice::WriteUser);
        }
    }

    void preferencesNameTheRoot()
    {
        UserDefaults &defaults = UserDefaults::standard();
        PreferencesPanel panel(defaults);
        QCOMPARE(ContactStore::rootPathFromDefaults(defaults),
                 QDir::homePath() + QStringLiteral("/.local/share/contacts"));
        panel.contactStoreRootField()->setText(m_tree.path());
        panel.accept();
        QCOMPARE(defaults.stringValue(DefaultsKey::ContactStoreRoot), m_tree.path());
        QCOMPARE(ContactStore::rootPathFromDefaults(defaults), m_tree.path());
        panel.contactStoreRootField()->clear();
        panel.accept();
        QVERIFY(!defaults.contains(DefaultsKey::ContactStoreRoot));

        // A root without address books opens nothing and says so.
        QTemporaryDir empty;
        defaults.setValue(DefaultsKey::ContactStoreRoot, empty.path());
        MessageBoxAnswer alert(QMessageBox::Ok);
        QVERIFY(!DocumentController::shared().openAddressBook());
        QVERIFY(alert.answered());
        QCOMPARE(alert.text(), QStringLiteral("The address book could not be opened."));
        QVERIFY(DocumentController::shared().documents().isEmpty());
    }

    void unreadableFileIsReported()
    {
        const QString locked = write(QStringLiteral("work/locked.vcf"), person("l1", "Lock", "Ed"));
        QFile::setPermissions(locked, QFileDevice::Permissions());
        QFile probe(locked);
        const bool readable = probe.open(QIODevice::ReadOnly);
        probe.close();
        if (readable) {
            QFile::remove(locked);
            QSKIP("permissions do not stop this user (root) from reading; the store's own test covers it");
        }
        MessageBoxAnswer alert(QMessageBox::Ok);
        Document *document = open();
        QVERIFY(document);
        QTRY_VERIFY(alert.answered());
        QCOMPARE(alert.text(), QStringLiteral("Error on reading a group in the 'work'."));
        QVERIFY(alert.informativeText().contains(locked));
        closeDocument(document);
        QFile::remove(locked);
    }
};

QTEST_MAIN(AddressBookTest)
#include "addressbook_test.moc"
