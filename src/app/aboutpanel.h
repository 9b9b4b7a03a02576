// The About panel: the edition's name, icon and version, and a link to the bundled help.
#pragma once

#include <QDialog>

class AboutPanel : public QDialog
{
    Q_OBJECT

public:
    explicit AboutPanel(QWidget *parent = nullptr);
};
