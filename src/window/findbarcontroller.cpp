#include "window/findbarcontroller.h"

#include "find/keys.h"

#include <QComboBox>
#include <QGraphicsOpacityEffect>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPropertyAnimation>
#include <QToolButton>

namespace {

constexpr int kAnimationMilliseconds = 1000;
constexpr int kBorderWidth = 2;

QToolButton *barButton(QWidget *parent, const QString &text, const QString &toolTip = {})
{
    auto *button = new QToolButton(parent);
    button->setText(text);
    button->setToolTip(toolTip);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setAutoRaise(false);
    return button;
}

} // namespace

FindBarController::FindBarController(QWidget *parent)
    : QWidget(parent)
    , m_searchField(new QLineEdit(this))
    , m_replaceField(new QLineEdit(this))
    , m_previous(barButton(this, QStringLiteral("◀"), tr("Find Previous")))
    , m_next(barButton(this, QStringLiteral("▶"), tr("Find Next")))
    , m_replace(barButton(this, tr("Replace")))
    , m_replaceAll(barButton(this, tr("All")))
    , m_done(barButton(this, tr("Done")))
    , m_optionPopup(new QComboBox(this))
{
    setObjectName(QStringLiteral("findBar"));
    // As tall as its controls: the panes below keep the rest of the window.
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    m_searchField->setObjectName(QStringLiteral("findBarSearchField"));
    m_searchField->setPlaceholderText(tr("Find"));
    m_searchField->setClearButtonEnabled(true);
    m_searchField->installEventFilter(this);
    m_replaceField->setPlaceholderText(tr("Replace"));
    m_replaceField->setObjectName(QStringLiteral("findBarReplaceField"));
    // The popup's titles are also what the case test compares with: one text for both.
    m_optionPopup->addItems({ tr("Case Insensitive"), tr("Case Sensitive") });

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->addWidget(m_searchField, 2);
    layout->addWidget(m_previous);
    layout->addWidget(m_next);
    layout->addWidget(m_optionPopup);
    layout->addSpacing(12);
    layout->addWidget(m_replaceField, 2);
    layout->addWidget(m_replace);
    layout->addWidget(m_replaceAll);
    layout->addSpacing(12);
    layout->addWidget(m_done);

    connect(m_searchField, &QLineEdit::returnPressed, this,
            [this] { Q_EMIT findStringDidChange(m_searchField->text()); });
    connect(m_previous, &QToolButton::clicked, this,
            [this] { Q_EMIT buttonDidPress(FindBarCommand::Previous); });
    connect(m_next, &QToolButton::clicked, this, [this] { Q_EMIT buttonDidPress(FindBarCommand::Next); });
    connect(m_replace, &QToolButton::clicked, this,
            [this] { Q_EMIT buttonDidPress(FindBarCommand::Replace); });
    connect(m_replaceAll, &QToolButton::clicked, this,
            [this] { Q_EMIT buttonDidPress(FindBarCommand::ReplaceAll); });
    connect(m_done, &QToolButton::clicked, this, &FindBarController::done);
    connect(m_optionPopup, &QComboBox::activated, this, &FindBarController::popupChanged);

    auto *opacity = new QGraphicsOpacityEffect(this);
    opacity->setOpacity(0);
    setGraphicsEffect(opacity);
    setMaximumHeight(0);
    hide();
}

QString FindBarController::replaceString() const
{
    return m_replaceField->text();
}

void FindBarController::setEditState(bool editable)
{
    m_editState = editable;
    m_replace->setEnabled(editable);
    m_replaceAll->setEnabled(editable);
    m_replaceField->setEnabled(editable);
}

void FindBarController::popupChanged(int index)
{
    m_caseInsensitive = m_optionPopup->itemText(index) == tr("Case Insensitive");
    Q_EMIT buttonDidPress(FindBarCommand::OptionChanged);
}

void FindBarController::done()
{
    setShown(false);
    Q_EMIT buttonDidPress(FindBarCommand::Done);
}

void FindBarController::setShown(bool shown, std::function<void()> finished)
{
    const bool changed = m_shown != shown;
    m_shown = shown;
    if (m_animation)
        m_animation->stop();
    auto *opacity = static_cast<QGraphicsOpacityEffect *>(graphicsEffect());
    const int fullHeight = sizeHint().height();
    if (shown)
        show();
    // Height and opacity together: the table below gives the bar its room while it fades in.
    m_animation = new QPropertyAnimation(this, "maximumHeight", this);
    m_animation->setDuration(kAnimationMilliseconds);
    m_animation->setStartValue(maximumHeight());
    m_animation->setEndValue(shown ? fullHeight : 0);
    const qreal startOpacity = opacity->opacity();
    connect(m_animation, &QPropertyAnimation::valueChanged, this, [this, opacity, startOpacity, shown] {
        const qreal progress = m_animation ? m_animation->currentTime() / qreal(kAnimationMilliseconds) : 1;
        opacity->setOpacity(shown ? std::max(startOpacity, progress) : std::min(startOpacity, 1 - progress));
    });
    connect(m_animation, &QPropertyAnimation::finished, this, [this, opacity, shown, finished] {
        opacity->setOpacity(shown ? 1 : 0);
        setMaximumHeight(shown ? sizeHint().height() : 0);
        if (!shown)
            hide();
        if (finished)
            finished();
    });
    m_animation->start(QAbstractAnimation::DeleteWhenStopped);
    if (shown)
        m_searchField->setFocus();
    if (changed)
        Q_EMIT shownChanged(shown);
}

void FindBarController::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    QPen border { QColor(Qt::lightGray) };
    border.setWidth(kBorderWidth);
    painter.setPen(border);
    painter.drawRect(
        rect().adjusted(kBorderWidth / 2, kBorderWidth / 2, -kBorderWidth / 2, -kBorderWidth / 2));
}

bool FindBarController::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_searchField && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        done();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
