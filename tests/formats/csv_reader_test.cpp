#include "csv_testutil.h"
#include "formats/csvkeys.h"
#include "formats/qvvcard.h"
#include "formats/qvvcard_csv_p.h"

#include <gtest/gtest.h>

namespace {

ContactList read(const QString &text)
{
    const auto entries = QVvCard::contactsFromCSV(text);
    return entries ? *entries : ContactList();
}

// "label:text" of every item of a labeled field, address items by one component.
QStringList items(QVPerson &p, const QString &identifier, const QString &key = Key::StringValue)
{
    QStringList out;
    for (const QVariant &v : p.labeledValueForIdentifier(identifier))
        out.append(v.toMap().value(Key::Label).toString() + u':' + v.toMap().value(key).toString());
    return out;
}

TEST(CsvReader, HeaderDetection)
{
    struct Case
    {
        const char *header;
        const char *expected; // type / label / address component
    };
    const Case cases[] = {
        { "First Name", "FirstName/other/Street" },
        { "last name", "LastName/other/Street" },
        { "Nickname", "Nickname/other/Street" },
        { "Display Name", "Name/other/Street" },
        { "Work Phone", "Phone/work/Street" },
        { "Business Phone", "Phone/work/Street" },
        { "Mobile Phone", "Phone/mobile/Street" },
        { "Home Mobile Phone", "Phone/home/Street" },
        { "Primary Email", "Email/other/Street" },
        { "Home ZipCode", "Address/home/ZIP" },
        { "Work State", "Address/work/State" },
        { "city", "Address/other/City" },
        { "Birthday", "Birthday/other/Street" },
        { "Job Title", "Job Title/other/Street" },
        { "Title", "Title/other/Street" },
        { "Notes", "Note/other/Street" },
        { "linkedin", "LinkedIn/other/Street" },
        { "SinaWeibo", "SinaWeibo/other/Street" },
        { "Fax", "/other/Street" },
        { "E-mail Address", "/other/Street" },
    };
    for (const Case &c : cases) {
        const QString h = qs(c.header);
        const QString got
            = QVvCard::detectType(h) + u'/' + QVvCard::detectLabel(h) + u'/' + QVvCard::detectAddressType(h);
        EXPECT_EQ(got, qs(c.expected)) << c.header;
    }
}

TEST(CsvReader, CellsOfALine)
{
    struct Case
    {
        const char *name;
        const char *line;
        QStringList cells;
    };
    const QString e; // an empty cell
    const Case cases[] = {
        { "plain", "a,b,c", { qs("a"), qs("b"), qs("c") } },
        { "cells past the columns ignored", "a,b,c,d", { qs("a"), qs("b"), qs("c") } },
        { "empty cells keep their place", "a,,c", { qs("a"), e, qs("c") } },
        { "quoted cell with comma", "a,\"b,c\",d", { qs("a"), qs("b,c"), qs("d") } },
        { "only the first cell quoted: split everywhere", "\"a,b\",c", { qs("\"a"), qs("b\""), qs("c") } },
        { "quotes of an unquoted line stay", "a,b\"c", { qs("a"), qs("b\"c") } },
        { "first cell quoted in a quoted line", "\"A B\",\"x,y\"", { qs("A B"), qs("x,y") } },
        { "empty quoted cells", "\"\",\"\",x", { e, e, qs("x") } },
        { "comma after the last quoted cell", "x,\"a\",", { qs("x"), qs("a") } },
        { "Japanese text", "x,\"山田 太郎, 東京\",y", { qs("x"), qs("山田 太郎, 東京"), qs("y") } },
        { "space and comma: two pairs of quotes",
          "x,\"\"Main St, 5\"\",y",
          { qs("x"), qs("Main St, 5"), qs("y") } },
        { "quote inside a spaced cell", "x,\"Bob \"the\" B\",y", { qs("x"), qs("Bob \"the\" B"), qs("y") } },
        { "doubled quotes are no escape", "x,\"a\"\"b\",c", { qs("x"), qs("a\"\"b"), qs("c") } },
        { "own quotes, space and comma", "x,\"\"\"a, b\"\"\",y", { qs("x"), qs("\"a, b\""), qs("y") } },
        { "own quotes and comma, no space", "x,\"\"a,b\"\",y", { qs("x"), qs("\"a,b\""), qs("y") } },
        { "unclosed quote takes the rest of the line", "x,\"half, open", { qs("x"), qs("half, open") } },
        { "unclosed quote at the end", "x,\"", { qs("x"), e } },
    };
    for (const Case &c : cases)
        EXPECT_EQ(CsvSyntax::cellsOfLine(qs(c.line), 3), c.cells) << c.name << ": " << c.line;
    EXPECT_EQ(CsvSyntax::cellsOfLine(qs("a,b"), 0), QStringList()) << "no columns";
}

TEST(CsvReader, LinesAndHeader)
{
    EXPECT_FALSE(QVvCard::contactsFromCSV(QString()).has_value());
    EXPECT_TRUE(QVvCard::contactsFromCSV(qs(""))->isEmpty());
    struct Case
    {
        const char *name;
        QString text;
        QStringList names; // display names of the contacts read
    };
    const Case cases[] = {
        { "header starting with Name", qs("Name,Phone\nAnna,1\nBert,2"), { qs("Anna"), qs("Bert") } },
        { "header alone", qs("Name,Phone\n"), {} },
        { "a recognised header is no contact", qs("Full Name,Phone\nAnna,1"), { qs("Anna") } },
        { "lower-case header", qs("name,Phone\nAnna,1"), { qs("Anna") } },
        { "Windows line endings", qs("Name,Phone\r\nAnna,1\r\nBert,2\r\n"), { qs("Anna"), qs("Bert") } },
        { "Unicode line separators",
          qs("Name\u2028Anna\u2029Bert\u0085Cleo"),
          { qs("Anna"), qs("Bert"), qs("Cleo") } },
        { "one-character line skipped", qs("Name,Phone\nx\nAnna,1"), { qs("Anna") } },
        { "empty cells still make a contact", qs("Name,Phone\n,,\nAnna,1"), { qs("No Name"), qs("Anna") } },
        { "line breaks and tabs unescaped", qs("Name,Note\nA\\nB\\tC,x"), { qs("A\nB\tC") } },
    };
    for (const Case &c : cases) {
        QStringList names;
        for (const ContactEntry &entry : read(c.text)) {
            names.append(entry->person->compositeName());
            EXPECT_EQ(entry->uniqueId, entry->person->uniqueId()) << c.name;
        }
        EXPECT_EQ(names, c.names) << c.name;
    }
}

// Cells as earlier versions wrote them read as they always did: their backslashes are the value's
// own unless they start an escape, and quotes the writer added come off.
TEST(CsvReader, CellsWrittenBeforeReadAsBefore)
{
    struct Case
    {
        const char *name;
        const char *line;
        QStringList cells;
    };
    const Case cases[] = {
        { "other backslashes stay",
          "C:\\dir\\,\\\\server\\x,tail\\",
          { qs("C:\\dir\\"), qs("\\\\server\\x"), qs("tail\\") } },
        { "backslash comma without a quote", "x,\"a\\,b\",y", { qs("x"), qs("a\\,b"), qs("y") } },
        { "quote at a value's end", "x,\"a,b\"\",y", { qs("x"), qs("a,b\""), qs("y") } },
    };
    for (const Case &c : cases)
        EXPECT_EQ(CsvSyntax::cellsOfLine(qs(c.line), 3), c.cells) << c.name << ": " << c.line;
}

// A note starting with a comma, written and read again, stays in its column.
TEST(CsvReader, ValueStartingWithACommaKeepsItsColumn)
{
    const ContactList first = read(qs("Name,Note,Company\nAnna,\", x\",Acme"));
    ASSERT_EQ(first.size(), 1);
    SubContactRows rows { SubContactRow::fromEntry(first.at(0)) };
    const ContactList back = read(QVvCard::csvFromSubContacts(rows));
    ASSERT_EQ(back.size(), 1);
    EXPECT_EQ(back.at(0)->person->stringValueForIdentifier(FieldId::Note), qs(", x"));
    EXPECT_EQ(back.at(0)->person->stringValueForIdentifier(FieldId::Company), qs("Acme"));
}

TEST(CsvReader, ColumnsFillTheirItems)
{
    const ContactList entries
        = read(qs("Name,Home Phone,Home Phone,Work Phone,Fax,Home ZIP,Home City,Work Street,"
                  "Home Street,Facebook,Flickr\n"
                  "Anna,111,222,333,444,12345,Springfield,Elm Rd 2,Main St 1,anna.fb,annaf"));
    ASSERT_EQ(entries.size(), 1);
    QVPerson &p = *entries.at(0)->person;
    EXPECT_EQ(items(p, FieldId::Phone), (QStringList { qs("home:222"), qs("work:333") }))
        << "later column wins";
    EXPECT_EQ(items(p, FieldId::Address),
              (QStringList { qs("home:Main St 1 Springfield 12345"), qs("work:Elm Rd 2") }));
    EXPECT_EQ(items(p, FieldId::SocialNetwork, Key::Service),
              (QStringList { qs("Facebook:Facebook"), qs("Flickr:Flickr") }));
    EXPECT_EQ(items(p, FieldId::SocialNetwork), (QStringList { qs("Facebook:anna.fb"), qs("Flickr:annaf") }));
}

TEST(CsvReader, CreateContact)
{
    QVariantMap contact;
    QVvCard::createContact(contact, qs("Anna"), FieldId::FirstName, {});
    QVvCard::createContact(contact, qs("Berg"), FieldId::LastName, {});
    EXPECT_EQ(contact.value(FieldId::Name).toMap().value(Key::StringValue).toString(), qs("Anna"));
    QVvCard::createContact(contact, qs("Dr Anna Berg"), FieldId::Name, {});
    EXPECT_EQ(contact.value(FieldId::Name).toMap().value(Key::StringValue).toString(), qs("Dr Anna Berg"));
    EXPECT_EQ(contact.value(FieldId::Name).toMap().value(Key::ShowAsPerson), QVariant(true));
    QVvCard::createContact(contact, QString(), FieldId::Phone, LabelWord::Home);
    QVvCard::createContact(contact, qs("Main St 1"), FieldId::Street, LabelWord::Home);
    QVvCard::createContact(contact, qs("Springfield"), FieldId::City, LabelWord::Home);
    QVvCard::createContact(contact, qs("Elm Rd 2"), FieldId::Street, LabelWord::Work);
    QVvCard::createContact(contact, qs("ignored"), CsvType::Unknown, {});
    EXPECT_EQ(contact.keys(), (QStringList { FieldId::Address, FieldId::Name }))
        << "empty and unknown add nothing";
    const QVariantList addresses = contact.value(FieldId::Address).toList();
    ASSERT_EQ(addresses.size(), 2);
    EXPECT_EQ(addresses.at(0).toMap().value(Key::StringValue).toString(), qs("Main St 1 Springfield"));
    EXPECT_EQ(addresses.at(1).toMap().value(Key::LabelIndex).toInt(), 1);
}

TEST(CsvReader, Birthdays)
{
    struct Case
    {
        const char *text;
        DateComponents date; // empty: kept as text only
    };
    const Case cases[] = {
        { "1980.05.17", { 1980, 5, 17 } },
        { "1980.05.17(Sat)", { 1980, 5, 17 } },
        { "1980.05.17 Sat", { 1980, 5, 17 } },
        { "1980.5.7", { 1980, 5, 7 } },
        { "1980.05.17(土)", { 1980, 5, 17 } },
        { "17.05.1980", {} },
        { "1980-05-17", {} },
        { "1980.02.30", {} },
        { "80.05.17", {} },
        { "1980.05.17 and more", {} },
        { "May 17", {} },
    };
    for (const Case &c : cases) {
        const ContactList entries = read(qs("Name,Birthday\nAnna,") + qs(c.text));
        ASSERT_EQ(entries.size(), 1) << c.text;
        const QVariantMap birthday = entries.at(0)->person->birthdayValue();
        EXPECT_EQ(birthday.value(Key::Value).value<DateComponents>(), c.date) << c.text;
        const QString shown = c.date.isEmpty() ? qs(c.text) : DateFormat::displayString(c.date);
        EXPECT_EQ(birthday.value(Key::StringValue).toString(), shown) << c.text;
    }
}

TEST(CsvReader, FullNameWithoutParts)
{
    struct Case
    {
        const char *name;
        QString text;
        QString display;
        bool person;
    };
    const Case cases[] = {
        { "full name only", qs("Name,Email\nAnna Berg,a@b.c"), qs("Anna Berg"), true },
        { "full name in kept quotes", qs("Name,Email\n\"Anna Berg\",a@b.c"), qs("Anna Berg"), true },
        { "full name repeating the company", qs("Name,Company\nAcme,Acme"), qs("Acme"), false },
        { "parts win over the full name", qs("Name,Last Name\nAnna Berg,Berg"), qs("Berg"), true },
    };
    for (const Case &c : cases) {
        const ContactList entries = read(c.text);
        ASSERT_EQ(entries.size(), 1) << c.name;
        EXPECT_EQ(entries.at(0)->person->compositeName(), c.display) << c.name;
        EXPECT_EQ(entries.at(0)->person->showAsPerson(), c.person) << c.name;
    }
}

// The quotes our writer puts around the first cell are not part of the name, also when the name has parts.
TEST(CsvReader, KeptQuotesLeaveTheStoredFullName)
{
    for (const char *text :
         { "Name,First Name,Last Name\n\"Anna Berg\",Anna,Berg", "Name,Email\n\"Anna Berg\",a@b.c" }) {
        const ContactList entries = read(qs(text));
        ASSERT_EQ(entries.size(), 1) << text;
        EXPECT_EQ(entries.at(0)->person->nameValue().value(CsvKey::FullName).toString(), qs("Anna Berg"))
            << text;
    }
}

TEST(CsvCorpus, EveryFileReadsAndWritesBack)
{
    const QStringList files = corpusCsvFiles();
    EXPECT_GE(files.size(), 10);
    for (const QString &path : files) {
        const ContactList entries = read(corpusFile(path));
        EXPECT_FALSE(entries.isEmpty()) << path.toStdString();
        SubContactRows rows;
        for (const ContactEntry &entry : entries)
            rows.append(SubContactRow::fromEntry(entry));
        const ContactList back = read(QVvCard::csvFromSubContacts(rows));
        ASSERT_EQ(back.size(), entries.size()) << path.toStdString();
        for (qsizetype i = 0; i < entries.size(); ++i)
            EXPECT_EQ(carried(back.at(i)->person), carried(entries.at(i)->person)) << path.toStdString();
    }
}

TEST(CsvCorpus, KnownContents)
{
    struct Case
    {
        const char *path;
        qsizetype contacts;
        QString display; // of the last contact
        QString identifier;
        QString key;
        QString firstItem; // "label:text"
    };
    const Case cases[] = {
        { "mozilla__releases-comm-central/mail/components/addrbook/test/browser/data/import.csv", 1,
          qs("contact number one"), FieldId::Email, Key::StringValue, qs("other:contact1@invalid") },
        { "mozilla__releases-comm-central/mailnews/import/test/unit/resources/quote.csv", 1,
          qs("Acer America"), FieldId::Phone, Key::StringValue, qs("work:(800) 000-0000") },
        { "mozilla__releases-comm-central/mailnews/import/test/unit/resources/utf16_addressbook.csv", 1,
          qs("John Doe"), FieldId::Email, Key::StringValue, qs("home:johndoe@host.invalid") },
        { "roundcube__roundcubemail/tests/src/Csv2vcard/tb_plain.csv", 1, qs("Firstname Lastname"),
          FieldId::Address, FieldId::Zip, qs("home:xx-xxx") },
    };
    for (const Case &c : cases) {
        const ContactList entries = read(corpusFile(qs(c.path)));
        ASSERT_EQ(entries.size(), c.contacts) << c.path;
        QVPerson &p = *entries.constLast()->person;
        EXPECT_EQ(p.compositeName(), c.display) << c.path;
        EXPECT_EQ(items(p, c.identifier, c.key).value(0), c.firstItem) << c.path;
    }
}

} // namespace
