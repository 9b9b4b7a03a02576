#include "window/editlockframe.h"

#include <QPainter>

namespace {
const QColor kEditableColor(0xd0, 0x20, 0x20);
const QColor kLockedColor(0xa0, 0xa0, 0xa0);
} // namespace

EditLockFrame::EditLockFrame(QWidget *parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("redSeparator"));
    setFrameShape(QFrame::NoFrame);
    // The content sits inside the border, which is painted here rather than by a style sheet: a
    // style sheet would restyle the whole table below it, and styles may ignore it for a plain frame.
    setContentsMargins(BorderWidth, BorderWidth, BorderWidth, BorderWidth);
}

QColor EditLockFrame::borderColor() const
{
    return m_editable ? kEditableColor : kLockedColor;
}

void EditLockFrame::setEditable(bool editable)
{
    if (m_editable == editable)
        return;
    m_editable = editable;
    update();
}

void EditLockFrame::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect r = rect();
    const QColor color = borderColor();
    painter.fillRect(QRect(r.left(), r.top(), r.width(), BorderWidth), color);
    painter.fillRect(QRect(r.left(), r.bottom() - BorderWidth + 1, r.width(), BorderWidth), color);
    painter.fillRect(QRect(r.left(), r.top(), BorderWidth, r.height()), color);
    painter.fillRect(QRect(r.right() - BorderWidth + 1, r.top(), BorderWidth, r.height()), color);
}
