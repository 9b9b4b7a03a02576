// The window's commands on phone numbers and QR codes: "Show QRCode" for the selected row's
// contact, and the normalise menu whose six items lay out the selected rows' phone numbers.
#pragma once

#include "window/qrcodepanelcontroller.h"

#include <QObject>
#include <QPointer>

class QAction;
class QMenu;
class QWidget;
class ViewController;

class PhoneQRCommands : public QObject
{
    Q_OBJECT

public:
    PhoneQRCommands(ViewController *content, QWidget *window);

    QAction *showQRCodeAction() const { return m_showQRCodeAction; }
    QMenu *normalizeMenu() const { return m_normalizeMenu; }
    // The panel, once it was opened.
    QRCodePanelController *qrCodePanel() const { return m_qrCodePanel; }

    // The QR panel for the first selected row; nothing without a selection.
    void showQRCode();
    // Lays out the selected rows' phone numbers in the layout the title names, as one undo step.
    // Answers how many numbers changed.
    qsizetype normalizePhoneNumbers(const QString &title);
    // QR codes need a selected row; normalising needs the Phone column and an unlocked window.
    void validate();

private:
    ViewController *m_content;
    QWidget *m_window;
    QAction *m_showQRCodeAction;
    QMenu *m_normalizeMenu;
    QPointer<QRCodePanelController> m_qrCodePanel;
};
