#include "platform/undomanager.h"

#include <QTimer>

UndoManager::UndoManager(QObject *parent)
    : QObject(parent)
{
}

UndoManager::~UndoManager() = default;

void UndoManager::registerUndo(Action inverse)
{
    if (m_disabled > 0 || !inverse)
        return;
    if (m_groupingLevel == 0 && !m_undoing && !m_redoing) {
        // Outside any group: gather with the other registrations of this event.
        ++m_groupingLevel;
        m_implicit = true;
        scheduleImplicitClose();
    }
    m_open.push_back(std::move(inverse));
}

void UndoManager::scheduleImplicitClose()
{
    if (m_closeScheduled)
        return;
    m_closeScheduled = true;
    QTimer::singleShot(0, this, [this] {
        m_closeScheduled = false;
        closeImplicitGroup();
    });
}

void UndoManager::closeImplicitGroup()
{
    if (!m_implicit)
        return;
    m_implicit = false;
    endUndoGrouping();
}

void UndoManager::beginUndoGrouping()
{
    ++m_groupingLevel;
}

void UndoManager::endUndoGrouping()
{
    if (m_groupingLevel == 0)
        return;
    if (--m_groupingLevel > 0)
        return;
    if (m_open.empty())
        return;
    if (m_cleanIndex > int(m_undoStack.size()))
        m_cleanIndex = -1;
    m_undoStack.push_back(std::move(m_open));
    m_open.clear();
    // A new change makes what was undone unreachable.
    m_redoStack.clear();
    Q_EMIT stackChanged();
}

bool UndoManager::canUndo() const
{
    return !m_undoStack.empty() || (m_implicit && m_groupingLevel == 1 && !m_open.empty());
}

bool UndoManager::canRedo() const
{
    return !m_redoStack.empty() && !(m_implicit && !m_open.empty());
}

void UndoManager::runGroup(std::vector<Group> &from, bool undoing)
{
    Group group = std::move(from.back());
    from.pop_back();
    // The inverses run in reverse order; what they register forms the opposite group.
    m_undoing = undoing;
    m_redoing = !undoing;
    Group registered;
    std::swap(registered, m_open);
    const int savedLevel = m_groupingLevel;
    m_groupingLevel = 1;
    for (auto it = group.rbegin(); it != group.rend(); ++it)
        (*it)();
    std::swap(registered, m_open);
    m_groupingLevel = savedLevel;
    m_undoing = false;
    m_redoing = false;
    if (!registered.empty()) {
        if (undoing)
            m_redoStack.push_back(std::move(registered));
        else
            m_undoStack.push_back(std::move(registered));
    }
    Q_EMIT stackChanged();
}

void UndoManager::undo()
{
    closeImplicitGroup();
    if (m_groupingLevel > 0 || m_undoStack.empty())
        return;
    runGroup(m_undoStack, true);
}

void UndoManager::redo()
{
    closeImplicitGroup();
    if (m_groupingLevel > 0 || m_redoStack.empty())
        return;
    runGroup(m_redoStack, false);
}

void UndoManager::enableUndoRegistration()
{
    if (m_disabled > 0)
        --m_disabled;
}

void UndoManager::setClean()
{
    closeImplicitGroup();
    m_cleanIndex = int(m_undoStack.size());
    Q_EMIT stackChanged();
}

bool UndoManager::isClean() const
{
    return m_cleanIndex == int(m_undoStack.size()) && m_open.empty();
}

void UndoManager::removeAllActions()
{
    m_cleanIndex = 0;
    m_undoStack.clear();
    m_redoStack.clear();
    m_open.clear();
    m_groupingLevel = 0;
    m_implicit = false;
    Q_EMIT stackChanged();
}
