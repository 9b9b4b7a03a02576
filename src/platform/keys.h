// Key strings of the platform layer: preference keys it reads or writes itself and the names it
// uses on files. The window's own preference keys live with the window.
#pragma once

#include <QString>

namespace DefaultsKey {
// The names of the encodings ticked in the encoding list (an array of display names).
inline const QString Encodings = QStringLiteral("Encodings");
// The folder that holds the vdir address books shown as the read-only contact store.
inline const QString ContactStoreRoot = QStringLiteral("QV1DcontactStoreRoot");
} // namespace DefaultsKey

namespace FileAttribute {
// Extended attribute recording a text file's encoding: "<IANA name>;<encoding number>".
inline constexpr char TextEncoding[] = "user.charset";
} // namespace FileAttribute
