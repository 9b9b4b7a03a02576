// Key strings of printing: the print-options dictionary, its style dictionaries, text objects.
#pragma once

#include <QString>
#include <QStringList>

namespace PrintDefaultsKey {
inline const QString Options = QStringLiteral("QV1DprintOptions");
inline const QString LastStyle = QStringLiteral("QV1DlastPrintStyle");
} // namespace PrintDefaultsKey

// The four styles; also the identifiers of the option tabs.
namespace PrintStyle {
inline const QString AddressList = QStringLiteral("Address List");
inline const QString MailingLabels = QStringLiteral("Mailing Labels");
inline const QString Envelope = QStringLiteral("Envelope");
inline const QString Hagaki = QStringLiteral("Hagaki");

inline QStringList all()
{
    return { AddressList, MailingLabels, Envelope, Hagaki };
}
} // namespace PrintStyle

namespace PrintUnit {
inline const QString Points = QStringLiteral("points");
inline const QString Inches = QStringLiteral("inches");
inline const QString Millimetres = QStringLiteral("mm");
} // namespace PrintUnit

// Top-level keys of the options dictionary.
namespace PrintKey {
inline const QString Version = QStringLiteral("Version");
inline const QString PrintStyle = QStringLiteral("printStyle");
inline const QString UnitType = QStringLiteral("unitType");
inline const QString FontName = QStringLiteral("fontName");
inline const QString FontSize = QStringLiteral("fontSize");
inline const QString TopMargin = QStringLiteral("topMargin");
inline const QString LeftMargin = QStringLiteral("leftMargin");
inline const QString RightMargin = QStringLiteral("rightMargin");
inline const QString BottomMargin = QStringLiteral("bottomMargin");
inline const QString AddressListOptions = QStringLiteral("Address List Options");
inline const QString MailingLabelsOptions = QStringLiteral("Mailing Labels Options");
inline const QString EnvelopeOptions = QStringLiteral("Envelope Options");
inline const QString HagakiOptions = QStringLiteral("Hagaki Options");
// Paper size handed to a view made without a printer.
inline const QString PaperWidth = QStringLiteral("paperWidth");
inline const QString PaperHeight = QStringLiteral("paperHeight");
} // namespace PrintKey

// Keys shared by the style dictionaries.
namespace StyleKey {
inline const QString PrintFrame = QStringLiteral("printFrame");
inline const QString AlternatingRow = QStringLiteral("alternatingRow");
inline const QString PrintCountry = QStringLiteral("printCountry");
inline const QString PrintPhone = QStringLiteral("printPhone");
inline const QString PrintCompany = QStringLiteral("printCompany");
inline const QString PrintDepartment = QStringLiteral("printDepartment");
inline const QString PrintSpouse = QStringLiteral("printSpouse");
inline const QString PrintChildren = QStringLiteral("printChildren");
inline const QString PrintPrefix = QStringLiteral("printPrefix");
inline const QString PrintSuffix = QStringLiteral("printSuffix");
inline const QString PrintSender = QStringLiteral("printSender");
inline const QString Keishou = QStringLiteral("keishou");
inline const QString PrintVertical = QStringLiteral("printVertical");
inline const QString VerticalFontName = QStringLiteral("verticalFontName");
inline const QString ItemTable = QStringLiteral("itemTable");
inline const QString SelectedLabels = QStringLiteral("selectedLabels");
inline const QString PrintFormat = QStringLiteral("printFormat");
inline const QString PrintFormatTitles = QStringLiteral("printFormatTitles");
inline const QString PrintFormatDictionary = QStringLiteral("printFormatDictionary");
inline const QString LabelWidth = QStringLiteral("labelWidth");
inline const QString LabelHeight = QStringLiteral("labelHeight");
inline const QString HGap = QStringLiteral("hGap");
inline const QString VGap = QStringLiteral("vGap");
inline const QString RepeatCount = QStringLiteral("repeatCount");
inline const QString PresetArray = QStringLiteral("presetArray");
inline const QString Name = QStringLiteral("name");
inline const QString TextDirection = QStringLiteral("textDirection");
inline const QString SenderLabel = QStringLiteral("senderLabel");
inline const QString SenderLabelIndex = QStringLiteral("senderLabelIndex");
inline const QString TextRectDict = QStringLiteral("textRectDict");
inline const QString ShowBackground = QStringLiteral("showBackground");
inline const QString HagakiTypeArray = QStringLiteral("hagakiTypeArray");
inline const QString HagakiType = QStringLiteral("hagakiType");
} // namespace StyleKey

// An item row of the address list.
namespace ItemKey {
inline const QString Title = QStringLiteral("Title");
inline const QString State = QStringLiteral("State");
inline const QString Enabled = QStringLiteral("Enabled");
inline const QString On = QStringLiteral("1");
inline const QString Off = QStringLiteral("0");
} // namespace ItemKey

// Object names of the option tabs' controls that have no options key of their own.
namespace PrintPanelObject {
inline const QString Summary = QStringLiteral("summary");
// Followed by 0 to 3: x, y, width and height of the envelope's address rectangle.
inline const QString EnvelopeText = QStringLiteral("envelopeText");
inline const QString SenderName = QStringLiteral("senderName");
inline const QString SenderAddress = QStringLiteral("senderAddress");
} // namespace PrintPanelObject

// The name a new label preset is offered under: its width, height, unit and horizontal gap.
inline const QString PresetNamePattern = QStringLiteral("%1x%2 %3 gap %4");

namespace PrintLabel {
inline const QString All = QStringLiteral("All");
} // namespace PrintLabel

// The labels the address list's filter offers first, before those of each field.
namespace LabelFilterWord {
inline const QString Home = QStringLiteral("home");
inline const QString Work = QStringLiteral("work");
inline const QString Other = QStringLiteral("other");
} // namespace LabelFilterWord

namespace TextDirection {
inline const QString LeftRight = QStringLiteral("Left-Right");
inline const QString UpDown = QStringLiteral("Up-Down");
// The stored default, which names neither direction and is read as Left-Right.
inline const QString DefaultStored = QStringLiteral("Left-right");
} // namespace TextDirection

namespace MailingFormat {
inline const QString HomeAddress = QStringLiteral("Home address");
inline const QString Address = QStringLiteral("Address");
inline const QString AddressAndPhone = QStringLiteral("Address and Phone");
} // namespace MailingFormat

namespace HagakiKind {
inline const QString NewYear = QStringLiteral("年賀ハガキ");
inline const QString Ordinary = QStringLiteral("普通ハガキ");
inline const QString DefaultKeishou = QStringLiteral("様");
} // namespace HagakiKind

namespace PrintFont {
// The preferred rounded Japanese font for vertical text; the user font stands in when missing.
inline const QString PreferredVertical = QStringLiteral("Hiragino Maru Gothic ProN");
// Installed by the set-up; used for Japanese text when the preferred font is missing.
inline const QString JapaneseFallback = QStringLiteral("Noto Sans CJK JP");

// Printer-resident Japanese fonts, offered for vertical text by name.
inline QStringList printerVerticalFonts()
{
    return { QStringLiteral("EPSON-GYOSHO"),      QStringLiteral("EPSON-FUTO-GYOSHO"),
             QStringLiteral("EPSON-KAISHO"),      QStringLiteral("EPSON-KYOKASHO"),
             QStringLiteral("EPSON-MARUGO"),      QStringLiteral("EPSON-FUTO-MARUGO"),
             QStringLiteral("EPSON-FUTO-KAKUGO"), QStringLiteral("EPSON-FUTO-MINCHO") };
}

// Families that set vertical text but are Chinese, Korean or unfit for Japanese addresses.
inline QStringList unfitVerticalFamilies()
{
    return { QStringLiteral("Apple Color Emoji"),
             QStringLiteral("AppleGothic"),
             QStringLiteral("AppleMyungjo"),
             QStringLiteral("Apple SD Gothic Neo"),
             QStringLiteral("Batang"),
             QStringLiteral("Wawati SC"),
             QStringLiteral("Wawati TC"),
             QStringLiteral("Lantinghei TC"),
             QStringLiteral("Lantinghei SC"),
             QStringLiteral("Gulim"),
             QStringLiteral("GungSeo"),
             QStringLiteral("PCMyungjo"),
             QStringLiteral("LiHei Pro"),
             QStringLiteral("LiSong Pro"),
             QStringLiteral("MS Gothic"),
             QStringLiteral("MS Mincho"),
             QStringLiteral("MS PGothic"),
             QStringLiteral("MS PMincho"),
             QStringLiteral("Meiryo"),
             QStringLiteral("Osaka"),
             QStringLiteral("PMingLiU"),
             QStringLiteral("Baoli SC"),
             QStringLiteral("STFangsong"),
             QStringLiteral("STHeiti"),
             QStringLiteral("Heiti SC"),
             QStringLiteral("Heiti TC"),
             QStringLiteral("Kaiti TC"),
             QStringLiteral("STKaiti"),
             QStringLiteral("Kaiti SC"),
             QStringLiteral("Libian SC"),
             QStringLiteral("STSong"),
             QStringLiteral("Songti SC"),
             QStringLiteral("Songti TC"),
             QStringLiteral("Xingkai SC"),
             QStringLiteral("Yuanti SC"),
             QStringLiteral("SimSun"),
             QStringLiteral("BiauKai"),
             QStringLiteral("Apple LiGothic"),
             QStringLiteral("Apple LiSung"),
             QStringLiteral("Hei"),
             QStringLiteral("Kai") };
}
} // namespace PrintFont
