// The contacts table inside a real document window: rows under label filters, the total row,
// remembered columns, in-place editing with undo, and keyboard moves between cells.
#include "platform/undomanager.h"
#include "record/keys.h"
#include "table/contactstablemodel.h"
#include "table/contactsviewcontroller.h"
#include "table/keys.h"
#include "window/groupviewcontroller.h"
#include "windowtestutil.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>

using namespace WindowTest;
using namespace Qt::StringLiterals;

namespace {

const QString kHome = QStringLiteral("HOME");
const QString kWork = QStringLiteral("WORK");
const QString kCell = QStringLiteral("CELL");

// Ada has three phones, Bob none, Cy one; Ada and Cy are friends.
QString threeContacts()
{
    QString text = vCard(QStringLiteral("Ada"), QStringLiteral("A"),
                         { { kHome, QStringLiteral("111") },
                           { kWork, QStringLiteral("222") },
                           { kCell, QStringLiteral("333") } },
                         { QStringLiteral("ada@example.com") });
    text += vCard(QStringLiteral("Bob"), QStringLiteral("B"), {}, { QStringLiteral("bob@example.com") });
    text += vCard(QStringLiteral("Cy"), QStringLiteral("C"), { { kWork, QStringLiteral("444") } });
    text.replace(QStringLiteral("N:A;Ada;;;\r\n"), QStringLiteral("N:A;Ada;;;\r\nCATEGORIES:Friends\r\n"));
    text.replace(QStringLiteral("N:C;Cy;;;\r\n"), QStringLiteral("N:C;Cy;;;\r\nCATEGORIES:Friends\r\n"));
    return text;
}

struct Window
{
    Document *document = nullptr;
    ViewController *content = nullptr;
    ContactsViewController *table = nullptr;
    ContactsTableModel *model = nullptr;
    QTableView *view = nullptr;

    explicit Window(const QString &text)
        : document(openText(text))
    {
        if (!document)
            return;
        content = document->mainViewController();
        table = content->contactsViewController();
        model = table->model();
        view = table->tableView();
    }
    ~Window() { closeDocument(document); }

    // The first row of the contact with this first name at this item position; -1 when none.
    int row(const QString &firstName, int labelIndex = 0) const
    {
        const SubContactRows &rows = model->rows();
        for (int i = 0; i < rows.size(); ++i) {
            const QVariantMap name = rows.at(i).person->valueForIdentifier(FieldId::Name).toMap();
            if (name.value(FieldId::FirstName).toString() == firstName && rows.at(i).labelIndex == labelIndex)
                return i;
        }
        return -1;
    }
    PersonPtr person(const QString &firstName) const
    {
        const int r = row(firstName);
        return r >= 0 ? model->rows().at(r).person : PersonPtr();
    }
    QModelIndex index(const QString &firstName, int labelIndex, const QString &column) const
    {
        return model->index(row(firstName, labelIndex), model->columnOf(column));
    }
    QString text(int row, const QString &column) const
    {
        return model->cellContent(row, model->columnOf(column)).text;
    }
    QString totalRow() const { return model->data(model->index(model->subContactCount(), 0)).toString(); }
    QLineEdit *editorAt(const QModelIndex &index) const
    {
        return qobject_cast<QLineEdit *>(view->indexWidget(index));
    }
    // The cell being edited, invalid when none.
    QModelIndex editing() const
    {
        const QModelIndex current = view->currentIndex();
        QLineEdit *editor = editorAt(current);
        return editor && editor->isVisible() ? current : QModelIndex();
    }
    void showColumns(const QStringList &identifiers)
    {
        QVariantMap viewTypes = UserDefaults::standard().dictionaryValue(DefaultsKey::ViewTypeDict);
        viewTypes.insert(ViewTypeName::Other, identifiers);
        UserDefaults::standard().setValue(DefaultsKey::ViewTypeDict, viewTypes);
        content->setSelectedViewType(ViewTypeName::Other);
    }
    QVariantList phones(const QString &firstName) const
    {
        return person(firstName)->valueForIdentifier(FieldId::Phone).toList();
    }
};

// Double-clicks a cell with the events a real double-click sends: press, release, double-click,
// release.
void doubleClick(QTableView *view, const QModelIndex &index)
{
    QWidget *viewport = view->viewport();
    const QPoint center = view->visualRect(index).center();
    QTest::mousePress(viewport, Qt::LeftButton, {}, center);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, center);
    QMouseEvent second(QEvent::MouseButtonDblClick, center, viewport->mapToGlobal(center), Qt::LeftButton,
                       Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &second);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, center);
}

// Types into the open editor and presses a key that ends the edit.
void typeAndPress(QLineEdit *editor, const QString &text, Qt::Key key)
{
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, key);
    QCoreApplication::processEvents();
}

} // namespace

class ContactsTableTest : public QObject
{
    Q_OBJECT

public:
    static void initMain() { WindowTest::initMain(); }

private Q_SLOTS:
    void init() { resetPreferences(); }

    void rowsPerContactFollowTheLabelFilter_data()
    {
        QTest::addColumn<QStringList>("labels");
        QTest::addColumn<QStringList>("adaPhones"); // Ada's phone cell on each of her rows
        QTest::addColumn<QStringList>("cyPhones");
        QTest::newRow("all") << QStringList { LabelWord::All } << QStringList { u"111"_s, u"222"_s, u"333"_s }
                             << QStringList { u"444"_s };
        // Positions count in the full list: Ada's work phone is her second item.
        QTest::newRow("work") << QStringList { LabelWord::Work } << QStringList { u""_s, u"222"_s }
                              << QStringList { u"444"_s };
        QTest::newRow("mobile") << QStringList { LabelWord::Mobile } << QStringList { u""_s, u""_s, u"333"_s }
                                << QStringList { u""_s };
        QTest::newRow("home and mobile")
            << QStringList { LabelWord::Home, LabelWord::Mobile } << QStringList { u"111"_s, u""_s, u"333"_s }
            << QStringList { u""_s };
    }

    void rowsPerContactFollowTheLabelFilter()
    {
        QFETCH(QStringList, labels);
        QFETCH(QStringList, adaPhones);
        QFETCH(QStringList, cyPhones);
        Window w(threeContacts());
        QVERIFY(w.document);
        w.content->setSelectedViewType(ViewTypeName::Phone);
        w.content->setSelectedLabels(labels);

        const auto phonesOf = [&w](const QString &name) {
            QStringList shown;
            for (int i = 0; w.row(name, i) >= 0; ++i)
                shown.append(w.text(w.row(name, i), FieldId::Phone));
            return shown;
        };
        QCOMPARE(phonesOf(QStringLiteral("Ada")), adaPhones);
        QCOMPARE(phonesOf(QStringLiteral("Cy")), cyPhones);
        QCOMPARE(phonesOf(QStringLiteral("Bob")), QStringList { QString() });
        // A contact's rows stay together, and only its first row shows the name.
        const int ada = w.row(QStringLiteral("Ada"));
        for (int i = 1; i < adaPhones.size(); ++i) {
            QCOMPARE(w.row(QStringLiteral("Ada"), i), ada + i);
            QVERIFY(w.text(ada + i, FieldId::Name).isEmpty());
        }
        // The total row counts contacts, not rows.
        QCOMPARE(w.model->rowCount(), w.model->subContactCount() + 1);
        QCOMPARE(w.totalRow(), QStringLiteral("All Contacts: total 3 contacts"));
    }

    void totalRowNamesTheSelectedGroup()
    {
        Window w(threeContacts());
        QVERIFY(w.document);
        QCOMPARE(w.totalRow(), QStringLiteral("All Contacts: total 3 contacts"));
        const int total = w.model->subContactCount();
        QVERIFY(!(w.model->flags(w.model->index(total, 0)) & Qt::ItemIsSelectable));

        GroupEntry friends;
        for (const GroupEntry &group : w.content->containerTable().first()->groups) {
            if (group->name == QStringLiteral("Friends"))
                friends = group;
        }
        QVERIFY(friends);
        w.content->editor()->groupSelectionDidChange(friends);
        QCOMPARE(w.totalRow(), QStringLiteral("Friends: total 2 contacts"));

        // Deleting a contact takes it out of the count; undo brings it back.
        w.table->selectRows({ w.row(QStringLiteral("Cy")) });
        w.content->deleteContacts();
        QCOMPARE(w.totalRow(), QStringLiteral("Friends: total 1 contacts"));
        w.content->undo();
        QCOMPARE(w.totalRow(), QStringLiteral("Friends: total 2 contacts"));

        // A new, empty document shows the total row alone.
        Window empty { QString() };
        QVERIFY(empty.document);
        QCOMPARE(empty.model->rowCount(), 1);
        QCOMPARE(empty.totalRow(), QStringLiteral("All Contacts: total 0 contacts"));
    }

    void columnWidthsAndOrderAreRemembered()
    {
        const QStringList labeled = { FieldId::Name,    FieldId::Phone,          FieldId::Email,
                                      FieldId::Address, FieldId::InstantMessage, FieldId::SocialNetwork,
                                      FieldId::Url,     FieldId::Relationship,   FieldId::Dates };
        {
            Window w(threeContacts());
            QVERIFY(w.document);
            w.content->setSelectedViewType(ViewTypeName::LabeledValues);
            QCOMPARE(w.table->tableIdentfiers(), labeled);
            QHeaderView *header = w.view->horizontalHeader();
            header->resizeSection(w.model->columnOf(FieldId::Email), 321);
            header->resizeSection(0, 234);
            header->moveSection(header->visualIndex(w.model->columnOf(FieldId::Url)), 1);
            // The Name column stays first, whichever way a move is tried.
            header->moveSection(header->visualIndex(w.model->columnOf(FieldId::Dates)), 0);
            header->moveSection(0, 3);
            QCOMPARE(w.table->tableIdentfiers().first(), FieldId::Name);
            QCOMPARE(w.table->tableIdentfiers().at(1), FieldId::Url);
        }
        const QVariantMap widths
            = UserDefaults::standard().dictionaryValue(DefaultsKey::ColumnWidthDictionary);
        QCOMPARE(widths.value(FieldId::Email).toInt(), 321);
        QCOMPARE(widths.value(FieldId::Name).toInt(), 234);
        QStringList expected = labeled;
        expected.removeAll(FieldId::Url);
        expected.insert(1, FieldId::Url);
        QCOMPARE(UserDefaults::standard()
                     .dictionaryValue(DefaultsKey::ViewTypeDict)
                     .value(ViewTypeName::LabeledValues)
                     .toStringList(),
                 expected);

        Window again(threeContacts());
        QCOMPARE(again.table->tableIdentfiers(), QStringList { FieldId::Name }); // every window opens on Name
        QCOMPARE(again.view->horizontalHeader()->sectionSize(0), 234);
        again.content->setSelectedViewType(ViewTypeName::LabeledValues);
        QCOMPARE(again.table->tableIdentfiers(), expected);
        QCOMPARE(again.view->horizontalHeader()->sectionSize(again.model->columnOf(FieldId::Email)), 321);
    }

    void headerClicksSortAndTheLastSortIsRemembered()
    {
        const auto names = [](const Window &w) {
            QStringList shown;
            for (int i = 0; i < w.model->subContactCount(); ++i) {
                if (!w.model->rows().at(i).notFirstRow)
                    shown.append(w.text(i, FieldId::Name));
            }
            return shown;
        };
        const QStringList byName
            = { QStringLiteral("Ada A"), QStringLiteral("Bob B"), QStringLiteral("Cy C") };
        QStringList reversed = byName;
        std::reverse(reversed.begin(), reversed.end());
        {
            Window w(threeContacts());
            QVERIFY(w.document);
            QCOMPARE(names(w), byName);
            QHeaderView *header = w.view->horizontalHeader();
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                              QPoint(header->sectionViewportPosition(0) + 10, header->height() / 2));
            QCOMPARE(names(w), reversed);
            QCOMPARE(UserDefaults::standard()
                         .value(DefaultsKey::LastSortDesc)
                         .toMap()
                         .value(SortDescKey::Ascending),
                     QVariant(false));
        }
        {
            // Reopened on the Name view type, the name sort comes back as it was left.
            Window w(threeContacts());
            QCOMPARE(names(w), reversed);
            // A phone sort is remembered, but a window without the phone column sorts by name.
            w.content->setSelectedViewType(ViewTypeName::Phone);
            QHeaderView *header = w.view->horizontalHeader();
            const int phone = w.model->columnOf(FieldId::Phone);
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                              QPoint(header->sectionViewportPosition(phone) + 10, header->height() / 2));
            QCOMPARE(w.table->sortDescriptor()->key, FieldId::Phone);
            // Bob has no phone: he sorts last.
            QCOMPARE(names(w).last(), QStringLiteral("Bob B"));
        }
        // The sort a window opens with is the one remembered from then on.
        Window again(threeContacts());
        QCOMPARE(names(again), byName);
        QCOMPARE(UserDefaults::standard()
                     .dictionaryValue(DefaultsKey::LastSortDesc)
                     .value(SortDescKey::Key)
                     .toString(),
                 QStringLiteral("compositeName"));
    }

    // A sort change puts the rows it has in a new order instead of building them again: the result
    // must be the rows a full reload builds, line counts and company lines included.
    void sortingGivesTheRowsAReloadBuilds()
    {
        UserDefaults::standard().setValue(DefaultsKey::ShowCompanyInNameCell, true);
        QString text = threeContacts();
        // Ada's company makes her first row two lines tall; her two-line street, a later item.
        text.replace(QStringLiteral("N:A;Ada;;;\r\n"),
                     QStringLiteral("N:A;Ada;;;\r\nORG:Acme\r\nADR;TYPE=HOME:;;1 Road;Town;;;\r\n"
                                    "ADR;TYPE=WORK:;;Unit 5\\nDock Street;Port;;;\r\n"));
        Window w(text);
        QVERIFY(w.document);
        w.showColumns({ FieldId::Name, FieldId::Phone, FieldId::Address });
        const auto snapshot = [&w] {
            QStringList rows;
            for (const SubContactRow &row : w.model->rows())
                rows.append(QStringLiteral("%1/%2/%3/%4")
                                .arg(row.uniqueId)
                                .arg(row.labelIndex)
                                .arg(row.notFirstRow)
                                .arg(row.numLines));
            return rows;
        };
        QHeaderView *header = w.view->horizontalHeader();
        for (const QString &column : { FieldId::Address, FieldId::Name, FieldId::Phone, FieldId::Name }) {
            const int section = w.model->columnOf(column);
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                              QPoint(header->sectionViewportPosition(section) + 10, header->height() / 2));
            const QStringList sorted = snapshot();
            w.model->reload();
            QCOMPARE(sorted, snapshot());
        }
        // Ada's rows: the company line on whichever row comes first, her tall street on its own.
        int tallest = 0;
        for (const SubContactRow &row : w.model->rows())
            tallest = std::max(tallest, row.numLines);
        QCOMPARE(tallest, 2);
    }

    void phoneEditUndoRedo()
    {
        Window w(threeContacts());
        QVERIFY(w.document);
        w.content->setSelectedViewType(ViewTypeName::Phone);
        const QVariantList before = w.phones(QStringLiteral("Ada"));
        const QModelIndex work = w.index(QStringLiteral("Ada"), 1, FieldId::Phone);

        // Locked: a double-click edits nothing.
        w.content->setEditState(false);
        doubleClick(w.view, work);
        QVERIFY(!w.editing().isValid());
        w.content->setEditState(true);

        doubleClick(w.view, work);
        QCOMPARE(w.editing(), work);
        typeAndPress(w.editorAt(work), QStringLiteral("+1 555 0100"), Qt::Key_Escape);
        QCOMPARE(w.phones(QStringLiteral("Ada")), before); // Escape keeps the old number

        doubleClick(w.view, work);
        typeAndPress(w.editorAt(work), QStringLiteral("+1 555 0100"), Qt::Key_Return);
        QVariantList after = before;
        QVariantMap changed = after.at(1).toMap();
        changed.insert(Key::Value, QStringLiteral("+1 555 0100"));
        QVERIFY(w.phones(QStringLiteral("Ada")).at(1).toMap().value(Key::Value) == changed.value(Key::Value));
        QCOMPARE(w.phones(QStringLiteral("Ada")).at(0), before.at(0));
        QCOMPARE(w.phones(QStringLiteral("Ada")).at(2), before.at(2));
        QCOMPARE(w.text(w.row(QStringLiteral("Ada"), 1), FieldId::Phone), QStringLiteral("+1 555 0100"));
        QVERIFY(w.document->isDocumentEdited());
        after = w.phones(QStringLiteral("Ada"));

        w.content->undo();
        QCOMPARE(w.phones(QStringLiteral("Ada")), before);
        QCOMPARE(w.text(w.row(QStringLiteral("Ada"), 1), FieldId::Phone), QStringLiteral("222"));
        QVERIFY(!w.document->isDocumentEdited());
        w.content->redo();
        QCOMPARE(w.phones(QStringLiteral("Ada")), after);
        QCOMPARE(w.text(w.row(QStringLiteral("Ada"), 1), FieldId::Phone), QStringLiteral("+1 555 0100"));
    }

    void multiRowEditIsOneUndoStep()
    {
        Window w(threeContacts()
                 + vCard(QStringLiteral("Dee"), QStringLiteral("D"), { { kHome, QStringLiteral("555") } }));
        QVERIFY(w.document);
        w.content->setSelectedViewType(ViewTypeName::Phone);
        const QStringList names = { QStringLiteral("Ada"), QStringLiteral("Cy"), QStringLiteral("Dee") };
        QList<QVariantList> before;
        QList<int> rows;
        for (const QString &name : names) {
            before.append(w.phones(name));
            rows.append(w.row(name));
        }
        w.table->selectRows(rows);
        UndoManager *undo = w.document->undoManager();
        const int steps = undo->undoCount();

        const QModelIndex cell = w.index(QStringLiteral("Cy"), 0, FieldId::Phone);
        {
            MessageBoxAnswer ok(QMessageBox::Ok);
            doubleClick(w.view, cell);
            QTRY_VERIFY(ok.answered());
            QCOMPARE(ok.text(), QStringLiteral("Do you want to set the same value in the selected rows"));
        }
        QTRY_COMPARE(w.editing(), cell);
        typeAndPress(w.editorAt(cell), QStringLiteral("000"), Qt::Key_Return);
        for (const QString &name : names)
            QCOMPARE(w.phones(name).first().toMap().value(Key::Value).toString(), QStringLiteral("000"));
        // Only the items at the edited position change.
        QCOMPARE(w.phones(QStringLiteral("Ada")).mid(1), before.first().mid(1));
        QCOMPARE(undo->undoCount(), steps + 1);

        w.content->undo();
        for (int i = 0; i < names.size(); ++i)
            QCOMPARE(w.phones(names.at(i)), before.at(i));
        QVERIFY(!w.document->isDocumentEdited());
    }

    void returnMovesDownToTheNextItemAndWraps()
    {
        Window w(threeContacts());
        QVERIFY(w.document);
        w.content->setSelectedViewType(ViewTypeName::Phone);
        // Rows: Ada 0..2 (three phones), Bob 3 (none), Cy 4.
        const QModelIndex first = w.index(QStringLiteral("Ada"), 0, FieldId::Phone);
        doubleClick(w.view, first);
        QCOMPARE(w.editing(), first);
        QList<QModelIndex> visited;
        for (int i = 0; i < 4; ++i) {
            typeAndPress(w.editorAt(w.editing()), w.model->data(w.editing()).toString(), Qt::Key_Return);
            visited.append(w.editing());
        }
        const QList<QModelIndex> expected = { w.index(QStringLiteral("Ada"), 1, FieldId::Phone),
                                              w.index(QStringLiteral("Ada"), 2, FieldId::Phone),
                                              w.index(QStringLiteral("Cy"), 0, FieldId::Phone), first };
        QCOMPARE(visited, expected);
        QCOMPARE(w.table->selectedRowIndexes(), QList<int> { first.row() });
        QVERIFY(!w.document->isDocumentEdited()); // unchanged texts make no edit
    }

    void tabMovesRightThenToTheNextRowSkippingName()
    {
        Window w(threeContacts());
        QVERIFY(w.document);
        w.showColumns({ FieldId::Name, FieldId::Phone, FieldId::Email, FieldId::Nickname });
        const int ada = w.row(QStringLiteral("Ada"));
        const QModelIndex phone = w.index(QStringLiteral("Ada"), 0, FieldId::Phone);
        doubleClick(w.view, phone);
        QCOMPARE(w.editing(), phone);

        typeAndPress(w.editorAt(w.editing()), QStringLiteral("111"), Qt::Key_Tab);
        QCOMPARE(w.editing(), w.model->index(ada, w.model->columnOf(FieldId::Email)));
        typeAndPress(w.editorAt(w.editing()), QStringLiteral("ada@example.com"), Qt::Key_Tab);
        QCOMPARE(w.editing(), w.model->index(ada, w.model->columnOf(FieldId::Nickname)));
        // Past the last column: column 1 of the next row, which is Ada's second phone.
        typeAndPress(w.editorAt(w.editing()), QStringLiteral("Countess"), Qt::Key_Tab);
        QCOMPARE(w.editing(), w.model->index(ada + 1, w.model->columnOf(FieldId::Phone)));
        QCOMPARE(w.person(QStringLiteral("Ada"))->stringValueForIdentifier(FieldId::Nickname),
                 QStringLiteral("Countess"));
        // Tab into a cell without an item ends the walk.
        typeAndPress(w.editorAt(w.editing()), QStringLiteral("222"), Qt::Key_Tab);
        QVERIFY(!w.editing().isValid());
    }

    void tabFollowsTheColumnsAsTheyAreShown()
    {
        Window w(threeContacts());
        QVERIFY(w.document);
        w.showColumns({ FieldId::Name, FieldId::Email, FieldId::Nickname });
        QHeaderView *header = w.view->horizontalHeader();
        header->moveSection(header->visualIndex(w.model->columnOf(FieldId::Nickname)), 1);
        QCOMPARE(w.table->tableIdentfiers(),
                 (QStringList { FieldId::Name, FieldId::Nickname, FieldId::Email }));
        const int ada = w.row(QStringLiteral("Ada"));
        const QModelIndex nickname = w.model->index(ada, w.model->columnOf(FieldId::Nickname));
        doubleClick(w.view, nickname);
        QCOMPARE(w.editing(), nickname);
        typeAndPress(w.editorAt(nickname), QStringLiteral("Countess"), Qt::Key_Tab);
        QCOMPARE(w.editing(), w.model->index(ada, w.model->columnOf(FieldId::Email)));
        // Past the last shown column: the first one after Name, on the next row.
        typeAndPress(w.editorAt(w.editing()), QStringLiteral("ada@example.com"), Qt::Key_Tab);
        QCOMPARE(w.editing(),
                 w.model->index(w.row(QStringLiteral("Bob")), w.model->columnOf(FieldId::Nickname)));
    }

    void scrollingNeverRebuildsRows()
    {
        QString text;
        for (int i = 0; i < 3000; ++i)
            text += vCard(QStringLiteral("P%1").arg(i, 4, 10, QLatin1Char('0')), QStringLiteral("Q"),
                          { { kHome, QString::number(i) }, { kWork, QString::number(i + 1) } });
        Window w(text);
        QVERIFY(w.document);
        w.content->setSelectedViewType(ViewTypeName::Phone);
        w.document->mainWindowController()->resize(900, 500);
        QVERIFY(QTest::qWaitForWindowExposed(w.document->mainWindowController()));
        const int rows = w.model->rowCount();
        QCOMPARE(rows, 6001);

        QSignalSpy resets(w.model, &QAbstractItemModel::modelReset);
        QScrollBar *bar = w.view->verticalScrollBar();
        QVERIFY(bar->maximum() > 0);
        for (int value = 0; value <= bar->maximum(); value += bar->pageStep()) {
            bar->setValue(value);
            w.view->viewport()->repaint();
        }
        QTest::keyClick(w.view, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClick(w.view, Qt::Key_Home, Qt::ControlModifier);
        QCoreApplication::processEvents();
        QCOMPARE(resets.count(), 0);
        QCOMPARE(w.model->rowCount(), rows);
    }
};

QTEST_MAIN(ContactsTableTest)
#include "contactstable_test.moc"
