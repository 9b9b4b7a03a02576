// pellory2-cli print: the contacts of a file printed to PDF in one of the print styles.
#pragma once

#include <QStringList>
#include <QVariantMap>

class QTextStream;

namespace CliTool {

// Arguments after "print": --style NAME [--options JSON] [--sender INDEX] IN OUT.pdf.
int runPrint(const QStringList &arguments, QTextStream &out, QTextStream &err);

// The default options with the JSON object's entries laid over them; the style dictionaries are
// merged key by key. False with a reason when the text is no JSON object.
bool mergeOptions(QVariantMap &options, const QByteArray &json, QString *error);

} // namespace CliTool
