// ViewController: the window of the system address books, read only.
#include "document/addressbook.h"
#include "document/document.h"
#include "window/groupviewcontroller.h"
#include "window/viewcontroller.h"

#include <QApplication>
#include <QDebug>
#include <QMessageBox>

void ViewController::setAddressBook(const std::shared_ptr<AddressBook> &addressBook)
{
    m_addressBook = addressBook;
    m_editor->setReadOnly(addressBook != nullptr);
    m_editor->setGroupReader([this](const GroupEntry &group) { readStoreContacts(group); });
}

bool ViewController::refuseEditing()
{
    if (!m_addressBook)
        return false;
    showAlert(tr("The address book is read only."),
              tr("Its contacts can be copied, exported and dragged to other windows, but not changed here."));
    return true;
}

void ViewController::readStoreGroups()
{
    if (!m_addressBook)
        return;
    for (const ContainerEntry &container : containerTable()) {
        m_addressBook->readGroups(container);
        const QStringList problems = m_addressBook->takeProblems();
        if (problems.isEmpty())
            continue;
        qWarning().noquote() << "ViewController::readStoreGroups: ERROR reading groups of" << container->name;
        showAlert(tr("Error on reading a group in the '%1'.").arg(container->name),
                  tr("Please check the account settings.") + u'\n' + problems.join(u'\n'));
    }
}

void ViewController::readStoreContacts(const GroupEntry &group)
{
    if (!m_addressBook || !m_addressBook->readContacts(containerTable(), group))
        return;
    const QStringList problems = m_addressBook->takeProblems();
    if (!problems.isEmpty())
        showAlert(tr("Some cards could not be read."), problems.join(u'\n'));
}

void ViewController::showAlert(const QString &text, const QString &informativeText)
{
    auto *box = new QMessageBox(QMessageBox::Warning, QApplication::applicationDisplayName(), text,
                                QMessageBox::Ok, window());
    box->setInformativeText(informativeText);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    box->open();
}
