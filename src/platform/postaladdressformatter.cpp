#include "platform/postaladdressformatter.h"

namespace PostalAddressFormatter {

namespace {

const QString kDefaultFormat = QStringLiteral("Street\nCity State ZIP\nCountry");

} // namespace

const QString *component(QStringView word, const Components &address, bool includeCountry)
{
    if (word == QLatin1StringView("Street"))
        return &address.street;
    if (word == QLatin1StringView("City"))
        return &address.city;
    if (word == QLatin1StringView("State"))
        return &address.state;
    if (word == QLatin1StringView("ZIP"))
        return &address.postalCode;
    if (word == QLatin1StringView("Country") && includeCountry)
        return &address.country;
    return nullptr;
}

// Readers format every address of a file with this, so it composes the text in one pass.
QString mailingAddress(const Components &address, const QString &formatString, bool includeCountry)
{
    QString format = formatString.isEmpty() ? kDefaultFormat : formatString;
    if (format.contains(QChar(0x200E)) || format.contains(u'\r') || format.contains(u'\t')) {
        format.remove(QChar(0x200E));
        format.replace(u'\r', u'\n');
        format.replace(u'\t', u' ');
    }
    QString text;
    text.reserve(address.street.size() + address.city.size() + address.state.size() + address.postalCode.size()
                 + address.country.size() + 8);
    for (const QStringView line : QStringView(format).tokenize(u'\n')) {
        bool lineStarted = false;
        for (const QStringView word : line.tokenize(u' ', Qt::SkipEmptyParts)) {
            const QString *part = component(word.trimmed(), address, includeCountry);
            if (!part || part->isEmpty())
                continue;
            // Lines without any component are left out, as are the separators around them.
            if (lineStarted)
                text += u' ';
            else if (!text.isEmpty())
                text += u'\n';
            text += *part;
            lineStarted = true;
        }
    }
    return text;
}

} // namespace PostalAddressFormatter
