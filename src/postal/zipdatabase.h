// ZipDatabase: the postal-code lists in their compact line form, with an index of the postal-code
// field of every line so that a lookup touches only the lines it returns.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <vector>

class ZipDatabase
{
public:
    struct Source
    {
        QString name; // "ken_all" or "jigyosyo": decides the line form
        QString path; // a resource or a file
    };

    // Reads, inflates, decodes and compacts each source in order; one that cannot be read is left
    // out and named in problems().
    static ZipDatabase load(const QList<Source> &sources);
    // The shipped lists, loaded once per process; safe when several threads ask at the same time.
    static const ZipDatabase &shared();
    static QList<Source> shippedSources();
    // How many times shared() has loaded the lists (once at most).
    static int sharedLoadCount();

    const QStringList &lists() const { return m_lists; }
    // One sentence per list that could not be used, for the user.
    const QStringList &problems() const { return m_problems; }

    // The starts of the lines of list number `list` whose postal code begins with the digits, in
    // their order in the list. Seven digits match the very code only.
    std::vector<qsizetype> linesWithCode(qsizetype list, QStringView digits) const;

private:
    struct CodeEntry
    {
        qsizetype lineStart;
        qsizetype codeStart;
        qsizetype codeLength;
    };

    void append(const QString &compact, QList<CodeEntry> index);

    QStringList m_lists;
    QList<QList<CodeEntry>> m_indexes;
    QStringList m_problems;
};
