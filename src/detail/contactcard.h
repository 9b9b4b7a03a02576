// The contact card: the template "contact.html" filled from a record, element by element id.
#pragma once

#include <QDomElement>
#include <QString>
#include <QStringList>
#include <optional>

class QVPerson;

class ContactCard
{
public:
    // The card's text for a contact, or nothing when the template is not well-formed XML. The
    // photo (or the stock icon) is written into `folder`, which the card names relatively.
    static std::optional<QString> makeContactHTML(QVPerson &person, const QString &templatePath,
                                                  const QString &folder, const QStringList &groupNames = {});

    // Depth-first, the element itself first; a null element when none matches.
    static QDomElement getElementById(const QDomElement &element, const QString &id);
    static QDomElement getElementByClass(const QDomElement &element, const QString &className);

    // The private folder the card and its pictures are written to, with the stock icons in it.
    static QString folder();
    // Writes the card into `folder` as "contact.html"; answers its path, empty on failure.
    static QString writeCard(const QString &html, const QString &folder);

    // A composite name made safe to use as a file name inside the card's folder.
    static QString photoFileName(const QString &compositeName);
};
