#include "table/sortvalue.h"

#include "record/keys.h"

SortValueReader::SortValueReader(const SortKeyParts &parts, const QStringList &selectedLabels)
    : m_parts(parts)
    , m_filter(selectedLabels)
    , m_itemKey(parts.valueKey)
{
    const QString &field = m_parts.identifier;
    m_field = QVPerson::labeledFieldForIdentifier(field);
    if (field == FieldId::Dates) {
        m_source = Source::Dates;
        m_comparesDates = m_parts.valueKey != Key::Label;
        if (m_comparesDates)
            m_itemKey = Key::Value;
    } else if (m_field) {
        m_source = Source::BuiltInLabeled;
    } else if (field == FieldId::Birthday) {
        m_source = Source::Birthday;
        m_comparesDates = true;
    } else if (field == FieldId::Name) {
        m_source = Source::Name;
    } else if (field == FieldId::PhoneticName) {
        m_source = Source::PhoneticName;
    }
    // E-mail addresses sort by text, label, domain, or else the user name.
    if (field == FieldId::Email && m_itemKey != Key::StringValue && m_itemKey != Key::Label
        && m_itemKey != Key::Domain)
        m_itemKey = Key::Username;
}

QVariant SortValueReader::labeledValue(const LabeledItems &items, qsizetype position) const
{
    if (!items.contains(position) || !m_filter.passes(items.label(position)))
        return {};
    return items.value(position, m_itemKey);
}

QVariant SortValueReader::nameValue(QVPerson &person) const
{
    const QString &key = m_parts.valueKey;
    if (key != FieldId::FirstName && key != FieldId::LastName)
        return person.compositeName();
    if (!person.showAsPerson())
        return RecordReader::storedString(person, FieldId::Company);
    const QString first = person.valueForIdentifier(FieldId::FirstName).toString();
    const QString last = person.valueForIdentifier(FieldId::LastName).toString();
    const QString &lead = key == FieldId::FirstName ? first : last;
    const QString &follow = key == FieldId::FirstName ? last : first;
    // The second part counts only when both are there.
    return !lead.isEmpty() && !follow.isEmpty() ? QString(lead + follow) : lead;
}

QVariant SortValueReader::phoneticValue(QVPerson &person) const
{
    const QString &key = m_parts.valueKey;
    const QVariantMap phonetic = person.phoneticNameValue();
    if (key == Key::StringValue)
        return phonetic.value(Key::StringValue).toString();
    const QString first = phonetic.value(FieldId::FirstName).toString();
    const QString last = phonetic.value(FieldId::LastName).toString();
    if (key == FieldId::PhoneticFirstName)
        return QString(first + last);
    if (key == FieldId::PhoneticLastName)
        return QString(last + first);
    return {};
}

QVariant SortValueReader::value(const SubContactRow &row) const
{
    if (!row.person)
        return {};
    QVPerson &person = *row.person;
    switch (m_source) {
    case Source::Dates:
    case Source::BuiltInLabeled:
        return labeledValue(LabeledItems(person, *m_field), row.labelIndex);
    case Source::Birthday:
        return person.birthdayValue().value(Key::Value);
    case Source::Name:
        return nameValue(person);
    case Source::PhoneticName:
        return phoneticValue(person);
    case Source::Other:
        break;
    }
    // A custom labeled item of this record, else the stored value of a string field or custom item.
    if (person.typeForIdentifier(m_parts.identifier) == ValueType::Labeled)
        return labeledValue(LabeledItems(person, m_parts.identifier), row.labelIndex);
    const QVariant *stored = person.storedItem(m_parts.identifier);
    return stored ? *stored : QVariant();
}

namespace SortValues {

std::optional<qint64> dateOrdinal(const QVariant &value)
{
    if (value.userType() != qMetaTypeId<DateComponents>())
        return std::nullopt;
    const DateComponents c = value.value<DateComponents>();
    if (c.isEmpty())
        return std::nullopt;
    const qint64 year = c.hasYear() ? c.year : 1;
    const qint64 month = c.hasMonth() ? c.month : 1;
    const qint64 day = c.hasDay() ? c.day : 1;
    return (year * 100 + month) * 100 + day;
}

int compareDateComponents(const QVariant &a, const QVariant &b, bool ascending)
{
    const auto da = dateOrdinal(a);
    const auto db = dateOrdinal(b);
    if (!da && !db)
        return 0;
    if (!db)
        return -1;
    if (!da)
        return 1;
    const int c = *da < *db ? -1 : *da > *db ? 1 : 0;
    return ascending ? c : -c;
}

QString sortText(const QVariant &value)
{
    if (value.typeId() == QMetaType::QString)
        return value.toString();
    if (!value.isValid() || value.userType() == qMetaTypeId<DateComponents>())
        return {};
    return value.canConvert<QString>() ? value.toString() : QString();
}

} // namespace SortValues
