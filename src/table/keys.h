// Key strings of the contacts table: user-defaults keys, view types, sort options and cell kinds.
// Field identifiers and record keys live in record/keys.h.
#pragma once

#include <QString>

// User-defaults keys read and written by the table and the window around it.
namespace DefaultsKey {
inline const QString ViewTypeDict = QStringLiteral("QV1DviewTypeDict");
inline const QString SelectedViewType = QStringLiteral("QV1DselectedViewType");
inline const QString SelectedLabels = QStringLiteral("QV1DselectedLabels");
inline const QString SortOptionsDict = QStringLiteral("QV1DsortOptionsDict");
inline const QString SortOptionsDefault = QStringLiteral("QV1DsortOptionsDefault");
inline const QString ColumnWidthDictionary = QStringLiteral("QV1DcolumnWidthDictionary");
inline const QString ShowCompanyInNameCell = QStringLiteral("QV1DshowCompanyInNameCell");
inline const QString LastSortDesc = QStringLiteral("QV1DlastSortDesc");
inline const QString LastRowOrder = QStringLiteral("QV1DlastRowOrder");
inline const QString IconRowCount = QStringLiteral("QV1DiconRowCount");
} // namespace DefaultsKey

// Names of the built-in view types (column sets).
namespace ViewTypeName {
inline const QString Name = QStringLiteral("Name");
inline const QString Email = QStringLiteral("Email");
inline const QString Phone = QStringLiteral("Phone");
inline const QString Address = QStringLiteral("Address");
inline const QString AddressDetail = QStringLiteral("Address Detail");
inline const QString InstantMessage = QStringLiteral("Instant Message");
inline const QString SocialNetwork = QStringLiteral("Social Network");
inline const QString Url = QStringLiteral("URL");
inline const QString PersonalInformation = QStringLiteral("Personal Information");
inline const QString BusinessInformation = QStringLiteral("Business Information");
inline const QString Other = QStringLiteral("Other");
inline const QString LabeledValues = QStringLiteral("Labeled Values");
inline const QString NonLabeledValues = QStringLiteral("Non-labeled Values");
} // namespace ViewTypeName

// Keys of one column's entry in the sort-options dictionary.
namespace SortOptionKey {
inline const QString Type = QStringLiteral("type");
inline const QString Items = QStringLiteral("items");
inline const QString Selected = QStringLiteral("selected");
} // namespace SortOptionKey

// Sort option words that are not field identifiers or record keys.
namespace SortOptionWord {
inline const QString ServiceName = QStringLiteral("service name");
} // namespace SortOptionWord

// Keys of the remembered sort ({"key", "ascending"}).
namespace SortDescKey {
inline const QString Key = QStringLiteral("key");
inline const QString Ascending = QStringLiteral("ascending");
} // namespace SortDescKey

// Identifiers of the table's cell views.
namespace CellId {
inline const QString ImageAndText = QStringLiteral("ImageAndText");
inline const QString DetailCell = QStringLiteral("DetailCell");
inline const QString TextCell = QStringLiteral("TextCell");
inline const QString PopupAndText = QStringLiteral("PopupAndText");
inline const QString GroupCell = QStringLiteral("GroupCell");
} // namespace CellId

// The find options string that asks for case-sensitive matching.
namespace FindOption {
inline const QString CaseSensitive = QStringLiteral("caseSensitive");
} // namespace FindOption

// The services a pasted social-network or instant-message piece is given.
namespace PasteService {
inline const QString SocialNetwork = QStringLiteral("Twitter");
inline const QString InstantMessage = QStringLiteral("AIM");
} // namespace PasteService

// Column identifiers of the multi-value editor that are not field identifiers or address components.
namespace MultiValueColumnId {
inline const QString Edit = QStringLiteral("Edit");
inline const QString Label = QStringLiteral("label");
inline const QString ServiceType = QStringLiteral("serviceType");
inline const QString CountryCode = QStringLiteral("CountryCode");
inline const QString Username = QStringLiteral("Username");
inline const QString UserIdentifier = QStringLiteral("User Identifier");
inline const QString UrlString = QStringLiteral("URL String");
} // namespace MultiValueColumnId

// The private drag type of a row dragged within the multi-value editor (its row number).
namespace MultiValueDragType {
inline const QString Row = QStringLiteral("labelIndex");
} // namespace MultiValueDragType

// The texts of an item Add Item makes.
namespace NewItemText {
inline const QString Label = QStringLiteral("new");
inline const QString Value = QStringLiteral("new");
inline const QString PhoneValue = QStringLiteral("123");
} // namespace NewItemText
