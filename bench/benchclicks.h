// What the window benchmarks do as a user would (they link QtTest).
#pragma once

#include "window/grouptreemodel.h"
#include "window/groupviewcontroller.h"

#include <QTest>
#include <QTreeView>

namespace BenchSupport {

// A click on a group of the sidebar.
inline void clickGroup(GroupViewController *groups, const GroupEntry &group)
{
    QTreeView *tree = groups->outlineView();
    const QModelIndex index = groups->model()->indexForGroup(group);
    tree->scrollTo(index);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualRect(index).center());
}

} // namespace BenchSupport
