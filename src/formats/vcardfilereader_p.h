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
};

// Cards as the file reader cuts them: from "BEGIN:VCARD" (any case) to the first line break after
// the next "END:VCARD"; a card shorter than 11 characters ends the read.
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
};

// Reads every card (custom items included) and hands each result to consume, in file order, on
// the calling thread while later cards are still being read. Answers false when the progress
// handler asked to stop (consume then saw part of the file). Labels met are registered on the
// calling thread, in file order, after all cards are read.
using Consumer = std::function<void(CardResult &&)>;
bool readCards(const QString &text, const QVvCard::ProgressHandler &progress, const Consumer &consume);
bool readCards(const QByteArray &utf8, const QVvCard::ProgressHandler &progress, const Consumer &consume);

} // namespace VCardFileReader
