#include "platform/contactstore.h"

#include "platform/keys.h"
#include "platform/userdefaults.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace {

const QString kCardSuffix = QStringLiteral("vcf");
const QString kDisplayNameFile = QStringLiteral("displayname");
constexpr QChar kGroupSeparator = u'#';

std::optional<QByteArray> readCard(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning().noquote() << "ContactStore: ERROR can't read" << path << file.errorString();
        return std::nullopt;
    }
    if (file.size() > ContactStore::MaximumCardSize) {
        qWarning().noquote() << "ContactStore: ERROR card too large" << path;
        return std::nullopt;
    }
    return file.readAll();
}

// The logical lines of a card: CR LF or LF line ends, folded lines (a leading space or tab) joined.
QStringList unfoldedLines(const QByteArray &vCard)
{
    QStringList lines;
    qsizetype start = 0;
    while (start < vCard.size()) {
        qsizetype end = vCard.indexOf('\n', start);
        if (end < 0)
            end = vCard.size();
        QByteArrayView raw = QByteArrayView(vCard).sliced(start, end - start);
        start = end + 1;
        if (raw.endsWith('\r'))
            raw.chop(1);
        if (!raw.isEmpty() && (raw.front() == ' ' || raw.front() == '\t') && !lines.isEmpty())
            lines.last() += QString::fromUtf8(raw.sliced(1));
        else
            lines.append(QString::fromUtf8(raw));
    }
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

} // namespace

QStringList ContactStore::categoriesOfCard(const QByteArray &vCard)
{
    QStringList categories;
    for (const QString &line : unfoldedLines(vCard)) {
        // The name ends at the first ';' or ':'; a ':' inside a quoted parameter value does not
        // end the parameters, so look for the value's colon outside quotes.
        qsizetype colon = -1;
        bool quoted = false;
        for (qsizetype i = 0; i < line.size(); ++i) {
            if (line[i] == u'"')
                quoted = !quoted;
            else if (line[i] == u':' && !quoted) {
                colon = i;
                break;
            }
        }
        if (colon < 0)
            continue;
        QStringView name = QStringView(line).first(colon);
        if (const qsizetype semicolon = name.indexOf(u';'); semicolon >= 0)
            name = name.first(semicolon);
        if (const qsizetype dot = name.lastIndexOf(u'.'); dot >= 0)
            name = name.sliced(dot + 1); // a group prefix ("item1.")
        if (name.compare(QLatin1String("CATEGORIES"), Qt::CaseInsensitive) != 0)
            continue;
        for (const QString &item : splitTextList(QStringView(line).sliced(colon + 1))) {
            const QString category = item.trimmed();
            if (!category.isEmpty() && !categories.contains(category))
                categories.append(category);
        }
    }
    return categories;
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
            list.append({ path, categoriesOfCard(*bytes) });
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
        for (const QString &category : card.categories) {
            if (!names.contains(category))
                names.append(category);
        }
    }
    std::sort(names.begin(), names.end(),
              [](const QString &a, const QString &b) { return QString::localeAwareCompare(a, b) < 0; });
    for (const QString &name : std::as_const(names))
        list.append({ containerIdentifier + kGroupSeparator + name, name, containerIdentifier });
    return list;
}

QList<StoreContact> ContactStore::contacts(const QString &containerIdentifier,
                                           const QString &groupIdentifier) const
{
    QList<StoreContact> list;
    if (!isContainer(containerIdentifier))
        return list;
    const QString prefix = containerIdentifier + kGroupSeparator;
    if (!groupIdentifier.isEmpty() && !groupIdentifier.startsWith(prefix))
        return list;
    const QString category = groupIdentifier.mid(prefix.size());
    if (!groupIdentifier.isEmpty() && category.isEmpty())
        return list;
    for (const Card &card : cards(containerIdentifier)) {
        if (!category.isEmpty() && !card.categories.contains(category))
            continue;
        if (auto bytes = readCard(card.path))
            list.append({ card.path, std::move(*bytes) });
    }
    return list;
}

std::optional<StoreContact> ContactStore::contact(const QString &identifier) const
{
    const QFileInfo info(identifier);
    if (!info.isFile() || info.suffix().compare(kCardSuffix, Qt::CaseInsensitive) != 0
        || info.fileName().startsWith(u'.') || !isContainer(info.absolutePath()))
        return std::nullopt;
    auto bytes = readCard(info.absoluteFilePath());
    if (!bytes)
        return std::nullopt;
    return StoreContact { QDir::cleanPath(info.absoluteFilePath()), std::move(*bytes) };
}
