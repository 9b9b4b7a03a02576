// Shortcuts of large reloads that must give what the plain way gives: row heights measured a
// contact at a time, and neighbouring rows that share one sort key sorted as one run.
#include "record/keys.h"
#include "table/collationkeys.h"
#include "table/rowheight.h"
#include "tabletestutil.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace TableTest;

namespace {

TEST(ReloadParts, RowsMeasuredTogetherGetTheirOwnLines)
{
    PersonPtr tall = person("Anna", "Berg");
    tall->setValue(qs("a\nb\nc"), FieldId::Note);
    add(tall, FieldId::Phone, { { "home", "1" }, { "work", "2\n3\n4\n5" } });
    PersonPtr flat = person("Bo", "Ek");
    add(flat, FieldId::Phone, { { "home", "1" }, { "work", "2\n3" } });
    // Rows of a contact lie together, but a slice may start inside them.
    SubContactRows rows { rowOf(tall, 0), rowOf(tall, 1, true), rowOf(flat, 0), rowOf(flat, 1, true),
                          rowOf(tall, 0) };
    const QStringList columns { FieldId::Name, FieldId::Phone, FieldId::Note };
    RowHeights::CellLineCounter counter(columns);
    counter.measureRows(rows.data(), rows.data() + 3);
    counter.measureRows(rows.data() + 3, rows.data() + rows.size());
    const QList<int> expected { 3, 4, 1, 2, 3 };
    for (int i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows.at(i).numLines, expected.at(i)) << "row " << i;
        EXPECT_EQ(rows.at(i).numLines, RowHeights::cellLines(rows.at(i), columns)) << "row " << i;
    }
}

TEST(ReloadParts, SharedKeysSortLikeEachTextAlone)
{
    const QString shared = qs("Berg");
    // The same text as one shared string (a contact's rows), as separate copies, and missing.
    const std::vector<QString> texts { qs("Ek"), shared,    shared,    QString(qs("Be")) + qs("rg"),
                                       shared,   QString(), qs("Alm"), shared };
    for (const bool ascending : { true, false }) {
        std::vector<qsizetype> reference(texts.size());
        for (size_t i = 0; i < texts.size(); ++i)
            reference[i] = qsizetype(i);
        const auto present = std::stable_partition(reference.begin(), reference.end(), [&texts](qsizetype i) {
            return !texts[size_t(i)].isEmpty();
        });
        std::stable_sort(reference.begin(), present, [&texts, ascending](qsizetype a, qsizetype b) {
            const int c = QString::compare(texts[size_t(a)], texts[size_t(b)], Qt::CaseInsensitive);
            return ascending ? c < 0 : c > 0;
        });
        EXPECT_EQ(CollationKeys(texts).sortedOrder(ascending), reference)
            << (ascending ? "ascending" : "descending");
    }
}

} // namespace
