// Values the detail editors offer and compose, without widgets.
#pragma once

#include <QString>
#include <QStringList>
#include <QVariantList>
#include <QVariantMap>

namespace DetailValues {

// The address-format table as choices {"string": "<country> (<code>)", "countryCode"}, in table
// order; the country's name in the user's language where the table has one.
QVariantList countryChoices();

// The country whose format an address follows: its ISO code, else the code its country name
// gives, else the user's country.
QString addressCountryCode(const QVariantMap &address);

// The five address components in the order of the country's format, the ones the format does
// not mention at the end: every component stays editable.
QStringList addressComponentOrder(const QString &countryCode);

// The instant-message services the editor offers.
QStringList instantMessageServices();

} // namespace DetailValues
