// The detail side bar: the selected contact's name and fields, read-only.
#pragma once

#include "record/entries.h"

#include <QFont>
#include <QWidget>

class QTextBrowser;

class ContactInfoController : public QWidget
{
    Q_OBJECT

public:
    explicit ContactInfoController(QWidget *parent = nullptr);

    void setContact(const ContactEntry &contact);
    ContactEntry contact() const { return m_contact; }
    void setSelectedFont(const QFont &font);
    void setEditState(bool editable) { m_editState = editable; }
    void setSelectedLabels(const QStringList &labels) { m_selectedLabels = labels; }
    void setCustomItems(const QVariantList &customItems) { m_customItems = customItems; }
    // Shows the contact again (after an edit).
    void updateTable();

    // The contact as HTML: name, organisation, every labeled and single field that has a value,
    // then the groups it belongs to.
    static QString contactHtml(QVPerson &person, const QVariantList &customItems,
                               const QStringList &groupNames = {});
    // The side bar's text, for checking what it shows.
    QTextBrowser *browser() const { return m_browser; }

private:
    QTextBrowser *m_browser;
    ContactEntry m_contact;
    QStringList m_selectedLabels;
    QVariantList m_customItems;
    bool m_editState = true;
};
