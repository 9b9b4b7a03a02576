// Writes generated contacts in the program's 32-column CSV dialect.
#pragma once

#include "contactcard.h"

#include <QByteArray>

namespace Gen {

// The header line, ending with a line feed.
QByteArray csvHeader();

// One data line, ending with a line feed.
QByteArray csvLine(const Card &card);

} // namespace Gen
