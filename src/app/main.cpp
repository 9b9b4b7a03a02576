// Program start: the edition comes from the name the program was started as (or --edition).
#include "app/appdelegate.h"
#include "app/translations.h"
#include "window/edition.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QIcon>
#include <QLocale>

int main(int argc, char *argv[])
{
    // The edition must be known before the application object names the settings folder.
    Edition edition = Editions::fromName(QFileInfo(QString::fromLocal8Bit(argv[0])).fileName());
    for (int i = 1; i + 1 < argc; ++i) {
        if (qstrcmp(argv[i], "--edition") == 0)
            edition = Editions::fromName(QString::fromLocal8Bit(argv[i + 1]));
    }
    Editions::setCurrent(edition);

    QApplication app(argc, argv);
    QApplication::setApplicationName(Editions::displayName(edition));
    QApplication::setApplicationDisplayName(Editions::displayName(edition));
    QApplication::setApplicationVersion(QStringLiteral(PELLORY_VERSION));
    QApplication::setOrganizationName(QString());
    QApplication::setDesktopFileName(Editions::commandName(edition));
    QApplication::setWindowIcon(QIcon(Editions::iconPath(edition)));
    Translations::install(app, QLocale());

    QCommandLineParser parser;
    parser.setApplicationDescription(QApplication::translate("main", "Edit contacts in vCard and CSV files."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption({QStringLiteral("edition"),
                      QApplication::translate("main", "Start as the edition NAME (pellory2, brisklet, strandel2, ombrine2)."),
                      QStringLiteral("NAME")});
    parser.addPositionalArgument(QStringLiteral("files"), QApplication::translate("main", "vCard or CSV files to open."),
                                 QStringLiteral("[FILE...]"));
    parser.process(app);

    AppDelegate delegate;
    delegate.applicationDidFinishLaunching(parser.positionalArguments());
    return app.exec();
}
