// The current occurrence of the find string, or the place the next search starts from.
#pragma once

#include "record/entries.h"
#include "record/textrange.h"

#include <QString>
#include <optional>

struct SearchHit
{
    SubContactRow contact; // the row the occurrence lies in
    QString uniqueId;
    QString identifier; // the field; "Name" for the name column
    QString subIdentifier; // the part of a composite item; empty when none
    qsizetype labelIndex = TextRange::NotFound; // the item's position within its field
    TextRange range; // in the item's text as displayed (joined for composite items)
    std::optional<TextRange> itemRange; // within the part; only for composite items

    // The hit a search starts from on a row: its name, from the start.
    static SearchHit atRow(const SubContactRow &row);
};
