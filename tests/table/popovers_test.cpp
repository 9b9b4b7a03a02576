// The popover editors of the contacts table, wired to the edit operations as a window wires them:
// opening on a cell, Done, Cancel, several rows, and a detached contact window.
#include "detail/addresseditor.h"
#include "detail/contactinfoeditor.h"
#include "detail/dateeditor.h"
#include "editing/contacteditor.h"
#include "table/multivalueviewcontroller.h"
#include "platform/contactsettings.h"
#include "platform/popover.h"
#include "platform/undomanager.h"
#include "record/keys.h"
#include "table/contactstablemodel.h"
#include "table/contactsviewcontroller.h"
#include "wiredtable.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableView>
#include <QTimer>
#include <QtTest>
#include <memory>

namespace {

PersonPtr personWithAddress(const QString &first, const QString &street, const QString &city)
{
    PersonPtr person = QVPerson::create();
    person->setValue(QVariantMap { { FieldId::FirstName, first } }, FieldId::Name);
    // A whole field set at once composes its text with the country, as a file read does.
    person->setValue(QVariantList { QVariantMap { { Key::Label, LabelWord::Home },
                                                  { FieldId::Street, street },
                                                  { FieldId::City, city },
                                                  { FieldId::Zip, QStringLiteral("12345") },
                                                  { FieldId::Country, QStringLiteral("USA") },
                                                  { Key::LabelIndex, 0 } } },
                     FieldId::Address);
    person->setValue(QVariantList { QVariantMap { { Key::Label, LabelWord::Mobile },
                                                  { Key::Value, QStringLiteral("555-0100") },
                                                  { Key::LabelIndex, 0 } } },
                     FieldId::Phone);
    person->setChanged(false);
    return person;
}

// The first address without the texts composed from it: replacing an item composes them anew
// (without the country), so undo gives back the item's own entries, not those texts.
QVariantMap firstAddress(const PersonPtr &person)
{
    QVariantMap item = person->labeledValueForIdentifierAtIndex(FieldId::Address, 0);
    item.remove(Key::StringValue);
    item.remove(Key::FormattedString);
    return item;
}

// Answers the question a multi-row edit asks with OK, once it shows.
void acceptNextQuestion()
{
    QTimer::singleShot(0, [] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
            box->button(QMessageBox::Ok)->click();
    });
}

} // namespace

class PopoversTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void addressDoneAppliesAndOneUndoRestores();
    void cancelAndEscapeChangeNothing();
    void resultForTwoSelectedRowsIsOneUndoStep();
    void lockedAddressPopoverIsReadOnly();
    void popoverWithoutChosenRowsEditsItsOwnRow();
    void birthdayWithoutYearAndRemoved();
    void detachedWindowFollowsTableEdits();
    void contextMenuTitlesPickThePanel();

private:
    ContactsViewController *table() const { return m_table.get(); }
    ContactEditor *editor() const { return m_editor.get(); }
    void setEditState(bool editable);
    // A click, then the rows to keep selected, then the double-click on the same cell.
    void doubleClick(int row, const QString &identifier, const QList<int> &selection = {});
    AddressEditor *openAddressPopover(int row, const QList<int> &selection = {});

    std::unique_ptr<UndoManager> m_undo;
    std::unique_ptr<ContactEditor> m_editor;
    std::unique_ptr<ContactsViewController> m_table;
    QList<PersonPtr> m_people;
};

void PopoversTest::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    ContactSettings::setCountryCode(QStringLiteral("US"));
}

void PopoversTest::init()
{
    m_people = {
        personWithAddress(QStringLiteral("Anna"), QStringLiteral("1 Main St"), QStringLiteral("Springfield")),
        personWithAddress(QStringLiteral("Bert"), QStringLiteral("2 Elm St"), QStringLiteral("Ogdenville"))
    };
    WiredTable wired = makeWiredTable(m_people, { FieldId::Name, FieldId::Address, FieldId::Phone });
    m_undo = std::move(wired.undo);
    m_editor = std::move(wired.editor);
    m_table = std::move(wired.table);
    ContactsViewController *t = m_table.get();
    t->show();
    QVERIFY(QTest::qWaitForWindowExposed(t));
    QCOMPARE(table()->subContactTable().size(), 2);
    QCoreApplication::processEvents(); // the set-up forms no undo step of its own
}

void PopoversTest::cleanup()
{
    m_table.reset();
    m_editor.reset();
    m_undo.reset();
    m_people.clear();
}

void PopoversTest::setEditState(bool editable)
{
    m_editor->setEditState(editable);
    m_table->setEditState(editable);
}

void PopoversTest::doubleClick(int row, const QString &identifier, const QList<int> &selection)
{
    QTableView *view = table()->tableView();
    const int column = table()->model()->columnOf(identifier);
    QVERIFY2(column >= 0, qPrintable(identifier));
    const QRect cell = view->visualRect(view->model()->index(row, column));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    if (!selection.isEmpty())
        table()->selectRows(selection);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
}

AddressEditor *PopoversTest::openAddressPopover(int row, const QList<int> &selection)
{
    doubleClick(row, FieldId::Address, selection);
    Popover *popover = table()->popover();
    return popover ? qobject_cast<AddressEditor *>(popover->contentWidget()) : nullptr;
}

void PopoversTest::addressDoneAppliesAndOneUndoRestores()
{
    const QVariantMap before = firstAddress(m_people.at(1));
    const int steps = editor()->undoManager()->undoCount();
    AddressEditor *address = openAddressPopover(1);
    QVERIFY(address);
    QCOMPARE(address->componentField(FieldId::City)->text(), QStringLiteral("Ogdenville"));

    QLineEdit *city = address->componentField(FieldId::City);
    city->selectAll();
    QTest::keyClicks(city, QStringLiteral("Shelbyville"));
    QTest::keyClick(city, Qt::Key_Return);

    QVERIFY(!table()->popover());
    const QVariantMap after = firstAddress(m_people.at(1));
    QCOMPARE(after.value(FieldId::City).toString(), QStringLiteral("Shelbyville"));
    QCOMPARE(after.value(FieldId::Street).toString(), QStringLiteral("2 Elm St"));
    QCOMPARE(after.value(Key::LabelIndex), before.value(Key::LabelIndex));
    QVERIFY(m_people.at(1)->changed());
    QVERIFY(editor()->isDocumentEdited());
    QCOMPARE(firstAddress(m_people.at(0)).value(FieldId::City).toString(), QStringLiteral("Springfield"));
    // The table shows the new text.
    QVERIFY(table()->model()->index(1, 1).data().toString().contains(QStringLiteral("Shelbyville")));

    QCoreApplication::processEvents();
    QCOMPARE(editor()->undoManager()->undoCount(), steps + 1);
    editor()->undo();
    QCOMPARE(firstAddress(m_people.at(1)), before);
    QVERIFY(!editor()->isDocumentEdited());
}

void PopoversTest::cancelAndEscapeChangeNothing()
{
    const QVariantMap before = firstAddress(m_people.at(0));
    const int steps = editor()->undoManager()->undoCount();

    AddressEditor *address = openAddressPopover(0);
    QVERIFY(address);
    address->componentField(FieldId::Street)->setText(QStringLiteral("Elsewhere 9"));
    QPushButton *cancel = nullptr;
    for (QPushButton *button : address->findChildren<QPushButton *>()) {
        if (button->text() == QStringLiteral("Cancel"))
            cancel = button;
    }
    QVERIFY(cancel);
    cancel->click();
    QVERIFY(!table()->popover());

    address = openAddressPopover(0);
    QVERIFY(address);
    address->componentField(FieldId::Street)->setText(QStringLiteral("Elsewhere 9"));
    QTest::keyClick(address->componentField(FieldId::Street), Qt::Key_Escape);
    QVERIFY(!table()->popover());

    QCoreApplication::processEvents();
    QCOMPARE(firstAddress(m_people.at(0)), before);
    QCOMPARE(editor()->undoManager()->undoCount(), steps);
    QVERIFY(!editor()->isDocumentEdited());
    QVERIFY(!m_people.at(0)->changed());
}

void PopoversTest::resultForTwoSelectedRowsIsOneUndoStep()
{
    const QVariantMap before0 = firstAddress(m_people.at(0));
    const QVariantMap before1 = firstAddress(m_people.at(1));
    const int steps = editor()->undoManager()->undoCount();
    acceptNextQuestion();
    AddressEditor *address = openAddressPopover(0, { 0, 1 });
    QVERIFY(address);
    address->componentField(FieldId::Zip)->setText(QStringLiteral("99999"));
    address->done();

    QCOMPARE(firstAddress(m_people.at(0)).value(FieldId::Zip).toString(), QStringLiteral("99999"));
    QCOMPARE(firstAddress(m_people.at(1)).value(FieldId::Zip).toString(), QStringLiteral("99999"));
    QCoreApplication::processEvents();
    QCOMPARE(editor()->undoManager()->undoCount(), steps + 1);
    editor()->undo();
    QCOMPARE(firstAddress(m_people.at(0)), before0);
    QCOMPARE(firstAddress(m_people.at(1)), before1);
}

void PopoversTest::lockedAddressPopoverIsReadOnly()
{
    setEditState(false);
    const QVariantMap before = firstAddress(m_people.at(0));
    AddressEditor *address = openAddressPopover(0);
    QVERIFY(address);
    QVERIFY(address->componentField(FieldId::City)->isReadOnly());
    QVERIFY(!address->countryPopup()->isEnabled());
    address->done();
    QCOMPARE(firstAddress(m_people.at(0)), before);
    QVERIFY(!editor()->isDocumentEdited());
}

// Return in the Address column opens the next row's popover without choosing rows for the edit:
// the result still reaches that row.
void PopoversTest::popoverWithoutChosenRowsEditsItsOwnRow()
{
    table()->selectRows({ 0 });
    table()->showAddressPopover(table()->subContactTable().at(1), FieldId::Address, 0,
                                QRect(100, 100, 10, 10));
    auto *address = qobject_cast<AddressEditor *>(table()->popover()->contentWidget());
    QVERIFY(address);
    address->componentField(FieldId::Street)->setText(QStringLiteral("3 Oak St"));
    address->done();
    QCOMPARE(firstAddress(m_people.at(1)).value(FieldId::Street).toString(), QStringLiteral("3 Oak St"));
    QCOMPARE(firstAddress(m_people.at(0)).value(FieldId::Street).toString(), QStringLiteral("1 Main St"));
}

void PopoversTest::birthdayWithoutYearAndRemoved()
{
    const SubContactRow anna = table()->subContactTable().at(0);
    table()->showDatePopover(anna, FieldId::Birthday, 0, QRect(100, 100, 10, 10));
    auto *date = qobject_cast<DateEditor *>(table()->popover()->contentWidget());
    QVERIFY(date);
    date->dateField()->setDate(QDate(1990, 2, 28));
    date->yearCheck()->setChecked(false);
    QTest::keyClick(date->dateField(), Qt::Key_Return);
    QVERIFY(!table()->popover());
    const DateComponents stored = m_people.at(0)->birthdayValue().value(Key::Value).value<DateComponents>();
    QCOMPARE(stored, (DateComponents { DateComponents::Undefined, 2, 28 }));

    table()->showDatePopover(anna, FieldId::Birthday, 0, QRect(100, 100, 10, 10));
    date = qobject_cast<DateEditor *>(table()->popover()->contentWidget());
    QVERIFY(date);
    QVERIFY(!date->yearCheck()->isChecked());
    QCOMPARE(date->dateField()->date().month(), 2);
    QPushButton *remove = nullptr;
    for (QPushButton *button : date->findChildren<QPushButton *>()) {
        if (button->text() == QStringLiteral("Remove"))
            remove = button;
    }
    QVERIFY(remove);
    remove->click();
    QVERIFY(!m_people.at(0)->birthdayValue().contains(Key::Value));
    QCoreApplication::processEvents();
    editor()->undo();
    QCOMPARE(m_people.at(0)->birthdayValue().value(Key::Value).value<DateComponents>(), stored);
}

void PopoversTest::detachedWindowFollowsTableEdits()
{
    doubleClick(0, FieldId::Name);
    Popover *popover = table()->popover();
    QVERIFY(popover);
    QVERIFY(popover->isDetachable());
    QWidget *window = popover->detach();
    QVERIFY(window);
    QVERIFY(!table()->popover());
    QCOMPARE(table()->detachedWindows(), QList<QWidget *> { window });
    QCOMPARE(window->windowTitle(), QStringLiteral("Anna"));
    auto *content = window->findChild<ContactInfoEditor *>();
    QVERIFY(content);
    QCOMPARE(content->valueField(FieldId::Phone, 0)->text(), QStringLiteral("555-0100"));

    // An edit of the same contact made in the table.
    QVariantMap phone = m_people.at(0)->labeledValueForIdentifierAtIndex(FieldId::Phone, 0);
    phone.insert(Key::Value, QStringLiteral("555-0199"));
    QVERIFY(editor()->undoReplaceLabeledValue(
        phone, FieldId::Phone, ContactEditor::entryForRow(table()->subContactTable().at(0)), table()));
    QTRY_COMPARE(content->valueField(FieldId::Phone, 0)->text(), QStringLiteral("555-0199"));

    // Undo reaches the window too.
    QCoreApplication::processEvents();
    editor()->undo();
    QTRY_COMPARE(content->valueField(FieldId::Phone, 0)->text(), QStringLiteral("555-0100"));

    // Deleting the contact closes its window.
    editor()->deleteContacts({ ContactEditor::entryForRow(table()->subContactTable().at(0)) });
    QTRY_VERIFY(table()->detachedWindows().isEmpty());
}

QTEST_MAIN(PopoversTest)

// The context menu's panel commands: the item's title picks the address editor or the field's
// list editor; a command on two selected rows asks first and then edits both.
void PopoversTest::contextMenuTitlesPickThePanel()
{
    const int address = table()->model()->columnOf(FieldId::Address);
    const auto contentOfPopover = [this]() -> QWidget * {
        return table()->popover() ? table()->popover()->contentWidget() : nullptr;
    };
    table()->selectRows({ 0 });
    table()->showPopoverWrapper(0, address, ContactsViewController::tr("Open Address Panel"));
    QVERIFY(qobject_cast<AddressEditor *>(contentOfPopover()));
    table()->popover()->close();

    table()->showPopoverWrapper(0, address, ContactsViewController::tr("Open Edit Panel"));
    QVERIFY(qobject_cast<MultiValueViewController *>(contentOfPopover()));
    table()->popover()->close();

    // Declining the question opens nothing; accepting edits every selected row.
    table()->selectRows({ 0, 1 });
    QTimer::singleShot(0, [] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
            box->button(QMessageBox::Cancel)->click();
    });
    table()->showPopoverWrapper(1, address, ContactsViewController::tr("Open Address Panel"));
    QVERIFY(!table()->popover());

    table()->selectRows({ 0, 1 });
    acceptNextQuestion();
    table()->showPopoverWrapper(1, address, ContactsViewController::tr("Open Address Panel"));
    auto *editor = qobject_cast<AddressEditor *>(contentOfPopover());
    QVERIFY(editor);
    editor->componentField(FieldId::Zip)->setText(QStringLiteral("55555"));
    editor->done();
    QCOMPARE(firstAddress(m_people.at(0)).value(FieldId::Zip).toString(), QStringLiteral("55555"));
    QCOMPARE(firstAddress(m_people.at(1)).value(FieldId::Zip).toString(), QStringLiteral("55555"));
}

#include "popovers_test.moc"
