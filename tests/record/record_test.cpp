#include "../testutil.h"
#include "record/keys.h"
#include "record/qvperson.h"

#include <QUuid>
#include <functional>
#include <gtest/gtest.h>
#include <thread>

namespace {

PersonPtr richPerson()
{
    PersonPtr p = QVPerson::create();
    p->setValue(QVariantMap{{FieldId::FirstName, qs("Hanako")}, {FieldId::LastName, qs("Yamada")}}, FieldId::Name);
    p->setValue(QVariantMap{{FieldId::FirstName, qs("ハナコ")}, {FieldId::LastName, qs("ヤマダ")}},
                FieldId::PhoneticName);
    p->setValue(qs("Acme"), FieldId::Company);
    p->setValue(qs("line one\nline two"), FieldId::Note);
    p->setValue(QVariantList{QVariantMap{{Key::Label, LabelWord::Mobile}, {Key::Value, qs("+81 90 1234 5678")}},
                             QVariantMap{{Key::Label, LabelWord::Work}, {Key::Value, qs("+81 3 1111 2222")}}},
                FieldId::Phone);
    p->setValue(QVariantList{QVariantMap{{Key::Label, LabelWord::Home},
                                         {FieldId::Zip, qs("100-0005")},
                                         {FieldId::State, qs("東京都")},
                                         {FieldId::Country, qs("日本")}}},
                FieldId::Address);
    p->setValue(QVariantList{QVariantMap{{Key::Label, LabelWord::Anniversary},
                                         {Key::Value, QVariant::fromValue(DateComponents{2001, 5, 6})}}},
                FieldId::Dates);
    p->setValue(QVariantMap{{Key::Value, QVariant::fromValue(DateComponents{1980, 1, 2})}}, FieldId::Birthday);
    p->setValue(qs("Tea"), qs("FAVORITE"));
    p->setValue(QVariantList{QVariantMap{{Key::Label, qs("home")}, {Key::Value, qs("Bo")}}}, qs("SPOUSE-NICK"));
    QImage image(2, 2, QImage::Format_RGB32);
    image.fill(Qt::blue);
    p->setPhoto(image);
    p->setExtraProperties({qs("GEO:35.68;139.76"), qs("UID:abc-123")});
    return p;
}

TEST(Record, NewRecordsHaveDistinctUuids)
{
    QVPerson a, b;
    EXPECT_FALSE(QUuid::fromString(a.uniqueId()).isNull());
    EXPECT_NE(a.uniqueId(), b.uniqueId());
    EXPECT_TRUE(a.created());
    EXPECT_FALSE(a.changed());
    EXPECT_TRUE(a.showAsPerson());
    EXPECT_EQ(a.nameValue(), (QVariantMap{{Key::ShowAsPerson, true}, {Key::StringValue, QString()}}));
}

TEST(Record, ArchivedRecordWithoutIdBuildsOneFromItsName)
{
    PersonPtr p = QVPerson::initWithCoder(
        {{ArchiveKey::NameValue, QVariantMap{{FieldId::FirstName, qs("Anna")}, {Key::ShowAsPerson, true}}}});
    EXPECT_TRUE(p->uniqueId().startsWith(qs("Anna+"))) << p->uniqueId().toStdString();
    EXPECT_EQ(p->uniqueId(), p->uniqueId()) << "built once";
}

TEST(Record, CopyHasTheSameValuesAndItsOwnIdentity)
{
    PersonPtr original = richPerson();
    PersonPtr copy = original->copy();
    EXPECT_NE(copy->uniqueId(), original->uniqueId());
    for (const QString &identifier : QVPerson::allIdentifiers()) {
        if (identifier == FieldId::Photo)
            continue;
        EXPECT_EQ(copy->valueForIdentifier(identifier), original->valueForIdentifier(identifier))
            << identifier.toStdString();
    }
    EXPECT_EQ(copy->photo(), original->photo());
    EXPECT_EQ(copy->customIdentifiers(), original->customIdentifiers());
    EXPECT_EQ(copy->typeForIdentifier(qs("SPOUSE-NICK")), ValueType::Labeled);
    EXPECT_EQ(copy->typeForIdentifier(qs("FAVORITE")), ValueType::String);
    EXPECT_EQ(copy->stringValueForIdentifier(qs("FAVORITE")), qs("Tea"));
    EXPECT_EQ(copy->extraProperties(), QStringList{qs("GEO:35.68;139.76")}) << "the card's UID stays with it";
}

TEST(Record, ArchiveReadsBackIdentically)
{
    PersonPtr original = richPerson();
    original->setUniqueId2(qs("Acme"));
    const QByteArray bytes = original->archivedData();
    PersonPtr back = QVPerson::fromArchivedData(bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->encodeWithCoder(), original->encodeWithCoder());
    EXPECT_EQ(back->uniqueId(), original->uniqueId());
    EXPECT_EQ(back->compositeName(), qs("Hanako Yamada"));
    EXPECT_EQ(back->datesValues(), original->datesValues());
    EXPECT_FALSE(QVPerson::fromArchivedData(QByteArray("garbage")));
}

TEST(Record, ArchiveKeepsUnloadedFieldsUnloaded)
{
    QVPerson p;
    const QVariantMap coder = p.encodeWithCoder();
    EXPECT_FALSE(coder.contains(ArchiveKey::PhoneValues));
    EXPECT_FALSE(coder.contains(ArchiveKey::BirthdayValue));
    PersonPtr back = QVPerson::initWithCoder(coder);
    EXPECT_FALSE(back->isLabeledFieldLoaded(QVPerson::LabeledField::Phone));
}

// Threads keep their own copy of the identifier lists; a change must reach every thread's answers.
TEST(Record, ChangedIdentifierListsAreSeenOnEveryThread)
{
    const QStringList saved = QVPerson::stringIdentifiers();
    const QString extra = QStringLiteral("Desk");
    EXPECT_FALSE(QVPerson::isStringIdentifier(extra));
    bool seenElsewhere = true;
    std::thread([&] { seenElsewhere = QVPerson::isStringIdentifier(extra); }).join();
    EXPECT_FALSE(seenElsewhere);

    QVPerson::setStringIdentifiers(saved + QStringList{extra});
    EXPECT_TRUE(QVPerson::isStringIdentifier(extra));
    std::thread([&] { seenElsewhere = QVPerson::isStringIdentifier(extra); }).join();
    EXPECT_TRUE(seenElsewhere);
    QVPerson p;
    p.setValue(QStringLiteral("3rd floor"), extra);
    EXPECT_EQ(p.stringValueForIdentifier(extra), QStringLiteral("3rd floor"));

    QVPerson::setStringIdentifiers(saved);
    EXPECT_FALSE(QVPerson::isStringIdentifier(extra));
}

TEST(Record, IdentifierTitles)
{
    EXPECT_EQ(QVPerson::localizedIdentifierForKey(qs("SPOUSE-NICK")), qs("SPOUSE-NICK"));
    EXPECT_EQ(QVPerson::localizedIdentifierForKey(FieldId::JobTitle), qs("Job Title"));
    EXPECT_EQ(QVPerson::localizedIdentifierForKey(FieldId::Zip), qs("ZIP"));
    EXPECT_EQ(QVPerson::allIdentifiers().size(), 19);
    EXPECT_EQ(QVPerson::CNIdentifiers().size(), 20);
}

} // namespace

// Views keep what they worked out of a record for as long as its revision stands: every operation
// that changes a value must move it on, however the change comes (an edit, an undo, a reader).
TEST(Record, EveryChangeOfAValueMovesTheRevisionOn)
{
    using Change = std::function<void(QVPerson &)>;
    const QVariantMap phone { { Key::Label, LabelWord::Home }, { Key::Value, qs("555-0100") } };
    const QList<std::pair<const char *, Change>> changes {
        { "setValue", [](QVPerson &p) { p.setValue(qs("Other"), FieldId::Company); } },
        { "setValue Name",
          [](QVPerson &p) {
              p.setValue(QVariantMap { { FieldId::FirstName, qs("Jo") } }, FieldId::Name);
          } },
        { "setNameValue", [](QVPerson &p) { p.setNameValue(qs("Jo"), FieldId::FirstName); } },
        { "setNameValueDict",
          [](QVPerson &p) {
              p.setNameValueDict({ { FieldId::LastName, qs("Ek") } });
          } },
        { "setPhoneticNameValue",
          [](QVPerson &p) {
              p.setPhoneticNameValue({ { FieldId::FirstName, qs("ジョ") } });
          } },
        { "setBirthdayValue", [](QVPerson &p) { p.setBirthdayValue(QVariant()); } },
        { "setDictionary", [](QVPerson &p) { p.setDictionary(FieldId::Birthday, CompactMap()); } },
        { "setLabeledValues", [](QVPerson &p) { p.setLabeledValues(QVPerson::LabeledField::Phone, {}); } },
        { "setLabeledItems",
          [](QVPerson &p) { p.setLabeledItems(QVPerson::LabeledField::Email, CompactList()); } },
        { "addPhoneValue", [phone](QVPerson &p) { p.addPhoneValue(phone); } },
        { "replacePhoneValue", [phone](QVPerson &p) { p.replacePhoneValue(QVariantList { phone }); } },
        { "addLabeledValue", [phone](QVPerson &p) { p.addLabeledValue(phone, FieldId::Phone); } },
        { "replaceLabeledValue",
          [phone](QVPerson &p) { p.replaceLabeledValue(QVariantList { phone }, FieldId::Phone); } },
        { "deleteLabeledValueForIdentifier",
          [](QVPerson &p) { p.deleteLabeledValueForIdentifier(FieldId::Phone, 0); } },
        { "sortForIdentifier",
          [](QVPerson &p) { p.sortForIdentifier(FieldId::Phone, FieldId::Phone, false); } },
        { "setShowAsPerson", [](QVPerson &p) { p.setShowAsPerson(!p.showAsPerson()); } },
        { "setPhoto", [](QVPerson &p) { p.setPhoto(QImage()); } },
        { "setImageData", [](QVPerson &p) { p.setImageData(QByteArray("x")); } },
        { "setThumbnailImageData", [](QVPerson &p) { p.setThumbnailImageData(QByteArray("y")); } },
        { "addCustomItem", [](QVPerson &p) { p.addCustomItem(ValueType::String, qs("COLOUR"), {}); } },
        { "deleteCustomItemForName", [](QVPerson &p) { p.deleteCustomItemForName(qs("COLOUR")); } },
        { "setCustomItems", [](QVPerson &p) { p.setCustomItems({}); } },
        { "setExtraProperties", [](QVPerson &p) { p.setExtraProperties({ qs("TZ:+01:00") }); } },
        { "setVCardKept", [](QVPerson &p) { p.setVCardKept(CompactMap()); } },
        { "setUniqueId", [](QVPerson &p) { p.setUniqueId(qs("id-2")); } },
        { "setUniqueId2", [](QVPerson &p) { p.setUniqueId2(qs("id-3")); } },
        { "setNameOrdering", [](QVPerson &p) { p.setNameOrdering(2); } },
        { "setDefaultNameOrdering", [](QVPerson &p) { p.setDefaultNameOrdering(1); } },
        { "setDefaultCountryCode", [](QVPerson &p) { p.setDefaultCountryCode(qs("JP")); } },
    };
    const PersonPtr p = richPerson();
    for (const auto &[name, change] : changes) {
        const quint64 before = p->revision();
        change(*p);
        EXPECT_GT(p->revision(), before) << name;
    }
    // Reading changes nothing.
    const quint64 read = p->revision();
    p->phoneValues();
    p->valueForIdentifier(FieldId::Note);
    p->stringValueForIdentifier(FieldId::Phone);
    EXPECT_EQ(p->revision(), read);
}
