// Label registration from reader threads.
//
// Reading a file registers every label it meets in the class-level label tables. Those tables
// belong to the main thread, so a reader thread installs a Deferral: registrations made on that
// thread are collected instead, and the main thread applies them afterwards, in file order.
#pragma once

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QVarLengthArray>

namespace LabelRegistration {

struct Change
{
    QString oldLabel;
    QString newLabel;
    QString identifier;
};

class Deferral
{
public:
    Deferral();
    ~Deferral();
    Deferral(const Deferral &) = delete;
    Deferral &operator=(const Deferral &) = delete;

    bool record(const QString &oldLabel, const QString &newLabel, const QString &identifier);
    QList<Change> takeChanges();

private:
    Deferral *m_previous;
    QList<Change> m_changes;
    QHash<QString, QSet<QString>> m_seen; // identifier -> labels met
    // The same for pairs of the program's own constants, by the address of their characters:
    // most labels of a file are constants, and this spares hashing them for every item.
    struct ConstantPair
    {
        const QChar *identifier;
        qsizetype identifierSize;
        const QChar *label;
        qsizetype labelSize;
        bool operator==(const ConstantPair &) const = default;
    };
    QVarLengthArray<ConstantPair, 16> m_seenConstants;
};

// Applies collected registrations on the calling (main) thread.
void apply(const QList<Change> &changes);

} // namespace LabelRegistration
