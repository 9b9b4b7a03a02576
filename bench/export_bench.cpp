// Times Export to vCard of a whole document, as the window's command does it after the Save panel:
// picking the selected contacts out of the table, writing every card with photo, note, custom items
// and categories, and the atomic UTF-8 write.
//   export_bench FILE [OUT]
// OUT defaults to FILE with ".export.vcf" appended and is then removed; a named OUT is kept.
#include "document/contactfiles.h"
#include "formats/qvvcard.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: export_bench FILE [OUT]\n");
        return 2;
    }
    const QString out = args.size() > 2 ? args.at(2) : args.at(1) + QStringLiteral(".export.vcf");
    QFile file(args.at(1));
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(args.at(1)));
        return 1;
    }
    const std::optional<ContainerTable> containers = QVvCard::containersFromVCardData(file.readAll());
    if (!containers || containers->isEmpty())
        return 1;
    const ContactList contacts = *QVvCard::contactsInContainer(containers->first());

    QElapsedTimer timer;
    timer.start();
    const ContactList selected = ContactExport::contactsToWrite(contacts, contacts);
    const qint64 collected = timer.elapsed();
    int reports = 0;
    const std::optional<QByteArray> data = ContactExport::vCardData(
        selected, QVvCard::customItemDefinitions(selected), containers->first(), [&reports](double) {
            ++reports;
            return false;
        });
    const qint64 generated = timer.elapsed();
    const bool written = data && ContactExport::writeData(out, *data);
    const qint64 total = timer.elapsed();
    const qint64 bytes = QFile(out).size();
    // An output named on the command line is kept, to compare it with the input (pellory2-cli dump).
    if (args.size() <= 2)
        QFile::remove(out);
    if (!written)
        return 1;
    std::printf("contacts %lld  collect %lld ms  cards %lld ms  write %lld ms  total %lld ms  %.1f MB\n",
                static_cast<long long>(selected.size()), static_cast<long long>(collected),
                static_cast<long long>(generated - collected), static_cast<long long>(total - generated),
                static_cast<long long>(total), double(bytes) / 1e6);
    return 0;
}
