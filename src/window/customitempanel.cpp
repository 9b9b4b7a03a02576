#include "window/customitempanel.h"

#include "record/keys.h"
#include "record/qvperson.h"
#include "window/additemviewcontroller.h"
#include "window/windowkeys.h"

#include <QBuffer>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QToolTip>
#include <QVBoxLayout>

// ---- CustomItemTableModel ------------------------------------------------------------------------

void CustomItemTableModel::setItems(const QVariantList &items)
{
    beginResetModel();
    m_items = items;
    endResetModel();
}

void CustomItemTableModel::setItemAt(int row, const QVariantMap &item)
{
    if (row < 0 || row >= m_items.size())
        return;
    m_items[row] = item;
    Q_EMIT dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

void CustomItemTableModel::appendItem(const QVariantMap &item)
{
    beginInsertRows({}, int(m_items.size()), int(m_items.size()));
    m_items.append(item);
    endInsertRows();
}

int CustomItemTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_items.size());
}

int CustomItemTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant CustomItemTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const QVariantMap item = itemAt(index.row());
    if (role == Qt::DecorationRole && index.column() == NameColumn) {
        const QImage icon = item.value(CustomItemKey::ImageIcon).value<QImage>();
        if (!icon.isNull())
            return QIcon(QPixmap::fromImage(icon));
        const QImage stored = QImage::fromData(item.value(CustomKey::ImageData).toByteArray());
        return stored.isNull() ? QVariant() : QVariant(QIcon(QPixmap::fromImage(stored)));
    }
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case NameColumn:
        return item.value(CustomKey::Name);
    case TypeColumn:
        if (item.value(CustomItemKey::Deleted).toBool())
            return tr("Deleted");
        return tr(item.value(CustomKey::Type).toString().toUtf8().constData());
    case LabelsColumn:
        if (item.value(CustomKey::Type).toString() == ValueType::Labeled)
            return item.value(CustomKey::Labels).toStringList().join(u',');
        return QString();
    default:
        return {};
    }
}

QVariant CustomItemTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case NameColumn:
        return tr("Name");
    case TypeColumn:
        return tr("Type");
    case LabelsColumn:
        return tr("Labels");
    default:
        return {};
    }
}

// ---- CustomItemPanel ---------------------------------------------------------------------------

CustomItemPanel::CustomItemPanel(QWidget *parent)
    : QDialog(parent)
    , m_model(new CustomItemTableModel(this))
    , m_table(new QTableView(this))
    , m_editor(new AddItemViewController(this))
    , m_addButton(new QPushButton(tr("Add"), this))
    , m_deleteButton(new QPushButton(tr("Delete"), this))
    , m_helpButton(new QPushButton(QStringLiteral("?"), this))
    , m_doneButton(new QPushButton(tr("Done"), this))
    , m_cancelButton(new QPushButton(tr("Cancel"), this))
{
    setWindowTitle(tr("Custom Items"));
    setWindowModality(Qt::WindowModal);
    m_table->setModel(m_model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_helpButton->setToolTip(tr("What are custom items?"));
    m_deleteButton->setEnabled(false);
    m_doneButton->setDefault(true);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_addButton);
    buttons->addWidget(m_deleteButton);
    buttons->addWidget(m_helpButton);
    buttons->addStretch();
    buttons->addWidget(m_cancelButton);
    buttons->addWidget(m_doneButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_table);
    layout->addLayout(buttons);
    resize(480, 320);

    connect(m_addButton, &QPushButton::clicked, this, [this] { showEditor({}); });
    connect(m_deleteButton, &QPushButton::clicked, this, &CustomItemPanel::askToDelete);
    connect(m_helpButton, &QPushButton::clicked, this, &CustomItemPanel::showHelp);
    connect(m_doneButton, &QPushButton::clicked, this,
            [this] { done(m_itemsDirty ? QDialog::Accepted : QDialog::Rejected); });
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CustomItemPanel::updateButtons);
    connect(m_table, &QTableView::doubleClicked, this, [this](const QModelIndex &index) {
        QVariantMap definition = m_model->itemAt(index.row());
        if (definition.value(CustomKey::Type).toString() != ValueType::Labeled)
            return;
        definition.insert(CustomItemKey::Row, index.row());
        showEditor(definition);
    });
    connect(m_editor, &QDialog::finished, this, [this] { popoverDidClose(m_editor->definition()); });
}

void CustomItemPanel::setCustomItems(const QVariantList &items)
{
    m_model->setItems(items);
    m_deleteButton->setEnabled(false);
    m_itemsDirty = false;
}

void CustomItemPanel::updateButtons()
{
    const QModelIndexList rows = m_table->selectionModel()->selectedRows();
    m_deleteButton->setEnabled(rows.size() == 1
                               && !m_model->itemAt(rows.first().row()).value(CustomItemKey::Locked).toBool());
}

void CustomItemPanel::showEditor(const QVariantMap &definition)
{
    m_editor->setContextInfo(definition);
    const QPoint at = m_table->mapToGlobal(QPoint(m_table->width() / 2, 0));
    m_editor->move(at);
    m_editor->open();
}

void CustomItemPanel::popoverDidClose(QVariantMap definition)
{
    if (definition.value(CustomItemKey::New).toBool()) {
        definition.remove(CustomItemKey::Changed);
        m_model->appendItem(definition);
        m_table->selectRow(m_model->rowCount() - 1);
    } else if (definition.value(CustomItemKey::Changed).toBool()) {
        const int row = definition.take(CustomItemKey::Row).toInt();
        m_model->setItemAt(row, definition);
    } else {
        return;
    }
    m_itemsDirty = true;
}

void CustomItemPanel::askToDelete()
{
    auto *alert = new QMessageBox(QMessageBox::Warning, QString(), tr("Delete the selected custom items?"),
                                  QMessageBox::Ok | QMessageBox::Cancel, this);
    alert->setInformativeText(tr("Their definitions are removed when you click Done. Values that contacts already hold are kept."));
    alert->setAttribute(Qt::WA_DeleteOnClose);
    connect(alert, &QMessageBox::finished, this, [this](int result) {
        if (result == QMessageBox::Ok)
            deleteSelected();
    });
    alert->open();
}

void CustomItemPanel::deleteSelected()
{
    for (const QModelIndex &index : m_table->selectionModel()->selectedRows()) {
        QVariantMap definition = m_model->itemAt(index.row());
        if (definition.value(CustomItemKey::Locked).toBool())
            continue;
        definition.insert(CustomItemKey::Deleted, true);
        m_model->setItemAt(index.row(), definition);
        m_itemsDirty = true;
    }
}

void CustomItemPanel::showHelp()
{
    const QString what = tr("Custom items are fields of your own, such as a hobby or a membership number. A string "
                            "item holds one text; a labeled item holds several values, each with one of its labels.");
    const QString where = m_isVCard
        ? tr("In a vCard file they are saved with each contact that has a value.")
        : tr("Address books are read only: their custom items can be shown but not saved.");
    QToolTip::showText(m_helpButton->mapToGlobal(QPoint(0, m_helpButton->height())),
                       what + QLatin1Char(' ') + where, m_helpButton);
}

QVariantList CustomItemPanel::applyCustomItems(const QVariantList &windowItems, const QVariantList &working,
                                               bool *edited)
{
    QVariantList items = windowItems;
    bool changedDocument = false;
    auto indexOf = [&items](const QString &name) {
        for (qsizetype i = 0; i < items.size(); ++i) {
            if (items.at(i).toMap().value(CustomKey::Name).toString() == name)
                return i;
        }
        return qsizetype(-1);
    };
    auto registerLabels = [](const QVariantMap &definition) {
        if (definition.value(CustomKey::Type).toString() != ValueType::Labeled)
            return;
        for (const QString &label : definition.value(CustomKey::Labels).toStringList())
            QVPerson::setLabel(QString(), label, definition.value(CustomKey::Name).toString());
    };
    // What the window keeps: the icon as PNG data, none of the panel's marks.
    auto stored = [](QVariantMap definition) {
        const QImage icon = definition.take(CustomItemKey::ImageIcon).value<QImage>();
        if (!icon.isNull()) {
            QByteArray png;
            QBuffer buffer(&png);
            buffer.open(QIODevice::WriteOnly);
            icon.save(&buffer, "PNG");
            definition.insert(CustomKey::ImageData, png);
        }
        for (const QString &key :
             { CustomItemKey::New, CustomItemKey::Changed, CustomItemKey::Deleted, CustomItemKey::Row })
            definition.remove(key);
        return definition;
    };
    for (const QVariant &v : working) {
        const QVariantMap definition = v.toMap();
        const QString name = definition.value(CustomKey::Name).toString();
        const qsizetype at = indexOf(name);
        if (definition.value(CustomItemKey::Deleted).toBool()) {
            // The records keep their values of the item: nothing the user typed is lost.
            if (at >= 0) {
                items.removeAt(at);
                changedDocument = true;
            }
        } else if (definition.value(CustomItemKey::New).toBool()) {
            if (at < 0) {
                items.append(stored(definition));
                registerLabels(definition);
            }
        } else if (definition.value(CustomItemKey::Changed).toBool() && at >= 0) {
            items[at] = stored(definition);
            registerLabels(definition);
            changedDocument = true;
        }
    }
    if (edited)
        *edited = changedDocument;
    return items;
}
