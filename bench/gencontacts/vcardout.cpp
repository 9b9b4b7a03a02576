#include "vcardout.h"

#include <QList>

namespace Gen {

namespace {

constexpr qsizetype MaxLine = 75;
const QByteArray Crlf = QByteArrayLiteral("\r\n");

enum class Kind
{
    Text, // one escaped value
    Structured, // components joined by ';'
    List, // items joined by ','
    Raw, // written as it stands (URIs, dates, custom items)
    Binary, // base64
};

// A property before it is given the syntax of one version.
struct Property
{
    QString group;
    QString name;
    QStringList types; // TYPE values
    QList<std::pair<QString, QString>> params; // other parameters
    Kind kind = Kind::Text;
    QStringList values;
    QByteArray binary;
};

Property prop(const QString &name, Kind kind, const QStringList &values, const QStringList &types = {})
{
    Property p;
    p.name = name;
    p.kind = kind;
    p.values = values;
    p.types = types;
    return p;
}

QString isoDate(const Date &d)
{
    return QStringLiteral("%1-%2-%3")
        .arg(d.year, 4, 10, QChar(u'0'))
        .arg(d.month, 2, 10, QChar(u'0'))
        .arg(d.day, 2, 10, QChar(u'0'));
}

// Labeled items become itemN groups when they carry a label of their own.
class GroupCounter
{
public:
    QList<Property> labeled(Property p, const QString &label)
    {
        if (label.isEmpty())
            return { p };
        p.group = QStringLiteral("item") + QString::number(++m_next);
        Property labelLine = prop(QStringLiteral("X-ABLabel"), Kind::Raw, { label });
        labelLine.group = p.group;
        return { p, labelLine };
    }

private:
    int m_next = 0;
};

// The card in the order a desktop address book writes it.
QList<Property> properties(const Card &card, VCardVersion version)
{
    QList<Property> out;
    GroupCounter groups;
    out += prop(QStringLiteral("N"), Kind::Structured,
                { card.family, card.given, card.middle, card.prefix, card.suffix });
    out += prop(QStringLiteral("FN"), Kind::Text, { card.formattedName() });
    if (!card.nickname.isEmpty())
        out += prop(QStringLiteral("NICKNAME"), Kind::List, { card.nickname });
    if (!card.phoneticGiven.isEmpty())
        out += prop(QStringLiteral("X-PHONETIC-FIRST-NAME"), Kind::Text, { card.phoneticGiven });
    if (!card.phoneticFamily.isEmpty())
        out += prop(QStringLiteral("X-PHONETIC-LAST-NAME"), Kind::Text, { card.phoneticFamily });
    if (!card.organization.isEmpty()) {
        QStringList org { card.organization };
        if (!card.department.isEmpty())
            org += card.department;
        out += prop(QStringLiteral("ORG"), Kind::Structured, org);
    }
    if (!card.jobTitle.isEmpty())
        out += prop(QStringLiteral("TITLE"), Kind::Text, { card.jobTitle });
    if (card.company)
        out += prop(QStringLiteral("X-ABShowAs"), Kind::Raw, { QStringLiteral("COMPANY") });
    for (const Labeled &e : card.emails)
        out += groups.labeled(prop(QStringLiteral("EMAIL"), Kind::Raw, { e.value }, e.types), e.groupLabel);
    for (const Labeled &t : card.phones)
        out += groups.labeled(prop(QStringLiteral("TEL"), Kind::Raw, { t.value }, t.types), t.groupLabel);
    for (const Address &a : card.addresses) {
        const Property adr
            = prop(QStringLiteral("ADR"), Kind::Structured,
                   { QString(), QString(), a.street, a.city, a.region, a.zip, a.country }, a.types);
        out += groups.labeled(adr, a.groupLabel);
    }
    for (const Labeled &u : card.urls)
        out += groups.labeled(prop(QStringLiteral("URL"), Kind::Raw, { u.value }, u.types), u.groupLabel);
    for (const Related &r : card.relatedNames)
        out += groups.labeled(prop(QStringLiteral("X-ABRELATEDNAMES"), Kind::Text, { r.name }), r.label);
    for (const auto &[label, date] : card.dates)
        out += groups.labeled(
            prop(QStringLiteral("X-ABDATE"), Kind::Raw, { isoDate(date) }, { QStringLiteral("pref") }),
            label);
    if (card.birthday.year)
        out += prop(QStringLiteral("BDAY"), Kind::Raw, { isoDate(card.birthday) });
    for (const Instant &im : card.instantMessages) {
        Property p = prop(im.property, Kind::Raw, { im.value }, { im.type });
        if (!im.service.isEmpty())
            p.params += { QStringLiteral("X-SERVICE-TYPE"), im.service };
        out += p;
    }
    for (const Social &s : card.socialProfiles) {
        Property p = prop(QStringLiteral("X-SOCIALPROFILE"), Kind::Raw, { s.url }, { s.service });
        if (version == VCardVersion::V30) // keeps 2.1 lines short enough to stay unencoded
            p.params += { QStringLiteral("x-user"), s.user };
        out += p;
    }
    if (!card.latitude.isEmpty()) {
        const QChar separator = version == VCardVersion::V30 ? u';' : u',';
        out += prop(QStringLiteral("GEO"), Kind::Raw, { card.latitude + separator + card.longitude });
    }
    if (!card.timeZone.isEmpty())
        out += prop(QStringLiteral("TZ"), Kind::Raw, { card.timeZone });
    if (!card.note.isEmpty())
        out += prop(QStringLiteral("NOTE"), Kind::Text, { card.note });
    if (!card.photoJpeg.isEmpty()) {
        Property photo = prop(QStringLiteral("PHOTO"), Kind::Binary, {});
        photo.binary = card.photoJpeg;
        out += photo;
    }
    for (const CustomItem &c : card.customItems) {
        Property p = prop(QStringLiteral("X-") + c.name, Kind::Raw, { c.value });
        if (!c.type.isEmpty())
            p.params += { QStringLiteral("type"), c.type };
        out += p;
    }
    // A plain CATEGORIES line without parameters: the reader looks for exactly that.
    if (!card.categories.isEmpty())
        out += prop(QStringLiteral("CATEGORIES"), Kind::List, card.categories);
    out += prop(QStringLiteral("UID"), Kind::Raw, { card.uid });
    return out;
}

QString head(const Property &p)
{
    return p.group.isEmpty() ? p.name : p.group + u'.' + p.name;
}

// ---- vCard 3.0 ---------------------------------------------------------------------------

QString escape30(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'\\':
            out += QStringLiteral("\\\\");
            break;
        case u'\n':
            out += QStringLiteral("\\n");
            break;
        case u',':
            out += QStringLiteral("\\,");
            break;
        case u';':
            out += QStringLiteral("\\;");
            break;
        default:
            out += c;
        }
    }
    return out;
}

QString value30(const Property &p)
{
    switch (p.kind) {
    case Kind::Text:
        return escape30(p.values.value(0));
    case Kind::Structured:
    case Kind::List: {
        QStringList parts;
        for (const QString &v : p.values)
            parts += escape30(v);
        return parts.join(p.kind == Kind::List ? u',' : u';');
    }
    case Kind::Raw:
        return p.values.value(0);
    case Kind::Binary:
        return QString::fromLatin1(p.binary.toBase64());
    }
    return {};
}

QString params30(const Property &p, bool listStyle)
{
    QString out;
    if (p.kind == Kind::Binary)
        out += QStringLiteral(";ENCODING=b;TYPE=JPEG");
    if (listStyle && !p.types.isEmpty()) {
        out += QStringLiteral(";TYPE=") + p.types.join(u',');
    } else {
        for (const QString &t : p.types)
            out += QStringLiteral(";type=") + t;
    }
    for (const auto &[key, value] : p.params)
        out += u';' + key + u'=' + value;
    return out;
}

// Cuts a logical line into physical lines of at most 75 octets, never inside a UTF-8 sequence;
// continuation lines start with one space.
void appendFolded(QByteArray &out, const QByteArray &line)
{
    qsizetype pos = 0;
    qsizetype room = MaxLine;
    while (line.size() - pos > room) {
        qsizetype cut = pos + room;
        while (cut > pos && (uchar(line.at(cut)) & 0xC0) == 0x80)
            --cut;
        out += line.mid(pos, cut - pos);
        out += Crlf;
        out += ' ';
        pos = cut;
        room = MaxLine - 1;
    }
    out += line.mid(pos);
    out += Crlf;
}

// ---- vCard 2.1 ---------------------------------------------------------------------------

bool isType21(const QString &type)
{
    static const QStringList known {
        QStringLiteral("HOME"),     QStringLiteral("WORK"), QStringLiteral("PREF"), QStringLiteral("VOICE"),
        QStringLiteral("FAX"),      QStringLiteral("MSG"),  QStringLiteral("CELL"), QStringLiteral("PAGER"),
        QStringLiteral("INTERNET"), QStringLiteral("DOM"),  QStringLiteral("INTL"), QStringLiteral("POSTAL"),
        QStringLiteral("PARCEL")
    };
    return known.contains(type.toUpper());
}

// Standard types stay bare (TEL;CELL;VOICE); others keep their name (TYPE=twitter).
QString params21(const Property &p)
{
    QString out;
    if (p.kind == Kind::Binary)
        out += QStringLiteral(";ENCODING=BASE64;TYPE=JPEG");
    for (const QString &t : p.types) {
        if (isType21(t))
            out += u';' + t.toUpper();
        else
            out += QStringLiteral(";TYPE=") + t;
    }
    for (const auto &[key, value] : p.params)
        out += u';' + key + u'=' + value;
    return out;
}

// 2.1 knows no comma escape, and a backslash is only special before ';' in structured values.
QString value21(const Property &p)
{
    switch (p.kind) {
    case Kind::Structured: {
        QStringList parts;
        for (QString v : p.values)
            parts += v.replace(u';', QStringLiteral("\\;"));
        return parts.join(u';');
    }
    case Kind::List:
        return p.values.join(u',');
    case Kind::Binary:
        return QString::fromLatin1(p.binary.toBase64());
    case Kind::Text:
    case Kind::Raw:
        return p.values.value(0);
    }
    return {};
}

// Quoted-printable with '=' soft line breaks. Physical lines stay within 75 octets; a soft break
// never falls inside an escape or between the bytes of one character, and no continuation line
// starts with white space (a naive unfolder would eat it).
void appendQuotedPrintable(QByteArray &out, const QByteArray &headText, const QByteArray &value)
{
    auto escaped = [](uchar c) -> QByteArray {
        return '=' + QByteArray::number(c, 16).toUpper().rightJustified(2, '0');
    };
    QList<QByteArray> tokens;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const uchar c = uchar(value.at(i));
        const bool last = i + 1 == value.size();
        if (c == '\n') {
            tokens += QByteArrayLiteral("=0D=0A");
        } else if ((c >= 33 && c <= 126 && c != '=') || (c == ' ' && !last)) {
            tokens += QByteArray(1, char(c));
        } else {
            QByteArray token = escaped(c);
            while (i + 1 < value.size() && (uchar(value.at(i + 1)) & 0xC0) == 0x80)
                token += escaped(uchar(value.at(++i)));
            tokens += token;
        }
    }
    QByteArray line = headText;
    bool lineHasValue = false;
    for (QByteArray token : tokens) {
        if (line.size() + token.size() + 1 > MaxLine && lineHasValue) {
            out += line + '=' + Crlf;
            line.clear();
            if (token == " ")
                token = QByteArrayLiteral("=20");
        }
        line += token;
        lineHasValue = true;
    }
    out += line + Crlf;
}

QByteArray card21(const Card &card)
{
    QByteArray out = QByteArrayLiteral("BEGIN:VCARD\r\nVERSION:2.1\r\n");
    for (const Property &p : properties(card, VCardVersion::V21)) {
        QString headText = head(p) + params21(p);
        const QByteArray value = value21(p).toUtf8();
        if (p.kind == Kind::Binary) {
            appendFolded(out, headText.toUtf8() + ':' + value);
            out += Crlf; // a 2.1 BASE64 value ends with an empty line
            continue;
        }
        bool ascii = true;
        for (const char c : value)
            ascii &= uchar(c) < 128;
        const bool multiLine = value.contains('\n');
        const QByteArray plain = headText.toUtf8() + ':' + value;
        if (ascii && !multiLine && plain.size() <= MaxLine) {
            out += plain + Crlf;
            continue;
        }
        if (!ascii)
            headText += QStringLiteral(";CHARSET=UTF-8");
        headText += QStringLiteral(";ENCODING=QUOTED-PRINTABLE:");
        appendQuotedPrintable(out, headText.toUtf8(), value);
    }
    out += QByteArrayLiteral("END:VCARD\r\n");
    return out;
}

QByteArray card30(const Card &card)
{
    QByteArray out = QByteArrayLiteral("BEGIN:VCARD\r\nVERSION:3.0\r\n");
    for (const Property &p : properties(card, VCardVersion::V30))
        appendFolded(out, (head(p) + params30(p, card.listStyleTypes) + u':' + value30(p)).toUtf8());
    out += QByteArrayLiteral("END:VCARD\r\n");
    return out;
}

} // namespace

QByteArray vCard(const Card &card, VCardVersion version)
{
    return version == VCardVersion::V30 ? card30(card) : card21(card);
}

} // namespace Gen
