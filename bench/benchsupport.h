// What the benchmarks that open a contact file in its window share: a private preferences folder,
// the offscreen platform, the command line, the read through Document, and stage timings that
// include painting the table.
#pragma once

#include "document/document.h"
#include "document/documentcontroller.h"
#include "platform/encodings.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QStringList>
#include <QTableView>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <optional>
#include <sys/resource.h>

namespace BenchSupport {

// Made before the application: preferences go to a temporary folder, so a run neither reads nor
// changes the user's, and windows stay offscreen unless QT_QPA_PLATFORM says otherwise.
class Environment
{
public:
    Environment()
    {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
    }

private:
    QTemporaryDir m_config;
};

struct Arguments
{
    QString path;
    int runs = 3;
};

// FILE [--runs R]; prints the usage and answers nothing when FILE is missing.
inline std::optional<Arguments> parseArguments(const QStringList &args, const char *usage)
{
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: %s\n", usage);
        return std::nullopt;
    }
    Arguments parsed;
    parsed.path = args.at(1);
    const qsizetype runsAt = args.indexOf(QStringLiteral("--runs"));
    if (runsAt > 0 && runsAt + 1 < args.size())
        parsed.runs = std::max(1, args.at(runsAt + 1).toInt());
    return parsed;
}

inline double peakMiB()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

// Runs a step, paints the table and lets pending events run, as a window would before the user
// sees the result.
inline qint64 timed(const std::function<void()> &step, QTableView *view = nullptr)
{
    QElapsedTimer timer;
    timer.start();
    step();
    if (view)
        view->viewport()->repaint();
    QCoreApplication::processEvents();
    return timer.elapsed();
}

inline qint64 median(QList<qint64> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values.at(values.size() / 2);
}

inline void report(const char *stage, qint64 ms, qsizetype rows, int stageWidth)
{
    std::printf("%-*s %8lld ms  %8lld rows  peak %.0f MiB\n", stageWidth, stage, static_cast<long long>(ms),
                static_cast<long long>(rows), peakMiB());
    std::fflush(stdout);
}

// Reads the file as opening it does (the type from its name, the encoding detected) and reports
// the time; prints why and answers null when it cannot be read.
inline Document *readDocument(const QString &path, int stageWidth)
{
    auto *document = new Document;
    DocumentError error;
    bool read = false;
    const qint64 reading = timed([&] {
        read = document->readFromFile(path, DocumentController::typeForFile(path), Encodings::Automatic,
                                      &error);
    });
    report("read", reading, 0, stageWidth);
    if (read)
        return document;
    std::fprintf(
        stderr, "cannot read %s: %s\n", qPrintable(path),
        qPrintable(error.recoverySuggestion.isEmpty() ? error.description : error.recoverySuggestion));
    delete document;
    return nullptr;
}

} // namespace BenchSupport
