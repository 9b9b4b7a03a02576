#include "detail/contactcard.h"

#include "detail/keys.h"
#include "record/keys.h"
#include "record/qvperson.h"

#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QPalette>
#include <QSaveFile>
#include <QTemporaryDir>

namespace {

void setText(QDomElement element, const QString &text)
{
    while (!element.firstChild().isNull())
        element.removeChild(element.firstChild());
    element.appendChild(element.ownerDocument().createTextNode(text));
}

// A single-valued element: the value when there is one, else the placeholder in grey.
void fillSingle(const QDomElement &body, const QString &id, const QString &value, const QString &placeholder,
                bool blackWhenFilled)
{
    QDomElement element = ContactCard::getElementById(body, id);
    if (element.isNull())
        return;
    if (value.isEmpty()) {
        setText(element, placeholder);
        element.setAttribute(CardKey::Style, CardKey::Grey);
        return;
    }
    setText(element, value);
    if (blackWhenFilled)
        element.setAttribute(CardKey::Style, CardKey::Black);
    else
        element.removeAttribute(CardKey::Style);
}

struct MultiField
{
    QString identifier;
    QString homeId; // empty: the card has no home/work slot for the field
    QString workId;
    QString listId;
    bool slotsOnlyWithValues;
};

const QList<MultiField> &multiFields()
{
    static const QList<MultiField> fields = {
        { FieldId::Email, QStringLiteral("Home-Email"), QStringLiteral("Work-Email"), QStringLiteral("Email"),
          true },
        { FieldId::Phone, QStringLiteral("Home-Phone"), QStringLiteral("Work-Phone"), QStringLiteral("Phone"),
          true },
        { FieldId::SocialNetwork, QStringLiteral("Home-SNS"), QStringLiteral("Work-SNS"),
          QStringLiteral("SNS"), true },
        { FieldId::InstantMessage, QStringLiteral("Home-IMS"), QStringLiteral("Work-IMS"),
          QStringLiteral("IMS"), false },
        { FieldId::Address, QStringLiteral("Home-Address"), QStringLiteral("Work-Address"),
          QStringLiteral("Address"), false },
        { FieldId::Dates, {}, {}, QStringLiteral("Dates"), false },
        { FieldId::Relationship, {}, {}, QStringLiteral("Relationship"), false },
    };
    return fields;
}

// A home or work slot: the placeholder in grey, then the last value carrying exactly that label.
// Answers the index of the value shown, -1 when none.
qsizetype fillSlot(const QDomElement &body, const QString &id, const QString &label,
                   const QVariantList &values, bool onlyWithValues)
{
    QDomElement element = id.isEmpty() ? QDomElement() : ContactCard::getElementById(body, id);
    if (element.isNull() || (onlyWithValues && values.isEmpty()))
        return -1;
    setText(element, id);
    element.setAttribute(CardKey::Style, CardKey::Grey);
    qsizetype shown = -1;
    for (qsizetype i = 0; i < values.size(); ++i) {
        const QVariantMap item = values.at(i).toMap();
        if (item.value(Key::Label).toString() != label)
            continue;
        setText(element, item.value(Key::StringValue).toString());
        element.setAttribute(CardKey::Style, CardKey::Black);
        shown = i;
    }
    return shown;
}

void appendListEntry(QDomElement list, const QString &label, const QString &text)
{
    QDomDocument document = list.ownerDocument();
    QDomElement paragraph = document.createElement(CardKey::Paragraph);
    paragraph.setAttribute(CardKey::Class, CardKey::TextField);
    QDomElement cite = document.createElement(CardKey::Cite);
    cite.appendChild(document.createTextNode(label));
    paragraph.appendChild(cite);
    // A space keeps the label from running into the value when the card is read as plain text,
    // and matches the space the template's own lines have between their label and value.
    paragraph.appendChild(document.createTextNode(u' ' + text));
    list.appendChild(paragraph);
}

// Visits the element and every element below it, in document order.
template<typename Visit> void forEachElement(const QDomElement &element, const Visit &visit)
{
    visit(element);
    for (QDomElement child = element.firstChildElement(); !child.isNull(); child = child.nextSiblingElement())
        forEachElement(child, visit);
}

// The viewer has no table-like layout for a line of text: a tab after each label, up to the
// style sheet's tab stop, puts the values of all fields in one column. A tab in the template
// itself would not survive reading it, as white space between elements is dropped.
void alignLabel(QDomElement element)
{
    const QDomElement cite = element.firstChildElement();
    if (element.attribute(CardKey::Class) != CardKey::TextField || cite.tagName() != CardKey::Cite)
        return;
    QDomDocument document = element.ownerDocument();
    QDomElement tab = document.createElement(CardKey::Span);
    tab.setAttribute(CardKey::Class, CardKey::Tab);
    tab.appendChild(document.createTextNode(QStringLiteral("\t")));
    element.insertAfter(tab, cite);
}

QString colorStyle(const QColor &color)
{
    return QStringLiteral("color:%1;").arg(color.name());
}

// The grey and black inline styles become the given colours; only style attributes are touched,
// never a value that happens to read like one.
void applyColors(QDomElement element, const CardColors &colors)
{
    const QString style = element.attribute(CardKey::Style);
    if (style == CardKey::Grey)
        element.setAttribute(CardKey::Style, colorStyle(colors.placeholder));
    else if (style == CardKey::Black)
        element.setAttribute(CardKey::Style, colorStyle(colors.text));
}

void fillStyleSheet(const QDomElement &head, const CardColors &colors)
{
    for (QDomElement sheet = head.firstChildElement(CardKey::StyleSheet); !sheet.isNull();
         sheet = sheet.nextSiblingElement(CardKey::StyleSheet)) {
        QString css = sheet.text();
        css.replace(CardKey::TextColorToken, colors.text.name());
        css.replace(CardKey::MutedColorToken, colors.muted.name());
        setText(sheet, css);
    }
}

QColor mixed(const QColor &from, const QColor &to, double share)
{
    return QColor::fromRgbF(float(from.redF() + (to.redF() - from.redF()) * share),
                            float(from.greenF() + (to.greenF() - from.greenF()) * share),
                            float(from.blueF() + (to.blueF() - from.blueF()) * share));
}

QDomElement findElement(const QDomElement &element, const QString &attribute, const QString &value)
{
    if (element.attribute(attribute) == value && element.hasAttribute(attribute))
        return element;
    for (QDomElement child = element.firstChildElement(); !child.isNull();
         child = child.nextSiblingElement()) {
        const QDomElement found = findElement(child, attribute, value);
        if (!found.isNull())
            return found;
    }
    return {};
}

QString photoSource(QVPerson &person, const QString &folder)
{
    // The thumbnail falls back to a stock picture, so the photo itself says whether there is one.
    if (person.photo().isNull())
        return person.showAsPerson() ? CardKey::PersonIcon : CardKey::CompanyIcon;
    const QString name = ContactCard::photoFileName(person.compositeName());
    // Written as PNG, which its name promises; a failed write leaves the picture out.
    QSaveFile file(QDir(folder).filePath(name));
    if (file.open(QIODevice::WriteOnly) && person.thumbnail().save(&file, "PNG"))
        file.commit();
    return name;
}

} // namespace

QDomElement ContactCard::getElementById(const QDomElement &element, const QString &id)
{
    return findElement(element, CardKey::Id, id);
}

QDomElement ContactCard::getElementByClass(const QDomElement &element, const QString &className)
{
    return findElement(element, CardKey::Class, className);
}

QString ContactCard::photoFileName(const QString &compositeName)
{
    // The name comes from the file being edited: it must not lead out of the folder.
    QString name = compositeName;
    for (QChar &c : name) {
        if (c == u'/' || c == u'\\' || c.category() == QChar::Other_Control)
            c = u'_';
    }
    if (name.isEmpty() || name.startsWith(u'.'))
        name.prepend(u'_');
    return name + CardKey::PhotoSuffix;
}

std::optional<QString> ContactCard::makeContactHTML(QVPerson &person, const QString &templatePath,
                                                    const QString &folder, const QStringList &groupNames,
                                                    const CardColors &colors)
{
    QFile file(templatePath);
    QDomDocument document;
    if (!file.open(QIODevice::ReadOnly) || !document.setContent(&file))
        return std::nullopt;
    const QDomElement body = document.documentElement().firstChildElement(CardKey::Body);
    if (body.isNull())
        return std::nullopt;

    const QString composite = person.compositeName();
    if (QDomElement name = getElementById(body, CardKey::CompositeName); !name.isNull())
        setText(name, composite.isEmpty() ? QObject::tr("No Name") : composite);

    if (QDomElement image = getElementById(body, CardKey::ContactImage); !image.isNull())
        image.setAttribute(CardKey::Src, photoSource(person, folder));

    struct Single
    {
        QString id;
        QString placeholder;
        QString value;
        bool black;
    };
    const QList<Single> singles = {
        { FieldId::Company, FieldId::Company, person.stringValueForIdentifier(FieldId::Company), false },
        { FieldId::Department, FieldId::Department, person.stringValueForIdentifier(FieldId::Department),
          false },
        { CardKey::JobTitle, FieldId::JobTitle, person.stringValueForIdentifier(FieldId::JobTitle), false },
        { FieldId::Nickname, FieldId::Nickname, person.stringValueForIdentifier(FieldId::Nickname), false },
        { FieldId::Birthday, FieldId::Birthday, person.birthdayValue().value(Key::StringValue).toString(),
          true },
        { FieldId::Suffix, FieldId::Suffix, person.stringValueForIdentifier(FieldId::Suffix), true },
        { FieldId::Title, FieldId::Title, person.stringValueForIdentifier(FieldId::Title), true },
        { FieldId::Name, FieldId::Name, person.nameValue().value(Key::StringValue).toString(), true },
        { FieldId::PhoneticName, FieldId::PhoneticName,
          person.phoneticNameValue().value(Key::StringValue).toString(), true },
    };
    for (const Single &single : singles)
        fillSingle(body, single.id, single.value, single.placeholder, single.black);
    if (const QDomElement noteArea = getElementById(body, CardKey::NoteArea); !noteArea.isNull())
        fillSingle(noteArea, FieldId::Note, person.stringValueForIdentifier(FieldId::Note), FieldId::Note,
                   true);

    for (const MultiField &field : multiFields()) {
        const QVariantList values = person.labeledValueForIdentifier(field.identifier);
        const qsizetype home
            = fillSlot(body, field.homeId, CardKey::HomeLabel, values, field.slotsOnlyWithValues);
        const qsizetype work
            = fillSlot(body, field.workId, CardKey::WorkLabel, values, field.slotsOnlyWithValues);
        QDomElement list = getElementById(body, field.listId);
        if (list.isNull())
            continue;
        for (qsizetype i = 0; i < values.size(); ++i) {
            if (i == home || i == work)
                continue; // already shown, in its slot
            const QVariantMap item = values.at(i).toMap();
            appendListEntry(list, item.value(Key::Label).toString(), item.value(Key::StringValue).toString());
        }
    }
    if (QDomElement groups = getElementById(body, CardKey::Groups); !groups.isNull()) {
        for (const QString &group : groupNames)
            appendListEntry(groups, QString(), group);
    }

    fillStyleSheet(document.documentElement().firstChildElement(CardKey::Head), colors);
    forEachElement(body, [&colors](const QDomElement &element) {
        alignLabel(element);
        applyColors(element, colors);
    });
    return document.toString(2);
}

CardColors CardColors::fromPalette(const QPalette &palette)
{
    // Shares of the text colour over the background; on black text over white they give the
    // default greys.
    const QColor text = palette.color(QPalette::Text);
    const QColor base = palette.color(QPalette::Base);
    return CardColors { text, mixed(base, text, 1.0 / 3.0), mixed(base, text, 0x77 / 255.0) };
}

QString ContactCard::folder()
{
    // Private to this process (mode 0700) and removed at exit; the stock icons sit beside the card.
    static QTemporaryDir dir;
    static const bool ready = [] {
        if (!dir.isValid())
            return false;
        QFile::copy(CardKey::PersonIconResource, dir.filePath(CardKey::PersonIcon));
        QFile::copy(CardKey::CompanyIconResource, dir.filePath(CardKey::CompanyIcon));
        return true;
    }();
    return ready ? dir.path() : QString();
}

QString ContactCard::writeCard(const QString &html, const QString &folder)
{
    if (folder.isEmpty())
        return {};
    const QString path = QDir(folder).filePath(CardKey::CardFile);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(html.toUtf8()) < 0 || !file.commit())
        return {};
    return path;
}
