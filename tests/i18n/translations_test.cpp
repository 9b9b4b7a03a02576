// The program's start installs the translations of the user's locale; texts looked up at run time
// (field titles, labels, view types, counted texts) reach them too.
#include "app/translations.h"
#include "platform/contactlabels.h"
#include "record/keys.h"
#include "record/qvperson.h"
#include "table/keys.h"

#include <QApplication>
#include <QTest>
#include <QTranslator>

class TranslationsTest : public QObject
{
    Q_OBJECT

    static QString text(const char *context, const char *source, int n = -1)
    {
        return QCoreApplication::translate(context, source, nullptr, n);
    }

    static void removeTranslators()
    {
        for (QTranslator *translator : qApp->findChildren<QTranslator *>()) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
    }

private Q_SLOTS:
    void cleanup() { removeTranslators(); }

    void japaneseLocaleTranslatesTheProgramAndQtsDialogs()
    {
        const QStringList installed = Translations::install(*qApp, QLocale(QStringLiteral("ja_JP")));
        QVERIFY2(installed.contains(QStringLiteral("pellory2")), qPrintable(installed.join(u',')));
        QVERIFY2(installed.contains(QStringLiteral("qtbase")),
                 "Qt's own Japanese translation is missing (Debian package qt6-translations-l10n)");

        QCOMPARE(text("WindowController", "&File"), QStringLiteral("ファイル(&F)"));
        QCOMPARE(text("ContactsViewController", "%1: total %n contacts", 3),
                 QStringLiteral("%1: 合計 3 件の連絡先"));
        QCOMPARE(text("QFileDialog", "Look in:"), QStringLiteral("アドレス:"));

        // Display texts looked up from keys rather than written in tr().
        QCOMPARE(QVPerson::localizedIdentifierForKey(FieldId::Name), QStringLiteral("名前"));
        QCOMPARE(QVPerson::localizedIdentifierForKey(FieldId::Zip), QStringLiteral("郵便番号"));
        QCOMPARE(CNLabel::localizedLabel(CNLabel::PhoneNumberMobile), QStringLiteral("携帯"));
        QCOMPARE(text("ViewTypes", ViewTypeName::AddressDetail.toUtf8().constData()),
                 QStringLiteral("住所 (詳細)"));
        QCOMPARE(QVPerson::localizedLabelsForIdentifier(FieldId::ShowAsPerson),
                 (QStringList { QStringLiteral("個人"), QStringLiteral("会社") }));
        // A custom item's name is shown as written.
        QCOMPARE(QVPerson::localizedIdentifierForKey(QStringLiteral("Hobby")), QStringLiteral("Hobby"));
    }

    void englishKeepsItsTextsAndCountsInTheSingular()
    {
        Translations::install(*qApp, QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(text("WindowController", "&File"), QStringLiteral("&File"));
        QCOMPARE(text("ContactsViewController", "%1: total %n contacts", 1),
                 QStringLiteral("%1: total 1 contact"));
        QCOMPARE(text("ContactsViewController", "%1: total %n contacts", 2),
                 QStringLiteral("%1: total 2 contacts"));
        QCOMPARE(text("AddressEditor", "%n more: type more digits", 1),
                 QStringLiteral("1 more: type more digits"));
    }

    void aLocaleWithoutTranslationKeepsEnglish()
    {
        QVERIFY(!Translations::install(*qApp, QLocale(QLocale::Swahili, QLocale::Kenya))
                     .contains(QStringLiteral("pellory2")));
        QCOMPARE(text("WindowController", "&File"), QStringLiteral("&File"));
    }
};

QTEST_MAIN(TranslationsTest)
#include "translations_test.moc"
