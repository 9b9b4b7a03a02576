#include "formats/vcardkeys.h"
#include "formats/vcardsyntax_p.h"
#include "platform/textcodec.h"
#include "platform/utf8.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>
#include <array>
#include <cstring>
#include <initializer_list>

namespace VCardSyntax {

namespace {

bool containsIgnoreCase(QByteArrayView haystack, QLatin1StringView needle)
{
    for (qsizetype i = 0; i + needle.size() <= haystack.size(); ++i) {
        if (equalsIgnoreCase(haystack.sliced(i, needle.size()), needle))
            return true;
    }
    return false;
}

QByteArrayView trimmed(QByteArrayView v)
{
    while (!v.isEmpty() && (v.front() == ' ' || v.front() == '\t'))
        v = v.sliced(1);
    while (!v.isEmpty() && (v.back() == ' ' || v.back() == '\t'))
        v.chop(1);
    return v;
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

bool isUtf8Name(QByteArrayView charset)
{
    return equalsIgnoreCase(charset, QLatin1StringView("UTF-8"))
        || equalsIgnoreCase(charset, QLatin1StringView("UTF8"));
}

// Bytes in the first of the given charsets that is known (UTF-8 among them stops the search);
// with none, UTF-8 when they are valid UTF-8, else the fallback charset, else windows-1252, the
// usual encoding of old 8-bit exports.
QString textFromBytes(QByteArrayView bytes, std::initializer_list<QByteArrayView> charsets,
                      QByteArrayView fallback = {})
{
    // ASCII reads the same in every charset given, except the 7-bit ones that switch with escapes.
    if (!Utf8::isAscii(bytes) || bytes.contains('\x1b')) {
        for (const QByteArrayView charset : charsets) {
            if (charset.isEmpty())
                continue;
            if (isUtf8Name(charset))
                break;
            const QString name = QString::fromLatin1(charset);
            if (TextCodec::isKnown(name))
                return TextCodec::decodeLenient(bytes, name);
        }
    }
    // Decoding tells whether the bytes were valid UTF-8 (ASCII is), in the same pass.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    if (!fallback.isEmpty() && !isUtf8Name(fallback) && TextCodec::isKnown(QString::fromLatin1(fallback)))
        return TextCodec::decodeLenient(bytes, QString::fromLatin1(fallback));
    return TextCodec::decodeLenient(bytes, QStringLiteral("windows-1252"));
}

const TextSource kUtf8Bytes;

const TextSource &sourceOf(const Property &property)
{
    return property.source ? *property.source : kUtf8Bytes;
}

// Whether the value needs no transfer decoding and its bytes are UTF-8.
bool isPlainUtf8(const Property &property)
{
    if (property.encoding() != Encoding::Raw)
        return false;
    const TextSource &source = sourceOf(property);
    if (source.decoded)
        return true;
    const QByteArrayView declared = property.parameter(VCardParameter::Charset);
    return declared.isEmpty() ? source.charset.isEmpty() || isUtf8Name(source.charset) : isUtf8Name(declared);
}

constexpr QLatin1StringView kCard("VCARD");

template<typename View> View trimmedView(View v)
{
    while (!v.isEmpty() && (v.front() == u' ' || v.front() == u'\t'))
        v = v.sliced(1);
    while (!v.isEmpty() && (v.back() == u' ' || v.back() == u'\t'))
        v.chop(1);
    return v;
}

inline char16_t unit(QChar c)
{
    return c.unicode();
}

inline char16_t unit(char c)
{
    return uchar(c);
}

template<typename View> bool equalsWord(View a, QLatin1StringView word)
{
    if (a.size() != word.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        const char16_t c = unit(a[i]);
        const char16_t upper = c >= u'a' && c <= u'z' ? char16_t(c - 32) : c;
        if (upper != char16_t(uchar(word[i].toLatin1())))
            return false;
    }
    return true;
}

// The rules of Card::addLine for a line's name and value, kept in one place for the card cutter.
template<typename View> Boundary boundaryIn(View line)
{
    if (line.isEmpty() || line.front() == u' ' || line.front() == u'\t')
        return Boundary::None; // a folded continuation
    qsizetype i = 0;
    while (i < line.size() && line[i] != u':' && line[i] != u';')
        ++i;
    if (i >= line.size() || line[i] != u':')
        return Boundary::None;
    if (!equalsWord(trimmedView(line.sliced(i + 1)), kCard))
        return Boundary::None;
    View name = trimmedView(line.first(i));
    for (qsizetype d = 0; d < name.size(); ++d) {
        if (name[d] == u'.') {
            name = name.sliced(d + 1);
            break;
        }
    }
    if (equalsWord(name, VCardProperty::Begin))
        return Boundary::Begin;
    if (equalsWord(name, VCardProperty::End))
        return Boundary::End;
    return Boundary::None;
}

} // namespace

// ---- Property -------------------------------------------------------------------------------

QByteArrayView Property::parameter(QLatin1StringView parameterName) const
{
    for (const Parameter &p : parameters) {
        if (equalsIgnoreCase(p.name, parameterName))
            return p.value.isNull() ? QByteArrayView("") : p.value;
    }
    return {};
}

bool Property::hasParameter(QLatin1StringView parameterName) const
{
    return !parameter(parameterName).isNull();
}

bool Property::hasType(QLatin1StringView type) const
{
    for (const Parameter &p : parameters) {
        if (p.name.isEmpty()) {
            if (equalsIgnoreCase(trimmed(p.value), type))
                return true;
        } else if (equalsIgnoreCase(p.name, VCardParameter::Type)) {
            for (QByteArrayView item : splitList(p.value)) {
                if (equalsIgnoreCase(item, type))
                    return true;
            }
        }
    }
    return false;
}

Encoding Property::encoding() const
{
    for (const Parameter &p : parameters) {
        QByteArrayView v;
        if (p.name.isEmpty())
            v = trimmed(p.value);
        else if (equalsIgnoreCase(p.name, VCardParameter::Encoding))
            v = trimmed(p.value);
        else
            continue;
        if (equalsIgnoreCase(v, VCardParameter::QuotedPrintable))
            return Encoding::QuotedPrintable;
        if (equalsIgnoreCase(v, VCardParameter::Base64) || equalsIgnoreCase(v, VCardParameter::B))
            return Encoding::Base64;
    }
    return Encoding::Raw;
}

Boundary boundaryOf(QByteArrayView line)
{
    return boundaryIn(line);
}

Boundary boundaryOf(QStringView line)
{
    return boundaryIn(line);
}

ListItems splitList(QByteArrayView values)
{
    ListItems items;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= values.size(); ++i) {
        if (i == values.size() || values[i] == ',') {
            const QByteArrayView item = trimmed(values.sliced(start, i - start));
            if (!item.isEmpty())
                items.append(item);
            start = i + 1;
        }
    }
    return items;
}

// ---- Card: physical lines -> logical lines -> properties --------------------------------------

// Lines are unfolded in one pass over the physical lines. The obvious approach, joining every
// line that starts with white space, fails on vCard 2.1 quoted-printable values: their soft line
// break is a "=" at the end of a line and the continuation starts in column one, so whether the
// next line belongs to this one depends on the ENCODING parameter of the line being built. The
// head of a logical line is therefore inspected when it starts; a quoted-printable line then also
// continues after each trailing "=", but never into the line that closes the card. Pieces are
// joined as bytes before anything is decoded: writers fold in the middle of a multi-byte
// character, which only the joined bytes make whole again.
// A card without any LF uses bare CR as line break (old Mac files); otherwise any run of CRs
// before the LF belongs to the line end (some mail programs write CR CR LF), and a lone CR inside
// a line is part of the value.
Card::Card(QByteArrayView bytes, const TextSource &source)
    : m_source(source)
{
    const bool crOnly = !bytes.contains('\n') && bytes.contains('\r');
    const char lineBreak = crOnly ? '\r' : '\n';

    auto nextLine = [&](qsizetype &pos) {
        const qsizetype start = pos;
        // memchr itself: a card is cut into its lines with tens of searches.
        const void *found = std::memchr(bytes.data() + start, lineBreak, size_t(bytes.size() - start));
        const qsizetype end = found ? static_cast<const char *>(found) - bytes.data() : bytes.size();
        pos = end + 1;
        QByteArrayView line = bytes.sliced(start, end - start);
        while (!crOnly && line.endsWith('\r'))
            line.chop(1);
        return line;
    };

    qsizetype pos = 0;
    while (pos < bytes.size()) {
        QByteArrayView line = nextLine(pos);
        if (line.isEmpty())
            continue;
        const qsizetype colon = line.indexOf(':');
        const bool quotedPrintable
            = colon > 0 && containsIgnoreCase(line.first(colon), VCardParameter::QuotedPrintable);
        // The pieces of a folded line are gathered first and joined once: a photo is hundreds.
        QVarLengthArray<QByteArrayView, 8> pieces { line };
        auto lastFilled = [&pieces]() -> QByteArrayView * {
            for (qsizetype i = pieces.size() - 1; i >= 0; --i) {
                if (!pieces[i].isEmpty())
                    return &pieces[i];
            }
            return nullptr;
        };
        while (pos < bytes.size()) {
            QByteArrayView *last = lastFilled();
            const bool softBreak = quotedPrintable && last && last->endsWith('=');
            const char first = bytes[pos];
            const bool fold = first == ' ' || first == '\t';
            if (!softBreak && !fold)
                break;
            qsizetype peek = pos;
            QByteArrayView next = nextLine(peek);
            if (softBreak && !fold && boundaryOf(next) != Boundary::None)
                break;
            if (softBreak) {
                last->chop(1);
                pieces.append(next);
            } else {
                pieces.append(next.sliced(1));
            }
            pos = peek;
        }
        if (pieces.size() == 1) {
            addLine(line);
            continue;
        }
        qsizetype size = 0;
        for (QByteArrayView piece : pieces)
            size += piece.size();
        QByteArray joined;
        joined.reserve(size);
        for (QByteArrayView piece : pieces)
            joined.append(piece);
        m_storage.append(std::move(joined));
        addLine(m_storage.constLast());
    }
}

// A content line is "group.NAME;PARAM=VALUE;PARAM="QUOTED":value". A ":" or ";" inside a quoted
// parameter value does not end the parameter, which is why the head is scanned character by
// character instead of being cut at the first ":". An opening quote without a closing one is
// taken literally, so that one stray quote cannot swallow the value.
qsizetype byteOrderMarksAt(QByteArrayView text, qsizetype pos)
{
    const QByteArrayView mark(VCardText::Utf8ByteOrderMark);
    qsizetype end = pos;
    while (text.sliced(end).startsWith(mark))
        end += mark.size();
    return end - pos;
}

qsizetype byteOrderMarksAt(QStringView text, qsizetype pos)
{
    qsizetype end = pos;
    while (end < text.size() && text[end] == VCardText::ByteOrderMark)
        ++end;
    return end - pos;
}

void Card::addLine(QByteArrayView line)
{
    // Byte-order marks at a line's start are no part of it, as when cards are cut: else a BEGIN
    // behind one would be a property here and a card there.
    line = line.sliced(byteOrderMarksAt(line));
    // Built in its place in the list, which is dropped again when the line is no property of ours.
    Property &p = m_properties.emplace_back();
    p.source = &m_source;
    const qsizetype n = line.size();
    qsizetype i = 0;
    while (i < n && line[i] != ';' && line[i] != ':')
        ++i;
    if (i >= n)
        return m_properties.removeLast(); // no value separator: not a content line
    QByteArrayView fullName = trimmed(line.first(i));
    const qsizetype dot = fullName.indexOf('.');
    if (dot >= 0) {
        p.group = fullName.first(dot);
        p.name = fullName.sliced(dot + 1);
    } else {
        p.name = fullName;
    }
    if (p.name.isEmpty())
        return m_properties.removeLast();

    const qsizetype paramStart = i < n && line[i] == ';' ? i + 1 : i;
    while (i < n && line[i] == ';') {
        ++i;
        const qsizetype start = i;
        qsizetype eq = -1;
        Parameter param;
        qsizetype valueStart = -1;
        qsizetype valueEnd = -1;
        while (i < n && line[i] != ';' && line[i] != ':') {
            if (line[i] == '=' && eq < 0) {
                eq = i;
                if (i + 1 < n && line[i + 1] == '"') {
                    const qsizetype close = line.indexOf('"', i + 2);
                    if (close > 0) {
                        valueStart = i + 2;
                        valueEnd = close;
                        param.quoted = true;
                        i = close + 1;
                        continue;
                    }
                }
            } else if (line[i] == '"' && eq >= 0 && !param.quoted) {
                // A quoted item inside a value list: TYPE=WORK,"A:B".
                const qsizetype close = line.indexOf('"', i + 1);
                if (close > 0) {
                    i = close + 1;
                    continue;
                }
            }
            ++i;
        }
        if (eq >= 0) {
            param.name = trimmed(line.sliced(start, eq - start));
            if (param.quoted) {
                param.value = line.sliced(valueStart, valueEnd - valueStart);
            } else {
                param.value = trimmed(line.sliced(eq + 1, i - eq - 1));
                if (param.value.isNull())
                    param.value = QByteArrayView("");
            }
        } else {
            param.value = trimmed(line.sliced(start, i - start));
        }
        if (!param.name.isEmpty() || !param.value.isEmpty())
            p.parameters.append(param);
    }
    if (i >= n || line[i] != ':')
        return m_properties.removeLast();
    p.parameterText = line.sliced(paramStart, i - paramStart);
    p.rawValue = line.sliced(i + 1);

    if (p.is(VCardProperty::Begin) || p.is(VCardProperty::End)) {
        const Boundary boundary = boundaryOf(line);
        if (boundary == Boundary::Begin) {
            m_hasBegin = true;
            ++m_depth;
        } else if (boundary == Boundary::End) {
            --m_depth;
        }
        return m_properties.removeLast();
    }
    // Properties of a card nested inside this one (2.1 AGENT) are not this contact's.
    if (m_depth > 1)
        return m_properties.removeLast();
}

// ---- Decoding --------------------------------------------------------------------------------

QByteArray decodeQuotedPrintable(QByteArrayView bytes)
{
    QByteArray out;
    out.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '=' && i + 2 < bytes.size()) {
            const int hi = hexValue(bytes[i + 1]);
            const int lo = hexValue(bytes[i + 2]);
            if (hi >= 0 && lo >= 0) {
                out.append(char(hi * 16 + lo));
                i += 2;
                continue;
            }
        }
        out.append(c);
    }
    return out;
}

QString decodeText(const Property &property)
{
    const QByteArrayView declared = property.parameter(VCardParameter::Charset);
    const TextSource &source = sourceOf(property);
    switch (property.encoding()) {
    case Encoding::QuotedPrintable:
        return textFromBytes(decodeQuotedPrintable(property.rawValue), { declared }, source.charset);
    case Encoding::Base64:
        return textFromBytes(QByteArray::fromBase64(property.rawValue.toByteArray()), { declared },
                             source.charset);
    case Encoding::Raw:
        break;
    }
    if (source.decoded)
        return textFromBytes(property.rawValue, {});
    return textFromBytes(property.rawValue, { declared, source.charset });
}

QByteArray decodeBase64(QByteArrayView bytes)
{
    // Photos are most of a large file's bytes; a table decoder reads them several times faster
    // than the general one. Characters outside the alphabet (line breaks, spaces) are skipped and
    // the first "=" ends the data, as lenient readers do.
    static constexpr auto kValues = [] {
        std::array<qint8, 256> t {};
        t.fill(-1);
        constexpr char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
        for (int i = 0; i < 64; ++i)
            t[uchar(alphabet[i])] = qint8(i);
        return t;
    }();
    QByteArray out;
    out.resize(bytes.size() / 4 * 3 + 3);
    char *dst = out.data();
    const uchar *src = reinterpret_cast<const uchar *>(bytes.data());
    const uchar *const end = src + bytes.size();
    quint32 buffer = 0;
    int bits = 0;
    while (src != end) {
        // Between groups, whole groups of four alphabet characters (nearly all of a photo) are
        // decoded at once; anything else is left to the character loop below.
        if (bits == 0) {
            for (; end - src >= 4; src += 4) {
                const int a = kValues[src[0]], b = kValues[src[1]], c = kValues[src[2]], d = kValues[src[3]];
                if ((a | b | c | d) < 0)
                    break;
                const quint32 group = quint32(a) << 18 | quint32(b) << 12 | quint32(c) << 6 | quint32(d);
                dst[0] = char(group >> 16);
                dst[1] = char(group >> 8);
                dst[2] = char(group);
                dst += 3;
            }
            if (src == end)
                break;
        }
        const uchar c = *src++;
        if (c == '=')
            break;
        const qint8 v = kValues[c];
        if (v < 0)
            continue;
        buffer = (buffer << 6) | quint32(v);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            *dst++ = char(buffer >> bits);
        }
    }
    out.truncate(dst - out.constData());
    return out;
}

QByteArray decodeBinary(const Property &property)
{
    switch (property.encoding()) {
    case Encoding::QuotedPrintable:
        return decodeQuotedPrintable(property.rawValue);
    case Encoding::Base64:
        return decodeBase64(property.rawValue);
    case Encoding::Raw:
        break;
    }
    // vCard 4.0: "data:image/jpeg;base64,...".
    const QByteArrayView value = trimmed(property.rawValue);
    if (value.size() > VCardValue::DataUriPrefix.size()
        && equalsIgnoreCase(value.first(VCardValue::DataUriPrefix.size()), VCardValue::DataUriPrefix)) {
        const qsizetype comma = value.indexOf(',');
        if (comma > 0 && containsIgnoreCase(value.first(comma + 1), VCardValue::Base64Marker))
            return decodeBase64(value.sliced(comma + 1));
    }
    return {};
}

QString phoneNumber(const Property &property)
{
    QString number = unescape(decodeText(property)).trimmed();
    if (number.startsWith(VCardValue::TelUriPrefix, Qt::CaseInsensitive))
        number.remove(0, VCardValue::TelUriPrefix.size());
    return number;
}

QString parameterText(QByteArrayView bytes)
{
    if (Utf8::isAscii(bytes))
        return QString::fromLatin1(bytes);
    return QString::fromUtf8(bytes);
}

void appendParameterText(QString &out, QByteArrayView bytes)
{
    if (Utf8::isAscii(bytes)) {
        out.append(QLatin1StringView(bytes.data(), bytes.size()));
        return;
    }
    // fromUtf8() drops a byte-order mark at the start, but a name written back must keep it: a
    // kept ".<mark>BEGIN" line would else be written as a card's BEGIN.
    const qsizetype marks = byteOrderMarksAt(bytes);
    for (qsizetype i = 0; i < marks; i += QByteArrayView(VCardText::Utf8ByteOrderMark).size())
        out += VCardText::ByteOrderMark;
    out.append(QString::fromUtf8(bytes.sliced(marks)));
}

// ---- Text values -------------------------------------------------------------------------------

QString unescape(QStringView text)
{
    const qsizetype from = text.indexOf(u'\\');
    if (from < 0)
        return text.toString();
    // Unescaping only shortens the text: it is written straight into a buffer of the full size.
    QString out(text.size(), Qt::Uninitialized);
    QChar *const begin = out.data();
    QChar *d = std::copy_n(text.data(), from, begin);
    for (qsizetype i = from; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\\' && i + 1 < text.size()) {
            const QChar next = text[i + 1];
            if (next == u'n' || next == u'N') {
                *d++ = u'\n';
                ++i;
                continue;
            }
            if (next == u'\\' || next == u',' || next == u';' || next == u':') {
                *d++ = next;
                ++i;
                continue;
            }
        }
        *d++ = c;
    }
    out.truncate(d - begin);
    return out;
}

QString unescape(QString &&text)
{
    if (!text.contains(u'\\'))
        return std::move(text);
    return unescape(QStringView(text));
}

namespace {

template<typename List> void appendSplit(List &parts, QStringView text, QChar separator)
{
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\\') {
            ++i; // the escaped character never separates
            continue;
        }
        if (text[i] == separator) {
            parts.append(unescape(text.sliced(start, i - start)));
            start = i + 1;
        }
    }
    parts.append(unescape(text.sliced(std::min(start, text.size()))));
}

} // namespace

QStringList splitEscaped(QStringView text, QChar separator)
{
    QStringList parts;
    parts.reserve(text.count(separator) + 1); // at least as many as there are parts
    appendSplit(parts, text, separator);
    return parts;
}

Parts splitValue(const Property &property, QChar separator)
{
    Parts parts;
    if (!property.rawValue.isEmpty() && isPlainUtf8(property)) {
        // UTF-8 never gives more UTF-16 units than it has bytes.
        QVarLengthArray<QChar, 256> buffer(property.rawValue.size());
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QChar *end = utf8.appendToBuffer(buffer.data(), property.rawValue);
        if (!utf8.hasError()) {
            appendSplit(parts, QStringView(buffer.data(), end), separator);
            return parts;
        }
    }
    appendSplit(parts, decodeText(property), separator);
    return parts;
}

// ---- Writing ----------------------------------------------------------------------------------

QString escape(QStringView text)
{
    QString out;
    out.reserve(text.size() + 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        switch (c.unicode()) {
        case '\\':
            out.append(QLatin1StringView("\\\\"));
            break;
        case ',':
            out.append(QLatin1StringView("\\,"));
            break;
        case ';':
            out.append(QLatin1StringView("\\;"));
            break;
        case '\r':
            if (i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            out.append(QLatin1StringView("\\n"));
            break;
        case '\n':
            out.append(QLatin1StringView("\\n"));
            break;
        default:
            out.append(c);
        }
    }
    return out;
}

QString escape(const QString &text)
{
    for (const QChar c : text) {
        if (c == u'\\' || c == u',' || c == u';' || c == u'\r' || c == u'\n')
            return escape(QStringView(text));
    }
    return text;
}

QString escapeLineBreaks(const QString &text)
{
    for (const QChar c : text) {
        if (c == u'\\' || c == u'\r' || c == u'\n')
            return escapeLineBreaks(QStringView(text));
    }
    return text;
}

QString escapeLineBreaks(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\\') {
            out.append(QLatin1StringView("\\\\"));
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            out.append(QLatin1StringView("\\n"));
        } else {
            out.append(c);
        }
    }
    return out;
}

QString parameterValue(QStringView value)
{
    bool needsQuotes = false;
    for (QChar c : value) {
        if (c == u':' || c == u';' || c == u',' || c == u'"' || c == u'\n' || c == u'\r') {
            needsQuotes = true;
            break;
        }
    }
    if (!needsQuotes)
        return value.toString();
    QString out = QStringLiteral("\"");
    for (QChar c : value) {
        if (c == u'^')
            out.append(QLatin1StringView("^^"));
        else if (c == u'"')
            out.append(QLatin1StringView("^'"));
        else if (c == u'\n')
            out.append(QLatin1StringView("^n"));
        else if (c != u'\r')
            out.append(c);
    }
    out.append(u'"');
    return out;
}

void appendFolded(QByteArray &out, QByteArrayView line)
{
    constexpr qsizetype kLineOctets = 75;
    if (line.size() <= kLineOctets) {
        // Most lines need no fold: they are copied in place with their line end at once.
        const qsizetype start = out.size();
        out.resize(start + line.size() + 2);
        char *d = std::copy_n(line.data(), line.size(), out.data() + start);
        d[0] = '\r';
        d[1] = '\n';
        return;
    }
    qsizetype pos = 0;
    qsizetype room = kLineOctets;
    while (line.size() - pos > room) {
        qsizetype cut = pos + room;
        // Never split a UTF-8 sequence: back up to the start of the character.
        while (cut > pos && (uchar(line[cut]) & 0xC0) == 0x80)
            --cut;
        if (cut == pos)
            cut = pos + room;
        out.append(line.sliced(pos, cut - pos));
        out.append("\r\n ");
        pos = cut;
        room = kLineOctets - 1;
    }
    out.append(line.sliced(pos));
    out.append("\r\n");
}

void appendFolded(QByteArray &out, QStringView line)
{
    // Writers emit millions of lines: each is encoded into one reused buffer per thread.
    thread_local QByteArray utf8;
    QStringEncoder encoder(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless);
    utf8.resize(encoder.requiredSpace(line.size()));
    const char *end = encoder.appendToBuffer(utf8.data(), line);
    appendFolded(out, QByteArrayView(utf8.constData(), end - utf8.constData()));
}

} // namespace VCardSyntax
