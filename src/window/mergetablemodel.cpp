// MergeTableModel: the rows of one working copy, with label popups and in-place text.
#include "window/mergetablemodel.h"

#include "merge/keys.h"
#include "record/keys.h"

MergeTableModel::MergeTableModel(MergeSession *session, MergeSession::Side side, QObject *parent)
    : QAbstractTableModel(parent)
    , m_session(session)
    , m_side(side)
{
    m_rowCount = session ? session->rowCount() : 0;
    updateThumbnail();
    if (session)
        connect(session, &MergeSession::rowsChanged, this, &MergeTableModel::reload);
}

void MergeTableModel::updateThumbnail()
{
    m_thumbnail = {};
    if (!m_session || !m_session->isValid())
        return;
    const MergeRows &rows = m_session->rows(m_side);
    for (int row = 0; row < rows.size(); ++row) {
        if (rows.at(row).kind != MergeRow::Kind::Photo)
            continue;
        const QImage photo = m_session->dragImage(m_side, row);
        if (!photo.isNull())
            m_thumbnail = photo.scaled(MergeLimit::ThumbnailSide, MergeLimit::ThumbnailSide,
                                       Qt::KeepAspectRatio, Qt::SmoothTransformation);
        return;
    }
}

void MergeTableModel::reload()
{
    updateThumbnail();
    const int count = m_session ? m_session->rowCount() : 0;
    if (count != m_rowCount) {
        beginResetModel();
        m_rowCount = count;
        endResetModel();
        return;
    }
    // Same rows: the views keep their selection and scroll position.
    if (count > 0)
        Q_EMIT dataChanged(index(0, 0), index(count - 1, ColumnCount - 1));
}

QString MergeTableModel::labelTitle(const MergeRow &row)
{
    struct PartTitle
    {
        const QString &part;
        const char *text;
    };
    static const PartTitle partTitles[] = {
        { FieldId::FirstName, QT_TR_NOOP("First Name") },
        { FieldId::MiddleName, QT_TR_NOOP("Middle Name") },
        { FieldId::LastName, QT_TR_NOOP("Last Name") },
        { FieldId::PreviousFamilyName, QT_TR_NOOP("Previous Family Name") },
    };
    switch (row.kind) {
    case MergeRow::Kind::NamePart:
        for (const PartTitle &title : partTitles) {
            if (title.part == row.label)
                return tr(title.text);
        }
        return row.label;
    case MergeRow::Kind::PhoneticPart:
        return QVPerson::localizedIdentifierForKey(MergeRowBuilder::phoneticKey(row.label));
    case MergeRow::Kind::Labeled:
        if (!row.label.isEmpty())
            return QVPerson::localizedLabelFromCNLabel(QVPerson::CNLabelFromLabel(row.label));
        // A field's first row names the field, so an empty side still shows what lands there.
        return row.index == 0 ? QVPerson::localizedIdentifierForKey(row.type) : QString();
    case MergeRow::Kind::Photo:
    case MergeRow::Kind::Value:
        return row.label.isEmpty() ? QVPerson::localizedIdentifierForKey(row.type) : row.label;
    default:
        return row.label;
    }
}

int MergeTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rowCount;
}

int MergeTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant MergeTableModel::data(const QModelIndex &index, int role) const
{
    if (!m_session || !index.isValid() || index.row() >= m_rowCount)
        return {};
    const MergeRow row = m_session->row(m_side, index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        if (index.column() == LabelColumn)
            return role == Qt::EditRole ? row.label : labelTitle(row);
        return row.value;
    case Qt::DecorationRole:
        if (index.column() == ValueColumn && row.kind == MergeRow::Kind::Photo && !m_thumbnail.isNull())
            return m_thumbnail;
        return {};
    case Qt::ToolTipRole:
        return index.column() == LabelColumn ? QVPerson::localizedIdentifierForKey(row.type) : QVariant();
    case LabelChoicesRole:
        return m_session->labelChoices(m_side, index.row());
    case LabelTitlesRole: {
        QStringList titles;
        for (const QString &label : m_session->labelChoices(m_side, index.row())) {
            MergeRow choice = row;
            choice.label = label;
            titles.append(labelTitle(choice));
        }
        return titles;
    }
    case LinesRole:
        return row.numLines;
    default:
        return {};
    }
}

QVariant MergeTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return section == LabelColumn ? tr("Label") : tr("Value");
}

Qt::ItemFlags MergeTableModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (!m_session || !index.isValid())
        return flags;
    if (m_session->canDrag(m_side, index.row()))
        flags |= Qt::ItemIsDragEnabled;
    if (m_session->editMode()) {
        flags |= Qt::ItemIsDropEnabled;
        const bool editable = index.column() == LabelColumn
            ? !m_session->labelChoices(m_side, index.row()).isEmpty()
            : m_session->isTextEditable(m_side, index.row());
        if (editable)
            flags |= Qt::ItemIsEditable;
    }
    return flags;
}

bool MergeTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!m_session || !index.isValid() || role != Qt::EditRole)
        return false;
    if (index.column() == LabelColumn)
        return m_session->chooseLabel(m_side, index.row(), value.toString());
    return m_session->editText(m_side, index.row(), value.toString());
}
