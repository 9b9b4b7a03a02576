// Reading other programs' CSV exports: one contact per record, its items gathered from the
// columns the header names.
#include "formats/csvexportreader_p.h"
#include "formats/csvkeys.h"
#include "formats/qvvcard_csv_p.h"
#include "formats/vcarddate_p.h"

#include <QHash>
#include <QLocale>
#include <QRegularExpression>

using CsvExport::Part;

namespace {

bool looksLikeEmail(const QString &text)
{
    const qsizetype at = text.indexOf(u'@');
    return at > 0 && at < text.size() - 1 && !text.contains(u' ');
}

bool looksLikePhone(const QString &text)
{
    int digits = 0;
    for (const QChar c : text) {
        if (c.isDigit())
            ++digits;
        else if (!QStringView(u"+ ()-./").contains(c))
            return false;
    }
    return digits >= 5;
}

int twoDigitYear(int year)
{
    if (year >= 100)
        return year;
    const int century = QDate::currentDate().year() / 100 * 100;
    return century + year > QDate::currentDate().year() ? century - 100 + year : century + year;
}

// Whether the user's short date names the day before the month.
bool localeDayFirst()
{
    const QString format = QLocale().dateFormat(QLocale::ShortFormat);
    return format.indexOf(u'd') < format.indexOf(u'M');
}

// Dates as exports write them: ISO forms, the program's own "1980.05.17", "1980/5/17", and day and
// month separated by slashes or full stops, in the order that is unambiguous or else the
// locale's (full stops: day first). Zero month or day ("0/0/00") is how some programs write none.
struct ExportDate
{
    std::optional<DateComponents> date;
    bool none = false;
};

ExportDate exportDate(const QString &text)
{
    if (const auto own = CsvContact::birthdayFromText(text))
        return { own, false };
    if (const auto iso = VCardDate::parse(text); iso && iso->hasMonth() && iso->hasDay())
        return { iso, false };
    static const QRegularExpression yearFirst(QStringLiteral("^([0-9]{4})/([0-9]{1,2})/([0-9]{1,2})$"));
    static const QRegularExpression yearLast(
        QStringLiteral("^([0-9]{1,2})([/.])([0-9]{1,2})[/.]([0-9]{2,4})$"));
    int year = 0;
    int month = 0;
    int day = 0;
    if (const QRegularExpressionMatch m = yearFirst.match(text); m.hasMatch()) {
        year = m.captured(1).toInt();
        month = m.captured(2).toInt();
        day = m.captured(3).toInt();
    } else if (const QRegularExpressionMatch m = yearLast.match(text); m.hasMatch()) {
        const int a = m.captured(1).toInt();
        const int b = m.captured(3).toInt();
        year = twoDigitYear(m.captured(4).toInt());
        const bool dayFirst = a > 12 || (b <= 12 && (m.captured(2) == u"." || localeDayFirst()));
        day = dayFirst ? a : b;
        month = dayFirst ? b : a;
    } else {
        return {};
    }
    if (month == 0 || day == 0)
        return { std::nullopt, true };
    const DateComponents components { year, month, day };
    if (!components.toDate().isValid())
        return {};
    return { components, false };
}

QString identifierOf(Part part)
{
    switch (part) {
    case Part::Phone:
        return FieldId::Phone;
    case Part::Email:
        return FieldId::Email;
    case Part::Url:
        return FieldId::Url;
    case Part::Relationship:
        return FieldId::Relationship;
    case Part::InstantMessage:
        return FieldId::InstantMessage;
    case Part::SocialNetwork:
        return FieldId::SocialNetwork;
    case Part::Date:
        return FieldId::Dates;
    case Part::Street:
        return FieldId::Address;
    case Part::Prefix:
        return FieldId::Title;
    case Part::Suffix:
        return FieldId::Suffix;
    case Part::Nickname:
        return FieldId::Nickname;
    case Part::Company:
        return FieldId::Company;
    case Part::Department:
        return FieldId::Department;
    case Part::JobTitle:
        return FieldId::JobTitle;
    case Part::Note:
        return FieldId::Note;
    case Part::FirstName:
    case Part::PhoneticFirstName:
        return FieldId::FirstName;
    case Part::MiddleName:
    case Part::PhoneticMiddleName:
        return FieldId::MiddleName;
    case Part::LastName:
    case Part::PhoneticLastName:
        return FieldId::LastName;
    case Part::MaidenName:
        return FieldId::PreviousFamilyName;
    case Part::City:
        return FieldId::City;
    case Part::State:
        return FieldId::State;
    case Part::Zip:
        return FieldId::Zip;
    case Part::Country:
        return FieldId::Country;
    default:
        return {};
    }
}

bool isLabeled(Part part)
{
    switch (part) {
    case Part::Phone:
    case Part::Email:
    case Part::Url:
    case Part::Relationship:
    case Part::InstantMessage:
    case Part::SocialNetwork:
    case Part::Date:
        return true;
    default:
        return false;
    }
}

// One labeled item of a record, before it becomes the record's dictionary.
struct Item
{
    Part part = Part::Ignored;
    QString label;
    QStringList values;
};

struct Address
{
    QString label;
    QStringList streetLines;
    QVariantMap parts;
    QString formatted;
};

QVariantMap itemDictionary(const Item &item, const QString &value, int labelIndex)
{
    QVariantMap dict { { Key::LabelIndex, labelIndex } };
    if (item.part == Part::InstantMessage) {
        dict.insert(Key::Service, item.label);
        dict.insert(Key::Value, value);
    } else if (item.part == Part::Date) {
        dict.insert(Key::Label, item.label);
        dict.insert(Key::Value, QVariant::fromValue(*exportDate(value).date));
    } else {
        dict.insert(Key::Label, item.label);
        dict.insert(Key::Value, value);
    }
    return dict;
}

// The birthday of a date column, or of year, month and day columns.
QVariantMap birthdayDictionary(const QString &text, DateComponents parts)
{
    if (!text.isEmpty()) {
        const ExportDate date = exportDate(text);
        if (date.date)
            return { { Key::Value, QVariant::fromValue(*date.date) } };
        if (!date.none)
            return { { Key::StringValue, text } };
        return {};
    }
    if (parts.month <= 0 || parts.day <= 0)
        return {};
    if (parts.year <= 0)
        parts.year = DateComponents::Undefined;
    return { { Key::Value, QVariant::fromValue(parts) } };
}

QVariantList addressList(const QList<Address> &addresses)
{
    QVariantList items;
    for (const Address &address : addresses) {
        QVariantMap item = address.parts;
        if (!address.streetLines.isEmpty())
            item.insert(FieldId::Street, address.streetLines.join(CsvText::LineFeed));
        else if (item.isEmpty() && !address.formatted.isEmpty())
            item.insert(FieldId::Street, address.formatted);
        if (item.isEmpty())
            continue;
        item.insert(Key::Label, address.label);
        item.insert(Key::LabelIndex, int(items.size()));
        items.append(item);
    }
    return items;
}

void appendGroups(const QString &cell, QStringList *groups)
{
    QSet<QString> seen(groups->cbegin(), groups->cend()); // a cell may name very many
    const QStringList names = cell.contains(CsvText::ValueSeparator) ? cell.split(CsvText::ValueSeparator)
                                                                     : cell.split(CsvText::CategorySeparator);
    for (QString name : names) {
        name = name.trimmed();
        if (name.startsWith(CsvText::SystemMark))
            name = name.sliced(CsvText::SystemMark.size()).trimmed();
        if (!name.isEmpty() && name != CsvText::AllContactsGroup && !seen.contains(name)) {
            seen.insert(name);
            groups->append(name);
        }
    }
}

} // namespace

CsvExportReader CsvExportReader::fromHeader(const QStringList &header)
{
    CsvExportReader reader;
    for (const QString &field : header) {
        reader.addColumn(CsvExport::columnForHeader(field), field);
        reader.m_holdsValues = reader.m_holdsValues || looksLikeEmail(field.trimmed());
    }
    return reader;
}

CsvExportReader CsvExportReader::guessedFrom(const QStringList &firstRecord)
{
    CsvExportReader reader;
    bool named = false;
    for (const QString &cell : firstRecord) {
        const QString text = cell.trimmed();
        CsvExport::Column column;
        if (looksLikeEmail(text)) {
            column = { Part::Email, LabelWord::Other, Part::Email, -1 };
        } else if (looksLikePhone(text)) {
            column = { Part::Phone, LabelWord::Other, Part::Phone, -1 };
        } else if (!text.isEmpty() && !named) {
            column.part = Part::FullName;
            named = true;
        }
        // Each guessed column is an item of its own.
        reader.addColumn(column, QString::number(reader.m_columns.size()));
    }
    return reader;
}

namespace {

// The index a key was given, a new one when it is new.
int indexOfKey(QHash<QString, int> &keys, const QString &key)
{
    const auto it = keys.constFind(key);
    if (it != keys.constEnd())
        return it.value();
    const int index = int(keys.size());
    keys.insert(key, index);
    return index;
}

} // namespace

void CsvExportReader::addColumn(const CsvExport::Column &column, const QString &header)
{
    static const QString kNumbered = QStringLiteral("#%1 %2");
    int item = -1;
    int address = -1;
    int labelCell = -1;
    if (isLabeled(column.part))
        item = indexOfKey(m_itemKeys, header.trimmed().toCaseFolded());
    if (column.family == Part::Street && column.part != Part::ItemLabel)
        address = indexOfKey(m_addressKeys,
                             column.number >= 0 ? kNumbered.arg(column.number).arg(int(Part::Street))
                                                : column.label);
    if (column.number >= 0)
        labelCell = indexOfKey(m_labelKeys, kNumbered.arg(column.number).arg(int(column.family)));
    m_columns.append(column);
    m_item.append(item);
    m_address.append(address);
    m_labelCell.append(labelCell);
}

bool CsvExportReader::recognised() const
{
    if (m_holdsValues)
        return false;
    for (const CsvExport::Column &column : m_columns) {
        if (column.part != Part::Ignored)
            return true;
    }
    return false;
}

void CsvExportReader::registerLabels(const QString &identifier, const QVariantList &items)
{
    for (const QVariant &item : items) {
        const QString label = item.toMap().value(Key::Label).toString();
        if (label.isEmpty() || m_registeredLabels.contains(identifier + u'\n' + label))
            continue;
        m_registeredLabels.insert(identifier + u'\n' + label);
        if (!QVPerson::labelsForIdentifier(identifier).contains(label))
            QVPerson::setLabel(QString(), label, identifier);
    }
}

ContactEntry CsvExportReader::read(const QStringList &cells, QStringList *groups)
{
    const qsizetype count = std::min(cells.size(), m_columns.size());
    // Room for what this record's cells can fill, not for every column of the header: a header of
    // endless columns over short lines must not cost its width on every line.
    qsizetype itemCount = 0;
    qsizetype addressCount = 0;
    qsizetype labelCellCount = 0;
    for (qsizetype c = 0; c < count; ++c) {
        itemCount = std::max<qsizetype>(itemCount, m_item.at(c) + 1);
        addressCount = std::max<qsizetype>(addressCount, m_address.at(c) + 1);
        labelCellCount = std::max<qsizetype>(labelCellCount, m_labelCell.at(c) + 1);
    }
    QStringList labelCells(labelCellCount);
    for (qsizetype c = 0; c < count; ++c) {
        if (m_columns.at(c).part == Part::ItemLabel)
            labelCells[m_labelCell.at(c)] = CsvExport::labelFromText(cells.at(c));
    }
    const auto labelOf = [&](qsizetype c) {
        const CsvExport::Column &column = m_columns.at(c);
        if (!column.label.isEmpty())
            return column.label;
        const QString fromCell = m_labelCell.at(c) >= 0 && m_labelCell.at(c) < labelCells.size()
            ? labelCells.at(m_labelCell.at(c))
            : QString();
        return fromCell.isEmpty() ? LabelWord::Other : fromCell;
    };

    QList<Item> items(itemCount);
    QList<Address> addresses(addressCount);
    QVariantMap contact;
    QVariantMap name;
    QVariantMap phonetic;
    QString birthday;
    DateComponents birthParts;
    for (qsizetype c = 0; c < count; ++c) {
        const QString &cell = cells.at(c);
        if (cell.trimmed().isEmpty())
            continue;
        const CsvExport::Column &column = m_columns.at(c);
        const Part part = column.part;
        if (m_item.at(c) >= 0) {
            if (part == Part::Date && !exportDate(cell).date)
                continue; // no date, or the "none" of the exporting program
            Item &item = items[m_item.at(c)];
            item.part = part;
            item.label = labelOf(c);
            item.values = cell.split(CsvText::ValueSeparator, Qt::SkipEmptyParts);
            continue;
        }
        if (m_address.at(c) >= 0) {
            Address &address = addresses[m_address.at(c)];
            if (address.label.isEmpty() || column.label.isEmpty())
                address.label = labelOf(c);
            if (part == Part::Street)
                address.streetLines.append(cell);
            else if (part == Part::FormattedAddress)
                address.formatted = cell;
            else
                address.parts.insert(identifierOf(part), cell);
            continue;
        }
        switch (part) {
        case Part::FullName:
            name.insert(CsvKey::FullName, cell);
            break;
        case Part::FirstName:
        case Part::MiddleName:
        case Part::LastName:
        case Part::MaidenName:
            name.insert(identifierOf(part), cell);
            break;
        case Part::PhoneticFirstName:
        case Part::PhoneticMiddleName:
        case Part::PhoneticLastName:
            phonetic.insert(identifierOf(part), cell);
            break;
        case Part::Prefix:
        case Part::Suffix:
        case Part::Nickname:
        case Part::Company:
        case Part::Department:
        case Part::JobTitle:
        case Part::Note:
            contact.insert(identifierOf(part), cell);
            break;
        case Part::Birthday:
            birthday = cell;
            break;
        case Part::BirthYear:
            birthParts.year = cell.toInt();
            break;
        case Part::BirthMonth:
            birthParts.month = cell.toInt();
            break;
        case Part::BirthDay:
            birthParts.day = cell.toInt();
            break;
        case Part::Groups:
            if (groups)
                appendGroups(cell, groups);
            break;
        default:
            break;
        }
    }

    // A line of addresses alone (a mailing list) is shown by its first address, as a card holding
    // no more than that address as its name would be.
    if (name.isEmpty() && !contact.contains(FieldId::Company)) {
        for (const Item &item : std::as_const(items)) {
            if (item.part == Part::Email && !item.values.isEmpty()) {
                name.insert(CsvKey::FullName, item.values.first().trimmed());
                break;
            }
        }
    }
    if (!name.isEmpty()) {
        name.insert(Key::ShowAsPerson, true);
        contact.insert(FieldId::Name, name);
        CsvContact::keepFullName(contact);
    }
    if (!phonetic.isEmpty())
        contact.insert(FieldId::PhoneticName, phonetic);
    const QVariantMap birthdayDict = birthdayDictionary(birthday, birthParts);
    if (!birthdayDict.isEmpty())
        contact.insert(FieldId::Birthday, birthdayDict);

    for (const Item &item : std::as_const(items)) {
        const QString identifier = identifierOf(item.part);
        QVariantList list = contact.value(identifier).toList();
        for (const QString &value : item.values)
            list.append(itemDictionary(item, value.trimmed(), int(list.size())));
        if (!list.isEmpty())
            contact.insert(identifier, list);
    }
    const QVariantList addressItems = addressList(addresses);
    if (!addressItems.isEmpty())
        contact.insert(FieldId::Address, addressItems);

    for (const QString &identifier : { FieldId::Phone, FieldId::Email, FieldId::Url, FieldId::Relationship,
                                       FieldId::Dates, FieldId::Address })
        registerLabels(identifier, contact.value(identifier).toList());
    return CsvContact::entryFromContact(contact);
}
