// DateEditor: one date of a contact — an item of "Dates" with its label, or the birthday, which
// may leave out the year and may be removed.
#pragma once

#include "detail/detaileditor.h"
#include "record/datecomponents.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QFormLayout;
class QPushButton;

class DateEditor : public DetailEditor
{
    Q_OBJECT

public:
    explicit DateEditor(QWidget *parent = nullptr);

    QDateEdit *dateField() const { return m_date; }
    QCheckBox *yearCheck() const { return m_withYear; }

protected:
    void loadContext() override;
    QVariant result() const override;

private:
    bool isBirthday() const;
    DateComponents editedComponents() const;
    void updateYearShown();
    void removeBirthday();

    QComboBox *m_label;
    QDateEdit *m_date;
    QCheckBox *m_withYear;
    QFormLayout *m_form;
    QPushButton *m_removeButton = nullptr;
    QVariantMap m_start;
    bool m_removed = false;
};
