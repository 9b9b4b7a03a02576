// DocumentController: opens documents (File > New, Open, Open Recent, files given at start),
// remembers recent files, and closes every document when the program quits.
#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>

class Document;
class EncodingAccessory;
class QWidget;

class DocumentController : public QObject
{
    Q_OBJECT

public:
    static DocumentController &shared();

    QList<Document *> documents() const;

    // A new, empty, untitled document with its window.
    Document *newDocument();
    // File > Open: the open panel with the encoding choice; opens the chosen files.
    void openDocument(QWidget *parent = nullptr);
    // Opens a file (or shows its window when it is open already); nullptr on failure or cancel,
    // after the failure was shown.
    Document *openDocumentWithContentsOfFile(const QString &path, int encoding, QWidget *errorParent = nullptr);

    // File > Open Address Book: the system address books under the root of the preferences, read
    // only (the window shows when it is open already); nullptr when there are none, after saying so.
    Document *openAddressBook(QWidget *errorParent = nullptr);

    // The encoding chosen in the open panel's accessory (0: "Automatic"), and putting it back.
    int encodingType() const;
    QString encodingTypeName() const;
    void resetEncodingType();

    QStringList recentDocuments() const;
    void clearRecentDocuments();

    // Asks each document with unsaved edits; false when the user cancelled.
    bool closeAllDocuments();

    // The document type of a file, by its extension; anything that is not CSV is read as vCard.
    static QString typeForFile(const QString &path);

Q_SIGNALS:
    void recentDocumentsChanged();

private:
    explicit DocumentController(QObject *parent = nullptr);
    void addDocument(Document *document);
    void noteNewRecentDocument(const QString &path);
    EncodingAccessory *accessory() const;

    QList<QPointer<Document>> m_documents;
    mutable QPointer<EncodingAccessory> m_encodingAccessory;
};
