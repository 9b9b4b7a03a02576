#include "table/keys.h"
#include "table/sortkeys.h"
#include "table/sortmenu.h"
#include "table/tablecolumns.h"
#include "table/viewtypes.h"
#include "tabletestutil.h"

#include <gtest/gtest.h>

namespace {

const QVariantList kCustomItems {
    QVariantMap { { CustomKey::Type, ValueType::Labeled }, { CustomKey::Name, qs("Hobby") } },
    QVariantMap { { CustomKey::Type, ValueType::String }, { CustomKey::Name, qs("Shoe size") } },
    // A custom item must not replace a built-in field's options.
    QVariantMap { { CustomKey::Type, ValueType::Labeled }, { CustomKey::Name, FieldId::Phone } },
};

TEST(Columns, NameFirstThenTheViewTypeInOrder)
{
    QVariantMap options
        = ViewTypes::initSortOptionsDict(kCustomItems, ViewTypes::builtInSortOptionsDefault());
    SortKeys::selectSortOption(options, FieldId::Email, Key::Domain);
    SortKeys::selectSortOption(options, FieldId::Name, FieldId::LastName);
    SortKeys::selectSortOption(options, FieldId::PhoneticName, FieldId::PhoneticFirstName);
    SortKeys::selectSortOption(options, qs("Hobby"), Key::Label);
    const QVariantMap widths { { FieldId::Email, 321.5 }, { FieldId::Note, 5 }, { FieldId::Name, 150 } };
    const QList<TableColumn> columns
        = TableColumns::updateColumns({ FieldId::Email, FieldId::Name, FieldId::Note, FieldId::City,
                                        FieldId::PhoneticName, qs("Hobby"), FieldId::Email },
                                      options, widths);

    struct Expected
    {
        QString identifier;
        QString sortKey;
        double width;
    };
    const Expected expected[] = {
        { FieldId::Name, FieldId::LastName, 150 },
        { FieldId::Email, qs("Email domain"), 321.5 },
        { FieldId::Note, FieldId::Note, TableColumn::MinimumWidth },
        { FieldId::City, FieldId::City, TableColumn::DefaultWidth },
        { FieldId::PhoneticName, FieldId::PhoneticFirstName, TableColumn::DefaultWidth },
        { qs("Hobby"), qs("Hobby label"), TableColumn::DefaultWidth },
    };
    ASSERT_EQ(columns.size(), qsizetype(std::size(expected)))
        << TableColumns::identifiers(columns).join(u',').toStdString();
    for (size_t i = 0; i < std::size(expected); ++i) {
        const TableColumn &column = columns.at(qsizetype(i));
        EXPECT_EQ(column.identifier, expected[i].identifier) << i;
        EXPECT_EQ(column.sortKey, expected[i].sortKey) << column.identifier.toStdString();
        EXPECT_EQ(column.width, expected[i].width) << column.identifier.toStdString();
        EXPECT_EQ(column.minWidth, TableColumn::MinimumWidth);
        EXPECT_EQ(column.title, QVPerson::localizedIdentifierForKey(column.identifier));
    }
}

// Every option a header menu offers must sort the column's own field, whether the key comes from
// the stored choice (column building) or from picking it in the menu.
TEST(Columns, EveryOfferedOptionSortsItsOwnField)
{
    const QVariantMap options = ViewTypes::initSortOptionsDict(kCustomItems, {});
    for (auto it = options.cbegin(); it != options.cend(); ++it) {
        const QString column = it.key();
        const QVariantMap entry = it.value().toMap();
        const QString type = entry.value(SortOptionKey::Type).toString();
        const bool labeled = QVPerson::isLabeledIdentifier(type) || column == qs("Hobby");
        for (const QString &option : entry.value(SortOptionKey::Items).toStringList()) {
            const QString key = SortKeys::columnSortKey(column, option);
            EXPECT_EQ(SortKeys::sortKeyForOption(type, option, labeled), key)
                << column.toStdString() << " / " << option.toStdString();
            const auto parts = SortKeys::separateSortKeyIntoIdentifierAndKey(key);
            ASSERT_TRUE(parts.has_value());
            EXPECT_EQ(parts->identifier, column) << key.toStdString();
        }
    }
}

TEST(Columns, SortOptionsHonourStoredChoices)
{
    const QVariantMap stored { { FieldId::Email, Key::Domain },
                               { FieldId::Phone, qs("no such option") },
                               { qs("Hobby"), Key::Label } };
    const QVariantMap options = ViewTypes::initSortOptionsDict(kCustomItems, stored);
    EXPECT_EQ(SortKeys::selectedSortOption(options, FieldId::Email), Key::Domain);
    EXPECT_EQ(SortKeys::selectedSortOption(options, FieldId::Phone), FieldId::Phone);
    EXPECT_EQ(SortKeys::selectedSortOption(options, FieldId::Name), FieldId::CompositeName);
    EXPECT_EQ(SortKeys::selectedSortOption(options, qs("Hobby")), Key::Label);
    EXPECT_FALSE(options.contains(qs("Shoe size"))) << "string items offer no options";

    QVariantMap changed = options;
    EXPECT_FALSE(SortKeys::selectSortOption(changed, FieldId::Email, Key::Domain)) << "already selected";
    EXPECT_FALSE(SortKeys::selectSortOption(changed, FieldId::Note, Key::Label)) << "no entry";
    EXPECT_TRUE(SortKeys::selectSortOption(changed, FieldId::Email, Key::Label));
    EXPECT_EQ(SortKeys::selectedSortOption(changed, FieldId::Email), Key::Label);
}

TEST(Columns, TheRememberedSortAppliesWhenItsColumnIsShown)
{
    struct Case
    {
        const char *name;
        QVariantMap last;
        QStringList columns;
        SortDescriptor expected;
    };
    auto desc = [](const QString &key, bool ascending) {
        return QVariantMap { { SortDescKey::Key, key }, { SortDescKey::Ascending, ascending } };
    };
    const QStringList email { FieldId::Name, FieldId::Email };
    const QStringList detail { FieldId::Name, FieldId::Zip, FieldId::City };
    const Case cases[] = {
        { "nothing stored", {}, email, SortDescriptor::defaultSort() },
        { "shown column", desc(qs("Email domain"), false), email, { qs("Email domain"), false } },
        { "column not shown", desc(qs("Phone label"), false), email, SortDescriptor::defaultSort() },
        { "name sort always applies", desc(FieldId::LastName, false), detail, { FieldId::LastName, false } },
        { "address component column", desc(FieldId::Zip, false), detail, { FieldId::Zip, false } },
    };
    for (const Case &c : cases)
        EXPECT_EQ(SortKeys::initialSortDescriptor(c.last, c.columns), c.expected) << c.name;
    EXPECT_EQ(SortDescriptor::fromVariantMap(SortDescriptor { qs("Phone"), false }.toVariantMap()),
              (SortDescriptor { qs("Phone"), false }));
}

TEST(Columns, HeaderMenuTicksTheSelectedOption)
{
    QVariantMap options = ViewTypes::initSortOptionsDict({}, {});
    SortKeys::selectSortOption(options, FieldId::Email, Key::Domain);
    const QList<SortMenuItem> menu = SortMenu::sortOptionsMenu(FieldId::Email, options);
    QStringList titles;
    QStringList ticked;
    for (const SortMenuItem &item : menu) {
        titles.append(item.title);
        if (item.checked)
            ticked.append(item.option);
    }
    // Display texts, not the option keys.
    EXPECT_EQ(titles,
              (QStringList { qs("Sort by"), qs("Email"), qs("Domain"), qs("User Name"), qs("Label") }));
    EXPECT_EQ(ticked, QStringList { Key::Domain });
    ASSERT_FALSE(menu.isEmpty());
    EXPECT_FALSE(menu.constFirst().enabled);
    EXPECT_TRUE(SortMenu::sortOptionsMenu(FieldId::Note, options).isEmpty());
}

} // namespace
