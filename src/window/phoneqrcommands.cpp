#include "window/phoneqrcommands.h"

#include "document/document.h"
#include "phone/normalizephonenumber.h"
#include "phone/phonenumbercommand.h"
#include "record/keys.h"
#include "table/contactsviewcontroller.h"
#include "window/qrcodepanelcontroller.h"
#include "window/viewcontroller.h"

#include <QAction>
#include <QMenu>

PhoneQRCommands::PhoneQRCommands(ViewController *content, QWidget *window)
    : QObject(window)
    , m_content(content)
    , m_window(window)
    , m_showQRCodeAction(new QAction(tr("Show QRCode"), this))
    , m_normalizeMenu(new QMenu(tr("Normalize Phone Numbers"), window))
{
    connect(m_showQRCodeAction, &QAction::triggered, this, &PhoneQRCommands::showQRCode);
    for (PhoneLayout layout : NormalizePhoneNumber::layouts()) {
        const QString title = NormalizePhoneNumber::titleForLayout(layout);
        m_normalizeMenu->addAction(title, this, [this, title] { normalizePhoneNumbers(title); });
    }
    connect(m_content->contactsViewController(), &ContactsViewController::rowSelectionDidChange, this,
            &PhoneQRCommands::validate);
}

void PhoneQRCommands::showQRCode()
{
    const SubContactRows rows = m_content->contactsViewController()->selectedSubContacts();
    if (rows.isEmpty())
        return;
    if (!m_qrCodePanel)
        m_qrCodePanel = new QRCodePanelController(m_window);
    m_qrCodePanel->setContact(rows.first());
    m_qrCodePanel->open();
}

qsizetype PhoneQRCommands::normalizePhoneNumbers(const QString &title)
{
    const std::optional<PhoneLayout> layout = NormalizePhoneNumber::layoutForTitle(title);
    ContactsViewController *table = m_content->contactsViewController();
    if (!layout || !m_content->editState())
        return 0;
    return PhoneNumberCommand::normalize(*m_content->editor(), table->selectedSubContacts(), *layout, table)
        .changed;
}

void PhoneQRCommands::validate()
{
    const ContactsViewController *table = m_content->contactsViewController();
    m_showQRCodeAction->setEnabled(!table->selectedRowIndexes().isEmpty());
    m_normalizeMenu->menuAction()->setEnabled(m_content->editState()
                                              && table->tableIdentfiers().contains(FieldId::Phone));
}
