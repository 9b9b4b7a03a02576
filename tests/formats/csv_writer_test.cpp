#include "csv_testutil.h"
#include "formats/qvvcard.h"
#include "formats/qvvcard_csv_p.h"
#include "platform/contactlabels.h"
#include "record/keys.h"

#include <QCoreApplication>
#include <QTranslator>
#include <gtest/gtest.h>

namespace {

QVariantMap item(const QString &label, const QString &value, const QString &key = Key::Value)
{
    return { { Key::Label, label }, { key, value } };
}

struct Contact
{
    QString first, last, company, phoneLabel, phone, email, addressLabel, street, city, zip;
    DateComponents birthday;
    QString note, nickname, service, username;
};

PersonPtr person(const Contact &c)
{
    PersonPtr p = QVPerson::create();
    const bool named = !c.first.isEmpty() || !c.last.isEmpty();
    p->setValue(QVariantMap { { FieldId::FirstName, c.first },
                              { FieldId::LastName, c.last },
                              { Key::ShowAsPerson, named } },
                FieldId::Name);
    const QList<std::pair<QString, QString>> strings
        = { { FieldId::Company, c.company }, { FieldId::Note, c.note }, { FieldId::Nickname, c.nickname } };
    for (const auto &[identifier, value] : strings) {
        if (!value.isEmpty())
            p->setValue(value, identifier);
    }
    if (!c.phone.isEmpty())
        p->setValue(QVariantList { item(c.phoneLabel, c.phone), item(LabelWord::Mobile, qs("999")) },
                    FieldId::Phone);
    if (!c.email.isEmpty())
        p->setValue(QVariantList { item(LabelWord::Home, c.email) }, FieldId::Email);
    if (!c.addressLabel.isEmpty()) {
        QVariantMap address = item(c.addressLabel, c.street, FieldId::Street);
        address.insert(FieldId::City, c.city);
        address.insert(FieldId::Zip, c.zip);
        p->setValue(QVariantList { address }, FieldId::Address);
    }
    if (!c.birthday.isEmpty())
        p->setValue(QVariantMap { { Key::Value, QVariant::fromValue(c.birthday) } }, FieldId::Birthday);
    if (!c.service.isEmpty())
        p->setValue(QVariantList { item(c.service, c.username) }, FieldId::SocialNetwork);
    return p;
}

const Contact kAnna { qs("Anna"),        qs("Berg"),
                      qs("Acme"),        LabelWord::Home,
                      qs("111"),         qs("anna@example.com"),
                      LabelWord::Work,   qs("Elm Rd 2"),
                      qs("Springfield"), qs("12345"),
                      { 1980, 5, 17 },   qs("likes tea"),
                      QString(),         SocialService::Facebook,
                      qs("anna.b") };

// The data line of a one-row document, cut at its commas.
QStringList documentCells(const PersonPtr &p, int labelIndex = 0)
{
    return QVvCard::csvFromSubContacts({ rowOf(p, labelIndex) }).split(u'\n').value(1).split(u',');
}

TEST(CsvWriter, CellText)
{
    const PersonPtr anna = person(kAnna);
    anna->addLabeledValue(QVariantList { item(qs("desk"), qs("D-7")) }, qs("Locker"));
    anna->setValue(qs("blue"), qs("Colour"));
    const PersonPtr nameless = QVPerson::create();
    const PersonPtr company = person({ .company = qs("Acme Ltd") });
    struct Case
    {
        const char *name;
        PersonPtr p;
        QString identifier, label;
        qsizetype index;
        QString expected;
    };
    const Case cases[] = {
        { "display name, quoted for its space", anna, FieldId::Name, {}, 0, qs("\"Anna Berg\"") },
        { "no display name", nameless, FieldId::Name, {}, 0, QString() },
        { "organisation", company, FieldId::Name, {}, 0, qs("\"Acme Ltd\"") },
        { "name part", anna, FieldId::Name, FieldId::FirstName, 0, qs("Anna") },
        { "item without label argument", anna, FieldId::Phone, {}, 1, qs("mobile:999") },
        { "item of the asked label", anna, FieldId::Phone, LabelWord::Home, 0, qs("111") },
        { "item of another label", anna, FieldId::Phone, LabelWord::Work, 0, QString() },
        { "no item index", anna, FieldId::Phone, {}, -1, QString() },
        { "index past the items", anna, FieldId::Phone, {}, 2, QString() },
        { "address part of the asked label", anna, FieldId::City, LabelWord::Work, 0, qs("Springfield") },
        { "address part of another label", anna, FieldId::City, LabelWord::Home, 0, QString() },
        { "address part, no label argument", anna, FieldId::Street, {}, 0, qs("\"Elm Rd 2\"") },
        { "birthday", anna, FieldId::Birthday, {}, 0, qs("1980.05.17(Sat)") },
        { "string field", anna, FieldId::Note, {}, 0, qs("\"likes tea\"") },
        { "custom labeled item", anna, qs("Locker"), {}, 0, qs("desk:D-7") },
        { "custom string item", anna, qs("Colour"), {}, 0, qs("blue") },
        { "unknown identifier", anna, qs("Shoe Size"), {}, 0, QString() },
    };
    for (const Case &c : cases)
        EXPECT_EQ(QVvCard::stringForIdentifier(c.identifier, c.label, c.index, *c.p, true), c.expected)
            << c.name;
}

// Labels shown in another language.
class GermanLabels : public QTranslator
{
public:
    QString translate(const char *context, const char *source, const char *, int) const override
    {
        if (qstrcmp(context, "ContactLabels") == 0 && qstrcmp(source, "home") == 0)
            return qs("privat");
        return {};
    }
    bool isEmpty() const override { return false; }
};

TEST(CsvWriter, LocalizedLabelsStillMatchTheirColumns)
{
    const PersonPtr anna = person(kAnna);
    GermanLabels german;
    QCoreApplication::installTranslator(&german);
    const QStringList cells = documentCells(anna);
    const QString shown = QVvCard::stringForIdentifier(FieldId::Phone, {}, 0, *anna, true);
    const QString raw = QVvCard::stringForIdentifier(FieldId::Phone, {}, 0, *anna, false);
    QCoreApplication::removeTranslator(&german);
    EXPECT_EQ(cells.value(1), qs("111"));
    EXPECT_EQ(shown, qs("privat:111"));
    EXPECT_EQ(raw, qs("home:111"));
}

TEST(CsvWriter, Document)
{
    const QString header
        = qs("Name,Home Phone,Home Phone,Home Phone,Home Email,Home Email,Home Email,Home ZIP,"
             "Home State,Home City,Home Street,Work ZIP,Work State,Work City,Work Street,Other ZIP,"
             "Other State,Other City,Other Street,Birthday,Title,Company,Department,Job Title,"
             "First Name,Last Name,Nickname,Note,Facebook,LinkedIn,Flickr,SinaWeibo\n");
    EXPECT_EQ(QVvCard::csvFromSubContacts({}), header);
    EXPECT_EQ(QVvCard::csvFromSubContacts({ rowOf(QVPerson::create()) }), header + QString(31, u',') + u'\n');

    const PersonPtr anna = person(kAnna);
    const QStringList first = documentCells(anna, 0);
    ASSERT_EQ(first.size(), 32);
    EXPECT_EQ(first.mid(1, 3), (QStringList { qs("111"), {}, {} })) << "only the home column";
    EXPECT_EQ(first.mid(11, 4), (QStringList { qs("12345"), {}, qs("Springfield"), qs("\"Elm Rd 2\"") }));
    EXPECT_EQ(first.mid(24, 2), (QStringList { qs("Anna"), qs("Berg") }));
    EXPECT_EQ(documentCells(anna, 1).mid(1, 3), (QStringList { {}, {}, {} })) << "mobile has no column";
}

TEST(CsvWriter, DocumentQuoting)
{
    struct Case
    {
        const char *name;
        QString value;
        QString written;
    };
    const Case cases[] = {
        { "plain", qs("Acme"), qs("Acme") },
        { "space", qs("Main St"), qs("\"Main St\"") },
        { "comma, no space", qs("Main,5"), qs("\"Main,5\"") },
        { "space and comma", qs("Main St, 5"), qs("\"\"Main St, 5\"\"") },
        { "line breaks", qs("one\ntwo\r\nthree\rfour"), qs("one\\ntwo\\nthree\\nfour") },
        { "tab", qs("a\tb"), qs("a\\tb") },
    };
    for (const Case &c : cases) {
        const PersonPtr p = QVPerson::create();
        p->setValue(QVariantList { item(LabelWord::Other, c.value, FieldId::Street) }, FieldId::Address);
        const QString line = QVvCard::csvFromSubContacts({ rowOf(p) }).split(u'\n').value(1);
        EXPECT_EQ(line, QString(18, u',') + c.written + QString(13, u',')) << c.name;
    }
}

TEST(CsvWriter, Lines)
{
    const PersonPtr anna = person(kAnna);
    const PersonPtr nameless
        = person({ .phoneLabel = LabelWord::Home, .phone = qs("111"), .note = qs("a,b\nc") });
    struct Case
    {
        const char *name;
        PersonPtr p;
        int labelIndex;
        QStringList identifiers;
        QString separator, expected;
    };
    const Case cases[] = {
        { "tabs", anna, 0, { FieldId::Name, FieldId::Phone }, qs("\t"), qs("\"Anna Berg\"\thome:111") },
        { "item index of the row",
          anna,
          1,
          { FieldId::Phone, FieldId::Email },
          qs("\t"),
          qs("mobile:999\t") },
        { "comma and space", anna, 0, { FieldId::Company, FieldId::Zip }, qs(", "), qs("Acme, 12345") },
        { "empty display name first",
          nameless,
          0,
          { FieldId::Name, FieldId::Phone },
          qs("\t"),
          qs("\thome:111") },
        { "one empty cell", nameless, 0, { FieldId::Company }, qs("\t"), qs("\t") },
        { "no comma quoting, breaks escaped", nameless, 0, { FieldId::Note }, qs("\t"), qs("a,b\\nc") },
    };
    for (const Case &c : cases) {
        EXPECT_EQ(QVvCard::csvStringFromContact(rowOf(c.p, c.labelIndex), c.identifiers, c.separator, true),
                  c.expected)
            << c.name;
    }
}

TEST(CsvWriter, RoundTrip)
{
    const Contact contacts[] = {
        kAnna,
        { qs("Bob"),
          qs("O'Neil"),
          {},
          LabelWord::Other,
          qs("+1 555 0100"),
          qs("bob@example.org"),
          LabelWord::Other,
          qs("Elm Rd 2, Apt. 3"),
          qs("Salem, North"),
          {},
          {},
          qs("He said \"hi, there\"\ntwice,\tno"),
          qs("Bob \"the builder\""),
          SocialService::Flickr,
          qs("bob builds") },
        { qs("太郎"),
          qs("山田"),
          qs("株式会社 山田商事"),
          LabelWord::Work,
          qs("03-1234-5678"),
          {},
          LabelWord::Home,
          qs("千代田1-1"),
          qs("千代田区"),
          qs("100-0001"),
          { 1975, 12, 1 },
          qs("日本語のメモ\nあり"),
          {},
          SocialService::LinkedIn,
          qs("taro") },
        { .company = qs("Acme, Inc."),
          .email = qs("info@acme.test"),
          .service = SocialService::SinaWeibo,
          .username = qs("acme") },
    };
    SubContactRows rows;
    for (const Contact &c : contacts)
        rows.append(rowOf(person(c)));
    const QString csv = QVvCard::csvFromSubContacts(rows);
    const auto entries = QVvCard::contactsFromCSV(csv);
    ASSERT_EQ(entries->size(), rows.size()) << csv.toStdString();
    for (qsizetype i = 0; i < rows.size(); ++i)
        EXPECT_EQ(carried(entries->at(i)->person), carried(rows.at(i).person)) << "contact " << i;
}

// Values holding the dialect's own marks: quotes, commas next to them, backslashes before the
// escapes' letters and breaks. Each is put in the note, the street and the company (the display
// name of a contact without a name), and must read back unchanged.
TEST(CsvWriter, ValuesWithQuotesCommasAndBackslashesReadBack)
{
    const QString values[] = {
        qs(", x"),      qs(",x"),     qs("a\",b"),        qs("a\", b"),     qs("\"quoted\""),
        qs("\"a, b\""), qs("\""),     qs("\"\""),         qs("x\","),       qs("He said \"hi\", then"),
        qs("\"start"),  qs("end\","), qs("C:\\new\\tab"), qs("a\\\nb"),     qs("a\\\\nb"),
        qs("tail\\"),   qs("\"\\,"),  qs("\\\",y"),       qs("\\\\server"), qs("x\"\\, y"),
    };
    for (const QString &value : values) {
        const Contact contact {
            .company = value, .addressLabel = LabelWord::Home, .street = value, .note = value
        };
        const PersonPtr p = person(contact);
        const QString csv = QVvCard::csvFromSubContacts({ rowOf(p) });
        const auto entries = QVvCard::contactsFromCSV(csv);
        ASSERT_EQ(entries->size(), 1) << csv.toStdString();
        const PersonPtr back = entries->at(0)->person;
        EXPECT_EQ(back->stringValueForIdentifier(FieldId::Note), value) << csv.toStdString();
        EXPECT_EQ(back->stringValueForIdentifier(FieldId::Company), value) << csv.toStdString();
        EXPECT_EQ(carried(back), carried(p)) << csv.toStdString();
    }
}

// A display name with a comma that no other cell repeats: the line must still read quotes, or the
// name is cut at its comma and every later cell moves one column on.
TEST(CsvWriter, QuotedFirstCellAloneKeepsItsRow)
{
    const PersonPtr p = QVPerson::create();
    p->setValue(QVariantMap { { FieldId::MiddleName, qs("Smith,Jr") }, { Key::ShowAsPerson, true } },
                FieldId::Name);
    p->setValue(qs("tea"), FieldId::Note);
    ASSERT_EQ(p->compositeName(), qs("Smith,Jr"));
    const auto entries = QVvCard::contactsFromCSV(QVvCard::csvFromSubContacts({ rowOf(p) }));
    ASSERT_EQ(entries->size(), 1);
    EXPECT_EQ(entries->at(0)->person->compositeName(), qs("Smith,Jr"));
    EXPECT_EQ(entries->at(0)->person->stringValueForIdentifier(FieldId::Note), qs("tea"));
}

} // namespace
