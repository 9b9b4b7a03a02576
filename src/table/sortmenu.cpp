#include "table/sortmenu.h"

#include "table/keys.h"

#include <QCoreApplication>
#include <QStringList>

namespace SortMenu {

QString localizedOption(const QString &option)
{
    const QByteArray source = option.toUtf8();
    return QCoreApplication::translate("SortOptions", source.constData());
}

QList<SortMenuItem> sortOptionsMenu(const QString &columnIdentifier, const QVariantMap &sortOptionsDict)
{
    QList<SortMenuItem> menu;
    const QVariantMap entry = sortOptionsDict.value(columnIdentifier).toMap();
    const QStringList options = entry.value(SortOptionKey::Items).toStringList();
    if (options.isEmpty())
        return menu;
    SortMenuItem heading;
    heading.title = QCoreApplication::translate("SortOptions", "Sort by");
    heading.enabled = false;
    menu.append(heading);
    // Ticked by title, so an option and its translation stay one choice.
    const QString selected = localizedOption(entry.value(SortOptionKey::Selected).toString());
    for (const QString &option : options) {
        SortMenuItem item;
        item.title = localizedOption(option);
        item.option = option;
        item.checked = item.title == selected;
        menu.append(item);
    }
    return menu;
}

} // namespace SortMenu
