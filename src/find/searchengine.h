// SearchEngine: the incremental find of the find bar and the Find menu. It looks field by field
// through the rows of the contacts table (table mode) or through the one contact of the detail
// side bar (detail mode), and remembers the occurrence it found as the current search hit, which
// is also where the next search starts.
#pragma once

#include "find/itemtext.h"
#include "find/searchhit.h"

#include <QStringList>
#include <QStringMatcher>
#include <QVariantList>
#include <optional>

class SearchEngine
{
public:
    enum class Direction
    {
        Forward,
        Backward
    };

    // The occurrence of `findString` in `text` after `range` (forward: from its end; location
    // NotFound: the whole text) or before it (backward: up to its location); NotFound when none.
    static TextRange lookForString(const QString &findString, const QString &text, const TextRange &range,
                                   Direction direction, Qt::CaseSensitivity cs);

    QString findString() const { return m_findString; }
    void setFindString(const QString &findString);
    bool isCaseInsensitive() const { return m_caseSensitivity == Qt::CaseInsensitive; }
    void setCaseInsensitive(bool caseInsensitive);
    Qt::CaseSensitivity caseSensitivity() const { return m_caseSensitivity; }
    void setCustomItems(const QVariantList &customItems) { m_customItems = customItems; }

    const std::optional<SearchHit> &hit() const { return m_hit; }
    void setHit(const std::optional<SearchHit> &hit) { m_hit = hit; }
    // A selected table row: the next search starts at its name.
    void resetHitToRow(const SubContactRow &row) { m_hit = SearchHit::atRow(row); }
    // A row of the detail side bar: the next search starts at that field's item.
    void resetHitToDetailItem(const SubContactRow &contact, const QString &identifier, qsizetype labelIndex,
                              const QString &subIdentifier = {});

    // The next (previous) occurrence in one item: the part named by subIdentifier from `range`
    // on, then the following (preceding) parts whole.
    std::optional<SearchHit> findInItem(const QString &identifier, const QString &subIdentifier,
                                        qsizetype labelIndex, const TextRange &range,
                                        const SubContactRow &row, FindMode mode, Direction direction) const;

    // Moves to the next (previous) occurrence through the table's rows and columns, with
    // wrap-around. Answers the hit after the move: the new one, or the previous one when nothing
    // was found; none for an empty find string.
    std::optional<SearchHit> findInTable(const SubContactRows &rows, const QStringList &columns,
                                         Direction direction);
    // Whether the last move found a new occurrence (the hit it answered is then the new one).
    bool lastMoveFound() const { return m_found; }
    // The same through the fields of the detail side bar's contact.
    std::optional<SearchHit> findInContact(const SubContactRow &contact, Direction direction);

private:
    // A table column as the search walks it: what is the same for every row, worked out once.
    struct Column
    {
        QString identifier;
        std::optional<ItemTexts::FieldKind> kind; // none: a custom item, asked per record
        std::optional<QVPerson::LabeledField> field;
    };
    // Whether the item may hold the find string: false only when none of its texts does. Most
    // items of a large table hold nothing, and this spares building their texts.
    bool mayHold(const Column &column, ItemTexts::FieldKind kind, QVPerson &person,
                 qsizetype labelIndex) const;
    bool holds(QStringView text) const;
    // The same for every item of a contact in the given columns.
    bool contactMayHold(const QList<Column> &plan, QVPerson &person) const;

    // The hit to start from: the current one, or the first row's name.
    SearchHit startingHit(const SubContactRows &rows);

    QString m_findString;
    QStringMatcher m_matcher { QString(), Qt::CaseInsensitive };
    Qt::CaseSensitivity m_caseSensitivity = Qt::CaseInsensitive;
    QVariantList m_customItems;
    std::optional<SearchHit> m_hit;
    bool m_found = false;
};
