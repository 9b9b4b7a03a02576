// Fuzz target of the vCard reader: arbitrary bytes are read (as UTF-8 bytes and as text), the
// contacts written back, and the written text read again, which must give as many contacts.
#include "formats/qvvcard.h"
#include "record/qvperson.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // Guard against quadratic paths on huge inputs rather than against the reader itself.
    if (size > 1 << 20)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const auto fromText = QVvCard::containersFromVCards(QString::fromUtf8(bytes));
    const auto table = QVvCard::containersFromVCardData(bytes);
    if (!table || !fromText)
        std::abort(); // nothing cancels here
    const ContactTable all = QVvCard::contactsInContainer(table->first());
    QVPerson::setClassCustomItems(QVvCard::customItemDefinitions(*all));
    const auto written = QVvCard::vCardsFromContacts(
        *all, { VCardOption::Note, VCardOption::Photo, VCardOption::Custom }, table->first());
    QVPerson::setClassCustomItems({});
    if (!written)
        std::abort();
    const auto again = QVvCard::containersFromVCardData(written->toUtf8());
    if (!again || QVvCard::contactsInContainer(again->first())->size() != all->size())
        std::abort();
    return 0;
}
