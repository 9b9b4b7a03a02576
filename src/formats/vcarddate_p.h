// Dates in vCard values: BDAY, ANNIVERSARY, X-ABDATE.
#pragma once

#include "record/datecomponents.h"

#include <QString>
#include <QStringView>
#include <optional>

namespace VCardDate {

// Reads "1985-04-12", "19850412", "1985-04-12T10:00:00Z", "--04-12", "--0412", "1985-04", "1985",
// "--04", "---12". A year equal to omittedYear (the X-APPLE-OMIT-YEAR convention) counts as none.
std::optional<DateComponents> parse(QStringView text, int omittedYear = DateComponents::Undefined);

// The shortest of the forms above that holds the components; empty for empty components.
QString format(const DateComponents &date);

} // namespace VCardDate
