#include "table/reloadmemory.h"

#include "platform/contactsettings.h"

#include <QHash>
#include <QLocale>

ReloadMemory::Shape ReloadMemory::shapeOf(const QStringList &identifiers, const QStringList &selectedLabels,
                                          const std::optional<SortDescriptor> &sort,
                                          bool showCompanyInNameCell)
{
    return { identifiers,     selectedLabels, sort, showCompanyInNameCell, ContactSettings::generation(),
             QLocale().name() };
}

bool ReloadMemory::begin(const ContactList &contacts, const Shape &shape)
{
    State next;
    next.shape = shape;
    next.contacts.reserve(size_t(contacts.size()));
    for (const ContactEntry &entry : contacts) {
        Contact contact;
        if (entry && entry->person && !entry->deleted) {
            contact.person = entry->person;
            contact.revision = entry->person->revision();
            contact.uniqueId = entry->uniqueId;
        }
        next.contacts.push_back(std::move(contact));
    }
    if (m_hasLast && m_rowsStand && next.shape == m_last.shape && next.contacts == m_last.contacts) {
        m_next.reset();
        return true;
    }
    m_next = std::move(next);
    return false;
}

std::vector<qsizetype> ReloadMemory::previousRows(const SubContactRows &rows) const
{
    std::vector<qsizetype> previous(size_t(rows.size()), -1);
    if (!keepsLines() || m_last.contacts.empty())
        return previous;
    // Contacts mostly keep their places: the one after the last match is tried before a search.
    QHash<const QVPerson *, size_t> lastAt;
    auto findLast = [this, &lastAt](const QVPerson *person, size_t guess) -> const Contact * {
        if (guess < m_last.contacts.size() && m_last.contacts[guess].person.get() == person)
            return &m_last.contacts[guess];
        if (lastAt.isEmpty()) {
            lastAt.reserve(qsizetype(m_last.contacts.size()));
            for (size_t i = 0; i < m_last.contacts.size(); ++i) {
                if (m_last.contacts[i].person)
                    lastAt.insert(m_last.contacts[i].person.get(), i);
            }
        }
        const auto it = lastAt.constFind(person);
        return it == lastAt.constEnd() ? nullptr : &m_last.contacts[it.value()];
    };

    qsizetype row = 0;
    size_t guess = 0;
    for (const Contact &contact : m_next->contacts) {
        if (!contact.person)
            continue;
        if (row >= rows.size())
            break;
        // A contact's rows start at position 0 and follow each other.
        const qsizetype first = row;
        do
            ++row;
        while (row < rows.size() && rows.at(row).labelIndex != 0);
        const Contact *last = findLast(contact.person.get(), guess);
        if (!last || last->revision != contact.revision)
            continue;
        guess = size_t(last - m_last.contacts.data()) + 1;
        // Under another label filter a contact may have more or fewer rows; a position's item is
        // the same.
        const qsizetype kept = std::min(row - first, last->rowCount);
        for (qsizetype i = 0; i < kept; ++i)
            previous[size_t(first + i)] = last->firstRow + i;
    }
    return previous;
}

bool ReloadMemory::keepsLines() const
{
    return m_hasLast && m_next && m_next->shape.identifiers == m_last.shape.identifiers;
}

void ReloadMemory::finish(const SubContactRows &builtRows)
{
    if (!m_next)
        return;
    m_last = std::move(*m_next);
    m_next.reset();
    m_cellLines.resize(size_t(builtRows.size()));
    for (qsizetype i = 0; i < builtRows.size(); ++i)
        m_cellLines[size_t(i)] = builtRows.at(i).numLines;
    qsizetype row = 0;
    for (Contact &contact : m_last.contacts) {
        if (!contact.person || row >= builtRows.size())
            continue;
        contact.firstRow = row;
        do
            ++row;
        while (row < builtRows.size() && builtRows.at(row).labelIndex != 0);
        contact.rowCount = row - contact.firstRow;
    }
    m_hasLast = true;
    m_rowsStand = true;
}

void ReloadMemory::clear()
{
    m_last = {};
    m_next.reset();
    m_cellLines = {};
    m_hasLast = false;
    m_rowsStand = false;
}

qsizetype ReloadMemory::bytesUsed() const
{
    return qsizetype(m_last.contacts.capacity() * sizeof(Contact) + m_cellLines.capacity() * sizeof(int));
}
