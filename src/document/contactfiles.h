// Reading contacts to import and writing contacts to export, without widgets.
//
// The window's file commands run these on a worker thread (vCard) or on the calling thread (CSV)
// and show their outcome; tests call them directly.
#pragma once

#include "formats/qvvcard.h"
#include "record/entries.h"

#include <QIODevice>
#include <QString>
#include <QVariantList>
#include <functional>
#include <optional>

// Told the percentage done (0 to 100) as long work goes on; answers true to stop it.
using ProgressReport = std::function<bool(double percent)>;

// What an import read from a file: its contacts, or why it failed.
struct ImportedContacts
{
    ContactList contacts;
    QString readError; // the file could not be read as text
    qsizetype skippedCards = 0; // cards that gave no contact (cut off, damaged, nested)
    bool cancelled = false;
};

namespace ContactImport {

// The contacts of a vCard file's "All Contacts" group. encoding: an Encodings number (0: detect).
ImportedContacts readVCardFile(const QString &path, int encoding, const ProgressReport &progress = {});
ImportedContacts readCsvFile(const QString &path, int encoding);
// The name a list shows for a contact: the composed name, or the company of an organisation;
// empty rather than the record's "No Name" stand-in.
QString plainName(QVPerson &person);

} // namespace ContactImport

namespace ContactExport {

// For each selected contact in order, its entry in the window's contact table, each once;
// selected contacts the table does not hold (or holds as deleted) are skipped.
ContactList contactsToWrite(const ContactList &selected, const ContactList &contactTable);
// The first contact's composite name (empty for a contact without one) and the suffix.
QString proposedFileName(const ContactList &contacts, const QString &suffix);
// Every card with photo, note, custom items and categories (from container, may be null).
// The custom item definitions become the writer's before the first card. std::nullopt when
// the progress handler stopped the writing.
std::optional<QByteArray> vCardData(const ContactList &contacts, const QVariantList &customItems,
                                    const ContainerEntry &container, const ProgressReport &progress = {});
// The same cards written to the device batch by batch as they are ready, so that a large export
// never holds the whole text. False when the progress handler stopped the writing or the device
// took a batch only in part.
bool writeVCards(QIODevice &device, const ContactList &contacts, const QVariantList &customItems,
                 const ContainerEntry &container, const ProgressReport &progress = {});
// The CSV document of the contacts, one row each.
QString csvText(const ContactList &contacts);
// Writes the bytes to path atomically: an existing file is replaced only by a complete one. On
// failure errorString says why, for the user.
bool writeData(const QString &path, const QByteArray &bytes, QString *errorString = nullptr);

} // namespace ContactExport
