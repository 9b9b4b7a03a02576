#include "editorfixture.h"

#include <QImage>
#include <functional>

namespace {

class ValueEdits : public EditorTest
{
protected:
    ValueEdits()
    {
        person = makePerson(qs("Anna"), { qs("111"), qs("222") });
        QVariantMap address { { Key::Label, LabelWord::Home },
                              { FieldId::Street, qs("Main St 1") },
                              { FieldId::City, qs("Springfield") },
                              { FieldId::Zip, qs("12345") } };
        QVariantMap office = address;
        office.insert(FieldId::Street, qs("Work Rd 9"));
        address.insert(Key::LabelIndex, 0);
        office.insert(Key::LabelIndex, 1);
        person->setValue(QVariantList { address, office }, FieldId::Address);
        person->setValue(qs("a note"), FieldId::Note);
        person->setChanged(false);
        contact = addContact(person);
        start();
    }

    PersonPtr person;
    ContactEntry contact;
};

TEST_F(ValueEdits, PhoneEditUndoRedoRestoresExactly)
{
    using Edit = std::function<bool(ContactEditor &, const QVariant &, const ContactEntry &)>;
    const struct
    {
        const char *name;
        Edit edit;
    } cases[] = {
        { "undoReplaceValue",
          [](ContactEditor &e, const QVariant &v, const ContactEntry &c) {
              return e.undoReplaceValue(v, FieldId::Phone, c, nullptr);
          } },
        { "undoReplaceLabeledValue",
          [](ContactEditor &e, const QVariant &v, const ContactEntry &c) {
              return e.undoReplaceLabeledValue(v, FieldId::Phone, c, nullptr);
          } },
    };
    for (const auto &c : cases) {
        const QVariantList before = person->phoneValues();
        QVariantMap item = person->labeledValueForIdentifierAtLabelIndex(FieldId::Phone, 1);
        item.insert(Key::Value, qs("333"));
        ASSERT_TRUE(c.edit(editor, item, contact)) << c.name;
        const QVariantList after = person->phoneValues();
        EXPECT_EQ(after.at(1).toMap().value(Key::StringValue).toString(), qs("333")) << c.name;
        EXPECT_EQ(after.at(0), before.at(0)) << c.name;
        EXPECT_TRUE(person->changed()) << c.name;

        editor.undo();
        EXPECT_EQ(person->phoneValues(), before) << c.name;
        editor.redo();
        EXPECT_EQ(person->phoneValues(), after) << c.name;
        editor.undo();
    }
}

TEST_F(ValueEdits, AddressComponentChangesOnlyThatComponentOfThatItem)
{
    const QVariantList before = person->addressValues();
    // The cell hands over only the component; nothing else of the item may be lost.
    const QVariantMap cell { { Key::LabelIndex, 1 }, { FieldId::Zip, qs("99999") } };
    ASSERT_TRUE(editor.undoReplaceValue(cell, FieldId::Zip, contact, nullptr));
    const QVariantMap home = person->labeledValueForIdentifierAtLabelIndex(FieldId::Address, 0);
    const QVariantMap work = person->labeledValueForIdentifierAtLabelIndex(FieldId::Address, 1);
    EXPECT_EQ(home, before.at(0).toMap());
    EXPECT_EQ(work.value(FieldId::Zip).toString(), qs("99999"));
    EXPECT_EQ(work.value(FieldId::Street).toString(), qs("Work Rd 9"));
    EXPECT_EQ(work.value(FieldId::City).toString(), qs("Springfield"));
    EXPECT_EQ(work.value(Key::Label).toString(), LabelWord::Home);

    editor.undo();
    EXPECT_EQ(person->addressValues(), before);
}

TEST_F(ValueEdits, StringFieldSetToNothingIsStoredEmptyAndUndoBringsItBack)
{
    ASSERT_TRUE(editor.undoReplaceValue(QVariant(), FieldId::Note, contact, nullptr));
    const QVariant stored = person->valueForIdentifier(FieldId::Note);
    EXPECT_EQ(stored.typeId(), QMetaType::QString);
    EXPECT_EQ(stored.toString(), QString());
    editor.undo();
    EXPECT_EQ(person->valueForIdentifier(FieldId::Note).toString(), qs("a note"));
}

TEST_F(ValueEdits, WrongShapesAreRefusedWithoutAnUndoStep)
{
    using Edit = std::function<bool(ContactEditor &, const ContactEntry &)>;
    const QVariantMap phone = labeled(LabelWord::Work, qs("9"), 1);
    QVariantMap noIndex = phone;
    noIndex.remove(Key::LabelIndex);
    const struct
    {
        const char *name;
        Edit edit;
    } cases[] = {
        { "nil for a labeled field",
          [](ContactEditor &e, const ContactEntry &c) {
              return e.undoReplaceValue({}, FieldId::Phone, c, nullptr);
          } },
        { "a string for a labeled field",
          [](ContactEditor &e, const ContactEntry &c) {
              return e.undoReplaceValue(qs("9"), FieldId::Phone, c, nullptr);
          } },
        { "an item without labelIndex",
          [&](ContactEditor &e, const ContactEntry &c) {
              return e.undoReplaceLabeledValue(noIndex, FieldId::Phone, c, nullptr);
          } },
        { "an item whose labelIndex is not there",
          [](ContactEditor &e, const ContactEntry &c) {
              return e.undoReplaceLabeledValue(labeled(LabelWord::Work, qs("9"), 7), FieldId::Phone, c,
                                               nullptr);
          } },
        { "a list holding a string",
          [](ContactEditor &e, const ContactEntry &c) {
              return e.undoReplaceLabeledValue(QVariantList { qs("9") }, FieldId::Phone, c, nullptr);
          } },
        { "a string for an address component",
          [](ContactEditor &e, const ContactEntry &c) {
              return e.undoReplaceValue(qs("9"), FieldId::Zip, c, nullptr);
          } },
        { "a list for a string field",
          [](ContactEditor &e, const ContactEntry &c) {
              return e.undoReplaceValue(QVariantList {}, FieldId::Note, c, nullptr);
          } },
        { "the photo through the value operation",
          [](ContactEditor &e, const ContactEntry &c) {
              return e.undoReplaceValue(QImage(2, 2, QImage::Format_RGB32), FieldId::Photo, c, nullptr);
          } },
        { "a labeled item for a string field",
          [&](ContactEditor &e, const ContactEntry &c) {
              return e.undoAddLabeledValue(phone, FieldId::Note, c, nullptr);
          } },
        { "deleting an address component",
          [](ContactEditor &e, const ContactEntry &c) {
              return e.undoDeleteLabeledValueForIdentifier(FieldId::Zip, 0, c, nullptr);
          } },
        { "deleting an item that is not there",
          [](ContactEditor &e, const ContactEntry &c) {
              return e.undoDeleteLabeledValueForIdentifier(FieldId::Phone, 7, c, nullptr);
          } },
        { "deleting the photo of a contact without one",
          [](ContactEditor &e, const ContactEntry &c) {
              return e.undoDeleteLabeledValueForIdentifier(FieldId::Photo, 0, c, nullptr);
          } },
        { "an entry without a record",
          [](ContactEditor &e, const ContactEntry &) {
              return e.undoReplaceValue(qs("x"), FieldId::Note, std::make_shared<ContactEntryData>(),
                                        nullptr);
          } },
    };
    const QVariantMap archive = person->encodeWithCoder();
    for (const auto &c : cases) {
        EXPECT_FALSE(c.edit(editor, contact)) << c.name;
        EXPECT_FALSE(undo.canUndo()) << c.name;
        EXPECT_EQ(person->encodeWithCoder(), archive) << c.name;
    }
    EXPECT_FALSE(edited.has_value());

    // The birthday operation registers before it looks at the value.
    EXPECT_FALSE(editor.undoReplaceBirthday(qs("1990"), contact));
    EXPECT_TRUE(undo.canUndo());
}

TEST_F(ValueEdits, LabeledItemsAreAddedDeletedAndClearedUndoably)
{
    const QVariantList before = person->phoneValues();
    ASSERT_TRUE(editor.undoAddLabeledValue(labeled(LabelWord::Work, qs("333"), -1), FieldId::Phone, contact,
                                           nullptr));
    endEvent();
    ASSERT_TRUE(editor.undoDeleteLabeledValueForIdentifier(FieldId::Phone, 0, contact, nullptr));
    endEvent();
    ASSERT_TRUE(editor.undoReplaceLabeledValue(QVariant(), FieldId::Phone, contact, nullptr));
    EXPECT_TRUE(person->phoneValues().isEmpty());

    editor.undo();
    const QVariantList kept = person->phoneValues();
    ASSERT_EQ(kept.size(), 2);
    EXPECT_EQ(kept.at(0).toMap().value(Key::LabelIndex).toInt(), 1);
    EXPECT_EQ(kept.at(1).toMap().value(Key::LabelIndex).toInt(), 2)
        << "the new item takes the next labelIndex";
    editor.undo();
    editor.undo();
    EXPECT_EQ(person->phoneValues(), before);
}

TEST_F(ValueEdits, FirstValueOfACustomItemDefinesItAndUndoEmptiesIt)
{
    const QString custom = qs("Pets");
    editor.setCustomItems(
        { QVariantMap { { CustomKey::Name, custom }, { CustomKey::Type, ValueType::Labeled } } });
    ASSERT_TRUE(editor.undoReplaceLabeledValue(labeled(qs("cat"), qs("Tom"), 0), custom, contact, nullptr));
    EXPECT_EQ(person->typeForIdentifier(custom), ValueType::Labeled);
    EXPECT_EQ(person->labeledValueForIdentifier(custom).size(), 1);
    editor.undo();
    EXPECT_TRUE(person->labeledValueForIdentifier(custom).isEmpty());
    editor.redo();
    EXPECT_EQ(person->labeledValueForIdentifierAtIndex(custom, 0).value(Key::Value).toString(), qs("Tom"));
}

TEST_F(ValueEdits, UndoGivesBackThePhotoBytesAfterReplaceAndDelete)
{
    person->setImageData(QByteArrayLiteral("original image bytes"));
    person->setThumbnailImageData(QByteArrayLiteral("original thumbnail"));
    QImage red(4, 4, QImage::Format_RGB32);
    red.fill(Qt::red);

    ASSERT_TRUE(editor.undoReplacePhoto(red, contact));
    EXPECT_EQ(person->photo().pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(person->thumbnailImageData(), person->imageData());
    editor.undo();
    EXPECT_EQ(person->imageData(), QByteArrayLiteral("original image bytes"));
    EXPECT_EQ(person->thumbnailImageData(), QByteArrayLiteral("original thumbnail"));

    EXPECT_TRUE(editor.undoDeleteLabeledValueForIdentifier(FieldId::Photo, 0, contact, nullptr));
    EXPECT_TRUE(person->imageData().isEmpty());
    EXPECT_TRUE(person->thumbnailImageData().isEmpty());
    editor.undo();
    EXPECT_EQ(person->imageData(), QByteArrayLiteral("original image bytes"));
    EXPECT_EQ(person->thumbnailImageData(), QByteArrayLiteral("original thumbnail"));
}

TEST_F(ValueEdits, MergeIsOneStepAndUndoRestoresEveryField)
{
    const PersonPtr result = makePerson(qs("Anne"), { qs("555") });
    result->setValue(QVariantList { labeled(LabelWord::Work, qs("anne@example.com"), 0) }, FieldId::Email);
    result->setValue(qs("merged"), FieldId::Company);
    result->setBirthdayValue(
        QVariantMap { { Key::Value, QVariant::fromValue(DateComponents { 1990, 5, 17 }) } });
    result->setImageData(QByteArrayLiteral("merged photo"));
    const ContactEntry merged = makeContactEntry(result);

    const QVariantMap name = person->nameValue();
    const QVariantList phones = person->phoneValues();
    const QVariantList addresses = person->addressValues();
    // Fewer B rows than A rows must not be read past their end.
    editor.undoReplacePersonByContacts({ merged, merged }, { contact });
    EXPECT_EQ(undo.undoCount(), 1);
    EXPECT_EQ(person->nameValue(), result->nameValue());
    EXPECT_EQ(person->phoneValues(), result->phoneValues());
    EXPECT_EQ(person->emailValues(), result->emailValues());
    EXPECT_TRUE(person->addressValues().isEmpty());
    EXPECT_EQ(person->stringValueForIdentifier(FieldId::Note), QString());
    EXPECT_EQ(person->stringValueForIdentifier(FieldId::Company), qs("merged"));
    EXPECT_EQ(person->birthdayValue(), result->birthdayValue());
    EXPECT_EQ(person->imageData(), QByteArrayLiteral("merged photo"));
    EXPECT_EQ(tableUpdates, 1) << "one refresh for the whole merge";

    editor.undo();
    EXPECT_FALSE(undo.canUndo());
    EXPECT_EQ(person->nameValue(), name);
    EXPECT_EQ(person->phoneValues(), phones);
    EXPECT_TRUE(person->emailValues().isEmpty());
    EXPECT_EQ(person->addressValues(), addresses);
    EXPECT_EQ(person->stringValueForIdentifier(FieldId::Note), qs("a note"));
    EXPECT_EQ(person->stringValueForIdentifier(FieldId::Company), QString());
    EXPECT_FALSE(person->birthdayValue().value(Key::Value).isValid());
    EXPECT_TRUE(person->imageData().isEmpty());
}

TEST_F(ValueEdits, ViewsRefreshExceptTheSenderAndUndoingEverythingClearsTheEditedMark)
{
    QObject tableEditor, detailView, popover;
    editor.setTableEditor(&tableEditor);
    editor.setDetailView(&detailView);
    const struct
    {
        const char *name;
        ContactEditor::Sender sender;
        int tableUpdates;
        QList<ContactEditor::Sender> popovers;
        int detachedReloads;
    } cases[] = {
        { "table editor", &tableEditor, 0, { &tableEditor }, 1 },
        { "detail view", &detailView, 1, {}, 0 },
        { "popover", &popover, 1, { &popover }, 1 },
        { "nobody", nullptr, 1, {}, 1 },
    };
    for (const auto &c : cases) {
        resetRecords();
        ASSERT_TRUE(editor.undoReplaceValue(qs(c.name), FieldId::Note, contact, c.sender));
        endEvent();
        EXPECT_EQ(tableUpdates, c.tableUpdates) << c.name;
        EXPECT_EQ(detailReloads, 1) << c.name;
        EXPECT_EQ(popoverReloads, c.popovers) << c.name;
        EXPECT_EQ(detachedReloads.size(), c.detachedReloads) << c.name;
        EXPECT_EQ(edited, std::optional<bool>(true)) << c.name;
    }

    // Undoing reloads the table and the contact's detached windows, whoever made the change.
    for (int i = 0; i < 3; ++i) {
        resetRecords();
        editor.undo();
        EXPECT_EQ(tableUpdates, 1);
        EXPECT_EQ(detailReloads, 0);
        EXPECT_EQ(detachedReloads, QStringList { contact->uniqueId });
        EXPECT_EQ(edited, std::optional<bool>(true));
    }
    editor.undo();
    EXPECT_EQ(edited, std::optional<bool>(false));
    EXPECT_EQ(person->stringValueForIdentifier(FieldId::Note), qs("a note"));
    editor.redo();
    EXPECT_EQ(edited, std::optional<bool>(true));
}

} // namespace
