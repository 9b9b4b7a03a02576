#include "../testutil.h"
#include "formats/qvvcard.h"
#include "platform/contactlabels.h"
#include "record/keys.h"

#include <QCoreApplication>
#include <QTranslator>
#include <gtest/gtest.h>

namespace {

QVariantMap item(const QString &label, const QString &value)
{
    return { { Key::Label, label }, { Key::Value, value } };
}

QVariantMap address(const QString &label, const QString &street, const QString &city, const QString &zip)
{
    return {
        { Key::Label, label }, { FieldId::Street, street }, { FieldId::City, city }, { FieldId::Zip, zip }
    };
}

PersonPtr annaBerg()
{
    PersonPtr p = QVPerson::create();
    p->setValue(QVariantMap { { FieldId::FirstName, qs("Anna") }, { FieldId::LastName, qs("Berg") } },
                FieldId::Name);
    p->setValue(QVariantList { item(LabelWord::Home, qs("111")), item(LabelWord::Work, qs("222")),
                               item(LabelWord::Mobile, qs("333")) },
                FieldId::Phone);
    p->setValue(QVariantList { item(LabelWord::Work, qs("anna@example.com")) }, FieldId::Email);
    p->setValue(QVariantList { address(LabelWord::Home, qs("Main St 1"), qs("Springfield"), qs("12345")),
                               address(LabelWord::Work, qs("Elm Rd 2"), qs("Shelbyville"), QString()) },
                FieldId::Address);
    p->setValue(QVariantMap { { Key::Value, QVariant::fromValue(DateComponents { 1980, 5, 17 }) } },
                FieldId::Birthday);
    p->setValue(qs("Acme"), FieldId::Company);
    p->setValue(qs("likes tea"), FieldId::Note);
    p->setValue(QVariantMap { { FieldId::FirstName, qs("アンナ") } }, FieldId::PhoneticName);
    p->addLabeledValue(QVariantList { item(qs("desk"), qs("D-7")) }, qs("Locker"));
    p->setValue(qs("blue"), qs("Favourite Colour"));
    return p;
}

SubContactRow rowOf(const PersonPtr &person, int labelIndex = 0)
{
    SubContactRow row;
    row.person = person;
    row.uniqueId = person->uniqueId();
    row.labelIndex = labelIndex;
    return row;
}

// Labels shown in another language, to check that comparisons survive translation.
class GermanLabels : public QTranslator
{
public:
    QString translate(const char *context, const char *sourceText, const char *, int) const override
    {
        if (qstrcmp(context, "ContactLabels") != 0)
            return {};
        if (qstrcmp(sourceText, "home") == 0)
            return qs("privat");
        if (qstrcmp(sourceText, "work") == 0)
            return qs("geschäftlich");
        return {};
    }
    bool isEmpty() const override { return false; }
};

const QString kHeader = qs(
    "Name,Home Phone,Home Phone,Home Phone,Home Email,Home Email,Home Email,Home ZIP,Home State,Home City,"
    "Home Street,Work ZIP,Work State,Work City,Work Street,Other ZIP,Other State,Other City,Other Street,"
    "Birthday,Title,Company,Department,Job Title,First Name,Last Name,Nickname,Note,Facebook,LinkedIn,"
    "Flickr,SinaWeibo\n");

TEST(CsvCell, StringForIdentifier)
{
    const PersonPtr anna = annaBerg();
    struct Case
    {
        const char *name;
        QString identifier;
        QString label;
        qsizetype index;
        bool localize;
        QString expected;
    };
    const Case cases[] = {
        { "display name quoted for its space", FieldId::Name, QString(), 0, true, qs("\"Anna Berg\"") },
        { "name part", FieldId::Name, FieldId::FirstName, 0, true, qs("Anna") },
        { "missing name part", FieldId::Name, FieldId::MiddleName, 0, true, QString() },
        { "phonetic name", FieldId::PhoneticName, QString(), 0, true, qs("アンナ") },
        { "labeled item without label argument", FieldId::Phone, QString(), 1, true, qs("work:222") },
        { "labeled item of the asked label", FieldId::Phone, LabelWord::Home, 0, true, qs("111") },
        { "labeled item of another label", FieldId::Phone, LabelWord::Work, 0, true, QString() },
        { "raw labels without localisation", FieldId::Phone, LabelWord::Mobile, 2, false, qs("333") },
        { "no item index", FieldId::Phone, QString(), -1, true, QString() },
        { "index past the items", FieldId::Phone, QString(), 3, true, QString() },
        { "address part of the asked label", FieldId::City, LabelWord::Work, 1, true, qs("Shelbyville") },
        { "address part of another label", FieldId::City, LabelWord::Home, 1, true, QString() },
        { "address part without label argument", FieldId::Street, QString(), 0, true, qs("\"Main St 1\"") },
        { "empty address part", FieldId::Zip, QString(), 1, true, QString() },
        { "address part without index", FieldId::Zip, QString(), -1, true, QString() },
        { "birthday", FieldId::Birthday, QString(), 0, true, qs("1980.05.17(Sat)") },
        { "string field", FieldId::Company, QString(), 0, true, qs("Acme") },
        { "string field with space", FieldId::Note, QString(), 0, true, qs("\"likes tea\"") },
        { "empty string field", FieldId::Department, QString(), 0, true, QString() },
        { "custom labeled item", qs("Locker"), QString(), 0, true, qs("desk:D-7") },
        { "custom string item", qs("Favourite Colour"), QString(), 0, true, qs("blue") },
        { "unknown identifier", qs("Shoe Size"), QString(), 0, true, QString() },
    };
    for (const Case &c : cases) {
        EXPECT_EQ(QVvCard::stringForIdentifier(c.identifier, c.label, c.index, *anna, c.localize), c.expected)
            << c.name;
    }
}

TEST(CsvCell, NamelessContactWritesNoName)
{
    PersonPtr nameless = QVPerson::create();
    EXPECT_EQ(QVvCard::stringForIdentifier(FieldId::Name, QString(), 0, *nameless, true), QString());
    PersonPtr company = QVPerson::create();
    company->setValue(QVariantMap { { Key::ShowAsPerson, false } }, FieldId::Name);
    company->setValue(qs("Acme Ltd"), FieldId::Company);
    EXPECT_EQ(QVvCard::stringForIdentifier(FieldId::Name, QString(), 0, *company, true), qs("\"Acme Ltd\""));
}

TEST(CsvCell, LocalizedLabelsStillMatchTheirColumns)
{
    GermanLabels german;
    QCoreApplication::installTranslator(&german);
    const PersonPtr anna = annaBerg();
    const QString home = QVvCard::stringForIdentifier(FieldId::Phone, LabelWord::Home, 0, *anna, true);
    const QString shown = QVvCard::stringForIdentifier(FieldId::Phone, QString(), 0, *anna, true);
    const QString raw = QVvCard::stringForIdentifier(FieldId::Phone, QString(), 0, *anna, false);
    const QString work = QVvCard::stringForIdentifier(FieldId::Phone, LabelWord::Home, 1, *anna, true);
    QCoreApplication::removeTranslator(&german);
    EXPECT_EQ(home, qs("111"));
    EXPECT_EQ(shown, qs("privat:111"));
    EXPECT_EQ(raw, qs("home:111"));
    EXPECT_EQ(work, QString());
}

TEST(CsvDocument, HeaderAndEmptyRow)
{
    EXPECT_EQ(QVvCard::csvFromSubContacts({}), kHeader);
    const QString csv = QVvCard::csvFromSubContacts({ rowOf(QVPerson::create()) });
    ASSERT_TRUE(csv.startsWith(kHeader));
    EXPECT_EQ(csv.mid(kHeader.size()), QString(31, u',') + u'\n');
}

TEST(CsvDocument, RowsFillTheColumnsOfTheirItem)
{
    const PersonPtr anna = annaBerg();
    const QStringList first = QVvCard::csvFromSubContacts({ rowOf(anna, 0) }).split(u'\n').at(1).split(u',');
    ASSERT_EQ(first.size(), 32);
    EXPECT_EQ(first.mid(1, 3), (QStringList { qs("111"), QString(), QString() })) << "home phone only";
    EXPECT_EQ(first.mid(4, 3), (QStringList { QString(), qs("anna@example.com"), QString() }))
        << "a work e-mail";
    EXPECT_EQ(first.mid(7, 4),
              (QStringList { qs("12345"), QString(), qs("Springfield"), qs("\"Main St 1\"") }));
    EXPECT_EQ(first.mid(11, 4), (QStringList { QString(), QString(), QString(), QString() }));
    EXPECT_EQ(first.at(0), qs("\"Anna Berg\""));
    EXPECT_EQ(first.at(19), qs("1980.05.17(Sat)"));
    EXPECT_EQ(first.mid(24, 2), (QStringList { qs("Anna"), qs("Berg") }));

    const QStringList second = QVvCard::csvFromSubContacts({ rowOf(anna, 1) }).split(u'\n').at(1).split(u',');
    ASSERT_EQ(second.size(), 32);
    EXPECT_EQ(second.mid(1, 3), (QStringList { QString(), qs("222"), QString() }));
    EXPECT_EQ(second.mid(11, 4),
              (QStringList { QString(), QString(), qs("Shelbyville"), qs("\"Elm Rd 2\"") }));

    const QStringList third = QVvCard::csvFromSubContacts({ rowOf(anna, 2) }).split(u'\n').at(1).split(u',');
    EXPECT_EQ(third.mid(1, 3), (QStringList { QString(), QString(), QString() })) << "mobile has no column";
}

TEST(CsvDocument, Quoting)
{
    struct Case
    {
        const char *name;
        QString identifier;
        QString value;
        QString written;
    };
    const Case cases[] = {
        { "plain", FieldId::Company, qs("Acme"), qs("Acme") },
        { "space", FieldId::Company, qs("Acme Ltd"), qs("\"Acme Ltd\"") },
        { "comma without space", FieldId::Company, qs("Acme,Ltd"), qs("\"Acme,Ltd\"") },
        { "space and comma", FieldId::Company, qs("Acme, Ltd"), qs("\"\"Acme, Ltd\"\"") },
        { "line breaks", FieldId::Note, qs("one\ntwo\r\nthree"), qs("one\\ntwo\\nthree") },
        { "tab", FieldId::Note, qs("a\tb"), qs("a\\tb") },
    };
    for (const Case &c : cases) {
        PersonPtr p = QVPerson::create();
        p->setValue(c.value, c.identifier);
        const QString line = QVvCard::csvFromSubContacts({ rowOf(p) }).split(u'\n').at(1);
        const QString column = c.identifier == FieldId::Note ? qs("Note") : qs("Company");
        const qsizetype before = kHeader.left(kHeader.indexOf(column)).count(u',');
        // Everything before the cell is empty, so the cell starts after that many commas.
        EXPECT_TRUE(line.mid(before).startsWith(c.written + u',')) << c.name << ": " << line.toStdString();
    }
}

TEST(CsvDocument, StreetWithSpaceAndCommaInItsColumn)
{
    PersonPtr p = QVPerson::create();
    p->setValue(QVariantList { address(LabelWord::Other, qs("Main St, 5"), QString(), QString()) },
                FieldId::Address);
    const QString line = QVvCard::csvFromSubContacts({ rowOf(p) }).split(u'\n').at(1);
    EXPECT_EQ(line, QString(18, u',') + qs("\"\"Main St, 5\"\"") + QString(13, u','));
}

TEST(CsvLine, CellsAndSeparators)
{
    const PersonPtr anna = annaBerg();
    const PersonPtr nameless = QVPerson::create();
    nameless->setValue(QVariantList { item(LabelWord::Home, qs("111")) }, FieldId::Phone);
    nameless->setValue(qs("a,b\nc"), FieldId::Note);
    struct Case
    {
        const char *name;
        PersonPtr person;
        int labelIndex;
        QStringList identifiers;
        QString separator;
        QString expected;
    };
    const Case cases[] = {
        { "tab separated",
          anna,
          0,
          { FieldId::Name, FieldId::Phone },
          qs("\t"),
          qs("\"Anna Berg\"\thome:111") },
        { "item index of the row", anna, 1, { FieldId::Phone, FieldId::Email }, qs("\t"), qs("work:222\t") },
        { "comma and space",
          anna,
          0,
          { FieldId::Company, FieldId::City },
          qs(", "),
          qs("Acme, Springfield") },
        { "empty display name starts with the separator",
          nameless,
          0,
          { FieldId::Name, FieldId::Phone },
          qs("\t"),
          qs("\thome:111") },
        { "one empty cell is the separator alone", nameless, 0, { FieldId::Company }, qs("\t"), qs("\t") },
        { "no comma quoting, breaks escaped", nameless, 0, { FieldId::Note }, qs("\t"), qs("a,b\\nc") },
        { "no identifiers", anna, 0, {}, qs("\t"), QString() },
    };
    for (const Case &c : cases) {
        const QString line
            = QVvCard::csvStringFromContact(rowOf(c.person, c.labelIndex), c.identifiers, c.separator, true);
        EXPECT_EQ(line, c.expected) << c.name;
    }
}

} // namespace
