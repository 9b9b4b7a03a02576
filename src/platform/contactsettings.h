// Stand-in for the platform's contacts settings: default country and name order, from the user's
// locale unless the preferences override them.
#pragma once

#include <QString>
#include <QStringView>

namespace ContactSettings {

enum class SortOrder { None = 0, GivenName = 1, FamilyName = 2 };

// Upper-case ISO 3166 code of the user's country ("US" when the locale names none).
QString countryCode();
SortOrder sortOrder();

// Overrides (from preferences or tests). An empty code or std::nullopt-like None restores the locale value.
void setCountryCode(const QString &code);
void setSortOrder(SortOrder order);
void resetToLocale();

// Changes whenever a setting changes, so that cached display names can tell they are stale.
int generation();

// Whether a name is written family name first whatever the locale's order: names in East Asian
// scripts (Han, Hiragana, Katakana, Hangul) are, as the platform's name formatter shows them.
// Letters of no particular script (the prolonged sound mark) do not count; any other script's
// letter makes the name follow the locale.
bool isFamilyNameFirstScript(QStringView given, QStringView family);

// The record's integer form of the sort order: 1 given name first, 2 family name first, else 0.
inline int nameOrderingFromSortOrder(SortOrder order)
{
    return order == SortOrder::GivenName ? 1 : order == SortOrder::FamilyName ? 2 : 0;
}

} // namespace ContactSettings
