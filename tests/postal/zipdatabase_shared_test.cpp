// The shipped lists are loaded once however many threads ask for them first at the same moment.
#include "postal/postalcodes.h"
#include "postal/zipdatabase.h"

#include <QtConcurrent>
#include <gtest/gtest.h>

TEST(SharedZipDatabase, ConcurrentFirstUseLoadsOnceAndEveryoneGetsTheSameLists)
{
    ASSERT_EQ(ZipDatabase::sharedLoadCount(), 0) << "must be the first use in this process";
    PostalCodes::preload();
    QList<QFuture<const ZipDatabase *>> askers;
    for (int i = 0; i < 6; ++i)
        askers.append(QtConcurrent::run([] { return &ZipDatabase::shared(); }));
    const QStringList &fromMain = PostalCodes::zipdb();
    for (QFuture<const ZipDatabase *> &f : askers)
        EXPECT_EQ(&f.result()->lists(), &fromMain);
    EXPECT_EQ(ZipDatabase::sharedLoadCount(), 1);
    EXPECT_EQ(fromMain.size(), 2);
}
