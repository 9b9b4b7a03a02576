// Stand-in for the platform's postal-address formatter: the mailing text of an address, laid out
// by its country's format string (components separated by spaces, lines by line breaks).
#pragma once

#include <QString>

namespace PostalAddressFormatter {

struct Components
{
    QString street;
    QString city;
    QString state;
    QString postalCode;
    QString country;
    QString isoCountryCode;
};

// formatString uses the words "Street", "City", "State", "ZIP" and "Country"; other words and
// left-to-right marks are ignored. An empty format string gives the common Western layout.
QString mailingAddress(const Components &address, const QString &formatString, bool includeCountry);

// The component a format word ("Street", "City", "State", "ZIP", "Country") names; nullptr for
// any other word, and for "Country" unless includeCountry.
const QString *component(QStringView word, const Components &address, bool includeCountry);

} // namespace PostalAddressFormatter
