// ViewController: opening the merge panel and applying what it gives back.
#include "document/document.h"
#include "table/contactsviewcontroller.h"
#include "window/mergepanelcontroller.h"
#include "window/viewcontroller.h"

MergePanelController *ViewController::mergePanelController() const
{
    return m_mergePanelController;
}

bool ViewController::canMergeContacts() const
{
    if (m_addressBook)
        return false;
    return m_contactsViewController->selectedContacts().size() >= 2;
}

void ViewController::mergeContacts()
{
    if (refuseEditing())
        return;
    // A second request while the panel is open closes it, as Cancel would.
    if (m_mergePanelController && m_mergePanelController->isVisible()) {
        m_mergePanelController->reject();
        return;
    }
    const ContactList contacts = m_contactsViewController->selectedContacts();
    if (contacts.size() < 2)
        return;
    delete m_mergePanelController;
    auto *panel = new MergePanelController(window());
    m_mergePanelController = panel;
    panel->setCustomItems(m_customItems);
    panel->setContextInfo(contacts, m_contactsViewController->editState());
    panel->setSelectedFont(m_contactsViewController->selectedFont());
    connect(panel, &QDialog::finished, this, [this, panel, contacts](int code) {
        const ContactList merged = panel->newContacts();
        panel->deleteLater();
        if (code != QDialog::Accepted || merged.size() < 2)
            return;
        m_editor->undoReplacePersonByContacts(merged, contacts);
    });
    panel->open();
}
