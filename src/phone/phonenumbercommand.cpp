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
        QVariantMap item = row.person->labeledValueForIdentifierAtIndex(FieldId::Phone, row.labelIndex);
        if (item.isEmpty())
            continue;
        const QString value = item.value(Key::Value).toString();
        if (!NormalizePhoneNumber::droppedText(value).isEmpty()) {
            ++outcome.kept;
            continue;
        }
        normalizer.setPhoneNumber(value);
        const QString laidOut = normalizer.layout(layout);
        if (laidOut.isEmpty() || laidOut == value)
            continue;
        item.insert(Key::Value, laidOut);
        if (editor.undoReplaceLabeledValue(item, FieldId::Phone, ContactEditor::entryForRow(row), sender))
            ++outcome.changed;
    }
    return outcome;
}

} // namespace PhoneNumberCommand
