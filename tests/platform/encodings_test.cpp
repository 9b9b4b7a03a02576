#include "../testutil.h"
#include "platform/encodinglist.h"
#include "platform/encodings.h"
#include "platform/keys.h"
#include "platform/userdefaults.h"

#include <QRegularExpression>
#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QStringList names(const QList<int> &encodings)
{
    QStringList list;
    for (int e : encodings)
        list.append(Encodings::encodingTypeName(e));
    return list;
}

TEST(Encodings, TableHasUniqueNumbersAndPlatformStyleNames)
{
    QSet<int> numbers;
    const QRegularExpression style(qs(R"(^[A-Za-z -]+ \(.+\)$)"));
    for (const Encoding &e : Encodings::all()) {
        EXPECT_NE(e.number, Encodings::Automatic) << e.sourceName;
        EXPECT_FALSE(numbers.contains(e.number)) << "duplicate number " << e.number;
        numbers.insert(e.number);
        EXPECT_TRUE(style.match(e.name()).hasMatch()) << e.sourceName;
    }
    for (const char *needed : { "Unicode (UTF-8)", "Unicode (UTF-16BE)", "Western (Windows Latin 1)",
                                "Japanese (Shift JIS)", "Japanese (ISO 2022-JP)", "Korean (EUC)" })
        EXPECT_TRUE(names(QList<int>(numbers.begin(), numbers.end())).contains(qs(needed))) << needed;
}

TEST(Encodings, NamesNumbersAndCharsetAliases)
{
    EXPECT_EQ(Encodings::encodingTypeName(Encodings::UTF8), qs("Unicode (UTF-8)"));
    EXPECT_EQ(Encodings::encodingTypeName(9999), qs("Unknown"));
    EXPECT_EQ(Encodings::encodingTypeName(Encodings::Automatic), qs("Unknown"));
    EXPECT_EQ(Encodings::validateEncoding(9999), Encodings::UTF8);
    EXPECT_EQ(Encodings::validateEncoding(Encodings::WindowsLatin1), Encodings::WindowsLatin1);

    const struct
    {
        const char *alias;
        const char *name; // nullptr: not in the table
    } cases[] = {
        { "sjis", "Japanese (Shift JIS)" },    { "ISO-8859-8-I", "Hebrew (ISO 8859-8)" },
        { "latin1", "Western (ISO Latin 1)" }, { "cp1252", "Western (Windows Latin 1)" },
        { "utf8", "Unicode (UTF-8)" },         { "no-such-charset", nullptr },
    };
    for (const auto &c : cases) {
        const Encoding *e = Encodings::findByCharset(qs(c.alias));
        EXPECT_EQ(e ? e->name() : QString(), c.name ? qs(c.name) : QString()) << c.alias;
    }
}

TEST(Encodings, DefaultTicksFollowTheFirstTwoLanguages)
{
    const QString utf8 = qs("Unicode (UTF-8)"), utf16 = qs("Unicode (UTF-16BE)");
    const QString latin1 = qs("Western (Windows Latin 1)"), roman = qs("Western (Mac OS Roman)");
    const QString sjis = qs("Japanese (Shift JIS)"), eucjp = qs("Japanese (EUC)");
    const struct
    {
        const char *name;
        QStringList languages;
        QStringList ticked;
        QStringList unticked;
    } cases[] = {
        { "English",
          { qs("en") },
          { utf8, utf16, latin1, roman },
          { sjis, qs("Western (ASCII)"), qs("Western (EBCDIC Latin 1)"), qs("Western (EBCDIC Latin Core)"),
            qs("Unicode (UTF-16LE)") } },
        { "Japanese first",
          { qs("ja"), qs("en") },
          { utf8, utf16, sjis, eucjp, latin1 },
          { qs("Western (ASCII)") } },
        { "Japanese third", { qs("fr"), qs("de"), qs("ja") }, { latin1 }, { sjis } },
        { "Chinese",
          { qs("zh") },
          { qs("Chinese Simplified (GB 18030)"), qs("Chinese Traditional (Big 5)") },
          { latin1 } },
        { "no language", {}, { utf8, utf16 }, { latin1, sjis } },
    };
    for (const auto &c : cases) {
        const QStringList ticked = names(Encodings::defaultEncodings(c.languages));
        for (const QString &name : c.ticked)
            EXPECT_TRUE(ticked.contains(name)) << c.name << ": " << name.toStdString() << " not ticked";
        for (const QString &name : c.unticked)
            EXPECT_FALSE(ticked.contains(name)) << c.name << ": " << name.toStdString() << " ticked";
    }
}

TEST(Encodings, RestoringTicksScansFromTheTop)
{
    const struct
    {
        const char *name;
        QStringList stored;
        QStringList ticked;
    } cases[] = {
        { "UTF-8 passed on the way",
          { qs("Japanese (EUC)") },
          { qs("Unicode (UTF-8)"), qs("Japanese (EUC)") } },
        { "unknown names tick only UTF-8", { qs("Klingon (pIqaD)") }, { qs("Unicode (UTF-8)") } },
        { "UTF-8 alone", { qs("Unicode (UTF-8)") }, { qs("Unicode (UTF-8)") } },
        { "table order, not stored order",
          { qs("Korean (EUC)"), qs("Western (Windows Latin 1)") },
          { qs("Unicode (UTF-8)"), qs("Western (Windows Latin 1)"), qs("Korean (EUC)") } },
    };
    for (const auto &c : cases)
        EXPECT_EQ(names(Encodings::restoredEncodings(c.stored)), c.ticked) << c.name;
}

TEST(LineBreaks, MenuTitlesGiveTheirSeparator)
{
    const struct
    {
        const char *title;
        const char *separator;
    } cases[] = {
        { "Unix (LF)", "\n" }, { "Windows (CR/LF)", "\r\n" }, { "Mac (CR)", "\r" }, { "Something else", "\n" }
    };
    for (const auto &c : cases)
        EXPECT_EQ(LineBreaks::separator(LineBreaks::lineBreakType(qs(c.title))), QByteArray(c.separator))
            << c.title;
    EXPECT_EQ(LineBreaks::titles().size(), 3);
}

class EncodingListTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    UserDefaults defaults { dir.filePath(qs("preferences.json")) };
};

TEST_F(EncodingListTest, StartsFromDefaultsAndRestoresWhatWasSaved)
{
    EncodingList list(defaults, { qs("ja") });
    EXPECT_EQ(list.tickedEncodings(), Encodings::defaultEncodings({ qs("ja") }));

    QSignalSpy ticks(&list, &EncodingList::tickChanged);
    list.untick(Encodings::UTF16BigEndian);
    list.untick(Encodings::UTF16BigEndian); // already unticked
    ASSERT_EQ(ticks.count(), 1);
    EXPECT_EQ(ticks.first(), (QVariantList { Encodings::UTF16BigEndian, false }));
    list.tick(Encodings::WindowsLatin1);
    list.save();
    EXPECT_EQ(defaults.stringArrayValue(DefaultsKey::Encodings), list.tickedNames());

    EncodingList restored(defaults, { qs("en") });
    EXPECT_EQ(restored.tickedEncodings(), list.tickedEncodings());
}

TEST_F(EncodingListTest, PanelButtonsAndCheckBoxes)
{
    EncodingList list(defaults, { qs("en") });
    QSignalSpy reset(&list, &EncodingList::ticksReset);
    list.selectAll();
    EXPECT_EQ(list.tickedEncodings().size(), list.rowCount());
    list.clearAll();
    EXPECT_TRUE(list.tickedEncodings().isEmpty());
    list.revertToDefaultTicks();
    EXPECT_EQ(list.tickedEncodings(), Encodings::defaultEncodings({ qs("en") }));
    EXPECT_EQ(reset.count(), 3);

    // The panel's check box column.
    int row = 0;
    while (list.index(row).data(EncodingList::EncodingRole).toInt() != Encodings::UTF16LittleEndian)
        ++row;
    EXPECT_EQ(list.index(row).data(Qt::CheckStateRole).value<Qt::CheckState>(), Qt::Unchecked);
    EXPECT_TRUE(list.setData(list.index(row), Qt::Checked, Qt::CheckStateRole));
    EXPECT_TRUE(list.isTicked(Encodings::UTF16LittleEndian));
    EXPECT_EQ(list.index(row).data().toString(), qs("Unicode (UTF-16LE)"));
}

TEST_F(EncodingListTest, AnEmptyStoredListMeansDefaults)
{
    defaults.setValue(DefaultsKey::Encodings, QVariantList());
    EncodingList list(defaults, { qs("en") });
    EXPECT_EQ(list.tickedEncodings(), Encodings::defaultEncodings({ qs("en") }));
}

} // namespace
