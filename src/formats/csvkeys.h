// The CSV vocabulary: the column table the writer produces and the header keywords the reader
// recognises. The two must agree, so that a file the program writes reads back.
#pragma once

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
inline const QString SeparatorQuote = QStringLiteral(",\"");
inline const QChar LineFeed = u'\n';
inline const QChar Tab = u'\t';
// Line breaks and tabs inside a cell are written as these two-character escapes.
inline const QString EscapedLineFeed = QStringLiteral("\\n");
inline const QString EscapedTab = QStringLiteral("\\t");
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
