// What the table's last reload worked out, kept so that the next reload redoes only what changed.
//
// Records tell by their revision whether their values changed; what else the rows depend on (the
// columns, the label filter, the sort, the name and collation settings) is the reload's Shape.
// A contact whose record did not change keeps the text lines measured of its rows; when no
// contact changed and the shape is the same, the rows a reload would build are the very rows
// standing.
#pragma once

#include "record/entries.h"
#include "table/sortkeys.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

class ReloadMemory
{
public:
    struct Shape
    {
        QStringList identifiers;
        QStringList selectedLabels;
        std::optional<SortDescriptor> sort;
        bool showCompanyInNameCell = false;
        int settingsGeneration = 0; // composed names follow the name settings
        QString localeName; // texts sort in the locale's order
        friend bool operator==(const Shape &, const Shape &) = default;
    };
    // The shape of a reload under the current settings and locale.
    static Shape shapeOf(const QStringList &identifiers, const QStringList &selectedLabels,
                         const std::optional<SortDescriptor> &sort, bool showCompanyInNameCell);

    // Notes the contacts' state before a reload reads them (a record that changes while it is
    // read counts as changed next time). Answers whether the rows of the last reload, as they
    // stand, are what this reload would build: the reload is over then.
    bool begin(const ContactList &contacts, const Shape &shape);
    // For each of this reload's rows (built order), the last reload's row (built order) that
    // stands for the same item position of a contact whose record did not change since; -1 for
    // none.
    std::vector<qsizetype> previousRows(const SubContactRows &rows) const;
    // Whether rows found by previousRows() keep the text lines measured then (the same columns).
    bool keepsLines() const;
    int cellLines(qsizetype previousRow) const { return m_cellLines[size_t(previousRow)]; }
    // Keeps what this reload measured (rows in built order, company line not yet added).
    void finish(const SubContactRows &builtRows);
    // The rows were put in another order or measured again outside a reload: they no longer
    // stand for a reload's (the lines kept are still good for records that did not change).
    void rowsMoved() { m_rowsStand = false; }
    // Drops everything (no table).
    void clear();

    // Bytes held, for the benchmarks.
    qsizetype bytesUsed() const;

private:
    // A contact entry as a reload sees it; entries that show no rows keep a null person.
    struct Contact
    {
        PersonPtr person;
        quint64 revision = 0;
        QString uniqueId;
        qsizetype firstRow = 0; // where its rows start among the built rows
        qsizetype rowCount = 0;
        friend bool operator==(const Contact &a, const Contact &b)
        {
            return a.person == b.person && a.revision == b.revision && a.uniqueId == b.uniqueId;
        }
    };
    struct State
    {
        Shape shape;
        std::vector<Contact> contacts;
    };

    State m_last; // what the kept lines and rows were made from
    std::optional<State> m_next; // the reload under way
    std::vector<int> m_cellLines; // the last reload's rows, in built order
    bool m_hasLast = false;
    bool m_rowsStand = false;
};
