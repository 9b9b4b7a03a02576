// Printers so that failing expectations show Qt values as text.
#pragma once

#include <QDebug>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <ostream>

inline void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}

inline void PrintTo(const QStringList &l, std::ostream *os)
{
    *os << '[' << l.join(QStringLiteral(", ")).toStdString() << ']';
}

inline void PrintTo(const QVariant &v, std::ostream *os)
{
    QString text;
    QDebug(&text) << v;
    *os << text.toStdString();
}

inline void PrintTo(const QVariantMap &m, std::ostream *os)
{
    QString text;
    QDebug(&text) << m;
    *os << text.toStdString();
}

inline void PrintTo(const QVariantList &l, std::ostream *os)
{
    QString text;
    QDebug(&text) << l;
    *os << text.toStdString();
}

inline QString qs(const char *utf8)
{
    return QString::fromUtf8(utf8);
}
