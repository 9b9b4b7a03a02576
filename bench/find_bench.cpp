// Times find and replace in a document window at document scale:
//
//   find_bench FILE [--term TEXT] [--runs R]
//
// FILE is read through Document and its window made (offscreen unless QT_QPA_PLATFORM says
// otherwise), showing the Name, Company, Job Title, Phone and E-mail columns. Then, through the
// window's find controller as the find bar drives it: Find Next for a string found nowhere (the
// whole table searched twice, as the wrap-around does), the find panel listing every item that
// holds TEXT (default "Manager"), Replace All of TEXT as one undo step, and its Undo. Each of the
// first two is the median of R runs (default 3). Undo is checked to give back the same file.
// Preferences go to a temporary folder.
#include "document/document.h"
#include "document/documentcontroller.h"
#include "find/keys.h"
#include "find/searchengine.h"
#include "platform/encodings.h"
#include "platform/undomanager.h"
#include "platform/userdefaults.h"
#include "record/keys.h"
#include "table/contactstablemodel.h"
#include "table/contactsviewcontroller.h"
#include "table/keys.h"
#include "window/findbarcontroller.h"
#include "window/findcontroller.h"
#include "window/findpanel.h"
#include "window/findresultmodel.h"
#include "window/viewcontroller.h"
#include "window/windowcontroller.h"

#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <sys/resource.h>

namespace {

// Processor time of the whole process (every thread), in ms: on a busy machine the wall clock
// also counts the time other programs had the processor.
qint64 cpuMs()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return qint64(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000
        + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000;
}

qint64 g_lastCpu = 0;

qint64 timed(const std::function<void()> &step)
{
    // What earlier steps left to do (animations, repaints) is not this step's time.
    QCoreApplication::processEvents();
    QElapsedTimer timer;
    const qint64 cpu = cpuMs();
    timer.start();
    step();
    QCoreApplication::processEvents();
    g_lastCpu = cpuMs() - cpu;
    return timer.elapsed();
}

qint64 median(QList<qint64> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values.at(values.size() / 2);
}

void report(const char *stage, qint64 ms, qsizetype count, const char *what, qint64 limit)
{
    std::printf("%-24s %6lld ms (cpu %6lld ms) %7lld %-5s limit %lld ms%s\n", stage,
                static_cast<long long>(ms), static_cast<long long>(g_lastCpu), static_cast<long long>(count),
                what, static_cast<long long>(limit), ms > limit ? "  SLOW" : "");
    std::fflush(stdout);
}

QByteArray fileHash(ViewController *content)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    content->writeVCardDataOfDocument(buffer);
    return QCryptographicHash::hash(buffer.data(), QCryptographicHash::Sha256);
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
        std::fprintf(stderr, "usage: find_bench FILE [--term TEXT] [--runs R]\n");
        return 2;
    }
    const QString path = args.at(1);
    const qsizetype termAt = args.indexOf(QStringLiteral("--term"));
    const QString term
        = termAt > 0 && termAt + 1 < args.size() ? args.at(termAt + 1) : QStringLiteral("Manager");
    const qsizetype runsAt = args.indexOf(QStringLiteral("--runs"));
    const int runs = runsAt > 0 && runsAt + 1 < args.size() ? std::max(1, args.at(runsAt + 1).toInt()) : 3;

    auto *document = new Document;
    DocumentError error;
    if (!document->readFromFile(path, DocumentController::typeForFile(path), Encodings::Automatic, &error)) {
        std::fprintf(stderr, "cannot read %s: %s\n", qPrintable(path), qPrintable(error.description));
        return 1;
    }
    document->makeWindowControllers();
    ViewController *content = document->mainViewController();
    ContactsViewController *table = content->contactsViewController();
    QVariantMap viewTypes = UserDefaults::standard().dictionaryValue(DefaultsKey::ViewTypeDict);
    viewTypes.insert(
        ViewTypeName::Other,
        QStringList { FieldId::Name, FieldId::Company, FieldId::JobTitle, FieldId::Phone, FieldId::Email });
    UserDefaults::standard().setValue(DefaultsKey::ViewTypeDict, viewTypes);
    content->setSelectedViewType(ViewTypeName::Other);
    content->setEditState(true);
    QCoreApplication::processEvents();
    const qsizetype rows = table->model()->subContactCount();
    FindController *find = content->findController();
    FindBarController *bar = content->findBar();
    find->showFindBar(true);

    // Nothing found: every row and column is looked through twice, and the hit stays.
    const QString nowhere = QStringLiteral("qzxq-nowhere");
    QList<qint64> misses;
    for (int i = 0; i < runs; ++i) {
        table->selectRows({ 0 });
        misses.append(timed([&] { find->findStringDidChange(nowhere); }));
    }
    report("find next, no match", median(misses), rows, "rows", 100);
    QList<qint64> nexts;
    for (int i = 0; i < runs; ++i)
        nexts.append(timed([&] { find->findBarButtonDidPress(FindBarCommand::Next); }));
    report("find next again", median(nexts), rows, "rows", 100);

    // The search alone, without the views.
    SearchEngine engine;
    engine.setFindString(nowhere);
    const qint64 engineOnly = timed([&] {
        engine.findInTable(table->subContactTable(), table->tableIdentfiers(),
                           SearchEngine::Direction::Forward);
    });
    report("search engine, no match", engineOnly, rows, "rows", 100);
    if (qEnvironmentVariableIsSet("FIND_BENCH_PROFILE")) {
        for (int i = 0; i < 60; ++i)
            engine.findInTable(table->subContactTable(), table->tableIdentfiers(),
                               SearchEngine::Direction::Forward);
        return 0;
    }

    // The panel over the shown columns.
    qsizetype hits = 0;
    QList<qint64> listings;
    for (int i = 0; i < runs; ++i) {
        FindPanel panel(content);
        panel.searchField()->setText(term);
        listings.append(timed([&] { panel.updateTable(); }));
        hits = panel.results()->rowCount();
    }
    report("find panel lists", median(listings), hits, "hits", 500);

    // Replace All and its Undo, each one step. Items holding the term exactly are counted
    // before and after: Replace All replaces the case it was given.
    const auto exactItems = [&] {
        FindPanel panel(content);
        panel.searchModePopup()->setCurrentIndex(1);
        panel.searchField()->setText(term);
        panel.updateTable();
        return panel.results()->rowCount();
    };
    const qsizetype exactBefore = exactItems();
    const QByteArray before = fileHash(content);
    bar->searchField()->setText(term);
    find->findStringDidChange(term);
    bar->replaceStringField()->setText(QStringLiteral("#"));
    UndoManager *undo = content->editor()->undoManager();
    const qint64 replacing = timed([&] { find->findBarButtonDidPress(FindBarCommand::ReplaceAll); });
    report("replace all", replacing, exactBefore - exactItems(), "items", 2000);
    const bool oneStep = undo->canUndo();
    const qint64 undoing = timed([&] { content->undo(); });
    report("undo replace all", undoing, hits, "items", 2000);
    const bool restored = fileHash(content) == before;
    std::printf("undo restores the file: %s; one undo step: %s\n", restored ? "yes" : "NO",
                oneStep && !undo->canUndo() ? "yes" : "NO");

    document->mainWindowController()->closeWithoutAsking();
    QCoreApplication::processEvents();
    return restored ? 0 : 1;
}
