#include "detail/addresseditor.h"

#include "detail/detailvalues.h"
#include "detail/keys.h"
#include "record/keys.h"
#include "record/qvperson.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

AddressEditor::AddressEditor(QWidget *parent)
    : DetailEditor(parent)
    , m_label(new QComboBox(this))
    , m_country(new QComboBox(this))
    , m_form(new QFormLayout)
    , m_preview(new QLabel(this))
{
    m_label->setObjectName(Key::Label);
    m_country->setObjectName(Key::IsoCountryCode);
    // The list is long: typing a country's name finds it.
    m_country->setEditable(true);
    m_country->setInsertPolicy(QComboBox::NoInsert);
    m_country->addItem(tr("Default"), QString());
    for (const QVariant &v : DetailValues::countryChoices()) {
        const QVariantMap choice = v.toMap();
        m_country->addItem(choice.value(CountryChoiceKey::String).toString(),
                           choice.value(CountryChoiceKey::CountryCode));
    }
    for (const QString &component : QVPerson::addressIdentifiers()) {
        auto *edit = new QLineEdit(this);
        edit->setObjectName(component);
        edit->setMinimumWidth(260);
        m_fields.insert(component, edit);
        connect(edit, &QLineEdit::textEdited, this, &AddressEditor::updatePreview);
    }
    m_preview->setWordWrap(true);
    m_preview->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_preview->setForegroundRole(QPalette::PlaceholderText);

    auto *top = new QFormLayout;
    top->addRow(tr("Label:"), m_label);
    top->addRow(tr("Format:"), m_country);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top);
    layout->addLayout(m_form);
    layout->addWidget(m_preview);
    layout->addWidget(buttonBar());

    connect(m_country, &QComboBox::currentIndexChanged, this, [this] {
        arrangeFields();
        updatePreview();
    });
}

void AddressEditor::loadContext()
{
    m_start = startItem();
    fillLabels(m_label, FieldId::Address, m_start.value(Key::Label).toString());
    for (auto it = m_fields.cbegin(); it != m_fields.cend(); ++it)
        it.value()->setText(m_start.value(it.key()).toString());
    const QString iso = m_start.value(Key::IsoCountryCode).toString().toUpper();
    const QSignalBlocker blocker(m_country);
    m_country->setCurrentIndex(std::max(0, m_country->findData(iso)));
    arrangeFields();
    updatePreview();
    // The first component field takes the keyboard.
    if (!m_order.isEmpty())
        setFocusProxy(m_fields.value(m_order.first()));
}

void AddressEditor::arrangeFields()
{
    QVariantMap probe = editedItem();
    m_order = DetailValues::addressComponentOrder(DetailValues::addressCountryCode(probe));
    while (m_form->rowCount() > 0) {
        const QFormLayout::TakeRowResult taken = m_form->takeRow(0);
        if (taken.labelItem) {
            delete taken.labelItem->widget();
            delete taken.labelItem;
        }
        delete taken.fieldItem;
    }
    QWidget *previous = m_country;
    for (const QString &component : std::as_const(m_order)) {
        QLineEdit *edit = m_fields.value(component);
        m_form->addRow(QVPerson::localizedIdentifierForKey(component) + u':', edit);
        setTabOrder(previous, edit);
        previous = edit;
    }
}

QVariantMap AddressEditor::editedItem() const
{
    QVariantMap item = m_start;
    if (item.isEmpty())
        item.insert(Key::LabelIndex, -1);
    item.insert(Key::Label, chosenLabel(m_label));
    for (auto it = m_fields.cbegin(); it != m_fields.cend(); ++it)
        item.insert(it.key(), it.value()->text());
    // The text of the combo box may be a typed name the list does not hold: no code then.
    const int chosen = m_country->findText(m_country->currentText());
    const QString iso = chosen >= 0 ? m_country->itemData(chosen).toString() : QString();
    if (iso.isEmpty())
        item.remove(Key::IsoCountryCode);
    else
        item.insert(Key::IsoCountryCode, iso);
    // Recomputed from the components when the record takes the address.
    item.remove(Key::PredictCountryCode);
    return item;
}

void AddressEditor::updatePreview()
{
    QVariantMap item = editedItem();
    QVPerson::updateAddressValue(item, 1);
    m_preview->setText(item.value(Key::StringValue).toString().replace(u'\n', u' '));
}

QVariant AddressEditor::result() const
{
    return editedItem();
}
