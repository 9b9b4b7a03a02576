// Key strings of find and replace: hit options, find bar commands, the find panel's search modes,
// filters and result rows.
#pragma once

#include <QString>

// The options string the views highlight with.
namespace FindOptions {
inline const QString CaseSensitive = QStringLiteral("caseSensitive");
inline const QString CaseInsensitive = QStringLiteral("caseInsensitive");
} // namespace FindOptions

// Commands the find bar sends to its delegate.
namespace FindBarCommand {
inline const QString Next = QStringLiteral("Next");
inline const QString Previous = QStringLiteral("Previous");
inline const QString Replace = QStringLiteral("Replace");
inline const QString ReplaceAll = QStringLiteral("ReplaceAll");
inline const QString Done = QStringLiteral("Done");
inline const QString OptionChanged = QStringLiteral("OptionChanged");
} // namespace FindBarCommand

// The find panel's search modes, in the order of its popup.
namespace SearchMode {
inline const QString CaseInsensitive = QStringLiteral("CaseInsensitive");
inline const QString CaseSensitive = QStringLiteral("CaseSensitive");
inline const QString Regex = QStringLiteral("Regex");
} // namespace SearchMode

// The filter word that lets everything pass.
namespace FindFilter {
inline const QString All = QStringLiteral("All");
} // namespace FindFilter

// Columns of the find panel's result table (also the keys of a result row).
namespace ResultColumn {
inline const QString Name = QStringLiteral("Name");
inline const QString Item = QStringLiteral("Item");
inline const QString SubItem = QStringLiteral("SubItem");
inline const QString Label = QStringLiteral("Label");
inline const QString Value = QStringLiteral("Value");
} // namespace ResultColumn
