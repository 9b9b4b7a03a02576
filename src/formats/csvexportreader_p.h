// Reading the records of an address book exported by another program into contacts.
#pragma once

#include "formats/csvexportcolumns_p.h"
#include "record/entries.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QStringList>

class CsvExportReader
{
public:
    // The columns a header names; recognised() tells whether it is a header at all.
    static CsvExportReader fromHeader(const QStringList &header);
    // Columns guessed from the values of a first line that is no header: e-mail addresses, phone
    // numbers and, first of the other texts, the name.
    static CsvExportReader guessedFrom(const QStringList &firstRecord);

    bool recognised() const;
    // The contact of one record; the groups it names are appended to groups.
    ContactEntry read(const QStringList &cells, QStringList *groups);

private:
    void addColumn(const CsvExport::Column &column, const QString &header);
    void registerLabels(const QString &identifier, const QVariantList &items);

    QList<CsvExport::Column> m_columns;
    // Per column: the item its values fill (columns of one header share it, a later cell
    // replacing an earlier one), the address its part belongs to, the label cell it takes its
    // label from; -1 for none.
    QList<int> m_item;
    QList<int> m_address;
    QList<int> m_labelCell;
    QHash<QString, int> m_itemKeys;
    QHash<QString, int> m_addressKeys;
    QHash<QString, int> m_labelKeys;
    bool m_holdsValues = false; // a field of the header is a value (an e-mail address)
    QSet<QString> m_registeredLabels; // custom labels this file registered
};
