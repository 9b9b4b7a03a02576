// The standard properties of a record as one vCard 3.0 card. Note, photo, custom items and
// categories are added by QVvCard's writer, which decides on them by its options.
#pragma once

#include "record/qvperson.h"

#include <QByteArray>
#include <QString>

namespace VCardRecordWriter {

// "BEGIN:VCARD" ... "END:VCARD", CRLF line ends, folded at 75 octets.
QByteArray write(QVPerson &person);
// The same card appended to out, which is how writers of many cards avoid copying each one.
void write(QVPerson &person, QByteArray &out);

// One content line, folded, with CRLF.
void appendLine(QByteArray &out, const QString &line);

// The formatted name the writer composes for the record: its name parts in the record's order,
// else its company.
QString formattedName(const QVPerson &person);

// The head a single-valued property is written with: as it was read (VCardKeptKey), else its name.
QString keptHead(const QVPerson &person, const QString &key, QLatin1StringView property);

} // namespace VCardRecordWriter
