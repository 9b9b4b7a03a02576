// The command-line tool's zip command: the addresses of a Japanese postal code.
#pragma once

#include <QStringList>

class QTextStream;

namespace CliTool {

// pellory2-cli zip CODE: one line per place the code names, "prefecture city street" and the
// company of a business code; a prefix of fewer than seven digits puts each place's code first.
int runZip(const QStringList &arguments, QTextStream &out, QTextStream &err);

} // namespace CliTool
