// Fuzz target for the CSV reader: the bytes as UTF-8 text are read, what was read is written as a
// CSV document and as copied lines, and the document is read again.
#include "formats/qvvcard.h"
#include "fuzzsupport.h"
#include "record/keys.h"

#include <cstddef>
#include <cstdint>

namespace {

const QStringList kCopiedIdentifiers
    = { FieldId::Name,     FieldId::Phone, FieldId::Email,         FieldId::Address, FieldId::Street,
        FieldId::Birthday, FieldId::Note,  FieldId::SocialNetwork, FieldId::Company, FieldId::PhoneticName };

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return FuzzSupport::testOneInput(data, size, [](QByteArrayView bytes) {
        const FuzzSupport::ClassTablesKeeper keeper;
        const QString text = QString::fromUtf8(bytes);
        const auto entries = QVvCard::contactsFromCSV(text);
        if (!entries)
            FuzzSupport::fail("only a null text gives no list");

        SubContactRows rows;
        rows.reserve(entries->size());
        for (const ContactEntry &entry : *entries)
            rows.append(SubContactRow::fromEntry(entry));
        for (const SubContactRow &row : rows)
            QVvCard::csvStringFromContact(row, kCopiedIdentifiers, QStringLiteral("\t"), true);

        // Every written row is one line of its own: no cell may break it.
        const auto readBack = QVvCard::contactsFromCSV(QVvCard::csvFromSubContacts(rows));
        if (!readBack || readBack->size() != entries->size())
            FuzzSupport::fail("every written row reads back as one contact");
    });
}
