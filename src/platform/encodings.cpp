#include "platform/encodings.h"

#include "platform/textcodec.h"

#include <QLocale>
#include <algorithm>
#include <unicode/uloc.h>
#include <vector>

namespace {

// Numbers are stored by users' files and preferences: never renumber or reuse one.
constexpr Encoding kCandidates[] = {
    { 1, "UTF-8", QT_TRANSLATE_NOOP("Encodings", "Unicode (UTF-8)") },
    { 2, "UTF-16", QT_TRANSLATE_NOOP("Encodings", "Unicode (UTF-16)") },
    { 3, "UTF-16BE", QT_TRANSLATE_NOOP("Encodings", "Unicode (UTF-16BE)") },
    { 4, "UTF-16LE", QT_TRANSLATE_NOOP("Encodings", "Unicode (UTF-16LE)") },
    { 5, "UTF-32", QT_TRANSLATE_NOOP("Encodings", "Unicode (UTF-32)") },
    { 6, "UTF-32BE", QT_TRANSLATE_NOOP("Encodings", "Unicode (UTF-32BE)") },
    { 7, "UTF-32LE", QT_TRANSLATE_NOOP("Encodings", "Unicode (UTF-32LE)") },
    { 8, "UTF-7", QT_TRANSLATE_NOOP("Encodings", "Unicode (UTF-7)") },
    { 10, "macintosh", QT_TRANSLATE_NOOP("Encodings", "Western (Mac OS Roman)") },
    { 11, "windows-1252", QT_TRANSLATE_NOOP("Encodings", "Western (Windows Latin 1)") },
    { 12, "ISO-8859-1", QT_TRANSLATE_NOOP("Encodings", "Western (ISO Latin 1)") },
    { 13, "ISO-8859-15", QT_TRANSLATE_NOOP("Encodings", "Western (ISO Latin 9)") },
    { 14, "US-ASCII", QT_TRANSLATE_NOOP("Encodings", "Western (ASCII)") },
    { 15, "IBM850", QT_TRANSLATE_NOOP("Encodings", "Western (DOS Latin 1)") },
    { 16, "IBM437", QT_TRANSLATE_NOOP("Encodings", "Latin-US (DOS)") },
    { 17, "IBM037", QT_TRANSLATE_NOOP("Encodings", "Western (EBCDIC Latin Core)") },
    { 18, "IBM1047", QT_TRANSLATE_NOOP("Encodings", "Western (EBCDIC Latin 1)") },
    { 19, "ISO-8859-3", QT_TRANSLATE_NOOP("Encodings", "South European (ISO Latin 3)") },
    { 20, "ISO-8859-2", QT_TRANSLATE_NOOP("Encodings", "Central European (ISO Latin 2)") },
    { 21, "windows-1250", QT_TRANSLATE_NOOP("Encodings", "Central European (Windows Latin 2)") },
    { 22, "x-mac-centraleurroman", QT_TRANSLATE_NOOP("Encodings", "Central European (Mac OS)") },
    { 23, "IBM852", QT_TRANSLATE_NOOP("Encodings", "Central European (DOS Latin 2)") },
    { 24, "ISO-8859-10", QT_TRANSLATE_NOOP("Encodings", "Nordic (ISO Latin 6)") },
    { 25, "ISO-8859-14", QT_TRANSLATE_NOOP("Encodings", "Celtic (ISO Latin 8)") },
    { 30, "windows-1251", QT_TRANSLATE_NOOP("Encodings", "Cyrillic (Windows)") },
    { 31, "ISO-8859-5", QT_TRANSLATE_NOOP("Encodings", "Cyrillic (ISO 8859-5)") },
    { 32, "KOI8-R", QT_TRANSLATE_NOOP("Encodings", "Cyrillic (KOI8-R)") },
    { 33, "x-mac-cyrillic", QT_TRANSLATE_NOOP("Encodings", "Cyrillic (Mac OS)") },
    { 34, "IBM866", QT_TRANSLATE_NOOP("Encodings", "Cyrillic (DOS)") },
    { 35, "KOI8-U", QT_TRANSLATE_NOOP("Encodings", "Ukrainian (KOI8-U)") },
    { 40, "windows-1253", QT_TRANSLATE_NOOP("Encodings", "Greek (Windows)") },
    { 41, "ISO-8859-7", QT_TRANSLATE_NOOP("Encodings", "Greek (ISO 8859-7)") },
    { 42, "x-mac-greek", QT_TRANSLATE_NOOP("Encodings", "Greek (Mac OS)") },
    { 50, "windows-1254", QT_TRANSLATE_NOOP("Encodings", "Turkish (Windows Latin 5)") },
    { 51, "ISO-8859-9", QT_TRANSLATE_NOOP("Encodings", "Turkish (ISO Latin 5)") },
    { 52, "x-mac-turkish", QT_TRANSLATE_NOOP("Encodings", "Turkish (Mac OS)") },
    { 60, "windows-1257", QT_TRANSLATE_NOOP("Encodings", "Baltic (Windows)") },
    { 61, "ISO-8859-4", QT_TRANSLATE_NOOP("Encodings", "Baltic (ISO Latin 4)") },
    { 62, "ISO-8859-13", QT_TRANSLATE_NOOP("Encodings", "Baltic (ISO Latin 7)") },
    { 70, "windows-1255", QT_TRANSLATE_NOOP("Encodings", "Hebrew (Windows)") },
    { 71, "ISO-8859-8", QT_TRANSLATE_NOOP("Encodings", "Hebrew (ISO 8859-8)") },
    { 80, "windows-1256", QT_TRANSLATE_NOOP("Encodings", "Arabic (Windows)") },
    { 81, "ISO-8859-6", QT_TRANSLATE_NOOP("Encodings", "Arabic (ISO 8859-6)") },
    { 90, "windows-874", QT_TRANSLATE_NOOP("Encodings", "Thai (Windows)") },
    { 91, "ISO-8859-11", QT_TRANSLATE_NOOP("Encodings", "Thai (ISO 8859-11)") },
    { 95, "windows-1258", QT_TRANSLATE_NOOP("Encodings", "Vietnamese (Windows)") },
    { 100, "Shift_JIS", QT_TRANSLATE_NOOP("Encodings", "Japanese (Shift JIS)") },
    { 101, "EUC-JP", QT_TRANSLATE_NOOP("Encodings", "Japanese (EUC)") },
    { 102, "ISO-2022-JP", QT_TRANSLATE_NOOP("Encodings", "Japanese (ISO 2022-JP)") },
    { 110, "GB18030", QT_TRANSLATE_NOOP("Encodings", "Chinese Simplified (GB 18030)") },
    { 111, "GBK", QT_TRANSLATE_NOOP("Encodings", "Chinese Simplified (GBK)") },
    { 112, "GB2312", QT_TRANSLATE_NOOP("Encodings", "Chinese Simplified (EUC)") },
    { 113, "HZ-GB-2312", QT_TRANSLATE_NOOP("Encodings", "Chinese Simplified (HZ GB 2312)") },
    { 114, "ISO-2022-CN", QT_TRANSLATE_NOOP("Encodings", "Chinese Simplified (ISO 2022-CN)") },
    { 120, "Big5", QT_TRANSLATE_NOOP("Encodings", "Chinese Traditional (Big 5)") },
    { 121, "Big5-HKSCS", QT_TRANSLATE_NOOP("Encodings", "Chinese Traditional (Big 5 HKSCS)") },
    { 122, "x-euc-tw", QT_TRANSLATE_NOOP("Encodings", "Chinese Traditional (EUC)") },
    { 130, "EUC-KR", QT_TRANSLATE_NOOP("Encodings", "Korean (EUC)") },
    { 131, "windows-949", QT_TRANSLATE_NOOP("Encodings", "Korean (Windows)") },
    { 132, "ISO-2022-KR", QT_TRANSLATE_NOOP("Encodings", "Korean (ISO 2022-KR)") },
};

// Ticked by a Western language's word but rarely what anyone wants.
constexpr const char *kExcludedFromDefaults[] = {
    QT_TRANSLATE_NOOP("Encodings", "Western (ASCII)"),
    QT_TRANSLATE_NOOP("Encodings", "Western (Mac Mail)"),
    QT_TRANSLATE_NOOP("Encodings", "Western (NextStep)"),
    QT_TRANSLATE_NOOP("Encodings", "Western (EBCDIC Latin Core)"),
    QT_TRANSLATE_NOOP("Encodings", "Western (EBCDIC Latin 1)"),
};

constexpr const char *kWesternLanguages[] = { "en", "de", "fr", "es", "it", "nl" };

QString translated(const char *sourceName)
{
    return QCoreApplication::translate("Encodings", sourceName);
}

} // namespace

QString Encoding::name() const
{
    return translated(sourceName);
}

const QList<Encoding> &Encodings::all()
{
    static const QList<Encoding> table = [] {
        QList<Encoding> available;
        for (const Encoding &e : kCandidates) {
            if (TextCodec::isKnown(e.charsetName()))
                available.append(e);
        }
        return available;
    }();
    return table;
}

const Encoding *Encodings::find(int number)
{
    const QList<Encoding> &table = all();
    const auto it = std::find_if(table.begin(), table.end(),
                                 [number](const Encoding &e) { return e.number == number; });
    return it == table.end() ? nullptr : &*it;
}

const Encoding *Encodings::findByCharset(const QString &charsetName)
{
    // Aliases of one converter share its canonical name; compare those.
    const QString wanted = TextCodec::canonicalName(charsetName);
    if (wanted.isEmpty())
        return nullptr;
    static const std::vector<QString> canonical = [] {
        std::vector<QString> names;
        for (const Encoding &e : all())
            names.push_back(TextCodec::canonicalName(e.charsetName()));
        return names;
    }();
    for (size_t i = 0; i < canonical.size(); ++i) {
        if (canonical[i] == wanted)
            return &all()[qsizetype(i)];
    }
    return nullptr;
}

QString Encodings::encodingTypeName(int encoding)
{
    const Encoding *e = find(encoding);
    return e ? e->name() : tr("Unknown");
}

int Encodings::validateEncoding(int encoding)
{
    return find(encoding) ? encoding : UTF8;
}

QStringList Encodings::preferredLanguages()
{
    QStringList codes;
    for (const QString &tag : QLocale::system().uiLanguages()) {
        const QString code = tag.left(2).toLower();
        if (code.size() == 2 && !codes.contains(code))
            codes.append(code);
    }
    return codes;
}

QString Encodings::languageWord(const QString &languageCode)
{
    const QString code = languageCode.left(2).toLower();
    for (const char *western : kWesternLanguages) {
        if (code == QLatin1String(western))
            return translated(QT_TRANSLATE_NOOP("Encodings", "Western"));
    }
    UChar buffer[128];
    UErrorCode status = U_ZERO_ERROR;
    const int length
        = uloc_getDisplayLanguage(code.toLatin1().constData(), QLocale().name().toLatin1().constData(),
                                  buffer, int(std::size(buffer)), &status);
    if (U_FAILURE(status) || length <= 0)
        return code;
    return QString(reinterpret_cast<const QChar *>(buffer), length);
}

QList<int> Encodings::defaultEncodings(const QStringList &languages)
{
    QStringList words;
    for (const QString &language : languages.mid(0, 2))
        words.append(languageWord(language));

    QStringList excluded;
    for (const char *name : kExcludedFromDefaults)
        excluded.append(translated(name));

    QList<int> ticked;
    for (const Encoding &e : all()) {
        const QString name = e.name();
        bool tick = e.number == UTF8 || e.number == UTF16BigEndian;
        if (!tick && !excluded.contains(name)) {
            tick = std::any_of(words.begin(), words.end(), [&name](const QString &word) {
                return !word.isEmpty() && name.contains(word);
            });
        }
        if (tick)
            ticked.append(e.number);
    }
    return ticked;
}

QList<int> Encodings::restoredEncodings(const QStringList &storedNames)
{
    const QList<Encoding> &table = all();
    QList<bool> ticks(table.size(), false);
    for (const QString &stored : storedNames) {
        for (qsizetype i = 0; i < table.size(); ++i) {
            // The stored names are display names; the untranslated ones match too, so that a
            // change of the interface language does not lose the list.
            if (stored == table[i].name() || stored == QLatin1String(table[i].sourceName)) {
                ticks[i] = true;
                break;
            }
            if (table[i].number == UTF8)
                ticks[i] = true;
        }
    }
    QList<int> ticked;
    for (qsizetype i = 0; i < table.size(); ++i) {
        if (ticks[i])
            ticked.append(table[i].number);
    }
    return ticked;
}

QStringList LineBreaks::titles()
{
    return { tr("Unix (LF)"), tr("Windows (CR/LF)"), tr("Mac (CR)") };
}

LineBreaks::Type LineBreaks::lineBreakType(const QString &title)
{
    if (title == tr("Mac (CR)"))
        return CarriageReturn;
    if (title == tr("Windows (CR/LF)"))
        return CarriageReturnLineFeed;
    return LineFeed;
}

QByteArray LineBreaks::separator(Type type)
{
    switch (type) {
    case CarriageReturn:
        return QByteArrayLiteral("\r");
    case CarriageReturnLineFeed:
        return QByteArrayLiteral("\r\n");
    case LineFeed:
        break;
    }
    return QByteArrayLiteral("\n");
}
