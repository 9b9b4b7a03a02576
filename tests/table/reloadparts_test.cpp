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

// A large sort runs in slices on several threads and merges them: it must give the same stable
// order as one sort (plain lowercase words collate as they compare).
TEST(ReloadParts, ALargeSortInSlicesKeepsTheStableOrder)
{
    std::vector<QString> texts;
    quint32 seed = 12345;
    for (int i = 0; i < 90000; ++i) {
        seed = seed * 1664525u + 1013904223u;
        QString word;
        for (int n = 0; n < 1 + int(seed >> 30); ++n)
            word += QChar(u'a' + char16_t((seed >> (8 + 4 * n)) % 6));
        texts.push_back(i % 97 == 0 ? QString() : word);
    }
    for (const bool ascending : { true, false }) {
        std::vector<qsizetype> reference(texts.size());
        for (size_t i = 0; i < texts.size(); ++i)
            reference[i] = qsizetype(i);
        const auto present = std::stable_partition(reference.begin(), reference.end(), [&texts](qsizetype i) {
            return !texts[size_t(i)].isEmpty();
        });
        std::stable_sort(reference.begin(), present, [&texts, ascending](qsizetype a, qsizetype b) {
            const int c = QString::compare(texts[size_t(a)], texts[size_t(b)]);
            return ascending ? c < 0 : c > 0;
        });
        EXPECT_EQ(CollationKeys(texts).sortedOrder(ascending), reference)
            << (ascending ? "ascending" : "descending");
    }
}

// Keys carried over from earlier sorts: a text that is still the same string reuses its key, a
// text edited in place (same storage, same length) gets a key of its own, and texts that never
// had keys do not borrow any.
TEST(ReloadParts, EarlierKeysServeOnlyTheTextsTheyWereMadeFor)
{
    QString edited = qs("Cox");
    const QString abe = qs("Abe");
    const QString bly = qs("Bly");
    const QString zed = QString::fromRawData(reinterpret_cast<const QChar *>(u"Zed"), 3);
    const QString dee = qs("Dee");
    const std::vector<QString> first { abe, bly, zed };
    const CollationKeys earlier(std::vector<QString> { edited, abe, bly, zed }, {});
    const CollationKeys older(std::vector<QString> { dee }, {});
    edited[1] = u'd'; // now "Ada": the record's text changed where it lies
    edited[2] = u'a';
    edited[0] = u'A';

    const std::vector<QString> next { edited, abe, bly, zed, qs("Aaa"), dee, QString() };
    const std::vector<qsizetype> expected { 4, 1, 0, 2, 5, 3, 6 };
    EXPECT_EQ(CollationKeys(next).sortedOrder(true), expected);
    EXPECT_EQ(CollationKeys(next, { &earlier, &older }).sortedOrder(true), expected);
    EXPECT_EQ(CollationKeys(next, { &earlier }).sortedOrder(false),
              (std::vector<qsizetype> { 3, 5, 2, 0, 1, 4, 6 }));

    // The very same strings sort as before, in either direction, from the kept keys alone.
    const CollationKeys again(first, { &earlier });
    EXPECT_EQ(again.sortedOrder(true), (std::vector<qsizetype> { 0, 1, 2 }));
    EXPECT_EQ(CollationKeys(first, { &again }).sortedOrder(false), (std::vector<qsizetype> { 2, 1, 0 }));
}

// A reload sorts the very texts of the sort before, in the same places: their keys are taken by
// place, but not for a place that holds another string now, nor for raw data, which may have
// changed under the same address.
TEST(ReloadParts, KeysInTheSamePlacesServeOnlyTheSameStrings)
{
    char16_t buffer[] = u"Bob";
    const QString raw = QString::fromRawData(reinterpret_cast<const QChar *>(buffer), 3);
    const std::vector<QString> texts { qs("Eve"), qs("Cy"), qs("Bea"), QString(), qs("Al"), qs("Dee") };
    const CollationKeys before(texts, {});
    std::vector<QString> withRaw = texts;
    withRaw[2] = raw;
    const CollationKeys beforeRaw(withRaw, {});

    std::vector<QString> replaced = texts;
    replaced[1] = qs("Zoe");
    std::vector<QString> emptied = texts;
    emptied[0] = QString();
    buffer[0] = u'Z'; // "Zob" now, where "Bob" was
    struct Case
    {
        const char *name;
        std::vector<QString> texts;
        const CollationKeys *earlier;
    };
    const Case cases[] = {
        { "the same strings", texts, &before },
        { "another string in one place", replaced, &before },
        { "a place emptied", emptied, &before },
        { "raw data changed in place", withRaw, &beforeRaw },
    };
    for (const Case &c : cases) {
        for (const bool ascending : { true, false }) {
            EXPECT_EQ(CollationKeys(c.texts, { c.earlier }).sortedOrder(ascending),
                      CollationKeys(c.texts).sortedOrder(ascending))
                << c.name << (ascending ? ", ascending" : ", descending");
        }
    }
}

} // namespace
