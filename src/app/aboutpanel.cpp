#include "app/aboutpanel.h"

#include "app/helpbrowser.h"
#include "window/edition.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

AboutPanel::AboutPanel(QWidget *parent)
    : QDialog(parent)
{
    const Edition edition = Editions::current();
    setWindowTitle(tr("About %1").arg(Editions::displayName(edition)));
    auto *icon = new QLabel(this);
    icon->setPixmap(QPixmap(Editions::iconPath(edition)).scaled(128, 128, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    icon->setAlignment(Qt::AlignCenter);
    auto *name = new QLabel(QStringLiteral("<h2>%1</h2>").arg(Editions::displayName(edition).toHtmlEscaped()), this);
    name->setAlignment(Qt::AlignCenter);
    auto *version = new QLabel(tr("Version %1 (%2)").arg(QApplication::applicationVersion(), QStringLiteral(PELLORY_BUILD_NUMBER)), this);
    version->setAlignment(Qt::AlignCenter);
    auto *summary = new QLabel(tr("A contact editor for vCard and CSV files."), this);
    summary->setAlignment(Qt::AlignCenter);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    QPushButton *help = buttons->addButton(tr("Help Page"), QDialogButtonBox::HelpRole);
    connect(help, &QPushButton::clicked, this, [this] { HelpBrowser::show(HelpBrowser::Page::Help, this); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(icon);
    layout->addWidget(name);
    layout->addWidget(version);
    layout->addWidget(summary);
    layout->addWidget(buttons);
}
