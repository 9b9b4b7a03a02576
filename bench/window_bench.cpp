// Times the document window as a user drives it, through its own widgets:
//
//   window_bench FILE [--runs R]
//
// FILE is read through Document; the window is made and shown and its table painted. Then, as
// clicks do: View Type changes (the window's own menu actions), a reload of the Name, Phone and
// E-mail view (as it is, and after one record changed), clicks on the Phone and Name headers, a
// switch to a group and back to "All Contacts", and scrolling the whole table, which must not
// rebuild rows. Every stage includes painting the table; stages after the first table are the
// median of R runs (default 3). Runs offscreen unless QT_QPA_PLATFORM says otherwise; preferences
// go to a temporary folder.
#include "benchclicks.h"
#include "benchsupport.h"
#include "platform/userdefaults.h"
#include "record/keys.h"
#include "table/contactstablemodel.h"
#include "table/contactsviewcontroller.h"
#include "table/keys.h"
#include "window/grouptreemodel.h"
#include "window/groupviewcontroller.h"
#include "window/viewcontroller.h"
#include "window/windowcontroller.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <functional>

namespace {

using BenchSupport::median;
using BenchSupport::timed;

constexpr int kStageWidth = 28;

void report(const char *stage, qint64 ms, qsizetype rows)
{
    BenchSupport::report(stage, ms, rows, kStageWidth);
}

// The window's own action for a view type (its View Type popup and menu hold one each).
QAction *viewTypeAction(WindowController *window, const QString &viewType)
{
    for (QAction *action : window->findChildren<QAction *>()) {
        if (action->isCheckable() && action->data().toString() == viewType)
            return action;
    }
    return nullptr;
}

void chooseViewType(WindowController *window, ViewController *content, const QString &viewType)
{
    if (QAction *action = viewTypeAction(window, viewType))
        action->trigger();
    else
        content->setSelectedViewType(viewType);
}

void clickHeader(QTableView *view, int column)
{
    QHeaderView *header = view->horizontalHeader();
    const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                    header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
}

} // namespace

int main(int argc, char **argv)
{
    const BenchSupport::Environment environment;
    QApplication app(argc, argv);
    const auto arguments = BenchSupport::parseArguments(app.arguments(), "window_bench FILE [--runs R]");
    if (!arguments)
        return 2;
    const int runs = arguments->runs;
    Document *document = BenchSupport::readDocument(arguments->path, kStageWidth);
    if (!document)
        return 1;

    WindowController *window = nullptr;
    ViewController *content = nullptr;
    ContactsViewController *table = nullptr;
    QTableView *view = nullptr;
    const qint64 shown = timed(
        [&] {
            document->makeWindowControllers();
            window = document->mainWindowController();
            content = document->mainViewController();
            table = content->contactsViewController();
            view = table->tableView();
        },
        nullptr);
    view->viewport()->repaint();
    report("table shown", shown, table->model()->subContactCount());
    const auto rows = [table] { return table->model()->subContactCount(); };
    auto stage = [&](const char *name, const std::function<void()> &step) {
        QList<qint64> times;
        for (int i = 0; i < runs; ++i)
            times.append(timed(step, view));
        report(name, median(times), rows());
    };

    // One change of view type each: the view type it comes from is chosen untimed before.
    auto switchStage = [&](const char *name, const QString &from, const QString &to) {
        QList<qint64> times;
        for (int i = 0; i < runs; ++i) {
            chooseViewType(window, content, from);
            view->viewport()->repaint();
            QCoreApplication::processEvents();
            times.append(timed([&] { chooseViewType(window, content, to); }, view));
        }
        report(name, median(times), rows());
    };
    switchStage("view type Phone", ViewTypeName::Name, ViewTypeName::Phone);
    switchStage("view type Name", ViewTypeName::Phone, ViewTypeName::Name);

    // Name, Phone and E-mail: one row per phone or e-mail position.
    QVariantMap viewTypes = UserDefaults::standard().dictionaryValue(DefaultsKey::ViewTypeDict);
    viewTypes.insert(ViewTypeName::Other, QStringList { FieldId::Name, FieldId::Phone, FieldId::Email });
    UserDefaults::standard().setValue(DefaultsKey::ViewTypeDict, viewTypes);
    report("view type Name+Phone+Email",
           timed([&] { chooseViewType(window, content, ViewTypeName::Other); }, view), rows());
    stage("reload", [&] { table->updateTable(); });
    // As after an edit: one record changed (its name, so that it sorts elsewhere), the rest kept.
    const ContactTable contacts = content->contactTable();
    int edits = 0;
    stage("reload after an edit", [&] {
        ++edits;
        const PersonPtr edited = contacts->at(qsizetype(edits) * 7919 % contacts->size())->person;
        edited->setNameValue(QStringLiteral("Edited%1").arg(edits), FieldId::FirstName);
        table->updateTable();
    });
    std::printf("kept for the next reload: %.1f MiB\n",
                double(table->model()->reloadMemory().bytesUsed()) / (1024.0 * 1024.0));

    // Each click sorts anew; a second click on the same column flips the direction.
    stage("click Phone header", [&] { clickHeader(view, table->model()->columnOf(FieldId::Phone)); });
    stage("click Name header", [&] { clickHeader(view, table->model()->columnOf(FieldId::Name)); });

    GroupViewController *groups = content->groupViewController();
    const ContainerTable containers = content->containerTable();
    const GroupEntry all = containers.isEmpty() ? GroupEntry() : containers.first()->groups.value(0);
    const GroupEntry other = containers.isEmpty() ? GroupEntry() : containers.first()->groups.value(1);
    if (groups && all && other) {
        QList<qint64> toGroup;
        QList<qint64> toAll;
        for (int i = 0; i < runs; ++i) {
            toGroup.append(timed([&] { BenchSupport::clickGroup(groups, other); }, view));
            toAll.append(timed([&] { BenchSupport::clickGroup(groups, all); }, view));
        }
        report(qPrintable(QStringLiteral("group \"%1\"").arg(other->name)), median(toGroup), 0);
        report("group \"All Contacts\"", median(toAll), rows());
    }

    // Scrolling shows rows already built: no model reset on the way down.
    int resets = 0;
    QObject::connect(table->model(), &QAbstractItemModel::modelReset, [&resets] { ++resets; });
    QScrollBar *bar = view->verticalScrollBar();
    constexpr int kScrollSteps = 50;
    QList<qint64> scrolls;
    for (int i = 1; i <= kScrollSteps; ++i)
        scrolls.append(timed([&] { bar->setValue(int(qint64(bar->maximum()) * i / kScrollSteps)); }, view));
    report("scroll one step", median(scrolls), rows());
    std::printf("rows rebuilt while scrolling: %d\n", resets);

    window->closeWithoutAsking();
    QCoreApplication::processEvents();
    return 0;
}
