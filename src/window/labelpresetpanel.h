// "Add/Delete..." of the label preset pop-up: adds a preset from the label sizes in the tab and
// deletes the presets the user added.
#pragma once

#include <QDialog>
#include <QVariantMap>

class QLineEdit;
class QListWidget;
class QPushButton;

class LabelPresetPanel : public QDialog
{
    Q_OBJECT

public:
    // sizes: the label sizes in points as a preset without name; suggestedName fills the name field.
    LabelPresetPanel(const QVariantList &presets, const QVariantMap &sizes, const QString &suggestedName,
                     QWidget *parent = nullptr);

    QVariantList presets() const { return m_presets; }
    // The preset added last, to be chosen when the panel closes; empty when none was added.
    QString addedName() const { return m_added; }

private:
    void fillList();
    void addPreset();
    void deleteSelected();
    void updateButtons();

    QVariantList m_presets;
    QVariantMap m_sizes;
    QString m_added;
    QListWidget *m_list = nullptr;
    QLineEdit *m_name = nullptr;
    QPushButton *m_add = nullptr;
    QPushButton *m_delete = nullptr;
};
