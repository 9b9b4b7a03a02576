// The groups of a file document's container, made as the contacts read name them.
#pragma once

#include "record/entries.h"

#include <QHash>
#include <QString>

class FileGroups
{
public:
    explicit FileGroups(const ContainerEntry &container);

    // The group of that name, added to the container when it is new.
    const GroupEntry &group(const QString &name);
    // "All Contacts" first, the others by name.
    void sort();

private:
    ContainerEntry m_container;
    QString m_now; // the time of the first new group, which its identifier carries
    QHash<QString, GroupEntry> m_groups;
};
