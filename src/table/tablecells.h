// What each cell of the contacts table shows, computed from the row's record, so that the model
// and the delegates only read it.
#pragma once

#include "record/entries.h"

#include <QString>
#include <QStringList>
#include <QVariantList>

enum class CellKind
{
    None, // no cell at all
    ImageAndText, // Name column: thumbnail and display name
    DetailCell, // Name column with a second line (company or name)
    TextCell, // one string, dictionary, phonetic-name or birthday text
    PopupAndText, // one labeled item: label popup and text
};

struct CellContent
{
    CellKind kind = CellKind::None;
    QString text;
    QString detailText; // DetailCell: the second line (empty unless the company is to be shown)
    bool showsImage = false; // Name cell on a contact's first row: the record's thumbnail
    bool bold = false; // the display name is set in the bold font

    // PopupAndText only.
    bool hasItem = false; // false: an empty cell without popup
    QString label; // the item's label
    QString labelField; // the field whose label lists the popup offers ("Address" for components)
    int itemLabelIndex = -1; // the item's own "labelIndex"

    bool editable = false; // edited in place (others open popovers or are read-only)
};

struct CellContext
{
    QStringList selectedLabels;
    QVariantList customItems; // the document's custom item definitions ("Name", "Type")
    bool showCompanyInNameCell = false;
    bool editState = true;
};

namespace TableCells {

CellContent cellContent(const SubContactRow &row, const QString &columnIdentifier,
                        const CellContext &context);

// The cell view identifier of a kind ("ImageAndText", ...); empty for None.
QString cellIdentifier(CellKind kind);

} // namespace TableCells
