#include "../testutil.h"
#include "platform/contactstore.h"
#include "platform/keys.h"
#include "platform/userdefaults.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

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

namespace {

constexpr uid_t kNobody = 65534;

// Address books as sync tools keep them, with the group cards of both kinds of writers.
class GroupCardsTest : public ::testing::Test
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

    static QByteArray person(const char *uid, const char *name, const char *extra = "")
    {
        QByteArray card = "BEGIN:VCARD\r\nVERSION:4.0\r\n";
        if (*uid)
            card += QByteArray("UID:") + uid + "\r\n";
        return card + "FN:" + name + "\r\n" + extra + "END:VCARD\r\n";
    }

    static QStringList names(const QList<StoreContact> &contacts)
    {
        QStringList list;
        for (const StoreContact &c : contacts)
            list.append(QFileInfo(c.identifier).baseName());
        return list;
    }

    void SetUp() override
    {
        write(qs("book/ann.vcf"), person("urn:uuid:0a-1", "Ann"));
        write(qs("book/bob.vcf"), person("0a-2", "Bob", "CATEGORIES:Team\r\n"));
        write(qs("book/cid.vcf"), person("", "Cid", "CATEGORIES:Team\r\n")); // no UID
        write(qs("book/team.vcf"), "BEGIN:VCARD\r\nVERSION:4.0\r\nKIND:group\r\nFN:Team\r\nUID:g1\r\n"
                                    "MEMBER:urn:uuid:0a-1\r\nMEMBER:urn:uuid:missing\r\nEND:VCARD\r\n");
        write(qs("book/golf.vcf"), "BEGIN:VCARD\r\nVERSION:3.0\r\nX-ADDRESSBOOKSERVER-KIND:group\r\n"
                                    "N:Golf;;;;\r\nX-ADDRESSBOOKSERVER-MEMBER:urn:uuid:0A-2\r\n"
                                    "X-ADDRESSBOOKSERVER-MEMBER:0a-2\r\nEND:VCARD\r\n");
    }

    QTemporaryDir dir;
};

TEST_F(GroupCardsTest, GroupCardsOfBothWritersAndCategories)
{
    const ContactStore store(dir.path());
    const QString book = dir.filePath(qs("book"));
    EXPECT_EQ(names(store.contacts(book)), (QStringList { qs("ann"), qs("bob"), qs("cid") }))
        << "group cards are not contacts";

    const QList<StoreGroup> groups = store.groups(book);
    ASSERT_EQ(groups.size(), 2) << "the Team category is the Team group card";
    EXPECT_EQ(groups[0].name, qs("Golf"));
    EXPECT_EQ(groups[1].name, qs("Team"));
    // UIDs compare exactly once the urn:uuid: form is dropped: "0A-2" names no card.
    EXPECT_EQ(names(store.contacts(book, groups[0].identifier)), QStringList { qs("bob") });
    // Members by reference and by category, the card without UID included.
    EXPECT_EQ(names(store.contacts(book, groups[1].identifier)),
              (QStringList { qs("ann"), qs("bob"), qs("cid") }));
    EXPECT_TRUE(store.contacts(book, dir.filePath(qs("book/ann.vcf"))).isEmpty()) << "not a group card";
}

TEST(ContactStore, FetchesOnlyTheKeysAsked)
{
    const QByteArray card = "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Doe;Jane\r\n"
                            "NOTE;ENCODING=QUOTED-PRINTABLE:first=\r\nsecond\r\n"
                            "PHOTO;ENCODING=b:AAAA\r\n BBBB\r\n"
                            "item1.TEL:123\r\nitem1.X-ABLabel:boat\r\nitem2.X-ABLabel:orphan\r\n"
                            "END:VCARD\r\n";
    EXPECT_EQ(ContactStore::cardWithKeys(card, StoreKeys::only({ qs("PHOTO") })),
              QByteArray("BEGIN:VCARD\r\nVERSION:2.1\r\nPHOTO;ENCODING=b:AAAA\r\n BBBB\r\nEND:VCARD\r\n"));
    EXPECT_EQ(ContactStore::cardWithKeys(card, StoreKeys::except({ qs("PHOTO"), qs("X-ABLABEL") })),
              QByteArray("BEGIN:VCARD\r\nVERSION:2.1\r\nN:Doe;Jane\r\n"
                         "NOTE;ENCODING=QUOTED-PRINTABLE:first=\r\nsecond\r\n"
                         "item1.TEL:123\r\nitem1.X-ABLabel:boat\r\nEND:VCARD\r\n"))
        << "a soft line break stays with its note, a label with its grouped phone";
    EXPECT_EQ(ContactStore::cardWithKeys(card, StoreKeys::all()), card);
}

TEST_F(GroupCardsTest, UnreadableFilesAreReportedAndSkipped)
{
    const QString locked = dir.filePath(qs("book/locked.vcf"));
    write(qs("book/locked.vcf"), person("0a-9", "Locked"));
    QFile::setPermissions(locked, QFileDevice::Permissions());
    const auto check = [&] {
        const ContactStore store(dir.path());
        return names(store.contacts(dir.filePath(qs("book")))) == QStringList { qs("ann"), qs("bob"), qs("cid") }
            && store.unreadableFiles().size() == 1 && store.unreadableFiles()[0].startsWith(locked);
    };
    if (::geteuid() != 0) {
        EXPECT_TRUE(check());
        return;
    }
    // Permissions do not stop root: read as an ordinary user in a child process.
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                          | QFileDevice::ReadOther | QFileDevice::ExeOther);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)
            ::_exit(2);
        ::_exit(check() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 2)
        GTEST_SKIP() << "could not become an ordinary user";
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the unreadable file was not skipped and reported";
}

} // namespace
