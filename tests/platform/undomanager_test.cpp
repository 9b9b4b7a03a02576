#include "platform/undomanager.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace {

// A value whose setter registers itself with the old value, the way every edit operation does.
struct Cell
{
    UndoManager &undo;
    int value = 0;
    void set(int v)
    {
        const int old = value;
        undo.registerUndo([this, old] { set(old); });
        value = v;
    }
};

TEST(UndoManager, SelfRegisteringOperationsUndoAndRedo)
{
    UndoManager undo;
    Cell cell{undo};
    cell.set(1);
    QCoreApplication::processEvents(); // the event ends: its group closes
    cell.set(2);
    QCoreApplication::processEvents();
    EXPECT_EQ(undo.undoCount(), 2);

    undo.undo();
    EXPECT_EQ(cell.value, 1);
    EXPECT_TRUE(undo.canRedo());
    undo.undo();
    EXPECT_EQ(cell.value, 0);
    EXPECT_FALSE(undo.canUndo());
    undo.redo();
    undo.redo();
    EXPECT_EQ(cell.value, 2);
    EXPECT_FALSE(undo.canRedo());
    undo.undo();
    EXPECT_EQ(cell.value, 1);
}

TEST(UndoManager, RegistrationsOfOneEventAreOneStep)
{
    UndoManager undo;
    Cell a{undo}, b{undo};
    a.set(1);
    b.set(1);
    EXPECT_TRUE(undo.canUndo()) << "an open event group can be undone";
    undo.undo(); // closes the event's group first
    EXPECT_EQ(a.value, 0);
    EXPECT_EQ(b.value, 0);
    undo.redo();
    EXPECT_EQ(a.value, 1);
    EXPECT_EQ(b.value, 1);
}

TEST(UndoManager, ExplicitGroupsNestAndCloseOnce)
{
    UndoManager undo;
    Cell a{undo}, b{undo};
    undo.beginUndoGrouping();
    a.set(5);
    undo.beginUndoGrouping();
    b.set(6);
    undo.endUndoGrouping();
    EXPECT_EQ(undo.undoCount(), 0);
    undo.endUndoGrouping();
    EXPECT_EQ(undo.undoCount(), 1);
    undo.undo();
    EXPECT_EQ(a.value, 0);
    EXPECT_EQ(b.value, 0);
    undo.endUndoGrouping(); // unbalanced end is ignored
    EXPECT_EQ(undo.groupingLevel(), 0);
}

TEST(UndoManager, ANewChangeDropsTheRedoStack)
{
    UndoManager undo;
    Cell cell{undo};
    cell.set(1);
    undo.undo();
    EXPECT_TRUE(undo.canRedo());
    cell.set(3);
    QCoreApplication::processEvents();
    EXPECT_FALSE(undo.canRedo());
}

TEST(UndoManager, FlagsDuringUndoAndRedo)
{
    UndoManager undo;
    bool sawUndoing = false, sawRedoing = false;
    std::function<void()> op;
    op = [&] {
        sawUndoing |= undo.isUndoing();
        sawRedoing |= undo.isRedoing();
        undo.registerUndo(op);
    };
    undo.registerUndo(op);
    undo.undo();
    undo.redo();
    EXPECT_TRUE(sawUndoing);
    EXPECT_TRUE(sawRedoing);
    EXPECT_FALSE(undo.isUndoing());
}

TEST(UndoManager, CleanStateFollowsUndoAndSaves)
{
    UndoManager undo;
    Cell cell{undo};
    EXPECT_TRUE(undo.isClean());
    cell.set(1);
    EXPECT_FALSE(undo.isClean()) << "an open event group is an edit";
    undo.undo();
    EXPECT_TRUE(undo.isClean()) << "undoing every change";
    undo.redo();
    undo.setClean(); // saved with value 1
    cell.set(2);
    QCoreApplication::processEvents();
    undo.undo();
    EXPECT_TRUE(undo.isClean());
    undo.undo();
    EXPECT_FALSE(undo.isClean()) << "undone past the saved state";
    cell.set(3);
    QCoreApplication::processEvents();
    undo.undo();
    EXPECT_FALSE(undo.isClean()) << "the saved state is out of reach";
}

TEST(UndoManager, DisabledRegistrationIsDropped)
{
    UndoManager undo;
    undo.disableUndoRegistration();
    Cell cell{undo};
    cell.set(1);
    undo.enableUndoRegistration();
    EXPECT_FALSE(undo.canUndo());
}

} // namespace
