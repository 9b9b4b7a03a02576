// The find buffer: the string last searched for, shared with other programs where the platform
// has a find clipboard, else kept by the program for all its windows.
#pragma once

#include <QString>

namespace FindBuffer {

// The buffer's string; empty when there is none.
QString text();
// Empty strings are not stored: they would wipe what another window or program looks for.
void setText(const QString &text);

} // namespace FindBuffer
