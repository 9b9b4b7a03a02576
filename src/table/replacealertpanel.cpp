#include "table/replacealertpanel.h"

#include "record/qvperson.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

ReplaceAlertPanel::ReplaceAlertPanel(QWidget *parent)
    : QDialog(parent)
    , m_message(new QLabel(this))
    , m_columnTitle(new QLabel(this))
    , m_columnPopup(new QComboBox(this))
    , m_labelPopup(new QComboBox(this))
    , m_replaceTextField(new QLineEdit(this))
    , m_cancelButton(new QPushButton(this))
    , m_okButton(new QPushButton(this))
{
    setWindowModality(Qt::WindowModal);
    m_message->setWordWrap(true);
    m_okButton->setDefault(true);
    auto *form = new QFormLayout;
    form->addRow(m_columnTitle, m_columnPopup);
    form->addRow(tr("Label"), m_labelPopup);
    form->addRow(tr("Text"), m_replaceTextField);
    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(m_cancelButton, QDialogButtonBox::RejectRole);
    buttons->addButton(m_okButton, QDialogButtonBox::AcceptRole);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_message);
    layout->addLayout(form);
    layout->addWidget(buttons);

    connect(m_cancelButton, &QPushButton::clicked, this, [this] { done(0); });
    connect(m_okButton, &QPushButton::clicked, this, [this] {
        m_replaceString = m_replaceTextField->text();
        m_label = m_labelPopup->currentData().toString();
        done(1);
    });
    connect(m_labelPopup, &QComboBox::activated, this,
            [this](int index) { m_label = m_labelPopup->itemData(index).toString(); });
    connect(m_replaceTextField, &QLineEdit::textEdited, this,
            [this](const QString &text) { m_replaceString = text; });
}

void ReplaceAlertPanel::setLabels(const QStringList &labels, const QStringList &localizedLabels)
{
    m_labels = labels;
    m_localizedLabels = localizedLabels;
}

QString ReplaceAlertPanel::title(Type type)
{
    switch (type) {
    case Type::AddLabelAndText:
        return tr("Add Label and Text");
    case Type::ReplaceLabelAndText:
        return tr("Replace Label and Text");
    case Type::ReplaceText:
        return tr("Replace Text");
    case Type::PrependText:
        return tr("Prepend Text");
    case Type::AppendText:
        return tr("Append Text");
    }
    return {};
}

void ReplaceAlertPanel::updateUI()
{
    setWindowTitle(title(m_type));
    m_labelPopup->clear();
    for (qsizetype i = 0; i < m_labels.size(); ++i) {
        const QString shown = m_localizedLabels.value(i);
        m_labelPopup->addItem(shown.isEmpty() ? m_labels.at(i) : shown, m_labels.at(i));
    }
    const qsizetype chosen = m_labels.indexOf(m_label);
    if (chosen >= 0)
        m_labelPopup->setCurrentIndex(int(chosen));
    else if (!m_labels.isEmpty())
        m_label = m_labels.constFirst();
    m_columnTitle->setText(tr("Columns"));
    m_columnPopup->clear();
    const QString column = QVPerson::localizedIdentifierForKey(m_identifier);
    m_columnPopup->addItem(column.isEmpty() ? m_identifier : column);

    QString message;
    QString ok;
    bool labelsEnabled = false;
    switch (m_type) {
    case Type::AddLabelAndText:
        message = tr("In order to add the label and text %1");
        ok = tr("Add");
        labelsEnabled = true;
        break;
    case Type::ReplaceLabelAndText:
        message = tr("In order to replace the label and text %1");
        ok = tr("Replace");
        labelsEnabled = true;
        break;
    case Type::ReplaceText:
        message = tr("In order to replace the text %1");
        ok = tr("Replace");
        break;
    case Type::PrependText:
    case Type::AppendText:
        message = m_type == Type::PrependText ? tr("In order to prepend the text %1")
                                              : tr("In order to append the text %1");
        ok = m_type == Type::PrependText ? tr("Prepend") : tr("Append");
        // Text only: no preset label and no leftover text.
        m_labelPopup->clear();
        m_label.clear();
        m_replaceString.clear();
        break;
    }
    m_message->setText(message.arg(column.isEmpty() ? m_identifier : column));
    m_okButton->setText(ok);
    m_cancelButton->setText(tr("Cancel"));
    m_labelPopup->setEnabled(labelsEnabled);
    m_replaceTextField->setText(m_replaceString);
}
