// The built-in view types (column sets) and per-column sort options, as the preferences store them.
#pragma once

#include <QString>
#include <QStringList>
#include <QVariantList>
#include <QVariantMap>

namespace ViewTypes {

// The view types in the order the View Type popup lists them.
QStringList viewTypeOrder();

// View type -> its field identifiers (a QStringList), each list starting with "Name".
QVariantMap builtInViewTypeDict();

// The identifiers a view type shows; empty when the dictionary has no such view type.
QStringList identifiersForViewType(const QVariantMap &viewTypeDict, const QString &viewType);

// Field -> chosen sort option: "compositeName" for "Name", every other field its own identifier.
QVariantMap builtInSortOptionsDefault();

// The sort options offered for a built-in field; empty for fields that offer none.
QStringList builtInSortOptions(const QString &field);

// Field -> {"type", "items", "selected"} for the built-in fields and every custom item of type
// "Labeled Value". "selected" comes from `sortOptionsDefault` when it names one of the field's
// options, else from the built-in default.
QVariantMap initSortOptionsDict(const QVariantList &customItems, const QVariantMap &sortOptionsDefault);

// Field -> "selected" of every entry, the shape stored as the sort-options default.
QVariantMap sortOptionsDefaultFromDict(const QVariantMap &sortOptionsDict);

} // namespace ViewTypes
