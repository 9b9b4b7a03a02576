#include "detail/contactinfoeditor.h"

#include "detail/detaileditor.h"
#include "detail/detaileditors.h"
#include "detail/popovercontext.h"
#include "platform/popover.h"
#include "record/keys.h"
#include "record/qvperson.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Fields whose items are plain text, edited in the row.
const QStringList &textItemFields()
{
    static const QStringList fields { FieldId::Phone, FieldId::Email, FieldId::Url, FieldId::Relationship };
    return fields;
}

// Fields whose items open an editor of their own.
const QStringList &detailItemFields()
{
    static const QStringList fields { FieldId::Address, FieldId::SocialNetwork, FieldId::InstantMessage,
                                      FieldId::Dates };
    return fields;
}

const QStringList &stringFields()
{
    static const QStringList fields { FieldId::Title,   FieldId::Suffix,     FieldId::Nickname,
                                      FieldId::Company, FieldId::Department, FieldId::JobTitle };
    return fields;
}

// A name for a field's widget that survives a rebuild, so focus can come back to it.
QString fieldName(const QString &identifier, int labelIndex)
{
    return labelIndex < 0 ? identifier : identifier + u'#' + QString::number(labelIndex);
}

QToolButton *smallButton(const QString &text, const QString &toolTip, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setText(text);
    button->setToolTip(toolTip);
    button->setAutoRaise(true);
    return button;
}

} // namespace

ContactInfoEditor::ContactInfoEditor(ContactEditor *editor, QWidget *parent)
    : QWidget(parent)
    , m_editor(editor)
    , m_title(new QLabel(this))
    , m_scroll(new QScrollArea(this))
{
    QFont titleFont = m_title->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.3);
    m_title->setFont(titleFont);
    m_title->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_scroll->setWidgetResizable(true);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_title);
    layout->addWidget(m_scroll, 1);
    setMinimumSize(460, 440);
}

ContactInfoEditor::~ContactInfoEditor() = default;

void ContactInfoEditor::setContact(const SubContactRow &row)
{
    m_row = row;
    m_entry = ContactEditor::entryForRow(row);
    rebuild();
}

QString ContactInfoEditor::uniqueId() const
{
    return m_entry ? m_entry->uniqueId : QString();
}

void ContactInfoEditor::setEditState(bool editable)
{
    m_editState = editable;
    reload();
}

void ContactInfoEditor::setSelectedFont(const QFont &font)
{
    m_font = font;
    m_scroll->setFont(font);
}

void ContactInfoEditor::setCustomItems(const QVariantList &customItems)
{
    m_customItems = customItems;
    reload();
}

void ContactInfoEditor::reload()
{
    // Edits arrive from the fields' own signals: the fields go away only after they return.
    if (m_rebuildPending || !m_row.person)
        return;
    m_rebuildPending = true;
    QTimer::singleShot(0, this, [this] {
        m_rebuildPending = false;
        rebuild();
    });
}

void ContactInfoEditor::startEditing()
{
    if (QLineEdit *first = valueField(FieldId::FirstName)) {
        first->setFocus();
        first->selectAll();
    }
}

QLineEdit *ContactInfoEditor::valueField(const QString &identifier, int labelIndex) const
{
    if (!m_scroll->widget())
        return nullptr;
    return m_scroll->widget()->findChild<QLineEdit *>(fieldName(identifier, labelIndex));
}

// ---- Building ----------------------------------------------------------------------------------

void ContactInfoEditor::rebuild()
{
    QWidget *focused = m_scroll->widget() ? m_scroll->widget()->focusWidget() : nullptr;
    const QString focusName
        = focused && m_scroll->widget()->isAncestorOf(focused) ? focused->objectName() : QString();
    auto *page = new QWidget;
    auto *form = new QFormLayout(page);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    if (m_row.person && !(m_entry && m_entry->deleted)) {
        QString name = m_row.person->compositeName();
        m_title->setText(name.isEmpty() ? tr("No name") : name);
        addNameRows(form);
        for (const QString &identifier : stringFields())
            addStringRow(form, identifier);
        for (const QString &identifier : textItemFields())
            addLabeledRows(form, identifier, true);
        for (const QString &identifier : detailItemFields())
            addLabeledRows(form, identifier, false);
        const QVariantMap birthday = m_row.person->birthdayValue();
        const QString text = birthday.value(Key::StringValue).toString();
        form->addRow(QVPerson::localizedIdentifierForKey(FieldId::Birthday) + u':',
                     detailButton(text.isEmpty() ? tr("Add") : text, FieldId::Birthday, -1));
        for (const QVariant &v : std::as_const(m_customItems)) {
            const QVariantMap definition = v.toMap();
            const QString customName = definition.value(CustomKey::Name).toString();
            if (definition.value(CustomKey::Type).toString() == ValueType::Labeled)
                addLabeledRows(form, customName, true);
            else
                addStringRow(form, customName);
        }
        addStringRow(form, FieldId::Note);
    } else {
        m_title->clear();
    }
    m_scroll->setWidget(page); // deletes the previous page
    // Wide enough for the rows: only the form's height scrolls.
    m_scroll->setMinimumWidth(page->minimumSizeHint().width()
                              + m_scroll->verticalScrollBar()->sizeHint().width());
    if (!focusName.isEmpty()) {
        if (QWidget *again = page->findChild<QWidget *>(focusName))
            again->setFocus();
    }
}

void ContactInfoEditor::addNameRows(QFormLayout *form)
{
    const QVariantMap name = m_row.person->nameValue();
    const QString composite = name.value(Key::StringValue).toString();
    form->addRow(QVPerson::localizedIdentifierForKey(FieldId::Name) + u':',
                 detailButton(composite.isEmpty() ? tr("No name") : composite, FieldId::Name, -1));
    // The first name also sits in the form itself: a new contact is named by typing at once.
    auto *first = new QLineEdit(name.value(FieldId::FirstName).toString());
    first->setObjectName(FieldId::FirstName);
    first->setReadOnly(!m_editState);
    connect(first, &QLineEdit::editingFinished, this, [this, first] {
        QVariantMap value = m_row.person->nameValue();
        if (!m_editor || value.value(FieldId::FirstName).toString() == first->text())
            return;
        value.insert(FieldId::FirstName, first->text());
        m_editor->undoReplaceNameValue(value, m_entry);
    });
    form->addRow(tr("First name:"), first);
    const QString phonetic = m_row.person->phoneticNameValue().value(Key::StringValue).toString();
    form->addRow(QVPerson::localizedIdentifierForKey(FieldId::PhoneticName) + u':',
                 detailButton(phonetic.isEmpty() ? tr("Add") : phonetic, FieldId::PhoneticName, -1));
}

void ContactInfoEditor::addStringRow(QFormLayout *form, const QString &identifier)
{
    auto *edit = new QLineEdit(m_row.person->stringValueForIdentifier(identifier));
    edit->setObjectName(fieldName(identifier, -1));
    edit->setReadOnly(!m_editState);
    connect(edit, &QLineEdit::editingFinished, this,
            [this, identifier, edit] { commitString(identifier, edit->text()); });
    form->addRow(QVPerson::localizedIdentifierForKey(identifier) + u':', edit);
}

void ContactInfoEditor::addLabeledRows(QFormLayout *form, const QString &identifier, bool textItems)
{
    const QString title = QVPerson::localizedIdentifierForKey(identifier) + u':';
    const QVariantList items = m_row.person->labeledValueForIdentifier(identifier);
    for (const QVariant &v : items) {
        const QVariantMap item = v.toMap();
        form->addRow(title, textItems ? textItemRow(identifier, item) : detailItemRow(identifier, item));
    }
    if (!m_editState)
        return;
    QToolButton *add = smallButton(QStringLiteral("+"), tr("Add"), nullptr);
    add->setObjectName(fieldName(identifier, -1) + QStringLiteral("+"));
    connect(add, &QToolButton::clicked, this, [this, identifier, add] { addItem(identifier, add); });
    form->addRow(items.isEmpty() ? title : QString(), add);
}

QWidget *ContactInfoEditor::textItemRow(const QString &identifier, const QVariantMap &item)
{
    const int labelIndex = item.value(Key::LabelIndex).toInt();
    auto *row = new QWidget;
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *label = new QComboBox(row);
    DetailEditor::fillLabels(label, identifier, item.value(Key::Label).toString());
    label->setEnabled(m_editState);
    connect(label, &QComboBox::activated, this, [this, identifier, labelIndex, label] {
        commitItemEntry(identifier, labelIndex, Key::Label, label->currentData().toString());
    });
    auto *edit = new QLineEdit(item.value(Key::Value).toString(), row);
    edit->setObjectName(fieldName(identifier, labelIndex));
    edit->setReadOnly(!m_editState);
    connect(edit, &QLineEdit::editingFinished, this,
            [this, identifier, labelIndex, edit] { commitItemEntry(identifier, labelIndex, Key::Value, edit->text()); });
    layout->addWidget(label);
    layout->addWidget(edit, 1);
    addDeleteButton(layout, identifier, labelIndex);
    return row;
}

void ContactInfoEditor::addDeleteButton(QHBoxLayout *layout, const QString &identifier, int labelIndex)
{
    if (!m_editState)
        return;
    QToolButton *remove = smallButton(QStringLiteral("−"), tr("Delete"), layout->parentWidget());
    connect(remove, &QToolButton::clicked, this, [this, identifier, labelIndex] { deleteItem(identifier, labelIndex); });
    layout->addWidget(remove);
}

QWidget *ContactInfoEditor::detailItemRow(const QString &identifier, const QVariantMap &item)
{
    const int labelIndex = item.value(Key::LabelIndex).toInt();
    auto *row = new QWidget;
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    const QString label = item.value(Key::Label).toString();
    layout->addWidget(
        new QLabel(QVPerson::localizedLabelFromCNLabel(QVPerson::CNLabelFromLabel(label)), row));
    QString text = item.value(Key::StringValue).toString();
    layout->addWidget(detailButton(text.replace(u'\n', u' '), identifier, labelIndex), 1);
    addDeleteButton(layout, identifier, labelIndex);
    return row;
}

QWidget *ContactInfoEditor::detailButton(const QString &text, const QString &identifier, int labelIndex)
{
    auto *button = new QToolButton;
    button->setText(text);
    button->setObjectName(fieldName(identifier, labelIndex) + QStringLiteral("…"));
    button->setToolTip(tr("Edit"));
    button->setAutoRaise(true);
    connect(button, &QToolButton::clicked, this,
            [this, identifier, labelIndex, button] { openDetailEditor(identifier, labelIndex, button); });
    return button;
}

// ---- Changes -----------------------------------------------------------------------------------

void ContactInfoEditor::commitString(const QString &identifier, const QString &text)
{
    if (!m_editor || !m_row.person || text == m_row.person->stringValueForIdentifier(identifier))
        return;
    m_editor->undoReplaceValue(text, identifier, m_entry, this);
}

void ContactInfoEditor::commitItemEntry(const QString &identifier, int labelIndex, const QString &key,
                                        const QString &text)
{
    if (!m_editor || !m_row.person)
        return;
    QVariantMap item = m_row.person->labeledValueForIdentifierAtLabelIndex(identifier, labelIndex);
    if (item.isEmpty() || item.value(key).toString() == text)
        return;
    item.insert(key, text);
    m_editor->undoReplaceLabeledValue(item, identifier, m_entry, this);
}

void ContactInfoEditor::addItem(const QString &identifier, QWidget *anchor)
{
    if (!m_editor || !m_row.person)
        return;
    if (detailItemFields().contains(identifier)) {
        openDetailEditor(identifier, -1, anchor);
        return;
    }
    const QVariantMap item { { Key::Label, QVPerson::labelsForIdentifier(identifier).value(0) },
                             { Key::Value, QString() } };
    if (!m_editor->undoAddLabeledValue(item, identifier, m_entry, this))
        return;
    // The new item's field takes the keyboard once the form is rebuilt.
    const QVariantList items = m_row.person->labeledValueForIdentifier(identifier);
    const int labelIndex = items.isEmpty() ? -1 : items.last().toMap().value(Key::LabelIndex).toInt();
    QTimer::singleShot(0, this, [this, identifier, labelIndex] {
        if (QLineEdit *edit = valueField(identifier, labelIndex))
            edit->setFocus();
    });
}

void ContactInfoEditor::deleteItem(const QString &identifier, int labelIndex)
{
    if (m_editor)
        m_editor->undoDeleteLabeledValueForIdentifier(identifier, labelIndex, m_entry, this);
}

void ContactInfoEditor::openDetailEditor(const QString &identifier, int labelIndex, QWidget *anchor)
{
    DetailEditor *detail = createDetailEditor(identifier);
    if (!detail || !m_row.person)
        return;
    if (m_popover)
        m_popover->close();
    auto *popover = new Popover(this);
    m_popover = popover;
    popover->setContentWidget(detail);
    detail->setContextInfo(PopoverContext::make(m_row, identifier, labelIndex, m_editState), m_editState);
    connect(detail, &DetailEditor::finished, popover, &Popover::close);
    connect(popover, &Popover::closed, this, [this, detail = QPointer<DetailEditor>(detail)] {
        if (detail && m_editor)
            PopoverContext::apply(*m_editor, detail->context(), { m_row }, this);
    });
    popover->showRelativeTo(QRect(anchor->mapToGlobal(QPoint(0, 0)), anchor->size()));
}
