#include "platform/textcodec.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_err.h>

#include <memory>

namespace TextCodec {
namespace {

struct ConverterCloser
{
    void operator()(UConverter *c) const { ucnv_close(c); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

Converter open(const QString &charsetName)
{
    if (charsetName.isEmpty())
        return nullptr;
    const QByteArray name = charsetName.toLatin1();
    UErrorCode status = U_ZERO_ERROR;
    Converter c(ucnv_open(name.constData(), &status));
    if (U_FAILURE(status))
        return nullptr;
    return c;
}

bool isUtf8(const QString &charsetName)
{
    return charsetName.compare(QLatin1String("UTF-8"), Qt::CaseInsensitive) == 0
        || charsetName.compare(QLatin1String("UTF8"), Qt::CaseInsensitive) == 0;
}

QString toUnicode(UConverter *c, QByteArrayView bytes, bool strict, bool *ok)
{
    UErrorCode status = U_ZERO_ERROR;
    if (strict)
        ucnv_setToUCallBack(c, UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    // Any charset needs at most two UTF-16 units per byte, plus room for a flushed state.
    QString out(bytes.size() * 2 + 16, Qt::Uninitialized);
    UChar *target = reinterpret_cast<UChar *>(out.data());
    const UChar *targetLimit = target + out.size();
    const char *source = bytes.data();
    ucnv_toUnicode(c, &target, targetLimit, &source, bytes.data() + bytes.size(), nullptr, true, &status);
    if (U_FAILURE(status)) {
        if (ok)
            *ok = false;
        return {};
    }
    out.resize(target - reinterpret_cast<UChar *>(out.data()));
    if (ok)
        *ok = true;
    return out;
}

} // namespace

bool isKnown(const QString &charsetName)
{
    return open(charsetName) != nullptr;
}

bool keepsAscii(const QString &charsetName)
{
    // Every printable ASCII character and the line-break and tab controls.
    QString sample = QStringLiteral("\t\n\r");
    for (char16_t c = 0x20; c < 0x7F; ++c)
        sample.append(QChar(c));
    bool ok = false;
    const QByteArray bytes = encode(sample, charsetName, &ok);
    return ok && bytes == sample.toLatin1();
}

QString canonicalName(const QString &charsetName)
{
    Converter c = open(charsetName);
    if (!c)
        return {};
    UErrorCode status = U_ZERO_ERROR;
    const char *name = ucnv_getName(c.get(), &status);
    if (U_FAILURE(status))
        return {};
    const char *iana = ucnv_getStandardName(name, "IANA", &status);
    return QString::fromLatin1(U_SUCCESS(status) && iana ? iana : name);
}

QString decode(QByteArrayView bytes, const QString &charsetName, bool *ok)
{
    if (isUtf8(charsetName)) {
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString text = decoder.decode(bytes);
        if (ok)
            *ok = !decoder.hasError();
        return decoder.hasError() ? QString() : text;
    }
    Converter c = open(charsetName);
    if (!c) {
        if (ok)
            *ok = false;
        return {};
    }
    return toUnicode(c.get(), bytes, true, ok);
}

QString decodeLenient(QByteArrayView bytes, const QString &charsetName)
{
    Converter c = isUtf8(charsetName) ? nullptr : open(charsetName);
    if (!c)
        return QString::fromUtf8(bytes);
    return toUnicode(c.get(), bytes, false, nullptr);
}

QByteArray encode(const QString &text, const QString &charsetName, bool *ok)
{
    if (isUtf8(charsetName)) {
        if (ok)
            *ok = true;
        return text.toUtf8();
    }
    Converter c = open(charsetName);
    if (!c) {
        if (ok)
            *ok = false;
        return {};
    }
    UErrorCode status = U_ZERO_ERROR;
    ucnv_setFromUCallBack(c.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    QByteArray out(text.size() * UCNV_GET_MAX_BYTES_FOR_STRING(1, ucnv_getMaxCharSize(c.get())) + 16,
                   Qt::Uninitialized);
    char *target = out.data();
    const UChar *source = reinterpret_cast<const UChar *>(text.constData());
    ucnv_fromUnicode(c.get(), &target, out.data() + out.size(), &source, source + text.size(), nullptr, true,
                     &status);
    if (U_FAILURE(status)) {
        if (ok)
            *ok = false;
        return {};
    }
    out.resize(target - out.data());
    if (ok)
        *ok = true;
    return out;
}

} // namespace TextCodec
