#include "csvout.h"

#include <QStringList>

namespace Gen {

namespace {

// Header texts in column order: phone and e-mail columns all carry the home header, as the
// program's writer has it; they differ only in the label whose value they hold.
constexpr const char *Header[] = {
    "Name",        "Home Phone", "Home Phone",  "Home Phone",  "Home Email",   "Home Email", "Home Email",
    "Home ZIP",    "Home State", "Home City",   "Home Street", "Work ZIP",     "Work State", "Work City",
    "Work Street", "Other ZIP",  "Other State", "Other City",  "Other Street", "Birthday",   "Title",
    "Company",     "Department", "Job Title",   "First Name",  "Last Name",    "Nickname",   "Note",
    "Facebook",    "LinkedIn",   "Flickr",      "SinaWeibo",
};
constexpr int ColumnCount = int(std::size(Header));
static_assert(ColumnCount == 32);

// Each label column takes the first item with that label. The program's own export fills only the
// column of a row's current item; the fuller lines read the same way and give the reader more work.
constexpr Slot LabelColumns[] = { Slot::Home, Slot::Work, Slot::Other };

// Cells with a space are quoted first; tabs and line feeds become \t and \n; a cell that then holds
// a comma is quoted (again). A street with both a space and a comma thus gets two quotes a side.
QByteArray cell(const QString &text)
{
    if (text.isEmpty())
        return {};
    QString s = text.contains(u' ') ? u'"' + text + u'"' : text;
    s.replace(u'\t', QStringLiteral("\\t"));
    s.replace(u'\n', QStringLiteral("\\n"));
    if (s.contains(u','))
        s = u'"' + s + u'"';
    return s.toUtf8();
}

QString firstWithSlot(const QList<Labeled> &items, Slot slot)
{
    for (const Labeled &item : items)
        if (item.slot == slot)
            return item.value;
    return {};
}

const Address *addressWithSlot(const QList<Address> &items, Slot slot)
{
    for (const Address &item : items)
        if (item.slot == slot)
            return &item;
    return nullptr;
}

QString socialUser(const Card &card, const char *service)
{
    for (const Social &s : card.socialProfiles)
        if (s.service == QLatin1String(service))
            return s.user;
    return {};
}

// The display form of a date: yyyy.MM.dd(EEE).
QString birthdayText(const Date &d)
{
    if (!d.year)
        return {};
    static constexpr const char *weekdays[] = { "Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat" };
    static constexpr int offsets[] = { 0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4 };
    const int y = d.month < 3 ? d.year - 1 : d.year;
    const int weekday = (y + y / 4 - y / 100 + y / 400 + offsets[d.month - 1] + d.day) % 7;
    return QStringLiteral("%1.%2.%3(%4)")
        .arg(d.year, 4, 10, QChar(u'0'))
        .arg(d.month, 2, 10, QChar(u'0'))
        .arg(d.day, 2, 10, QChar(u'0'))
        .arg(QLatin1String(weekdays[weekday]));
}

} // namespace

QByteArray csvHeader()
{
    QStringList names;
    for (const char *h : Header)
        names += QString::fromLatin1(h);
    return names.join(u',').toUtf8() + '\n';
}

QByteArray csvLine(const Card &card)
{
    QList<QString> cells;
    cells += card.compositeName();
    for (const Slot slot : LabelColumns)
        cells += firstWithSlot(card.phones, slot);
    for (const Slot slot : LabelColumns)
        cells += firstWithSlot(card.emails, slot);
    for (const Slot slot : LabelColumns) {
        const Address *a = addressWithSlot(card.addresses, slot);
        cells += a ? QStringList { a->zip, a->region, a->city, a->street } : QStringList { {}, {}, {}, {} };
    }
    cells += { birthdayText(card.birthday),
               card.prefix,
               card.organization,
               card.department,
               card.jobTitle,
               card.given,
               card.family,
               card.nickname,
               card.note,
               socialUser(card, "facebook"),
               socialUser(card, "linkedin"),
               socialUser(card, "flickr"),
               socialUser(card, "sinaweibo") };
    Q_ASSERT(cells.size() == ColumnCount);
    QByteArray line;
    for (qsizetype i = 0; i < cells.size(); ++i) {
        if (i)
            line += ',';
        line += cell(cells.at(i));
    }
    return line + '\n';
}

} // namespace Gen
