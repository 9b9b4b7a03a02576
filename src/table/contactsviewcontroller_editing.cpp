// ContactsViewController: editing cells in place, opening popover editors, applying one edit to
// several rows, and moving on with Return and Tab.
#include "table/contactsviewcontroller.h"

#include "editing/contacteditor.h"
#include "record/keys.h"
#include "record/qvperson.h"
#include "table/contactstablemodel.h"
#include "table/popoverkind.h"

#include <QApplication>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMenu>
#include <QMessageBox>
#include <QTableView>

namespace {

bool isAddressComponent(const QString &identifier)
{
    return QVPerson::isAddressIdentifier(identifier);
}

// The field whose items a column's cells show.
QString itemField(const QString &identifier)
{
    return isAddressComponent(identifier) ? FieldId::Address : identifier;
}

// Fields whose edits happen in popovers, never in the cell.
bool isPopoverField(const QString &identifier)
{
    return identifier == FieldId::Name || identifier == FieldId::PhoneticName || identifier == FieldId::Address
        || identifier == FieldId::InstantMessage || identifier == FieldId::Birthday || identifier == FieldId::Dates;
}

// Fields Return moves down in, to the next row that has an item at its position.
bool movesToNextItem(const QString &identifier)
{
    return identifier == FieldId::Phone || identifier == FieldId::Email || identifier == FieldId::Url
        || identifier == FieldId::SocialNetwork || identifier == FieldId::Relationship
        || isAddressComponent(identifier);
}

} // namespace

bool ContactsViewController::commandHeld() const
{
    // Ctrl stands for the Command key.
    return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ControlModifier);
}

QString ContactsViewController::fieldType(const QString &identifier) const
{
    if (QVPerson::isLabeledIdentifier(identifier))
        return ValueType::Labeled;
    if (QVPerson::isStringIdentifier(identifier))
        return ValueType::String;
    if (identifier == FieldId::Birthday || identifier == FieldId::Name || identifier == FieldId::PhoneticName)
        return ValueType::Dictionary;
    for (const QVariant &item : m_model->cellContext().customItems) {
        const QVariantMap definition = item.toMap();
        if (definition.value(CustomKey::Name).toString() == identifier)
            return definition.value(CustomKey::Type).toString();
    }
    return {};
}

int ContactsViewController::itemLabelIndex(const SubContactRow &row, const QString &identifier) const
{
    const QVariantMap item = row.person->labeledValueForIdentifierAtIndex(itemField(identifier), row.labelIndex);
    return item.isEmpty() ? -1 : item.value(Key::LabelIndex).toInt();
}

bool ContactsViewController::confirmSameValue(const QString &question)
{
    QMessageBox box(QMessageBox::Question, QString(), question, QMessageBox::Ok | QMessageBox::Cancel, this);
    box.setInformativeText(tr("This operation can be undone."));
    box.setDefaultButton(QMessageBox::Ok);
    box.setWindowModality(Qt::WindowModal);
    return box.exec() == QMessageBox::Ok;
}

void ContactsViewController::requestPopover(const QString &kind, int row, const QString &identifier, int index)
{
    const SubContactRow *r = m_model->rowAt(row);
    if (!r)
        return;
    const int column = std::max(0, m_model->columnOf(identifier));
    const QRect cell = m_tableView->visualRect(m_model->index(row, column));
    const QRect global(m_tableView->viewport()->mapToGlobal(cell.topLeft()), cell.size());
    Q_EMIT popoverRequested(kind, *r, identifier, index, global);
    openPopover(kind, *r, identifier, index, global);
}

void ContactsViewController::editInPlace(int column, int row, const QString &initialText)
{
    const QModelIndex index = m_model->index(row, column);
    if (!index.isValid())
        return;
    m_model->setEditOverride(index);
    if (!initialText.isNull())
        m_delegate->setEditorText(initialText);
    m_tableView->setCurrentIndex(index);
    m_tableView->edit(index);
}

// ---- Starting an edit ----------------------------------------------------------------------------

void ContactsViewController::editTableViewCellOrShowPopoverForColumn(int column, int row)
{
    const SubContactRow *r = m_model->rowAt(row);
    if (!r || column < 0 || column >= m_model->columnCount())
        return;
    const QString identifier = m_model->columns().at(column).identifier;
    const bool locked = !m_editState;
    const bool command = commandHeld();
    const int item = itemLabelIndex(*r, identifier);
    const bool hasItem = item >= 0;

    if (identifier == FieldId::Name) {
        requestPopover(PopoverKind::ContactInfo, row, identifier, 0);
        return;
    }
    if (isAddressComponent(identifier)) {
        if (locked && !command)
            return;
        if (command)
            requestPopover(PopoverKind::MultiValue, row, FieldId::Address, std::max(0, item));
        else if (hasItem)
            editInPlace(column, row);
        else
            requestPopover(PopoverKind::MultiValue, row, FieldId::Address, r->labelIndex);
        return;
    }
    if (identifier == FieldId::Address || identifier == FieldId::SocialNetwork
        || identifier == FieldId::InstantMessage) {
        if (locked && !command)
            return;
        if (hasItem && !command) {
            const QString kind = identifier == FieldId::Address      ? PopoverKind::Address
                : identifier == FieldId::SocialNetwork ? PopoverKind::SocialNetwork
                                                       : PopoverKind::InstantMessage;
            requestPopover(kind, row, identifier, item);
        } else {
            requestPopover(PopoverKind::MultiValue, row, identifier, hasItem ? item : 0);
        }
        return;
    }
    if (identifier == FieldId::Dates || identifier == FieldId::Birthday || identifier == FieldId::PhoneticName) {
        if (locked && !command)
            return;
        if (identifier == FieldId::Dates)
            requestPopover(PopoverKind::Date, row, identifier, std::max(0, item));
        else if (identifier == FieldId::Birthday)
            requestPopover(PopoverKind::Date, row, identifier, r->labelIndex);
        else
            requestPopover(PopoverKind::PhoneticName, row, identifier, 0);
        return;
    }
    const QString type = fieldType(identifier);
    if (type == ValueType::Labeled) {
        if (locked && !command)
            return;
        if (command)
            requestPopover(PopoverKind::MultiValue, row, identifier, std::max(0, item));
        else if (hasItem)
            editInPlace(column, row);
        else
            requestPopover(PopoverKind::MultiValue, row, identifier, 0);
        return;
    }
    if (type == ValueType::String && !locked && r->labelIndex == 0) {
        const QString current = r->person->stringValueForIdentifier(identifier);
        editInPlace(column, row, current.isEmpty() ? QString() : current);
    }
}

void ContactsViewController::editSelectedCell()
{
    // A cell being edited keeps its editor.
    const QWidget *focused = QApplication::focusWidget();
    if (focused && focused != m_tableView && m_tableView->isAncestorOf(focused))
        return;
    const QList<int> rows = selectedRowIndexes();
    if (rows.isEmpty())
        return;
    const QModelIndex current = m_tableView->currentIndex();
    const bool currentSelected = current.isValid() && rows.contains(current.row());
    const int row = currentSelected ? current.row() : rows.first();
    const int column = currentSelected ? current.column() : 0;
    m_selectedRowIndexes = QList<int> { row };
    editTableViewCellOrShowPopoverForColumn(column, row);
}

void ContactsViewController::tableViewDoubleAction(const QModelIndex &index)
{
    const int row = index.row();
    const int column = index.column();
    const SubContactRow *r = m_model->rowAt(row);
    if (!r || column < 0 || column >= m_model->columnCount())
        return;
    const QString identifier = m_model->columns().at(column).identifier;
    const bool command = commandHeld();

    if (!m_editState) {
        m_selectedRowIndexes = QList<int>{row};
        if (identifier == FieldId::Name) {
            requestPopover(PopoverKind::ContactInfo, row, identifier, 0);
            return;
        }
        const CellContent content = m_model->cellContent(row, column);
        if (!content.text.isEmpty()) {
            const int item = std::max(0, itemLabelIndex(*r, identifier));
            if (identifier == FieldId::Address || identifier == FieldId::InstantMessage
                || identifier == FieldId::SocialNetwork) {
                const QString kind = command ? PopoverKind::MultiValue
                    : identifier == FieldId::Address      ? PopoverKind::Address
                    : identifier == FieldId::SocialNetwork ? PopoverKind::SocialNetwork
                                                          : PopoverKind::InstantMessage;
                requestPopover(kind, row, identifier, item);
                return;
            }
            if (identifier == FieldId::PhoneticName) {
                requestPopover(PopoverKind::PhoneticName, row, identifier, 0);
                return;
            }
            if (identifier == FieldId::Dates) {
                requestPopover(PopoverKind::Date, row, identifier, item);
                return;
            }
            if (identifier == FieldId::Birthday) {
                requestPopover(PopoverKind::Date, row, identifier, 0);
                return;
            }
        }
        if (!command)
            return;
    }

    // The rows selected now, and those selected when this double-click began, before its first
    // click narrowed them.
    QList<int> rows = selectedRowIndexes();
    if (m_selectionAtPress.contains(row) && m_lastPress.isValid()
        && m_lastPress.elapsed() <= 2 * QApplication::doubleClickInterval())
        rows += m_selectionAtPress;
    rows.append(row);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    if (m_editState && rows.size() >= 2 && identifier != FieldId::Name) {
        if (!confirmSameValue(tr("Do you want to set the same value in the selected rows")))
            return;
        m_selectedRowIndexes = rows;
        selectRows(rows);
    } else {
        m_selectedRowIndexes = QList<int>{row};
    }
    editTableViewCellOrShowPopoverForColumn(column, row);
}

void ContactsViewController::showPopoverWrapper(int row, int column, const QString &itemTitle)
{
    const SubContactRow *r = m_model->rowAt(row);
    if (!r || column < 0 || column >= m_model->columns().size())
        return;
    const QString identifier = m_model->columns().at(column).identifier;
    const int index = r->labelIndex;
    QList<int> rows = m_editState ? selectedRowIndexes() : QList<int>();
    rows.append(row);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());

    if (identifier == FieldId::Name) {
        m_selectedRowIndexes = rows;
        requestPopover(itemTitle == tr("Open Name Panel") ? PopoverKind::Name : PopoverKind::ContactInfo, row,
                       identifier, index);
        return;
    }
    if (rows.size() >= 2 && !confirmSameValue(tr("Do you want to set the same value in the selected rows")))
        return;
    m_selectedRowIndexes = rows;

    // The panel the title names, else the list editor of the field.
    const auto panelOr = [&itemTitle](const QString &title, const QString &kind) {
        return itemTitle == title ? kind : PopoverKind::MultiValue;
    };
    if (identifier == FieldId::Dates || identifier == FieldId::Birthday)
        requestPopover(PopoverKind::Date, row, identifier, index);
    else if (identifier == FieldId::PhoneticName)
        requestPopover(PopoverKind::PhoneticName, row, identifier, index);
    else if (identifier == FieldId::Address)
        requestPopover(panelOr(tr("Open Address Panel"), PopoverKind::Address), row, identifier, index);
    else if (identifier == FieldId::InstantMessage)
        requestPopover(panelOr(tr("Open IMS Panel"), PopoverKind::InstantMessage), row, identifier, index);
    else if (identifier == FieldId::SocialNetwork)
        requestPopover(panelOr(tr("Open SNS Panel"), PopoverKind::SocialNetwork), row, identifier, index);
    else if (isAddressComponent(identifier) && itemTitle == tr("Open Address Panel"))
        requestPopover(PopoverKind::Address, row, FieldId::Address, index);
    else
        requestPopover(PopoverKind::MultiValue, row, identifier, index);
}

// ---- Committing --------------------------------------------------------------------------------

void ContactsViewController::textFieldCellChanged(const QModelIndex &index, const QString &text)
{
    m_model->setEditOverride(QModelIndex());
    const SubContactRow *r = m_model->rowAt(index.row());
    if (!r || index.column() < 0 || index.column() >= m_model->columnCount() || !m_editor) {
        m_selectedRowIndexes.reset();
        return;
    }
    const QString identifier = m_model->columns().at(index.column()).identifier;
    QList<int> rows = m_selectedRowIndexes.value_or(selectedRowIndexes());
    if (rows.isEmpty())
        rows.append(index.row());
    const QString type = fieldType(identifier);

    if (rows.size() == 1) {
        QString old;
        if (isAddressComponent(identifier))
            old = r->person->labeledValueForIdentifierAtIndex(FieldId::Address, r->labelIndex).value(identifier).toString();
        else if (type == ValueType::Labeled)
            old = r->person->labeledValueForIdentifierAtIndex(identifier, r->labelIndex).value(Key::StringValue).toString();
        else if (type == ValueType::String)
            old = r->person->stringValueForIdentifier(identifier);
        if (old == text) {
            m_selectedRowIndexes.reset();
            return;
        }
    }
    if (isPopoverField(identifier)) {
        m_selectedRowIndexes.reset();
        return;
    }

    bool changed = false;
    {
        ContactEditor::EditBatch batch(*m_editor);
        for (int rowIndex : std::as_const(rows)) {
            const SubContactRow *row = m_model->rowAt(rowIndex);
            if (!row)
                continue;
            const ContactEntry entry = ContactEditor::entryForRow(*row);
            if (isAddressComponent(identifier)) {
                QVariantMap item = row->person->labeledValueForIdentifierAtIndex(FieldId::Address, row->labelIndex);
                if (!item.isEmpty() && item.value(identifier).toString() != text) {
                    item.insert(identifier, text);
                    changed = m_editor->undoReplaceLabeledValue(item, FieldId::Address, entry, this);
                }
            } else if (type == ValueType::Labeled) {
                QVariantMap item = row->person->labeledValueForIdentifierAtIndex(identifier, row->labelIndex);
                if (!item.isEmpty() && item.value(Key::Value).toString() != text) {
                    item.insert(Key::Value, text);
                    changed = m_editor->undoReplaceLabeledValue(item, identifier, entry, this);
                }
            } else if (text != row->person->stringValueForIdentifier(identifier)) {
                changed = m_editor->undoReplaceValue(text, identifier, entry, this);
            }
        }
    }
    m_selectedRowIndexes.reset();
    if (changed) {
        Q_EMIT documentEdited();
        reloadKeepingSelection(rows);
    }
}

void ContactsViewController::labelClicked(const QModelIndex &index, const QPoint &globalPosition)
{
    if (!m_editState && !commandHeld())
        return;
    const CellContent content = m_model->cellContent(index.row(), index.column());
    if (content.kind != CellKind::PopupAndText || !content.hasItem)
        return;
    const QStringList labels = QVPerson::labelsForIdentifier(content.labelField);
    const QStringList localized = QVPerson::localizedLabelsForIdentifier(content.labelField);
    QMenu menu(this);
    for (int i = 0; i < labels.size(); ++i) {
        QAction *action = menu.addAction(i < localized.size() ? localized.at(i) : labels.at(i));
        action->setCheckable(true);
        action->setChecked(labels.at(i) == content.label);
        action->setData(i);
    }
    if (QAction *chosen = menu.exec(globalPosition))
        popupLabelCellChanged(index, chosen->data().toInt());
}

void ContactsViewController::popupLabelCellChanged(const QModelIndex &index, int labelPosition)
{
    const SubContactRow *clicked = m_model->rowAt(index.row());
    if (!clicked || index.column() < 0 || index.column() >= m_model->columnCount() || !m_editor)
        return;
    const QString identifier = m_model->columns().at(index.column()).identifier;
    const QString field = itemField(identifier);
    const QStringList labels = QVPerson::labelsForIdentifier(field);
    const QString newLabel = labelPosition >= 0 && labelPosition < labels.size() ? labels.at(labelPosition) : QString();
    QList<int> rows = selectedRowIndexes();
    if (!rows.contains(index.row()))
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    const QVariantMap clickedItem = clicked->person->labeledValueForIdentifierAtIndex(field, clicked->labelIndex);
    if (clickedItem.value(Key::Label).toString() == newLabel)
        return;
    if (rows.size() > 1 && !confirmSameValue(tr("Do you want to set the same label in the selected rows"))) {
        reloadKeepingSelection(rows); // the popup shows the stored label again
        return;
    }
    bool changed = false;
    {
        ContactEditor::EditBatch batch(*m_editor);
        for (int rowIndex : std::as_const(rows)) {
            const SubContactRow *row = m_model->rowAt(rowIndex);
            if (!row)
                continue;
            QVariantMap item = row->person->labeledValueForIdentifierAtIndex(field, row->labelIndex);
            if (item.isEmpty() || item.value(Key::Label).toString() == newLabel)
                continue;
            item.insert(Key::Label, newLabel);
            changed |= m_editor->undoReplaceLabeledValue(item, field, ContactEditor::entryForRow(*row), this);
        }
    }
    if (changed) {
        Q_EMIT documentEdited();
        reloadKeepingSelection(rows);
    }
}

// ---- Return and Tab ----------------------------------------------------------------------------

bool ContactsViewController::editNextCellInColumn(int column, int startRow, int originalRow)
{
    const QString identifier = m_model->columns().at(column).identifier;
    const int count = m_model->subContactCount();
    for (int step = 0, row = startRow; step < count; ++step, row = (row + 1) % count) {
        if (row == originalRow)
            return false;
        const CellContent content = m_model->cellContent(row, column);
        bool exists = content.kind != CellKind::None;
        if (content.kind == CellKind::PopupAndText)
            exists = content.hasItem;
        if (movesToNextItem(identifier))
            exists = exists && itemLabelIndex(m_model->rows().at(row), identifier) >= 0;
        if (exists) {
            selectRows({row});
            editInPlace(column, row);
            return true;
        }
    }
    return false;
}

void ContactsViewController::navigate(const QModelIndex &index, ContactsItemDelegate::Command command)
{
    if (!m_editState)
        return;
    const int count = m_model->subContactCount();
    const int r = index.row();
    const int c = index.column();
    if (count == 0 || c < 0 || c >= m_model->columnCount())
        return;

    if (command == ContactsItemDelegate::Command::Return) {
        const int n = r + 1 < count ? r + 1 : 0;
        selectRows({n});
        const QString identifier = m_model->columns().at(c).identifier;
        const SubContactRow &next = m_model->rows().at(n);
        if (identifier == FieldId::Name)
            requestPopover(PopoverKind::Name, n, identifier, 0);
        else if (identifier == FieldId::PhoneticName)
            requestPopover(PopoverKind::PhoneticName, n, identifier, 0);
        else if (identifier == FieldId::Address)
            requestPopover(PopoverKind::Address, n, identifier, next.labelIndex);
        else if (identifier == FieldId::InstantMessage)
            requestPopover(PopoverKind::InstantMessage, n, identifier, next.labelIndex);
        else if (identifier == FieldId::Dates || identifier == FieldId::Birthday)
            requestPopover(PopoverKind::Date, n, identifier, next.labelIndex);
        else
            editNextCellInColumn(c, n, r);
        return;
    }

    // Tab: the next column as shown (columns may have been dragged), past the last one the first
    // column after Name on the next row.
    const QHeaderView *header = m_tableView->horizontalHeader();
    int nextVisual = header->visualIndex(c) + 1;
    int nextRow = r;
    if (nextVisual >= m_model->columnCount()) {
        nextVisual = std::min(1, m_model->columnCount() - 1);
        nextRow = r + 1 < count ? r + 1 : 0;
    }
    const int nextColumn = header->logicalIndex(nextVisual);
    const QString identifier = m_model->columns().at(nextColumn).identifier;
    if (isPopoverField(identifier))
        return;
    const CellContent content = m_model->cellContent(nextRow, nextColumn);
    const bool exists = content.kind == CellKind::PopupAndText ? content.hasItem : content.kind != CellKind::None;
    if (!exists)
        return;
    selectRows({nextRow});
    editInPlace(nextColumn, nextRow);
}
