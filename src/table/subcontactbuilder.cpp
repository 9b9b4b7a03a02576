#include "table/subcontactbuilder.h"

#include "record/keys.h"
#include "table/recordreader.h"

#include <QFuture>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>
#include <array>
#include <optional>

// What the builder reads for each shown column, resolved once for all contacts: the built-in
// labeled field (address components read "Address"), or a name that only some records define as
// a custom "Labeled Value" item. Other columns add no rows.
struct SubContactBuilder::Plan
{
    QList<QVPerson::LabeledField> builtInFields;
    QStringList customIdentifiers;
    LabelFilter filter;
};

SubContactBuilder::SubContactBuilder(const QStringList &identifiers, const QStringList &selectedLabels)
    : d(new Plan)
{
    d->filter = LabelFilter(selectedLabels);
    const QStringList builtIn = QVPerson::allIdentifiers();
    for (const QString &identifier : identifiers) {
        std::optional<QVPerson::LabeledField> field;
        if (QVPerson::isAddressIdentifier(identifier))
            field = QVPerson::LabeledField::Address;
        else
            field = QVPerson::labeledFieldForIdentifier(identifier);
        if (field) {
            if (!d->builtInFields.contains(*field))
                d->builtInFields.append(*field);
        } else if (!builtIn.contains(identifier) && !d->customIdentifiers.contains(identifier)) {
            d->customIdentifiers.append(identifier);
        }
    }
}

SubContactBuilder::~SubContactBuilder()
{
    delete d;
}

namespace {

// The number of rows a field asks for: one past the highest position of a passing item.
qsizetype rowsNeeded(const LabeledItems &items, const LabelFilter &filter)
{
    if (filter.passesAll())
        return items.size();
    for (qsizetype i = items.size() - 1; i >= 0; --i) {
        if (filter.passes(items.label(i)))
            return i + 1;
    }
    return 0;
}

} // namespace

void SubContactBuilder::appendRows(const ContactEntry &entry, SubContactRows &out) const
{
    const QVPerson &person = *entry->person;
    qsizetype count = 1;
    for (const QVPerson::LabeledField field : std::as_const(d->builtInFields))
        count = std::max(count, rowsNeeded(LabeledItems(person, field), d->filter));
    for (const QString &identifier : std::as_const(d->customIdentifiers))
        count = std::max(count, rowsNeeded(LabeledItems(person, identifier), d->filter));
    for (qsizetype i = 0; i < count; ++i) {
        SubContactRow row;
        row.person = entry->person;
        row.uniqueId = entry->uniqueId;
        row.labelIndex = int(i);
        out.append(std::move(row));
    }
}

SubContactRows SubContactBuilder::rowsForContact(const ContactEntry &entry) const
{
    SubContactRows rows;
    if (entry && entry->person)
        appendRows(entry, rows);
    return rows;
}

SubContactRows SubContactBuilder::rowsForRange(const ContactList &contacts, qsizetype begin,
                                               qsizetype end) const
{
    SubContactRows rows;
    // Most contacts hold a few items per shown field; growing past this is rare.
    rows.reserve((end - begin) * (d->builtInFields.isEmpty() && d->customIdentifiers.isEmpty() ? 1 : 3));
    for (qsizetype i = begin; i < end; ++i) {
        const ContactEntry &entry = contacts.at(i);
        if (entry && entry->person && !entry->deleted)
            appendRows(entry, rows);
    }
    return rows;
}

SubContactRows SubContactBuilder::rowsForContacts(const ContactList &contacts) const
{
    const qsizetype n = contacts.size();
    const qsizetype q = n / 4;
    // Ranges: [0,q) here; [q,2q), [2q,3q), [3q,n) on the pool. For n < 4 the last takes everything.
    const std::array<std::pair<qsizetype, qsizetype>, 3> ranges {
        { { q, 2 * q }, { 2 * q, 3 * q }, { 3 * q, n } }
    };
    std::array<QFuture<SubContactRows>, 3> tasks;
    for (size_t t = 0; t < ranges.size(); ++t) {
        const auto [begin, end] = ranges[t];
        tasks[t]
            = QtConcurrent::run(QThreadPool::globalInstance(), [this, &contacts, begin = begin, end = end] {
                  return rowsForRange(contacts, begin, end);
              });
    }
    SubContactRows first = rowsForRange(contacts, 0, q);
    // Every task is waited for to the end: a missing range would silently drop contacts.
    std::array<SubContactRows, 3> parts;
    qsizetype total = first.size();
    for (size_t t = 0; t < tasks.size(); ++t) {
        parts[t] = tasks[t].takeResult();
        total += parts[t].size();
    }
    SubContactRows rows;
    rows.reserve(total);
    rows.append(std::move(first));
    for (SubContactRows &part : parts)
        rows.append(std::move(part));
    return rows;
}

SubContactRows SubContactBuilder::createSubContactsFromContact(const ContactEntry &entry,
                                                               const QStringList &identifiers,
                                                               const QStringList &selectedLabels)
{
    return SubContactBuilder(identifiers, selectedLabels).rowsForContact(entry);
}

SubContactRows SubContactBuilder::updateSubContactTable(const ContactList &contacts,
                                                        const QStringList &identifiers,
                                                        const QStringList &selectedLabels)
{
    return SubContactBuilder(identifiers, selectedLabels).rowsForContacts(contacts);
}

void SubContactBuilder::markNotFirstRows(SubContactRows &rows)
{
    for (qsizetype i = 0; i < rows.size(); ++i)
        rows[i].notFirstRow = i > 0 && rows.at(i).uniqueId == rows.at(i - 1).uniqueId;
}
