// QVPerson: names, phonetic names, birthday and dates, photo, custom items.
#include "platform/contactsettings.h"
#include "record/keys.h"
#include "record/qvperson.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImageWriter>
#include <mutex>

namespace {

const QString kGenericUserImage = QStringLiteral(":/icons/user.png");
const QString kCompanyImage = QStringLiteral(":/icons/icon_company.png");

int effectiveOrdering(int ordering)
{
    if (ordering == 0)
        return ContactSettings::nameOrderingFromSortOrder(ContactSettings::sortOrder());
    return ordering;
}

QImage imageFromData(const QByteArray &data)
{
    QImage image;
    if (!data.isEmpty())
        image.loadFromData(data);
    return image;
}

} // namespace

// ---- Names ---------------------------------------------------------------------------------

namespace {

template <class Map>
QString compositeNameOf(const Map &nameDict)
{
    const QString first = textOf(nameDict, FieldId::FirstName);
    const QString middle = textOf(nameDict, FieldId::MiddleName);
    const QString last = textOf(nameDict, FieldId::LastName);
    if (!first.isEmpty() && !last.isEmpty()) {
        // The system default shows an East Asian name family name first under any locale.
        const int recordOrdering = nameDict.value(Key::NameOrdering).toInt();
        const int ordering = recordOrdering == 0 && ContactSettings::isFamilyNameFirstScript(first, last)
            ? 2
            : effectiveOrdering(recordOrdering);
        return ordering == 2 ? last + u' ' + first : first + u' ' + last;
    }
    if (!first.isEmpty())
        return first;
    if (!last.isEmpty())
        return last;
    return middle;
}

// A dictionary without the flags keeps the record's own (a missing flag must not turn a person
// into a company).
template <class Map>
void updateName(Map &nameDict, bool &showAsPerson, int &nameOrdering)
{
    if (nameDict.contains(Key::ShowAsPerson))
        showAsPerson = nameDict.value(Key::ShowAsPerson).toBool();
    else
        nameDict.insert(Key::ShowAsPerson, showAsPerson);
    if (nameDict.contains(Key::NameOrdering))
        nameOrdering = nameDict.value(Key::NameOrdering).toInt();
    nameDict.insert(Key::StringValue, compositeNameOf(nameDict));
}

} // namespace

QString QVPerson::compositeNameFromNameDict(const QVariantMap &nameDict)
{
    return compositeNameOf(nameDict);
}

void QVPerson::updateNameValue(QVariantMap &nameDict)
{
    updateName(nameDict, m_showAsPerson, m_nameOrdering);
}

QVariantMap QVPerson::nameValue()
{
    if (m_compositeGeneration != ContactSettings::generation())
        recomputeCompositeName();
    return m_nameValue.toVariantMap();
}

void QVPerson::setNameValueDict(const QVariantMap &nameValue)
{
    touch();
    m_nameValue = CompactMap(nameValue);
    recomputeCompositeName();
}

void QVPerson::recomputeCompositeName()
{
    // Composing anew under other name settings may change the stored name text.
    const QString stored = m_nameValue.string(Key::StringValue);
    updateName(m_nameValue, m_showAsPerson, m_nameOrdering);
    if (m_nameValue.string(Key::StringValue) != stored)
        touch();
    QString composite = m_showAsPerson ? m_nameValue.string(Key::StringValue) : m_items.string(FieldId::Company);
    if (composite.isEmpty())
        composite = QCoreApplication::translate("QVPerson", "No Name");
    m_compositeName = composite;
    m_compositeGeneration = ContactSettings::generation();
}

QString QVPerson::compositeName()
{
    if (m_compositeGeneration != ContactSettings::generation())
        recomputeCompositeName();
    return m_compositeName;
}

void QVPerson::setNameValue(const QVariant &value, const QString &identifier)
{
    touch();
    if (identifier == FieldId::Name) {
        m_nameValue = CompactMap(value.toMap());
        recomputeCompositeName();
        m_changed = true;
        return;
    }
    if (identifier == FieldId::FirstName || identifier == FieldId::MiddleName || identifier == FieldId::LastName
        || identifier == FieldId::PreviousFamilyName) {
        m_nameValue.insert(identifier, value.toString());
        recomputeCompositeName();
        m_changed = true;
        return;
    }
    if (identifier == FieldId::PhoneticName) {
        QVariantMap phonetic;
        if (value.typeId() == QMetaType::QVariantMap)
            phonetic = value.toMap();
        else if (value.isValid())
            phonetic = m_phoneticNameValue.toVariantMap();
        updatePhoneticName(phonetic);
        m_phoneticNameValue = CompactMap(phonetic);
        m_hasPhoneticName = true;
        m_changed = true;
        return;
    }
    if (identifier == FieldId::PhoneticFirstName || identifier == FieldId::PhoneticMiddleName
        || identifier == FieldId::PhoneticLastName) {
        QVariantMap phonetic = m_phoneticNameValue.toVariantMap();
        phonetic.insert(identifier, value.toString());
        updatePhoneticName(phonetic);
        m_phoneticNameValue = CompactMap(phonetic);
        m_hasPhoneticName = true;
        m_changed = true;
    }
}

QString QVPerson::storedDictionaryString(const QString &identifier) const
{
    if (identifier == FieldId::Name)
        return m_nameValue.string(Key::StringValue);
    if (identifier == FieldId::PhoneticName)
        return m_phoneticNameValue.string(Key::StringValue);
    if (identifier == FieldId::Birthday)
        return m_birthdayValue.string(Key::StringValue);
    return {};
}

const CompactMap &QVPerson::storedDictionary(const QString &identifier) const
{
    static const CompactMap empty;
    if (identifier == FieldId::Name)
        return m_nameValue;
    if (identifier == FieldId::PhoneticName)
        return m_phoneticNameValue;
    if (identifier == FieldId::Birthday)
        return m_birthdayValue;
    return empty;
}

QVariantMap QVPerson::phoneticNameValue()
{
    return m_phoneticNameValue.toVariantMap();
}

void QVPerson::setPhoneticNameValue(const QVariantMap &value)
{
    touch();
    m_phoneticNameValue = CompactMap(value);
    m_hasPhoneticName = true;
}

namespace {

template <class Map>
void updatePhonetic(Map &phoneticDict, int nameOrdering)
{
    const QString first = textOf(phoneticDict, FieldId::FirstName);
    const QString last = textOf(phoneticDict, FieldId::LastName);
    QString text;
    if (!first.isEmpty() && !last.isEmpty())
        text = nameOrdering == 2 ? last + u' ' + first : first + u' ' + last;
    else if (!first.isEmpty())
        text = first;
    else
        text = last;
    phoneticDict.insert(Key::StringValue, text);
}

template <class Map>
void updateBirthday(Map &birthday)
{
    const QVariant value = birthday.value(Key::Value);
    QString text;
    if (value.userType() == qMetaTypeId<DateComponents>())
        text = QVPerson::dateStringFromDateComponents(value.value<DateComponents>());
    else if (!value.isValid())
        text = textOf(birthday, Key::StringValue); // a birthday read as text that is no date
    birthday.insert(Key::StringValue, text);
}

} // namespace

void QVPerson::updatePhoneticName(QVariantMap &phoneticDict) const
{
    updatePhonetic(phoneticDict, m_nameOrdering);
}

void QVPerson::setDictionary(const QString &identifier, CompactMap &&dictionary)
{
    touch();
    if (identifier == FieldId::Name) {
        m_nameValue = std::move(dictionary);
        recomputeCompositeName();
    } else if (identifier == FieldId::PhoneticName) {
        updatePhonetic(dictionary, m_nameOrdering);
        m_phoneticNameValue = std::move(dictionary);
        m_hasPhoneticName = true;
    } else if (identifier == FieldId::Birthday) {
        updateBirthday(dictionary);
        m_birthdayValue = std::move(dictionary);
        m_hasBirthday = true;
    } else {
        return;
    }
    m_changed = true;
}

// ---- Birthday and dates ------------------------------------------------------------------

QString QVPerson::dateStringFromDateComponents(const DateComponents &components)
{
    return DateFormat::displayString(components);
}

void QVPerson::updateBirthdayValue(QVariantMap &birthday)
{
    updateBirthday(birthday);
}

QVariantMap QVPerson::birthdayValue()
{
    return m_birthdayValue.toVariantMap();
}

void QVPerson::setBirthdayValue(const QVariant &birthday)
{
    touch();
    if (birthday.typeId() == QMetaType::QVariantMap) {
        QVariantMap dict = birthday.toMap();
        updateBirthdayValue(dict);
        m_birthdayValue = CompactMap(dict);
    } else {
        m_birthdayValue = CompactMap();
    }
    m_hasBirthday = true;
    m_changed = true;
}

// ---- Photo -----------------------------------------------------------------------------------

struct QVPerson::PhotoLoader
{
    std::function<std::optional<LoadedPhoto>()> load;
    std::once_flag once;
};

void QVPerson::setPhotoLoader(std::function<std::optional<LoadedPhoto>()> loader)
{
    m_photoLoader = std::make_shared<PhotoLoader>();
    m_photoLoader->load = std::move(loader);
}

void QVPerson::loadPhoto() const
{
    // Readers on several threads may get here at once: the loader pointer is only read, never reset,
    // while a load may run (only the setters, which change the record, let it go).
    if (PhotoLoader *loader = m_photoLoader.get()) {
        // Loading fills what the const getters hand out: the photo is part of the value all along,
        // so it does not count as a change.
        std::call_once(loader->once, [this, loader] {
            if (std::optional<LoadedPhoto> photo = loader->load()) {
                auto *self = const_cast<QVPerson *>(this);
                self->m_imageData = std::move(photo->imageData);
                self->m_thumbnailImageData = std::move(photo->thumbnailImageData);
            }
        });
    }
}

QImage QVPerson::photo()
{
    loadPhoto();
    QImage image = imageFromData(m_imageData);
    if (image.isNull())
        image = imageFromData(m_thumbnailImageData);
    return image;
}

void QVPerson::setPhoto(const QImage &image)
{
    touch();
    m_photoLoader.reset();
    if (image.isNull()) {
        m_imageData.clear();
        m_thumbnailImageData.clear();
        m_changed = true;
        return;
    }
    // A lossless representation of the image, as the platform's TIFF would be.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return;
    m_imageData = bytes;
    m_changed = true;
}

QImage QVPerson::thumbnail()
{
    loadPhoto();
    QImage image = imageFromData(m_thumbnailImageData);
    if (image.isNull())
        image = imageFromData(m_imageData);
    if (image.isNull())
        image = QImage(m_showAsPerson ? kGenericUserImage : kCompanyImage);
    return image;
}

// ---- Custom items --------------------------------------------------------------------------

qsizetype QVPerson::customItemIndex(const QString &name) const
{
    for (qsizetype i = 0; i < m_customItems.size(); ++i) {
        if (m_customItems.at(i).toMap().value(CustomKey::Name).toString() == name)
            return i;
    }
    return -1;
}

QStringList QVPerson::customIdentifiers() const
{
    QStringList names;
    names.reserve(m_customItems.size());
    for (const QVariant &item : m_customItems)
        names.append(item.toMap().value(CustomKey::Name).toString());
    return names;
}

QVariantMap QVPerson::customItemDefinition(const QString &name) const
{
    const qsizetype i = customItemIndex(name);
    return i >= 0 ? m_customItems.at(i).toMap() : QVariantMap();
}

QVariant QVPerson::customValueForIdentifier(const QString &name)
{
    const qsizetype i = customItemIndex(name);
    if (i < 0)
        return {};
    const QString type = m_customItems.at(i).toMap().value(CustomKey::Type).toString();
    const QVariant *stored = m_items.get(name);
    if (type == ValueType::Labeled) {
        // The cloud store of custom values is always empty here, so a missing value is an empty list.
        if (!stored || stored->typeId() != QMetaType::QVariantList) {
            m_items.insert(name, QVariantList());
            return QVariantList();
        }
        return *stored;
    }
    if (type == ValueType::String)
        return stored ? stored->toString() : QString();
    return {};
}

void QVPerson::defineCustomItem(const QString &type, const QString &name, const QStringList &labels)
{
    touch();
    QVariantMap definition;
    definition.insert(CustomKey::Type, type);
    definition.insert(CustomKey::Name, name);
    if (type == ValueType::Labeled)
        definition.insert(CustomKey::Labels, labels);
    const qsizetype i = customItemIndex(name);
    if (i >= 0)
        m_customItems[i] = definition;
    else
        m_customItems.append(definition);
}

namespace {

// A file's records mostly add the same few text items: each thread hands out one shared
// definition per name instead of a map of its own per record.
QVariant sharedStringItemDefinition(const QString &name)
{
    static constexpr qsizetype kMaximumNames = 256; // files with endless distinct names stay small
    thread_local QHash<QString, QVariant> definitions;
    if (const auto it = definitions.constFind(name); it != definitions.constEnd())
        return it.value();
    if (definitions.size() >= kMaximumNames)
        definitions.clear();
    const QVariant definition = QVariantMap { { CustomKey::Type, ValueType::String }, { CustomKey::Name, name } };
    definitions.insert(name, definition);
    return definition;
}

} // namespace

void QVPerson::addCustomItem(const QString &type, const QString &name, const QStringList &labels,
                             const QByteArray &imageData)
{
    touch();
    qsizetype i = customItemIndex(name);
    if (i < 0 && type == ValueType::String && imageData.isEmpty()) {
        m_customItems.append(sharedStringItemDefinition(name));
        return;
    }
    if (i < 0) {
        m_customItems.append(QVariantMap());
        i = m_customItems.size() - 1;
    }
    QVariantMap definition = m_customItems.at(i).toMap();
    definition.insert(CustomKey::Type, type);
    definition.insert(CustomKey::Name, name);
    if (type == ValueType::Labeled) {
        definition.insert(CustomKey::Labels, labels);
        for (const QString &label : labels)
            setLabel(QString(), label, name);
    }
    if (!imageData.isEmpty())
        definition.insert(CustomKey::ImageData, imageData);
    m_customItems[i] = definition;
}

void QVPerson::deleteCustomItemForName(const QString &name)
{
    touch();
    const qsizetype i = customItemIndex(name);
    if (i < 0)
        return;
    m_customItems.removeAt(i);
    m_items.remove(name);
}
