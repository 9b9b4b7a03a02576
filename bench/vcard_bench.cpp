// Times reading a vCard file into records and writing them back as vCard 3.0:
//   vcard_bench FILE [--text] [--no-progress]
// --text reads through the UTF-16 text path (as for files in other encodings) instead of bytes.
#include "formats/qvvcard.h"
#include "record/qvperson.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>

namespace {

double peakMiB()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

// User and system CPU time of the process so far, which stays meaningful on a busy machine.
double cpuSeconds()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval &t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void report(const char *step, qint64 ms, double cpu, qsizetype contacts, qsizetype bytes)
{
    const double seconds = std::max<double>(ms, 1) / 1000.0;
    std::printf("%-6s %8.3f s wall  %7.3f s cpu  %10.0f contacts/s  %7.1f MB/s  peak %.0f MiB\n", step,
                seconds, cpu, double(contacts) / seconds, double(bytes) / 1e6 / seconds, peakMiB());
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: vcard_bench FILE [--text] [--no-progress]\n");
        return 2;
    }
    QFile file(args.at(1));
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot open %s\n", qPrintable(args.at(1)));
        return 1;
    }
    const QByteArray bytes = file.readAll();
    QVPerson::ensureClassInitialized();

    const bool viaText = args.contains(QStringLiteral("--text"));
    auto read = [&](const QVvCard::ProgressHandler &progress, VCardReadStatistics *stats) {
        return viaText ? QVvCard::containersFromVCards(QString::fromUtf8(bytes), progress, stats)
                       : QVvCard::containersFromVCardData(bytes, progress, stats);
    };

    // As a window reads: the position goes to the progress alert and a cancel flag is checked
    // after every card. --no-progress reads without, to tell what progress costs (compare runs of
    // separate processes: in one process the second read finds the heap warm).
    const bool withProgress = !args.contains(QStringLiteral("--no-progress"));
    std::atomic<qsizetype> position { 0 };
    std::atomic<bool> cancelled { false };
    qsizetype progressCalls = 0;
    auto progress = [&](bool *stop, qsizetype at) {
        ++progressCalls;
        position.store(at, std::memory_order_relaxed);
        *stop = cancelled.load(std::memory_order_relaxed);
    };
    VCardReadStatistics stats;
    QElapsedTimer timer;
    timer.start();
    double cpu = cpuSeconds();
    const std::optional<ContainerTable> table
        = read(withProgress ? QVvCard::ProgressHandler(progress) : QVvCard::ProgressHandler(), &stats);
    const qint64 readMs = timer.elapsed();
    if (!table)
        return 1;
    const ContactList contacts = *QVvCard::contactsInContainer(table->first());
    report(withProgress ? "read+p" : "read", readMs, cpuSeconds() - cpu, contacts.size(), bytes.size());

    timer.restart();
    cpu = cpuSeconds();
    QVPerson::setClassCustomItems(QVvCard::customItemDefinitions(contacts));
    const QByteArray out = QVvCard::vCardDataFromContacts(
                               contacts, { VCardOption::Photo, VCardOption::Note, VCardOption::Custom,
                                           VCardOption::Categories },
                               table->first())
                               .value_or(QByteArray());
    const qint64 writeMs = timer.elapsed();
    report("write", writeMs, cpuSeconds() - cpu, contacts.size(), out.size());
    std::printf("cards %lld, skipped %lld, kept verbatim %lld, progress calls %lld, read+write %.3f s\n",
                qlonglong(stats.cards), qlonglong(stats.skippedCards), qlonglong(stats.keptVerbatim),
                qlonglong(progressCalls), double(readMs + writeMs) / 1000.0);
    // The records are left to the system, as the command-line tool does.
    std::fflush(stdout);
    std::_Exit(0);
    return 0;
}
