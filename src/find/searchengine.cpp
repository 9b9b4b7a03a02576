#include "find/searchengine.h"

#include "record/keys.h"

#include <QStringView>
#include <QtConcurrent/QtConcurrentMap>
#include <vector>

SearchHit SearchHit::atRow(const SubContactRow &row)
{
    SearchHit hit;
    hit.contact = row;
    hit.uniqueId = row.uniqueId;
    hit.identifier = FieldId::Name;
    hit.labelIndex = row.labelIndex;
    hit.range = TextRange { 0, 0 };
    return hit;
}

TextRange SearchEngine::lookForString(const QString &findString, const QString &text, const TextRange &range,
                                      Direction direction, Qt::CaseSensitivity cs)
{
    if (text.isEmpty() || findString.isEmpty())
        return {};
    const QStringView view(text);
    if (direction == Direction::Backward) {
        const qsizetype end
            = range.isFound() ? std::clamp<qsizetype>(range.location, 0, text.size()) : text.size();
        if (end < findString.size())
            return {};
        const qsizetype at = view.first(end).lastIndexOf(findString, -1, cs);
        return at < 0 ? TextRange {} : TextRange { at, findString.size() };
    }
    qsizetype from = 0;
    if (range.isFound()) {
        from = std::max<qsizetype>(0, range.location) + std::max<qsizetype>(0, range.length);
        if (from >= text.size())
            return {};
    }
    const qsizetype at = view.indexOf(findString, from, cs);
    return at < 0 ? TextRange {} : TextRange { at, findString.size() };
}

void SearchEngine::setFindString(const QString &findString)
{
    m_findString = findString;
    m_matcher.setPattern(findString);
}

void SearchEngine::setCaseInsensitive(bool caseInsensitive)
{
    m_caseSensitivity = caseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive;
    m_matcher.setCaseSensitivity(m_caseSensitivity);
}

namespace {

// A stored text without a copy: the string inside the entry, valid while the record is unchanged.
// Entries that are not strings are converted (and then kept in `spare`).
QStringView storedText(const QVariant *value, QString &spare)
{
    if (!value)
        return {};
    if (value->typeId() == QMetaType::QString)
        return *static_cast<const QString *>(value->constData());
    spare = value->toString();
    return spare;
}

} // namespace

bool SearchEngine::holds(QStringView text) const
{
    return text.size() >= m_findString.size() && m_matcher.indexIn(text) >= 0;
}

bool SearchEngine::mayHold(const Column &column, ItemTexts::FieldKind kind, QVPerson &person,
                           qsizetype labelIndex) const
{
    using Kind = ItemTexts::FieldKind;
    QString spare;
    const auto holdsEntry = [this, &spare](const CompactMap &map, const QString &key) {
        return holds(storedText(map.get(key), spare));
    };
    if (column.field && (kind == Kind::Labeled || kind == Kind::InstantMessage)) {
        const CompactList &items = person.storedLabeledValues(*column.field);
        if (labelIndex < 0 || labelIndex >= items.size())
            return false;
        const CompactMap &item = items.at(labelIndex);
        if (kind == Kind::InstantMessage)
            return holds(QString(storedText(item.get(Key::Service), spare) + u':'))
                || holdsEntry(item, Key::Value);
        return holdsEntry(item, Key::StringValue);
    }
    if (kind == Kind::Address) {
        const CompactList &items = person.storedLabeledValues(QVPerson::LabeledField::Address);
        if (labelIndex < 0 || labelIndex >= items.size())
            return false;
        for (const QString &component :
             { FieldId::Zip, FieldId::State, FieldId::City, FieldId::Street, FieldId::Country }) {
            if (holdsEntry(items.at(labelIndex), component))
                return true;
        }
        return false;
    }
    if (kind == Kind::AddressComponent) {
        const CompactList &items = person.storedLabeledValues(QVPerson::LabeledField::Address);
        return labelIndex >= 0 && labelIndex < items.size()
            && holdsEntry(items.at(labelIndex), column.identifier);
    }
    if (kind == Kind::String && column.kind)
        return holds(storedText(person.storedItem(column.identifier), spare));
    if (kind == Kind::Name && person.showAsPerson()) {
        const CompactMap &name = person.storedDictionary(FieldId::Name);
        return holdsEntry(name, FieldId::FirstName) || holdsEntry(name, FieldId::LastName);
    }
    if (kind == Kind::PhoneticName) {
        const CompactMap &name = person.storedDictionary(FieldId::PhoneticName);
        return holdsEntry(name, FieldId::FirstName) || holdsEntry(name, FieldId::LastName);
    }
    return true;
}

bool SearchEngine::contactMayHold(const QList<Column> &plan, QVPerson &person) const
{
    using Kind = ItemTexts::FieldKind;
    for (const Column &column : plan) {
        if (!column.kind)
            return true;
        const Kind kind = *column.kind;
        if (kind == Kind::Never)
            continue;
        if (!ItemTexts::isPerItem(kind)) {
            if (mayHold(column, kind, person, 0))
                return true;
            continue;
        }
        const qsizetype count = column.field ? person.storedLabeledValues(*column.field).size()
            : kind == Kind::AddressComponent
            ? person.storedLabeledValues(QVPerson::LabeledField::Address).size()
            : 1;
        for (qsizetype i = 0; i < count; ++i) {
            if (mayHold(column, kind, person, i))
                return true;
        }
    }
    return false;
}

void SearchEngine::resetHitToDetailItem(const SubContactRow &contact, const QString &identifier,
                                        qsizetype labelIndex, const QString &subIdentifier)
{
    SearchHit hit;
    hit.contact = contact;
    hit.uniqueId = contact.uniqueId;
    hit.identifier = identifier;
    hit.subIdentifier = subIdentifier;
    hit.labelIndex = labelIndex;
    hit.range = TextRange { 0, 0 };
    m_hit = hit;
}

std::optional<SearchHit> SearchEngine::findInItem(const QString &identifier, const QString &subIdentifier,
                                                  qsizetype labelIndex, const TextRange &range,
                                                  const SubContactRow &row, FindMode mode,
                                                  Direction direction) const
{
    if (!row.person || m_findString.isEmpty())
        return std::nullopt;
    const ItemText item = ItemTexts::itemText(*row.person, identifier, labelIndex, mode, m_customItems);
    if (item.parts.isEmpty())
        return std::nullopt;

    SearchHit hit;
    hit.contact = row;
    hit.uniqueId = row.uniqueId;
    hit.identifier = identifier;
    hit.labelIndex = labelIndex == TextRange::NotFound ? 0 : labelIndex;

    if (!item.composite) {
        const TextRange found
            = lookForString(m_findString, item.parts.constFirst().text, range, direction, m_caseSensitivity);
        if (!found.isFound())
            return std::nullopt;
        hit.subIdentifier = subIdentifier;
        hit.range = found;
        return hit;
    }

    const bool forward = direction == Direction::Forward;
    const qsizetype count = item.parts.size();
    qsizetype start = forward ? 0 : count - 1;
    for (qsizetype i = 0; i < count && !subIdentifier.isEmpty(); ++i) {
        if (item.parts.at(i).subIdentifier == subIdentifier) {
            start = i;
            break;
        }
    }
    const bool address
        = ItemTexts::fieldKind(*row.person, identifier, m_customItems) == ItemTexts::FieldKind::Address;
    for (qsizetype i = start; forward ? i < count : i >= 0; i += forward ? 1 : -1) {
        const TextPart &part = item.parts.at(i);
        TextRange local;
        if (i == start && range.isFound()) {
            const qsizetype location = range.location - part.offset;
            // An address component is looked through only when the range lies inside it.
            if (address && (location < 0 || location > part.text.size()))
                continue;
            if (location >= 0)
                local = TextRange { location, range.length };
            else if (!forward)
                continue; // the range lies before this part: nothing of it comes earlier
        }
        const TextRange found = lookForString(m_findString, part.text, local, direction, m_caseSensitivity);
        if (found.isFound()) {
            hit.subIdentifier = part.subIdentifier;
            hit.itemRange = found;
            hit.range = TextRange { found.location + part.offset, found.length };
            return hit;
        }
    }
    return std::nullopt;
}

SearchHit SearchEngine::startingHit(const SubContactRows &rows)
{
    if (!m_hit) {
        SearchHit hit;
        hit.identifier = FieldId::Name;
        hit.range = TextRange { 0, 0 };
        if (!rows.isEmpty()) {
            hit.contact = rows.constFirst();
            hit.uniqueId = rows.constFirst().uniqueId;
        }
        m_hit = hit;
    }
    return *m_hit;
}

std::optional<SearchHit> SearchEngine::findInTable(const SubContactRows &rows, const QStringList &columns,
                                                   Direction direction)
{
    m_found = false;
    if (m_findString.isEmpty())
        return std::nullopt;
    const SearchHit from = startingHit(rows);
    const qsizetype rowCount = rows.size();
    const qsizetype fieldCount = columns.size();
    if (rowCount == 0 || fieldCount == 0)
        return m_hit;
    const bool forward = direction == Direction::Forward;

    qsizetype startField = columns.indexOf(from.identifier);
    if (startField < 0)
        startField = forward ? 0 : fieldCount - 1;
    qsizetype startRow = 0;
    for (qsizetype i = 0; i < rowCount; ++i) {
        if (rows.at(i).uniqueId == from.uniqueId && rows.at(i).labelIndex == from.labelIndex) {
            startRow = i;
            break;
        }
    }

    // Kinds of built-in fields are the same for every record; custom items are asked per record.
    QList<Column> plan;
    for (const QString &identifier : columns) {
        Column column { ItemTexts::canonicalIdentifier(identifier), std::nullopt,
                        QVPerson::labeledFieldForIdentifier(identifier) };
        if (QVPerson::isBuiltInIdentifier(identifier) || QVPerson::isAddressIdentifier(identifier))
            column.kind = ItemTexts::fieldKind(*rows.constFirst().person, identifier);
        plan.append(column);
    }

    // The rest of the table from the starting row, then from the other end up to the starting row
    // once more: an earlier occurrence in the starting cell is found only after every other one.
    // (Going on past the starting row would look again through rows that held nothing.)
    const qsizetype steps = rowCount + 1;
    const auto rowAt = [&](qsizetype step) -> const SubContactRow & {
        return rows.at(forward ? (startRow + step) % rowCount
                               : ((startRow - step) % rowCount + rowCount) % rowCount);
    };
    // Which cells of a block of rows may hold the find string: worked out on every core, since
    // each row is a walk through memory that the cache rarely holds. One bit per column.
    constexpr qsizetype kBlock = 4096;
    std::vector<quint64> candidates;
    const auto markBlock = [&](qsizetype begin, qsizetype end) {
        candidates.assign(size_t(end - begin), 0);
        std::vector<qsizetype> starts;
        for (qsizetype at = begin; at < end; at += 1024)
            starts.push_back(at);
        QtConcurrent::blockingMap(starts, [&](qsizetype chunk) {
            // A contact's rows lie together: once none of its items holds the string, its
            // other rows are passed over without reading the record again.
            const QVPerson *lastPerson = nullptr;
            bool lastMayHold = true;
            const qsizetype chunkEnd = std::min(end, chunk + 1024);
            for (qsizetype step = chunk; step < chunkEnd; ++step) {
                // The records lie all over memory: ask for the ones a few rows ahead early.
                if (step + 8 < chunkEnd)
                    __builtin_prefetch(rowAt(step + 8).person.get());
                const SubContactRow &row = rowAt(step);
                if (!row.person)
                    continue;
                if (row.person.get() != lastPerson) {
                    lastPerson = row.person.get();
                    lastMayHold = contactMayHold(plan, *row.person);
                }
                if (!lastMayHold)
                    continue;
                quint64 bits = 0;
                for (qsizetype f = 0; f < fieldCount && f < 64; ++f) {
                    const Column &column = plan.at(f);
                    // Custom items are looked at one by one below.
                    if (!column.kind)
                        bits |= quint64(1) << f;
                    else if (*column.kind != ItemTexts::FieldKind::Never
                             && (ItemTexts::isPerItem(*column.kind) || row.labelIndex == 0)
                             && mayHold(column, *column.kind, *row.person, row.labelIndex))
                        bits |= quint64(1) << f;
                }
                candidates[size_t(step - begin)] = bits;
            }
        });
    };

    bool first = true;
    for (qsizetype blockStart = 0; blockStart < steps; blockStart += kBlock) {
        const qsizetype blockEnd = std::min(steps, blockStart + kBlock);
        markBlock(blockStart, blockEnd);
        for (qsizetype step = blockStart; step < blockEnd; ++step) {
            const SubContactRow &row = rowAt(step);
            if (!row.person)
                continue;
            const quint64 bits = candidates[size_t(step - blockStart)];
            if (!first && bits == 0)
                continue;
            const qsizetype fromField = first ? startField : (forward ? 0 : fieldCount - 1);
            for (qsizetype f = fromField; forward ? f < fieldCount : f >= 0; f += forward ? 1 : -1) {
                const bool firstField = first;
                first = false;
                const Column &column = plan.at(f);
                if (!firstField && f < 64 && !(bits & (quint64(1) << f)))
                    continue;
                const ItemTexts::FieldKind kind = column.kind
                    ? *column.kind
                    : ItemTexts::fieldKind(*row.person, column.identifier, m_customItems);
                if (kind == ItemTexts::FieldKind::Never)
                    continue;
                // Single-valued fields show on a contact's first row only.
                if (!ItemTexts::isPerItem(kind) && row.labelIndex != 0)
                    continue;
                const auto found = firstField
                    ? findInItem(column.identifier, from.subIdentifier, row.labelIndex, from.range, row,
                                 FindMode::Table, direction)
                    : findInItem(column.identifier, QString(), row.labelIndex, TextRange {}, row,
                                 FindMode::Table, direction);
                if (found) {
                    m_hit = found;
                    m_found = true;
                    return m_hit;
                }
            }
            first = false;
        }
    }
    return m_hit;
}

std::optional<SearchHit> SearchEngine::findInContact(const SubContactRow &contact, Direction direction)
{
    m_found = false;
    if (m_findString.isEmpty())
        return std::nullopt;
    if (!contact.person)
        return m_hit;
    if (!m_hit || m_hit->uniqueId != contact.uniqueId)
        resetHitToDetailItem(contact, FieldId::Name, 0);
    const SearchHit from = *m_hit;
    const QStringList fields = ItemTexts::detailRowOrder(m_customItems);
    const qsizetype fieldCount = fields.size();
    const bool forward = direction == Direction::Forward;
    qsizetype startField = fields.indexOf(from.identifier);
    if (startField < 0)
        startField = 0;

    // Forward ends with the starting field once more, for what lies before the hit in it.
    const qsizetype entries = forward ? fieldCount + 1 : fieldCount;
    bool first = true;
    for (qsizetype k = 0; k < entries; ++k) {
        const qsizetype at = ((startField + (forward ? k : -k)) % fieldCount + fieldCount) % fieldCount;
        const QString &identifier = fields.at(at);
        const qsizetype count = ItemTexts::itemCount(*contact.person, identifier, m_customItems);
        qsizetype index = forward ? 0 : count - 1;
        if (first && from.labelIndex != TextRange::NotFound)
            index = std::clamp<qsizetype>(from.labelIndex, 0, count - 1);
        for (; forward ? index < count : index >= 0; index += forward ? 1 : -1) {
            const auto found = first ? findInItem(identifier, from.subIdentifier, index, from.range, contact,
                                                  FindMode::Detail, direction)
                                     : findInItem(identifier, QString(), index, TextRange {}, contact,
                                                  FindMode::Detail, direction);
            first = false;
            if (found) {
                m_hit = found;
                m_found = true;
                return m_hit;
            }
        }
        first = false;
    }
    return m_hit;
}
