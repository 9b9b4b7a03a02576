// ItemMenu: what the table's context menu offers for a clicked cell, which entries are enabled,
// which rows a command applies to, and what the desktop actions open. Knows no widgets: the table
// turns the entries into a menu and runs the chosen command.
#pragma once

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QUrl>

class QVPerson;
struct SubContactRow;

enum class ItemCommand
{
    None,
    ShowPopover,
    ShowQRCode,
    AddContact,
    DeleteContact,
    DuplicateContact,
    ExportContact,
    ToggleShowCompany,
    Workspace,
    InsertItem,
    ReplaceItem,
    DeleteItem,
    PrependItem,
    AppendItem
};

struct ItemMenuEntry
{
    QString title; // empty for a separator
    ItemCommand command = ItemCommand::None;
    bool enabled = false;
    bool checked = false;
    bool checkable = false;

    bool isSeparator() const { return title.isEmpty(); }
};

// What the menu needs to know of the clicked cell.
struct ItemMenuCell
{
    QString identifier; // the column's field
    QString fieldType; // "Labeled Value", "String Value", ... (custom items: their type)
    bool hasItem = false; // the row has an item of the field (a birthday, a phonetic name text...)
    QString text; // the item's text, what the desktop actions open
    bool editState = true; // unlocked
    bool showCompanyInNameCell = false;
};

class ItemMenu
{
    Q_DECLARE_TR_FUNCTIONS(ItemMenu)

public:
    // The cell of a row in a column; fieldType as the table knows it.
    static ItemMenuCell cellFor(const SubContactRow &row, const QString &identifier,
                                const QString &fieldType);
    static QList<ItemMenuEntry> entries(const ItemMenuCell &cell);

    // The rows a command applies to: the selection plus the clicked row, but for the commands
    // that change existing items the clicked row alone when it is not part of the selection.
    static QList<int> rowsConcerned(const QList<int> &selected, int clickedRow, ItemCommand command);

    // What a desktop action opens for the item's text; empty when there is nothing to open.
    static QUrl workspaceUrl(const QString &identifier, const QString &title, const QString &text);

    // The calendar event of a row's date item or birthday: a yearly all-day event named after the
    // contact, this year's when the date has no year. Empty when the row has no such date.
    static QUrl calendarUrl(const SubContactRow &row, const QString &identifier);

    // The field whose items a column shows (an address component shows the Address item).
    static QString itemField(const QString &identifier);
};
