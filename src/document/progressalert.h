// The one progress window for long reads and writes: a message, a bar from 0 to 100 and Cancel.
//
// The caller starts its work on a worker thread, then runs the alert modally; the worker posts
// progress with setProgress() through queued calls and ends the run with requestClose().
#pragma once

#include <QDialog>
#include <atomic>

class QLabel;
class QProgressBar;
class QPushButton;

class ProgressAlert : public QDialog
{
    Q_OBJECT

public:
    enum class Response { Stop = 1000, Abort = 1001 };

    explicit ProgressAlert(QWidget *parent = nullptr);

    void setMessage(const QString &message);
    // Percent, 0 to 100. Safe to call from any thread (the update is queued to the alert's thread).
    void setProgress(double percent);
    // Ends the modal run normally. Safe to call from any thread.
    void requestClose();

    // Runs the alert modally until requestClose() (Stop) or Cancel (Abort).
    Response runModal();

    // Escape and closing the window cancel, like the button.
    void reject() override;

private:
    void buttonPressed();

    QLabel *m_iconView;
    QLabel *m_alertMessage;
    QProgressBar *m_progressIndicator;
    QPushButton *m_cancelButton;
    bool m_closeRequested = false;
    // Requests carry the run they were made for: a reused alert must not take a late request of
    // a run that already ended (a cancelled one) as the end of the next run.
    std::atomic<int> m_run { 0 };
};
