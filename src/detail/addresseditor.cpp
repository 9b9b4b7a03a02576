#include "detail/addresseditor.h"

#include "detail/detailvalues.h"
#include "detail/keys.h"
#include "postal/keys.h"
#include "postal/postalcodes.h"
#include "postal/zipdatabase.h"
#include "record/keys.h"
#include "record/qvperson.h"

#include <QApplication>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Fewer typed digits than this name too many places to look up.
constexpr qsizetype LookupMinimumDigits = 3;
// A prefix can name hundreds of places: the chooser lists the first ones.
constexpr qsizetype ChooserMaximumEntries = 50;

QString chooserText(const QVariantMap &found)
{
    QString text = found.value(PostalKey::Zip).toString() + QStringLiteral("  ")
        + found.value(PostalKey::State).toString() + found.value(PostalKey::City).toString()
        + PostalCodes::streetForAddress(found);
    const QString company = found.value(PostalKey::Company).toString();
    if (!company.isEmpty())
        text += QStringLiteral("  ") + company;
    return text;
}

} // namespace

AddressEditor::AddressEditor(QWidget *parent)
    : DetailEditor(parent)
    , m_label(new QComboBox(this))
    , m_country(new QComboBox(this))
    , m_form(new QFormLayout)
    , m_preview(new QLabel(this))
    , m_lookup(new QPushButton(tr("Lookup"), this))
    , m_lookupStatus(new QLabel(this))
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
    m_lookup->setEnabled(false);
    m_lookup->setAutoDefault(false);
    m_lookupStatus->setWordWrap(true);
    m_lookupStatus->hide();
    connect(m_lookup, &QPushButton::clicked, this, &AddressEditor::lookup);
    connect(m_fields.value(FieldId::Zip), &QLineEdit::textEdited, this, &AddressEditor::zipEdited);
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
        updateLookupAvailability();
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
    m_lookupStatus->hide();
    updateLookupAvailability();
    // Normally loaded on a worker since the table appeared; ready before the first lookup.
    PostalCodes::preload();
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
        m_form->addRow(QVPerson::localizedIdentifierForKey(component) + u':',
                       component == FieldId::Zip ? zipRow() : edit);
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

QWidget *AddressEditor::zipRow()
{
    if (!m_zipRow) {
        // The code and its button side by side, what a failed lookup says below them.
        m_zipRow = new QWidget(this);
        auto *column = new QVBoxLayout(m_zipRow);
        column->setContentsMargins(0, 0, 0, 0);
        column->setSpacing(2);
        auto *row = new QHBoxLayout;
        row->addWidget(m_fields.value(FieldId::Zip), 1);
        row->addWidget(m_lookup);
        column->addLayout(row);
        column->addWidget(m_lookupStatus);
    }
    return m_zipRow;
}

void AddressEditor::updateLookupAvailability()
{
    const bool japanese = DetailValues::addressCountryCode(editedItem()) == PostalCountry::Japan;
    const bool usable = japanese && isEditable() && !m_fields.value(FieldId::Zip)->text().isEmpty();
    m_lookup->setVisible(usable);
    m_lookup->setEnabled(usable);
}

void AddressEditor::zipEdited(const QString &text)
{
    m_lookupStatus->hide();
    if (text.size() < LookupMinimumDigits) {
        m_lookup->setEnabled(false);
        return;
    }
    // The country as on opening: chosen, else known by its name, else the user's own; another
    // country's code leaves the button as it is.
    if (DetailValues::addressCountryCode(editedItem()) == PostalCountry::Japan) {
        m_lookup->setVisible(true);
        m_lookup->setEnabled(true);
    }
}

void AddressEditor::lookup()
{
    const QString zip = m_fields.value(FieldId::Zip)->text();
    if (zip.isEmpty() || !isEditable())
        return;
    const QVariantList found = PostalCodes::addressesFromZip(zip);
    if (found.isEmpty()) {
        QApplication::beep();
        // Said beside the field: the typed code stays, to be corrected.
        QStringList lines { tr("Do not find") };
        lines += ZipDatabase::shared().problems();
        m_lookupStatus->setText(lines.join(u'\n'));
        m_lookupStatus->show();
        return;
    }
    if (found.size() == 1) {
        fillFromLookup(found.first().toMap());
        return;
    }
    delete m_chooser;
    m_chooser = new QMenu(this);
    for (qsizetype i = 0; i < std::min(found.size(), ChooserMaximumEntries); ++i) {
        const QVariantMap place = found.at(i).toMap();
        connect(m_chooser->addAction(chooserText(place)), &QAction::triggered, this,
                [this, place] { fillFromLookup(place); });
    }
    if (found.size() > ChooserMaximumEntries) {
        const int more = int(found.size() - ChooserMaximumEntries);
        m_chooser->addAction(tr("%n more: type more digits", nullptr, more))->setEnabled(false);
    }
    m_chooser->setActiveAction(m_chooser->actions().constFirst());
    m_chooser->popup(m_lookup->mapToGlobal(QPoint(0, m_lookup->height())));
}

void AddressEditor::fillFromLookup(const QVariantMap &found)
{
    m_fields.value(FieldId::State)->setText(found.value(PostalKey::State).toString());
    m_fields.value(FieldId::City)->setText(found.value(PostalKey::City).toString());
    m_fields.value(FieldId::Street)->setText(PostalCodes::streetForAddress(found));
    m_lookupStatus->hide();
    updatePreview();
    m_fields.value(FieldId::Street)->setFocus();
}
