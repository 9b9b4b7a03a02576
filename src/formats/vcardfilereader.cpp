#include "formats/vcardfilereader_p.h"

#include <QHash>
#include "record/labelregistration.h"
#include "record/qvperson.h"

#include "formats/orderedbatches_p.h"

#include <functional>
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

bool run(const std::function<QByteArray(const Span &)> &cardBytes, const QList<Span> &spans,
         const QVvCard::ProgressHandler &progress, const Consumer &consume)
{
    std::vector<Batch> batches;
    qsizetype first = 0;
    while (first < spans.size()) {
        qsizetype last = first;
        const qsizetype start = spans.at(first).start;
        while (last < spans.size() && last - first < kBatchCards && spans.at(last).start - start < kBatchBytes)
            ++last;
        batches.push_back({ first, last, {}, {} });
        first = last;
    }

    // Each batch is written by the one thread that reads it; the caller reads it once delivered.
    auto work = [&](qsizetype index) {
        Batch &batch = batches[size_t(index)];
        LabelRegistration::Deferral deferral;
        batch.results.reserve(batch.last - batch.first);
        auto names = std::make_shared<QStringList>();
        QHash<QString, qsizetype> positions;
        for (qsizetype i = batch.first; i < batch.last; ++i) {
            const Span &span = spans.at(i);
            CardResult result;
            result.read = VCardRecordReader::read(cardBytes(span), VCardRecordReader::Parts::Everything);
            if (result.read.person)
                result.entry = makeContactEntry(result.read.person);
            for (const QString &name : std::as_const(result.read.categories)) {
                const auto it = positions.constFind(name);
                if (it != positions.constEnd()) {
                    result.categories.append(it.value());
                } else {
                    result.categories.append(names->size());
                    positions.insert(name, names->size());
                    names->append(name);
                }
                if (result.entry)
                    result.groupEntries.append(copyContactEntry(result.entry));
            }
            result.read.categories.clear();
            result.categoryNames = names;
            result.endPosition = span.end;
            batch.results.append(std::move(result));
        }
        batch.labels = deferral.takeChanges();
    };
    auto deliver = [&](qsizetype index) -> bool {
        Batch &batch = batches[size_t(index)];
        for (CardResult &r : batch.results) {
            if (progress) {
                bool stop = false;
                progress(&stop, r.endPosition);
                if (stop)
                    return false;
            }
            consume(std::move(r));
        }
        batch.results.clear();
        return true;
    };
    if (!OrderedBatches::run(qsizetype(batches.size()), work, deliver))
        return false;
    // Labels go to the class tables (or the caller's deferral) here, in file order.
    for (const Batch &batch : batches)
        LabelRegistration::apply(batch.labels);
    return true;
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

bool readCards(const QString &text, const QVvCard::ProgressHandler &progress, const Consumer &consume)
{
    // The serializer reads UTF-8: each card is converted on the thread that reads it.
    return run([text](const Span &s) { return QStringView(text).sliced(s.start, s.end - s.start).toUtf8(); },
               cutCards(QStringView(text)), progress, consume);
}

bool readCards(const QByteArray &utf8, const QVvCard::ProgressHandler &progress, const Consumer &consume)
{
    return run(
        [utf8](const Span &s) {
            return QByteArray::fromRawData(utf8.constData() + s.start, s.end - s.start);
        },
        cutCards(QByteArrayView(utf8)), progress, consume);
}

} // namespace VCardFileReader
