// The command-line tool's commands, on the same library as the program: dump, stats, convert.
#pragma once

#include "record/entries.h"

#include <QString>
#include <QStringList>

class QTextStream;

namespace CliTool {

// Exit codes, distinct per failure so that scripts can tell them apart.
enum ExitCode {
    Success = 0,
    UsageError = 1,
    UnreadableFile = 2,    // missing, not a file, or no permission
    UndecodableText = 3,   // the encoding is unknown or the bytes are not valid in it
    NoContacts = 4,        // the file holds no contact
    WriteFailed = 5,       // the output could not be written
};

// Runs a command line (without the program name); output and errors go to the streams. With
// keep, the contacts read are handed over instead of freed: a process about to exit leaves them to
// the system, which for a hundred thousand contacts saves a fifth of the run.
int run(const QStringList &arguments, QTextStream &out, QTextStream &err, ContainerTable *keep = nullptr);

QString helpText();

// Reads FILE as the program imports it (CSV by its extension, anything else as vCard). On failure
// says why on err and returns the exit code; Success with at least one contact otherwise.
int importContacts(const QString &path, QTextStream &err, ContactList &contacts);

} // namespace CliTool
