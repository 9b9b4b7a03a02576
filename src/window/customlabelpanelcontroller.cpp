#include "window/customlabelpanelcontroller.h"

#include "editing/contacteditor.h"
#include "platform/userdefaults.h"
#include "record/keys.h"
#include "record/qvperson.h"
#include "window/windowkeys.h"

#include <QCollator>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QStringListModel>
#include <QTableView>
#include <QVBoxLayout>

namespace {

// Edits of a label cell go to the panel, which may refuse them; the model keeps what it took.
class LabelListModel : public QStringListModel
{
public:
    LabelListModel(CustomLabelPanelController *panel)
        : QStringListModel(panel)
        , m_panel(panel)
    { }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section == 0)
            return CustomLabelPanelController::tr("Label");
        return QStringListModel::headerData(section, orientation, role);
    }

    bool setData(const QModelIndex &index, const QVariant &value, int role) override
    {
        if (role != Qt::EditRole || !index.isValid())
            return false;
        return m_panel->renameLabel(index.row(), value.toString());
    }

private:
    CustomLabelPanelController *m_panel;
};

} // namespace

CustomLabelPanelController::CustomLabelPanelController(QWidget *parent)
    : QDialog(parent)
    , m_fieldPopup(new QComboBox(this))
    , m_table(new QTableView(this))
    , m_model(new LabelListModel(this))
    , m_addButton(new QPushButton(tr("Add"), this))
    , m_deleteButton(new QPushButton(tr("Delete"), this))
    , m_doneButton(new QPushButton(tr("Done"), this))
    , m_cancelButton(new QPushButton(tr("Cancel"), this))
{
    setWindowTitle(tr("Custom Labels"));
    setWindowModality(Qt::WindowModal);
    m_table->setModel(m_model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->horizontalHeader()->setSortIndicatorShown(true);
    m_table->horizontalHeader()->setSectionsClickable(true);
    m_table->verticalHeader()->hide();
    m_deleteButton->setEnabled(false);
    m_doneButton->setDefault(true);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_addButton);
    buttons->addWidget(m_deleteButton);
    buttons->addStretch();
    buttons->addWidget(m_cancelButton);
    buttons->addWidget(m_doneButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_fieldPopup);
    layout->addWidget(m_table);
    layout->addLayout(buttons);
    resize(320, 360);

    connect(m_fieldPopup, &QComboBox::activated, this, &CustomLabelPanelController::popupDidSelect);
    connect(m_addButton, &QPushButton::clicked, this, &CustomLabelPanelController::addLabel);
    connect(m_deleteButton, &QPushButton::clicked, this, &CustomLabelPanelController::deleteLabel);
    connect(m_doneButton, &QPushButton::clicked, this, [this] {
        m_table->setCurrentIndex(m_table->currentIndex()); // ends an edit in progress
        m_table->closePersistentEditor(m_table->currentIndex());
        done(m_dirty ? QDialog::Accepted : QDialog::Rejected);
    });
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_table->horizontalHeader(), &QHeaderView::sortIndicatorChanged, this,
            [this](int, Qt::SortOrder order) { sortLabels(order); });
    connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { m_deleteButton->setEnabled(!m_model->stringList().isEmpty()); });
}

void CustomLabelPanelController::setSelectedFont(const QFont &font)
{
    m_table->setFont(font);
}

void CustomLabelPanelController::setContextInfo(const QVariantMap &)
{
    QStringList fields = QVPerson::labeledIdentifiers();
    for (const QVariant &item : std::as_const(m_customItems)) {
        const QVariantMap definition = item.toMap();
        if (definition.value(CustomKey::Type).toString() == ValueType::Labeled)
            fields.append(definition.value(CustomKey::Name).toString());
    }
    const QHash<QString, QStringList> custom = QVPerson::customLabelTableDict();
    m_labelTables.clear();
    for (const QString &field : std::as_const(fields))
        m_labelTables.insert(field, custom.value(field));
    m_dirty = false;

    m_fieldPopup->clear();
    for (const QString &field : std::as_const(fields))
        m_fieldPopup->addItem(QVPerson::localizedIdentifierForKey(field), field);
    const QString last = UserDefaults::standard().stringValue(WindowKey::LastSelectedItemInCustomPanel);
    m_fieldPopup->setCurrentIndex(std::max(0, int(fields.indexOf(last))));
    reloadTable(-1);
    m_doneButton->setEnabled(true);
}

void CustomLabelPanelController::popupDidSelect(int index)
{
    const QString field = m_fieldPopup->itemData(index).toString();
    UserDefaults::standard().setValue(WindowKey::LastSelectedItemInCustomPanel, field);
    reloadTable(-1);
}

QString CustomLabelPanelController::shownField() const
{
    return m_fieldPopup->currentData().toString();
}

QStringList CustomLabelPanelController::shownLabels() const
{
    return m_labelTables.value(shownField());
}

int CustomLabelPanelController::selectedRow() const
{
    const QModelIndexList rows = m_table->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void CustomLabelPanelController::reloadTable(int selectRow)
{
    const QStringList labels = shownLabels();
    m_model->setStringList(labels);
    if (selectRow >= 0 && selectRow < labels.size())
        m_table->selectRow(selectRow);
    m_deleteButton->setEnabled(!labels.isEmpty());
}

QString CustomLabelPanelController::newLabelName(const QStringList &labels)
{
    const QString base = QStringLiteral("new");
    QString name = base;
    for (qlonglong n = 1; labels.contains(name); ++n)
        name = base + QString::number(n);
    return name;
}

void CustomLabelPanelController::addLabel()
{
    const QString field = shownField();
    QStringList &labels = m_labelTables[field];
    const QString name = newLabelName(labels);
    const int selected = selectedRow();
    const int row = selected >= 0 ? selected : int(labels.size());
    labels.insert(row, name);
    QVPerson::setLabel(QString(), name, field);
    reloadTable(row);
    m_table->edit(m_model->index(row));
}

void CustomLabelPanelController::deleteLabel()
{
    const int row = selectedRow();
    const QString field = shownField();
    QStringList &labels = m_labelTables[field];
    if (row < 0 || row >= labels.size() || !setLabel(labels.at(row), QString(), field))
        return;
    labels.removeAt(row);
    m_dirty = true;
    reloadTable(std::min(row, int(labels.size()) - 1));
}

bool CustomLabelPanelController::renameLabel(int row, const QString &text)
{
    const QString field = shownField();
    QStringList &labels = m_labelTables[field];
    if (row < 0 || row >= labels.size() || text.isEmpty() || text == labels.at(row))
        return false;
    if (!setLabel(labels.at(row), text, field))
        return false;
    labels[row] = text;
    m_dirty = true;
    // The model is reloaded after the edit returns: a reset inside setData would confuse the view.
    QMetaObject::invokeMethod(
        this, [this, row] { reloadTable(row); }, Qt::QueuedConnection);
    return true;
}

void CustomLabelPanelController::sortLabels(Qt::SortOrder order)
{
    const int row = selectedRow();
    QStringList &labels = m_labelTables[shownField()];
    const QString selected = row >= 0 && row < labels.size() ? labels.at(row) : QString();
    QCollator collator;
    std::sort(labels.begin(), labels.end(), [&](const QString &a, const QString &b) {
        return order == Qt::AscendingOrder ? collator.compare(a, b) < 0 : collator.compare(b, a) < 0;
    });
    reloadTable(selected.isEmpty() ? -1 : int(labels.indexOf(selected)));
}

bool CustomLabelPanelController::setLabel(const QString &oldLabel, const QString &newLabel,
                                          const QString &identifier)
{
    // The editor changes the label lists and the contacts' items as one undo step.
    return m_editor ? m_editor->setLabel(oldLabel, newLabel, identifier)
                    : QVPerson::setLabel(oldLabel, newLabel, identifier);
}
