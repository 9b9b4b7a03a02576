// QVvCard: reading and writing contacts as vCard and CSV text.
//
// vCard: qvvcard_vcardreader.cpp (cutting cards, categories, custom items, container tables),
// qvvcard_vcardwriter.cpp (cards with note, photo, custom items and categories); the standard
// properties of one card are read and written by the serializer behind QVPerson::initWithVCardData
// and QVPerson::vCardData.
// CSV: qvvcard_csvreader.cpp, qvvcard_csvwriter.cpp.
#pragma once

#include "record/entries.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <functional>
#include <optional>

struct DecodedText;

namespace VCardOption {
inline const QString Note = QStringLiteral("Note");
inline const QString Photo = QStringLiteral("Photo");
inline const QString Custom = QStringLiteral("Custom");
inline const QString Categories = QStringLiteral("Categories");
} // namespace VCardOption

// What one vCard read met: cards cut from the text, cards skipped because no contact could be
// read from them (cut off before their END, nested in another card, or holding no contact), and
// properties kept verbatim because the record has no field for them.
struct VCardReadStatistics
{
    qsizetype cards = 0;
    qsizetype skippedCards = 0;
    qsizetype keptVerbatim = 0;
};

class QVvCard
{
public:
    // Called after each card (reading) or contact (writing) with a stop flag, initially false, and the
    // position reached: a character (or byte) position when reading, a contact index when writing.
    // Setting the flag cancels.
    using ProgressHandler = std::function<void(bool *stop, qsizetype position)>;

    // ---- vCard reading ---------------------------------------------------------------------
    // The container table of the text: one "vCard" container whose "All Contacts" group holds every
    // contact, then one group per category. std::nullopt when cancelled. Empty text gives the
    // container with no contacts.
    static std::optional<ContainerTable> containersFromVCards(const QString &text,
                                                              const ProgressHandler &progress = {},
                                                              VCardReadStatistics *statistics = nullptr);
    // The same for the bytes of a UTF-8 file, without a UTF-16 copy of it; positions are bytes.
    static std::optional<ContainerTable> containersFromVCardData(const QByteArray &utf8,
                                                                 const ProgressHandler &progress = {},
                                                                 VCardReadStatistics *statistics = nullptr);
    // The same for a file as TextFileReader read it with Utf8Text::Skip: from its bytes when it
    // handed them back (each value decoded once, with its declared charset or else the file's),
    // else from its text. Positions are those of DecodedText::length().
    static std::optional<ContainerTable> containersFromVCardFile(const DecodedText &file,
                                                                 const ProgressHandler &progress = {},
                                                                 VCardReadStatistics *statistics = nullptr);
    // The container of a file document around contacts read elsewhere (CSV): "vCard" with its one
    // "All Contacts" group holding them.
    static ContainerEntry fileContainer(const ContactList &contacts = {});
    // A container of this name and type holding only its "All Contacts" group, whose contacts are
    // not read yet (no table).
    static ContainerEntry containerWithAllContacts(const QString &name, int type,
                                                   const QString &identifier = {});
    // One card of the system address book as a record, custom items included; null when the card
    // holds no contact.
    static PersonPtr personFromStoreCard(const QByteArray &card);
    static QStringList findCategories2(const QString &card);
    static void decodeVCardCustomItems(const QString &card, QVPerson &person);
    static ContactTable contactsInContainer(const ContainerEntry &container);
    static ContactTable contactsForGroup(const GroupEntry &group, const ContainerEntry &container);

    // ---- vCard writing ---------------------------------------------------------------------
    // Cards of the entries with the record writer; categories from the container's groups (may be
    // null). std::nullopt when cancelled.
    static std::optional<QString> vCardsFromContacts(const ContactList &contacts, const QStringList &options,
                                                     const ContainerEntry &container,
                                                     const ProgressHandler &progress = {});
    // The same cards as UTF-8, ready for a file, written on every core.
    static std::optional<QByteArray> vCardDataFromContacts(const ContactList &contacts, const QStringList &options,
                                                     const ContainerEntry &container,
                                                     const ProgressHandler &progress = {});
    // The same cards handed to a sink batch by batch, in order, as they are written (to write a
    // large file without holding all of it); false when cancelled or when the sink refuses a batch.
    using BatchSink = std::function<bool(const QByteArray &batch)>;
    static bool writeVCardData(const ContactList &contacts, const QStringList &options,
                               const ContainerEntry &container, const BatchSink &sink,
                               const ProgressHandler &progress = {});
    // Cards of the entries with the contact-entry writer (no categories).
    static QString vCardsFromContactsProgress(const ContactList &contacts, const QStringList &options);
    static QString vCardFromPerson(QVPerson &person, const QStringList &options,
                                   const QStringList &groupNames);
    static QString vCardFromContact(const ContactEntry &contact, const QStringList &options);
    static QString encodeVCardPhoto(const QImage &image);
    // The custom item definitions of the records, first appearance first, for the writer's
    // class-level list when no document supplies one.
    static QVariantList customItemDefinitions(const ContactList &contacts);
    static QByteArray jpegDataFromImage(const QImage &image);

    // ---- CSV reading -----------------------------------------------------------------------
    // Contact entries of the lines; std::nullopt for a null text.
    static std::optional<ContactList> contactsFromCSV(const QString &text);
    // The container of a CSV document: its contacts in "All Contacts", and a group for each
    // group or category an export names; std::nullopt for a null text.
    static std::optional<ContainerTable> containersFromCSV(const QString &text);
    static QString detectType(const QString &headerField);
    static QString detectLabel(const QString &headerField);
    static QString detectAddressType(const QString &headerField);
    static void createContact(QVariantMap &contact, const QString &value, const QString &key,
                              const QString &label);

    // ---- CSV writing -----------------------------------------------------------------------
    static QString csvFromSubContacts(const SubContactRows &rows);
    static QString csvStringFromContact(const SubContactRow &row, const QStringList &identifiers,
                                        const QString &separator, bool shouldLocalize);
    static QString stringForIdentifier(const QString &identifier, const QString &label, qsizetype index,
                                       QVPerson &person, bool shouldLocalize);
};
