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
#include "benchsupport.h"
#include "platform/userdefaults.h"
#include "record/keys.h"
#include "table/contactstablemodel.h"
#include "table/contactsviewcontroller.h"
#include "table/keys.h"
#include "window/viewcontroller.h"
#include "window/windowcontroller.h"

#include <QApplication>
#include <QHeaderView>
#include <QTableView>
#include <functional>

namespace {

using BenchSupport::median;
using BenchSupport::timed;

constexpr int kStageWidth = 22;

void report(const char *stage, qint64 ms, qsizetype rows)
{
    BenchSupport::report(stage, ms, rows, kStageWidth);
}

} // namespace

int main(int argc, char **argv)
{
    const BenchSupport::Environment environment;
    QApplication app(argc, argv);
    const auto arguments = BenchSupport::parseArguments(app.arguments(), "document_bench FILE [--runs R]");
    if (!arguments)
        return 2;
    const int runs = arguments->runs;
    Document *document = BenchSupport::readDocument(arguments->path, kStageWidth);
    if (!document)
        return 1;

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
