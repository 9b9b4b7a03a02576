// Fuzz target for the CSV reader: the bytes as UTF-8 text are read, what was read is written as a
// CSV document and as copied lines, and the document is read again.
#include "formats/qvvcard.h"
#include "record/keys.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const auto entries = QVvCard::contactsFromCSV(text);
    if (!entries)
        std::abort(); // only a null text gives no list

    SubContactRows rows;
    rows.reserve(entries->size());
    for (const ContactEntry &entry : *entries)
        rows.append(SubContactRow::fromEntry(entry));
    const QStringList identifiers = { FieldId::Name,        FieldId::Phone,         FieldId::Email,
                                      FieldId::Address,     FieldId::Street,        FieldId::Birthday,
                                      FieldId::Note,        FieldId::SocialNetwork, FieldId::Company,
                                      FieldId::PhoneticName };
    for (const SubContactRow &row : rows)
        QVvCard::csvStringFromContact(row, identifiers, QStringLiteral("\t"), true);

    // Every written row is one line of its own: no cell may break it.
    const auto readBack = QVvCard::contactsFromCSV(QVvCard::csvFromSubContacts(rows));
    if (!readBack || readBack->size() != entries->size())
        std::abort();
    return 0;
}
