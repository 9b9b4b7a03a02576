// QVPerson: the label vocabulary, its mapping to and from platform labels, and the label tables.
#include "record/labelregistration.h"
#include "record/keys.h"
#include "record/qvperson.h"
#include "record/qvperson_p.h"

#include "platform/contactlabels.h"

#include <QCoreApplication>

using namespace QVPersonPrivate;

namespace {

struct LabelPair
{
    const QString &cnLabel;
    const QString &label;
};

// One table for both directions, in the order platform labels are compared.
const LabelPair kLabelMap[] = {
    {LabelWord::All, LabelWord::All},
    {CNLabel::Work, LabelWord::Work},
    {CNLabel::Home, LabelWord::Home},
    {CNLabel::Other, LabelWord::Other},
    {CNLabel::PhoneNumberiPhone, LabelWord::IPhone},
    {CNLabel::PhoneNumberMain, LabelWord::Main},
    {CNLabel::PhoneNumberMobile, LabelWord::Mobile},
    {CNLabel::PhoneNumberHomeFax, LabelWord::HomeFax},
    {CNLabel::PhoneNumberWorkFax, LabelWord::WorkFax},
    {CNLabel::PhoneNumberOtherFax, LabelWord::OtherFax},
    {CNLabel::PhoneNumberPager, LabelWord::Pager},
    {CNLabel::UrlAddressHomePage, LabelWord::HomePage},
    {CNLabel::ContactRelationMother, LabelWord::Mother},
    {CNLabel::ContactRelationFather, LabelWord::Father},
    {CNLabel::ContactRelationParent, LabelWord::Parent},
    {CNLabel::ContactRelationSister, LabelWord::Sister},
    {CNLabel::ContactRelationBrother, LabelWord::Brother},
    {CNLabel::ContactRelationChild, LabelWord::Child},
    {CNLabel::ContactRelationFriend, LabelWord::Friend},
    {CNLabel::ContactRelationSpouse, LabelWord::Spouse},
    {CNLabel::ContactRelationPartner, LabelWord::Partner},
    {CNLabel::ContactRelationAssistant, LabelWord::Assistant},
    {CNLabel::ContactRelationManager, LabelWord::Manager},
    {CNLabel::DateAnniversary, LabelWord::Anniversary},
    {CNLabel::ContactRelationSon, LabelWord::Son},
    {CNLabel::ContactRelationDaughter, LabelWord::Daughter},
};

const QString kWrapPrefix = QStringLiteral("_$!<");
constexpr qsizetype kWrapAffix = 4;

thread_local LabelRegistration::Deferral *t_deferral = nullptr;

} // namespace

QString QVPerson::labelFromCNLabel(const QString &cnLabel)
{
    for (const LabelPair &p : kLabelMap) {
        if (p.cnLabel == cnLabel)
            return p.label;
    }
    QString label = cnLabel;
    if (cnLabel.contains(kWrapPrefix)) {
        // "_$!<Text>!$_" loses its four-character prefix and suffix. A shorter label has no text
        // inside; it keeps its own spelling rather than becoming "No label", so nothing is lost.
        if (cnLabel.size() >= 2 * kWrapAffix)
            label = cnLabel.mid(kWrapAffix, cnLabel.size() - 2 * kWrapAffix);
    }
    return label.isEmpty() ? LabelWord::NoLabel : label;
}

QString QVPerson::CNLabelFromLabel(const QString &label)
{
    if (label.isNull())
        return {};
    for (const LabelPair &p : kLabelMap) {
        if (p.label == label)
            return p.cnLabel;
    }
    return label;
}

QString QVPerson::localizedLabelFromCNLabel(const QString &cnLabel)
{
    return CNLabel::localizedLabel(cnLabel);
}

namespace {

// The display text of a label: the platform's for its labels, ours for the words of the "Show as
// Person" and "Name Ordering" lists, which are no platform labels.
QString displayTextOfLabel(const QString &label)
{
    static const char *const ownWords[] = {
        QT_TRANSLATE_NOOP("QVPerson", "Person"),
        QT_TRANSLATE_NOOP("QVPerson", "Company"),
        QT_TRANSLATE_NOOP("QVPerson", "System Default (LastName)"),
        QT_TRANSLATE_NOOP("QVPerson", "First Name First"),
        QT_TRANSLATE_NOOP("QVPerson", "Last Name First"),
    };
    for (const char *word : ownWords) {
        if (label == QLatin1String(word))
            return QCoreApplication::translate("QVPerson", word);
    }
    return QVPerson::localizedLabelFromCNLabel(QVPerson::CNLabelFromLabel(label));
}

} // namespace

namespace QVPersonPrivate {

void initializeLabelTables(ClassTables &t)
{
    using namespace CNLabel;
    const QStringList homeWorkOther = {Home, Work, Other};
    const QList<std::pair<QString, QStringList>> builtIn = {
        {FieldId::Email, homeWorkOther},
        {FieldId::Phone,
         {Home, Work, Other, PhoneNumberMain, PhoneNumberMobile, PhoneNumberiPhone, PhoneNumberPager,
          PhoneNumberHomeFax, PhoneNumberWorkFax, PhoneNumberOtherFax}},
        {FieldId::Address, homeWorkOther},
        {FieldId::Url, {UrlAddressHomePage, Home, Work, Other}},
        {FieldId::Relationship,
         {ContactRelationFather, ContactRelationMother, ContactRelationParent, ContactRelationSpouse,
          ContactRelationChild, ContactRelationBrother, ContactRelationSister, ContactRelationFriend,
          ContactRelationAssistant, ContactRelationManager, ContactRelationPartner, ContactRelationSon,
          ContactRelationDaughter}},
        {FieldId::Dates, {DateAnniversary}},
        {FieldId::InstantMessage, homeWorkOther},
        {FieldId::SocialNetwork,
         {SocialService::Twitter, SocialService::Facebook, SocialService::Flickr, SocialService::LinkedIn,
          SocialService::Yelp, SocialService::MySpace, SocialService::SinaWeibo, SocialService::TencentWeibo,
          SocialService::GameCenter, LabelWord::WeChat, LabelWord::Instagram, LabelWord::Pinterest,
          LabelWord::Line, LabelWord::Snapchat, LabelWord::Tumbler, LabelWord::WhatsApp}},
    };
    for (const auto &[identifier, cnLabels] : builtIn) {
        QStringList labels;
        for (const QString &cn : cnLabels)
            labels.append(QVPerson::labelFromCNLabel(cn));
        t.labelTable.insert(identifier, labels);
    }
    t.labelTable.insert(FieldId::ShowAsPerson, {LabelWord::Person, LabelWord::CompanyWord});
    t.labelTable.insert(FieldId::NameOrdering,
                        {LabelWord::SystemDefaultFormat.arg(FieldId::LastName), LabelWord::FirstNameFirst,
                         LabelWord::LastNameFirst});

    for (const QString &identifier :
         {FieldId::Email, FieldId::Phone, FieldId::Address, FieldId::Url, FieldId::Relationship, FieldId::Dates,
          FieldId::SocialNetwork, FieldId::InstantMessage, FieldId::ShowAsPerson, FieldId::NameOrdering}) {
        QStringList localized;
        for (const QString &label : t.labelTable.value(identifier))
            localized.append(displayTextOfLabel(label));
        t.localizedLabelTable.insert(identifier, localized);
    }
}

} // namespace QVPersonPrivate

QStringList QVPerson::labelsForIdentifier(const QString &identifier)
{
    QReadLocker lock(&tables().lock);
    return tables().labelTable.value(identifier);
}

QStringList QVPerson::customLabelsForIdentifier(const QString &identifier)
{
    QReadLocker lock(&tables().lock);
    return tables().customLabelTable.value(identifier);
}

QStringList QVPerson::localizedLabelsForIdentifier(const QString &identifier)
{
    QReadLocker lock(&tables().lock);
    return tables().localizedLabelTable.value(identifier);
}

QHash<QString, QStringList> QVPerson::labelTableDict()
{
    QWriteLocker lock(&tables().lock);
    ClassTables &t = tables();
    for (auto it = t.labelTable.begin(); it != t.labelTable.end(); ++it) {
        for (const QString &custom : t.customLabelTable.value(it.key())) {
            if (!it.value().contains(custom))
                it.value().append(custom);
        }
    }
    return t.labelTable;
}

QHash<QString, QStringList> QVPerson::customLabelTableDict()
{
    QReadLocker lock(&tables().lock);
    return tables().customLabelTable;
}

QHash<QString, QStringList> QVPerson::localizedLabelTableDict()
{
    QReadLocker lock(&tables().lock);
    return tables().localizedLabelTable;
}

bool QVPerson::setLabel(const QString &oldLabel, const QString &newLabel, const QString &identifier)
{
    if (t_deferral) {
        // Reader threads collect registrations; the main thread applies them in file order.
        return t_deferral->record(oldLabel, newLabel, identifier);
    }
    QWriteLocker lock(&tables().lock);
    ClassTables &t = tables();
    QStringList &labels = t.labelTable[identifier];
    QStringList &localized = t.localizedLabelTable[identifier];
    QStringList &custom = t.customLabelTable[identifier];
    if (!oldLabel.isEmpty()) {
        const qsizetype at = labels.indexOf(oldLabel);
        if (at >= 0) {
            labels[at] = newLabel;
            if (at < localized.size())
                localized[at] = newLabel;
            else
                localized.append(newLabel);
        } else {
            labels.append(newLabel);
            localized.append(newLabel);
        }
        const qsizetype customAt = custom.indexOf(oldLabel);
        if (customAt >= 0)
            custom[customAt] = newLabel;
        else
            custom.append(newLabel);
        return true;
    }
    if (labels.contains(newLabel))
        return false;
    labels.append(newLabel);
    localized.append(newLabel);
    if (!custom.contains(newLabel))
        custom.append(newLabel);
    return true;
}

QVPerson::LabelTables QVPerson::labelTablesForIdentifier(const QString &identifier)
{
    QReadLocker lock(&tables().lock);
    const ClassTables &t = tables();
    return {t.labelTable.value(identifier), t.localizedLabelTable.value(identifier),
            t.customLabelTable.value(identifier)};
}

void QVPerson::setLabelTablesForIdentifier(const QString &identifier, const LabelTables &lists)
{
    QWriteLocker lock(&tables().lock);
    ClassTables &t = tables();
    t.labelTable.insert(identifier, lists.labels);
    t.localizedLabelTable.insert(identifier, lists.localized);
    t.customLabelTable.insert(identifier, lists.custom);
}

// ---- Deferred registration -----------------------------------------------------------------

namespace LabelRegistration {

Deferral::Deferral()
    : m_previous(t_deferral)
{
    t_deferral = this;
}

Deferral::~Deferral()
{
    t_deferral = m_previous;
}

bool Deferral::record(const QString &oldLabel, const QString &newLabel, const QString &identifier)
{
    if (oldLabel.isEmpty()) {
        // Answer as the table would, without touching it from this thread. A label met once is
        // remembered either way, so the table is consulted once per label and batch.
        // Static characters (no allocation of their own) never come to hold another text.
        const bool constants = !identifier.data_ptr().isMutable() && !newLabel.data_ptr().isMutable();
        const ConstantPair pair { identifier.constData(), identifier.size(), newLabel.constData(), newLabel.size() };
        if (constants && m_seenConstants.contains(pair))
            return false;
        if (constants)
            m_seenConstants.append(pair);
        QSet<QString> &seen = m_seen[identifier];
        if (seen.contains(newLabel))
            return false;
        seen.insert(newLabel);
        QReadLocker lock(&tables().lock);
        if (tables().labelTable.value(identifier).contains(newLabel))
            return false;
    }
    m_changes.append({oldLabel, newLabel, identifier});
    return true;
}

QList<Change> Deferral::takeChanges()
{
    m_seen.clear();
    m_seenConstants.clear();
    return std::exchange(m_changes, {});
}

void apply(const QList<Change> &changes)
{
    for (const Change &c : changes)
        QVPerson::setLabel(c.oldLabel, c.newLabel, c.identifier);
}

} // namespace LabelRegistration
