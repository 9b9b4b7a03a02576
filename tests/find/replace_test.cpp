#include "find/replacer.h"
#include "findfixture.h"

#include <functional>

namespace {

class ReplaceTest : public FindTest
{
protected:
    FindReplacer replacer { editor };
};

TEST_F(ReplaceTest, InstantMessageServiceNamesStayAndUserNamesChangeExactly)
{
    PersonPtr person = namedPerson(qs("Al"), qs("Bo"));
    person->setValue(QVariantList { imAccount(qs("Skype"), qs("skyper"), 0) }, FieldId::InstantMessage);
    addContact(person);
    start();
    const QStringList columns { FieldId::InstantMessage };
    engine.setFindString(qs("sky"));

    const auto inService = next(columns);
    ASSERT_TRUE(inService);
    EXPECT_EQ(inService->subIdentifier, Key::Service);
    EXPECT_TRUE(
        replacer.replace(qs("XX"), *inService, all->contactTable, engine.findString(), Qt::CaseInsensitive));
    EXPECT_EQ(person->imsValues().at(0).toMap().value(Key::Service).toString(), qs("Skype"));
    EXPECT_EQ(person->imsValues().at(0).toMap().value(Key::Value).toString(), qs("skyper"));

    const auto inUser = next(columns);
    ASSERT_TRUE(inUser);
    EXPECT_EQ(inUser->subIdentifier, Key::Username);
    EXPECT_EQ(inUser->range, (TextRange { 6, 3 }));
    EXPECT_EQ(inUser->itemRange, (TextRange { 0, 3 }));
    EXPECT_TRUE(
        replacer.replace(qs("XX"), *inUser, all->contactTable, engine.findString(), Qt::CaseInsensitive));
    const QVariantMap account = person->imsValues().at(0).toMap();
    EXPECT_EQ(account.value(Key::Value).toString(), qs("XXper"));
    EXPECT_EQ(account.value(Key::Service).toString(), qs("Skype"));
}

// Each kind of item keeps what lies around the occurrence, and undo gives it back.
TEST_F(ReplaceTest, ReplacesInsideAddressComponentsPhoneticNamesAndPhones)
{
    PersonPtr person = namedPerson(qs("Al"), qs("Bo"));
    QVariantMap address { { Key::Label, LabelWord::Work },
                          { FieldId::City, qs("Oldham") },
                          { FieldId::Street, qs("1 Old Road") },
                          { Key::LabelIndex, 0 } };
    person->setValue(QVariantList { address }, FieldId::Address);
    person->setValue(QVariantMap { { FieldId::FirstName, qs("Oldo") } }, FieldId::PhoneticName);
    setPhones(person, { qs("old 555") });
    addContact(person);
    start();
    const QVariantList addressBefore = person->addressValues();
    struct Case
    {
        const char *name;
        QStringList columns;
        std::function<QString()> read;
        QString expected;
    };
    const Case cases[] = {
        { "address, composite",
          { FieldId::Address },
          [&] { return person->addressValues().at(0).toMap().value(FieldId::Street).toString(); },
          qs("1 New Road") },
        { "address component column",
          { FieldId::City },
          [&] { return person->addressValues().at(0).toMap().value(FieldId::City).toString(); },
          qs("Newham") },
        { "phonetic name",
          { FieldId::PhoneticName },
          [&] { return person->phoneticNameValue().value(FieldId::FirstName).toString(); },
          qs("Newo") },
        { "phone",
          { FieldId::Phone },
          [&] { return person->phoneValues().at(0).toMap().value(Key::Value).toString(); },
          qs("New 555") },
    };
    engine.setFindString(qs("old"));
    for (const Case &c : cases) {
        engine.setHit(std::nullopt);
        const auto hit = next(c.columns);
        ASSERT_TRUE(hit) << c.name;
        EXPECT_TRUE(
            replacer.replace(qs("New"), *hit, all->contactTable, engine.findString(), Qt::CaseInsensitive))
            << c.name;
        EXPECT_EQ(c.read(), c.expected) << c.name;
    }
    // The composite address and its City column are both the same labeled value.
    EXPECT_EQ(person->addressValues().at(0).toMap().value(Key::Label).toString(), LabelWord::Work);
    endEvent();
    for (int i = 0; i < 4; ++i)
        editor.undo();
    EXPECT_EQ(person->addressValues(), addressBefore);
    EXPECT_EQ(person->phoneticNameValue().value(FieldId::FirstName).toString(), qs("Oldo"));
}

TEST_F(ReplaceTest, ReplacesThePartOfAJoinedName)
{
    PersonPtr person = namedPerson(qs("Jo"), qs("Ann"));
    addContact(person);
    start();
    engine.setFindString(qs("ann"));
    const auto hit = next({ FieldId::Name });
    ASSERT_TRUE(hit);
    ASSERT_TRUE(
        replacer.replace(qs("Lee"), *hit, all->contactTable, engine.findString(), Qt::CaseInsensitive));
    EXPECT_EQ(person->nameValue().value(FieldId::LastName).toString(), qs("Lee"));
    EXPECT_EQ(person->nameValue().value(FieldId::FirstName).toString(), qs("Jo"));
}

// A hit found before its text was edited must not cut into the new text.
TEST_F(ReplaceTest, StaleHitChangesNothing)
{
    PersonPtr person = namedPerson(qs("Al"), qs("Bo"));
    person->setValue(qs("find me here"), FieldId::Note);
    const ContactEntry entry = addContact(person);
    start();
    engine.setFindString(qs("here"));
    const auto hit = next({ FieldId::Note });
    ASSERT_TRUE(hit);
    editor.undoReplaceValue(qs("find me elsewhere"), FieldId::Note, entry, nullptr);
    EXPECT_TRUE(
        replacer.replace(qs("there"), *hit, all->contactTable, engine.findString(), Qt::CaseInsensitive));
    EXPECT_EQ(person->stringValueForIdentifier(FieldId::Note), qs("find me elsewhere"));
    // A hit of a contact that is gone cannot be located.
    SearchHit gone = *hit;
    gone.uniqueId = qs("missing");
    EXPECT_FALSE(
        replacer.replace(qs("x"), gone, all->contactTable, engine.findString(), Qt::CaseInsensitive));
}

TEST_F(ReplaceTest, ReplaceAllIsOneUndoStepThatRestoresEveryValue)
{
    PersonPtr a = namedPerson(qs("Cat"), qs("Catt"));
    setPhones(a, { qs("cat-1"), qs("2") });
    QVariantMap address { { Key::Label, LabelWord::Home },
                          { FieldId::City, qs("Catford") },
                          { FieldId::Street, qs("Cat Lane") },
                          { Key::LabelIndex, 0 } };
    a->setValue(QVariantList { address }, FieldId::Address);
    a->setValue(QVariantList { imAccount(qs("Skype"), qs("catty"), 0) }, FieldId::InstantMessage);
    a->setValue(qs("the CAT note"), FieldId::Note);
    PersonPtr b = namedPerson(qs("Dog"), qs("Dogg"));
    a->setChanged(false);
    addContact(a);
    addContact(b);
    start();
    const QVariantMap nameBefore = a->nameValue();
    const QVariantList phonesBefore = a->phoneValues();
    const QVariantList addressBefore = a->addressValues();
    const QVariantList imsBefore = a->imsValues();
    const QByteArray cardBefore = a->vCardData();
    const QByteArray otherBefore = b->vCardData();

    const QStringList columns { FieldId::Name, FieldId::Phone, FieldId::Address, FieldId::InstantMessage,
                                FieldId::Note };
    EXPECT_EQ(replacer.replaceAllInTable(*all->contactTable, columns, QString(), qs("x"), Qt::CaseSensitive),
              0);
    EXPECT_FALSE(undo.canUndo());

    const qsizetype changed
        = replacer.replaceAllInTable(*all->contactTable, columns, qs("cat"), qs("Dog"), Qt::CaseInsensitive);
    endEvent();
    EXPECT_EQ(changed, 5);
    EXPECT_EQ(a->nameValue().value(FieldId::FirstName).toString(), qs("Dog"));
    EXPECT_EQ(a->nameValue().value(FieldId::LastName).toString(), qs("Dogt"));
    EXPECT_EQ(a->addressValues().at(0).toMap().value(FieldId::Street).toString(), qs("Dog Lane"));
    EXPECT_EQ(a->imsValues().at(0).toMap().value(Key::Value).toString(), qs("Dogty"));
    EXPECT_EQ(a->stringValueForIdentifier(FieldId::Note), qs("the Dog note"));

    editor.undo();
    EXPECT_EQ(a->nameValue(), nameBefore);
    EXPECT_EQ(a->phoneValues(), phonesBefore);
    EXPECT_EQ(a->addressValues(), addressBefore);
    EXPECT_EQ(a->imsValues(), imsBefore);
    EXPECT_EQ(a->stringValueForIdentifier(FieldId::Note), qs("the CAT note"));
    EXPECT_EQ(a->vCardData(), cardBefore);
    EXPECT_EQ(b->vCardData(), otherBefore);
    EXPECT_FALSE(undo.canUndo());
}

TEST_F(ReplaceTest, ReplaceAllCaseSensitiveLeavesOtherCases)
{
    PersonPtr a = namedPerson(qs("Bob"), qs("bob"));
    addContact(a);
    start();
    replacer.replaceAllInTable(*all->contactTable, { FieldId::Name }, qs("bob"), qs("Rob"),
                               Qt::CaseSensitive);
    EXPECT_EQ(a->nameValue().value(FieldId::FirstName).toString(), qs("Bob"));
    EXPECT_EQ(a->nameValue().value(FieldId::LastName).toString(), qs("Rob"));
}

TEST_F(ReplaceTest, DetailReplaceAllCoversTheWholeContactButNotItsDates)
{
    PersonPtr a = namedPerson(qs("Ida"), qs("Ode"));
    a->setValue(qs("Ida Corp"), FieldId::Company);
    a->setValue(qs("Ida"), FieldId::Nickname);
    const ContactEntry entry = addContact(a);
    start();
    EXPECT_EQ(replacer.replaceAllInContact(entry, qs("Ida"), qs("Eva"), Qt::CaseSensitive), 3);
    EXPECT_EQ(a->stringValueForIdentifier(FieldId::Company), qs("Eva Corp"));
    EXPECT_EQ(a->stringValueForIdentifier(FieldId::Nickname), qs("Eva"));
    EXPECT_EQ(a->nameValue().value(FieldId::FirstName).toString(), qs("Eva"));
}

} // namespace
