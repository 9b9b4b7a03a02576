#include "detail/accounteditors.h"

#include "detail/detailvalues.h"
#include "record/keys.h"
#include "record/qvperson.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

QLineEdit *lineEdit(QWidget *parent, const QString &name)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setMinimumWidth(220);
    return edit;
}

// A new item starts without a labelIndex of its own.
QVariantMap newItemOr(const QVariantMap &item)
{
    return item.isEmpty() ? QVariantMap { { Key::LabelIndex, -1 } } : item;
}

void finishLayout(QWidget *editor, QFormLayout *form, QWidget *buttons)
{
    auto *layout = new QVBoxLayout(editor);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

} // namespace

// ---- Instant message -----------------------------------------------------------------------------

InstantMessageEditor::InstantMessageEditor(QWidget *parent)
    : DetailEditor(parent)
    , m_label(new QComboBox(this))
    , m_service(new QComboBox(this))
    , m_username(lineEdit(this, Key::Username))
{
    m_label->setObjectName(Key::Label);
    m_service->setObjectName(Key::Service);
    for (const QString &service : DetailValues::instantMessageServices())
        m_service->addItem(service, service);
    auto *form = new QFormLayout;
    form->addRow(tr("Label:"), m_label);
    form->addRow(tr("Service:"), m_service);
    form->addRow(tr("User name:"), m_username);
    finishLayout(this, form, buttonBar());
    setFocusProxy(m_username);
}

void InstantMessageEditor::loadContext()
{
    m_start = newItemOr(startItem());
    fillLabels(m_label, FieldId::InstantMessage, m_start.value(Key::Label).toString());
    const QString service = m_start.value(Key::Service).toString();
    if (!service.isEmpty() && m_service->findData(service) < 0)
        m_service->addItem(service, service);
    m_service->setCurrentIndex(std::max(0, m_service->findData(service)));
    m_username->setText(m_start.value(Key::Username, m_start.value(Key::Value)).toString());
}

QVariant InstantMessageEditor::result() const
{
    QVariantMap item = m_start;
    item.insert(Key::Label, chosenLabel(m_label));
    item.insert(Key::Service, m_service->currentData().toString());
    item.insert(Key::Value, m_username->text());
    item.insert(Key::Username, m_username->text());
    return item;
}

// ---- Social network ------------------------------------------------------------------------------

SocialNetworkEditor::SocialNetworkEditor(QWidget *parent)
    : DetailEditor(parent)
    , m_service(new QComboBox(this))
    , m_username(lineEdit(this, Key::Username))
    , m_userIdentifier(lineEdit(this, Key::UserIdentifier))
    , m_url(lineEdit(this, Key::UrlString))
{
    m_service->setObjectName(Key::Service);
    // Services outside the list are typed in.
    m_service->setEditable(true);
    m_service->setInsertPolicy(QComboBox::NoInsert);
    auto *form = new QFormLayout;
    form->addRow(tr("Service:"), m_service);
    form->addRow(tr("User name:"), m_username);
    form->addRow(tr("User identifier:"), m_userIdentifier);
    form->addRow(tr("URL:"), m_url);
    finishLayout(this, form, buttonBar());
    setFocusProxy(m_username);
}

void SocialNetworkEditor::loadContext()
{
    m_start = newItemOr(startItem());
    // The service is the item's label.
    fillLabels(m_service, FieldId::SocialNetwork, m_start.value(Key::Label).toString());
    m_username->setText(m_start.value(Key::Username, m_start.value(Key::Value)).toString());
    m_userIdentifier->setText(m_start.value(Key::UserIdentifier).toString());
    m_url->setText(m_start.value(Key::UrlString).toString());
}

QVariant SocialNetworkEditor::result() const
{
    QVariantMap item = m_start;
    const QString service = chosenLabel(m_service);
    item.insert(Key::Label, service.isEmpty() ? LabelWord::NoService : service);
    item.insert(Key::Service, item.value(Key::Label));
    item.insert(Key::Value, m_username->text());
    item.insert(Key::Username, m_username->text());
    item.insert(Key::UserIdentifier, m_userIdentifier->text());
    item.insert(Key::UrlString, m_url->text());
    return item;
}
