// Stand-ins for the contact framework's label constants, service names and their display texts.
#pragma once

#include <QString>

namespace CNLabel {
// Standard labels, in the wrapped form "_$!<" text "!$_" that contact files carry.
inline const QString Home = QStringLiteral("_$!<Home>!$_");
inline const QString Work = QStringLiteral("_$!<Work>!$_");
inline const QString Other = QStringLiteral("_$!<Other>!$_");
inline const QString PhoneNumberiPhone = QStringLiteral("iPhone");
inline const QString PhoneNumberMain = QStringLiteral("_$!<Main>!$_");
inline const QString PhoneNumberMobile = QStringLiteral("_$!<Mobile>!$_");
inline const QString PhoneNumberHomeFax = QStringLiteral("_$!<HomeFAX>!$_");
inline const QString PhoneNumberWorkFax = QStringLiteral("_$!<WorkFAX>!$_");
inline const QString PhoneNumberOtherFax = QStringLiteral("_$!<OtherFAX>!$_");
inline const QString PhoneNumberPager = QStringLiteral("_$!<Pager>!$_");
inline const QString UrlAddressHomePage = QStringLiteral("_$!<HomePage>!$_");
inline const QString ContactRelationMother = QStringLiteral("_$!<Mother>!$_");
inline const QString ContactRelationFather = QStringLiteral("_$!<Father>!$_");
inline const QString ContactRelationParent = QStringLiteral("_$!<Parent>!$_");
inline const QString ContactRelationSister = QStringLiteral("_$!<Sister>!$_");
inline const QString ContactRelationBrother = QStringLiteral("_$!<Brother>!$_");
inline const QString ContactRelationChild = QStringLiteral("_$!<Child>!$_");
inline const QString ContactRelationFriend = QStringLiteral("_$!<Friend>!$_");
inline const QString ContactRelationSpouse = QStringLiteral("_$!<Spouse>!$_");
inline const QString ContactRelationPartner = QStringLiteral("_$!<Partner>!$_");
inline const QString ContactRelationAssistant = QStringLiteral("_$!<Assistant>!$_");
inline const QString ContactRelationManager = QStringLiteral("_$!<Manager>!$_");
inline const QString ContactRelationSon = QStringLiteral("_$!<Son>!$_");
inline const QString ContactRelationDaughter = QStringLiteral("_$!<Daughter>!$_");
inline const QString DateAnniversary = QStringLiteral("_$!<Anniversary>!$_");

// The display text of a label constant; labels without one show as themselves.
QString localizedLabel(const QString &cnLabel);
} // namespace CNLabel

// Social-profile service names. The address-book constants the CSV reader uses are the same strings,
// so a file the CSV writer produced reads back with the same labels.
namespace SocialService {
inline const QString Twitter = QStringLiteral("Twitter");
inline const QString Facebook = QStringLiteral("Facebook");
inline const QString Flickr = QStringLiteral("Flickr");
inline const QString LinkedIn = QStringLiteral("LinkedIn");
inline const QString Yelp = QStringLiteral("Yelp");
inline const QString MySpace = QStringLiteral("MySpace");
inline const QString SinaWeibo = QStringLiteral("SinaWeibo");
inline const QString TencentWeibo = QStringLiteral("TencentWeibo");
inline const QString GameCenter = QStringLiteral("GameCenter");
} // namespace SocialService

// Instant-message service names.
namespace IMService {
inline const QString Aim = QStringLiteral("AIM");
inline const QString Facebook = QStringLiteral("Facebook");
inline const QString GaduGadu = QStringLiteral("GaduGadu");
inline const QString GoogleTalk = QStringLiteral("GoogleTalk");
inline const QString Icq = QStringLiteral("ICQ");
inline const QString Jabber = QStringLiteral("Jabber");
inline const QString Msn = QStringLiteral("MSN");
inline const QString QQ = QStringLiteral("QQ");
inline const QString Skype = QStringLiteral("Skype");
inline const QString Yahoo = QStringLiteral("Yahoo");
} // namespace IMService

// Contact property keys, the names the identifier table maps field identifiers to.
namespace CNContactKey {
inline const QString OrganizationName = QStringLiteral("organizationName");
inline const QString DepartmentName = QStringLiteral("departmentName");
inline const QString JobTitle = QStringLiteral("jobTitle");
inline const QString Nickname = QStringLiteral("nickname");
inline const QString NamePrefix = QStringLiteral("namePrefix");
inline const QString NameSuffix = QStringLiteral("nameSuffix");
inline const QString Note = QStringLiteral("note");
inline const QString PhoneNumbers = QStringLiteral("phoneNumbers");
inline const QString EmailAddresses = QStringLiteral("emailAddresses");
inline const QString UrlAddresses = QStringLiteral("urlAddresses");
inline const QString PostalAddresses = QStringLiteral("postalAddresses");
inline const QString ContactRelations = QStringLiteral("contactRelations");
inline const QString SocialProfiles = QStringLiteral("socialProfiles");
inline const QString InstantMessageAddresses = QStringLiteral("instantMessageAddresses");
inline const QString Dates = QStringLiteral("dates");
inline const QString Birthday = QStringLiteral("birthday");
inline const QString ImageData = QStringLiteral("imageData");
inline const QString PhoneticGivenName = QStringLiteral("phoneticGivenName");
inline const QString PhoneticMiddleName = QStringLiteral("phoneticMiddleName");
inline const QString PhoneticFamilyName = QStringLiteral("phoneticFamilyName");
} // namespace CNContactKey
