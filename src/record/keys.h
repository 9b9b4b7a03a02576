// Field identifiers and dictionary keys of the contact record.
// Every key string of the record is declared here once; nothing else spells them.
#pragma once

#include <QString>

namespace FieldId {
// Built-in field identifiers, in the order of QVPerson::allIdentifiers().
inline const QString Name = QStringLiteral("Name");
inline const QString Company = QStringLiteral("Company");
inline const QString Department = QStringLiteral("Department");
inline const QString JobTitle = QStringLiteral("Job Title");
inline const QString Nickname = QStringLiteral("Nickname");
inline const QString Title = QStringLiteral("Title");
inline const QString Suffix = QStringLiteral("Suffix");
inline const QString Note = QStringLiteral("Note");
inline const QString Phone = QStringLiteral("Phone");
inline const QString Email = QStringLiteral("Email");
inline const QString Url = QStringLiteral("URL");
inline const QString Address = QStringLiteral("Address");
inline const QString Relationship = QStringLiteral("Relationship");
inline const QString SocialNetwork = QStringLiteral("Social Network");
inline const QString InstantMessage = QStringLiteral("Instant Message");
inline const QString Dates = QStringLiteral("Dates");
inline const QString Birthday = QStringLiteral("Birthday");
inline const QString PhoneticName = QStringLiteral("Phonetic Name");
inline const QString Photo = QStringLiteral("Photo");

// Phonetic parts.
inline const QString PhoneticFirstName = QStringLiteral("Phonetic FirstName");
inline const QString PhoneticMiddleName = QStringLiteral("Phonetic MiddleName");
inline const QString PhoneticLastName = QStringLiteral("Phonetic LastName");

// Name parts (keys of the name dictionary, also accepted as identifiers).
inline const QString FirstName = QStringLiteral("FirstName");
inline const QString MiddleName = QStringLiteral("MiddleName");
inline const QString LastName = QStringLiteral("LastName");
inline const QString PreviousFamilyName = QStringLiteral("PreviousFamilyName");

// Address components (keys of an address labeled value and table columns).
inline const QString Zip = QStringLiteral("ZIP");
inline const QString State = QStringLiteral("State");
inline const QString City = QStringLiteral("City");
inline const QString Street = QStringLiteral("Street");
inline const QString Country = QStringLiteral("Country");

// Pseudo identifiers understood by valueForIdentifier().
inline const QString CompositeName = QStringLiteral("compositeName");
inline const QString Thumbnail = QStringLiteral("thumbnail");
inline const QString Groups = QStringLiteral("Groups");
inline const QString NameOrdering = QStringLiteral("Name Ordering");
inline const QString NameDisplay = QStringLiteral("Name Display");
inline const QString ShowAsPerson = QStringLiteral("Show as Person");
} // namespace FieldId

namespace ValueType {
inline const QString Labeled = QStringLiteral("Labeled Value");
inline const QString String = QStringLiteral("String Value");
inline const QString Dictionary = QStringLiteral("Dictionary Value");
} // namespace ValueType

// Keys of labeled values and of the name, phonetic name and birthday dictionaries.
namespace Key {
inline const QString Label = QStringLiteral("label");
inline const QString Value = QStringLiteral("value");
inline const QString StringValue = QStringLiteral("stringValue");
inline const QString LabelIndex = QStringLiteral("labelIndex");
inline const QString CnLabel = QStringLiteral("cnlabel");
inline const QString PhoneNumber = QStringLiteral("phoneNumber");
inline const QString Username = QStringLiteral("username");
inline const QString Domain = QStringLiteral("domain");
inline const QString Service = QStringLiteral("service");
inline const QString UrlString = QStringLiteral("urlString");
inline const QString UserIdentifier = QStringLiteral("userIdentifier");
inline const QString SocialProfile = QStringLiteral("socialProfile");
inline const QString InstantMessageAddress = QStringLiteral("instantMessageAddress");
inline const QString ContactRelation = QStringLiteral("contactRelation");
inline const QString PostalAddress = QStringLiteral("postalAddress");
inline const QString IsoCountryCode = QStringLiteral("ISOCountryCode");
inline const QString PredictCountryCode = QStringLiteral("PredictCountryCode");
inline const QString FormattedString = QStringLiteral("formattedString");
// Step 9 of the platform conversion reads this entry for the ISO code.
inline const QString CountryCode = QStringLiteral("CountryCode");
inline const QString ShowAsPerson = QStringLiteral("showAsPerson");
inline const QString NameOrdering = QStringLiteral("nameOrdering");
// Parameters of a labeled item's vCard property that no field holds, kept to be written again.
inline const QString VCardParameters = QStringLiteral("vCardParameters");
// A labeled item's vCard property as read, up to its value ("item1.TEL;type=WORK,pref"), written
// again while it still says what the item says.
inline const QString VCardProperty = QStringLiteral("vCardProperty");
// The item's vCard value as read, kept where the writer's own form of it would differ (a date
// written otherwise, an address with a post-office box), and written while it reads as the item.
inline const QString VCardValue = QStringLiteral("vCardValue");
} // namespace Key

// Keys of what the reader keeps of a card's single-valued properties (QVPerson::vCardKept), kept
// by the vCard code and known to the record so that looking them up is quick: the
// head of each property read with a group or parameters ("item2.ORG", "NOTE;LANGUAGE=de") under
// the property's name, and the formatted name as written with the name it was composed from then.
namespace VCardKeptKey {
inline const QString N = QStringLiteral("N");
inline const QString FN = QStringLiteral("FN");
inline const QString Org = QStringLiteral("ORG");
inline const QString Title = QStringLiteral("TITLE");
inline const QString Nickname = QStringLiteral("NICKNAME");
inline const QString Note = QStringLiteral("NOTE");
inline const QString Bday = QStringLiteral("BDAY");
inline const QString MaidenName = QStringLiteral("X-MAIDENNAME");
inline const QString PhoneticFirstName = QStringLiteral("X-PHONETIC-FIRST-NAME");
inline const QString PhoneticMiddleName = QStringLiteral("X-PHONETIC-MIDDLE-NAME");
inline const QString PhoneticLastName = QStringLiteral("X-PHONETIC-LAST-NAME");
inline const QString ShowAs = QStringLiteral("X-ABShowAs");
inline const QString FormattedName = QStringLiteral("formattedName");
// The birthday as written when the writer's form differs ("19780311").
inline const QString BdayValue = QStringLiteral("bdayValue");
// The first name taken from the formatted name of a card whose N was empty or missing.
inline const QString NameFromFN = QStringLiteral("nameFromFN");
inline const QString ComposedName = QStringLiteral("composedName");
} // namespace VCardKeptKey

// Keys of a custom item definition.
namespace CustomKey {
inline const QString Type = QStringLiteral("Type");
inline const QString Name = QStringLiteral("Name");
inline const QString Labels = QStringLiteral("Labels");
inline const QString ImageData = QStringLiteral("ImageData");
} // namespace CustomKey

// Keys of the archived form of a record.
namespace ArchiveKey {
inline const QString DefaultNameOrdering = QStringLiteral("defaultNameOrdering");
inline const QString DefaultCountryCode = QStringLiteral("defaultCountryCode");
inline const QString ShowAsPerson = QStringLiteral("showAsPerson");
inline const QString CompositeName = QStringLiteral("compositeName");
inline const QString NameValue = QStringLiteral("nameValue");
inline const QString PhoneticNameValue = QStringLiteral("phoneticNameValue");
inline const QString PhoneValues = QStringLiteral("phoneValues");
inline const QString EmailValues = QStringLiteral("emailValues");
inline const QString AddressValues = QStringLiteral("addressValues");
inline const QString UrlValues = QStringLiteral("urlValues");
inline const QString RelationshipValues = QStringLiteral("relationshipValues");
inline const QString SnsValues = QStringLiteral("snsValues");
inline const QString ImsValues = QStringLiteral("imsValues");
inline const QString BirthdayValue = QStringLiteral("birthdayValue");
inline const QString DatesValues = QStringLiteral("datesValues");
inline const QString ImageData = QStringLiteral("imageData");
inline const QString ThumbnailImageData = QStringLiteral("thumbnailImageData");
inline const QString Created = QStringLiteral("created");
inline const QString Changed = QStringLiteral("changed");
inline const QString UniqueId = QStringLiteral("uniqueId");
inline const QString UniqueId2 = QStringLiteral("uniqueId2");
inline const QString Items = QStringLiteral("items");
inline const QString CustomItems = QStringLiteral("customItems");
// Not in the original archive: properties kept verbatim from vCard so nothing is lost.
inline const QString ExtraProperties = QStringLiteral("extraProperties");
inline const QString VCardKept = QStringLiteral("vCardKept");
} // namespace ArchiveKey

// Label words of the record's own vocabulary.
namespace LabelWord {
inline const QString NoLabel = QStringLiteral("No label");
inline const QString NoService = QStringLiteral("No service");
inline const QString All = QStringLiteral("All");
inline const QString Home = QStringLiteral("home");
inline const QString Work = QStringLiteral("work");
inline const QString Other = QStringLiteral("other");
inline const QString Main = QStringLiteral("main");
inline const QString Mobile = QStringLiteral("mobile");
inline const QString IPhone = QStringLiteral("iPhone");
inline const QString Pager = QStringLiteral("pager");
inline const QString HomeFax = QStringLiteral("home fax");
inline const QString WorkFax = QStringLiteral("work fax");
inline const QString OtherFax = QStringLiteral("other fax");
inline const QString HomePage = QStringLiteral("home page");
inline const QString Father = QStringLiteral("father");
inline const QString Mother = QStringLiteral("mother");
inline const QString Parent = QStringLiteral("parent");
inline const QString Spouse = QStringLiteral("spouse");
inline const QString Child = QStringLiteral("child");
inline const QString Brother = QStringLiteral("brother");
inline const QString Sister = QStringLiteral("sister");
inline const QString Friend = QStringLiteral("friend");
inline const QString Assistant = QStringLiteral("assistant");
inline const QString Manager = QStringLiteral("manager");
inline const QString Partner = QStringLiteral("partner");
inline const QString Son = QStringLiteral("son");
inline const QString Daughter = QStringLiteral("daughter");
inline const QString Anniversary = QStringLiteral("anniversary");
inline const QString Person = QStringLiteral("Person");
inline const QString CompanyWord = QStringLiteral("Company");
inline const QString SystemDefaultFormat = QStringLiteral("System Default (%1)");
inline const QString FirstNameFirst = QStringLiteral("First Name First");
inline const QString LastNameFirst = QStringLiteral("Last Name First");
inline const QString WeChat = QStringLiteral("WeChat");
inline const QString Instagram = QStringLiteral("Instagram");
inline const QString Pinterest = QStringLiteral("Pinterest");
inline const QString Line = QStringLiteral("LINE");
inline const QString Snapchat = QStringLiteral("Snapchat");
inline const QString Tumbler = QStringLiteral("Tumbler"); // spelled so on purpose
inline const QString WhatsApp = QStringLiteral("WhatsApp");
} // namespace LabelWord

// Address-format table keys.
namespace AddressFormatKey {
inline const QString Root = QStringLiteral("AddressFormat");
inline const QString CountryCode = QStringLiteral("CountryCode");
inline const QString FormatString = QStringLiteral("formatString");
inline const QString Country = QStringLiteral("Country");
inline const QString Alpha3 = QStringLiteral("Alpha3");
inline const QString Order = QStringLiteral("Order");
inline const QString LocalizedCountry = QStringLiteral("LocalizedCountry");
inline const QString CountryPrefix = QStringLiteral("Country.");
inline const QString Identifier = QStringLiteral("identifier");
inline const QString Value = QStringLiteral("value");
inline const QString Range = QStringLiteral("range");
} // namespace AddressFormatKey

// Keys of container, group and contact entries where they cross into dictionaries
// (dumps, drag data, the detail views' row information).
namespace EntryKey {
inline const QString Name = QStringLiteral("name");
inline const QString Type = QStringLiteral("type");
inline const QString Identifier = QStringLiteral("identifier");
inline const QString Groups = QStringLiteral("groups");
inline const QString Top = QStringLiteral("top");
inline const QString ContainerName = QStringLiteral("containerName");
inline const QString UniqueId = QStringLiteral("uniqueId");
inline const QString UniqueId2 = QStringLiteral("uniqueId2");
inline const QString ContainerIdentifier = QStringLiteral("containerIdentifier");
inline const QString ContactTable = QStringLiteral("contactTable");
inline const QString New = QStringLiteral("new");
inline const QString Deleted = QStringLiteral("deleted");
inline const QString Changed = QStringLiteral("changed");
inline const QString GroupNameChanged = QStringLiteral("groupNameChanged");
inline const QString Person = QStringLiteral("person");
inline const QString LabelIndex = QStringLiteral("labelIndex");
inline const QString GroupNames = QStringLiteral("groupNames");
// The container of a file document and its first group.
inline const QString VCardContainerName = QStringLiteral("vCard");
inline const QString LocalContainerName = QStringLiteral("Local");
} // namespace EntryKey
