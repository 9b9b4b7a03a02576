// Times opening a contact file as the program does and working with its window's table:
//
//   document_bench FILE [--runs R]
//
// FILE is read through Document (the text is parsed on a worker thread behind the progress alert,
// which stays up at least one second), the document window is made and its table painted, then
// the table is reloaded (rows rebuilt and sorted) and sorted by the name, phone and e-mail columns
// through the header, as a click does. Each stage after the read is the median of R runs
// (default 3). Runs offscreen unless QT_QPA_PLATFORM says otherwise. Preferences go to a temporary
// folder.
#include "document/document.h"
#include "document/documentcontroller.h"
#include "platform/encodings.h"
#include "platform/userdefaults.h"
#include "record/keys.h"
#include "table/contactstablemodel.h"
#include "table/contactsviewcontroller.h"
#include "table/keys.h"
#include "window/viewcontroller.h"
#include "window/windowcontroller.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QHeaderView>
#include <QTableView>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <sys/resource.h>

namespace {

double peakMiB()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

// Runs a step and lets the window paint what it changed.
qint64 timed(const std::function<void()> &step, QTableView *view = nullptr)
{
    QElapsedTimer timer;
    timer.start();
    step();
    if (view)
        view->viewport()->repaint();
    QCoreApplication::processEvents();
    return timer.elapsed();
}

qint64 median(QList<qint64> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values.at(values.size() / 2);
}

void report(const char *stage, qint64 ms, qsizetype rows)
{
    std::printf("%-22s %8lld ms  %8lld rows  peak %.0f MiB\n", stage, static_cast<long long>(ms),
                static_cast<long long>(rows), peakMiB());
    std::fflush(stdout);
}

} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: document_bench FILE [--runs R]\n");
        return 2;
    }
    const QString path = args.at(1);
    const qsizetype runsAt = args.indexOf(QStringLiteral("--runs"));
    const int runs = runsAt > 0 && runsAt + 1 < args.size() ? std::max(1, args.at(runsAt + 1).toInt()) : 3;

    auto *document = new Document;
    DocumentError error;
    bool read = false;
    const qint64 reading = timed([&] {
        read = document->readFromFile(path, DocumentController::typeForFile(path), Encodings::Automatic,
                                      &error);
    });
    report("read", reading, 0);
    if (!read) {
        std::fprintf(
            stderr, "cannot read %s: %s\n", qPrintable(path),
            qPrintable(error.recoverySuggestion.isEmpty() ? error.description : error.recoverySuggestion));
        return 1;
    }

    QTableView *view = nullptr;
    ContactsViewController *table = nullptr;
    const qint64 shown = timed([&] {
        document->makeWindowControllers();
        table = document->mainViewController()->contactsViewController();
        view = table->tableView();
        view->viewport()->repaint();
    });
    const auto rows = [&table] { return table->model()->subContactCount(); };
    report("first table shown", shown, rows());

    // The window as it opens (Name view type): rows rebuilt and sorted.
    QList<qint64> nameReloads;
    for (int i = 0; i < runs; ++i)
        nameReloads.append(timed([&] { table->updateTable(); }, view));
    report("reload, Name view", median(nameReloads), rows());

    // Name, phone and e-mail columns: one row per phone or e-mail position.
    ViewController *content = document->mainViewController();
    QVariantMap viewTypes = UserDefaults::standard().dictionaryValue(DefaultsKey::ViewTypeDict);
    viewTypes.insert(ViewTypeName::Other, QStringList { FieldId::Name, FieldId::Phone, FieldId::Email });
    UserDefaults::standard().setValue(DefaultsKey::ViewTypeDict, viewTypes);
    const qint64 columns = timed([&] { content->setSelectedViewType(ViewTypeName::Other); }, view);
    report("columns shown", columns, rows());

    QList<qint64> reloads;
    for (int i = 0; i < runs; ++i)
        reloads.append(timed([&] { table->updateTable(); }, view));
    report("reload, 3 columns", median(reloads), rows());

    // Each header click sorts anew (a second click on the same column flips the direction).
    QHeaderView *header = view->horizontalHeader();
    const QList<std::pair<const char *, QString>> sorts = { { "sort by name", FieldId::Name },
                                                            { "sort by phone", FieldId::Phone },
                                                            { "sort by email", FieldId::Email } };
    for (const auto &[stage, identifier] : sorts) {
        const int column = table->model()->columnOf(identifier);
        QList<qint64> times;
        for (int i = 0; i < runs; ++i)
            times.append(timed([&] { Q_EMIT header->sectionClicked(column); }, view));
        report(stage, median(times), rows());
    }

    document->mainWindowController()->closeWithoutAsking();
    QCoreApplication::processEvents();
    return 0;
}
