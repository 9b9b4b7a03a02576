// Year, month and day of a date, any of which may be missing (a birthday without a year).
#pragma once

#include <QDate>
#include <QMetaType>
#include <QString>

struct DateComponents
{
    static constexpr int Undefined = -1;

    int year = Undefined;
    int month = Undefined;
    int day = Undefined;

    bool hasYear() const { return year != Undefined; }
    bool hasMonth() const { return month != Undefined; }
    bool hasDay() const { return day != Undefined; }
    bool isEmpty() const { return !hasYear() && !hasMonth() && !hasDay(); }

    // The date these components name in the Gregorian calendar; invalid when they do not form one.
    QDate toDate() const
    {
        if (!hasYear() || !hasMonth() || !hasDay())
            return {};
        return QDate(year, month, day);
    }

    static DateComponents fromDate(QDate date)
    {
        if (!date.isValid())
            return {};
        return {date.year(), date.month(), date.day()};
    }

    friend bool operator==(const DateComponents &, const DateComponents &) = default;
};

class QDataStream;
class QDebug;
QDataStream &operator<<(QDataStream &out, const DateComponents &c);
QDataStream &operator>>(QDataStream &in, DateComponents &c);
QDebug operator<<(QDebug dbg, const DateComponents &c);

Q_DECLARE_METATYPE(DateComponents)

namespace DateFormat {
// The one pattern dates are shown in: "yyyy.MM.dd(EEE)", in the current locale.
QString displayString(const DateComponents &components);
QString displayString(QDate date);
} // namespace DateFormat
