// Reading a whole vCard file: cutting the text into cards, reading the cards on every core in
// batches, and handing the results back in file order with progress and cancellation.
#pragma once

#include "formats/qvvcard.h"
#include "formats/vcardrecordreader_p.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVarLengthArray>

#include <functional>
#include <memory>
#include <optional>

namespace VCardFileReader {

struct Span
{
    qsizetype start = 0;
    qsizetype end = 0; // one past the card's line break
    qsizetype nested = 0; // cards nested in it (2.1 AGENT), which are not contacts of their own
    bool cutOff = false; // never closed: it cannot be read, and ends before its first nested card
};

// Cards as the file reader cuts them: from a BEGIN:VCARD line (any case, after an optional group
// prefix) to the END:VCARD line that closes it.
QList<Span> cutCards(QStringView text);
QList<Span> cutCards(QByteArrayView text);

struct CardResult
{
    VCardRecordReader::Result read; // its categories are handed over in the fields below
    ContactEntry entry; // the record's entry, made on the reading thread; null with no record
    // The card's categories, as positions in the category names its batch met (one list shared
    // by the batch's cards, so that the caller looks each name up once per batch), each with a
    // copy of the entry for that group when there is a record.
    std::shared_ptr<const QStringList> categoryNames;
    QVarLengthArray<qsizetype, 2> categories;
    QVarLengthArray<ContactEntry, 2> groupEntries;
    qsizetype endPosition = 0;
    qsizetype nestedCards = 0; // cards nested in this one, lost with it as contacts
};

// Reads every card (custom items included) and hands each result to consume, in file order, on
// the calling thread while later cards are still being read. Answers false when the progress
// handler asked to stop (consume then saw part of the file). Labels met are registered on the
// calling thread, in file order, after all cards are read.
using Consumer = std::function<void(CardResult &&)>;
bool readCards(const QString &text, const QVvCard::ProgressHandler &progress, const Consumer &consume);
// The bytes of a file in a charset that keeps ASCII as ASCII (empty for UTF-8): each value is
// decoded once, with its declared charset or else the file's.
bool readCards(const QByteArray &bytes, const QByteArray &charset, const QVvCard::ProgressHandler &progress,
               const Consumer &consume);

} // namespace VCardFileReader
