#include "formats/vcardfilereader_p.h"
#include "record/labelregistration.h"
#include "record/qvperson.h"

#include <QMutex>
#include <QThread>
#include <QThreadPool>
#include <QWaitCondition>
#include <atomic>
#include <functional>
#include <memory>
#include <vector>

namespace VCardFileReader {

namespace {

inline char16_t lower(QChar c)
{
    const char16_t u = c.unicode();
    return u >= 'A' && u <= 'Z' ? char16_t(u + 32) : u;
}

inline char16_t lower(char c)
{
    return c >= 'A' && c <= 'Z' ? char16_t(c + 32) : char16_t(uchar(c));
}

template<typename View> bool matchesAt(View text, qsizetype at, QLatin1StringView word)
{
    if (at < 0 || at + word.size() > text.size())
        return false;
    for (qsizetype i = 0; i < word.size(); ++i) {
        if (lower(text[at + i]) != lower(word[i].toLatin1()))
            return false;
    }
    return true;
}

// Case-insensitive search for a word holding one ":". Only the colons of the text are visited,
// which keeps the search near memchr speed on large files.
template<typename View, typename Colon>
qsizetype find(View text, qsizetype from, QLatin1StringView word, Colon colon)
{
    const qsizetype offset = word.indexOf(u':');
    qsizetype pos = from + offset;
    while (pos < text.size()) {
        const qsizetype c = text.indexOf(colon, pos);
        if (c < 0)
            return -1;
        if (matchesAt(text, c - offset, word))
            return c - offset;
        pos = c + 1;
    }
    return -1;
}

inline bool isLineBreak(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 0x0A && u <= 0x0D) || u == 0x85 || u == 0x2028 || u == 0x2029;
}

inline bool isLineBreak(char c)
{
    return c >= 0x0A && c <= 0x0D;
}

template<typename View, typename Colon> QList<Span> cut(View text, Colon colon)
{
    static constexpr QLatin1StringView kBegin("BEGIN:VCARD");
    static constexpr QLatin1StringView kEnd("END:VCARD");
    QList<Span> spans;
    if (text.size() < 11)
        return spans;
    qsizetype p = 0;
    while (text.size() - p > 10) {
        const qsizetype begin = find(text, p, kBegin, colon);
        if (begin < 0)
            break;
        const qsizetype endMark = find(text, begin + kBegin.size(), kEnd, colon);
        if (endMark < 0)
            break;
        qsizetype end = endMark + kEnd.size();
        while (end < text.size() && !isLineBreak(text[end]))
            ++end;
        if (end < text.size())
            ++end;
        if (end - begin < 11)
            break;
        spans.append({ begin, end });
        p = end;
    }
    return spans;
}

constexpr qsizetype kBatchBytes = 192 * 1024;
constexpr qsizetype kBatchCards = 1000;

struct Batch
{
    qsizetype first = 0;
    qsizetype last = 0; // exclusive
    QList<CardResult> results;
    QList<LabelRegistration::Change> labels;
};

// Work shared by the calling thread and the pool's threads. Each batch is written by the one
// thread that took it; the calling thread reads it after its done flag is set.
struct Job
{
    std::function<QByteArray(const Span &)> cardBytes;
    QList<Span> spans;
    std::vector<Batch> batches;
    std::unique_ptr<std::atomic<bool>[]> done;
    std::atomic<qsizetype> next { 0 };
    std::atomic<bool> cancelled { false };
    QMutex mutex;
    QWaitCondition finished;

    // Takes batches until none are left; answers after each one so the caller can report.
    bool runOne()
    {
        const qsizetype index = next.fetch_add(1);
        if (index >= qsizetype(batches.size()) || cancelled.load())
            return false;
        Batch &batch = batches[size_t(index)];
        {
            LabelRegistration::Deferral deferral;
            batch.results.reserve(batch.last - batch.first);
            for (qsizetype i = batch.first; i < batch.last && !cancelled.load(std::memory_order_relaxed);
                 ++i) {
                const Span &span = spans.at(i);
                const QByteArray bytes = cardBytes(span);
                batch.results.append(
                    { VCardRecordReader::read(bytes, VCardRecordReader::Parts::Everything), span.end });
            }
            batch.labels = deferral.takeChanges();
        }
        QMutexLocker lock(&mutex);
        done[size_t(index)].store(true);
        finished.wakeAll();
        return true;
    }
};

QThreadPool &pool()
{
    // A pool of our own: the reader itself may run on the global pool, whose threads must not be
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

std::optional<QList<CardResult>> run(std::function<QByteArray(const Span &)> cardBytes, QList<Span> spans,
                                     const QVvCard::ProgressHandler &progress)
{
    auto job = std::make_shared<Job>();
    job->cardBytes = std::move(cardBytes);
    job->spans = std::move(spans);
    qsizetype first = 0;
    while (first < job->spans.size()) {
        qsizetype last = first;
        const qsizetype start = job->spans.at(first).start;
        while (last < job->spans.size() && last - first < kBatchCards
               && job->spans.at(last).start - start < kBatchBytes)
            ++last;
        job->batches.push_back({ first, last, {}, {} });
        first = last;
    }
    const size_t count = job->batches.size();
    job->done = std::make_unique<std::atomic<bool>[]>(count);

    const int helpers = count > 1 ? std::min<int>(QThread::idealThreadCount() - 1, int(count) - 1) : 0;
    for (int i = 0; i < helpers; ++i) {
        pool().start([job] {
            while (job->runOne()) { }
        });
    }

    QList<CardResult> all;
    all.reserve(job->spans.size());
    size_t reported = 0;
    auto report = [&]() -> bool {
        while (reported < count && job->done[reported].load()) {
            Batch &batch = job->batches[reported];
            for (CardResult &r : batch.results) {
                if (progress) {
                    bool stop = false;
                    progress(&stop, r.endPosition);
                    if (stop)
                        return false;
                }
                all.append(std::move(r));
            }
            batch.results.clear();
            ++reported;
        }
        return true;
    };
    auto cancel = [&] {
        job->cancelled.store(true);
        return std::nullopt;
    };

    while (job->runOne()) {
        if (!report())
            return cancel();
    }
    while (reported < count) {
        {
            QMutexLocker lock(&job->mutex);
            while (!job->done[reported].load())
                job->finished.wait(&job->mutex);
        }
        if (!report())
            return cancel();
    }
    // Labels go to the class tables (or the caller's deferral) here, in file order.
    for (const Batch &batch : job->batches)
        LabelRegistration::apply(batch.labels);
    return all;
}

} // namespace

QList<Span> cutCards(QStringView text)
{
    return cut(text, u':');
}

QList<Span> cutCards(QByteArrayView text)
{
    return cut(text, ':');
}

std::optional<QList<CardResult>> readCards(const QString &text, const QVvCard::ProgressHandler &progress)
{
    // The serializer reads UTF-8: each card is converted on the thread that reads it.
    return run([text](const Span &s) { return QStringView(text).sliced(s.start, s.end - s.start).toUtf8(); },
               cutCards(QStringView(text)), progress);
}

std::optional<QList<CardResult>> readCards(const QByteArray &utf8, const QVvCard::ProgressHandler &progress)
{
    return run(
        [utf8](const Span &s) {
            return QByteArray::fromRawData(utf8.constData() + s.start, s.end - s.start);
        },
        cutCards(QByteArrayView(utf8)), progress);
}

} // namespace VCardFileReader
