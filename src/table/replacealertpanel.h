// ReplaceAlertPanel: the sheet in which the user confirms a change of a whole column's items —
// add or replace label and text, replace, prepend or append text — and types the new text.
// Opened window-modal over the document window; the caller reads replaceString() and label()
// once it has ended with code 1.
#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class ReplaceAlertPanel : public QDialog
{
    Q_OBJECT

public:
    enum class Type
    {
        AddLabelAndText,
        ReplaceLabelAndText,
        ReplaceText,
        PrependText,
        AppendText
    };

    explicit ReplaceAlertPanel(QWidget *parent = nullptr);

    // Set before the sheet opens; updateUI() then fills the controls.
    void setType(Type type) { m_type = type; }
    Type type() const { return m_type; }
    void setIdentifier(const QString &identifier) { m_identifier = identifier; }
    // The label choices and their titles (an empty title shows the label itself).
    void setLabels(const QStringList &labels, const QStringList &localizedLabels);
    void setLabel(const QString &label) { m_label = label; }
    QString label() const { return m_label; }
    void setReplaceString(const QString &text) { m_replaceString = text; }
    QString replaceString() const { return m_replaceString; }

    // The command's localised title ("Add Label and Text", ...).
    static QString title(Type type);
    void updateUI();

    QLabel *messageLabel() const { return m_message; }
    QComboBox *labelPopup() const { return m_labelPopup; }
    QComboBox *columnPopup() const { return m_columnPopup; }
    QLineEdit *replaceTextField() const { return m_replaceTextField; }
    QPushButton *okButton() const { return m_okButton; }
    QPushButton *cancelButton() const { return m_cancelButton; }

private:
    Type m_type = Type::ReplaceText;
    QString m_identifier;
    QStringList m_labels;
    QStringList m_localizedLabels;
    QString m_label;
    QString m_replaceString;

    QLabel *m_message;
    QLabel *m_columnTitle;
    QComboBox *m_columnPopup;
    QComboBox *m_labelPopup;
    QLineEdit *m_replaceTextField;
    QPushButton *m_cancelButton;
    QPushButton *m_okButton;
};
