// The payloads of the QR code panel: the selection rows of a contact and the text each payload
// format makes of them. No widgets.
#pragma once

#include "record/qvperson.h"

#include <QString>
#include <QVariantList>

namespace QRPayload {

// One row per phone, e-mail, address and URL of the person (a placeholder row for a field without
// any, URL excepted), then Company, Department and Job Title. The first phone, e-mail and address
// start selected.
QVariantList selectionRows(QVPerson &person);

// The payload of a format title for the rows; empty for an unknown title.
QString payload(const QString &format, QVPerson &person, const QVariantList &rows);
QString vCardFromContact(QVPerson &person, const QVariantList &rows);
QString escapeSemicolon(const QString &text);
// The URL as a web address: "http://" in front unless it names its web scheme already.
QString webAddress(const QString &url);

// Whether a row's check box can be changed with the format.
bool isRowEnabled(const QString &format, const QVariantMap &row);
// The check box's title: the value for the organisation rows, "label: value" for the others,
// empty when the value is.
QString checkBoxTitle(const QVariantMap &row);
// The row's height: one base height, or the lines of its value each a little lower.
qreal rowHeight(const QVariantMap &row, qreal baseHeight);

} // namespace QRPayload
