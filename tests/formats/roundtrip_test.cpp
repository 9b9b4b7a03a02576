// Saving writes back what was read, line for line, for everything the user did not edit; what
// was edited is written anew.
#include "../testutil.h"
#include "formats/vcardkeys.h"
#include "vcardproperties.h"
#include "vcardtestutil.h"

#include <QJsonDocument>
#include <gtest/gtest.h>

namespace {

QByteArray card(const char *lines)
{
    return QByteArray("BEGIN:VCARD\r\nVERSION:3.0\r\n") + lines + "END:VCARD\r\n";
}

QByteArray saved(const QByteArray &bytes)
{
    return VCardTest::write(VCardTest::read(bytes));
}

// The properties one text has and the other lacks, both ways, for failure messages.
std::string differences(const QByteArray &before, const QByteArray &after)
{
    const auto a = VCardProperties::of(before);
    const auto b = VCardProperties::of(after);
    const QStringList lost = VCardProperties::surplus(a, b);
    const QStringList added = VCardProperties::surplus(b, a);
    if (lost.isEmpty() && added.isEmpty())
        return {};
    const QString text = u"lost: " + lost.join(QStringLiteral("\n      ")) + u"\nadded: "
        + added.join(QStringLiteral("\n       "));
    return text.toStdString();
}

TEST(VCardRoundTrip, TheSampleSavedUnchangedKeepsEveryProperty)
{
    const QByteArray bytes = VCardTest::readFile(QStringLiteral(PELLORY_SOURCE_DIR "/examples/contacts.vcf"));
    ASSERT_FALSE(bytes.isEmpty());
    const QByteArray written = saved(bytes);
    EXPECT_EQ(differences(bytes, written), "");
    EXPECT_EQ(written.count("pref"), bytes.count("pref"));
    EXPECT_TRUE(written.contains("\r\nTEL;TYPE=WORK,VOICE,pref:03-5550-0131\r\n"));
    EXPECT_TRUE(written.contains("\r\nFN:山口 陽介\r\n"));
    EXPECT_TRUE(written.contains("\r\nFN:Dr. Hannah Whitcombe\\, MD\r\n"));
    // Written again, the text stays the same.
    EXPECT_EQ(VCardTest::firstDifference(written, saved(written)), "");
}

TEST(VCardRoundTrip, PropertiesWithoutAFieldOfTheirOwnSurvive)
{
    struct Case
    {
        const char *name;
        const char *lines;
    };
    const Case cases[] = {
        { "repeated text items",
          "N:A;;;;\r\nFN:A\r\nX-ANDROID-CUSTOM:a\r\nX-ANDROID-CUSTOM:b\r\nX-ANDROID-CUSTOM:c\r\n"
          "X-ANDROID-CUSTOM:d\r\n" },
        { "empty custom items", "N:A;;;;\r\nFN:A\r\nX-EMPTY:\r\nX-EMPTY-LABELED;type=home:\r\n" },
        { "custom items whose parameters are no label",
          "N:A;;;;\r\nFN:A\r\nX-FOO;TYPE=foo:bar\r\nX-BAR;VALUE=TEXT:baz\r\n" },
        { "a second photo",
          "N:A;;;;\r\nFN:A\r\nPHOTO;ENCODING=b;TYPE=JPEG:/9j/4AAQ\r\nPHOTO;ENCODING=b;TYPE=JPEG:/9j/"
          "4BBB\r\n" },
        { "organisation units", "N:A;;;;\r\nFN:A\r\nORG:Company;Unit 1;Unit 2;Unit 3\r\n" },
        { "grouped fields and their labels",
          "N:KMS;WSF;;;\r\nFN:KMS Außenstelle\r\nitem2.ORG:KMS Außenstelle\r\n"
          "item2.X-ABLabel:\r\nitem1.TEL:1\r\nitem1.X-ABLabel:homeFax\r\n" },
        { "an address with a post-office box",
          "N:A;;;;\r\nFN:A\r\nADR;TYPE=WORK:PO Box 9;Suite 2;Main St 1;Town;;12345;\r\n" },
        { "dates as written",
          "N:A;;;;\r\nFN:A\r\nBDAY:19780311\r\nitem1.X-ABDATE:20190707\r\nitem1.X-ABLabel:_$!<Anniversary>!$_"
          "\r\n" },
        { "an empty N beside a formatted name", "N:;;;;\r\nFN:Only Formatted\r\n" },
        { "a formatted name in another order", "N:Doe;John;;;\r\nFN:DOE John (work)\r\n" },
        { "instant messages of a named service",
          "N:A;;;;\r\nFN:A\r\nIMPP;X-SERVICE-TYPE=GTalk:xmpp:someone@example.com\r\n"
          "X-AIM;type=HOME:handle\r\n" },
        { "a line of an empty group and a byte-order mark, no card's BEGIN",
          "N:A;;;;\r\nFN:A\r\n.\xEF\xBB\xBF"
          "BEGIN:VCARD\r\n" },
    };
    for (const Case &c : cases) {
        const QByteArray bytes = card(c.lines);
        EXPECT_EQ(differences(bytes, saved(bytes)), "") << c.name;
    }
}

// The first contact of a card read on its own, with the card's other contacts dropped.
PersonPtr read(const QByteArray &bytes)
{
    const ContactList contacts = VCardTest::contacts(VCardTest::read(bytes));
    return contacts.isEmpty() ? nullptr : contacts.first()->person;
}

QByteArray written(QVPerson &person)
{
    return QVvCard::vCardFromPerson(person, { VCardOption::Note, VCardOption::Custom }, {}).toUtf8();
}

TEST(VCardRoundTrip, AnEditedItemIsWrittenAnewAndUndoingTheEditRestoresIt)
{
    const PersonPtr p
        = read(card("N:A;;;;\r\nFN:A\r\nitem1.TEL;TYPE=WORK,VOICE,pref:1\r\nTEL;TYPE=CELL:2\r\n"));
    ASSERT_TRUE(p);
    const QVariantMap before = p->labeledValueForIdentifierAtIndex(FieldId::Phone, 0);
    EXPECT_TRUE(written(*p).contains("\r\nitem1.TEL;TYPE=WORK,VOICE,pref:1\r\n"));

    QVariantMap relabeled = before;
    relabeled.insert(Key::Label, LabelWord::Home);
    p->replaceLabeledValue(relabeled, FieldId::Phone);
    EXPECT_TRUE(written(*p).contains("\r\nTEL;TYPE=HOME:1\r\n")) << written(*p).toStdString();
    EXPECT_FALSE(written(*p).contains("WORK"));

    // Undo puts the very item back, and with it the line as it was read.
    p->replaceLabeledValue(before, FieldId::Phone);
    EXPECT_TRUE(written(*p).contains("\r\nitem1.TEL;TYPE=WORK,VOICE,pref:1\r\n"));

    // A new value under the same label keeps the parameters that still describe it.
    QVariantMap renumbered = before;
    renumbered.insert(Key::Value, QStringLiteral("3"));
    p->replaceLabeledValue(renumbered, FieldId::Phone);
    EXPECT_TRUE(written(*p).contains("\r\nitem1.TEL;TYPE=WORK,VOICE,pref:3\r\n"));
    EXPECT_TRUE(written(*p).contains("\r\nTEL;TYPE=CELL:2\r\n"));
}

TEST(VCardRoundTrip, TheFormattedNameFollowsAnEditedName)
{
    const PersonPtr p = read(card("N:Whitcombe;Hannah;;Dr.;MD\r\nFN:Dr. Hannah Whitcombe, MD\r\n"
                                  "ADR;TYPE=HOME:PO Box 1;;Elm St;Town;;1;\r\n"));
    ASSERT_TRUE(p);
    EXPECT_TRUE(written(*p).contains("\r\nFN:Dr. Hannah Whitcombe\\, MD\r\n"));
    p->setValue(QStringLiteral("Anna"), FieldId::FirstName);
    EXPECT_TRUE(written(*p).contains("\r\nFN:Dr. Anna Whitcombe MD\r\n")) << written(*p).toStdString();

    // An edited street is written from the record: the post-office box kept as read would undo it.
    QVariantMap address = p->labeledValueForIdentifierAtIndex(FieldId::Address, 0);
    address.insert(FieldId::Street, QStringLiteral("Oak St"));
    p->replaceLabeledValue(address, FieldId::Address);
    EXPECT_TRUE(written(*p).contains("\r\nADR;TYPE=HOME:;;Oak St;Town;;1;\r\n")) << written(*p).toStdString();
}

TEST(VCardRoundTrip, AnEditedCustomLabelIsWrittenAsAParameterThatReadsBack)
{
    const PersonPtr p = read(card("N:A;;;;\r\nFN:A\r\nX-FOO;TYPE=foo:bar\r\nX-BAR;VALUE=TEXT:baz\r\n"));
    ASSERT_TRUE(p);
    const QVariantList items = p->labeledValueForIdentifier(QStringLiteral("FOO"));
    ASSERT_EQ(items.size(), 1);
    QVariantMap item = items.first().toMap();
    item.insert(Key::Label, QStringLiteral("TYPE=work"));
    p->replaceLabeledValue(item, QStringLiteral("FOO"));
    QVPerson::setClassCustomItems(p->customItems());
    const QByteArray text = written(*p);
    QVPerson::setClassCustomItems({});
    EXPECT_TRUE(text.contains("\r\nX-FOO;TYPE=work:bar\r\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("\r\nX-BAR;VALUE=TEXT:baz\r\n")) << text.toStdString();
    EXPECT_FALSE(text.contains("type=TYPE") || text.contains("type=VALUE")) << text.toStdString();
}

TEST(VCardRoundTrip, TheDumpShowsWhatSavingKeeps)
{
    auto dumpOf = [](const char *lines) { return ContactDump::dump(VCardTest::read(card(lines))); };
    // Files that differ in meaning give different dumps, including where no field tells them apart.
    EXPECT_NE(dumpOf("N:A;;;;\r\nFN:A\r\nTEL;TYPE=WORK,pref:1\r\n"),
              dumpOf("N:A;;;;\r\nFN:A\r\nTEL;TYPE=WORK:1\r\n"));
    EXPECT_NE(dumpOf("N:Doe;John;;;\r\nFN:John Doe\r\n"), dumpOf("N:Doe;John;;;\r\nFN:Doe John\r\n"));
    EXPECT_NE(dumpOf("N:A;;;;\r\nFN:A\r\nitem1.ORG:X\r\n"), dumpOf("N:A;;;;\r\nFN:A\r\nORG:X\r\n"));
}

} // namespace
