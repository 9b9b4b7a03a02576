// Building the table's rows (sub-contact rows) from a contact table.
//
// A contact gets one row per item position over all shown multi-valued fields: rows 0..m, where m
// is the highest position of an item that passes the label filter (positions in the full item
// list, not counts of passing items). Its first row is always made.
#pragma once

#include "record/entries.h"

#include <QStringList>

class SubContactBuilder
{
public:
    SubContactBuilder(const QStringList &identifiers, const QStringList &selectedLabels);
    ~SubContactBuilder();
    SubContactBuilder(const SubContactBuilder &) = delete;
    SubContactBuilder &operator=(const SubContactBuilder &) = delete;

    // The rows of one contact entry (the entry's "deleted" mark is not looked at here).
    SubContactRows rowsForContact(const ContactEntry &entry) const;

    // The rows of entries [begin, end) in entry order, deleted entries skipped, on this thread.
    SubContactRows rowsForRange(const ContactList &contacts, qsizetype begin, qsizetype end) const;

    // The rows of every entry, in contact-table order: the first quarter on the calling thread,
    // the other three on the global thread pool, joined in range order.
    SubContactRows rowsForContacts(const ContactList &contacts) const;

    // Named after the operations the table controller exposes.
    static SubContactRows createSubContactsFromContact(const ContactEntry &entry,
                                                       const QStringList &identifiers,
                                                       const QStringList &selectedLabels);
    static SubContactRows updateSubContactTable(const ContactList &contacts, const QStringList &identifiers,
                                                const QStringList &selectedLabels);

    // Marks each row whose upper neighbour belongs to the same contact, and clears the mark elsewhere.
    static void markNotFirstRows(SubContactRows &rows);

private:
    void appendRows(const ContactEntry &entry, SubContactRows &out) const;

    struct Plan;
    Plan *d;
};
