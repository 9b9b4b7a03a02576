// Key strings of the QR code panel: payload format titles and the keys of a selection row.
#pragma once

#include <QString>
#include <QStringList>

// The titles of the format pop-up's items; a title names its payload format.
namespace QRFormat {
inline const QString Docomo = QStringLiteral("docomo");
inline const QString Au = QStringLiteral("au");
inline const QString SoftBank = QStringLiteral("SoftBank");
inline const QString Phone = QStringLiteral("Phone");
inline const QString Email = QStringLiteral("Email");
inline const QString Url = QStringLiteral("URL");
inline const QString VCard = QStringLiteral("vCard");

inline QStringList all()
{
    return { VCard, Docomo, Au, SoftBank, Phone, Email, Url };
}
} // namespace QRFormat

// Keys of a selection row (field identifiers under "Type" come from record/keys.h).
namespace QRSelectionKey {
inline const QString Type = QStringLiteral("Type");
inline const QString Label = QStringLiteral("label");
inline const QString Value = QStringLiteral("value");
inline const QString AddressValue = QStringLiteral("addressValue");
inline const QString Selected = QStringLiteral("Selected");
} // namespace QRSelectionKey

namespace QRClipboard {
// The symbol is copied as PNG image data, its only type.
inline const QString PngMimeType = QStringLiteral("image/png");
} // namespace QRClipboard
