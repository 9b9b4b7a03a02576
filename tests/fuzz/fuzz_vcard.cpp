// Fuzz target of the vCard reader: arbitrary bytes are read as UTF-8 bytes and as text, which must
// give as many contacts; the contacts are written back, and the written text read again, which
// must give as many contacts too.
#include "formats/qvvcard.h"
#include "fuzzsupport.h"
#include "record/qvperson.h"

#include <algorithm>
#include <cstdint>

namespace {

const QStringList kWriteOptions = { VCardOption::Note, VCardOption::Photo, VCardOption::Custom };

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return FuzzSupport::testOneInput(data, size, [](QByteArrayView input) {
        const FuzzSupport::ClassTablesKeeper keeper;
        const QByteArray bytes = input.toByteArray();
        const auto fromText = QVvCard::containersFromVCards(QString::fromUtf8(bytes));
        const auto table = QVvCard::containersFromVCardData(bytes);
        if (!table || !fromText)
            FuzzSupport::fail("reading without a progress handler is never cancelled");
        const ContactTable all = QVvCard::contactsInContainer(table->first());
        QVPerson::setClassCustomItems(QVvCard::customItemDefinitions(*all));
        const auto written = QVvCard::vCardsFromContacts(*all, kWriteOptions, table->first());
        if (!written)
            FuzzSupport::fail("writing without a progress handler is never cancelled");
        const QByteArray writtenBytes = written->toUtf8();
        const auto again = QVvCard::containersFromVCardData(writtenBytes);
        if (!again)
            FuzzSupport::fail("reading without a progress handler is never cancelled");

        // The text and the bytes are read by two instances of one template: they must agree.
        if (QVvCard::contactsInContainer(fromText->first())->size() != all->size())
            FuzzSupport::fail("the text and its UTF-8 bytes read as as many contacts");
        if (QVvCard::contactsInContainer(again->first())->size() != all->size())
            FuzzSupport::fail("the written cards read back as as many contacts", bytes, writtenBytes);
    });
}
