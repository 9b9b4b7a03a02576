#include "platform/encodinglist.h"

#include "platform/encodings.h"
#include "platform/keys.h"
#include "platform/userdefaults.h"

EncodingList::EncodingList(UserDefaults &defaults, QObject *parent)
    : EncodingList(defaults, Encodings::preferredLanguages(), parent)
{ }

EncodingList::EncodingList(UserDefaults &defaults, const QStringList &languageCodes, QObject *parent)
    : QAbstractListModel(parent)
    , m_defaults(defaults)
    , m_languages(languageCodes)
    , m_ticks(Encodings::all().size(), false)
{
    restore();
}

int EncodingList::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_ticks.size());
}

QVariant EncodingList::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const Encoding &e = Encodings::all()[index.row()];
    switch (role) {
    case Qt::DisplayRole:
        return e.name();
    case Qt::CheckStateRole:
        return m_ticks[index.row()] ? Qt::Checked : Qt::Unchecked;
    case EncodingRole:
        return e.number;
    default:
        return {};
    }
}

bool EncodingList::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::CheckStateRole
        || !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return false;
    setTicked(Encodings::all()[index.row()].number, value.value<Qt::CheckState>() == Qt::Checked);
    return true;
}

Qt::ItemFlags EncodingList::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable | Qt::ItemNeverHasChildren;
}

bool EncodingList::isTicked(int encoding) const
{
    const QList<Encoding> &table = Encodings::all();
    for (qsizetype row = 0; row < table.size(); ++row) {
        if (table[row].number == encoding)
            return m_ticks[row];
    }
    return false;
}

void EncodingList::setTicked(int encoding, bool ticked)
{
    const QList<Encoding> &table = Encodings::all();
    for (qsizetype row = 0; row < table.size(); ++row) {
        if (table[row].number != encoding)
            continue;
        if (m_ticks[row] == ticked)
            return;
        m_ticks[row] = ticked;
        const QModelIndex changed = index(int(row));
        Q_EMIT dataChanged(changed, changed, { Qt::CheckStateRole });
        Q_EMIT tickChanged(encoding, ticked);
        return;
    }
}

void EncodingList::setTicks(const QList<int> &ticked)
{
    const QList<Encoding> &table = Encodings::all();
    for (qsizetype row = 0; row < table.size(); ++row)
        m_ticks[row] = ticked.contains(table[row].number);
    if (!m_ticks.isEmpty())
        Q_EMIT dataChanged(index(0), index(int(m_ticks.size()) - 1), { Qt::CheckStateRole });
    Q_EMIT ticksReset();
}

void EncodingList::selectAll()
{
    QList<int> every;
    for (const Encoding &e : Encodings::all())
        every.append(e.number);
    setTicks(every);
}

void EncodingList::clearAll()
{
    setTicks({});
}

void EncodingList::revertToDefaultTicks()
{
    setTicks(Encodings::defaultEncodings(m_languages));
}

void EncodingList::restore()
{
    const QStringList stored = m_defaults.stringArrayValue(DefaultsKey::Encodings);
    setTicks(stored.isEmpty() ? Encodings::defaultEncodings(m_languages)
                              : Encodings::restoredEncodings(stored));
}

void EncodingList::save()
{
    m_defaults.setValue(DefaultsKey::Encodings, tickedNames());
}

QList<int> EncodingList::tickedEncodings() const
{
    QList<int> ticked;
    const QList<Encoding> &table = Encodings::all();
    for (qsizetype row = 0; row < table.size(); ++row) {
        if (m_ticks[row])
            ticked.append(table[row].number);
    }
    return ticked;
}

QStringList EncodingList::tickedNames() const
{
    QStringList names;
    for (int number : tickedEncodings())
        names.append(Encodings::encodingTypeName(number));
    return names;
}
