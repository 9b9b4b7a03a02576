// The system contact store, read only: address books kept as vdir folders (one folder per address
// book, one .vcf file per contact, as CardDAV sync tools keep them) under a root folder chosen in
// the preferences. Without a root the store is empty.
//
// A container is an address book folder (its identifier is the folder's path, its name the text of
// the folder's "displayname" file or else the folder's name); the root itself counts as one when it
// holds cards. Groups are the group cards of a container (vCard 4 KIND:group with MEMBER, or the
// X-ADDRESSBOOKSERVER-KIND / -MEMBER form other writers use) and the categories (CATEGORIES) of
// its cards, read once on first use. Contacts come as the raw bytes of their card with a stable
// identifier (the file's path); turning them into records is the vCard reader's business.
//
// Nothing here opens a file for writing.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class UserDefaults;

struct StoreContainer
{
    QString identifier;
    QString name;
};

struct StoreGroup
{
    QString identifier; // unique across containers
    QString name;
    QString containerIdentifier;
};

struct StoreContact
{
    QString identifier;
    QByteArray vCard;
};

// Which properties of a card a fetch hands out (vCard property names, upper case, without the
// "item1." group prefix). Grouped lines such as item1.X-ABLabel come with their property.
struct StoreKeys
{
    QStringList names;
    bool allBut = false; // every property except those named

    static StoreKeys all() { return { {}, true }; }
    static StoreKeys only(const QStringList &names) { return { names, false }; }
    static StoreKeys except(const QStringList &names) { return { names, true }; }
};

class ContactStore
{
public:
    // Cards larger than this are not read (no contact card needs it; a stray file might).
    static constexpr qint64 MaximumCardSize = 64 << 20;

    explicit ContactStore(const QString &rootPath = QString());
    // The store under the root named by DefaultsKey::ContactStoreRoot ("~/" means the home folder).
    static ContactStore fromDefaults(const UserDefaults &defaults);
    // The root the preferences name, or defaultRootPath() when they name none.
    static QString rootPathFromDefaults(const UserDefaults &defaults);
    // Where sync tools keep address books unless told otherwise.
    static QString defaultRootPath();

    QString rootPath() const { return m_root; }

    QList<StoreContainer> containers() const;
    // The container's groups, sorted by name; empty for an unknown container. A group card and a
    // category of the same name are one group.
    QList<StoreGroup> groups(const QString &containerIdentifier) const;
    // The container's contacts (group cards are not contacts) in file-name order, or only the
    // group's members when a group is given, each card reduced to the keys asked.
    QList<StoreContact> contacts(const QString &containerIdentifier, const QString &groupIdentifier = QString(),
                                 const StoreKeys &keys = StoreKeys::all()) const;
    // The identifiers of the contacts contacts() gives, without reading the cards again.
    QStringList contactIdentifiers(const QString &containerIdentifier, const QString &groupIdentifier = QString()) const;
    // One contact by identifier with only the keys asked; nothing for an identifier outside the
    // store or a file that can't be read.
    std::optional<StoreContact> contact(const QString &identifier, const StoreKeys &keys = StoreKeys::all()) const;

    // Forgets what was read, so that the next calls see the folders as they are now.
    void refresh()
    {
        m_cards.clear();
        m_unreadable.clear();
    }
    // The files met so far that could not be read (path and the system's reason), in the order met.
    QStringList unreadableFiles() const { return m_unreadable; }

    // The categories a card lists (CATEGORIES values, unescaped, in order, without repeats).
    static QStringList categoriesOfCard(const QByteArray &vCard);
    // The card with only the properties the keys ask for (BEGIN, VERSION and END always stay).
    // The lines are kept byte for byte, folds and quoted-printable continuations included.
    static QByteArray cardWithKeys(const QByteArray &vCard, const StoreKeys &keys);
    // A member reference or a UID as a bare identifier: "urn:uuid:" and "uid:" prefixes dropped.
    static QString memberKey(const QString &reference);

private:
    struct Card
    {
        QString path;
        QString uid; // as memberKey() gives it
        QStringList categories;
        bool isGroup = false;
        QString groupName;
        QStringList members; // memberKey() of each MEMBER
    };

    bool isContainer(const QString &identifier) const;
    QStringList cardPaths(const QString &containerIdentifier) const;
    const QList<Card> &cards(const QString &containerIdentifier) const;
    std::optional<QByteArray> readCard(const QString &path) const;
    static Card cardInfo(const QString &path, const QByteArray &vCard);
    QList<const Card *> members(const QString &containerIdentifier, const QString &groupIdentifier) const;

    QString m_root;
    mutable QHash<QString, QList<Card>> m_cards; // by container, filled on first use
    mutable QStringList m_unreadable;
};
