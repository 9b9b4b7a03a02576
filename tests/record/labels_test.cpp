#include "../testutil.h"

#include "platform/contactlabels.h"
#include "record/keys.h"
#include "record/labelregistration.h"
#include "record/qvperson.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

struct LabelCase
{
    const char *name;
    QString cnLabel;
    QString label;
};

TEST(Labels, PlatformLabelsMapToTheVocabulary)
{
    const LabelCase cases[] = {
        {"home", CNLabel::Home, LabelWord::Home},
        {"work", CNLabel::Work, LabelWord::Work},
        {"wrapped custom", qs("_$!<Custom>!$_"), qs("Custom")},
        {"plain custom", qs("Cousin"), qs("Cousin")},
        {"empty", QString(), LabelWord::NoLabel},
        {"empty string", qs(""), LabelWord::NoLabel},
        {"All passes through", LabelWord::All, LabelWord::All},
        {"son", CNLabel::ContactRelationSon, LabelWord::Son},
        {"empty wrapper", qs("_$!<>!$_"), LabelWord::NoLabel},
        {"short wrapper is kept", qs("_$!<x"), qs("_$!<x")},
    };
    for (const LabelCase &c : cases)
        EXPECT_EQ(QVPerson::labelFromCNLabel(c.cnLabel), c.label) << c.name;
}

TEST(Labels, VocabularyMapsToPlatformLabels)
{
    EXPECT_EQ(QVPerson::CNLabelFromLabel(LabelWord::HomeFax), CNLabel::PhoneNumberHomeFax);
    EXPECT_EQ(QVPerson::CNLabelFromLabel(LabelWord::Partner), CNLabel::ContactRelationPartner);
    EXPECT_EQ(QVPerson::CNLabelFromLabel(LabelWord::Assistant), CNLabel::ContactRelationAssistant);
    EXPECT_EQ(QVPerson::CNLabelFromLabel(qs("Cousin")), qs("Cousin"));
    EXPECT_TRUE(QVPerson::CNLabelFromLabel(QString()).isNull());
    EXPECT_EQ(QVPerson::CNLabelFromLabel(LabelWord::All), LabelWord::All);
}

TEST(Labels, EveryVocabularyWordRoundTrips)
{
    for (const QString &identifier : {FieldId::Phone, FieldId::Email, FieldId::Url, FieldId::Relationship,
                                      FieldId::Dates, FieldId::Address}) {
        const QStringList labels = QVPerson::labelsForIdentifier(identifier);
        ASSERT_FALSE(labels.isEmpty()) << identifier.toStdString();
        for (const QString &label : labels)
            EXPECT_EQ(QVPerson::labelFromCNLabel(QVPerson::CNLabelFromLabel(label)), label);
    }
}

TEST(Labels, BuiltInTablesAndTheirDisplayTexts)
{
    EXPECT_EQ(QVPerson::labelsForIdentifier(FieldId::Phone),
              (QStringList{qs("home"), qs("work"), qs("other"), qs("main"), qs("mobile"), qs("iPhone"),
                           qs("pager"), qs("home fax"), qs("work fax"), qs("other fax")}));
    EXPECT_EQ(QVPerson::labelsForIdentifier(FieldId::SocialNetwork).size(), 16);
    EXPECT_TRUE(QVPerson::labelsForIdentifier(FieldId::SocialNetwork).contains(qs("Tumbler")));
    EXPECT_EQ(QVPerson::labelsForIdentifier(FieldId::NameOrdering).first(), qs("System Default (LastName)"));
    // Display texts stay index-aligned with the labels.
    for (const QString &identifier : {FieldId::Phone, FieldId::Url, FieldId::ShowAsPerson, FieldId::NameOrdering})
        EXPECT_EQ(QVPerson::labelsForIdentifier(identifier).size(),
                  QVPerson::localizedLabelsForIdentifier(identifier).size());
    EXPECT_EQ(QVPerson::localizedLabelsForIdentifier(FieldId::Phone).at(0), qs("home"));
}

TEST(Labels, RegisteringAndRenamingCustomLabels)
{
    // A label already offered changes nothing.
    EXPECT_FALSE(QVPerson::setLabel(QString(), LabelWord::Home, FieldId::Phone));
    EXPECT_FALSE(QVPerson::customLabelsForIdentifier(FieldId::Phone).contains(LabelWord::Home));

    EXPECT_TRUE(QVPerson::setLabel(QString(), qs("Cousin"), FieldId::Relationship));
    EXPECT_EQ(QVPerson::labelsForIdentifier(FieldId::Relationship).last(), qs("Cousin"));
    EXPECT_EQ(QVPerson::localizedLabelsForIdentifier(FieldId::Relationship).last(), qs("Cousin"));
    EXPECT_EQ(QVPerson::customLabelsForIdentifier(FieldId::Relationship), QStringList{qs("Cousin")});
    EXPECT_FALSE(QVPerson::setLabel(QString(), qs("Cousin"), FieldId::Relationship));

    const qsizetype at = QVPerson::labelsForIdentifier(FieldId::Relationship).indexOf(qs("Cousin"));
    EXPECT_TRUE(QVPerson::setLabel(qs("Cousin"), qs("Cousine"), FieldId::Relationship));
    EXPECT_EQ(QVPerson::labelsForIdentifier(FieldId::Relationship).indexOf(qs("Cousine")), at);
    EXPECT_EQ(QVPerson::localizedLabelsForIdentifier(FieldId::Relationship).at(at), qs("Cousine"));
    EXPECT_EQ(QVPerson::customLabelsForIdentifier(FieldId::Relationship), QStringList{qs("Cousine")});
    EXPECT_EQ(QVPerson::labelsForIdentifier(FieldId::Relationship).size(),
              QVPerson::localizedLabelsForIdentifier(FieldId::Relationship).size());
}

TEST(Labels, ReaderThreadsDeferRegistrationToTheMainThread)
{
    QList<LabelRegistration::Change> changes;
    std::thread reader([&] {
        LabelRegistration::Deferral deferral;
        EXPECT_TRUE(QVPerson::setLabel(QString(), qs("Deferred A"), FieldId::Email));
        EXPECT_FALSE(QVPerson::setLabel(QString(), qs("Deferred A"), FieldId::Email));
        EXPECT_FALSE(QVPerson::setLabel(QString(), LabelWord::Work, FieldId::Email));
        EXPECT_TRUE(QVPerson::setLabel(QString(), qs("Deferred B"), FieldId::Email));
        // Labels that are constants and labels made at run time are the same labels; the same
        // characters seen shorter are another label, and another field keeps its own labels.
        static const QString constant = QStringLiteral("Deferred C");
        EXPECT_TRUE(QVPerson::setLabel(QString(), constant, FieldId::Email));
        EXPECT_FALSE(QVPerson::setLabel(QString(), constant, FieldId::Email));
        EXPECT_FALSE(QVPerson::setLabel(QString(), QString::fromLatin1("Deferred C"), FieldId::Email));
        EXPECT_TRUE(QVPerson::setLabel(QString(), QString::fromRawData(constant.constData(), 8), FieldId::Email));
        EXPECT_TRUE(QVPerson::setLabel(QString(), constant, FieldId::Phone));
        changes = deferral.takeChanges();
    });
    reader.join();
    EXPECT_FALSE(QVPerson::labelsForIdentifier(FieldId::Email).contains(qs("Deferred A")));
    LabelRegistration::apply(changes);
    const QStringList custom = QVPerson::customLabelsForIdentifier(FieldId::Email);
    EXPECT_EQ(custom.indexOf(qs("Deferred A")) + 1, custom.indexOf(qs("Deferred B")));
    EXPECT_TRUE(custom.contains(qs("Deferred C")));
    EXPECT_TRUE(custom.contains(qs("Deferred")));
    EXPECT_TRUE(QVPerson::customLabelsForIdentifier(FieldId::Phone).contains(qs("Deferred C")));
}

TEST(Labels, LabelTableDictMergesCustomLabels)
{
    QVPerson::setLabel(QString(), qs("Private line"), FieldId::Phone);
    const auto dict = QVPerson::labelTableDict();
    EXPECT_TRUE(dict.value(FieldId::Phone).contains(qs("Private line")));
}

} // namespace
