// Photos brought into a contact are stored no larger than the panel's photo size.
#pragma once

#include <QImage>

namespace PhotoReducer {

// The image with its longer side at most `side` points and its aspect ratio kept, redrawn with
// smooth interpolation; smaller images come back unchanged.
QImage reduced(const QImage &image, int side);
// reduced() with the merge photo size, run on a worker thread. Waits at most `waitMilliseconds`;
// a null image when the worker did not finish in time, so nothing half done is stored.
QImage reduceOnWorker(const QImage &image, int waitMilliseconds);

} // namespace PhotoReducer
