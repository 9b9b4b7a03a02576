// Fuzz target of the program's CSV dialect: whatever the reader makes of the input, the document
// the writer makes of that reads back as the same records.
//
// "The same" is what the fixed columns carry. Phones and e-mails are the dialect's one known
// loss: a row holds a contact's first phone in the column of its label, and the reader takes all
// three columns as "home"; so the three cells of a kind are compared joined.
#include "document/contactfiles.h"
#include "formats/csvkeys.h"
#include "formats/qvvcard.h"
#include "fuzzsupport.h"

#include <QStringList>

namespace {

// The cells the writer writes of each contact, before quoting, one line per contact.
QByteArray carried(const ContactList &contacts)
{
    QStringList lines;
    for (const ContactEntry &entry : contacts) {
        QStringList cells;
        QString previousType;
        for (const CsvColumn &column : kCsvColumns) {
            const QString cell
                = QVvCard::stringForIdentifier(column.type, column.label, 0, *entry->person, true);
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
