#include "window/printoptionspanel.h"

#include "platform/userdefaults.h"
#include "print/keys.h"
#include "print/printoptions.h"
#include "record/keys.h"
#include "record/qvperson.h"
#include "window/labelpresetpanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFontComboBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// The honorific suffixes offered after "None".
const QStringList honorifics { QStringLiteral("様"), QStringLiteral("殿"), QStringLiteral("御中"),
                               QStringLiteral("先生") };

} // namespace

PrintOptionsPanel::PrintOptionsPanel(UserDefaults &defaults, QSizeF paper, QWidget *parent)
    : QWidget(parent)
    , m_defaults(defaults)
    , m_options(PrintOptions::load(defaults))
    , m_paper(paper)
    , m_unit(PrintUnit::Points)
{
    setWindowTitle(tr("Print Style"));
    auto *layout = new QVBoxLayout(this);
    m_tabs = new QTabWidget(this);
    m_tabs->addTab(makeAddressListTab(), styleTitle(PrintStyle::AddressList));
    m_tabs->addTab(makeLabelsTab(), styleTitle(PrintStyle::MailingLabels));
    m_tabs->addTab(makeEnvelopeTab(), styleTitle(PrintStyle::Envelope));
    m_tabs->addTab(makeHagakiTab(), styleTitle(PrintStyle::Hagaki));
    m_tabs->setCurrentIndex(
        std::max<int>(0, int(PrintStyle::all().indexOf(PrintOptions::lastPrintStyle(defaults)))));
    layout->addWidget(m_tabs);

    // Margins two by two, so that the dialog fits a small screen.
    auto *common = new QGridLayout;
    int marginIndex = 0;
    auto *unit = new QComboBox(this);
    unit->addItem(tr("points"), PrintUnit::Points);
    unit->addItem(tr("inches"), PrintUnit::Inches);
    unit->addItem(tr("mm"), PrintUnit::Millimetres);
    common->addWidget(new QLabel(tr("Unit:"), this), 0, 0);
    common->addWidget(unit, 0, 1);
    const struct
    {
        QString key;
        QString title;
        bool vertical;
    } margins[] = { { PrintKey::TopMargin, tr("Top:"), true },
                    { PrintKey::LeftMargin, tr("Left:"), false },
                    { PrintKey::RightMargin, tr("Right:"), false },
                    { PrintKey::BottomMargin, tr("Bottom:"), true } };
    for (const auto &margin : margins) {
        const QString key = margin.key;
        const bool vertical = margin.vertical;
        QDoubleSpinBox *field
            = makeLength(PrintOptions::number(m_options, key), [this, key, vertical](double points) {
                  const double dimension = vertical ? m_paper.height() : m_paper.width();
                  m_options.insert(key, PrintOptions::clampMargin(points, dimension));
              });
        field->setObjectName(key);
        (vertical ? m_verticalMargins : m_horizontalMargins).append(field);
        const int row = 1 + marginIndex / 2;
        const int column = (marginIndex % 2) * 2;
        common->addWidget(new QLabel(margin.title, this), row, column);
        common->addWidget(field, row, column + 1);
        ++marginIndex;
    }
    m_font = new QFontComboBox(this);
    m_font->setCurrentFont(QFont(m_options.value(PrintKey::FontName).toString()));
    m_fontSize = new QSpinBox(this);
    m_fontSize->setObjectName(PrintKey::FontSize);
    m_fontSize->setRange(4, 72);
    m_fontSize->setValue(int(PrintOptions::number(m_options, PrintKey::FontSize, 8)));
    auto *fontRow = new QHBoxLayout;
    fontRow->addWidget(m_font, 1);
    fontRow->addWidget(m_fontSize);
    common->addWidget(new QLabel(tr("Font:"), this), 3, 0);
    common->addLayout(fontRow, 3, 1, 1, 3);
    layout->addLayout(common);
    auto *preview = new QPushButton(tr("Pre&view…"), this);
    m_summary = new QLabel(this);
    m_summary->setObjectName(PrintPanelObject::Summary);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_summary, 1);
    bottom->addWidget(preview);
    layout->addLayout(bottom);

    setPaper(paper);
    unit->setCurrentIndex(std::max(0, unit->findData(m_options.value(PrintKey::UnitType).toString())));
    unitChanged(unit->currentData().toString());
    connect(unit, &QComboBox::currentIndexChanged, this, [this, unit] { unitChanged(unit->currentData().toString()); });
    connect(m_font, &QFontComboBox::currentFontChanged, this, [this](const QFont &font) {
        m_options.insert(PrintKey::FontName, font.family());
        updateUI();
    });
    connect(m_fontSize, &QSpinBox::valueChanged, this, [this](int size) {
        m_options.insert(PrintKey::FontSize, size);
        updateUI();
    });
    connect(m_tabs, &QTabWidget::currentChanged, this, [this] {
        PrintOptions::storeLastPrintStyle(m_defaults, printStyle());
        updateUI();
    });
    connect(preview, &QPushButton::clicked, this, &PrintOptionsPanel::previewRequested);
    updateUI();
}

QString PrintOptionsPanel::printStyle() const
{
    // Controls made while the tabs are built store values before there is a tab to read.
    return m_tabs ? PrintStyle::all().value(m_tabs->currentIndex(), PrintStyle::AddressList)
                  : PrintStyle::AddressList;
}

QString PrintOptionsPanel::styleTitle(const QString &style)
{
    if (style == PrintStyle::MailingLabels)
        return tr("Mailing Labels");
    if (style == PrintStyle::Envelope)
        return tr("Envelope");
    if (style == PrintStyle::Hagaki)
        return tr("Hagaki");
    return tr("Address List");
}

QList<std::pair<QString, QString>> PrintOptionsPanel::summaryItems() const
{
    return { { tr("Header and Footer"), m_headerAndFooter ? tr("On") : tr("Off") },
             { tr("Print Style"), styleTitle(printStyle()) } };
}

void PrintOptionsPanel::setHeaderAndFooter(bool on)
{
    m_headerAndFooter = on;
    updateUI();
}

void PrintOptionsPanel::setPaper(QSizeF paper, const QString &paperName)
{
    const bool otherPaper = paper != m_paper || paperName != m_paperName;
    m_paper = paper;
    m_paperName = paperName;
    for (QDoubleSpinBox *field : std::as_const(m_verticalMargins))
        field->setRange(-0.95 * PrintOptions::changeValue(float(paper.height()), PrintUnit::Points, m_unit),
                        0.95 * PrintOptions::changeValue(float(paper.height()), PrintUnit::Points, m_unit));
    for (QDoubleSpinBox *field : std::as_const(m_horizontalMargins))
        field->setRange(-0.95 * PrintOptions::changeValue(float(paper.width()), PrintUnit::Points, m_unit),
                        0.95 * PrintOptions::changeValue(float(paper.width()), PrintUnit::Points, m_unit));
    if (otherPaper)
        showEnvelopeRect();
}

// The envelope's address rectangle is kept per paper: the fields show the one of this paper.
void PrintOptionsPanel::showEnvelopeRect()
{
    if (m_envelopeRect.size() != 4)
        return;
    const QRectF rect = PrintOptions::envelopeTextRect(m_options, m_paper, m_paperName);
    const qreal values[] = { rect.x(), rect.y(), rect.width(), rect.height() };
    for (int i = 0; i < 4; ++i) {
        QDoubleSpinBox *field = m_envelopeRect.at(i);
        const QSignalBlocker blocker(field);
        field->setProperty("points", values[i]);
        field->setValue(PrintOptions::changeValue(float(values[i]), PrintUnit::Points, m_unit));
    }
}

void PrintOptionsPanel::storeEnvelopeRect()
{
    if (m_envelopeRect.size() != 4)
        return;
    const auto points = [this](int i) { return m_envelopeRect.at(i)->property("points").toDouble(); };
    m_options = PrintOptions::withEnvelopeTextRect(m_options, m_paperName,
                                                   QRectF(points(0), points(1), points(2), points(3)));
}

void PrintOptionsPanel::addEnvelopeRectRows(QFormLayout *form)
{
    const QString titles[] = { tr("Text X:"), tr("Text Y:"), tr("Text Width:"), tr("Text Height:") };
    auto *grid = new QGridLayout;
    for (int i = 0; i < 4; ++i) {
        QDoubleSpinBox *field = makeLength(0, [this](double) { storeEnvelopeRect(); });
        field->setObjectName(PrintPanelObject::EnvelopeText + QString::number(i));
        m_envelopeRect.append(field);
        grid->addWidget(new QLabel(titles[i], this), i / 2, (i % 2) * 2);
        grid->addWidget(field, i / 2, (i % 2) * 2 + 1);
    }
    form->addRow(grid);
    showEnvelopeRect();
}

void PrintOptionsPanel::setColumns(const QStringList &columns)
{
    QVariantMap list = PrintOptions::styleOptions(m_options, PrintStyle::AddressList);
    list.insert(StyleKey::ItemTable,
                PrintOptions::itemTableForColumns(list.value(StyleKey::ItemTable).toList(), columns));
    m_options.insert(PrintKey::AddressListOptions, list);
    const QSignalBlocker blocker(m_items);
    for (int i = 0; i < m_items->count(); ++i) {
        if (columns.contains(m_items->item(i)->data(Qt::UserRole).toString())
            && m_items->item(i)->data(Qt::UserRole).toString() != FieldId::Name)
            m_items->item(i)->setCheckState(Qt::Checked);
    }
    updateUI();
}

QDoubleSpinBox *PrintOptionsPanel::makeLength(double points, const std::function<void(double)> &store)
{
    auto *field = new QDoubleSpinBox(this);
    field->setDecimals(2);
    field->setRange(0, 10000);
    field->setValue(points);
    field->setProperty("points", points);
    connect(field, &QDoubleSpinBox::valueChanged, this, [this, field, store](double shown) {
        const double points = PrintOptions::changeValue(float(shown), m_unit, PrintUnit::Points);
        field->setProperty("points", points);
        store(points);
        updateUI();
    });
    m_lengths.append(field);
    return field;
}

void PrintOptionsPanel::unitChanged(const QString &unit)
{
    m_unit = unit;
    setPaper(m_paper, m_paperName);
    for (QDoubleSpinBox *field : std::as_const(m_lengths)) {
        const QSignalBlocker blocker(field);
        field->setSingleStep(unit == PrintUnit::Inches ? 0.1 : 1);
        field->setValue(
            PrintOptions::changeValue(float(field->property("points").toDouble()), PrintUnit::Points, unit));
    }
}

void PrintOptionsPanel::setStyleValue(const QString &style, const QString &key, const QVariant &value)
{
    QVariantMap options = PrintOptions::styleOptions(m_options, style);
    options.insert(key, value);
    m_options.insert(PrintOptions::styleOptionsKey(style), options);
    updateUI();
}

QWidget *PrintOptionsPanel::makeSwitch(const QString &style, const QString &key, const QString &title)
{
    auto *box = new QCheckBox(title, this);
    box->setChecked(PrintOptions::flag(PrintOptions::styleOptions(m_options, style), key));
    connect(box, &QCheckBox::toggled, this, [this, style, key](bool on) { setStyleValue(style, key, on); });
    return box;
}

QComboBox *PrintOptionsPanel::makeSuffixPopup(const QString &style)
{
    auto *popup = new QComboBox(this);
    popup->addItem(tr("None"));
    popup->addItems(honorifics);
    const QString stored = PrintOptions::styleOptions(m_options, style).value(StyleKey::Keishou).toString();
    popup->setCurrentIndex(std::max(0, popup->findText(stored)));
    connect(popup, &QComboBox::currentIndexChanged, this, [this, style, popup](int index) {
        setStyleValue(style, StyleKey::Keishou, index == 0 ? QString() : popup->currentText());
    });
    return popup;
}

QComboBox *PrintOptionsPanel::makeVerticalFontPopup(const QString &style)
{
    auto *popup = new QComboBox(this);
    popup->addItems(PrintOptions::verticalFontList());
    const QString stored
        = PrintOptions::styleOptions(m_options, style).value(StyleKey::VerticalFontName).toString();
    if (popup->findText(stored) >= 0)
        popup->setCurrentText(stored);
    else
        setStyleValue(style, StyleKey::VerticalFontName, popup->currentText());
    popup->setEnabled(
        PrintOptions::flag(PrintOptions::styleOptions(m_options, style), StyleKey::PrintVertical));
    connect(popup, &QComboBox::currentTextChanged, this, [this, style](const QString &family) {
        setStyleValue(style, StyleKey::VerticalFontName, family);
    });
    return popup;
}

// The switches that labels and envelopes share: frame, company, country and prefix.
void PrintOptionsPanel::addContentSwitches(QFormLayout *form, const QString &style)
{
    for (const auto &[key, title] : { std::pair { StyleKey::PrintFrame, tr("Print Frame") },
                                      std::pair { StyleKey::PrintCompany, tr("Print Company") },
                                      std::pair { StyleKey::PrintCountry, tr("Print Country") },
                                      std::pair { StyleKey::PrintPrefix, tr("Print Prefix") } })
        form->addRow(makeSwitch(style, key, title));
}

// "Draw Text in Vertical" with its font popup, which only vertical text uses.
void PrintOptionsPanel::addVerticalRow(QFormLayout *form, const QString &style)
{
    auto *vertical
        = qobject_cast<QCheckBox *>(makeSwitch(style, StyleKey::PrintVertical, tr("Draw Text in Vertical")));
    QComboBox *fonts = makeVerticalFontPopup(style);
    connect(vertical, &QCheckBox::toggled, fonts, &QWidget::setEnabled);
    form->addRow(vertical, fonts);
}

// The sender of envelopes and postcards: who it is and which of the sender's addresses.
void PrintOptionsPanel::addSenderRows(QFormLayout *form, const QString &style)
{
    auto *name = new QLabel(tr("No sender"), this);
    name->setObjectName(PrintPanelObject::SenderName);
    m_senderNames.append(name);
    auto *choose = new QPushButton(tr("Use Selected Contact as Sender"), this);
    connect(choose, &QPushButton::clicked, this, &PrintOptionsPanel::senderRequested);
    // Two rows, so that the envelope tab still fits a small screen.
    form->addRow(makeSwitch(style, StyleKey::PrintSender, tr("Print Sender")), name);

    auto *address = new QComboBox(this);
    address->setObjectName(PrintPanelObject::SenderAddress);
    address->addItem(tr("home"), LabelFilterWord::Home);
    address->addItem(tr("work"), LabelFilterWord::Work);
    address->addItem(tr("other"), LabelFilterWord::Other);
    const QVariantMap envelope = PrintOptions::styleOptions(m_options, PrintStyle::Envelope);
    address->setCurrentIndex(std::max(0, address->findData(envelope.value(StyleKey::SenderLabel))));
    address->setToolTip(tr("The address of the sender that is printed"));
    m_senderAddresses.append(address);
    auto *row = new QHBoxLayout;
    row->addWidget(choose);
    row->addWidget(address, 1);
    form->addRow(row);
    // Both tabs share the envelope's choice; each popup follows the other.
    connect(address, &QComboBox::currentIndexChanged, this, [this, address](int index) {
        for (QComboBox *other : std::as_const(m_senderAddresses)) {
            const QSignalBlocker blocker(other);
            other->setCurrentIndex(index);
        }
        QVariantMap envelope = PrintOptions::styleOptions(m_options, PrintStyle::Envelope);
        envelope.insert(StyleKey::SenderLabel, address->currentData());
        envelope.insert(StyleKey::SenderLabelIndex, index);
        m_options.insert(PrintKey::EnvelopeOptions, envelope);
        updateUI();
    });
}

void PrintOptionsPanel::setSenderName(const QString &name)
{
    for (QLabel *label : std::as_const(m_senderNames))
        label->setText(name.isEmpty() ? tr("No sender") : name);
}

QWidget *PrintOptionsPanel::makeAddressListTab()
{
    auto *tab = new QWidget(this);
    auto *layout = new QVBoxLayout(tab);
    layout->addWidget(makeSwitch(PrintStyle::AddressList, StyleKey::PrintFrame, tr("Print Frame")));
    layout->addWidget(makeSwitch(PrintStyle::AddressList, StyleKey::AlternatingRow, tr("Alternating Row")));
    layout->addWidget(makeLabelFilter(tab));
    m_items = new QListWidget(tab);
    m_items->setDragDropMode(QAbstractItemView::InternalMove);
    for (const QVariant &entry :
         PrintOptions::styleOptions(m_options, PrintStyle::AddressList).value(StyleKey::ItemTable).toList()) {
        const QVariantMap row = entry.toMap();
        auto *item = new QListWidgetItem(
            QVPerson::localizedIdentifierForKey(row.value(ItemKey::Title).toString()), m_items);
        item->setData(Qt::UserRole, row.value(ItemKey::Title));
        item->setCheckState(PrintOptions::flag(row, ItemKey::State) ? Qt::Checked : Qt::Unchecked);
        if (!PrintOptions::flag(row, ItemKey::Enabled))
            item->setFlags(item->flags() & ~Qt::ItemIsUserCheckable);
    }
    // The rows are written back whole after a tick or a drag, in the order the list shows.
    const auto storeItems = [this] {
        QVariantList rows;
        for (int i = 0; i < m_items->count(); ++i) {
            const QListWidgetItem *item = m_items->item(i);
            const QString title = item->data(Qt::UserRole).toString();
            rows.append(QVariantMap {
                { ItemKey::Title, title },
                { ItemKey::State, item->checkState() == Qt::Checked ? ItemKey::On : ItemKey::Off },
                { ItemKey::Enabled, title == FieldId::Name ? ItemKey::Off : ItemKey::On } });
        }
        setStyleValue(PrintStyle::AddressList, StyleKey::ItemTable, rows);
    };
    connect(m_items, &QListWidget::itemChanged, this, storeItems);
    connect(m_items->model(), &QAbstractItemModel::rowsMoved, this, storeItems);
    m_items->setMaximumHeight(180);
    layout->addWidget(m_items);
    return tab;
}

QWidget *PrintOptionsPanel::makeLabelFilter(QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setText(tr("Label"));
    button->setPopupMode(QToolButton::InstantPopup);
    auto *menu = new QMenu(button);
    QStringList labels { PrintLabel::All, LabelFilterWord::Home, LabelFilterWord::Work,
                         LabelFilterWord::Other };
    for (const QString &field :
         { FieldId::Phone, FieldId::Email, FieldId::Address, FieldId::Url, FieldId::SocialNetwork,
           FieldId::InstantMessage, FieldId::Dates, FieldId::Relationship }) {
        for (const QString &label : QVPerson::labelsForIdentifier(field)) {
            if (!labels.contains(label))
                labels.append(label);
        }
    }
    const QStringList selected = PrintOptions::styleOptions(m_options, PrintStyle::AddressList)
                                     .value(StyleKey::SelectedLabels)
                                     .toStringList();
    for (const QString &label : std::as_const(labels)) {
        QAction *action = menu->addAction(label);
        action->setCheckable(true);
        action->setChecked(selected.contains(label) || (selected.isEmpty() && label == PrintLabel::All));
    }
    // "All" and the other labels exclude each other; nothing ticked means "All".
    connect(menu, &QMenu::triggered, this, [this, menu](QAction *chosen) {
        const QStringList current = PrintOptions::styleOptions(m_options, PrintStyle::AddressList)
                                        .value(StyleKey::SelectedLabels)
                                        .toStringList();
        const QStringList next = PrintOptions::toggleSelectedLabel(current, chosen->text());
        for (QAction *action : menu->actions())
            action->setChecked(next.contains(action->text()));
        setStyleValue(PrintStyle::AddressList, StyleKey::SelectedLabels, next);
    });
    button->setMenu(menu);
    return button;
}

QWidget *PrintOptionsPanel::makeLabelsTab()
{
    const QString style = PrintStyle::MailingLabels;
    const QVariantMap labels = PrintOptions::styleOptions(m_options, style);
    auto *tab = new QWidget(this);
    auto *form = new QFormLayout(tab);
    m_presets = new QComboBox(tab);
    fillPresetPopup({});
    form->addRow(tr("Preset:"), m_presets);
    const struct
    {
        QString key;
        QString title;
    } sizes[] = { { StyleKey::LabelWidth, tr("Width:") },
                  { StyleKey::LabelHeight, tr("Height:") },
                  { StyleKey::HGap, tr("Horizontal Gap:") },
                  { StyleKey::VGap, tr("Vertical Gap:") } };
    for (const auto &size : sizes) {
        const QString key = size.key;
        QDoubleSpinBox *field
            = makeLength(PrintOptions::number(labels, key),
                         [this, style, key](double points) { setStyleValue(style, key, points); });
        field->setObjectName(key);
        m_labelSizes.append(field);
        form->addRow(size.title, field);
    }
    connect(m_presets, &QComboBox::activated, this, &PrintOptionsPanel::presetChosen);
    auto *repeat = new QSpinBox(tab);
    repeat->setRange(1, 1000);
    repeat->setValue(int(PrintOptions::number(labels, StyleKey::RepeatCount, 1)));
    connect(repeat, &QSpinBox::valueChanged, this,
            [this, style](int count) { setStyleValue(style, StyleKey::RepeatCount, count); });
    form->addRow(tr("Repeat Count:"), repeat);
    form->addRow(tr("Suffix:"), makeSuffixPopup(style));
    addContentSwitches(form, style);
    addVerticalRow(form, style);
    return tab;
}

// One item per preset, then "Add/Delete...", which opens the preset panel.
void PrintOptionsPanel::fillPresetPopup(const QString &selected)
{
    const QSignalBlocker blocker(m_presets);
    m_presets->clear();
    for (const QVariant &preset : PrintOptions::styleOptions(m_options, PrintStyle::MailingLabels)
                                      .value(StyleKey::PresetArray)
                                      .toList())
        m_presets->addItem(preset.toMap().value(StyleKey::Name).toString(), preset);
    m_presets->insertSeparator(m_presets->count());
    m_presets->addItem(tr("Add/Delete..."));
    // The separator has no text: an empty name must not find it.
    const int found = selected.isEmpty() ? -1 : m_presets->findText(selected);
    m_presetIndex = found >= 0 && m_presets->itemData(found).isValid() ? found : 0;
    m_presets->setCurrentIndex(m_presetIndex);
}

void PrintOptionsPanel::presetChosen(int index)
{
    if (index == m_presets->count() - 1) {
        m_presets->setCurrentIndex(m_presetIndex);
        openPresetPanel();
        return;
    }
    const QVariantMap preset = m_presets->itemData(index).toMap();
    if (preset.isEmpty())
        return;
    m_presetIndex = index;
    const QString keys[] = { StyleKey::LabelWidth, StyleKey::LabelHeight, StyleKey::HGap, StyleKey::VGap };
    for (int i = 0; i < 4; ++i)
        m_labelSizes.at(i)->setValue(PrintOptions::changeValue(float(PrintOptions::number(preset, keys[i])),
                                                               PrintUnit::Points, m_unit));
}

void PrintOptionsPanel::openPresetPanel()
{
    const QVariantMap labels = PrintOptions::styleOptions(m_options, PrintStyle::MailingLabels);
    const auto points = [&labels](const QString &key) { return PrintOptions::number(labels, key); };
    const QVariantMap sizes
        = PrintOptions::makePreset({}, points(StyleKey::LabelWidth), points(StyleKey::LabelHeight),
                                   points(StyleKey::HGap), points(StyleKey::VGap));
    // The suggested name gives the sizes as the tab shows them.
    const auto shown = [](QDoubleSpinBox *field) { return QString::number(field->value(), 'g', 6); };
    const QString name = PresetNamePattern.arg(shown(m_labelSizes.at(0)), shown(m_labelSizes.at(1)), m_unit,
                                               shown(m_labelSizes.at(2)));
    auto *panel = new LabelPresetPanel(labels.value(StyleKey::PresetArray).toList(), sizes, name, this);
    panel->setAttribute(Qt::WA_DeleteOnClose);
    connect(panel, &QDialog::finished, this, [this, panel] {
        setStyleValue(PrintStyle::MailingLabels, StyleKey::PresetArray, panel->presets());
        const QString current = m_presets->itemText(m_presetIndex);
        fillPresetPopup(panel->addedName().isEmpty() ? current : panel->addedName());
        if (!panel->addedName().isEmpty())
            presetChosen(m_presetIndex);
    });
    panel->open();
}

QWidget *PrintOptionsPanel::makeEnvelopeTab()
{
    const QString style = PrintStyle::Envelope;
    auto *tab = new QWidget(this);
    auto *form = new QFormLayout(tab);
    addContentSwitches(form, style);
    form->addRow(tr("Suffix:"), makeSuffixPopup(style));
    auto *direction = new QComboBox(tab);
    direction->addItem(tr("Left-Right"), TextDirection::LeftRight);
    direction->addItem(tr("Up-Down"), TextDirection::UpDown);
    const QString stored
        = PrintOptions::styleOptions(m_options, style).value(StyleKey::TextDirection).toString();
    direction->setCurrentIndex(stored == TextDirection::UpDown ? 1 : 0);
    connect(direction, &QComboBox::currentIndexChanged, this, [this, style, direction] {
        const QString stored
            = PrintOptions::styleOptions(m_options, style).value(StyleKey::TextDirection).toString();
        const bool changed
            = (stored == TextDirection::UpDown) != (direction->currentData() == TextDirection::UpDown);
        if (changed && m_envelopeRect.size() == 4) {
            // Turned text runs along the other side: the rectangle turns with it.
            QDoubleSpinBox *width = m_envelopeRect.at(2);
            QDoubleSpinBox *height = m_envelopeRect.at(3);
            const double shownWidth = width->value();
            const QSignalBlocker widthBlocker(width);
            width->setValue(height->value());
            width->setProperty("points", height->property("points"));
            height->setValue(shownWidth);
        }
        setStyleValue(style, StyleKey::TextDirection, direction->currentData());
    });
    form->addRow(tr("Text Direction:"), direction);
    addEnvelopeRectRows(form);
    addSenderRows(form, style);
    addVerticalRow(form, style);
    return tab;
}

QWidget *PrintOptionsPanel::makeHagakiTab()
{
    const QString style = PrintStyle::Hagaki;
    const QVariantMap hagaki = PrintOptions::styleOptions(m_options, style);
    auto *tab = new QWidget(this);
    auto *form = new QFormLayout(tab);
    auto *kind = new QComboBox(tab);
    kind->addItems(hagaki.value(StyleKey::HagakiTypeArray).toStringList());
    kind->setCurrentText(hagaki.value(StyleKey::HagakiType).toString());
    connect(kind, &QComboBox::currentTextChanged, this,
            [this, style](const QString &type) { setStyleValue(style, StyleKey::HagakiType, type); });
    form->addRow(tr("Postcard:"), kind);
    form->addRow(tr("Suffix:"), makeSuffixPopup(style));
    for (const auto &[key, title] : { std::pair { StyleKey::PrintCompany, tr("Print Company") },
                                      std::pair { StyleKey::PrintSpouse, tr("Print Spouse") },
                                      std::pair { StyleKey::PrintChildren, tr("Print Children") },
                                      std::pair { StyleKey::ShowBackground, tr("Show Background") } })
        form->addRow(makeSwitch(style, key, title));
    addSenderRows(form, style);
    return tab;
}

void PrintOptionsPanel::updateUI()
{
    m_options.insert(PrintKey::PrintStyle, printStyle());
    // Labels and envelopes fit their font size to the layout.
    if (!m_tabs)
        return;
    if (m_fontSize)
        m_fontSize->setEnabled(printStyle() == PrintStyle::AddressList);
    if (m_summary) {
        QStringList parts;
        for (const auto &[title, value] : summaryItems())
            parts.append(tr("%1: %2").arg(title, value));
        m_summary->setText(parts.join(QLatin1String("   ")));
    }
    PrintOptions::store(m_defaults, m_options);
    Q_EMIT optionsChanged();
}
