#include "../testutil.h"
#include "platform/contactstore.h"
#include "platform/keys.h"
#include "platform/userdefaults.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(ContactStore, CategoriesOfACard)
{
    const struct
    {
        const char *name;
        QByteArray card;
        QStringList categories;
    } cases[] = {
        { "plain", "BEGIN:VCARD\r\nCATEGORIES:Family,Work\r\nEND:VCARD\r\n", { qs("Family"), qs("Work") } },
        { "folded", "CATEGORIES:Fam\r\n ily,Wo\r\n\trk\r\n", { qs("Family"), qs("Work") } },
        { "escaped comma", "CATEGORIES:Smith\\, Jones,Friends\n", { qs("Smith, Jones"), qs("Friends") } },
        { "group prefix and parameters", "item1.categories;X-A=\"a:b\":同僚\n", { qs("同僚") } },
        { "several lines, repeats and blanks",
          "CATEGORIES:A,,B\nCATEGORIES: B ,C\n",
          { qs("A"), qs("B"), qs("C") } },
        { "other properties", "NOTE:CATEGORIES:x\nX-CATEGORIES:y\n", {} },
    };
    for (const auto &c : cases)
        EXPECT_EQ(ContactStore::categoriesOfCard(c.card), c.categories) << c.name;
}

class ContactStoreTest : public ::testing::Test
{
protected:
    void write(const QString &relative, const QByteArray &bytes)
    {
        const QString path = dir.filePath(relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    static QByteArray card(const char *name, const char *categories)
    {
        return QByteArray("BEGIN:VCARD\r\nVERSION:3.0\r\nFN:") + name + "\r\nCATEGORIES:" + categories
            + "\r\nEND:VCARD\r\n";
    }

    static QStringList identifiers(const QList<StoreContact> &contacts)
    {
        QStringList list;
        for (const StoreContact &c : contacts)
            list.append(QFileInfo(c.identifier).fileName());
        return list;
    }

    void SetUp() override
    {
        write(qs("personal/b.vcf"), card("Bea", "Friends,Family"));
        write(qs("personal/a.vcf"), card("Al", "Family"));
        write(qs("personal/.a.vcf.tmp"), card("Temp", "Hidden"));
        write(qs("personal/.hidden.vcf"), card("Hidden", "Hidden"));
        write(qs("personal/notes.txt"), "not a card");
        write(qs("work/displayname"), "Work Contacts\n");
        write(qs("work/c.VCF"), card("Cy", "Clients"));
        QDir(dir.path()).mkdir(qs("empty"));
    }

    QTemporaryDir dir;
};

TEST_F(ContactStoreTest, ListsAddressBooksGroupsAndCards)
{
    const ContactStore store(dir.path());
    const QList<StoreContainer> containers = store.containers();
    ASSERT_EQ(containers.size(), 3);
    EXPECT_EQ(containers[0].name, qs("empty"));
    EXPECT_EQ(containers[1].name, qs("personal"));
    EXPECT_EQ(containers[2].name, qs("Work Contacts"));
    const QString personal = containers[1].identifier;
    EXPECT_EQ(personal, dir.filePath(qs("personal")));

    const QList<StoreGroup> groups = store.groups(personal);
    ASSERT_EQ(groups.size(), 2);
    EXPECT_EQ(groups[0].name, qs("Family"));
    EXPECT_EQ(groups[1].name, qs("Friends"));
    EXPECT_EQ(groups[0].containerIdentifier, personal);
    EXPECT_NE(groups[0].identifier, store.groups(containers[2].identifier).value(0).identifier);

    EXPECT_EQ(identifiers(store.contacts(personal)), (QStringList { qs("a.vcf"), qs("b.vcf") }));
    EXPECT_EQ(identifiers(store.contacts(personal, groups[1].identifier)), QStringList { qs("b.vcf") });
    EXPECT_EQ(identifiers(store.contacts(containers[2].identifier)), QStringList { qs("c.VCF") });
    EXPECT_TRUE(
        store.contacts(personal, store.groups(containers[2].identifier).value(0).identifier).isEmpty())
        << "a group of another container";

    const auto one = store.contact(store.contacts(personal).value(1).identifier);
    ASSERT_TRUE(one.has_value());
    EXPECT_EQ(one->vCard, card("Bea", "Friends,Family"));
}

TEST_F(ContactStoreTest, NothingOutsideTheStoreIsRead)
{
    write(qs("outside.vcf"), card("Root", "Top"));
    const ContactStore store(dir.filePath(qs("personal")));
    EXPECT_FALSE(store.contact(dir.filePath(qs("outside.vcf"))).has_value());
    EXPECT_FALSE(store.contact(dir.filePath(qs("personal/notes.txt"))).has_value());
    EXPECT_TRUE(store.contacts(dir.filePath(qs("work"))).isEmpty());
    EXPECT_TRUE(store.groups(qs("/etc")).isEmpty());
    // A root that holds cards is an address book itself.
    ASSERT_EQ(store.containers().size(), 1);
    EXPECT_EQ(store.containers()[0].name, qs("personal"));

    EXPECT_TRUE(ContactStore().containers().isEmpty());
    EXPECT_TRUE(ContactStore(dir.filePath(qs("missing"))).containers().isEmpty());
}

TEST_F(ContactStoreTest, RootFromPreferences)
{
    UserDefaults defaults(dir.filePath(qs("preferences.json")));
    EXPECT_TRUE(ContactStore::fromDefaults(defaults).rootPath().isEmpty());
    defaults.setValue(DefaultsKey::ContactStoreRoot, qs("~/Contacts"));
    EXPECT_EQ(ContactStore::fromDefaults(defaults).rootPath(), QDir::homePath() + qs("/Contacts"));
}

TEST_F(ContactStoreTest, RefreshSeesNewCards)
{
    ContactStore store(dir.path());
    const QString work = dir.filePath(qs("work"));
    EXPECT_EQ(store.groups(work).size(), 1);
    write(qs("work/d.vcf"), card("Di", "Suppliers"));
    EXPECT_EQ(store.groups(work).size(), 1) << "groups are read once";
    store.refresh();
    EXPECT_EQ(store.groups(work).size(), 2);
}

} // namespace
