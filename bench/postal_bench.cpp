// Times the Japanese postal-code lists: loading them (inflate, decode, compact and index) and
// looking codes up, whole, by prefix and falling through to the business list.
//   postal_bench [--runs N]
#include "postal/postalcodes.h"
#include "postal/zipdatabase.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <algorithm>
#include <cstdio>
#include <random>
#include <sys/resource.h>

namespace {

double cpuSeconds()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval &t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Every postal code of a list in its compact form.
QStringList codesOf(const QString &list, bool business)
{
    static const QRegularExpression areaCode(QStringLiteral("^K,\"(\\d{7})\""),
                                             QRegularExpression::MultilineOption);
    static const QRegularExpression businessCode(QStringLiteral("\"(\\d{7})\",$"),
                                                 QRegularExpression::MultilineOption);
    QStringList codes;
    auto it = (business ? businessCode : areaCode).globalMatch(list);
    while (it.hasNext())
        codes.append(it.next().captured(1));
    return codes;
}

// Looks each code up and prints the median, 99th percentile and worst time of one lookup.
void timeLookups(const char *what, const QStringList &codes, const ZipDatabase &db)
{
    if (codes.isEmpty())
        return;
    std::vector<qint64> times;
    qsizetype found = 0;
    for (const QString &code : codes) {
        QElapsedTimer one;
        one.start();
        found += PostalCodes::addressesFromZip(code, db).size();
        times.push_back(one.nsecsElapsed());
    }
    std::sort(times.begin(), times.end());
    const auto us = [&times](double quantile) {
        const size_t at = std::min(times.size() - 1, size_t(quantile * double(times.size())));
        return double(times.at(at)) / 1e3;
    };
    std::printf("lookup %-26s %6lld codes  median %7.1f us  99%% %8.1f us  worst %8.1f us  %lld places\n",
                what, static_cast<long long>(codes.size()), us(0.5), us(0.99), us(1.0),
                static_cast<long long>(found));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    int runs = 5;
    const QStringList args = app.arguments();
    const qsizetype runsAt = args.indexOf(QStringLiteral("--runs"));
    if (runsAt > 0 && runsAt + 1 < args.size())
        runs = std::max(1, args.at(runsAt + 1).toInt());

    QList<double> loads;
    ZipDatabase db;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        const double cpu = cpuSeconds();
        timer.start();
        db = ZipDatabase::load(ZipDatabase::shippedSources());
        const double ms = double(timer.nsecsElapsed()) / 1e6;
        loads.append(ms);
        std::printf("load   run %d  %8.1f ms wall  %8.1f ms cpu\n", run + 1, ms, (cpuSeconds() - cpu) * 1e3);
    }
    std::sort(loads.begin(), loads.end());
    std::printf("load   median %8.1f ms  (%lld lists, %lld + %lld characters)\n", loads.at(loads.size() / 2),
                static_cast<long long>(db.lists().size()), static_cast<long long>(db.lists().value(0).size()),
                static_cast<long long>(db.lists().value(1).size()));
    if (db.lists().size() != 2) {
        std::fprintf(stderr, "postal_bench: %s\n", qPrintable(db.problems().join(u' ')));
        return 1;
    }

    std::mt19937 random(20);
    QStringList areas = codesOf(db.lists().at(0), false);
    QStringList businesses = codesOf(db.lists().at(1), true);
    std::shuffle(areas.begin(), areas.end(), random);
    std::shuffle(businesses.begin(), businesses.end(), random);
    areas = areas.mid(0, 20000);
    businesses = businesses.mid(0, 5000);
    QStringList hyphenated, prefixes, missing;
    for (const QString &code : std::as_const(areas)) {
        hyphenated.append(PostalCodes::formatZIP(code));
        if (prefixes.size() < 2000)
            prefixes.append(code.left(3));
        if (missing.size() < 2000)
            missing.append(code.left(5) + QStringLiteral("99"));
    }
    timeLookups("area code", areas, db);
    timeLookups("area code with hyphen", hyphenated, db);
    timeLookups("business code (both lists)", businesses, db);
    timeLookups("3-digit prefix", prefixes, db);
    timeLookups("five digits and 99", missing, db);
    return 0;
}
