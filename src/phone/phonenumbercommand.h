// The table's phone normalisation: every selected row's phone item laid out anew, through the
// undoable edit operations, as one undo step.
#pragma once

#include "editing/contacteditor.h"
#include "phone/normalizephonenumber.h"

namespace PhoneNumberCommand {

struct Outcome
{
    qsizetype changed = 0;
    // Numbers left as they were because cleaning them would drop text after the number
    // ("03.1234.5678", "03-1234-5678 / 090-1111-2222"), which the layout cannot give back.
    qsizetype kept = 0;
};

// Lays out the phone item at each row's position; rows without one are skipped, and items whose
// layout is empty or equal to their text are not touched.
Outcome normalize(ContactEditor &editor, const SubContactRows &rows, PhoneLayout layout,
                  ContactEditor::Sender sender);

} // namespace PhoneNumberCommand
