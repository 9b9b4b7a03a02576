// Text measured in points, whatever screen the program runs on: pages are laid out at 72 dpi.
#pragma once

#include <QFont>
#include <QFontMetricsF>

class QPaintDevice;

namespace PrintMetrics {

// A paint device of 72 dots per inch, for fonts sized in points.
QPaintDevice *device();
QFontMetricsF metrics(const QFont &font);
// A font of that family at that size in points (fractional sizes kept).
QFont font(const QString &family, qreal pointSize);

} // namespace PrintMetrics
