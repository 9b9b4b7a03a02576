// ContactsViewController: the popover editors of the cells, applying their results to the rows
// being edited, and the windows the contact popover is detached into.
#include "detail/contactinfoeditor.h"
#include "detail/detaileditor.h"
#include "detail/detaileditors.h"
#include "detail/popovercontext.h"
#include "platform/popover.h"
#include "record/keys.h"
#include "table/contactstablemodel.h"
#include "table/contactsviewcontroller.h"
#include "table/multivalueviewcontroller.h"
#include "table/popoverkind.h"

#include <QTableView>

void ContactsViewController::openPopover(const QString &kind, const SubContactRow &row,
                                         const QString &identifier, int index, const QRect &rect)
{
    if (kind == PopoverKind::ContactInfo)
        showContactInfoPopover(row, identifier, rect);
    else if (kind == PopoverKind::Name)
        showNamePopover(row, identifier, rect);
    else if (kind == PopoverKind::PhoneticName)
        showPhoneticNamePopover(row, identifier, rect);
    else if (kind == PopoverKind::MultiValue)
        showMultiValuePopover(row, identifier, index, rect);
    else if (kind == PopoverKind::Address)
        showAddressPopover(row, identifier, index, rect);
    else if (kind == PopoverKind::SocialNetwork)
        showSNSPopover(row, identifier, index, rect);
    else if (kind == PopoverKind::InstantMessage)
        showIMSPopover(row, identifier, index, rect);
    else if (kind == PopoverKind::Date)
        showDatePopover(row, identifier, index, rect);
}

Popover *ContactsViewController::popover() const
{
    return m_popover;
}

Popover *ContactsViewController::newPopover(QWidget *content)
{
    // One popover at a time, as a transient one closes when another opens; the rows chosen for
    // the new one stay.
    if (m_popover) {
        const std::optional<QList<int>> rows = m_selectedRowIndexes;
        m_popover->close();
        m_selectedRowIndexes = rows;
    }
    auto *popover = new Popover(this);
    popover->setContentWidget(content);
    content->setFont(m_selectedFont);
    connect(popover, &Popover::closed, this, [this, popover] { popoverDidClose(popover); });
    m_popover = popover;
    return popover;
}

// ---- Openers -------------------------------------------------------------------------------------

void ContactsViewController::showDetailPopover(const SubContactRow &row, const QString &type, int index,
                                               const QRect &rect)
{
    if (!row.person)
        return;
    if (DetailEditor *editor = createDetailEditor(type))
        showEditorPopover(editor, row, type, index, rect);
}

void ContactsViewController::showEditorPopover(DetailEditor *editor, const SubContactRow &row,
                                               const QString &type, int index, const QRect &rect)
{
    Popover *popover = newPopover(editor);
    editor->setContextInfo(PopoverContext::make(row, type, index, m_editState), m_editState);
    connect(editor, &DetailEditor::finished, popover, &Popover::close);
    popover->showRelativeTo(rect);
}

void ContactsViewController::showNamePopover(const SubContactRow &row, const QString &, const QRect &rect)
{
    showDetailPopover(row, FieldId::Name, 0, rect);
}

void ContactsViewController::showPhoneticNamePopover(const SubContactRow &row, const QString &,
                                                     const QRect &rect)
{
    showDetailPopover(row, FieldId::PhoneticName, 0, rect);
}

void ContactsViewController::showAddressPopover(const SubContactRow &row, const QString &, int index,
                                                const QRect &rect)
{
    showDetailPopover(row, FieldId::Address, index, rect);
}

void ContactsViewController::showSNSPopover(const SubContactRow &row, const QString &type, int index,
                                            const QRect &rect)
{
    showDetailPopover(row, type, index, rect);
}

void ContactsViewController::showIMSPopover(const SubContactRow &row, const QString &type, int index,
                                            const QRect &rect)
{
    showDetailPopover(row, type, index, rect);
}

void ContactsViewController::showDatePopover(const SubContactRow &row, const QString &type, int index,
                                             const QRect &rect)
{
    showDetailPopover(row, type, index, rect);
}

void ContactsViewController::showMultiValuePopover(const SubContactRow &row, const QString &type, int index,
                                                   const QRect &rect)
{
    if (!row.person)
        return;
    auto *editor = new MultiValueViewController;
    editor->setSelectedFont(m_selectedFont);
    showEditorPopover(editor, row, type, index, rect);
}

ContactInfoEditor *ContactsViewController::newContactInfoEditor(const SubContactRow &row)
{
    auto *content = new ContactInfoEditor(m_editor);
    content->setEditState(m_editState);
    content->setSelectedFont(m_selectedFont);
    content->setCustomItems(m_model->cellContext().customItems);
    content->setContact(row);
    return content;
}

void ContactsViewController::showContactInfoPopover(const SubContactRow &row, const QString &,
                                                    const QRect &rect)
{
    if (!row.person)
        return;
    ContactInfoEditor *content = newContactInfoEditor(row);
    Popover *popover = newPopover(content);
    popover->setDetachable(true);
    connect(popover, &Popover::detached, this,
            [this, content](QWidget *window) { detachedWindowDidOpen(window, content); });
    popover->showRelativeTo(rect);
}

void ContactsViewController::showContactInfoPopoverWithOption(bool editing)
{
    const QList<int> rows = selectedRowIndexes();
    if (rows.isEmpty())
        return;
    requestPopover(PopoverKind::ContactInfo, rows.first(), FieldId::Name, 0);
    auto *content = m_popover ? qobject_cast<ContactInfoEditor *>(m_popover->contentWidget()) : nullptr;
    if (content && editing)
        content->startEditing();
}

void ContactsViewController::editNameOfSelectedContact()
{
    const QList<int> rows = selectedRowIndexes();
    if (!rows.isEmpty())
        requestPopover(PopoverKind::Name, rows.first(), FieldId::Name, 0);
}

// ---- Results -------------------------------------------------------------------------------------

void ContactsViewController::popoverDidClose(Popover *popover)
{
    const auto *editor = qobject_cast<const DetailEditor *>(popover->contentWidget());
    if (editor && m_editor) {
        const QVariantMap context = editor->context();
        // Without rows chosen for the edit (Return moved to the next row), the popover's own.
        QList<int> indexes = m_selectedRowIndexes.value_or(QList<int>());
        SubContactRows rows;
        for (int index : std::as_const(indexes)) {
            if (const SubContactRow *row = m_model->rowAt(index))
                rows.append(*row);
        }
        if (rows.isEmpty()) {
            rows.append(PopoverContext::contact(context));
            indexes = selectedRowIndexes();
        }
        if (PopoverContext::apply(*m_editor, context, rows, this)) {
            Q_EMIT documentEdited();
            reloadKeepingSelection(indexes);
        }
    }
    m_selectedRowIndexes.reset();
    if (m_popover == popover)
        m_popover = nullptr;
}

// ---- Detached windows ----------------------------------------------------------------------------

QList<QWidget *> ContactsViewController::detachedWindows() const
{
    QList<QWidget *> windows;
    for (const DetachedWindow &detached : m_detachedWindows) {
        if (detached.window)
            windows.append(detached.window);
    }
    return windows;
}

void ContactsViewController::detachedWindowDidOpen(QWidget *window, ContactInfoEditor *content)
{
    const SubContactRow row = content->contact();
    const QString name = row.person ? row.person->compositeName() : QString();
    window->setWindowTitle(name.isEmpty() ? tr("No name") : name);
    m_detachedWindows.append({ window, content, content->uniqueId() });
    connect(window, &QObject::destroyed, this, &ContactsViewController::detachedWindowDidClose);
}

void ContactsViewController::detachedWindowDidClose(QObject *window)
{
    m_detachedWindows.removeIf(
        [window](const DetachedWindow &detached) { return !detached.window || detached.window == window; });
}

void ContactsViewController::reloadContactPopover(ContactEditor::Sender sender)
{
    if (!m_popover || m_popover->contentWidget() != sender)
        return;
    if (auto *content = qobject_cast<ContactInfoEditor *>(m_popover->contentWidget()))
        content->reload();
}

void ContactsViewController::reloadDetachedWindows(const QStringList &uniqueIds)
{
    // The open contact popover shows one of these contacts too (its name editor changed it).
    if (auto *content = m_popover ? qobject_cast<ContactInfoEditor *>(m_popover->contentWidget()) : nullptr) {
        if (uniqueIds.contains(content->uniqueId()))
            content->reload();
    }
    for (const DetachedWindow &detached : std::as_const(m_detachedWindows)) {
        if (!detached.content || !uniqueIds.contains(detached.uniqueId))
            continue;
        detached.content->reload();
        const SubContactRow row = detached.content->contact();
        const QString name = row.person ? row.person->compositeName() : QString();
        detached.window->setWindowTitle(name.isEmpty() ? tr("No name") : name);
    }
}

void ContactsViewController::closeContactWindows(const QStringList &uniqueIds)
{
    if (m_popover) {
        const auto *content = qobject_cast<ContactInfoEditor *>(m_popover->contentWidget());
        if (content && uniqueIds.contains(content->uniqueId()))
            m_popover->close();
    }
    // Last to first: closing a window removes its record.
    const QList<DetachedWindow> windows = m_detachedWindows;
    for (auto it = windows.crbegin(); it != windows.crend(); ++it) {
        if (it->window && uniqueIds.contains(it->uniqueId))
            it->window->close();
    }
}
