#include "record/compactmap.h"

#include "record/keys.h"

#include <QHash>

namespace {

// Known keys share one string each, so stored entries cost no key allocation.
const QString &internedKey(const QString &key)
{
    static const QHash<QString, QString> known = [] {
        QHash<QString, QString> h;
        for (const QString *k :
             {&Key::Label, &Key::Value, &Key::StringValue, &Key::LabelIndex, &Key::CnLabel, &Key::Username,
              &Key::Domain, &Key::Service, &Key::UrlString, &Key::UserIdentifier, &Key::IsoCountryCode,
              &Key::PredictCountryCode, &Key::FormattedString, &Key::CountryCode, &Key::ShowAsPerson,
              &Key::NameOrdering, &FieldId::Street, &FieldId::City, &FieldId::State, &FieldId::Zip,
              &FieldId::Country, &FieldId::FirstName, &FieldId::MiddleName, &FieldId::LastName,
              &FieldId::PreviousFamilyName, &FieldId::PhoneticFirstName, &FieldId::PhoneticMiddleName,
              &FieldId::PhoneticLastName, &FieldId::Name})
            h.insert(*k, *k);
        return h;
    }();
    auto it = known.constFind(key);
    return it != known.constEnd() ? it.value() : key;
}

} // namespace

CompactMap::CompactMap(const QVariantMap &map)
{
    m_entries.reserve(map.size());
    for (auto it = map.cbegin(); it != map.cend(); ++it)
        m_entries.emplace_back(internedKey(it.key()), it.value());
}

QVariantMap CompactMap::toVariantMap() const
{
    QVariantMap map;
    for (const auto &[key, value] : m_entries)
        map.insert(key, value);
    return map;
}

qsizetype CompactMap::find(const QString &key) const
{
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        const QString &k = m_entries[i].first;
        if (k.constData() == key.constData() || k == key)
            return i;
    }
    return -1;
}

QVariant CompactMap::value(const QString &key) const
{
    const qsizetype i = find(key);
    return i >= 0 ? m_entries[i].second : QVariant();
}

const QVariant *CompactMap::get(const QString &key) const
{
    const qsizetype i = find(key);
    return i >= 0 ? &m_entries[i].second : nullptr;
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
    const qsizetype i = find(key);
    if (i >= 0)
        m_entries[i].second = value;
    else
        m_entries.emplace_back(internedKey(key), value);
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
