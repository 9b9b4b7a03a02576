#include "table/multivalueviewcontroller.h"

#include "detail/addresseditor.h"
#include "detail/keys.h"
#include "detail/popovercontext.h"
#include "platform/popover.h"
#include "record/keys.h"
#include "record/qvperson.h"
#include "table/keys.h"
#include "table/multivaluedelegate.h"
#include "table/multivaluelist.h"

#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {

using CellKind = MultiValueList::CellKind;

constexpr int kImageSide = 40;

// Fields whose value column is plain text; others (dates) are edited elsewhere.
bool isTextField(const QString &identifier)
{
    return identifier == FieldId::Phone || identifier == FieldId::Email || identifier == FieldId::Url
        || identifier == FieldId::Relationship || identifier == MultiValueColumnId::Username
        || identifier == MultiValueColumnId::UserIdentifier || identifier == MultiValueColumnId::UrlString
        || QVPerson::isAddressIdentifier(identifier);
}

} // namespace

MultiValueViewController::MultiValueViewController(QWidget *parent)
    : DetailEditor(parent)
    , m_list(new MultiValueList(this))
    , m_delegate(new MultiValueDelegate(m_list, this))
    , m_image(new QLabel(this))
    , m_name(new QLabel(this))
    , m_typePopup(new QComboBox(this))
    , m_address(new QLabel(this))
    , m_table(new QTableView(this))
    , m_separator(new QFrame(this))
    , m_addButton(new QPushButton(QStringLiteral("+"), this))
    , m_deleteButton(new QPushButton(QStringLiteral("\u2212"), this))
    , m_editButton(new QPushButton(tr("Edit"), this))
    , m_cancelButton(new QPushButton(tr("Cancel"), this))
    , m_doneButton(new QPushButton(tr("Done"), this))
{
    m_image->setFixedSize(kImageSide, kImageSide);
    m_image->setAlignment(Qt::AlignCenter);
    QFont bold = m_name->font();
    bold.setBold(true);
    m_name->setFont(bold);
    m_address->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_address->hide();

    m_table->setModel(m_list);
    m_table->setItemDelegate(m_delegate);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->horizontalHeader()->setSectionsClickable(true);
    m_table->horizontalHeader()->setSortIndicatorShown(true);
    m_table->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    m_table->setDragEnabled(true);
    m_table->setAcceptDrops(true);
    m_table->setDropIndicatorShown(true);
    m_table->setDragDropMode(QAbstractItemView::DragDrop);
    m_table->setDefaultDropAction(Qt::MoveAction);
    m_table->setDragDropOverwriteMode(false);

    m_separator->setFrameShape(QFrame::NoFrame);
    m_separator->setAutoFillBackground(true);
    m_addButton->setToolTip(tr("Add"));
    m_deleteButton->setToolTip(tr("Delete"));
    m_editButton->setCheckable(true);
    for (QPushButton *button : { m_addButton, m_deleteButton, m_editButton, m_cancelButton, m_doneButton })
        button->setAutoDefault(false);

    auto *top = new QHBoxLayout;
    top->addWidget(m_image);
    top->addWidget(m_name, 1);
    top->addWidget(m_typePopup);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_addButton);
    buttons->addWidget(m_deleteButton);
    buttons->addStretch();
    buttons->addWidget(m_editButton);
    buttons->addWidget(m_cancelButton);
    buttons->addWidget(m_doneButton);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top);
    layout->addWidget(m_address);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_separator);
    layout->addLayout(buttons);

    connect(m_addButton, &QPushButton::clicked, this, [this] { buttonPressed(Button::Add); });
    connect(m_deleteButton, &QPushButton::clicked, this, [this] { buttonPressed(Button::Delete); });
    connect(m_editButton, &QPushButton::clicked, this, [this] { buttonPressed(Button::Edit); });
    connect(m_cancelButton, &QPushButton::clicked, this, [this] { buttonPressed(Button::Cancel); });
    connect(m_doneButton, &QPushButton::clicked, this, [this] { buttonPressed(Button::Done); });
    connect(m_table, &QTableView::doubleClicked, this, &MultiValueViewController::tableViewDoubleAction);
    connect(m_table, &QTableView::clicked, this, [this](const QModelIndex &index) {
        if (m_list->columns().value(index.column()).kind == CellKind::EditButton)
            checkboxCellChanged(index.row());
    });
    connect(m_table->horizontalHeader(), &QHeaderView::sortIndicatorChanged, this,
            [this](int column, Qt::SortOrder order) {
                if (isEditing())
                    m_list->sort(column, order);
            });
    connect(m_list, &MultiValueList::listChanged, this, &MultiValueViewController::listChanged);
    connect(m_list, &MultiValueList::addressTextChanged, this, &MultiValueViewController::showAddressText);
    // Rows come and go: the popups of the rows follow, and the heights.
    const auto refresh = [this] { refreshPopupEditors(); };
    connect(m_list, &MultiValueList::rowsInserted, this, refresh);
    connect(m_list, &MultiValueList::rowsRemoved, this, refresh);
    connect(m_list, &MultiValueList::rowsMoved, this, refresh);
    connect(m_list, &MultiValueList::layoutChanged, this, refresh);
    m_delegate->setNavigation([this](int key) { navigate(key); });

    setEditing(false);
}

MultiValueViewController::~MultiValueViewController()
{
    // The address popover is a child: it must not report back to an editor being taken down.
    if (m_addressPopover)
        m_addressPopover->disconnect(this);
}

QPushButton *MultiValueViewController::button(Button button) const
{
    switch (button) {
    case Button::Add:
        return m_addButton;
    case Button::Delete:
        return m_deleteButton;
    case Button::Edit:
        return m_editButton;
    case Button::Done:
        return m_doneButton;
    case Button::Cancel:
        return m_cancelButton;
    }
    return nullptr;
}

QString MultiValueViewController::addressText() const
{
    return m_address->text();
}

AddressEditor *MultiValueViewController::addressEditor() const
{
    return m_addressPopover ? qobject_cast<AddressEditor *>(m_addressPopover->contentWidget()) : nullptr;
}

bool MultiValueViewController::isEditing() const
{
    return m_list->isEditing();
}

void MultiValueViewController::setSelectedFont(const QFont &font)
{
    m_table->setFont(font);
    updateRowHeights();
}

// ---- Preparing -----------------------------------------------------------------------------------

void MultiValueViewController::loadContext()
{
    const QString field = type();
    const SubContactRow contact = row();
    setFixedSize(MultiValueList::contentSize(field));

    const QString name = contact.person ? contact.person->compositeName() : QString();
    m_name->setText(name.isEmpty() ? tr("No name") : name);
    const QImage thumbnail = contact.person ? contact.person->thumbnail() : QImage();
    m_image->setPixmap(thumbnail.isNull()
                           ? QPixmap()
                           : QPixmap::fromImage(thumbnail.scaled(kImageSide, kImageSide, Qt::KeepAspectRatio,
                                                                 Qt::SmoothTransformation)));
    m_typePopup->clear();
    m_typePopup->addItem(QVPerson::localizedIdentifierForKey(field), field);
    m_customIdentifiers = contact.person ? contact.person->customIdentifiers() : QStringList();

    m_list->setItems(field,
                     contact.person ? contact.person->labeledValueForIdentifier(field) : QVariantList());
    const QList<MultiValueList::Column> &columns = m_list->columns();
    for (int i = 0; i < columns.size(); ++i)
        m_table->setColumnWidth(i, columns.at(i).width);
    m_address->setVisible(field == FieldId::Address);
    showAddressText(QString());
    m_changed = false;

    // The row the editor was opened from.
    for (int r = 0; r < m_list->rowCount(); ++r) {
        if (m_list->item(r).value(Key::LabelIndex).toInt() == labelIndex()) {
            selectRow(r);
            break;
        }
    }
    setEditing(false);
}

QVariant MultiValueViewController::result() const
{
    return m_list->result();
}

void MultiValueViewController::showAddressText(const QString &text)
{
    // Empty, the field shows what it is for.
    m_address->setForegroundRole(text.isEmpty() ? QPalette::PlaceholderText : QPalette::WindowText);
    m_address->setText(text.isEmpty() ? tr("Address:") : text);
}

// ---- Buttons -------------------------------------------------------------------------------------

void MultiValueViewController::buttonPressed(Button button)
{
    switch (button) {
    case Button::Add:
        add();
        break;
    case Button::Delete:
        remove();
        break;
    case Button::Edit:
        setEditing(!isEditing());
        break;
    case Button::Done:
        finish();
        break;
    case Button::Cancel:
        cancel();
        break;
    }
}

void MultiValueViewController::setEditing(bool editing)
{
    const bool on = editing && isEditable();
    m_delegate->commitOpenEditor();
    m_list->setEditing(on);
    m_editButton->setChecked(on);
    m_editButton->setEnabled(isEditable());
    m_editButton->setText(on ? tr("Lock") : tr("Edit"));
    m_addButton->setEnabled(on);
    m_deleteButton->setEnabled(on && m_list->rowCount() > 0);
    m_doneButton->setText(on ? tr("Change") : tr("Done"));
    m_doneButton->setEnabled(!on);
    m_cancelButton->setVisible(on);
    // A red line under the list says that changes are being made.
    m_separator->setFixedHeight(on ? 2 : 1);
    QPalette palette = m_separator->palette();
    palette.setColor(QPalette::Window, on ? Qt::red : Qt::lightGray);
    m_separator->setPalette(palette);
    if (on)
        m_table->setFocus();
    refreshPopupEditors();
}

void MultiValueViewController::add()
{
    if (!isEditing())
        return;
    QVariantMap item = m_list->newItem();
    if (type() == FieldId::Address) {
        showAddressText(item.value(Key::StringValue).toString().replace(u'\n', u' '));
        item.insert(Key::LabelIndex, -1);
        showAddressPopover(item, m_addButton);
        return;
    }
    const QModelIndexList selected = m_table->selectionModel()->selectedRows();
    int after = -1;
    for (const QModelIndex &index : selected)
        after = std::max(after, index.row());
    selectRow(m_list->insertItem(item, after));
    m_deleteButton->setEnabled(true);
    m_doneButton->setEnabled(true);
}

void MultiValueViewController::remove()
{
    if (!isEditing())
        return;
    QList<int> rows;
    for (const QModelIndex &index : m_table->selectionModel()->selectedRows())
        rows.append(index.row());
    m_delegate->commitOpenEditor();
    m_list->removeItems(rows);
    m_deleteButton->setEnabled(m_list->rowCount() > 0);
    m_doneButton->setEnabled(true);
}

void MultiValueViewController::finish()
{
    // Changes made before the list was locked again are kept: only Cancel throws them away.
    if (!isEditing() && !m_changed) {
        cancel();
        return;
    }
    m_delegate->commitOpenEditor();
    setContextValue(PopoverKey::Values, m_list->result());
    done();
}

void MultiValueViewController::listChanged()
{
    m_changed = true;
    if (isEditing())
        m_doneButton->setEnabled(true);
    updateRowHeights();
}

void MultiValueViewController::selectRow(int row)
{
    if (row < 0 || row >= m_list->rowCount())
        return;
    m_table->selectionModel()->setCurrentIndex(
        m_list->index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void MultiValueViewController::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Return is the done button's key.
        if (m_doneButton->isEnabled())
            buttonPressed(Button::Done);
        return;
    case Qt::Key_Escape:
        buttonPressed(Button::Cancel);
        return;
    default:
        DetailEditor::keyPressEvent(event);
    }
}

// ---- Cells ---------------------------------------------------------------------------------------

bool MultiValueViewController::opensInPlace(int column) const
{
    const MultiValueList::Column c = m_list->columns().value(column);
    return c.kind == CellKind::Text
        && (isTextField(c.identifier) || m_customIdentifiers.contains(c.identifier));
}

void MultiValueViewController::editCell(const QModelIndex &index)
{
    if (!index.isValid())
        return;
    m_table->setCurrentIndex(index);
    if (opensInPlace(index.column()))
        m_table->edit(index);
    else if (QWidget *popup = m_table->indexWidget(index))
        popup->setFocus();
}

void MultiValueViewController::tableViewDoubleAction(const QModelIndex &index)
{
    if (isEditing() && opensInPlace(index.column()))
        editCell(index);
}

void MultiValueViewController::navigate(int key)
{
    const int rows = m_list->rowCount();
    const QModelIndex current = m_table->currentIndex();
    if (!isEditing() || rows == 0 || !current.isValid())
        return;
    int row = current.row();
    int column = current.column();
    if (key == Qt::Key_Tab) {
        if (++column >= m_list->columnCount()) {
            column = std::min(1, m_list->columnCount() - 1);
            row = (row + 1) % rows;
        }
    } else {
        row = (row + 1) % rows;
    }
    editCell(m_list->index(row, column));
}

void MultiValueViewController::refreshPopupEditors()
{
    const QList<MultiValueList::Column> &columns = m_list->columns();
    for (int column = 0; column < columns.size(); ++column) {
        const CellKind kind = columns.at(column).kind;
        if (kind == CellKind::Text || kind == CellKind::EditButton)
            continue;
        for (int row = 0; row < m_list->rowCount(); ++row) {
            const QModelIndex index = m_list->index(row, column);
            const bool open = m_table->isPersistentEditorOpen(index);
            if (isEditing() && !open)
                m_table->openPersistentEditor(index);
            else if (!isEditing() && open)
                m_table->closePersistentEditor(index);
        }
    }
}

void MultiValueViewController::updateRowHeights()
{
    const int base = m_table->fontMetrics().height() + 8;
    for (int row = 0; row < m_list->rowCount(); ++row)
        m_table->setRowHeight(row, m_list->isTallRow(row) ? 2 * base : base);
}

// ---- The address popover -------------------------------------------------------------------------

void MultiValueViewController::checkboxCellChanged(int row)
{
    if (m_addressPopover || type() != FieldId::Address)
        return;
    const QModelIndex cell = m_list->index(row, 0);
    const QRect rect = m_table->visualRect(cell);
    showAddressPopover(m_list->item(row), m_table->viewport());
    if (m_addressPopover)
        m_addressPopover->move(m_table->viewport()->mapToGlobal(rect.bottomLeft()));
}

void MultiValueViewController::showAddressPopover(const QVariantMap &item, QWidget *anchor)
{
    if (m_addressPopover)
        return;
    QVariantMap context
        = PopoverContext::make(row(), FieldId::Address, item.value(Key::LabelIndex).toInt(), isEditing());
    context.insert(PopoverItemKey::AddressValue, item);
    auto *editor = new AddressEditor;
    auto *popover = new Popover(this);
    popover->setContentWidget(editor);
    editor->setFont(font());
    editor->setContextInfo(context, isEditing());
    connect(editor, &DetailEditor::finished, popover, &Popover::close);
    connect(popover, &Popover::closed, this, [this, editor] { addressPopoverDidClose(editor); });
    m_addressPopover = popover;
    popover->showRelativeTo(QRect(anchor->mapToGlobal(QPoint(0, 0)), anchor->size()));
}

void MultiValueViewController::addressPopoverDidClose(AddressEditor *editor)
{
    m_addressPopover = nullptr;
    const QVariantMap context = editor->context();
    if (!context.value(PopoverKey::Dirty).toBool() || !isEditing())
        return;
    QVariantMap item = context.value(PopoverKey::Value).toMap();
    QVPerson::updateAddressValue(item, 1);
    selectRow(m_list->putItem(item));
    showAddressText(item.value(Key::StringValue).toString().replace(u'\n', u' '));
    m_deleteButton->setEnabled(true);
}
