// The print-options dictionary: defaults, loading and storing in the user defaults, and the small
// rules of the option tabs (units, margin clamps, presets, the label filter).
#pragma once

#include <QFont>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <functional>

class UserDefaults;

namespace PrintOptions {

constexpr int CurrentVersion = 6;

// Every key with its default; fontName/fontSize from the 8-point user font.
QVariantMap createPrintOptions();
// The stored dictionary when its version is current, else the defaults. Missing style
// dictionaries of a stored dictionary are completed from the defaults.
QVariantMap load(const UserDefaults &defaults);
void store(UserDefaults &defaults, const QVariantMap &options);
// The style last printed with ("Address List" when none or unknown).
QString lastPrintStyle(const UserDefaults &defaults);
void storeLastPrintStyle(UserDefaults &defaults, const QString &style);

QVariantMap styleOptions(const QVariantMap &options, const QString &style);
QString styleOptionsKey(const QString &style);

// The default item rows of the address list, "Name" first.
QVariantList defaultItemTable();
// Turns on every item whose title is one of the columns ("Name" stays as it is).
QVariantList itemTableForColumns(const QVariantList &items, const QStringList &columns);
QVariantList defaultPresets();
// A label sheet preset; its sizes are stored as text in points, like the built-in ones.
QVariantMap makePreset(const QString &name, double width, double height, double hGap, double vGap);
// The built-in presets cannot be replaced or deleted, so a sheet once chosen stays available.
bool isBuiltInPreset(const QString &name);
// The presets with this one added at the end, or replacing the user preset of its name; unchanged
// when the name is empty or that of a built-in preset.
QVariantList addPreset(const QVariantList &presets, const QVariantMap &preset);
// The presets without the user preset of that name.
QVariantList deletePreset(const QVariantList &presets, const QString &name);

// 72 points = 1 inch = 25.4 mm, in single precision; unknown units leave the value unchanged.
float changeValue(float value, const QString &fromUnit, const QString &toUnit);
// A margin kept within ±95 % of the paper dimension it runs along.
double clampMargin(double margin, double paperDimension);

// The ticked labels after the user chose `label` in the address-list label popup: "All" alone
// unticks the others, another label toggles and unticks "All"; nothing ticked means ["All"].
QStringList toggleSelectedLabel(const QStringList &selected, const QString &label);

// The number stored under a key, also when stored as text ("130").
double number(const QVariantMap &map, const QString &key, double fallback = 0);
bool flag(const QVariantMap &map, const QString &key);

// A rectangle as stored in "textRectDict": "{{x, y}, {width, height}}".
QString rectToString(const QRectF &rect);
// The rectangle of such a string; an empty rectangle when it is not one.
QRectF rectFromString(const QString &text);
// The envelope's address rectangle for a paper: the one stored under its name, else a third of the
// paper's width and a fifth of its height, centred.
QRectF envelopeTextRect(const QVariantMap &options, QSizeF paper, const QString &paperName);
// The options with the envelope's address rectangle stored for that paper.
QVariantMap withEnvelopeTextRect(const QVariantMap &options, const QString &paperName, const QRectF &rect);

// The families offered for vertical text, in the order given: the printer's own Japanese fonts by
// name, and every other family that sets vertical Japanese text, except hidden ones (".") and
// those unfit for it. When none is left, the 16-point user font's family.
QStringList verticalFontList(const QStringList &families,
                             const std::function<bool(const QString &family)> &setsVerticalText);
// The same for the fonts of this system: a family sets vertical text when it covers Japanese.
QStringList verticalFontList();

// The 8-point user font the defaults are made from.
QFont userFont(int pointSize);

} // namespace PrintOptions
