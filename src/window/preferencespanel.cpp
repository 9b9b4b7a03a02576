#include "window/preferencespanel.h"

#include "platform/contactstore.h"
#include "platform/keys.h"
#include "platform/userdefaults.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

PreferencesPanel::PreferencesPanel(UserDefaults &defaults, QWidget *parent)
    : QDialog(parent)
    , m_defaults(defaults)
    , m_rootField(new QLineEdit(this))
{
    setWindowTitle(tr("Preferences"));
    m_rootField->setText(defaults.stringValue(DefaultsKey::ContactStoreRoot));
    m_rootField->setPlaceholderText(ContactStore::defaultRootPath());
    m_rootField->setMinimumWidth(360);
    auto *choose = new QPushButton(tr("Choose…"), this);
    connect(choose, &QPushButton::clicked, this, &PreferencesPanel::chooseRoot);
    auto *row = new QHBoxLayout;
    row->addWidget(m_rootField);
    row->addWidget(choose);
    auto *form = new QFormLayout;
    form->addRow(tr("Address books folder:"), row);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    connect(this, &QDialog::accepted, this, &PreferencesPanel::apply);
}

void PreferencesPanel::run(QWidget *parent)
{
    auto *panel = new PreferencesPanel(UserDefaults::standard(), parent);
    panel->setAttribute(Qt::WA_DeleteOnClose);
    panel->setWindowModality(Qt::WindowModal);
    panel->open();
}

void PreferencesPanel::apply()
{
    const QString root = m_rootField->text().trimmed();
    if (root.isEmpty())
        m_defaults.remove(DefaultsKey::ContactStoreRoot);
    else
        m_defaults.setValue(DefaultsKey::ContactStoreRoot, root);
}

void PreferencesPanel::chooseRoot()
{
    const QString start
        = m_rootField->text().isEmpty() ? ContactStore::defaultRootPath() : m_rootField->text();
    const QString folder = QFileDialog::getExistingDirectory(this, tr("Address books folder:"), start);
    if (!folder.isEmpty())
        m_rootField->setText(folder);
}
