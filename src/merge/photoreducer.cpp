// Reducing photos on a worker thread, with a bound on the wait.
#include "merge/photoreducer.h"

#include "merge/keys.h"

#include <QThreadPool>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <future>
#include <memory>

QImage PhotoReducer::reduced(const QImage &image, int side)
{
    if (image.isNull() || (image.width() <= side && image.height() <= side))
        return image;
    // Rounded rather than truncated, and never below one point: 513 x 20 becomes 512 x 20.
    const bool wide = image.width() >= image.height();
    const int longer = wide ? image.width() : image.height();
    const int shorter
        = std::max(1, int(std::lround(double(wide ? image.height() : image.width()) * side / longer)));
    const QSize size = wide ? QSize(side, shorter) : QSize(shorter, side);
    return image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage PhotoReducer::reduceOnWorker(const QImage &image, int waitMilliseconds)
{
    if (image.isNull())
        return {};
    // The promise is shared with the worker: when the wait gives up, the worker still has
    // somewhere to put its result.
    auto promise = std::make_shared<std::promise<QImage>>();
    std::future<QImage> result = promise->get_future();
    QThreadPool::globalInstance()->start(
        [promise, image] { promise->set_value(reduced(image, MergeLimit::PhotoSide)); });
    if (result.wait_for(std::chrono::milliseconds(waitMilliseconds)) != std::future_status::ready)
        return {};
    return result.get();
}
