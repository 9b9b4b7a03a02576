#include "app/appdelegate.h"

#include "app/aboutpanel.h"
#include "app/helpbrowser.h"
#include "document/document.h"
#include "document/documentcontroller.h"
#include "platform/encodings.h"
#include "platform/workspace.h"
#include "record/addressformatfile.h"
#include "record/qvperson.h"
#include "window/edition.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QUrl>
#include <QUrlQuery>

namespace {
AppDelegate *g_instance = nullptr;
} // namespace

AppDelegate::AppDelegate(QObject *parent)
    : QObject(parent)
{
    g_instance = this;
}

AppDelegate *AppDelegate::instance()
{
    return g_instance;
}

void AppDelegate::applicationDidFinishLaunching(const QStringList &files)
{
    // The user's own address formats replace the bundled ones, entry by entry.
    QVPerson::ensureClassInitialized();
    const AddressFormatFile::Result user = AddressFormatFile::read(AddressFormatFile::userFilePath());
    if (user.status == AddressFormatFile::Status::Ok) {
        QVPerson::setAddressFormatTable(user.entries);
    } else if (user.status == AddressFormatFile::Status::Invalid) {
        QMessageBox box(QMessageBox::Warning, QApplication::applicationDisplayName(),
                        tr("Cannot read AddressFormat.json."), QMessageBox::Ok);
        box.setInformativeText(tr("Please make sure the format is valid."));
        box.exec();
    }

    DocumentController &controller = DocumentController::shared();
    bool opened = false;
    for (const QString &path : files)
        opened |= controller.openDocumentWithContentsOfFile(path, Encodings::Automatic) != nullptr;
    if (!opened)
        controller.newDocument();
}

void AppDelegate::populateHelpMenu(QMenu *menu, QWidget *window)
{
    const QString name = Editions::displayName(Editions::current());
    const QStringList titles = {
        Editions::current() == Edition::Brisklet ? tr("Brisklet Help via Web") : tr("%1 Help").arg(name),
        tr("Feedback via Email…"),
        tr("Privacy Policy…"),
    };
    for (const QString &title : titles) {
        QAction *action = menu->addAction(title);
        if (title == titles.first())
            action->setShortcut(QKeySequence::HelpContents);
        connect(action, &QAction::triggered, this, [this, title, window] { menuItemSelectedInHelpMenu(title, window); });
    }
    menu->addSeparator();
    QAction *about = menu->addAction(tr("About %1").arg(name));
    about->setMenuRole(QAction::AboutRole);
    connect(about, &QAction::triggered, this, [this, window] { showAboutPanel(window); });
}

void AppDelegate::menuItemSelectedInHelpMenu(const QString &title, QWidget *window)
{
    const QString name = Editions::displayName(Editions::current());
    if (title == tr("Feedback via Email…")) {
        QUrl url(QStringLiteral("mailto:"));
        QUrlQuery query;
        query.addQueryItem(QStringLiteral("subject"), tr("Feedback of %1").arg(name));
        url.setQuery(query);
        Workspace::openUrl(url);
        return;
    }
    if (title == tr("Privacy Policy…")) {
        HelpBrowser::show(HelpBrowser::Page::Privacy, window);
        return;
    }
    HelpBrowser::show(HelpBrowser::Page::Help, window);
}

void AppDelegate::showAboutPanel(QWidget *parent)
{
    AboutPanel panel(parent);
    panel.exec();
}
