#include "qrcode/qrcodeimage.h"

#include <QPainter>
#include <memory>
#include <qrencode.h>

namespace QRCodeImage {

QImage modules(const QString &payload)
{
    const QByteArray bytes = payload.toUtf8();
    // Byte mode over the whole text: the symbol holds the UTF-8 bytes exactly as given.
    const std::unique_ptr<QRcode, decltype(&QRcode_free)> code(
        QRcode_encodeData(int(bytes.size()), reinterpret_cast<const unsigned char *>(bytes.constData()), 0,
                          QR_ECLEVEL_L),
        &QRcode_free);
    if (!code)
        return {};
    const int width = code->width;
    QImage image(width, width, QImage::Format_Grayscale8);
    for (int y = 0; y < width; ++y) {
        uchar *line = image.scanLine(y);
        for (int x = 0; x < width; ++x)
            line[x] = (code->data[y * width + x] & 1) ? 0 : 255;
    }
    return image;
}

int scaleFactor(int moduleCount)
{
    if (moduleCount < 49)
        return 3;
    if (moduleCount < 57)
        return 4;
    return 5;
}

QImage createQRCodeFromString(const QString &payload)
{
    const QImage symbol = modules(payload);
    if (symbol.isNull())
        return {};
    const int factor = scaleFactor(symbol.width());
    const int side = (symbol.width() + 2) * factor;
    QImage result(side, side, QImage::Format_RGB32);
    result.fill(Qt::white);
    QPainter painter(&result);
    painter.drawImage(QPoint(factor, factor),
                      imageResize(symbol, symbol.width() * factor, symbol.height() * factor));
    return result;
}

QImage imageResize(const QImage &image, int width, int height)
{
    if (image.isNull() || width <= 0 || height <= 0)
        return {};
    return image.scaled(width, height, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

} // namespace QRCodeImage
