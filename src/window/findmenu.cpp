#include "window/findmenu.h"

#include "window/findcontroller.h"

#include <QCoreApplication>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

namespace FindMenu {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("FindMenu", text);
}

} // namespace

void addTo(QMenu *edit, FindController *find)
{
    using Action = FindController::Action;
    edit->addSeparator();
    QMenu *menu = edit->addMenu(tr("Find"));
    menu->addAction(tr("Find…"), QKeySequence(Qt::CTRL | Qt::Key_F), find,
                    [find] { find->performFindBarAction(Action::ToggleFindBar); });
    menu->addAction(tr("Find and Replace…"), QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_F), find,
                    [find] { find->performFindBarAction(Action::ToggleFindBar); });
    menu->addAction(tr("Find Next"), QKeySequence(Qt::CTRL | Qt::Key_G), find,
                    [find] { find->performFindBarAction(Action::FindNext); });
    menu->addAction(tr("Find Previous"), QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_G), find,
                    [find] { find->performFindBarAction(Action::FindPrevious); });
    menu->addAction(tr("Use Selection for Find"), QKeySequence(Qt::CTRL | Qt::Key_E), find,
                    [find] { find->performFindBarAction(Action::UseSelectionForFind); });
    menu->addSeparator();
    menu->addAction(tr("Find Panel…"), QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_F), find,
                    &FindController::showFindPanel);
    QAction *toggle
        = menu->addAction(tr("Show"), find, [find] { find->showFindBar(!find->isFindBarShown()); });
    toggle->setObjectName(QStringLiteral("findBarToggle"));
    auto retitle = [toggle, find] { toggle->setText(find->isFindBarShown() ? tr("Hide") : tr("Show")); };
    QObject::connect(menu, &QMenu::aboutToShow, toggle, retitle);
    QObject::connect(find, &FindController::findBarShownChanged, toggle, retitle);
}

void addToolBarButton(QToolBar *bar, FindController *find)
{
    auto *button = new QToolButton(bar);
    button->setObjectName(QStringLiteral("findBarButton"));
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setText(tr("Find"));
    QObject::connect(button, &QToolButton::clicked, find,
                     [find] { find->performFindBarAction(FindController::Action::ToggleFindBar); });
    QObject::connect(find, &FindController::findBarShownChanged, button,
                     [button](bool shown) { button->setText(shown ? tr("Hide") : tr("Find")); });
    bar->addWidget(button);
}

} // namespace FindMenu
