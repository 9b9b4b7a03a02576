#include "table/viewtypes.h"

#include "record/keys.h"
#include "table/keys.h"

#include <QtGlobal>

namespace {

struct FieldOptions
{
    const QString &field;
    QStringList options;
};

// One table: the sort options of every field that has them; the first option is the default
// except for "Name", whose default is "compositeName" too.
const QList<FieldOptions> &sortOptionsTable()
{
    static const QList<FieldOptions> table = {
        { FieldId::Name, { FieldId::CompositeName, FieldId::FirstName, FieldId::LastName } },
        { FieldId::PhoneticName,
          { FieldId::PhoneticName, FieldId::PhoneticFirstName, FieldId::PhoneticLastName } },
        { FieldId::Address,
          { FieldId::Address, FieldId::Zip, FieldId::State, FieldId::City, FieldId::Street, FieldId::Country,
            Key::Label } },
        { FieldId::Email, { FieldId::Email, Key::Domain, Key::Username, Key::Label } },
        { FieldId::Phone, { FieldId::Phone, Key::Label } },
        { FieldId::Url, { FieldId::Url, Key::Label } },
        { FieldId::InstantMessage,
          { FieldId::InstantMessage, SortOptionWord::ServiceName, Key::Username, Key::Label } },
        { FieldId::SocialNetwork, { FieldId::SocialNetwork, SortOptionWord::ServiceName, Key::Username } },
        { FieldId::Relationship, { FieldId::Relationship, Key::Label } },
        { FieldId::Dates, { FieldId::Dates, Key::Label } },
    };
    return table;
}

QVariantMap sortOptionsEntry(const QString &field, const QStringList &options, const QString &builtInDefault,
                             const QVariantMap &sortOptionsDefault)
{
    QString selected = sortOptionsDefault.value(field).toString();
    if (!options.contains(selected))
        selected = builtInDefault;
    return { { SortOptionKey::Type, field },
             { SortOptionKey::Items, options },
             { SortOptionKey::Selected, selected } };
}

// The built-in view type names are shown translated (context "ViewTypes"); listed for the
// translation tools only.
[[maybe_unused]] const char *const viewTypeTitles[] = {
    QT_TRANSLATE_NOOP("ViewTypes", "Name"),
    QT_TRANSLATE_NOOP("ViewTypes", "Email"),
    QT_TRANSLATE_NOOP("ViewTypes", "Phone"),
    QT_TRANSLATE_NOOP("ViewTypes", "Address"),
    QT_TRANSLATE_NOOP("ViewTypes", "Address Detail"),
    QT_TRANSLATE_NOOP("ViewTypes", "Instant Message"),
    QT_TRANSLATE_NOOP("ViewTypes", "Social Network"),
    QT_TRANSLATE_NOOP("ViewTypes", "URL"),
    QT_TRANSLATE_NOOP("ViewTypes", "Personal Information"),
    QT_TRANSLATE_NOOP("ViewTypes", "Business Information"),
    QT_TRANSLATE_NOOP("ViewTypes", "Other"),
    QT_TRANSLATE_NOOP("ViewTypes", "Labeled Values"),
    QT_TRANSLATE_NOOP("ViewTypes", "Non-labeled Values"),
};

} // namespace

namespace ViewTypes {

QStringList viewTypeOrder()
{
    return { ViewTypeName::Name,
             ViewTypeName::Email,
             ViewTypeName::Phone,
             ViewTypeName::Address,
             ViewTypeName::AddressDetail,
             ViewTypeName::InstantMessage,
             ViewTypeName::SocialNetwork,
             ViewTypeName::Url,
             ViewTypeName::PersonalInformation,
             ViewTypeName::BusinessInformation,
             ViewTypeName::Other,
             ViewTypeName::LabeledValues,
             ViewTypeName::NonLabeledValues };
}

QVariantMap builtInViewTypeDict()
{
    auto withName = [](QStringList identifiers) {
        identifiers.prepend(FieldId::Name);
        return QVariant(identifiers);
    };
    QVariantMap dict;
    dict.insert(ViewTypeName::Name, withName({}));
    for (const QString &single :
         { ViewTypeName::Email, ViewTypeName::Phone, ViewTypeName::Address, ViewTypeName::InstantMessage,
           ViewTypeName::SocialNetwork, ViewTypeName::Url })
        dict.insert(single, withName({ single }));
    dict.insert(ViewTypeName::AddressDetail,
                withName({ FieldId::Zip, FieldId::State, FieldId::City, FieldId::Street, FieldId::Country }));
    dict.insert(ViewTypeName::PersonalInformation,
                withName({ FieldId::PhoneticName, FieldId::Nickname, FieldId::Birthday, FieldId::Relationship,
                           FieldId::Suffix, FieldId::Title }));
    dict.insert(ViewTypeName::BusinessInformation,
                withName({ FieldId::Company, FieldId::Department, FieldId::JobTitle }));
    dict.insert(ViewTypeName::Other, withName({ FieldId::Dates, FieldId::Note }));
    dict.insert(ViewTypeName::LabeledValues,
                withName({ FieldId::Phone, FieldId::Email, FieldId::Address, FieldId::InstantMessage,
                           FieldId::SocialNetwork, FieldId::Url, FieldId::Relationship, FieldId::Dates }));
    dict.insert(ViewTypeName::NonLabeledValues,
                withName({ FieldId::PhoneticName, FieldId::Nickname, FieldId::Birthday, FieldId::Suffix,
                           FieldId::Title, FieldId::Company, FieldId::Department, FieldId::JobTitle,
                           FieldId::Note }));
    return dict;
}

QStringList identifiersForViewType(const QVariantMap &viewTypeDict, const QString &viewType)
{
    return viewTypeDict.value(viewType).toStringList();
}

QVariantMap builtInSortOptionsDefault()
{
    QVariantMap defaults;
    for (const FieldOptions &entry : sortOptionsTable())
        defaults.insert(entry.field, entry.options.constFirst());
    return defaults;
}

QStringList builtInSortOptions(const QString &field)
{
    for (const FieldOptions &entry : sortOptionsTable()) {
        if (entry.field == field)
            return entry.options;
    }
    return {};
}

QVariantMap initSortOptionsDict(const QVariantList &customItems, const QVariantMap &sortOptionsDefault)
{
    QVariantMap dict;
    for (const FieldOptions &entry : sortOptionsTable())
        dict.insert(
            entry.field,
            sortOptionsEntry(entry.field, entry.options, entry.options.constFirst(), sortOptionsDefault));
    for (const QVariant &item : customItems) {
        const QVariantMap definition = item.toMap();
        if (definition.value(CustomKey::Type).toString() != ValueType::Labeled)
            continue;
        const QString name = definition.value(CustomKey::Name).toString();
        // A custom item must not take over the options of a built-in field.
        if (name.isEmpty() || dict.contains(name))
            continue;
        dict.insert(name, sortOptionsEntry(name, { name, Key::Label }, name, sortOptionsDefault));
    }
    return dict;
}

QVariantMap sortOptionsDefaultFromDict(const QVariantMap &sortOptionsDict)
{
    QVariantMap defaults;
    for (auto it = sortOptionsDict.cbegin(); it != sortOptionsDict.cend(); ++it)
        defaults.insert(it.key(), it.value().toMap().value(SortOptionKey::Selected));
    return defaults;
}

} // namespace ViewTypes
