#include "platform/textfilereader.h"

#include "platform/encodings.h"
#include "platform/textcodec.h"
#include "platform/utf8.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <future>
#include <memory>

#include <unistd.h>
#include <unicode/ucsdet.h>

namespace {

constexpr qsizetype kSampleSize = 64 * 1024;
constexpr qsizetype kSampleContext = 2048;
constexpr char kEscape = '\x1b';

struct Bom
{
    QByteArrayView bytes;
    int encoding;
};

// UTF-32LE before UTF-16LE: its mark begins with the UTF-16LE one.
const Bom kBoms[] = {
    { QByteArrayView("\x00\x00\xFE\xFF", 4), Encodings::UTF32BigEndian },
    { QByteArrayView("\xFF\xFE\x00\x00", 4), Encodings::UTF32LittleEndian },
    { QByteArrayView("\xEF\xBB\xBF", 3), Encodings::UTF8 },
    { QByteArrayView("\xFE\xFF", 2), Encodings::UTF16BigEndian },
    { QByteArrayView("\xFF\xFE", 2), Encodings::UTF16LittleEndian },
};

const Bom *findBom(QByteArrayView bytes)
{
    for (const Bom &bom : kBoms) {
        if (bytes.startsWith(bom.bytes))
            return &bom;
    }
    return nullptr;
}

bool isInteresting(char c)
{
    return static_cast<unsigned char>(c) >= 0x80 || c == kEscape;
}

// What the detector gets to see. A large contact file is mostly ASCII (names of properties, base64
// photos), and its first kilobytes may hold no letter of its legacy encoding at all, so the sample
// gathers the lines that do hold non-ASCII bytes (or ISO-2022 escapes). Files with NUL bytes are
// UTF-16/32, where bytes cannot be cut into lines; they get a plain prefix.
QByteArray detectionSample(QByteArrayView bytes)
{
    if (bytes.size() <= kSampleSize || bytes.first(std::min<qsizetype>(bytes.size(), 4096)).contains('\0'))
        return bytes.first(std::min(bytes.size(), kSampleSize)).toByteArray();
    QByteArray sample;
    const char *begin = bytes.data();
    const char *end = begin + bytes.size();
    const char *pos = begin;
    while (sample.size() < kSampleSize) {
        const char *hit = std::find_if(pos, end, isInteresting);
        if (hit == end)
            break;
        const char *lineStart = hit;
        while (lineStart > pos && lineStart[-1] != '\n' && hit - lineStart < kSampleContext)
            --lineStart;
        const char *lineEnd = std::find(hit, std::min(end, hit + kSampleContext), '\n');
        if (lineEnd < end)
            ++lineEnd;
        sample.append(lineStart, lineEnd - lineStart);
        pos = lineEnd;
    }
    return sample.isEmpty() ? bytes.first(kSampleSize).toByteArray() : sample;
}

struct DetectorCloser
{
    void operator()(UCharsetDetector *d) const { ucsdet_close(d); }
};

// ICU's guesses that our table has, most confident first.
QList<int> detectedEncodings(QByteArrayView bytes, bool iso2022Only)
{
    QList<int> found;
    const QByteArray sample = detectionSample(bytes);
    // The detector always offers UTF-16 with some confidence, and text of even length decodes as
    // UTF-16 strictly more often than not; without NUL bytes it is never the right answer for us.
    const bool mayBeWide = sample.contains('\0');
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<UCharsetDetector, DetectorCloser> detector(ucsdet_open(&status));
    if (U_FAILURE(status))
        return found;
    ucsdet_setText(detector.get(), sample.constData(), int32_t(sample.size()), &status);
    int32_t count = 0;
    const UCharsetMatch **matches = ucsdet_detectAll(detector.get(), &count, &status);
    if (U_FAILURE(status))
        return found;
    for (int32_t i = 0; i < count; ++i) {
        UErrorCode nameStatus = U_ZERO_ERROR;
        const char *name = ucsdet_getName(matches[i], &nameStatus);
        if (U_FAILURE(nameStatus) || !name)
            continue;
        const bool iso2022 = qstrncmp(name, "ISO-2022", 8) == 0;
        const bool wide = qstrncmp(name, "UTF-16", 6) == 0 || qstrncmp(name, "UTF-32", 6) == 0;
        if ((iso2022Only && !iso2022) || (wide && !mayBeWide))
            continue;
        if (const Encoding *e = Encodings::findByCharset(QString::fromLatin1(name)))
            found.append(e->number);
    }
    return found;
}

// How many words of the sample, decoded in an encoding, are runs of three or more accented Latin
// letters ("àôøéí"). Real text in a Latin script almost never has them; Greek, Hebrew or Cyrillic
// bytes read as Latin 1 have them everywhere. The detector's statistics need more text than one
// contact card holds to see this, so its guesses are reordered by it.
int implausibleWords(const QByteArray &sample, const Encoding &encoding)
{
    const QString text = TextCodec::decodeLenient(sample, encoding.charsetName());
    int words = 0;
    int run = 0;
    for (const QChar c : text) {
        if (c.unicode() >= 0xC0 && c.unicode() <= 0x24F && c.isLetter()) {
            if (++run == 3)
                ++words;
        } else {
            run = 0;
        }
    }
    return words;
}

QList<int> byPlausibility(const QList<int> &encodings, QByteArrayView bytes)
{
    const QByteArray sample = detectionSample(bytes);
    QList<std::pair<int, int>> scored; // (implausible words, encoding)
    for (int number : encodings)
        scored.append({ implausibleWords(sample, *Encodings::find(number)), number });
    std::stable_sort(scored.begin(), scored.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    QList<int> ordered;
    for (const auto &entry : std::as_const(scored))
        ordered.append(entry.second);
    return ordered;
}

// Encodings the text names itself in CHARSET= parameters (vCard 2.1 writes them, often on a line
// other than the one with the raw bytes). On the short cards old phones export, this says more
// than any statistics; strict decoding still has the last word.
QList<int> declaredEncodings(QByteArrayView bytes)
{
    constexpr QByteArrayView key("charset=");
    constexpr qsizetype scanLimit = 1 << 20;
    const QByteArrayView scanned = bytes.first(std::min(bytes.size(), scanLimit));
    QList<int> found;
    for (qsizetype i = scanned.indexOf('='); i >= 0; i = scanned.indexOf('=', i + 1)) {
        const qsizetype start = i + 1 - key.size();
        if (start < 0 || scanned.sliced(start, key.size()).compare(key, Qt::CaseInsensitive) != 0)
            continue;
        qsizetype end = i + 1;
        while (end < scanned.size() && end - i < 40 && !QByteArrayView(";:,\"\r\n ").contains(scanned[end]))
            ++end;
        const QString name = QString::fromLatin1(scanned.sliced(i + 1, end - i - 1));
        const Encoding *e = Encodings::findByCharset(name);
        if (e && e->number != Encodings::UTF8 && !found.contains(e->number))
            found.append(e->number);
    }
    return found;
}

// The bytes without their folds (a line break followed by a space or tab).
QByteArray unfolded(QByteArrayView bytes)
{
    QByteArray out;
    out.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        qsizetype j = i;
        while (j < bytes.size() && bytes[j] == '\r')
            ++j;
        if (j < bytes.size() && bytes[j] == '\n')
            ++j;
        if (j > i && j < bytes.size() && (bytes[j] == ' ' || bytes[j] == '\t')) {
            i = j;
            continue;
        }
        out.append(bytes[i]);
    }
    return out;
}

bool isValidUtf8(QByteArrayView bytes, TextFileReader::Lines lines)
{
    return lines == TextFileReader::Lines::Folded ? Utf8::isValidUnfolded(bytes) : Utf8::isValid(bytes);
}

// Decodes the whole of bytes strictly; on success fills out and returns true. UTF-8 content is
// moved into out.bytes rather than copied, so bytes is left empty then; so is content in another
// encoding that keeps ASCII when its text is skipped.
bool decodeStrictly(QByteArray &bytes, int encoding, TextFileReader::Utf8Text utf8Text,
                    TextFileReader::Lines lines, DecodedText &out, bool knownUtf8 = false)
{
    if (encoding == Encodings::UTF8) {
        const qsizetype bom = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
        const QByteArrayView body = QByteArrayView(bytes).sliced(bom);
        if (!knownUtf8 && !isValidUtf8(body, lines))
            return false;
        if (utf8Text == TextFileReader::Utf8Text::Decode)
            out.text = QString::fromUtf8(body);
        out.bytes = std::move(bytes);
        out.bytes.remove(0, bom);
        out.encoding = encoding;
        return true;
    }
    const Encoding *e = Encodings::find(encoding);
    if (!e)
        return false;
    const QString charset = e->charsetName();
    bool ok = false;
    QString text = TextCodec::decode(bytes, charset, &ok);
    const bool keepsAscii = TextCodec::keepsAscii(charset);
    if (!ok && keepsAscii && lines == TextFileReader::Lines::Folded)
        text = TextCodec::decode(unfolded(bytes), charset, &ok);
    if (!ok)
        return false;
    out.encoding = encoding;
    if (utf8Text == TextFileReader::Utf8Text::Skip && keepsAscii) {
        out.bytes = std::move(bytes);
        return true;
    }
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    out.text = std::move(text);
    return true;
}

// Reads length bytes at offset, answering whether all of them came.
bool readAt(int fd, char *to, qint64 offset, qint64 length)
{
    while (length > 0) {
        const ssize_t n = ::pread(fd, to, size_t(length), off_t(offset));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        to += n;
        offset += n;
        length -= n;
    }
    return true;
}

// A large file is read in two halves at once: copying it in and mapping the fresh pages in is a
// good share of opening a large address book, and it splits well. False when that could not be
// done (no plain file, or a short read); the caller then reads the usual way.
bool readInHalves(QFile &file, char *to, qint64 size)
{
    constexpr qint64 kParallelSize = 16 << 20;
    const int fd = file.handle();
    if (size < kParallelSize || fd < 0)
        return false;
    const qint64 half = size / 2;
    auto second = std::async(std::launch::async, [=] { return readAt(fd, to + half, half, size - half); });
    const bool first = readAt(fd, to, 0, half);
    return second.get() && first;
}

DecodedText failure(const QString &message)
{
    DecodedText result;
    result.errorString = message;
    return result;
}

} // namespace

namespace {

// The candidates, and whether the text after any UTF-8 byte order mark was found to be valid UTF-8
// (so that decoding it as UTF-8 need not check the whole file again).
QList<int> candidatesOf(QByteArrayView bytes, TextFileReader::Lines lines, bool *validUtf8)
{
    QList<int> candidates;
    const Bom *bom = findBom(bytes);
    if (bom)
        candidates.append(bom->encoding);
    const QByteArrayView body = bom ? bytes.sliced(bom->bytes.size()) : bytes;
    *validUtf8 = false;
    if (isValidUtf8(body, lines)) {
        *validUtf8 = !bom || bom->encoding == Encodings::UTF8;
        // ISO-2022 text is 7-bit and so valid UTF-8 too; only its escapes tell it apart.
        if (body.contains(kEscape))
            candidates += detectedEncodings(body, true);
        candidates.append(Encodings::UTF8);
    } else {
        candidates += declaredEncodings(body);
        candidates += byPlausibility(detectedEncodings(body, false), body);
        // Every byte means something in ISO Latin 1, so some encoding always fits.
        candidates.append(Encodings::WindowsLatin1);
        candidates.append(Encodings::ISOLatin1);
    }
    QList<int> unique;
    for (int c : std::as_const(candidates)) {
        if (!unique.contains(c))
            unique.append(c);
    }
    return unique;
}

} // namespace

QList<int> TextFileReader::detectionCandidates(QByteArrayView bytes, Lines lines)
{
    bool validUtf8 = false;
    return candidatesOf(bytes, lines, &validUtf8);
}

DecodedText TextFileReader::decode(QByteArray bytes, int encoding, const QString &fileName, Utf8Text utf8Text,
                                   Lines lines)
{
    DecodedText result;
    if (encoding == Encodings::Automatic) {
        bool validUtf8 = false;
        for (int candidate : candidatesOf(bytes, lines, &validUtf8)) {
            if (decodeStrictly(bytes, candidate, utf8Text, lines, result, validUtf8))
                return result;
        }
        return failure(
            tr("The file \u201c%1\u201d couldn\u2019t be opened because its text encoding couldn\u2019t "
               "be determined.")
                .arg(fileName));
    }
    if (!Encodings::find(encoding))
        return failure(
            tr("The file \u201c%1\u201d couldn\u2019t be opened because its text encoding isn\u2019t "
               "available.")
                .arg(fileName));
    if (!decodeStrictly(bytes, encoding, utf8Text, lines, result))
        return failure(tr("The file \u201c%1\u201d couldn\u2019t be opened using text encoding %2.")
                           .arg(fileName, Encodings::encodingTypeName(encoding)));
    return result;
}

DecodedText TextFileReader::read(const QString &path, int encoding, Utf8Text utf8Text, Lines lines)
{
    const QFileInfo info(path);
    const QString name = info.fileName();
    if (!info.exists())
        return failure(
            tr("The file \u201c%1\u201d couldn\u2019t be opened because there is no such file.").arg(name));
    if (info.isDir())
        return failure(
            tr("The file \u201c%1\u201d couldn\u2019t be opened because it is a folder.").arg(name));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failure(
            tr("The file \u201c%1\u201d couldn\u2019t be opened: %2").arg(name, file.errorString()));

    const QString tooLarge
        = tr("The file \u201c%1\u201d couldn\u2019t be opened because it is too large.").arg(name);
    QByteArray bytes;
    if (!file.isSequential()) {
        const qint64 size = file.size();
        if (size > MaximumFileSize)
            return failure(tooLarge);
        // Read into a buffer of the file's size: readAll() grows its own buffer and may hold a
        // third more than the file, which for large address books is tens of megabytes.
        bytes.reserve(size); // resize() alone rounds the buffer up to a power of two
        bytes.resize(size);
        qint64 got = 0;
        if (readInHalves(file, bytes.data(), size)) {
            got = size;
            file.seek(size);
        }
        while (got < size) {
            const qint64 n = file.read(bytes.data() + got, size - got);
            if (n <= 0)
                break;
            got += n;
        }
        bytes.truncate(got);
        if (got == size) {
            // The file may have grown since its size was taken.
            bytes += file.readAll();
            if (bytes.size() > MaximumFileSize)
                return failure(tooLarge);
        }
    } else {
        // A pipe or device: read in pieces so that an endless one stops at the limit.
        constexpr qint64 chunk = 1 << 20;
        for (;;) {
            const QByteArray piece = file.read(chunk);
            if (piece.isEmpty())
                break;
            bytes += piece;
            if (bytes.size() > MaximumFileSize)
                return failure(tooLarge);
        }
    }
    if (file.error() != QFileDevice::NoError)
        return failure(
            tr("The file \u201c%1\u201d couldn\u2019t be opened: %2").arg(name, file.errorString()));
    file.close();
    return decode(std::move(bytes), encoding, name, utf8Text, lines);
}
