#include "formats/vcarddate_p.h"
#include "formats/vcardkeys.h"
#include "formats/vcardrecordwriter_p.h"
#include "formats/vcardsyntax_p.h"
#include "formats/vcardtypes_p.h"
#include "platform/contactlabels.h"
#include "record/keys.h"

#include <QSet>

using Field = QVPerson::LabeledField;
using VCardSyntax::escape;

namespace VCardRecordWriter {

void appendLine(QByteArray &out, const QString &line)
{
    VCardSyntax::appendFolded(out, QStringView(line));
}

namespace {

// Whether a property with these parameters is read as an item with this label.
bool readsBackAs(Field field, const QString &params, const QString &label)
{
    const QByteArray card = "BEGIN:VCARD\r\nX" + params.toUtf8() + ":x\r\nEND:VCARD\r\n";
    const VCardSyntax::Card parsed { QByteArrayView(card) };
    return !parsed.properties().isEmpty()
        && VCardTypes::labelFromTypes(field, parsed.properties().first(), nullptr) == label;
}

using VCardSyntax::escapeLineBreaks;

QString structured(std::initializer_list<QString> parts)
{
    QString out;
    bool first = true;
    for (const QString &part : parts) {
        if (!first)
            out += u';';
        out += escape(part);
        first = false;
    }
    return out;
}

class Writer
{
public:
    Writer(QVPerson &person, QByteArray &out)
        : m_person(person)
        , m_out(out)
    {
        // Groups of kept lines must not be reused for our own grouped items.
        for (const QString &line : person.extraProperties()) {
            qsizetype end = 0;
            while (end < line.size() && line[end] != u';' && line[end] != u':')
                ++end;
            const qsizetype dot = line.left(end).indexOf(u'.');
            if (dot > 0)
                m_usedGroups.insert(line.left(dot).toLower());
        }
    }

    void write();

private:
    void line(const QString &text) { appendLine(m_out, text); }
    // A labeled item: TYPE parameters when the label has a standard form, else a grouped X-ABLabel.
    void labeled(Field field, const QString &property, const QString &value, const CompactMap &item,
                 const QString &extraLine = {});
    QString nextGroup()
    {
        QString group;
        do {
            group = QStringLiteral("item%1").arg(++m_groupCounter);
        } while (m_usedGroups.contains(group));
        return group;
    }

    QVPerson &m_person;
    QByteArray &m_out;
    QSet<QString> m_usedGroups;
    int m_groupCounter = 0;
};

void Writer::labeled(Field field, const QString &property, const QString &value, const CompactMap &item,
                     const QString &extraLine)
{
    const QString label = item.string(Key::Label);
    const bool named = !label.isEmpty() && label != LabelWord::NoLabel;
    const QString kept = item.string(VCardKey::Parameters);
    const QLatin1StringView internet(field == Field::Email ? ";TYPE=INTERNET" : "");
    // Each item is one line of a card and cards come by the hundred thousand: the line is put
    // together in one buffer per thread.
    thread_local QString text;
    auto appendParameters = [&](const QStringList &types) {
        if (!types.isEmpty()) {
            text += u';';
            text += VCardParameter::Type;
            text += u'=';
            text += types.join(u',');
        }
        text += internet;
        if (!kept.isEmpty()) {
            text += u';';
            text += kept;
        }
    };
    QStringList types;
    bool groupedLabel = named;
    if (named) {
        types = VCardTypes::typesForLabel(field, label);
        if (!types.isEmpty()) {
            // Kept TYPE values of another label (a grouped label's leftovers) could outrank ours
            // when the card is read again; the grouped form keeps the label then.
            groupedLabel = false;
            if (!kept.isEmpty()) {
                text.resize(0); // keeps the buffer
                appendParameters(types);
                groupedLabel = !readsBackAs(field, text, label);
            }
            if (groupedLabel)
                types.clear();
        }
    }
    QString group;
    if (groupedLabel || !extraLine.isEmpty())
        group = nextGroup();
    const QString prefix = group.isEmpty() ? QString() : group + u'.';
    text.resize(0); // keeps the buffer
    text += prefix;
    text += property;
    appendParameters(types);
    text += u':';
    text += value;
    line(text);
    if (!extraLine.isEmpty())
        line(prefix + extraLine);
    if (groupedLabel)
        line(prefix + VCardProperty::AbLabel + u':' + escape(QVPerson::CNLabelFromLabel(label)));
}

void Writer::write()
{
    QVPerson &p = m_person;
    m_out.append("BEGIN:VCARD\r\nVERSION:3.0\r\n");

    const CompactMap &name = p.storedDictionary(FieldId::Name);
    const QString first = name.value(FieldId::FirstName).toString();
    const QString middle = name.value(FieldId::MiddleName).toString();
    const QString last = name.value(FieldId::LastName).toString();
    const QString title = p.storedString(FieldId::Title);
    const QString suffix = p.storedString(FieldId::Suffix);
    const QString company = p.storedString(FieldId::Company);
    const QString department = p.storedString(FieldId::Department);
    line(VCardProperty::N + u':' + structured({ last, first, middle, title, suffix }));

    // The formatted name: the name parts in the record's order, else the company.
    QStringList parts;
    const bool familyFirst = name.value(Key::NameOrdering).toInt() == 2;
    for (const QString &part : familyFirst ? QStringList { title, last, first, middle, suffix }
                                           : QStringList { title, first, middle, last, suffix }) {
        if (!part.isEmpty())
            parts.append(part);
    }
    QString formatted = first.isEmpty() && middle.isEmpty() && last.isEmpty() ? QString() : parts.join(u' ');
    if (formatted.isEmpty())
        formatted = company;
    line(VCardProperty::FN + u':' + escape(formatted));

    const QString maiden = name.value(FieldId::PreviousFamilyName).toString();
    if (!maiden.isEmpty())
        line(VCardProperty::MaidenName + u':' + escape(maiden));
    const QString nickname = p.storedString(FieldId::Nickname);
    if (!nickname.isEmpty())
        line(VCardProperty::Nickname + u':' + escape(nickname));
    const CompactMap &phonetic = p.storedDictionary(FieldId::PhoneticName);
    const std::pair<const QString &, QLatin1StringView> phoneticParts[]
        = { { FieldId::FirstName, VCardProperty::PhoneticFirstName },
            { FieldId::MiddleName, VCardProperty::PhoneticMiddleName },
            { FieldId::LastName, VCardProperty::PhoneticLastName } };
    for (const auto &[key, property] : phoneticParts) {
        const QString value = phonetic.value(key).toString();
        if (!value.isEmpty())
            line(property + u':' + escape(value));
    }
    if (!company.isEmpty() || !department.isEmpty())
        line(VCardProperty::Org + u':' + escape(company)
             + (department.isEmpty() ? QString() : u';' + escape(department)));
    const QString jobTitle = p.storedString(FieldId::JobTitle);
    if (!jobTitle.isEmpty())
        line(VCardProperty::Title + u':' + escape(jobTitle));
    if (!p.showAsPerson())
        line(VCardProperty::AbShowAs + u':' + VCardValue::Company);

    for (const CompactMap &item : p.storedLabeledValues(Field::Phone)) {
        const QString value = item.string(Key::Value);
        if (!value.isEmpty())
            labeled(Field::Phone, VCardProperty::Tel, escapeLineBreaks(value), item);
    }
    for (const CompactMap &item : p.storedLabeledValues(Field::Email)) {
        const QString value = item.string(Key::Value);
        if (!value.isEmpty())
            labeled(Field::Email, VCardProperty::Email, escape(value), item);
    }
    for (const CompactMap &item : p.storedLabeledValues(Field::Address)) {
        // Street lines stay in the street component: reading splits nothing back out of it.
        const QString value = structured({ QString(), QString(), item.string(FieldId::Street),
                                           item.string(FieldId::City), item.string(FieldId::State),
                                           item.string(FieldId::Zip), item.string(FieldId::Country) });
        if (value == QLatin1StringView(";;;;;;"))
            continue;
        const QString iso = item.string(Key::IsoCountryCode);
        labeled(Field::Address, VCardProperty::Adr, value, item,
                iso.isEmpty() ? QString() : VCardProperty::AbAdr + u':' + escape(iso));
    }
    for (const CompactMap &item : p.storedLabeledValues(Field::Url)) {
        const QString value = item.string(Key::Value);
        if (!value.isEmpty())
            labeled(Field::Url, VCardProperty::Url, escapeLineBreaks(value), item);
    }
    for (const CompactMap &item : p.storedLabeledValues(Field::InstantMessage)) {
        const QString username = item.string(Key::Username);
        if (username.isEmpty())
            continue;
        QString service = item.string(Key::Service);
        if (service.isEmpty())
            service = IMService::Aim;
        CompactMap withService = item;
        const QString kept = item.string(VCardKey::Parameters);
        const QString params = VCardParameter::ServiceType + u'=' + VCardSyntax::parameterValue(service)
            + (kept.isEmpty() ? QString() : u';' + kept);
        withService.insert(VCardKey::Parameters, params);
        labeled(Field::InstantMessage, VCardProperty::Impp,
                VCardTypes::schemeForImService(service) + u':' + escapeLineBreaks(username), withService);
    }
    for (const CompactMap &item : p.storedLabeledValues(Field::SocialNetwork)) {
        const QString username = item.string(Key::Value);
        if (username.isEmpty())
            continue;
        const QString service = item.string(Key::Label);
        QString params;
        if (!service.isEmpty() && service != LabelWord::NoService)
            params += u';' + VCardParameter::Type + u'=' + VCardSyntax::parameterValue(service);
        params += u';' + VCardParameter::User + u'=' + VCardSyntax::parameterValue(username);
        const QString userId = item.string(Key::UserIdentifier);
        if (!userId.isEmpty())
            params += u';' + VCardParameter::UserId + u'=' + VCardSyntax::parameterValue(userId);
        const QString kept = item.string(VCardKey::Parameters);
        if (!kept.isEmpty())
            params += u';' + kept;
        line(VCardProperty::SocialProfile + params + u':' + escapeLineBreaks(item.string(Key::UrlString)));
    }
    for (const CompactMap &item : p.storedLabeledValues(Field::Relationship)) {
        const QString value = item.string(Key::Value);
        if (!value.isEmpty())
            labeled(Field::Relationship, VCardProperty::AbRelatedNames, escape(value), item);
    }
    for (const CompactMap &item : p.storedLabeledValues(Field::Dates)) {
        const QVariant *value = item.get(Key::Value);
        if (!value || value->userType() != qMetaTypeId<DateComponents>())
            continue;
        const QString date = VCardDate::format(value->value<DateComponents>());
        if (!date.isEmpty())
            labeled(Field::Dates, VCardProperty::AbDate, date, item);
    }
    const QVariant birthday = p.storedDictionary(FieldId::Birthday).value(Key::Value);
    if (birthday.userType() == qMetaTypeId<DateComponents>()) {
        const QString date = VCardDate::format(birthday.value<DateComponents>());
        if (!date.isEmpty())
            line(VCardProperty::Bday + u':' + date);
    }
    for (const QString &kept : p.extraProperties())
        line(kept);
    m_out.append("END:VCARD\r\n");
}

} // namespace

QByteArray write(QVPerson &person)
{
    QByteArray out;
    out.reserve(512);
    Writer(person, out).write();
    return out;
}

void write(QVPerson &person, QByteArray &out)
{
    Writer(person, out).write();
}

} // namespace VCardRecordWriter
