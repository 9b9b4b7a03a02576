// QVvCard reading and writing: cutting cards, categories, custom items, labels, progress and
// cancellation, the writer's own lines, and labels surviving a write and a read.
#include "../testutil.h"
#include "platform/contactlabels.h"
#include "record/keys.h"
#include "record/labelregistration.h"
#include "formats/vcardfilereader_p.h"
#include "vcardtestutil.h"

#include <gtest/gtest.h>

namespace {

using VCardTest::contacts;
using VCardTest::person;
using VCardTest::read;

QStringList groupNames(const ContainerTable &table)
{
    QStringList names;
    for (const GroupEntry &g : table.first()->groups)
        names.append(g->name + u':' + QString::number(g->contactTable->size()));
    return names;
}

TEST(VCardReading, CutsCardsAndCountsWhatItSkips)
{
    struct Case
    {
        const char *name;
        const char *text;
        qsizetype contacts;
        qsizetype skipped;
    };
    const Case cases[] = {
        { "blank lines between cards",
          "BEGIN:VCARD\r\nFN:A\r\nEND:VCARD\r\n\r\n\r\nBEGIN:VCARD\r\nFN:B\r\nEND:VCARD\r\n", 2, 0 },
        { "no card at all", "FN:A\r\nEND:VCARD\r\n", 0, 0 },
        { "lower-case card start", "begin:vcard\nfn:A\nend:vcard\n", 1, 0 },
        { "empty card between good ones",
          "BEGIN:VCARD\nFN:A\nEND:VCARD\nBEGIN:VCARD\nEND:VCARD\nBEGIN:VCARD\nFN:C\nEND:VCARD\n", 2, 1 },
        { "garbage card between good ones",
          "BEGIN:VCARD\nFN:A\nEND:VCARD\nBEGIN:VCARD\n\x01\x02 no "
          "colon\nEND:VCARD\nBEGIN:VCARD\nFN:C\nEND:VCARD",
          2, 1 },
    };
    for (const Case &c : cases) {
        VCardReadStatistics stats;
        const ContainerTable table = read(QByteArray(c.text), &stats);
        ASSERT_EQ(table.size(), 1) << c.name;
        EXPECT_EQ(contacts(table).size(), c.contacts) << c.name;
        EXPECT_EQ(stats.skippedCards, c.skipped) << c.name;
        EXPECT_EQ(table.first()->groups.size(), 1) << c.name;
    }
}

TEST(VCardReading, CategoriesBecomeSharedSortedGroups)
{
    const ContainerTable table
        = read(QByteArray("BEGIN:VCARD\nFN:A\nCATEGORIES:Friends, Family\nEND:VCARD\n"
                          "BEGIN:VCARD\nFN:B\nCATEGORIES:Family\nEND:VCARD\n"
                          "BEGIN:VCARD\nFN:C\nCATEGORIES;CHARSET=UTF-8;ENCODING=QUOTED-"
                          "PRINTABLE:=E5=90=8C=E5=83=9A,Work\\, Inc.,Cl=\nub\nEND:VCARD\n"));
    EXPECT_EQ(groupNames(table),
              (QStringList { QStringLiteral("All Contacts:3"), QStringLiteral("Club:1"),
                             QStringLiteral("Family:2"), QStringLiteral("Friends:1"),
                             QStringLiteral("Work, Inc.:1"), QString::fromUtf8("同僚:1") }));
    // Group entries are entries of their own over the same record.
    const GroupEntry family = table.first()->groups.at(2);
    EXPECT_NE(family->contactTable->first(), contacts(table).first());
    EXPECT_EQ(family->contactTable->first()->person, contacts(table).first()->person);
}

TEST(VCardReading, CustomItems)
{
    const PersonPtr p = person("BEGIN:VCARD\r\nVERSION:3.0\r\nFN:A\r\nX-SPOUSE-NICK;type=home:Bo\r\n"
                               "X-SPOUSE-NICK;type=work:Bob\r\nX-FAVORITE:Tea\r\nX-FAVORITE:Coffee\r\n"
                               "X-ABUID:123\r\nX-NOTE-EXTRA;CHARSET=UTF-8:text\r\nitem1.X-GROUPED:g\r\n"
                               "X-QP;ENCODING=QUOTED-PRINTABLE:a=3Db\r\nX-ESC:line\\nbreak\r\n"
                               "X-AIM:handle\r\nEND:VCARD\r\n");
    ASSERT_TRUE(p);
    EXPECT_EQ(p->customIdentifiers(),
              (QStringList { QStringLiteral("SPOUSE-NICK"), QStringLiteral("FAVORITE"),
                             QStringLiteral("NOTE-EXTRA"), QStringLiteral("QP"), QStringLiteral("ESC") }));
    const QVariantList nick = p->customValueForIdentifier(QStringLiteral("SPOUSE-NICK")).toList();
    ASSERT_EQ(nick.size(), 2);
    EXPECT_EQ(nick.at(0).toMap().value(Key::Label), QStringLiteral("home"));
    EXPECT_EQ(nick.at(1).toMap().value(Key::StringValue), QStringLiteral("Bob"));
    EXPECT_EQ(p->customValueForIdentifier(QStringLiteral("FAVORITE")), QStringLiteral("Coffee"));
    EXPECT_EQ(p->customItemDefinition(QStringLiteral("NOTE-EXTRA")).value(CustomKey::Labels).toStringList(),
              QStringList { QStringLiteral("CHARSET=UTF-8") });
    EXPECT_EQ(p->customValueForIdentifier(QStringLiteral("QP")), QStringLiteral("a=b"));
    EXPECT_EQ(p->customValueForIdentifier(QStringLiteral("ESC")), QStringLiteral("line\nbreak"));
    // Nothing is kept twice: grouped and excluded properties stay verbatim, IM handles are a field;
    // nothing is lost: the text item a later line overwrote stays as a line.
    EXPECT_EQ(p->extraProperties(), (QStringList { QStringLiteral("X-ABUID:123"), QStringLiteral("item1.X-GROUPED:g"),
                                                   QStringLiteral("X-FAVORITE:Tea") }));
    EXPECT_EQ(p->imsValues().size(), 1);
}

TEST(VCardReading, LabelsFromTypesAndGroupedLabels)
{
    struct Case
    {
        const char *lines;
        const char *identifier;
        const char *label;
    };
    const Case cases[] = {
        { "TEL;TYPE=CELL:1", "Phone", "mobile" },
        { "TEL;TYPE=HOME,FAX:1", "Phone", "home fax" },
        { "TEL;WORK;FAX:1", "Phone", "work fax" },
        { "TEL;TYPE=VOICE,PREF:1", "Phone", "No label" },
        { "TEL;TYPE=iphone:1", "Phone", "iPhone" },
        { "TEL;TYPE=WhatsApp:1", "Phone", "WhatsApp" },
        { "item1.TEL:1\nitem1.X-ABLabel:_$!<Mobile>!$_", "Phone", "mobile" },
        { "item2.X-ABLabel:Private line\nitem2.TEL;TYPE=HOME:1", "Phone", "Private line" },
        { "EMAIL;TYPE=INTERNET,PREF:a@b", "Email", "No label" },
        { "EMAIL;INTERNET;WORK:a@b", "Email", "work" },
        { "ADR;TYPE=HOME,POSTAL:;;s;c;;;", "Address", "home" },
        { "item1.URL:http://x\nitem1.X-ABLabel:_$!<HomePage>!$_", "URL", "home page" },
        { "item1.X-ABRELATEDNAMES:Bo\nitem1.X-ABLabel:_$!<Son>!$_", "Relationship", "son" },
        { "X-ANNIVERSARY:2001-02-03", "Dates", "anniversary" },
        { "X-JABBER;TYPE=HOME:a@j", "Instant Message", "home" },
    };
    for (const Case &c : cases) {
        const QByteArray card = QByteArray("BEGIN:VCARD\nFN:A\n") + c.lines + "\nEND:VCARD\n";
        const PersonPtr p = person(card.constData());
        ASSERT_TRUE(p) << c.lines;
        const QVariantList items = p->labeledValueForIdentifier(QString::fromUtf8(c.identifier));
        ASSERT_EQ(items.size(), 1) << c.lines;
        EXPECT_EQ(items.first().toMap().value(Key::Label).toString(), QString::fromUtf8(c.label)) << c.lines;
        EXPECT_TRUE(QVPerson::labelsForIdentifier(QString::fromUtf8(c.identifier))
                        .contains(QString::fromUtf8(c.label)))
            << c.lines;
    }
}

TEST(VCardReading, LabelsMetOnAnotherThreadWaitForTheCaller)
{
    const QString label = QStringLiteral("Deferred cousin");
    QList<LabelRegistration::Change> changes;
    {
        LabelRegistration::Deferral deferral;
        const QByteArray text
            = "BEGIN:VCARD\nitem1.X-ABRELATEDNAMES:K\nitem1.X-ABLabel:" + label.toUtf8() + "\nEND:VCARD\n";
        ASSERT_EQ(contacts(read(text)).size(), 1);
        EXPECT_FALSE(QVPerson::labelsForIdentifier(FieldId::Relationship).contains(label));
        changes = deferral.takeChanges();
    }
    LabelRegistration::apply(changes);
    EXPECT_TRUE(QVPerson::labelsForIdentifier(FieldId::Relationship).contains(label));
}

TEST(VCardReading, ReportsProgressInOrderAndCancels)
{
    QByteArray text;
    for (int i = 0; i < 3000; ++i)
        text += "BEGIN:VCARD\r\nFN:Person " + QByteArray::number(i) + "\r\nEND:VCARD\r\n";
    QList<qsizetype> positions;
    const auto all
        = QVvCard::containersFromVCardData(text, [&](bool *, qsizetype at) { positions.append(at); });
    ASSERT_TRUE(all);
    ASSERT_EQ(positions.size(), 3000);
    EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end()));
    // A card ends after the first line-break character following END:VCARD: the CR of the last CRLF.
    EXPECT_EQ(positions.last(), text.size() - 1);
    EXPECT_EQ(contacts(*all).at(2999)->person->compositeName(), QStringLiteral("Person 2999"));

    int calls = 0;
    const auto cancelled = QVvCard::containersFromVCards(QString::fromUtf8(text), [&](bool *stop, qsizetype) {
        if (++calls == 10)
            *stop = true;
    });
    EXPECT_FALSE(cancelled.has_value());
    EXPECT_EQ(calls, 10);
}

// Large files are cut batch by batch, each batch from the start of its stretch of the file. Cards
// nested in a card that crosses a stretch boundary, a card without its end, and the cards around
// them must come out as one cut of the whole file gives them, wherever the boundary falls.
TEST(VCardReading, BatchesCutAsTheWholeFileIsCut)
{
    const QByteArray filler = "NOTE:" + QByteArray(200, 'x') + "\r\n";
    auto plain = [&](const QByteArray &name) -> QByteArray {
        return "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:" + name + "\r\n" + filler + "END:VCARD\r\n";
    };
    const QByteArray nested = "BEGIN:VCARD\r\nVERSION:2.1\r\nFN:Outer\r\nAGENT:\r\n" + filler + filler
        + "BEGIN:VCARD\r\nFN:Inner\r\nEND:VCARD\r\nFN:After inner\r\nEND:VCARD\r\n";
    for (const qsizetype shift : { 0, 100, 250, 400, 550, 700 }) {
        for (const bool truncated : { false, true }) {
            QByteArray text = QByteArray(shift, '\n');
            int n = 0;
            while (text.size() < 192 * 1024 - 600)
                text += plain("Before " + QByteArray::number(n++));
            text += nested;
            for (int i = 0; i < 400; ++i)
                text += plain("After " + QByteArray::number(i));
            if (truncated)
                text += "BEGIN:VCARD\r\nFN:No end\r\n" + filler.repeated(2000);

            QStringList expected;
            for (const VCardFileReader::Span &span : VCardFileReader::cutCards(QByteArrayView(text))) {
                if (span.cutOff)
                    continue; // never read
                const QByteArray card = text.mid(span.start, span.end - span.start);
                const VCardRecordReader::Result r = VCardRecordReader::read(card, VCardRecordReader::Parts::Everything);
                if (r.person)
                    expected.append(r.person->compositeName());
            }
            QStringList names;
            for (const ContactEntry &entry : contacts(read(text)))
                names.append(entry->person->compositeName());
            EXPECT_EQ(names, expected) << "shift " << shift << (truncated ? ", truncated" : "");
            EXPECT_TRUE(names.contains(QStringLiteral("Outer")));
            EXPECT_FALSE(names.contains(QStringLiteral("Inner")));
            EXPECT_EQ(names.constLast(), QStringLiteral("After 399"));
        }
    }
}

// ---- Writing ------------------------------------------------------------------------------------

ContainerTable familyAndFriends()
{
    ContainerTable table
        = read(QByteArray("BEGIN:VCARD\nFN:A\nNOTE:a\\nb\nCATEGORIES:Family,Friends\nEND:VCARD\n"
                          "BEGIN:VCARD\nFN:B\nEND:VCARD\n"));
    return table;
}

TEST(VCardWriting, NoteAndCategoryLines)
{
    const ContainerTable table = familyAndFriends();
    const ContactList list = contacts(table);
    const QString text = QVvCard::vCardsFromContacts(list, { VCardOption::Note }, table.first()).value();
    EXPECT_TRUE(
        text.contains(QLatin1StringView("\r\nNOTE:a\\nb\r\nCATEGORIES:Family,Friends\r\nEND:VCARD\r\n")))
        << text.toStdString();
    EXPECT_EQ(text.count(QLatin1StringView("CATEGORIES")), 1);
    EXPECT_EQ(text.count(QLatin1StringView("BEGIN:VCARD")), 2);

    // A deleted entry of a group does not count; without the option there is no note.
    table.first()->groups.at(1)->contactTable->first()->deleted = true;
    const QString later = QVvCard::vCardsFromContacts(list, {}, table.first()).value();
    EXPECT_TRUE(later.contains(QLatin1StringView("CATEGORIES:Friends\r\n"))) << later.toStdString();
    EXPECT_FALSE(later.contains(QLatin1StringView("NOTE")));
}

TEST(VCardWriting, CustomItemsByWriter)
{
    const PersonPtr p = person("BEGIN:VCARD\nFN:A\nX-NICK;type=home:Bo\nX-FAV:Tea\nEND:VCARD\n");
    ASSERT_TRUE(p);
    p->replaceLabeledValue(
        QVariantList { QVariantMap { { Key::Label, QStringLiteral("home") }, { Key::Value, QString() } },
                       QVariantMap { { Key::Label, QStringLiteral("a:b") },
                                     { Key::Value, QStringLiteral("two\nlines") } } },
        QStringLiteral("NICK"));
    QVPerson::setClassCustomItems(p->customItems());
    const QString byRecord = QVvCard::vCardFromPerson(*p, { VCardOption::Custom }, {});
    const QString byEntry = QVvCard::vCardFromContact(makeContactEntry(p), {});
    QVPerson::setClassCustomItems({});
    EXPECT_FALSE(byRecord.contains(QLatin1StringView("X-NICK;type=home:")));
    EXPECT_TRUE(byEntry.contains(QLatin1StringView("X-NICK;type=home:\r\n")));
    EXPECT_TRUE(byRecord.contains(QLatin1StringView("X-NICK;type=\"a:b\":two\\nlines\r\n")))
        << byRecord.toStdString();
    EXPECT_TRUE(byRecord.contains(QLatin1StringView("X-FAV:Tea\r\n")));

    // The line break and the quoted label read back as they were.
    const PersonPtr back = person(byRecord.toUtf8().constData());
    ASSERT_TRUE(back);
    const QVariantList items = back->customValueForIdentifier(QStringLiteral("NICK")).toList();
    ASSERT_EQ(items.size(), 1);
    EXPECT_EQ(items.first().toMap().value(Key::Label), QStringLiteral("a:b"));
    EXPECT_EQ(items.first().toMap().value(Key::Value), QStringLiteral("two\nlines"));
}

TEST(VCardReading, RepeatedTypeListsGiveEachFieldItsOwnLabel)
{
    // The same TYPE list on several fields and several lines: labels and kept types per field.
    const PersonPtr p = person("BEGIN:VCARD\nFN:A\nTEL;TYPE=HOME,FAX,X-ONE:1\nEMAIL;TYPE=HOME,FAX,X-ONE:a@b.c\n"
                               "TEL;TYPE=HOME,FAX,X-ONE:2\nEMAIL;TYPE=HOME,FAX,X-ONE:d@e.f\nEND:VCARD\n");
    ASSERT_TRUE(p);
    const QVariantList phones = p->phoneValues();
    const QVariantList emails = p->emailValues();
    ASSERT_EQ(phones.size(), 2);
    ASSERT_EQ(emails.size(), 2);
    const QString kept = QStringLiteral("vCardParameters");
    for (const QVariant &phone : phones) {
        EXPECT_EQ(phone.toMap().value(Key::Label), LabelWord::HomeFax);
        EXPECT_EQ(phone.toMap().value(kept), QStringLiteral("TYPE=X-ONE"));
    }
    for (const QVariant &email : emails) {
        EXPECT_EQ(email.toMap().value(Key::Label), LabelWord::Home);
        EXPECT_EQ(email.toMap().value(kept), QStringLiteral("TYPE=FAX;TYPE=X-ONE"));
    }
}

TEST(VCardWriting, BatchesReachTheSinkInOrderUntilItRefuses)
{
    QByteArray text;
    for (int i = 0; i < 700; ++i)
        text += "BEGIN:VCARD\nFN:Person " + QByteArray::number(i) + "\nCATEGORIES:Club\nEND:VCARD\n";
    const ContainerTable table = read(text);
    const ContactList list = contacts(table);
    ASSERT_EQ(list.size(), 700);
    const QStringList options { VCardOption::Categories };
    const QByteArray whole = QVvCard::vCardDataFromContacts(list, options, table.first()).value_or(QByteArray());

    QList<QByteArray> batches;
    auto keep = [&](const QByteArray &batch) {
        batches.append(batch);
        return true;
    };
    ASSERT_TRUE(QVvCard::writeVCardData(list, options, table.first(), keep));
    EXPECT_GT(batches.size(), 1); // several batches, handed over in the contacts' order
    EXPECT_EQ(batches.join(), whole);
    EXPECT_EQ(whole.count("CATEGORIES:Club\r\n"), 700);

    // A sink that cannot take a batch (a full disk) stops the writing.
    int calls = 0;
    auto refuse = [&](const QByteArray &) {
        ++calls;
        return false;
    };
    EXPECT_FALSE(QVvCard::writeVCardData(list, options, table.first(), refuse));
    EXPECT_EQ(calls, 1);
}

TEST(VCardWriting, CustomItemsOfOtherRecords)
{
    // The class definitions come from one record; another record lacks the items.
    const PersonPtr with = person("BEGIN:VCARD\nFN:A\nX-FAV:Tea\nX-Phone:kept\nEND:VCARD\n");
    const PersonPtr without = person("BEGIN:VCARD\nFN:B\nTEL:123\nEND:VCARD\n");
    ASSERT_TRUE(with && without);
    QVPerson::setClassCustomItems(with->customItems());
    const QString byRecord = QVvCard::vCardFromPerson(*without, { VCardOption::Custom }, {});
    const QString byEntry = QVvCard::vCardFromContact(makeContactEntry(without), {});
    const QString fieldNamed = without->stringValueForIdentifier(QStringLiteral("Phone"));
    QVPerson::setClassCustomItems({});
    EXPECT_FALSE(byRecord.contains(QLatin1StringView("X-FAV"))) << byRecord.toStdString();
    EXPECT_TRUE(byEntry.contains(QLatin1StringView("\r\nX-FAV:\r\n"))) << byEntry.toStdString();
    // An item named like one of the record's fields writes what looking the name up gives.
    EXPECT_EQ(fieldNamed, QStringLiteral("123"));
    EXPECT_TRUE(byRecord.contains(QLatin1StringView("X-Phone:123\r\n"))) << byRecord.toStdString();
}

TEST(VCardWriting, EveryLabelSurvivesAWriteAndARead)
{
    const QString fields[] = { FieldId::Phone,          FieldId::Email,        FieldId::Address, FieldId::Url,
                               FieldId::InstantMessage, FieldId::Relationship, FieldId::Dates };
    for (const QString &identifier : fields) {
        QStringList labels = QVPerson::labelsForIdentifier(identifier);
        labels += { QStringLiteral("Private line"), LabelWord::NoLabel, QStringLiteral("a;b,c") };
        for (const QString &label : labels) {
            const PersonPtr p = QVPerson::create();
            QVariantMap item { { Key::Label, label }, { Key::Value, QStringLiteral("v@x") } };
            if (identifier == FieldId::Address)
                item.insert(FieldId::City, QStringLiteral("Town"));
            if (identifier == FieldId::Dates)
                item.insert(Key::Value, QVariant::fromValue(DateComponents { 2000, 1, 2 }));
            if (identifier == FieldId::InstantMessage)
                item.insert(Key::Service, QStringLiteral("Jabber"));
            p->setValue(QVariantList { item }, identifier);
            const QByteArray card = p->vCardData();
            const PersonPtr back = QVPerson::initWithVCardData(card);
            ASSERT_TRUE(back) << card.toStdString();
            const QVariantList items = back->labeledValueForIdentifier(identifier);
            ASSERT_EQ(items.size(), 1) << card.toStdString();
            EXPECT_EQ(items.first().toMap().value(Key::Label).toString(), label) << card.toStdString();
        }
    }
}

TEST(VCardWriting, GroupedLabelsKeepTheirLabelOverKeptTypes)
{
    // A grouped label over a typed property keeps the type as a parameter; written back as a TYPE
    // the label would lose to it ("other" read as "mobile" from TYPE=OTHER,CELL).
    for (const auto &[label, cnLabel] : { std::pair { QStringLiteral("other"), QStringLiteral("_$!<Other>!$_") },
                                          std::pair { QStringLiteral("home"), QStringLiteral("_$!<Home>!$_") } }) {
        const QByteArray source = "BEGIN:VCARD\r\nVERSION:3.0\r\nN:B;A;;;\r\nitem1.TEL;TYPE=CELL:+44 20 1\r\n"
                                  "item1.X-ABLabel:" + cnLabel.toUtf8() + "\r\nEND:VCARD\r\n";
        const PersonPtr first = QVPerson::initWithVCardData(source);
        ASSERT_TRUE(first);
        const QVariantMap read = first->labeledValueForIdentifier(FieldId::Phone).value(0).toMap();
        ASSERT_EQ(read.value(Key::Label).toString(), label);
        const QByteArray written = first->vCardData();
        const PersonPtr back = QVPerson::initWithVCardData(written);
        ASSERT_TRUE(back);
        EXPECT_EQ(back->labeledValueForIdentifier(FieldId::Phone).value(0).toMap(), read) << written.toStdString();
    }
}

TEST(VCardWriting, PhotosKeepTheirBytesOrBecomeJpeg)
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::red);
    const QByteArray jpeg = QVvCard::jpegDataFromImage(image);
    ASSERT_FALSE(jpeg.isEmpty());
    const PersonPtr p = QVPerson::create();
    p->setImageData(jpeg);
    const QString text = QVvCard::vCardFromPerson(*p, { VCardOption::Photo }, {});
    EXPECT_TRUE(text.contains(QLatin1StringView("\r\nPHOTO;ENCODING=b;TYPE=JPEG:")));
    EXPECT_EQ(VCardTest::person(text.toUtf8().constData())->imageData(), jpeg);

    p->setPhoto(image); // stored as a lossless image, written as JPEG
    const QByteArray written
        = VCardTest::person(QVvCard::vCardFromPerson(*p, { VCardOption::Photo }, {}).toUtf8().constData())
              ->imageData();
    EXPECT_TRUE(written.startsWith("\xFF\xD8\xFF"));
    EXPECT_TRUE(QVvCard::vCardFromPerson(*p, {}, {}).indexOf(QLatin1StringView("PHOTO")) < 0);
}

} // namespace
