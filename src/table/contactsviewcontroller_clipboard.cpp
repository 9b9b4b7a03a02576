// ContactsViewController: copying, pasting, dragging rows out and dropping contacts in.
#include "platform/mimetypes.h"
#include "table/contactstablemodel.h"
#include "table/contactsviewcontroller.h"
#include "table/contacttransfer.h"

#include <QClipboard>
#include <QDragEnterEvent>
#include <QGuiApplication>
#include <QMimeData>
#include <QTableView>

namespace {

// Sees drags over the table before the view does: a drag of the table's own rows onto itself is
// refused, and the model learns whether a drag comes from another view of the program.
class DropSourceFilter : public QObject
{
public:
    DropSourceFilter(QTableView *view, ContactsTableModel *model)
        : QObject(view)
        , m_view(view)
        , m_model(model)
    { }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
            return QObject::eventFilter(watched, event);
        auto *drop = static_cast<QDropEvent *>(event);
        QObject *source = drop->source();
        if (source && (source == m_view || source == m_view->viewport())) {
            drop->ignore();
            return true;
        }
        m_model->setDropFromProgram(source != nullptr);
        return false;
    }

private:
    QTableView *m_view;
    ContactsTableModel *m_model;
};

} // namespace

void ContactsViewController::setupDragAndDrop()
{
    m_tableView->setDragEnabled(true);
    m_tableView->setAcceptDrops(true);
    m_tableView->setDragDropMode(QAbstractItemView::DragDrop);
    m_tableView->setDefaultDropAction(Qt::CopyAction);
    m_tableView->setDropIndicatorShown(true);
    m_tableView->setDragDropOverwriteMode(false);
    m_tableView->viewport()->installEventFilter(new DropSourceFilter(m_tableView, m_model));
    m_model->setDragData([this](const QList<int> &rows) {
        return ContactTransfer::dragMimeData(m_model->rows(), rows, m_model->cellContext().customItems,
                                             ContactTransfer::temporaryFolder());
    });
    m_model->setDropHandler(
        [this](const QMimeData *data, bool fromProgram) { return acceptDrop(data, fromProgram); });
}

bool ContactsViewController::canCopy() const
{
    return !selectedRowIndexes().isEmpty();
}

void ContactsViewController::copyDelimited(const QString &separator, const QString &mimeType)
{
    const QString text = ContactTransfer::delimitedText(
        selectedSubContacts(), ContactTransfer::copyIdentifiers(tableIdentfiers()), separator);
    if (QMimeData *data = ContactTransfer::delimitedMimeData(text, mimeType))
        QGuiApplication::clipboard()->setMimeData(data);
}

void ContactsViewController::copy()
{
    copyDelimited(TransferText::Tab, MimeType::TabSeparated);
}

void ContactsViewController::copyAsCSV()
{
    copyDelimited(TransferText::CommaSpace, MimeType::Csv);
}

void ContactsViewController::copyAsVCard()
{
    const QString cards = ContactTransfer::vCardText(ContactTransfer::contactsOfRows(selectedSubContacts()),
                                                     m_model->cellContext().customItems);
    if (QMimeData *data = ContactTransfer::vCardMimeData(cards, ContactTransfer::temporaryFolder()))
        QGuiApplication::clipboard()->setMimeData(data);
}

bool ContactsViewController::canPaste() const
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    return m_editor && m_editState && ContactTransfer::hasAcceptableData(data);
}

bool ContactsViewController::paste()
{
    if (!m_editor || !m_editState)
        return false;
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    const QString cards = ContactTransfer::vCardTextFromMimeData(data);
    if (!cards.isEmpty())
        return m_editor->addContactByVCardString(cards) > 0;
    return data && data->hasText() && addPastedText(data->text());
}

bool ContactsViewController::addPastedText(const QString &text)
{
    const ContactEntry entry
        = ContactTransfer::contactFromString(text, ContactTransfer::pasteIdentifiers(tableIdentfiers()));
    return entry && m_editor->undoAddContacts({ entry }, m_editor->selectedGroup());
}

bool ContactsViewController::acceptDrop(const QMimeData *data, bool fromProgram)
{
    if (!data || !m_editor)
        return false;
    if (fromProgram) {
        const QString format = MimeType::acceptedVCardFormat(data->formats());
        return !format.isEmpty()
            && m_editor->addContactByVCardString(QString::fromUtf8(data->data(format))) > 0;
    }
    const QString cards = ContactTransfer::vCardTextFromMimeData(data);
    if (!cards.isEmpty())
        return m_editor->addContactByVCardString(cards) > 0;
    // Files that are not vCard are not text to make a contact of (their paths come as text too).
    if (data->hasUrls() || !data->hasText())
        return false;
    return addPastedText(data->text());
}
