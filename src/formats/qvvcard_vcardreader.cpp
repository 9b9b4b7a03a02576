// QVvCard: reading vCard text into the container table of a file document.
#include "formats/qvvcard.h"
#include "formats/vcardfilereader_p.h"
#include "formats/vcardrecordreader_p.h"
#include "record/keys.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QHash>
#include <algorithm>

namespace {

ContainerEntry newContainer()
{
    auto all = std::make_shared<GroupEntryData>();
    all->top = true;
    all->name = QCoreApplication::translate("QVvCard", "All Contacts");
    all->containerName = EntryKey::VCardContainerName;
    all->contactTable = std::make_shared<ContactList>();
    auto container = std::make_shared<ContainerEntryData>();
    container->name = EntryKey::VCardContainerName;
    container->type = 1;
    container->groups.append(all);
    return container;
}

} // namespace

ContainerEntry QVvCard::fileContainer(const ContactList &contacts)
{
    ContainerEntry container = newContainer();
    *container->groups.first()->contactTable = contacts;
    return container;
}

namespace {

// Puts the read cards into the container: every contact into "All Contacts", and its entry copies
// into its category groups. Entries, their copies and the batches' category names come from the
// reading threads, so this touches no record and looks each name up once per batch.
void fill(const ContainerEntry &container, QList<VCardFileReader::CardResult> &cards,
          VCardReadStatistics *stats)
{
    const QString now = QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss +0000"));
    QHash<QString, GroupEntry> groups;
    const QStringList *batchNames = nullptr;
    QList<GroupEntry> batchGroups; // the groups of batchNames, position for position
    ContactList &all = *container->groups.first()->contactTable;
    all.reserve(cards.size());
    for (VCardFileReader::CardResult &card : cards) {
        if (card.categoryNames && card.categoryNames.get() != batchNames) {
            batchNames = card.categoryNames.get();
            batchGroups.clear();
            for (const QString &name : *batchNames) {
                GroupEntry &group = groups[name];
                if (!group) {
                    group = std::make_shared<GroupEntryData>();
                    group->name = name;
                    group->containerName = EntryKey::LocalContainerName;
                    group->uniqueId = name + u'-' + now;
                    group->contactTable = std::make_shared<ContactList>();
                    container->groups.append(group);
                }
                batchGroups.append(group);
            }
        }
        if (stats) {
            ++stats->cards;
            stats->keptVerbatim += card.read.keptVerbatim;
        }
        if (!card.entry) {
            if (stats)
                ++stats->skippedCards;
            continue; // its category groups stay
        }
        all.append(card.entry);
        for (qsizetype i = 0; i < card.categories.size(); ++i)
            batchGroups.at(card.categories[i])->contactTable->append(std::move(card.groupEntries[i]));
        card = {}; // released while at hand rather than in a second walk over all of them
    }
    std::stable_sort(container->groups.begin(), container->groups.end(),
                     [](const GroupEntry &a, const GroupEntry &b) {
                         if (a->top != b->top)
                             return a->top;
                         return a->name < b->name;
                     });
}

template<typename Text>
std::optional<ContainerTable> containers(const Text &text, const QVvCard::ProgressHandler &progress,
                                         VCardReadStatistics *statistics)
{
    if (statistics)
        *statistics = {};
    const ContainerEntry container = newContainer();
    if (!text.isEmpty()) {
        auto cards = VCardFileReader::readCards(text, progress);
        if (!cards)
            return std::nullopt;
        fill(container, *cards, statistics);
    }
    return ContainerTable { container };
}

} // namespace

std::optional<ContainerTable> QVvCard::containersFromVCards(const QString &text,
                                                            const ProgressHandler &progress,
                                                            VCardReadStatistics *statistics)
{
    return containers(text, progress, statistics);
}

std::optional<ContainerTable> QVvCard::containersFromVCardData(const QByteArray &utf8,
                                                               const ProgressHandler &progress,
                                                               VCardReadStatistics *statistics)
{
    return containers(utf8, progress, statistics);
}

QStringList QVvCard::findCategories2(const QString &card)
{
    const QByteArray bytes = card.toUtf8();
    return VCardRecordReader::categories(VCardSyntax::Card(bytes));
}

void QVvCard::decodeVCardCustomItems(const QString &card, QVPerson &person)
{
    const QByteArray bytes = card.toUtf8();
    VCardRecordReader::addCustomItems(VCardSyntax::Card(bytes), person);
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
