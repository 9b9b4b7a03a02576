// Quick checks of UTF-8 byte strings, for files too large to decode just to find out.
#pragma once

#include <QByteArrayView>

namespace Utf8 {

// Well-formed UTF-8: no stray continuation bytes, no overlong forms, no surrogates, nothing past
// U+10FFFF, no sequence cut off at the end.
bool isValid(QByteArrayView bytes);

// The same for text of folded lines (vCard): a line break followed by a space or tab is a fold and
// is left out, since writers fold even in the middle of a multi-byte character. A line break is
// an LF after any number of CRs, or CRs alone.
bool isValidUnfolded(QByteArrayView bytes);

// Whether every byte is below 0x80.
bool isAscii(QByteArrayView bytes);

} // namespace Utf8
