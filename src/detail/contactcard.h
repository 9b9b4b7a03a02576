// The contact card: the template "contact.html" filled from a record, element by element id.
#pragma once

#include <QColor>
#include <QDomElement>
#include <QString>
#include <QStringList>
#include <optional>

class QPalette;
class QVPerson;

// The card's colours. The defaults are the light ones its inline styles are written with; a
// palette gives colours that read on its own background.
struct CardColors
{
    QColor text = QColor(0x00, 0x00, 0x00); // filled values
    QColor placeholder = QColor(0xaa, 0xaa, 0xaa); // empty fields, shown by their names
    QColor muted = QColor(0x88, 0x88, 0x88); // labels and headings

    static CardColors fromPalette(const QPalette &palette);
};

class ContactCard
{
public:
    // The card's text for a contact, or nothing when the template is not well-formed XML. The
    // photo (or the stock icon) is written into `folder`, which the card names relatively.
    // Every value shows once: an item shown in its home or work slot is left out of the list.
    static std::optional<QString> makeContactHTML(QVPerson &person, const QString &templatePath,
                                                  const QString &folder, const QStringList &groupNames = {},
                                                  const CardColors &colors = {});

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
