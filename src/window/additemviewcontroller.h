// The editor of one custom item definition: a new one (name, type, labels, icon) or the labels
// and icon of an existing labeled one.
#pragma once

#include <QDialog>
#include <QImage>
#include <QVariantMap>

class QComboBox;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QStringListModel;
class QToolButton;

class AddItemViewController : public QDialog
{
    Q_OBJECT

public:
    explicit AddItemViewController(QWidget *parent = nullptr);

    // An existing definition, or an empty map for a new one.
    void setContextInfo(const QVariantMap &definition);
    QVariantMap definition() const { return m_definition; }

    // Reduced so that neither side exceeds the limit, the aspect kept.
    static QImage scaledIcon(const QImage &image);
    void imageDidChange(const QImage &image);

    // The controls' actions, also for checks.
    void textFieldChanged(const QString &text);
    void popupChanged(int index);
    void addLabel();
    void deleteLabel();
    bool confirm(); // false (a beep) when the definition is not complete
    void cancel();
    QPushButton *confirmButton() const { return m_confirmButton; }
    QStringList labels() const;

private:
    void updateLabelButtons();
    void chooseImage();
    void showIcon();

    QVariantMap m_definition;
    QLineEdit *m_nameField;
    QComboBox *m_typePopup;
    QToolButton *m_iconButton;
    QListView *m_labelsView;
    QStringListModel *m_labelsModel;
    QPushButton *m_addLabelButton;
    QPushButton *m_deleteLabelButton;
    QPushButton *m_confirmButton;
    QPushButton *m_cancelButton;
};
