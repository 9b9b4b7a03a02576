// QVPerson: the address-format table, country prediction and address composition.
#include "platform/contactsettings.h"
#include "platform/postaladdressformatter.h"
#include "record/addressformatfile.h"
#include "record/keys.h"
#include "record/qvperson.h"
#include "record/qvperson_p.h"
#include "record/textrange.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <QLocale>
#include <QRegularExpression>
#include <QStandardPaths>

#include <unicode/uloc.h>

using namespace QVPersonPrivate;

namespace {

const QChar kLeftToRightMark(0x200E);

QStringList defaultOrder()
{
    return {FieldId::Street, FieldId::City, FieldId::State, FieldId::Zip, FieldId::Country};
}

// The user's language: the first two letters of the first preferred language.
QString userLanguage()
{
    const QStringList languages = QLocale::system().uiLanguages();
    if (languages.isEmpty())
        return QStringLiteral("US");
    return languages.first().left(2);
}

QString localizedCountryName(const QString &countryCode, const QString &language)
{
    const QByteArray displayLocale =
        (language + u'_' + QLocale::territoryToCode(QLocale::system().territory())).toLatin1();
    const QByteArray localeId = (QStringLiteral("und_") + countryCode).toLatin1();
    UChar buffer[256];
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length =
        uloc_getDisplayCountry(localeId.constData(), displayLocale.constData(), buffer, 256, &status);
    if (U_FAILURE(status) || length <= 0)
        return {};
    const QString name = QString::fromUtf16(reinterpret_cast<const char16_t *>(buffer), length);
    // ICU answers the code itself when it has no name for it.
    return name == countryCode ? QString() : name;
}

// Rebuilds the look-up structures derived from the dictionary (caller holds the write lock).
void rebuildDerived(ClassTables &t)
{
    t.addressOrders.clear();
    t.addressFormatStrings.clear();
    for (auto it = t.addressFormatDict.cbegin(); it != t.addressFormatDict.cend(); ++it) {
        const QVariantMap entry = it.value().toMap();
        const QStringList order = entry.value(AddressFormatKey::Order).toStringList();
        if (!order.isEmpty())
            t.addressOrders.insert(it.key().toUpper(), order);
        t.addressFormatStrings.insert(it.key().toUpper(), entry.value(AddressFormatKey::FormatString).toString());
    }
    t.codeByCountry.clear();
    t.codeByCode.clear();
    t.codeByAlpha3.clear();
    t.codeByLocalizedCountry.clear();
    for (const QVariant &v : std::as_const(t.addressFormatTable)) {
        const QVariantMap entry = v.toMap();
        const QString code = entry.value(AddressFormatKey::CountryCode).toString();
        auto index = [&](QHash<QString, QString> &hash, const QString &column) {
            if (entry.contains(column) && !hash.contains(entry.value(column).toString()))
                hash.insert(entry.value(column).toString(), code);
        };
        index(t.codeByCountry, AddressFormatKey::Country);
        index(t.codeByCode, AddressFormatKey::CountryCode);
        index(t.codeByAlpha3, AddressFormatKey::Alpha3);
        index(t.codeByLocalizedCountry, AddressFormatKey::LocalizedCountry);
    }
}

// Entries replace those of the same code in both structures; new codes reach only the dictionary.
void mergeAddressFormatEntries(ClassTables &t, const QVariantList &entries)
{
    for (const QVariant &v : entries) {
        const QVariantMap enriched = enrichAddressFormatEntry(v.toMap());
        const QString code = enriched.value(AddressFormatKey::CountryCode).toString();
        t.addressFormatDict.insert(code, enriched);
        for (QVariant &existing : t.addressFormatTable) {
            if (existing.toMap().value(AddressFormatKey::CountryCode).toString() == code)
                existing = enriched;
        }
    }
}

template <class Map>
QString codeForAddress(const Map &value, bool *predicted, QString *prediction)
{
    QString code = textOf(value, Key::IsoCountryCode);
    const QString country = textOf(value, FieldId::Country);
    if (code.isEmpty() && !country.isEmpty()) {
        code = QVPerson::predictCountryCode(country.toUpper());
        if (predicted)
            *predicted = true;
        if (prediction)
            *prediction = code;
    }
    if (code.isEmpty())
        code = ContactSettings::countryCode().toUpper();
    return code;
}

} // namespace

namespace QVPersonPrivate {

QVariantMap enrichAddressFormatEntry(const QVariantMap &entry)
{
    QVariantMap enriched = entry;
    QString format = entry.value(AddressFormatKey::FormatString).toString();
    format.remove(kLeftToRightMark);
    static const QRegularExpression separators(QStringLiteral("[\\s]"));
    enriched.insert(AddressFormatKey::Order, format.split(separators));
    const QString language = userLanguage();
    if (language != QLatin1String("en")) {
        const QString code = entry.value(AddressFormatKey::CountryCode).toString();
        const QString localized = localizedCountryName(code, language);
        if (!localized.isEmpty()) {
            enriched.insert(AddressFormatKey::LocalizedCountry, localized);
            enriched.insert(AddressFormatKey::CountryPrefix + language, localized);
        }
    }
    return enriched;
}

void initializeAddressFormats(ClassTables &t)
{
    const QVariantList entries = AddressFormatFile::read(QStringLiteral(":/AddressFormat.json")).entries;
    for (const QVariant &v : entries) {
        const QVariantMap enriched = enrichAddressFormatEntry(v.toMap());
        t.addressFormatDict.insert(enriched.value(AddressFormatKey::CountryCode).toString(), enriched);
        t.addressFormatTable.append(enriched);
    }
    // The user's own copy, when there is a valid one, overrides entries.
    if (QCoreApplication::instance()) {
        const AddressFormatFile::Result user = AddressFormatFile::read(AddressFormatFile::userFilePath());
        if (user.status == AddressFormatFile::Status::Ok)
            mergeAddressFormatEntries(t, user.entries);
    }
    rebuildDerived(t);
}

} // namespace QVPersonPrivate

QVariantList QVPerson::addressFormatTable()
{
    QReadLocker lock(&tables().lock);
    return tables().addressFormatTable;
}

void QVPerson::setAddressFormatTable(const QVariantList &entries)
{
    QWriteLocker lock(&tables().lock);
    mergeAddressFormatEntries(tables(), entries);
    rebuildDerived(tables());
}

QVariantMap QVPerson::addressFormatDict()
{
    QReadLocker lock(&tables().lock);
    return tables().addressFormatDict;
}

void QVPerson::setAddressFormatDict(const QVariantMap &dict)
{
    QWriteLocker lock(&tables().lock);
    tables().addressFormatDict = dict;
    rebuildDerived(tables());
}

QVariantList QVPerson::addressFormatEntriesFromJson(const QByteArray &json)
{
    return AddressFormatFile::parse(json).entries;
}

QString QVPerson::predictCountryCode(const QString &text)
{
    QReadLocker lock(&tables().lock);
    const ClassTables &t = tables();
    for (const QHash<QString, QString> *column : {&t.codeByCountry, &t.codeByCode, &t.codeByAlpha3}) {
        const auto it = column->constFind(text);
        if (it != column->constEnd())
            return it.value();
    }
    if (text == QStringLiteral("日本"))
        return QStringLiteral("JP");
    if (text.toLower() == QStringLiteral("française"))
        return QStringLiteral("FR");
    return t.codeByLocalizedCountry.value(text);
}

namespace {

// The components of a country's addresses in their order; the caller holds the tables' lock.
QStringList componentOrder(const ClassTables &t, const QString &upperCode)
{
    const auto it = t.addressOrders.constFind(upperCode);
    return it != t.addressOrders.constEnd() ? it.value() : defaultOrder();
}

} // namespace

QStringList QVPerson::orderOfAddressFormats(const QString &countryCode, const QString &)
{
    QStringList order{countryCode};
    QReadLocker lock(&tables().lock);
    order += componentOrder(tables(), countryCode.toUpper());
    return order;
}

namespace {

template <class Map>
void updateAddress(Map &value, int option)
{
    if (textOf(value, Key::Label).isEmpty())
        value.insert(Key::Label, LabelWord::NoLabel);
    bool predicted = false;
    QString prediction;
    const QString code = codeForAddress(value, &predicted, &prediction);
    if (predicted)
        value.insert(Key::PredictCountryCode, prediction);
    const QString upperCode = code.toUpper();
    QStringList order;
    QString formatString;
    {
        // One look-up of both under the lock: readers run this for every address of a file.
        QReadLocker lock(&tables().lock);
        order = componentOrder(tables(), upperCode);
        formatString = tables().addressFormatStrings.value(upperCode);
    }

    PostalAddressFormatter::Components components;
    components.street = textOf(value, FieldId::Street);
    components.city = textOf(value, FieldId::City);
    components.state = textOf(value, FieldId::State);
    components.postalCode = textOf(value, FieldId::Zip);
    components.country = textOf(value, FieldId::Country);
    components.isoCountryCode = code;
    const QString formatted = PostalAddressFormatter::mailingAddress(components, formatString, option == 1);
    value.insert(Key::FormattedString, formatted);

    QString text;
    for (const QString &word : std::as_const(order)) {
        // The order's words are the component identifiers, which are the format's words too.
        const QString *part = PostalAddressFormatter::component(word, components, option == 1);
        if (part && !part->isEmpty()) {
            text += *part;
            text += u' ';
        }
    }
    if (!text.isEmpty())
        text.chop(1);
    value.insert(Key::StringValue, text.isEmpty() ? formatted : text);
}

} // namespace

void QVPerson::updateAddressValue(QVariantMap &value, int option)
{
    updateAddress(value, option);
}

void QVPerson::updateAddressValue(CompactMap &value, int option)
{
    updateAddress(value, option);
}

QVariantList QVPerson::rangeTableFromAddressLabeledValue(const QVariantMap &value)
{
    if (value.isEmpty())
        return {};
    const QString code = codeForAddress(value, nullptr, nullptr);
    const QStringList order = orderOfAddressFormats(code);
    QVariantList table;
    qsizetype position = 0;
    for (qsizetype i = 1; i < order.size(); ++i) {
        const QString &word = order.at(i);
        const QString text = value.value(word).toString();
        QVariantMap entry;
        entry.insert(AddressFormatKey::Identifier, word);
        TextRange range{position, 0};
        if (!text.isEmpty()) {
            entry.insert(AddressFormatKey::Value, QString(text + u' '));
            range.length = text.size() + 1;
        } else {
            entry.insert(AddressFormatKey::Value, QString());
        }
        entry.insert(AddressFormatKey::Range, QVariant::fromValue(range));
        table.append(entry);
        position += range.length;
    }
    return table;
}
