#include "document/progressalert.h"

#include "window/edition.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

ProgressAlert::ProgressAlert(QWidget *parent)
    : QDialog(parent)
    , m_iconView(new QLabel(this))
    , m_alertMessage(new QLabel(this))
    , m_progressIndicator(new QProgressBar(this))
    , m_cancelButton(new QPushButton(tr("Cancel"), this))
{
    setWindowTitle(Editions::displayName(Editions::current()));
    setModal(true);
    const QPixmap icon(Editions::iconPath(Editions::current()));
    if (!icon.isNull())
        m_iconView->setPixmap(icon.scaled(64, 64, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    m_alertMessage->setWordWrap(true);
    m_alertMessage->setMinimumWidth(320);
    m_progressIndicator->setRange(0, 100);
    m_progressIndicator->setValue(0);

    auto *text = new QVBoxLayout;
    text->addWidget(m_alertMessage);
    text->addWidget(m_progressIndicator);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cancelButton);
    text->addLayout(buttons);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(m_iconView, 0, Qt::AlignTop);
    layout->addLayout(text, 1);

    connect(m_cancelButton, &QPushButton::clicked, this, &ProgressAlert::buttonPressed);
}

void ProgressAlert::setMessage(const QString &message)
{
    m_alertMessage->setText(message);
}

void ProgressAlert::setProgress(double percent)
{
    const int value = int(std::lround(std::clamp(percent, 0.0, 100.0)));
    const int run = m_run.load();
    QMetaObject::invokeMethod(
        this,
        [this, value, run] {
            if (run == m_run.load())
                m_progressIndicator->setValue(value);
        },
        Qt::QueuedConnection);
}

void ProgressAlert::requestClose()
{
    const int run = m_run.load();
    QMetaObject::invokeMethod(
        this,
        [this, run] {
            if (run != m_run.load())
                return;
            m_closeRequested = true;
            if (isVisible())
                done(int(Response::Stop));
        },
        Qt::QueuedConnection);
}

ProgressAlert::Response ProgressAlert::runModal()
{
    // The work may have finished (and asked to close) before the run began.
    const int result = m_closeRequested ? int(Response::Stop) : exec();
    m_closeRequested = false;
    ++m_run;
    return result == int(Response::Abort) ? Response::Abort : Response::Stop;
}

void ProgressAlert::reject()
{
    done(int(Response::Abort));
}

void ProgressAlert::buttonPressed()
{
    done(int(Response::Abort));
}
