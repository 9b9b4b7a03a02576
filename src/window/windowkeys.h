// Preference keys and fixed words of the document window. The table's own keys (view types, sort
// options, column widths, labels) are in table/keys.h.
#pragma once

#include <QString>

namespace WindowKey {
inline const QString ShowGroupView = QStringLiteral("QV1DshowGroupView");
inline const QString LastEditState = QStringLiteral("QV1DlastEditState");
inline const QString LastSidebar = QStringLiteral("QV1DlastSidebar");
inline const QString LastSidebarPos = QStringLiteral("QV1DlastSidebarPos");
// The detail side bar's width, so that it opens as wide as the user left it.
inline const QString LastDetailWidth = QStringLiteral("QV1DlastDetailWidth");
inline const QString LastContainerIdentifier = QStringLiteral("QV1DlastContainerIdentifier");
inline const QString DefaultFontName = QStringLiteral("QV1DdefaultFontName");
inline const QString DefaultFontSize = QStringLiteral("QV1DdefaultFontSize");
inline const QString FontName = QStringLiteral("QVFontName");
inline const QString FontSize = QStringLiteral("QVFontSize");
// Font keys of a file window: the key, a space and the document name.
inline const QString PerDocumentFormat = QStringLiteral("%1 %2");
inline const QString LastSelectedItemInCustomPanel = QStringLiteral("QV1DlastSelectedItemInCustomPanel");
// The window's name for the platform address book, which has no document name.
inline const QString AddressBookName = QStringLiteral("AddressBook");
// The platform's own name for its system font, as older preference files may hold it.
inline const QString SystemFontName = QStringLiteral(".AppleSystemUIFont");
} // namespace WindowKey

// The working definitions of the custom items panel, beside the stored keys of CustomKey.
namespace CustomItemKey {
inline const QString ImageIcon = QStringLiteral("ImageIcon");
inline const QString New = QStringLiteral("new");
inline const QString Changed = QStringLiteral("changed");
inline const QString Deleted = QStringLiteral("deleted");
inline const QString Row = QStringLiteral("row");
inline const QString Locked = QStringLiteral("Locked");
// Icons larger than this on a side are reduced to it.
inline constexpr int MaxIconSide = 512;
} // namespace CustomItemKey
