#include "detail/dateeditor.h"

#include "record/keys.h"
#include "record/qvperson.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// A year with a 29 February, shown for dates without a year.
constexpr int kLeapYear = 2000;

} // namespace

DateEditor::DateEditor(QWidget *parent)
    : DetailEditor(parent)
    , m_label(new QComboBox(this))
    , m_date(new QDateEdit(this))
    , m_withYear(new QCheckBox(tr("With year"), this))
    , m_form(new QFormLayout)
{
    m_label->setObjectName(Key::Label);
    m_date->setObjectName(Key::Value);
    m_date->setCalendarPopup(true);
    m_withYear->setChecked(true);
    m_form->addRow(tr("Label:"), m_label);
    m_form->addRow(tr("Date:"), m_date);
    m_form->addRow(QString(), m_withYear);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(m_form);
    layout->addWidget(buttonBar());
    setFocusProxy(m_date);
    connect(m_withYear, &QCheckBox::toggled, this, &DateEditor::updateYearShown);
}

bool DateEditor::isBirthday() const
{
    return type() == FieldId::Birthday;
}

void DateEditor::loadContext()
{
    const SubContactRow r = row();
    DateComponents components;
    if (isBirthday()) {
        m_start = r.person ? r.person->birthdayValue() : QVariantMap();
        if (!m_removeButton) {
            m_removeButton = new QPushButton(tr("Remove"), this);
            addExtraButton(m_removeButton);
            connect(m_removeButton, &QPushButton::clicked, this, &DateEditor::removeBirthday);
        }
    } else {
        m_start = startItem();
        if (m_start.isEmpty())
            m_start.insert(Key::LabelIndex, -1);
        fillLabels(m_label, FieldId::Dates, m_start.value(Key::Label).toString());
    }
    m_form->setRowVisible(m_label, !isBirthday());
    const QVariant value = m_start.value(Key::Value);
    if (value.userType() == qMetaTypeId<DateComponents>())
        components = value.value<DateComponents>();
    const QDate today = QDate::currentDate();
    const bool withYear = components.isEmpty() || components.hasYear();
    const int year = components.hasYear() ? components.year : (withYear ? today.year() : kLeapYear);
    const QDate shown(year, components.hasMonth() ? components.month : today.month(),
                      components.hasDay() ? components.day : today.day());
    m_date->setDate(shown.isValid() ? shown : today);
    m_withYear->setChecked(withYear);
    // Only a birthday can do without a year.
    m_withYear->setVisible(isBirthday());
    updateYearShown();
}

void DateEditor::updateYearShown()
{
    if (m_withYear->isChecked()) {
        m_date->setDisplayFormat(QStringLiteral("yyyy.MM.dd"));
    } else {
        m_date->setDisplayFormat(QStringLiteral("MM.dd"));
        m_date->setDate(QDate(kLeapYear, m_date->date().month(), m_date->date().day()));
    }
}

DateComponents DateEditor::editedComponents() const
{
    DateComponents components = DateComponents::fromDate(m_date->date());
    if (!m_withYear->isChecked())
        components.year = DateComponents::Undefined;
    return components;
}

void DateEditor::removeBirthday()
{
    m_removed = true;
    done();
}

QVariant DateEditor::result() const
{
    if (isBirthday()) {
        if (m_removed)
            return {};
        QVariantMap birthday = m_start;
        birthday.insert(Key::Value, QVariant::fromValue(editedComponents()));
        return birthday;
    }
    QVariantMap item = m_start;
    item.insert(Key::Label, chosenLabel(m_label));
    item.insert(Key::Value, QVariant::fromValue(editedComponents()));
    return item;
}
