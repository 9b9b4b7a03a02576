// The preferences window: the settings that have no place in the document window itself.
#pragma once

#include <QDialog>

class QLineEdit;
class UserDefaults;

class PreferencesPanel : public QDialog
{
    Q_OBJECT

public:
    PreferencesPanel(UserDefaults &defaults, QWidget *parent = nullptr);

    // Opens the panel on the standard preferences, window-modal, and stores what OK accepts.
    static void run(QWidget *parent);

    QLineEdit *contactStoreRootField() const { return m_rootField; }
    // Stores the fields; an empty root field means the default folder.
    void apply();

private:
    void chooseRoot();

    UserDefaults &m_defaults;
    QLineEdit *m_rootField;
};
