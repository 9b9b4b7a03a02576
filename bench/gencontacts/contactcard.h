// One generated contact, independent of the file format it is written in.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace Gen {

// What a value is called in the record's own vocabulary; decides the CSV column.
enum class Slot
{
    Home,
    Work,
    Other,
    Mobile,
    Main,
    Pager,
    HomeFax,
    WorkFax,
    Custom
};

// A labeled item. `types` are the vCard TYPE values; `groupLabel` non-empty makes the item an
// Apple-style grouped property (itemN.PROP + itemN.X-ABLabel).
struct Labeled
{
    Slot slot = Slot::Other;
    QStringList types;
    QString groupLabel;
    QString value;
};

struct Address
{
    Slot slot = Slot::Home;
    QStringList types;
    QString groupLabel;
    QString street; // may hold a line break (second address line)
    QString city;
    QString region;
    QString zip;
    QString country;
};

struct Date
{
    int year = 0;
    int month = 0;
    int day = 0;
};

struct Instant
{
    QString property; // "IMPP" or an X- property such as "X-AIM"
    QString service; // X-SERVICE-TYPE of IMPP
    QString type;
    QString value;
};

struct Social
{
    QString service; // lower-case type value: twitter, facebook, linkedin, flickr, sinaweibo
    QString user;
    QString url;
};

struct Related
{
    QString label; // the X-ABLabel text
    QString name;
};

struct CustomItem
{
    QString name; // after "X-"
    QString type; // empty for a plain string item
    QString value;
};

struct Card
{
    QString uid;
    bool company = false;
    bool japanese = false;
    QString prefix, given, middle, family, suffix;
    QString phoneticGiven, phoneticFamily;
    QString nickname;
    QString organization, department, jobTitle;
    QList<Labeled> phones;
    QList<Labeled> emails;
    QList<Labeled> urls;
    QList<Address> addresses;
    QList<Instant> instantMessages;
    QList<Social> socialProfiles;
    QList<Related> relatedNames;
    QList<std::pair<QString, Date>> dates; // X-ABLabel text and date
    Date birthday;
    QString note;
    QStringList categories;
    QList<CustomItem> customItems;
    QString latitude, longitude, timeZone;
    QByteArray photoJpeg;
    bool listStyleTypes = false; // TYPE=A,B instead of type=A;type=B (both occur in the wild)

    // The full display name (FN): given name first in Latin script, family name first in Japanese.
    QString formattedName() const;
    // The program's composite name: the same without prefix, middle name and suffix.
    QString compositeName() const;
};

} // namespace Gen
