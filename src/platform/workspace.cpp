#include "platform/workspace.h"

#include "platform/atomicfilewriter.h"

#include <QDateTime>
#include <QDebug>
#include <QDesktopServices>
#include <QDir>
#include <QTemporaryFile>
#include <QUrlQuery>
#include <QUuid>

namespace {

const QString kTelScheme = QStringLiteral("tel");
const QString kMapsScheme = QStringLiteral("maps");
const QString kCalendarScheme = QStringLiteral("ical");
const QString kQueryKey = QStringLiteral("q");
const QString kDateKey = QStringLiteral("date");
const QString kSummaryKey = QStringLiteral("summary");
const QString kYearlyKey = QStringLiteral("yearly");
const QByteArray kWebMapSearch = QByteArrayLiteral("https://www.openstreetmap.org/search?query=");
const QString kIcsDateFormat = QStringLiteral("yyyyMMdd");

Workspace::Opener &opener()
{
    static Workspace::Opener current;
    return current;
}

bool openWithDesktop(const QUrl &url)
{
    return QDesktopServices::openUrl(url);
}

// A text value of a calendar file: backslash, ';', ',' and line breaks escaped.
QByteArray icsText(const QString &text)
{
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar c : text) {
        if (c == u'\\' || c == u';' || c == u',')
            escaped += u'\\';
        if (c == u'\n') {
            escaped += QStringLiteral("\\n");
            continue;
        }
        if (c == u'\r')
            continue;
        escaped += c;
    }
    return escaped.toUtf8();
}

// Content lines are folded at 75 octets, never inside a UTF-8 sequence.
void appendFolded(QByteArray &out, const QByteArray &line)
{
    qsizetype start = 0;
    qsizetype limit = 75;
    while (line.size() - start > limit) {
        qsizetype cut = start + limit;
        while (cut > start && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80)
            --cut;
        out += line.mid(start, cut - start) + "\r\n ";
        start = cut;
        limit = 74; // the leading space of a continuation counts
    }
    out += line.mid(start) + "\r\n";
}

QUrl writeCalendarFile(const QUrl &url)
{
    const QUrlQuery query(url);
    QDate date = QDate::fromString(query.queryItemValue(kDateKey), kIcsDateFormat);
    if (!date.isValid())
        date = QDate::currentDate();
    const QString summary = query.queryItemValue(kSummaryKey, QUrl::FullyDecoded);
    const bool yearly = query.queryItemValue(kYearlyKey) == QLatin1String("1");

    // The temporary file only reserves a name; the event is written like every other file, so a
    // full disk gives no event rather than half of one.
    QTemporaryFile file(QDir::tempPath() + QStringLiteral("/event-XXXXXX.ics"));
    QString error;
    if (!file.open()
        || !AtomicFileWriter::writeFile(file.fileName(), Workspace::calendarEvent(date, summary, yearly),
                                        &error)) {
        qWarning().noquote() << "Workspace: ERROR can't write a calendar file:"
                             << (error.isEmpty() ? file.errorString() : error);
        return {};
    }
    file.setAutoRemove(false); // the calendar program reads it after we return
    return QUrl::fromLocalFile(file.fileName());
}

} // namespace

Workspace::Opener Workspace::setOpener(Opener newOpener)
{
    Opener previous = opener() ? opener() : Opener(openWithDesktop);
    opener() = std::move(newOpener);
    return previous;
}

QUrl Workspace::desktopUrl(const QUrl &url)
{
    if (url.scheme() == kMapsScheme) {
        // The query keeps its encoding: "+" stands for a space, "%2B" for a plus sign.
        const QString search = QUrlQuery(url).queryItemValue(kQueryKey, QUrl::FullyEncoded);
        return QUrl(QStringLiteral("geo:0,0?q=") + search, QUrl::StrictMode);
    }
    if (url.scheme() == kCalendarScheme)
        return writeCalendarFile(url);
    return url;
}

bool Workspace::openUrl(const QUrl &url)
{
    if (!url.isValid() || url.isEmpty())
        return false;
    const QUrl target = desktopUrl(url);
    if (!target.isValid() || target.isEmpty())
        return false;
    return opener() ? opener()(target) : openWithDesktop(target);
}

QByteArray Workspace::percentEncoded(const QString &text)
{
    QByteArray out;
    static const char hex[] = "0123456789ABCDEF";
    for (const char c : text.toUtf8()) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') || (byte >= '0' && byte <= '9')) {
            out += c;
        } else {
            out += '%';
            out += hex[byte >> 4];
            out += hex[byte & 0xF];
        }
    }
    return out;
}

QUrl Workspace::phoneUrl(const QString &number)
{
    QString digits = number;
    digits.remove(u'(').remove(u')').remove(u' ');
    // "tel:" without "//": after "//" a URL parser takes the number for a host name, refuses a
    // leading '+' and reads a bare number as an IPv4 address. Dial-string characters stay as they
    // are; anything that could end the number ('/', '?', '#', ...) is encoded.
    const QByteArray encoded = digits.toUtf8().toPercentEncoding("+-.*,;=");
    return QUrl::fromEncoded("tel:" + encoded, QUrl::StrictMode);
}

QUrl Workspace::mailUrl(const QString &address)
{
    // '@' and '.' stay legible; everything that could add headers or recipients is encoded.
    return QUrl::fromEncoded("mailto:" + address.trimmed().toUtf8().toPercentEncoding("@.+_-"),
                             QUrl::StrictMode);
}

QUrl Workspace::mapUrl(const QString &addressText)
{
    // Spaces become the '+' separators; a '+' of the text itself is encoded, so it stays a plus.
    const QStringList words = addressText.split(u' ', Qt::SkipEmptyParts);
    QByteArray query;
    for (const QString &word : words) {
        if (!query.isEmpty())
            query += '+';
        query += percentEncoded(word);
    }
    return QUrl::fromEncoded("maps://?q=" + query, QUrl::StrictMode);
}

QUrl Workspace::webMapUrl(const QString &addressText)
{
    return QUrl::fromEncoded(kWebMapSearch + percentEncoded(addressText), QUrl::StrictMode);
}

QUrl Workspace::webUrl(const QString &text)
{
    // Schemes are case-insensitive: "HTTP://x" must not become "http://HTTP://x".
    const QString trimmed = text.trimmed();
    if (trimmed.startsWith(QLatin1String("http://"), Qt::CaseInsensitive)
        || trimmed.startsWith(QLatin1String("https://"), Qt::CaseInsensitive))
        return QUrl(trimmed, QUrl::TolerantMode);
    return QUrl(QStringLiteral("http://") + trimmed, QUrl::TolerantMode);
}

QUrl Workspace::calendarUrl(const QDate &date, const QString &summary, bool yearly)
{
    QUrl url(QStringLiteral("ical://"));
    QUrlQuery query;
    if (date.isValid())
        query.addQueryItem(kDateKey, date.toString(kIcsDateFormat));
    // Encoded by hand: QUrlQuery takes '%' sequences as given, and with only letters and digits left
    // bare no character of the summary can end the item.
    if (!summary.isEmpty())
        query.addQueryItem(kSummaryKey, QString::fromLatin1(percentEncoded(summary)));
    if (yearly)
        query.addQueryItem(kYearlyKey, QStringLiteral("1"));
    if (!query.isEmpty())
        url.setQuery(query);
    return url;
}

QByteArray Workspace::calendarEvent(const QDate &date, const QString &summary, bool yearly)
{
    const QString stamp = QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
    QByteArray out;
    const auto line = [&out](const QByteArray &text) { appendFolded(out, text); };
    line("BEGIN:VCALENDAR");
    line("VERSION:2.0");
    line("PRODID:-//Pellory2//Contact Event//EN");
    line("BEGIN:VEVENT");
    line("UID:" + QUuid::createUuid().toString(QUuid::WithoutBraces).toLatin1());
    line("DTSTAMP:" + stamp.toLatin1());
    line("DTSTART;VALUE=DATE:" + date.toString(kIcsDateFormat).toLatin1());
    line("DTEND;VALUE=DATE:" + date.addDays(1).toString(kIcsDateFormat).toLatin1());
    if (yearly)
        line("RRULE:FREQ=YEARLY");
    if (!summary.isEmpty())
        line("SUMMARY:" + icsText(summary));
    line("TRANSP:TRANSPARENT");
    line("END:VEVENT");
    line("END:VCALENDAR");
    return out;
}
