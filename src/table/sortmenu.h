// The sort-options menu of a column header.
#pragma once

#include <QList>
#include <QString>
#include <QVariantMap>

struct SortMenuItem
{
    QString title; // localised
    QString option; // the sort option it picks; empty for the "Sort by" heading
    bool checked = false;
    bool enabled = true;
};

namespace SortMenu {

// "Sort by" (disabled) and then one item per option of the column, the selected one ticked;
// empty for a column without sort options.
QList<SortMenuItem> sortOptionsMenu(const QString &columnIdentifier, const QVariantMap &sortOptionsDict);

// The localised title of a sort option.
QString localizedOption(const QString &option);

} // namespace SortMenu
