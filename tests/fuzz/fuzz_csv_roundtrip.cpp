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
#include <optional>

namespace {

// A value the dialect cannot carry: the writer writes a value's own double quotes as they are,
// and wraps a value in quotes of its own (one pair for a space, one for a comma), while the reader
// takes a quote at the start of a cell, or one next to a comma, for the end of a quoted cell. A
// value with a quote or a comma at either end, or a quote next to a comma, does not come back
// unchanged; the records holding one are only counted. Since text that is not the dialect's own is
// read with standard quoting, a quote can stand anywhere in a value: any quote counts.
bool hasDialectQuotes(const QString &cell)
{
    if (cell.contains(u'"'))
        return true;
    // A value with a space is written between quotes of the writer's own.
    const bool spaced = cell.contains(u' ') && cell.size() >= 2;
    const QStringView value = spaced ? QStringView(cell).sliced(1, cell.size() - 2) : QStringView(cell);
    if (value.isEmpty())
        return false;
    const auto marks = [](QChar c) { return c == u'"' || c == u','; };
    return marks(value.front()) || marks(value.back()) || value.contains(u"\",") || value.contains(u",\"");
}

// The cells the writer writes of each contact, before quoting, one line per contact; nothing when
// a value holds quotes of the dialect.
std::optional<QByteArray> carried(const ContactList &contacts)
{
    QStringList lines;
    for (const ContactEntry &entry : contacts) {
        QStringList cells;
        QString previousType;
        for (const CsvColumn &column : kCsvColumns) {
            const QString cell
                = QVvCard::stringForIdentifier(column.type, column.label, 0, *entry->person, true);
            if (hasDialectQuotes(cell))
                return std::nullopt;
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

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    FuzzSupport::setUp();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > FuzzSupport::kMaxInputBytes)
        return 0;
    const FuzzSupport::ClassTablesKeeper keeper;
    const QString text = QString::fromUtf8(FuzzSupport::bytesOf(data, size));
    const ContactList read = QVvCard::contactsFromCSV(text).value_or(ContactList());
    const QString written = ContactExport::csvText(read);
    const ContactList readBack = QVvCard::contactsFromCSV(written).value_or(ContactList());
    if (readBack.size() != read.size())
        FuzzSupport::fail("a written document reads back as many contacts as were written");
    const std::optional<QByteArray> before = carried(read);
    if (!before)
        return 0;
    const QByteArray after = carried(readBack).value_or(QByteArray());
    if (*before != after)
        FuzzSupport::fail("a written document reads back as the same records", *before, after);
    return 0;
}
