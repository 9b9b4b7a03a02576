// The lowest layer of the vCard codec: bytes of one card -> logical lines -> properties with their
// group, name, parameters and raw value; decoding of values (quoted-printable, Base64, charsets),
// text escapes and component splitting; and the matching pieces for writing (escaping, folding).
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVarLengthArray>

namespace VCardSyntax {

// ASCII case-insensitive equality of a name or word as written with a known one. Called a few
// hundred times per card, so it is inline and settles unequal lengths and first letters at once.
inline bool equalsIgnoreCase(QByteArrayView a, QLatin1StringView b)
{
    if (a.size() != b.size())
        return false;
    if (a.isEmpty())
        return true;
    // Bytes that differ in more than the case bit differ in any case: most names part here.
    const qsizetype last = a.size() - 1;
    if (((a[0] ^ b[0].toLatin1()) | (a[last] ^ b[last].toLatin1())) & ~0x20)
        return false;
    auto upper = [](char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; };
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (upper(a[i]) != upper(b[i].toLatin1()))
            return false;
    }
    return true;
}

struct Parameter
{
    QByteArrayView name; // empty for a bare 2.1 value ("TEL;WORK;FAX:")
    QByteArrayView value; // without the quotes; may list several values separated by ","
    bool quoted = false;
};

enum class Encoding
{
    Raw,
    QuotedPrintable,
    Base64
};

// What a card's bytes are. A file is read as its own bytes: a value without a transfer encoding is
// in the file's charset unless the property declares another, and is decoded once with that.
// Text that was decoded already (a UTF-16 file, the clipboard) comes as UTF-8: its values are not
// decoded a second time, whatever charset they declare; only bytes under a transfer encoding
// (quoted-printable, Base64) still are.
struct TextSource
{
    QByteArray charset; // the file's charset (an ICU name); empty for UTF-8
    bool decoded = false;
};

struct Property
{
    QByteArrayView group; // "item1" of "item1.TEL"
    QByteArrayView name; // as written
    QByteArrayView parameterText; // everything between the name and the value separator
    QByteArrayView rawValue; // unfolded, not yet decoded
    QVarLengthArray<Parameter, 4> parameters;
    const TextSource *source = nullptr; // the card's; null reads as UTF-8 bytes

    bool is(QLatin1StringView propertyName) const { return equalsIgnoreCase(name, propertyName); }
    // The first value of a named parameter (case-insensitive); null when absent.
    QByteArrayView parameter(QLatin1StringView parameterName) const;
    bool hasParameter(QLatin1StringView parameterName) const;
    // Whether one of the TYPE values (or a bare 2.1 value) is the given word, case-insensitively.
    bool hasType(QLatin1StringView type) const;
    Encoding encoding() const;
};

// One card cut into properties. The properties point into the bytes given (which must outlive the
// card) or into the card's own storage for lines that needed unfolding.
class Card
{
public:
    // Room for a usual card without touching the heap: cards are read by the hundred thousand.
    using Properties = QVarLengthArray<Property, 32>;

    explicit Card(QByteArrayView bytes, const TextSource &source = {});
    // The card views its bytes: a temporary would be gone before the properties are read.
    explicit Card(QByteArray &&, const TextSource & = {}) = delete;
    Card(const Card &) = delete;
    Card &operator=(const Card &) = delete;

    const Properties &properties() const { return m_properties; }
    // Whether a BEGIN:VCARD line was met.
    bool hasBegin() const { return m_hasBegin; }

private:
    void addLine(QByteArrayView line);

    Properties m_properties;
    QList<QByteArray> m_storage;
    const TextSource m_source;
    bool m_hasBegin = false;
    int m_depth = 0;
};

// Whether a content line opens or closes a card: its name, after an optional group prefix, is
// BEGIN or END (any case), it has no parameters, and its value is VCARD. Card boundaries are
// found only at such lines, never in the middle of a value that happens to hold the words.
enum class Boundary
{
    None,
    Begin,
    End
};
Boundary boundaryOf(QByteArrayView line);
Boundary boundaryOf(QStringView line);

// Splits a TYPE-like parameter value list ("WORK,VOICE") into its items.
using ListItems = QVarLengthArray<QByteArrayView, 8>;
ListItems splitList(QByteArrayView values);

// ---- Decoding ----------------------------------------------------------------------------
QByteArray decodeQuotedPrintable(QByteArrayView bytes);
QByteArray decodeBase64(QByteArrayView bytes);
// The value as text: transfer encoding undone, and the bytes decoded once: with the declared
// charset, else the file's (see TextSource).
QString decodeText(const Property &property);
// The value as bytes: Base64 and quoted-printable undone; a "data:" URI gives its payload.
QByteArray decodeBinary(const Property &property);
// A phone number: the unescaped, trimmed text, without the "tel:" of a vCard 4.0 URI value.
QString phoneNumber(const Property &property);
// Parameter values as text (they are UTF-8 or ASCII in practice).
QString parameterText(QByteArrayView bytes);
// The same, appended: ASCII text needs no copy of its own on the way.
void appendParameterText(QString &out, QByteArrayView bytes);

// The length of the run of byte-order marks at pos. Marks the file reader did not take off (text
// given straight to the reader, or a file that repeats the mark) stand before a line, not in it;
// text decoders differ in whether they drop a first mark, so a run is skipped whole.
qsizetype byteOrderMarksAt(QByteArrayView text, qsizetype pos = 0);
qsizetype byteOrderMarksAt(QStringView text, qsizetype pos = 0);

// ---- Text values -----------------------------------------------------------------------------
// Undoes \n \N \, \; \: \\; other backslashes stay as they are.
QString unescape(QStringView text);
// The same for a decoded value: a value without escapes is given back without a copy.
QString unescape(QString &&text);
// Splits at every separator not preceded by a backslash and unescapes each part.
QStringList splitEscaped(QStringView text, QChar separator);
// The same for a structured value (N, ADR, ORG, CATEGORIES), decoded as decodeText does. A card has
// a few of these: the parts are gathered without touching the heap for anything but their texts.
using Parts = QVarLengthArray<QString, 8>;
Parts splitValue(const Property &property, QChar separator);

// ---- Writing ----------------------------------------------------------------------------------
// Text value escaping: backslash, line breaks (as \n), "," and ";".
QString escape(QStringView text);
// The same; text that needs no escapes is given back without a copy.
QString escape(const QString &text);
// For values that are no TEXT (URIs, phone numbers, user-defined properties): only backslashes
// and line breaks are escaped, so that the line stays one line and reads back the same.
QString escapeLineBreaks(QStringView text);
QString escapeLineBreaks(const QString &text);
// A parameter value: quoted when it holds ":", ";" or ",", with quotes and line breaks encoded
// with ^' and ^n (and ^ as ^^) so that it cannot end the parameter early.
QString parameterValue(QStringView value);
// Appends one content line (without line end) folded at 75 octets, never inside a UTF-8
// sequence, and ending in CRLF.
void appendFolded(QByteArray &out, QByteArrayView line);
// The same for a line of text, encoded as UTF-8 on the way.
void appendFolded(QByteArray &out, QStringView line);

} // namespace VCardSyntax
