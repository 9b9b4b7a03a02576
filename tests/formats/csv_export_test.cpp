// Reading address books exported by other programs: their quoting, separators, headers and columns.
#include "csv_testutil.h"
#include "formats/qvvcard.h"
#include "formats/qvvcard_csv_p.h"

#include <QHash>
#include <gtest/gtest.h>

namespace {

ContactList read(const QString &text)
{
    return QVvCard::contactsFromCSV(text).value_or(ContactList());
}

// "label:text" of every item of a labeled field.
QStringList items(QVPerson &p, const QString &identifier)
{
    QStringList out;
    for (const QVariant &v : p.labeledValueForIdentifier(identifier))
        out.append(v.toMap().value(Key::Label).toString() + u':'
                   + v.toMap().value(Key::StringValue).toString());
    return out;
}

QString nameParts(QVPerson &p)
{
    const QVariantMap name = p.nameValue();
    return name.value(FieldId::FirstName).toString() + u'|' + name.value(FieldId::LastName).toString();
}

TEST(CsvExports, RecordsOfText)
{
    struct Case
    {
        const char *name;
        QString text;
        QStringList records; // cells joined by "|"
    };
    const Case cases[] = {
        { "plain", qs("a,b\nc,d"), { qs("a|b"), qs("c|d") } },
        { "CR LF, CR and a last line break", qs("a,b\r\nc\rd\n"), { qs("a|b"), qs("c"), qs("d") } },
        { "empty line", qs("a\n\nb"), { qs("a"), QString(), qs("b") } },
        { "line breaks inside quotes", qs("\"x\r\ny\nz\",b\nc"), { qs("x\ny\nz|b"), qs("c") } },
        { "doubled quotes", qs("\"\"\"worker\"\"\",\"a\"\"b\""), { qs("\"worker\"|a\"b") } },
        { "empty quoted cells", qs("\"\",\"\","), { qs("||") } },
        { "text after the closing quote kept", qs("\"ab\"cd,e"), { qs("abcd|e") } },
        { "quote inside an unquoted cell", qs("ab\"cd,e"), { qs("ab\"cd|e") } },
        { "a quote that never closes is a character", qs("\"ab,c\nd,e"), { qs("\"ab|c"), qs("d|e") } },
        { "nor do the later ones", qs("\"a\n\"\"b"), { qs("\"a"), qs("\"\"b") } },
    };
    for (const Case &c : cases) {
        CsvSyntax::RecordReader reader(c.text, u',');
        QStringList records;
        while (!reader.atEnd())
            records.append(reader.next().join(u'|'));
        EXPECT_EQ(records, c.records) << c.name;
    }
}

TEST(CsvExports, QuotedCellsAsExportsWriteThem)
{
    const ContactList entries
        = read(qs("First Name,Last Name,Job Title,Notes\r\n"
                  "Anna,Berg,\"\"\"worker\"\"\",\"line one\r\nline two\n\"\"quoted\"\", and more\"\r\n"
                  "Bert,Ek,\"Chief, Sales\",\r\n"));
    ASSERT_EQ(entries.size(), 2) << "a line break inside quotes splits no record";
    QVPerson &anna = *entries.at(0)->person;
    EXPECT_EQ(nameParts(anna), qs("Anna|Berg"));
    EXPECT_EQ(anna.stringValueForIdentifier(FieldId::JobTitle), qs("\"worker\"")) << "doubled quotes are one";
    EXPECT_EQ(anna.stringValueForIdentifier(FieldId::Note), qs("line one\nline two\n\"quoted\", and more"));
    EXPECT_EQ(entries.at(1)->person->stringValueForIdentifier(FieldId::JobTitle), qs("Chief, Sales"));
}

TEST(CsvExports, SeparatorsFromTheHeader)
{
    struct Case
    {
        const char *name;
        QString text;
    };
    const Case cases[] = {
        { "semicolons", qs("First Name;Last Name;E-mail Address\nAnna;Berg;anna@example.org\n") },
        { "tabs", qs("First Name\tLast Name\tE-mail Address\nAnna\tBerg\tanna@example.org\n") },
        { "quoted header, semicolons",
          qs("\"First Name\";\"Last Name\";\"E-mail Address\"\n\"Anna\";\"Berg\";\"anna@example.org\"\n") },
        { "commas inside quotes do not count",
          qs("\"First Name\";\"Last Name, as written\";\"E-mail Address\"\nAnna;Berg;anna@example.org\n") },
    };
    for (const Case &c : cases) {
        const ContactList entries = read(c.text);
        ASSERT_EQ(entries.size(), 1) << c.name;
        EXPECT_EQ(nameParts(*entries.at(0)->person), qs("Anna|Berg")) << c.name;
        EXPECT_EQ(items(*entries.at(0)->person, FieldId::Email), QStringList { qs("other:anna@example.org") })
            << c.name;
    }
}

// The header rows and columns of the usual exports.
TEST(CsvExports, ColumnsOfTheUsualExports)
{
    struct Case
    {
        const char *name;
        QString text;
        QString names; // first|last
        QStringList emails;
        QStringList phones;
        QStringList addresses;
    };
    const Case cases[] = {
        { "mail program",
          qs("First Name,Last Name,Display Name,Nickname,Primary Email,Secondary Email,Screen Name,Work "
             "Phone,"
             "Home Phone,Fax Number,Pager Number,Mobile Number,Home Address,Home Address 2,Home City,Home "
             "State,"
             "Home ZipCode,Home Country\n"
             "Anna,Berg,Anna B.,,anna@home.org,anna@other.org,anna99,555-1,555-2,555-3,555-4,555-5,"
             "Main St 1,Flat 2,Springfield,IL,62701,USA\n"),
          qs("Anna|Berg"),
          { qs("home:anna@home.org"), qs("other:anna@other.org") },
          { qs("work:555-1"), qs("home:555-2"), qs("home fax:555-3"), qs("pager:555-4"), qs("mobile:555-5") },
          { qs("home:Main St 1\nFlat 2|Springfield|62701|USA") } },
        { "desktop mail and calendar",
          qs("\"Title\",\"First Name\",\"Middle Name\",\"Last Name\",\"Business Street\",\"Business City\","
             "\"Business Postal Code\",\"Business Country/Region\",\"Business Phone\",\"Business Phone 2\","
             "\"Mobile Phone\",\"Business Fax\",\"Primary Phone\",\"E-mail Address\",\"E-mail Type\","
             "\"E-mail Display Name\",\"E-mail 2 Address\",\"Manager's Name\"\r\n"
             "\"Dr.\",\"Anna\",\"\",\"Berg\",\"Elm Rd 2\",\"Berlin\",\"10115\",\"Germany\",\"030 1\",\"030 "
             "2\","
             "\"0170 3\",\"030 4\",\"030 5\",\"anna@work.de\",\"SMTP\",\"Anna Berg (anna@work.de)\","
             "\"anna@private.de\",\"Carl Boss\"\r\n"),
          qs("Anna|Berg"),
          { qs("other:anna@work.de"), qs("other:anna@private.de") },
          { qs("work:030 1"), qs("work:030 2"), qs("mobile:0170 3"), qs("work fax:030 4"), qs("main:030 5") },
          { qs("work:Elm Rd 2|Berlin|10115|Germany") } },
        { "web address book",
          qs("Name,Given Name,Additional Name,Family Name,Yomi Name,Nickname,Short Name,Birthday,Notes,"
             "Group Membership,E-mail 1 - Type,E-mail 1 - Value,E-mail 2 - Type,E-mail 2 - Value,"
             "Phone 1 - Type,Phone 1 - Value,Phone 2 - Type,Phone 2 - Value,Address 1 - Type,"
             "Address 1 - Formatted,Address 1 - Street,Address 1 - City,Address 1 - Region,"
             "Address 1 - Postal Code,Address 1 - Country,Organization 1 - Name,Organization 1 - Title\n"
             "Anna Berg,Anna,,Berg,,,Annie,1980-05-17,,* myContacts ::: Friends,* Home,a@home.org ::: "
             "b@home.org,"
             "Work,a@work.org,Mobile,0170 1,Custom kind,0170 2,Home,\"Main St 1\nSpringfield\",Main St 1,"
             "Springfield,,62701,USA,Acme,Engineer\n"),
          qs("Anna|Berg"),
          { qs("home:a@home.org"), qs("home:b@home.org"), qs("work:a@work.org") },
          { qs("mobile:0170 1"), qs("Custom kind:0170 2") },
          { qs("home:Main St 1|Springfield|62701|USA") } },
    };
    for (const Case &c : cases) {
        const ContactList entries = read(c.text);
        ASSERT_EQ(entries.size(), 1) << c.name << ": the header row is no contact";
        QVPerson &p = *entries.at(0)->person;
        EXPECT_EQ(nameParts(p), c.names) << c.name;
        EXPECT_EQ(items(p, FieldId::Email), c.emails) << c.name;
        EXPECT_EQ(items(p, FieldId::Phone), c.phones) << c.name;
        QStringList addresses;
        for (const QVariant &v : p.labeledValueForIdentifier(FieldId::Address)) {
            const QVariantMap a = v.toMap();
            addresses.append(a.value(Key::Label).toString() + u':' + a.value(FieldId::Street).toString()
                             + u'|' + a.value(FieldId::City).toString() + u'|'
                             + a.value(FieldId::Zip).toString() + u'|'
                             + a.value(FieldId::Country).toString());
        }
        EXPECT_EQ(addresses, c.addresses) << c.name;
    }
}

TEST(CsvExports, OtherFieldsOfExports)
{
    const ContactList entries = read(
        qs("\"Title\",\"First Name\",\"Last Name\",\"Suffix\",\"Company\",\"Department\",\"Job Title\","
           "\"Birthday\",\"Anniversary\",\"Categories\",\"Notes\",\"Web Page\",\"Spouse\"\r\n"
           "\"Dr.\",\"Anna\",\"Berg\",\"Jr.\",\"Acme\",\"Sales\",\"Manager\",\"5/17/1980\",\"0/0/00\","
           "\"Friends;Work\",\"likes tea\",\"https://anna.example\",\"Carl\"\r\n"));
    ASSERT_EQ(entries.size(), 1);
    QVPerson &p = *entries.at(0)->person;
    EXPECT_EQ(p.stringValueForIdentifier(FieldId::Title), qs("Dr."));
    EXPECT_EQ(p.stringValueForIdentifier(FieldId::Suffix), qs("Jr."));
    EXPECT_EQ(p.stringValueForIdentifier(FieldId::Company), qs("Acme"));
    EXPECT_EQ(p.stringValueForIdentifier(FieldId::Department), qs("Sales"));
    EXPECT_EQ(p.stringValueForIdentifier(FieldId::JobTitle), qs("Manager"));
    EXPECT_EQ(p.stringValueForIdentifier(FieldId::Note), qs("likes tea"));
    EXPECT_EQ(p.birthdayValue().value(Key::Value).value<DateComponents>(), (DateComponents { 1980, 5, 17 }));
    EXPECT_TRUE(items(p, FieldId::Dates).isEmpty()) << "0/0/00 is how the export writes no date";
    EXPECT_EQ(items(p, FieldId::Url), QStringList { qs("home page:https://anna.example") });
    EXPECT_EQ(items(p, FieldId::Relationship), QStringList { qs("spouse:Carl") });

    const ContactList events
        = read(qs("Given Name,Event 1 - Type,Event 1 - Value,Event 2 - Type,Event 2 - Value\n"
                  "Anna,Anniversary,2001-06-09,First met,--03-14\n"));
    ASSERT_EQ(events.size(), 1);
    QStringList dates;
    for (const QVariant &v : events.at(0)->person->labeledValueForIdentifier(FieldId::Dates)) {
        const QVariantMap item = v.toMap();
        const DateComponents date = item.value(Key::Value).value<DateComponents>();
        dates.append(item.value(Key::Label).toString() + u':' + QString::number(date.year) + u'-'
                     + QString::number(date.month) + u'-' + QString::number(date.day));
    }
    EXPECT_EQ(dates, (QStringList { qs("anniversary:2001-6-9"), qs("First met:-1-3-14") }));
}

TEST(CsvExports, DatesAsExportsWriteThem)
{
    struct Case
    {
        const char *locale;
        const char *text;
        DateComponents date; // empty: none
        const char *shown; // the birthday's text
    };
    const Case cases[] = {
        { "en_US", "20/01/1991", { 1991, 1, 20 }, "1991.01.20(Sun)" },
        { "en_US", "1/20/1991", { 1991, 1, 20 }, "1991.01.20(Sun)" },
        { "en_US", "1/2/1991", { 1991, 1, 2 }, "1991.01.02(Wed)" },
        { "en_GB", "1/2/1991", { 1991, 2, 1 }, "1991.02.01(Fri)" },
        { "en_US", "1.2.1991", { 1991, 2, 1 }, "1991.02.01(Fri)" },
        { "en_US", "1991-01-20", { 1991, 1, 20 }, "1991.01.20(Sun)" },
        { "en_US", "1991/1/20", { 1991, 1, 20 }, "1991.01.20(Sun)" },
        { "en_US", "1991.01.20", { 1991, 1, 20 }, "1991.01.20(Sun)" },
        { "en_US", "--01-20", { DateComponents::Undefined, 1, 20 }, nullptr },
        { "en_US", "0/0/00", {}, "" },
        { "en_US", "31/02/1991", {}, "31/02/1991" },
        { "en_US", "in spring", {}, "in spring" },
    };
    const QLocale saved;
    for (const Case &c : cases) {
        QLocale::setDefault(QLocale(qs(c.locale)));
        const ContactList entries = read(qs("Nickname,Birthday\nAnna,") + qs(c.text));
        ASSERT_EQ(entries.size(), 1) << c.text;
        const QVariantMap birthday = entries.at(0)->person->birthdayValue();
        EXPECT_EQ(birthday.value(Key::Value).value<DateComponents>(), c.date) << c.locale << ' ' << c.text;
        if (c.shown) {
            EXPECT_EQ(birthday.value(Key::StringValue).toString(), qs(c.shown)) << c.locale << ' ' << c.text;
        }
    }
    QLocale::setDefault(saved);
}

// Headers that mention a name without being the contact's name leave it alone.
TEST(CsvExports, OtherNameColumnsAreNoName)
{
    const ContactList entries
        = read(qs("First Name,Last Name,Manager's Name,Assistant's Name,E-mail Display Name,"
                  "Screen Name,Organization 1 - Yomi Name\n"
                  "Anna,Berg,Carl,Dora,Anna B.,anna99,Akume\n"));
    ASSERT_EQ(entries.size(), 1);
    EXPECT_EQ(entries.at(0)->person->compositeName(), qs("Anna Berg"));
}

TEST(CsvExports, GroupsOfTheLines)
{
    const auto containers
        = QVvCard::containersFromCSV(qs("Given Name,Family Name,Group Membership\n"
                                        "Anna,Berg,* myContacts ::: Friends ::: Chess club\n"
                                        "Bert,Ek,* myContacts ::: Friends\n"
                                        "Cleo,Falk,* myContacts\n"));
    ASSERT_TRUE(containers.has_value());
    QStringList groups;
    for (const GroupEntry &group : containers->first()->groups) {
        QStringList members;
        for (const ContactEntry &entry : *group->contactTable)
            members.append(entry->person->compositeName());
        groups.append(group->name + u':' + members.join(u','));
    }
    EXPECT_EQ(groups,
              (QStringList { qs("All Contacts:Anna Berg,Bert Ek,Cleo Falk"), qs("Chess club:Anna Berg"),
                             qs("Friends:Anna Berg,Bert Ek") }))
        << "the address book's own group of every contact is none";
}

// ---- Files of the corpus ------------------------------------------------------------------

// Type words of the expected vCards that are no vCard standard, in the record's words; an item
// without any type is "other" in a CSV file.
QString normalisedLabel(const QString &label)
{
    static const QHash<QString, QString> words {
        { LabelWord::NoLabel, LabelWord::Other }, { qs("home2"), LabelWord::Home },
        { qs("work2"), LabelWord::Work },         { qs("homefax"), LabelWord::HomeFax },
        { qs("workfax"), LabelWord::WorkFax },    { qs("homepage"), LabelWord::HomePage },
    };
    return words.value(label, label);
}

// The meaningful fields of a contact and its groups, one line each.
QStringList summary(QVPerson &p, const QStringList &groups)
{
    QStringList out;
    const QVariantMap name = p.nameValue();
    for (const QString &part :
         { FieldId::FirstName, FieldId::MiddleName, FieldId::LastName, FieldId::PreviousFamilyName })
        out.append(part + u'=' + name.value(part).toString());
    for (const QString &field : { FieldId::Title, FieldId::Suffix, FieldId::Nickname, FieldId::Company,
                                  FieldId::JobTitle, FieldId::Note })
        out.append(field + u'=' + p.stringValueForIdentifier(field));
    out.append(FieldId::Birthday + u'=' + p.birthdayValue().value(Key::StringValue).toString());
    for (const QString &field :
         { FieldId::Email, FieldId::Phone, FieldId::Url, FieldId::Dates, FieldId::InstantMessage }) {
        for (const QVariant &v : p.labeledValueForIdentifier(field)) {
            const QVariantMap item = v.toMap();
            out.append(field + u'=' + normalisedLabel(item.value(Key::Label).toString()) + u':'
                       + item.value(Key::StringValue).toString());
        }
    }
    for (const QVariant &v : p.labeledValueForIdentifier(FieldId::Address)) {
        const QVariantMap a = v.toMap();
        QStringList parts { normalisedLabel(a.value(Key::Label).toString()) };
        for (const QString &part :
             { FieldId::Street, FieldId::City, FieldId::State, FieldId::Zip, FieldId::Country })
            parts.append(a.value(part).toString());
        out.append(FieldId::Address + u'=' + parts.join(u'|'));
    }
    out.append(FieldId::Groups + u'=' + groups.join(u','));
    return out;
}

QList<QStringList> summaries(const ContainerTable &containers)
{
    QList<QStringList> out;
    const ContainerEntry &container = containers.first();
    for (const ContactEntry &entry : *QVvCard::contactsInContainer(container)) {
        QStringList groups;
        for (const GroupEntry &group : container->groups) {
            if (group->top)
                continue;
            for (const ContactEntry &member : *group->contactTable) {
                if (member->uniqueId == entry->uniqueId)
                    groups.append(group->name);
            }
        }
        out.append(summary(*entry->person, groups));
    }
    return out;
}

TEST(CsvExportCorpus, ExportsGiveTheContactsOfTheirVCards)
{
    const QString folder = qs("roundcube__roundcubemail/tests/src/Csv2vcard/");
    for (const char *name : { "all", "outlook", "tb_plain", "email" }) {
        const QString csv = corpusFile(folder + qs(name) + qs(".csv"));
        const QString vcf = corpusFile(folder + qs(name) + qs(".vcf"));
        ASSERT_FALSE(csv.isEmpty() || vcf.isEmpty()) << name;
        const QList<QStringList> read = summaries(*QVvCard::containersFromCSV(csv));
        const QList<QStringList> expected = summaries(*QVvCard::containersFromVCards(vcf));
        ASSERT_EQ(read.size(), expected.size()) << name;
        for (qsizetype i = 0; i < read.size(); ++i)
            EXPECT_EQ(read.at(i), expected.at(i)) << name << ", contact " << i;
    }
}

TEST(CsvExportCorpus, MailProgramFilesReadAsNamed)
{
    struct Case
    {
        const char *file;
        QStringList contacts; // "composite name|e-mails"
    };
    const Case cases[] = {
        { "basic_addressbook.csv", { qs("John Doe|home:johndoe@host.invalid") } },
        { "basic_csv_addressbook.csv",
          { qs("John Doe|home:john@doe.invalid"), qs("Jane Doe|home:jane@doe.invalid") } },
        { "csv_no_header.csv",
          { qs("John Doe|other:john@doe.invalid"), qs("Jane Doe|other:jane@doe.invalid") } },
        { "csv_semicolon.csv",
          { qs("John Doe|home:john@doe.invalid"), qs("Jane Doe|home:jane@doe.invalid") } },
        { "quote.csv", { qs("Acer America|") } },
        { "tab_comma_mixed.csv",
          { qs("1|other:1@host.invalid"), qs("2|other:2@host.invalid"), qs("3|other:3@host.invalid"),
            qs("4|other:4@host.invalid") } },
        { "utf16_addressbook.csv", { qs("John Doe|home:johndoe@host.invalid") } },
    };
    const QString folder = qs("mozilla__releases-comm-central/mailnews/import/test/unit/resources/");
    for (const Case &c : cases) {
        QStringList contacts;
        for (const ContactEntry &entry : read(corpusFile(folder + qs(c.file))))
            contacts.append(entry->person->compositeName() + u'|'
                            + items(*entry->person, FieldId::Email).join(u','));
        EXPECT_EQ(contacts, c.contacts) << c.file;
    }
}

} // namespace
