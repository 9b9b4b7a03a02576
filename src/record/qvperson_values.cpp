// QVPerson: reading and writing values by field identifier, and the labeled-value operations.
#include "record/keys.h"
#include "record/qvperson.h"
#include "record/qvperson_p.h"

#include <QDate>
#include <QDateTime>
#include <QDebug>

#include <algorithm>
#include <limits>

namespace {

// The normalisers work alike on the dictionaries callers pass and on the compact form readers
// build records in directly; both have the same contains/value/insert/remove.

// An empty or missing label stands for "No label".
template <class Map>
void ensureLabel(Map &value)
{
    if (textOf(value, Key::Label).isEmpty())
        value.insert(Key::Label, LabelWord::NoLabel);
}

// stringValue = value, the common rule of the plain text fields.
template <class Map>
void copyValueToStringValue(Map &value)
{
    value.insert(Key::StringValue, textOf(value, Key::Value));
}

template <class Map>
void updateText(Map &value)
{
    ensureLabel(value);
    copyValueToStringValue(value);
}

template <class Map>
void updateEmail(Map &value)
{
    ensureLabel(value);
    const QString text = textOf(value, Key::Value);
    value.insert(Key::StringValue, text);
    const qsizetype at = text.indexOf(u'@');
    QString username = text;
    QString domain;
    if (at >= 0 && at != text.size() - 1) {
        username = text.left(at);
        domain = text.mid(at + 1);
    }
    // Parts of an earlier address must not survive an edit of the text.
    value.remove(Key::Username);
    value.remove(Key::Domain);
    if (!username.isEmpty())
        value.insert(Key::Username, username);
    if (!domain.isEmpty())
        value.insert(Key::Domain, domain);
}

template <class Map>
void updateSNS(Map &value)
{
    if (!value.contains(Key::Label))
        value.insert(Key::Label, LabelWord::NoService);
    value.insert(Key::Service, value.value(Key::Label));
    const QString text = textOf(value, Key::Value);
    value.insert(Key::Username, text);
    value.insert(Key::StringValue, text);
}

template <class Map>
void updateIMS(Map &value)
{
    if (!value.contains(Key::Label))
        value.insert(Key::Label, LabelWord::NoLabel);
    const QString service = textOf(value, Key::Service);
    QString username;
    if (value.contains(Key::Value)) {
        username = textOf(value, Key::Value);
        value.insert(Key::Username, username);
    }
    QString text = service + u':' + username;
    if (text.size() < 2)
        text.clear();
    value.insert(Key::StringValue, text);
}

template <class Map>
void updateDates(Map &value)
{
    ensureLabel(value);
    const QVariant v = value.value(Key::Value);
    if (v.typeId() == QMetaType::QDate || v.typeId() == QMetaType::QDateTime) {
        const DateComponents c = DateComponents::fromDate(v.toDate());
        value.insert(Key::Value, QVariant::fromValue(c));
        value.insert(Key::StringValue, QVPerson::dateStringFromDateComponents(c));
    } else if (v.canConvert<DateComponents>() && v.userType() == qMetaTypeId<DateComponents>()) {
        value.insert(Key::StringValue, QVPerson::dateStringFromDateComponents(v.value<DateComponents>()));
    } else {
        value.insert(Key::StringValue, QString());
    }
}

template <class Map>
void normalizeValue(QVPerson::LabeledField field, Map &value, int addressOption)
{
    using Field = QVPerson::LabeledField;
    switch (field) {
    case Field::Phone:
    case Field::Url:
    case Field::Relationship:
        updateText(value);
        break;
    case Field::Email:
        updateEmail(value);
        break;
    case Field::Address:
        QVPerson::updateAddressValue(value, addressOption);
        break;
    case Field::SocialNetwork:
        updateSNS(value);
        break;
    case Field::InstantMessage:
        updateIMS(value);
        break;
    case Field::Dates:
        updateDates(value);
        break;
    }
}

qsizetype nextLabelIndex(const CompactList &items)
{
    qsizetype highest = -1;
    for (const CompactMap &item : items)
        highest = std::max<qsizetype>(highest, item.integer(Key::LabelIndex, -1));
    return std::max<qsizetype>(items.size(), highest + 1);
}

qsizetype nextLabelIndex(const QVariantList &items)
{
    qsizetype highest = -1;
    for (const QVariant &item : items)
        highest = std::max<qsizetype>(highest, item.toMap().value(Key::LabelIndex, -1).toLongLong());
    return std::max<qsizetype>(items.size(), highest + 1);
}

QStringList labelsOf(const QVariantList &items)
{
    QStringList labels;
    for (const QVariant &item : items)
        labels.append(item.toMap().value(Key::Label).toString());
    return labels;
}

bool isNotFoundMarker(qsizetype labelIndex)
{
    return labelIndex == std::numeric_limits<qsizetype>::max();
}

// Sort keys allowed for a field, beyond "stringValue" and "label".
bool isAllowedSortKey(const QString &identifier, const QString &key)
{
    if (key == Key::StringValue || key == Key::Label)
        return true;
    if (identifier == FieldId::Address)
        return key == FieldId::Zip || key == FieldId::State || key == FieldId::City || key == FieldId::Street
            || key == FieldId::Country;
    if (identifier == FieldId::InstantMessage || identifier == FieldId::SocialNetwork)
        return key == Key::Service || key == Key::Username;
    return false;
}

} // namespace

// ---- Normalisers ---------------------------------------------------------------------------

void QVPerson::updatePhoneValue(QVariantMap &value)
{
    updateText(value);
}

void QVPerson::updateURLValue(QVariantMap &value)
{
    updateText(value);
}

void QVPerson::updateRelationshipValue(QVariantMap &value)
{
    updateText(value);
}

void QVPerson::updateEmailValue(QVariantMap &value)
{
    updateEmail(value);
}

void QVPerson::updateSNSValue(QVariantMap &value)
{
    updateSNS(value);
}

void QVPerson::updateIMSValue(QVariantMap &value)
{
    updateIMS(value);
}

void QVPerson::updateDatesValue(QVariantMap &value)
{
    updateDates(value);
}

void QVPerson::normalize(LabeledField field, QVariantMap &value, int addressOption)
{
    normalizeValue(field, value, addressOption);
}

void QVPerson::normalize(LabeledField field, CompactMap &value, int addressOption)
{
    normalizeValue(field, value, addressOption);
}

// ---- Stored labeled fields -----------------------------------------------------------------

const CompactList &QVPerson::storedLabeledValues(LabeledField field) const
{
    static const CompactList empty;
    const auto &stored = m_labeled[int(field)];
    return stored ? *stored : empty;
}

CompactList &QVPerson::storedList(LabeledField field)
{
    touch();
    auto &stored = m_labeled[int(field)];
    // A field that was never set starts empty, so that adding to a new record keeps the item.
    if (!stored)
        stored.emplace();
    return *stored;
}

QVariantList QVPerson::labeledValues(LabeledField field)
{
    // Records read from files hold every field; a store-backed record would load it here.
    return CompactMaps::toVariantList(storedLabeledValues(field));
}

void QVPerson::setLabeledItems(LabeledField field, CompactList &&items)
{
    touch();
    for (CompactMap &item : items)
        normalize(field, item, 1);
    m_labeled[int(field)] = std::move(items);
    m_changed = true;
}

void QVPerson::setLabeledValues(LabeledField field, const QVariantList &values)
{
    touch();
    m_labeled[int(field)] = CompactMaps::fromVariantList(values);
}

void QVPerson::addBuiltInLabeledValue(LabeledField field, const QVariantMap &value)
{
    touch();
    QVariantMap item = value;
    normalize(field, item, 0);
    CompactList &list = storedList(field);
    item.insert(Key::LabelIndex, nextLabelIndex(list));
    list.append(CompactMap(item));
    m_changed = true;
}

void QVPerson::replaceBuiltInLabeledValue(LabeledField field, const QVariant &value)
{
    touch();
    if (!value.isValid()) {
        m_labeled[int(field)] = CompactList();
        m_changed = true;
        return;
    }
    if (value.typeId() == QMetaType::QVariantList) {
        CompactList list;
        const QVariantList items = value.toList();
        list.reserve(items.size());
        for (const QVariant &v : items) {
            QVariantMap item = v.toMap();
            normalize(field, item, 0);
            list.append(CompactMap(item));
        }
        m_labeled[int(field)] = std::move(list);
        m_changed = true;
        return;
    }
    if (value.typeId() != QMetaType::QVariantMap)
        return;
    QVariantMap item = value.toMap();
    const QVariant labelIndex = item.value(Key::LabelIndex);
    CompactList &list = storedList(field);
    for (CompactMap &stored : list) {
        const QVariant *storedIndex = stored.get(Key::LabelIndex);
        if (storedIndex && labelIndex.isValid() && storedIndex->toLongLong() == labelIndex.toLongLong()) {
            normalize(field, item, 0);
            stored = CompactMap(item);
            m_changed = true;
            return;
        }
    }
}

// ---- Types ---------------------------------------------------------------------------------

QString QVPerson::typeForIdentifier(const QString &identifier) const
{
    const qsizetype custom = customItemIndex(identifier);
    if (custom >= 0)
        return m_customItems.at(custom).toMap().value(CustomKey::Type).toString();
    if (isLabeledIdentifier(identifier))
        return ValueType::Labeled;
    if (isStringIdentifier(identifier))
        return ValueType::String;
    if (identifier == FieldId::Birthday || identifier == FieldId::Name || identifier == FieldId::PhoneticName)
        return ValueType::Dictionary;
    return {};
}

// ---- Reading by identifier ---------------------------------------------------------------

bool QVPerson::isBuiltInIdentifier(const QString &identifier)
{
    // The identifiers valueForIdentifier answers before it looks at custom items.
    static const QString kOwnFields[] = {
        FieldId::Name, FieldId::CompositeName, FieldId::FirstName, FieldId::MiddleName, FieldId::LastName,
        FieldId::PreviousFamilyName, FieldId::PhoneticName, FieldId::PhoneticFirstName, FieldId::PhoneticMiddleName,
        FieldId::PhoneticLastName, FieldId::Photo, FieldId::Thumbnail, FieldId::Groups, FieldId::NameOrdering,
        FieldId::NameDisplay, FieldId::Birthday,
    };
    return isStringIdentifier(identifier) || isLabeledIdentifier(identifier) || labeledFieldForIdentifier(identifier)
        || std::find(std::begin(kOwnFields), std::end(kOwnFields), identifier) != std::end(kOwnFields);
}

QVariant QVPerson::valueForIdentifier(const QString &identifier)
{
    if (identifier == FieldId::Name)
        return nameValue();
    if (identifier == FieldId::CompositeName)
        return compositeName();
    if (identifier == FieldId::FirstName || identifier == FieldId::MiddleName || identifier == FieldId::LastName
        || identifier == FieldId::PreviousFamilyName)
        return m_nameValue.string(identifier);
    if (identifier == FieldId::PhoneticName)
        return m_hasPhoneticName ? QVariant(phoneticNameValue()) : QVariant();
    if (identifier == FieldId::PhoneticFirstName || identifier == FieldId::PhoneticMiddleName
        || identifier == FieldId::PhoneticLastName)
        return m_phoneticNameValue.string(identifier);
    if (identifier == FieldId::Photo) {
        const QImage image = photo();
        return image.isNull() ? QVariant() : QVariant(image);
    }
    if (identifier == FieldId::Thumbnail)
        return thumbnail();
    if (identifier == FieldId::Groups || identifier == FieldId::NameOrdering || identifier == FieldId::NameDisplay)
        return QString();
    if (identifier == FieldId::Birthday)
        return m_hasBirthday ? QVariant(birthdayValue()) : QVariant();
    if (const auto field = labeledFieldForIdentifier(identifier))
        return labeledValues(*field);
    if (customItemIndex(identifier) >= 0)
        return customValueForIdentifier(identifier);
    if (const QVariant *stored = m_items.get(identifier))
        return *stored;
    // A store-backed record would read the mapped property here; file records have none.
    return {};
}

QString QVPerson::stringValueForIdentifier(const QString &identifier)
{
    if (isStringIdentifier(identifier))
        return m_items.string(identifier);
    const QString type = typeForIdentifier(identifier);
    if (type == ValueType::String)
        return customValueForIdentifier(identifier).toString();
    if (type == ValueType::Dictionary) {
        if (identifier == FieldId::Name)
            return nameValue().value(Key::StringValue).toString();
        if (identifier == FieldId::PhoneticName)
            return phoneticNameValue().value(Key::StringValue).toString();
        if (identifier == FieldId::Birthday)
            return birthdayValue().value(Key::StringValue).toString();
        qWarning("Error on %s %s", Q_FUNC_INFO, qPrintable(identifier));
        return {};
    }
    const QVariant value = valueForIdentifier(identifier);
    if (value.typeId() == QMetaType::QVariantList) {
        // A list has no single text; its items' texts stand for it.
        QStringList texts;
        for (const QVariant &item : value.toList()) {
            const QString text = item.toMap().value(Key::StringValue).toString();
            if (!text.isEmpty())
                texts.append(text);
        }
        return texts.join(QStringLiteral(", "));
    }
    return value.toString();
}

// ---- Writing by identifier ---------------------------------------------------------------

void QVPerson::setValue(const QVariant &value, const QString &identifier)
{
    touch();
    if (const auto field = labeledFieldForIdentifier(identifier)) {
        if (value.typeId() != QMetaType::QVariantList)
            return;
        CompactList list;
        const QVariantList items = value.toList();
        list.reserve(items.size());
        for (const QVariant &v : items) {
            QVariantMap item = v.toMap();
            normalize(*field, item, 1);
            list.append(CompactMap(item));
        }
        m_labeled[int(*field)] = std::move(list);
        m_changed = true;
        return;
    }
    if (isStringIdentifier(identifier)) {
        if (value.isValid())
            m_items.insert(identifier, value.toString());
        else
            m_items.remove(identifier);
        m_changed = true;
        if (identifier == FieldId::Company)
            recomputeCompositeName();
        return;
    }
    if (identifier == FieldId::Name) {
        m_nameValue = CompactMap(value.toMap());
        recomputeCompositeName();
        m_changed = true;
        return;
    }
    if (identifier == FieldId::FirstName || identifier == FieldId::MiddleName || identifier == FieldId::LastName
        || identifier == FieldId::PreviousFamilyName) {
        m_nameValue.insert(identifier, value);
        recomputeCompositeName();
        m_changed = true;
        return;
    }
    if (identifier == FieldId::PhoneticName && value.typeId() == QMetaType::QVariantMap) {
        QVariantMap phonetic = value.toMap();
        updatePhoneticName(phonetic);
        m_phoneticNameValue = CompactMap(phonetic);
        m_hasPhoneticName = true;
        m_changed = true;
        return;
    }
    if (identifier == FieldId::PhoneticName || identifier == FieldId::PhoneticFirstName
        || identifier == FieldId::PhoneticMiddleName || identifier == FieldId::PhoneticLastName) {
        QVariantMap phonetic = m_phoneticNameValue.toVariantMap();
        phonetic.insert(identifier, value);
        updatePhoneticName(phonetic);
        m_phoneticNameValue = CompactMap(phonetic);
        m_hasPhoneticName = true;
        m_changed = true;
        return;
    }
    if (identifier == FieldId::Birthday) {
        setBirthdayValue(value);
        return;
    }
    if (identifier == FieldId::Photo) {
        if (value.typeId() == QMetaType::QByteArray) {
            setImageData(value.toByteArray());
            m_changed = true;
        } else if (value.typeId() == QMetaType::QImage || !value.isValid()) {
            setPhoto(value.value<QImage>());
        }
        return;
    }
    if (customItemIndex(identifier) >= 0) {
        m_items.insert(identifier, value);
        m_changed = true;
        return;
    }
    if (value.typeId() == QMetaType::QVariantList) {
        const QVariantList items = value.toList();
        const QStringList labels = labelsOf(items);
        defineCustomItem(ValueType::Labeled, identifier, labels);
        m_items.insert(identifier, items);
        for (const QString &label : labels)
            setLabel(QString(), label, identifier);
        m_changed = true;
        return;
    }
    if (value.typeId() == QMetaType::QString) {
        defineCustomItem(ValueType::String, identifier, {});
        m_items.insert(identifier, value);
        m_changed = true;
    }
}

// ---- Labeled value operations --------------------------------------------------------------

QVariantList QVPerson::labeledValueForIdentifier(const QString &identifier)
{
    if (const auto field = labeledFieldForIdentifier(identifier))
        return labeledValues(*field);
    return customValueForIdentifier(identifier).toList();
}

QVariantMap QVPerson::labeledValueForIdentifierAtIndex(const QString &identifier, qsizetype index)
{
    if (const auto field = labeledFieldForIdentifier(identifier)) {
        const CompactList &list = storedLabeledValues(*field);
        return index >= 0 && index < list.size() ? list.at(index).toVariantMap() : QVariantMap();
    }
    const QVariantList list = labeledValueForIdentifier(identifier);
    return index >= 0 && index < list.size() ? list.at(index).toMap() : QVariantMap();
}

QVariantMap QVPerson::labeledValueForIdentifierAtLabelIndex(const QString &identifier, qsizetype labelIndex)
{
    if (const auto field = labeledFieldForIdentifier(identifier)) {
        for (const CompactMap &item : storedLabeledValues(*field)) {
            const QVariant *index = item.get(Key::LabelIndex);
            if (index && index->toLongLong() == labelIndex)
                return item.toVariantMap();
        }
        return {};
    }
    for (const QVariant &v : labeledValueForIdentifier(identifier)) {
        const QVariantMap item = v.toMap();
        if (item.contains(Key::LabelIndex) && item.value(Key::LabelIndex).toLongLong() == labelIndex)
            return item;
    }
    return {};
}

void QVPerson::addLabeledValue(const QVariant &value, const QString &identifier)
{
    touch();
    if (const auto field = labeledFieldForIdentifier(identifier)) {
        if (value.typeId() == QMetaType::QVariantMap)
            addBuiltInLabeledValue(*field, value.toMap());
        return;
    }

    // Elements of a new list are numbered by position and show their value.
    auto numbered = [](const QVariantList &items) {
        QVariantList out;
        out.reserve(items.size());
        for (qsizetype i = 0; i < items.size(); ++i) {
            QVariantMap item = items.at(i).toMap();
            item.insert(Key::LabelIndex, i);
            item.insert(Key::StringValue, item.value(Key::Value));
            out.append(item);
        }
        return out;
    };

    const qsizetype custom = customItemIndex(identifier);
    if (custom < 0) {
        QVariantList items;
        if (value.typeId() == QMetaType::QVariantList)
            items = numbered(value.toList());
        else if (value.typeId() == QMetaType::QVariantMap)
            items = numbered({value});
        else
            return;
        m_items.insert(identifier, items);
        defineCustomItem(ValueType::Labeled, identifier, labelsOf(items));
        m_changed = true;
        return;
    }
    if (m_customItems.at(custom).toMap().value(CustomKey::Type).toString() != ValueType::Labeled)
        return;
    const QVariant *stored = m_items.get(identifier);
    if (stored && stored->typeId() == QMetaType::QVariantList) {
        if (value.typeId() != QMetaType::QVariantMap)
            return;
        QVariantList items = stored->toList();
        QVariantMap item = value.toMap();
        item.insert(Key::LabelIndex, nextLabelIndex(items));
        items.append(item);
        m_items.insert(identifier, items);
        m_changed = true;
        return;
    }
    QVariantList items;
    if (value.typeId() == QMetaType::QVariantList)
        items = numbered(value.toList());
    else if (value.typeId() == QMetaType::QVariantMap)
        items = numbered({value});
    else
        return;
    m_items.insert(identifier, items);
    QVariantMap definition = m_customItems.at(custom).toMap();
    definition.insert(CustomKey::Labels, labelsOf(items));
    m_customItems[custom] = definition;
    m_changed = true;
}

void QVPerson::replaceLabeledValue(const QVariant &value, const QString &identifier)
{
    touch();
    if (const auto field = labeledFieldForIdentifier(identifier)) {
        replaceBuiltInLabeledValue(*field, value);
        return;
    }
    const qsizetype custom = customItemIndex(identifier);
    if (custom < 0 || m_customItems.at(custom).toMap().value(CustomKey::Type).toString() != ValueType::Labeled)
        return;
    auto withStringValue = [](QVariantMap item) {
        item.insert(Key::StringValue, item.value(Key::Value));
        return item;
    };
    if (!value.isValid()) {
        m_items.remove(identifier);
        m_changed = true;
        return;
    }
    if (value.typeId() == QMetaType::QVariantList) {
        QVariantList items;
        for (const QVariant &v : value.toList())
            items.append(withStringValue(v.toMap()));
        m_items.insert(identifier, items);
        m_changed = true;
        return;
    }
    if (value.typeId() != QMetaType::QVariantMap)
        return;
    const QVariantMap item = withStringValue(value.toMap());
    const QVariant *stored = m_items.get(identifier);
    if (!stored || stored->typeId() != QMetaType::QVariantList) {
        m_items.insert(identifier, QVariantList{item});
        defineCustomItem(ValueType::Labeled, identifier, {item.value(Key::Label).toString()});
        m_changed = true;
        return;
    }
    QVariantList items = stored->toList();
    const QVariant labelIndex = item.value(Key::LabelIndex);
    for (QVariant &v : items) {
        const QVariantMap existing = v.toMap();
        if (labelIndex.isValid() && existing.contains(Key::LabelIndex)
            && existing.value(Key::LabelIndex).toLongLong() == labelIndex.toLongLong()) {
            v = item;
            m_items.insert(identifier, items);
            m_changed = true;
            return;
        }
    }
}

void QVPerson::deleteLabeledValueForIdentifier(const QString &identifier, qsizetype labelIndex)
{
    touch();
    if (isNotFoundMarker(labelIndex))
        return;
    if (const auto field = labeledFieldForIdentifier(identifier)) {
        auto &stored = m_labeled[int(*field)];
        if (!stored)
            return;
        for (qsizetype i = 0; i < stored->size(); ++i) {
            const QVariant *index = stored->at(i).get(Key::LabelIndex);
            if (index && index->toLongLong() == labelIndex) {
                stored->removeAt(i);
                return;
            }
        }
        return;
    }
    const QVariant *stored = m_items.get(identifier);
    if (!stored || stored->typeId() != QMetaType::QVariantList)
        return;
    QVariantList items = stored->toList();
    for (qsizetype i = 0; i < items.size(); ++i) {
        const QVariantMap item = items.at(i).toMap();
        if (item.contains(Key::LabelIndex) && item.value(Key::LabelIndex).toLongLong() == labelIndex) {
            items.removeAt(i);
            m_items.insert(identifier, items);
            return;
        }
    }
}

bool QVPerson::sortForIdentifier(const QString &identifier, const QString &sortKey, bool ascending)
{
    touch();
    const auto field = labeledFieldForIdentifier(identifier);
    if (!field || !isAllowedSortKey(identifier, sortKey))
        return false;
    auto &stored = m_labeled[int(*field)];
    if (!stored || stored->size() < 2)
        return false;
    QList<qsizetype> before;
    for (const CompactMap &item : *stored)
        before.append(item.integer(Key::LabelIndex, -1));
    std::stable_sort(stored->begin(), stored->end(), [&](const CompactMap &a, const CompactMap &b) {
        const int c = QString::compare(a.string(sortKey), b.string(sortKey), Qt::CaseInsensitive);
        return ascending ? c < 0 : c > 0;
    });
    for (qsizetype i = 0; i < stored->size(); ++i) {
        if (stored->at(i).integer(Key::LabelIndex, -1) != before.at(i))
            return true;
    }
    return false;
}
