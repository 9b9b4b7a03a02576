// The top layer of the vCard reader: the properties of one card -> a record with the value shapes
// of the contact record, its custom items and the card's categories.
#pragma once

#include "formats/vcardsyntax_p.h"
#include "record/qvperson.h"

#include <QStringList>

namespace VCardRecordReader {

struct Result
{
    PersonPtr person; // null when the card holds no contact
    QStringList categories; // trimmed, without empty names, in card order
    int keptVerbatim = 0; // properties kept in the record's extra properties
};

enum class Parts
{
    StandardOnly, // the serializer's share: no custom items, categories only reported
    Everything, // custom items too, as the file reader wants
};

Result read(QByteArrayView card, Parts parts, const VCardSyntax::TextSource &source = {});

// The categories of a parsed card (every CATEGORIES property, decoded, split at unescaped ",").
QStringList categories(const VCardSyntax::Card &card);

// The label of a labeled custom item: the parameter text after "type=", or all of it. The
// transfer encoding is gone once the value is decoded, so it is no part of the label. Null when
// nothing but the encoding was given (the item is then a plain string item).
QString customLabel(const VCardSyntax::Property &p);

// Adds the custom items of a parsed card to a record.
void addCustomItems(const VCardSyntax::Card &card, QVPerson &person);

} // namespace VCardRecordReader
