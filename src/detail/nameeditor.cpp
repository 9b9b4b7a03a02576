#include "detail/nameeditor.h"

#include "record/keys.h"
#include "record/qvperson.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

NameEditor::NameEditor(Kind kind, QWidget *parent)
    : DetailEditor(parent)
    , m_kind(kind)
{
    auto *form = new QFormLayout;
    auto addPart = [&](const QString &key, const QString &title) {
        auto *edit = new QLineEdit(this);
        edit->setObjectName(key);
        edit->setMinimumWidth(220);
        form->addRow(title, edit);
        m_parts.append({ key, edit });
    };
    addPart(FieldId::FirstName, tr("First name:"));
    addPart(FieldId::MiddleName, tr("Middle name:"));
    addPart(FieldId::LastName, tr("Last name:"));
    if (kind == Kind::Name) {
        addPart(FieldId::PreviousFamilyName, tr("Maiden name:"));
        m_ordering = new QComboBox(this);
        const QStringList orderings = QVPerson::localizedLabelsForIdentifier(FieldId::NameOrdering);
        for (qsizetype i = 0; i < orderings.size(); ++i)
            m_ordering->addItem(orderings.at(i), int(i));
        form->addRow(tr("Name order:"), m_ordering);
        m_showAs = new QComboBox(this);
        const QStringList showAs = QVPerson::localizedLabelsForIdentifier(FieldId::ShowAsPerson);
        m_showAs->addItem(showAs.value(0, LabelWord::Person), true);
        m_showAs->addItem(showAs.value(1, LabelWord::CompanyWord), false);
        form->addRow(tr("Show as:"), m_showAs);
    }
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(form);
    layout->addWidget(buttonBar());
    setFocusProxy(m_parts.first().edit);
}

void NameEditor::loadContext()
{
    const SubContactRow r = row();
    if (!r.person)
        return;
    m_start = m_kind == Kind::Name ? r.person->nameValue() : r.person->phoneticNameValue();
    for (const Part &part : std::as_const(m_parts))
        part.edit->setText(m_start.value(part.key).toString());
    if (m_ordering)
        m_ordering->setCurrentIndex(
            std::max(0, m_ordering->findData(m_start.value(Key::NameOrdering).toInt())));
    if (m_showAs)
        m_showAs->setCurrentIndex(r.person->showAsPerson() ? 0 : 1);
}

QVariant NameEditor::result() const
{
    QVariantMap value = m_start;
    for (const Part &part : m_parts)
        value.insert(part.key, part.edit->text());
    if (m_ordering)
        value.insert(Key::NameOrdering, m_ordering->currentData().toInt());
    if (m_showAs)
        value.insert(Key::ShowAsPerson, m_showAs->currentData().toBool());
    return value;
}
