#include "record/compactmap.h"

#include "record/keys.h"

#include <QHash>
#include <QReadWriteLock>

#include <array>
#include <limits>

namespace {

// The keys of the record's dictionaries, known in advance so that looking them up needs no lock.
const QList<QString> &knownKeys()
{
    static const QList<QString> keys = {
        Key::Label, Key::Value, Key::StringValue, Key::LabelIndex, Key::CnLabel, Key::Username, Key::Domain,
        Key::Service, Key::UrlString, Key::UserIdentifier, Key::IsoCountryCode, Key::PredictCountryCode,
        Key::FormattedString, Key::CountryCode, Key::ShowAsPerson, Key::NameOrdering, FieldId::Street,
        FieldId::City, FieldId::State, FieldId::Zip, FieldId::Country, FieldId::FirstName, FieldId::MiddleName,
        FieldId::LastName, FieldId::PreviousFamilyName, FieldId::PhoneticFirstName, FieldId::PhoneticMiddleName,
        FieldId::PhoneticLastName, FieldId::Name, Key::VCardParameters, Key::VCardProperty, Key::VCardValue, VCardKeptKey::N, VCardKeptKey::FN,
        VCardKeptKey::Org, VCardKeptKey::Title, VCardKeptKey::Nickname, VCardKeptKey::Note, VCardKeptKey::Bday,
        VCardKeptKey::MaidenName, VCardKeptKey::PhoneticFirstName, VCardKeptKey::PhoneticMiddleName,
        VCardKeptKey::PhoneticLastName, VCardKeptKey::ShowAs, VCardKeptKey::FormattedName, VCardKeptKey::ComposedName,
        VCardKeptKey::BdayValue, VCardKeptKey::NameFromFN, FieldId::Company, FieldId::Department,
        FieldId::JobTitle, FieldId::Nickname, FieldId::Title, FieldId::Suffix, FieldId::Note,
    };
    return keys;
}

// Any other key (written by a reader or a caller) is added once, for the life of the process.
struct OtherKeys
{
    QReadWriteLock lock;
    QList<QString> keys;
    QHash<QString, quint32> positions;
};

OtherKeys &otherKeys()
{
    static OtherKeys instance;
    return instance;
}

// The known keys by the address of their characters. Callers mostly pass the key constants
// themselves, which share their characters with the table, so most look-ups are settled by an
// address in a small open-addressed table, without reading the key's characters.
class KnownAddresses
{
public:
    KnownAddresses()
    {
        const QList<QString> &known = knownKeys();
        for (qsizetype i = 0; i < known.size(); ++i) {
            size_t s = slot(known[i].constData());
            while (m_addresses[s])
                s = (s + 1) % kSlots;
            m_addresses[s] = known[i].constData();
            m_positions[s] = quint8(i);
        }
    }
    qsizetype find(const QChar *address) const
    {
        for (size_t s = slot(address); m_addresses[s]; s = (s + 1) % kSlots) {
            if (m_addresses[s] == address)
                return m_positions[s];
        }
        return -1;
    }

private:
    static constexpr size_t kSlots = 128; // a few times the known keys, so probes stay short
    static size_t slot(const QChar *address) { return (quintptr(address) >> 3) % kSlots; }

    std::array<const QChar *, kSlots> m_addresses {};
    std::array<quint8, kSlots> m_positions {};
};

const KnownAddresses &knownAddresses()
{
    static const KnownAddresses addresses;
    return addresses;
}

// The position of a known key given as other characters than the constant's, or -1.
qsizetype knownPositionByText(const QString &key)
{
    static const QHash<QString, qsizetype> positions = [] {
        const QList<QString> &known = knownKeys();
        QHash<QString, qsizetype> h;
        for (qsizetype i = 0; i < known.size(); ++i)
            h.insert(known[i], i);
        return h;
    }();
    return positions.value(key, -1);
}

constexpr quint32 kNoPosition = std::numeric_limits<quint32>::max();

// The other keys this thread has met. A key keeps its position for the life of the process, so
// what a thread has once found stays true and needs the shared table's lock no more.
QHash<QString, quint32> &threadPositions()
{
    thread_local QHash<QString, quint32> positions;
    return positions;
}

// The position of a key already in the table, or kNoPosition when no map ever stored it: the
// look-up of a key that is no key constant, kept out of the quick path below.
Q_NEVER_INLINE quint32 existingPositionByText(const QString &key)
{
    if (const qsizetype position = knownPositionByText(key); position >= 0)
        return quint32(position);
    QHash<QString, quint32> &mine = threadPositions();
    if (const auto it = mine.constFind(key); it != mine.constEnd())
        return it.value();
    OtherKeys &other = otherKeys();
    QReadLocker lock(&other.lock);
    const quint32 position = other.positions.value(key, kNoPosition);
    if (position != kNoPosition)
        mine.insert(key, position);
    return position;
}

// The position of a key already in the table, or kNoPosition when no map ever stored it.
inline quint32 existingPosition(const QString &key)
{
    if (const qsizetype position = knownAddresses().find(key.constData()); position >= 0)
        return quint32(position);
    return existingPositionByText(key);
}

// The position of a key in the table, adding it when new.
quint32 keyPosition(const QString &key)
{
    if (const quint32 position = existingPosition(key); position != kNoPosition)
        return position;
    const QList<QString> &known = knownKeys();
    OtherKeys &other = otherKeys();
    QWriteLocker lock(&other.lock);
    const auto it = other.positions.constFind(key);
    if (it != other.positions.constEnd())
        return it.value();
    const quint32 position = quint32(known.size() + other.keys.size());
    other.keys.append(key);
    other.positions.insert(key, position);
    return position;
}

QString keyAt(quint32 position)
{
    const QList<QString> &known = knownKeys();
    if (position < quint32(known.size()))
        return known[position];
    OtherKeys &other = otherKeys();
    QReadLocker lock(&other.lock);
    return other.keys.value(position - known.size());
}

} // namespace

CompactMap::CompactMap(const QVariantMap &map)
{
    m_entries.reserve(map.size());
    for (auto it = map.cbegin(); it != map.cend(); ++it)
        m_entries.append({ keyPosition(it.key()), it.value() });
}

CompactMap::CompactMap(std::initializer_list<std::pair<QString, QVariant>> entries, qsizetype extra)
{
    m_entries.reserve(qsizetype(entries.size()) + extra);
    for (const auto &[key, value] : entries)
        insert(key, value);
}

QVariantMap CompactMap::toVariantMap() const
{
    QVariantMap map;
    for (const Entry &entry : m_entries)
        map.insert(keyAt(entry.key), entry.value);
    return map;
}

qsizetype CompactMap::find(const QString &key) const
{
    if (m_entries.isEmpty())
        return -1; // most records keep nothing of their vCard lines: no key to look up
    const quint32 position = existingPosition(key);
    return position == kNoPosition ? -1 : indexOf(position);
}

qsizetype CompactMap::indexOf(quint32 position) const
{
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].key == position)
            return i;
    }
    return -1;
}

QVariant CompactMap::value(const QString &key) const
{
    const qsizetype i = find(key);
    return i >= 0 ? m_entries[i].value : QVariant();
}

const QVariant *CompactMap::get(const QString &key) const
{
    const qsizetype i = find(key);
    return i >= 0 ? &m_entries[i].value : nullptr;
}

QString CompactMap::string(const QString &key) const
{
    const QVariant *v = get(key);
    return v ? v->toString() : QString();
}

int CompactMap::integer(const QString &key, int defaultValue) const
{
    const QVariant *v = get(key);
    return v && v->isValid() ? v->toInt() : defaultValue;
}

void CompactMap::insert(const QString &key, const QVariant &value)
{
    const quint32 position = keyPosition(key);
    const qsizetype i = indexOf(position);
    if (i >= 0)
        m_entries[i].value = value;
    else
        m_entries.append({ position, value });
}

void CompactMap::insert(const QString &key, QVariant &&value)
{
    const quint32 position = keyPosition(key);
    const qsizetype i = indexOf(position);
    if (i >= 0)
        m_entries[i].value = std::move(value);
    else
        m_entries.append({ position, std::move(value) });
}

void CompactMap::remove(const QString &key)
{
    const qsizetype i = find(key);
    if (i >= 0)
        m_entries.removeAt(i);
}

namespace CompactMaps {

QVariantList toVariantList(const CompactList &list)
{
    QVariantList out;
    out.reserve(list.size());
    for (const CompactMap &m : list)
        out.append(m.toVariantMap());
    return out;
}

CompactList fromVariantList(const QVariantList &list)
{
    CompactList out;
    out.reserve(list.size());
    for (const QVariant &v : list)
        out.append(CompactMap(v.toMap()));
    return out;
}

} // namespace CompactMaps
