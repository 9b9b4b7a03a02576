// The context of a popover editor, and applying its result to the rows being edited.
#pragma once

#include "editing/contacteditor.h"
#include "record/entries.h"

#include <QMetaType>
#include <QVariantMap>

Q_DECLARE_METATYPE(SubContactRow)

namespace PopoverContext {

// "contact", "type", "labelIndex" and "editEnabled" of a popover opened on a row.
QVariantMap make(const SubContactRow &row, const QString &type, int labelIndex, bool editEnabled);
SubContactRow contact(const QVariantMap &context);

// Applies a closed editor's result ("value", when "dirty") to every row, as one undo step.
// The row the editor was opened on gets the result as it is; another row gets it at the item
// of its own position, or as a new item when its contact has none there. A name, phonetic name
// or birthday is set once per contact. Answers whether any record changed.
bool apply(ContactEditor &editor, const QVariantMap &context, const SubContactRows &rows,
           ContactEditor::Sender sender);

} // namespace PopoverContext
