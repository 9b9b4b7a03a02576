// QVPerson: class tables, creation, identity, copy and archive.
#include "record/qvperson.h"

#include "platform/contactlabels.h"
#include "platform/contactsettings.h"
#include "record/keys.h"
#include "record/qvperson_p.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QDateTime>
#include <QIODevice>
#include <QRandomGenerator>

using namespace QVPersonPrivate;

namespace QVPersonPrivate {

ClassTables &tables()
{
    // Built once, in the order the class initialiser needs: address formats first, then the
    // identifier tables, then the labels.
    static ClassTables *instance = [] {
        qRegisterMetaType<DateComponents>();
        qRegisterMetaType<PersonPtr>();
        auto *t = new ClassTables;
        initializeAddressFormats(*t);
        t->allIdentifiers = {FieldId::Name,
                             FieldId::Company,
                             FieldId::Department,
                             FieldId::JobTitle,
                             FieldId::Nickname,
                             FieldId::Title,
                             FieldId::Suffix,
                             FieldId::Note,
                             FieldId::Phone,
                             FieldId::Email,
                             FieldId::Url,
                             FieldId::Address,
                             FieldId::Relationship,
                             FieldId::SocialNetwork,
                             FieldId::InstantMessage,
                             FieldId::Dates,
                             FieldId::Birthday,
                             FieldId::PhoneticName,
                             FieldId::Photo};
        t->cnIdentifiers = {
            {FieldId::Company, CNContactKey::OrganizationName},
            {FieldId::Department, CNContactKey::DepartmentName},
            {FieldId::JobTitle, CNContactKey::JobTitle},
            {FieldId::Nickname, CNContactKey::Nickname},
            {FieldId::Title, CNContactKey::NamePrefix},
            {FieldId::Suffix, CNContactKey::NameSuffix},
            {FieldId::Note, CNContactKey::Note},
            {FieldId::Phone, CNContactKey::PhoneNumbers},
            {FieldId::Email, CNContactKey::EmailAddresses},
            {FieldId::Url, CNContactKey::UrlAddresses},
            {FieldId::Address, CNContactKey::PostalAddresses},
            {FieldId::Relationship, CNContactKey::ContactRelations},
            {FieldId::SocialNetwork, CNContactKey::SocialProfiles},
            {FieldId::InstantMessage, CNContactKey::InstantMessageAddresses},
            {FieldId::Dates, CNContactKey::Dates},
            {FieldId::Birthday, CNContactKey::Birthday},
            {FieldId::Photo, CNContactKey::ImageData},
            {FieldId::PhoneticFirstName, CNContactKey::PhoneticGivenName},
            {FieldId::PhoneticMiddleName, CNContactKey::PhoneticMiddleName},
            {FieldId::PhoneticLastName, CNContactKey::PhoneticFamilyName},
        };
        t->labeledIdentifiers = {FieldId::Email, FieldId::InstantMessage, FieldId::SocialNetwork, FieldId::Url,
                                 FieldId::Phone, FieldId::Address,        FieldId::Relationship,  FieldId::Dates};
        t->addressIdentifiers = {FieldId::Zip, FieldId::State, FieldId::City, FieldId::Street, FieldId::Country};
        t->stringIdentifiers = {FieldId::Company, FieldId::Department, FieldId::Nickname, FieldId::JobTitle,
                                FieldId::Title,   FieldId::Note,       FieldId::Suffix};
        t->phoneticIdentifiers = {FieldId::PhoneticName, FieldId::PhoneticFirstName, FieldId::PhoneticLastName,
                                  FieldId::PhoneticMiddleName};
        initializeLabelTables(*t);
        return t;
    }();
    return *instance;
}

} // namespace QVPersonPrivate

namespace {

// The default textual form of "now", as used in generated identifiers.
QString nowDescription()
{
    return QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss +0000"));
}

struct FieldInfo
{
    QVPerson::LabeledField field;
    const QString &identifier;
    const QString &archiveKey;
};

const FieldInfo kFields[] = {
    {QVPerson::LabeledField::Phone, FieldId::Phone, ArchiveKey::PhoneValues},
    {QVPerson::LabeledField::Email, FieldId::Email, ArchiveKey::EmailValues},
    {QVPerson::LabeledField::Address, FieldId::Address, ArchiveKey::AddressValues},
    {QVPerson::LabeledField::Url, FieldId::Url, ArchiveKey::UrlValues},
    {QVPerson::LabeledField::SocialNetwork, FieldId::SocialNetwork, ArchiveKey::SnsValues},
    {QVPerson::LabeledField::InstantMessage, FieldId::InstantMessage, ArchiveKey::ImsValues},
    {QVPerson::LabeledField::Relationship, FieldId::Relationship, ArchiveKey::RelationshipValues},
    {QVPerson::LabeledField::Dates, FieldId::Dates, ArchiveKey::DatesValues},
};

// The property name of an unfolded vCard line ("item1.UID;X=1:..." -> "UID").
QStringView propertyName(QStringView line)
{
    qsizetype end = 0;
    while (end < line.size() && line[end] != u';' && line[end] != u':')
        ++end;
    QStringView name = line.first(end);
    const qsizetype dot = name.indexOf(u'.');
    return dot >= 0 ? name.sliced(dot + 1) : name;
}

// A random (version 4) UUID in upper case, as record identifiers are written. Formatted here
// rather than through QUuid::toString().toUpper(): files of a hundred thousand records make one.
QString newUniqueId()
{
    // Records are made by the hundred thousand on several threads: each thread draws from its
    // own securely seeded generator instead of queueing for the global one.
    thread_local QRandomGenerator generator = QRandomGenerator::securelySeeded();
    quint32 words[4];
    generator.fillRange(words);
    uchar bytes[16];
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j)
            bytes[i * 4 + j] = uchar(words[i] >> (8 * j));
    }
    bytes[6] = uchar((bytes[6] & 0x0F) | 0x40); // version 4
    bytes[8] = uchar((bytes[8] & 0x3F) | 0x80); // RFC 4122 variant
    static constexpr char kHex[] = "0123456789ABCDEF";
    char text[36];
    int at = 0;
    for (int i = 0; i < 16; ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10)
            text[at++] = '-';
        text[at++] = kHex[bytes[i] >> 4];
        text[at++] = kHex[bytes[i] & 0x0F];
    }
    return QString::fromLatin1(text, 36);
}

} // namespace

QVPerson::QVPerson()
    : m_defaultNameOrdering(ContactSettings::nameOrderingFromSortOrder(ContactSettings::sortOrder()))
    , m_defaultCountryCode(ContactSettings::countryCode().toUpper())
    , m_uniqueId(newUniqueId())
{
    ensureClassInitialized();
    m_nameValue.insert(Key::ShowAsPerson, true);
}

QVPerson::~QVPerson() = default;

void QVPerson::ensureClassInitialized()
{
    tables();
}

// ---- Class tables -------------------------------------------------------------------------

QStringList QVPerson::allIdentifiers()
{
    QReadLocker lock(&tables().lock);
    return tables().allIdentifiers;
}

void QVPerson::setAllIdentifiers(const QStringList &identifiers)
{
    QWriteLocker lock(&tables().lock);
    tables().allIdentifiers = identifiers;
}

QStringList QVPerson::labeledIdentifiers()
{
    QReadLocker lock(&tables().lock);
    return tables().labeledIdentifiers;
}

void QVPerson::setLabeledIdentifiers(const QStringList &identifiers)
{
    QWriteLocker lock(&tables().lock);
    tables().labeledIdentifiers = identifiers;
    ++tables().identifierGeneration;
}

QStringList QVPerson::stringIdentifiers()
{
    QReadLocker lock(&tables().lock);
    return tables().stringIdentifiers;
}

void QVPerson::setStringIdentifiers(const QStringList &identifiers)
{
    QWriteLocker lock(&tables().lock);
    tables().stringIdentifiers = identifiers;
    ++tables().identifierGeneration;
}

QStringList QVPerson::addressIdentifiers()
{
    QReadLocker lock(&tables().lock);
    return tables().addressIdentifiers;
}

void QVPerson::setAddressIdentifiers(const QStringList &identifiers)
{
    QWriteLocker lock(&tables().lock);
    tables().addressIdentifiers = identifiers;
    ++tables().identifierGeneration;
}

QStringList QVPerson::phoneticIdentifiers()
{
    QReadLocker lock(&tables().lock);
    return tables().phoneticIdentifiers;
}

QHash<QString, QString> QVPerson::CNIdentifiers()
{
    QReadLocker lock(&tables().lock);
    return tables().cnIdentifiers;
}

void QVPerson::setCNIdentifiers(const QHash<QString, QString> &identifiers)
{
    QWriteLocker lock(&tables().lock);
    tables().cnIdentifiers = identifiers;
}

QVariantList QVPerson::classCustomItems()
{
    QReadLocker lock(&tables().lock);
    return tables().customItems;
}

void QVPerson::setClassCustomItems(const QVariantList &items)
{
    QWriteLocker lock(&tables().lock);
    tables().customItems = items;
}

namespace {

// The identifier lists as this thread last read them. Records ask for them for every value they
// set or give, on reader threads too: a copy per thread, refreshed when a list changes, spares the
// shared lock.
struct IdentifierLists
{
    int generation = -1;
    QStringList labeled;
    QStringList strings;
    QStringList addresses;
};

const IdentifierLists &identifierLists()
{
    thread_local IdentifierLists lists;
    const ClassTables &t = tables();
    if (const int generation = t.identifierGeneration.load(std::memory_order_acquire); generation != lists.generation) {
        QReadLocker lock(&t.lock);
        lists.labeled = t.labeledIdentifiers;
        lists.strings = t.stringIdentifiers;
        lists.addresses = t.addressIdentifiers;
        lists.generation = generation;
    }
    return lists;
}

} // namespace

bool QVPerson::isLabeledIdentifier(const QString &identifier)
{
    return identifierLists().labeled.contains(identifier);
}

bool QVPerson::isStringIdentifier(const QString &identifier)
{
    return identifierLists().strings.contains(identifier);
}

bool QVPerson::isAddressIdentifier(const QString &identifier)
{
    return identifierLists().addresses.contains(identifier);
}

std::optional<QVPerson::LabeledField> QVPerson::labeledFieldForIdentifier(const QString &identifier)
{
    for (const FieldInfo &info : kFields) {
        if (info.identifier == identifier)
            return info.field;
    }
    return std::nullopt;
}

QString QVPerson::identifierForLabeledField(LabeledField field)
{
    return kFields[int(field)].identifier;
}

QString QVPerson::localizedIdentifierForKey(const QString &identifier)
{
    // Display titles of the identifiers that name contact properties or address components.
    struct Title
    {
        const QString &identifier;
        const char *text;
    };
    static const Title titles[] = {
        {FieldId::Name, QT_TRANSLATE_NOOP("QVPerson", "Name")},
        {FieldId::Company, QT_TRANSLATE_NOOP("QVPerson", "Company")},
        {FieldId::Groups, QT_TRANSLATE_NOOP("QVPerson", "Groups")},
        {FieldId::Department, QT_TRANSLATE_NOOP("QVPerson", "Department")},
        {FieldId::JobTitle, QT_TRANSLATE_NOOP("QVPerson", "Job Title")},
        {FieldId::Nickname, QT_TRANSLATE_NOOP("QVPerson", "Nickname")},
        {FieldId::Title, QT_TRANSLATE_NOOP("QVPerson", "Title")},
        {FieldId::Suffix, QT_TRANSLATE_NOOP("QVPerson", "Suffix")},
        {FieldId::Note, QT_TRANSLATE_NOOP("QVPerson", "Note")},
        {FieldId::Phone, QT_TRANSLATE_NOOP("QVPerson", "Phone")},
        {FieldId::Email, QT_TRANSLATE_NOOP("QVPerson", "Email")},
        {FieldId::Url, QT_TRANSLATE_NOOP("QVPerson", "URL")},
        {FieldId::Address, QT_TRANSLATE_NOOP("QVPerson", "Address")},
        {FieldId::Relationship, QT_TRANSLATE_NOOP("QVPerson", "Relationship")},
        {FieldId::SocialNetwork, QT_TRANSLATE_NOOP("QVPerson", "Social Network")},
        {FieldId::InstantMessage, QT_TRANSLATE_NOOP("QVPerson", "Instant Message")},
        {FieldId::Dates, QT_TRANSLATE_NOOP("QVPerson", "Dates")},
        {FieldId::Birthday, QT_TRANSLATE_NOOP("QVPerson", "Birthday")},
        {FieldId::Photo, QT_TRANSLATE_NOOP("QVPerson", "Photo")},
        {FieldId::PhoneticName, QT_TRANSLATE_NOOP("QVPerson", "Phonetic Name")},
        {FieldId::PhoneticFirstName, QT_TRANSLATE_NOOP("QVPerson", "Phonetic First Name")},
        {FieldId::PhoneticMiddleName, QT_TRANSLATE_NOOP("QVPerson", "Phonetic Middle Name")},
        {FieldId::PhoneticLastName, QT_TRANSLATE_NOOP("QVPerson", "Phonetic Last Name")},
        {FieldId::Zip, QT_TRANSLATE_NOOP("QVPerson", "ZIP")},
        {FieldId::State, QT_TRANSLATE_NOOP("QVPerson", "State")},
        {FieldId::City, QT_TRANSLATE_NOOP("QVPerson", "City")},
        {FieldId::Street, QT_TRANSLATE_NOOP("QVPerson", "Street")},
        {FieldId::Country, QT_TRANSLATE_NOOP("QVPerson", "Country")},
    };
    for (const Title &t : titles) {
        if (t.identifier == identifier)
            return QCoreApplication::translate("QVPerson", t.text);
    }
    // Other identifiers (custom items among them) show as written unless translated.
    const QByteArray source = identifier.toUtf8();
    return QCoreApplication::translate("QVPerson", source.constData());
}

// ---- Identity ------------------------------------------------------------------------------

QString QVPerson::uniqueId()
{
    if (m_uniqueId.isEmpty()) {
        QString name = compositeName();
        if (name.isEmpty())
            name = QStringLiteral("VeltmarkSoftware");
        m_uniqueId = name + u'+' + nowDescription();
    }
    return m_uniqueId;
}

void QVPerson::setShowAsPerson(bool showAsPerson)
{
    touch();
    m_showAsPerson = showAsPerson;
    m_nameValue.insert(Key::ShowAsPerson, showAsPerson);
    recomputeCompositeName();
}

// ---- Copy ----------------------------------------------------------------------------------

PersonPtr QVPerson::copy()
{
    PersonPtr other = create();
    QStringList identifiers = allIdentifiers();
    identifiers += customIdentifiers();
    for (const QString &identifier : std::as_const(identifiers)) {
        if (identifier == FieldId::Photo) {
            // The stored bytes are the photo; re-encoding them would only lose quality.
            loadPhoto();
            other->m_imageData = m_imageData;
            other->m_thumbnailImageData = m_thumbnailImageData;
            continue;
        }
        const QVariant value = valueForIdentifier(identifier);
        if (value.isValid())
            other->setValue(value, identifier);
    }
    // Unknown properties travel with the copy, except the identity of the original card.
    for (const QString &line : std::as_const(m_extraProperties)) {
        if (propertyName(line).compare(QLatin1String("UID"), Qt::CaseInsensitive) != 0)
            other->m_extraProperties.append(line);
    }
    other->m_vCardKept = m_vCardKept;
    other->m_changed = false;
    return other;
}

// ---- Archive -------------------------------------------------------------------------------

QVariantMap QVPerson::encodeWithCoder()
{
    QVariantMap coder;
    coder.insert(ArchiveKey::DefaultNameOrdering, m_defaultNameOrdering);
    coder.insert(ArchiveKey::DefaultCountryCode, m_defaultCountryCode);
    coder.insert(ArchiveKey::ShowAsPerson, m_showAsPerson);
    coder.insert(ArchiveKey::CompositeName, m_compositeName);
    coder.insert(ArchiveKey::NameValue, m_nameValue.toVariantMap());
    if (m_hasPhoneticName)
        coder.insert(ArchiveKey::PhoneticNameValue, m_phoneticNameValue.toVariantMap());
    // Email goes through its getter so that it is loaded first; the others as they stand.
    emailValues();
    for (const FieldInfo &info : kFields) {
        const auto &stored = m_labeled[int(info.field)];
        if (stored)
            coder.insert(info.archiveKey, CompactMaps::toVariantList(*stored));
    }
    if (m_hasBirthday)
        coder.insert(ArchiveKey::BirthdayValue, m_birthdayValue.toVariantMap());
    loadPhoto();
    if (!m_imageData.isNull())
        coder.insert(ArchiveKey::ImageData, m_imageData);
    if (!m_thumbnailImageData.isNull())
        coder.insert(ArchiveKey::ThumbnailImageData, m_thumbnailImageData);
    coder.insert(ArchiveKey::Created, int(m_created));
    coder.insert(ArchiveKey::Changed, int(m_changed));
    coder.insert(ArchiveKey::UniqueId, m_uniqueId);
    if (!m_uniqueId2.isNull())
        coder.insert(ArchiveKey::UniqueId2, m_uniqueId2);
    coder.insert(ArchiveKey::Items, m_items.toVariantMap());
    coder.insert(ArchiveKey::CustomItems, m_customItems);
    if (!m_extraProperties.isEmpty())
        coder.insert(ArchiveKey::ExtraProperties, m_extraProperties);
    if (!m_vCardKept.isEmpty())
        coder.insert(ArchiveKey::VCardKept, m_vCardKept.toVariantMap());
    return coder;
}

PersonPtr QVPerson::initWithCoder(const QVariantMap &coder)
{
    PersonPtr p = create();
    p->m_uniqueId = coder.value(ArchiveKey::UniqueId).toString(); // may be empty: the getter builds one
    p->m_defaultNameOrdering = coder.value(ArchiveKey::DefaultNameOrdering).toInt();
    p->m_defaultCountryCode = coder.value(ArchiveKey::DefaultCountryCode).toString();
    p->m_showAsPerson = coder.value(ArchiveKey::ShowAsPerson, true).toBool();
    p->m_compositeName = coder.value(ArchiveKey::CompositeName).toString();
    if (coder.contains(ArchiveKey::NameValue))
        p->m_nameValue = CompactMap(coder.value(ArchiveKey::NameValue).toMap());
    if (coder.contains(ArchiveKey::PhoneticNameValue)) {
        p->m_phoneticNameValue = CompactMap(coder.value(ArchiveKey::PhoneticNameValue).toMap());
        p->m_hasPhoneticName = true;
    }
    for (const FieldInfo &info : kFields) {
        if (coder.contains(info.archiveKey))
            p->m_labeled[int(info.field)] = CompactMaps::fromVariantList(coder.value(info.archiveKey).toList());
    }
    if (coder.contains(ArchiveKey::BirthdayValue)) {
        p->m_birthdayValue = CompactMap(coder.value(ArchiveKey::BirthdayValue).toMap());
        p->m_hasBirthday = true;
    }
    p->m_imageData = coder.value(ArchiveKey::ImageData).toByteArray();
    p->m_thumbnailImageData = coder.value(ArchiveKey::ThumbnailImageData).toByteArray();
    p->m_created = coder.value(ArchiveKey::Created).toInt() != 0;
    p->m_changed = coder.value(ArchiveKey::Changed).toInt() != 0;
    if (coder.contains(ArchiveKey::UniqueId2))
        p->m_uniqueId2 = coder.value(ArchiveKey::UniqueId2).toString();
    p->m_items = CompactMap(coder.value(ArchiveKey::Items).toMap());
    p->m_customItems = coder.value(ArchiveKey::CustomItems).toList();
    p->m_extraProperties = coder.value(ArchiveKey::ExtraProperties).toStringList();
    if (coder.contains(ArchiveKey::VCardKept))
        p->m_vCardKept = CompactMap(coder.value(ArchiveKey::VCardKept).toMap());
    p->m_compositeGeneration = -1;
    return p;
}

QByteArray QVPerson::archivedData()
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_4);
    out << encodeWithCoder();
    return bytes;
}

PersonPtr QVPerson::fromArchivedData(const QByteArray &data)
{
    QDataStream in(data);
    in.setVersion(QDataStream::Qt_6_4);
    QVariantMap coder;
    in >> coder;
    if (in.status() != QDataStream::Ok)
        return nullptr;
    return initWithCoder(coder);
}

void QVPerson::squeeze()
{
    m_items.squeeze();
    m_nameValue.squeeze();
    m_phoneticNameValue.squeeze();
    m_birthdayValue.squeeze();
    m_extraProperties.squeeze();
    m_vCardKept.squeeze();
}
