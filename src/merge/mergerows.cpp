// The aligned rows of the merge panel's two tables.
#include "merge/mergerows.h"

#include "merge/keys.h"
#include "record/keys.h"

#include <algorithm>

namespace {

const QStringList &namePartLabels()
{
    static const QStringList labels { FieldId::FirstName, FieldId::MiddleName, FieldId::LastName,
                                      FieldId::PreviousFamilyName };
    return labels;
}

// Phonetic rows are labelled like the name rows; the dictionary keys carry a prefix.
struct PhoneticPart
{
    const QString &label;
    const QString &key;
};
const PhoneticPart kPhoneticParts[] = {
    { FieldId::FirstName, FieldId::PhoneticFirstName },
    { FieldId::MiddleName, FieldId::PhoneticMiddleName },
    { FieldId::LastName, FieldId::PhoneticLastName },
};

int lineCount(const QString &text)
{
    return int(text.count(u'\n')) + 1;
}

QVariantList itemsOf(QVPerson &person, const QString &identifier)
{
    return person.valueForIdentifier(identifier).toList();
}

void appendLabeledRows(MergeRows &rows, QVPerson &person, const QString &identifier, int rowCount)
{
    const QVariantList items = itemsOf(person, identifier);
    const int count = int(items.size());
    for (int i = 0; i < std::max(rowCount, count); ++i) {
        MergeRow row;
        row.kind = MergeRow::Kind::Labeled;
        row.type = identifier;
        row.index = i;
        row.valueCount = count - i;
        if (i < count) {
            const QVariantMap item = items.at(i).toMap();
            row.label = item.value(Key::Label).toString();
            row.value = item.value(Key::StringValue).toString();
            row.labelIndex = item.value(Key::LabelIndex).toInt();
        }
        rows.append(row);
    }
}

} // namespace

QStringList MergeRowBuilder::fieldOrder(const QVariantList &customItems)
{
    QStringList order { FieldId::Photo,       FieldId::Name,           FieldId::NameOrdering,
                        FieldId::NameDisplay, FieldId::Company,        FieldId::PhoneticName,
                        FieldId::Email,       FieldId::InstantMessage, FieldId::SocialNetwork,
                        FieldId::Url,         FieldId::Phone,          FieldId::Address,
                        FieldId::Nickname,    FieldId::Birthday,       FieldId::Relationship,
                        FieldId::Suffix,      FieldId::Title,          FieldId::Department,
                        FieldId::JobTitle,    FieldId::Dates,          FieldId::Note };
    for (const QVariant &item : customItems) {
        const QString name = item.toMap().value(CustomKey::Name).toString();
        if (!name.isEmpty() && !order.contains(name))
            order.append(name);
    }
    return order;
}

QString MergeRowBuilder::valueKind(const QVPerson &person, const QString &identifier,
                                   const QVariantList &customItems)
{
    const QString own = person.typeForIdentifier(identifier);
    if (!own.isEmpty())
        return own;
    for (const QVariant &item : customItems) {
        const QVariantMap definition = item.toMap();
        if (definition.value(CustomKey::Name).toString() == identifier)
            return definition.value(CustomKey::Type).toString();
    }
    return {};
}

QString MergeRowBuilder::phoneticKey(const QString &label)
{
    for (const PhoneticPart &part : kPhoneticParts) {
        if (part.label == label)
            return part.key;
    }
    return {};
}

QStringList MergeRowBuilder::nameOrderingLabels(int defaultNameOrdering)
{
    return { defaultNameOrdering == 0 ? tr("System Default (First Name First)")
                                      : tr("System Default (Last Name First)"),
             tr("First Name First"), tr("Last Name First") };
}

MergeRowBuilder::LabeledCounts MergeRowBuilder::labeledCounts(QVPerson &left, QVPerson &right,
                                                              const QVariantList &customItems)
{
    LabeledCounts counts;
    for (const QString &identifier : fieldOrder(customItems)) {
        if (valueKind(left, identifier, customItems) != ValueType::Labeled
            && valueKind(right, identifier, customItems) != ValueType::Labeled)
            continue;
        const qsizetype most = std::max(itemsOf(left, identifier).size(), itemsOf(right, identifier).size());
        counts.insert(identifier, std::max<int>(1, int(most)));
    }
    return counts;
}

MergeRows MergeRowBuilder::rowsForPerson(QVPerson &person, const LabeledCounts &counts,
                                         const QVariantList &customItems,
                                         const QStringList &nameOrderingLabels)
{
    MergeRows rows;
    const QVariantMap name = person.nameValue();
    for (const QString &identifier : fieldOrder(customItems)) {
        MergeRow row;
        row.type = identifier;
        if (identifier == FieldId::Photo) {
            row.kind = MergeRow::Kind::Photo;
            row.numLines = 2;
            rows.append(row);
        } else if (identifier == FieldId::Name) {
            row.kind = MergeRow::Kind::NamePart;
            for (const QString &part : namePartLabels()) {
                row.label = part;
                row.value = name.value(part).toString();
                rows.append(row);
            }
        } else if (identifier == FieldId::PhoneticName) {
            row.kind = MergeRow::Kind::PhoneticPart;
            const QVariantMap phonetic = person.phoneticNameValue();
            for (const PhoneticPart &part : kPhoneticParts) {
                row.label = part.label;
                row.value = phonetic.value(part.key).toString();
                rows.append(row);
            }
        } else if (identifier == FieldId::NameOrdering) {
            row.kind = MergeRow::Kind::NameOrdering;
            const int ordering = name.value(Key::NameOrdering).toInt();
            row.label = nameOrderingLabels.value(ordering == 1 || ordering == 2 ? ordering : 0);
            rows.append(row);
        } else if (identifier == FieldId::NameDisplay) {
            row.kind = MergeRow::Kind::NameDisplay;
            const bool asPerson = name.value(Key::ShowAsPerson, true).toBool();
            row.label = asPerson ? personWord() : companyWord();
            rows.append(row);
        } else if (counts.contains(identifier)) {
            // Labeled on either side: a custom item this contact lacks gets filler rows only.
            appendLabeledRows(rows, person, identifier, counts.value(identifier));
        } else {
            const QVariant value = person.valueForIdentifier(identifier);
            if (value.typeId() == QMetaType::QVariantMap) {
                const QVariantMap dictionary = value.toMap();
                row.label = dictionary.value(Key::Label).toString();
                row.value = dictionary.value(Key::StringValue).toString();
            } else if (value.typeId() == QMetaType::QString) {
                row.value = value.toString();
                if (valueKind(person, identifier, customItems) == ValueType::String)
                    row.numLines = std::max(1, lineCount(row.value));
            }
            rows.append(row);
        }
    }
    return rows;
}

QString MergeRowBuilder::dragText(QVPerson &person, const MergeRow &row)
{
    QString value;
    switch (row.kind) {
    case MergeRow::Kind::NamePart:
        value = person.nameValue().value(row.label).toString();
        break;
    case MergeRow::Kind::PhoneticPart:
        value = person.phoneticNameValue().value(phoneticKey(row.label)).toString();
        break;
    case MergeRow::Kind::Labeled:
        value = row.labelIndex >= 0 ? row.value : QString();
        break;
    case MergeRow::Kind::Photo:
    case MergeRow::Kind::NameOrdering:
    case MergeRow::Kind::NameDisplay:
        return {};
    case MergeRow::Kind::Value:
        value = row.value;
        break;
    }
    if (value.isEmpty())
        return {};
    return MergeKey::DragTextFormat.arg(row.label, value);
}
