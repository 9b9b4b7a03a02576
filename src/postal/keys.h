// Key strings of the Japanese postal-code lookup: the shipped lists and the entries of the address
// dictionaries a lookup returns.
#pragma once

#include "record/keys.h"

#include <QString>

// The two lists, compiled into the program's resources.
namespace PostalResource {
inline const QString KenAllName = QStringLiteral("ken_all"); // every address area
inline const QString JigyosyoName = QStringLiteral("jigyosyo"); // businesses with their own code
inline const QString KenAllPath = QStringLiteral(":/ken_all.gzip");
inline const QString JigyosyoPath = QStringLiteral(":/jigyosyo.gzip");
} // namespace PostalResource

// The text encoding of both lists.
namespace PostalEncoding {
inline const QString ShiftJis = QStringLiteral("Shift_JIS");
} // namespace PostalEncoding

// Entries of a lookup result; the first four are the address components of the record.
namespace PostalKey {
inline const QString &Zip = FieldId::Zip;
inline const QString &State = FieldId::State;
inline const QString &City = FieldId::City;
inline const QString &Street = FieldId::Street;
inline const QString PhoneticCity = QStringLiteral("PhoneticCity");
inline const QString PhoneticStreet = QStringLiteral("PhoneticStreet");
inline const QString PhoneticCompany = QStringLiteral("PhoneticCompany");
inline const QString Company = QStringLiteral("Company");
} // namespace PostalKey

// The compact line form of the database: a tag for the list a line came from.
namespace PostalLineTag {
inline constexpr char16_t KenAll = u'K';
inline constexpr char16_t Jigyosyo = u'J';
} // namespace PostalLineTag

// The country whose addresses the lists hold.
namespace PostalCountry {
inline const QString Japan = QStringLiteral("JP");
} // namespace PostalCountry

// The area the lists give a code that covers a whole city: "no further area listed".
namespace PostalArea {
inline const QString NotListed = QStringLiteral("以下に掲載がない場合");
} // namespace PostalArea
