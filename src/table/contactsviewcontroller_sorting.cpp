// ContactsViewController: sorting by column and sort option, and the header's sort-options menu.
#include "table/contactsviewcontroller.h"

#include "platform/userdefaults.h"
#include "record/keys.h"
#include "record/qvperson.h"
#include "table/contactstablemodel.h"
#include "table/keys.h"
#include "table/sortmenu.h"
#include "table/tableselection.h"

#include <QHeaderView>
#include <QMenu>
#include <QTableView>

namespace {

// The column whose sort key names the same field as the sort, for the header's indicator.
int columnForSort(const QList<TableColumn> &columns, const SortDescriptor &sort)
{
    const auto parts = SortKeys::separateSortKeyIntoIdentifierAndKey(sort.key);
    for (int i = 0; i < columns.size(); ++i) {
        if (columns.at(i).sortKey == sort.key)
            return i;
    }
    for (int i = 0; parts && i < columns.size(); ++i) {
        const auto columnParts = SortKeys::separateSortKeyIntoIdentifierAndKey(columns.at(i).sortKey);
        if (columnParts && columnParts->identifier == parts->identifier)
            return i;
    }
    return -1;
}

} // namespace

std::optional<SortDescriptor> ContactsViewController::sortDescriptor() const
{
    return m_model->sortDescriptor();
}

void ContactsViewController::setSortDescriptor(const SortDescriptor &sort, SortOrigin origin)
{
    const std::optional<SortDescriptor> old = m_model->sortDescriptor();
    const QList<int> selected = selectedRowIndexes();
    // The selected row's contact and its value under the new sort, to find it again.
    std::optional<TableSelection::SortAnchor> anchor;
    if (!selected.isEmpty() && m_model->contactTable())
        anchor = TableSelection::anchorForSort(m_model->rows().at(selected.first()), sort, selectedLabels());

    // Records may put their items in the new order, and every row is sorted anew.
    const BusyCursor busy = busyCursor();
    m_model->setSortDescriptor(sort);
    const int column = columnForSort(m_model->columns(), sort);
    QHeaderView *header = m_tableView->horizontalHeader();
    if (column >= 0)
        header->setSortIndicator(column, sort.ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
    else
        header->setSortIndicator(-1, Qt::AscendingOrder);

    if (!m_model->contactTable())
        return;
    m_labeledValuesReordered = false;
    const bool changed = !old || old->key != sort.key || old->ascending != sort.ascending;
    if (changed && origin == SortOrigin::Chosen) {
        if (const auto parts = SortKeys::separateSortKeyIntoIdentifierAndKey(sort.key))
            Q_EMIT sortDescriptorsDidChange(parts->identifier, parts->valueKey, sort.ascending);
    }
    UserDefaults::standard().setValue(DefaultsKey::LastSortDesc, sort.toVariantMap());
    if (deferReload())
        return;
    // Rows point at items by position: once records reordered their items, rows show other items.
    if (m_labeledValuesReordered)
        m_model->itemsReordered();
    else
        m_model->resort();
    m_labeledValuesReordered = false;
    applyRowHeights();
    int found = -1;
    if (anchor) {
        // One contact's rows are looked for: a scan costs less than indexing every row.
        const SubContactRows &rows = m_model->rows();
        for (int row = 0; row < rows.size() && found < 0; ++row) {
            if (rows.at(row).uniqueId != anchor->uniqueId)
                continue;
            const TableSelection::SortAnchor candidate
                = TableSelection::anchorForSort(rows.at(row), sort, selectedLabels());
            const bool same = anchor->value.isValid() ? candidate.value == anchor->value
                                                      : candidate.labelIndex == anchor->labelIndex;
            if (same)
                found = row;
        }
    }
    selectRows(found >= 0 ? QList<int>{found} : selected);
}

void ContactsViewController::headerSectionClicked(int logicalIndex)
{
    if (!m_model->contactTable() || m_model->contactTable()->isEmpty())
        return;
    if (logicalIndex < 0 || logicalIndex >= m_model->columns().size())
        return;
    const QString key = m_model->columns().at(logicalIndex).sortKey;
    const std::optional<SortDescriptor> current = m_model->sortDescriptor();
    SortDescriptor sort{key, true};
    if (current && current->key == key)
        sort.ascending = !current->ascending;
    setSortDescriptor(sort);
}

void ContactsViewController::showHeaderMenu(const QPoint &position)
{
    QHeaderView *header = m_tableView->horizontalHeader();
    const int logical = header->logicalIndexAt(position);
    if (logical < 0 || logical >= m_model->columns().size())
        return;
    const QString column = m_model->columns().at(logical).identifier;
    const QVariantMap sortOptions = UserDefaults::standard().dictionaryValue(DefaultsKey::SortOptionsDict);
    const QList<SortMenuItem> items = SortMenu::sortOptionsMenu(column, sortOptions);
    if (items.isEmpty())
        return;
    QMenu menu(this);
    for (const SortMenuItem &item : items) {
        QAction *action = menu.addAction(item.title);
        action->setEnabled(item.enabled);
        action->setCheckable(!item.option.isEmpty());
        action->setChecked(item.checked);
        action->setData(item.option);
    }
    QAction *chosen = menu.exec(header->mapToGlobal(position));
    if (!chosen || chosen->data().toString().isEmpty())
        return;
    const QString option = chosen->data().toString();
    QVariantMap dict = sortOptions;
    if (SortKeys::selectSortOption(dict, column, option))
        UserDefaults::standard().setValue(DefaultsKey::SortOptionsDict, dict);
    sortOptionsChanged(option, column);
}

void ContactsViewController::sortOptionsChanged(const QString &option, const QString &columnName)
{
    const int column = m_model->columnOf(columnName);
    const std::optional<SortDescriptor> current = m_model->sortDescriptor();
    bool ascending = true;
    if (column >= 0 && current && current->key == m_model->columns().at(column).sortKey)
        ascending = current->ascending;
    const QVariantMap sortOptions = UserDefaults::standard().dictionaryValue(DefaultsKey::SortOptionsDict);
    const QString type = sortOptions.value(columnName).toMap().value(SortOptionKey::Type, columnName).toString();
    bool labeled = QVPerson::isLabeledIdentifier(type);
    for (const QVariant &item : m_model->cellContext().customItems) {
        const QVariantMap definition = item.toMap();
        if (definition.value(CustomKey::Name).toString() == type)
            labeled = definition.value(CustomKey::Type).toString() == ValueType::Labeled;
    }
    const QString key = SortKeys::sortKeyForOption(type, option, labeled);
    if (column >= 0)
        m_model->setColumnSortKey(column, key);
    setSortDescriptor(SortDescriptor{key, ascending});
}
