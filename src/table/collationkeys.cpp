#include "table/collationkeys.h"

#include <QFuture>
#include <QLocale>
#include <QThread>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentMap>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>
#include <cstring>
#include <unicode/ucol.h>

namespace {

struct CollatorCloser
{
    void operator()(UCollator *collator) const { ucol_close(collator); }
};
using Collator = std::unique_ptr<UCollator, CollatorCloser>;

// ICU collators are not shared between threads: each slice opens its own.
Collator openCollator()
{
    // The C locale has no collation of its own; the root order stands in for it.
    const QLocale locale;
    const QByteArray name = locale.language() == QLocale::C ? QByteArray() : locale.name().toLatin1();
    UErrorCode status = U_ZERO_ERROR;
    Collator collator(ucol_open(name.constData(), &status));
    if (U_FAILURE(status) || !collator) {
        status = U_ZERO_ERROR;
        collator.reset(ucol_open("", &status));
    }
    if (collator)
        ucol_setStrength(collator.get(), UCOL_SECONDARY); // ignore case, keep accents
    return collator;
}

// Appends the key of `text` to `buffer`; answers the key's offset, or -1 when none was made.
qsizetype appendKey(UCollator *collator, const QString &text, std::vector<char> &buffer)
{
    const auto *source = reinterpret_cast<const UChar *>(text.constData());
    const qsizetype offset = qsizetype(buffer.size());
    int32_t room = int32_t(std::max<qsizetype>(16, text.size() * 4));
    for (;;) {
        buffer.resize(size_t(offset + room));
        const int32_t needed = ucol_getSortKey(collator, source, int32_t(text.size()),
                                               reinterpret_cast<uint8_t *>(buffer.data() + offset), room);
        if (needed <= 0) {
            buffer.resize(size_t(offset));
            return -1;
        }
        if (needed <= room) {
            buffer.resize(size_t(offset + needed)); // the key ends in its NUL
            return offset;
        }
        room = needed;
    }
}

// Copies a key made before; answers its offset.
qsizetype appendCopy(const char *key, std::vector<char> &buffer)
{
    const qsizetype offset = qsizetype(buffer.size());
    buffer.insert(buffer.end(), key, key + std::strlen(key) + 1);
    return offset;
}

// The keys of an earlier sort, found by the storage of their texts. Only texts that own their
// storage are listed: raw data may change under the same address.
class KnownKeys
{
public:
    // Lists the texts with keys of every source, each a pair of texts and their keys.
    template<typename Sources> explicit KnownKeys(const Sources &sources)
    {
        size_t total = 0;
        for (const auto &[texts, keys] : sources)
            total += texts->size();
        if (total == 0)
            return;
        size_t capacity = 16;
        while (capacity < total * 2)
            capacity <<= 1;
        m_slots.resize(capacity);
        m_mask = capacity - 1;
        for (const auto &[texts, keys] : sources) {
            for (size_t i = 0; i < texts->size() && i < keys->size(); ++i) {
                const QString &text = (*texts)[i];
                if ((*keys)[i] && text.capacity() > 0) // owns its storage
                    insert(text, (*keys)[i]);
            }
        }
    }

    const char *find(const QString &text) const
    {
        if (m_slots.empty())
            return nullptr;
        for (size_t at = slotOf(text.constData()); m_slots[at].data; at = (at + 1) & m_mask) {
            if (m_slots[at].data == text.constData())
                return m_slots[at].size == text.size() ? m_slots[at].key : nullptr;
        }
        return nullptr;
    }

private:
    void insert(const QString &text, const char *key)
    {
        size_t at = slotOf(text.constData());
        while (m_slots[at].data && m_slots[at].data != text.constData())
            at = (at + 1) & m_mask;
        m_slots[at] = { text.constData(), text.size(), key };
    }

    struct Slot
    {
        const QChar *data = nullptr;
        qsizetype size = 0;
        const char *key = nullptr;
    };

    size_t slotOf(const QChar *data) const
    {
        const quint64 h = quint64(reinterpret_cast<quintptr>(data) >> 3) * 0x9E3779B97F4A7C15ull;
        return size_t(h ^ (h >> 32)) & m_mask;
    }

    std::vector<Slot> m_slots;
    size_t m_mask = 0;
};

// Whether two strings are one shared text (a copy of the other), without comparing characters.
bool sharesText(const QString &a, const QString &b)
{
    return a.size() == b.size() && a.constData() == b.constData();
}

// One sort entry: the 8 key bytes after the prefix all keys share (big-endian, so integer order
// is byte order), and the rest of the key when it goes on past them.
struct Entry
{
    quint64 head = 0;
    const char *rest = nullptr;
    qsizetype index = 0;
    qsizetype count = 1; // the positions index, index + 1, ... that share this very key
};

Entry makeEntry(const char *key, size_t shared, qsizetype index)
{
    Entry entry;
    entry.index = index;
    const char *p = key + shared;
    int n = 0;
    for (; n < 8 && p[n] != 0; ++n)
        entry.head = (entry.head << 8) | quint8(p[n]);
    // Shifting a 64-bit value by 64 is undefined, and an empty rest has an all-zero head anyway.
    if (n > 0)
        entry.head <<= 8 * (8 - n);
    entry.rest = n == 8 ? p + 8 : nullptr;
    return entry;
}

// < 0, 0, > 0 as the keys compare. Sort keys hold no NUL before their end, so a key that ends
// inside the head makes equal heads mean equal keys.
int compareKeys(const Entry &a, const Entry &b)
{
    if (a.head != b.head)
        return a.head < b.head ? -1 : 1;
    if (!a.rest || !b.rest)
        return 0;
    return std::strcmp(a.rest, b.rest);
}

// Sorts slices on the thread pool and merges them pairwise. The order is total (no two entries
// compare equal), so the result is the one a single sort gives.
template<typename Less> void sortInParallel(std::vector<Entry> &entries, const Less &less)
{
    constexpr size_t kMinSlice = 32768;
    size_t slices = 1;
    while (slices * 2 <= size_t(std::max(1, QThread::idealThreadCount()))
           && entries.size() / (slices * 2) >= kMinSlice)
        slices *= 2;
    if (slices == 1) {
        std::sort(entries.begin(), entries.end(), less);
        return;
    }
    std::vector<size_t> bounds;
    for (size_t s = 0; s <= slices; ++s)
        bounds.push_back(entries.size() * s / slices);
    std::vector<size_t> parts(slices);
    for (size_t s = 0; s < slices; ++s)
        parts[s] = s;
    const auto begin = entries.begin();
    QtConcurrent::blockingMap(parts, [&](size_t s) {
        std::sort(begin + qsizetype(bounds[s]), begin + qsizetype(bounds[s + 1]), less);
    });
    for (size_t width = 1; width < slices; width *= 2) {
        std::vector<size_t> merges;
        for (size_t s = 0; s + width < slices; s += 2 * width)
            merges.push_back(s);
        QtConcurrent::blockingMap(merges, [&](size_t s) {
            const size_t end = std::min(slices, s + 2 * width);
            std::inplace_merge(begin + qsizetype(bounds[s]), begin + qsizetype(bounds[s + width]),
                               begin + qsizetype(bounds[end]), less);
        });
    }
}

} // namespace

CollationKeys::CollationKeys(const std::vector<QString> &texts)
    : CollationKeys(std::vector<QString>(texts), {})
{ }

CollationKeys::CollationKeys(std::vector<QString> kept, const std::vector<const CollationKeys *> &earlier)
    : m_texts(std::move(kept))
    , m_localeName(QLocale().name())
    , m_keys(m_texts.size(), nullptr)
{
    const std::vector<QString> &texts = m_texts;
    // Keys made for another locale's order are of no use. Listing earlier keys costs far less per
    // text than collating, but a small sort after a large one is better off collating its own.
    std::vector<std::pair<const std::vector<QString> *, const std::vector<const char *> *>> sources;
    size_t listed = 0;
    for (const CollationKeys *keys : earlier) {
        if (keys && keys->m_localeName == m_localeName) {
            sources.emplace_back(&keys->m_texts, &keys->m_keys);
            listed += keys->m_texts.size();
        }
    }
    constexpr size_t kWorthListing = 8;
    if (texts.size() * kWorthListing < listed)
        sources.clear();
    // A reload sorts the very texts of the sort before, in the same places (rows are built in the
    // contacts' order): keys found in place need no listing, which costs more than the copies.
    const CollationKeys *inPlace = nullptr;
    for (const CollationKeys *keys : earlier) {
        if (!sources.empty() && keys && keys->m_localeName == m_localeName) {
            inPlace = keys->m_texts.size() == texts.size() ? keys : nullptr;
            break;
        }
    }
    // After an edit a few texts are new: they are collated, the others copied in place.
    if (inPlace) {
        constexpr size_t kFewNew = 64; // at most one text in this many
        size_t fresh = 0;
        for (size_t i = 0; i < texts.size() && inPlace; ++i) {
            if (!texts[i].isEmpty() && !inPlace->keyInPlace(texts[i], i) && ++fresh * kFewNew > texts.size())
                inPlace = nullptr;
        }
    }
    if (inPlace)
        sources.clear();
    const KnownKeys known(sources);
    const qsizetype n = qsizetype(texts.size());
    constexpr qsizetype kMinSlice = 4096;
    const qsizetype slices
        = std::clamp<qsizetype>(n / kMinSlice, 1, std::max(1, QThread::idealThreadCount()));
    const qsizetype step = (n + slices - 1) / slices;
    m_buffers.resize(size_t(slices));
    std::vector<std::vector<qsizetype>> offsets(static_cast<size_t>(slices));

    auto build = [&texts, &offsets, &known, inPlace, this, step, n](qsizetype slice) {
        const qsizetype begin = slice * step;
        const qsizetype end = std::min(n, begin + step);
        std::vector<char> &buffer = m_buffers[size_t(slice)];
        std::vector<qsizetype> &sliceOffsets = offsets[size_t(slice)];
        buffer.reserve(size_t(std::max<qsizetype>(0, end - begin)) * 24);
        sliceOffsets.assign(size_t(std::max<qsizetype>(0, end - begin)), -1);
        Collator collator; // opened for the first text with no key yet
        for (qsizetype i = begin; i < end; ++i) {
            const QString &text = texts[size_t(i)];
            if (text.isEmpty())
                continue;
            qsizetype &offset = sliceOffsets[size_t(i - begin)];
            // A contact's rows share its name: the text right before is often the very same one.
            if (i > begin && sharesText(text, texts[size_t(i - 1)])) {
                offset = sliceOffsets[size_t(i - 1 - begin)];
            } else if (inPlace && inPlace->keyInPlace(text, size_t(i))) {
                offset = appendCopy(inPlace->m_keys[size_t(i)], buffer);
            } else if (const char *key = known.find(text)) {
                offset = appendCopy(key, buffer);
            } else {
                if (!collator && !(collator = openCollator()))
                    return;
                offset = appendKey(collator.get(), text, buffer);
            }
        }
    };
    QList<QFuture<void>> tasks;
    for (qsizetype s = 1; s < slices; ++s)
        tasks.append(QtConcurrent::run(QThreadPool::globalInstance(), build, s));
    build(0);
    for (QFuture<void> &task : tasks)
        task.waitForFinished();

    // Pointers are taken only now that no buffer grows any more.
    for (qsizetype s = 0; s < slices; ++s) {
        const std::vector<qsizetype> &sliceOffsets = offsets[size_t(s)];
        for (size_t j = 0; j < sliceOffsets.size(); ++j) {
            if (sliceOffsets[j] >= 0)
                m_keys[size_t(s * step) + j] = m_buffers[size_t(s)].data() + sliceOffsets[j];
        }
    }
}

CollationKeys::~CollationKeys() = default;

bool CollationKeys::keyInPlace(const QString &text, size_t i) const
{
    // Raw data may change under the same address: only texts that own their storage count.
    return m_keys[i] && text.capacity() > 0 && sharesText(text, m_texts[i]);
}

std::vector<qsizetype> CollationKeys::sortedOrder(bool ascending) const
{
    std::vector<qsizetype> missing;
    const char *first = nullptr;
    for (const char *key : m_keys) {
        if (key) {
            first = key;
            break;
        }
    }
    // Keys often share a long prefix (phone numbers of one country, one e-mail domain): skipping
    // it puts the bytes that differ into each entry's head.
    size_t shared = first ? std::strlen(first) : 0;
    for (const char *key : m_keys) {
        if (!key)
            continue;
        size_t i = 0;
        while (i < shared && key[i] == first[i])
            ++i;
        shared = i;
    }
    // Neighbours sharing one key (a contact's rows sorted by its name) form one entry: equal keys
    // keep their order anyway, so the run sorts as a whole.
    std::vector<Entry> entries;
    entries.reserve(m_keys.size());
    for (size_t i = 0; i < m_keys.size(); ++i) {
        if (!m_keys[i])
            missing.push_back(qsizetype(i));
        else if (i > 0 && m_keys[i] == m_keys[i - 1] && !entries.empty())
            ++entries.back().count;
        else
            entries.push_back(makeEntry(m_keys[i], shared, qsizetype(i)));
    }
    // The original position breaks ties, which makes the order stable.
    sortInParallel(entries, [ascending](const Entry &a, const Entry &b) {
        const int c = ascending ? compareKeys(a, b) : compareKeys(b, a);
        return c != 0 ? c < 0 : a.index < b.index;
    });
    std::vector<qsizetype> order;
    order.reserve(m_keys.size());
    for (const Entry &entry : entries) {
        for (qsizetype k = 0; k < entry.count; ++k)
            order.push_back(entry.index + k);
    }
    order.insert(order.end(), missing.begin(), missing.end());
    return order;
}
