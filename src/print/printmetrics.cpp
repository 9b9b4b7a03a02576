#include "print/printmetrics.h"

#include <QImage>

namespace PrintMetrics {

QPaintDevice *device()
{
    // 72 dpi is 2834.6 dots per metre; QImage rounds to whole dots, so 2835 gives 72.009, which
    // the font engine rounds back to 72.
    static QImage image = [] {
        QImage made(1, 1, QImage::Format_ARGB32);
        made.setDotsPerMeterX(2835);
        made.setDotsPerMeterY(2835);
        return made;
    }();
    return &image;
}

QFontMetricsF metrics(const QFont &font)
{
    return QFontMetricsF(font, device());
}

QFont font(const QString &family, qreal pointSize)
{
    QFont made(family);
    made.setPointSizeF(pointSize > 0 ? pointSize : 1);
    return made;
}

} // namespace PrintMetrics
