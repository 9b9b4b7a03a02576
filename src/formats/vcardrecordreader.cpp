#include "formats/vcarddate_p.h"
#include "formats/vcardkept_p.h"
#include "formats/vcardkeys.h"
#include "formats/vcardrecordreader_p.h"
#include "formats/vcardrecordwriter_p.h"
#include "formats/vcardtypes_p.h"
#include "platform/contactlabels.h"
#include "record/keys.h"

#include <QHash>
#include <QSet>
#include <QVarLengthArray>
#include <array>

using VCardSyntax::Card;
using VCardSyntax::Property;
using Field = QVPerson::LabeledField;

namespace VCardRecordReader {

namespace {

// X- names that never become custom items (compared case-sensitively with the text between
// "X-" and the parameters or value).
const QLatin1StringView kExcludedCustomNames[] = {
    QLatin1StringView("ABUID"),
    QLatin1StringView("SOCIALPROFILE"),
    QLatin1StringView("ABShowAs"),
    QLatin1StringView("PHONETIC-FIRST-NAME"),
    QLatin1StringView("PHONETIC-MIDDLE-NAME"),
    QLatin1StringView("PHONETIC-LAST-NAME"),
    QLatin1StringView("AIM"),
    QLatin1StringView("MSN"),
    QLatin1StringView("JABBER"),
    QLatin1StringView("YAHOO"),
    QLatin1StringView("FACEBOOK"),
    QLatin1StringView("GADUGADU"),
    QLatin1StringView("SKYPE"),
    QLatin1StringView("GOOGLETALK"),
    QLatin1StringView("ICQ"),
    QLatin1StringView("QQ"),
};

QString text(const Property &p)
{
    return VCardSyntax::unescape(VCardSyntax::decodeText(p));
}

QString latin(QByteArrayView bytes)
{
    return VCardSyntax::parameterText(bytes);
}

// A property the custom item reader takes: an ungrouped line starting with upper-case "X-" whose
// name is neither excluded nor read into a field.
bool isCustomItemProperty(const Property &p)
{
    if (!p.group.isEmpty() || !p.name.startsWith("X-") || p.name.size() < 3)
        return false;
    if (VCardTypes::isFieldProperty(p))
        return false;
    const QLatin1StringView name(p.name.data() + 2, p.name.size() - 2);
    for (QLatin1StringView excluded : kExcludedCustomNames) {
        if (name == excluded)
            return false;
    }
    return true;
}

bool isEncodingSegment(QByteArrayView segment)
{
    QLatin1StringView s(segment.data(), segment.size());
    s = s.trimmed();
    if (s.startsWith(VCardParameter::Encoding, Qt::CaseInsensitive)
        && s.size() > VCardParameter::Encoding.size() && s[VCardParameter::Encoding.size()] == u'=')
        return true;
    return s.compare(VCardParameter::QuotedPrintable, Qt::CaseInsensitive) == 0
        || s.compare(VCardParameter::Base64, Qt::CaseInsensitive) == 0;
}

} // namespace

QString customLabel(const Property &p)
{
    QList<QByteArray> kept;
    bool hadEncoding = false;
    for (const QByteArray &segment : p.parameterText.toByteArray().split(';')) {
        if (isEncodingSegment(segment))
            hadEncoding = true;
        else
            kept.append(segment);
    }
    const QByteArray params = kept.join(';');
    if (hadEncoding && params.isEmpty())
        return {};
    QString label = latin(params);
    const qsizetype at = label.indexOf(VCardParameter::CustomLabelPrefix);
    if (at >= 0)
        label = label.mid(at + VCardParameter::CustomLabelPrefix.size());
    if (label.size() >= 2 && label.startsWith(u'"') && label.endsWith(u'"')) {
        // A quoted label as the writer makes it; ^' ^n ^^ stand for ", line break and ^.
        const QStringView inner = QStringView(label).sliced(1, label.size() - 2);
        QString out;
        for (qsizetype i = 0; i < inner.size(); ++i) {
            if (inner[i] == u'^' && i + 1 < inner.size()) {
                const QChar n = inner[i + 1];
                if (n == u'^' || n == u'\'' || n == u'n') {
                    out.append(n == u'^' ? u'^' : n == u'\'' ? u'"' : u'\n');
                    ++i;
                    continue;
                }
            }
            out.append(inner[i]);
        }
        label = out;
    }
    return label.isNull() ? QStringLiteral("") : label;
}

namespace {

// An unfolded, decoded copy of a line the record has no field for. A quoted-printable value is
// decoded (its line breaks become \n) and loses its ENCODING and CHARSET; Base64 stays as it is.
QString verbatimLine(const Property &p)
{
    const bool quotedPrintable = p.encoding() == VCardSyntax::Encoding::QuotedPrintable;
    const bool base64 = p.encoding() == VCardSyntax::Encoding::Base64;
    QString value = base64 ? latin(p.rawValue) : VCardSyntax::decodeText(p);
    if (value.contains(u'\n') || value.contains(u'\r')) {
        value.replace(QLatin1StringView("\r\n"), QLatin1StringView("\\n"));
        value.replace(u'\r', QLatin1StringView("\\n"));
        value.replace(u'\n', QLatin1StringView("\\n"));
    }
    QString line;
    // Every card keeps a line or two (UID, say): the line is put together in one allocation.
    line.reserve(p.group.size() + p.name.size() + p.parameterText.size() + value.size() + 8);
    if (!p.group.isNull()) { // an empty group before a dot is written too
        VCardSyntax::appendParameterText(line, p.group);
        line += u'.';
    }
    VCardSyntax::appendParameterText(line, p.name);
    for (const VCardSyntax::Parameter &param : p.parameters) {
        if (quotedPrintable
            && (isEncodingSegment(param.name.isEmpty() ? param.value : param.name)
                || VCardSyntax::equalsIgnoreCase(param.name, VCardParameter::Encoding)))
            continue;
        if (!base64 && VCardSyntax::equalsIgnoreCase(param.name, VCardParameter::Charset))
            continue;
        line += u';';
        if (!param.name.isEmpty()) {
            VCardSyntax::appendParameterText(line, param.name);
            line += u'=';
        }
        if (param.quoted)
            line += u'"';
        VCardSyntax::appendParameterText(line, param.value);
        if (param.quoted)
            line += u'"';
    }
    line += u':';
    line += value;
    return line;
}

// A value as read, transfer encoding undone but escapes kept, on one line.
QString valueAsRead(const Property &p)
{
    QString value = VCardSyntax::decodeText(p);
    value.replace(QLatin1StringView("\r\n"), QLatin1StringView("\\n"));
    value.replace(u'\r', QLatin1StringView("\\n"));
    value.replace(u'\n', QLatin1StringView("\\n"));
    return value;
}

// Parameters of a labeled property that no field holds, kept to be written again.
QStringList otherParameters(const Property &p, std::initializer_list<QLatin1StringView> consumed)
{
    QStringList out;
    for (const VCardSyntax::Parameter &param : p.parameters) {
        using VCardSyntax::equalsIgnoreCase;
        const QByteArrayView name = param.name;
        if (name.isEmpty() || equalsIgnoreCase(name, VCardParameter::Type)
            || equalsIgnoreCase(name, VCardParameter::Encoding)
            || equalsIgnoreCase(name, VCardParameter::Charset))
            continue;
        bool skip = false;
        for (QLatin1StringView c : consumed)
            skip = skip || equalsIgnoreCase(name, c);
        if (skip)
            continue;
        out.append(latin(param.name) + u'=' + VCardSyntax::parameterValue(latin(param.value)));
    }
    return out;
}

// The plain text fields a card gave, in the order met: a card has a handful, so a short list
// does better than a hash table.
class StringFields
{
public:
    bool contains(const QString &identifier) const { return find(identifier) != nullptr; }
    QString value(const QString &identifier) const
    {
        const QString *v = find(identifier);
        return v ? *v : QString();
    }
    void insert(const QString &identifier, const QString &value)
    {
        if (QString *v = find(identifier))
            *v = value;
        else
            m_fields.append({ identifier, value });
    }
    qsizetype size() const { return m_fields.size(); }
    auto begin() const { return m_fields.cbegin(); }
    auto end() const { return m_fields.cend(); }

private:
    const QString *find(const QString &identifier) const
    {
        for (const auto &[id, value] : m_fields) {
            if (id == identifier)
                return &value;
        }
        return nullptr;
    }
    QString *find(const QString &identifier)
    {
        return const_cast<QString *>(std::as_const(*this).find(identifier));
    }

    QVarLengthArray<std::pair<QString, QString>, 6> m_fields;
};

// Properties by group ("item1"), the first of each group, compared without regard to case. A card
// has a few groups, so a short list does better than a hash table of lower-cased copies.
class GroupIndex
{
public:
    void add(QByteArrayView group, qsizetype index)
    {
        if (find(group) < 0)
            m_entries.append({ group, index });
    }
    qsizetype find(QByteArrayView group) const
    {
        for (const auto &[name, index] : m_entries) {
            if (name.compare(group, Qt::CaseInsensitive) == 0)
                return index;
        }
        return -1;
    }

private:
    QVarLengthArray<std::pair<QByteArrayView, qsizetype>, 8> m_entries;
};

// One custom item property read into the record: a labeled item when it has a label, else text.
// A labeled value keeps its line's head, so that it is written back as it was read.
void addCustomItem(const Property &p, const QString &value, const QString &label, QVPerson &person)
{
    const QString name = latin(p.name.sliced(2));
    if (!label.isNull()) {
        person.addCustomItem(ValueType::Labeled, name, { label });
        person.addLabeledValue(QVariantMap { { Key::Value, value },
                                             { Key::Label, label },
                                             { Key::StringValue, value },
                                             { VCardKey::Property, VCardKept::head(p) } },
                               name);
    } else {
        if (person.customItemDefinition(name).isEmpty())
            person.addCustomItem(ValueType::String, name, {});
        person.setValue(value, name);
    }
}

// The custom item properties of a card read into the record. A text line a later one of the same
// name overwrites is not lost: it is kept as a line instead.
template<class Properties>
void addCustomItems(const Properties &properties, QVPerson &person, QStringList &kept)
{
    const qsizetype n = properties.size();
    QVarLengthArray<QString, 8> labels(n);
    for (qsizetype i = 0; i < n; ++i)
        labels[i] = properties[i]->parameterText.isEmpty() ? QString() : customLabel(*properties[i]);
    // Text lines overwritten by a later one, found from the end (a set, as a hostile card may
    // hold thousands of names).
    QVarLengthArray<bool, 8> overwritten(n, false);
    QSet<QByteArrayView> later;
    for (qsizetype i = n - 1; i >= 0; --i) {
        if (!labels[i].isNull())
            continue;
        const QByteArrayView name = properties[i]->name;
        overwritten[i] = later.contains(name);
        later.insert(name);
    }
    for (qsizetype i = 0; i < n; ++i) {
        const Property &p = *properties[i];
        const QString value = text(p);
        if (overwritten[i])
            kept.append(verbatimLine(p));
        else
            addCustomItem(p, value, labels[i], person);
    }
}

class Builder
{
public:
    explicit Builder(const Card &card)
        : m_card(card)
    {
        m_name.reserve(6); // the name parts, the flag and the composed name
    }

    Result build(Parts parts);

private:
    void readProperty(const Property &p);
    QString labelFor(Field field, const Property &p, QStringList *leftovers);
    void addItem(Field field, std::initializer_list<std::pair<QString, QVariant>> entries,
                 const QStringList &leftovers, const Property &p, const QString &valueAsRead = {});
    void keep(const Property &p) { m_extra.append(verbatimLine(p)); }
    // The group and parameters of a property read into a single-valued field.
    void keepHead(const QString &key, const Property &p)
    {
        if (const QString head = VCardKept::headIfUnusual(p); !head.isNull())
            m_kept.insert(key, head);
    }
    void setString(const QString &identifier, const QString &value, const Property &p, const QString &keptKey)
    {
        // An empty one would not be written again; a second one has no field.
        if (value.isEmpty() || m_strings.contains(identifier)) {
            keep(p);
        } else {
            m_strings.insert(identifier, value);
            keepHead(keptKey, p);
        }
    }

    const Card &m_card;
    GroupIndex m_groupLabel; // group -> X-ABLabel property index
    GroupIndex m_groupCountry; // group -> X-ABADR property index
    QVarLengthArray<qsizetype, 8> m_usedGroupProperties;
    CompactMap m_name;
    bool m_hasName = false;
    QString m_formattedName;
    QString m_formattedNameAsRead;
    bool m_hasFormattedName = false;
    const Property *m_labelLine = nullptr; // the grouped label of the item being read
    CompactMap m_kept;
    CompactMap m_phonetic;
    StringFields m_strings;
    QString m_note;
    bool m_hasNote = false;
    QVarLengthArray<const Property *, 8> m_customItemProperties; // read once the record exists
    std::optional<DateComponents> m_birthday;
    QByteArray m_photo;
    bool m_isCompany = false;
    // Items per field, gathered without touching the heap and handed over in one list each.
    std::array<QVarLengthArray<CompactMap, 4>, QVPerson::LabeledFieldCount> m_lists;
    QStringList m_extra;
    QStringList m_categories;
};

QString Builder::labelFor(Field field, const Property &p, QStringList *leftovers)
{
    QString fromTypes = VCardTypes::labelFromTypes(field, p, leftovers);
    if (!p.group.isEmpty()) {
        if (const qsizetype labelIndex = m_groupLabel.find(p.group); labelIndex >= 0) {
            m_usedGroupProperties.append(labelIndex);
            m_labelLine = &m_card.properties().at(labelIndex);
            // The grouped label names the item; a type label it replaces is kept as a parameter.
            if (!fromTypes.isNull() && leftovers) {
                const QStringList types = VCardTypes::typesForLabel(field, fromTypes);
                for (const QString &t : types.isEmpty() ? QStringList { fromTypes } : types)
                    leftovers->append(VCardParameter::Type + u'=' + VCardSyntax::parameterValue(t));
            }
            return QVPerson::labelFromCNLabel(text(m_card.properties().at(labelIndex)));
        }
    }
    return fromTypes.isEmpty() ? LabelWord::NoLabel : fromTypes;
}

void Builder::addItem(Field field, std::initializer_list<std::pair<QString, QVariant>> entries,
                      const QStringList &leftovers, const Property &p, const QString &valueAsRead)
{
    // Room for what is added here and by normalising (label index, string value, and the parts
    // of an e-mail or the composed texts of an address), so that the item is allocated once.
    const qsizetype added = (field == Field::Email || field == Field::Address ? 5 : 3)
        + (leftovers.isEmpty() ? 0 : 1) + (valueAsRead.isNull() ? 0 : 1);
    CompactMap item(entries, added);
    item.insert(VCardKey::Property, VCardKept::head(p, m_labelLine));
    if (!valueAsRead.isNull())
        item.insert(VCardKey::Value, valueAsRead);
    m_labelLine = nullptr;
    if (!leftovers.isEmpty())
        item.insert(VCardKey::Parameters, leftovers.join(u';'));
    auto &list = m_lists[int(field)];
    item.insert(Key::LabelIndex, list.size());
    list.append(std::move(item));
}

void Builder::readProperty(const Property &p)
{
    using namespace VCardProperty;
    // Custom items are read once the record exists, from every line that makes one, including
    // lines a field below reads as well.
    const bool customItem = isCustomItemProperty(p);
    if (customItem)
        m_customItemProperties.append(&p);
    if (p.is(Version) || p.is(ProdId))
        return; // written anew
    if (p.is(Categories)) {
        for (const QString &name : VCardSyntax::splitValue(p, u',')) {
            if (const QString trimmed = name.trimmed(); !trimmed.isEmpty())
                m_categories.append(trimmed);
        }
        return;
    }
    if (p.is(N)) {
        if (m_hasName) {
            keep(p);
            return;
        }
        m_hasName = true;
        const VCardSyntax::Parts parts = VCardSyntax::splitValue(p, u';');
        auto part = [&](qsizetype i) { return i < parts.size() ? parts.at(i).trimmed() : QString(); };
        m_name.insert(FieldId::LastName, part(0));
        m_name.insert(FieldId::FirstName, part(1));
        m_name.insert(FieldId::MiddleName, part(2));
        if (!part(3).isEmpty())
            m_strings.insert(FieldId::Title, part(3));
        if (!part(4).isEmpty())
            m_strings.insert(FieldId::Suffix, part(4));
        keepHead(VCardKeptKey::N, p);
        return;
    }
    if (p.is(FN)) {
        if (m_hasFormattedName) {
            keep(p);
            return;
        }
        m_formattedNameAsRead = text(p);
        m_formattedName = m_formattedNameAsRead.trimmed();
        m_hasFormattedName = true;
        keepHead(VCardKeptKey::FN, p);
        return; // written as read while the name it stands for is unchanged
    }
    if (p.is(Org)) {
        if (m_strings.contains(FieldId::Company)) {
            keep(p);
            return;
        }
        const VCardSyntax::Parts parts = VCardSyntax::splitValue(p, u';');
        m_strings.insert(FieldId::Company, parts.value(0));
        if (parts.size() > 1) {
            QStringList units(parts.begin() + 1, parts.end());
            while (!units.isEmpty() && units.constLast().isEmpty())
                units.removeLast();
            if (!units.isEmpty())
                m_strings.insert(FieldId::Department, units.join(u';'));
        }
        keepHead(VCardKeptKey::Org, p);
        return;
    }
    if (p.is(Title)) {
        setString(FieldId::JobTitle, text(p), p, VCardKeptKey::Title);
        return;
    }
    if (p.is(Nickname)) {
        setString(FieldId::Nickname, text(p), p, VCardKeptKey::Nickname);
        return;
    }
    if (p.is(Note)) {
        if (text(p).isEmpty()) {
            keep(p); // an empty note would not be written again
            return;
        }
        if (!m_hasNote)
            keepHead(VCardKeptKey::Note, p);
        m_note = m_hasNote ? m_note + u'\n' + text(p) : text(p);
        m_hasNote = true;
        return;
    }
    if (p.is(MaidenName)) {
        if (m_name.contains(FieldId::PreviousFamilyName)) {
            keep(p);
        } else {
            m_name.insert(FieldId::PreviousFamilyName, text(p));
            keepHead(VCardKeptKey::MaidenName, p);
        }
        return;
    }
    if (p.is(PhoneticFirstName) || p.is(PhoneticMiddleName) || p.is(PhoneticLastName)) {
        const QString &key = p.is(PhoneticFirstName) ? FieldId::FirstName
            : p.is(PhoneticMiddleName)               ? FieldId::MiddleName
                                                     : FieldId::LastName;
        if (m_phonetic.contains(key)) {
            keep(p);
        } else {
            if (m_phonetic.isEmpty())
                m_phonetic.reserve(4); // the three parts and the composed text
            m_phonetic.insert(key, text(p));
            keepHead(p.is(PhoneticFirstName)        ? VCardKeptKey::PhoneticFirstName
                         : p.is(PhoneticMiddleName) ? VCardKeptKey::PhoneticMiddleName
                                                    : VCardKeptKey::PhoneticLastName,
                     p);
        }
        return;
    }
    // vCard 4 says with KIND:org what X-ABShowAs:COMPANY says, and the flag is written back that
    // way; other kinds are kept as written.
    if (p.is(Kind)) {
        if (text(p).trimmed().compare(VCardValue::Organization, Qt::CaseInsensitive) == 0)
            m_isCompany = true;
        else
            keep(p);
        return;
    }
    if (p.is(AbShowAs)) {
        if (text(p).trimmed().compare(VCardValue::Company, Qt::CaseInsensitive) == 0 && !m_isCompany) {
            m_isCompany = true;
            keepHead(VCardKeptKey::ShowAs, p);
        } else
            keep(p);
        return;
    }
    if (p.is(Bday)) {
        const int omitted = p.parameter(VCardParameter::OmitYear).toInt();
        const auto date = VCardDate::parse(text(p), omitted > 0 ? omitted : DateComponents::Undefined);
        if (date && !m_birthday) {
            m_birthday = date;
            keepHead(VCardKeptKey::Bday, p);
            if (VCardDate::format(*date) != text(p).trimmed())
                m_kept.insert(VCardKeptKey::BdayValue, valueAsRead(p));
        } else {
            keep(p);
        }
        return;
    }
    if (p.is(Photo)) {
        QByteArray bytes = VCardSyntax::decodeBinary(p);
        if (!bytes.isEmpty() && m_photo.isEmpty())
            m_photo = std::move(bytes);
        else
            keep(p); // a URL, a reference or a second photo: left alone
        return;
    }

    QStringList leftovers;
    if (p.is(Tel)) {
        const QString label = labelFor(Field::Phone, p, &leftovers);
        leftovers += otherParameters(p, { VCardParameter::Value });
        addItem(Field::Phone, { { Key::Label, label }, { Key::Value, VCardSyntax::phoneNumber(p) } }, leftovers,
                p);
        return;
    }
    if (p.is(Email)) {
        const QString label = labelFor(Field::Email, p, &leftovers);
        leftovers += otherParameters(p, {});
        addItem(Field::Email, { { Key::Label, label }, { Key::Value, text(p).trimmed() } }, leftovers, p);
        return;
    }
    if (p.is(Url)) {
        const QString label = labelFor(Field::Url, p, &leftovers);
        leftovers += otherParameters(p, { VCardParameter::Value });
        addItem(Field::Url, { { Key::Label, label }, { Key::Value, text(p).trimmed() } }, leftovers, p);
        return;
    }
    if (p.is(Adr)) {
        const QString label = labelFor(Field::Address, p, &leftovers);
        leftovers += otherParameters(p, {});
        const VCardSyntax::Parts parts = VCardSyntax::splitValue(p, u';');
        auto part = [&](qsizetype i) { return i < parts.size() ? parts.at(i) : QString(); };
        // Post-office box and extended address have no field of their own: they lead the street,
        // and the value as read is kept to write them back where they were.
        const QString street = VCardKept::streetOf(parts);
        const QString asRead = part(0).isEmpty() && part(1).isEmpty() ? QString() : valueAsRead(p);
        QString country;
        if (!p.group.isEmpty()) {
            if (const qsizetype countryIndex = m_groupCountry.find(p.group); countryIndex >= 0) {
                m_usedGroupProperties.append(countryIndex);
                country = text(m_card.properties().at(countryIndex)).trimmed();
            }
        }
        addItem(Field::Address,
                { { Key::Label, label },
                  { FieldId::Street, street },
                  { FieldId::City, part(3) },
                  { FieldId::State, part(4) },
                  { FieldId::Zip, part(5) },
                  { FieldId::Country, part(6) },
                  { Key::IsoCountryCode, country } },
                leftovers, p, asRead);
        return;
    }
    const QString imService = VCardTypes::imServiceForProperty(p);
    if (!imService.isNull() || p.is(Impp)) {
        const QString label = labelFor(Field::InstantMessage, p, &leftovers);
        leftovers += otherParameters(p, { VCardParameter::ServiceType });
        QString service = imService;
        QString username = text(p).trimmed();
        if (p.is(Impp)) {
            const qsizetype colon = username.indexOf(u':');
            if (colon > 0) {
                service = VCardTypes::imServiceForScheme(username.left(colon));
                username = username.mid(colon + 1);
            }
            const QByteArrayView declared = p.parameter(VCardParameter::ServiceType);
            if (!declared.isEmpty())
                service = latin(declared);
        }
        addItem(Field::InstantMessage,
                { { Key::Label, label },
                  { Key::Service, service },
                  { Key::Username, username },
                  { Key::Value, username } },
                leftovers, p,
                p.is(Impp) && VCardTypes::schemeForImService(service) + u':' + username != text(p).trimmed()
                    ? valueAsRead(p)
                    : QString());
        return;
    }
    if (p.is(SocialProfile)) {
        const QByteArrayView type = p.parameter(VCardParameter::Type);
        QString service = type.isNull() ? QString() : VCardTypes::socialServiceFromType(latin(type));
        const QString url = text(p).trimmed();
        QString username
            = p.hasParameter(VCardParameter::User) ? latin(p.parameter(VCardParameter::User)) : QString();
        if (username.isEmpty() && !p.hasParameter(VCardParameter::User)) {
            // No user name given: the last part of the profile URL stands for it.
            QStringView path(url);
            while (path.endsWith(u'/'))
                path.chop(1);
            username = path.mid(path.lastIndexOf(u'/') + 1).toString();
        }
        const QString userId = latin(p.parameter(VCardParameter::UserId));
        if (service.isEmpty())
            service = LabelWord::NoService;
        leftovers = otherParameters(p, { VCardParameter::User, VCardParameter::UserId });
        addItem(Field::SocialNetwork,
                { { Key::Label, service },
                  { Key::Service, service },
                  { Key::UrlString, url },
                  { Key::Username, username },
                  { Key::UserIdentifier, userId },
                  { Key::Value, username } },
                leftovers, p);
        return;
    }
    if (p.is(AbRelatedNames)
        || (p.is(Related) && p.encoding() == VCardSyntax::Encoding::Raw
            && !text(p).contains(QLatin1StringView(":")))) {
        const QString label = labelFor(Field::Relationship, p, &leftovers);
        leftovers += otherParameters(p, { VCardParameter::Value });
        addItem(Field::Relationship, { { Key::Label, label }, { Key::Value, text(p).trimmed() } }, leftovers,
                p);
        return;
    }
    if (p.is(AbDate) || p.is(Anniversary) || p.is(XAnniversary)) {
        const int omitted = p.parameter(VCardParameter::OmitYear).toInt();
        const auto date = VCardDate::parse(text(p), omitted > 0 ? omitted : DateComponents::Undefined);
        if (!date) {
            keep(p);
            return;
        }
        QString label = labelFor(Field::Dates, p, &leftovers);
        if (!p.is(AbDate) && label == LabelWord::NoLabel)
            label = LabelWord::Anniversary;
        leftovers += otherParameters(p, { VCardParameter::OmitYear, VCardParameter::Value });
        addItem(Field::Dates, { { Key::Label, label }, { Key::Value, QVariant::fromValue(*date) } },
                leftovers, p, VCardDate::format(*date) == text(p).trimmed() ? QString() : valueAsRead(p));
        return;
    }
    if (customItem)
        return; // read by the custom item reader
    keep(p);
}

Result Builder::build(Parts parts)
{
    Result result;
    const Card::Properties &props = m_card.properties();
    // Grouped labels may follow their item: index them first.
    for (qsizetype i = 0; i < props.size(); ++i) {
        const Property &p = props.at(i);
        if (p.group.isEmpty())
            continue;
        if (p.is(VCardProperty::AbLabel))
            m_groupLabel.add(p.group, i);
        else if (p.is(VCardProperty::AbAdr))
            m_groupCountry.add(p.group, i);
    }
    for (qsizetype i = 0; i < props.size(); ++i) {
        const Property &p = props.at(i);
        if (p.is(VCardProperty::AbLabel) || p.is(VCardProperty::AbAdr))
            continue;
        readProperty(p);
    }
    // Labels and country codes whose group holds no item of ours stay with the record as read.
    for (qsizetype i = 0; i < props.size(); ++i) {
        const Property &p = props.at(i);
        if ((p.is(VCardProperty::AbLabel) || p.is(VCardProperty::AbAdr))
            && !m_usedGroupProperties.contains(i))
            keep(p);
    }

    PersonPtr person = QVPerson::create();
    QVPerson &r = *person;

    // A card without name parts but with a formatted name is named by it, unless that is the
    // company name of an organisation card.
    bool hasNameParts = false;
    for (const QString &key : { FieldId::FirstName, FieldId::MiddleName, FieldId::LastName })
        hasNameParts = hasNameParts || !m_name.value(key).toString().isEmpty();
    if (!hasNameParts && !m_isCompany && !m_formattedName.isEmpty()
        && m_formattedName != m_strings.value(FieldId::Company)) {
        m_name.insert(FieldId::FirstName, m_formattedName);
        m_kept.insert(VCardKeptKey::NameFromFN, m_formattedName);
    }
    for (const QString &key :
         { FieldId::FirstName, FieldId::MiddleName, FieldId::LastName, FieldId::PreviousFamilyName }) {
        if (!m_name.contains(key))
            m_name.insert(key, QString());
    }
    m_name.insert(Key::ShowAsPerson, !m_isCompany); // the record takes the flag from here
    m_name.insert(Key::StringValue, QString()); // room for the composed name, filled in by the record
    // The name goes first: the company name composes the record's name with it, not without it.
    r.setDictionary(FieldId::Name, std::move(m_name));
    // Room for every text field and custom item, so that the record's table is allocated once.
    r.reserveItems(m_strings.size() + (m_hasNote ? 1 : 0) + m_customItemProperties.size());
    for (const auto &[identifier, value] : m_strings)
        r.setValue(value, identifier);
    if (m_hasNote)
        r.setValue(m_note, FieldId::Note);

    if (!m_phonetic.isEmpty()) {
        for (const QString &key : { FieldId::FirstName, FieldId::MiddleName, FieldId::LastName }) {
            if (!m_phonetic.contains(key))
                m_phonetic.insert(key, QString());
        }
        r.setDictionary(FieldId::PhoneticName, std::move(m_phonetic));
    }
    if (m_birthday)
        r.setDictionary(FieldId::Birthday,
                        CompactMap({ { Key::Value, QVariant::fromValue(*m_birthday) } }, 1));

    for (int f = 0; f < QVPerson::LabeledFieldCount; ++f) {
        auto &gathered = m_lists[f];
        const Field field = Field(f);
        const QString &identifier = QVPerson::identifierForLabeledField(field);
        if (field != Field::SocialNetwork) {
            for (const CompactMap &item : std::as_const(gathered))
                QVPerson::setLabel(QString(), item.string(Key::Label), identifier);
        }
        if (!gathered.isEmpty()) {
            CompactList items;
            items.reserve(gathered.size()); // a hundred thousand records keep these lists
            for (CompactMap &item : gathered)
                items.append(std::move(item));
            r.setLabeledItems(field, std::move(items));
        } else {
            r.setLabeledValues(field, {});
        }
    }
    if (!m_photo.isEmpty())
        r.setImageData(m_photo);
    if (parts == Parts::Everything)
        addCustomItems(m_customItemProperties, r, m_extra);
    r.setExtraProperties(m_extra);
    // The formatted name as written stays while the name it was composed from does.
    if (m_hasFormattedName) {
        const QString composed = VCardRecordWriter::formattedName(r);
        if (composed != m_formattedNameAsRead) {
            m_kept.insert(VCardKeptKey::FormattedName, m_formattedNameAsRead);
            m_kept.insert(VCardKeptKey::ComposedName, composed);
        }
    }
    if (!m_kept.isEmpty())
        r.setVCardKept(std::move(m_kept));
    r.setCreated(true);
    r.setChanged(false);
    r.squeeze();

    result.person = person;
    result.categories = m_categories;
    result.keptVerbatim = int(m_extra.size());
    return result;
}

} // namespace

Result read(QByteArrayView bytes, Parts parts, const VCardSyntax::TextSource &source)
{
    const Card card(bytes, source);
    if (!card.hasBegin() || card.properties().isEmpty())
        return {};
    return Builder(card).build(parts);
}

QStringList categories(const Card &card)
{
    QStringList names;
    for (const Property &p : card.properties()) {
        if (p.is(VCardProperty::Categories))
            names += VCardSyntax::splitEscaped(VCardSyntax::decodeText(p), u',');
    }
    return names;
}

void addCustomItems(const Card &card, QVPerson &person)
{
    QVarLengthArray<const Property *, 8> properties;
    for (const Property &p : card.properties()) {
        if (isCustomItemProperty(p))
            properties.append(&p);
    }
    QStringList kept = person.extraProperties();
    addCustomItems(properties, person, kept);
    person.setExtraProperties(kept);
}

} // namespace VCardRecordReader
