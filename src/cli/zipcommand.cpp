#include "cli/zipcommand.h"

#include "cli/clitool.h"
#include "postal/keys.h"
#include "postal/postalcodes.h"
#include "postal/zipdatabase.h"

#include <QTextStream>

namespace CliTool {
namespace {

// Seven digits without the hyphen name one code; fewer are a prefix.
constexpr qsizetype WholeCodeDigits = 7;

QString placeLine(const QVariantMap &place, bool withCode)
{
    QStringList parts;
    if (withCode)
        parts.append(place.value(PostalKey::Zip).toString());
    for (const QString &part :
         { place.value(PostalKey::State).toString(), place.value(PostalKey::City).toString(),
           PostalCodes::streetForAddress(place), place.value(PostalKey::Company).toString() }) {
        if (!part.isEmpty())
            parts.append(part);
    }
    return parts.join(u' ');
}

} // namespace

int runZip(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    if (arguments.size() != 1 || arguments.first().isEmpty()) {
        err << "pellory2-cli: zip needs one postal code, for example 100-0001\n";
        return UsageError;
    }
    const QString code = arguments.first();
    const QVariantList places = PostalCodes::addressesFromZip(code);
    const QStringList problems = ZipDatabase::shared().problems();
    for (const QString &problem : problems)
        err << "pellory2-cli: " << problem << '\n';
    if (places.isEmpty()) {
        err << "pellory2-cli: no address has the postal code " << code << '\n';
        return problems.isEmpty() ? NoContacts : UnreadableFile;
    }
    const bool prefix = QString(code).remove(u'-').size() < WholeCodeDigits;
    for (const QVariant &place : places)
        out << placeLine(place.toMap(), prefix) << '\n';
    return Success;
}

} // namespace CliTool
