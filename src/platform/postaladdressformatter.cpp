#include "platform/postaladdressformatter.h"

#include <QStringList>

namespace PostalAddressFormatter {

namespace {
const QString kDefaultFormat = QStringLiteral("Street\nCity State ZIP\nCountry");
}

QString mailingAddress(const Components &address, const QString &formatString, bool includeCountry)
{
    QString format = formatString.isEmpty() ? kDefaultFormat : formatString;
    format.remove(QChar(0x200E));
    format.replace(u'\r', u'\n');
    format.replace(u'\t', u' ');
    QStringList lines;
    for (const QStringView line : QStringView(format).split(u'\n')) {
        QStringList parts;
        for (const QStringView word : line.split(u' ', Qt::SkipEmptyParts)) {
            const QStringView w = word.trimmed();
            QString part;
            if (w == QLatin1String("Street"))
                part = address.street;
            else if (w == QLatin1String("City"))
                part = address.city;
            else if (w == QLatin1String("State"))
                part = address.state;
            else if (w == QLatin1String("ZIP"))
                part = address.postalCode;
            else if (w == QLatin1String("Country") && includeCountry)
                part = address.country;
            if (!part.isEmpty())
                parts.append(part);
        }
        if (!parts.isEmpty())
            lines.append(parts.join(u' '));
    }
    return lines.join(u'\n');
}

} // namespace PostalAddressFormatter
