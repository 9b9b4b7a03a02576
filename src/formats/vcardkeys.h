// Names of vCard properties and parameters, and the keys the vCard code adds to record values.
#pragma once

#include <QLatin1StringView>
#include <QString>

#include "record/keys.h"

namespace VCardProperty {
inline constexpr QLatin1StringView Begin("BEGIN");
inline constexpr QLatin1StringView End("END");
inline constexpr QLatin1StringView Version("VERSION");
inline constexpr QLatin1StringView ProdId("PRODID");
inline constexpr QLatin1StringView N("N");
inline constexpr QLatin1StringView FN("FN");
inline constexpr QLatin1StringView Org("ORG");
inline constexpr QLatin1StringView Title("TITLE");
inline constexpr QLatin1StringView Nickname("NICKNAME");
inline constexpr QLatin1StringView Note("NOTE");
inline constexpr QLatin1StringView Bday("BDAY");
inline constexpr QLatin1StringView Anniversary("ANNIVERSARY");
inline constexpr QLatin1StringView Tel("TEL");
inline constexpr QLatin1StringView Email("EMAIL");
inline constexpr QLatin1StringView Adr("ADR");
inline constexpr QLatin1StringView Url("URL");
inline constexpr QLatin1StringView Impp("IMPP");
inline constexpr QLatin1StringView Related("RELATED");
inline constexpr QLatin1StringView Photo("PHOTO");
inline constexpr QLatin1StringView Categories("CATEGORIES");
inline constexpr QLatin1StringView Uid("UID");
inline constexpr QLatin1StringView AbLabel("X-ABLabel");
inline constexpr QLatin1StringView AbAdr("X-ABADR");
inline constexpr QLatin1StringView AbDate("X-ABDATE");
inline constexpr QLatin1StringView AbRelatedNames("X-ABRELATEDNAMES");
inline constexpr QLatin1StringView AbShowAs("X-ABShowAs");
inline constexpr QLatin1StringView Kind("KIND"); // vCard 4
inline constexpr QLatin1StringView SocialProfile("X-SOCIALPROFILE");
inline constexpr QLatin1StringView PhoneticFirstName("X-PHONETIC-FIRST-NAME");
inline constexpr QLatin1StringView PhoneticMiddleName("X-PHONETIC-MIDDLE-NAME");
inline constexpr QLatin1StringView PhoneticLastName("X-PHONETIC-LAST-NAME");
inline constexpr QLatin1StringView MaidenName("X-MAIDENNAME");
inline constexpr QLatin1StringView XAnniversary("X-ANNIVERSARY");
// The prefix of user-defined properties (custom items).
inline constexpr QLatin1StringView CustomPrefix("X-");
} // namespace VCardProperty

namespace VCardParameter {
inline constexpr QLatin1StringView Type("TYPE");
inline constexpr QLatin1StringView Encoding("ENCODING");
inline constexpr QLatin1StringView Charset("CHARSET");
inline constexpr QLatin1StringView Value("VALUE");
inline constexpr QLatin1StringView ServiceType("X-SERVICE-TYPE");
inline constexpr QLatin1StringView User("X-USER");
inline constexpr QLatin1StringView UserId("X-USERID");
inline constexpr QLatin1StringView OmitYear("X-APPLE-OMIT-YEAR");
// Values of ENCODING (and bare 2.1 tokens).
inline constexpr QLatin1StringView QuotedPrintable("QUOTED-PRINTABLE");
inline constexpr QLatin1StringView Base64("BASE64");
inline constexpr QLatin1StringView B("B");
// The value the custom item reader takes the label after (matched case-sensitively).
inline constexpr QLatin1StringView CustomLabelPrefix("type=");
} // namespace VCardParameter

namespace VCardValue {
inline constexpr QLatin1StringView Company("COMPANY");
inline constexpr QLatin1StringView Organization("org"); // KIND of a vCard 4 organisation
inline constexpr QLatin1StringView Version30("3.0");
inline constexpr QLatin1StringView DataUriPrefix("data:");
inline constexpr QLatin1StringView TelUriPrefix("tel:");
inline constexpr QLatin1StringView Uri("uri");
inline constexpr QLatin1StringView Base64Marker(";base64,");
} // namespace VCardValue

namespace VCardKey {
// Parameters of a labeled value's property that no field holds (e.g. "X-CUSTOM=1;TYPE=POSTAL"),
// kept in the labeled value and written again, so that nothing read is lost. The record's own
// constant: records look their keys up by it.
inline const QString &Parameters = Key::VCardParameters;
// The item's property as read, up to its value; a grouped label line follows after a line feed.
inline const QString &Property = Key::VCardProperty;
inline const QString &Value = Key::VCardValue;
} // namespace VCardKey

namespace VCardText {
// The byte-order mark, as a character and as its UTF-8 bytes.
inline constexpr QChar ByteOrderMark = u'\uFEFF';
inline constexpr const char Utf8ByteOrderMark[] = "\xEF\xBB\xBF";
} // namespace VCardText

// Keys of the contact dump (JSON).
namespace DumpKey {
inline const QString Contacts = QStringLiteral("contacts");
inline const QString Groups = QStringLiteral("groups");
inline const QString Cards = QStringLiteral("cards");
inline const QString Skipped = QStringLiteral("skipped");
inline const QString KeptVerbatim = QStringLiteral("keptVerbatim");
inline const QString CompositeName = QStringLiteral("compositeName");
inline const QString ShowAsPerson = QStringLiteral("showAsPerson");
inline const QString Fields = QStringLiteral("fields");
inline const QString Photo = QStringLiteral("photo");
inline const QString Thumbnail = QStringLiteral("thumbnail");
inline const QString Size = QStringLiteral("size");
inline const QString Sha256 = QStringLiteral("sha256");
inline const QString CustomItems = QStringLiteral("customItems");
inline const QString CustomValues = QStringLiteral("customValues");
inline const QString ExtraProperties = QStringLiteral("extraProperties");
inline const QString VCardKept = QStringLiteral("vCardKept");
} // namespace DumpKey
