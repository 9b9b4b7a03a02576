// Japanese postal-code lookup: the address areas and businesses of the national postal-code lists
// that a typed code (or its first digits) names, as address dictionaries (postal/keys.h).
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QVariantList>
#include <QVariantMap>
#include <optional>

class ZipDatabase;

namespace PostalCodes {

// The lists in their compact line form, "ken_all" first; a list that could not be read is missing.
// Built on first use, by whichever thread comes first, and kept for the life of the process.
const QStringList &zipdb();
// Starts building the database on the thread pool when nobody has yet, so that it is ready before
// the first lookup; returns at once.
void preload();

// Inflates zlib or gzip data; nothing when it is not a complete, valid stream. Empty input is
// returned as it is.
std::optional<QByteArray> gzipInflate(QByteArrayView data);

// The addresses of a postal code: seven digits (a hyphen after the third is allowed) give the areas
// or businesses with that very code, fewer digits every one whose code begins with them. The
// address areas are searched first, the businesses only when no area matched.
QVariantList addressesFromZip(const QString &zip);
QVariantList addressesFromZip(const QString &zip, const ZipDatabase &database);

// Address dictionaries of compact lines ("K,..." an address area, "J,..." a business).
QVariantList dictionariesFromFindLines(QStringView lines);

// The string without one leading and one trailing double quote.
QString stripDoublequote(const QString &string);
// "1000001" → "100-0001".
QString formatZIP(const QString &zip);

// The street a result gives an address: empty for the lists' "no further area listed" placeholder.
QString streetForAddress(const QVariantMap &result);

} // namespace PostalCodes
