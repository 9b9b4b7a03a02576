// Class-level tables of QVPerson, shared by all records.
#pragma once

#include <QHash>
#include <QReadWriteLock>
#include <QStringList>
#include <QVariantList>
#include <QVariantMap>

#include <atomic>

namespace QVPersonPrivate {

struct ClassTables
{
    // Written on the main thread (start-up, preferences, label panels); read by reader threads too.
    mutable QReadWriteLock lock;

    // Bumped (under the lock) whenever one of the identifier lists below changes.
    std::atomic<int> identifierGeneration { 0 };

    QStringList allIdentifiers;
    QStringList labeledIdentifiers;
    QStringList stringIdentifiers;
    QStringList addressIdentifiers;
    QStringList phoneticIdentifiers;
    QHash<QString, QString> cnIdentifiers;
    QVariantList customItems;

    // Labels: identifier -> labels; the first two are index-aligned.
    QHash<QString, QStringList> labelTable;
    QHash<QString, QStringList> localizedLabelTable;
    QHash<QString, QStringList> customLabelTable;

    // Address formats: the enriched entries in file order, and code -> entry.
    QVariantList addressFormatTable;
    QVariantMap addressFormatDict;
    // Derived look-ups, rebuilt whenever the address formats change:
    // upper-case code -> component order and -> format string (from the dictionary),
    // and column value -> code for country prediction (from the table, first entry wins).
    QHash<QString, QStringList> addressOrders;
    QHash<QString, QString> addressFormatStrings;
    QHash<QString, QString> codeByCountry;
    QHash<QString, QString> codeByCode;
    QHash<QString, QString> codeByAlpha3;
    QHash<QString, QString> codeByLocalizedCountry;
};

// The tables, initialised on first use (thread-safe).
ClassTables &tables();

// Label table construction and address-format loading, called by the class initialiser.
void initializeLabelTables(ClassTables &t);
void initializeAddressFormats(ClassTables &t);
// Adds the derived keys ("Order", localized names) to one raw address-format entry.
QVariantMap enrichAddressFormatEntry(const QVariantMap &entry);

} // namespace QVPersonPrivate
