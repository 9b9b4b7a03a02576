// Replacing what the search engine found: the current hit, or every occurrence at once, always
// through the undoable operations of ContactEditor.
#pragma once

#include "editing/contacteditor.h"
#include "find/itemtext.h"
#include "find/searchhit.h"

#include <QStringList>
#include <QVariantList>

class FindReplacer
{
public:
    FindReplacer(ContactEditor &editor, ContactEditor::Sender sender = nullptr)
        : m_editor(editor)
        , m_sender(sender)
    { }

    void setCustomItems(const QVariantList &customItems) { m_customItems = customItems; }

    // Replaces the hit's occurrence in its contact of the table. Answers whether the hit could be
    // located (its contact is there, its item has text and its range is set); an occurrence in a
    // part that is never replaced (a service name, a company shown as the name, a date) leaves the
    // contact unchanged. A hit whose text no longer reads `findString` there (edited since it was
    // found) changes nothing either.
    bool replace(const QString &replacement, const SearchHit &hit, const ContactTable &table,
                 const QString &findString, Qt::CaseSensitivity cs);

    // Every occurrence in the given fields of every contact (deleted ones included), or in every
    // field of one contact (detail mode), as one undo step. Answers how many values changed.
    qsizetype replaceAllInTable(const ContactList &contacts, const QStringList &columns,
                                const QString &findString, const QString &replacement,
                                Qt::CaseSensitivity cs);
    qsizetype replaceAllInContact(const ContactEntry &contact, const QString &findString,
                                  const QString &replacement, Qt::CaseSensitivity cs);

private:
    qsizetype replaceAllInField(const ContactEntry &contact, const QString &identifier, FindMode mode,
                                const QString &findString, const QString &replacement,
                                Qt::CaseSensitivity cs);
    qsizetype replaceInLabeledItems(const ContactEntry &contact, const QString &identifier,
                                    const QStringList &keys, const QString &findString,
                                    const QString &replacement, Qt::CaseSensitivity cs);
    qsizetype replaceInName(const ContactEntry &contact, const QString &identifier, const QStringList &parts,
                            const QString &findString, const QString &replacement, Qt::CaseSensitivity cs);

    ContactEditor &m_editor;
    ContactEditor::Sender m_sender;
    QVariantList m_customItems;
};
