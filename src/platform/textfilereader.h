// Reading a whole file as text in a chosen encoding, or with "Automatic" detection.
//
// A chosen encoding is applied strictly: bytes that are not valid in it fail the read with a message
// naming the encoding. Automatic tries, in order: a byte-order mark (UTF-8/16/32), valid UTF-8
// (which includes plain ASCII), encodings the text declares (CHARSET=), ICU's charset detection
// over a sample of the file, then the Western encodings; the first encoding that decodes the whole file
// strictly wins and is reported.
//
// UTF-8 content is also handed back as bytes (without the byte-order mark) so that readers with a
// bytes path need not encode the text again. With Utf8Text::Skip, content in an encoding that keeps
// ASCII as ASCII (UTF-8, the 8-bit and the East Asian multi-byte encodings) is handed back as
// bytes only, not decoded, for readers that decode each value themselves.
//
// Text of folded lines (Lines::Folded, vCard) is judged on its unfolded text: writers fold lines
// even in the middle of a multi-byte character.
#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QString>

struct DecodedText
{
    QString text; // empty when the content was asked for as bytes only
    // The content's bytes in the encoding used: UTF-8 content always, other encodings that keep
    // ASCII as ASCII with Utf8Text::Skip. Without a byte-order mark.
    QByteArray bytes;
    int encoding = 0; // the encoding used (Encodings numbers)
    QString errorString; // why the read failed; empty on success

    bool ok() const { return errorString.isEmpty(); }
    // The length of what a reader reads: the text, or the bytes when there is no text.
    qsizetype length() const { return text.isEmpty() ? bytes.size() : text.size(); }
};

class TextFileReader
{
    Q_DECLARE_TR_FUNCTIONS(TextFileReader)

public:
    enum class Utf8Text
    {
        Decode,
        Skip
    };
    enum class Lines
    {
        Plain,
        Folded
    };

    // Larger files are refused rather than exhausting memory (their text needs twice the bytes).
    static constexpr qint64 MaximumFileSize = qint64(1) << 30;

    // encoding: a number of the Encodings table, or Encodings::Automatic.
    static DecodedText read(const QString &path, int encoding, Utf8Text utf8Text = Utf8Text::Decode,
                            Lines lines = Lines::Plain);

    // The same for bytes already in memory; fileName only names the source in error messages.
    static DecodedText decode(QByteArray bytes, int encoding, const QString &fileName = QString(),
                              Utf8Text utf8Text = Utf8Text::Decode, Lines lines = Lines::Plain);

    // The encodings Automatic tries for these bytes, most likely first.
    static QList<int> detectionCandidates(QByteArrayView bytes, Lines lines = Lines::Plain);
};
