#include "find/panelsearch.h"

#include "find/itemtext.h"
#include "find/keys.h"
#include "platform/contactlabels.h"
#include "record/keys.h"
#include "table/recordreader.h"

#include <QCoreApplication>

// ---- TextMatcher ----------------------------------------------------------------------------

TextMatcher::TextMatcher(const QString &pattern, Mode mode)
    : m_pattern(pattern)
    , m_mode(mode)
{
    if (mode == Mode::Regex)
        m_regex = QRegularExpression(pattern, QRegularExpression::UseUnicodePropertiesOption);
}

bool TextMatcher::isValid() const
{
    return !m_pattern.isEmpty() && (m_mode != Mode::Regex || m_regex.isValid());
}

QString TextMatcher::errorString() const
{
    if (m_mode != Mode::Regex || m_regex.isValid())
        return {};
    return QCoreApplication::translate("FindPanel", "The regular expression is not valid: %1 (at %2)")
        .arg(m_regex.errorString())
        .arg(m_regex.patternErrorOffset());
}

QList<TextRange> TextMatcher::occurrences(const QString &text) const
{
    QList<TextRange> ranges;
    if (text.isEmpty() || !isValid())
        return ranges;
    if (m_mode == Mode::Regex) {
        auto it = m_regex.globalMatch(text);
        while (it.hasNext()) {
            const QRegularExpressionMatch match = it.next();
            if (match.capturedLength() > 0)
                ranges.append(TextRange { match.capturedStart(), match.capturedLength() });
        }
        return ranges;
    }
    const Qt::CaseSensitivity cs = m_mode == Mode::CaseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    qsizetype from = 0;
    while (from < text.size()) {
        const qsizetype at = text.indexOf(m_pattern, from, cs);
        if (at < 0)
            break;
        ranges.append(TextRange { at, m_pattern.size() });
        from = at + m_pattern.size();
    }
    return ranges;
}

QString TextMatcher::replaceOccurrence(const QString &text, const TextRange &range,
                                       const QString &replacement) const
{
    if (!range.isFound() || range.location < 0 || range.length < 0 || range.location > text.size()
        || range.length > text.size() - range.location)
        return text;
    QString result = text;
    if (m_mode != Mode::Regex || !m_regex.isValid())
        return result.replace(range.location, range.length, replacement);
    // The occurrence matched again where it lies, so that its captures fill the replacement.
    const QRegularExpressionMatch match = m_regex.match(text, range.location, QRegularExpression::NormalMatch,
                                                        QRegularExpression::AnchorAtOffsetMatchOption);
    QString expanded;
    for (qsizetype i = 0; i < replacement.size(); ++i) {
        const QChar c = replacement.at(i);
        if (c == u'\\' && i + 1 < replacement.size()) {
            const QChar next = replacement.at(i + 1);
            if (next.isDigit()) {
                expanded += match.hasMatch() ? match.captured(next.digitValue()) : QString();
                ++i;
                continue;
            }
            if (next == u'\\') {
                expanded += u'\\';
                ++i;
                continue;
            }
        }
        expanded += c;
    }
    return result.replace(range.location, range.length, expanded);
}

QString TextMatcher::replaceAll(const QString &text, const QString &replacement) const
{
    if (!isValid())
        return text;
    if (m_mode != Mode::Regex)
        return QString(text).replace(m_pattern, replacement, Qt::CaseSensitive);
    // Back to front, so that earlier ranges stay where they are.
    QString result = text;
    const QList<TextRange> ranges = occurrences(text);
    for (qsizetype i = ranges.size() - 1; i >= 0; --i) {
        const QString once = replaceOccurrence(text, ranges.at(i), replacement);
        const qsizetype grown = once.size() - text.size();
        result.replace(ranges.at(i).location, ranges.at(i).length,
                       once.mid(ranges.at(i).location, ranges.at(i).length + grown));
    }
    return result;
}

// ---- Search ---------------------------------------------------------------------------------

bool ResultRow::isDate() const
{
    return item == FieldId::Birthday || item == FieldId::Dates;
}

namespace PanelSearch {

namespace {

const QStringList &addressComponents()
{
    static const QStringList components { FieldId::Zip, FieldId::State, FieldId::City, FieldId::Street,
                                          FieldId::Country };
    return components;
}

bool passes(const QStringList &filter, const QString &word)
{
    return filter.isEmpty() || filter.constFirst() == FindFilter::All || filter.contains(word);
}

bool passesAll(const QStringList &filter)
{
    return filter.isEmpty() || filter.constFirst() == FindFilter::All;
}

class ContactSearch
{
public:
    ContactSearch(const ContactEntry &contact, const PanelFilters &filters, const TextMatcher &matcher,
                  QList<ResultRow> &rows)
        : m_contact(contact)
        , m_person(*contact->person)
        , m_filters(filters)
        , m_matcher(matcher)
        , m_rows(rows)
    { }

    void searchItem(const QString &identifier)
    {
        switch (ItemTexts::fieldKind(m_person, identifier)) {
        case ItemTexts::FieldKind::Name:
            searchName(identifier, { FieldId::FirstName, FieldId::LastName, FieldId::MiddleName },
                       { FieldId::FirstName, FieldId::LastName, FieldId::MiddleName });
            break;
        case ItemTexts::FieldKind::PhoneticName:
            searchName(
                identifier, { FieldId::FirstName, FieldId::LastName, FieldId::MiddleName },
                { FieldId::PhoneticFirstName, FieldId::PhoneticLastName, FieldId::PhoneticMiddleName });
            break;
        case ItemTexts::FieldKind::Address:
            searchAddress(identifier, addressComponents());
            break;
        case ItemTexts::FieldKind::AddressComponent:
            searchAddress(identifier, { identifier });
            break;
        case ItemTexts::FieldKind::InstantMessage: {
            const LabeledItems items(m_person, QVPerson::LabeledField::InstantMessage);
            for (qsizetype i = 0; i < items.size(); ++i) {
                const QString service = items.string(i, Key::Service);
                if (passes(m_filters.labels, items.label(i)) && passes(m_filters.subItems, service))
                    add(identifier, service, items.label(i), i, items.string(i, Key::Value));
            }
            break;
        }
        case ItemTexts::FieldKind::Labeled:
        case ItemTexts::FieldKind::Never:
            searchByType(identifier);
            break;
        case ItemTexts::FieldKind::String:
            if (passesAll(m_filters.subItems) && passesAll(m_filters.labels))
                add(identifier, QString(), QString(), 0, RecordReader::storedString(m_person, identifier));
            break;
        }
    }

private:
    void searchName(const QString &identifier, const QStringList &keys, const QStringList &subItems)
    {
        const CompactMap &dict = m_person.storedDictionary(identifier);
        for (qsizetype i = 0; i < keys.size(); ++i) {
            if (passes(m_filters.subItems, subItems.at(i)))
                add(identifier, subItems.at(i), QString(), 0, dict.string(keys.at(i)));
        }
    }

    void searchAddress(const QString &identifier, const QStringList &components)
    {
        const LabeledItems items(m_person, QVPerson::LabeledField::Address);
        for (qsizetype i = 0; i < items.size(); ++i) {
            if (!passes(m_filters.labels, items.label(i)))
                continue;
            for (const QString &component : components) {
                if (passes(m_filters.subItems, component))
                    add(identifier, component, items.label(i), i, items.string(i, component));
            }
        }
    }

    // Labeled values, dates and birthdays by their value type.
    void searchByType(const QString &identifier)
    {
        const QString type = m_person.typeForIdentifier(identifier);
        if (type == ValueType::Labeled) {
            if (!passesAll(m_filters.subItems))
                return;
            const LabeledItems items(m_person, identifier);
            for (qsizetype i = 0; i < items.size(); ++i) {
                if (passes(m_filters.labels, items.label(i)))
                    add(identifier, QString(), items.label(i), i, items.string(i, Key::StringValue));
            }
        } else if (type == ValueType::Dictionary) {
            if (passesAll(m_filters.subItems) && passesAll(m_filters.labels))
                add(identifier, QString(), QString(), 0, m_person.storedDictionaryString(identifier));
        }
    }

    void add(const QString &identifier, const QString &subItem, const QString &label, qsizetype index,
             const QString &value)
    {
        QList<TextRange> ranges = m_matcher.occurrences(value);
        if (ranges.isEmpty())
            return;
        m_rows.append(ResultRow { m_person.compositeName(), identifier, subItem, label, index, value,
                                  std::move(ranges), m_contact });
    }

    const ContactEntry &m_contact;
    QVPerson &m_person;
    const PanelFilters &m_filters;
    const TextMatcher &m_matcher;
    QList<ResultRow> &m_rows;
};

QStringList searchedItems(const QStringList &items, const QVPerson &person)
{
    if (passesAll(items)) {
        QStringList all = QVPerson::allIdentifiers();
        all += person.customIdentifiers();
        return all;
    }
    return items;
}

QStringList canonical(const QStringList &identifiers)
{
    QStringList out;
    for (const QString &identifier : identifiers)
        out.append(ItemTexts::canonicalIdentifier(identifier));
    return out;
}

} // namespace

QStringList itemList(const QStringList &customItemNames)
{
    QStringList list { FindFilter::All };
    for (const QString &identifier : QVPerson::allIdentifiers()) {
        list.append(identifier);
        if (identifier == FieldId::Address)
            list += addressComponents();
    }
    return list + customItemNames;
}

QStringList subItemList()
{
    return { FindFilter::All,
             FieldId::FirstName,
             FieldId::MiddleName,
             FieldId::LastName,
             FieldId::PhoneticFirstName,
             FieldId::PhoneticMiddleName,
             FieldId::PhoneticLastName,
             FieldId::Zip,
             FieldId::State,
             FieldId::City,
             FieldId::Street,
             FieldId::Country,
             Key::CountryCode,
             IMService::Aim,
             IMService::Facebook,
             IMService::GaduGadu,
             IMService::GoogleTalk,
             IMService::Icq,
             IMService::Jabber,
             IMService::Msn,
             IMService::QQ,
             IMService::Skype,
             IMService::Yahoo };
}

QList<ResultRow> searchContact(const ContactEntry &contact, const PanelFilters &filters,
                               const TextMatcher &matcher)
{
    QList<ResultRow> rows;
    if (!contact || !contact->person || !matcher.isValid())
        return rows;
    ContactSearch search(contact, filters, matcher, rows);
    for (const QString &identifier : searchedItems(filters.items, *contact->person))
        search.searchItem(identifier);
    return rows;
}

QList<ResultRow> searchContacts(const ContactList &contacts, const PanelFilters &filters,
                                const TextMatcher &matcher)
{
    QList<ResultRow> rows;
    if (!matcher.isValid())
        return rows;
    const QStringList items = canonical(filters.items);
    for (const ContactEntry &contact : contacts) {
        if (!contact || !contact->person || contact->deleted)
            continue;
        ContactSearch search(contact, filters, matcher, rows);
        for (const QString &identifier : searchedItems(items, *contact->person))
            search.searchItem(identifier);
    }
    return rows;
}

bool applyValue(ContactEditor &editor, const ResultRow &row, const QString &value)
{
    if (!row.contact || !row.contact->person || row.isDate())
        return false;
    QVPerson &person = *row.contact->person;
    switch (ItemTexts::fieldKind(person, row.item)) {
    case ItemTexts::FieldKind::Name: {
        QVariantMap name = person.nameValue();
        name.insert(row.subItem, value);
        return editor.undoReplaceNameValue(name, row.contact);
    }
    case ItemTexts::FieldKind::PhoneticName: {
        static const QHash<QString, QString> keys { { FieldId::PhoneticFirstName, FieldId::FirstName },
                                                    { FieldId::PhoneticMiddleName, FieldId::MiddleName },
                                                    { FieldId::PhoneticLastName, FieldId::LastName } };
        if (!keys.contains(row.subItem))
            return false;
        QVariantMap name = person.phoneticNameValue();
        name.insert(keys.value(row.subItem), value);
        return editor.undoReplacePhoneticNameValue(name, row.contact);
    }
    case ItemTexts::FieldKind::Address:
    case ItemTexts::FieldKind::AddressComponent: {
        QVariantMap address = person.labeledValueForIdentifierAtIndex(FieldId::Address, row.index);
        if (address.isEmpty())
            return false;
        address.insert(row.subItem.isEmpty() ? row.item : row.subItem, value);
        return editor.undoReplaceLabeledValue(address, FieldId::Address, row.contact, nullptr);
    }
    case ItemTexts::FieldKind::InstantMessage:
    case ItemTexts::FieldKind::Labeled: {
        QVariantMap item = person.labeledValueForIdentifierAtIndex(row.item, row.index);
        if (item.isEmpty())
            return false;
        item.insert(Key::Value, value);
        return editor.undoReplaceLabeledValue(item, row.item, row.contact, nullptr);
    }
    case ItemTexts::FieldKind::String:
        return editor.undoReplaceValue(value, row.item, row.contact, nullptr);
    case ItemTexts::FieldKind::Never:
        break;
    }
    return false;
}

} // namespace PanelSearch
