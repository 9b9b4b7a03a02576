// Times phone-number normalisation of a whole document: every phone of every contact laid out
// anew through the undoable edit operations, as the window's normalise command does it, then
// undone.
//   phone_bench FILE [LAYOUT-TITLE]
// LAYOUT-TITLE defaults to "(12) 34 56 78 90". Prints the phones changed, the undo steps made and
// the times of the command and of its undo.
#include "editing/contacteditor.h"
#include "formats/qvvcard.h"
#include "phone/keys.h"
#include "phone/phonenumbercommand.h"
#include "platform/undomanager.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <cstdio>
#include <ctime>

namespace {

// CPU time of this thread in milliseconds: on a busy machine the wall clock also counts the time
// other processes had the processor.
qint64 threadCpuMs()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return qint64(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: phone_bench FILE [LAYOUT-TITLE]\n");
        return 2;
    }
    const QString title = args.size() > 2 ? args.at(2) : PhoneLayoutTitle::QuadTwo;
    const std::optional<PhoneLayout> layout = NormalizePhoneNumber::layoutForTitle(title);
    QFile file(args.at(1));
    if (!layout || !file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s or unknown layout %s\n", qPrintable(args.at(1)),
                     qPrintable(title));
        return 1;
    }
    const std::optional<ContainerTable> containers = QVvCard::containersFromVCardData(file.readAll());
    if (!containers || containers->isEmpty())
        return 1;
    UndoManager undo;
    ContactEditor editor(&undo);
    editor.setContainerTable(*containers);

    QElapsedTimer timer;
    timer.start();
    // One row per phone of every contact: the Phone view with everything selected.
    SubContactRows rows;
    for (const ContactEntry &entry : std::as_const(*editor.contactTable())) {
        const qsizetype phones = entry->person->storedLabeledValues(QVPerson::LabeledField::Phone).size();
        for (qsizetype i = 0; i < phones; ++i) {
            SubContactRow row = SubContactRow::fromEntry(entry);
            row.labelIndex = int(i);
            rows.append(row);
        }
    }
    const qint64 collected = timer.restart();
    qint64 cpu = threadCpuMs();
    const PhoneNumberCommand::Outcome outcome = PhoneNumberCommand::normalize(editor, rows, *layout, nullptr);
    const qint64 normalized = timer.restart();
    const qint64 normalizedCpu = threadCpuMs() - cpu;
    const int steps = undo.undoCount();
    cpu = threadCpuMs();
    editor.undo();
    const qint64 undone = timer.elapsed();
    const qint64 undoneCpu = threadCpuMs() - cpu;
    std::printf("contacts %lld  phones %lld  changed %lld  kept %lld  undo steps %d  rows %lld ms\n"
                "normalise %lld ms (cpu %lld ms)  undo %lld ms (cpu %lld ms)\n",
                static_cast<long long>(editor.contactTable()->size()), static_cast<long long>(rows.size()),
                static_cast<long long>(outcome.changed), static_cast<long long>(outcome.kept), steps,
                static_cast<long long>(collected), static_cast<long long>(normalized),
                static_cast<long long>(normalizedCpu), static_cast<long long>(undone),
                static_cast<long long>(undoneCpu));
    return steps == 1 || outcome.changed == 0 ? 0 : 1;
}
