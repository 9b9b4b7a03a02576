// QVvCard: reading vCard text into the container table of a file document.
#include "formats/filegroups_p.h"
#include "formats/qvvcard.h"
#include "formats/vcardfilereader_p.h"
#include "formats/vcardrecordreader_p.h"
#include "platform/encodings.h"
#include "platform/textfilereader.h"
#include "record/keys.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QHash>
#include <algorithm>

namespace {

ContainerEntry newContainer()
{
    ContainerEntry container = QVvCard::containerWithAllContacts(EntryKey::VCardContainerName, 1);
    container->groups.first()->contactTable = std::make_shared<ContactList>();
    return container;
}

} // namespace

FileGroups::FileGroups(const ContainerEntry &container)
    : m_container(container)
{
}

const GroupEntry &FileGroups::group(const QString &name)
{
    GroupEntry &group = m_groups[name];
    if (!group) {
        group = std::make_shared<GroupEntryData>();
        group->name = name;
        group->containerName = EntryKey::LocalContainerName;
        // Formatted only when a file has groups: most have none, and reading must stay cheap.
        if (m_now.isEmpty())
            m_now = QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss +0000"));
        group->uniqueId = name + u'-' + m_now;
        group->contactTable = std::make_shared<ContactList>();
        m_container->groups.append(group);
    }
    return group;
}

void FileGroups::sort()
{
    std::stable_sort(m_container->groups.begin(), m_container->groups.end(),
                     [](const GroupEntry &a, const GroupEntry &b) {
                         if (a->top != b->top)
                             return a->top;
                         return a->name < b->name;
                     });
}

ContainerEntry QVvCard::containerWithAllContacts(const QString &name, int type, const QString &identifier)
{
    auto all = std::make_shared<GroupEntryData>();
    all->top = true;
    all->name = QCoreApplication::translate("QVvCard", "All Contacts");
    all->containerName = name;
    all->containerIdentifier = identifier;
    auto container = std::make_shared<ContainerEntryData>();
    container->name = name;
    container->type = type;
    container->identifier = identifier;
    container->groups.append(all);
    return container;
}

ContainerEntry QVvCard::fileContainer(const ContactList &contacts)
{
    ContainerEntry container = newContainer();
    *container->groups.first()->contactTable = contacts;
    return container;
}

PersonPtr QVvCard::personFromStoreCard(const QByteArray &card)
{
    return VCardRecordReader::read(card, VCardRecordReader::Parts::Everything).person;
}

namespace {

// Files the read cards into the container as they arrive: every contact into "All Contacts",
// and its entry copies into its category groups. Entries, their copies and the batches' category
// names come from the reading threads, so this touches no record and looks each name up once per
// batch; and it runs while later cards are still being read.
class Filer
{
public:
    Filer(const ContainerEntry &container, VCardReadStatistics *stats)
        : m_all(*container->groups.first()->contactTable)
        , m_stats(stats)
        , m_groups(container)
    {
    }

    void add(VCardFileReader::CardResult &&card)
    {
        if (card.categoryNames && card.categoryNames != m_batchNames)
            startBatch(card.categoryNames);
        if (m_stats) {
            m_stats->cards += 1 + card.nestedCards;
            m_stats->skippedCards += card.nestedCards;
            m_stats->keptVerbatim += card.read.keptVerbatim;
        }
        if (!card.entry) {
            if (m_stats)
                ++m_stats->skippedCards;
            return; // its category groups stay
        }
        m_all.append(std::move(card.entry));
        for (qsizetype i = 0; i < card.categories.size(); ++i)
            m_batchGroups.at(card.categories[i])->contactTable->append(std::move(card.groupEntries[i]));
    }

    void finish() { m_groups.sort(); }

private:
    void startBatch(const std::shared_ptr<const QStringList> &names)
    {
        m_batchNames = names;
        m_batchGroups.clear();
        for (const QString &name : *names)
            m_batchGroups.append(m_groups.group(name));
    }

    ContactList &m_all;
    VCardReadStatistics *m_stats;
    FileGroups m_groups;
    std::shared_ptr<const QStringList> m_batchNames;
    QList<GroupEntry> m_batchGroups; // the groups of m_batchNames, position for position
};

// readCards is any of the file reader's, with the text bound.
template<typename Read>
std::optional<ContainerTable> containers(bool empty, const Read &readCards, VCardReadStatistics *statistics)
{
    if (statistics)
        *statistics = {};
    const ContainerEntry container = newContainer();
    if (!empty) {
        Filer filer(container, statistics);
        if (!readCards([&filer](VCardFileReader::CardResult &&card) { filer.add(std::move(card)); }))
            return std::nullopt;
        filer.finish();
    }
    return ContainerTable { container };
}

} // namespace

std::optional<ContainerTable> QVvCard::containersFromVCards(const QString &text,
                                                            const ProgressHandler &progress,
                                                            VCardReadStatistics *statistics)
{
    return containers(
        text.isEmpty(),
        [&](const VCardFileReader::Consumer &consume) {
            return VCardFileReader::readCards(text, progress, consume);
        },
        statistics);
}

std::optional<ContainerTable> QVvCard::containersFromVCardData(const QByteArray &utf8,
                                                               const ProgressHandler &progress,
                                                               VCardReadStatistics *statistics)
{
    return containers(
        utf8.isEmpty(),
        [&](const VCardFileReader::Consumer &consume) {
            return VCardFileReader::readCards(utf8, QByteArray(), progress, consume);
        },
        statistics);
}

std::optional<ContainerTable> QVvCard::containersFromVCardFile(const DecodedText &file,
                                                               const ProgressHandler &progress,
                                                               VCardReadStatistics *statistics)
{
    if (file.bytes.isEmpty())
        return containersFromVCards(file.text, progress, statistics);
    const Encoding *encoding = Encodings::find(file.encoding);
    const QByteArray charset
        = !encoding || file.encoding == Encodings::UTF8 ? QByteArray() : QByteArray(encoding->charset);
    return containers(
        false,
        [&](const VCardFileReader::Consumer &consume) {
            return VCardFileReader::readCards(file.bytes, charset, progress, consume);
        },
        statistics);
}

namespace {

// A card given as text was decoded already: its values are not decoded with their charsets again.
const VCardSyntax::TextSource kDecodedText { {}, true };

} // namespace

QStringList QVvCard::findCategories2(const QString &card)
{
    const QByteArray bytes = card.toUtf8();
    return VCardRecordReader::categories(VCardSyntax::Card(bytes, kDecodedText));
}

void QVvCard::decodeVCardCustomItems(const QString &card, QVPerson &person)
{
    const QByteArray bytes = card.toUtf8();
    VCardRecordReader::addCustomItems(VCardSyntax::Card(bytes, kDecodedText), person);
}

ContactTable QVvCard::contactsInContainer(const ContainerEntry &container)
{
    if (!container || container->name != EntryKey::VCardContainerName || container->groups.isEmpty())
        return nullptr;
    return container->groups.first()->contactTable;
}

ContactTable QVvCard::contactsForGroup(const GroupEntry &group, const ContainerEntry &container)
{
    if (!group || !container || container->name != EntryKey::VCardContainerName)
        return nullptr;
    for (const GroupEntry &candidate : std::as_const(container->groups)) {
        if (candidate->uniqueId == group->uniqueId)
            return candidate->contactTable;
    }
    return nullptr;
}
