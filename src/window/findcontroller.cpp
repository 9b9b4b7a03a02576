#include "window/findcontroller.h"

#include "detail/contactinfocontroller.h"
#include "document/document.h"
#include "find/findbuffer.h"
#include "find/keys.h"
#include "find/replacer.h"
#include "table/contactstablemodel.h"
#include "table/contactsviewcontroller.h"
#include "window/findbarcontroller.h"
#include "window/findpanel.h"
#include "window/viewcontroller.h"

#include <QApplication>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QTableView>
#include <QTextEdit>

FindController::FindController(ViewController *content, FindBarController *findBar)
    : QObject(content)
    , m_content(content)
    , m_findBar(findBar)
{
    connect(findBar, &FindBarController::findStringDidChange, this, &FindController::findStringDidChange);
    connect(findBar, &FindBarController::buttonDidPress, this, &FindController::findBarButtonDidPress);
    connect(findBar, &FindBarController::shownChanged, this, &FindController::findBarShownChanged);
}

FindBarController *FindController::findBar() const
{
    return m_findBar;
}

QString FindController::findOptions() const
{
    return m_findBar->isCaseInsensitive() ? FindOptions::CaseInsensitive : FindOptions::CaseSensitive;
}

bool FindController::detailMode() const
{
    return m_content->isContactInfoShown();
}

bool FindController::isFindBarShown() const
{
    return m_findBar->isShown();
}

std::optional<SearchHit> FindController::move(SearchEngine::Direction direction)
{
    // Nothing new found: the previous hit stays selected as it is, which costs the table nothing.
    const auto found = [this](const std::optional<SearchHit> &hit) {
        return m_engine.lastMoveFound() ? hit : std::nullopt;
    };
    m_engine.setCustomItems(m_content->customItems());
    m_engine.setCaseInsensitive(m_findBar->isCaseInsensitive());
    if (detailMode()) {
        const ContactEntry contact = m_content->contactInfoController()->contact();
        if (!contact || !contact->person)
            return std::nullopt;
        return found(m_engine.findInContact(SubContactRow::fromEntry(contact), direction));
    }
    const ContactsViewController *table = m_content->contactsViewController();
    return found(m_engine.findInTable(table->subContactTable(), table->tableIdentfiers(), direction));
}

void FindController::giveViewsFindString()
{
    m_content->contactsViewController()->setFindString(m_engine.findString(), findOptions());
    m_content->contactInfoController()->setFindString(
        m_engine.findString(), m_findBar->isCaseInsensitive() ? Qt::CaseInsensitive : Qt::CaseSensitive);
}

void FindController::selectHit(const SearchHit &hit)
{
    // The selection made here must not reset the hit it shows.
    const QScopedValueRollback<bool> guard(m_selectingHit, true);
    ContactsViewController *table = m_content->contactsViewController();
    ContactInfoController *info = m_content->contactInfoController();

    QString partText;
    TextRange partRange = hit.itemRange.value_or(hit.range);
    if (hit.contact.person) {
        const ItemText item = ItemTexts::itemText(*hit.contact.person, hit.identifier, hit.labelIndex,
                                                  FindMode::Detail, m_content->customItems());
        for (const TextPart &part : item.parts) {
            if (part.subIdentifier == hit.subIdentifier || item.parts.size() == 1)
                partText = part.text;
        }
    }
    if (detailMode()) {
        info->setFindTarget(partText, partRange);
        info->setFocus();
        table->model()->setFindHit(std::nullopt);
        table->model()->refreshCells();
        return;
    }
    table->selectItemAndRange(FindHit { hit.uniqueId, hit.identifier, int(hit.labelIndex), hit.range });
    table->tableView()->setFocus();
    info->setFindTarget(partText, partRange);
}

void FindController::findStringDidChange(const QString &findString)
{
    m_engine.setFindString(findString);
    FindBuffer::setText(findString);
    const auto hit = move(SearchEngine::Direction::Forward);
    giveViewsFindString();
    // Without a hit the highlights of the new string were drawn when the views took it.
    if (hit)
        selectHit(*hit);
}

void FindController::clearFindString()
{
    m_engine.setFindString(QString());
    m_findBar->searchField()->clear();
    giveViewsFindString();
    m_content->contactInfoController()->setFindTarget(QString(), TextRange {});
    m_content->contactsViewController()->updateTable();
    m_content->contactInfoController()->updateTable();
}

void FindController::findBarButtonDidPress(const QString &command)
{
    ContactsViewController *table = m_content->contactsViewController();
    if (command == FindBarCommand::Done) {
        clearFindString();
        table->tableView()->setFocus();
    } else if (command == FindBarCommand::OptionChanged) {
        m_engine.setCaseInsensitive(m_findBar->isCaseInsensitive());
        giveViewsFindString();
        if (detailMode())
            m_content->contactInfoController()->updateTable();
        table->updateTable();
    } else if (command == FindBarCommand::Next || command == FindBarCommand::Previous) {
        const auto hit = move(command == FindBarCommand::Next ? SearchEngine::Direction::Forward
                                                              : SearchEngine::Direction::Backward);
        if (hit)
            selectHit(*hit);
    } else if (command == FindBarCommand::Replace) {
        if (m_engine.findString().isEmpty() || !m_engine.hit() || !m_content->editState())
            return;
        // The views refreshing after the edit must not move the hit back to the row's start.
        const QScopedValueRollback<bool> guard(m_selectingHit, true);
        FindReplacer replacer(*m_content->editor());
        replacer.setCustomItems(m_content->customItems());
        replacer.replace(m_findBar->replaceString(), *m_engine.hit(), m_content->contactTable(),
                         m_engine.findString(), m_engine.caseSensitivity());
        if (const auto hit = move(SearchEngine::Direction::Forward))
            selectHit(*hit);
    } else if (command == FindBarCommand::ReplaceAll) {
        if (m_engine.findString().isEmpty() || !m_content->editState())
            return;
        const QScopedValueRollback<bool> guard(m_selectingHit, true);
        FindReplacer replacer(*m_content->editor());
        replacer.setCustomItems(m_content->customItems());
        const Qt::CaseSensitivity cs
            = m_findBar->isCaseInsensitive() ? Qt::CaseInsensitive : Qt::CaseSensitive;
        if (detailMode()) {
            replacer.replaceAllInContact(m_content->contactInfoController()->contact(), m_engine.findString(),
                                         m_findBar->replaceString(), cs);
        } else if (const ContactTable contacts = m_content->contactTable()) {
            replacer.replaceAllInTable(*contacts, table->tableIdentfiers(), m_engine.findString(),
                                       m_findBar->replaceString(), cs);
        }
        // The edits have had the table rebuilt once, when their undo step closed.
        if (!detailMode())
            table->tableView()->setFocus();
    }
}

void FindController::takeFindBuffer()
{
    const QString buffered = FindBuffer::text();
    if (buffered.isEmpty())
        return;
    m_engine.setFindString(buffered);
    m_findBar->searchField()->setText(buffered);
    giveViewsFindString();
}

QString FindController::selectedText() const
{
    QWidget *focus = QApplication::focusWidget();
    if (auto *line = qobject_cast<QLineEdit *>(focus))
        return line->selectedText();
    if (auto *text = qobject_cast<QTextEdit *>(focus))
        return text->textCursor().selectedText();
    const QTableView *view = m_content->contactsViewController()->tableView();
    return view->currentIndex().data(Qt::DisplayRole).toString();
}

void FindController::performFindBarAction(Action action)
{
    if (action == Action::UseSelectionForFind) {
        const QString selection = selectedText().trimmed();
        FindBuffer::setText(selection);
        takeFindBuffer();
        return;
    }
    takeFindBuffer();
    switch (action) {
    case Action::ToggleFindBar:
        if (isFindBarShown()) {
            clearFindString();
            showFindBar(false);
        } else {
            showFindBar(true);
        }
        break;
    case Action::FindNext:
    case Action::FindPrevious:
        if (const auto hit = move(action == Action::FindNext ? SearchEngine::Direction::Forward
                                                             : SearchEngine::Direction::Backward))
            selectHit(*hit);
        break;
    case Action::UseSelectionForFind:
        break;
    }
}

void FindController::showFindBar(bool show)
{
    if (show)
        m_findBar->searchField()->selectAll();
    m_findBar->setShown(show);
}

void FindController::rowSelectionDidChange(const SubContactRow &row)
{
    if (m_selectingHit || !row.person)
        return;
    m_engine.resetHitToRow(row);
}

void FindController::showFindPanel()
{
    // Owned by the window while it runs: closing the window ends it.
    QPointer<FindPanel> panel = new FindPanel(m_content);
    panel->exec();
    delete panel;
    if (m_content)
        m_content->contactsViewController()->updateTable();
}
