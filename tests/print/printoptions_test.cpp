#include "../testutil.h"
#include "platform/userdefaults.h"
#include "print/keys.h"
#include "print/printoptions.h"
#include "record/keys.h"

#include <QFontInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(PrintOptionsStore, AnOlderVersionGivesTheDefaultsAndACurrentOneComesBackEditable)
{
    QTemporaryDir dir;
    UserDefaults defaults(dir.filePath(qs("defaults.json")));
    QVariantMap old = PrintOptions::createPrintOptions();
    old.insert(PrintKey::Version, 5);
    old.insert(PrintKey::TopMargin, 36);
    PrintOptions::store(defaults, old);
    EXPECT_EQ(PrintOptions::load(defaults).value(PrintKey::TopMargin).toDouble(), 0);

    QVariantMap current = PrintOptions::createPrintOptions();
    current.insert(PrintKey::TopMargin, 36);
    QVariantMap labels = current.value(PrintKey::MailingLabelsOptions).toMap();
    labels.insert(StyleKey::LabelWidth, qs("200"));
    // A stored dictionary that lost a key still has it after loading.
    labels.remove(StyleKey::RepeatCount);
    current.insert(PrintKey::MailingLabelsOptions, labels);
    current.remove(PrintKey::HagakiOptions);
    PrintOptions::store(defaults, current);
    ASSERT_TRUE(defaults.sync());

    UserDefaults reread(dir.filePath(qs("defaults.json")));
    const QVariantMap loaded = PrintOptions::load(reread);
    EXPECT_EQ(loaded.value(PrintKey::TopMargin).toDouble(), 36);
    const QVariantMap loadedLabels = PrintOptions::styleOptions(loaded, PrintStyle::MailingLabels);
    EXPECT_EQ(PrintOptions::number(loadedLabels, StyleKey::LabelWidth), 200);
    EXPECT_EQ(PrintOptions::number(loadedLabels, StyleKey::RepeatCount), 1);
    EXPECT_EQ(PrintOptions::styleOptions(loaded, PrintStyle::Hagaki).value(StyleKey::Keishou).toString(),
              qs("様"));
}

TEST(PrintOptionsStore, TheLastStyleDefaultsToTheAddressList)
{
    QTemporaryDir dir;
    UserDefaults defaults(dir.filePath(qs("defaults.json")));
    EXPECT_EQ(PrintOptions::lastPrintStyle(defaults), PrintStyle::AddressList);
    PrintOptions::storeLastPrintStyle(defaults, PrintStyle::Hagaki);
    EXPECT_EQ(PrintOptions::lastPrintStyle(defaults), PrintStyle::Hagaki);
    defaults.setValue(PrintDefaultsKey::LastStyle, qs("Poster"));
    EXPECT_EQ(PrintOptions::lastPrintStyle(defaults), PrintStyle::AddressList);
}

TEST(PrintOptionsDefaults, ItemRowsAndPresetsAreThoseOfALabelSheet)
{
    const QVariantList items = PrintOptions::defaultItemTable();
    ASSERT_EQ(items.size(), 17);
    EXPECT_EQ(items.first().toMap().value(ItemKey::Title).toString(), FieldId::Name);
    EXPECT_EQ(items.first().toMap().value(ItemKey::Enabled).toString(), ItemKey::Off);
    EXPECT_EQ(items.last().toMap().value(ItemKey::Title).toString(), FieldId::Note);

    // Columns of the view switch their items on; the name stays as it is.
    const QVariantList shown = PrintOptions::itemTableForColumns(items, { FieldId::Phone, FieldId::Name });
    for (const QVariant &row : shown) {
        const QVariantMap item = row.toMap();
        const QString title = item.value(ItemKey::Title).toString();
        const bool expectOn = title == FieldId::Phone || title == FieldId::Name;
        EXPECT_EQ(item.value(ItemKey::State).toString() == ItemKey::On, expectOn) << title.toStdString();
    }

    // The metric presets are their millimetres in points.
    for (const QVariant &entry : PrintOptions::defaultPresets()) {
        const QVariantMap preset = entry.toMap();
        const QString name = preset.value(StyleKey::Name).toString();
        if (!name.contains(qs("mm")))
            continue;
        const QStringList sizes = name.section(QLatin1Char('m'), 0, 0).split(QLatin1Char('x'));
        const float width
            = PrintOptions::changeValue(float(PrintOptions::number(preset, StyleKey::LabelWidth)),
                                        PrintUnit::Points, PrintUnit::Millimetres);
        const float height
            = PrintOptions::changeValue(float(PrintOptions::number(preset, StyleKey::LabelHeight)),
                                        PrintUnit::Points, PrintUnit::Millimetres);
        EXPECT_NEAR(width, sizes.at(0).toFloat(), 0.05) << name.toStdString();
        EXPECT_NEAR(height, sizes.at(1).toFloat(), 0.05) << name.toStdString();
    }
}

TEST(LabelPresets, UserPresetsAreAddedReplacedAndDeletedButBuiltInOnesStay)
{
    const QVariantList builtIn = PrintOptions::defaultPresets();
    const QVariantMap mine = PrintOptions::makePreset(qs(" My sheet "), 150.004, 70.5, 4, 0);
    EXPECT_EQ(mine.value(StyleKey::LabelWidth), QVariant(qs("150")));
    EXPECT_EQ(mine.value(StyleKey::LabelHeight), QVariant(qs("70.5")));

    QVariantList presets = PrintOptions::addPreset(builtIn, mine);
    ASSERT_EQ(presets.size(), builtIn.size() + 1);
    EXPECT_EQ(presets.last().toMap().value(StyleKey::Name), QVariant(qs("My sheet")));
    // The same name again replaces the sizes instead of adding a second entry.
    presets = PrintOptions::addPreset(presets, PrintOptions::makePreset(qs("My sheet"), 10, 20, 1, 1));
    ASSERT_EQ(presets.size(), builtIn.size() + 1);
    EXPECT_EQ(presets.last().toMap().value(StyleKey::LabelWidth), QVariant(qs("10")));

    // A built-in sheet or an empty name is neither added nor replaced; built-in sheets stay.
    const QString builtInName = builtIn.first().toMap().value(StyleKey::Name).toString();
    EXPECT_EQ(PrintOptions::addPreset(presets, PrintOptions::makePreset(builtInName, 1, 1, 0, 0)), presets);
    EXPECT_EQ(PrintOptions::addPreset(presets, PrintOptions::makePreset(qs("  "), 1, 1, 0, 0)), presets);
    EXPECT_EQ(PrintOptions::deletePreset(presets, builtInName), presets);
    EXPECT_EQ(PrintOptions::deletePreset(presets, qs("My sheet")), builtIn);
}

TEST(VerticalFonts, JapaneseFamiliesAndPrinterFontsButNotHiddenOrUnfitOnes)
{
    const QStringList japanese { qs("Noto Sans CJK JP"), qs("IPAexMincho"), qs("MS Gothic"),
                                 qs(".Hidden JP"),       qs("SimSun"),      qs("Osaka") };
    const auto setsVertical = [&japanese](const QString &family) { return japanese.contains(family); };
    const QStringList families { qs("DejaVu Sans"),  qs("Noto Sans CJK JP"), qs(".Hidden JP"),
                                 qs("EPSON-MARUGO"), qs("MS Gothic"),        qs("IPAexMincho"),
                                 qs("SimSun"),       qs("Noto Sans CJK JP"), qs("Osaka") };
    EXPECT_EQ(PrintOptions::verticalFontList(families, setsVertical),
              (QStringList { qs("Noto Sans CJK JP"), qs("EPSON-MARUGO"), qs("IPAexMincho") }));
    // With no fit family the user font stands in, so the pop-up is never empty.
    const QStringList latinOnly
        = PrintOptions::verticalFontList({ qs("DejaVu Sans"), qs("Meiryo") }, setsVertical);
    ASSERT_EQ(latinOnly.size(), 1);
    EXPECT_EQ(latinOnly.first(), QFontInfo(PrintOptions::userFont(16)).family());
}

TEST(PrintUnits, ConversionsGoBothWaysAndUnknownUnitsLeaveValues)
{
    struct Case
    {
        const char *name;
        float value;
        QString from, to;
        float expected;
    };
    const Case cases[] = {
        { "points to mm", 72, PrintUnit::Points, PrintUnit::Millimetres, 25.4f },
        { "mm to points", 25.4f, PrintUnit::Millimetres, PrintUnit::Points, 72 },
        { "points to inches", 36, PrintUnit::Points, PrintUnit::Inches, 0.5f },
        { "inches to mm", 2, PrintUnit::Inches, PrintUnit::Millimetres, 50.8f },
        { "mm to inches", 50.8f, PrintUnit::Millimetres, PrintUnit::Inches, 2 },
        { "inches to points", 1.5f, PrintUnit::Inches, PrintUnit::Points, 108 },
        { "unknown unit", 12, qs("cubits"), PrintUnit::Points, 12 },
        { "preset width in mm", 157.32f, PrintUnit::Points, PrintUnit::Millimetres, 55.5f },
    };
    for (const Case &c : cases)
        EXPECT_NEAR(PrintOptions::changeValue(c.value, c.from, c.to), c.expected, 0.01) << c.name;
    const float there = PrintOptions::changeValue(72, PrintUnit::Points, PrintUnit::Millimetres);
    EXPECT_FLOAT_EQ(PrintOptions::changeValue(there, PrintUnit::Millimetres, PrintUnit::Points), 72);
}

TEST(PrintMargins, AreKeptWithinNinetyFivePercentOfThePaper)
{
    EXPECT_DOUBLE_EQ(PrintOptions::clampMargin(800, 792), 752.4);
    EXPECT_DOUBLE_EQ(PrintOptions::clampMargin(-800, 792), -752.4);
    EXPECT_DOUBLE_EQ(PrintOptions::clampMargin(36, 792), 36);
}

TEST(PrintLabelFilter, AllAndTheOtherLabelsExcludeEachOther)
{
    EXPECT_EQ(PrintOptions::toggleSelectedLabel({ PrintLabel::All }, qs("home")), QStringList { qs("home") });
    EXPECT_EQ(PrintOptions::toggleSelectedLabel({ qs("home") }, qs("work")),
              (QStringList { qs("home"), qs("work") }));
    EXPECT_EQ(PrintOptions::toggleSelectedLabel({ qs("home"), qs("work") }, PrintLabel::All),
              QStringList { PrintLabel::All });
    // Unticking the last ticked label ticks "All" again.
    EXPECT_EQ(PrintOptions::toggleSelectedLabel({ qs("home") }, qs("home")), QStringList { PrintLabel::All });
}

} // namespace
