// A JSON dump of contacts: every record with every field in its value shapes (photos as size and
// SHA-256), the group names of each contact, and the read statistics. Keys are sorted and nothing
// volatile (uniqueId, reading time) is included, so equal data gives byte-identical dumps.
#pragma once

#include "formats/qvvcard.h"
#include "record/entries.h"

#include <QByteArray>
#include <QJsonObject>

namespace ContactDump {

QJsonObject person(QVPerson &person);
// The contacts of the container's "All Contacts" group with their category groups.
QByteArray dump(const ContainerTable &containers, const VCardReadStatistics *statistics = nullptr);

} // namespace ContactDump
