// What the CSV writer writes, the reader reads back to the same values (as far as the fixed columns
// carry them: one item of each labeled field per line, phones and e-mails under "home").
#include "../testutil.h"
#include "formats/qvvcard.h"
#include "platform/contactlabels.h"
#include "record/keys.h"

#include <gtest/gtest.h>

namespace {

struct Contact
{
    const char *name;
    QString first;
    QString last;
    QString company; // an organisation when first and last are empty
    QString phone;
    QString phoneLabel;
    QString email;
    QString addressLabel;
    QString street;
    QString city;
    QString state;
    QString zip;
    DateComponents birthday;
    QString note;
    QString nickname;
    QString service;
    QString username;
};

PersonPtr personFrom(const Contact &c)
{
    PersonPtr p = QVPerson::create();
    const bool organisation = c.first.isEmpty() && c.last.isEmpty();
    p->setValue(QVariantMap { { FieldId::FirstName, c.first },
                              { FieldId::LastName, c.last },
                              { Key::ShowAsPerson, !organisation } },
                FieldId::Name);
    auto setIfAny = [&](const QString &value, const QString &identifier) {
        if (!value.isEmpty())
            p->setValue(value, identifier);
    };
    setIfAny(c.company, FieldId::Company);
    setIfAny(c.note, FieldId::Note);
    setIfAny(c.nickname, FieldId::Nickname);
    setIfAny(qs("Dr"), FieldId::Title);
    setIfAny(qs("Research, Dept. 5"), FieldId::Department);
    setIfAny(qs("Senior Chemist"), FieldId::JobTitle);
    if (!c.phone.isEmpty())
        p->setValue(QVariantList { QVariantMap { { Key::Label, c.phoneLabel }, { Key::Value, c.phone } } },
                    FieldId::Phone);
    if (!c.email.isEmpty())
        p->setValue(QVariantList { QVariantMap { { Key::Label, LabelWord::Home }, { Key::Value, c.email } } },
                    FieldId::Email);
    if (!c.addressLabel.isEmpty()) {
        p->setValue(QVariantList { QVariantMap { { Key::Label, c.addressLabel },
                                                 { FieldId::Street, c.street },
                                                 { FieldId::City, c.city },
                                                 { FieldId::State, c.state },
                                                 { FieldId::Zip, c.zip } } },
                    FieldId::Address);
    }
    if (!c.birthday.isEmpty())
        p->setValue(QVariantMap { { Key::Value, QVariant::fromValue(c.birthday) } }, FieldId::Birthday);
    if (!c.service.isEmpty())
        p->setValue(QVariantList { QVariantMap { { Key::Label, c.service }, { Key::Value, c.username } } },
                    FieldId::SocialNetwork);
    return p;
}

void expectSameValues(QVPerson &written, QVPerson &read, const char *name)
{
    EXPECT_EQ(read.compositeName(), written.compositeName()) << name;
    EXPECT_EQ(read.showAsPerson(), written.showAsPerson()) << name;
    for (const QString &part : { FieldId::FirstName, FieldId::LastName })
        EXPECT_EQ(read.nameValue().value(part).toString(), written.nameValue().value(part).toString())
            << name;
    for (const QString &identifier : { FieldId::Company, FieldId::Note, FieldId::Nickname, FieldId::Title,
                                       FieldId::Department, FieldId::JobTitle }) {
        EXPECT_EQ(read.stringValueForIdentifier(identifier), written.stringValueForIdentifier(identifier))
            << name << ": " << identifier.toStdString();
    }
    EXPECT_EQ(read.birthdayValue().value(Key::Value).value<DateComponents>(),
              written.birthdayValue().value(Key::Value).value<DateComponents>())
        << name;

    // Phones and e-mails come back under "home", whatever column they were written to.
    for (const QString &identifier : { FieldId::Phone, FieldId::Email }) {
        const QStringList before = [&] {
            QStringList texts;
            for (const QVariant &v : written.labeledValueForIdentifier(identifier))
                texts.append(v.toMap().value(Key::StringValue).toString());
            return texts;
        }();
        const QVariantList after = read.labeledValueForIdentifier(identifier);
        ASSERT_EQ(after.size(), before.size()) << name << ": " << identifier.toStdString();
        for (qsizetype i = 0; i < after.size(); ++i) {
            EXPECT_EQ(after.at(i).toMap().value(Key::StringValue).toString(), before.at(i)) << name;
            EXPECT_EQ(after.at(i).toMap().value(Key::Label).toString(), LabelWord::Home) << name;
        }
    }

    const QVariantList addressesBefore = written.addressValues();
    const QVariantList addressesAfter = read.addressValues();
    ASSERT_EQ(addressesAfter.size(), addressesBefore.size()) << name;
    for (qsizetype i = 0; i < addressesAfter.size(); ++i) {
        const QVariantMap before = addressesBefore.at(i).toMap();
        const QVariantMap after = addressesAfter.at(i).toMap();
        for (const QString &key :
             { Key::Label, FieldId::Street, FieldId::City, FieldId::State, FieldId::Zip, Key::StringValue }) {
            EXPECT_EQ(after.value(key).toString(), before.value(key).toString())
                << name << ": " << key.toStdString();
        }
    }

    const QVariantList profilesBefore = written.snsValues();
    const QVariantList profilesAfter = read.snsValues();
    ASSERT_EQ(profilesAfter.size(), profilesBefore.size()) << name;
    for (qsizetype i = 0; i < profilesAfter.size(); ++i) {
        for (const QString &key : { Key::Label, Key::Service, Key::Username }) {
            EXPECT_EQ(profilesAfter.at(i).toMap().value(key).toString(),
                      profilesBefore.at(i).toMap().value(key).toString())
                << name;
        }
    }
}

TEST(CsvRoundTrip, RealisticContacts)
{
    const Contact contacts[] = {
        { "home address, Facebook, note with line breaks",
          qs("Anna"),
          qs("Berg"),
          qs("Acme"),
          qs("+1 555 0100"),
          LabelWord::Home,
          qs("anna@example.com"),
          LabelWord::Home,
          qs("Main St 1"),
          qs("Springfield"),
          qs("IL"),
          qs("62701"),
          { 1980, 5, 17 },
          qs("Met at the fair.\nLikes tea,\tnot coffee.\nCall after 6"),
          qs("Annie"),
          SocialService::Facebook,
          qs("anna.berg") },
        { "Japanese work address, LinkedIn",
          qs("太郎"),
          qs("山田"),
          qs("株式会社 山田商事"),
          qs("03-1234-5678"),
          LabelWord::Work,
          QString(),
          LabelWord::Work,
          qs("千代田1-1"),
          qs("千代田区"),
          qs("東京都"),
          qs("100-0001"),
          { 1975, 12, 1 },
          qs("日本語のメモ、改行\nあり"),
          qs("たろう"),
          SocialService::LinkedIn,
          qs("taro-yamada") },
        { "other address with space and comma, quotes, Flickr",
          qs("Bob"),
          qs("O'Neil"),
          QString(),
          qs("12345"),
          LabelWord::Other,
          qs("bob@example.org"),
          LabelWord::Other,
          qs("Elm Rd 2, Apt. 3"),
          qs("Salem, North"),
          QString(),
          qs("97301"),
          {},
          qs("He said \"hello, there\" twice"),
          qs("Bob \"the builder\""),
          SocialService::Flickr,
          qs("bob builds") },
        { "organisation, SinaWeibo",
          QString(),
          QString(),
          qs("Acme, Inc."),
          QString(),
          QString(),
          qs("info@acme.test"),
          QString(),
          QString(),
          QString(),
          QString(),
          QString(),
          {},
          QString(),
          QString(),
          SocialService::SinaWeibo,
          qs("acme") },
    };
    SubContactRows rows;
    QList<PersonPtr> people;
    for (const Contact &c : contacts) {
        people.append(personFrom(c));
        SubContactRow row;
        row.person = people.constLast();
        rows.append(row);
    }
    const QString csv = QVvCard::csvFromSubContacts(rows);
    const auto entries = QVvCard::contactsFromCSV(csv);
    ASSERT_TRUE(entries.has_value());
    ASSERT_EQ(entries->size(), people.size()) << csv.toStdString();
    for (qsizetype i = 0; i < people.size(); ++i)
        expectSameValues(*people.at(i), *entries->at(i)->person, contacts[i].name);
}

TEST(CsvRoundTrip, EveryItemOfAContactAsItsOwnRow)
{
    PersonPtr p = QVPerson::create();
    p->setValue(QVariantMap { { FieldId::FirstName, qs("Anna") }, { FieldId::LastName, qs("Berg") } },
                FieldId::Name);
    const QStringList labels = { LabelWord::Home, LabelWord::Work, LabelWord::Other };
    QVariantList addresses;
    for (const QString &label : labels)
        addresses.append(
            QVariantMap { { Key::Label, label }, { FieldId::City, QString(label + qs(" town")) } });
    p->setValue(addresses, FieldId::Address);
    SubContactRows rows;
    for (int i = 0; i < labels.size(); ++i) {
        SubContactRow row;
        row.person = p;
        row.labelIndex = i;
        rows.append(row);
    }
    const auto entries = QVvCard::contactsFromCSV(QVvCard::csvFromSubContacts(rows));
    ASSERT_TRUE(entries.has_value());
    ASSERT_EQ(entries->size(), labels.size());
    for (int i = 0; i < labels.size(); ++i) {
        const QVariantList read = entries->at(i)->person->addressValues();
        ASSERT_EQ(read.size(), 1) << labels.at(i).toStdString();
        EXPECT_EQ(read.at(0).toMap().value(Key::Label).toString(), labels.at(i));
        EXPECT_EQ(read.at(0).toMap().value(FieldId::City).toString(), labels.at(i) + qs(" town"));
        EXPECT_EQ(entries->at(i)->person->compositeName(), qs("Anna Berg"));
    }
}

} // namespace
