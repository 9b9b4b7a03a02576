// Runs the command-line tool in this process and keeps its exit code and what it printed.
#pragma once

#include "cli/clitool.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

struct CliRun
{
    int code;
    QString out;
    QString err;
};

inline CliRun runCli(const QStringList &arguments)
{
    QString out, err;
    QTextStream outStream(&out), errStream(&err);
    const int code = CliTool::run(arguments, outStream, errStream);
    outStream.flush();
    errStream.flush();
    return { code, out, err };
}
