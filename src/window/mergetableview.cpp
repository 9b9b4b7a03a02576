// MergeTableView: drag and drop between the merge panel's tables, label popups, context menu.
#include "window/mergetableview.h"

#include "merge/keys.h"
#include "merge/mergelinks.h"
#include "platform/workspace.h"
#include "record/keys.h"
#include "window/mergetablemodel.h"

#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDrag>
#include <QFileDialog>
#include <QHeaderView>
#include <QImageReader>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTimer>

namespace {

// The source of a row dragged from a merge table: its side and row number.
QByteArray encodeSource(MergeSession::Side side, int row)
{
    return QByteArray::number(int(side)) + ',' + QByteArray::number(row);
}

bool decodeSource(const QMimeData *mime, MergeSession::Side *side, int *row)
{
    if (!mime || !mime->hasFormat(MergeKey::RowMimeType))
        return false;
    const QList<QByteArray> parts = mime->data(MergeKey::RowMimeType).split(',');
    bool okSide = false;
    bool okRow = false;
    const int sideNumber = parts.value(0).toInt(&okSide);
    *row = parts.value(1).toInt(&okRow);
    if (parts.size() != 2 || !okSide || !okRow || (sideNumber != 0 && sideNumber != 1))
        return false;
    *side = MergeSession::Side(sideNumber);
    return true;
}

// The context menu's title for a field's popover editor.
QString editorTitle(const QString &type)
{
    struct Title
    {
        const QString &type;
        const char *text;
    };
    static const Title titles[] = {
        { FieldId::Address, QT_TRANSLATE_NOOP("MergeTableView", "Open Address Panel") },
        { FieldId::InstantMessage, QT_TRANSLATE_NOOP("MergeTableView", "Open IMS Panel") },
        { FieldId::SocialNetwork, QT_TRANSLATE_NOOP("MergeTableView", "Open SNS Panel") },
        { FieldId::Dates, QT_TRANSLATE_NOOP("MergeTableView", "Open Dates Panel") },
        { FieldId::Birthday, QT_TRANSLATE_NOOP("MergeTableView", "Open Birthday Panel") },
    };
    for (const Title &title : titles) {
        if (title.type == type)
            return MergeTableView::tr(title.text);
    }
    return MergeTableView::tr("Open Edit Panel");
}

QImage imageOf(const QMimeData *mime)
{
    if (!mime)
        return {};
    if (mime->hasImage())
        return qvariant_cast<QImage>(mime->imageData());
    if (mime->hasFormat(MergeKey::PngMimeType))
        return QImage::fromData(mime->data(MergeKey::PngMimeType), MergeKey::PngFormat);
    return {};
}

} // namespace

// ---- Delegate ------------------------------------------------------------------------------------

QWidget *MergeItemDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                         const QModelIndex &index) const
{
    if (index.column() == MergeTableModel::LabelColumn) {
        auto *combo = new QComboBox(parent);
        const QStringList labels = index.data(MergeTableModel::LabelChoicesRole).toStringList();
        const QStringList titles = index.data(MergeTableModel::LabelTitlesRole).toStringList();
        for (int i = 0; i < labels.size(); ++i)
            combo->addItem(titles.value(i, labels.at(i)), labels.at(i));
        // The choice takes effect at once, as a popup does.
        connect(combo, &QComboBox::activated, this, [this, combo] {
            auto *self = const_cast<MergeItemDelegate *>(this);
            Q_EMIT self->commitData(combo);
            Q_EMIT self->closeEditor(combo);
        });
        // A label cell is a popup: its list opens at once.
        QTimer::singleShot(0, combo, &QComboBox::showPopup);
        return combo;
    }
    if (index.data(MergeTableModel::LinesRole).toInt() > 1
        || index.data(Qt::EditRole).toString().contains(u'\n'))
        return new QPlainTextEdit(parent);
    return QStyledItemDelegate::createEditor(parent, option, index);
}

void MergeItemDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    if (auto *combo = qobject_cast<QComboBox *>(editor)) {
        combo->setCurrentIndex(std::max(0, combo->findData(index.data(Qt::EditRole))));
        return;
    }
    // Any change of the panel refreshes every row; what the user is typing stays.
    if (auto *text = qobject_cast<QPlainTextEdit *>(editor)) {
        if (!text->document()->isModified())
            text->setPlainText(index.data(Qt::EditRole).toString());
        return;
    }
    if (auto *line = qobject_cast<QLineEdit *>(editor); line && line->isModified())
        return;
    QStyledItemDelegate::setEditorData(editor, index);
}

void MergeItemDelegate::setModelData(QWidget *editor, QAbstractItemModel *model,
                                     const QModelIndex &index) const
{
    if (auto *combo = qobject_cast<QComboBox *>(editor)) {
        model->setData(index, combo->currentData(), Qt::EditRole);
        return;
    }
    if (auto *text = qobject_cast<QPlainTextEdit *>(editor)) {
        model->setData(index, text->toPlainText(), Qt::EditRole);
        return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
}

// ---- View ----------------------------------------------------------------------------------------

MergeTableView::MergeTableView(MergeTableModel *model, QWidget *parent)
    : QTableView(parent)
    , m_model(model)
{
    setModel(model);
    setItemDelegate(new MergeItemDelegate(this));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    verticalHeader()->hide();
    horizontalHeader()->setStretchLastSection(true);
    horizontalHeader()->resizeSection(MergeTableModel::LabelColumn, 150);
    connect(this, &QAbstractItemView::doubleClicked, this, &MergeTableView::rowDoubleClicked);
}

void MergeTableView::rowDoubleClicked(const QModelIndex &index)
{
    MergeSession *merge = session();
    // Cells with text of their own edit in place; structured values open their editor.
    if (!merge || !index.isValid() || index.flags().testFlag(Qt::ItemIsEditable))
        return;
    const MergeRow row = merge->row(side(), index.row());
    if (merge->editorType(side(), index.row()).isEmpty() || row.isFiller())
        return;
    Q_EMIT editorRequested(index.row(), false);
}

MergeSession *MergeTableView::session() const
{
    return m_model->session();
}

MergeSession::Side MergeTableView::side() const
{
    return m_model->side();
}

void MergeTableView::commitEditing()
{
    if (state() != EditingState)
        return;
    // The open editor is the viewport's child; the delegate knows it by that widget, whether or
    // not it has the focus (a click on Done may not have taken it).
    const QList<QWidget *> editors = viewport()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    for (QWidget *editor : editors) {
        if (editor->isVisible()) {
            commitData(editor);
            closeEditor(editor, QAbstractItemDelegate::NoHint);
        }
    }
}

void MergeTableView::updateRowHeights(int lineHeight)
{
    for (int row = 0; row < m_model->rowCount(); ++row) {
        const int lines = m_model->index(row, 0).data(MergeTableModel::LinesRole).toInt();
        setRowHeight(row, lineHeight * std::max(1, lines));
    }
}

void MergeTableView::startDrag(Qt::DropActions supportedActions)
{
    const QModelIndex current = currentIndex();
    MergeSession *merge = session();
    if (!merge || !current.isValid() || !merge->canDrag(side(), current.row()))
        return;
    const int row = current.row();
    auto *mime = new QMimeData;
    mime->setData(MergeKey::RowMimeType, encodeSource(side(), row));
    const QString text = merge->dragText(side(), row);
    if (!text.isEmpty())
        mime->setText(text);
    const QImage image = merge->dragImage(side(), row);
    if (!image.isNull())
        mime->setImageData(image);
    auto *drag = new QDrag(this);
    drag->setMimeData(mime);
    // The drop itself changes the contacts: nothing is removed here afterwards.
    drag->exec(supportedActions | Qt::CopyAction | Qt::MoveAction, Qt::MoveAction);
}

bool MergeTableView::dropTarget(const QPoint &point, int *row, bool *onRow) const
{
    const QModelIndex index = indexAt(point);
    if (!index.isValid())
        return false;
    const QRect rect = visualRect(index);
    // The outer quarters of a row mean between rows, as the drop indicator shows.
    const int margin = std::max(2, rect.height() / 4);
    *row = index.row();
    *onRow = point.y() >= rect.top() + margin && point.y() <= rect.bottom() - margin;
    return true;
}

bool MergeTableView::acceptsDrop(const QDropEvent *event, Qt::DropAction *action) const
{
    MergeSession *merge = session();
    int row = -1;
    bool onRow = false;
    if (!merge || !merge->editMode() || !dropTarget(event->position().toPoint(), &row, &onRow))
        return false;
    MergeSession::Side source;
    int sourceRow = -1;
    if (decodeSource(event->mimeData(), &source, &sourceRow)) {
        *action = event->modifiers().testFlag(Qt::AltModifier) ? Qt::CopyAction : Qt::MoveAction;
        return merge->canDrop(source, sourceRow, side(), row, onRow);
    }
    // A picture from another program lands on the photo row.
    *action = Qt::CopyAction;
    return merge->row(side(), row).kind == MergeRow::Kind::Photo && !imageOf(event->mimeData()).isNull();
}

void MergeTableView::dragEnterEvent(QDragEnterEvent *event)
{
    // Where it may land is decided as the drag moves.
    if (event->mimeData()->hasFormat(MergeKey::RowMimeType) || !imageOf(event->mimeData()).isNull())
        event->acceptProposedAction();
    else
        event->ignore();
}

void MergeTableView::dragMoveEvent(QDragMoveEvent *event)
{
    QTableView::dragMoveEvent(event);
    Qt::DropAction action = Qt::IgnoreAction;
    if (acceptsDrop(event, &action)) {
        event->setDropAction(action);
        event->accept();
    } else {
        event->ignore();
    }
}

void MergeTableView::dropEvent(QDropEvent *event)
{
    Qt::DropAction action = Qt::IgnoreAction;
    int row = -1;
    bool onRow = false;
    if (!acceptsDrop(event, &action) || !dropTarget(event->position().toPoint(), &row, &onRow)) {
        event->ignore();
        setState(NoState);
        viewport()->update();
        return;
    }
    MergeSession::Side source;
    int sourceRow = -1;
    bool changed = false;
    if (decodeSource(event->mimeData(), &source, &sourceRow))
        changed = session()->drop(source, sourceRow, side(), row, onRow, action == Qt::CopyAction);
    else
        changed = session()->setPhoto(side(), imageOf(event->mimeData()));
    event->setDropAction(action);
    event->setAccepted(changed);
    setState(NoState);
    viewport()->update();
}

void MergeTableView::contextMenuEvent(QContextMenuEvent *event)
{
    MergeSession *merge = session();
    const QModelIndex index = indexAt(event->pos());
    if (!merge || !index.isValid())
        return;
    const MergeSession::Side side = this->side();
    const int row = index.row();
    QMenu menu(this);
    if (merge->row(side, row).kind == MergeRow::Kind::Photo) {
        const bool hasPhoto = !merge->dragImage(side, row).isNull();
        QAction *add
            = menu.addAction(hasPhoto ? tr("Replace Image") : tr("Add Image"), this, [this, merge, side] {
                  const QString path = QFileDialog::getOpenFileName(
                      this, QString(), QString(), tr("Images (*.png *.jpg *.jpeg *.gif *.bmp *.tiff)"));
                  if (!path.isEmpty())
                      merge->setPhoto(side, QImageReader(path).read());
              });
        add->setEnabled(merge->editMode());
        menu.addAction(tr("Delete Image"), this, [merge, side, row] { merge->deleteItem(side, row); })
            ->setEnabled(merge->canDeleteItem(side, row));
    } else {
        addItemMenuEntries(menu, row);
    }
    menu.exec(event->globalPos());
}

void MergeTableView::addItemMenuEntries(QMenu &menu, int row)
{
    MergeSession *merge = session();
    const MergeSession::Side side = this->side();
    const MergeRow item = merge->row(side, row);
    const QString editor = merge->editorType(side, row);
    const QList<MergeLinks::Link> links = MergeLinks::linksForRow(item);
    for (const MergeLinks::Link &link : links) {
        const QUrl url = link.url;
        menu.addAction(link.title, this, [url] { Workspace::openUrl(url); })->setEnabled(!url.isEmpty());
    }
    if (!links.isEmpty())
        menu.addSeparator();
    if (!editor.isEmpty()) {
        menu.addAction(editorTitle(editor), this, [this, row] { Q_EMIT editorRequested(row, false); })
            ->setEnabled(!item.isFiller() && (item.kind != MergeRow::Kind::Value || !item.value.isEmpty()));
    }
    // Items that are more than text are added through their editor.
    const bool addsByEditor = !editor.isEmpty() && editor != FieldId::Name && editor != FieldId::PhoneticName
        && (item.kind == MergeRow::Kind::Labeled || item.value.isEmpty());
    QAction *add = menu.addAction(tr("Add Item"), this, [this, merge, side, row, addsByEditor] {
        if (addsByEditor)
            Q_EMIT editorRequested(row, true);
        else
            merge->addItem(side, row);
    });
    add->setEnabled(merge->editMode() && (addsByEditor || merge->canAddItem(side, row)));
    menu.addAction(tr("Delete Item"), this, [merge, side, row] { merge->deleteItem(side, row); })
        ->setEnabled(merge->canDeleteItem(side, row));
}
