// Application start and the application-wide commands: the About panel and the Help menu.
#pragma once

#include <QObject>
#include <QStringList>

class QMenu;
class QWidget;

class AppDelegate : public QObject
{
    Q_OBJECT

public:
    explicit AppDelegate(QObject *parent = nullptr);

    // Merges the user's address-format file (alerting when it is malformed) and opens the files
    // given, or a new untitled document when there are none.
    void applicationDidFinishLaunching(const QStringList &files);

    // The Help menu's items, for every window's menu bar.
    void populateHelpMenu(QMenu *menu, QWidget *window);
    void showAboutPanel(QWidget *parent);

    static AppDelegate *instance();

private:
    void menuItemSelectedInHelpMenu(const QString &title, QWidget *window);
};
