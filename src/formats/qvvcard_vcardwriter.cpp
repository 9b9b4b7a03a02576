// QVvCard: writing contacts as vCard 3.0 text.
#include "formats/qvvcard.h"
#include "formats/orderedbatches_p.h"
#include "formats/vcardkept_p.h"
#include "formats/vcardkeys.h"
#include "formats/vcardrecordwriter_p.h"
#include "formats/vcardsyntax_p.h"
#include "record/keys.h"

#include <QBuffer>
#include <QSet>
#include <vector>

namespace {

const QString kPhotoHead = QStringLiteral("PHOTO;ENCODING=b;TYPE=JPEG:");
const QString kEndLine = QStringLiteral("END:VCARD");

bool isJpeg(const QByteArray &bytes)
{
    return bytes.size() > 3 && uchar(bytes[0]) == 0xFF && uchar(bytes[1]) == 0xD8 && uchar(bytes[2]) == 0xFF;
}

// The PHOTO lines of a record. A JPEG is written as it is stored, so that writing never costs
// quality; other images are converted. Bytes no image reader understands are still written,
// without a type, rather than dropped.
QByteArray photoLines(QVPerson &person)
{
    const QByteArray stored = person.imageData().isEmpty() ? person.thumbnailImageData() : person.imageData();
    if (stored.isEmpty())
        return {};
    if (isJpeg(stored)) {
        QByteArray out;
        VCardSyntax::appendFolded(out, QByteArray(kPhotoHead.toLatin1() + stored.toBase64()));
        return out;
    }
    const QImage image = person.photo();
    if (!image.isNull())
        return QVvCard::encodeVCardPhoto(image).toLatin1();
    QByteArray out;
    VCardSyntax::appendFolded(out, QByteArray(QByteArray("PHOTO;ENCODING=b:") + stored.toBase64()));
    return out;
}

void appendCustomLine(QByteArray &out, const QString &name, const QString &label, const QString &value,
                      bool labeled, const QString &head = {})
{
    // User-defined values keep "," and ";" as written (some are structured); a line break or a
    // backslash is escaped so that the value reads back the same and the card stays whole.
    QString line = VCardProperty::CustomPrefix + name;
    if (labeled) {
        const VCardKept::Parts parts = VCardKept::split(head);
        if (parts.group.isEmpty() && parts.name == line && VCardKept::customLabel(head) == label) {
            line = head; // as it was read
        } else {
            // A label that is parameter text itself (read from a line without "type=", such as
            // "VALUE=TEXT") is written as it stands: "type=" before it would change the line.
            const QString bare = line + u';' + label;
            if (label.contains(u'=') && !label.contains(u':') && VCardKept::customLabel(bare) == label)
                line = bare;
            else
                line += u';' + VCardParameter::CustomLabelPrefix + VCardSyntax::parameterValue(label);
        }
    }
    line += u':' + VCardSyntax::escapeLineBreaks(value);
    VCardRecordWriter::appendLine(out, line);
}

// The class's custom item definitions, taken once per run of the writer rather than per card.
struct CustomDefinition
{
    QString name;
    bool labeled = false;
    bool builtIn = false; // the name is also one of the record's own fields
};

QList<CustomDefinition> customDefinitions()
{
    QList<CustomDefinition> definitions;
    for (const QVariant &v : QVPerson::classCustomItems()) {
        const QVariantMap definition = v.toMap();
        const QString name = definition.value(CustomKey::Name).toString();
        const QString type = definition.value(CustomKey::Type).toString();
        if (!name.isEmpty() && (type == ValueType::Labeled || type == ValueType::String))
            definitions.append({ name, type == ValueType::Labeled, QVPerson::isBuiltInIdentifier(name) });
    }
    return definitions;
}

void appendCustomItemLines(QByteArray &out, QVPerson &person, const QList<CustomDefinition> &definitions,
                           bool writeEmpty)
{
    for (const CustomDefinition &definition : definitions) {
        if (definition.labeled) {
            for (const QVariant &item : person.labeledValueForIdentifier(definition.name)) {
                const QVariantMap map = item.toMap();
                const QString value = map.value(Key::StringValue).toString();
                // An empty value read from a file is written back; one the user cleared is not.
                if (!value.isEmpty() || writeEmpty || map.contains(VCardKey::Property))
                    appendCustomLine(out, definition.name, map.value(Key::Label).toString(), value, true,
                                     map.value(VCardKey::Property).toString());
            }
        } else {
            // Most records lack most custom items; a record that neither defines nor stores this
            // one has no text for it, which spares the general look-up.
            const bool absent = !definition.builtIn && !person.storedItem(definition.name)
                && person.customItemDefinition(definition.name).isEmpty();
            const QString value = absent ? QString() : person.stringValueForIdentifier(definition.name);
            // A text item stored empty (read so from a file, or emptied) is written as such: the
            // line is what the file had.
            const QVariant *stored = absent ? nullptr : person.storedItem(definition.name);
            const bool readEmpty = stored && stored->typeId() == QMetaType::QString;
            if (!value.isEmpty() || writeEmpty || readEmpty)
                appendCustomLine(out, definition.name, {}, value, false);
        }
    }
}

// Whether one of the lines kept verbatim (the only ones the record writer does not make itself)
// starts as given.
bool keepsLine(const QVPerson &person, QLatin1StringView start)
{
    for (const QString &line : person.extraProperties()) {
        if (line.startsWith(start))
            return true;
    }
    return false;
}

// The position of the first PHOTO line of the card that starts at start, or -1.
qsizetype firstPhotoLine(const QByteArray &out, qsizetype start)
{
    qsizetype first = -1;
    for (const char *head : { "\r\nPHOTO;", "\r\nPHOTO:" }) {
        const qsizetype at = out.indexOf(head, start);
        if (at >= 0 && (first < 0 || at + 2 < first))
            first = at + 2;
    }
    return first;
}

// Appends the record's card, with the writer's own lines inserted before "END:VCARD", as UTF-8.
void appendCard(QByteArray &out, QVPerson &person, const QStringList &options, const QStringList &groupNames,
                bool contactEntry, const QList<CustomDefinition> &definitions)
{
    static constexpr QByteArrayView kEnd("END:VCARD\r\n");
    const qsizetype start = out.size();
    VCardRecordWriter::write(person, out);
    if (out.size() == start || !QByteArrayView(out).sliced(start).endsWith(kEnd))
        return;
    out.chop(kEnd.size());
    if (options.contains(VCardOption::Note) && !keepsLine(person, QLatin1StringView("NOTE:"))) {
        const QString note = person.storedString(FieldId::Note);
        if (!note.isEmpty())
            VCardRecordWriter::appendLine(
                out,
                VCardRecordWriter::keptHead(person, VCardKeptKey::Note, VCardProperty::Note) + u':'
                    + VCardSyntax::escape(note));
    }
    // Photo lines kept as read are other photos of the card (a second one, a link): the record's
    // own goes before them, so that it is the card's first photo again when the card is read.
    if (options.contains(VCardOption::Photo)) {
        const QByteArray photo = photoLines(person);
        const qsizetype kept
            = keepsLine(person, QLatin1StringView("PHOTO")) ? firstPhotoLine(out, start) : -1;
        if (kept >= 0)
            out.insert(kept, photo);
        else
            out += photo;
    }
    if (contactEntry || options.contains(VCardOption::Custom))
        appendCustomItemLines(out, person, definitions, contactEntry);
    if (!groupNames.isEmpty() && !keepsLine(person, QLatin1StringView("CATEGORIES:"))) {
        QStringList escaped;
        for (const QString &name : groupNames)
            escaped.append(VCardSyntax::escape(name));
        const QString joined = escaped.join(u',');
        if (!joined.isEmpty())
            VCardRecordWriter::appendLine(out, VCardProperty::Categories + u':' + joined);
    }
    out.append(kEnd);
}

QString card(QVPerson &person, const QStringList &options, const QStringList &groupNames, bool contactEntry)
{
    QByteArray bytes;
    appendCard(bytes, person, options, groupNames, contactEntry, customDefinitions());
    return QString::fromUtf8(bytes);
}

// Contacts written per batch; small enough for progress to move smoothly.
constexpr qsizetype kWriteBatch = 256;

qsizetype batchCountOf(const ContactList &contacts)
{
    return (contacts.size() + kWriteBatch - 1) / kWriteBatch;
}

// The positions of batch index's contacts: [first, last).
struct BatchRange
{
    qsizetype first;
    qsizetype last;
};

BatchRange batchRange(qsizetype index, const ContactList &contacts)
{
    return { index * kWriteBatch, std::min(contacts.size(), (index + 1) * kWriteBatch) };
}

} // namespace

bool QVvCard::writeVCardData(const ContactList &contacts, const QStringList &options,
                             const ContainerEntry &container, const BatchSink &sink,
                             const ProgressHandler &progress)
{
    // Group names by contact, gathered once instead of walking every group for every contact.
    QHash<QString, QStringList> groupNames;
    if (container) {
        qsizetype memberships = 0;
        for (const GroupEntry &group : std::as_const(container->groups)) {
            if (!group->top && group->contactTable)
                memberships += group->contactTable->size();
        }
        groupNames.reserve(std::min(memberships, contacts.size())); // no rehashing on the way
        for (const GroupEntry &group : std::as_const(container->groups)) {
            if (group->top || !group->contactTable)
                continue;
            for (const ContactEntry &entry : std::as_const(*group->contactTable)) {
                if (!entry->deleted)
                    groupNames[entry->uniqueId].append(group->name);
            }
        }
    }
    // Cards are written on every core; records are only read while the caller waits here.
    const qsizetype batchCount = batchCountOf(contacts);
    std::vector<QByteArray> batches(static_cast<size_t>(batchCount));
    const QList<CustomDefinition> definitions = customDefinitions();
    auto work = [&](qsizetype index) {
        QByteArray &bytes = batches[size_t(index)];
        const BatchRange range = batchRange(index, contacts);
        for (qsizetype i = range.first; i < range.last; ++i) {
            const ContactEntry &entry = contacts.at(i);
            if (entry && entry->person)
                appendCard(bytes, *entry->person, options, groupNames.value(entry->uniqueId), false,
                           definitions);
        }
    };
    auto deliver = [&](qsizetype index) -> bool {
        if (!sink(batches[size_t(index)]))
            return false;
        batches[size_t(index)] = QByteArray();
        if (progress) {
            const BatchRange range = batchRange(index, contacts);
            for (qsizetype i = range.first; i < range.last; ++i) {
                bool stop = false;
                progress(&stop, i);
                if (stop)
                    return false;
            }
        }
        return true;
    };
    return OrderedBatches::run(batchCount, work, deliver);
}

std::optional<QByteArray> QVvCard::vCardDataFromContacts(const ContactList &contacts,
                                                         const QStringList &options,
                                                         const ContainerEntry &container,
                                                         const ProgressHandler &progress)
{
    const qsizetype batchCount = batchCountOf(contacts);
    QByteArray out;
    auto append = [&](const QByteArray &batch) {
        // Room for the whole text at the rate of the first batch, and a sixteenth more for
        // batches a little longer than it, so that the text is rarely moved.
        if (out.isEmpty() && batchCount > 1) {
            const qsizetype estimate = batch.size() * batchCount;
            out.reserve(estimate + estimate / 16);
        }
        out += batch;
        return true;
    };
    if (!writeVCardData(contacts, options, container, append, progress))
        return std::nullopt;
    return out;
}

std::optional<QString> QVvCard::vCardsFromContacts(const ContactList &contacts, const QStringList &options,
                                                   const ContainerEntry &container,
                                                   const ProgressHandler &progress)
{
    const std::optional<QByteArray> data = vCardDataFromContacts(contacts, options, container, progress);
    if (!data)
        return std::nullopt;
    return QString::fromUtf8(*data);
}

QString QVvCard::vCardsFromContactsProgress(const ContactList &contacts, const QStringList &options)
{
    QString out;
    for (const ContactEntry &entry : contacts)
        out += vCardFromContact(entry, options);
    return out;
}

QString QVvCard::vCardFromPerson(QVPerson &person, const QStringList &options, const QStringList &groupNames)
{
    return card(person, options, groupNames, false);
}

QString QVvCard::vCardFromContact(const ContactEntry &contact, const QStringList &options)
{
    if (!contact || !contact->person)
        return {};
    return card(*contact->person, options, {}, true);
}

QString QVvCard::encodeVCardPhoto(const QImage &image)
{
    const QByteArray jpeg = jpegDataFromImage(image);
    if (jpeg.isEmpty())
        return {};
    QByteArray out;
    VCardSyntax::appendFolded(out, QByteArray(kPhotoHead.toLatin1() + jpeg.toBase64()));
    return QString::fromLatin1(out);
}

QByteArray QVvCard::jpegDataFromImage(const QImage &image)
{
    if (image.isNull())
        return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "JPEG", 90))
        return {};
    return bytes;
}

QVariantList QVvCard::customItemDefinitions(const ContactList &contacts)
{
    // Every record is looked at: batches on every core gather their definitions in contact
    // order, and the first definition of each name wins in that order.
    const qsizetype batchCount = batchCountOf(contacts);
    std::vector<QList<std::pair<QString, QVariant>>> found(static_cast<size_t>(batchCount));
    auto work = [&](qsizetype index) {
        QSet<QString> seen;
        const BatchRange range = batchRange(index, contacts);
        for (qsizetype i = range.first; i < range.last; ++i) {
            const ContactEntry &entry = contacts.at(i);
            if (!entry || !entry->person)
                continue;
            for (const QVariant &v : entry->person->customItems()) {
                const QString name = v.toMap().value(CustomKey::Name).toString();
                if (!seen.contains(name)) {
                    seen.insert(name);
                    found[size_t(index)].append({ name, v });
                }
            }
        }
    };
    QVariantList definitions;
    QSet<QString> seen;
    auto deliver = [&](qsizetype index) {
        for (const auto &[name, definition] : std::as_const(found[size_t(index)])) {
            if (!seen.contains(name)) {
                seen.insert(name);
                definitions.append(definition);
            }
        }
        return true;
    };
    OrderedBatches::run(batchCount, work, deliver);
    return definitions;
}
