#include "detail/contactinfocontroller.h"

#include "detail/contactcard.h"
#include "detail/contactinfoeditor.h"
#include "detail/keys.h"
#include "record/keys.h"
#include "record/qvperson.h"

#include <QBuffer>
#include <QEvent>
#include <QSplitter>
#include <QStackedWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

QString escaped(const QString &text)
{
    return text.toHtmlEscaped().replace(u'\n', QStringLiteral("<br>"));
}

QString labelText(const QString &identifier, const QString &label)
{
    const QStringList labels = QVPerson::labelsForIdentifier(identifier);
    const QStringList localized = QVPerson::localizedLabelsForIdentifier(identifier);
    const qsizetype at = labels.indexOf(label);
    return at >= 0 && at < localized.size() ? localized.at(at) : label;
}

QString row(const QString &title, const QString &value)
{
    return QStringLiteral("<tr><td class='l'>%1</td><td>%2</td></tr>").arg(escaped(title), escaped(value));
}

// A value that must not break inside a word (a phone number, an e-mail address).
QString unbrokenRow(const QString &title, const QString &value)
{
    return QStringLiteral("<tr><td class='l'>%1</td><td class='v'>%2</td></tr>")
        .arg(escaped(title), escaped(value));
}

} // namespace

ContactInfoController::ContactInfoController(QWidget *parent)
    : QWidget(parent)
    , m_stack(new QStackedWidget(this))
    , m_browser(new QTextBrowser(m_stack))
{
    m_browser->setOpenLinks(false);
    // Lines break between words only: a narrow side bar must not cut a phone number in two.
    m_browser->setWordWrapMode(QTextOption::WordWrap);
    m_browser->setFrameShape(QFrame::NoFrame);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_stack->addWidget(m_browser);
    layout->addWidget(m_stack);
}

void ContactInfoController::setContactEditor(ContactEditor *editor)
{
    if (m_fieldsEditor || !editor)
        return;
    m_fieldsEditor = new ContactInfoEditor(editor, m_stack);
    m_fieldsEditor->setCustomItems(m_customItems);
    m_fieldsEditor->setSelectedFont(m_browser->font());
    m_stack->addWidget(m_fieldsEditor);
}

void ContactInfoController::setContact(const ContactEntry &contact)
{
    m_contact = contact;
    updateTable();
}

void ContactInfoController::setSelectedFont(const QFont &font)
{
    m_browser->setFont(font);
    if (m_fieldsEditor)
        m_fieldsEditor->setSelectedFont(font);
}

void ContactInfoController::updateTable()
{
    // Selecting rows of a large table must not pay for a side bar nobody sees.
    if (!isOnScreen()) {
        m_stale = true;
        return;
    }
    m_stale = false;
    if (!m_contact || !m_contact->person || m_contact->deleted) {
        m_browser->clear();
        m_stack->setCurrentWidget(m_browser);
        return;
    }
    if (m_editState && m_fieldsEditor) {
        m_fieldsEditor->setCustomItems(m_customItems);
        m_fieldsEditor->setEditState(true);
        m_fieldsEditor->setContact(SubContactRow::fromEntry(m_contact));
        m_stack->setCurrentWidget(m_fieldsEditor);
        return;
    }
    m_stack->setCurrentWidget(m_browser);
    if (m_groupNames)
        m_contact->groupNames = m_groupNames(m_contact);
    if (m_editState)
        m_browser->setHtml(contactHtml(*m_contact->person, m_customItems, m_contact->groupNames));
    else
        updateWebView();
    applyFindHighlights();
}

void ContactInfoController::updateWebView()
{
    const QString folder = ContactCard::folder();
    const std::optional<QString> card
        = ContactCard::makeContactHTML(*m_contact->person, CardKey::Template, folder, m_contact->groupNames,
                                       CardColors::fromPalette(palette()));
    if (!card)
        return;
    ContactCard::writeCard(*card, folder);
    m_browser->setSearchPaths({ folder });
    m_browser->setHtml(*card);
}

void ContactInfoController::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    // The card's colours come from the palette: a theme change redraws it.
    if (event->type() == QEvent::PaletteChange && !m_editState) {
        m_stale = true;
        catchUp();
    }
}

// ---- Find highlighting ---------------------------------------------------------------------------

void ContactInfoController::setFindString(const QString &findString, Qt::CaseSensitivity cs)
{
    m_findString = findString;
    m_findCase = cs;
    applyFindHighlights();
}

void ContactInfoController::setFindTarget(const QString &itemText, const TextRange &range)
{
    m_findTargetText = itemText;
    m_findTargetRange = range;
    applyFindHighlights();
}

void ContactInfoController::applyFindHighlights()
{
    QList<QTextEdit::ExtraSelection> selections;
    QTextDocument *document = m_browser->document();
    if (!m_findString.isEmpty()) {
        const QTextDocument::FindFlags flags = m_findCase == Qt::CaseSensitive
            ? QTextDocument::FindCaseSensitively
            : QTextDocument::FindFlags();
        QTextCursor cursor(document);
        while (!(cursor = document->find(m_findString, cursor, flags)).isNull()) {
            QTextEdit::ExtraSelection match;
            match.cursor = cursor;
            match.format.setBackground(QColor(Qt::lightGray));
            // Dark text on the light marks, whatever the palette's text colour.
            match.format.setForeground(QColor(Qt::black));
            selections.append(match);
        }
        const QTextCursor item = m_findTargetText.isEmpty()
            ? QTextCursor()
            : document->find(m_findTargetText, 0, QTextDocument::FindCaseSensitively);
        const TextRange &range = m_findTargetRange;
        if (!item.isNull() && range.isFound() && range.length > 0 && range.location >= 0
            && range.location + range.length <= m_findTargetText.size()) {
            QTextCursor hit(document);
            hit.setPosition(int(item.selectionStart() + range.location));
            hit.setPosition(int(item.selectionStart() + range.location + range.length),
                            QTextCursor::KeepAnchor);
            QTextEdit::ExtraSelection current;
            current.cursor = hit;
            current.format.setBackground(QColor(255, 165, 0));
            current.format.setForeground(QColor(Qt::black));
            selections.append(current);
            QTextCursor shown(document);
            shown.setPosition(hit.selectionStart());
            m_browser->setTextCursor(shown);
            m_browser->ensureCursorVisible();
        }
    }
    m_browser->setExtraSelections(selections);
}

bool ContactInfoController::isOnScreen() const
{
    if (!isVisible() || width() == 0)
        return false;
    // A collapsed splitter pane may keep its widget's last geometry.
    const auto *split = qobject_cast<const QSplitter *>(parentWidget());
    return !split || split->sizes().value(split->indexOf(const_cast<ContactInfoController *>(this))) > 0;
}

void ContactInfoController::catchUp()
{
    if (m_stale && isOnScreen())
        updateTable();
}

void ContactInfoController::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    catchUp();
}

void ContactInfoController::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    catchUp();
}

QString ContactInfoController::contactHtml(QVPerson &person, const QVariantList &customItems,
                                           const QStringList &groupNames)
{
    // Labels may wrap; values of single words keep their line, so a long label gives way to them.
    QString html = QStringLiteral("<html><head><style>td.l{color:gray;text-align:right;padding-right:8px;"
                                  "vertical-align:top}td.v{white-space:nowrap}h2{margin-bottom:2px}"
                                  "</style></head><body>");
    const QImage photo = person.thumbnail();
    if (!photo.isNull()) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        photo.scaled(64, 64, Qt::KeepAspectRatio, Qt::SmoothTransformation).save(&buffer, "PNG");
        html += QStringLiteral("<img src='data:image/png;base64,%1'>")
                    .arg(QString::fromLatin1(png.toBase64()));
    }
    html += QStringLiteral("<h2>%1</h2>").arg(escaped(person.compositeName()));
    const QString phonetic = person.stringValueForIdentifier(FieldId::PhoneticName);
    if (!phonetic.isEmpty())
        html += QStringLiteral("<div style='color:gray'>%1</div>").arg(escaped(phonetic));
    QStringList organisation;
    for (const QString &id : { FieldId::JobTitle, FieldId::Department, FieldId::Company }) {
        const QString text = person.stringValueForIdentifier(id);
        if (!text.isEmpty() && !(id == FieldId::Company && !person.showAsPerson()))
            organisation.append(text);
    }
    if (!organisation.isEmpty())
        html += QStringLiteral("<div>%1</div>").arg(escaped(organisation.join(QStringLiteral(", "))));
    html += QStringLiteral("<table>");
    for (const QString &id :
         { FieldId::Phone, FieldId::Email, FieldId::Url, FieldId::Address, FieldId::SocialNetwork,
           FieldId::InstantMessage, FieldId::Relationship, FieldId::Dates }) {
        for (const QVariant &v : person.labeledValueForIdentifier(id)) {
            const QVariantMap item = v.toMap();
            const QString text = id == FieldId::Address ? item.value(Key::FormattedString).toString()
                                                        : item.value(Key::StringValue).toString();
            if (text.isEmpty())
                continue;
            const QString label = labelText(id, item.value(Key::Label).toString());
            const bool words = id == FieldId::Address || id == FieldId::Relationship;
            html += words ? row(label, text) : unbrokenRow(label, text);
        }
    }
    for (const QString &id :
         { FieldId::Birthday, FieldId::Nickname, FieldId::Title, FieldId::Suffix, FieldId::Note }) {
        const QString text = person.stringValueForIdentifier(id);
        if (!text.isEmpty())
            html += row(QVPerson::localizedIdentifierForKey(id), text);
    }
    for (const QVariant &v : customItems) {
        const QString name = v.toMap().value(CustomKey::Name).toString();
        if (person.typeForIdentifier(name) == ValueType::Labeled) {
            for (const QVariant &item : person.labeledValueForIdentifier(name)) {
                const QVariantMap map = item.toMap();
                const QString text = map.value(Key::StringValue).toString();
                if (!text.isEmpty())
                    html += row(name + QStringLiteral(" (") + map.value(Key::Label).toString() + u')', text);
            }
        } else if (person.typeForIdentifier(name) == ValueType::String) {
            const QString text = person.stringValueForIdentifier(name);
            if (!text.isEmpty())
                html += row(name, text);
        }
    }
    if (!groupNames.isEmpty())
        html += row(tr("Groups"), groupNames.join(QStringLiteral(", ")));
    html += QStringLiteral("</table></body></html>");
    return html;
}
