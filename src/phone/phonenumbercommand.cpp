#include "phone/phonenumbercommand.h"

#include "record/keys.h"

namespace PhoneNumberCommand {

Outcome normalize(ContactEditor &editor, const SubContactRows &rows, PhoneLayout layout,
                  ContactEditor::Sender sender)
{
    Outcome outcome;
    NormalizePhoneNumber normalizer;
    const ContactEditor::EditBatch batch(editor);
    for (const SubContactRow &row : rows) {
        if (!row.person)
            continue;
        // The stored items are read in place: a document's phones are too many to copy each.
        const bool stored = row.person->isLabeledFieldLoaded(QVPerson::LabeledField::Phone);
        const CompactList &items = row.person->storedLabeledValues(QVPerson::LabeledField::Phone);
        if (stored && (row.labelIndex < 0 || row.labelIndex >= items.size()))
            continue;
        const QString value = stored
            ? items.at(row.labelIndex).string(Key::Value)
            : row.person->labeledValueForIdentifierAtIndex(FieldId::Phone, row.labelIndex)
                  .value(Key::Value)
                  .toString();
        normalizer.setPhoneNumber(value);
        if (!normalizer.droppedText().isEmpty()) {
            ++outcome.kept;
            continue;
        }
        const QString laidOut = normalizer.layout(layout);
        if (laidOut.isEmpty() || laidOut == value)
            continue;
        QVariantMap item = row.person->labeledValueForIdentifierAtIndex(FieldId::Phone, row.labelIndex);
        if (item.isEmpty())
            continue;
        item.insert(Key::Value, laidOut);
        if (editor.undoReplaceLabeledValue(item, FieldId::Phone, ContactEditor::entryForRow(row), sender))
            ++outcome.changed;
    }
    return outcome;
}

} // namespace PhoneNumberCommand
