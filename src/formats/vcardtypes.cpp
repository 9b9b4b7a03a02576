#include "formats/vcardkeys.h"
#include "formats/vcardtypes_p.h"
#include "platform/contactlabels.h"
#include "record/keys.h"

#include <QHash>
#include <array>

namespace VCardTypes {

namespace {

struct TypeLabel
{
    Field field;
    const QString &label;
    QLatin1StringView first;
    QLatin1StringView second; // empty when one TYPE value is enough
};

// Looked up in order: the two-value fax rules before the single values they contain. The first
// row of a label is also the form the writer uses.
const TypeLabel kTypeLabels[] = {
    { Field::Phone, LabelWord::HomeFax, QLatin1StringView("HOME"), QLatin1StringView("FAX") },
    { Field::Phone, LabelWord::WorkFax, QLatin1StringView("WORK"), QLatin1StringView("FAX") },
    { Field::Phone, LabelWord::OtherFax, QLatin1StringView("OTHER"), QLatin1StringView("FAX") },
    { Field::Phone, LabelWord::HomeFax, QLatin1StringView("FAX"), {} },
    { Field::Phone, LabelWord::Mobile, QLatin1StringView("CELL"), {} },
    { Field::Phone, LabelWord::Mobile, QLatin1StringView("MOBILE"), {} },
    { Field::Phone, LabelWord::IPhone, QLatin1StringView("IPHONE"), {} },
    { Field::Phone, LabelWord::Main, QLatin1StringView("MAIN"), {} },
    { Field::Phone, LabelWord::Pager, QLatin1StringView("PAGER"), {} },
    { Field::Phone, LabelWord::Home, QLatin1StringView("HOME"), {} },
    { Field::Phone, LabelWord::Work, QLatin1StringView("WORK"), {} },
    { Field::Phone, LabelWord::Other, QLatin1StringView("OTHER"), {} },
    { Field::Email, LabelWord::Home, QLatin1StringView("HOME"), {} },
    { Field::Email, LabelWord::Work, QLatin1StringView("WORK"), {} },
    { Field::Email, LabelWord::Other, QLatin1StringView("OTHER"), {} },
    { Field::Address, LabelWord::Home, QLatin1StringView("HOME"), {} },
    { Field::Address, LabelWord::Work, QLatin1StringView("WORK"), {} },
    { Field::Address, LabelWord::Other, QLatin1StringView("OTHER"), {} },
    { Field::Url, LabelWord::Home, QLatin1StringView("HOME"), {} },
    { Field::Url, LabelWord::Work, QLatin1StringView("WORK"), {} },
    { Field::Url, LabelWord::Other, QLatin1StringView("OTHER"), {} },
    { Field::InstantMessage, LabelWord::Home, QLatin1StringView("HOME"), {} },
    { Field::InstantMessage, LabelWord::Work, QLatin1StringView("WORK"), {} },
    { Field::InstantMessage, LabelWord::Other, QLatin1StringView("OTHER"), {} },
};

// TYPE values that carry nothing the record keeps: preference, voice, Internet mail.
const QLatin1StringView kDropped[]
    = { QLatin1StringView("PREF"), QLatin1StringView("VOICE"), QLatin1StringView("INTERNET") };

// Address TYPE values that are no label but are kept as parameters.
const QLatin1StringView kAddressKinds[] = { QLatin1StringView("DOM"), QLatin1StringView("INTL"),
                                            QLatin1StringView("POSTAL"), QLatin1StringView("PARCEL") };

struct NamedService
{
    QLatin1StringView property;
    const QString &service;
};

const NamedService kImProperties[] = {
    { QLatin1StringView("X-AIM"), IMService::Aim },
    { QLatin1StringView("X-ICQ"), IMService::Icq },
    { QLatin1StringView("X-JABBER"), IMService::Jabber },
    { QLatin1StringView("X-MSN"), IMService::Msn },
    { QLatin1StringView("X-YAHOO"), IMService::Yahoo },
    { QLatin1StringView("X-SKYPE"), IMService::Skype },
    { QLatin1StringView("X-SKYPE-USERNAME"), IMService::Skype },
    { QLatin1StringView("X-GOOGLETALK"), IMService::GoogleTalk },
    { QLatin1StringView("X-GOOGLE-TALK"), IMService::GoogleTalk },
    { QLatin1StringView("X-GADUGADU"), IMService::GaduGadu },
    { QLatin1StringView("X-QQ"), IMService::QQ },
    { QLatin1StringView("X-FACEBOOK"), IMService::Facebook },
};

// URI schemes of IMPP values; the first row of a service is the one written.
const NamedService kImSchemes[] = {
    { QLatin1StringView("aim"), IMService::Aim },     { QLatin1StringView("xmpp"), IMService::Jabber },
    { QLatin1StringView("msnim"), IMService::Msn },   { QLatin1StringView("ymsgr"), IMService::Yahoo },
    { QLatin1StringView("skype"), IMService::Skype }, { QLatin1StringView("callto"), IMService::Skype },
    { QLatin1StringView("icq"), IMService::Icq },     { QLatin1StringView("gtalk"), IMService::GoogleTalk },
    { QLatin1StringView("gg"), IMService::GaduGadu }, { QLatin1StringView("qq"), IMService::QQ },
    { QLatin1StringView("fb"), IMService::Facebook },
};

const NamedService kSocialTypes[] = {
    { QLatin1StringView("facebook"), SocialService::Facebook },
    { QLatin1StringView("twitter"), SocialService::Twitter },
    { QLatin1StringView("flickr"), SocialService::Flickr },
    { QLatin1StringView("linkedin"), SocialService::LinkedIn },
};

// X- properties read into fields rather than custom items.
const QLatin1StringView kFieldProperties[] = {
    VCardProperty::AbLabel,
    VCardProperty::AbAdr,
    VCardProperty::AbDate,
    VCardProperty::AbRelatedNames,
    VCardProperty::AbShowAs,
    VCardProperty::SocialProfile,
    VCardProperty::PhoneticFirstName,
    VCardProperty::PhoneticMiddleName,
    VCardProperty::PhoneticLastName,
    VCardProperty::MaidenName,
    VCardProperty::XAnniversary,
};

bool oneOf(QByteArrayView value, QLatin1StringView word)
{
    return VCardSyntax::equalsIgnoreCase(value, word);
}

// The label the TYPE values of a property give; the TYPE values it leaves unused go to leftovers.
QString labelFromTypesOnce(Field field, const VCardSyntax::Property &property, QStringList *leftovers)
{
    // Gather every TYPE value (TYPE=A,B, repeated TYPE=, bare 2.1 values).
    QVarLengthArray<QByteArrayView, 8> types;
    for (const VCardSyntax::Parameter &p : property.parameters) {
        if (p.name.isEmpty()) {
            const QByteArrayView v = p.value;
            if (!oneOf(v, VCardParameter::QuotedPrintable) && !oneOf(v, VCardParameter::Base64)
                && !oneOf(v, QLatin1StringView("8BIT")) && !oneOf(v, QLatin1StringView("7BIT")))
                types.append(v);
        } else if (oneOf(p.name, VCardParameter::Type)) {
            for (QByteArrayView item : VCardSyntax::splitList(p.value))
                types.append(item);
        }
    }
    QString label;
    QVarLengthArray<bool, 8> used(types.size(), false);
    for (const TypeLabel &row : kTypeLabels) {
        if (row.field != field)
            continue;
        qsizetype a = -1;
        qsizetype b = -1;
        for (qsizetype i = 0; i < types.size(); ++i) {
            if (a < 0 && oneOf(types[i], row.first))
                a = i;
            else if (!row.second.isEmpty() && b < 0 && oneOf(types[i], row.second))
                b = i;
        }
        if (a >= 0 && (row.second.isEmpty() || b >= 0)) {
            label = row.label;
            used[a] = true;
            if (b >= 0)
                used[b] = true;
            break;
        }
    }
    for (qsizetype i = 0; i < types.size(); ++i) {
        if (used[i])
            continue;
        bool dropped = false;
        for (QLatin1StringView d : kDropped)
            dropped = dropped || oneOf(types[i], d);
        if (dropped)
            continue;
        bool addressKind = false;
        if (field == Field::Address) {
            for (QLatin1StringView k : kAddressKinds)
                addressKind = addressKind || oneOf(types[i], k);
        }
        const QString text = VCardSyntax::parameterText(types[i]);
        // An unknown type names the item better than no label ("TEL;TYPE=WhatsApp").
        if (label.isNull() && !addressKind)
            label = text;
        else if (leftovers)
            leftovers->append(VCardParameter::Type + u'=' + VCardSyntax::parameterValue(text));
    }
    return label;
}

// The answers for the parameter lists a thread met last. A file repeats a few lists ("TYPE=CELL",
// "TYPE=INTERNET,HOME") thousands of times, and the answer depends on the list alone.
class RecentAnswers
{
public:
    QString label(Field field, const VCardSyntax::Property &property, QStringList *leftovers)
    {
        Answer &answer = m_answers[(qHash(property.parameterText) ^ size_t(field)) % kSlots];
        if (!answer.valid || answer.field != field || answer.parameterText != property.parameterText) {
            answer.leftovers.clear();
            answer.label = labelFromTypesOnce(field, property, &answer.leftovers);
            answer.parameterText = property.parameterText.toByteArray();
            answer.field = field;
            answer.valid = true;
        }
        if (leftovers)
            *leftovers += answer.leftovers;
        return answer.label;
    }

private:
    struct Answer
    {
        bool valid = false;
        Field field = Field::Phone;
        QByteArray parameterText;
        QString label;
        QStringList leftovers;
    };
    static constexpr size_t kSlots = 64;
    std::array<Answer, kSlots> m_answers;
};

} // namespace

QString labelFromTypes(Field field, const VCardSyntax::Property &property, QStringList *leftovers)
{
    thread_local RecentAnswers answers;
    return answers.label(field, property, leftovers);
}

QStringList typesForLabel(Field field, const QString &label)
{
    for (const TypeLabel &row : kTypeLabels) {
        if (row.field == field && row.label == label) {
            QStringList types { row.first };
            if (!row.second.isEmpty())
                types.append(row.second);
            return types;
        }
    }
    return {};
}

QString imServiceForProperty(const VCardSyntax::Property &property)
{
    for (const NamedService &s : kImProperties) {
        if (property.is(s.property))
            return s.service;
    }
    return {};
}

QString imServiceForScheme(const QString &scheme)
{
    for (const NamedService &s : kImSchemes) {
        if (scheme.compare(s.property, Qt::CaseInsensitive) == 0)
            return s.service;
    }
    return scheme;
}

QString schemeForImService(const QString &service)
{
    for (const NamedService &s : kImSchemes) {
        if (s.service == service)
            return s.property;
    }
    // Another service: its name, reduced to the characters a URI scheme allows.
    QString scheme;
    for (QChar c : service) {
        if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (!scheme.isEmpty() && c.isDigit()))
            scheme.append(c.toLower());
    }
    return scheme.isEmpty() ? QStringLiteral("x-im") : scheme;
}

QString socialServiceFromType(const QString &type)
{
    for (const NamedService &s : kSocialTypes) {
        if (type == s.property)
            return s.service;
    }
    return type;
}

bool isFieldProperty(const VCardSyntax::Property &property)
{
    for (QLatin1StringView name : kFieldProperties) {
        if (property.is(name))
            return true;
    }
    return !imServiceForProperty(property).isNull();
}

} // namespace VCardTypes
