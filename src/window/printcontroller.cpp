#include "window/printcontroller.h"

#include "platform/userdefaults.h"
#include "print/printview.h"
#include "record/qvperson.h"
#include "table/contactsviewcontroller.h"
#include "window/printoptionspanel.h"

#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

PrintController::PrintController(QWidget *window, ContactsViewController *table)
    : QObject(window)
    , m_window(window)
    , m_table(table)
{ }

void PrintController::setUpPrinter(QPrinter &printer)
{
    // Pages are laid out in points from the paper's corner; the printer's own limits come in as
    // the part of the page it can mark.
    printer.setResolution(72);
    printer.setFullPage(true);
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Point);
}

void PrintController::render(QPrinter &printer, const SubContactRows &rows, const QVariantMap &options,
                             bool printing) const
{
    PrintView view(rows, options, pageGeometry(printer));
    view.setPrinting(printing);
    if (m_sender)
        view.setSender(*m_sender);
    view.render(printer);
}

QString PrintController::senderName() const
{
    return m_sender && m_sender->person ? m_sender->person->compositeName() : QString();
}

PageGeometry PrintController::pageGeometry(const QPrinter &printer)
{
    QPageLayout layout = printer.pageLayout();
    layout.setUnits(QPageLayout::Point);
    const QRectF full = layout.fullRectPoints();
    PageGeometry page;
    page.paper = full.size();
    page.imageable = QRectF(QPointF(0, 0), full.size()).marginsRemoved(layout.minimumMargins());
    page.paperName = layout.pageSize().name();
    return page;
}

void PrintController::print()
{
    if (!m_table)
        return;
    const SubContactRows rows = m_table->selectedSubContacts();
    if (rows.isEmpty())
        return;
    auto *printer = new QPrinter(QPrinter::HighResolution);
    setUpPrinter(*printer);
    auto *dialog = new QPrintDialog(printer, m_window);
    const PageGeometry page = pageGeometry(*printer);
    auto *panel = new PrintOptionsPanel(UserDefaults::standard(), page.paper);
    panel->setPaper(page.paper, page.paperName);
    panel->setColumns(m_table->tableIdentfiers());
    panel->setSenderName(senderName());
    // The dialog keeps the window from changing its selection: the sender is the first row selected.
    connect(panel, &PrintOptionsPanel::senderRequested, panel, [this, panel, rows] {
        m_sender = rows.first();
        panel->setSenderName(senderName());
    });
    dialog->setOptionTabs({ panel });
    dialog->setWindowModality(Qt::WindowModal);
    connect(panel, &PrintOptionsPanel::previewRequested, dialog,
            [this, printer, rows, panel] { preview(*printer, rows, panel->printOptions()); });
    connect(dialog, &QDialog::accepted, this,
            [this, printer, rows, panel] { render(*printer, rows, panel->printOptions(), true); });
    connect(dialog, &QDialog::finished, this, [dialog, printer] {
        dialog->deleteLater();
        // The dialog goes first: it still refers to the printer until it is gone.
        QObject::connect(dialog, &QObject::destroyed, [printer] { delete printer; });
    });
    dialog->open();
}

void PrintController::preview(QPrinter &printer, const SubContactRows &rows, const QVariantMap &options)
{
    QPrintPreviewDialog dialog(&printer, m_window);
    connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [this, rows, options](QPrinter *target) {
        setUpPrinter(*target);
        render(*target, rows, options, false);
    });
    dialog.exec();
}
