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

// The contact card: its template, files, element ids and styles.
namespace CardKey {
inline const QString Template = QStringLiteral(":/contact.html");
inline const QString CardFile = QStringLiteral("contact.html");
inline const QString PersonIcon = QStringLiteral("icon_standard.png");
inline const QString CompanyIcon = QStringLiteral("icon_company.png");
inline const QString PersonIconResource = QStringLiteral(":/icons/user.png");
inline const QString CompanyIconResource = QStringLiteral(":/icons/icon_company.png");
inline const QString PhotoSuffix = QStringLiteral(".png");

inline const QString Head = QStringLiteral("head");
inline const QString StyleSheet = QStringLiteral("style"); // the element holding the CSS
inline const QString Body = QStringLiteral("body");
inline const QString Id = QStringLiteral("id");
inline const QString Class = QStringLiteral("class");
inline const QString Style = QStringLiteral("style");
inline const QString Src = QStringLiteral("src");
inline const QString Paragraph = QStringLiteral("p");
inline const QString Cite = QStringLiteral("cite");
inline const QString TextField = QStringLiteral("textfield");
inline const QString Span = QStringLiteral("span");
inline const QString Tab = QStringLiteral("tab"); // the class of the tab after a label

// The colours the template's style sheet leaves to the palette.
inline const QString TextColorToken = QStringLiteral("@text@");
inline const QString MutedColorToken = QStringLiteral("@muted@");

// The inline styles of empty and filled fields, as written; the palette's colours replace them.
inline const QString Grey = QStringLiteral("color:#aaaaaa;");
inline const QString Black = QStringLiteral("color:#000000;");

inline const QString CompositeName = QStringLiteral("Compositename");
inline const QString JobTitle = QStringLiteral("JobTitle");
inline const QString ContactImage = QStringLiteral("ContactImage");
inline const QString NoteArea = QStringLiteral("NoteArea");
inline const QString Groups = QStringLiteral("Groups");
inline const QString HomeLabel = QStringLiteral("home");
inline const QString WorkLabel = QStringLiteral("work");
} // namespace CardKey
