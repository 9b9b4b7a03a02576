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

bool isGroupCharacter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
}

// Whether "BEGIN:VCARD" or "END:VCARD" stands anywhere but at the start of a line (after an
// optional group prefix). The reader still cuts cards at these words wherever they are, so a value
// holding one splits its card, and the counts below cannot hold; such texts are read for crashes
// only. Drop this once cards are cut at BEGIN and END property lines alone.
bool marksCardInsideALine(QByteArrayView text)
{
    const QByteArray lower = text.toByteArray().toLower();
    for (const QByteArrayView word : { QByteArrayView("begin:vcard"), QByteArrayView("end:vcard") }) {
        for (qsizetype at = lower.indexOf(word); at >= 0; at = lower.indexOf(word, at + 1)) {
            qsizetype start = at;
            while (start > 0 && lower.at(start - 1) != '\n' && lower.at(start - 1) != '\r')
                --start;
            const QByteArrayView prefix(lower.constData() + start, at - start);
            const bool grouped = prefix.size() > 1 && prefix.endsWith('.')
                && std::all_of(prefix.begin(), prefix.end() - 1, isGroupCharacter);
            if (!prefix.isEmpty() && !grouped)
                return true;
        }
    }
    return false;
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
    const QByteArray bytes = FuzzSupport::bytesOf(data, size).toByteArray();
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

    if (marksCardInsideALine(bytes) || marksCardInsideALine(writtenBytes))
        return 0;
    // The text and the bytes are read by two instances of one template: they must agree.
    if (QVvCard::contactsInContainer(fromText->first())->size() != all->size())
        FuzzSupport::fail("the text and its UTF-8 bytes read as as many contacts");
    if (QVvCard::contactsInContainer(again->first())->size() != all->size())
        FuzzSupport::fail("the written cards read back as as many contacts", bytes, writtenBytes);
    return 0;
}
