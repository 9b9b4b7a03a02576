// Contacts under a ContactEditor, and the table rows a window would show for them.
#pragma once

#include "../editing/editorfixture.h"
#include "find/searchengine.h"
#include "table/tablerows.h"

inline std::ostream &operator<<(std::ostream &os, const TextRange &range)
{
    return os << '{' << (range.isFound() ? std::to_string(range.location) : std::string("NotFound")) << ", "
              << range.length << '}';
}

inline PersonPtr namedPerson(const QString &first, const QString &last, int nameOrdering = 0)
{
    PersonPtr person = QVPerson::create();
    QVariantMap name { { FieldId::FirstName, first }, { FieldId::LastName, last } };
    if (nameOrdering != 0)
        name.insert(Key::NameOrdering, nameOrdering);
    person->setValue(name, FieldId::Name);
    person->setChanged(false);
    return person;
}

inline void setPhones(const PersonPtr &person, const QStringList &phones)
{
    QVariantList items;
    for (int i = 0; i < phones.size(); ++i)
        items.append(labeled(LabelWord::Home, phones.at(i), i));
    person->setValue(items, FieldId::Phone);
}

inline QVariantMap imAccount(const QString &service, const QString &user, int labelIndex)
{
    return { { Key::Label, LabelWord::Home },
             { Key::Service, service },
             { Key::Value, user },
             { Key::LabelIndex, labelIndex } };
}

class FindTest : public EditorTest
{
protected:
    SubContactRows rowsFor(const QStringList &columns) const
    {
        return TableRows::reloadRows(*all->contactTable, columns, { LabelWord::All }, std::nullopt);
    }

    std::optional<SearchHit> next(const QStringList &columns)
    {
        return engine.findInTable(rowsFor(columns), columns, SearchEngine::Direction::Forward);
    }

    SearchEngine engine;
};
