// FindController: find and replace in a document window. It answers the find bar and the Find
// menu with the search engine: moves to the next or previous occurrence in the table (or, while
// the detail side bar is shown, in its contact), has the table and the side bar select and
// highlight it, and replaces through the window's undoable edits. It also opens the find panel.
#pragma once

#include "find/searchengine.h"

#include <QObject>
#include <QPointer>

class FindBarController;
class ViewController;

class FindController : public QObject
{
    Q_OBJECT

public:
    // What a Find menu command asks for.
    enum class Action
    {
        ToggleFindBar,
        FindNext,
        FindPrevious,
        UseSelectionForFind
    };

    FindController(ViewController *content, FindBarController *findBar);

    SearchEngine &engine() { return m_engine; }
    FindBarController *findBar() const;
    // The options the views highlight with: "caseInsensitive" or "caseSensitive".
    QString findOptions() const;

    // The search field's text was entered: search forward from the current hit.
    void findStringDidChange(const QString &findString);
    // A find bar button: "Next", "Previous", "Replace", "ReplaceAll", "Done", "OptionChanged".
    void findBarButtonDidPress(const QString &command);
    void performFindBarAction(Action action);
    void showFindBar(bool show);
    bool isFindBarShown() const;

    // A table row was selected: the next search starts at its name, unless the selection is the
    // one a search hit made.
    void rowSelectionDidChange(const SubContactRow &row);

    // The find panel over the window's contacts, run modally.
    void showFindPanel();

Q_SIGNALS:
    void findBarShownChanged(bool shown);

private:
    bool detailMode() const;
    std::optional<SearchHit> move(SearchEngine::Direction direction);
    // Has the detail side bar and (in table mode) the table select the hit.
    void selectHit(const SearchHit &hit);
    // The find string and options go to both views.
    void giveViewsFindString();
    void clearFindString();
    void takeFindBuffer();
    QString selectedText() const;

    QPointer<ViewController> m_content;
    QPointer<FindBarController> m_findBar;
    SearchEngine m_engine;
    bool m_selectingHit = false;
};
