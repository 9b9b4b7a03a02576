#include "formats/vcarddate_p.h"

namespace VCardDate {

namespace {

// Reads exactly n digits at pos; -1 when they are not all digits.
int digits(QStringView text, qsizetype pos, qsizetype n)
{
    if (pos + n > text.size())
        return -1;
    int value = 0;
    for (qsizetype i = pos; i < pos + n; ++i) {
        const QChar c = text[i];
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c.unicode() - '0');
    }
    return value;
}

bool validMonthDay(const DateComponents &d)
{
    if (d.hasMonth() && (d.month < 1 || d.month > 12))
        return false;
    if (d.hasDay() && (d.day < 1 || d.day > 31))
        return false;
    return true;
}

} // namespace

std::optional<DateComponents> parse(QStringView text, int omittedYear)
{
    text = text.trimmed();
    // Drop a time part.
    const qsizetype t = text.indexOf(u'T');
    if (t >= 0)
        text = text.first(t);
    DateComponents d;
    if (text.startsWith(QLatin1StringView("---"))) {
        d.day = digits(text, 3, 2);
        if (text.size() != 5 || d.day < 0)
            return std::nullopt;
    } else if (text.startsWith(QLatin1StringView("--"))) {
        d.month = digits(text, 2, 2);
        if (d.month < 0)
            return std::nullopt;
        if (text.size() == 4) {
            // "--MM"
        } else if (text.size() == 7 && text[4] == u'-') {
            d.day = digits(text, 5, 2);
        } else if (text.size() == 6) {
            d.day = digits(text, 4, 2);
        } else {
            return std::nullopt;
        }
        if (text.size() > 4 && d.day < 0)
            return std::nullopt;
    } else {
        d.year = digits(text, 0, 4);
        if (d.year < 0)
            return std::nullopt;
        if (text.size() == 4) {
            // "YYYY"
        } else if (text.size() == 10 && text[4] == u'-' && text[7] == u'-') {
            d.month = digits(text, 5, 2);
            d.day = digits(text, 8, 2);
        } else if (text.size() == 8) {
            d.month = digits(text, 4, 2);
            d.day = digits(text, 6, 2);
        } else if (text.size() == 7 && text[4] == u'-') {
            d.month = digits(text, 5, 2);
        } else {
            return std::nullopt;
        }
        if ((text.size() > 4 && d.month < 0) || (text.size() >= 8 && d.day < 0))
            return std::nullopt;
        if (omittedYear != DateComponents::Undefined && d.year == omittedYear)
            d.year = DateComponents::Undefined;
    }
    if (!validMonthDay(d))
        return std::nullopt;
    return d;
}

QString format(const DateComponents &d)
{
    auto two = [](int v) { return QString::number(v).rightJustified(2, u'0'); };
    const QString year = d.hasYear() ? QString::number(d.year).rightJustified(4, u'0') : QString();
    if (d.hasYear() && d.hasMonth() && d.hasDay())
        return year + u'-' + two(d.month) + u'-' + two(d.day);
    if (d.hasMonth() && d.hasDay())
        return QLatin1StringView("--") + two(d.month) + u'-' + two(d.day);
    if (d.hasYear() && d.hasMonth())
        return year + u'-' + two(d.month);
    if (d.hasYear())
        return year;
    if (d.hasMonth())
        return QLatin1StringView("--") + two(d.month);
    if (d.hasDay())
        return QLatin1StringView("---") + two(d.day);
    return {};
}

} // namespace VCardDate
