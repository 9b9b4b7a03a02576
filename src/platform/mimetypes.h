// The data types of the clipboard and of drag and drop.
#pragma once

#include <QString>
#include <QStringList>

namespace MimeType {

// Contacts as vCard text (UTF-8). Written under VCard; older programs use the other names.
inline const QString VCard = QStringLiteral("text/vcard");
inline const QString VCardLegacy = QStringLiteral("text/x-vcard");
inline const QString VCardDirectory = QStringLiteral("text/directory");
// Every name under which vCard data is accepted, the preferred one first.
inline const QStringList VCardAccepted = { VCard, VCardLegacy, VCardDirectory };

// Rows as comma-separated text (UTF-8).
inline const QString Csv = QStringLiteral("text/csv");
// Rows as tab-separated text (UTF-8).
inline const QString TabSeparated = QStringLiteral("text/tab-separated-values");
// Files: dragged contacts are written to real temporary files and offered as their URLs.
inline const QString UriList = QStringLiteral("text/uri-list");
// Plain text: the tab-separated rows, or a line to make a contact from when pasted.
inline const QString PlainText = QStringLiteral("text/plain");

// Private to the program: the dragged table rows as decimal indexes joined by ",", so that a drop
// on a group of the same window knows which contacts to add.
inline const QString StringIndexes = QStringLiteral("application/x-pellory-QV1PstringIndexes");
// Private to the program: the first dragged row's labelIndex as decimal text.
inline const QString LabelIndex = QStringLiteral("application/x-pellory-labelIndex");

// The entry of formats (as offered) that holds vCard data, preferring text/vcard; empty when none.
inline QString acceptedVCardFormat(const QStringList &formats)
{
    for (const QString &name : VCardAccepted) {
        for (const QString &format : formats) {
            if (format.compare(name, Qt::CaseInsensitive) == 0)
                return format;
        }
    }
    return {};
}

} // namespace MimeType
