#include "formats/contactdump.h"

#include "formats/vcarddate_p.h"
#include "formats/vcardkeys.h"
#include "record/keys.h"

#include <QCryptographicHash>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>

namespace ContactDump {

namespace {

QJsonObject bytesSummary(const QByteArray &bytes)
{
    return { { DumpKey::Size, bytes.size() },
             { DumpKey::Sha256,
               QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex()) } };
}

QJsonValue toJson(const QVariant &v)
{
    if (v.userType() == qMetaTypeId<DateComponents>())
        return VCardDate::format(v.value<DateComponents>());
    switch (v.typeId()) {
    case QMetaType::QVariantMap: {
        QJsonObject o;
        const QVariantMap map = v.toMap();
        for (auto it = map.cbegin(); it != map.cend(); ++it)
            o.insert(it.key(), toJson(it.value()));
        return o;
    }
    case QMetaType::QVariantList:
    case QMetaType::QStringList: {
        QJsonArray a;
        for (const QVariant &item : v.toList())
            a.append(toJson(item));
        return a;
    }
    case QMetaType::QByteArray:
        return bytesSummary(v.toByteArray());
    case QMetaType::Bool:
        return v.toBool();
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return v.toLongLong();
    case QMetaType::Double:
        return v.toDouble();
    case QMetaType::UnknownType:
        return QJsonValue::Null;
    default:
        return v.toString();
    }
}

} // namespace

QJsonObject person(QVPerson &p)
{
    QJsonObject fields;
    for (const QString &identifier : QVPerson::allIdentifiers()) {
        if (identifier == FieldId::Photo)
            continue;
        const QVariant value = p.valueForIdentifier(identifier);
        if (value.isValid())
            fields.insert(identifier, toJson(value));
    }
    QJsonObject o;
    o.insert(DumpKey::Fields, fields);
    o.insert(DumpKey::CompositeName, p.compositeName());
    o.insert(DumpKey::ShowAsPerson, p.showAsPerson());
    if (!p.imageData().isEmpty())
        o.insert(DumpKey::Photo, bytesSummary(p.imageData()));
    if (!p.thumbnailImageData().isEmpty())
        o.insert(DumpKey::Thumbnail, bytesSummary(p.thumbnailImageData()));
    o.insert(DumpKey::CustomItems, toJson(p.customItems()));
    QJsonObject custom;
    for (const QString &name : p.customIdentifiers())
        custom.insert(name, toJson(p.customValueForIdentifier(name)));
    o.insert(DumpKey::CustomValues, custom);
    o.insert(DumpKey::ExtraProperties, QJsonArray::fromStringList(p.extraProperties()));
    // What saving keeps of the lines of the single-valued fields; items carry their own.
    if (!p.vCardKept().isEmpty())
        o.insert(DumpKey::VCardKept, toJson(p.vCardKept().toVariantMap()));
    return o;
}

QByteArray dump(const ContainerTable &containers, const VCardReadStatistics *statistics)
{
    QJsonObject root;
    QJsonArray contacts;
    QJsonArray groupNames;
    for (const ContainerEntry &container : containers) {
        if (!container || container->groups.isEmpty())
            continue;
        // Entries of category groups point at the records of "All Contacts".
        QHash<const QVPerson *, QStringList> groupsOf;
        for (const GroupEntry &group : std::as_const(container->groups)) {
            if (group->top || !group->contactTable)
                continue;
            groupNames.append(group->name);
            for (const ContactEntry &entry : std::as_const(*group->contactTable)) {
                if (!entry->deleted)
                    groupsOf[entry->person.get()].append(group->name);
            }
        }
        const GroupEntry &all = container->groups.first();
        if (!all->contactTable)
            continue;
        for (const ContactEntry &entry : std::as_const(*all->contactTable)) {
            if (entry->deleted || !entry->person)
                continue;
            QJsonObject o = person(*entry->person);
            o.insert(DumpKey::Groups, QJsonArray::fromStringList(groupsOf.value(entry->person.get())));
            contacts.append(o);
        }
    }
    root.insert(DumpKey::Contacts, contacts);
    root.insert(DumpKey::Groups, groupNames);
    if (statistics) {
        root.insert(DumpKey::Cards, statistics->cards);
        root.insert(DumpKey::Skipped, statistics->skippedCards);
        root.insert(DumpKey::KeptVerbatim, statistics->keptVerbatim);
    }
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

} // namespace ContactDump
