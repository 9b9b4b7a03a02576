// Keys and fixed texts of documents.
#pragma once

#include <QCoreApplication>
#include <QString>

namespace DocumentType {
inline const QString VCard = QStringLiteral("public.vcard");
inline const QString Csv = QStringLiteral("public.comma-separated-values-text");
inline const QString PlainText = QStringLiteral("public.plain-text");
} // namespace DocumentType

namespace DocumentKey {
// Remembered window frames, "NSWindow Frame <file name>".
inline const QString WindowFrameFormat = QStringLiteral("NSWindow Frame %1");
// The files opened last, most recent first.
inline const QString RecentDocuments = QStringLiteral("QV1DrecentDocuments");
inline const QString ErrorDomain = QStringLiteral("Application");
inline constexpr int ErrorCode = 259;
} // namespace DocumentKey

// An error to show for a document that could not be read or written.
struct DocumentError
{
    QString domain = DocumentKey::ErrorDomain;
    int code = DocumentKey::ErrorCode;
    QString description;        // what failed
    QString recoverySuggestion; // what the user can do

    bool isEmpty() const { return description.isEmpty() && recoverySuggestion.isEmpty(); }
};
