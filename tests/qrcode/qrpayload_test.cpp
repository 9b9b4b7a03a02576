#include "../testutil.h"
#include "qrcode/keys.h"
#include "qrcode/qrpayload.h"
#include "qrcode/qrselectionmodel.h"
#include "record/keys.h"

#include <gtest/gtest.h>

namespace {

QVariantMap labeled(const QString &label, const QString &value, int labelIndex)
{
    return { { Key::Label, label }, { Key::Value, value }, { Key::LabelIndex, labelIndex } };
}

PersonPtr person(const QString &first, const QString &last)
{
    PersonPtr p = QVPerson::create();
    p->setValue(QVariantMap { { FieldId::FirstName, first }, { FieldId::LastName, last } }, FieldId::Name);
    return p;
}

// Hanako Yamada with two phones, an e-mail, a home address, a URL and her organisation.
PersonPtr fullPerson()
{
    PersonPtr p = person(qs("Hanako"), qs("Yamada"));
    p->setValue(QVariantList { labeled(LabelWord::Mobile, qs("090-1234-5678"), 0),
                               labeled(LabelWord::Work, qs("03-1111-2222"), 1) },
                FieldId::Phone);
    p->setValue(QVariantList { labeled(LabelWord::Home, qs("hanako@example.jp"), 0) }, FieldId::Email);
    QVariantMap address = labeled(qs("Home"), QString(), 0);
    address.insert(FieldId::Street, qs("1-2-3 Chiyoda\nBuilding 4"));
    address.insert(FieldId::City, qs("Chiyoda-ku"));
    address.insert(FieldId::State, qs("Tokyo"));
    address.insert(FieldId::Zip, qs("100-0001"));
    address.insert(FieldId::Country, qs("Japan"));
    p->setValue(QVariantList { address }, FieldId::Address);
    p->setValue(QVariantList { labeled(LabelWord::Work, qs("example.jp"), 0) }, FieldId::Url);
    p->setValue(qs("Example; Inc."), FieldId::Company);
    p->setValue(qs("Sales"), FieldId::Department);
    p->setValue(qs("Manager"), FieldId::JobTitle);
    p->setValue(QVariantMap { { FieldId::FirstName, qs("Hanako") }, { FieldId::LastName, qs("Yamada") } },
                FieldId::PhoneticName);
    return p;
}

QVariantList select(QVariantList rows, const QString &type, int nth, bool selected)
{
    int seen = 0;
    for (QVariant &item : rows) {
        QVariantMap row = item.toMap();
        if (row.value(QRSelectionKey::Type).toString() != type)
            continue;
        if (seen++ == nth) {
            row.insert(QRSelectionKey::Selected, selected);
            item = row;
        }
    }
    return rows;
}

QStringList typesAndSelection(const QVariantList &rows)
{
    QStringList out;
    for (const QVariant &item : rows) {
        const QVariantMap row = item.toMap();
        out.append(row.value(QRSelectionKey::Type).toString()
                   + (row.value(QRSelectionKey::Selected).toBool() ? qs("*") : QString()));
    }
    return out;
}

TEST(QRSelectionRows, FirstOfEachFieldSelectedExceptURLAndOrganisation)
{
    PersonPtr p = fullPerson();
    const QVariantList rows = QRPayload::selectionRows(*p);
    EXPECT_EQ(typesAndSelection(rows),
              QStringList({ qs("Phone*"), qs("Phone"), qs("Email*"), qs("Address*"), qs("URL"), qs("Company"),
                            qs("Department"), qs("Job Title") }));
    const QVariantMap address = rows.at(3).toMap();
    EXPECT_TRUE(address.contains(QRSelectionKey::AddressValue));
    EXPECT_FALSE(address.value(QRSelectionKey::Value).toString().isEmpty());
    EXPECT_EQ(rows.at(5).toMap().value(QRSelectionKey::Value).toString(), qs("Example; Inc."));
}

TEST(QRPayloads, AContactWithoutValuesHasPlaceholdersAndOnlyItsName)
{
    PersonPtr p = person(qs("Taro"), qs("Sato"));
    const QVariantList rows = QRPayload::selectionRows(*p);
    EXPECT_EQ(typesAndSelection(rows),
              QStringList({ qs("Phone"), qs("Email"), qs("Address"), qs("URL"), qs("Company"),
                            qs("Department"), qs("Job Title") }));
    EXPECT_EQ(QRPayload::payload(QRFormat::Phone, *p, rows), qs("tel:"));
    EXPECT_EQ(QRPayload::payload(QRFormat::Email, *p, rows), qs("mailto:"));
    EXPECT_EQ(QRPayload::payload(QRFormat::Url, *p, rows), qs("http:"));
    const QString name = p->compositeName();
    EXPECT_EQ(QRPayload::payload(QRFormat::Docomo, *p, rows), qs("MECARD:N:") + name + qs(";"));
    EXPECT_EQ(QRPayload::payload(QRFormat::Au, *p, rows), qs("MEMORY:\nNAME1:") + name + qs("\n"));
    EXPECT_EQ(QRPayload::payload(qs("QR"), *p, rows), QString());
    EXPECT_EQ(QRPayload::checkBoxTitle(rows.first().toMap()), QString());
}

TEST(QRPayloads, TheLastSelectedPhoneWinsInSingleValueFormatsAndAllAppearInTheCard)
{
    PersonPtr p = fullPerson();
    QVariantList rows = QRPayload::selectionRows(*p);
    EXPECT_EQ(QRPayload::payload(QRFormat::Phone, *p, rows), qs("tel:090-1234-5678"));
    rows = select(rows, FieldId::Phone, 1, true);
    EXPECT_EQ(QRPayload::payload(QRFormat::Phone, *p, rows), qs("tel:03-1111-2222"));
    EXPECT_TRUE(QRPayload::payload(QRFormat::Docomo, *p, rows).contains(qs("TEL:03-1111-2222;")));
    EXPECT_TRUE(QRPayload::payload(QRFormat::SoftBank, *p, rows).contains(qs("\nTEL1:03-1111-2222\n")));
    const QString card = QRPayload::vCardFromContact(*p, rows);
    EXPECT_TRUE(card.contains(qs("\r\nTEL:090-1234-5678\r\nTEL;type=work:03-1111-2222\r\n")))
        << card.toStdString();
}

TEST(QRPayloads, SemicolonsAreEscapedInMecardAndVCardOnly)
{
    PersonPtr p = person(qs("A;B"), qs("C"));
    const QVariantList rows = QRPayload::selectionRows(*p);
    const QString name = p->compositeName();
    ASSERT_TRUE(name.contains(u';'));
    QString escapedName = name;
    escapedName.replace(qs(";"), qs("\\;"));
    EXPECT_EQ(QRPayload::payload(QRFormat::Docomo, *p, rows), qs("MECARD:N:") + escapedName + qs(";"));
    EXPECT_TRUE(QRPayload::payload(QRFormat::Au, *p, rows).contains(qs("NAME1:") + name + qs("\n")));
    EXPECT_TRUE(QRPayload::payload(QRFormat::SoftBank, *p, rows).contains(qs("NAME1:") + name + qs("\n")));
    const QString card = QRPayload::vCardFromContact(*p, rows);
    EXPECT_TRUE(card.contains(qs("FN:") + escapedName + qs("\r\n")));
    EXPECT_TRUE(card.contains(qs("N:C;A\\;B;;;\r\n"))) << card.toStdString();
}

TEST(QRPayloads, WebAddressesGetHttpOnlyWithoutTheirScheme)
{
    const struct
    {
        const char *url;
        const char *payload;
    } cases[] = {
        { "example.jp", "http://example.jp" },
        { "http://example.jp/a", "http://example.jp/a" },
        { "https://example.jp/a", "https://example.jp/a" },
        { "HTTPS://EXAMPLE.JP", "HTTPS://EXAMPLE.JP" },
    };
    for (const auto &c : cases) {
        PersonPtr p = person(qs("Url"), qs("Test"));
        p->setValue(QVariantList { labeled(LabelWord::Home, qs(c.url), 0) }, FieldId::Url);
        const QVariantList rows = select(QRPayload::selectionRows(*p), FieldId::Url, 0, true);
        EXPECT_EQ(QRPayload::payload(QRFormat::Url, *p, rows), qs(c.payload)) << c.url;
        EXPECT_TRUE(
            QRPayload::vCardFromContact(*p, rows).contains(qs("URL;type=home:") + qs(c.payload) + qs("\r\n")))
            << c.url;
    }
}

TEST(QRPayloads, TheWholeCardInItsOrder)
{
    PersonPtr p = fullPerson();
    QVariantList rows = QRPayload::selectionRows(*p);
    for (const QString &type : { FieldId::Url, FieldId::Company, FieldId::Department, FieldId::JobTitle })
        rows = select(rows, type, 0, true);
    const QString card = QRPayload::vCardFromContact(*p, rows);
    const QString expected = qs("BEGIN:VCARD\r\nVERSION:3.0\r\n") + qs("FN:") + p->compositeName()
        + qs("\r\n"
             "N:Yamada;Hanako;;;\r\n"
             "X-PHONETIC-FIRST-NAME:Hanako\r\n"
             "X-PHONETIC-LAST-NAME:Yamada\r\n"
             "EMAIL;type=home:hanako@example.jp\r\n"
             "TEL:090-1234-5678\r\n"
             "ADR;type=Home:;;1-2-3 Chiyoda Building 4;Chiyoda-ku;Tokyo;100-0001;Japan\r\n"
             "URL;type=work:http://example.jp\r\n"
             "ORG:Example\\; Inc.;Sales\r\n"
             "TITLE:Manager\r\n"
             "END:VCARD\r\n");
    EXPECT_EQ(card, expected);
    EXPECT_EQ(QRPayload::payload(QRFormat::VCard, *p, rows), expected);

    const QString docomo = QRPayload::payload(QRFormat::Docomo, *p, rows);
    EXPECT_TRUE(docomo.startsWith(qs("MECARD:N:")));
    EXPECT_TRUE(docomo.contains(qs(";SOUND:")));
    EXPECT_FALSE(docomo.contains(u'\n')) << "the address's line break becomes a blank";
    EXPECT_FALSE(QRPayload::payload(QRFormat::SoftBank, *p, rows).contains(qs("ADD:")));
    EXPECT_TRUE(QRPayload::payload(QRFormat::Au, *p, rows).contains(qs("\nADD:")));
}

TEST(QRPayloads, OrganisationLinesFollowTheirRows)
{
    PersonPtr p = fullPerson();
    const QVariantList base = QRPayload::selectionRows(*p);
    EXPECT_FALSE(QRPayload::vCardFromContact(*p, base).contains(qs("ORG:")));
    EXPECT_TRUE(QRPayload::vCardFromContact(*p, select(base, FieldId::Department, 0, true))
                    .contains(qs("\r\nORG:;Sales\r\n")));
    EXPECT_TRUE(QRPayload::vCardFromContact(*p, select(base, FieldId::Company, 0, true))
                    .contains(qs("\r\nORG:Example\\; Inc.;\r\n")));
    p->setValue(qs("Head of\nSales"), FieldId::JobTitle);
    const QString card = QRPayload::vCardFromContact(*p, select(base, FieldId::JobTitle, 0, true));
    EXPECT_TRUE(card.contains(qs("\r\nTITLE:Head of\\nSales\r\n"))) << "a line break must not cut the card";
}

TEST(QRSelectionTable, CheckBoxesAreEnabledAsTheFormatAllows)
{
    const QString types[]
        = { FieldId::Phone, FieldId::Email, FieldId::Address, FieldId::Url, FieldId::Company };
    const struct
    {
        QString format;
        const char *enabled; // one letter per type above
    } cases[] = {
        { QRFormat::VCard, "YYYYY" },    { QRFormat::Docomo, "YYYNN" }, { QRFormat::Au, "YYYNN" },
        { QRFormat::SoftBank, "YYYNN" }, { QRFormat::Phone, "YNNNN" },  { QRFormat::Email, "NYNNN" },
        { QRFormat::Url, "NNNYN" },
    };
    for (const auto &c : cases) {
        QString enabled;
        for (const QString &type : types)
            enabled += QRPayload::isRowEnabled(c.format, { { QRSelectionKey::Type, type } }) ? u'Y' : u'N';
        EXPECT_EQ(enabled, qs(c.enabled)) << c.format.toStdString();
    }
}

TEST(QRSelectionTable, TickingABoxChangesThePayloadOnlyWhenEnabled)
{
    QRSelectionModel model;
    model.setPerson(fullPerson());
    model.setFormat(QRFormat::Phone);
    int changes = 0;
    QObject::connect(&model, &QRSelectionModel::selectionChanged, [&changes] { ++changes; });
    ASSERT_EQ(model.rowCount(), 8);
    EXPECT_EQ(model.data(model.index(0, 0), Qt::DisplayRole).toString(),
              QVPerson::localizedIdentifierForKey(FieldId::Phone));
    EXPECT_EQ(model.data(model.index(1, 1), Qt::DisplayRole).toString(), qs("work: 03-1111-2222"));

    EXPECT_TRUE(model.setData(model.index(1, 1), Qt::Checked, Qt::CheckStateRole));
    EXPECT_EQ(model.payload(), qs("tel:03-1111-2222"));
    // The e-mail row is disabled with the Phone format.
    EXPECT_FALSE(model.setData(model.index(2, 1), Qt::Unchecked, Qt::CheckStateRole));
    EXPECT_EQ(model.data(model.index(2, 1), Qt::CheckStateRole).toInt(), Qt::Checked);
    EXPECT_EQ(changes, 1);

    model.setFormat(QRFormat::Email);
    EXPECT_TRUE(model.flags(model.index(2, 1)) & Qt::ItemIsEnabled);
    EXPECT_FALSE(model.flags(model.index(0, 1)) & Qt::ItemIsEnabled);
}

TEST(QRSelectionTable, MultiLineValuesMakeTallerRows)
{
    QRSelectionModel model;
    model.setBaseRowHeight(20.0);
    model.setPerson(fullPerson());
    EXPECT_EQ(model.rowHeight(0), 20.0);
    // The address's text spans several lines, each 18 high.
    const int lines
        = int(model.rows().at(3).toMap().value(QRSelectionKey::Value).toString().split(u'\n').size());
    ASSERT_GE(lines, 2);
    EXPECT_EQ(model.rowHeight(3), lines * 18.0);
}

} // namespace
