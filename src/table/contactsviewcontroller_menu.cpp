// ContactsViewController: the table's context menu and its item commands, opened by a right click,
// the Menu key or Shift+F10.
#include "platform/workspace.h"
#include "record/keys.h"
#include "record/qvperson.h"
#include "table/contactstablemodel.h"
#include "table/contactsviewcontroller.h"
#include "table/popoverkind.h"
#include "table/replacealertpanel.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QTableView>

void ContactsViewController::setContextMenuActions(const ContactMenuActions &actions)
{
    m_contactMenuActions = actions;
}

bool ContactsViewController::handleContextMenuEvent(QObject *watched, QEvent *event)
{
    if (watched == m_tableView && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool shiftF10 = key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier;
        if (key->key() == Qt::Key_Menu || shiftF10) {
            showContextMenuForSelectedCell();
            return true;
        }
        return false;
    }
    if (event->type() != QEvent::ContextMenu
        || (watched != m_tableView && watched != m_tableView->viewport()))
        return false;
    const auto *menuEvent = static_cast<QContextMenuEvent *>(event);
    if (menuEvent->reason() == QContextMenuEvent::Keyboard) {
        showContextMenuForSelectedCell();
    } else if (watched == m_tableView->viewport()) {
        const QPoint position = menuEvent->pos();
        showContextMenu(m_tableView->rowAt(position.y()), m_tableView->columnAt(position.x()),
                        menuEvent->globalPos());
    }
    return true;
}

QMenu *ContactsViewController::showContextMenuForSelectedCell()
{
    const QList<int> rows = selectedRowIndexes();
    if (rows.isEmpty())
        return nullptr;
    const QModelIndex current = m_tableView->currentIndex();
    const bool currentSelected = current.isValid() && rows.contains(current.row());
    const int row = currentSelected ? current.row() : rows.first();
    const int column = currentSelected ? current.column() : 0;
    const QModelIndex index = m_model->index(row, column);
    m_tableView->scrollTo(index);
    const QRect cell = m_tableView->visualRect(index);
    return showContextMenu(row, column, m_tableView->viewport()->mapToGlobal(cell.center()));
}

QMenu *ContactsViewController::showContextMenu(int row, int column, const QPoint &globalPosition)
{
    const SubContactRow *r = m_model->rowAt(row);
    if (!r || column < 0 || column >= m_model->columnCount())
        return nullptr;
    const QString identifier = m_model->columns().at(column).identifier;
    ItemMenuCell cell = ItemMenu::cellFor(*r, identifier, fieldType(identifier));
    cell.editState = m_editState;
    cell.showCompanyInNameCell = m_showCompanyInNameCell;

    if (m_contextMenu)
        m_contextMenu->close();
    auto *menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (const ItemMenuEntry &entry : ItemMenu::entries(cell)) {
        if (entry.isSeparator()) {
            menu->addSeparator();
            continue;
        }
        QAction *action = menu->addAction(entry.title);
        action->setEnabled(entry.enabled);
        action->setCheckable(entry.checkable);
        action->setChecked(entry.checked);
        if (entry.command != ItemCommand::None)
            connect(action, &QAction::triggered, this,
                    [this, entry, row, column] { runItemCommand(entry, row, column); });
    }
    // The window's further commands on the selected contacts, and phone normalisation.
    const ContactMenuActions &window = m_contactMenuActions;
    if (identifier == FieldId::Name && !window.more.isEmpty()) {
        menu->addSeparator();
        for (const QPointer<QAction> &action : window.more) {
            if (action)
                menu->addAction(action);
            else
                menu->addSeparator();
        }
    }
    if (identifier == FieldId::Phone && window.normalizePhones) {
        menu->addSeparator();
        menu->addAction(window.normalizePhones);
    }
    m_contextMenu = menu;
    menu->popup(globalPosition);
    return menu;
}

void ContactsViewController::runItemCommand(const ItemMenuEntry &entry, int row, int column)
{
    const ContactMenuActions &window = m_contactMenuActions;
    // The window's contact commands act on the selected contacts: the clicked row joins them.
    const auto runWindowAction = [this, row, &entry](const QPointer<QAction> &action) {
        selectRows(ItemMenu::rowsConcerned(selectedRowIndexes(), row, entry.command));
        if (action)
            action->trigger();
    };
    switch (entry.command) {
    case ItemCommand::None:
        return;
    case ItemCommand::ShowPopover:
        showPopoverWrapper(row, column, entry.title);
        return;
    case ItemCommand::ShowQRCode:
        runWindowAction(window.showQRCode);
        return;
    case ItemCommand::AddContact:
        runWindowAction(window.addContact);
        return;
    case ItemCommand::DeleteContact:
        runWindowAction(window.deleteContacts);
        return;
    case ItemCommand::DuplicateContact:
        runWindowAction(window.duplicateContacts);
        return;
    case ItemCommand::ExportContact:
        runWindowAction(window.exportContacts);
        return;
    case ItemCommand::ToggleShowCompany:
        if (window.showCompany)
            window.showCompany->trigger();
        else
            toggleShowCompany();
        return;
    case ItemCommand::Workspace:
        doWorkspaceAction(row, column, entry.title);
        return;
    case ItemCommand::InsertItem:
        insertItem(row, column);
        return;
    case ItemCommand::ReplaceItem:
        replaceItem(row, column,
                    entry.title == ItemMenu::tr("Replace Label and Text")
                        ? ItemCommands::TextEdit::ReplaceLabelAndText
                        : ItemCommands::TextEdit::Replace);
        return;
    case ItemCommand::DeleteItem:
        deleteItem(row, column);
        return;
    case ItemCommand::PrependItem:
        replaceItem(row, column, ItemCommands::TextEdit::Prepend);
        return;
    case ItemCommand::AppendItem:
        replaceItem(row, column, ItemCommands::TextEdit::Append);
        return;
    }
}

ItemCommands ContactsViewController::itemCommands(int column) const
{
    const QString identifier = m_model->columns().at(column).identifier;
    return ItemCommands(*m_editor, this, identifier, fieldType(identifier));
}

void ContactsViewController::finishItemCommand(bool changed, const QList<int> &rows)
{
    if (!changed)
        return;
    Q_EMIT documentEdited();
    reloadKeepingSelection(rows);
}

void ContactsViewController::doWorkspaceAction(int row, int column, const QString &itemTitle)
{
    const SubContactRow *r = m_model->rowAt(row);
    if (!r || column < 0 || column >= m_model->columnCount())
        return;
    const QString identifier = m_model->columns().at(column).identifier;
    const ItemMenuCell cell = ItemMenu::cellFor(*r, identifier, fieldType(identifier));
    if (cell.text.isEmpty())
        return;
    const bool date = identifier == FieldId::Dates || identifier == FieldId::Birthday;
    const QUrl url = date ? ItemMenu::calendarUrl(*r, identifier)
                          : ItemMenu::workspaceUrl(identifier, itemTitle, cell.text);
    if (!url.isEmpty())
        Workspace::openUrl(url);
}

void ContactsViewController::deleteItem(int row, int column)
{
    if (!m_model->rowAt(row) || column < 0 || column >= m_model->columnCount() || !m_editor || !m_editState)
        return;
    const QString identifier = m_model->columns().at(column).identifier;
    const QList<int> rows = ItemMenu::rowsConcerned(selectedRowIndexes(), row, ItemCommand::DeleteItem);
    auto *box = new QMessageBox(
        QMessageBox::Question, QString(),
        tr("Do you want to delete the item(label and text) in the selected cells in column:%1 ?")
            .arg(identifier),
        QMessageBox::Ok | QMessageBox::Cancel, this);
    box->setInformativeText(tr("This operation can be undone."));
    box->setDefaultButton(QMessageBox::Ok);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    connect(box, &QMessageBox::finished, this, [this, box, rows, column, identifier] {
        if (box->clickedButton() != box->button(QMessageBox::Ok) || !m_editor
            || column >= m_model->columnCount() || m_model->columns().at(column).identifier != identifier)
            return;
        selectRows(rows);
        finishItemCommand(itemCommands(column).deleteItems(selectedSubContacts()), rows);
    });
    box->open();
}

void ContactsViewController::replaceItem(int row, int column, ItemCommands::TextEdit mode)
{
    const SubContactRow *r = m_model->rowAt(row);
    if (!r || column < 0 || column >= m_model->columnCount() || !m_editor || !m_editState)
        return;
    const QString identifier = m_model->columns().at(column).identifier;
    const QList<int> rows = ItemMenu::rowsConcerned(selectedRowIndexes(), row, ItemCommand::ReplaceItem);
    const ItemCommands commands = itemCommands(column);
    const QString field = ItemMenu::itemField(identifier);

    auto *panel = new ReplaceAlertPanel(this);
    panel->setAttribute(Qt::WA_DeleteOnClose);
    using Type = ReplaceAlertPanel::Type;
    panel->setType(mode == ItemCommands::TextEdit::ReplaceLabelAndText ? Type::ReplaceLabelAndText
                       : mode == ItemCommands::TextEdit::Prepend       ? Type::PrependText
                       : mode == ItemCommands::TextEdit::Append        ? Type::AppendText
                                                                       : Type::ReplaceText);
    panel->setIdentifier(identifier);
    panel->setLabels(QVPerson::labelsForIdentifier(field), QVPerson::localizedLabelsForIdentifier(field));
    panel->setLabel(commands.currentLabel(*r));
    panel->setReplaceString(commands.currentText(*r));
    panel->updateUI();
    panel->setWindowModality(Qt::WindowModal);
    connect(panel, &QDialog::finished, this, [this, panel, rows, column, identifier, mode](int code) {
        if (code != 1 || !m_editor || column >= m_model->columnCount()
            || m_model->columns().at(column).identifier != identifier)
            return;
        selectRows(rows);
        finishItemCommand(itemCommands(column).editText(selectedSubContacts(), mode, panel->replaceString(),
                                                        panel->label()),
                          rows);
    });
    panel->open();
}

void ContactsViewController::insertItem(int row, int column)
{
    if (!m_model->rowAt(row) || column < 0 || column >= m_model->columnCount() || !m_editor || !m_editState)
        return;
    const QString identifier = m_model->columns().at(column).identifier;
    const QList<int> rows = ItemMenu::rowsConcerned(selectedRowIndexes(), row, ItemCommand::InsertItem);
    ItemCommands commands = itemCommands(column);
    if (ItemCommands::addsDirectly(identifier, fieldType(identifier))) {
        SubContactRows concerned;
        for (int index : rows) {
            if (const SubContactRow *r = m_model->rowAt(index))
                concerned.append(*r);
        }
        selectRows({ row });
        finishItemCommand(commands.insertItem(concerned), { row });
        return;
    }
    // The other fields add a new item through their panel (index -1).
    m_selectedRowIndexes = rows;
    selectRows({ row });
    if (identifier == FieldId::Address || QVPerson::isAddressIdentifier(identifier))
        requestPopover(PopoverKind::Address, row, FieldId::Address, -1);
    else if (identifier == FieldId::SocialNetwork)
        requestPopover(PopoverKind::SocialNetwork, row, identifier, -1);
    else if (identifier == FieldId::InstantMessage)
        requestPopover(PopoverKind::InstantMessage, row, identifier, -1);
    else if (identifier == FieldId::Dates || identifier == FieldId::Birthday)
        requestPopover(PopoverKind::Date, row, identifier, -1);
    else
        m_selectedRowIndexes.reset();
}
