// ItemCommands: the item commands of the table's context menu applied to rows — delete, replace,
// prepend and append text, add an item — each run as one undo step through the contact editor.
#pragma once

#include "editing/contacteditor.h"
#include "record/entries.h"

#include <QString>
#include <QVariantMap>

class ItemCommands
{
public:
    enum class TextEdit
    {
        Replace,
        ReplaceLabelAndText,
        Prepend,
        Append
    };

    // fieldType: the column's kind as the table knows it ("Labeled Value", "String Value", ...).
    ItemCommands(ContactEditor &editor, ContactEditor::Sender sender, const QString &identifier,
                 const QString &fieldType);

    // Deletes the item of each row (clears a text field); rows without an item are skipped.
    // Answers whether anything changed.
    bool deleteItems(const SubContactRows &rows);
    // Replaces, or puts the text before or after, each row's current text; with
    // ReplaceLabelAndText the label too. Rows without an item are skipped.
    bool editText(const SubContactRows &rows, TextEdit mode, const QString &text, const QString &label = {});
    // Adds one new item to each contact of the rows, once per contact, in the order of the
    // editor's contact list.
    bool insertItem(const SubContactRows &rows);

    // The row's current text of the column (a component of the Address item for a component).
    QString currentText(const SubContactRow &row) const;
    // The row's item's label, empty for text fields.
    QString currentLabel(const SubContactRow &row) const;
    // The item a new one starts as; empty for fields that add through a panel.
    static QVariantMap newItem(const QString &identifier, const QString &fieldType);
    // Fields Add Item adds to at once (the others open their panel for a new item).
    static bool addsDirectly(const QString &identifier, const QString &fieldType);

private:
    bool isLabeled() const;
    QString field() const;

    ContactEditor &m_editor;
    ContactEditor::Sender m_sender;
    QString m_identifier;
    QString m_fieldType;
};
