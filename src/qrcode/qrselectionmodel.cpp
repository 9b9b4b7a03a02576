#include "qrcode/qrselectionmodel.h"

#include "qrcode/keys.h"
#include "qrcode/qrpayload.h"

QRSelectionModel::QRSelectionModel(QObject *parent)
    : QAbstractTableModel(parent)
{ }

void QRSelectionModel::setPerson(const PersonPtr &person)
{
    beginResetModel();
    m_person = person;
    m_rows = person ? QRPayload::selectionRows(*person) : QVariantList();
    endResetModel();
}

void QRSelectionModel::setFormat(const QString &format)
{
    if (m_format == format)
        return;
    m_format = format;
    // The check boxes' enabled state depends on the format.
    if (!m_rows.isEmpty())
        Q_EMIT dataChanged(index(0, ValueColumn), index(int(m_rows.size()) - 1, ValueColumn));
}

QString QRSelectionModel::payload() const
{
    return m_person ? QRPayload::payload(m_format, *m_person, m_rows) : QString();
}

qreal QRSelectionModel::rowHeight(int row) const
{
    if (row < 0 || row >= m_rows.size())
        return m_baseRowHeight;
    return QRPayload::rowHeight(m_rows.at(row).toMap(), m_baseRowHeight);
}

int QRSelectionModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int QRSelectionModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant QRSelectionModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const QVariantMap row = m_rows.at(index.row()).toMap();
    if (index.column() == TypeColumn) {
        if (role == Qt::DisplayRole)
            return QVPerson::localizedIdentifierForKey(row.value(QRSelectionKey::Type).toString());
        return {};
    }
    if (role == Qt::DisplayRole)
        return QRPayload::checkBoxTitle(row);
    if (role == Qt::CheckStateRole)
        return row.value(QRSelectionKey::Selected).toBool() ? Qt::Checked : Qt::Unchecked;
    return {};
}

QVariant QRSelectionModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return section == TypeColumn ? tr("Type") : tr("Value");
}

Qt::ItemFlags QRSelectionModel::flags(const QModelIndex &index) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return Qt::NoItemFlags;
    if (index.column() == TypeColumn)
        return Qt::ItemIsEnabled;
    if (!QRPayload::isRowEnabled(m_format, m_rows.at(index.row()).toMap()))
        return Qt::ItemIsUserCheckable;
    return Qt::ItemIsEnabled | Qt::ItemIsUserCheckable;
}

bool QRSelectionModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::CheckStateRole || index.column() != ValueColumn || !(flags(index) & Qt::ItemIsEnabled))
        return false;
    QVariantMap row = m_rows.at(index.row()).toMap();
    row.insert(QRSelectionKey::Selected, value.toInt() == Qt::Checked);
    m_rows[index.row()] = row;
    Q_EMIT dataChanged(index, index, { Qt::CheckStateRole });
    Q_EMIT selectionChanged();
    return true;
}
