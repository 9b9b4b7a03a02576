// The texts the search engine looks through: one item of one field of a contact, as the table or
// the detail side bar shows it, split into its parts where the item is composite.
#pragma once

#include "record/qvperson.h"

#include <QList>
#include <QString>
#include <QVariantList>

// Where the search runs: the rows of the table, or the one contact of the detail side bar.
enum class FindMode
{
    Table,
    Detail
};

struct TextPart
{
    QString subIdentifier; // empty for a single text
    QString text;
    qsizetype offset = 0; // where the part starts in the item's displayed text
};

struct ItemText
{
    bool composite = false;
    QList<TextPart> parts; // a single text is one part without sub-identifier
};

namespace ItemTexts {

// How a field is looked through.
enum class FieldKind
{
    Name,
    PhoneticName,
    Address,
    AddressComponent,
    InstantMessage,
    Labeled,
    String,
    Never // dates, birthdays, photos and whatever has no text of its own
};

FieldKind fieldKind(const QVPerson &person, const QString &identifier, const QVariantList &customItems = {});

// Whether the field shows an item on every row of a contact, not only on its first.
bool isPerItem(FieldKind kind);

// The text of the item at `labelIndex` (a position within the field; ignored by single-valued
// fields). Empty (no parts) when the field is never searched or has no such item.
ItemText itemText(QVPerson &person, const QString &identifier, qsizetype labelIndex, FindMode mode,
                  const QVariantList &customItems = {});

// How many items the field holds for the detail side bar: its labeled values (at least one), else 1.
qsizetype itemCount(const QVPerson &person, const QString &identifier, const QVariantList &customItems = {});

// The field's own key constant for an identifier read from elsewhere (the preferences): records
// find their entries by the constant's characters at once, by any other copy only through a table.
QString canonicalIdentifier(const QString &identifier);

// The fields of a contact in the order the detail side bar shows them, custom items last.
QStringList detailRowOrder(const QVariantList &customItems);

} // namespace ItemTexts
