#include "platform/popover.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QScreen>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kGap = 2;

} // namespace

Popover::Popover(QWidget *parent)
    : QFrame(parent, Qt::Popup | Qt::FramelessWindowHint)
    , m_layout(new QVBoxLayout(this))
    , m_detachButton(new QToolButton(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Plain);
    m_layout->setContentsMargins(6, 4, 6, 6);
    m_layout->setSpacing(2);

    auto *bar = new QHBoxLayout;
    bar->addStretch();
    m_detachButton->setAutoRaise(true);
    m_detachButton->setIcon(style()->standardIcon(QStyle::SP_TitleBarNormalButton));
    m_detachButton->setToolTip(tr("Detach"));
    m_detachButton->setFocusPolicy(Qt::NoFocus);
    m_detachButton->hide();
    bar->addWidget(m_detachButton);
    m_layout->addLayout(bar);
    connect(m_detachButton, &QToolButton::clicked, this, &Popover::detach);
}

Popover::~Popover() = default;

void Popover::setContentWidget(QWidget *content)
{
    if (m_content)
        m_content->deleteLater();
    m_content = content;
    if (content)
        m_layout->addWidget(content, 1);
}

void Popover::setDetachable(bool detachable)
{
    m_detachable = detachable;
    m_detachButton->setVisible(detachable);
}

void Popover::showRelativeTo(const QRect &anchor)
{
    adjustSize();
    const QSize size = sizeHint().expandedTo(minimumSizeHint());
    resize(size);
    const QScreen *screen = QGuiApplication::screenAt(anchor.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(QPoint(0, 0), size);

    // Below the cell first, as the table reads downwards; above it when the screen ends.
    QPoint at(anchor.left(), anchor.bottom() + kGap);
    if (at.y() + size.height() > available.bottom() && anchor.top() - kGap - size.height() >= available.top())
        at.setY(anchor.top() - kGap - size.height());
    at.setX(
        std::clamp(at.x(), available.left(), std::max(available.left(), available.right() - size.width())));
    at.setY(
        std::clamp(at.y(), available.top(), std::max(available.top(), available.bottom() - size.height())));
    move(at);
    show();
    if (m_content)
        m_content->setFocus();
}

QWidget *Popover::detach()
{
    if (!m_detachable || !m_content)
        return nullptr;
    QWidget *owner = parentWidget() ? parentWidget()->window() : nullptr;
    auto *window = new QWidget(owner, Qt::Tool);
    window->setAttribute(Qt::WA_DeleteOnClose);
    auto *layout = new QVBoxLayout(window);
    layout->setContentsMargins(6, 6, 6, 6);
    QWidget *content = m_content;
    m_content = nullptr;
    m_layout->removeWidget(content);
    layout->addWidget(content);
    window->resize(size().expandedTo(window->sizeHint()));
    window->move(pos());
    window->show();
    Q_EMIT detached(window);
    close();
    return window;
}

void Popover::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QFrame::keyPressEvent(event);
}

void Popover::closeEvent(QCloseEvent *event)
{
    QFrame::closeEvent(event);
    notifyClosed();
}

void Popover::notifyClosed()
{
    if (m_closedNotified)
        return;
    m_closedNotified = true;
    Q_EMIT closed();
}
