// Writes generated contacts as vCard 3.0 or 2.1 text.
#pragma once

#include "contactcard.h"

#include <QByteArray>

namespace Gen {

enum class VCardVersion
{
    V30,
    V21
};

// One card, BEGIN:VCARD to END:VCARD, UTF-8 with CRLF line ends, no line over 75 octets.
QByteArray vCard(const Card &card, VCardVersion version);

} // namespace Gen
