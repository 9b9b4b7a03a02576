// The CSV vocabulary: the column table the writer produces and the header keywords the reader
// recognises. The two must agree, so that a file the program writes reads back.
#pragma once

#include "formats/csvexportcolumns_p.h"
#include "platform/contactlabels.h"
#include "record/keys.h"

#include <QString>
#include <iterator>

// One column: its header text, the kind of value it holds and the label of that value (empty when
// the kind has none).
struct CsvColumn
{
    QString fieldName;
    QString type;
    QString label;
};

// Column kinds beyond the field identifiers they mostly are.
namespace CsvType {
inline const QString Unknown = QStringLiteral("Unknown");
// Results of header detection that become social-network columns.
inline const QString Facebook = QStringLiteral("Facebook");
inline const QString LinkedIn = QStringLiteral("LinkedIn");
inline const QString Flickr = QStringLiteral("Flickr");
inline const QString SinaWeibo = QStringLiteral("SinaWeibo");
} // namespace CsvType

namespace CsvKey {
// The name dictionary entry that holds the full name read from a Name column.
inline const QString FullName = QStringLiteral("Name");
} // namespace CsvKey

namespace CsvText {
inline const QChar Separator = u',';
inline const QChar Quote = u'"';
// The separators of other programs' exports, the program's own first.
inline const QChar Separators[] = { u',', u';', u'\t' };
inline const QString SeparatorQuote = QStringLiteral(",\"");
inline const QChar LineFeed = u'\n';
inline const QChar Tab = u'\t';
// Line breaks and tabs inside a cell are written as these two-character escapes.
inline const QString EscapedLineFeed = QStringLiteral("\\n");
inline const QString EscapedTab = QStringLiteral("\\t");
inline const QChar Backslash = u'\\';
inline const QChar EscapeLetterLineFeed = u'n';
inline const QChar EscapeLetterTab = u't';
// The one header first field that marks the first line as a header only.
inline const QString HeaderMarker = QStringLiteral("Name");
} // namespace CsvText

struct CsvKeyword
{
    QString keyword; // matched as a case-insensitive substring of the header field
    QString result;
};

// Header field -> column kind; the first keyword contained wins, so order matters
// ("First Name" before "Name", "Job Title" before "Title").
inline const CsvKeyword kCsvTypeKeywords[] = {
    { QStringLiteral("First Name"), FieldId::FirstName },
    { QStringLiteral("Last Name"), FieldId::LastName },
    { QStringLiteral("Nickname"), FieldId::Nickname },
    { QStringLiteral("Name"), FieldId::Name },
    { QStringLiteral("Phone"), FieldId::Phone },
    { QStringLiteral("Email"), FieldId::Email },
    { QStringLiteral("ZIP"), FieldId::Address },
    { QStringLiteral("State"), FieldId::Address },
    { QStringLiteral("City"), FieldId::Address },
    { QStringLiteral("Street"), FieldId::Address },
    { QStringLiteral("Birthday"), FieldId::Birthday },
    { QStringLiteral("Job Title"), FieldId::JobTitle },
    { QStringLiteral("Title"), FieldId::Title },
    { QStringLiteral("Company"), FieldId::Company },
    { QStringLiteral("Department"), FieldId::Department },
    { QStringLiteral("Note"), FieldId::Note },
    { QStringLiteral("Facebook"), CsvType::Facebook },
    { QStringLiteral("LinkedIn"), CsvType::LinkedIn },
    { QStringLiteral("Flickr"), CsvType::Flickr },
    { QStringLiteral("SinaWeibo"), CsvType::SinaWeibo },
};

// Header field -> label of its phone, e-mail or address values; none matching gives "other".
inline const CsvKeyword kCsvLabelKeywords[] = {
    { QStringLiteral("Home"), LabelWord::Home },
    { QStringLiteral("Work"), LabelWord::Work },
    { QStringLiteral("Business"), LabelWord::Work },
    { QStringLiteral("Mobile"), LabelWord::Mobile },
};

// Header field -> address component; none matching gives "Street".
inline const CsvKeyword kCsvAddressKeywords[] = {
    { QStringLiteral("ZIP"), FieldId::Zip },
    { QStringLiteral("State"), FieldId::State },
    { QStringLiteral("City"), FieldId::City },
};

// Detected social-network kind -> the service label its values get. Reader and writer share these
// labels, so the four columns read back under the service they were written from.
inline const CsvKeyword kCsvSocialServices[] = {
    { CsvType::Facebook, SocialService::Facebook },
    { CsvType::LinkedIn, SocialService::LinkedIn },
    { CsvType::Flickr, SocialService::Flickr },
    { CsvType::SinaWeibo, SocialService::SinaWeibo },
};

// The columns of a written CSV document, in file order. The three phone and the three e-mail
// columns share one header and differ in the label whose value they hold.
inline const CsvColumn kCsvColumns[] = {
    { QStringLiteral("Name"), FieldId::Name, {} },
    { QStringLiteral("Home Phone"), FieldId::Phone, LabelWord::Home },
    { QStringLiteral("Home Phone"), FieldId::Phone, LabelWord::Work },
    { QStringLiteral("Home Phone"), FieldId::Phone, LabelWord::Other },
    { QStringLiteral("Home Email"), FieldId::Email, LabelWord::Home },
    { QStringLiteral("Home Email"), FieldId::Email, LabelWord::Work },
    { QStringLiteral("Home Email"), FieldId::Email, LabelWord::Other },
    { QStringLiteral("Home ZIP"), FieldId::Zip, LabelWord::Home },
    { QStringLiteral("Home State"), FieldId::State, LabelWord::Home },
    { QStringLiteral("Home City"), FieldId::City, LabelWord::Home },
    { QStringLiteral("Home Street"), FieldId::Street, LabelWord::Home },
    { QStringLiteral("Work ZIP"), FieldId::Zip, LabelWord::Work },
    { QStringLiteral("Work State"), FieldId::State, LabelWord::Work },
    { QStringLiteral("Work City"), FieldId::City, LabelWord::Work },
    { QStringLiteral("Work Street"), FieldId::Street, LabelWord::Work },
    { QStringLiteral("Other ZIP"), FieldId::Zip, LabelWord::Other },
    { QStringLiteral("Other State"), FieldId::State, LabelWord::Other },
    { QStringLiteral("Other City"), FieldId::City, LabelWord::Other },
    { QStringLiteral("Other Street"), FieldId::Street, LabelWord::Other },
    { QStringLiteral("Birthday"), FieldId::Birthday, {} },
    { QStringLiteral("Title"), FieldId::Title, {} },
    { QStringLiteral("Company"), FieldId::Company, {} },
    { QStringLiteral("Department"), FieldId::Department, {} },
    { QStringLiteral("Job Title"), FieldId::JobTitle, {} },
    { QStringLiteral("First Name"), FieldId::Name, FieldId::FirstName },
    { QStringLiteral("Last Name"), FieldId::Name, FieldId::LastName },
    { QStringLiteral("Nickname"), FieldId::Nickname, {} },
    { QStringLiteral("Note"), FieldId::Note, {} },
    { QStringLiteral("Facebook"), FieldId::SocialNetwork, SocialService::Facebook },
    { QStringLiteral("LinkedIn"), FieldId::SocialNetwork, SocialService::LinkedIn },
    { QStringLiteral("Flickr"), FieldId::SocialNetwork, SocialService::Flickr },
    { QStringLiteral("SinaWeibo"), FieldId::SocialNetwork, SocialService::SinaWeibo },
};

static_assert(std::size(kCsvColumns) == 32, "a written CSV document has 32 columns");

// The order in which the values gathered from one line are given to the new record.
inline const QString kCsvRecordOrder[] = {
    FieldId::Name,          FieldId::PhoneticName, FieldId::Email,        FieldId::InstantMessage,
    FieldId::SocialNetwork, FieldId::Url,          FieldId::Phone,        FieldId::Address,
    FieldId::Nickname,      FieldId::Birthday,     FieldId::Relationship, FieldId::Suffix,
    FieldId::Title,         FieldId::Company,      FieldId::Department,   FieldId::JobTitle,
    FieldId::Dates,         FieldId::Note,
};

// ---- Exports of other programs ------------------------------------------------------------

namespace CsvText {
// Several values in one cell of a web address book's export ("a@x.org ::: b@x.org").
inline const QString ValueSeparator = QStringLiteral(" ::: ");
// Categories of a mail program's export are separated so.
inline const QChar CategorySeparator = u';';
// A label or group marked so is the address book's own ("* Home", "* myContacts").
inline const QString SystemMark = QStringLiteral("* ");
// The group every contact of a web address book is in; it names no group of its own.
inline const QString AllContactsGroup = QStringLiteral("myContacts");
// Numbered columns: "E-mail 2 - Value" is looked up as "E-mail - Value", number 2.
inline const QString NumberedColumnPattern = QStringLiteral("^(.+) ([0-9]+) - (.+)$");
inline const QString NumberedColumnJoin = QStringLiteral(" - ");
} // namespace CsvText

struct CsvExportColumn
{
    QString header; // compared without regard to case
    CsvExport::Part part;
    QString label;
};

// Column names of the usual exports. Labels: phones and e-mails as the exporting program means
// them; phone kinds the record has no label for become custom labels.
inline const CsvExportColumn kCsvExportColumns[] = {
    // Names
    { QStringLiteral("Name"), CsvExport::Part::FullName, {} },
    { QStringLiteral("Display Name"), CsvExport::Part::FullName, {} },
    { QStringLiteral("Full Name"), CsvExport::Part::FullName, {} },
    { QStringLiteral("First Name"), CsvExport::Part::FirstName, {} },
    { QStringLiteral("Given Name"), CsvExport::Part::FirstName, {} },
    { QStringLiteral("Middle Name"), CsvExport::Part::MiddleName, {} },
    { QStringLiteral("Additional Name"), CsvExport::Part::MiddleName, {} },
    { QStringLiteral("Last Name"), CsvExport::Part::LastName, {} },
    { QStringLiteral("Family Name"), CsvExport::Part::LastName, {} },
    { QStringLiteral("Surname"), CsvExport::Part::LastName, {} },
    { QStringLiteral("Title"), CsvExport::Part::Prefix, {} },
    { QStringLiteral("Name Prefix"), CsvExport::Part::Prefix, {} },
    { QStringLiteral("Prefix"), CsvExport::Part::Prefix, {} },
    { QStringLiteral("Suffix"), CsvExport::Part::Suffix, {} },
    { QStringLiteral("Name Suffix"), CsvExport::Part::Suffix, {} },
    { QStringLiteral("Nickname"), CsvExport::Part::Nickname, {} },
    { QStringLiteral("Maiden Name"), CsvExport::Part::MaidenName, {} },
    { QStringLiteral("Given Name Yomi"), CsvExport::Part::PhoneticFirstName, {} },
    { QStringLiteral("Given Yomi"), CsvExport::Part::PhoneticFirstName, {} },
    { QStringLiteral("Phonetic First Name"), CsvExport::Part::PhoneticFirstName, {} },
    { QStringLiteral("Additional Name Yomi"), CsvExport::Part::PhoneticMiddleName, {} },
    { QStringLiteral("Phonetic Middle Name"), CsvExport::Part::PhoneticMiddleName, {} },
    { QStringLiteral("Family Name Yomi"), CsvExport::Part::PhoneticLastName, {} },
    { QStringLiteral("Surname Yomi"), CsvExport::Part::PhoneticLastName, {} },
    { QStringLiteral("Phonetic Last Name"), CsvExport::Part::PhoneticLastName, {} },
    // Organisation
    { QStringLiteral("Company"), CsvExport::Part::Company, {} },
    { QStringLiteral("Organization"), CsvExport::Part::Company, {} },
    { QStringLiteral("Organization Name"), CsvExport::Part::Company, {} },
    { QStringLiteral("Organization - Name"), CsvExport::Part::Company, {} },
    { QStringLiteral("Department"), CsvExport::Part::Department, {} },
    { QStringLiteral("Organization Department"), CsvExport::Part::Department, {} },
    { QStringLiteral("Organization - Department"), CsvExport::Part::Department, {} },
    { QStringLiteral("Job Title"), CsvExport::Part::JobTitle, {} },
    { QStringLiteral("Organization Title"), CsvExport::Part::JobTitle, {} },
    { QStringLiteral("Organization - Title"), CsvExport::Part::JobTitle, {} },
    // Notes and dates
    { QStringLiteral("Notes"), CsvExport::Part::Note, {} },
    { QStringLiteral("Note"), CsvExport::Part::Note, {} },
    { QStringLiteral("Birthday"), CsvExport::Part::Birthday, {} },
    { QStringLiteral("Birth Year"), CsvExport::Part::BirthYear, {} },
    { QStringLiteral("Birth Month"), CsvExport::Part::BirthMonth, {} },
    { QStringLiteral("Birth Day"), CsvExport::Part::BirthDay, {} },
    { QStringLiteral("Anniversary"), CsvExport::Part::Date, LabelWord::Anniversary },
    { QStringLiteral("Event - Value"), CsvExport::Part::Date, {} },
    { QStringLiteral("Event - Type"), CsvExport::Part::ItemLabel, {} },
    { QStringLiteral("Event - Label"), CsvExport::Part::ItemLabel, {} },
    // E-mail
    { QStringLiteral("E-mail Address"), CsvExport::Part::Email, LabelWord::Other },
    { QStringLiteral("E-mail 2 Address"), CsvExport::Part::Email, LabelWord::Other },
    { QStringLiteral("E-mail 3 Address"), CsvExport::Part::Email, LabelWord::Other },
    { QStringLiteral("Primary Email"), CsvExport::Part::Email, LabelWord::Home },
    { QStringLiteral("Secondary Email"), CsvExport::Part::Email, LabelWord::Other },
    { QStringLiteral("E-mail - Value"), CsvExport::Part::Email, {} },
    { QStringLiteral("E-mail - Type"), CsvExport::Part::ItemLabel, {} },
    { QStringLiteral("E-mail - Label"), CsvExport::Part::ItemLabel, {} },
    // Phones the keyword "Phone" misses or mislabels
    { QStringLiteral("Mobile Number"), CsvExport::Part::Phone, LabelWord::Mobile },
    { QStringLiteral("Home Mobile"), CsvExport::Part::Phone, LabelWord::Mobile },
    { QStringLiteral("Primary Phone"), CsvExport::Part::Phone, LabelWord::Main },
    { QStringLiteral("Company Main Phone"), CsvExport::Part::Phone, LabelWord::Main },
    { QStringLiteral("Fax Number"), CsvExport::Part::Phone, LabelWord::HomeFax },
    { QStringLiteral("Home Fax"), CsvExport::Part::Phone, LabelWord::HomeFax },
    { QStringLiteral("Business Fax"), CsvExport::Part::Phone, LabelWord::WorkFax },
    { QStringLiteral("Work Fax"), CsvExport::Part::Phone, LabelWord::WorkFax },
    { QStringLiteral("Other Fax"), CsvExport::Part::Phone, LabelWord::OtherFax },
    { QStringLiteral("Pager"), CsvExport::Part::Phone, LabelWord::Pager },
    { QStringLiteral("Pager Number"), CsvExport::Part::Phone, LabelWord::Pager },
    { QStringLiteral("Car Phone"), CsvExport::Part::Phone, QStringLiteral("car") },
    { QStringLiteral("Phone Video"), CsvExport::Part::Phone, QStringLiteral("video") },
    { QStringLiteral("Assistant's Phone"), CsvExport::Part::Phone, QStringLiteral("assistant") },
    { QStringLiteral("Radio Phone"), CsvExport::Part::Phone, QStringLiteral("radio") },
    { QStringLiteral("TTY/TDD Phone"), CsvExport::Part::Phone, QStringLiteral("TTY/TDD") },
    { QStringLiteral("Callback"), CsvExport::Part::Phone, QStringLiteral("callback") },
    { QStringLiteral("ISDN"), CsvExport::Part::Phone, QStringLiteral("ISDN") },
    { QStringLiteral("Telex"), CsvExport::Part::Phone, QStringLiteral("telex") },
    { QStringLiteral("Phone - Value"), CsvExport::Part::Phone, {} },
    { QStringLiteral("Phone - Type"), CsvExport::Part::ItemLabel, {} },
    { QStringLiteral("Phone - Label"), CsvExport::Part::ItemLabel, {} },
    // Addresses the keywords "Street", "City", "State" and "ZIP" miss
    { QStringLiteral("Home Address"), CsvExport::Part::Street, LabelWord::Home },
    { QStringLiteral("Home Address 2"), CsvExport::Part::Street, LabelWord::Home },
    { QStringLiteral("Home Address PO Box"), CsvExport::Part::Street, LabelWord::Home },
    { QStringLiteral("Home Postal Code"), CsvExport::Part::Zip, LabelWord::Home },
    { QStringLiteral("Home Country"), CsvExport::Part::Country, LabelWord::Home },
    { QStringLiteral("Home Country/Region"), CsvExport::Part::Country, LabelWord::Home },
    { QStringLiteral("Work Address"), CsvExport::Part::Street, LabelWord::Work },
    { QStringLiteral("Work Address 2"), CsvExport::Part::Street, LabelWord::Work },
    { QStringLiteral("Business Address PO Box"), CsvExport::Part::Street, LabelWord::Work },
    { QStringLiteral("Business Postal Code"), CsvExport::Part::Zip, LabelWord::Work },
    { QStringLiteral("Work Country"), CsvExport::Part::Country, LabelWord::Work },
    { QStringLiteral("Business Country/Region"), CsvExport::Part::Country, LabelWord::Work },
    { QStringLiteral("Other Address PO Box"), CsvExport::Part::Street, LabelWord::Other },
    { QStringLiteral("Other Postal Code"), CsvExport::Part::Zip, LabelWord::Other },
    { QStringLiteral("Other Country"), CsvExport::Part::Country, LabelWord::Other },
    { QStringLiteral("Other Country/Region"), CsvExport::Part::Country, LabelWord::Other },
    { QStringLiteral("Address - Formatted"), CsvExport::Part::FormattedAddress, {} },
    { QStringLiteral("Address - Street"), CsvExport::Part::Street, {} },
    { QStringLiteral("Address - Extended Address"), CsvExport::Part::Street, {} },
    { QStringLiteral("Address - PO Box"), CsvExport::Part::Street, {} },
    { QStringLiteral("Address - City"), CsvExport::Part::City, {} },
    { QStringLiteral("Address - Region"), CsvExport::Part::State, {} },
    { QStringLiteral("Address - Postal Code"), CsvExport::Part::Zip, {} },
    { QStringLiteral("Address - Country"), CsvExport::Part::Country, {} },
    { QStringLiteral("Address - Type"), CsvExport::Part::ItemLabel, {} },
    { QStringLiteral("Address - Label"), CsvExport::Part::ItemLabel, {} },
    // Web pages
    { QStringLiteral("Web Page"), CsvExport::Part::Url, LabelWord::HomePage },
    { QStringLiteral("Web Page 1"), CsvExport::Part::Url, LabelWord::HomePage },
    { QStringLiteral("Web Page 2"), CsvExport::Part::Url, LabelWord::Other },
    { QStringLiteral("Personal Web Page"), CsvExport::Part::Url, LabelWord::HomePage },
    { QStringLiteral("Website Home Page"), CsvExport::Part::Url, LabelWord::HomePage },
    { QStringLiteral("Website Work"), CsvExport::Part::Url, LabelWord::Work },
    { QStringLiteral("Website Other"), CsvExport::Part::Url, LabelWord::Other },
    { QStringLiteral("Website Blog"), CsvExport::Part::Url, QStringLiteral("blog") },
    { QStringLiteral("Website Profile"), CsvExport::Part::Url, QStringLiteral("profile") },
    { QStringLiteral("Website - Value"), CsvExport::Part::Url, {} },
    { QStringLiteral("Website - Type"), CsvExport::Part::ItemLabel, {} },
    { QStringLiteral("Website - Label"), CsvExport::Part::ItemLabel, {} },
    // People
    { QStringLiteral("Manager's Name"), CsvExport::Part::Relationship, LabelWord::Manager },
    { QStringLiteral("Assistant's Name"), CsvExport::Part::Relationship, LabelWord::Assistant },
    { QStringLiteral("Spouse"), CsvExport::Part::Relationship, LabelWord::Spouse },
    { QStringLiteral("Children"), CsvExport::Part::Relationship, LabelWord::Child },
    { QStringLiteral("Relation - Value"), CsvExport::Part::Relationship, {} },
    { QStringLiteral("Relation - Type"), CsvExport::Part::ItemLabel, {} },
    { QStringLiteral("Relation - Label"), CsvExport::Part::ItemLabel, {} },
    // Instant messages: the label is the service
    { QStringLiteral("IM Aim"), CsvExport::Part::InstantMessage, IMService::Aim },
    { QStringLiteral("IM Icq"), CsvExport::Part::InstantMessage, IMService::Icq },
    { QStringLiteral("IM Jabber"), CsvExport::Part::InstantMessage, IMService::Jabber },
    { QStringLiteral("IM Msn"), CsvExport::Part::InstantMessage, IMService::Msn },
    { QStringLiteral("IM Skype"), CsvExport::Part::InstantMessage, IMService::Skype },
    { QStringLiteral("IM Yahoo"), CsvExport::Part::InstantMessage, IMService::Yahoo },
    // Groups
    { QStringLiteral("Categories"), CsvExport::Part::Groups, {} },
    { QStringLiteral("Group Membership"), CsvExport::Part::Groups, {} },
    { QStringLiteral("Labels"), CsvExport::Part::Groups, {} },
};

struct CsvExportLabel
{
    QString text; // compared without regard to case
    QString label;
};

// Label cells of numbered columns -> labels; other texts are kept as custom labels.
inline const CsvExportLabel kCsvExportLabels[] = {
    { QStringLiteral("Home"), LabelWord::Home },
    { QStringLiteral("Work"), LabelWord::Work },
    { QStringLiteral("Business"), LabelWord::Work },
    { QStringLiteral("Other"), LabelWord::Other },
    { QStringLiteral("Mobile"), LabelWord::Mobile },
    { QStringLiteral("Cell"), LabelWord::Mobile },
    { QStringLiteral("Main"), LabelWord::Main },
    { QStringLiteral("Pager"), LabelWord::Pager },
    { QStringLiteral("Home Fax"), LabelWord::HomeFax },
    { QStringLiteral("Work Fax"), LabelWord::WorkFax },
    { QStringLiteral("Other Fax"), LabelWord::OtherFax },
    { QStringLiteral("Home Page"), LabelWord::HomePage },
    { QStringLiteral("Homepage"), LabelWord::HomePage },
    { QStringLiteral("Spouse"), LabelWord::Spouse },
    { QStringLiteral("Child"), LabelWord::Child },
    { QStringLiteral("Mother"), LabelWord::Mother },
    { QStringLiteral("Father"), LabelWord::Father },
    { QStringLiteral("Parent"), LabelWord::Parent },
    { QStringLiteral("Brother"), LabelWord::Brother },
    { QStringLiteral("Sister"), LabelWord::Sister },
    { QStringLiteral("Friend"), LabelWord::Friend },
    { QStringLiteral("Assistant"), LabelWord::Assistant },
    { QStringLiteral("Manager"), LabelWord::Manager },
    { QStringLiteral("Partner"), LabelWord::Partner },
    { QStringLiteral("Anniversary"), LabelWord::Anniversary },
};
