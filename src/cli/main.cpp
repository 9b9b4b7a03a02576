// pellory2-cli: reading, dumping and converting contact files from scripts.
#include "cli/clitool.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>
#include <cstdlib>
#include <memory>

int main(int argc, char *argv[])
{
    // Read before the application starts: a GUI application takes options such as --style.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    // Printing lays out text and needs fonts, which a GUI application provides; without a display
    // it runs offscreen.
    const bool printing = argc > 1 && qstrcmp(argv[1], "print") == 0;
    if (printing && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::unique_ptr<QCoreApplication> application(printing ? new QGuiApplication(argc, argv)
                                                           : new QCoreApplication(argc, argv));
    QCoreApplication::setApplicationName(QStringLiteral("pellory2-cli"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    ContainerTable contacts;
    const int code = CliTool::run(arguments, out, err, &contacts);
    out.flush();
    err.flush();
    std::fflush(stdout);
    std::fflush(stderr);
    // Nothing is left to write: the system takes back the contacts' memory faster than freeing
    // them one by one would.
    std::_Exit(code);
}
