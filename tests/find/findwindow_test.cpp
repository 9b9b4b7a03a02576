// Find and replace in the document window, driven as the user does: the find bar, the Find menu,
// the find panel and the replace confirmation.
#include "../window/windowtestutil.h"
#include "detail/contactinfocontroller.h"
#include "find/findbuffer.h"
#include "record/keys.h"
#include "record/qvperson.h"
#include "table/contactstablemodel.h"
#include "table/contactsviewcontroller.h"
#include "table/keys.h"
#include "table/replacealertpanel.h"
#include "window/findbarcontroller.h"
#include "window/findcontroller.h"
#include "window/findpanel.h"
#include "window/findresultmodel.h"

#include <QBuffer>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTextBrowser>
#include <QToolButton>

using namespace WindowTest;

namespace {

QString contacts()
{
    QString text = vCard(QStringLiteral("Ada"), QStringLiteral("Lovelace"),
                         { { QStringLiteral("HOME"), QStringLiteral("111") } });
    text += vCard(QStringLiteral("Bob"), QStringLiteral("Brown"),
                  { { QStringLiteral("WORK"), QStringLiteral("222") } });
    text += vCard(QStringLiteral("Cy"), QStringLiteral("Brownie"));
    return text;
}

struct Window
{
    Document *document = nullptr;
    WindowController *window = nullptr;
    ViewController *content = nullptr;
    ContactsViewController *table = nullptr;
    FindBarController *bar = nullptr;
    FindController *find = nullptr;

    Window()
        : document(openText(contacts()))
    {
        window = document->mainWindowController();
        content = document->mainViewController();
        table = content->contactsViewController();
        bar = content->findBar();
        find = content->findController();
        content->setEditState(true);
        table->setSelectedViewType(ViewTypeName::Phone);
    }
    ~Window() { closeDocument(document); }

    // What the document would save.
    QString text() const
    {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        content->writeVCardDataOfDocument(buffer);
        return QString::fromUtf8(buffer.data());
    }
    QString selectedFirstName() const
    {
        const SubContactRows rows = table->selectedSubContacts();
        return rows.isEmpty() ? QString()
                              : rows.first().person->nameValue().value(FieldId::FirstName).toString();
    }
    QString firstNames() const
    {
        QStringList names;
        for (const SubContactRow &row : table->subContactTable())
            names.append(row.person->nameValue().value(FieldId::FirstName).toString());
        return names.join(u' ');
    }
    void type(const QString &text) const
    {
        bar->searchField()->setText(text);
        QTest::keyClick(bar->searchField(), Qt::Key_Return);
    }
};

} // namespace

class FindWindowTest : public QObject
{
    Q_OBJECT

public:
    static void initMain() { WindowTest::initMain(); }

private Q_SLOTS:
    void init() { resetPreferences(); }

    void ctrlFTypedNameSelectsAndMarksTheRow()
    {
        Window w;
        w.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.window));
        QTest::keyClick(w.window, Qt::Key_F, Qt::ControlModifier);
        QVERIFY(w.bar->isShown());
        w.type(QStringLiteral("bob"));
        QCOMPARE(w.selectedFirstName(), QStringLiteral("Bob"));
        const FindHighlights marks = w.table->model()->highlightsFor(
            w.table->model()->index(w.table->selectedRowIndexes().first(), 0),
            w.table->selectedSubContacts().first().person->compositeName());
        QVERIFY(marks.current.has_value());
        QCOMPARE(marks.current->length, 3);

        // Ctrl+G moves on, wrapping to the first occurrence; clicking a row starts over there.
        w.type(QStringLiteral("brown"));
        QCOMPARE(w.selectedFirstName(), QStringLiteral("Bob"));
        QTest::keyClick(w.window, Qt::Key_G, Qt::ControlModifier);
        QCOMPARE(w.selectedFirstName(), QStringLiteral("Cy"));
        QTest::keyClick(w.window, Qt::Key_G, Qt::ControlModifier);
        QCOMPARE(w.selectedFirstName(), QStringLiteral("Bob"));
        QTest::keyClick(w.window, Qt::Key_G, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(w.selectedFirstName(), QStringLiteral("Cy"));

        // Clicking a row starts the next search at that row's name.
        w.table->selectRows({ 0 });
        QCOMPARE(w.find->engine().hit()->uniqueId, w.table->subContactTable().at(0).uniqueId);
        QCOMPARE(w.find->engine().hit()->range, (TextRange { 0, 0 }));
        QCOMPARE(w.find->engine().hit()->identifier, QStringLiteral("Name"));

        // Done hides the bar and forgets the find string.
        w.bar->doneButton()->click();
        QVERIFY(!w.bar->isShown());
        QVERIFY(w.find->engine().findString().isEmpty());
        QVERIFY(w.bar->searchField()->text().isEmpty());
        QVERIFY(w.table->model()->findString().isEmpty());
    }

    void caseOptionAndSelectionForFind()
    {
        Window w;
        w.find->showFindBar(true);
        w.bar->optionPopup()->setCurrentIndex(1);
        Q_EMIT w.bar->optionPopup()->activated(1);
        QVERIFY(!w.bar->isCaseInsensitive());
        QCOMPARE(w.find->findOptions(), QStringLiteral("caseSensitive"));
        w.table->selectRows({ 0 });
        w.type(QStringLiteral("brown"));
        QVERIFY(!w.find->engine().lastMoveFound());
        w.type(QStringLiteral("Brown"));
        QCOMPARE(w.selectedFirstName(), QStringLiteral("Bob"));

        // The selected text of a field becomes the find string, and the buffer's for other windows.
        w.window->show();
        QVERIFY(QTest::qWaitForWindowActive(w.window));
        w.bar->replaceStringField()->setText(QStringLiteral("Lovelace"));
        w.bar->replaceStringField()->setFocus();
        w.bar->replaceStringField()->selectAll();
        QTRY_COMPARE(QApplication::focusWidget(), w.bar->replaceStringField());
        w.find->performFindBarAction(FindController::Action::UseSelectionForFind);
        QCOMPARE(w.find->engine().findString(), QStringLiteral("Lovelace"));
        QCOMPARE(FindBuffer::text(), QStringLiteral("Lovelace"));
        QCOMPARE(w.bar->searchField()->text(), QStringLiteral("Lovelace"));
    }

    // With the detail side bar shown, the search stays in its contact and marks the hit there.
    void detailModeSearchesTheShownContact()
    {
        Window w;
        w.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.window));
        // Hits are marked on the card, which the locked side bar shows.
        w.content->contactInfoController()->setEditState(false);
        w.content->showContactInfo(true);
        QVERIFY(w.content->isContactInfoShown());
        w.table->selectRows({ 1 }); // Bob Brown
        const QString shown = w.content->contactInfoController()->contact()->person->compositeName();
        QVERIFY(shown.contains(QStringLiteral("Brown")));
        w.find->showFindBar(true);
        w.type(QStringLiteral("brown"));
        QVERIFY(w.find->engine().lastMoveFound());
        QCOMPARE(w.find->engine().hit()->uniqueId, w.content->contactInfoController()->contact()->uniqueId);
        QTextBrowser *browser = w.content->contactInfoController()->browser();
        const QList<QTextEdit::ExtraSelection> marks = browser->extraSelections();
        QVERIFY(!marks.isEmpty());
        QCOMPARE(marks.constLast().cursor.selectedText().toLower(), QStringLiteral("brown"));
        QCOMPARE(marks.constLast().format.background().color(), QColor(255, 165, 0));
        // Next comes back to the same contact's occurrence, never to Cy Brownie's.
        w.find->findBarButtonDidPress(QStringLiteral("Next"));
        QCOMPARE(w.find->engine().hit()->uniqueId, w.content->contactInfoController()->contact()->uniqueId);
    }

    void replaceAllThenOneUndoRestoresTheFile()
    {
        Window w;
        const QString before = w.text();
        w.find->showFindBar(true);
        w.bar->replaceStringField()->setText(QStringLiteral("Green"));
        w.type(QStringLiteral("Brown"));
        w.bar->replaceAllButton()->click();
        QVERIFY(w.text().contains(QStringLiteral("Greenie")));
        QVERIFY(!w.text().contains(QStringLiteral("Brown")));
        w.content->undo();
        QCOMPARE(w.text(), before);
    }

    void replaceChangesTheHitAndMovesOn()
    {
        Window w;
        w.find->showFindBar(true);
        w.bar->replaceStringField()->setText(QStringLiteral("Black"));
        w.type(QStringLiteral("Brown"));
        w.bar->replaceButton()->click();
        QVERIFY(w.text().contains(QStringLiteral("N:Black;Bob")));
        QVERIFY(w.text().contains(QStringLiteral("N:Brownie;Cy")));
        QCOMPARE(w.selectedFirstName(), QStringLiteral("Cy"));
    }

    void editLockDisablesReplacing()
    {
        Window w;
        w.content->setEditState(false);
        QVERIFY(!w.bar->replaceButton()->isEnabled());
        QVERIFY(!w.bar->replaceAllButton()->isEnabled());
        const QString before = w.text();
        w.type(QStringLiteral("Brown"));
        w.find->findBarButtonDidPress(QStringLiteral("ReplaceAll"));
        QCOMPARE(w.text(), before);
        w.content->setEditState(true);
        QVERIFY(w.bar->replaceButton()->isEnabled());
    }

    void findPanelListsStepsAndReplaces()
    {
        Window w;
        FindBuffer::setText(QString());
        FindPanel panel(w.content);
        QVERIFY(panel.searchField()->text().isEmpty() || !FindBuffer::text().isEmpty());
        panel.setSelectedItems({ QStringLiteral("All") });
        panel.searchModePopup()->setCurrentIndex(2); // regular expression
        panel.searchField()->setText(QStringLiteral("[0-9]+"));
        panel.updateTable();
        QCOMPARE(panel.results()->rowCount(), 2);

        // A bad pattern says why and lists nothing.
        panel.searchField()->setText(QStringLiteral("(["));
        panel.updateTable();
        QVERIFY(panel.messageLabel()->isVisibleTo(&panel));
        QCOMPARE(panel.results()->rowCount(), 0);

        panel.searchModePopup()->setCurrentIndex(0);
        panel.searchField()->setText(QStringLiteral("brown"));
        panel.updateTable();
        QCOMPARE(panel.results()->rowCount(), 2);
        // Forward past the last occurrence of the last row comes back to the first row.
        panel.directionButtonDidClick(1);
        QCOMPARE(panel.results()->currentRow(), 1);
        panel.directionButtonDidClick(1);
        QCOMPARE(panel.results()->currentRow(), 0);
        panel.directionButtonDidClick(0);
        QCOMPARE(panel.results()->currentRow(), 1);

        // Replace All is exact-case even while the search ignores case; one undo step.
        const QString before = w.text();
        panel.setEditState(true);
        panel.replaceField()->setText(QStringLiteral("Grey"));
        panel.searchField()->setText(QStringLiteral("BROWN"));
        panel.updateTable();
        panel.replaceButtonDidClick(1);
        QCOMPARE(w.text(), before);
        panel.searchField()->setText(QStringLiteral("Brown"));
        panel.updateTable();
        panel.replaceButtonDidClick(1);
        QVERIFY(w.text().contains(QStringLiteral("N:Greyie;Cy")));
        w.content->undo();
        QCOMPARE(w.text(), before);
    }

    void birthdayRowsCannotBeReplaced()
    {
        Window w;
        PersonPtr ada = w.table->subContactTable().first().person;
        ada->setValue(
            QVariantMap { { Key::Value, QVariant::fromValue(DateComponents::fromDate(QDate(1990, 5, 6))) } },
            FieldId::Birthday);
        FindPanel panel(w.content);
        panel.setEditState(true);
        panel.setSelectedItems({ FieldId::Birthday });
        panel.searchField()->setText(QStringLiteral("1990"));
        panel.updateTable();
        QCOMPARE(panel.results()->rowCount(), 1);
        QVERIFY(!panel.replaceButton()->isEnabled());
    }

    void filterMenusToggleAndTitle()
    {
        QCOMPARE(FindPanel::toggledSelection({ QStringLiteral("All") }, QStringLiteral("Phone")),
                 QStringList { QStringLiteral("Phone") });
        QCOMPARE(FindPanel::toggledSelection({ QStringLiteral("Phone"), QStringLiteral("Email") },
                                             QStringLiteral("Phone")),
                 QStringList { QStringLiteral("Email") });
        // The last entry stays: an empty filter would list nothing without saying why.
        QCOMPARE(FindPanel::toggledSelection({ QStringLiteral("Phone") }, QStringLiteral("Phone")),
                 QStringList { QStringLiteral("Phone") });
        QCOMPARE(FindPanel::filterTitle(QStringLiteral("Items"),
                                        { QStringLiteral("Phone"), QStringLiteral("Email") }),
                 QStringLiteral("Items - Phone + Email"));
        QCOMPARE(FindPanel::filterTitle(QStringLiteral("Items"), { QStringLiteral("All") }),
                 QStringLiteral("Items - All"));
    }

    void resultSortIsStableAndByTheShownText()
    {
        auto row = [](const char *name, const QString &item, const char *value) {
            ResultRow r;
            r.name = QString::fromUtf8(name);
            r.item = item;
            r.value = QString::fromUtf8(value);
            return r;
        };
        FindResultModel model;
        model.setResults({ row("Cai", FieldId::Phone, "1"), row("Anna", FieldId::Email, "2"),
                           row("Cai", FieldId::Email, "3"), row("Bo", FieldId::Phone, "4") });
        model.setCurrent(1, 0);
        const auto values = [&model] {
            QString out;
            for (int r = 0; r < model.rowCount(); ++r)
                out += model.index(r, FindResultModel::ValueColumn).data().toString();
            return out;
        };
        model.sort(FindResultModel::NameColumn, Qt::DescendingOrder);
        QCOMPARE(values(), QStringLiteral("1342")); // the two rows of Cai keep their order
        QCOMPARE(model.currentRow(), -1);
        // The item column sorts by the word it shows, not by the identifier; ties keep their order.
        model.sort(FindResultModel::ItemColumn, Qt::AscendingOrder);
        const bool emailFirst
            = QString::localeAwareCompare(QVPerson::localizedIdentifierForKey(FieldId::Email),
                                          QVPerson::localizedIdentifierForKey(FieldId::Phone))
            < 0;
        QCOMPARE(values(), emailFirst ? QStringLiteral("3214") : QStringLiteral("1432"));
    }

    void prependConfirmationStartsEmpty()
    {
        ReplaceAlertPanel panel;
        panel.setType(ReplaceAlertPanel::Type::PrependText);
        panel.setIdentifier(FieldId::Phone);
        panel.setLabels({ LabelWord::Home, LabelWord::Work },
                        { QStringLiteral("Home"), QStringLiteral("Work") });
        panel.setLabel(LabelWord::Work);
        panel.setReplaceString(QStringLiteral("old"));
        panel.updateUI();
        QVERIFY(panel.replaceTextField()->text().isEmpty());
        QCOMPARE(panel.labelPopup()->count(), 0);
        QVERIFY(!panel.labelPopup()->isEnabled());
        QCOMPARE(panel.okButton()->text(), QStringLiteral("Prepend"));

        ReplaceAlertPanel replace;
        replace.setType(ReplaceAlertPanel::Type::ReplaceLabelAndText);
        replace.setIdentifier(FieldId::Phone);
        replace.setLabels({ LabelWord::Home, LabelWord::Work }, { QStringLiteral("Home"), QString() });
        replace.setLabel(LabelWord::Work);
        replace.updateUI();
        QCOMPARE(replace.labelPopup()->itemText(1), LabelWord::Work);
        replace.replaceTextField()->setText(QStringLiteral("new"));
        replace.okButton()->click();
        QCOMPARE(replace.result(), 1);
        QCOMPARE(replace.replaceString(), QStringLiteral("new"));
        QCOMPARE(replace.label(), LabelWord::Work);
    }
};

QTEST_MAIN(FindWindowTest)
#include "findwindow_test.moc"
