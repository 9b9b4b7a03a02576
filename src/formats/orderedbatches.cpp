#include "formats/orderedbatches_p.h"

#include <QMutex>
#include <QThread>
#include <QThreadPool>
#include <QWaitCondition>
#include <atomic>
#include <memory>

namespace OrderedBatches {

namespace {

// Shared by the calling thread and the helpers. A helper may start after the caller has
// returned (its task was queued behind other work): it then finds nothing left and stops.
struct Job
{
    explicit Job(qsizetype n, const std::function<void(qsizetype)> &w)
        : count(n)
        , work(w)
        , done(std::make_unique<std::atomic<bool>[]>(size_t(n)))
    {
    }

    const qsizetype count;
    const std::function<void(qsizetype)> work;
    std::unique_ptr<std::atomic<bool>[]> done;
    std::atomic<qsizetype> next { 0 };
    std::atomic<bool> cancelled { false };
    QMutex mutex;
    QWaitCondition finished;

    // Takes one batch; false when none is left or the job was cancelled.
    bool runOne()
    {
        const qsizetype index = next.fetch_add(1);
        if (index >= count)
            return false;
        const bool skip = cancelled.load();
        if (!skip)
            work(index);
        // A batch skipped after a cancel counts as done, so waiting for the taken ones ends.
        QMutexLocker lock(&mutex);
        done[size_t(index)].store(true);
        finished.wakeAll();
        return !skip;
    }
};

QThreadPool &pool()
{
    // A pool of our own: the caller itself may run on the global pool, whose threads must not be
    // needed for it to finish.
    static QThreadPool instance;
    static const bool configured = [] {
        instance.setMaxThreadCount(std::max(1, QThread::idealThreadCount() - 1));
        instance.setExpiryTimeout(5000);
        return true;
    }();
    Q_UNUSED(configured);
    return instance;
}

} // namespace

bool run(qsizetype count, const std::function<void(qsizetype)> &work, const std::function<bool(qsizetype)> &deliver)
{
    if (count <= 0)
        return true;
    // The job outlives this call for helpers still queued, so it holds its own copy of work;
    // work's captures must stay valid only while batches run, which ends before we return.
    auto job = std::make_shared<Job>(count, work);
    const qsizetype helpers = std::min<qsizetype>(QThread::idealThreadCount() - 1, count - 1);
    for (qsizetype i = 0; i < helpers; ++i) {
        pool().start([job] {
            while (job->runOne()) { }
        });
    }

    qsizetype delivered = 0;
    auto deliverReady = [&]() -> bool {
        while (delivered < count && job->done[size_t(delivered)].load()) {
            if (!deliver(delivered)) {
                job->cancelled.store(true);
                return false;
            }
            ++delivered;
        }
        return true;
    };

    while (job->runOne()) {
        if (!deliverReady())
            break;
    }
    while (!job->cancelled.load() && delivered < count) {
        {
            QMutexLocker lock(&job->mutex);
            while (!job->done[size_t(delivered)].load())
                job->finished.wait(&job->mutex);
        }
        deliverReady();
    }
    if (job->cancelled.load()) {
        // Batches already running finish before their captures go out of scope.
        QMutexLocker lock(&job->mutex);
        const qsizetype started = std::min(job->next.load(), count);
        for (qsizetype i = 0; i < started; ++i) {
            while (!job->done[size_t(i)].load())
                job->finished.wait(&job->mutex);
        }
        return false;
    }
    return true;
}

} // namespace OrderedBatches
