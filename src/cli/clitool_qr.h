// pellory2-cli qr: one contact's QR code as a PNG file, for scripts.
#pragma once

#include <QStringList>

class QTextStream;

namespace CliTool {

// Arguments after "qr": --format NAME FILE INDEX OUT.png. Writes the symbol, prints the payload.
int runQr(const QStringList &arguments, QTextStream &out, QTextStream &err);

} // namespace CliTool
