// The popover editors a cell of the contacts table can ask the window to open.
#pragma once

#include <QString>

namespace PopoverKind {
inline const QString ContactInfo = QStringLiteral("contactInfo");
inline const QString Name = QStringLiteral("name");
inline const QString PhoneticName = QStringLiteral("phoneticName");
inline const QString MultiValue = QStringLiteral("multiValue");
inline const QString Address = QStringLiteral("address");
inline const QString SocialNetwork = QStringLiteral("socialNetwork");
inline const QString InstantMessage = QStringLiteral("instantMessage");
inline const QString Date = QStringLiteral("date");
} // namespace PopoverKind
