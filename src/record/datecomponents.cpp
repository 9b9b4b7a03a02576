#include "record/datecomponents.h"

#include <QDataStream>
#include <QDebug>
#include <QLocale>

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
    return QLocale().toString(date, QStringLiteral("yyyy.MM.dd(ddd)"));
}

QString displayString(const DateComponents &components)
{
    return displayString(components.toDate());
}

} // namespace DateFormat
