#include "document/documentcontroller.h"

#include "document/document.h"
#include "document/encodingaccessory.h"
#include "platform/contactstore.h"
#include "platform/encodings.h"
#include "platform/userdefaults.h"
#include "window/windowcontroller.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QMessageBox>

namespace {
constexpr int kMaximumRecentDocuments = 10;
} // namespace

DocumentController &DocumentController::shared()
{
    static auto *instance = new DocumentController(qApp);
    return *instance;
}

DocumentController::DocumentController(QObject *parent)
    : QObject(parent)
{
}

QList<Document *> DocumentController::documents() const
{
    QList<Document *> out;
    for (const QPointer<Document> &d : m_documents) {
        if (d)
            out.append(d);
    }
    return out;
}

void DocumentController::addDocument(Document *document)
{
    m_documents.append(document);
    connect(document, &QObject::destroyed, this, [this] {
        m_documents.removeIf([](const QPointer<Document> &d) { return d.isNull(); });
    });
}

QString DocumentController::typeForFile(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("csv"))
        return DocumentType::Csv;
    return DocumentType::VCard;
}

Document *DocumentController::newDocument()
{
    auto *document = new Document(this);
    document->readFromText(QString(), DocumentType::VCard, nullptr);
    addDocument(document);
    document->makeWindowControllers();
    return document;
}

EncodingAccessory *DocumentController::accessory() const
{
    if (!m_encodingAccessory) {
        m_encodingAccessory = new EncodingAccessory;
        m_encodingAccessory->setEncodingOnly();
    }
    return m_encodingAccessory;
}

int DocumentController::encodingType() const
{
    return accessory()->encodingType();
}

QString DocumentController::encodingTypeName() const
{
    return accessory()->encodingTypeName();
}

void DocumentController::resetEncodingType()
{
    accessory()->resetMenu();
}

void DocumentController::openDocument(QWidget *parent)
{
    QFileDialog dialog(parent, tr("Open"));
    dialog.setOption(QFileDialog::DontUseNativeDialog); // the accessory goes into its layout
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setNameFilters({tr("Contacts (*.vcf *.vcard *.csv *.txt)"), tr("vCard (*.vcf *.vcard)"),
                           tr("CSV (*.csv)"), tr("All files (*)")});
    EncodingAccessory *encoding = accessory();
    encoding->resetMenu();
    if (auto *grid = qobject_cast<QGridLayout *>(dialog.layout()))
        grid->addWidget(encoding, grid->rowCount(), 0, 1, grid->columnCount());
    const int result = dialog.exec();
    encoding->requestClose();
    encoding->setParent(nullptr); // the accessory outlives the panel
    if (result != QDialog::Accepted) {
        encoding->resetMenu();
        return;
    }
    const int chosen = encoding->encodingType();
    encoding->resetMenu();
    for (const QString &path : dialog.selectedFiles())
        openDocumentWithContentsOfFile(path, chosen, parent);
}

Document *DocumentController::openDocumentWithContentsOfFile(const QString &path, int encoding,
                                                              QWidget *errorParent)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    for (Document *d : documents()) {
        if (!canonical.isEmpty() && QFileInfo(d->filePath()).canonicalFilePath() == canonical) {
            if (WindowController *w = d->mainWindowController()) {
                w->show();
                w->raise();
                w->activateWindow();
            }
            return d;
        }
    }
    auto *document = new Document(this);
    DocumentError error;
    if (!document->readFromFile(path, typeForFile(path), encoding, &error)) {
        delete document; // no partial window after a failure
        if (!error.isEmpty()) {
            QMessageBox box(QMessageBox::Warning, QApplication::applicationDisplayName(),
                            tr("The document “%1” could not be opened.").arg(QFileInfo(path).fileName()),
                            QMessageBox::Ok, errorParent);
            box.setInformativeText(error.recoverySuggestion.isEmpty() ? error.description
                                                                      : error.recoverySuggestion);
            if (!error.recoverySuggestion.isEmpty() && !error.description.isEmpty())
                box.setDetailedText(error.description);
            box.exec();
        }
        return nullptr;
    }
    addDocument(document);
    document->makeWindowControllers();
    noteNewRecentDocument(path);
    return document;
}

Document *DocumentController::openAddressBook(QWidget *errorParent)
{
    for (Document *d : documents()) {
        if (d->isReadOnly()) {
            if (WindowController *w = d->mainWindowController()) {
                w->show();
                w->raise();
                w->activateWindow();
            }
            return d;
        }
    }
    const QString root = ContactStore::rootPathFromDefaults(UserDefaults::standard());
    auto *document = new Document(this);
    DocumentError error;
    if (!document->readFromStore(root, &error)) {
        delete document;
        QMessageBox box(QMessageBox::Warning, QApplication::applicationDisplayName(),
                        tr("The address book could not be opened."), QMessageBox::Ok, errorParent);
        box.setInformativeText(error.description + u'\n' + error.recoverySuggestion);
        box.exec();
        return nullptr;
    }
    addDocument(document);
    document->makeWindowControllers();
    return document;
}

QStringList DocumentController::recentDocuments() const
{
    return UserDefaults::standard().stringArrayValue(DocumentKey::RecentDocuments);
}

void DocumentController::noteNewRecentDocument(const QString &path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList recent = recentDocuments();
    recent.removeAll(absolute);
    recent.prepend(absolute);
    while (recent.size() > kMaximumRecentDocuments)
        recent.removeLast();
    UserDefaults::standard().setValue(DocumentKey::RecentDocuments, recent);
    Q_EMIT recentDocumentsChanged();
}

void DocumentController::clearRecentDocuments()
{
    UserDefaults::standard().remove(DocumentKey::RecentDocuments);
    Q_EMIT recentDocumentsChanged();
}

bool DocumentController::closeAllDocuments()
{
    for (Document *document : documents()) {
        if (!document->canClose())
            return false;
        if (WindowController *w = document->mainWindowController())
            w->closeWithoutAsking();
    }
    return true;
}
