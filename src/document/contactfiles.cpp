#include "document/contactfiles.h"

#include "platform/atomicfilewriter.h"
#include "platform/textfilereader.h"
#include "record/keys.h"

#include <QHash>

namespace {

ContactList contactsOfFirstGroup(const ContainerTable &containers)
{
    if (containers.isEmpty() || !containers.first() || containers.first()->groups.isEmpty())
        return {};
    const ContainerEntry &container = containers.first();
    const ContactTable table = QVvCard::contactsForGroup(container->groups.first(), container);
    return table ? *table : ContactList();
}

// The reader's and writer's positions as percentages of total.
QVvCard::ProgressHandler percentHandler(const ProgressReport &progress, qsizetype total)
{
    if (!progress)
        return {};
    const double length = double(std::max<qsizetype>(1, total));
    return [progress, length](bool *stop, qsizetype position) {
        *stop = progress(double(position) / length * 100.0);
    };
}

// An export writes everything a card can hold.
QStringList exportOptions()
{
    return { VCardOption::Photo, VCardOption::Note, VCardOption::Custom, VCardOption::Categories };
}

} // namespace

ImportedContacts ContactImport::readVCardFile(const QString &path, int encoding,
                                              const ProgressReport &progress)
{
    ImportedContacts result;
    // Files are read as bytes where their encoding allows, without a UTF-16 copy of a possibly huge
    // text; each value is then decoded once.
    const DecodedText decoded
        = TextFileReader::read(path, encoding, TextFileReader::Utf8Text::Skip, TextFileReader::Lines::Folded);
    if (!decoded.ok()) {
        result.readError = decoded.errorString;
        return result;
    }
    const QVvCard::ProgressHandler handler = percentHandler(progress, decoded.length());
    VCardReadStatistics statistics;
    const std::optional<ContainerTable> containers
        = QVvCard::containersFromVCardFile(decoded, handler, &statistics);
    if (!containers) {
        result.cancelled = true;
        return result;
    }
    result.contacts = contactsOfFirstGroup(*containers);
    result.skippedCards = statistics.skippedCards;
    return result;
}

ImportedContacts ContactImport::readCsvFile(const QString &path, int encoding)
{
    ImportedContacts result;
    const DecodedText decoded = TextFileReader::read(path, encoding);
    if (!decoded.ok()) {
        result.readError = decoded.errorString;
        return result;
    }
    result.contacts = QVvCard::contactsFromCSV(decoded.text).value_or(ContactList());
    return result;
}

QString ContactImport::plainName(QVPerson &person)
{
    return person.showAsPerson() ? person.nameValue().value(Key::StringValue).toString()
                                 : person.stringValueForIdentifier(FieldId::Company);
}

ContactList ContactExport::contactsToWrite(const ContactList &selected, const ContactList &contactTable)
{
    // One pass over the table: exports of a whole document select 100,000 contacts.
    QHash<QString, ContactEntry> shown;
    shown.reserve(contactTable.size());
    for (const ContactEntry &entry : contactTable) {
        if (entry && !entry->deleted && !shown.contains(entry->uniqueId))
            shown.insert(entry->uniqueId, entry);
    }
    ContactList out;
    for (const ContactEntry &contact : selected) {
        if (!contact)
            continue;
        const ContactEntry entry = shown.take(contact->uniqueId);
        if (entry)
            out.append(entry);
    }
    return out;
}

QString ContactExport::proposedFileName(const ContactList &contacts, const QString &suffix)
{
    QString name;
    if (!contacts.isEmpty() && contacts.first() && contacts.first()->person)
        name = ContactImport::plainName(*contacts.first()->person);
    // A name is a file name, not a path.
    name.replace(u'/', u'_');
    return name + suffix;
}

std::optional<QByteArray> ContactExport::vCardData(const ContactList &contacts, const QVariantList &customItems,
                                                   const ContainerEntry &container,
                                                   const ProgressReport &progress)
{
    QVPerson::setClassCustomItems(customItems);
    return QVvCard::vCardDataFromContacts(contacts, exportOptions(), container,
                                          percentHandler(progress, contacts.size()));
}

bool ContactExport::writeVCards(QIODevice &device, const ContactList &contacts, const QVariantList &customItems,
                                const ContainerEntry &container, const ProgressReport &progress)
{
    QVPerson::setClassCustomItems(customItems);
    auto write = [&device](const QByteArray &batch) { return device.write(batch) == batch.size(); };
    return QVvCard::writeVCardData(contacts, exportOptions(), container, write,
                                   percentHandler(progress, contacts.size()));
}

QString ContactExport::csvText(const ContactList &contacts)
{
    SubContactRows rows;
    rows.reserve(contacts.size());
    for (const ContactEntry &entry : contacts) {
        SubContactRow row = SubContactRow::fromEntry(entry);
        row.labelIndex = 0;
        rows.append(row);
    }
    return QVvCard::csvFromSubContacts(rows);
}

bool ContactExport::writeData(const QString &path, const QByteArray &bytes, QString *errorString)
{
    return AtomicFileWriter::writeFile(path, bytes, errorString);
}
