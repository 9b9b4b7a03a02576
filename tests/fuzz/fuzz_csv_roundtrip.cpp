// Fuzz target of the program's CSV dialect: whatever the reader makes of the input, the document
// the writer makes of that reads back as the same records.
//
// "The same" is what the fixed columns carry. Phones and e-mails are the dialect's one known
// loss: a row holds a contact's first phone in the column of its label, and the reader takes all
// three columns as "home"; so the three cells of a kind are compared joined. And a name of parts
// no column holds (a middle name, say) is carried by the display name, which the reader makes the
// first name. Every kind of line break inside a value is written as "\n", and reads back as a
// line feed.
#include "document/contactfiles.h"
#include "formats/csvkeys.h"
#include "formats/qvvcard.h"
#include "fuzzsupport.h"

#include <QStringList>
#include <algorithm>

namespace {

QString withLineFeeds(QString cell)
{
    cell.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    for (const char16_t c : { u'\r', u'\v', u'\f', u'\u0085', u'\u2028', u'\u2029' })
        cell.replace(QChar(c), u'\n');
    return cell;
}

// The cells the writer writes of each contact, before quoting, one line per contact.
QByteArray carried(const ContactList &contacts)
{
    QStringList lines;
    for (const ContactEntry &entry : contacts) {
        QStringList written;
        for (const CsvColumn &column : kCsvColumns)
            written.append(withLineFeeds(
                QVvCard::stringForIdentifier(column.type, column.label, 0, *entry->person, true)));
        const auto at = [&written](const QString &type, const QString &label = {}) -> QString & {
            const auto column
                = std::find_if(std::cbegin(kCsvColumns), std::cend(kCsvColumns),
                               [&](const CsvColumn &c) { return c.type == type && c.label == label; });
            return written[column - std::cbegin(kCsvColumns)];
        };
        if (at(FieldId::Name, FieldId::FirstName).isEmpty() && at(FieldId::Name, FieldId::LastName).isEmpty()
            && at(FieldId::Name) != at(FieldId::Company))
            at(FieldId::Name, FieldId::FirstName) = at(FieldId::Name);

        QStringList cells;
        QString previousType;
        for (qsizetype i = 0; i < written.size(); ++i) {
            const CsvColumn &column = kCsvColumns[i];
            const QString &cell = written.at(i);
            const bool joined = column.type == FieldId::Phone || column.type == FieldId::Email;
            if (joined && column.type == previousType)
                cells.last() += cell;
            else
                cells.append(cell);
            previousType = column.type;
        }
        lines.append(cells.join(u'|'));
    }
    return lines.join(u'\n').toUtf8();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return FuzzSupport::testOneInput(data, size, [](QByteArrayView bytes) {
        const FuzzSupport::ClassTablesKeeper keeper;
        const QString text = QString::fromUtf8(bytes);
        const ContactList read = QVvCard::contactsFromCSV(text).value_or(ContactList());
        const QString written = ContactExport::csvText(read);
        const ContactList readBack = QVvCard::contactsFromCSV(written).value_or(ContactList());
        if (readBack.size() != read.size())
            FuzzSupport::fail("a written document reads back as many contacts as were written");
        const QByteArray before = carried(read);
        const QByteArray after = carried(readBack);
        if (before != after)
            FuzzSupport::fail("a written document reads back as the same records", before, after);
    });
}
