// pellory2-cli: reading, dumping and converting contact files from scripts.
#include "cli/clitool.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("pellory2-cli"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int code = CliTool::run(app.arguments().mid(1), out, err);
    out.flush();
    err.flush();
    return code;
}
