#include "window/printcontroller.h"

#include "platform/userdefaults.h"
#include "print/printview.h"
#include "table/contactsviewcontroller.h"
#include "window/printoptionspanel.h"

#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace {

void renderTo(QPrinter &printer, const SubContactRows &rows, const QVariantMap &options, bool printing)
{
    PrintView view(rows, options, PrintController::pageGeometry(printer));
    view.setPrinting(printing);
    view.render(printer);
}

} // namespace

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
    dialog->setOptionTabs({ panel });
    dialog->setWindowModality(Qt::WindowModal);
    connect(panel, &PrintOptionsPanel::previewRequested, dialog,
            [this, printer, rows, panel] { preview(*printer, rows, panel->printOptions()); });
    connect(dialog, &QDialog::accepted, this,
            [printer, rows, panel] { renderTo(*printer, rows, panel->printOptions(), true); });
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
    connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [rows, options](QPrinter *target) {
        setUpPrinter(*target);
        renderTo(*target, rows, options, false);
    });
    dialog.exec();
}
