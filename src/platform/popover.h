// Popover: a small frameless window anchored next to a rectangle of the screen, holding one content
// widget. It closes on a click outside it and on Escape; a detachable popover can hand its content
// over to a tool window of its own that stays open.
#pragma once

#include <QFrame>
#include <QPointer>

class QToolButton;
class QVBoxLayout;

class Popover : public QFrame
{
    Q_OBJECT

public:
    // The popover belongs to the parent's window; it deletes itself once closed.
    explicit Popover(QWidget *parent = nullptr);
    ~Popover() override;

    // Takes ownership of the content.
    void setContentWidget(QWidget *content);
    QWidget *contentWidget() const { return m_content; }

    // Shows a detach button; detach() is refused while this is off.
    void setDetachable(bool detachable);
    bool isDetachable() const { return m_detachable; }

    // Shows the popover below the rectangle (global coordinates), above it when there is no room.
    void showRelativeTo(const QRect &anchor);

    // Moves the content into a new tool window (parented to this popover's window) and closes the
    // popover. Answers the window, shown; nullptr when not detachable.
    QWidget *detach();

Q_SIGNALS:
    // Emitted once when the popover closes, however it was closed (also after detach()).
    void closed();
    // The content moved to a window of its own.
    void detached(QWidget *window);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void notifyClosed();

    QVBoxLayout *m_layout;
    QToolButton *m_detachButton;
    QPointer<QWidget> m_content;
    bool m_detachable = false;
    bool m_closedNotified = false;
};
