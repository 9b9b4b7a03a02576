#include "window/labelpresetpanel.h"

#include "print/keys.h"
#include "print/printoptions.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

LabelPresetPanel::LabelPresetPanel(const QVariantList &presets, const QVariantMap &sizes,
                                   const QString &suggestedName, QWidget *parent)
    : QDialog(parent)
    , m_presets(presets)
    , m_sizes(sizes)
{
    setWindowTitle(tr("Label Presets"));
    auto *layout = new QVBoxLayout(this);
    m_list = new QListWidget(this);
    layout->addWidget(m_list);
    auto *form = new QFormLayout;
    m_name = new QLineEdit(suggestedName, this);
    form->addRow(tr("Name:"), m_name);
    layout->addLayout(form);
    auto *buttons = new QHBoxLayout;
    m_add = new QPushButton(tr("Add"), this);
    m_delete = new QPushButton(tr("Delete"), this);
    buttons->addWidget(m_add);
    buttons->addWidget(m_delete);
    buttons->addStretch();
    layout->addLayout(buttons);
    auto *done = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    layout->addWidget(done);

    connect(m_add, &QPushButton::clicked, this, &LabelPresetPanel::addPreset);
    connect(m_delete, &QPushButton::clicked, this, &LabelPresetPanel::deleteSelected);
    connect(m_name, &QLineEdit::textChanged, this, &LabelPresetPanel::updateButtons);
    connect(m_list, &QListWidget::currentRowChanged, this, &LabelPresetPanel::updateButtons);
    connect(done, &QDialogButtonBox::accepted, this, &QDialog::accept);
    fillList();
}

void LabelPresetPanel::fillList()
{
    m_list->clear();
    for (const QVariant &preset : std::as_const(m_presets))
        m_list->addItem(preset.toMap().value(StyleKey::Name).toString());
    updateButtons();
}

void LabelPresetPanel::addPreset()
{
    QVariantMap preset = m_sizes;
    preset.insert(StyleKey::Name, m_name->text());
    const QVariantList added = PrintOptions::addPreset(m_presets, preset);
    if (added == m_presets)
        return;
    m_presets = added;
    m_added = m_name->text().trimmed();
    fillList();
    const QList<QListWidgetItem *> found = m_list->findItems(m_added, Qt::MatchExactly);
    if (!found.isEmpty())
        m_list->setCurrentItem(found.first());
}

void LabelPresetPanel::deleteSelected()
{
    const QListWidgetItem *item = m_list->currentItem();
    if (!item)
        return;
    const QString name = item->text();
    m_presets = PrintOptions::deletePreset(m_presets, name);
    if (m_added == name)
        m_added.clear();
    fillList();
}

void LabelPresetPanel::updateButtons()
{
    // Built-in sheets can be neither replaced nor deleted.
    const QString name = m_name->text().trimmed();
    m_add->setEnabled(!name.isEmpty() && !PrintOptions::isBuiltInPreset(name));
    const QListWidgetItem *item = m_list->currentItem();
    m_delete->setEnabled(item && !PrintOptions::isBuiltInPreset(item->text()));
}
