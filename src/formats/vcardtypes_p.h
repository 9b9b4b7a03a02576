// One table per mapping between vCard parameters/properties and the record's vocabulary:
// TYPE values <-> labels, instant-message properties and URI schemes <-> services, social
// profile types <-> services.
#pragma once

#include "formats/vcardsyntax_p.h"
#include "record/qvperson.h"

#include <QString>
#include <QStringList>

namespace VCardTypes {

using Field = QVPerson::LabeledField;

// The label the TYPE values of a property give for a field, or a null string when none applies.
// Values that name no label and are not normalised away (PREF, VOICE, INTERNET) are appended
// to leftovers as "TYPE=VALUE".
QString labelFromTypes(Field field, const VCardSyntax::Property &property, QStringList *leftovers);

// The TYPE values that stand for a label of a field; empty when the label has none (it is then
// written as a grouped X-ABLabel).
QStringList typesForLabel(Field field, const QString &label);

// Instant-message services.
QString imServiceForProperty(const VCardSyntax::Property &property); // X-AIM -> AIM; null if none
QString imServiceForScheme(const QString &scheme); // xmpp -> Jabber
QString schemeForImService(const QString &service); // Jabber -> xmpp

// Social profiles: the four lower-case service types of the platform become its service names.
QString socialServiceFromType(const QString &type);

// Whether a property this serializer turns into a field is named so (case-insensitive), for
// the X- properties that must not also become custom items.
bool isFieldProperty(const VCardSyntax::Property &property);

} // namespace VCardTypes
