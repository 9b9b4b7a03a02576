// The undo stack of a document.
//
// An operation registers its inverse (a closure) before it changes anything; undoing runs the
// inverses of the last group in reverse order, and the registrations they make become the redo
// group, so an operation that registers itself with the old value gets redo for free.
// Registrations made outside an explicit group are grouped by event: they gather in one implicit
// group that closes when control returns to the event loop (or when undo/redo is asked for).
#pragma once

#include <QObject>

#include <functional>
#include <vector>

class UndoManager : public QObject
{
    Q_OBJECT

public:
    using Action = std::function<void()>;

    explicit UndoManager(QObject *parent = nullptr);
    ~UndoManager() override;

    void registerUndo(Action inverse);

    void beginUndoGrouping();
    void endUndoGrouping();
    int groupingLevel() const { return m_groupingLevel; }

    bool canUndo() const;
    bool canRedo() const;
    void undo();
    void redo();
    bool isUndoing() const { return m_undoing; }
    bool isRedoing() const { return m_redoing; }

    // While disabled, registrations are dropped (used when loading or resetting state).
    void disableUndoRegistration() { ++m_disabled; }
    void enableUndoRegistration();
    bool isUndoRegistrationEnabled() const { return m_disabled == 0; }

    void removeAllActions();
    int undoCount() const { return int(m_undoStack.size()); }

    // The clean state is the one last saved: a document is edited while the stack is elsewhere.
    // Undoing back to it makes the document clean again; a change made after undoing past it
    // makes it unreachable.
    void setClean();
    bool isClean() const;

Q_SIGNALS:
    // The stacks changed (an undo, a redo, or a group was closed).
    void stackChanged();

private:
    using Group = std::vector<Action>;

    void closeImplicitGroup();
    void scheduleImplicitClose();
    void runGroup(std::vector<Group> &from, bool undoing);

    std::vector<Group> m_undoStack;
    std::vector<Group> m_redoStack;
    Group m_open; // the group being filled
    int m_groupingLevel = 0;
    bool m_implicit = false;
    bool m_closeScheduled = false;
    bool m_undoing = false;
    bool m_redoing = false;
    int m_disabled = 0;
    int m_cleanIndex = 0; // undo-stack depth of the clean state; -1 when unreachable
};
