// Sorting in a real document window: a header click that puts records' items in a new order is
// one undoable edit, a sort remembered from an earlier window orders rows without editing, and
// rebuilding the rows of a large table shows the wait cursor.
#include "platform/encodings.h"
#include "platform/undomanager.h"
#include "record/keys.h"
#include "table/busycursor.h"
#include "table/contactstablemodel.h"
#include "table/contactsviewcontroller.h"
#include "table/keys.h"
#include "windowtestutil.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QTableView>

using namespace WindowTest;

namespace {

const QString kSample = QStringLiteral(PELLORY_SOURCE_DIR "/examples/contacts.vcf");

Document *openFile(const QString &path)
{
    auto *document = new Document;
    DocumentError error;
    if (!document->readFromFile(path, DocumentType::VCard, Encodings::Automatic, &error)) {
        delete document;
        return nullptr;
    }
    document->makeWindowControllers();
    return document;
}

// Every record's phone numbers in stored order, in contact-table order (the sample's cards have no
// UID, so each read makes new unique ids).
QList<QStringList> phoneOrders(const ContactTable &table)
{
    QList<QStringList> orders;
    for (const ContactEntry &entry : std::as_const(*table)) {
        QStringList numbers;
        for (const QVariant &item : entry->person->phoneValues())
            numbers.append(item.toMap().value(Key::StringValue).toString());
        orders.append(numbers);
    }
    return orders;
}

// The first-row phone numbers from the top down, as the table shows them.
QStringList shownPhones(ContactsViewController *table)
{
    ContactsTableModel *model = table->model();
    const int column = model->columnOf(FieldId::Phone);
    QStringList texts;
    for (int row = 0; row < model->subContactCount(); ++row)
        texts.append(model->cellContent(row, column).text);
    return texts;
}

void showPhoneInNameView()
{
    QVariantMap viewTypes = UserDefaults::standard().dictionaryValue(DefaultsKey::ViewTypeDict);
    viewTypes.insert(ViewTypeName::Name, QStringList { FieldId::Name, FieldId::Phone });
    UserDefaults::standard().setValue(DefaultsKey::ViewTypeDict, viewTypes);
}

// What a row stands for and how it is shown, in table order.
QStringList rowSummary(const ContactsTableModel *model)
{
    QStringList out;
    for (const SubContactRow &row : model->rows())
        out.append(QStringLiteral("%1/%2 lines %3%4")
                       .arg(row.uniqueId)
                       .arg(row.labelIndex)
                       .arg(row.numLines)
                       .arg(row.notFirstRow ? QStringLiteral(" cont") : QString()));
    return out;
}

// The rows a model that never saw the table builds of it, as the model shows it now.
QStringList builtAfresh(const ContactsTableModel *model)
{
    ContactsTableModel fresh;
    fresh.setContactTable(model->contactTable());
    fresh.setColumns(model->columns());
    fresh.setCellContext(model->cellContext());
    fresh.setSortDescriptor(model->sortDescriptor());
    fresh.reload();
    return rowSummary(&fresh);
}

void clickHeader(QTableView *view, int column)
{
    QHeaderView *header = view->horizontalHeader();
    const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                    header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
}

} // namespace

class TableSortTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    static void initMain() { WindowTest::initMain(); }
    void init() { resetPreferences(); }

    void headerClickIsOneUndoableStep()
    {
        Document *document = openFile(kSample);
        QVERIFY(document);
        ViewController *content = document->mainViewController();
        ContactsViewController *table = content->contactsViewController();
        content->setSelectedViewType(ViewTypeName::Phone);
        const QList<QStringList> before = phoneOrders(content->contactTable());
        const QStringList rowsBefore = shownPhones(table);
        QVERIFY(!document->isDocumentEdited());

        clickHeader(table->tableView(), table->model()->columnOf(FieldId::Phone));
        const QList<QStringList> sorted = phoneOrders(content->contactTable());
        QVERIFY2(sorted != before, "the sample holds contacts whose phones a sort puts in another order");
        QVERIFY(document->isDocumentEdited());
        QVERIFY(document->undoManager()->canUndo());

        content->undo();
        QCOMPARE(phoneOrders(content->contactTable()), before);
        QVERIFY(!document->isDocumentEdited());
        // The rows follow the items back: still sorted by phone, the same texts as before the click.
        QStringList shown = shownPhones(table);
        QStringList expected = rowsBefore;
        std::sort(shown.begin(), shown.end());
        std::sort(expected.begin(), expected.end());
        QCOMPARE(shown, expected);

        content->redo();
        QCOMPARE(phoneOrders(content->contactTable()), sorted);
        QVERIFY(document->isDocumentEdited());
        closeDocument(document);
    }

    void rememberedSortOrdersRowsOnly()
    {
        showPhoneInNameView();
        Document *untouched = openFile(kSample);
        QVERIFY(untouched);
        const QList<QStringList> stored = phoneOrders(untouched->mainViewController()->contactTable());
        closeDocument(untouched);

        UserDefaults::standard().setValue(DefaultsKey::LastSortDesc,
                                          SortDescriptor { FieldId::Phone, true }.toVariantMap());
        Document *document = openFile(kSample);
        QVERIFY(document);
        ViewController *content = document->mainViewController();
        ContactsViewController *table = content->contactsViewController();
        QCOMPARE(table->sortDescriptor()->key, FieldId::Phone);
        QVERIFY(!document->isDocumentEdited());
        QVERIFY(!document->undoManager()->canUndo());
        QCOMPARE(phoneOrders(content->contactTable()), stored);
        // The rows are in phone order all the same (empty cells last).
        QStringList shown = shownPhones(table);
        shown.removeAll(QString());
        QStringList expected = shown;
        std::sort(expected.begin(), expected.end(),
                  [](const QString &a, const QString &b) { return QString::localeAwareCompare(a, b) < 0; });
        QCOMPARE(shown, expected);
        closeDocument(document);
    }

    // A click that puts items in another order sorts the rows standing instead of rebuilding them:
    // it must show what a rebuild shows (a reload, which keeps what it can of the last one, and
    // a table built afresh), equal numbers and empty cells in the same order, and the heights of
    // rows whose tall item moved.
    void reorderingClickShowsWhatAReloadShows()
    {
        QString text;
        const QList<QList<Phone>> phones {
            { { QStringLiteral("HOME"), QStringLiteral("555-3") },
              { QStringLiteral("WORK"), QStringLiteral("555-1") } },
            {},
            { { QStringLiteral("CELL"), QStringLiteral("555-2") },
              { QStringLiteral("HOME"), QStringLiteral("555-1") },
              { QStringLiteral("WORK"), QStringLiteral("555-0") } },
            { { QStringLiteral("HOME"), QStringLiteral("555-1") } },
            {},
            { { QStringLiteral("WORK"), QStringLiteral("555-9") },
              { QStringLiteral("HOME"), QStringLiteral("555-2") } },
        };
        for (int i = 0; i < phones.size(); ++i)
            text
                += vCard(QStringLiteral("First%1").arg(i), QStringLiteral("Last%1").arg(i), phones.at(i),
                         { QStringLiteral("p%1@example.com").arg(i), QStringLiteral("q%1@example.com").arg(i),
                           QStringLiteral("r%1@example.com").arg(i) });
        text.replace(QStringLiteral("N:Last0;First0;;;\r\n"),
                     QStringLiteral("N:Last0;First0;;;\r\nORG:Acme\r\n"));
        Document *document = openText(text);
        QVERIFY(document);
        ViewController *content = document->mainViewController();
        ContactsViewController *table = content->contactsViewController();
        ContactsTableModel *model = table->model();
        QVariantMap viewTypes = UserDefaults::standard().dictionaryValue(DefaultsKey::ViewTypeDict);
        viewTypes.insert(ViewTypeName::Other, QStringList { FieldId::Name, FieldId::Phone, FieldId::Email });
        UserDefaults::standard().setValue(DefaultsKey::ViewTypeDict, viewTypes);
        content->setSelectedViewType(ViewTypeName::Other);
        // A number kept on two lines, second of its contact's items.
        const PersonPtr tall = content->contactTable()->at(5)->person;
        QVariantList items = tall->phoneValues();
        QVariantMap second = items.at(1).toMap();
        second.insert(Key::StringValue, QStringLiteral("555-2\next. 7"));
        items[1] = second;
        tall->setLabeledValues(QVPerson::LabeledField::Phone, items);

        for (const bool company : { false, true }) {
            if (table->showCompanyInNameCell() != company)
                table->toggleShowCompany();
            table->updateTable();
            for (int click = 0; click < 2; ++click) {
                const QList<QStringList> before = phoneOrders(content->contactTable());
                clickHeader(table->tableView(), model->columnOf(FieldId::Phone));
                QVERIFY2(phoneOrders(content->contactTable()) != before,
                         "the click puts items in another order");
                const QStringList shown = rowSummary(model);
                QCOMPARE(shown, builtAfresh(model));
                table->updateTable();
                QCOMPARE(shown, rowSummary(model));
            }
        }
        closeDocument(document);
    }

    void largeTablesShowTheWaitCursorWhileRowsAreRebuilt()
    {
        QString text;
        for (int i = 0; i < BusyCursor::LargeTable; ++i)
            text += vCard(QStringLiteral("First%1").arg(i), QStringLiteral("Last%1").arg(i),
                          { { QStringLiteral("HOME"), QString::number(5550000 + i) } });
        Document *document = openText(text);
        QVERIFY(document);
        ContactsViewController *table = document->mainViewController()->contactsViewController();
        QList<int> shapes;
        connect(table->model(), &QAbstractItemModel::modelAboutToBeReset, this, [&shapes] {
            const QCursor *cursor = QGuiApplication::overrideCursor();
            shapes.append(cursor ? int(cursor->shape()) : -1);
        });
        table->updateTable();
        clickHeader(table->tableView(), 0);
        QCOMPARE(shapes, QList<int>({ int(Qt::WaitCursor), int(Qt::WaitCursor) }));
        QVERIFY(!QGuiApplication::overrideCursor());
        closeDocument(document);
    }
};

QTEST_MAIN(TableSortTest)
#include "tablesort_test.moc"
