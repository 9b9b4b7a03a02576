// MergePanelController: two working copies side by side, edit mode, Done and Cancel.
#include "window/mergepanelcontroller.h"

#include "detail/detaileditor.h"
#include "detail/detaileditors.h"
#include "detail/keys.h"
#include "detail/popovercontext.h"
#include "document/contactfiles.h"
#include "merge/keys.h"
#include "platform/popover.h"
#include "window/editlockframe.h"
#include "window/mergetablemodel.h"
#include "window/mergetableview.h"

#include <QAction>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <cmath>

namespace {

int indexOf(MergeSession::Side side)
{
    return side == MergeSession::Side::Left ? 0 : 1;
}

const MergeSession::Side kSides[] = { MergeSession::Side::Left, MergeSession::Side::Right };

} // namespace

MergePanelController::MergePanelController(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(tr("Merge"));
    setWindowModality(Qt::WindowModal);
    resize(900, 640);

    auto *layout = new QVBoxLayout(this);
    auto *names = new QHBoxLayout;
    for (QLineEdit *&name : m_names) {
        name = new QLineEdit(this);
        name->setReadOnly(true);
        name->setPlaceholderText(tr("Name"));
        names->addWidget(name);
    }
    layout->addLayout(names);

    m_redSeparator = new EditLockFrame(this);
    m_redSeparator->setObjectName(QStringLiteral("redSeparator"));
    m_tableArea = m_redSeparator;
    new QHBoxLayout(m_tableArea);
    m_tableArea->layout()->setContentsMargins(EditLockFrame::BorderWidth, EditLockFrame::BorderWidth,
                                              EditLockFrame::BorderWidth, EditLockFrame::BorderWidth);
    layout->addWidget(m_tableArea, 1);

    auto *buttons = new QHBoxLayout;
    m_editButton = new QPushButton(tr("Edit"), this);
    m_editButton->setCheckable(true);
    m_cancelButton = new QPushButton(tr("Cancel"), this);
    m_doneButton = new QPushButton(tr("Done"), this);
    m_doneButton->setDefault(true);
    buttons->addWidget(m_editButton);
    buttons->addStretch(1);
    buttons->addWidget(m_cancelButton);
    buttons->addWidget(m_doneButton);
    layout->addLayout(buttons);
    for (QPushButton *button : { m_editButton, m_doneButton, m_cancelButton })
        connect(button, &QPushButton::clicked, this, [this, button] { buttonPressed(button); });

    // The panel's own undo stack: the document's stays untouched until Done.
    auto *undo = new QAction(this);
    undo->setShortcut(QKeySequence::Undo);
    connect(undo, &QAction::triggered, this, [this] {
        if (m_session)
            m_session->undo();
    });
    auto *redo = new QAction(this);
    redo->setShortcut(QKeySequence::Redo);
    connect(redo, &QAction::triggered, this, [this] {
        if (m_session)
            m_session->redo();
    });
    addActions({ undo, redo });
    setSelectedFont(font());
}

MergePanelController::~MergePanelController() = default;

MergeTableView *MergePanelController::tableView(MergeSession::Side side) const
{
    return m_tables[indexOf(side)];
}

QLineEdit *MergePanelController::nameField(MergeSession::Side side) const
{
    return m_names[indexOf(side)];
}

bool MergePanelController::separatorIsRed() const
{
    return m_redSeparator->isEditable();
}

void MergePanelController::setContextInfo(const ContactList &contacts, bool editable)
{
    m_newContacts.clear();
    delete m_session;
    m_session = new MergeSession(contacts, m_customItems, this);
    buildTables();
    connect(m_session, &MergeSession::rowsChanged, this, [this] {
        updateNames();
        reloadTables();
    });
    connect(m_session, &MergeSession::changeCountChanged, this, &MergePanelController::updateButtons);
    connect(m_session, &MergeSession::editModeChanged, this, [this] {
        updateButtons();
        reloadTables();
    });
    m_editButton->setEnabled(true);
    m_session->setEditMode(editable);
    updateNames();
    updateButtons();
    reloadTables();
}

void MergePanelController::buildTables()
{
    for (MergeSession::Side side : kSides) {
        const int i = indexOf(side);
        delete m_tables[i];
        delete m_models[i];
        m_models[i] = new MergeTableModel(m_session, side, this);
        m_tables[i] = new MergeTableView(m_models[i], m_tableArea);
        m_tables[i]->setObjectName(side == MergeSession::Side::Left ? QStringLiteral("tableViewLeft")
                                                                    : QStringLiteral("tableViewRight"));
        m_tables[i]->setFont(m_selectedFont);
        m_tableArea->layout()->addWidget(m_tables[i]);
        connect(m_tables[i], &MergeTableView::editorRequested, this,
                [this, side](int row, bool newItem) { openEditor(side, row, newItem); });
    }
    // Scrolling one table scrolls the other to the same place, so the rows stay side by side.
    QScrollBar *left = m_tables[0]->verticalScrollBar();
    QScrollBar *right = m_tables[1]->verticalScrollBar();
    connect(left, &QScrollBar::valueChanged, right, &QScrollBar::setValue);
    connect(right, &QScrollBar::valueChanged, left, &QScrollBar::setValue);
}

void MergePanelController::setSelectedFont(const QFont &font)
{
    m_selectedFont = font;
    const QFontMetricsF metrics(font);
    m_rowHeight = std::max(MergeLimit::MinimumRowHeight,
                           int(std::ceil(metrics.ascent() + metrics.descent() + metrics.leading()))
                               + MergeLimit::RowPadding);
    for (MergeTableView *table : m_tables) {
        if (table)
            table->setFont(font);
    }
    reloadTables();
}

void MergePanelController::updateNames()
{
    if (!m_session)
        return;
    for (MergeSession::Side side : kSides) {
        const ContactEntry copy = m_session->workingCopy(side);
        const QString name = copy ? ContactImport::plainName(*copy->person) : QString();
        m_names[indexOf(side)]->setText(name.isEmpty() ? tr("No name") : name);
    }
}

void MergePanelController::reloadTables()
{
    for (MergeTableView *table : m_tables) {
        if (!table)
            continue;
        table->updateRowHeights(m_rowHeight);
        table->viewport()->update();
    }
}

void MergePanelController::updateButtons()
{
    const bool editMode = m_session && m_session->editMode();
    const bool changed = m_session && m_session->changeCount() > 0;
    m_editButton->setChecked(editMode);
    m_editButton->setText(editMode ? tr("Lock") : tr("Edit"));
    m_doneButton->setText(editMode ? tr("Change") : tr("Done"));
    m_doneButton->setEnabled(!editMode || changed);
    m_cancelButton->setVisible(editMode);
    m_redSeparator->setEditable(editMode);
}

void MergePanelController::buttonPressed(QPushButton *button)
{
    if (!m_session)
        return;
    if (button == m_editButton) {
        // With changes made, the button stays on.
        m_session->setEditMode(button->isChecked());
        updateButtons();
        reloadTables();
    } else if (button == m_doneButton) {
        for (MergeTableView *table : m_tables)
            table->commitEditing();
        m_newContacts = m_session->newContacts();
        finish(m_newContacts.isEmpty() ? QDialog::Rejected : QDialog::Accepted);
    } else if (button == m_cancelButton) {
        m_newContacts.clear();
        finish(QDialog::Rejected);
    }
}

void MergePanelController::finish(int code)
{
    m_redSeparator->setEditable(false);
    m_editButton->setChecked(false);
    m_editButton->setText(tr("Edit"));
    m_doneButton->setText(tr("Done"));
    done(code);
}

DetailEditor *MergePanelController::openEditor(MergeSession::Side side, int row, bool newItem)
{
    if (!m_session)
        return nullptr;
    const QString type = m_session->editorType(side, row);
    DetailEditor *editor = type.isEmpty() ? nullptr : createDetailEditor(type);
    if (!editor)
        return nullptr;
    const MergeRow item = m_session->row(side, row);
    const int labelIndex = newItem ? -1 : (item.kind == MergeRow::Kind::Labeled ? item.labelIndex : 0);
    const bool editable = m_session->editMode();
    auto *popover = new Popover(this);
    popover->setContentWidget(editor);
    editor->setFont(m_selectedFont);
    editor->setContextInfo(PopoverContext::make(SubContactRow::fromEntry(m_session->workingCopy(side)), type,
                                                labelIndex, editable),
                           editable);
    connect(editor, &DetailEditor::finished, popover, &Popover::close);
    QPointer<DetailEditor> guard(editor);
    connect(popover, &Popover::closed, this, [this, guard, side, type] {
        if (!guard || !m_session)
            return;
        const QVariantMap context = guard->context();
        if (context.value(PopoverKey::Dirty).toBool())
            m_session->applyEditorResult(side, type, context.value(PopoverKey::Value));
    });
    MergeTableView *table = tableView(side);
    const QRect rect = table->visualRect(table->model()->index(row, MergeTableModel::ValueColumn));
    popover->showRelativeTo(QRect(table->viewport()->mapToGlobal(rect.topLeft()), rect.size()));
    return editor;
}
