// Key strings of phone-number normalisation: the calling-code table and the layout titles.
#pragma once

#include <QString>

// Keys of an entry of the calling-code table.
namespace CountryNumberKey {
inline const QString Number = QStringLiteral("number");
inline const QString FirstDigit = QStringLiteral("firstDigit");
inline const QString Country = QStringLiteral("country");
inline const QString CountryJa = QStringLiteral("国名");
inline const QString AreaJa = QStringLiteral("エリア名");
} // namespace CountryNumberKey

namespace PhoneResource {
// The calling-code table: a header line, then code, country, Japanese country, Japanese area.
inline const QString CountryNumbers = QStringLiteral(":/CountryNumbers.csv");
} // namespace PhoneResource

// The sample layouts: each menu item's title is a number written in its layout.
namespace PhoneLayoutTitle {
inline const QString FourPlusFour = QStringLiteral("(12) 3456-7890");
inline const QString ThreePlusFour = QStringLiteral("(123) 456-7890");
inline const QString TwoPlusFour = QStringLiteral("(1234) 56-7890");
inline const QString QuadTwo = QStringLiteral("(12) 34 56 78 90");
inline const QString HyphenThreeFour = QStringLiteral("090-1234-5678");
inline const QString HyphenFourThreeThree = QStringLiteral("0120-123-456");
} // namespace PhoneLayoutTitle
