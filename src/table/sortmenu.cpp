#include "table/sortmenu.h"

#include "record/keys.h"
#include "record/qvperson.h"
#include "table/keys.h"

#include <QCoreApplication>
#include <QStringList>

namespace SortMenu {

QString localizedOption(const QString &option)
{
    // Options that are record keys rather than fields; the fields have their own titles.
    struct Title
    {
        const QString &option;
        const char *text;
    };
    static const Title titles[] = {
        { FieldId::CompositeName, QT_TRANSLATE_NOOP("SortOptions", "Full Name") },
        { FieldId::FirstName, QT_TRANSLATE_NOOP("SortOptions", "First Name") },
        { FieldId::LastName, QT_TRANSLATE_NOOP("SortOptions", "Last Name") },
        { FieldId::PhoneticFirstName, QT_TRANSLATE_NOOP("SortOptions", "Phonetic First Name") },
        { FieldId::PhoneticLastName, QT_TRANSLATE_NOOP("SortOptions", "Phonetic Last Name") },
        { Key::Domain, QT_TRANSLATE_NOOP("SortOptions", "Domain") },
        { Key::Username, QT_TRANSLATE_NOOP("SortOptions", "User Name") },
        { Key::Label, QT_TRANSLATE_NOOP("SortOptions", "Label") },
        { SortOptionWord::ServiceName, QT_TRANSLATE_NOOP("SortOptions", "Service") },
    };
    for (const Title &title : titles) {
        if (title.option == option)
            return QCoreApplication::translate("SortOptions", title.text);
    }
    return QVPerson::localizedIdentifierForKey(option);
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
