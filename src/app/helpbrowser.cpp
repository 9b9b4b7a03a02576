#include "app/helpbrowser.h"

#include "window/edition.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QLocale>
#include <QPointer>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace HelpBrowser {
namespace {

QString resourceFor(Page page)
{
    const QString base = page == Page::Help ? QStringLiteral("help") : QStringLiteral("privacy");
    const QStringList languages = QLocale::system().uiLanguages();
    const bool japanese = !languages.isEmpty() && languages.first().startsWith(QLatin1String("ja"));
    const QString localized = QStringLiteral(":/help/%1_ja.html").arg(base);
    if (japanese && QFile::exists(localized))
        return localized;
    return QStringLiteral(":/help/%1.html").arg(base);
}

} // namespace

void show(Page page, QWidget *parent)
{
    static QPointer<QDialog> windows[2];
    QPointer<QDialog> &window = windows[page == Page::Help ? 0 : 1];
    if (!window) {
        window = new QDialog(parent);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->resize(640, 560);
        auto *browser = new QTextBrowser(window);
        browser->setOpenExternalLinks(true);
        QFile file(resourceFor(page));
        if (file.open(QIODevice::ReadOnly)) {
            QString html = QString::fromUtf8(file.readAll());
            html.replace(QStringLiteral("%EDITION%"), Editions::displayName(Editions::current()));
            browser->setHtml(html);
        }
        window->setWindowTitle(browser->documentTitle());
        auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, window);
        QObject::connect(buttons, &QDialogButtonBox::rejected, window, &QDialog::close);
        auto *layout = new QVBoxLayout(window);
        layout->addWidget(browser);
        layout->addWidget(buttons);
    }
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace HelpBrowser
