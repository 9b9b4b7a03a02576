// Times the window of the system address books as a user drives it:
//
//   store_bench FILE [--runs R]
//
// The cards of FILE (a vCard file, such as gencontacts writes) are split into one file each in a
// temporary vdir tree: address book "a-small" with the first card, "b-big" with every card. File >
// Open Address Book opens the tree (the small book's contacts are read, every book's groups);
// then a click on the big book's "All Contacts" in the sidebar reads its contacts and shows the
// table, painted. Each run opens a fresh window so that the click reads the store again; the
// figure is the median of R runs (default 3), with the files in the page cache.
#include "benchclicks.h"
#include "benchsupport.h"
#include "document/documentcontroller.h"
#include "platform/keys.h"
#include "platform/userdefaults.h"
#include "table/contactstablemodel.h"
#include "table/contactsviewcontroller.h"
#include "window/grouptreemodel.h"
#include "window/groupviewcontroller.h"
#include "window/viewcontroller.h"
#include "window/windowcontroller.h"

#include <QApplication>
#include <QDir>
#include <QPointer>
#include <QTableView>

namespace {

using BenchSupport::median;
using BenchSupport::timed;

constexpr int kStageWidth = 28;

// Writes each card of the file to a file of its own in the folder; answers how many.
qsizetype splitCards(const QByteArray &file, const QString &folder, qsizetype limit)
{
    QDir().mkpath(folder);
    qsizetype count = 0;
    qsizetype start = -1;
    qsizetype pos = 0;
    while (pos < file.size() && count < limit) {
        qsizetype end = file.indexOf('\n', pos);
        end = end < 0 ? file.size() : end + 1;
        const QByteArray line = file.sliced(pos, end - pos).trimmed().toUpper();
        if (line == "BEGIN:VCARD" && start < 0)
            start = pos;
        else if (line == "END:VCARD" && start >= 0) {
            QFile out(QDir(folder).filePath(QStringLiteral("%1.vcf").arg(count, 6, 10, QLatin1Char('0'))));
            if (!out.open(QIODevice::WriteOnly) || out.write(file.sliced(start, end - start)) < 0)
                return -1;
            ++count;
            start = -1;
        }
        pos = end;
    }
    return count;
}

} // namespace

int main(int argc, char **argv)
{
    const BenchSupport::Environment environment;
    QApplication app(argc, argv);
    const auto arguments = BenchSupport::parseArguments(app.arguments(), "store_bench FILE [--runs R]");
    if (!arguments)
        return 2;
    QFile input(arguments->path);
    if (!input.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(arguments->path));
        return 1;
    }
    const QByteArray cards = input.readAll();
    QTemporaryDir tree;
    const qsizetype small = splitCards(cards, tree.filePath(QStringLiteral("a-small")), 1);
    const qsizetype big = splitCards(cards, tree.filePath(QStringLiteral("b-big")), cards.size());
    if (small < 1 || big < 1) {
        std::fprintf(stderr, "no cards in %s\n", qPrintable(arguments->path));
        return 1;
    }
    std::printf("address book of %lld single-contact files\n", static_cast<long long>(big));
    UserDefaults::standard().setValue(DefaultsKey::ContactStoreRoot, tree.path());

    QList<qint64> opened;
    QList<qint64> selected;
    qsizetype rows = 0;
    for (int run = 0; run < arguments->runs; ++run) {
        Document *document = nullptr;
        opened.append(timed([&] { document = DocumentController::shared().openAddressBook(); }));
        if (!document)
            return 1;
        ViewController *content = document->mainViewController();
        ContactsViewController *table = content->contactsViewController();
        const GroupEntry all = content->containerTable().value(1)->groups.value(0);
        selected.append(timed([&] { BenchSupport::clickGroup(content->groupViewController(), all); },
                              table->tableView()));
        rows = table->model()->subContactCount();
        if (content->contactTable() != all->contactTable || rows != big) {
            std::fprintf(stderr, "the big book's table was not shown (%lld rows)\n",
                         static_cast<long long>(rows));
            return 1;
        }
        const QPointer<Document> closing(document);
        document->mainWindowController()->closeWithoutAsking();
        while (closing) {
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }
    BenchSupport::report("window opened", median(opened), small, kStageWidth);
    BenchSupport::report("group selected, table shown", median(selected), rows, kStageWidth);
    std::printf("peak memory: %.1f MiB\n", BenchSupport::peakMiB());
    return 0;
}
