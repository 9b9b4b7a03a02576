#include "print/printoptions.h"

#include "platform/userdefaults.h"
#include "print/keys.h"
#include "record/keys.h"

#include <QFontDatabase>
#include <QFontInfo>

namespace PrintOptions {
namespace {

QVariantMap itemRow(const QString &title, bool state, bool enabled)
{
    return { { ItemKey::Title, title },
             { ItemKey::State, state ? ItemKey::On : ItemKey::Off },
             { ItemKey::Enabled, enabled ? ItemKey::On : ItemKey::Off } };
}

QVariantMap preset(const QString &name, const QString &width, const QString &height, const QString &hGap,
                   const QString &vGap)
{
    return { { StyleKey::Name, name },
             { StyleKey::LabelWidth, width },
             { StyleKey::LabelHeight, height },
             { StyleKey::HGap, hGap },
             { StyleKey::VGap, vGap } };
}

QString defaultVerticalFontFamily()
{
    const QStringList families = QFontDatabase::families();
    if (families.contains(PrintFont::PreferredVertical))
        return PrintFont::PreferredVertical;
    if (families.contains(PrintFont::JapaneseFallback))
        return PrintFont::JapaneseFallback;
    return QFontInfo(userFont(14)).family();
}

QVariantMap addressListDefaults()
{
    return { { StyleKey::PrintFrame, false },
             { StyleKey::AlternatingRow, true },
             { StyleKey::PrintCountry, false },
             { StyleKey::ItemTable, defaultItemTable() },
             { StyleKey::SelectedLabels, QStringList { PrintLabel::All } } };
}

QVariantMap mailingLabelsDefaults()
{
    const QVariantMap formats { { MailingFormat::Address, QStringList { FieldId::Name, FieldId::Address } },
                                { MailingFormat::AddressAndPhone,
                                  QStringList { FieldId::Name, FieldId::Address, FieldId::Phone } } };
    return { { StyleKey::PrintFormat, MailingFormat::HomeAddress },
             { StyleKey::PrintFormatTitles,
               QStringList { MailingFormat::Address, MailingFormat::AddressAndPhone } },
             { StyleKey::PrintFormatDictionary, formats },
             { StyleKey::LabelWidth, QStringLiteral("130") },
             { StyleKey::LabelHeight, QStringLiteral("60") },
             { StyleKey::HGap, QStringLiteral("5") },
             { StyleKey::VGap, QStringLiteral("5") },
             { StyleKey::PrintPhone, false },
             { StyleKey::PrintCompany, false },
             { StyleKey::PrintCountry, false },
             { StyleKey::PrintFrame, true },
             { StyleKey::PrintVertical, false },
             { StyleKey::VerticalFontName, defaultVerticalFontFamily() },
             { StyleKey::RepeatCount, 1 },
             { StyleKey::PresetArray, defaultPresets() } };
}

QVariantMap envelopeDefaults()
{
    return { { StyleKey::PrintSender, true },
             { StyleKey::PrintPhone, false },
             { StyleKey::PrintCompany, false },
             { StyleKey::PrintCountry, false },
             { StyleKey::PrintDepartment, false },
             { StyleKey::PrintSpouse, false },
             { StyleKey::PrintVertical, false },
             { StyleKey::PrintFrame, true },
             { StyleKey::VerticalFontName, defaultVerticalFontFamily() },
             { StyleKey::TextDirection, TextDirection::DefaultStored },
             { StyleKey::SenderLabel, QStringLiteral("home") },
             { StyleKey::SenderLabelIndex, 0 } };
}

QVariantMap hagakiDefaults()
{
    return { { StyleKey::ShowBackground, true },
             { StyleKey::HagakiTypeArray, QStringList { HagakiKind::NewYear, HagakiKind::Ordinary } },
             { StyleKey::HagakiType, HagakiKind::NewYear },
             { StyleKey::Keishou, HagakiKind::DefaultKeishou },
             { StyleKey::PrintCompany, false },
             { StyleKey::PrintSender, true },
             { StyleKey::PrintSpouse, false },
             { StyleKey::PrintChildren, false } };
}

} // namespace

QFont userFont(int pointSize)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPointSize(pointSize);
    return font;
}

QVariantList defaultItemTable()
{
    QVariantList rows { itemRow(FieldId::Name, true, false) };
    for (const QString &title :
         { FieldId::Address, FieldId::Email, FieldId::SocialNetwork, FieldId::InstantMessage, FieldId::Phone,
           FieldId::Url, FieldId::Nickname, FieldId::Company, FieldId::Department, FieldId::JobTitle,
           FieldId::Suffix, FieldId::Relationship, FieldId::PhoneticName, FieldId::Birthday, FieldId::Dates,
           FieldId::Note })
        rows.append(itemRow(title, false, true));
    return rows;
}

QVariantList defaultPresets()
{
    return { preset(QStringLiteral("130x60 points gap 5 point"), QStringLiteral("130"), QStringLiteral("60"),
                    QStringLiteral("5"), QStringLiteral("5")),
             preset(QStringLiteral("2-5/8x1\" gap 1/8\""), QStringLiteral("189"), QStringLiteral("72"),
                    QStringLiteral("9"), QStringLiteral("0")),
             preset(QStringLiteral("4x2\" gap 1/8\""), QStringLiteral("288"), QStringLiteral("144"),
                    QStringLiteral("9"), QStringLiteral("0")),
             preset(QStringLiteral("55.5x29.7mm gap 0"), QStringLiteral("157.32"), QStringLiteral("84.19"),
                    QStringLiteral("0"), QStringLiteral("0")),
             preset(QStringLiteral("66x33.9mm gap 0"), QStringLiteral("187.1"), QStringLiteral("96.1"),
                    QStringLiteral("0"), QStringLiteral("0")),
             preset(QStringLiteral("70x37mm gap 0"), QStringLiteral("198.4"), QStringLiteral("104.88"),
                    QStringLiteral("0"), QStringLiteral("0")) };
}

QVariantMap makePreset(const QString &name, double width, double height, double hGap, double vGap)
{
    // Two decimals, as the built-in sheets give them.
    const auto text = [](double value) { return QString::number(std::round(value * 100) / 100, 'g', 10); };
    return preset(name, text(width), text(height), text(hGap), text(vGap));
}

bool isBuiltInPreset(const QString &name)
{
    const QVariantList builtIn = defaultPresets();
    return std::any_of(builtIn.cbegin(), builtIn.cend(), [&name](const QVariant &preset) {
        return preset.toMap().value(StyleKey::Name).toString() == name;
    });
}

QVariantList addPreset(const QVariantList &presets, const QVariantMap &preset)
{
    const QString name = preset.value(StyleKey::Name).toString().trimmed();
    if (name.isEmpty() || isBuiltInPreset(name))
        return presets;
    QVariantMap added = preset;
    added.insert(StyleKey::Name, name);
    QVariantList out = presets;
    for (QVariant &entry : out) {
        if (entry.toMap().value(StyleKey::Name).toString() == name) {
            entry = added;
            return out;
        }
    }
    out.append(added);
    return out;
}

QVariantList deletePreset(const QVariantList &presets, const QString &name)
{
    if (isBuiltInPreset(name))
        return presets;
    QVariantList out;
    for (const QVariant &entry : presets) {
        if (entry.toMap().value(StyleKey::Name).toString() != name)
            out.append(entry);
    }
    return out;
}

QVariantMap createPrintOptions()
{
    const QFont font = userFont(8);
    return { { PrintKey::Version, CurrentVersion },
             { PrintKey::PrintStyle, PrintStyle::AddressList },
             { PrintKey::UnitType, PrintUnit::Points },
             { PrintKey::FontName, QFontInfo(font).family() },
             { PrintKey::FontSize, 8 },
             { PrintKey::TopMargin, 0.0 },
             { PrintKey::LeftMargin, 0.0 },
             { PrintKey::RightMargin, 0.0 },
             { PrintKey::BottomMargin, 0.0 },
             { PrintKey::AddressListOptions, addressListDefaults() },
             { PrintKey::MailingLabelsOptions, mailingLabelsDefaults() },
             { PrintKey::EnvelopeOptions, envelopeDefaults() },
             { PrintKey::HagakiOptions, hagakiDefaults() } };
}

QVariantMap load(const UserDefaults &defaults)
{
    const QVariantMap stored = defaults.dictionaryValue(PrintDefaultsKey::Options);
    if (number(stored, PrintKey::Version) < CurrentVersion)
        return createPrintOptions();
    // A hand-edited or partly written file must not leave a style without its dictionary.
    QVariantMap options = createPrintOptions();
    for (auto it = stored.cbegin(); it != stored.cend(); ++it) {
        if (it.value().typeId() == QMetaType::QVariantMap
            && options.value(it.key()).typeId() == QMetaType::QVariantMap) {
            QVariantMap merged = options.value(it.key()).toMap();
            const QVariantMap storedStyle = it.value().toMap();
            for (auto s = storedStyle.cbegin(); s != storedStyle.cend(); ++s)
                merged.insert(s.key(), s.value());
            options.insert(it.key(), merged);
        } else {
            options.insert(it.key(), it.value());
        }
    }
    return options;
}

void store(UserDefaults &defaults, const QVariantMap &options)
{
    defaults.setValue(PrintDefaultsKey::Options, options);
}

QString lastPrintStyle(const UserDefaults &defaults)
{
    const QString style = defaults.stringValue(PrintDefaultsKey::LastStyle);
    return PrintStyle::all().contains(style) ? style : PrintStyle::AddressList;
}

void storeLastPrintStyle(UserDefaults &defaults, const QString &style)
{
    defaults.setValue(PrintDefaultsKey::LastStyle, style);
}

QString styleOptionsKey(const QString &style)
{
    if (style == PrintStyle::MailingLabels)
        return PrintKey::MailingLabelsOptions;
    if (style == PrintStyle::Envelope)
        return PrintKey::EnvelopeOptions;
    if (style == PrintStyle::Hagaki)
        return PrintKey::HagakiOptions;
    return PrintKey::AddressListOptions;
}

QVariantMap styleOptions(const QVariantMap &options, const QString &style)
{
    return options.value(styleOptionsKey(style)).toMap();
}

QVariantList itemTableForColumns(const QVariantList &items, const QStringList &columns)
{
    QVariantList out = items;
    for (QVariant &row : out) {
        QVariantMap item = row.toMap();
        const QString title = item.value(ItemKey::Title).toString();
        if (title != FieldId::Name && columns.contains(title))
            item.insert(ItemKey::State, ItemKey::On);
        row = item;
    }
    return out;
}

float changeValue(float value, const QString &fromUnit, const QString &toUnit)
{
    if (fromUnit == toUnit)
        return value;
    if (fromUnit == PrintUnit::Points && toUnit == PrintUnit::Inches)
        return value / 72.0f;
    if (fromUnit == PrintUnit::Points && toUnit == PrintUnit::Millimetres)
        return value * 25.4f / 72.0f;
    if (fromUnit == PrintUnit::Inches && toUnit == PrintUnit::Points)
        return value * 72.0f;
    if (fromUnit == PrintUnit::Inches && toUnit == PrintUnit::Millimetres)
        return value * 25.4f;
    if (fromUnit == PrintUnit::Millimetres && toUnit == PrintUnit::Points)
        return value * 72.0f / 25.4f;
    if (fromUnit == PrintUnit::Millimetres && toUnit == PrintUnit::Inches)
        return value / 25.4f;
    return value;
}

double clampMargin(double margin, double paperDimension)
{
    const double limit = std::abs(paperDimension) * 0.95;
    return std::clamp(margin, -limit, limit);
}

QStringList toggleSelectedLabel(const QStringList &selected, const QString &label)
{
    if (label == PrintLabel::All)
        return { PrintLabel::All };
    QStringList out = selected;
    out.removeAll(PrintLabel::All);
    if (out.contains(label))
        out.removeAll(label);
    else
        out.append(label);
    return out.isEmpty() ? QStringList { PrintLabel::All } : out;
}

QString rectToString(const QRectF &rect)
{
    return QStringLiteral("{{%1, %2}, {%3, %4}}")
        .arg(rect.x())
        .arg(rect.y())
        .arg(rect.width())
        .arg(rect.height());
}

QRectF rectFromString(const QString &text)
{
    QString plain = text;
    plain.remove(QLatin1Char('{')).remove(QLatin1Char('}'));
    const QStringList parts = plain.split(QLatin1Char(','));
    if (parts.size() != 4)
        return {};
    double values[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        values[i] = parts.at(i).trimmed().toDouble(&ok);
        if (!ok)
            return {};
    }
    return QRectF(values[0], values[1], values[2], values[3]);
}

QRectF envelopeTextRect(const QVariantMap &options, QSizeF paper, const QString &paperName)
{
    const QVariantMap rects
        = styleOptions(options, PrintStyle::Envelope).value(StyleKey::TextRectDict).toMap();
    const QRectF stored = rectFromString(rects.value(paperName).toString());
    if (stored.isValid())
        return stored;
    const QSizeF size(paper.width() / 3, paper.height() / 5);
    return QRectF(QPointF((paper.width() - size.width()) / 2, (paper.height() - size.height()) / 2), size);
}

QVariantMap withEnvelopeTextRect(const QVariantMap &options, const QString &paperName, const QRectF &rect)
{
    QVariantMap envelope = styleOptions(options, PrintStyle::Envelope);
    QVariantMap rects = envelope.value(StyleKey::TextRectDict).toMap();
    rects.insert(paperName, rectToString(rect));
    envelope.insert(StyleKey::TextRectDict, rects);
    QVariantMap out = options;
    out.insert(PrintKey::EnvelopeOptions, envelope);
    return out;
}

QStringList verticalFontList(const QStringList &families,
                             const std::function<bool(const QString &family)> &setsVerticalText)
{
    const QStringList printerFonts = PrintFont::printerVerticalFonts();
    const QStringList unfit = PrintFont::unfitVerticalFamilies();
    QStringList list;
    for (const QString &family : families) {
        if (family.startsWith(QLatin1Char('.')) || list.contains(family))
            continue;
        if (printerFonts.contains(family) || (!unfit.contains(family) && setsVerticalText(family)))
            list.append(family);
    }
    if (list.isEmpty())
        list.append(QFontInfo(userFont(16)).family());
    return list;
}

QStringList verticalFontList()
{
    return verticalFontList(QFontDatabase::families(), [](const QString &family) {
        return QFontDatabase::writingSystems(family).contains(QFontDatabase::Japanese);
    });
}

double number(const QVariantMap &map, const QString &key, double fallback)
{
    bool ok = false;
    const double value = map.value(key).toDouble(&ok);
    return ok ? value : fallback;
}

bool flag(const QVariantMap &map, const QString &key)
{
    const QVariant value = map.value(key);
    if (value.typeId() == QMetaType::QString)
        return value.toString() == ItemKey::On
            || value.toString().compare(QLatin1String("YES"), Qt::CaseInsensitive) == 0
            || value.toString().compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
    return value.toBool();
}

} // namespace PrintOptions
