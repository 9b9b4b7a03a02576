#include "record/keys.h"
#include "table/keys.h"
#include "table/multivaluelist.h"
#include "tabletestutil.h"

#include <QMimeData>
#include <gtest/gtest.h>
#include <memory>

using namespace TableTest;

namespace {

// The values of the list in row order, with their labelIndex: "value#labelIndex".
QStringList values(const QVariantList &items, const QString &key = Key::Value)
{
    QStringList out;
    for (const QVariant &v : items) {
        const QVariantMap item = v.toMap();
        out.append(item.value(key).toString() + u'#' + item.value(Key::LabelIndex).toString());
    }
    return out;
}

QStringList strings(std::initializer_list<const char *> items)
{
    QStringList out;
    for (const char *item : items)
        out.append(qs(item));
    return out;
}

std::unique_ptr<MultiValueList> listOf(const PersonPtr &p, const QString &field)
{
    auto list = std::make_unique<MultiValueList>();
    list->setItems(field, p->labeledValueForIdentifier(field));
    list->setEditing(true);
    return list;
}

int columnOf(const MultiValueList &list, const QString &identifier)
{
    for (int i = 0; i < list.columns().size(); ++i) {
        if (list.columns().at(i).identifier == identifier)
            return i;
    }
    return -1;
}

} // namespace

TEST(MultiValueList, AddInsertsAfterTheSelectedRowOrAppends)
{
    PersonPtr p = person("Anna");
    add(p, FieldId::Phone, { { "home", "111" }, { "work", "222" } });
    auto list = listOf(p, FieldId::Phone);
    const QString first = MultiValueList::firstLabel(FieldId::Phone);
    ASSERT_FALSE(first.isEmpty());

    EXPECT_EQ(list->insertItem(list->newItem(), -1), 2);
    EXPECT_EQ(list->insertItem(list->newItem(), 0), 1);
    EXPECT_EQ(values(list->result()), strings({ "111#0", "new#1", "222#2", "new#3" }));
    EXPECT_EQ(list->item(3).value(Key::Label).toString(), first);
}

// The record finds items by labelIndex: after deletes and moves every item must still have its own.
TEST(MultiValueList, ResultNumbersItemsByPositionAfterDeleteAndMove)
{
    PersonPtr p = person("Anna");
    add(p, FieldId::Email, { { "home", "a@x" }, { "work", "b@x" }, { "other", "c@x" } });
    auto list = listOf(p, FieldId::Email);
    EXPECT_TRUE(list->removeItems({ 0 }));
    list->insertItem(list->newItem(), -1);
    EXPECT_EQ(values(list->result()), strings({ "b@x#0", "c@x#1", "new#2" }));

    EXPECT_TRUE(list->moveItem(2, 0));
    EXPECT_EQ(values(list->result()), strings({ "new#0", "b@x#1", "c@x#2" }));
    EXPECT_TRUE(list->moveItem(0, 3));
    EXPECT_EQ(values(list->result()), strings({ "b@x#0", "c@x#1", "new#2" }));
    EXPECT_FALSE(list->moveItem(1, 2)) << "a move onto its own place changes nothing";
    EXPECT_FALSE(list->removeItems({ 7 }));
}

TEST(MultiValueList, RowsAreReorderedByDropOnlyWhileEditing)
{
    PersonPtr p = person("Anna");
    add(p, FieldId::Url, { { "home", "a.example" }, { "work", "b.example" }, { "other", "c.example" } });
    auto list = listOf(p, FieldId::Url);
    std::unique_ptr<QMimeData> dragged(list->mimeData({ list->index(0, 1) }));
    ASSERT_TRUE(dragged);
    // Dropped below the last row: the first row goes to the end.
    list->dropMimeData(dragged.get(), Qt::MoveAction, -1, -1, QModelIndex());
    EXPECT_EQ(values(list->result()), strings({ "b.example#0", "c.example#1", "a.example#2" }));

    list->setEditing(false);
    EXPECT_FALSE(list->canDropMimeData(dragged.get(), Qt::MoveAction, 0, 0, QModelIndex()));
    EXPECT_FALSE(list->setData(list->index(0, 1), qs("changed")));
    EXPECT_EQ(list->item(0).value(Key::Value).toString(), qs("b.example"));
}

TEST(MultiValueList, TextEditsChangeOnlyTheKeysOfTheirColumn)
{
    PersonPtr p = person("Anna");
    p->addLabeledValue(QVariantMap { { Key::Label, qs("twitter") },
                                     { Key::Value, qs("anna") },
                                     { Key::UrlString, qs("https://t.example/anna") } },
                       FieldId::SocialNetwork);
    auto sns = listOf(p, FieldId::SocialNetwork);
    const int url = columnOf(*sns, MultiValueColumnId::UrlString);
    const int user = columnOf(*sns, MultiValueColumnId::Username);
    ASSERT_GE(url, 0);
    EXPECT_TRUE(sns->setData(sns->index(0, url), qs("https://t.example/a2")));
    // The record takes the user name from "value": a URL must not end up there.
    EXPECT_EQ(sns->item(0).value(Key::Value).toString(), qs("anna"));
    EXPECT_EQ(sns->item(0).value(Key::UrlString).toString(), qs("https://t.example/a2"));
    EXPECT_TRUE(sns->setData(sns->index(0, user), qs("anna2")));
    EXPECT_EQ(sns->item(0).value(Key::Value).toString(), qs("anna2"));
    EXPECT_EQ(sns->item(0).value(Key::Username).toString(), qs("anna2"));
    EXPECT_FALSE(sns->setData(sns->index(0, user), qs("anna2"))) << "the same text is no change";

    p->addLabeledValue(QVariantMap { { Key::Label, qs("home") },
                                     { Key::Service, qs("Jabber") },
                                     { Key::Value, qs("anna@j") } },
                       FieldId::InstantMessage);
    auto ims = listOf(p, FieldId::InstantMessage);
    EXPECT_TRUE(ims->setData(ims->index(0, columnOf(*ims, MultiValueColumnId::Username)), qs("bert@j")));
    EXPECT_TRUE(ims->setData(ims->index(0, columnOf(*ims, MultiValueColumnId::ServiceType)), qs("Skype")));
    EXPECT_EQ(ims->item(0).value(Key::Username).toString(), qs("bert@j"));
    EXPECT_EQ(ims->item(0).value(Key::StringValue).toString(), qs("Skype:bert@j"));
}

TEST(MultiValueList, AddressEditsRecomposeTheText)
{
    PersonPtr p = person("Anna");
    addAddress(p, "home", "1 Main St", "Springfield", "12345");
    auto list = listOf(p, FieldId::Address);
    QStringList texts;
    QObject::connect(list.get(), &MultiValueList::addressTextChanged,
                     [&texts](const QString &text) { texts.append(text); });
    EXPECT_TRUE(list->setText(0, columnOf(*list, FieldId::City), qs("Shelbyville")));
    ASSERT_EQ(texts.size(), 1);
    EXPECT_TRUE(texts.last().contains(u"Shelbyville")) << qPrintable(texts.last());
    EXPECT_FALSE(texts.last().contains(u'\n'));

    const int country = columnOf(*list, MultiValueColumnId::CountryCode);
    EXPECT_TRUE(list->setData(list->index(0, country), qs("JP")));
    EXPECT_EQ(list->item(0).value(Key::IsoCountryCode).toString().toUpper(), qs("JP"));
    EXPECT_NE(texts.last(), texts.first()) << "the Japanese format orders the components anew";
    EXPECT_TRUE(list->setData(list->index(0, country), QString()));
    EXPECT_FALSE(list->item(0).contains(Key::IsoCountryCode)) << "Default takes the code away";

    const QVariantMap added = list->newItem();
    EXPECT_EQ(added.value(FieldId::Zip).toString(), qs("123"));
    EXPECT_TRUE(added.value(Key::StringValue).toString().contains(u"123"));
}

TEST(MultiValueList, DatesShowTheirText)
{
    PersonPtr p = person("Anna");
    p->addLabeledValue(QVariantMap { { Key::Label, qs("anniversary") },
                                     { Key::Value, QVariant::fromValue(DateComponents { 2001, 5, 17 }) } },
                       FieldId::Dates);
    auto list = listOf(p, FieldId::Dates);
    const QString shown = list->index(0, 1).data().toString();
    EXPECT_FALSE(shown.isEmpty());
    EXPECT_EQ(shown, list->item(0).value(Key::StringValue).toString());
}

TEST(MultiValueList, AnAddressEditedElsewhereReplacesItsRowOrIsAppended)
{
    PersonPtr p = person("Anna");
    addAddress(p, "home", "1 Main St", "Springfield");
    addAddress(p, "work", "2 Elm St", "Ogdenville");
    auto list = listOf(p, FieldId::Address);
    QVariantMap second = list->item(1);
    second.insert(FieldId::Street, qs("3 Oak St"));
    EXPECT_EQ(list->putItem(second), 1);
    QVariantMap fresh = list->newItem();
    fresh.insert(Key::LabelIndex, -1);
    EXPECT_EQ(list->putItem(fresh), 2);
    EXPECT_EQ(values(list->result(), FieldId::Street), strings({ "1 Main St#0", "3 Oak St#1", "#2" }));
}
