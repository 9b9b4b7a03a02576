#include "../testutil.h"
#include "formats/csvkeys.h"
#include "formats/qvvcard.h"
#include "formats/qvvcard_csv_p.h"
#include "platform/contactlabels.h"
#include "record/keys.h"

#include <gtest/gtest.h>

namespace {

ContactList read(const QString &text)
{
    const auto entries = QVvCard::contactsFromCSV(text);
    return entries ? *entries : ContactList();
}

QVariantMap firstItem(const ContactEntry &entry, const QString &identifier)
{
    return entry->person->labeledValueForIdentifierAtIndex(identifier, 0);
}

TEST(CsvDetection, HeaderKeywords)
{
    struct Case
    {
        const char *header;
        QString type;
        QString label;
        QString addressType;
    };
    const Case cases[] = {
        { "First Name", FieldId::FirstName, LabelWord::Other, FieldId::Street },
        { "last name", FieldId::LastName, LabelWord::Other, FieldId::Street },
        { "Nickname", FieldId::Nickname, LabelWord::Other, FieldId::Street },
        { "Display Name", FieldId::Name, LabelWord::Other, FieldId::Street },
        { "Work Phone", FieldId::Phone, LabelWord::Work, FieldId::Street },
        { "Business Phone", FieldId::Phone, LabelWord::Work, FieldId::Street },
        { "Mobile Phone", FieldId::Phone, LabelWord::Mobile, FieldId::Street },
        { "Home Mobile Phone", FieldId::Phone, LabelWord::Home, FieldId::Street },
        { "Primary Email", FieldId::Email, LabelWord::Other, FieldId::Street },
        { "Home ZipCode", FieldId::Address, LabelWord::Home, FieldId::Zip },
        { "Work State", FieldId::Address, LabelWord::Work, FieldId::State },
        { "city", FieldId::Address, LabelWord::Other, FieldId::City },
        { "Business Street", FieldId::Address, LabelWord::Work, FieldId::Street },
        { "Birthday", FieldId::Birthday, LabelWord::Other, FieldId::Street },
        { "Job Title", FieldId::JobTitle, LabelWord::Other, FieldId::Street },
        { "Title", FieldId::Title, LabelWord::Other, FieldId::Street },
        { "Company", FieldId::Company, LabelWord::Other, FieldId::Street },
        { "Department", FieldId::Department, LabelWord::Other, FieldId::Street },
        { "Notes", FieldId::Note, LabelWord::Other, FieldId::Street },
        { "Facebook", qs("Facebook"), LabelWord::Other, FieldId::Street },
        { "linkedin", qs("LinkedIn"), LabelWord::Other, FieldId::Street },
        { "Flickr", qs("Flickr"), LabelWord::Other, FieldId::Street },
        { "SinaWeibo", qs("SinaWeibo"), LabelWord::Other, FieldId::Street },
        { "Fax", QString(), LabelWord::Other, FieldId::Street },
        { "E-mail Address", QString(), LabelWord::Other, FieldId::Street },
        { "", QString(), LabelWord::Other, FieldId::Street },
    };
    for (const Case &c : cases) {
        const QString header = qs(c.header);
        EXPECT_EQ(QVvCard::detectType(header), c.type) << c.header;
        EXPECT_EQ(QVvCard::detectLabel(header), c.label) << c.header;
        EXPECT_EQ(QVvCard::detectAddressType(header), c.addressType) << c.header;
    }
}

TEST(CsvSyntax, Lines)
{
    struct Case
    {
        const char *name;
        QString text;
        QStringList lines;
    };
    const Case cases[] = {
        { "line feeds", qs("a\nb"), { qs("a"), qs("b") } },
        { "CR LF leaves an empty line", qs("a\r\nb"), { qs("a"), QString(), qs("b") } },
        { "lone CR", qs("a\rb"), { qs("a"), qs("b") } },
        { "Unicode separators", qs("a\u2028b\u2029c\u0085d"), { qs("a"), qs("b"), qs("c"), qs("d") } },
        { "final break", qs("a\n"), { qs("a"), QString() } },
        { "empty text", QString(), { QString() } },
    };
    for (const Case &c : cases) {
        QStringList lines;
        for (const QStringView line : CsvSyntax::splitLines(c.text))
            lines.append(line.toString());
        EXPECT_EQ(lines, c.lines) << c.name;
    }
}

TEST(CsvSyntax, Cells)
{
    struct Case
    {
        const char *name;
        const char *line;
        qsizetype maxCells;
        QStringList cells;
    };
    const Case cases[] = {
        { "plain", "a,b,c", 3, { qs("a"), qs("b"), qs("c") } },
        { "more cells than columns", "a,b,c", 2, { qs("a"), qs("b") } },
        { "empty cells kept in place", "a,,c", 3, { qs("a"), QString(), qs("c") } },
        { "no columns", "a,b", 0, {} },
        { "quoted middle cell with comma", "a,\"b,c\",d", 3, { qs("a"), qs("b,c"), qs("d") } },
        { "only the first cell quoted: split everywhere", "\"a,b\",c", 3, { qs("\"a"), qs("b\""), qs("c") } },
        { "quotes in an unquoted line stay", "a,b\"c", 2, { qs("a"), qs("b\"c") } },
        { "first cell quoted in a quoted line", "\"Anna Berg\",\"x,y\"", 2, { qs("Anna Berg"), qs("x,y") } },
        { "empty quoted cells", "\"\",\"\",x", 3, { QString(), QString(), qs("x") } },
        { "quoted cell ends the line", "x,\"a b\"", 2, { qs("x"), qs("a b") } },
        { "comma after the last quoted cell", "x,\"a\",", 3, { qs("x"), qs("a") } },
        { "Japanese text", "x,\"山田 太郎, 東京\",y", 3, { qs("x"), qs("山田 太郎, 東京"), qs("y") } },
        { "space and comma in two pairs of quotes",
          "x,\"\"Main St, 5\"\",y",
          3,
          { qs("x"), qs("Main St, 5"), qs("y") } },
        { "quote inside a spaced cell",
          "x,\"Bob \"the builder\"\",y",
          3,
          { qs("x"), qs("Bob \"the builder\""), qs("y") } },
        { "doubled quotes are no escape", "x,\"a\"\"b\",c", 3, { qs("x"), qs("a\"\"b"), qs("c") } },
        { "quoted text with its own quotes, space and comma",
          "x,\"\"\"a, b\"\"\",y",
          3,
          { qs("x"), qs("\"a, b\""), qs("y") } },
        { "own quotes and comma without space", "x,\"\"a,b\"\",y", 3, { qs("x"), qs("\"a,b\""), qs("y") } },
        { "unclosed quote takes the rest of the line", "x,\"half, open", 3, { qs("x"), qs("half, open") } },
        { "unclosed quote at the end", "x,\"", 3, { qs("x"), QString() } },
    };
    for (const Case &c : cases)
        EXPECT_EQ(CsvSyntax::cellsOfLine(qs(c.line), c.maxCells), c.cells) << c.name << ": " << c.line;
}

TEST(CsvSyntax, Escapes)
{
    struct Case
    {
        const char *name;
        QString cell;
        QString escaped;
        QString readBack;
    };
    const Case cases[] = {
        { "line feed", qs("a\nb"), qs("a\\nb"), qs("a\nb") },
        { "tab", qs("a\tb"), qs("a\\tb"), qs("a\tb") },
        { "CR LF is one break", qs("a\r\nb"), qs("a\\nb"), qs("a\nb") },
        { "lone CR", qs("a\rb"), qs("a\\nb"), qs("a\nb") },
        { "paragraph separator", qs("a\u2029b"), qs("a\\nb"), qs("a\nb") },
        { "plain backslash", qs("C:\\x"), qs("C:\\x"), qs("C:\\x") },
    };
    for (const Case &c : cases) {
        const QString escaped = CsvSyntax::escapeBreaks(c.cell);
        EXPECT_EQ(escaped, c.escaped) << c.name;
        EXPECT_EQ(CsvSyntax::unescapeBreaks(escaped), c.readBack) << c.name;
    }
}

TEST(CsvReader, CreateContactBuildsTheDictionary)
{
    QVariantMap contact;
    const QString none;
    QVvCard::createContact(contact, qs("Anna"), FieldId::FirstName, none);
    QVvCard::createContact(contact, qs("Berg"), FieldId::LastName, none);
    QVvCard::createContact(contact, QString(), FieldId::Phone, LabelWord::Home);
    QVvCard::createContact(contact, qs("111"), FieldId::Phone, LabelWord::Work);
    QVvCard::createContact(contact, qs("222"), FieldId::Phone, LabelWord::Work);
    QVvCard::createContact(contact, qs("Main St 1"), FieldId::Street, LabelWord::Home);
    QVvCard::createContact(contact, qs("Springfield"), FieldId::City, LabelWord::Home);
    QVvCard::createContact(contact, qs("Elm Rd 2"), FieldId::Street, LabelWord::Work);
    QVvCard::createContact(contact, qs("ignored"), CsvType::Unknown, none);

    const QVariantMap name = contact.value(FieldId::Name).toMap();
    EXPECT_EQ(name.value(Key::StringValue).toString(), qs("Anna")) << "the first part names the contact";
    EXPECT_FALSE(name.contains(Key::ShowAsPerson)) << "only a full name sets the flag";
    QVvCard::createContact(contact, qs("Dr Anna Berg"), FieldId::Name, none);
    EXPECT_EQ(contact.value(FieldId::Name).toMap().value(Key::StringValue).toString(), qs("Dr Anna Berg"));
    EXPECT_EQ(contact.value(FieldId::Name).toMap().value(Key::ShowAsPerson), QVariant(true));

    const QVariantList phones = contact.value(FieldId::Phone).toList();
    ASSERT_EQ(phones.size(), 1) << "an empty value adds nothing";
    EXPECT_EQ(phones.at(0).toMap().value(Key::StringValue).toString(), qs("222"));
    EXPECT_EQ(phones.at(0).toMap().value(Key::LabelIndex).toInt(), 0);

    const QVariantList addresses = contact.value(FieldId::Address).toList();
    ASSERT_EQ(addresses.size(), 2);
    EXPECT_EQ(addresses.at(0).toMap().value(Key::StringValue).toString(), qs("Main St 1 Springfield"))
        << "each part rebuilds the item";
    EXPECT_FALSE(addresses.at(0).toMap().contains(Key::Value));
    EXPECT_EQ(addresses.at(1).toMap().value(Key::Value), QVariant(QVariantMap()));
    EXPECT_EQ(addresses.at(1).toMap().value(Key::LabelIndex).toInt(), 1);
    EXPECT_EQ(contact.size(), 3) << "an unknown column adds nothing";
}

TEST(CsvReader, NoTextAndEmptyText)
{
    EXPECT_FALSE(QVvCard::contactsFromCSV(QString()).has_value());
    const auto empty = QVvCard::contactsFromCSV(qs(""));
    ASSERT_TRUE(empty.has_value());
    EXPECT_TRUE(empty->isEmpty());
    EXPECT_TRUE(read(qs("Name,Phone\n")).isEmpty()) << "a header alone";
}

TEST(CsvReader, WhichLinesBecomeContacts)
{
    struct Case
    {
        const char *name;
        QString text;
        QStringList names; // composite names of the contacts, in order
    };
    const Case cases[] = {
        { "header starting with Name", qs("Name,Phone\nAnna,1\nBert,2"), { qs("Anna"), qs("Bert") } },
        { "header not starting with exactly Name is a contact too",
          qs("Full Name,Phone\nAnna,1"),
          { qs("Full Name"), qs("Anna") } },
        { "lower-case name header is a contact too", qs("name,Phone\nAnna,1"), { qs("name"), qs("Anna") } },
        { "Windows line endings", qs("Name,Phone\r\nAnna,1\r\nBert,2\r\n"), { qs("Anna"), qs("Bert") } },
        { "one-character line skipped", qs("Name,Phone\nx\nAnna,1"), { qs("Anna") } },
        { "all-empty cells still make a contact",
          qs("Name,Phone\n,,\nAnna,1"),
          { qs("No Name"), qs("Anna") } },
    };
    for (const Case &c : cases) {
        QStringList names;
        for (const ContactEntry &entry : read(c.text))
            names.append(entry->person->compositeName());
        EXPECT_EQ(names, c.names) << c.name;
    }
}

TEST(CsvReader, EntriesCarryTheirRecordsIdentity)
{
    const ContactList entries = read(qs("Name,Phone\nAnna,1\nBert,2"));
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries.at(0)->uniqueId, entries.at(0)->person->uniqueId());
    EXPECT_NE(entries.at(0)->uniqueId, entries.at(1)->uniqueId);
}

TEST(CsvReader, PhoneColumnLabels)
{
    struct Case
    {
        const char *header;
        QVariant label; // invalid: the column is ignored
    };
    const Case cases[] = {
        { "Home Phone", LabelWord::Home },     { "Work Phone", LabelWord::Work },
        { "Business Phone", LabelWord::Work }, { "Mobile Phone", LabelWord::Mobile },
        { "Phone", LabelWord::Other },         { "Fax", QVariant() },
    };
    for (const Case &c : cases) {
        const ContactList entries = read(qs("Name,") + qs(c.header) + qs("\nAnna,555-1234"));
        ASSERT_EQ(entries.size(), 1) << c.header;
        const QVariantList phones = entries.at(0)->person->phoneValues();
        if (!c.label.isValid()) {
            EXPECT_TRUE(phones.isEmpty()) << c.header;
            continue;
        }
        ASSERT_EQ(phones.size(), 1) << c.header;
        EXPECT_EQ(phones.at(0).toMap().value(Key::Label), c.label) << c.header;
        EXPECT_EQ(phones.at(0).toMap().value(Key::StringValue).toString(), qs("555-1234")) << c.header;
    }
}

TEST(CsvReader, ColumnsOfOneLabelShareOneItem)
{
    const ContactList entries
        = read(qs("Name,Home Phone,Home Phone,Work Phone,Home Phone\nAnna,111,222,333,\nBert,,,,444"));
    ASSERT_EQ(entries.size(), 2);
    const QVariantList anna = entries.at(0)->person->phoneValues();
    ASSERT_EQ(anna.size(), 2);
    EXPECT_EQ(anna.at(0).toMap().value(Key::Value).toString(), qs("222"))
        << "later column wins, empty ignored";
    EXPECT_EQ(anna.at(0).toMap().value(Key::LabelIndex).toInt(), 0);
    EXPECT_EQ(anna.at(1).toMap().value(Key::Label).toString(), LabelWord::Work);
    EXPECT_EQ(anna.at(1).toMap().value(Key::LabelIndex).toInt(), 1);
    const QVariantList bert = entries.at(1)->person->phoneValues();
    ASSERT_EQ(bert.size(), 1);
    EXPECT_EQ(bert.at(0).toMap().value(Key::Value).toString(), qs("444"));
}

TEST(CsvReader, AddressPartsGatherByLabel)
{
    const ContactList entries = read(qs("Name,Home ZIP,Home City,Work Street,Home Street,Work City\n"
                                        "Anna,12345,Springfield,Main St 1,Elm Rd 2,Shelbyville"));
    ASSERT_EQ(entries.size(), 1);
    const QVariantList addresses = entries.at(0)->person->addressValues();
    ASSERT_EQ(addresses.size(), 2);
    const QVariantMap home = addresses.at(0).toMap();
    EXPECT_EQ(home.value(Key::Label).toString(), LabelWord::Home);
    EXPECT_EQ(home.value(Key::LabelIndex).toInt(), 0);
    EXPECT_EQ(home.value(FieldId::Street).toString(), qs("Elm Rd 2"));
    EXPECT_EQ(home.value(Key::StringValue).toString(), qs("Elm Rd 2 Springfield 12345"));
    const QVariantMap work = addresses.at(1).toMap();
    EXPECT_EQ(work.value(Key::Label).toString(), LabelWord::Work);
    EXPECT_EQ(work.value(Key::LabelIndex).toInt(), 1);
    EXPECT_EQ(work.value(Key::StringValue).toString(), qs("Main St 1 Shelbyville"));
}

TEST(CsvReader, Birthdays)
{
    struct Case
    {
        const char *text;
        DateComponents date; // empty: stored as text only
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
        if (c.date.isEmpty()) {
            EXPECT_FALSE(birthday.contains(Key::Value)) << c.text;
            EXPECT_EQ(birthday.value(Key::StringValue).toString(), qs(c.text))
                << "the text is kept: " << c.text;
        } else {
            EXPECT_EQ(birthday.value(Key::Value).value<DateComponents>(), c.date) << c.text;
            EXPECT_EQ(birthday.value(Key::StringValue).toString(), DateFormat::displayString(c.date))
                << c.text;
        }
    }
}

TEST(CsvReader, NamesAndStrings)
{
    const ContactList entries
        = read(qs("Name,First Name,Last Name,Nickname,Title,Company,Department,Job Title,Note\n"
                  "Dr Anna Berg,Anna,Berg,Annie,Dr,Acme,R&D,Chemist,likes tea"));
    ASSERT_EQ(entries.size(), 1);
    QVPerson &p = *entries.at(0)->person;
    EXPECT_EQ(p.compositeName(), qs("Anna Berg"));
    EXPECT_TRUE(p.showAsPerson());
    EXPECT_EQ(p.nameValue().value(qs("Name")).toString(), qs("Dr Anna Berg")) << "the full name is kept";
    const QList<std::pair<QString, QString>> strings = {
        { FieldId::Nickname, qs("Annie") },   { FieldId::Title, qs("Dr") },
        { FieldId::Company, qs("Acme") },     { FieldId::Department, qs("R&D") },
        { FieldId::JobTitle, qs("Chemist") }, { FieldId::Note, qs("likes tea") },
    };
    for (const auto &[identifier, value] : strings)
        EXPECT_EQ(p.stringValueForIdentifier(identifier), value) << identifier.toStdString();
}

TEST(CsvReader, FullNameWithoutParts)
{
    struct Case
    {
        const char *name;
        QString text;
        QString composite;
        bool person;
    };
    const Case cases[] = {
        { "full name only", qs("Name,Email\nAnna Berg,anna@example.com"), qs("Anna Berg"), true },
        { "full name in kept quotes", qs("Name,Email\n\"Anna Berg\",anna@example.com"), qs("Anna Berg"),
          true },
        { "full name repeating the company", qs("Name,Company\nAcme,Acme"), qs("Acme"), false },
        { "parts win over the full name", qs("Name,Last Name\nAnna Berg,Berg"), qs("Berg"), true },
    };
    for (const Case &c : cases) {
        const ContactList entries = read(c.text);
        ASSERT_EQ(entries.size(), 1) << c.name;
        EXPECT_EQ(entries.at(0)->person->compositeName(), c.composite) << c.name;
        EXPECT_EQ(entries.at(0)->person->showAsPerson(), c.person) << c.name;
    }
}

TEST(CsvReader, SocialNetworkColumns)
{
    const ContactList entries
        = read(qs("Name,Facebook,LinkedIn,Flickr,SinaWeibo\nAnna,anna.fb,anna-li,annaf,annaw"));
    ASSERT_EQ(entries.size(), 1);
    const QVariantList profiles = entries.at(0)->person->snsValues();
    const QStringList services = { SocialService::Facebook, SocialService::LinkedIn, SocialService::Flickr,
                                   SocialService::SinaWeibo };
    const QStringList names = { qs("anna.fb"), qs("anna-li"), qs("annaf"), qs("annaw") };
    ASSERT_EQ(profiles.size(), services.size());
    for (qsizetype i = 0; i < services.size(); ++i) {
        const QVariantMap item = profiles.at(i).toMap();
        EXPECT_EQ(item.value(Key::Label).toString(), services.at(i));
        EXPECT_EQ(item.value(Key::Service).toString(), services.at(i));
        EXPECT_EQ(item.value(Key::Username).toString(), names.at(i));
        EXPECT_EQ(item.value(Key::LabelIndex).toInt(), int(i));
    }
}

TEST(CsvReader, QuotedCellsAndEscapes)
{
    const ContactList entries = read(qs("Name,Note,Company\n"
                                        "Anna,\"first line\\nsecond, and\\ttab\",Acme\n"
                                        "Bert,\"half open, never closed\n"
                                        "\"Cleo Doe\",x,Acme"));
    ASSERT_EQ(entries.size(), 3);
    EXPECT_EQ(entries.at(0)->person->stringValueForIdentifier(FieldId::Note),
              qs("first line\nsecond, and\ttab"));
    EXPECT_EQ(entries.at(0)->person->stringValueForIdentifier(FieldId::Company), qs("Acme"));
    EXPECT_EQ(entries.at(1)->person->stringValueForIdentifier(FieldId::Note), qs("half open, never closed"))
        << "an unclosed quote loses nothing";
    EXPECT_EQ(entries.at(2)->person->nameValue().value(qs("Name")).toString(), qs("\"Cleo Doe\""))
        << "a line without a comma before a quote keeps the quotes";
    EXPECT_EQ(firstItem(entries.at(0), FieldId::Phone), QVariantMap());
}

} // namespace
