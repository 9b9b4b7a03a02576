// Words and limits of merging two contacts side by side.
#pragma once

#include <QString>

namespace MergeKey {
// The drag type of a merge row: the side and the row number, so a drop can find its source.
inline const QString RowMimeType = QStringLiteral("application/x-pellory2-merge-row");
// A photo dropped from another program.
inline const QString PngMimeType = QStringLiteral("image/png");
inline const char PngFormat[] = "PNG";
// A row's text on the pasteboard: its label and its value.
inline const QString DragTextFormat = QStringLiteral("%1: %2");
} // namespace MergeKey

namespace MergeWord {
// What "Add Item" puts into a field without an editor of its own.
inline const QString NewPhoneNumber = QStringLiteral("123");
inline const QString NewText = QStringLiteral("new");
} // namespace MergeWord

namespace MergeLimit {
// Photos are stored with their longer side at most this many points.
inline constexpr int PhotoSide = 512;
// How long a change waits for a photo to be reduced.
inline constexpr int PhotoWaitMilliseconds = 2000;
// The side of the photo shown in the panel's photo row.
inline constexpr int ThumbnailSide = 64;
// The smallest row height and the padding added to a line's height.
inline constexpr int MinimumRowHeight = 20;
inline constexpr int RowPadding = 9;
} // namespace MergeLimit
