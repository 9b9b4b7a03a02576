// The columns of address books exported by other programs (mail programs, web address books,
// phones): which part of a contact each header names.
#pragma once

#include <QString>

namespace CsvExport {

enum class Part
{
    Ignored,
    FullName,
    FirstName,
    MiddleName,
    LastName,
    Prefix,
    Suffix,
    Nickname,
    MaidenName,
    PhoneticFirstName,
    PhoneticMiddleName,
    PhoneticLastName,
    Company,
    Department,
    JobTitle,
    Note,
    Birthday,
    BirthYear,
    BirthMonth,
    BirthDay,
    Date, // a labeled date (anniversary)
    Phone,
    Email,
    Url,
    Relationship,
    InstantMessage,
    SocialNetwork,
    Street, // every street column of an address adds a line
    City,
    State,
    Zip,
    Country,
    FormattedAddress, // the street when an address has no parts of its own
    ItemLabel, // the label of the values of the same number ("Phone 1 - Type")
    Groups,
};

struct Column
{
    Part part = Part::Ignored;
    // The label of the column's values (the service for instant messages); empty when it comes
    // from the label column of the same number, or is "other".
    QString label;
    // For ItemLabel: the part whose values it labels; for address parts: Street.
    Part family = Part::Ignored;
    // The number of numbered columns ("E-mail 2 - Value"), -1 for others.
    int number = -1;
};

// The column a header names: an export's own column names first, then the numbered columns, then
// the keywords the program's own files use. Name keywords alone never make a name column there:
// "Manager's Name" or "E-mail Display Name" are no name of the contact.
Column columnForHeader(const QString &header);

// The label a label cell's text gives ("* Home" -> home, "Mobile" -> mobile); other texts are
// custom labels and stay as they are; an empty text gives an empty label.
QString labelFromText(const QString &text);

// The part that address columns, label columns and values share.
Part familyOf(Part part);

} // namespace CsvExport
