#include "document/importpanel.h"

#include "detail/contactinfocontroller.h"
#include "document/contactfiles.h"
#include "record/keys.h"

#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListView>
#include <QPixmap>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

ImportNameModel::ImportNameModel(QObject *parent)
    : QAbstractListModel(parent)
{ }

void ImportNameModel::setNameTable(const ContactList &contacts)
{
    beginResetModel();
    m_nameTable = contacts;
    endResetModel();
}

int ImportNameModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_nameTable.size());
}

QVariant ImportNameModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_nameTable.size())
        return {};
    const ContactEntry &entry = m_nameTable.at(index.row());
    if (!entry || !entry->person)
        return {};
    switch (role) {
    case Qt::DisplayRole: {
        const QString name = ContactImport::plainName(*entry->person);
        return name.isEmpty() ? tr("No name") : name;
    }
    case Qt::DecorationRole: {
        const int side = m_rowHeight - 2;
        return QPixmap::fromImage(
            entry->person->thumbnail().scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    }
    case Qt::SizeHintRole:
        return QSize(0, m_rowHeight);
    default:
        return {};
    }
}

QVariant ImportNameModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (section == 0 && orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return tr("Name");
    return {};
}

ImportPanelController::ImportPanelController(QWidget *parent)
    : QDialog(parent)
    , m_model(new ImportNameModel(this))
    , m_importFilename(new QLabel(this))
    , m_skippedCards(new QLabel(this))
    , m_nameTableView(new QListView(this))
    , m_contactInfoController(new ContactInfoController(this))
    , m_cancelButton(new QPushButton(tr("Cancel"), this))
    , m_selectButton(new QPushButton(tr("Select"), this))
{
    setWindowTitle(tr("Import"));
    m_model->setRowHeight(m_rowHeight);
    m_nameTableView->setModel(m_model);
    m_nameTableView->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_nameTableView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_nameTableView->setUniformItemSizes(true);
    m_contactInfoController->setEditState(false);
    m_contactInfoController->setSelectedLabels({ LabelWord::All });
    m_selectButton->setDefault(true);

    auto *split = new QSplitter(Qt::Horizontal, this);
    split->addWidget(m_nameTableView);
    split->addWidget(m_contactInfoController);
    split->setStretchFactor(1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cancelButton);
    buttons->addWidget(m_selectButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_importFilename);
    layout->addWidget(split, 1);
    m_skippedCards->setWordWrap(true);
    m_skippedCards->hide();
    layout->addWidget(m_skippedCards);
    layout->addLayout(buttons);
    resize(640, 420);

    connect(m_cancelButton, &QPushButton::clicked, this, [this] { buttonPressed(0); });
    connect(m_selectButton, &QPushButton::clicked, this, [this] { buttonPressed(1); });
    connect(m_nameTableView->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &ImportPanelController::currentRowChanged);
}

void ImportPanelController::setFilename(const QString &filename)
{
    m_filename = filename;
    m_importFilename->setText(filename);
}

void ImportPanelController::setNameTable(const ContactList &contacts)
{
    m_model->setNameTable(contacts);
    setSkippedCards(0);
    m_contactInfoController->setContact({});
    m_importFilename->setText(m_filename);
}

void ImportPanelController::setSkippedCards(qsizetype count)
{
    m_skippedCards->setText(count > 0 ? tr("%n card(s) of the file could not be read: cut off, damaged or "
                                           "nested in another card. They are not listed.",
                                           nullptr, int(count))
                                      : QString());
    m_skippedCards->setVisible(count > 0);
}

QString ImportPanelController::skippedCardsNotice() const
{
    return m_skippedCards->text();
}

QList<int> ImportPanelController::selectedIndexes() const
{
    QList<int> rows;
    for (const QModelIndex &index : m_nameTableView->selectionModel()->selectedRows())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void ImportPanelController::buttonPressed(int returnCode)
{
    done(returnCode);
}

void ImportPanelController::currentRowChanged(const QModelIndex &current)
{
    const ContactList &table = m_model->nameTable();
    m_contactInfoController->setContact(
        current.isValid() && current.row() < table.size() ? table.at(current.row()) : ContactEntry());
}
