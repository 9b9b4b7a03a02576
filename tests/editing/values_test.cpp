#include "editorfixture.h"

#include <QImage>

namespace {

class ValueEdits : public EditorTest
{
protected:
    ValueEdits()
    {
        person = makePerson(qs("Anna"), { qs("111"), qs("222") });
        QVariantMap home { { Key::Label, LabelWord::Home },
                           { FieldId::Street, qs("Main St 1") },
                           { FieldId::City, qs("Springfield") },
                           { FieldId::Zip, qs("12345") },
                           { Key::LabelIndex, 0 } };
        QVariantMap work = home;
        work.insert(FieldId::Street, qs("Work Rd 9"));
        work.insert(Key::LabelIndex, 1);
        person->setValue(QVariantList { home, work }, FieldId::Address);
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
    const QVariantList before = person->phoneValues();
    QVariantMap item = person->labeledValueForIdentifierAtLabelIndex(FieldId::Phone, 1);
    item.insert(Key::Value, qs("333"));
    ASSERT_TRUE(editor.undoReplaceLabeledValue(item, FieldId::Phone, contact, nullptr));
    const QVariantList after = person->phoneValues();
    EXPECT_EQ(after.at(0), before.at(0));
    EXPECT_EQ(after.at(1).toMap().value(Key::StringValue).toString(), qs("333"));
    EXPECT_TRUE(person->changed());
    editor.undo();
    EXPECT_EQ(person->phoneValues(), before);
    editor.redo();
    EXPECT_EQ(person->phoneValues(), after);
}

TEST_F(ValueEdits, ZipCellChangesOnlyThatComponentOfThatItem)
{
    const QVariantList before = person->addressValues();
    // The cell may hand over only the component; nothing else of the item may be lost.
    ASSERT_TRUE(editor.undoReplaceValue(QVariantMap { { Key::LabelIndex, 1 }, { FieldId::Zip, qs("99999") } },
                                        FieldId::Zip, contact, nullptr));
    QVariantMap expected = before.at(1).toMap();
    expected.insert(FieldId::Zip, qs("99999"));
    const QVariantList after = person->addressValues();
    EXPECT_EQ(after.at(0), before.at(0));
    for (const QString &key : { FieldId::Zip, FieldId::Street, FieldId::City, Key::Label })
        EXPECT_EQ(after.at(1).toMap().value(key), expected.value(key)) << key.toStdString();
    editor.undo();
    EXPECT_EQ(person->addressValues(), before);
}

TEST_F(ValueEdits, StringFieldSetToNothingIsStoredAsEmptyString)
{
    ASSERT_TRUE(editor.undoReplaceValue(QVariant(), FieldId::Note, contact, nullptr));
    EXPECT_EQ(person->valueForIdentifier(FieldId::Note), QVariant(QString()));
    editor.undo();
    EXPECT_EQ(person->valueForIdentifier(FieldId::Note), QVariant(qs("a note")));
}

TEST_F(ValueEdits, WrongShapesAreRefusedWithoutAnUndoStep)
{
    const struct
    {
        const char *name;
        QString identifier;
        QVariant value;
    } cases[] = {
        { "nil for a labeled field", FieldId::Phone, QVariant() },
        { "text for a labeled field", FieldId::Phone, qs("9") },
        { "an item without labelIndex", FieldId::Phone, QVariantMap { { Key::Value, qs("9") } } },
        { "an item whose labelIndex is not there", FieldId::Phone, labeled(LabelWord::Work, qs("9"), 7) },
        { "a list holding text", FieldId::Phone, QVariantList { qs("9") } },
        { "text for an address component", FieldId::Zip, qs("9") },
        { "a list for a text field", FieldId::Note, QVariantList() },
        { "a photo through the value operation", FieldId::Photo, QImage(2, 2, QImage::Format_RGB32) },
    };
    const QVariantMap archive = person->encodeWithCoder();
    for (const auto &c : cases)
        EXPECT_FALSE(editor.undoReplaceValue(c.value, c.identifier, contact, nullptr)) << c.name;
    EXPECT_FALSE(editor.undoDeleteLabeledValueForIdentifier(FieldId::Zip, 0, contact, nullptr));
    EXPECT_FALSE(editor.undoDeleteLabeledValueForIdentifier(FieldId::Phone, 7, contact, nullptr));
    EXPECT_FALSE(editor.undoDeleteLabeledValueForIdentifier(FieldId::Photo, 0, contact, nullptr));
    EXPECT_FALSE(undo.canUndo());
    EXPECT_EQ(person->encodeWithCoder(), archive);
    EXPECT_FALSE(seen.edited.has_value());
    // The birthday operation registers before it looks at the value.
    EXPECT_FALSE(editor.undoReplaceBirthday(qs("1990"), contact));
    EXPECT_TRUE(undo.canUndo());
}

TEST_F(ValueEdits, UndoGivesBackThePhotoBytesAfterReplaceAndDelete)
{
    person->setImageData(QByteArrayLiteral("original image"));
    person->setThumbnailImageData(QByteArrayLiteral("original thumbnail"));
    QImage red(4, 4, QImage::Format_RGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(editor.undoReplacePhoto(red, contact));
    endEvent();
    EXPECT_EQ(person->photo().pixelColor(0, 0), QColor(Qt::red));
    ASSERT_TRUE(editor.undoDeleteLabeledValueForIdentifier(FieldId::Photo, 0, contact, nullptr));
    EXPECT_TRUE(person->imageData().isEmpty());
    editor.undo();
    EXPECT_EQ(person->photo().pixelColor(0, 0), QColor(Qt::red));
    editor.undo();
    EXPECT_EQ(person->imageData(), QByteArrayLiteral("original image"));
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
    auto fields = [](QVPerson &p) {
        return QVariantList { p.nameValue(),
                              p.phoneValues(),
                              p.emailValues(),
                              p.addressValues(),
                              p.stringValueForIdentifier(FieldId::Note),
                              p.stringValueForIdentifier(FieldId::Company),
                              p.birthdayValue().value(Key::Value),
                              p.imageData() };
    };
    const QVariantList before = fields(*person);

    // Fewer B rows than A rows must not be read past their end.
    editor.undoReplacePersonByContacts({ merged, merged }, { contact });
    EXPECT_EQ(undo.undoCount(), 1);
    EXPECT_EQ(seen.tableUpdates, 1) << "one refresh for the whole merge";
    EXPECT_EQ(fields(*person), fields(*result));
    editor.undo();
    EXPECT_FALSE(undo.canUndo());
    EXPECT_EQ(fields(*person), before);
}

TEST_F(ValueEdits, ViewsRefreshExceptTheSenderAndUndoingEverythingClearsTheEditedMark)
{
    QObject tableEditor, detailView;
    editor.setTableEditor(&tableEditor);
    editor.setDetailView(&detailView);
    const struct
    {
        const char *name;
        ContactEditor::Sender sender;
        int tableUpdates;
        int detachedReloads;
    } cases[] = { { "table editor", &tableEditor, 0, 1 },
                  { "detail view", &detailView, 1, 0 },
                  { "nobody", nullptr, 1, 1 } };
    for (const auto &c : cases) {
        resetRecords();
        ASSERT_TRUE(editor.undoReplaceValue(qs(c.name), FieldId::Note, contact, c.sender));
        endEvent();
        EXPECT_EQ(seen.tableUpdates, c.tableUpdates) << c.name;
        EXPECT_EQ(seen.detailReloads, 1) << c.name;
        EXPECT_EQ(seen.detachedReloads.size(), c.detachedReloads) << c.name;
        EXPECT_EQ(seen.edited, std::optional<bool>(true)) << c.name;
    }
    // Undoing reloads the table and the contact's detached windows, whoever made the change.
    for (const bool leftToUndo : { true, true, false }) {
        resetRecords();
        editor.undo();
        EXPECT_EQ(seen.tableUpdates, 1);
        EXPECT_EQ(seen.detailReloads, 0);
        EXPECT_EQ(seen.detachedReloads, QStringList { contact->uniqueId });
        EXPECT_EQ(seen.edited, std::optional<bool>(leftToUndo));
    }
    EXPECT_EQ(person->stringValueForIdentifier(FieldId::Note), qs("a note"));
}

} // namespace
