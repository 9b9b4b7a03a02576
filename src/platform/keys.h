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

// vCard property names and values the contact store reads itself (the rest is the reader's), and
// where it looks by default.
namespace StoreProperty {
inline constexpr char Begin[] = "BEGIN";
inline constexpr char End[] = "END";
inline constexpr char Version[] = "VERSION";
inline constexpr char Uid[] = "UID";
inline constexpr char FormattedName[] = "FN";
inline constexpr char Name[] = "N";
inline constexpr char Categories[] = "CATEGORIES";
inline constexpr char Kind[] = "KIND";
inline constexpr char Member[] = "MEMBER";
inline constexpr char ServerKind[] = "X-ADDRESSBOOKSERVER-KIND";
inline constexpr char ServerMember[] = "X-ADDRESSBOOKSERVER-MEMBER";
inline constexpr char Photo[] = "PHOTO";
inline constexpr char GroupKind[] = "group";
inline constexpr char QuotedPrintable[] = "QUOTED-PRINTABLE";
// The root of the address books, under the home folder, when the preferences name none.
inline constexpr char DefaultRoot[] = "/.local/share/contacts";
// Prefixes of member references that name a card by its UID.
inline constexpr char UrnUuidPrefix[] = "urn:uuid:";
inline constexpr char UidPrefix[] = "uid:";
} // namespace StoreProperty

namespace FileAttribute {
// Extended attribute recording a text file's encoding: "<IANA name>;<encoding number>".
inline constexpr char TextEncoding[] = "user.charset";
} // namespace FileAttribute
