// What the reader keeps of a property beside the value it read, so that a card saved unchanged
// keeps its groups and parameters: the property's head (group, name and parameters, without the
// transfer encoding and charset its value no longer has), and the checks that tell the writer
// whether a kept head still says what the record now holds.
#pragma once

#include "formats/vcardsyntax_p.h"
#include "record/qvperson.h"

#include <QString>

namespace VCardKept {

using Field = QVPerson::LabeledField;

// "item1.TEL;type=WORK,pref", followed by "\nitem1.X-ABLabel" when the item's label came from
// that grouped line. Equal heads share one string: a file repeats a few thousands of times.
QString head(const VCardSyntax::Property &property, const VCardSyntax::Property *labelLine = nullptr);

// The same for a property without a label line, or a null string when the writer's own form
// ("NAME" alone) says as much.
QString headIfUnusual(const VCardSyntax::Property &property);

// The parts of a kept head.
struct Parts
{
    QStringView property; // "item1.TEL;type=pref"
    QStringView labelLine; // "item1.X-ABLabel", empty when the label is in the parameters
    QStringView group; // "item1", empty when ungrouped
    QStringView name; // "TEL"
};
Parts split(QStringView head);

// Whether the head, read again with the item's values, gives the item's label and service.
bool describes(Field field, const QString &head, const CompactMap &item);

// Whether a value kept as read still reads as what the item or field now holds.
bool dateHolds(const QString &kept, const QVariant &components, const QString &head);
bool addressHolds(const QString &kept, const CompactMap &item);
bool imppHolds(const QString &kept, const CompactMap &item);

// The street of an address: post-office box, extended address and street, one a line.
QString streetOf(const VCardSyntax::Parts &parts);

// The label a custom item line with this head is read with (null for a text item).
QString customLabel(QStringView head);

// The head with its group (and its label line's) replaced.
QString regrouped(QStringView head, const QString &group);

} // namespace VCardKept
