// Words and limits of merging two contacts side by side.
#pragma once

#include <QString>

namespace MergeKey {
// The opener's request and the panel's answer.
inline const QString Contacts = QStringLiteral("contacts");
inline const QString NewContacts = QStringLiteral("newContacts");
inline const QString DocumentType = QStringLiteral("documentType");
// The drag type of a merge row: the side and the row number, so a drop can find its source.
inline const QString RowMimeType = QStringLiteral("application/x-pellory2-merge-row");
// A row's text on the pasteboard: its label and its value.
inline const QString DragTextFormat = QStringLiteral("%1: %2");
} // namespace MergeKey

namespace MergeWord {
// What "Add Item" puts into a field without an editor of its own.
inline const QString NewPhoneNumber = QStringLiteral("123");
inline const QString NewText = QStringLiteral("new");
// The document type that cannot store a name ordering.
inline const QString VCardDocumentType = QStringLiteral("vCard");
} // namespace MergeWord

namespace MergeLimit {
// Photos are stored with their longer side at most this many points.
inline constexpr int PhotoSide = 512;
// How long a change waits for a photo to be reduced.
inline constexpr int PhotoWaitMilliseconds = 2000;
// The smallest row height and the padding added to a line's height.
inline constexpr int MinimumRowHeight = 20;
inline constexpr int RowPadding = 9;
} // namespace MergeLimit
