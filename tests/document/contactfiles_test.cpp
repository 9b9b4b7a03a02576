#include "../testutil.h"
#include "document/contactfiles.h"
#include "formats/contactdump.h"
#include "platform/encodings.h"
#include "record/keys.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

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

ContainerTable readContainers(const QString &path, const QString &morePath = {})
{
    const QByteArray bytes = fileBytes(path) + (morePath.isEmpty() ? QByteArray() : fileBytes(morePath));
    return QVvCard::containersFromVCardData(bytes).value_or(ContainerTable());
}

ContactList allContacts(const ContainerTable &containers)
{
    return *QVvCard::contactsInContainer(containers.first());
}

class ContactFilesTest : public ::testing::Test
{
protected:
    QString path(const char *name) const { return folder.filePath(qs(name)); }
    QTemporaryDir folder;
};

TEST_F(ContactFilesTest, ExportedDocumentReadsBackToTheSameContactsAndGroups)
{
    const ContainerTable containers = readContainers(qs(PELLORY_SOURCE_DIR "/tests/formats/data/full30.vcf"),
                                                     qs(PELLORY_SOURCE_DIR "/tests/formats/data/qp21.vcf"));
    ASSERT_FALSE(containers.isEmpty());
    const ContactList contacts = allContacts(containers);
    ASSERT_GE(contacts.size(), 2);

    const std::optional<QByteArray> data
        = ContactExport::vCardData(contacts, QVvCard::customItemDefinitions(contacts), containers.first());
    ASSERT_TRUE(data);
    ASSERT_TRUE(ContactExport::writeData(path("out.vcf"), *data));
    EXPECT_EQ(ContactDump::dump(readContainers(path("out.vcf"))), ContactDump::dump(containers));

    // Importing the written file gives the contacts, in order.
    const ImportedContacts imported = ContactImport::readVCardFile(path("out.vcf"), Encodings::Automatic);
    ASSERT_TRUE(imported.readError.isEmpty());
    ASSERT_EQ(imported.contacts.size(), contacts.size());
    for (qsizetype i = 0; i < contacts.size(); ++i)
        EXPECT_EQ(ContactDump::person(*imported.contacts.at(i)->person),
                  ContactDump::person(*contacts.at(i)->person));
}

TEST_F(ContactFilesTest, CardsWrittenToADeviceAreTheExportedText)
{
    const ContainerTable containers = readContainers(qs(PELLORY_SOURCE_DIR "/tests/formats/data/full30.vcf"));
    const ContactList contacts = allContacts(containers);
    const QVariantList customItems = QVvCard::customItemDefinitions(contacts);
    const std::optional<QByteArray> data = ContactExport::vCardData(contacts, customItems, containers.first());
    ASSERT_TRUE(data);

    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(ContactExport::writeVCards(buffer, contacts, customItems, containers.first()));
    EXPECT_EQ(buffer.data(), *data);

    // Stopped by the progress handler, or refused by the device: reported, not taken as written.
    QBuffer stopped;
    stopped.open(QIODevice::WriteOnly);
    EXPECT_FALSE(ContactExport::writeVCards(stopped, contacts, customItems, {}, [](double) { return true; }));
    QBuffer readOnly;
    readOnly.open(QIODevice::ReadOnly);
    EXPECT_FALSE(ContactExport::writeVCards(readOnly, contacts, customItems, {}));
}

TEST_F(ContactFilesTest, StoppedWritingGivesNoTextAndAFailedWriteKeepsTheOldFile)
{
    const ContactList contacts
        = allContacts(readContainers(qs(PELLORY_SOURCE_DIR "/tests/formats/data/full30.vcf")));
    double last = -1;
    EXPECT_FALSE(ContactExport::vCardData(contacts, {}, {}, [&](double percent) {
        last = percent;
        return true;
    }));
    EXPECT_EQ(last, 0.0); // stopped at the first report

    ASSERT_TRUE(writeBytes(path("old.vcf"), "old contents"));
    // A folder cannot be replaced by a file: the write fails and says why.
    QString error;
    EXPECT_FALSE(ContactExport::writeData(folder.path(), "new", &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(ContactExport::writeData(path("missing/out.vcf"), "new"));
    EXPECT_EQ(fileBytes(path("old.vcf")), QByteArray("old contents"));
    ASSERT_TRUE(ContactExport::writeData(path("old.vcf"), qs("new ü").toUtf8()));
    EXPECT_EQ(fileBytes(path("old.vcf")), QString(qs("new ü")).toUtf8());
}

TEST_F(ContactFilesTest, ContactsToWriteFollowTheSelectionOnceEachFromTheTable)
{
    const ContactEntry a = makeContactEntry(QVPerson::create());
    const ContactEntry b = makeContactEntry(QVPerson::create());
    const ContactEntry c = makeContactEntry(QVPerson::create());
    c->deleted = true;
    const ContactEntry stranger = makeContactEntry(QVPerson::create());
    const ContactList table = { a, b, c };
    const ContactList selected = { b, a, copyContactEntry(b), c, stranger };
    const ContactList written = ContactExport::contactsToWrite(selected, table);
    ASSERT_EQ(written.size(), 2);
    EXPECT_EQ(written.at(0), b);
    EXPECT_EQ(written.at(1), a);
}

TEST_F(ContactFilesTest, ProposedNameIsTheFirstContactsNameWithoutStandIn)
{
    const PersonPtr nameless = QVPerson::create();
    EXPECT_EQ(ContactExport::proposedFileName({ makeContactEntry(nameless) }, qs(".vcf")), qs(".vcf"));
    const PersonPtr named = QVPerson::create();
    named->setValue(QVariantMap { { FieldId::FirstName, qs("Anna") }, { FieldId::LastName, qs("A/B") } },
                    FieldId::Name);
    EXPECT_EQ(
        ContactExport::proposedFileName({ makeContactEntry(named), makeContactEntry(nameless) }, qs(".csv")),
        qs("Anna A_B.csv"));
}

TEST_F(ContactFilesTest, ImportReportsUnreadableFilesAndFilesWithoutContacts)
{
    EXPECT_FALSE(ContactImport::readVCardFile(path("none.vcf"), Encodings::Automatic).readError.isEmpty());
    EXPECT_FALSE(ContactImport::readCsvFile(path("none.csv"), Encodings::Automatic).readError.isEmpty());

    ASSERT_TRUE(writeBytes(path("empty.vcf"), "no cards here\n"));
    const ImportedContacts none = ContactImport::readVCardFile(path("empty.vcf"), Encodings::Automatic);
    EXPECT_TRUE(none.readError.isEmpty());
    EXPECT_TRUE(none.contacts.isEmpty());

    ASSERT_TRUE(writeBytes(path("people.csv"), "Name,Phone\nAnna Berg,555\nBo Lund,666\n"));
    const ImportedContacts csv = ContactImport::readCsvFile(path("people.csv"), Encodings::Automatic);
    ASSERT_EQ(csv.contacts.size(), 2);
    EXPECT_EQ(csv.contacts.at(1)->person->compositeName(), qs("Bo Lund"));

    // Stopping the reader is told apart from a file without contacts.
    const QString source = qs(PELLORY_SOURCE_DIR "/tests/formats/data/full30.vcf");
    EXPECT_TRUE(
        ContactImport::readVCardFile(source, Encodings::Automatic, [](double) { return true; }).cancelled);
}

} // namespace
