// The box around the contacts table that shows the edit lock: a 2-point red border while the
// table is editable, grey while it is locked.
#pragma once

#include <QFrame>

class EditLockFrame : public QFrame
{
    Q_OBJECT

public:
    static constexpr int BorderWidth = 2;

    explicit EditLockFrame(QWidget *parent = nullptr);

    void setEditable(bool editable);
    bool isEditable() const { return m_editable; }
    QColor borderColor() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_editable = true;
};
