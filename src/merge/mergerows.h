// The rows of the merge panel: one table per contact, field by field, aligned with each other.
//
// A labeled field takes as many rows on both sides as the contact with more items has, so the
// side with fewer gets filler rows; every other field takes one row per part on both sides.
#pragma once

#include "record/qvperson.h"

#include <QCoreApplication>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>

struct MergeRow
{
    enum class Kind
    {
        Photo,
        NamePart,
        PhoneticPart,
        NameOrdering,
        NameDisplay,
        Labeled, // an item, or a filler row (labelIndex -1)
        Value // a text field, the birthday or another single value
    };

    Kind kind = Kind::Value;
    QString type; // the field identifier
    QString label; // name part key, the item's label, the ordering or display word
    QString value; // the text shown; empty on rows without an item
    int labelIndex = -1;
    int index = 0; // position within a labeled field
    int valueCount = 0; // items still to come on this side, this row included; <= 0 on filler rows
    int numLines = 1;

    bool isFiller() const { return kind == Kind::Labeled && labelIndex < 0; }
};
using MergeRows = QList<MergeRow>;

class MergeRowBuilder
{
    Q_DECLARE_TR_FUNCTIONS(MergeRowBuilder)

public:
    // Field identifier -> rows of a labeled field on both sides.
    using LabeledCounts = QHash<QString, int>;

    // The fields in the order the panel shows them, custom items last.
    static QStringList fieldOrder(const QVariantList &customItems);
    // The value kind of a field: the record's own, or the custom item definition's "Type".
    static QString valueKind(const QVPerson &person, const QString &identifier,
                             const QVariantList &customItems);
    // The key of a phonetic name part in the phonetic name dictionary, for the row's label.
    static QString phoneticKey(const QString &label);

    static LabeledCounts labeledCounts(QVPerson &left, QVPerson &right, const QVariantList &customItems);
    // The rows of one contact. nameOrderingLabels[0] is the word for the system default ordering.
    static MergeRows rowsForPerson(QVPerson &person, const LabeledCounts &counts,
                                   const QVariantList &customItems, const QStringList &nameOrderingLabels);
    // What a dragged row carries as text: the label and the value, nothing for an empty value.
    static QString dragText(QVPerson &person, const MergeRow &row);

    // The words of the name ordering popup, the first one for the given default ordering.
    static QStringList nameOrderingLabels(int defaultNameOrdering);
    static QString personWord() { return tr("Person"); }
    static QString companyWord() { return tr("Company"); }
};
