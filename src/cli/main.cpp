// pellory2-cli: reading, dumping and converting contact files from scripts.
#include "cli/clitool.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("pellory2-cli"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    ContainerTable contacts;
    const int code = CliTool::run(app.arguments().mid(1), out, err, &contacts);
    out.flush();
    err.flush();
    std::fflush(stdout);
    std::fflush(stderr);
    // Nothing is left to write: the system takes back the contacts' memory faster than freeing
    // them one by one would.
    std::_Exit(code);
}
