#include "formats/vcarddate_p.h"
#include "formats/vcardkept_p.h"
#include "formats/vcardkeys.h"
#include "formats/vcardrecordreader_p.h"
#include "formats/vcardtypes_p.h"
#include "record/keys.h"

#include <QHash>
#include <array>

using VCardSyntax::Parameter;
using VCardSyntax::Property;

namespace VCardKept {

namespace {

// Parameters that describe how the value was encoded in the file, which it no longer is.
bool isTransferParameter(const Parameter &param)
{
    using VCardSyntax::equalsIgnoreCase;
    if (param.name.isEmpty()) {
        const QByteArrayView v = param.value;
        return equalsIgnoreCase(v, VCardParameter::QuotedPrintable)
            || equalsIgnoreCase(v, VCardParameter::Base64) || equalsIgnoreCase(v, VCardParameter::B)
            || equalsIgnoreCase(v, QLatin1StringView("8BIT"))
            || equalsIgnoreCase(v, QLatin1StringView("7BIT"));
    }
    return equalsIgnoreCase(param.name, VCardParameter::Encoding)
        || equalsIgnoreCase(param.name, VCardParameter::Charset);
}

bool hasTransferParameter(const Property &p)
{
    for (const Parameter &param : p.parameters) {
        if (isTransferParameter(param))
            return true;
    }
    return false;
}

void appendHead(QString &out, const Property &p)
{
    if (!p.group.isNull()) { // an empty group before a dot is written too
        VCardSyntax::appendParameterText(out, p.group);
        out += u'.';
    }
    VCardSyntax::appendParameterText(out, p.name);
    if (!hasTransferParameter(p)) {
        if (!p.parameterText.isEmpty()) {
            out += u';';
            VCardSyntax::appendParameterText(out, p.parameterText);
        }
        return;
    }
    for (const Parameter &param : p.parameters) {
        if (isTransferParameter(param))
            continue;
        out += u';';
        if (!param.name.isEmpty()) {
            VCardSyntax::appendParameterText(out, param.name);
            out += u'=';
        }
        if (param.quoted)
            out += u'"';
        VCardSyntax::appendParameterText(out, param.value);
        if (param.quoted)
            out += u'"';
    }
}

void appendKey(QByteArray &key, const Property &p)
{
    key.append(p.group);
    key.append('.');
    key.append(p.name);
    key.append(';');
    key.append(p.parameterText);
}

// The heads met last on this thread, so that equal heads are one shared string.
class HeadCache
{
public:
    QString head(const Property &p, const Property *labelLine)
    {
        m_key.resize(0); // keeps the buffer
        appendKey(m_key, p);
        if (labelLine) {
            m_key.append('\n');
            appendKey(m_key, *labelLine);
        }
        Slot &slot = m_slots[qHash(m_key) % kSlots];
        if (slot.key != m_key) {
            slot.key = m_key;
            slot.head.clear();
            appendHead(slot.head, p);
            if (labelLine) {
                slot.head += u'\n';
                appendHead(slot.head, *labelLine);
            }
        }
        return slot.head;
    }

private:
    struct Slot
    {
        QByteArray key;
        QString head;
    };
    static constexpr size_t kSlots = 256;
    std::array<Slot, kSlots> m_slots;
    QByteArray m_key;
};

// What a kept head gives when it is read again: the label its parameters name and the service
// or user they state. Null members stand for "whatever the item holds".
struct Reading
{
    QString label;
    QString service;
    QString username; // social profiles: the X-USER parameter
    bool hasUser = false;
    QString userIdentifier;
};

QString lastPathPart(QStringView url)
{
    while (url.endsWith(u'/'))
        url.chop(1);
    return url.mid(url.lastIndexOf(u'/') + 1).toString();
}

Reading readHead(Field field, QStringView property)
{
    const QByteArray card = "BEGIN:VCARD\r\n" + property.toUtf8() + ":x\r\nEND:VCARD\r\n";
    const VCardSyntax::Card parsed { QByteArrayView(card) };
    Reading r;
    if (parsed.properties().isEmpty())
        return r;
    const Property &p = parsed.properties().first();
    if (field == Field::SocialNetwork) {
        const QByteArrayView type = p.parameter(VCardParameter::Type);
        r.label
            = type.isNull() ? QString() : VCardTypes::socialServiceFromType(VCardSyntax::parameterText(type));
        if (r.label.isEmpty())
            r.label = LabelWord::NoService;
        r.hasUser = p.hasParameter(VCardParameter::User);
        r.username = VCardSyntax::parameterText(p.parameter(VCardParameter::User));
        r.userIdentifier = VCardSyntax::parameterText(p.parameter(VCardParameter::UserId));
        return r;
    }
    r.label = VCardTypes::labelFromTypes(field, p, nullptr);
    if (r.label.isEmpty())
        r.label = LabelWord::NoLabel;
    if (field == Field::Dates && !p.is(VCardProperty::AbDate) && r.label == LabelWord::NoLabel)
        r.label = LabelWord::Anniversary;
    if (field == Field::InstantMessage) {
        r.service = VCardTypes::imServiceForProperty(p);
        const QByteArrayView declared = p.parameter(VCardParameter::ServiceType);
        if (r.service.isNull() && !declared.isEmpty())
            r.service = VCardSyntax::parameterText(declared);
    }
    return r;
}

// Readings of the heads met last on this thread: a file repeats a few heads thousands of times.
class ReadingCache
{
public:
    const Reading &reading(Field field, const QString &head, QStringView property)
    {
        Slot &slot = m_slots[(qHash(head) ^ size_t(field)) % kSlots];
        if (!slot.valid || slot.field != field || slot.head != head) {
            slot.reading = readHead(field, property);
            slot.head = head;
            slot.field = field;
            slot.valid = true;
        }
        return slot.reading;
    }

private:
    struct Slot
    {
        bool valid = false;
        Field field = Field::Phone;
        QString head;
        Reading reading;
    };
    static constexpr size_t kSlots = 64;
    std::array<Slot, kSlots> m_slots;
};

} // namespace

QString head(const Property &property, const Property *labelLine)
{
    thread_local HeadCache cache;
    return cache.head(property, labelLine);
}

QString headIfUnusual(const Property &property)
{
    bool plain = property.group.isEmpty();
    for (const Parameter &param : property.parameters)
        plain = plain && isTransferParameter(param);
    return plain ? QString() : head(property);
}

Parts split(QStringView head)
{
    Parts parts;
    const qsizetype feed = head.indexOf(u'\n');
    parts.property = feed < 0 ? head : head.first(feed);
    if (feed >= 0)
        parts.labelLine = head.sliced(feed + 1);
    qsizetype end = 0;
    while (end < parts.property.size() && parts.property[end] != u';')
        ++end;
    const qsizetype dot = parts.property.first(end).indexOf(u'.');
    if (dot > 0)
        parts.group = parts.property.first(dot);
    parts.name = parts.property.sliced(dot + 1, end - dot - 1);
    return parts;
}

bool describes(Field field, const QString &head, const CompactMap &item)
{
    const Parts parts = split(head);
    thread_local ReadingCache cache;
    const Reading &r = cache.reading(field, head, parts.property);
    // A grouped label line is written from the item's label, whatever it is.
    if (parts.labelLine.isEmpty() && item.string(Key::Label) != r.label)
        return false;
    if (field == Field::InstantMessage)
        return r.service.isNull() || item.string(Key::Service) == r.service;
    if (field == Field::SocialNetwork) {
        const QString username = r.hasUser ? r.username : lastPathPart(item.string(Key::UrlString));
        return item.string(Key::Value) == username && item.string(Key::UserIdentifier) == r.userIdentifier;
    }
    return true;
}

QString streetOf(const VCardSyntax::Parts &parts)
{
    QStringList lines;
    for (qsizetype i : { 0, 1, 2 }) {
        if (i < parts.size() && !parts.at(i).isEmpty())
            lines.append(parts.at(i));
    }
    return lines.join(u'\n');
}

bool dateHolds(const QString &kept, const QVariant &components, const QString &head)
{
    if (components.userType() != qMetaTypeId<DateComponents>())
        return false;
    // The year a date was written with when it has none, as the reader took it.
    int omitted = DateComponents::Undefined;
    const QString omitParameter = VCardParameter::OmitYear + u'=';
    if (const qsizetype at = head.indexOf(omitParameter, 0, Qt::CaseInsensitive); at >= 0) {
        qsizetype end = at + omitParameter.size();
        while (end < head.size() && head[end].isDigit())
            ++end;
        if (const int year
            = QStringView(head).sliced(at + omitParameter.size(), end - at - omitParameter.size()).toInt();
            year > 0)
            omitted = year;
    }
    const auto date = VCardDate::parse(VCardSyntax::unescape(QStringView(kept)).trimmed(), omitted);
    return date && VCardDate::format(*date) == VCardDate::format(components.value<DateComponents>());
}

bool addressHolds(const QString &kept, const CompactMap &item)
{
    const QStringList parts = VCardSyntax::splitEscaped(kept, u';');
    VCardSyntax::Parts components;
    for (const QString &part : parts)
        components.append(part);
    auto part = [&](qsizetype i) { return i < parts.size() ? parts.at(i) : QString(); };
    return item.string(FieldId::Street) == streetOf(components) && item.string(FieldId::City) == part(3)
        && item.string(FieldId::State) == part(4) && item.string(FieldId::Zip) == part(5)
        && item.string(FieldId::Country) == part(6);
}

bool imppHolds(const QString &kept, const CompactMap &item)
{
    const qsizetype colon = kept.indexOf(u':');
    if (colon <= 0
        || VCardSyntax::unescape(QStringView(kept).sliced(colon + 1)).trimmed() != item.string(Key::Username))
        return false;
    // The scheme names the service unless the head declares it (checked with the head).
    const QString service = item.string(Key::Service);
    return VCardTypes::imServiceForScheme(kept.left(colon).trimmed()) == service
        || item.string(VCardKey::Property)
               .contains(VCardParameter::ServiceType + u'=' + service, Qt::CaseInsensitive);
}

QString customLabel(QStringView head)
{
    const QByteArray card = "BEGIN:VCARD\r\n" + head.toUtf8() + ":x\r\nEND:VCARD\r\n";
    const VCardSyntax::Card parsed { QByteArrayView(card) };
    if (parsed.properties().isEmpty() || parsed.properties().first().parameterText.isEmpty())
        return {};
    return VCardRecordReader::customLabel(parsed.properties().first());
}

QString regrouped(QStringView head, const QString &group)
{
    const Parts parts = split(head);
    auto ungrouped = [](QStringView line) {
        qsizetype end = 0;
        while (end < line.size() && line[end] != u';')
            ++end;
        const qsizetype dot = line.first(end).indexOf(u'.');
        return dot > 0 ? line.sliced(dot + 1) : line;
    };
    QString out = group + u'.' + ungrouped(parts.property);
    if (!parts.labelLine.isEmpty())
        out += u'\n' + group + u'.' + ungrouped(parts.labelLine);
    return out;
}

} // namespace VCardKept
