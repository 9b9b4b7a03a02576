#include "record/datecomponents.h"

#include <QDataStream>
#include <QDebug>
#include <QLocale>

#include <array>
#include <cstdio>

QDataStream &operator<<(QDataStream &out, const DateComponents &c)
{
    return out << qint32(c.year) << qint32(c.month) << qint32(c.day);
}

QDataStream &operator>>(QDataStream &in, DateComponents &c)
{
    qint32 y = 0, m = 0, d = 0;
    in >> y >> m >> d;
    c = {y, m, d};
    return in;
}

QDebug operator<<(QDebug dbg, const DateComponents &c)
{
    QDebugStateSaver saver(dbg);
    dbg.nospace() << "DateComponents(" << c.year << ", " << c.month << ", " << c.day << ')';
    return dbg;
}

namespace DateFormat {

QString displayString(QDate date)
{
    if (!date.isValid())
        return {};
    // "yyyy.MM.dd(EEE)": Qt spells the abbreviated weekday "ddd".
    const QLocale locale;
    const int year = date.year();
    if (year < 0 || year > 9999 || locale.zeroDigit() != QLatin1StringView("0"))
        return locale.toString(date, QStringLiteral("yyyy.MM.dd(ddd)"));
    // Every date of every record read is shown this way: the text is composed directly, with the
    // locale's weekday names looked up once, rather than parsing the pattern for each date.
    thread_local QLocale namesLocale;
    thread_local std::array<QString, 7> weekdays;
    if (weekdays[0].isNull() || namesLocale != locale) {
        namesLocale = locale;
        for (int day = 1; day <= 7; ++day)
            weekdays[size_t(day - 1)] = locale.dayName(day, QLocale::ShortFormat);
    }
    char digits[16];
    std::snprintf(digits, sizeof digits, "%04d.%02d.%02d(", year, date.month(), date.day());
    return QLatin1StringView(digits) + weekdays[size_t(date.dayOfWeek() - 1)] + u')';
}

QString displayString(const DateComponents &components)
{
    return displayString(components.toDate());
}

} // namespace DateFormat
