// Builders of records and entries for the table tests, and printable row summaries.
#pragma once

#include "../testutil.h"
#include "record/entries.h"
#include "record/keys.h"
#include "record/qvperson.h"

#include <QString>
#include <QStringList>
#include <initializer_list>
#include <utility>

namespace TableTest {

using LabeledTexts = std::initializer_list<std::pair<const char *, const char *>>;

// The table row of a record at an item position.
inline SubContactRow rowOf(const PersonPtr &p, int labelIndex, bool notFirstRow = false)
{
    SubContactRow row;
    row.person = p;
    row.uniqueId = p->uniqueId();
    row.labelIndex = labelIndex;
    row.notFirstRow = notFirstRow;
    return row;
}

// A person with the given first and last name (either may be empty).
inline PersonPtr person(const char *first, const char *last = "")
{
    PersonPtr p = QVPerson::create();
    p->setValue(QVariantMap { { FieldId::FirstName, qs(first) }, { FieldId::LastName, qs(last) } },
                FieldId::Name);
    return p;
}

// An organisation card: not shown as a person, named by its company.
inline PersonPtr company(const char *name, const char *first = "", const char *last = "")
{
    PersonPtr p = person(first, last);
    p->setValue(qs(name), FieldId::Company);
    p->setShowAsPerson(false);
    return p;
}

// Appends labeled items (label, value) to a built-in field, numbered as the record numbers them.
inline void add(const PersonPtr &p, const QString &identifier, LabeledTexts items)
{
    for (const auto &[label, value] : items)
        p->addLabeledValue(QVariantMap { { Key::Label, qs(label) }, { Key::Value, qs(value) } }, identifier);
}

// Defines a custom "Labeled Value" item holding the given items, numbered by position.
inline void addCustom(const PersonPtr &p, const QString &name, LabeledTexts items)
{
    QVariantList list;
    for (const auto &[label, value] : items)
        list.append(QVariantMap { { Key::Label, qs(label) }, { Key::Value, qs(value) } });
    p->addLabeledValue(list, name);
}

inline void addAddress(const PersonPtr &p, const char *label, const char *street, const char *city,
                       const char *zip = "")
{
    p->addLabeledValue(QVariantMap { { Key::Label, qs(label) },
                                     { FieldId::Street, qs(street) },
                                     { FieldId::City, qs(city) },
                                     { FieldId::Zip, qs(zip) } },
                       FieldId::Address);
}

inline void setBirthday(const PersonPtr &p, int year, int month, int day)
{
    p->setBirthdayValue(
        QVariantMap { { Key::Value, QVariant::fromValue(DateComponents { year, month, day }) } });
}

inline ContactList entries(std::initializer_list<PersonPtr> people)
{
    ContactList list;
    for (const PersonPtr &p : people)
        list.append(makeContactEntry(p));
    return list;
}

// Rows as "name#labelIndex" in row order, for readable failure messages.
inline QStringList summary(const SubContactRows &rows)
{
    QStringList out;
    for (const SubContactRow &row : rows)
        out.append(row.person->compositeName() + u'#' + QString::number(row.labelIndex));
    return out;
}

inline QStringList names(const SubContactRows &rows)
{
    QStringList out;
    for (const SubContactRow &row : rows)
        out.append(row.person->compositeName());
    return out;
}

} // namespace TableTest
