// The text encodings the program offers for reading files, in the order the encoding menus show
// them. Each has a stable number of our own (stored in preferences and file attributes; 0 means
// "Automatic", detection), an ICU charset name and a display name "<Script or region> (<name>)".
// Only encodings the system's ICU can convert are listed.
#pragma once

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>

struct Encoding
{
    int number = 0;
    const char *charset = nullptr; // ICU / IANA name
    const char *sourceName = nullptr; // untranslated display name

    QString charsetName() const { return QString::fromLatin1(charset); }
    QString name() const; // translated display name
};

class Encodings
{
    Q_DECLARE_TR_FUNCTIONS(Encodings)

public:
    static constexpr int Automatic = 0;
    static constexpr int UTF8 = 1;
    static constexpr int UTF16 = 2;
    static constexpr int UTF16BigEndian = 3;
    static constexpr int UTF16LittleEndian = 4;
    static constexpr int UTF32BigEndian = 6;
    static constexpr int UTF32LittleEndian = 7;
    static constexpr int WindowsLatin1 = 11;
    static constexpr int ISOLatin1 = 12;

    // Every available encoding, in display order.
    static const QList<Encoding> &all();
    static const Encoding *find(int number);
    // The table entry for a charset name or alias ICU knows ("sjis", "ISO-8859-8-I", ...).
    static const Encoding *findByCharset(const QString &charsetName);

    // The display name of an encoding; "Unknown" when the table lacks it.
    static QString encodingTypeName(int encoding);
    // The encoding itself when the table has it, else UTF-8.
    static int validateEncoding(int encoding);

    // Two-letter codes of the user's preferred languages, most preferred first, without repeats.
    static QStringList preferredLanguages();
    // The word whose encodings a language ticks by default: "Western" for the Western European
    // languages, else the language's name in the current locale (so Japanese ticks "Japanese (...)").
    static QString languageWord(const QString &languageCode);

    // The encodings ticked on first use: UTF-8, UTF-16BE and those of the first one or two
    // preferred languages, less a few rarely wanted Western ones.
    static QList<int> defaultEncodings(const QStringList &languages);
    // The ticks restored from a stored list of display names. Each name is looked for from the top
    // of the table; UTF-8 is ticked as well whenever that search passes it.
    static QList<int> restoredEncodings(const QStringList &storedNames);
};

// The line-break conventions a save panel's accessory can offer (everything the program writes uses
// line feeds).
class LineBreaks
{
    Q_DECLARE_TR_FUNCTIONS(LineBreaks)

public:
    enum Type
    {
        LineFeed = 0,
        CarriageReturn = 1,
        CarriageReturnLineFeed = 2
    };

    // The menu titles, in menu order: "Unix (LF)", "Windows (CR/LF)", "Mac (CR)".
    static QStringList titles();
    // The type a menu title stands for; any other title means a line feed.
    static Type lineBreakType(const QString &title);
    static QByteArray separator(Type type);
};
