// FindBarController: the find bar at the top of a document window — the search field, the
// previous/next buttons, the replace field with Replace and All, the case option and Done. It
// only reports what the user does; the window's find controller acts on it.
#pragma once

#include <QPointer>
#include <QPropertyAnimation>
#include <QWidget>
#include <functional>

class QComboBox;
class QLineEdit;
class QToolButton;

class FindBarController : public QWidget
{
    Q_OBJECT

public:
    explicit FindBarController(QWidget *parent = nullptr);

    QLineEdit *searchField() const { return m_searchField; }
    QLineEdit *replaceStringField() const { return m_replaceField; }
    QString replaceString() const;
    bool isCaseInsensitive() const { return m_caseInsensitive; }
    // The replace buttons work only while editing is allowed.
    void setEditState(bool editable);
    bool editState() const { return m_editState; }

    // Whether the bar is (being) shown.
    bool isShown() const { return m_shown; }
    // Shows or hides the bar, fading and making room over a second; `done` runs at the end.
    void setShown(bool shown, std::function<void()> done = {});

    QToolButton *previousButton() const { return m_previous; }
    QToolButton *nextButton() const { return m_next; }
    QToolButton *replaceButton() const { return m_replace; }
    QToolButton *replaceAllButton() const { return m_replaceAll; }
    QToolButton *doneButton() const { return m_done; }
    QComboBox *optionPopup() const { return m_optionPopup; }

Q_SIGNALS:
    // Return in the search field.
    void findStringDidChange(const QString &findString);
    // "Next", "Previous", "Replace", "ReplaceAll", "Done" or "OptionChanged".
    void buttonDidPress(const QString &command);
    void shownChanged(bool shown);

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void popupChanged(int index);
    void done();

    QLineEdit *m_searchField;
    QLineEdit *m_replaceField;
    QToolButton *m_previous;
    QToolButton *m_next;
    QToolButton *m_replace;
    QToolButton *m_replaceAll;
    QToolButton *m_done;
    QComboBox *m_optionPopup;
    QPointer<QPropertyAnimation> m_animation;
    bool m_caseInsensitive = true;
    bool m_editState = true;
    bool m_shown = false;
};
