#include "detail/detaileditor.h"

#include "detail/keys.h"
#include "detail/popovercontext.h"
#include "record/keys.h"
#include "record/qvperson.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

DetailEditor::DetailEditor(QWidget *parent)
    : QWidget(parent)
{ }

void DetailEditor::setContextInfo(const QVariantMap &context, bool editable)
{
    m_context = context;
    m_editable = editable;
    loadContext();
    applyEditable();
}

SubContactRow DetailEditor::row() const
{
    return PopoverContext::contact(m_context);
}

QString DetailEditor::type() const
{
    return m_context.value(PopoverKey::Type).toString();
}

int DetailEditor::labelIndex() const
{
    return m_context.value(PopoverKey::LabelIndex).toInt();
}

QVariantMap DetailEditor::startItem() const
{
    // An item being edited in a list editor is not in the record yet, or not as it is now.
    const QVariant given = m_context.value(PopoverItemKey::AddressValue);
    if (given.typeId() == QMetaType::QVariantMap)
        return given.toMap();
    const SubContactRow r = row();
    if (!r.person || labelIndex() < 0)
        return {};
    return r.person->labeledValueForIdentifierAtLabelIndex(type(), labelIndex());
}

void DetailEditor::done()
{
    if (m_editable) {
        m_context.insert(PopoverKey::Value, result());
        m_context.insert(PopoverKey::Dirty, true);
    }
    Q_EMIT finished();
}

void DetailEditor::cancel()
{
    m_context.insert(PopoverKey::Dirty, false);
    Q_EMIT finished();
}

QWidget *DetailEditor::buttonBar()
{
    if (m_buttonBar)
        return m_buttonBar;
    m_buttonBar = new QWidget(this);
    auto *layout = new QHBoxLayout(m_buttonBar);
    layout->setContentsMargins(0, 6, 0, 0);
    layout->addStretch();
    m_cancelButton = new QPushButton(tr("Cancel"), m_buttonBar);
    m_doneButton = new QPushButton(tr("Done"), m_buttonBar);
    m_doneButton->setDefault(true);
    layout->addWidget(m_cancelButton);
    layout->addWidget(m_doneButton);
    connect(m_cancelButton, &QPushButton::clicked, this, &DetailEditor::cancel);
    connect(m_doneButton, &QPushButton::clicked, this, &DetailEditor::done);
    return m_buttonBar;
}

void DetailEditor::addExtraButton(QPushButton *button)
{
    auto *layout = static_cast<QHBoxLayout *>(buttonBar()->layout());
    button->setParent(m_buttonBar);
    layout->insertWidget(0, button);
}

void DetailEditor::applyEditable()
{
    for (QLineEdit *edit : findChildren<QLineEdit *>()) {
        // Line edits inside combo and spin boxes follow their box.
        if (!qobject_cast<QComboBox *>(edit->parentWidget())
            && !qobject_cast<QAbstractSpinBox *>(edit->parentWidget()))
            edit->setReadOnly(!m_editable);
    }
    for (QComboBox *combo : findChildren<QComboBox *>())
        combo->setEnabled(m_editable);
    for (QAbstractSpinBox *spin : findChildren<QAbstractSpinBox *>())
        spin->setReadOnly(!m_editable);
    for (QCheckBox *check : findChildren<QCheckBox *>())
        check->setEnabled(m_editable);
    if (m_buttonBar) {
        for (QPushButton *button : m_buttonBar->findChildren<QPushButton *>()) {
            if (button != m_doneButton)
                button->setVisible(m_editable);
        }
    }
}

void DetailEditor::fillLabels(QComboBox *combo, const QString &identifier, const QString &current)
{
    combo->clear();
    const QStringList labels = QVPerson::labelsForIdentifier(identifier);
    const QStringList localized = QVPerson::localizedLabelsForIdentifier(identifier);
    for (qsizetype i = 0; i < labels.size(); ++i)
        combo->addItem(i < localized.size() ? localized.at(i) : labels.at(i), labels.at(i));
    for (const QString &label : QVPerson::customLabelsForIdentifier(identifier)) {
        if (combo->findData(label) < 0)
            combo->addItem(label, label);
    }
    if (!current.isEmpty() && combo->findData(current) < 0)
        combo->addItem(QVPerson::localizedLabelFromCNLabel(QVPerson::CNLabelFromLabel(current)), current);
    combo->setCurrentIndex(std::max(0, combo->findData(current)));
}

QString DetailEditor::chosenLabel(const QComboBox *combo)
{
    if (!combo->isEditable())
        return combo->currentData().toString();
    // A typed text names a listed item or is a label of its own.
    const int listed = combo->findText(combo->currentText());
    return listed < 0 ? combo->currentText().trimmed() : combo->itemData(listed).toString();
}

void DetailEditor::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        done();
        return;
    case Qt::Key_Escape:
        cancel();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}
