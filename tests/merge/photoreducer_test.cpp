// Photos are stored with their longer side at most 512 points, keeping the aspect ratio.
#include "../testutil.h"
#include "merge/photoreducer.h"

#include <gtest/gtest.h>

TEST(PhotoReducer, ReducesTheLongerSideOnly)
{
    struct Case
    {
        const char *name;
        QSize in;
        QSize out;
    };
    const Case cases[] = {
        { "wide", { 2048, 1024 }, { 512, 256 } },      { "tall", { 600, 1200 }, { 256, 512 } },
        { "small", { 400, 300 }, { 400, 300 } },       { "exactly the bound", { 512, 100 }, { 512, 100 } },
        { "one side over", { 513, 20 }, { 512, 20 } },
    };
    for (const Case &c : cases) {
        QImage image(c.in, QImage::Format_ARGB32);
        image.fill(Qt::green);
        const QImage reduced = PhotoReducer::reduceOnWorker(image, 2000);
        EXPECT_EQ(reduced.size(), c.out) << c.name;
    }
    EXPECT_TRUE(PhotoReducer::reduceOnWorker(QImage(), 2000).isNull());
}

TEST(PhotoReducer, GivesUpWhenTheWorkerTakesTooLong)
{
    QImage image(4000, 4000, QImage::Format_ARGB32);
    image.fill(Qt::green);
    // No wait at all: the worker cannot have finished, and nothing is handed back.
    EXPECT_TRUE(PhotoReducer::reduceOnWorker(image, 0).isNull());
}
