#include "table/recordreader.h"

#include "record/keys.h"

LabeledItems::LabeledItems(const QVPerson &person, QVPerson::LabeledField field)
    : m_compact(&person.storedLabeledValues(field))
{ }

LabeledItems::LabeledItems(const QVPerson &person, const QString &identifier)
{
    if (const auto field = QVPerson::labeledFieldForIdentifier(identifier)) {
        m_compact = &person.storedLabeledValues(*field);
        return;
    }
    if (person.typeForIdentifier(identifier) != ValueType::Labeled)
        return;
    if (const QVariant *stored = person.storedItem(identifier);
        stored && stored->typeId() == QMetaType::QVariantList)
        m_list = stored->toList();
}

QVariant LabeledItems::value(qsizetype position, const QString &key) const
{
    if (m_compact)
        return m_compact->at(position).value(key);
    return m_list.at(position).toMap().value(key);
}

QString LabeledItems::string(qsizetype position, const QString &key) const
{
    if (m_compact)
        return m_compact->at(position).string(key);
    return m_list.at(position).toMap().value(key).toString();
}

QString LabeledItems::label(qsizetype position) const
{
    return string(position, Key::Label);
}

int LabeledItems::labelIndex(qsizetype position) const
{
    const QVariant index = value(position, Key::LabelIndex);
    return index.isValid() ? index.toInt() : -1;
}

LabelFilter::LabelFilter(const QStringList &selectedLabels)
    : m_labels(selectedLabels)
    , m_all(selectedLabels.isEmpty() || selectedLabels.constFirst() == LabelWord::All)
{ }

namespace RecordReader {

QString fieldType(const QVPerson &person, const QString &identifier, const QVariantList &customItems)
{
    const QString type = person.typeForIdentifier(identifier);
    if (!type.isEmpty())
        return type;
    for (const QVariant &item : customItems) {
        const QVariantMap definition = item.toMap();
        if (definition.value(CustomKey::Name).toString() == identifier)
            return definition.value(CustomKey::Type).toString();
    }
    return {};
}

QString storedString(const QVPerson &person, const QString &identifier)
{
    const QVariant *stored = person.storedItem(identifier);
    return stored ? stored->toString() : QString();
}

} // namespace RecordReader
