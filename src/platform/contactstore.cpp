#include "platform/contactstore.h"

#include "platform/keys.h"
#include "platform/userdefaults.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <algorithm>

namespace {

const QString kCardSuffix = QStringLiteral("vcf");
const QString kDisplayNameFile = QStringLiteral("displayname");
constexpr QChar kGroupSeparator = u'#';

// One logical line of a card: where its bytes lie in the card (folds included) and its text with
// the folds removed.
struct CardLine
{
    qsizetype start = 0;
    qsizetype end = 0; // after the line break
    QByteArray text;
    QByteArray name;   // upper case, without the group prefix
    QByteArray group;  // "item1" of "item1.TEL", upper case
    QByteArray params; // between the name and the value's colon
    QByteArray value;
};

// Splits the unfolded text at the value's colon. A ':' inside a quoted parameter value does not
// end the parameters, so the colon is looked for outside quotes.
void parseLine(CardLine &line)
{
    const QByteArray &text = line.text;
    qsizetype colon = -1;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '"')
            quoted = !quoted;
        else if (text[i] == ':' && !quoted) {
            colon = i;
            break;
        }
    }
    if (colon < 0)
        return;
    QByteArray head = text.first(colon);
    line.value = text.sliced(colon + 1);
    if (const qsizetype semicolon = head.indexOf(';'); semicolon >= 0) {
        line.params = head.sliced(semicolon + 1);
        head.truncate(semicolon);
    }
    if (const qsizetype dot = head.lastIndexOf('.'); dot >= 0) {
        line.group = head.first(dot).toUpper();
        head = head.sliced(dot + 1);
    }
    line.name = head.trimmed().toUpper();
}

// The logical lines of a card. Lines end in CR LF or LF; a line starting with a space or tab
// continues the one before (a fold). A quoted-printable value ending in '=' continues on the next
// line without any leading blank (a soft line break), which looks like a new property otherwise.
QList<CardLine> cardLines(const QByteArray &vCard)
{
    QList<CardLine> lines;
    bool softBreak = false;
    qsizetype pos = 0;
    while (pos < vCard.size()) {
        qsizetype newline = vCard.indexOf('\n', pos);
        const qsizetype next = newline < 0 ? vCard.size() : newline + 1;
        QByteArrayView raw = QByteArrayView(vCard).sliced(pos, (newline < 0 ? vCard.size() : newline) - pos);
        if (raw.endsWith('\r'))
            raw.chop(1);
        const bool fold = !raw.isEmpty() && (raw.front() == ' ' || raw.front() == '\t');
        if (!lines.isEmpty() && (fold || softBreak)) {
            CardLine &last = lines.last();
            if (softBreak)
                last.text.chop(1); // the '=' of the soft break
            last.text += fold && !softBreak ? raw.sliced(1) : raw;
            last.end = next;
        } else {
            lines.append({ pos, next, raw.toByteArray(), {}, {}, {}, {} });
        }
        pos = next;
        CardLine &last = lines.last();
        softBreak = last.text.endsWith('=') && last.text.toUpper().contains(StoreProperty::QuotedPrintable);
    }
    for (CardLine &line : lines)
        parseLine(line);
    return lines;
}

// Splits a property value at commas that are not escaped, undoing the escapes.
QStringList splitTextList(QStringView value)
{
    QStringList items;
    QString current;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c == u'\\' && i + 1 < value.size()) {
            const QChar next = value[++i];
            current += (next == u'n' || next == u'N') ? QChar(u'\n') : next;
        } else if (c == u',') {
            items.append(current);
            current.clear();
        } else {
            current += c;
        }
    }
    items.append(current);
    return items;
}

void addCategories(const CardLine &line, QStringList &categories)
{
    for (const QString &item : splitTextList(QString::fromUtf8(line.value))) {
        const QString category = item.trimmed();
        if (!category.isEmpty() && !categories.contains(category))
            categories.append(category);
    }
}

QString unescapedText(const QByteArray &value)
{
    return splitTextList(QString::fromUtf8(value)).join(u',').trimmed();
}

} // namespace

QStringList ContactStore::categoriesOfCard(const QByteArray &vCard)
{
    QStringList categories;
    for (const CardLine &line : cardLines(vCard)) {
        if (line.name == StoreProperty::Categories)
            addCategories(line, categories);
    }
    return categories;
}

QByteArray ContactStore::cardWithKeys(const QByteArray &vCard, const StoreKeys &keys)
{
    // Most cards hold none of the properties left out (a photo): nothing to cut then.
    if (keys.allBut
        && std::none_of(keys.names.cbegin(), keys.names.cend(), [&vCard](const QString &name) {
               return QByteArrayView(vCard).contains(name.toLatin1())
                   || QByteArrayView(vCard).contains(name.toLower().toLatin1());
           }))
        return vCard;
    const QList<CardLine> lines = cardLines(vCard);
    const auto asked = [&keys](const QByteArray &name) {
        if (name == StoreProperty::Begin || name == StoreProperty::End || name == StoreProperty::Version)
            return true;
        return keys.names.contains(QString::fromLatin1(name)) != keys.allBut;
    };
    // A group prefix stays with every line of the group when one of its properties is asked for
    // (item1.X-ABLabel labels item1.TEL).
    QSet<QByteArray> groups;
    for (const CardLine &line : lines) {
        if (!line.group.isEmpty() && !line.name.startsWith("X-") && asked(line.name))
            groups.insert(line.group);
    }
    QByteArray out;
    out.reserve(vCard.size());
    for (const CardLine &line : lines) {
        const bool keep = line.group.isEmpty() ? asked(line.name) : groups.contains(line.group) || asked(line.name);
        if (keep)
            out += QByteArrayView(vCard).sliced(line.start, line.end - line.start);
    }
    return out;
}

QString ContactStore::memberKey(const QString &reference)
{
    QString key = reference.trimmed();
    for (const char *prefix : { StoreProperty::UrnUuidPrefix, StoreProperty::UidPrefix }) {
        if (key.startsWith(QLatin1String(prefix), Qt::CaseInsensitive)) {
            key = key.mid(qsizetype(qstrlen(prefix)));
            break;
        }
    }
    return key;
}

ContactStore::Card ContactStore::cardInfo(const QString &path, const QByteArray &vCard)
{
    Card card;
    card.path = path;
    QString name;
    for (const CardLine &line : cardLines(vCard)) {
        if (line.name == StoreProperty::Categories)
            addCategories(line, card.categories);
        else if (line.name == StoreProperty::Uid)
            card.uid = memberKey(QString::fromUtf8(line.value));
        else if (line.name == StoreProperty::Kind || line.name == StoreProperty::ServerKind)
            card.isGroup = card.isGroup || line.value.trimmed().compare(StoreProperty::GroupKind, Qt::CaseInsensitive) == 0;
        else if (line.name == StoreProperty::Member || line.name == StoreProperty::ServerMember)
            card.members.append(memberKey(QString::fromUtf8(line.value)));
        else if (line.name == StoreProperty::FormattedName)
            card.groupName = unescapedText(line.value);
        else if (line.name == StoreProperty::Name && name.isEmpty())
            name = unescapedText(line.value).remove(u';').trimmed();
    }
    if (card.groupName.isEmpty())
        card.groupName = name;
    if (!card.isGroup) {
        card.groupName.clear();
        card.members.clear();
    }
    return card;
}

std::optional<QByteArray> ContactStore::readCard(const QString &path) const
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning().noquote() << "ContactStore: ERROR can't read" << path << file.errorString();
        const QString entry = path + QStringLiteral(": ");
        if (std::none_of(m_unreadable.cbegin(), m_unreadable.cend(),
                         [&entry](const QString &seen) { return seen.startsWith(entry); }))
            m_unreadable.append(entry + file.errorString());
        return std::nullopt;
    }
    if (file.size() > ContactStore::MaximumCardSize) {
        qWarning().noquote() << "ContactStore: ERROR card too large" << path;
        return std::nullopt;
    }
    return file.readAll();
}

ContactStore::ContactStore(const QString &rootPath)
    : m_root(rootPath.isEmpty() ? QString() : QDir::cleanPath(QDir(rootPath).absolutePath()))
{ }

ContactStore ContactStore::fromDefaults(const UserDefaults &defaults)
{
    QString root = defaults.stringValue(DefaultsKey::ContactStoreRoot).trimmed();
    if (root == QLatin1String("~") || root.startsWith(QLatin1String("~/")))
        root = QDir::homePath() + root.mid(1);
    return ContactStore(root);
}

QString ContactStore::defaultRootPath()
{
    return QDir::homePath() + QLatin1String(StoreProperty::DefaultRoot);
}

QString ContactStore::rootPathFromDefaults(const UserDefaults &defaults)
{
    const QString root = fromDefaults(defaults).rootPath();
    return root.isEmpty() ? defaultRootPath() : root;
}

QList<StoreContainer> ContactStore::containers() const
{
    QList<StoreContainer> list;
    if (m_root.isEmpty() || !QFileInfo(m_root).isDir())
        return list;
    QStringList folders;
    if (!cardPaths(m_root).isEmpty())
        folders.append(m_root);
    const QDir root(m_root);
    for (const QString &entry : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
        folders.append(root.filePath(entry));
    for (const QString &folder : std::as_const(folders)) {
        QString name;
        QFile displayName(QDir(folder).filePath(kDisplayNameFile));
        if (displayName.open(QIODevice::ReadOnly))
            name = QString::fromUtf8(displayName.read(4096)).section(u'\n', 0, 0).trimmed();
        if (name.isEmpty())
            name = QFileInfo(folder).fileName();
        list.append({ folder, name });
    }
    return list;
}

bool ContactStore::isContainer(const QString &identifier) const
{
    if (m_root.isEmpty() || identifier.isEmpty())
        return false;
    const QFileInfo info(identifier);
    if (!info.isDir() || info.fileName().startsWith(u'.'))
        return false;
    const QString path = QDir::cleanPath(info.absoluteFilePath());
    return path == m_root || QDir::cleanPath(info.absolutePath()) == m_root;
}

QStringList ContactStore::cardPaths(const QString &containerIdentifier) const
{
    QStringList paths;
    const QDir dir(containerIdentifier);
    // Sync tools write hidden temporary files beside the cards; QDir leaves hidden files out.
    for (const QFileInfo &info : dir.entryInfoList(QDir::Files, QDir::Name)) {
        if (info.suffix().compare(kCardSuffix, Qt::CaseInsensitive) == 0)
            paths.append(info.absoluteFilePath());
    }
    return paths;
}

const QList<ContactStore::Card> &ContactStore::cards(const QString &containerIdentifier) const
{
    auto it = m_cards.find(containerIdentifier);
    if (it != m_cards.end())
        return *it;
    QList<Card> list;
    for (const QString &path : cardPaths(containerIdentifier)) {
        if (const auto bytes = readCard(path))
            list.append(cardInfo(path, *bytes));
    }
    return *m_cards.insert(containerIdentifier, list);
}

QList<StoreGroup> ContactStore::groups(const QString &containerIdentifier) const
{
    QList<StoreGroup> list;
    if (!isContainer(containerIdentifier))
        return list;
    QStringList names;
    for (const Card &card : cards(containerIdentifier)) {
        if (card.isGroup && !card.groupName.isEmpty()) {
            list.append({ card.path, card.groupName, containerIdentifier });
            names.append(card.groupName);
        }
    }
    for (const Card &card : cards(containerIdentifier)) {
        for (const QString &category : card.categories) {
            if (!names.contains(category)) {
                names.append(category);
                list.append({ containerIdentifier + kGroupSeparator + category, category, containerIdentifier });
            }
        }
    }
    std::stable_sort(list.begin(), list.end(), [](const StoreGroup &a, const StoreGroup &b) {
        return QString::localeAwareCompare(a.name, b.name) < 0;
    });
    return list;
}

QList<const ContactStore::Card *> ContactStore::members(const QString &containerIdentifier,
                                                        const QString &groupIdentifier) const
{
    QList<const Card *> list;
    const QList<Card> &all = cards(containerIdentifier);
    QString category;
    QSet<QString> memberKeys;
    if (!groupIdentifier.isEmpty()) {
        const QString prefix = containerIdentifier + kGroupSeparator;
        const auto groupCard = std::find_if(all.begin(), all.end(), [&](const Card &card) {
            return card.isGroup && card.path == groupIdentifier;
        });
        if (groupCard != all.end()) {
            category = groupCard->groupName;
            memberKeys = QSet<QString>(groupCard->members.begin(), groupCard->members.end());
        } else if (groupIdentifier.startsWith(prefix)) {
            category = groupIdentifier.mid(prefix.size());
        }
        if (category.isEmpty())
            return list;
    }
    for (const Card &card : all) {
        if (card.isGroup)
            continue;
        if (category.isEmpty() || card.categories.contains(category)
            || (!card.uid.isEmpty() && memberKeys.contains(card.uid)))
            list.append(&card);
    }
    return list;
}

QList<StoreContact> ContactStore::contacts(const QString &containerIdentifier, const QString &groupIdentifier,
                                           const StoreKeys &keys) const
{
    QList<StoreContact> list;
    if (!isContainer(containerIdentifier))
        return list;
    for (const Card *card : members(containerIdentifier, groupIdentifier)) {
        if (auto bytes = readCard(card->path))
            list.append({ card->path, cardWithKeys(*bytes, keys) });
    }
    return list;
}

QStringList ContactStore::contactIdentifiers(const QString &containerIdentifier,
                                             const QString &groupIdentifier) const
{
    QStringList list;
    if (!isContainer(containerIdentifier))
        return list;
    for (const Card *card : members(containerIdentifier, groupIdentifier))
        list.append(card->path);
    return list;
}

std::optional<StoreContact> ContactStore::contact(const QString &identifier, const StoreKeys &keys) const
{
    const QFileInfo info(identifier);
    if (!info.isFile() || info.suffix().compare(kCardSuffix, Qt::CaseInsensitive) != 0
        || info.fileName().startsWith(u'.') || !isContainer(info.absolutePath()))
        return std::nullopt;
    auto bytes = readCard(info.absoluteFilePath());
    if (!bytes)
        return std::nullopt;
    return StoreContact { QDir::cleanPath(info.absoluteFilePath()), cardWithKeys(*bytes, keys) };
}
