// Quick checks of UTF-8 byte strings, for files too large to decode just to find out.
#pragma once

#include <QByteArrayView>

namespace Utf8 {

// Well-formed UTF-8: no stray continuation bytes, no overlong forms, no surrogates, nothing past
// U+10FFFF, no sequence cut off at the end.
bool isValid(QByteArrayView bytes);

// Whether every byte is below 0x80.
bool isAscii(QByteArrayView bytes);

} // namespace Utf8
