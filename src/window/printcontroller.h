// File › Print: the print dialog with the option tabs and a preview, for the selected rows.
#pragma once

#include "print/printlayout.h"

#include <QObject>
#include <QPointer>
#include <optional>

class ContactsViewController;
class QPrinter;
class QWidget;

class PrintController : public QObject
{
    Q_OBJECT

public:
    PrintController(QWidget *window, ContactsViewController *table);

    // Opens the print dialog on the window; nothing happens when no row is selected.
    void print();

    // The paper of a printer in points, with the part it can mark.
    static PageGeometry pageGeometry(const QPrinter &printer);
    // Prepares a printer for pages drawn in points from the paper's corner.
    static void setUpPrinter(QPrinter &printer);

private:
    void preview(QPrinter &printer, const SubContactRows &rows, const QVariantMap &options);
    void render(QPrinter &printer, const SubContactRows &rows, const QVariantMap &options,
                bool printing) const;
    QString senderName() const;

    QWidget *m_window;
    QPointer<ContactsViewController> m_table;
    // Printed on envelopes and postcards; kept while the window is open.
    std::optional<SubContactRow> m_sender;
};
