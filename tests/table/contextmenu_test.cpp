// The table's context menu on a live table: how it opens (right click, Menu key, Shift+F10), and a
// command run from it and undone.
#include "platform/undomanager.h"
#include "record/keys.h"
#include "table/contactsviewcontroller.h"
#include "wiredtable.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableView>
#include <QtTest>

namespace {

PersonPtr personWithPhones(const QString &first, const QStringList &phones)
{
    PersonPtr person = QVPerson::create();
    person->setValue(QVariantMap { { FieldId::FirstName, first } }, FieldId::Name);
    QVariantList items;
    for (int i = 0; i < phones.size(); ++i)
        items.append(QVariantMap {
            { Key::Label, LabelWord::Home }, { Key::Value, phones.at(i) }, { Key::LabelIndex, i } });
    person->setValue(items, FieldId::Phone);
    person->setChanged(false);
    return person;
}

QStringList titles(const QMenu *menu)
{
    QStringList out;
    if (menu) {
        for (const QAction *action : menu->actions()) {
            if (!action->isSeparator())
                out.append(action->text());
        }
    }
    return out;
}

QAction *actionTitled(const QMenu *menu, const QString &title)
{
    for (QAction *action : menu->actions()) {
        if (action->text() == title)
            return action;
    }
    return nullptr;
}

} // namespace

class ContextMenuTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init();
    void cleanup() { m_wired = {}; }

    void rightClickOpensTheCellsMenuButNotBelowTheRows();
    void menuKeyAndShiftF10OpenTheSelectedCellsMenu();
    void deleteItemAsksAndUndoRestores();

private:
    ContactsViewController *table() const { return m_wired.table.get(); }
    QMenu *shownMenu() const
    {
        for (QMenu *menu : table()->findChildren<QMenu *>()) {
            if (menu->isVisible())
                return menu;
        }
        return nullptr;
    }
    void closeMenus()
    {
        for (QMenu *menu : table()->findChildren<QMenu *>())
            menu->close();
        QCoreApplication::processEvents();
    }

    WiredTable m_wired;
    QList<PersonPtr> m_people;
};

void ContextMenuTest::init()
{
    m_people = { personWithPhones(QStringLiteral("Anna"),
                                  { QStringLiteral("(03) 1234 5678"), QStringLiteral("555") }),
                 personWithPhones(QStringLiteral("Bert"), {}) };
    m_wired = makeWiredTable(m_people, { FieldId::Name, FieldId::Phone });
    table()->show();
    QVERIFY(QTest::qWaitForWindowExposed(table()));
    QCOMPARE(table()->subContactTable().size(), 3); // Anna#0 Anna#1 Bert#0
}

void ContextMenuTest::rightClickOpensTheCellsMenuButNotBelowTheRows()
{
    QTableView *view = table()->tableView();
    const QRect cell = view->visualRect(view->model()->index(0, 1));
    QContextMenuEvent onCell(QContextMenuEvent::Mouse, cell.center(),
                             view->viewport()->mapToGlobal(cell.center()));
    QApplication::sendEvent(view->viewport(), &onCell);
    QVERIFY(shownMenu());
    QCOMPARE(titles(shownMenu()).first(), QStringLiteral("Call Phone"));
    QVERIFY(titles(shownMenu()).contains(QStringLiteral("Delete Item")));
    closeMenus();

    const QRect last = view->visualRect(view->model()->index(2, 1));
    const QPoint below(last.center().x(), last.bottom() + 3 * last.height());
    QVERIFY(below.y() < view->viewport()->height());
    QContextMenuEvent belowRows(QContextMenuEvent::Mouse, below, view->viewport()->mapToGlobal(below));
    QApplication::sendEvent(view->viewport(), &belowRows);
    QVERIFY(!shownMenu());
}

void ContextMenuTest::menuKeyAndShiftF10OpenTheSelectedCellsMenu()
{
    QTableView *view = table()->tableView();
    view->selectRow(2);
    view->selectionModel()->setCurrentIndex(view->model()->index(2, 1), QItemSelectionModel::NoUpdate);
    QTest::keyClick(view, Qt::Key_Menu);
    QVERIFY(shownMenu());
    // Bert has no phone: nothing to call, only adding.
    QCOMPARE(titles(shownMenu()),
             (QStringList { QStringLiteral("Call Phone"), QStringLiteral("Open Edit Panel"),
                            QStringLiteral("Add Item") }));
    QVERIFY(!actionTitled(shownMenu(), QStringLiteral("Call Phone"))->isEnabled());
    closeMenus();

    view->selectRow(0);
    view->selectionModel()->setCurrentIndex(view->model()->index(0, 0), QItemSelectionModel::NoUpdate);
    QTest::keyClick(view, Qt::Key_F10, Qt::ShiftModifier);
    QVERIFY(shownMenu());
    QVERIFY(titles(shownMenu()).contains(QStringLiteral("Show Company in the Name Cell")));
    closeMenus();
}

void ContextMenuTest::deleteItemAsksAndUndoRestores()
{
    const QByteArray before = m_people.first()->vCardData();
    QTableView *view = table()->tableView();
    view->selectRow(1);
    QMenu *menu = table()->showContextMenu(1, 1, view->viewport()->mapToGlobal(QPoint(5, 5)));
    QVERIFY(menu);
    actionTitled(menu, QStringLiteral("Delete Item"))->trigger();
    QMessageBox *question = table()->findChild<QMessageBox *>();
    QVERIFY(question);
    QCOMPARE(question->text(),
             QStringLiteral(
                 "Do you want to delete the item(label and text) in the selected cells in column:Phone ?"));
    question->button(QMessageBox::Ok)->click();
    QCoreApplication::processEvents();
    QCOMPARE(m_people.first()->phoneValues().size(), 1);
    QCOMPARE(m_people.first()->phoneValues().first().toMap().value(Key::Value).toString(),
             QStringLiteral("(03) 1234 5678"));
    QCOMPARE(m_wired.undo->undoCount(), 1);
    m_wired.undo->undo();
    QCOMPARE(m_people.first()->vCardData(), before);
}

QTEST_MAIN(ContextMenuTest)
#include "contextmenu_test.moc"
