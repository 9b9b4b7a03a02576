// The document window as a new user meets it: commands that follow the selection, keys, menus
// with readable titles, group commands, and the layout a window opens with.
#include "detail/contactinfocontroller.h"
#include "detail/contactinfoeditor.h"
#include "detail/nameeditor.h"
#include "document/documentkeys.h"
#include "platform/popover.h"
#include "record/keys.h"
#include "table/contactstablemodel.h"
#include "table/contactsviewcontroller.h"
#include "table/keys.h"
#include "table/sortmenu.h"
#include "window/edition.h"
#include "window/grouptreemodel.h"
#include "window/groupviewcontroller.h"
#include "window/windowkeys.h"
#include "windowtestutil.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QScreen>
#include <QSplitter>
#include <QTableView>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolButton>
#include <QTranslator>
#include <QTreeView>

using namespace WindowTest;

namespace {

const QString kLongEmail = QStringLiteral("firstname.lastname-testing@example-company.com");

// Ada and Cy are friends; Bob has a long e-mail address.
QString threeContacts()
{
    QString text
        = vCard(QStringLiteral("Ada"), QStringLiteral("A"),
                { { QStringLiteral("HOME"), QStringLiteral("111") } }, { QStringLiteral("ada@example.com") });
    text += vCard(QStringLiteral("Bob"), QStringLiteral("B"), {}, { kLongEmail });
    text += vCard(QStringLiteral("Cy"), QStringLiteral("C"),
                  { { QStringLiteral("WORK"), QStringLiteral("444") } });
    text.replace(QStringLiteral("N:A;Ada;;;\r\n"), QStringLiteral("N:A;Ada;;;\r\nCATEGORIES:Friends\r\n"));
    text.replace(QStringLiteral("N:C;Cy;;;\r\n"), QStringLiteral("N:C;Cy;;;\r\nCATEGORIES:Friends\r\n"));
    return text;
}

struct Window
{
    Document *document = nullptr;
    WindowController *window = nullptr;
    ViewController *content = nullptr;
    ContactsViewController *table = nullptr;
    ContactsTableModel *model = nullptr;
    QTableView *view = nullptr;

    explicit Window(const QString &text, const QString &type = DocumentType::VCard)
        : document(openText(text, type))
    {
        if (!document)
            return;
        window = document->mainWindowController();
        content = document->mainViewController();
        table = content->contactsViewController();
        model = table->model();
        view = table->tableView();
    }
    ~Window() { closeDocument(document); }

    int row(const QString &firstName) const
    {
        const SubContactRows &rows = model->rows();
        for (int i = 0; i < rows.size(); ++i) {
            if (rows.at(i).person->nameValue().value(FieldId::FirstName).toString() == firstName)
                return i;
        }
        return -1;
    }
    void select(const QString &firstName) const { table->selectRows({ row(firstName) }); }
    QAction *action(const QString &text) const
    {
        for (QAction *each : window->findChildren<QAction *>()) {
            if (each->text() == text)
                return each;
        }
        return nullptr;
    }
    QToolButton *popup(const QString &text) const
    {
        for (QToolButton *button : window->findChildren<QToolButton *>()) {
            if (button->text() == text)
                return button;
        }
        return nullptr;
    }
    GroupEntry group(const QString &name) const
    {
        for (const GroupEntry &each : content->containerTable().first()->groups) {
            if (each->name == name)
                return each;
        }
        return {};
    }
    QString totalRow() const { return model->data(model->index(model->subContactCount(), 0)).toString(); }
    void showColumns(const QStringList &identifiers) const
    {
        QVariantMap viewTypes = UserDefaults::standard().dictionaryValue(DefaultsKey::ViewTypeDict);
        viewTypes.insert(ViewTypeName::Other, identifiers);
        UserDefaults::standard().setValue(DefaultsKey::ViewTypeDict, viewTypes);
        content->setSelectedViewType(ViewTypeName::Other);
    }
    bool activate() const
    {
        window->activateWindow();
        view->setFocus();
        return QTest::qWaitForWindowActive(window);
    }
};

// The visible popover content of this type, if any.
template<typename T> T *shownPopoverContent()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        auto *popover = qobject_cast<Popover *>(widget);
        if (popover && popover->isVisible()) {
            if (auto *content = qobject_cast<T *>(popover->contentWidget()))
                return content;
        }
    }
    return nullptr;
}

// Titles of a menu's enabled, non-separator actions.
QStringList titles(const QMenu *menu)
{
    QStringList out;
    for (const QAction *action : menu->actions()) {
        if (!action->isSeparator() && action->isEnabled())
            out.append(action->text());
    }
    return out;
}

} // namespace

class WindowCommandsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    static void initMain() { WindowTest::initMain(); }

    void initTestCase()
    {
        // The program's own English plural forms.
        auto *translator = new QTranslator(this);
        QVERIFY(translator->load(QLocale(QLocale::English, QLocale::UnitedStates), QStringLiteral("pellory2"),
                                 QStringLiteral("_"), QStringLiteral(":/i18n")));
        QCoreApplication::installTranslator(translator);
    }

    void init()
    {
        resetPreferences();
        UserDefaults::standard().setValue(WindowKey::LastEditState, true);
    }

    void deleteAndDuplicateFollowTheSelectionAndTheDeleteKeyDeletes()
    {
        Window w(threeContacts());
        QVERIFY(w.document);
        QVERIFY(w.content->editState());
        QAction *deleteContacts = w.action(QStringLiteral("Delete Contacts"));
        QAction *duplicate = w.action(QStringLiteral("Duplicate Contacts"));
        QAction *undo = w.action(QStringLiteral("&Undo"));
        QVERIFY(deleteContacts && duplicate && undo);

        w.select(QStringLiteral("Bob"));
        QVERIFY(deleteContacts->isEnabled());
        QVERIFY(duplicate->isEnabled());
        QVERIFY(!undo->isEnabled());

        QVERIFY(w.activate());
        QTest::keyClick(w.window->windowHandle(), Qt::Key_Delete);
        QCOMPARE(w.row(QStringLiteral("Bob")), -1);
        QCOMPARE(w.model->subContactCount(), 2);
        QVERIFY(w.document->isDocumentEdited());
        QVERIFY(undo->isEnabled());

        undo->trigger();
        QVERIFY(w.row(QStringLiteral("Bob")) >= 0);
        QCOMPARE(w.model->subContactCount(), 3);
        QVERIFY(!w.document->isDocumentEdited());

        // Locked, nothing deletes, whatever is selected.
        w.content->setEditState(false);
        w.select(QStringLiteral("Ada"));
        QVERIFY(!deleteContacts->isEnabled());
        QVERIFY(!duplicate->isEnabled());
    }

    void deletingKeepsARowSelectedWhereTheDeletedOneWas()
    {
        Window w(threeContacts());
        QVERIFY(w.document);
        QAction *deleteContacts = w.action(QStringLiteral("Delete Contacts"));
        QVERIFY(deleteContacts);
        const auto selected = [&w] { return w.table->selectedRowIndexes(); };

        // The row below moves up into the deleted one's place and is selected.
        w.select(QStringLiteral("Bob"));
        deleteContacts->trigger();
        QCOMPARE(w.row(QStringLiteral("Bob")), -1);
        QCOMPARE(selected(), QList<int>({ w.row(QStringLiteral("Cy")) }));
        QCOMPARE(w.view->currentIndex().row(), w.row(QStringLiteral("Cy")));

        // With nothing below, the new last row. (Each deletion its own step, as separate key presses.)
        QCoreApplication::processEvents();
        deleteContacts->trigger();
        QCOMPARE(w.model->subContactCount(), 1);
        QCOMPARE(selected(), QList<int>({ w.row(QStringLiteral("Ada")) }));
        QVERIFY(deleteContacts->isEnabled());

        // Undo selects what it brings back; the last contact gone, nothing is left to select.
        QCoreApplication::processEvents();
        w.content->undo();
        QCOMPARE(selected(), QList<int>({ w.row(QStringLiteral("Cy")) }));
        w.select(QStringLiteral("Ada"));
        deleteContacts->trigger();
        w.select(QStringLiteral("Cy"));
        deleteContacts->trigger();
        QCOMPARE(w.model->subContactCount(), 0);
        QVERIFY(selected().isEmpty());
    }

    void contactPopoverShowsTheNameItsNameEditorSet()
    {
        Window w(threeContacts());
        QVERIFY(w.document);
        w.select(QStringLiteral("Ada"));
        w.table->showContactInfoPopoverWithOption(false);
        QPointer<ContactInfoEditor> info;
        QTRY_VERIFY((info = shownPopoverContent<ContactInfoEditor>()));
        // What the name editor hands over when it is done.
        const SubContactRow row = w.model->rows().at(w.row(QStringLiteral("Ada")));
        QVariantMap name = row.person->nameValue();
        name.insert(FieldId::LastName, QStringLiteral("Zed"));
        QVERIFY(w.content->editor()->undoReplaceNameValue(name, ContactEditor::entryForRow(row)));

        auto labelsOf = [info] {
            QStringList texts;
            if (!info)
                return QStringLiteral("(the contact popover closed)");
            for (const QLabel *label : info->findChildren<QLabel *>())
                texts.append(label->text());
            for (const QToolButton *button : info->findChildren<QToolButton *>())
                texts.append(button->text());
            return texts.join(u'|');
        };
        QTRY_VERIFY2(labelsOf().contains(QStringLiteral("Ada Zed")), qPrintable(labelsOf()));
        QVERIFY2(!labelsOf().contains(QStringLiteral("Ada A")), qPrintable(labelsOf()));
    }

    void sortOptionsShowDisplayTextsOfTheShownFieldsOnly()
    {
        Window w(threeContacts());
        QVERIFY(w.document);
        w.showColumns({ FieldId::Name, FieldId::Email });
        QToolButton *sortOptions = w.popup(QStringLiteral("Sort Options"));
        QVERIFY(sortOptions);
        Q_EMIT sortOptions->menu()->aboutToShow();
        QStringList fields;
        QMap<QString, QStringList> options;
        for (QAction *action : sortOptions->menu()->actions()) {
            if (action->menu()) {
                fields.append(action->text());
                options.insert(action->text(), titles(action->menu()));
            }
        }
        QCOMPARE(fields, QStringList({ QStringLiteral("Name"), QStringLiteral("Email") }));
        QCOMPARE(options.value(QStringLiteral("Name")),
                 QStringList({ QStringLiteral("Full Name"), QStringLiteral("First Name"),
                               QStringLiteral("Last Name") }));
        QCOMPARE(options.value(QStringLiteral("Email")),
                 QStringList({ QStringLiteral("Email"), QStringLiteral("Domain"), QStringLiteral("User Name"),
                               QStringLiteral("Label") }));

        // The header's menu is built from the same items.
        const QVariantMap sortDict = UserDefaults::standard().dictionaryValue(DefaultsKey::SortOptionsDict);
        QStringList header;
        for (const SortMenuItem &item : SortMenu::sortOptionsMenu(FieldId::InstantMessage, sortDict))
            header.append(item.title);
        QCOMPARE(
            header,
            QStringList({ QStringLiteral("Sort by"), QStringLiteral("Instant Message"),
                          QStringLiteral("Service"), QStringLiteral("User Name"), QStringLiteral("Label") }));
    }

    void totalRowCountsInPluralForms()
    {
        Window w(threeContacts());
        QVERIFY(w.document);
        QCOMPARE(w.totalRow(), QStringLiteral("All Contacts: total 3 contacts"));
        w.select(QStringLiteral("Ada"));
        w.content->deleteContacts();
        w.select(QStringLiteral("Bob"));
        w.content->deleteContacts();
        QCOMPARE(w.totalRow(), QStringLiteral("All Contacts: total 1 contact"));
        w.select(QStringLiteral("Cy"));
        w.content->deleteContacts();
        QCOMPARE(w.totalRow(), QStringLiteral("All Contacts: total 0 contacts"));
    }

    void f2EditsTheCurrentCell()
    {
        Window w(threeContacts());
        QVERIFY(w.document);
        w.showColumns({ FieldId::Name, FieldId::Email });
        const QModelIndex email
            = w.model->index(w.row(QStringLiteral("Ada")), w.model->columnOf(FieldId::Email));
        w.view->setCurrentIndex(email);
        w.select(QStringLiteral("Ada"));
        w.view->setCurrentIndex(email);
        QVERIFY(w.activate());
        QTest::keyClick(w.window->windowHandle(), Qt::Key_F2);
        auto *editor = qobject_cast<QLineEdit *>(w.view->indexWidget(email));
        QVERIFY(editor);
        QTRY_VERIFY(editor->isVisible());
        QCOMPARE(editor->text(), QStringLiteral("ada@example.com"));
    }

    void newWindowUsesTwoThirdsOfTheScreenAndColumnsFitTheirContents()
    {
        Window w(threeContacts());
        QVERIFY(w.document);
        const QSize available = w.window->screen()->availableGeometry().size();
        const QSize least = w.window->minimumSizeHint();
        QCOMPARE(w.window->width(), std::max(least.width(), available.width() * 2 / 3));
        QCOMPARE(w.window->height(), std::max(least.height(), available.height() * 2 / 3));

        w.showColumns({ FieldId::Name, FieldId::Email });
        QHeaderView *header = w.view->horizontalHeader();
        const int column = w.model->columnOf(FieldId::Email);
        const int needed = QFontMetrics(w.view->font()).horizontalAdvance(kLongEmail);
        QVERIFY2(header->sectionSize(column) >= needed,
                 qPrintable(QStringLiteral("%1 < %2").arg(header->sectionSize(column)).arg(needed)));
        w.table->saveColumnWithDictionary();
        const QVariantMap widths
            = UserDefaults::standard().dictionaryValue(DefaultsKey::ColumnWidthDictionary);
        QCOMPARE(widths.value(FieldId::Email).toInt(), header->sectionSize(column));

        // A double-click on the column's right divider fits it again.
        header->resizeSection(column, 40);
        const QPoint divider(header->sectionViewportPosition(column) + header->sectionSize(column) - 1,
                             header->height() / 2);
        QTest::mouseDClick(header->viewport(), Qt::LeftButton, {}, divider);
        QVERIFY(header->sectionSize(column) >= needed);
    }

    void nameColumnFitsItsContentsWhenNoWidthIsStored()
    {
        const QString longName = QStringLiteral("Maximiliane-Theodora");
        const QString longLast = QStringLiteral("Featherstonehaugh-Montgomery");
        Window w(threeContacts() + vCard(longName, longLast));
        QVERIFY(w.document);
        QHeaderView *header = w.view->horizontalHeader();
        const int name = w.model->columnOf(FieldId::Name);
        QVERIFY(name >= 0);
        const int needed = QFontMetrics(w.view->font())
                               .horizontalAdvance(w.model->cellContent(w.row(longName), name).text);
        QVERIFY2(header->sectionSize(name) >= needed,
                 qPrintable(QStringLiteral("%1 < %2").arg(header->sectionSize(name)).arg(needed)));

        // A width the user chose is kept, narrower though it is.
        header->resizeSection(name, 60);
        w.table->saveColumnWithDictionary();
        Window again(threeContacts() + vCard(longName, longLast));
        QVERIFY(again.document);
        QCOMPARE(again.view->horizontalHeader()->sectionSize(again.model->columnOf(FieldId::Name)), 60);
    }

    void detailSideBarKeepsItsWidthNumbersWholeAndShowsTheGroups()
    {
        QString text = threeContacts();
        text.replace(
            QStringLiteral("TEL;TYPE=HOME:111"),
            QStringLiteral("item1.TEL:03-5550-0142\r\nitem1.X-ABLabel:Reception desk of the head office"));
        Window w(text);
        QVERIFY(w.document);
        w.window->resize(1200, 700);
        // Locked, the side bar shows the card, which these checks read.
        w.content->contactInfoController()->setEditState(false);
        w.content->showContactInfo(true);
        QSplitter *split = w.content->splitView();
        QList<int> sizes = split->sizes();
        const int total = sizes.at(1) + sizes.at(2);
        split->setSizes({ sizes.at(0), total - 420, 420 });
        QCOMPARE(w.content->detailPaneWidth(), 420);
        w.content->showContactInfo(false);
        w.content->showContactInfo(true);
        QCOMPARE(w.content->detailPaneWidth(), 420);
        split->setSizes({ sizes.at(0), total - 310, 310 });

        w.select(QStringLiteral("Ada"));
        QTextBrowser *browser = w.content->contactInfoController()->browser();
        QTRY_VERIFY(browser->toPlainText().contains(QStringLiteral("03-5550-0142")));
        browser->document()->setTextWidth(browser->viewport()->width());
        const QTextCursor found = browser->document()->find(QStringLiteral("03-5550-0142"));
        QVERIFY(!found.isNull());
        // The long label may wrap; the number itself stays on one line.
        const QTextLayout *lines = found.block().layout();
        const int first = found.selectionStart() - found.block().position();
        const int last = found.selectionEnd() - found.block().position() - 1;
        QCOMPARE(lines->lineForTextPosition(first).lineNumber(), lines->lineForTextPosition(last).lineNumber());
        QVERIFY2(browser->toPlainText().contains(QStringLiteral("Friends")),
                 qPrintable(browser->toPlainText()));
    }

    void hiddenDetailSideBarShowsTheLatestSelectionWhenOpened()
    {
        Window w(threeContacts());
        QVERIFY(w.document);
        w.window->resize(1200, 700);
        // Locked, the side bar shows the card, which these checks read.
        w.content->contactInfoController()->setEditState(false);
        QTextBrowser *browser = w.content->contactInfoController()->browser();
        w.content->showContactInfo(true);
        w.select(QStringLiteral("Ada"));
        QTRY_VERIFY(browser->toPlainText().contains(QStringLiteral("Ada")));

        // Selections and memberships changed while it is closed show up once it opens.
        w.content->showContactInfo(false);
        w.select(QStringLiteral("Cy"));
        w.select(QStringLiteral("Bob"));
        const ContactEntry bob = ContactEditor::entryForRow(w.model->rows().at(w.row(QStringLiteral("Bob"))));
        QVERIFY(w.content->editor()->addToGroup({ bob }, w.group(QStringLiteral("Friends"))));
        w.content->showContactInfo(true);
        QTRY_VERIFY2(browser->toPlainText().contains(QStringLiteral("Friends")),
                     qPrintable(browser->toPlainText()));
        QVERIFY(browser->toPlainText().contains(QStringLiteral("Bob")));
        QVERIFY(!browser->toPlainText().contains(QStringLiteral("Ada")));
    }

    void newGroupIsSelectedAndRenamed()
    {
        Window w(threeContacts());
        QVERIFY(w.document);
        w.content->showGroupView(true);
        w.content->addGroup();
        QCOMPARE(w.content->selectedGroupDict()->name, QStringLiteral("New"));
        QTreeView *tree = w.content->groupViewController()->outlineView();
        auto *editor = tree->findChild<QLineEdit *>();
        QVERIFY(editor);
        QTRY_VERIFY(editor->isVisible());
        QCOMPARE(editor->text(), QStringLiteral("New"));
    }

    void csvDocumentTreeReadsCsv()
    {
        Window w(QStringLiteral("First Name,Last Name\nAda,Lovelace\n"), DocumentType::Csv);
        QVERIFY(w.document);
        GroupTreeModel *model = w.content->groupViewController()->model();
        QCOMPARE(model->data(model->index(0, 0), Qt::DisplayRole).toString(), QStringLiteral("CSV"));
    }

    void briskletAddNewContactEditsTheName()
    {
        struct EditionGuard
        {
            EditionGuard() { Editions::setCurrent(Edition::Brisklet); }
            ~EditionGuard() { Editions::setCurrent(Edition::Pellory2); }
        } brisklet;
        Window w(threeContacts());
        QVERIFY(w.document);
        w.content->addContact();
        QVERIFY(w.content->isContactInfoShown());
        NameEditor *names = nullptr;
        QTRY_VERIFY((names = shownPopoverContent<NameEditor>()));
        QCOMPARE(names->findChild<QLineEdit *>(FieldId::FirstName)->text(), QStringLiteral("New"));
        names->cancel();
    }

    void groupsFromTheMenusAreUndoable()
    {
        Window w(threeContacts());
        QVERIFY(w.document);
        // Locked, the side bar shows the card, which these checks read.
        w.content->contactInfoController()->setEditState(false);
        w.content->showContactInfo(true);
        QToolButton *groupPopup = w.popup(QStringLiteral("Group"));
        QVERIFY(groupPopup);
        QMenu *addTo = nullptr;
        for (QAction *action : groupPopup->menu()->actions()) {
            if (action->text() == QStringLiteral("Add to Group"))
                addTo = action->menu();
        }
        QVERIFY(addTo);
        // The Name column's context menu offers them too.
        QMenu *contextMenu = w.content->contactsViewController()->showContextMenu(0, 0, QPoint());
        QVERIFY(contextMenu);
        QVERIFY2(contextMenu->actions().contains(addTo->menuAction()), "in the table's context menu too");
        QAction *remove = w.action(QStringLiteral("Remove from Group"));
        QVERIFY(remove);
        QVERIFY(contextMenu->actions().contains(remove));
        contextMenu->close();

        w.select(QStringLiteral("Bob"));
        QVERIFY(addTo->menuAction()->isEnabled());
        QVERIFY2(!remove->isEnabled(), "All Contacts is on show");
        Q_EMIT addTo->aboutToShow();
        QCOMPARE(titles(addTo), QStringList { QStringLiteral("Friends") });
        addTo->actions().first()->trigger();
        const GroupEntry friends = w.group(QStringLiteral("Friends"));
        const ContactEntry bob = ContactEditor::entryForRow(w.model->rows().at(w.row(QStringLiteral("Bob"))));
        QCOMPARE(w.content->editor()->groupNamesOfContact(bob),
                 QStringList({ QStringLiteral("All Contacts"), QStringLiteral("Friends") }));
        QTextBrowser *browser = w.content->contactInfoController()->browser();
        QTRY_VERIFY2(browser->toPlainText().contains(QStringLiteral("Friends")),
                     qPrintable(browser->toPlainText()));
        w.action(QStringLiteral("&Undo"))->trigger();
        QCOMPARE(w.content->editor()->groupNamesOfContact(bob),
                 QStringList { QStringLiteral("All Contacts") });

        w.content->setSelectedGroupDict(friends);
        w.select(QStringLiteral("Ada"));
        QVERIFY(remove->isEnabled());
        remove->trigger();
        QCOMPARE(w.row(QStringLiteral("Ada")), -1);
        QCOMPARE(w.model->subContactCount(), 1);
        w.action(QStringLiteral("&Undo"))->trigger();
        QVERIFY(w.row(QStringLiteral("Ada")) >= 0);
    }
};

QTEST_MAIN(WindowCommandsTest)
#include "windowcommands_test.moc"
