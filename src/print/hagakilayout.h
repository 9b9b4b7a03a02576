// The Japanese postcard: postal-code boxes at their standard places, the receiver's address and
// name in columns, and the sender's block at the lower left.
#pragma once

#include "print/printlayout.h"

#include <QList>
#include <QRectF>
#include <QVariantMap>

class QPainter;

namespace Hagaki {

// The card, 100 by 148 mm, in points.
QSizeF cardSize();
// The seven boxes of the receiver's code (three, then four) and the sender's, in points.
QList<QRectF> receiverCodeBoxes();
QList<QRectF> senderCodeBoxes();
// The digits of a postal code, at most seven ("123-4567" gives "1234567").
QString postalDigits(const QString &zip);

// The names printed beside the receiver's, each with the receiver's family name left out: the
// spouse ("printSpouse") and the children ("printChildren") from the receiver's relationships.
QStringList jointNames(const SubContactRow &receiver, const QVariantMap &options);
// The right edges of the name columns: the receiver's first, then one per joint name to its left,
// the group centred on the card.
QList<qreal> nameColumnEdges(int jointCount, qreal size);
qreal nameSize(int jointCount);

// The card for one receiver; sender may be null. background draws the printed card (preview).
void draw(QPainter &painter, const PageGeometry &page, const QVariantMap &options,
          const SubContactRow &receiver, const SubContactRow *sender, bool background);

} // namespace Hagaki
