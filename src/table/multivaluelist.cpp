#include "table/multivaluelist.h"

#include "detail/detailvalues.h"
#include "detail/keys.h"
#include "platform/contactlabels.h"
#include "record/keys.h"
#include "record/qvperson.h"
#include "table/keys.h"

#include <QCoreApplication>
#include <QMimeData>
#include <algorithm>

namespace {

using Column = MultiValueList::Column;
using CellKind = MultiValueList::CellKind;

// The title a label word shows: its localized name, a custom label as it is.
QString labelTitle(const QString &type, const QString &label)
{
    const QStringList labels = QVPerson::labelsForIdentifier(type);
    const QStringList localized = QVPerson::localizedLabelsForIdentifier(type);
    const qsizetype position = labels.indexOf(label);
    if (position >= 0)
        return position < localized.size() ? localized.at(position) : label;
    if (label.isEmpty() || QVPerson::customLabelsForIdentifier(type).contains(label))
        return label;
    return QVPerson::localizedLabelFromCNLabel(QVPerson::CNLabelFromLabel(label));
}

QString countryTitle(const QString &code)
{
    if (code.isEmpty())
        return QCoreApplication::translate("MultiValueList", "Default");
    for (const QVariant &v : DetailValues::countryChoices()) {
        const QVariantMap choice = v.toMap();
        if (choice.value(CountryChoiceKey::CountryCode).toString().compare(code, Qt::CaseInsensitive) == 0)
            return choice.value(CountryChoiceKey::String).toString();
    }
    return code;
}

} // namespace

MultiValueList::MultiValueList(QObject *parent)
    : QAbstractTableModel(parent)
{ }

QSize MultiValueList::contentSize(const QString &type)
{
    if (type == FieldId::Address)
        return { 820, 280 };
    if (type == FieldId::InstantMessage)
        return { 460, 260 };
    if (type == FieldId::SocialNetwork)
        return { 680, 260 };
    return { 360, 260 };
}

QList<MultiValueList::Column> MultiValueList::columnsForType(const QString &type)
{
    const Column label { MultiValueColumnId::Label, 80, CellKind::LabelPopup, Key::Label };
    if (type == FieldId::Address) {
        QList<Column> columns { { MultiValueColumnId::Edit, 26, CellKind::EditButton, {} }, label };
        for (const QString &component :
             { FieldId::Zip, FieldId::State, FieldId::City, FieldId::Street, FieldId::Country })
            columns.append({ component, 100, CellKind::Text, component });
        columns.append({ MultiValueColumnId::CountryCode, 155, CellKind::CountryPopup, {} });
        return columns;
    }
    if (type == FieldId::InstantMessage)
        return { label,
                 { MultiValueColumnId::ServiceType, 130, CellKind::ServicePopup, Key::Service },
                 { MultiValueColumnId::Username, 160, CellKind::Text, Key::Username } };
    if (type == FieldId::SocialNetwork)
        return { label,
                 { MultiValueColumnId::Username, 160, CellKind::Text, Key::Username },
                 { MultiValueColumnId::UserIdentifier, 160, CellKind::Text, Key::UserIdentifier },
                 { MultiValueColumnId::UrlString, 160, CellKind::Text, Key::UrlString } };
    return { label, { type, 130, CellKind::Text, Key::Value } };
}

QString MultiValueList::firstLabel(const QString &type)
{
    return QVPerson::labelsForIdentifier(type).value(0);
}

void MultiValueList::setItems(const QString &type, const QVariantList &items)
{
    beginResetModel();
    m_type = type;
    m_columns = columnsForType(type);
    m_items = items;
    endResetModel();
}

QVariantList MultiValueList::result() const
{
    QVariantList list;
    list.reserve(m_items.size());
    for (qsizetype i = 0; i < m_items.size(); ++i) {
        QVariantMap item = m_items.at(i).toMap();
        item.insert(Key::LabelIndex, int(i));
        list.append(item);
    }
    return list;
}

void MultiValueList::setEditing(bool editing)
{
    if (m_editing == editing)
        return;
    m_editing = editing;
    if (!m_items.isEmpty())
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

QVariantMap MultiValueList::newItem() const
{
    QVariantMap item { { Key::Label, firstLabel(m_type) }, { Key::LabelIndex, int(m_items.size()) } };
    if (m_type == FieldId::InstantMessage) {
        item.insert(Key::Value, QStringLiteral("new"));
        item.insert(Key::Service, IMService::Aim);
        QVPerson::updateIMSValue(item);
    } else if (m_type == FieldId::SocialNetwork) {
        item.insert(Key::Value, QStringLiteral("new"));
        QVPerson::updateSNSValue(item);
    } else if (m_type == FieldId::Address) {
        item.insert(FieldId::Zip, QStringLiteral("123"));
        QVPerson::updateAddressValue(item, 1);
    } else {
        item.insert(Key::Value, QStringLiteral("new"));
        item.insert(Key::StringValue, QStringLiteral("new"));
    }
    return item;
}

int MultiValueList::insertItem(const QVariantMap &item, int afterRow)
{
    const int row = afterRow >= 0 && afterRow < rowCount() ? afterRow + 1 : rowCount();
    beginInsertRows({}, row, row);
    m_items.insert(row, item);
    endInsertRows();
    Q_EMIT listChanged();
    return row;
}

int MultiValueList::putItem(const QVariantMap &item)
{
    const QVariant labelIndex = item.value(Key::LabelIndex);
    if (labelIndex.toInt() >= 0) {
        for (int row = 0; row < rowCount(); ++row) {
            if (m_items.at(row).toMap().value(Key::LabelIndex) == labelIndex) {
                replaceItem(row, item);
                Q_EMIT listChanged();
                return row;
            }
        }
    }
    QVariantMap added = item;
    added.insert(Key::LabelIndex, int(m_items.size()));
    return insertItem(added, -1);
}

bool MultiValueList::removeItems(QList<int> rows)
{
    std::sort(rows.begin(), rows.end(), std::greater<int>());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    bool removed = false;
    for (int row : std::as_const(rows)) {
        if (row < 0 || row >= rowCount())
            continue;
        beginRemoveRows({}, row, row);
        m_items.removeAt(row);
        endRemoveRows();
        removed = true;
    }
    if (removed)
        Q_EMIT listChanged();
    return removed;
}

bool MultiValueList::moveItem(int from, int to)
{
    if (from < 0 || from >= rowCount() || to < 0 || to > rowCount() || to == from || to == from + 1)
        return false;
    beginMoveRows({}, from, from, {}, to);
    m_items.move(from, to > from ? to - 1 : to);
    endMoveRows();
    Q_EMIT listChanged();
    return true;
}

void MultiValueList::replaceItem(int row, const QVariantMap &item)
{
    m_items[row] = item;
    Q_EMIT dataChanged(index(row, 0), index(row, columnCount() - 1));
}

void MultiValueList::recomputeAddress(int row, QVariantMap &item)
{
    QVPerson::updateAddressValue(item, 1);
    replaceItem(row, item);
    Q_EMIT addressTextChanged(addressText(row));
}

bool MultiValueList::setText(int row, int column, const QString &text)
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return false;
    const Column &c = m_columns.at(column);
    QVariantMap item = this->item(row);
    if (c.kind != CellKind::Text || cellText(item, c) == text)
        return false;
    if (m_type == FieldId::Address) {
        item.insert(c.key, text);
        recomputeAddress(row, item);
    } else if (m_type == FieldId::SocialNetwork) {
        item.insert(c.key, text);
        // The record derives the user name from "value": only the user name may set it.
        if (c.key == Key::Username)
            item.insert(Key::Value, text);
        replaceItem(row, item);
    } else if (m_type == FieldId::InstantMessage) {
        item.insert(Key::Username, text);
        item.insert(Key::Value, text);
        replaceItem(row, item);
    } else {
        item.insert(Key::Value, text);
        replaceItem(row, item);
    }
    Q_EMIT listChanged();
    return true;
}

bool MultiValueList::setLabel(int row, const QString &label)
{
    if (row < 0 || row >= rowCount() || label.isEmpty())
        return false;
    QVariantMap item = this->item(row);
    if (item.value(Key::Label).toString() == label)
        return false;
    item.insert(Key::Label, label);
    // A social network's label is its service.
    if (m_type == FieldId::SocialNetwork)
        item.insert(Key::Service, label);
    replaceItem(row, item);
    Q_EMIT listChanged();
    return true;
}

bool MultiValueList::setService(int row, const QString &service)
{
    if (row < 0 || row >= rowCount())
        return false;
    QVariantMap item = this->item(row);
    if (item.value(Key::Service).toString() == service)
        return false;
    item.insert(Key::Service, service);
    QVPerson::updateIMSValue(item);
    replaceItem(row, item);
    Q_EMIT listChanged();
    return true;
}

bool MultiValueList::setCountryCode(int row, const QString &code)
{
    if (row < 0 || row >= rowCount())
        return false;
    QVariantMap item = this->item(row);
    if (item.value(Key::IsoCountryCode).toString().toUpper() == code.toUpper())
        return false;
    if (code.isEmpty())
        item.remove(Key::IsoCountryCode);
    else
        item.insert(Key::IsoCountryCode, code);
    recomputeAddress(row, item);
    Q_EMIT listChanged();
    return true;
}

QString MultiValueList::addressText(int row) const
{
    return item(row).value(Key::StringValue).toString().replace(u'\n', u' ');
}

bool MultiValueList::isTallRow(int row) const
{
    if (m_type != FieldId::Address)
        return false;
    const QVariantMap address = item(row);
    for (const QString &component : QVPerson::addressIdentifiers()) {
        if (address.value(component).toString().contains(u'\n'))
            return true;
    }
    return false;
}

QString MultiValueList::cellText(const QVariantMap &item, const Column &column) const
{
    switch (column.kind) {
    case CellKind::EditButton:
        return {};
    case CellKind::LabelPopup: {
        const QString label = item.value(Key::Label).toString();
        return labelTitle(m_type, label.isEmpty() ? firstLabel(m_type) : label);
    }
    case CellKind::ServicePopup: {
        const QString service = item.value(Key::Service).toString();
        return service.isEmpty() ? DetailValues::instantMessageServices().value(0) : service;
    }
    case CellKind::CountryPopup:
        return countryTitle(item.value(Key::IsoCountryCode).toString().toUpper());
    case CellKind::Text:
        break;
    }
    // An instant message's user name is its value.
    const QString key = m_type == FieldId::InstantMessage ? Key::Value : column.key;
    const QVariant value = item.value(key);
    // A date is shown as the record writes it out.
    if (key == Key::Value && value.isValid() && value.typeId() != QMetaType::QString)
        return item.value(Key::StringValue).toString();
    return value.toString();
}

int MultiValueList::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_items.size());
}

int MultiValueList::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant MultiValueList::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    const Column &column = m_columns.at(index.column());
    const QVariantMap item = this->item(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return cellText(item, column);
    case RawValueRole:
        if (column.kind == CellKind::CountryPopup)
            return item.value(Key::IsoCountryCode).toString().toUpper();
        if (column.kind == CellKind::ServicePopup || column.kind == CellKind::LabelPopup)
            return item.value(column.key).toString();
        return {};
    case Qt::ToolTipRole:
        return column.kind == CellKind::EditButton ? tr("Edit") : QVariant();
    default:
        return {};
    }
}

bool MultiValueList::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || !m_editing)
        return false;
    const QString text = value.toString(); // nothing typed is the empty string
    switch (m_columns.at(index.column()).kind) {
    case CellKind::LabelPopup:
        return setLabel(index.row(), text);
    case CellKind::ServicePopup:
        return setService(index.row(), text);
    case CellKind::CountryPopup:
        return setCountryCode(index.row(), text);
    case CellKind::Text:
        return setText(index.row(), index.column(), text);
    case CellKind::EditButton:
        break;
    }
    return false;
}

QVariant MultiValueList::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    const QString &identifier = m_columns.at(section).identifier;
    if (identifier == MultiValueColumnId::ServiceType)
        return tr("Service Type");
    if (identifier == MultiValueColumnId::Edit)
        return QString();
    return QVPerson::localizedIdentifierForKey(identifier);
}

Qt::ItemFlags MultiValueList::flags(const QModelIndex &index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (!m_editing)
        return flags;
    flags |= Qt::ItemIsDropEnabled;
    if (index.isValid()) {
        flags |= Qt::ItemIsDragEnabled;
        if (m_columns.at(index.column()).kind != CellKind::EditButton)
            flags |= Qt::ItemIsEditable;
    }
    return flags;
}

void MultiValueList::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= columnCount() || m_columns.at(column).key.isEmpty())
        return;
    const Column c = m_columns.at(column);
    Q_EMIT layoutAboutToBeChanged();
    std::stable_sort(m_items.begin(), m_items.end(), [&](const QVariant &a, const QVariant &b) {
        const int compared
            = QString::localeAwareCompare(cellText(a.toMap(), c).toLower(), cellText(b.toMap(), c).toLower());
        return order == Qt::AscendingOrder ? compared < 0 : compared > 0;
    });
    Q_EMIT layoutChanged();
    Q_EMIT listChanged();
}

QStringList MultiValueList::mimeTypes() const
{
    return { MultiValueDragType::Row };
}

QMimeData *MultiValueList::mimeData(const QModelIndexList &indexes) const
{
    if (indexes.isEmpty())
        return nullptr;
    auto *data = new QMimeData;
    data->setData(MultiValueDragType::Row, QByteArray::number(indexes.first().row()));
    return data;
}

bool MultiValueList::canDropMimeData(const QMimeData *data, Qt::DropAction action, int, int,
                                     const QModelIndex &) const
{
    return m_editing && action == Qt::MoveAction && data && data->hasFormat(MultiValueDragType::Row);
}

bool MultiValueList::dropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                                  const QModelIndex &parent)
{
    if (!canDropMimeData(data, action, row, column, parent))
        return false;
    bool ok = false;
    const int from = data->data(MultiValueDragType::Row).toInt(&ok);
    if (!ok)
        return false;
    // Dropped onto a row: before it; below the last row: at the end.
    const int to = row >= 0 ? row : parent.isValid() ? parent.row() : rowCount();
    moveItem(from, to);
    // The move is done here; the view must not remove the source row as well.
    return false;
}
