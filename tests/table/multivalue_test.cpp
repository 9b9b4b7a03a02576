// The multi-value editor opened from the contacts table: its size, keyboard, buttons, and its result
// applied to the record through the undoable operations.
#include "detail/addresseditor.h"
#include "editing/contacteditor.h"
#include "platform/contactsettings.h"
#include "platform/popover.h"
#include "platform/undomanager.h"
#include "record/keys.h"
#include "table/contactstablemodel.h"
#include "table/contactsviewcontroller.h"
#include "table/keys.h"
#include "table/multivaluelist.h"
#include "table/multivalueviewcontroller.h"
#include "wiredtable.h"

#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableView>
#include <QtTest>
#include <memory>

using Button = MultiValueViewController::Button;

namespace {

PersonPtr anna()
{
    PersonPtr person = QVPerson::create();
    person->setValue(QVariantMap { { FieldId::FirstName, QStringLiteral("Anna") } }, FieldId::Name);
    person->setValue(QVariantList { QVariantMap { { Key::Label, LabelWord::Mobile },
                                                  { Key::Value, QStringLiteral("555-0100") },
                                                  { Key::LabelIndex, 0 } },
                                    QVariantMap { { Key::Label, LabelWord::Work },
                                                  { Key::Value, QStringLiteral("555-0200") },
                                                  { Key::LabelIndex, 1 } } },
                     FieldId::Phone);
    person->setValue(QVariantList { QVariantMap { { Key::Label, LabelWord::Home },
                                                  { FieldId::Street, QStringLiteral("1 Main St") },
                                                  { FieldId::City, QStringLiteral("Springfield") },
                                                  { Key::LabelIndex, 0 } } },
                     FieldId::Address);
    person->setChanged(false);
    return person;
}

} // namespace

class MultiValueTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void sizeFollowsTheField();
    void editButtonUnlocksTheList();
    void returnInTheLastRowWrapsToTheFirst();
    void cancelChangesNothing();
    void addAppendsWithoutSelection();
    void addressAddOpensTheAddressPopover();
    void doneIsOneUndoStep();
    void lockingKeepsTheChanges();

private:
    MultiValueViewController *open(const QString &field);
    // Double-clicks a cell of the editor's list.
    void doubleClick(MultiValueViewController *editor, int row, int column);
    QVariantList phones() { return m_person->labeledValueForIdentifier(FieldId::Phone); }
    // The text field of the cell being edited (closed ones linger until deleted).
    static QLineEdit *openField(MultiValueViewController *editor);

    PersonPtr m_person;
    std::unique_ptr<UndoManager> m_undo;
    std::unique_ptr<ContactEditor> m_editor;
    std::unique_ptr<ContactsViewController> m_table;
};

void MultiValueTest::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    ContactSettings::setCountryCode(QStringLiteral("US"));
}

void MultiValueTest::init()
{
    m_person = anna();
    WiredTable wired = makeWiredTable({ m_person },
                                      { FieldId::Name, FieldId::Phone, FieldId::SocialNetwork, FieldId::Address });
    m_undo = std::move(wired.undo);
    m_editor = std::move(wired.editor);
    m_table = std::move(wired.table);
    ContactsViewController *t = m_table.get();
    t->show();
    QVERIFY(QTest::qWaitForWindowExposed(t));
    QCoreApplication::processEvents();
}

void MultiValueTest::cleanup()
{
    m_table.reset();
    m_editor.reset();
    m_undo.reset();
    m_person.reset();
}

MultiValueViewController *MultiValueTest::open(const QString &field)
{
    const SubContactRow row = m_table->subContactTable().value(0);
    m_table->showMultiValuePopover(row, field, 0, QRect(100, 100, 10, 10));
    Popover *popover = m_table->popover();
    return popover ? qobject_cast<MultiValueViewController *>(popover->contentWidget()) : nullptr;
}

void MultiValueTest::doubleClick(MultiValueViewController *editor, int row, int column)
{
    QTableView *view = editor->tableView();
    const QRect cell = view->visualRect(view->model()->index(row, column));
    // The press of a double-click comes first, as a real one sends it.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
}

QLineEdit *MultiValueTest::openField(MultiValueViewController *editor)
{
    for (QLineEdit *field : editor->tableView()->viewport()->findChildren<QLineEdit *>()) {
        if (field->isVisible())
            return field;
    }
    return nullptr;
}

void MultiValueTest::sizeFollowsTheField()
{
    MultiValueViewController *sns = open(FieldId::SocialNetwork);
    QVERIFY(sns);
    QCOMPARE(sns->size(), QSize(680, 260));
    QCOMPARE(sns->list()->columnCount(), 4);
    MultiValueViewController *phone = open(FieldId::Phone);
    QVERIFY(phone);
    QCOMPARE(phone->size(), QSize(360, 260));
}

void MultiValueTest::editButtonUnlocksTheList()
{
    MultiValueViewController *editor = open(FieldId::Phone);
    QVERIFY(editor);
    QPushButton *edit = editor->button(Button::Edit);
    QPushButton *done = editor->button(Button::Done);
    QCOMPARE(edit->text(), QStringLiteral("Edit"));
    QVERIFY(!editor->button(Button::Add)->isEnabled());
    QVERIFY(editor->button(Button::Cancel)->isHidden());
    // Locked, a double-click opens nothing.
    doubleClick(editor, 0, 1);
    QVERIFY(!openField(editor));

    edit->click();
    QCOMPARE(edit->text(), QStringLiteral("Lock"));
    QCOMPARE(done->text(), QStringLiteral("Change"));
    QVERIFY(!done->isEnabled());
    QVERIFY(!editor->button(Button::Cancel)->isHidden());
    QVERIFY(editor->button(Button::Delete)->isEnabled());

    // The label column is a popup, not a text to type in.
    doubleClick(editor, 0, 0);
    QVERIFY(!openField(editor));
    QVERIFY(editor->tableView()->indexWidget(editor->list()->index(0, 0)));

    edit->click();
    QCOMPARE(done->text(), QStringLiteral("Done"));
    QVERIFY(done->isEnabled());
    QVERIFY(!editor->tableView()->indexWidget(editor->list()->index(0, 0)));
}

void MultiValueTest::returnInTheLastRowWrapsToTheFirst()
{
    MultiValueViewController *editor = open(FieldId::Phone);
    QVERIFY(editor);
    editor->buttonPressed(Button::Edit);
    doubleClick(editor, 1, 1);
    QLineEdit *field = openField(editor);
    QVERIFY(field);
    field->selectAll();
    QTest::keyClicks(field, QStringLiteral("555-0299"));
    QTest::keyClick(field, Qt::Key_Return);

    QCOMPARE(editor->list()->item(1).value(Key::Value).toString(), QStringLiteral("555-0299"));
    QCOMPARE(editor->tableView()->currentIndex(), editor->list()->index(0, 1));
    QVERIFY(openField(editor));
    // Tab after the last column goes on to the next row's first value column.
    field = openField(editor);
    QVERIFY(field);
    QTest::keyClick(field, Qt::Key_Tab);
    QCOMPARE(editor->tableView()->currentIndex(), editor->list()->index(1, 1));
    QVERIFY(editor->button(Button::Done)->isEnabled());
}

void MultiValueTest::cancelChangesNothing()
{
    const QVariantList before = phones();
    const int steps = m_undo->undoCount();
    MultiValueViewController *editor = open(FieldId::Phone);
    QVERIFY(editor);
    editor->buttonPressed(Button::Edit);
    editor->buttonPressed(Button::Add);
    editor->list()->setText(0, 1, QStringLiteral("000"));
    editor->button(Button::Cancel)->click();

    QVERIFY(!m_table->popover());
    QCoreApplication::processEvents();
    QCOMPARE(phones(), before);
    QCOMPARE(m_undo->undoCount(), steps);
    QVERIFY(!m_editor->isDocumentEdited());
    QVERIFY(!m_person->changed());
}

void MultiValueTest::addAppendsWithoutSelection()
{
    MultiValueViewController *editor = open(FieldId::Phone);
    QVERIFY(editor);
    editor->buttonPressed(Button::Edit);
    editor->tableView()->clearSelection();
    editor->buttonPressed(Button::Add);

    QCOMPARE(editor->list()->rowCount(), 3);
    const QVariantMap added = editor->list()->item(2);
    QCOMPARE(added.value(Key::Value).toString(), QStringLiteral("new"));
    QCOMPARE(added.value(Key::Label).toString(), QVPerson::labelsForIdentifier(FieldId::Phone).value(0));
    QCOMPARE(editor->tableView()->selectionModel()->selectedRows(),
             QModelIndexList { editor->list()->index(2, 0) });
    QVERIFY(!openField(editor));
    QVERIFY(editor->button(Button::Done)->isEnabled());
}

void MultiValueTest::addressAddOpensTheAddressPopover()
{
    MultiValueViewController *editor = open(FieldId::Address);
    QVERIFY(editor);
    QCOMPARE(editor->size(), QSize(820, 280));
    editor->buttonPressed(Button::Edit);
    editor->buttonPressed(Button::Add);

    QCOMPARE(editor->list()->rowCount(), 1);
    QVERIFY2(editor->addressText().contains(QStringLiteral("123")), qPrintable(editor->addressText()));
    AddressEditor *address = editor->addressEditor();
    QVERIFY(address);
    QCOMPARE(address->componentField(FieldId::Zip)->text(), QStringLiteral("123"));

    // Done there brings the new address into the list, and Change into the record.
    address->componentField(FieldId::City)->setText(QStringLiteral("Ogdenville"));
    address->done();
    QVERIFY(!editor->addressEditor());
    QCOMPARE(editor->list()->rowCount(), 2);
    editor->buttonPressed(Button::Done);
    QVERIFY(!m_table->popover());
    const QVariantMap stored = m_person->labeledValueForIdentifierAtIndex(FieldId::Address, 1);
    QCOMPARE(stored.value(FieldId::City).toString(), QStringLiteral("Ogdenville"));
    QCOMPARE(stored.value(FieldId::Zip).toString(), QStringLiteral("123"));
    QCOMPARE(stored.value(Key::LabelIndex).toInt(), 1);
}

void MultiValueTest::doneIsOneUndoStep()
{
    const QVariantList before = phones();
    const int steps = m_undo->undoCount();
    MultiValueViewController *editor = open(FieldId::Phone);
    QVERIFY(editor);
    editor->buttonPressed(Button::Edit);
    QVERIFY(editor->list()->setText(1, 1, QStringLiteral("555-0999")));
    QVERIFY(editor->list()->moveItem(1, 0));
    QTest::keyClick(editor->tableView(), Qt::Key_Return);

    QVERIFY(!m_table->popover());
    QStringList after;
    for (const QVariant &v : phones())
        after.append(v.toMap().value(Key::Value).toString());
    QCOMPARE(after, (QStringList { QStringLiteral("555-0999"), QStringLiteral("555-0100") }));
    QVERIFY(m_person->changed());
    QVERIFY(m_editor->isDocumentEdited());

    QCoreApplication::processEvents();
    QCOMPARE(m_undo->undoCount(), steps + 1);
    m_editor->undo();
    QCOMPARE(phones(), before);
}

// Locking the list again is not Cancel: Done still hands the changes back.
void MultiValueTest::lockingKeepsTheChanges()
{
    MultiValueViewController *editor = open(FieldId::Phone);
    QVERIFY(editor);
    editor->buttonPressed(Button::Edit);
    editor->buttonPressed(Button::Delete);
    editor->buttonPressed(Button::Edit);
    QVERIFY(!editor->isEditing());
    editor->buttonPressed(Button::Done);
    QVERIFY(!m_table->popover());
    QCOMPARE(phones().size(), 1);

    // Without a change, Done is only closing.
    const int steps = m_undo->undoCount();
    editor = open(FieldId::Phone);
    QVERIFY(editor);
    editor->buttonPressed(Button::Done);
    QCoreApplication::processEvents();
    QCOMPARE(m_undo->undoCount(), steps);
}

QTEST_MAIN(MultiValueTest)
#include "multivalue_test.moc"
