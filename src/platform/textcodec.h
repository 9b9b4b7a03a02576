// Decoding and encoding text in any character set the system's ICU knows (Shift_JIS, windows-1252,
// ISO-2022-JP, ...). Qt's own converters cover only the Unicode encodings and Latin-1.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

namespace TextCodec {

// Whether ICU knows the character set (by any of its names or aliases, case-insensitively).
bool isKnown(const QString &charsetName);

// Strict decoding: std::nullopt-like failure is reported through ok (false for an unknown charset or
// bytes that are not valid in it); the text is then empty.
QString decode(QByteArrayView bytes, const QString &charsetName, bool *ok = nullptr);

// Lenient decoding: invalid sequences become U+FFFD; unknown charsets decode as UTF-8.
QString decodeLenient(QByteArrayView bytes, const QString &charsetName);

// Encoding; characters the charset lacks make ok false.
QByteArray encode(const QString &text, const QString &charsetName, bool *ok = nullptr);

// Whether text in the charset keeps ASCII as ASCII, byte for byte, so that the structure of a file
// (names, separators, line breaks) can be read from its bytes before any value is decoded. True
// for UTF-8, the 8-bit charsets and the Japanese, Chinese and Korean multi-byte ones; false for
// UTF-16, UTF-32 and EBCDIC.
bool keepsAscii(const QString &charsetName);

// The canonical (IANA when there is one) name of a charset, or an empty string when unknown.
QString canonicalName(const QString &charsetName);

} // namespace TextCodec
