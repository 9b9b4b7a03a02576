#include "window/findpanel.h"

#include "detail/contactinfocontroller.h"
#include "document/document.h"
#include "find/findbuffer.h"
#include "find/keys.h"
#include "record/keys.h"
#include "record/qvperson.h"
#include "table/contactsviewcontroller.h"
#include "window/editlockframe.h"
#include "window/findresultmodel.h"
#include "window/viewcontroller.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// The fields whose labels the label filter offers.
const QStringList &labeledFields()
{
    static const QStringList fields { FieldId::Phone,        FieldId::Email,         FieldId::Address,
                                      FieldId::Url,          FieldId::SocialNetwork, FieldId::InstantMessage,
                                      FieldId::Relationship, FieldId::Dates };
    return fields;
}

QString localizedWord(const QString &word)
{
    if (word == FindFilter::All)
        return QCoreApplication::translate("FindPanel", "All");
    const QString localized = QVPerson::localizedIdentifierForKey(word);
    return localized.isEmpty() ? word : localized;
}

QStringList localizedWords(const QStringList &words)
{
    QStringList out;
    for (const QString &word : words)
        out.append(localizedWord(word));
    return out;
}

} // namespace

FindPanel::FindPanel(ViewController *parentViewController)
    : QDialog(parentViewController ? parentViewController->window() : nullptr)
    , m_parentViewController(parentViewController)
{
    build();
    ContactsViewController *table = parentViewController->contactsViewController();
    m_editor = parentViewController->editor();
    setUp(parentViewController->contactTable(), table->tableIdentfiers(), parentViewController->editState());
}

FindPanel::FindPanel(const ContactTable &contacts, ContactEditor *editor, QWidget *parent)
    : QDialog(parent)
    , m_editor(editor)
{
    build();
    setUp(contacts, { FindFilter::All }, editor && editor->editState());
}

void FindPanel::build()
{
    setWindowTitle(tr("Find"));
    resize(900, 480);
    m_searchField = new QLineEdit(this);
    m_searchField->setPlaceholderText(tr("Search"));
    m_searchField->setClearButtonEnabled(true);
    m_searchModePopup = new QComboBox(this);
    m_searchModePopup->addItem(tr("Case Insensitive"), SearchMode::CaseInsensitive);
    m_searchModePopup->addItem(tr("Case Sensitive"), SearchMode::CaseSensitive);
    m_searchModePopup->addItem(tr("Regex"), SearchMode::Regex);
    auto filterButton = [this] {
        auto *button = new QToolButton(this);
        button->setPopupMode(QToolButton::InstantPopup);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setMenu(new QMenu(button));
        return button;
    };
    m_itemPopup = filterButton();
    m_subItemPopup = filterButton();
    m_labelPopup = filterButton();
    m_backButton = new QToolButton(this);
    m_backButton->setText(QStringLiteral("◀"));
    m_backButton->setToolTip(tr("Previous"));
    m_forwardButton = new QToolButton(this);
    m_forwardButton->setText(QStringLiteral("▶"));
    m_forwardButton->setToolTip(tr("Next"));
    m_replaceField = new QLineEdit(this);
    m_replaceField->setPlaceholderText(tr("Replace"));
    m_replaceButton = new QPushButton(tr("Replace"), this);
    m_replaceAllButton = new QPushButton(tr("Replace All"), this);
    m_message = new QLabel(this);
    m_message->setStyleSheet(QStringLiteral("color: #b00020"));
    m_message->hide();

    m_model = new FindResultModel(this);
    m_tableView = new QTableView(this);
    m_tableView->setModel(m_model);
    m_tableView->setItemDelegateForColumn(FindResultModel::ValueColumn, new FindResultDelegate(m_tableView));
    m_tableView->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tableView->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tableView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tableView->setSortingEnabled(true);
    m_tableView->horizontalHeader()->setStretchLastSection(true);
    m_tableView->verticalHeader()->hide();
    m_tableView->setWordWrap(false);
    m_redSeparator = new EditLockFrame(this);
    auto *frameLayout = new QVBoxLayout(m_redSeparator);
    frameLayout->setContentsMargins(EditLockFrame::BorderWidth, EditLockFrame::BorderWidth,
                                    EditLockFrame::BorderWidth, EditLockFrame::BorderWidth);
    frameLayout->addWidget(m_tableView);

    m_editButton = new QPushButton(tr("Edit"), this);
    m_editButton->setCheckable(true);
    m_closeButton = new QPushButton(tr("Close"), this);

    auto *top = new QHBoxLayout;
    top->addWidget(m_searchField, 2);
    top->addWidget(m_searchModePopup);
    top->addWidget(m_itemPopup);
    top->addWidget(m_subItemPopup);
    top->addWidget(m_labelPopup);
    top->addWidget(m_backButton);
    top->addWidget(m_forwardButton);
    auto *replace = new QHBoxLayout;
    replace->addWidget(m_replaceField, 2);
    replace->addWidget(m_replaceButton);
    replace->addWidget(m_replaceAllButton);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_editButton);
    bottom->addStretch();
    bottom->addWidget(m_closeButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(replace);
    layout->addWidget(m_message);
    layout->addWidget(m_redSeparator, 1);
    layout->addLayout(bottom);

    connect(m_searchField, &QLineEdit::returnPressed, this, &FindPanel::updateTable);
    connect(m_searchModePopup, &QComboBox::activated, this, &FindPanel::updateTable);
    connect(m_backButton, &QToolButton::clicked, this, [this] { directionButtonDidClick(0); });
    connect(m_forwardButton, &QToolButton::clicked, this, [this] { directionButtonDidClick(1); });
    connect(m_replaceButton, &QPushButton::clicked, this, [this] { replaceButtonDidClick(0); });
    connect(m_replaceAllButton, &QPushButton::clicked, this, [this] { replaceButtonDidClick(1); });
    connect(m_editButton, &QPushButton::clicked, this, [this](bool on) { setEditState(on); });
    connect(m_closeButton, &QPushButton::clicked, this, [this] { done(1); });
    connect(m_tableView, &QTableView::doubleClicked, this, &FindPanel::tableViewDoubleAction);
    connect(m_model, &FindResultModel::valueEdited, this,
            [this](int row, const QString &value) { undoReplaceValue(value, row); });
    connect(m_tableView->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (current.isValid() && current.row() != m_model->currentRow())
                    m_model->setCurrent(current.row(), 0);
                selectCurrent();
            });
    auto *undoShortcut = new QShortcut(QKeySequence::Undo, this);
    connect(undoShortcut, &QShortcut::activated, this, &FindPanel::undo);
}

void FindPanel::setUp(const ContactTable &contacts, const QStringList &columns, bool editState)
{
    m_contacts = contacts;
    QStringList customNames;
    if (contacts) {
        for (const ContactEntry &entry : std::as_const(*contacts)) {
            if (!entry || !entry->person)
                continue;
            for (const QString &name : entry->person->customIdentifiers()) {
                if (!customNames.contains(name))
                    customNames.append(name);
            }
        }
    }
    m_items = PanelSearch::itemList(customNames);
    m_subItems = PanelSearch::subItemList();
    m_labels = { FindFilter::All };
    m_localizedLabels = { localizedWord(FindFilter::All) };
    for (const QString &field : labeledFields()) {
        const QStringList labels = QVPerson::labelsForIdentifier(field);
        const QStringList localized = QVPerson::localizedLabelsForIdentifier(field);
        for (qsizetype i = 0; i < labels.size(); ++i) {
            if (!m_labels.contains(labels.at(i))) {
                m_labels.append(labels.at(i));
                m_localizedLabels.append(localized.value(i, labels.at(i)));
            }
        }
    }
    m_filters.items = columns.isEmpty() ? QStringList { FindFilter::All } : columns;
    m_filters.subItems = { FindFilter::All };
    m_filters.labels = { FindFilter::All };
    const QString buffered = FindBuffer::text();
    m_searchField->setText(buffered);
    setEditState(editState);
    updateFilterButtons();
    if (!buffered.isEmpty())
        updateTable();
}

void FindPanel::setSelectedItems(const QStringList &items)
{
    m_filters.items = items;
    updateFilterButtons();
    updateTable();
}

void FindPanel::setSelectedSubItems(const QStringList &subItems)
{
    m_filters.subItems = subItems;
    updateFilterButtons();
    updateTable();
}

void FindPanel::setSelectedLabels(const QStringList &labels)
{
    m_filters.labels = labels;
    updateFilterButtons();
    updateTable();
}

void FindPanel::setEditState(bool editable)
{
    m_editState = editable;
    m_editButton->setChecked(editable);
    m_editButton->setText(editable ? tr("Lock") : tr("Edit"));
    m_redSeparator->setEditable(editable);
    m_model->setEditable(editable);
    selectCurrent();
}

TextMatcher FindPanel::matcher() const
{
    const QString mode = m_searchModePopup->currentData().toString();
    const TextMatcher::Mode m = mode == SearchMode::Regex ? TextMatcher::Mode::Regex
        : mode == SearchMode::CaseSensitive               ? TextMatcher::Mode::CaseSensitive
                                                          : TextMatcher::Mode::CaseInsensitive;
    return TextMatcher(m_searchField->text(), m);
}

void FindPanel::updateTable()
{
    const TextMatcher current = matcher();
    const QString error = current.errorString();
    m_message->setText(error);
    m_message->setVisible(!error.isEmpty());
    FindBuffer::setText(m_searchField->text());
    m_model->setResults(m_contacts ? PanelSearch::searchContacts(*m_contacts, m_filters, current)
                                   : QList<ResultRow>());
    if (m_model->rowCount() > 0) {
        m_model->setCurrent(0, 0);
        m_tableView->selectRow(0);
    }
    selectCurrent();
}

QStringList FindPanel::toggledSelection(QStringList selection, const QString &chosen)
{
    if (chosen == FindFilter::All)
        return { FindFilter::All };
    selection.removeAll(FindFilter::All);
    if (selection.size() > 1 && selection.contains(chosen))
        selection.removeAll(chosen);
    else if (!selection.contains(chosen))
        selection.append(chosen);
    return selection;
}

QString FindPanel::filterTitle(const QString &title, const QStringList &localizedSelection)
{
    if (localizedSelection.isEmpty() || localizedSelection.constFirst() == localizedWord(FindFilter::All))
        return tr("%1 - %2").arg(title, localizedWord(FindFilter::All));
    QString text = tr("%1 - ").arg(title);
    for (const QString &name : localizedSelection)
        text += tr("%1 + ").arg(name);
    return text.chopped(2).trimmed();
}

void FindPanel::fillFilterMenu(QMenu *menu, const QStringList &entries, const QStringList &titles,
                               QStringList *selection)
{
    menu->clear();
    for (qsizetype i = 0; i < entries.size(); ++i) {
        QAction *action = menu->addAction(titles.value(i, entries.at(i)));
        action->setCheckable(true);
        action->setChecked(selection->contains(entries.at(i)));
        const QString entry = entries.at(i);
        connect(action, &QAction::triggered, this, [this, selection, entry] {
            *selection = toggledSelection(*selection, entry);
            updateFilterButtons();
            updateTable();
        });
        if (i == 0)
            menu->addSeparator();
    }
}

void FindPanel::updateFilterButtons()
{
    auto titlesOf = [](const QStringList &selection, const QStringList &entries, const QStringList &titles) {
        QStringList out;
        for (const QString &word : selection) {
            const qsizetype at = entries.indexOf(word);
            out.append(at >= 0 ? titles.value(at, word) : localizedWord(word));
        }
        return out;
    };
    const QStringList itemTitles = localizedWords(m_items);
    const QStringList subItemTitles = localizedWords(m_subItems);
    m_itemPopup->setText(filterTitle(tr("Items"), titlesOf(m_filters.items, m_items, itemTitles)));
    m_subItemPopup->setText(
        filterTitle(tr("Sub Items"), titlesOf(m_filters.subItems, m_subItems, subItemTitles)));
    m_labelPopup->setText(filterTitle(tr("Label"), titlesOf(m_filters.labels, m_labels, m_localizedLabels)));
    fillFilterMenu(m_itemPopup->menu(), m_items, itemTitles, &m_filters.items);
    fillFilterMenu(m_subItemPopup->menu(), m_subItems, subItemTitles, &m_filters.subItems);
    fillFilterMenu(m_labelPopup->menu(), m_labels, m_localizedLabels, &m_filters.labels);
}

void FindPanel::selectCurrent()
{
    const int row = m_model->currentRow();
    const bool dateRow = row >= 0 && row < m_model->rowCount() && m_model->results().at(row).isDate();
    m_replaceButton->setEnabled(m_editState && row >= 0 && !dateRow);
    m_replaceAllButton->setEnabled(m_editState && m_model->rowCount() > 0);
    m_replaceField->setEnabled(m_editState);
    if (row < 0 || row >= m_model->rowCount())
        return;
    const QModelIndex index = m_model->index(row, FindResultModel::ValueColumn);
    if (m_tableView->currentIndex().row() != row) {
        const QSignalBlocker blocker(m_tableView->selectionModel());
        m_tableView->setCurrentIndex(index);
        m_tableView->selectRow(row);
    }
    m_tableView->scrollTo(index);
}

void FindPanel::directionButtonDidClick(int segment)
{
    const int rows = m_model->rowCount();
    int row = m_model->currentRow();
    if (row < 0 || rows == 0) {
        updateTable();
        return;
    }
    int range = m_model->currentRangeIndex();
    if (segment == 1) {
        if (++range >= m_model->results().at(row).ranges.size()) {
            row = (row + 1) % rows;
            range = 0;
        }
    } else if (--range < 0) {
        row = (row - 1 + rows) % rows;
        range = int(m_model->results().at(row).ranges.size()) - 1;
    }
    m_model->setCurrent(row, range);
    selectCurrent();
}

bool FindPanel::undoReplaceValue(const QString &value, int row)
{
    if (row < 0 || row >= m_model->rowCount() || !m_editor)
        return false;
    ResultRow &result = m_model->resultAt(row);
    if (!PanelSearch::applyValue(*m_editor, result, value))
        return false;
    result.value = value;
    result.ranges = matcher().occurrences(value);
    m_model->rowChanged(row);
    return true;
}

void FindPanel::replaceButtonDidClick(int segment)
{
    if (!m_editState || !m_editor)
        return;
    const TextMatcher current = matcher();
    if (segment == 0) {
        const int row = m_model->currentRow();
        const int range = m_model->currentRangeIndex();
        if (row < 0 || row >= m_model->rowCount() || m_model->results().at(row).isDate())
            return;
        const ResultRow &result = m_model->results().at(row);
        if (range < 0 || range >= result.ranges.size())
            return;
        const qsizetype before = result.ranges.size();
        const QString value
            = current.replaceOccurrence(result.value, result.ranges.at(range), m_replaceField->text());
        if (undoReplaceValue(value, row)) {
            // The replaced occurrence is gone: the next one now has its index.
            if (m_model->results().at(row).ranges.size() < before)
                m_model->setCurrent(row, range - 1);
        }
        directionButtonDidClick(1);
        return;
    }
    const int selected = m_model->currentRow();
    {
        ContactEditor::EditBatch batch(*m_editor);
        for (int row = 0; row < m_model->rowCount(); ++row) {
            const ResultRow &result = m_model->results().at(row);
            // Dates are changed in the date editor only, never as text.
            if (result.isDate())
                continue;
            const QString value = current.replaceAll(result.value, m_replaceField->text());
            if (value != result.value)
                undoReplaceValue(value, row);
        }
    }
    m_model->setCurrent(-1, -1);
    if (selected >= 0 && selected < m_model->rowCount())
        m_tableView->selectRow(selected);
    selectCurrent();
}

void FindPanel::tableViewDoubleAction(const QModelIndex &index)
{
    if (!m_editState || !index.isValid())
        return;
    if (m_model->results().at(index.row()).isDate()) {
        showDateEditor(index.row());
        return;
    }
    m_tableView->edit(m_model->index(index.row(), FindResultModel::ValueColumn));
}

void FindPanel::showDateEditor(int row)
{
    if (!m_parentViewController)
        return;
    const ResultRow &result = m_model->results().at(row);
    const QRect cell = m_tableView->visualRect(m_model->index(row, FindResultModel::ValueColumn));
    const QRect global(m_tableView->viewport()->mapToGlobal(cell.topLeft()), cell.size());
    m_parentViewController->contactsViewController()->showDatePopover(
        SubContactRow::fromEntry(result.contact), result.item, int(result.index), global);
}

void FindPanel::undo()
{
    if (!m_editor)
        return;
    m_editor->undo();
    updateTable();
}
