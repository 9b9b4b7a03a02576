#include "detail/detailvalues.h"

#include "detail/keys.h"
#include "platform/contactlabels.h"
#include "platform/contactsettings.h"
#include "record/keys.h"
#include "record/qvperson.h"

namespace DetailValues {

QVariantList countryChoices()
{
    QVariantList choices;
    const QVariantList table = QVPerson::addressFormatTable();
    choices.reserve(table.size());
    for (const QVariant &v : table) {
        const QVariantMap entry = v.toMap();
        const QString code = entry.value(AddressFormatKey::CountryCode).toString();
        QString name = entry.value(AddressFormatKey::LocalizedCountry).toString();
        if (name.isEmpty())
            name = entry.value(AddressFormatKey::Country).toString();
        choices.append(QVariantMap {
            { CountryChoiceKey::String, QStringLiteral("%1 (%2)").arg(name, code) },
            { CountryChoiceKey::CountryCode, code },
        });
    }
    return choices;
}

QString addressCountryCode(const QVariantMap &address)
{
    const QString iso = address.value(Key::IsoCountryCode).toString();
    if (!iso.isEmpty())
        return iso.toUpper();
    const QString country = address.value(FieldId::Country).toString();
    if (!country.isEmpty()) {
        const QString predicted = QVPerson::predictCountryCode(country.toUpper());
        if (!predicted.isEmpty())
            return predicted;
    }
    return ContactSettings::countryCode().toUpper();
}

QStringList addressComponentOrder(const QString &countryCode)
{
    const QStringList components = QVPerson::addressIdentifiers();
    const QStringList format = QVPerson::orderOfAddressFormats(countryCode.toUpper());
    QStringList order;
    for (qsizetype i = 1; i < format.size(); ++i) {
        const QString &word = format.at(i);
        if (components.contains(word) && !order.contains(word))
            order.append(word);
    }
    for (const QString &component : components) {
        if (!order.contains(component))
            order.append(component);
    }
    return order;
}

QStringList instantMessageServices()
{
    return { IMService::Aim,   IMService::Facebook, IMService::GaduGadu, IMService::GoogleTalk,
             IMService::Icq,   IMService::Jabber,   IMService::Msn,      IMService::QQ,
             IMService::Skype, IMService::Yahoo };
}

} // namespace DetailValues
