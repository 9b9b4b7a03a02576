// Helpers of the vCard tests: reading files and texts, writing them back, comparing long texts.
#pragma once

#include "formats/contactdump.h"
#include "formats/qvvcard.h"
#include "record/qvperson.h"

#include <QFile>
#include <QStringList>
#include <optional>

namespace VCardTest {

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

inline ContainerTable read(const QByteArray &bytes, VCardReadStatistics *stats = nullptr)
{
    return QVvCard::containersFromVCardData(bytes, {}, stats).value_or(ContainerTable {});
}

inline ContactList contacts(const ContainerTable &table)
{
    if (table.isEmpty())
        return {};
    const ContactTable all = QVvCard::contactsInContainer(table.first());
    return all ? *all : ContactList();
}

// Everything a file export writes: note, photo, custom items (all the records define) and categories.
inline QByteArray write(const ContainerTable &table)
{
    const ContactList list = contacts(table);
    QVPerson::setClassCustomItems(QVvCard::customItemDefinitions(list));
    const std::optional<QString> text
        = QVvCard::vCardsFromContacts(list, { VCardOption::Photo, VCardOption::Note, VCardOption::Custom },
                                      table.isEmpty() ? nullptr : table.first());
    QVPerson::setClassCustomItems({});
    return text.value_or(QString()).toUtf8();
}

// "" when equal, else the first differing line of both texts.
inline std::string firstDifference(const QByteArray &expected, const QByteArray &actual)
{
    if (expected == actual)
        return {};
    const QList<QByteArray> a = expected.split('\n');
    const QList<QByteArray> b = actual.split('\n');
    for (qsizetype i = 0; i < std::max(a.size(), b.size()); ++i) {
        const QByteArray x = a.value(i, "<end>");
        const QByteArray y = b.value(i, "<end>");
        if (x != y)
            return "line " + std::to_string(i + 1) + "\n  expected: " + x.toStdString()
                + "\n  actual:   " + y.toStdString();
    }
    return "texts differ in line endings";
}

// A record read from one card given as text.
inline PersonPtr person(const char *card)
{
    const ContainerTable table = read(QByteArray(card));
    const ContactList list = contacts(table);
    return list.isEmpty() ? nullptr : list.first()->person;
}

} // namespace VCardTest
