#include "window/edition.h"

#include <QFileInfo>

namespace Editions {
namespace {

struct Info
{
    Edition edition;
    const char *name;
};

constexpr Info kEditions[] = {
    {Edition::Pellory2, "Pellory2"},
    {Edition::Brisklet, "Brisklet"},
    {Edition::Strandel2, "Strandel2"},
    {Edition::Ombrine2, "Ombrine2"},
};

Edition g_current = Edition::Pellory2;

} // namespace

QString displayName(Edition edition)
{
    for (const Info &info : kEditions) {
        if (info.edition == edition)
            return QString::fromLatin1(info.name);
    }
    return QString::fromLatin1(kEditions[0].name);
}

QString commandName(Edition edition)
{
    return displayName(edition).toLower();
}

Edition fromName(const QString &name)
{
    const QString base = QFileInfo(name).completeBaseName();
    for (const Info &info : kEditions) {
        if (base.compare(QLatin1String(info.name), Qt::CaseInsensitive) == 0)
            return info.edition;
    }
    return Edition::Pellory2;
}

QString iconPath(Edition edition)
{
    return QStringLiteral(":/icons/%1_256.png").arg(displayName(edition));
}

Edition current()
{
    return g_current;
}

void setCurrent(Edition edition)
{
    g_current = edition;
}

} // namespace Editions
