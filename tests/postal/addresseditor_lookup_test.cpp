// The address editor's Lookup: when it is offered, what it fills in, and what it says when the code
// names nothing or several places.
#include "detail/addresseditor.h"
#include "detail/keys.h"
#include "platform/contactsettings.h"
#include "record/keys.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QtTest>
#include <memory>

namespace {

QVariantMap address(const QString &iso, const QString &country, const QString &zip)
{
    QVariantMap a { { Key::Label, LabelWord::Home },
                    { FieldId::Zip, zip },
                    { FieldId::State, QStringLiteral("Old state") },
                    { FieldId::City, QStringLiteral("Old city") },
                    { FieldId::Street, QStringLiteral("Old street") },
                    { FieldId::Country, country },
                    { Key::LabelIndex, 0 } };
    if (!iso.isEmpty())
        a.insert(Key::IsoCountryCode, iso);
    return a;
}

std::unique_ptr<AddressEditor> openEditor(const QVariantMap &item, bool editable = true)
{
    auto editor = std::make_unique<AddressEditor>();
    editor->setContextInfo({ { PopoverKey::Type, FieldId::Address },
                             { PopoverKey::LabelIndex, 0 },
                             { PopoverItemKey::AddressValue, item } },
                           editable);
    return editor;
}

QString field(const AddressEditor &editor, const QString &component)
{
    return editor.componentField(component)->text();
}

} // namespace

class AddressLookupTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { ContactSettings::setCountryCode(QStringLiteral("US")); }

    void availabilityOnOpening_data();
    void availabilityOnOpening();
    void typingTheCodeEnablesItForJapanOnly();
    void lookupFillsPrefectureCityAndStreetAndKeepsTheCode();
    void businessCodeGivesAreaWithBlockAndNumber();
    void unknownCodeSaysSoAndKeepsWhatWasTyped();
    void severalPlacesAreOfferedToChooseFrom();
};

void AddressLookupTest::availabilityOnOpening_data()
{
    QTest::addColumn<QString>("iso");
    QTest::addColumn<QString>("country");
    QTest::addColumn<QString>("defaultCountry");
    QTest::addColumn<QString>("zip");
    QTest::addColumn<bool>("editable");
    QTest::addColumn<bool>("offered");

    QTest::newRow("Japanese code") << "jp"
                                   << ""
                                   << "US"
                                   << "100-0001" << true << true;
    QTest::newRow("no postal code") << "JP"
                                    << ""
                                    << "US"
                                    << "" << true << false;
    QTest::newRow("locked") << "JP"
                            << ""
                            << "US"
                            << "100-0001" << false << false;
    QTest::newRow("other country") << "US"
                                   << "Japan"
                                   << "JP"
                                   << "100-0001" << true << false;
    QTest::newRow("country name") << ""
                                  << "Japan"
                                  << "US"
                                  << "100-0001" << true << true;
    QTest::newRow("user's country") << ""
                                    << ""
                                    << "JP"
                                    << "100-0001" << true << true;
    QTest::newRow("user's other country") << ""
                                          << ""
                                          << "US"
                                          << "100-0001" << true << false;
}

void AddressLookupTest::availabilityOnOpening()
{
    QFETCH(QString, iso);
    QFETCH(QString, country);
    QFETCH(QString, defaultCountry);
    QFETCH(QString, zip);
    QFETCH(bool, editable);
    QFETCH(bool, offered);
    ContactSettings::setCountryCode(defaultCountry);
    const auto editor = openEditor(address(iso, country, zip), editable);
    QCOMPARE(editor->lookupButton()->text(), QStringLiteral("Lookup"));
    QCOMPARE(!editor->lookupButton()->isHidden(), offered);
    QCOMPARE(editor->lookupButton()->isEnabled(), offered);
}

void AddressLookupTest::typingTheCodeEnablesItForJapanOnly()
{
    const auto japan = openEditor(address(QStringLiteral("JP"), QString(), QString()));
    QLineEdit *zip = japan->componentField(FieldId::Zip);
    QTest::keyClicks(zip, QStringLiteral("10"));
    QVERIFY(!japan->lookupButton()->isEnabled());
    QTest::keyClicks(zip, QStringLiteral("0"));
    QVERIFY(japan->lookupButton()->isEnabled());
    QVERIFY(!japan->lookupButton()->isHidden());
    QTest::keyClick(zip, Qt::Key_Backspace);
    QVERIFY(!japan->lookupButton()->isEnabled());

    const auto usa = openEditor(address(QStringLiteral("US"), QString(), QString()));
    QTest::keyClicks(usa->componentField(FieldId::Zip), QStringLiteral("1000001"));
    QVERIFY(!usa->lookupButton()->isEnabled());

    // A country known by its name counts as on opening: retyping the code brings the button back.
    const auto named = openEditor(address(QString(), QStringLiteral("Japan"), QStringLiteral("100-0001")));
    QLineEdit *namedZip = named->componentField(FieldId::Zip);
    namedZip->selectAll();
    QTest::keyClicks(namedZip, QStringLiteral("1000002"));
    QVERIFY(named->lookupButton()->isEnabled());

    // No country chosen: the user's own country decides.
    ContactSettings::setCountryCode(QStringLiteral("JP"));
    const auto unset = openEditor(address(QString(), QString(), QString()));
    QTest::keyClicks(unset->componentField(FieldId::Zip), QStringLiteral("100"));
    QVERIFY(unset->lookupButton()->isEnabled());
}

void AddressLookupTest::lookupFillsPrefectureCityAndStreetAndKeepsTheCode()
{
    const auto editor = openEditor(address(QStringLiteral("JP"), QString(), QStringLiteral("100-0001")));
    editor->show();
    QVERIFY(QTest::qWaitForWindowExposed(editor.get()));
    editor->activateWindow();
    QTest::mouseClick(editor->lookupButton(), Qt::LeftButton);

    QCOMPARE(field(*editor, FieldId::State), QStringLiteral("東京都"));
    QCOMPARE(field(*editor, FieldId::City), QStringLiteral("千代田区"));
    QCOMPARE(field(*editor, FieldId::Street), QStringLiteral("千代田"));
    QCOMPARE(field(*editor, FieldId::Zip), QStringLiteral("100-0001"));
    QVERIFY(editor->lookupStatus()->isHidden());
    QTRY_COMPARE(QApplication::focusWidget(), editor->componentField(FieldId::Street));

    editor->done();
    const QVariantMap value = editor->context().value(PopoverKey::Value).toMap();
    QCOMPARE(value.value(FieldId::State).toString(), QStringLiteral("東京都"));
    QCOMPARE(value.value(FieldId::Street).toString(), QStringLiteral("千代田"));
    QCOMPARE(value.value(FieldId::Zip).toString(), QStringLiteral("100-0001"));
}

void AddressLookupTest::businessCodeGivesAreaWithBlockAndNumber()
{
    const auto editor = openEditor(address(QStringLiteral("JP"), QString(), QStringLiteral("1008960")));
    editor->lookup();
    QCOMPARE(field(*editor, FieldId::City), QStringLiteral("千代田区"));
    QCOMPARE(field(*editor, FieldId::Street), QStringLiteral("永田町１丁目７－１"));
}

void AddressLookupTest::unknownCodeSaysSoAndKeepsWhatWasTyped()
{
    const auto editor = openEditor(address(QStringLiteral("JP"), QString(), QStringLiteral("999-9999")));
    editor->lookup();
    QVERIFY(!editor->lookupStatus()->isHidden());
    QCOMPARE(editor->lookupStatus()->text(), QStringLiteral("Do not find"));
    // The code stays to be corrected; nothing else changes.
    QCOMPARE(field(*editor, FieldId::Zip), QStringLiteral("999-9999"));
    QCOMPARE(field(*editor, FieldId::Street), QStringLiteral("Old street"));
    QTest::keyClicks(editor->componentField(FieldId::Zip), QStringLiteral("1"));
    QVERIFY(editor->lookupStatus()->isHidden());

    // Locked, the editor looks nothing up.
    const auto locked
        = openEditor(address(QStringLiteral("JP"), QString(), QStringLiteral("100-0001")), false);
    locked->lookup();
    QCOMPARE(field(*locked, FieldId::Street), QStringLiteral("Old street"));
}

void AddressLookupTest::severalPlacesAreOfferedToChooseFrom()
{
    const auto editor = openEditor(address(QStringLiteral("JP"), QString(), QStringLiteral("004-0000")));
    editor->show();
    QVERIFY(QTest::qWaitForWindowExposed(editor.get()));
    editor->lookup();
    QMenu *chooser = editor->lookupChooser();
    QVERIFY(chooser);
    QTRY_VERIFY(chooser->isVisible());
    QCOMPARE(chooser->actions().size(), 2);
    QVERIFY(chooser->actions().at(1)->text().contains(QStringLiteral("札幌市清田区")));
    // Nothing is filled before a choice.
    QCOMPARE(field(*editor, FieldId::City), QStringLiteral("Old city"));
    chooser->actions().at(1)->trigger();
    QCOMPARE(field(*editor, FieldId::City), QStringLiteral("札幌市清田区"));
    QCOMPARE(field(*editor, FieldId::Street), QString());
    chooser->close();

    // A prefix of hundreds of places lists the first ones and says how many more there are.
    editor->componentField(FieldId::Zip)->setText(QStringLiteral("100"));
    editor->lookup();
    const QList<QAction *> entries = editor->lookupChooser()->actions();
    QCOMPARE(entries.size(), 51);
    QVERIFY(entries.first()->text().startsWith(QStringLiteral("100-0000")));
    QVERIFY(!entries.last()->isEnabled());
    editor->lookupChooser()->close();
}

QTEST_MAIN(AddressLookupTest)
#include "addresseditor_lookup_test.moc"
