#include "formats/vcardfilereader_p.h"

#include "formats/orderedbatches_p.h"
#include "record/labelregistration.h"
#include "record/qvperson.h"

#include <QHash>
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

constexpr QLatin1StringView kBegin("BEGIN:VCARD");
constexpr QLatin1StringView kEnd("END:VCARD");

// The next card of the cut that has reached p: from the first "BEGIN:VCARD" at or after p to the
// line break after the next "END:VCARD". None when the cut ends there: no further card, or one
// too short to be one (which ends the read).
template<typename View, typename Colon>
std::optional<Span> nextCard(View text, qsizetype p, Colon colon)
{
    if (text.size() - p <= 10)
        return std::nullopt;
    const qsizetype begin = find(text, p, kBegin, colon);
    if (begin < 0)
        return std::nullopt;
    const qsizetype endMark = find(text, begin + kBegin.size(), kEnd, colon);
    if (endMark < 0)
        return std::nullopt;
    qsizetype end = endMark + kEnd.size();
    while (end < text.size() && !isLineBreak(text[end]))
        ++end;
    if (end < text.size())
        ++end;
    if (end - begin < 11)
        return std::nullopt;
    return Span { begin, end };
}

// The cards whose "BEGIN:VCARD" lies in [from, before), cut as the whole-file cut does from
// position resume on. ended tells whether the cut ends there.
template<typename View, typename Colon>
QList<Span> cutStretch(View text, qsizetype resume, qsizetype before, Colon colon, bool *ended)
{
    QList<Span> spans;
    qsizetype p = resume;
    *ended = false;
    for (;;) {
        const auto span = nextCard(text, p, colon);
        if (!span) {
            *ended = true;
            break;
        }
        if (span->start >= before)
            break;
        spans.append(*span);
        p = span->end;
    }
    return spans;
}

// Every card starts inside the text, so the whole-file cut is the stretch up to its end.
template<typename View, typename Colon> QList<Span> cut(View text, Colon colon)
{
    bool ended = false;
    return cutStretch(text, 0, text.size(), colon, &ended);
}

// Bytes of file per batch: small enough for progress to move smoothly and for both cores to
// stay busy to the end, large enough that handing batches around costs nothing.
constexpr qsizetype kBatchBytes = 192 * 1024;

struct Batch
{
    qsizetype from = 0; // the stretch of text whose cards this batch reads
    qsizetype before = 0;
    qsizetype firstBegin = -1; // where the worker's cut started: its first "BEGIN:VCARD"
    bool ended = false; // the cut ends in this batch
    QList<Span> spans;
    QList<CardResult> results;
    QList<LabelRegistration::Change> labels;
};

// Cards are cut by the batches themselves, each from the start of its stretch, so that reading
// starts at once instead of after a pass over the whole file. A batch's cut is the whole-file cut
// exactly when the first card it found is the one the whole-file cut finds after the cards
// before it; that is checked as batches are handed back, in order, and a batch that fails it
// (a card nested in another across a stretch boundary, say) is cut and read again there.
template<typename View, typename Colon>
bool run(View text, Colon colon, const std::function<QByteArray(const Span &)> &cardBytes,
         const QVvCard::ProgressHandler &progress, const Consumer &consume)
{
    std::vector<Batch> batches;
    for (qsizetype from = 0; from < text.size(); from += kBatchBytes)
        batches.push_back({ from, std::min(text.size(), from + kBatchBytes), -1, false, {}, {}, {} });

    auto read = [&](Batch &batch) {
        LabelRegistration::Deferral deferral;
        batch.results.clear();
        batch.results.reserve(batch.spans.size());
        auto names = std::make_shared<QStringList>();
        QHash<QString, qsizetype> positions;
        for (const Span &span : std::as_const(batch.spans)) {
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

    // Each batch is written by the one thread that reads it; the caller reads it once delivered.
    auto work = [&](qsizetype index) {
        Batch &batch = batches[size_t(index)];
        batch.spans = cutStretch(text, batch.from, batch.before, colon, &batch.ended);
        batch.firstBegin = find(text, batch.from, kBegin, colon);
        read(batch);
    };
    qsizetype resume = 0; // where the whole-file cut has got to
    bool ended = false;
    auto deliver = [&](qsizetype index) -> bool {
        Batch &batch = batches[size_t(index)];
        if (ended)
            return true; // a card too short, or no further card, ended the read before
        if (find(text, resume, kBegin, colon) != batch.firstBegin) {
            batch.spans = cutStretch(text, resume, batch.before, colon, &batch.ended);
            read(batch);
        }
        for (CardResult &r : batch.results) {
            if (progress) {
                bool stop = false;
                progress(&stop, r.endPosition);
                if (stop)
                    return false;
            }
            consume(std::move(r));
        }
        if (!batch.spans.isEmpty())
            resume = batch.spans.constLast().end;
        ended = batch.ended;
        batch.results.clear();
        batch.spans.clear();
        return true;
    };
    if (!OrderedBatches::run(qsizetype(batches.size()), work, deliver))
        return false;
    // Labels go to the class tables (or the caller's deferral) here, in file order, for the
    // batches that were read.
    for (const Batch &batch : batches) {
        LabelRegistration::apply(batch.labels);
        if (batch.ended)
            break;
    }
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
    return run(
        QStringView(text), u':',
        [text](const Span &s) { return QStringView(text).sliced(s.start, s.end - s.start).toUtf8(); }, progress,
        consume);
}

bool readCards(const QByteArray &utf8, const QVvCard::ProgressHandler &progress, const Consumer &consume)
{
    return run(
        QByteArrayView(utf8), ':',
        [utf8](const Span &s) { return QByteArray::fromRawData(utf8.constData() + s.start, s.end - s.start); },
        progress, consume);
}

} // namespace VCardFileReader
