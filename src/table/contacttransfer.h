// ContactTransfer: what copying and dragging table rows put on the clipboard, what pasted or
// dropped data gives back, and the contact a pasted line makes.
//
// No widgets: the table controller hands over its rows, its columns and the data it was given.
// QMimeData is a plain data holder of QtCore, so the whole exchange is tested without a window.
#pragma once

#include "record/entries.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>

class QMimeData;

namespace TransferFile {
// The file a drag of rows offers to other programs (file managers, mail).
inline const QString DraggingContacts = QStringLiteral("draggingContacts.vcf");
// The file Copy as vCard leaves beside the copied text.
inline const QString SelectedContacts = QStringLiteral("SelectedContacts.vcf");
// Dropped files with these extensions are read as vCard.
inline const QStringList VCardSuffixes = { QStringLiteral("vcf"), QStringLiteral("vcard") };
} // namespace TransferFile

namespace TransferText {
inline const QString Tab = QStringLiteral("\t");
// Copy as CSV separates cells with a comma and a space.
inline const QString CommaSpace = QStringLiteral(", ");
inline const QString LineFeed = QStringLiteral("\n");
inline const QString CrLf = QStringLiteral("\r\n");
} // namespace TransferText

class ContactTransfer
{
public:
    // ---- Copying ---------------------------------------------------------------------------
    // The fields Copy writes: the shown columns, or every field when only the Name column shows.
    static QStringList copyIdentifiers(const QStringList &columnIdentifiers);
    // One localised line per row (rows of one contact each give a line), joined by line feeds.
    static QString delimitedText(const SubContactRows &rows, const QStringList &identifiers,
                                 const QString &separator);
    // Copy and Copy as CSV: the text as plain text and under the separated-values type.
    // Null when there is nothing to copy.
    static QMimeData *delimitedMimeData(const QString &text, const QString &mimeType);

    // The distinct contacts of the rows, in row order (a contact shown on several rows once).
    static ContactList contactsOfRows(const SubContactRows &rows);
    // One card per contact, with photo, note and the values of the custom items (the window's
    // definitions), but not its groups: those belong to the document it came from.
    static QString vCardText(const ContactList &contacts, const QVariantList &customItems);
    // Copy as vCard: the cards as vCard data and plain text, and as a file written to folder.
    static QMimeData *vCardMimeData(const QString &vCardText, const QString &folder);

    // ---- Dragging --------------------------------------------------------------------------
    // The fields a dragged row writes as text: the fixed list, then the contacts' custom items.
    static QStringList dragIdentifiers(const ContactList &contacts);
    // Everything a drag of these rows carries: tab-separated text, vCard data, the cards as a
    // file in folder (text/uri-list), the first row's labelIndex and the row indexes.
    static QMimeData *dragMimeData(const SubContactRows &tableRows, const QList<int> &rowIndexes,
                                   const QVariantList &customItems, const QString &folder);
    // "3,5,8": the row indexes a drop on a group reads back.
    static QString stringIndexes(const QList<int> &rowIndexes);

    // ---- Pasting and dropping --------------------------------------------------------------
    // The fields of a pasted line's pieces: the shown columns when there are several, else the
    // stored detail-view order, else the built-in order.
    static QStringList pasteIdentifiers(const QStringList &columnIdentifiers);
    // A new contact from the first line of text, its pieces (cut at tabs, else commas) taken as
    // the fields in order. Null when no piece set anything.
    static ContactEntry contactFromString(const QString &text, const QStringList &identifiers);
    // The vCard text a drop or paste carries: vCard data, else the contents of dropped vCard
    // files (UTF-8). Empty when there is none.
    static QString vCardTextFromMimeData(const QMimeData *data);
    // Whether the data holds something a drop can take (vCard data, files, plain text).
    static bool hasAcceptableData(const QMimeData *data);

    // A folder of this process for the files of copies and drags, removed when the program ends.
    static QString temporaryFolder();
    // Writes text as UTF-8 to folder/name, replacing an older file; the path, or empty on failure.
    static QString writeFile(const QString &folder, const QString &name, const QString &text);
};
