// Key strings of the detail editors: the context a popover editor works on, and the entries of
// the country list of the address editor.
#pragma once

#include <QString>

// The context handed to a popover editor and read back when it closes.
namespace PopoverKey {
inline const QString Contact = QStringLiteral("contact"); // the table row being edited
inline const QString Type = QStringLiteral("type"); // the field identifier
inline const QString LabelIndex = QStringLiteral("labelIndex"); // the item the editor started from
inline const QString EditEnabled = QStringLiteral("editEnabled"); // the edit lock state at opening
inline const QString Values = QStringLiteral("values"); // a whole edited list
inline const QString Value = QStringLiteral("value"); // the result to apply
inline const QString Dirty = QStringLiteral("dirty"); // the result is to be applied
} // namespace PopoverKey

// One entry of the address editor's country list.
namespace CountryChoiceKey {
inline const QString String = QStringLiteral("string"); // "<country> (<code>)"
inline const QString CountryCode = QStringLiteral("countryCode");
} // namespace CountryChoiceKey

// The item an address popover opened from the list editor starts from, instead of the record's.
namespace PopoverItemKey {
inline const QString AddressValue = QStringLiteral("AddressValue");
} // namespace PopoverItemKey
