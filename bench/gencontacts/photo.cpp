#include "photo.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>

namespace Gen {

namespace {

QRgb randomColour(SplitMix64 &rng)
{
    const int red = rng.between(40, 230);
    const int green = rng.between(40, 230);
    const int blue = rng.between(40, 230);
    return qRgb(red, green, blue);
}

int mix(int a, int b, int t, int range)
{
    return a + (b - a) * t / range;
}

} // namespace

// Pixels are computed with integers only (no painter, no fonts), so the image is the same everywhere.
QByteArray makeJpegPhoto(SplitMix64 &rng)
{
    static constexpr int sizes[] = { 48, 64, 96 };
    const int size = rng.pick(std::span<const int>(sizes));
    const QRgb top = randomColour(rng);
    const QRgb bottom = randomColour(rng);
    const QRgb figure = randomColour(rng);
    QImage image(size, size, QImage::Format_RGB32);
    const int cx = size / 2;
    const int headY = size * 2 / 5;
    const int headR = size / 5;
    const int shoulderY = size * 9 / 10;
    const int shoulderR = size * 2 / 5;
    for (int y = 0; y < size; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        const QRgb background
            = qRgb(mix(qRed(top), qRed(bottom), y, size), mix(qGreen(top), qGreen(bottom), y, size),
                   mix(qBlue(top), qBlue(bottom), y, size));
        for (int x = 0; x < size; ++x) {
            const int dx = x - cx;
            const int inHead = dx * dx + (y - headY) * (y - headY) <= headR * headR;
            const int inBody = dx * dx + (y - shoulderY) * (y - shoulderY) <= shoulderR * shoulderR;
            line[x] = (inHead || inBody) ? figure : background;
        }
    }
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "JPEG");
    writer.setQuality(85);
    if (!writer.write(image))
        return {};
    return jpeg;
}

} // namespace Gen
