#include "formats/vcarddate_p.h"
#include "formats/vcardkept_p.h"
#include "formats/vcardkeys.h"
#include "formats/vcardrecordwriter_p.h"
#include "formats/vcardsyntax_p.h"
#include "formats/vcardtypes_p.h"
#include "platform/contactlabels.h"
#include "record/keys.h"

#include <QSet>

#include <algorithm>

using Field = QVPerson::LabeledField;
using VCardSyntax::escape;

namespace VCardRecordWriter {

void appendLine(QByteArray &out, const QString &line)
{
    VCardSyntax::appendFolded(out, QStringView(line));
}

QString formattedName(const QVPerson &p)
{
    const CompactMap &name = p.storedDictionary(FieldId::Name);
    const QString first = name.string(FieldId::FirstName);
    const QString middle = name.string(FieldId::MiddleName);
    const QString last = name.string(FieldId::LastName);
    if (first.isEmpty() && middle.isEmpty() && last.isEmpty())
        return p.storedString(FieldId::Company);
    const QString title = p.storedString(FieldId::Title);
    const QString suffix = p.storedString(FieldId::Suffix);
    const bool familyFirst = name.value(Key::NameOrdering).toInt() == 2;
    // Every card read composes it once: put together in place, without a list of the parts.
    const QString *parts[] = { &title, familyFirst ? &last : &first, &middle, familyFirst ? &first : &last, &suffix };
    if (familyFirst)
        std::swap(parts[2], parts[3]); // title, last, first, middle, suffix
    QString out;
    out.reserve(title.size() + first.size() + middle.size() + last.size() + suffix.size() + 4);
    for (const QString *part : parts) {
        if (part->isEmpty())
            continue;
        if (!out.isEmpty())
            out += u' ';
        out += *part;
    }
    return out;
}

QString keptHead(const QVPerson &person, const QString &key, QLatin1StringView property)
{
    const QVariant *kept = person.vCardKept().get(key);
    return kept ? kept->toString() : QString(property);
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

// A number is held without its "tel:" scheme; a line kept with VALUE=uri needs it back.
QString valueForKeptHead(Field field, const QString &head, const QString &value)
{
    if (field != Field::Phone || value.startsWith(VCardValue::TelUriPrefix, Qt::CaseInsensitive))
        return value;
    const QString uriValue = VCardParameter::Value + u'=' + VCardValue::Uri;
    return head.contains(uriValue, Qt::CaseInsensitive) ? VCardValue::TelUriPrefix + value : value;
}

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

QString groupOf(QStringView line)
{
    qsizetype end = 0;
    while (end < line.size() && line[end] != u';' && line[end] != u':')
        ++end;
    const qsizetype dot = line.first(end).indexOf(u'.');
    return dot > 0 ? line.first(dot).toString().toLower() : QString();
}

class Writer
{
public:
    Writer(QVPerson &person, QByteArray &out)
        : m_person(person)
        , m_out(out)
    { }

    void write();

private:
    void line(const QString &text) { appendLine(m_out, text); }
    void addUsedGroup(const QString &group)
    {
        if (!group.isEmpty())
            m_usedGroups.insert(group);
    }
    // A labeled item: as it was read while its kept head still says what the item says; else
    // TYPE parameters when the label has a standard form, else a grouped X-ABLabel.
    void labeled(Field field, const QString &property, const QString &value, const CompactMap &item,
                 const QString &extraLine = {});
    // The item's kept head when it still describes the item, with a group of its own; else null.
    QString keptHead(Field field, const CompactMap &item, bool needsGroup);
    void keptLines(const QString &head, const QString &value, const QString &label, const QString &extraLine);
    // Groups of kept lines and heads must not be reused for our own grouped items. Looked for only
    // when a group is needed: items read from a file keep theirs.
    void gatherUsedGroups();
    QString nextGroup()
    {
        if (!m_usedGroupsGathered)
            gatherUsedGroups();
        QString group;
        do {
            group = QStringLiteral("item%1").arg(++m_groupCounter);
        } while (m_usedGroups.contains(group));
        return group;
    }
    QString head(const QString &key, QLatin1StringView property) const
    {
        return VCardRecordWriter::keptHead(m_person, key, property);
    }

    QVPerson &m_person;
    QByteArray &m_out;
    QSet<QString> m_usedGroups;
    bool m_usedGroupsGathered = false;
    QVarLengthArray<QStringView, 8> m_keptGroups; // groups of kept heads written so far
    QStringList m_fresh; // new groups given to kept heads, which the views above point into
    int m_groupCounter = 0;
};

void Writer::gatherUsedGroups()
{
    m_usedGroupsGathered = true;
    for (const QString &line : m_person.extraProperties())
        addUsedGroup(groupOf(line));
    for (int f = 0; f < QVPerson::LabeledFieldCount; ++f) {
        for (const CompactMap &item : m_person.storedLabeledValues(Field(f))) {
            if (const QVariant *head = item.get(VCardKey::Property))
                addUsedGroup(VCardKept::split(head->toString()).group.toString().toLower());
        }
    }
    if (!m_person.vCardKept().isEmpty()) {
        const QVariantMap kept = m_person.vCardKept().toVariantMap();
        for (auto it = kept.cbegin(); it != kept.cend(); ++it) {
            const QString &key = it.key();
            if (key != VCardKeptKey::FormattedName && key != VCardKeptKey::ComposedName
                && key != VCardKeptKey::BdayValue && key != VCardKeptKey::NameFromFN)
                addUsedGroup(groupOf(it.value().toString()));
        }
    }
}

QString Writer::keptHead(Field field, const CompactMap &item, bool needsGroup)
{
    const QVariant *kept = item.get(VCardKey::Property);
    if (!kept || kept->typeId() != QMetaType::QString)
        return {};
    // The head lives in the item while the card is written, so views of it stay valid.
    const QString &head = *static_cast<const QString *>(kept->constData());
    if (head.isEmpty() || !VCardKept::describes(field, head, item))
        return {};
    const QStringView group = VCardKept::split(head).group;
    if (group.isEmpty() && !needsGroup)
        return head;
    // Two items of one card may have come with the same group (a pasted item): the second, or an
    // item that now needs a group for its extra line, gets a new one.
    const bool taken = std::any_of(m_keptGroups.cbegin(), m_keptGroups.cend(),
                                   [&](QStringView g) { return g.compare(group, Qt::CaseInsensitive) == 0; });
    if (group.isEmpty() || taken) {
        m_fresh.append(nextGroup());
        m_keptGroups.append(m_fresh.constLast());
        return VCardKept::regrouped(head, m_fresh.constLast());
    }
    m_keptGroups.append(group);
    return head;
}

void Writer::keptLines(const QString &head, const QString &value, const QString &label,
                       const QString &extraLine)
{
    const VCardKept::Parts parts = VCardKept::split(head);
    // Nearly every item of a card read from a file comes here: one reused buffer per thread.
    thread_local QString text;
    text.resize(0); // keeps the buffer
    text += parts.property;
    text += u':';
    text += value;
    line(text);
    const QString prefix = parts.group.isEmpty() ? QString() : parts.group + u'.';
    if (!extraLine.isEmpty())
        line(prefix + extraLine);
    if (!parts.labelLine.isEmpty())
        line(parts.labelLine + u':'
             + (label == LabelWord::NoLabel ? QString() : escape(QVPerson::CNLabelFromLabel(label))));
}

// The value kept as read while it still reads as the item, else the writer's own.
QString keptValue(const CompactMap &item, bool (*holds)(const QString &, const CompactMap &),
                  const QString &own)
{
    const QVariant *kept = item.get(VCardKey::Value);
    return kept && holds(kept->toString(), item) ? kept->toString() : own;
}

bool dateHoldsForItem(const QString &kept, const CompactMap &item)
{
    return VCardKept::dateHolds(kept, item.value(Key::Value), item.string(VCardKey::Property));
}

void Writer::labeled(Field field, const QString &property, const QString &value, const CompactMap &item,
                     const QString &extraLine)
{
    const QString label = item.string(Key::Label);
    if (const QString kept = keptHead(field, item, !extraLine.isEmpty()); !kept.isNull()) {
        keptLines(kept, valueForKeptHead(field, kept, value), label, extraLine);
        return;
    }
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
    // A card whose name came from its formatted name had an empty N, and has while it is unchanged.
    const bool nameFromFN = middle.isEmpty() && last.isEmpty() && !first.isEmpty()
        && p.vCardKept().string(VCardKeptKey::NameFromFN) == first;
    line(head(VCardKeptKey::N, VCardProperty::N) + u':'
         + structured({ last, nameFromFN ? QString() : first, middle, title, suffix }));

    // The formatted name as read while the name it stood for is unchanged, else composed anew.
    QString formatted = formattedName(p);
    const CompactMap &kept = p.vCardKept();
    if (const QVariant *asRead = kept.get(VCardKeptKey::FormattedName);
        asRead && kept.string(VCardKeptKey::ComposedName) == formatted)
        formatted = asRead->toString();
    line(head(VCardKeptKey::FN, VCardProperty::FN) + u':' + escape(formatted));

    const QString maiden = name.value(FieldId::PreviousFamilyName).toString();
    if (!maiden.isEmpty())
        line(head(VCardKeptKey::MaidenName, VCardProperty::MaidenName) + u':' + escape(maiden));
    const QString nickname = p.storedString(FieldId::Nickname);
    if (!nickname.isEmpty())
        line(head(VCardKeptKey::Nickname, VCardProperty::Nickname) + u':' + escape(nickname));
    const CompactMap &phonetic = p.storedDictionary(FieldId::PhoneticName);
    struct PhoneticPart
    {
        const QString &field;
        const QString &keptKey;
        QLatin1StringView property;
    };
    const PhoneticPart phoneticParts[]
        = { { FieldId::FirstName, VCardKeptKey::PhoneticFirstName, VCardProperty::PhoneticFirstName },
            { FieldId::MiddleName, VCardKeptKey::PhoneticMiddleName, VCardProperty::PhoneticMiddleName },
            { FieldId::LastName, VCardKeptKey::PhoneticLastName, VCardProperty::PhoneticLastName } };
    for (const PhoneticPart &part : phoneticParts) {
        const QString value = phonetic.value(part.field).toString();
        if (!value.isEmpty())
            line(head(part.keptKey, part.property) + u':' + escape(value));
    }
    if (!company.isEmpty() || !department.isEmpty()) {
        // The department holds the organisation's units, separated by ";" as they were read.
        QString org = head(VCardKeptKey::Org, VCardProperty::Org) + u':' + escape(company);
        if (!department.isEmpty()) {
            for (const QString &unit : department.split(u';'))
                org += u';' + escape(unit);
        }
        line(org);
    }
    const QString jobTitle = p.storedString(FieldId::JobTitle);
    if (!jobTitle.isEmpty())
        line(head(VCardKeptKey::Title, VCardProperty::Title) + u':' + escape(jobTitle));
    if (!p.showAsPerson())
        line(head(VCardKeptKey::ShowAs, VCardProperty::AbShowAs) + u':' + VCardValue::Company);

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
        labeled(Field::Address, VCardProperty::Adr, keptValue(item, VCardKept::addressHolds, value), item,
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
        const QString uri = VCardTypes::schemeForImService(service) + u':' + escapeLineBreaks(username);
        if (const QString kept = keptHead(Field::InstantMessage, item, false); !kept.isNull()) {
            // An IMPP value is a URI; the service properties (X-AIM...) hold the bare name.
            const bool impp
                = VCardKept::split(kept).name.compare(VCardProperty::Impp, Qt::CaseInsensitive) == 0;
            keptLines(kept, impp ? keptValue(item, VCardKept::imppHolds, uri) : escapeLineBreaks(username),
                      item.string(Key::Label), {});
            continue;
        }
        CompactMap withService = item;
        withService.remove(VCardKey::Property);
        const QString keptParameters = item.string(VCardKey::Parameters);
        const QString params = VCardParameter::ServiceType + u'=' + VCardSyntax::parameterValue(service)
            + (keptParameters.isEmpty() ? QString() : u';' + keptParameters);
        withService.insert(VCardKey::Parameters, params);
        labeled(Field::InstantMessage, VCardProperty::Impp, uri, withService);
    }
    for (const CompactMap &item : p.storedLabeledValues(Field::SocialNetwork)) {
        const QString username = item.string(Key::Value);
        if (username.isEmpty())
            continue;
        const QString url = escapeLineBreaks(item.string(Key::UrlString));
        if (const QString kept = keptHead(Field::SocialNetwork, item, false); !kept.isNull()) {
            keptLines(kept, url, item.string(Key::Label), {});
            continue;
        }
        const QString service = item.string(Key::Label);
        QString params;
        if (!service.isEmpty() && service != LabelWord::NoService)
            params += u';' + VCardParameter::Type + u'=' + VCardSyntax::parameterValue(service);
        params += u';' + VCardParameter::User + u'=' + VCardSyntax::parameterValue(username);
        const QString userId = item.string(Key::UserIdentifier);
        if (!userId.isEmpty())
            params += u';' + VCardParameter::UserId + u'=' + VCardSyntax::parameterValue(userId);
        const QString keptParameters = item.string(VCardKey::Parameters);
        if (!keptParameters.isEmpty())
            params += u';' + keptParameters;
        line(VCardProperty::SocialProfile + params + u':' + url);
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
            labeled(Field::Dates, VCardProperty::AbDate, keptValue(item, dateHoldsForItem, date), item);
    }
    const QVariant birthday = p.storedDictionary(FieldId::Birthday).value(Key::Value);
    if (birthday.userType() == qMetaTypeId<DateComponents>()) {
        QString date = VCardDate::format(birthday.value<DateComponents>());
        const QString asRead = p.vCardKept().string(VCardKeptKey::BdayValue);
        if (!asRead.isEmpty()
            && VCardKept::dateHolds(asRead, birthday, p.vCardKept().string(VCardKeptKey::Bday)))
            date = asRead;
        if (!date.isEmpty())
            line(head(VCardKeptKey::Bday, VCardProperty::Bday) + u':' + date);
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
