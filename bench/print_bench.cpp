// Printing a whole file to PDF in each style: reading excluded, page counting and drawing timed.
// Usage: print_bench FILE [--style NAME] [--options-font-size N]
#include "document/contactfiles.h"
#include "print/keys.h"
#include "print/printoptions.h"
#include "print/printview.h"
#include "record/keys.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextStream>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Read before the application starts, which would take --style for itself.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    if (arguments.size() < 2) {
        out << "usage: print_bench FILE [--style NAME]\n";
        return 1;
    }
    QString style = PrintStyle::AddressList;
    const qsizetype styleAt = arguments.indexOf(QStringLiteral("--style"));
    if (styleAt > 0 && styleAt + 1 < arguments.size())
        style = arguments.at(styleAt + 1);
    const ImportedContacts read = ContactImport::readVCardFile(arguments.at(1), 0);
    SubContactRows rows;
    for (const ContactEntry &entry : read.contacts)
        rows.append(SubContactRow::fromEntry(entry));

    QVariantMap options = PrintOptions::createPrintOptions();
    options.insert(PrintKey::PrintStyle, style);
    // Every field printed, the heaviest address list.
    QVariantMap list = PrintOptions::styleOptions(options, PrintStyle::AddressList);
    list.insert(StyleKey::ItemTable,
                PrintOptions::itemTableForColumns(
                    PrintOptions::defaultItemTable(),
                    { FieldId::Address, FieldId::Email, FieldId::Phone, FieldId::Company, FieldId::Note }));
    options.insert(PrintKey::AddressListOptions, list);

    QElapsedTimer timer;
    timer.start();
    const QSizeF paper = QPageSize(QPageSize::A4).size(QPageSize::Point);
    PrintView view(rows, options, PageGeometry::fullPage(paper));
    const int pages = view.pageCount();
    const qint64 counted = timer.elapsed();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setResolution(72);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    const bool ok = view.render(pdf);
    out << style << ": " << rows.size() << " contacts, " << pages << " pages, counted in " << counted
        << " ms, counted and drawn in " << timer.elapsed() << " ms, " << buffer.size() / 1024 << " KiB"
        << (ok ? "" : " (failed)") << '\n';
    return ok ? 0 : 1;
}
