// QR symbols of payload text: UTF-8 bytes at error-correction level L, drawn with sharp modules.
#pragma once

#include <QImage>
#include <QString>

namespace QRCodeImage {

// The symbol one pixel per module (black on white, no margin); null when the text does not fit in
// a QR symbol.
QImage modules(const QString &payload);

// Pixels per module for a symbol of that many modules a side: larger symbols are drawn larger.
int scaleFactor(int moduleCount);

// The symbol as shown: (modules + 2) × factor pixels a side, one module of white around it, each
// module a sharp square. Null when the text does not fit.
QImage createQRCodeFromString(const QString &payload);

// A new image of that size with the source drawn into it without smoothing; null for a null source.
QImage imageResize(const QImage &image, int width, int height);

} // namespace QRCodeImage
