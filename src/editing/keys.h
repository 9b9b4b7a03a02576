// Words and formats of the window layer's edit operations.
#pragma once

#include <QString>

namespace EditWord {
// The first name of a contact made by Add Contact.
inline const QString NewContactFirstName = QStringLiteral("New");
// The name of a group made by Add Group; taken names get a number appended ("New0", "New1", ...).
inline const QString NewGroupName = QStringLiteral("New");
// A new group's identifier: its name and the creation date.
inline const QString GroupIdentifierFormat = QStringLiteral("%1+%2");
// The creation date in that identifier, in the form dates describe themselves.
inline const QString GroupIdentifierDateFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss +0000");
// The label items of a deleted custom label take, in the fields that always carry one.
inline const QString DeletedSocialLabel = QStringLiteral("facebook");
inline const QString DeletedRelationLabel = QStringLiteral("father");
inline const QString DeletedDateLabel = QStringLiteral("anniversary");
} // namespace EditWord
