#include "../testutil.h"
#include "print/keys.h"
#include "print/printmetrics.h"
#include "print/verticaltext.h"

#include <gtest/gtest.h>

namespace {

using VerticalText::Direction;

QFont tenPoint()
{
    return PrintMetrics::font(PrintFont::JapaneseFallback, 10);
}

qreal descent()
{
    return VerticalText::descender(tenPoint());
}

TEST(VerticalTextClasses, JapaneseRangesAndTheClassesBesideThem)
{
    for (const char16_t c : { u'\u3042', u'\u30A2', u'\u6F22', u'\u3001' })
        EXPECT_TRUE(VerticalText::isJapanese(c)) << int(c);
    for (const char16_t c : { u'A', u'\uFF11', u'\uD55C' })
        EXPECT_FALSE(VerticalText::isJapanese(c)) << int(c);
    using VerticalText::CharClass;
    EXPECT_EQ(VerticalText::classify(u'\u30FC'), CharClass::Dash);
    EXPECT_EQ(VerticalText::classify(u'\u2015'), CharClass::Dash);
    EXPECT_EQ(VerticalText::classify(u'\u3087'), CharClass::SmallKana);
    EXPECT_EQ(VerticalText::classify(u'\uFF70'), CharClass::Narrow);
    EXPECT_EQ(VerticalText::classify(u'\uFF76'), CharClass::Halfwidth);
    EXPECT_EQ(VerticalText::classify(u'\uFF11'), CharClass::Upright);
    EXPECT_EQ(VerticalText::classify(u'\uD55C'), CharClass::Narrow);
}

TEST(VerticalTextColumns, KanjiStandUprightAndLatinLettersTurnAtHalfACell)
{
    const VerticalText::Layout kanji
        = VerticalText::layout(qs("東京都"), tenPoint(), QPointF(100, 50), Direction::Columns);
    ASSERT_EQ(kanji.characters.size(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(kanji.characters.at(i).rotation, 0);
        EXPECT_NEAR(kanji.characters.at(i).origin.x(), 90, 1e-9);
        EXPECT_NEAR(kanji.characters.at(i).origin.y(), 50 + 10 * (i + 1) - descent(), 1e-9);
    }
    EXPECT_EQ(kanji.covered, QRectF(90, 50, 10, 30));

    // Turned letters take their own width, at least half a cell.
    const QFontMetricsF fm = PrintMetrics::metrics(tenPoint());
    const VerticalText::Layout latin
        = VerticalText::layout(qs("Wil"), tenPoint(), QPointF(100, 50), Direction::Columns);
    ASSERT_EQ(latin.characters.size(), 3);
    qreal y = 50;
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(latin.characters.at(i).rotation, 90);
        EXPECT_NEAR(latin.characters.at(i).origin.y(), y, 1e-9) << i;
        y += std::max(5.0, fm.horizontalAdvance(latin.characters.at(i).text));
    }
    EXPECT_GT(fm.horizontalAdvance(qs("W")), 5);
    EXPECT_LT(fm.horizontalAdvance(qs("i")), 5);
    EXPECT_NEAR(latin.covered.height(), y - 50, 1e-9);
}

TEST(VerticalTextColumns, SmallKanaDashesAndLineFeeds)
{
    const VerticalText::Layout kana
        = VerticalText::layout(qs("ょ東"), tenPoint(), QPointF(100, 0), Direction::Columns);
    ASSERT_EQ(kana.characters.size(), 2);
    // Half a cell, a quarter cell above where an upright character at the same place would stand.
    const VerticalText::Layout upright
        = VerticalText::layout(qs("東"), tenPoint(), QPointF(100, 0), Direction::Columns);
    EXPECT_NEAR(kana.characters.at(0).origin.y(), upright.characters.at(0).origin.y() - 2.5, 1e-9);
    EXPECT_NEAR(kana.characters.at(1).origin.y(), upright.characters.at(0).origin.y() + 5, 1e-9);
    EXPECT_NEAR(kana.covered.height(), 15, 1e-9);

    // The long-vowel mark runs along the column and takes a full cell.
    const VerticalText::Layout dash
        = VerticalText::layout(qs("ー東"), tenPoint(), QPointF(100, 0), Direction::Columns);
    EXPECT_EQ(dash.characters.at(0).rotation, 90);
    EXPECT_NEAR(dash.covered.height(), 20, 1e-9);

    // A line feed starts a new column one cell further left, at the top.
    const VerticalText::Layout two
        = VerticalText::layout(qs("東京\n都"), tenPoint(), QPointF(100, 50), Direction::Columns);
    ASSERT_EQ(two.characters.size(), 3);
    EXPECT_NEAR(two.characters.at(2).origin.x(), 80, 1e-9);
    EXPECT_NEAR(two.characters.at(2).origin.y(), 60 - descent(), 1e-9);
    EXPECT_EQ(two.covered, QRectF(80, 50, 20, 20));

    EXPECT_EQ(VerticalText::layout(QString(), tenPoint(), QPointF(7, 8), Direction::Columns).covered,
              QRectF(7, 8, 0, 0));
}

TEST(VerticalTextRows, RowsRunAcrossAndStackDownwards)
{
    const VerticalText::Layout rows
        = VerticalText::layout(qs("東京都\nil"), tenPoint(), QPointF(0, 0), Direction::Rows);
    ASSERT_EQ(rows.characters.size(), 5);
    EXPECT_EQ(rows.characters.at(0).rotation, -90);
    EXPECT_EQ(rows.characters.at(3).rotation, 0);
    EXPECT_NEAR(rows.covered.width(), 30, 1e-9);
    EXPECT_NEAR(rows.covered.height(), 20, 1e-9);
}

} // namespace
