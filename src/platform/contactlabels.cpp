#include "platform/contactlabels.h"

#include <QCoreApplication>
#include <QHash>

namespace CNLabel {

QString localizedLabel(const QString &cnLabel)
{
    struct Entry
    {
        const QString &label;
        const char *text;
    };
    // QT_TRANSLATE_NOOP keeps the texts visible to the translation tools.
    static const Entry table[] = {
        {Home, QT_TRANSLATE_NOOP("ContactLabels", "home")},
        {Work, QT_TRANSLATE_NOOP("ContactLabels", "work")},
        {Other, QT_TRANSLATE_NOOP("ContactLabels", "other")},
        {PhoneNumberiPhone, QT_TRANSLATE_NOOP("ContactLabels", "iPhone")},
        {PhoneNumberMain, QT_TRANSLATE_NOOP("ContactLabels", "main")},
        {PhoneNumberMobile, QT_TRANSLATE_NOOP("ContactLabels", "mobile")},
        {PhoneNumberHomeFax, QT_TRANSLATE_NOOP("ContactLabels", "home fax")},
        {PhoneNumberWorkFax, QT_TRANSLATE_NOOP("ContactLabels", "work fax")},
        {PhoneNumberOtherFax, QT_TRANSLATE_NOOP("ContactLabels", "other fax")},
        {PhoneNumberPager, QT_TRANSLATE_NOOP("ContactLabels", "pager")},
        {UrlAddressHomePage, QT_TRANSLATE_NOOP("ContactLabels", "home page")},
        {ContactRelationMother, QT_TRANSLATE_NOOP("ContactLabels", "mother")},
        {ContactRelationFather, QT_TRANSLATE_NOOP("ContactLabels", "father")},
        {ContactRelationParent, QT_TRANSLATE_NOOP("ContactLabels", "parent")},
        {ContactRelationSister, QT_TRANSLATE_NOOP("ContactLabels", "sister")},
        {ContactRelationBrother, QT_TRANSLATE_NOOP("ContactLabels", "brother")},
        {ContactRelationChild, QT_TRANSLATE_NOOP("ContactLabels", "child")},
        {ContactRelationFriend, QT_TRANSLATE_NOOP("ContactLabels", "friend")},
        {ContactRelationSpouse, QT_TRANSLATE_NOOP("ContactLabels", "spouse")},
        {ContactRelationPartner, QT_TRANSLATE_NOOP("ContactLabels", "partner")},
        {ContactRelationAssistant, QT_TRANSLATE_NOOP("ContactLabels", "assistant")},
        {ContactRelationManager, QT_TRANSLATE_NOOP("ContactLabels", "manager")},
        {ContactRelationSon, QT_TRANSLATE_NOOP("ContactLabels", "son")},
        {ContactRelationDaughter, QT_TRANSLATE_NOOP("ContactLabels", "daughter")},
        {DateAnniversary, QT_TRANSLATE_NOOP("ContactLabels", "anniversary")},
    };
    for (const Entry &e : table) {
        if (e.label == cnLabel)
            return QCoreApplication::translate("ContactLabels", e.text);
    }
    return cnLabel;
}

} // namespace CNLabel
