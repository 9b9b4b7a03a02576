// QVvCard: reading contacts from CSV text. Columns are recognised by keywords in the header, so
// files the program writes and those of other address tools with similar headers are read.
#include "formats/csvexportreader_p.h"
#include "formats/csvkeys.h"
#include "formats/filegroups_p.h"
#include "formats/qvvcard.h"
#include "formats/qvvcard_csv_p.h"

#include <QRegularExpression>
#include <algorithm>
#include <optional>

namespace {

using CellHandler
    = void (*)(QVariantMap &contact, const QString &value, const QString &type, const QString &label);

template<std::size_t N> const CsvKeyword *firstContained(const QString &field, const CsvKeyword (&table)[N])
{
    for (const CsvKeyword &entry : table) {
        if (field.contains(entry.keyword, Qt::CaseInsensitive))
            return &entry;
    }
    return nullptr;
}

// The item of a labeled list carrying that label, or -1.
qsizetype indexOfLabel(const QVariantList &items, const QString &label)
{
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (items.at(i).toMap().value(Key::Label).toString() == label)
            return i;
    }
    return -1;
}

void addFullName(QVariantMap &contact, const QString &value, const QString &, const QString &)
{
    QVariantMap name = contact.value(FieldId::Name).toMap();
    name.insert(CsvKey::FullName, value);
    name.insert(Key::StringValue, value);
    name.insert(Key::ShowAsPerson, true);
    contact.insert(FieldId::Name, name);
}

void addNamePart(QVariantMap &contact, const QString &value, const QString &type, const QString &)
{
    QVariantMap name = contact.value(FieldId::Name).toMap();
    name.insert(type, value);
    if (name.value(Key::StringValue).toString().isEmpty())
        name.insert(Key::StringValue, value);
    contact.insert(FieldId::Name, name);
}

void addText(QVariantMap &contact, const QString &value, const QString &type, const QString &)
{
    contact.insert(type, value);
}

// Phone and e-mail: one item per label; a later column with the same label overwrites.
void addLabeledText(QVariantMap &contact, const QString &value, const QString &type, const QString &label)
{
    QVariantList items = contact.value(type).toList();
    const qsizetype found = indexOfLabel(items, label);
    if (found >= 0) {
        QVariantMap item = items.at(found).toMap();
        item.insert(Key::Value, value);
        item.insert(Key::StringValue, value);
        items[found] = item;
    } else {
        items.append(QVariantMap { { Key::LabelIndex, int(items.size()) },
                                   { Key::Label, label },
                                   { Key::Value, value },
                                   { Key::StringValue, value } });
    }
    contact.insert(type, items);
}

// One address per label, its parts gathered from several columns. The composed texts of the item
// are left to rebuildAddress(): a line of many address columns is rebuilt once, when the record
// takes the whole field.
void addAddressPart(QVariantMap &contact, const QString &value, const QString &type, const QString &label)
{
    QVariantList items = contact.value(FieldId::Address).toList();
    qsizetype index = indexOfLabel(items, label);
    if (index < 0) {
        QVariantMap item { { Key::LabelIndex, int(items.size()) }, { Key::Label, label } };
        if (!items.isEmpty())
            item.insert(Key::Value, QVariantMap());
        items.append(item);
        index = items.size() - 1;
    }
    QVariantMap item = items.at(index).toMap();
    item.insert(type, value);
    items[index] = item;
    contact.insert(FieldId::Address, items);
}

void rebuildAddress(QVariantMap &contact, const QString &label)
{
    QVariantList items = contact.value(FieldId::Address).toList();
    const qsizetype index = indexOfLabel(items, label);
    if (index < 0)
        return;
    QVariantMap item = items.at(index).toMap();
    QVPerson::updateAddressValue(item, 1);
    items[index] = item;
    contact.insert(FieldId::Address, items);
}

void addSocialNetwork(QVariantMap &contact, const QString &value, const QString &, const QString &label)
{
    QVariantList items = contact.value(FieldId::SocialNetwork).toList();
    const qsizetype found = indexOfLabel(items, label);
    QVariantMap item
        = found >= 0 ? items.at(found).toMap() : QVariantMap { { Key::LabelIndex, int(items.size()) } };
    item.insert(Key::Value, value);
    item.insert(Key::Label, label);
    QVPerson::updateSNSValue(item);
    if (found >= 0)
        items[found] = item;
    else
        items.append(item);
    contact.insert(FieldId::SocialNetwork, items);
}

void addBirthday(QVariantMap &contact, const QString &value, const QString &, const QString &)
{
    QVariantMap birthday = contact.value(FieldId::Birthday).toMap();
    birthday.insert(Key::StringValue, value);
    if (const auto components = CsvContact::birthdayFromText(value))
        birthday.insert(Key::Value, QVariant::fromValue(*components));
    else
        birthday.remove(Key::Value); // the dictionary tells of the latest cell only
    contact.insert(FieldId::Birthday, birthday);
}

struct HandlerEntry
{
    const QString &type;
    CellHandler handler;
};

// Column kind -> how a cell of it enters the contact.
const HandlerEntry kHandlers[] = {
    { FieldId::Name, addFullName },      { FieldId::FirstName, addNamePart },
    { FieldId::LastName, addNamePart },  { FieldId::Company, addText },
    { FieldId::Title, addText },         { FieldId::JobTitle, addText },
    { FieldId::Department, addText },    { FieldId::Nickname, addText },
    { FieldId::Note, addText },          { FieldId::Phone, addLabeledText },
    { FieldId::Email, addLabeledText },  { FieldId::Zip, addAddressPart },
    { FieldId::State, addAddressPart },  { FieldId::City, addAddressPart },
    { FieldId::Street, addAddressPart }, { FieldId::SocialNetwork, addSocialNetwork },
    { FieldId::Birthday, addBirthday },
};

CellHandler handlerForType(const QString &type)
{
    for (const HandlerEntry &entry : kHandlers) {
        if (entry.type == type)
            return entry.handler;
    }
    return nullptr;
}

CsvColumn columnForField(const QString &field)
{
    const QString type = QVvCard::detectType(field);
    if (type == FieldId::Phone || type == FieldId::Email)
        return { field, type, QVvCard::detectLabel(field) };
    if (type == FieldId::Address)
        return { field, QVvCard::detectAddressType(field), QVvCard::detectLabel(field) };
    for (const CsvKeyword &service : kCsvSocialServices) {
        if (service.keyword == type)
            return { field, FieldId::SocialNetwork, service.result };
    }
    if (type.isEmpty())
        return { field, CsvType::Unknown, {} };
    return { field, type, {} };
}

} // namespace

// Four-digit year, month and day separated by full stops, optionally followed by a weekday after a
// space or in brackets ("1980.05.17", "1980.05.17 Sat", "1980.05.17(Sat)"). The weekday is not
// checked: it only repeats the date, and files written under another language name it differently.
std::optional<DateComponents> CsvContact::birthdayFromText(const QString &text)
{
    static const QRegularExpression pattern(
        QStringLiteral("^([0-9]{4})\\.([0-9]{1,2})\\.([0-9]{1,2})(?: [^\\s()]+|\\([^()]+\\))?$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const DateComponents components { match.captured(1).toInt(), match.captured(2).toInt(),
                                      match.captured(3).toInt() };
    if (!components.toDate().isValid())
        return std::nullopt;
    return components;
}

// The record shows a person's name composed from its parts, and the vCard writer writes the
// parts: a full name alone would show as "No Name" and be lost on export. Without parts, a full
// name that repeats the company names an organisation (so the writer's own rows of organisations
// read back as such); any other becomes the first name.
void CsvContact::keepFullName(QVariantMap &contact, bool quotesKept)
{
    QVariantMap name = contact.value(FieldId::Name).toMap();
    QString full = name.value(CsvKey::FullName).toString();
    // A first cell keeps the quotes it was written with when no other cell of its line is quoted.
    if (quotesKept && full.size() >= 2 && full.front() == CsvText::Quote && full.back() == CsvText::Quote) {
        full = full.sliced(1, full.size() - 2);
        name.insert(CsvKey::FullName, full);
        contact.insert(FieldId::Name, name);
    }
    if (!name.value(FieldId::FirstName).toString().isEmpty()
        || !name.value(FieldId::LastName).toString().isEmpty())
        return;
    if (full.isEmpty())
        return;
    if (full == contact.value(FieldId::Company).toString())
        name.insert(Key::ShowAsPerson, false);
    else
        name.insert(FieldId::FirstName, full);
    contact.insert(FieldId::Name, name);
}

ContactEntry CsvContact::entryFromContact(const QVariantMap &contact)
{
    PersonPtr person = QVPerson::create();
    for (const QString &identifier : kCsvRecordOrder) {
        const auto it = contact.constFind(identifier);
        if (it != contact.constEnd())
            person->setValue(it.value(), identifier);
    }
    return makeContactEntry(person);
}

QString QVvCard::detectType(const QString &headerField)
{
    const CsvKeyword *match = firstContained(headerField, kCsvTypeKeywords);
    return match ? match->result : QString();
}

QString QVvCard::detectLabel(const QString &headerField)
{
    const CsvKeyword *match = firstContained(headerField, kCsvLabelKeywords);
    return match ? match->result : LabelWord::Other;
}

QString QVvCard::detectAddressType(const QString &headerField)
{
    const CsvKeyword *match = firstContained(headerField, kCsvAddressKeywords);
    return match ? match->result : FieldId::Street;
}

void QVvCard::createContact(QVariantMap &contact, const QString &value, const QString &key,
                            const QString &label)
{
    if (value.isEmpty())
        return;
    const CellHandler handler = handlerForType(key);
    if (!handler)
        return;
    handler(contact, value, key, label);
    if (handler == addAddressPart)
        rebuildAddress(contact, label);
}

namespace {

// The program's own files start with "Name" and hold only columns its writer writes; they are read
// in its own dialect (quotes around spaced cells, "\n" escapes). Every other file is an export.
bool isOwnHeader(const QStringList &fields)
{
    if (fields.isEmpty() || fields.first() != CsvText::HeaderMarker)
        return false;
    return std::all_of(fields.cbegin(), fields.cend(), [](const QString &field) {
        return field.isEmpty()
            || std::any_of(std::cbegin(kCsvColumns), std::cend(kCsvColumns),
                           [&field](const CsvColumn &column) { return column.fieldName == field; });
    });
}

struct HeaderColumns
{
    QList<CsvColumn> columns;
    QList<CellHandler> handlers;
};

// The header has no quoting: it is cut at every comma.
HeaderColumns columnsOfHeader(QStringView header)
{
    HeaderColumns result;
    for (const QStringView field : header.split(CsvText::Separator)) {
        result.columns.append(columnForField(field.toString()));
        result.handlers.append(handlerForType(result.columns.constLast().type));
    }
    return result;
}

// The columns of the writer's header, told once: every document the program writes starts with it.
const HeaderColumns &documentColumns()
{
    static const HeaderColumns columns = columnsOfHeader(CsvSyntax::documentHeader());
    return columns;
}

ContactList ownContacts(QStringView text)
{
    const QList<QStringView> lines = CsvSyntax::splitLines(text);
    const QStringView header = lines.first();
    const bool written = header == CsvSyntax::documentHeader();
    const HeaderColumns told = written || header.isEmpty() ? HeaderColumns() : columnsOfHeader(header);
    const QList<CsvColumn> &columns = written ? documentColumns().columns : told.columns;
    const QList<CellHandler> &handlers = written ? documentColumns().handlers : told.handlers;
    // Only a header starting with exactly "Name" is not a contact itself.
    const qsizetype comma = header.indexOf(CsvText::Separator);
    const qsizetype firstDataLine = header.first(comma < 0 ? header.size() : comma) == CsvText::HeaderMarker;

    ContactList entries;
    for (qsizetype i = firstDataLine; i < lines.size(); ++i) {
        const QStringView line = lines.at(i);
        if (line.size() < 2)
            continue;
        const QStringList cells = CsvSyntax::cellsOfLine(line, columns.size());
        QVariantMap contact;
        for (qsizetype c = 0; c < cells.size(); ++c) {
            if (!handlers.at(c) || cells.at(c).isEmpty())
                continue;
            const CsvColumn &column = columns.at(c);
            handlers.at(c)(contact, cells.at(c), column.type, column.label);
        }
        CsvContact::keepFullName(contact, !CsvSyntax::readsQuotes(line));
        entries.append(CsvContact::entryFromContact(contact));
    }
    return entries;
}

struct CsvContents
{
    ContactList contacts;
    QList<QStringList> groups; // the group names of each contact, when any contact has some
};

CsvContents exportContents(QChar separator, const QStringList &firstRecord, qsizetype firstSize,
                           CsvSyntax::RecordReader &records)
{
    CsvContents contents;
    CsvExportReader reader = CsvExportReader::fromHeader(firstRecord);
    const bool headed = reader.recognised();
    if (!headed)
        reader = CsvExportReader::guessedFrom(firstRecord);

    const auto add = [&](QStringList cells, qsizetype size) {
        if (size < 2)
            return;
        // A line of another separator among the file's (tab-separated lines pasted into a
        // comma-separated file, say).
        if (cells.size() == 1 && separator != CsvText::Tab && cells.first().contains(CsvText::Tab))
            cells = cells.first().split(CsvText::Tab);
        QStringList groups;
        contents.contacts.append(reader.read(cells, &groups));
        if (!groups.isEmpty() || !contents.groups.isEmpty()) {
            contents.groups.resize(contents.contacts.size());
            contents.groups.last() = groups;
        }
    };
    if (!headed)
        add(firstRecord, firstSize);
    while (!records.atEnd()) {
        qsizetype size = 0;
        const QStringList cells = records.next(&size);
        add(cells, size);
    }
    return contents;
}

CsvContents csvContents(const QString &text)
{
    QStringView view(text);
    if (view.startsWith(u'\uFEFF'))
        view = view.sliced(1);
    const QChar separator = CsvSyntax::separatorOfHeader(view);
    CsvSyntax::RecordReader records(view, separator);
    qsizetype firstSize = 0;
    const QStringList first = records.next(&firstSize);
    if (firstSize == 0 || (separator == CsvText::Separator && isOwnHeader(first)))
        return { ownContacts(view), {} };
    return exportContents(separator, first, firstSize, records);
}

} // namespace

std::optional<ContactList> QVvCard::contactsFromCSV(const QString &text)
{
    if (text.isNull())
        return std::nullopt;
    return csvContents(text).contacts;
}

std::optional<ContainerTable> QVvCard::containersFromCSV(const QString &text)
{
    if (text.isNull())
        return std::nullopt;
    const CsvContents contents = csvContents(text);
    const ContainerEntry container = fileContainer(contents.contacts);
    FileGroups groups(container);
    for (qsizetype i = 0; i < contents.groups.size(); ++i) {
        for (const QString &name : contents.groups.at(i))
            groups.group(name)->contactTable->append(copyContactEntry(contents.contacts.at(i)));
    }
    groups.sort();
    return ContainerTable { container };
}
