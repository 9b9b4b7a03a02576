// ContactEditor: contacts dropped on the table as vCard text.
//
// Kept apart from the other commands: it is the only one that needs the vCard reader.
#include "editing/contacteditor.h"
#include "formats/qvvcard.h"

qsizetype ContactEditor::addContactByVCardString(const QString &text)
{
    if (m_readOnly)
        return 0;
    if (!m_selectedGroup)
        return 0;
    // Text that cannot be read adds nothing; the dropped cards' categories are not taken over.
    const std::optional<ContainerTable> containers = QVvCard::containersFromVCards(text);
    if (!containers || containers->isEmpty() || !containers->first() || containers->first()->groups.isEmpty())
        return 0;
    const ContainerEntry &container = containers->first();
    const ContactTable contacts = QVvCard::contactsForGroup(container->groups.first(), container);
    if (!contacts || contacts->isEmpty())
        return 0;
    const qsizetype added = addContactsToGroup(*contacts, m_selectedGroup).size();
    if (added > 0)
        markDocumentEdited();
    return added;
}
