#include "editing/contacteditor.h"
#include "formats/contactdump.h"
#include "formats/qvvcard.h"
#include "platform/mimetypes.h"
#include "platform/undomanager.h"
#include "table/contacttransfer.h"
#include "tabletestutil.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>
#include <memory>

namespace {

using TableTest::add;
using TableTest::person;

SubContactRow rowOf(const PersonPtr &p, int labelIndex)
{
    SubContactRow row;
    row.person = p;
    row.uniqueId = p->uniqueId();
    row.labelIndex = labelIndex;
    return row;
}

QString fileText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

ContactList readCards(const QString &text)
{
    const std::optional<ContainerTable> containers = QVvCard::containersFromVCards(text);
    if (!containers || containers->isEmpty())
        return {};
    return *QVvCard::contactsInContainer(containers->first());
}

// The records as indented JSON, so that a failure shows the differing fields. Custom item
// definitions belong to the window, whose writer gives every card all of them: only the values
// a record holds are its own.
std::string dumps(const ContactList &contacts)
{
    QJsonArray out;
    for (const ContactEntry &entry : contacts) {
        QJsonObject record = ContactDump::person(*entry->person);
        record.remove(qs("customItems"));
        QJsonObject values = record.value(qs("customValues")).toObject();
        for (const QString &name : values.keys()) {
            if (values.value(name).toString().isNull() ? values.value(name).toArray().isEmpty()
                                                       : values.value(name).toString().isEmpty())
                values.remove(name);
        }
        record.insert(qs("customValues"), values);
        out.append(record);
    }
    return QJsonDocument(out).toJson().toStdString();
}

TEST(ContactTransfer, DragOfRowsCarriesEachContactOnceAndNamesTheRows)
{
    const PersonPtr anna = person("Anna", "Berg");
    add(anna, FieldId::Phone, { { "home", "111" }, { "work", "222" } });
    const PersonPtr bo = person("Bo", "Lund");
    const SubContactRows rows = { rowOf(anna, 0), rowOf(anna, 1), rowOf(bo, 0) };
    QTemporaryDir folder;

    // Two rows of one contact: one card, one line of text.
    std::unique_ptr<QMimeData> two(ContactTransfer::dragMimeData(rows, { 0, 1 }, {}, folder.path()));
    ASSERT_TRUE(two);
    const QString cards = QString::fromUtf8(two->data(MimeType::VCard));
    EXPECT_EQ(cards.count(qs("BEGIN:VCARD")), 1);
    EXPECT_FALSE(two->text().contains(u'\n'));
    EXPECT_TRUE(two->text().contains(qs("Anna Berg")));
    EXPECT_EQ(two->data(MimeType::StringIndexes), QByteArray("0,1"));
    EXPECT_EQ(two->data(MimeType::LabelIndex), QByteArray("0"));
    // The file others receive holds the same cards.
    ASSERT_EQ(two->urls().size(), 1);
    EXPECT_EQ(two->urls().first().fileName(), TransferFile::DraggingContacts);
    EXPECT_EQ(fileText(two->urls().first().toLocalFile()), cards);

    // Rows of two contacts, dragged from the second row on.
    std::unique_ptr<QMimeData> mixed(ContactTransfer::dragMimeData(rows, { 1, 2 }, {}, folder.path()));
    ASSERT_TRUE(mixed);
    EXPECT_EQ(QString::fromUtf8(mixed->data(MimeType::VCard)).count(qs("BEGIN:VCARD")), 2);
    EXPECT_EQ(mixed->text().count(u'\n'), 1);
    EXPECT_EQ(mixed->data(MimeType::LabelIndex), QByteArray("1"));
    // The file was replaced, not appended to.
    EXPECT_EQ(fileText(mixed->urls().first().toLocalFile()).count(qs("BEGIN:VCARD")), 2);

    EXPECT_EQ(ContactTransfer::dragMimeData(rows, { 7 }, {}, folder.path()), nullptr);
}

TEST(ContactTransfer, CopyWritesOneLinePerRowOfTheShownColumns)
{
    const PersonPtr anna = person("Anna", "Berg");
    add(anna, FieldId::Phone, { { "home", "111" }, { "work", "222" }, { "mobile", "333" } });
    const SubContactRows rows = { rowOf(anna, 0), rowOf(anna, 1), rowOf(anna, 2) };

    const QStringList lines
        = ContactTransfer::delimitedText(rows, { FieldId::Name, FieldId::Phone }, TransferText::Tab)
              .split(u'\n');
    ASSERT_EQ(lines.size(), 3);
    const QStringList phones = { qs("111"), qs("222"), qs("333") };
    for (qsizetype i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines.at(i).count(u'\t'), 1) << lines.at(i).toStdString();
        EXPECT_TRUE(lines.at(i).contains(qs("Anna Berg")));
        EXPECT_TRUE(lines.at(i).endsWith(phones.at(i))) << lines.at(i).toStdString();
    }
    const QString csv = ContactTransfer::delimitedText(rows.mid(0, 1), { FieldId::Name, FieldId::Phone },
                                                       TransferText::CommaSpace);
    EXPECT_FALSE(csv.contains(u'\t'));
    EXPECT_TRUE(csv.contains(TransferText::CommaSpace));

    // Only the Name column shown: every field is copied.
    EXPECT_EQ(ContactTransfer::copyIdentifiers({ FieldId::Name }), QVPerson::allIdentifiers());
    // Nothing selected: nothing goes on the clipboard.
    EXPECT_EQ(
        ContactTransfer::delimitedMimeData(
            ContactTransfer::delimitedText({}, { FieldId::Name }, TransferText::Tab), MimeType::TabSeparated),
        nullptr);
}

TEST(ContactTransfer, PastedLineMakesOneContactFromItsFirstLine)
{
    const QStringList columns
        = { FieldId::Name, FieldId::Phone, FieldId::Zip, FieldId::City, FieldId::Company };

    const ContactEntry entry = ContactTransfer::contactFromString(
        qs("Berg\t555-1234\t111 22\tStockholm\tAcme\nLund\t999\n"), columns);
    ASSERT_TRUE(entry);
    QVPerson &p = *entry->person;
    EXPECT_EQ(p.valueForIdentifier(FieldId::LastName).toString(), qs("Berg"));
    EXPECT_TRUE(p.showAsPerson());
    ASSERT_EQ(p.phoneValues().size(), 1);
    EXPECT_EQ(p.phoneValues().first().toMap().value(Key::Label).toString(), LabelWord::Home);
    EXPECT_EQ(p.phoneValues().first().toMap().value(Key::Value).toString(), qs("555-1234"));
    // Address parts gather into one address.
    ASSERT_EQ(p.addressValues().size(), 1);
    EXPECT_EQ(p.addressValues().first().toMap().value(FieldId::City).toString(), qs("Stockholm"));
    EXPECT_EQ(p.addressValues().first().toMap().value(FieldId::Zip).toString(), qs("111 22"));
    EXPECT_EQ(p.stringValueForIdentifier(FieldId::Company), qs("Acme"));
    EXPECT_TRUE(entry->isNew);
    EXPECT_TRUE(p.created());
    // Nothing of the second line was taken.
    EXPECT_FALSE(p.phoneValues().first().toMap().value(Key::Value).toString().contains(qs("999")));

    // Without tabs the line is cut at commas (Copy as CSV puts a space after each).
    const ContactEntry csv = ContactTransfer::contactFromString(qs("Lund, 999\r\n"), columns);
    ASSERT_TRUE(csv);
    EXPECT_EQ(csv->person->valueForIdentifier(FieldId::LastName).toString(), qs("Lund"));
    EXPECT_EQ(csv->person->phoneValues().first().toMap().value(Key::Value).toString(), qs("999"));

    // A line that sets nothing makes no contact.
    EXPECT_FALSE(ContactTransfer::contactFromString(qs("\t\t\nBerg\t555"), columns));
    EXPECT_FALSE(ContactTransfer::contactFromString(qs("x\ty"), { FieldId::Photo, FieldId::Groups }));
}

TEST(ContactTransfer, CopiedCardsAddedToAnotherDocumentGiveTheSameRecords)
{
    const ContactList source = readCards(fileText(qs(PELLORY_SOURCE_DIR "/tests/formats/data/full30.vcf"))
                                         + fileText(qs(PELLORY_SOURCE_DIR "/tests/formats/data/qp21.vcf")));
    ASSERT_GE(source.size(), 2);
    SubContactRows rows;
    for (const ContactEntry &entry : source) {
        rows.append(SubContactRow::fromEntry(entry));
        rows.append(SubContactRow::fromEntry(entry)); // a second row of the same contact
    }
    QTemporaryDir folder;
    std::unique_ptr<QMimeData> data(
        ContactTransfer::vCardMimeData(ContactTransfer::vCardText(ContactTransfer::contactsOfRows(rows),
                                                                  QVvCard::customItemDefinitions(source)),
                                       folder.path()));
    ASSERT_TRUE(data);
    EXPECT_EQ(data->urls().first().fileName(), TransferFile::SelectedContacts);

    // The receiving document's editor reads the cards the way a paste or a drop hands them over.
    auto container = std::make_shared<ContainerEntryData>();
    auto all = std::make_shared<GroupEntryData>();
    all->top = true;
    all->contactTable = std::make_shared<ContactList>();
    container->groups.append(all);
    UndoManager undo;
    ContactEditor editor(&undo);
    editor.setContainerTable({ container });
    EXPECT_EQ(editor.addContactByVCardString(ContactTransfer::vCardTextFromMimeData(data.get())),
              source.size());
    EXPECT_EQ(dumps(*all->contactTable), dumps(source));

    // Only the file: the same text is read from it.
    QMimeData fileOnly;
    fileOnly.setUrls(data->urls());
    EXPECT_EQ(ContactTransfer::vCardTextFromMimeData(&fileOnly),
              QString::fromUtf8(data->data(MimeType::VCard)));
}

TEST(ContactTransfer, DroppedDataIsTakenAsVCardOnlyFromVCardTypesAndFiles)
{
    QTemporaryDir folder;
    const QString card = qs("BEGIN:VCARD\r\nVERSION:3.0\r\nN:Berg;Anna;;;\r\nFN:Anna Berg\r\nEND:VCARD\r\n");
    const QString vcf = ContactTransfer::writeFile(folder.path(), qs("a.vcf"), card);
    const QString txt = ContactTransfer::writeFile(folder.path(), qs("a.txt"), card);
    ASSERT_FALSE(vcf.isEmpty());

    QMimeData legacy;
    legacy.setData(MimeType::VCardLegacy, card.toUtf8());
    EXPECT_EQ(ContactTransfer::vCardTextFromMimeData(&legacy), card);

    QMimeData files;
    files.setUrls({ QUrl::fromLocalFile(txt), QUrl::fromLocalFile(vcf), QUrl::fromLocalFile(vcf) });
    EXPECT_EQ(ContactTransfer::vCardTextFromMimeData(&files).count(qs("BEGIN:VCARD")), 2);

    QMimeData text;
    text.setText(card);
    EXPECT_TRUE(ContactTransfer::vCardTextFromMimeData(&text).isEmpty());
    EXPECT_TRUE(ContactTransfer::hasAcceptableData(&text));
    QMimeData other;
    other.setData(qs("image/png"), "x");
    EXPECT_FALSE(ContactTransfer::hasAcceptableData(&other));
}

} // namespace
