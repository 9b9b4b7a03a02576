// The system contact store, read only: address books kept as vdir folders (one folder per address
// book, one .vcf file per contact, as CardDAV sync tools keep them) under a root folder chosen in
// the preferences. Without a root the store is empty.
//
// A container is an address book folder (its identifier is the folder's path, its name the text of
// the folder's "displayname" file or else the folder's name); the root itself counts as one when it
// holds cards. Groups are the categories (CATEGORIES) of a container's cards, read once on first
// use. Contacts come as the raw bytes of their card with a stable identifier (the file's path);
// turning them into records is the vCard reader's business.
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

class ContactStore
{
public:
    // Cards larger than this are not read (no contact card needs it; a stray file might).
    static constexpr qint64 MaximumCardSize = 64 << 20;

    explicit ContactStore(const QString &rootPath = QString());
    // The store under the root named by DefaultsKey::ContactStoreRoot ("~/" means the home folder).
    static ContactStore fromDefaults(const UserDefaults &defaults);

    QString rootPath() const { return m_root; }

    QList<StoreContainer> containers() const;
    // The container's groups, sorted by name; empty for an unknown container.
    QList<StoreGroup> groups(const QString &containerIdentifier) const;
    // The container's contacts in file-name order, or only the group's when one is given.
    QList<StoreContact> contacts(const QString &containerIdentifier,
                                 const QString &groupIdentifier = QString()) const;
    // One contact by identifier; nothing for an identifier outside the store.
    std::optional<StoreContact> contact(const QString &identifier) const;

    // Forgets what was read, so that the next calls see the folders as they are now.
    void refresh() { m_cards.clear(); }

    // The categories a card lists (CATEGORIES values, unescaped, in order, without repeats).
    static QStringList categoriesOfCard(const QByteArray &vCard);

private:
    struct Card
    {
        QString path;
        QStringList categories;
    };

    bool isContainer(const QString &identifier) const;
    QStringList cardPaths(const QString &containerIdentifier) const;
    const QList<Card> &cards(const QString &containerIdentifier) const;

    QString m_root;
    mutable QHash<QString, QList<Card>> m_cards; // by container, filled on first use
};
