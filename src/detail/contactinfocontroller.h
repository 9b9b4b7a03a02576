// The detail side bar: the selected contact's name and fields, read-only.
#pragma once

#include "record/entries.h"
#include "record/textrange.h"

#include <QFont>
#include <QWidget>
#include <functional>

class ContactEditor;
class ContactInfoEditor;
class QStackedWidget;
class QTextBrowser;

class ContactInfoController : public QWidget
{
    Q_OBJECT

public:
    using GroupNamesSource = std::function<QStringList(const ContactEntry &)>;

    explicit ContactInfoController(QWidget *parent = nullptr);

    // Shown when the side bar is on screen; a hidden side bar catches up once it shows.
    void setContact(const ContactEntry &contact);
    // Answers the groups a contact belongs to, asked only when the contact is shown.
    void setGroupNamesSource(GroupNamesSource source) { m_groupNames = std::move(source); }
    ContactEntry contact() const { return m_contact; }
    void setSelectedFont(const QFont &font);
    // Locked, the side bar shows the contact's card; in edit mode its fields, editable once the
    // window's editor is given.
    void setEditState(bool editable) { m_editState = editable; }
    void setContactEditor(ContactEditor *editor);
    ContactInfoEditor *fieldsEditor() const { return m_fieldsEditor; }
    void setSelectedLabels(const QStringList &labels) { m_selectedLabels = labels; }
    void setCustomItems(const QVariantList &customItems) { m_customItems = customItems; }
    // Shows the contact again (after an edit).
    void updateTable();

    // Find highlighting: every occurrence light grey, and the search hit orange — the range
    // within the first place the hit's item text is shown (an empty text: no hit).
    void setFindString(const QString &findString, Qt::CaseSensitivity cs);
    void setFindTarget(const QString &itemText, const TextRange &range);

    // The contact as HTML: name, organisation, every labeled and single field that has a value,
    // then the groups it belongs to.
    static QString contactHtml(QVPerson &person, const QVariantList &customItems,
                               const QStringList &groupNames = {});
    // The side bar's text, for checking what it shows.
    QTextBrowser *browser() const { return m_browser; }

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    bool isOnScreen() const;
    void catchUp();
    void applyFindHighlights();
    void updateWebView();

    QStackedWidget *m_stack;
    QTextBrowser *m_browser;
    ContactInfoEditor *m_fieldsEditor = nullptr;
    ContactEntry m_contact;
    QStringList m_selectedLabels;
    QVariantList m_customItems;
    GroupNamesSource m_groupNames;
    bool m_editState = true;
    bool m_stale = false;
    QString m_findString;
    Qt::CaseSensitivity m_findCase = Qt::CaseInsensitive;
    QString m_findTargetText;
    TextRange m_findTargetRange;
};
