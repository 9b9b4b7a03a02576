#include "formats/orderedbatches_p.h"
#include "formats/vcardfilereader_p.h"
#include "record/labelregistration.h"
#include "record/qvperson.h"

#include <QHash>
#include <functional>
#include <vector>

namespace VCardFileReader {

namespace {

inline char16_t unit(QChar c)
{
    return c.unicode();
}

inline char16_t unit(char c)
{
    return uchar(c);
}

inline bool isBlank(char16_t c)
{
    return c == u' ' || c == u'\t';
}

// Nested cards deeper than this end the card that holds them as cut off: no real file nests
// more than a card or two, and a bound keeps a file of nothing but card starts from costing a
// pass over the rest of the file for every one of them.
constexpr int kMaxNesting = 8;

// Cuts a file's text into cards at its BEGIN:VCARD and END:VCARD lines.
//
// The obvious approach, searching for the text "END:VCARD", fails on a note or a custom value
// that holds those words: the card would end in the middle of its value and the rest of it be
// lost. A card is therefore cut only at content lines whose name is BEGIN or END; and since only
// such lines count, a card is read as a little state machine over them: a BEGIN inside a card
// opens a nested one (the 2.1 AGENT), and the card ends at the END that closes its own BEGIN,
// so that its properties after a nested card stay its own. A card that never closes (a file cut
// short, or a card missing its END before the next one) is cut off: it cannot be read, and the
// cut goes on with the first card nested in it, which is then read as a card of its own.
template<typename View> class Cutter
{
    struct Mark
    {
        qsizetype lineStart;
        qsizetype next; // after the line's line break
        VCardSyntax::Boundary boundary;
    };

public:
    explicit Cutter(View text)
        : m_text(text)
        , m_lineBreak(text.contains(u'\n') ? u'\n' : u'\r')
    { }

    View text() const { return m_text; }

    // The start of the first card at or after from; -1 when there is none.
    qsizetype firstBegin(qsizetype from) const
    {
        const auto mark = nextBegin(from);
        return mark ? mark->lineStart : -1;
    }

    // The first card at or after p; none when there is no further card.
    std::optional<Span> nextCard(qsizetype p) const
    {
        const qsizetype size = m_text.size();
        if (size - p <= 10)
            return std::nullopt;
        const auto opening = nextBegin(p);
        if (!opening)
            return std::nullopt;
        const qsizetype begin = opening->lineStart;
        int depth = 1;
        qsizetype nested = 0;
        qsizetype firstNested = -1;
        for (auto mark = nextMark(opening->next); mark; mark = nextMark(mark->next)) {
            if (mark->boundary == VCardSyntax::Boundary::Begin) {
                ++nested;
                if (depth == 1 && firstNested < 0)
                    firstNested = mark->lineStart;
                if (++depth > kMaxNesting)
                    break;
            } else if (--depth == 0) {
                return Span { begin, mark->next, nested, false };
            }
        }
        return Span { begin, firstNested >= 0 ? firstNested : size, 0, true };
    }

private:
    std::optional<Mark> nextBegin(qsizetype from) const
    {
        auto mark = nextMark(from);
        while (mark && mark->boundary != VCardSyntax::Boundary::Begin)
            mark = nextMark(mark->next);
        return mark;
    }

    // The next BEGIN or END line that starts at or after from. Only the colons of the text are
    // visited, which keeps the search near memchr speed on large files; and since the value of a
    // boundary line ends its line, at most one colon per line is followed back to its line start.
    std::optional<Mark> nextMark(qsizetype from) const
    {
        const qsizetype size = m_text.size();
        for (qsizetype colon = m_text.indexOf(u':', from); colon >= 0;
             colon = m_text.indexOf(u':', colon + 1)) {
            qsizetype end = colon + 1;
            while (end < size && isBlank(unit(m_text[end])))
                ++end;
            if (end + 5 > size || (unit(m_text[end]) | 0x20) != u'v')
                continue;
            end += 5;
            while (end < size && isBlank(unit(m_text[end])))
                ++end;
            const qsizetype lineBreak = end; // the card ends after its first character
            while (m_lineBreak == u'\n' && end < size && unit(m_text[end]) == u'\r')
                ++end;
            if (end < size && unit(m_text[end]) != m_lineBreak)
                continue;
            qsizetype lineStart = colon;
            while (lineStart > 0 && unit(m_text[lineStart - 1]) != m_lineBreak
                   && unit(m_text[lineStart - 1]) != u':' && unit(m_text[lineStart - 1]) != u';')
                --lineStart;
            if (lineStart > 0 && unit(m_text[lineStart - 1]) != m_lineBreak)
                continue; // not the line's first colon, or a parameter: no boundary
            lineStart += VCardSyntax::byteOrderMarksAt(m_text, lineStart);
            if (lineStart < from)
                continue;
            const auto boundary = VCardSyntax::boundaryOf(m_text.sliced(lineStart, lineBreak - lineStart));
            if (boundary != VCardSyntax::Boundary::None)
                return Mark { lineStart, std::min(size, lineBreak + 1), boundary };
        }
        return std::nullopt;
    }

    View m_text;
    char16_t m_lineBreak;
};

// The cards whose "BEGIN:VCARD" lies in [from, before), cut as the whole-file cut does from
// position resume on. ended tells whether the cut ends there.
template<typename View>
QList<Span> cutStretch(const Cutter<View> &cutter, qsizetype resume, qsizetype before, bool *ended)
{
    QList<Span> spans;
    qsizetype p = resume;
    *ended = false;
    for (;;) {
        const auto span = cutter.nextCard(p);
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
template<typename View> QList<Span> cut(View text)
{
    bool ended = false;
    return cutStretch(Cutter<View>(text), 0, text.size(), &ended);
}

// Bytes of file per batch: small enough for progress to move smoothly and for both cores to
// stay busy to the end, large enough that handing batches around costs nothing.
constexpr qsizetype kBatchBytes = 192 * 1024;

struct Batch
{
    qsizetype from = 0; // the stretch of text whose cards this batch reads
    qsizetype before = 0;
    qsizetype firstBegin = -1; // where the worker's cut started: its first card
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
template<typename View>
bool run(View text, const VCardSyntax::TextSource &source,
         const std::function<QByteArray(const Span &)> &cardBytes, const QVvCard::ProgressHandler &progress,
         const Consumer &consume)
{
    const Cutter<View> cutter(text);
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
            result.endPosition = span.end;
            result.nestedCards = span.nested;
            if (span.cutOff) {
                batch.results.append(std::move(result));
                continue;
            }
            result.read
                = VCardRecordReader::read(cardBytes(span), VCardRecordReader::Parts::Everything, source);
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
            batch.results.append(std::move(result));
        }
        batch.labels = deferral.takeChanges();
    };

    // Each batch is written by the one thread that reads it; the caller reads it once delivered.
    auto work = [&](qsizetype index) {
        Batch &batch = batches[size_t(index)];
        batch.spans = cutStretch(cutter, batch.from, batch.before, &batch.ended);
        batch.firstBegin = cutter.firstBegin(batch.from);
        read(batch);
    };
    qsizetype resume = 0; // where the whole-file cut has got to
    bool ended = false;
    auto deliver = [&](qsizetype index) -> bool {
        Batch &batch = batches[size_t(index)];
        if (ended)
            return true; // no further card: the read ended before
        if (cutter.firstBegin(resume) != batch.firstBegin) {
            batch.spans = cutStretch(cutter, resume, batch.before, &batch.ended);
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
    return cut(text);
}

QList<Span> cutCards(QByteArrayView text)
{
    return cut(text);
}

bool readCards(const QString &text, const QVvCard::ProgressHandler &progress, const Consumer &consume)
{
    // The serializer reads UTF-8: each card is converted on the thread that reads it. The text is
    // decoded already, so no value is decoded with its declared charset again.
    return run(
        QStringView(text), VCardSyntax::TextSource { {}, true },
        [text](const Span &s) { return QStringView(text).sliced(s.start, s.end - s.start).toUtf8(); },
        progress, consume);
}

bool readCards(const QByteArray &bytes, const QByteArray &charset, const QVvCard::ProgressHandler &progress,
               const Consumer &consume)
{
    return run(
        QByteArrayView(bytes), VCardSyntax::TextSource { charset, false },
        [bytes](const Span &s) {
            return QByteArray::fromRawData(bytes.constData() + s.start, s.end - s.start);
        },
        progress, consume);
}

} // namespace VCardFileReader
