// The custom labels and custom items panels on a document window: label renames and deletions
// reach every contact and come back with one Undo; custom items are added, edited and deleted
// without losing what contacts hold; the side bar shows the card while the window is locked.
#include "detail/contactinfocontroller.h"
#include "detail/contactinfoeditor.h"
#include "editing/contacteditor.h"
#include "platform/undomanager.h"
#include "record/keys.h"
#include "table/contactsviewcontroller.h"
#include "window/additemviewcontroller.h"
#include "window/customitempanel.h"
#include "window/customlabelpanelcontroller.h"
#include "window/windowkeys.h"
#include "windowtestutil.h"

#include <QBuffer>
#include <QComboBox>
#include <QPushButton>
#include <QTableView>
#include <QTextBrowser>

using namespace WindowTest;

namespace {

// Ada and Bob carry the custom phone label home2, Bob also a cousin; Cy has neither.
QString labeledContacts()
{
    return QStringLiteral("BEGIN:VCARD\r\nVERSION:3.0\r\nN:A;Ada;;;\r\nFN:Ada A\r\n"
                          "item1.TEL:111\r\nitem1.X-ABLabel:home2\r\nTEL;TYPE=WORK:222\r\nEND:VCARD\r\n"
                          "BEGIN:VCARD\r\nVERSION:3.0\r\nN:B;Bob;;;\r\nFN:Bob B\r\n"
                          "item1.TEL:333\r\nitem1.X-ABLabel:home2\r\n"
                          "item2.X-ABRELATEDNAMES:Carl\r\nitem2.X-ABLabel:cousin\r\nEND:VCARD\r\n"
                          "BEGIN:VCARD\r\nVERSION:3.0\r\nN:C;Cy;;;\r\nFN:Cy C\r\nTEL;TYPE=HOME:444\r\n"
                          "ORG:Cy Works\r\nEND:VCARD\r\n");
}

struct Window
{
    Document *document = nullptr;
    WindowController *window = nullptr;
    ViewController *content = nullptr;

    explicit Window(const QString &text)
        : document(openText(text))
    {
        if (!document)
            return;
        window = document->mainWindowController();
        content = document->mainViewController();
    }
    ~Window() { closeDocument(document); }

    QString text() const
    {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        content->writeVCardDataOfDocument(buffer);
        return QString::fromUtf8(buffer.data());
    }
    CustomLabelPanelController *openPanel(const QString &field) const
    {
        UserDefaults::standard().setValue(WindowKey::LastSelectedItemInCustomPanel, field);
        window->showCustomLabelPanel();
        return window->customLabelPanel();
    }
    QStringList labelsOf(const QString &identifier) const
    {
        QStringList labels;
        for (const ContactEntry &entry :
             std::as_const(*content->containerTable().first()->groups.first()->contactTable)) {
            for (const QVariant &item : entry->person->labeledValueForIdentifier(identifier))
                labels.append(item.toMap().value(Key::Label).toString());
        }
        return labels;
    }
};

} // namespace

class CustomPanelsTest : public QObject
{
    Q_OBJECT

public:
    static void initMain() { WindowTest::initMain(); }

private Q_SLOTS:
    void init() { resetPreferences(); }

    void renameReachesEveryContactAndUndoRestoresTheFile()
    {
        Window w(labeledContacts());
        QVERIFY(w.document);
        const QString before = w.text();
        CustomLabelPanelController *panel = w.openPanel(FieldId::Phone);
        QCOMPARE(panel->shownField(), FieldId::Phone);
        const int row = int(panel->shownLabels().indexOf(QStringLiteral("home2")));
        QVERIFY2(row >= 0, qPrintable(panel->shownLabels().join(u',')));
        QVERIFY(panel->renameLabel(row, QStringLiteral("cell2")));
        QCOMPARE(w.labelsOf(FieldId::Phone).count(QStringLiteral("cell2")), 2);
        QVERIFY(!w.labelsOf(FieldId::Phone).contains(QStringLiteral("home2")));
        QVERIFY(w.text().contains(QStringLiteral("cell2")));
        QVERIFY(panel->isDirty());
        QVERIFY(w.document->isDocumentEdited());
        panel->accept();

        QCoreApplication::processEvents(); // closes the undo step
        w.content->undo();
        QCOMPARE(w.text(), before);
        QCOMPARE(w.labelsOf(FieldId::Phone).count(QStringLiteral("home2")), 2);
        w.content->redo();
        QCOMPARE(w.labelsOf(FieldId::Phone).count(QStringLiteral("cell2")), 2);
    }

    void deletedRelationLabelBecomesFatherAndUndoes()
    {
        Window w(labeledContacts());
        QVERIFY(w.document);
        const QString before = w.text();
        CustomLabelPanelController *panel = w.openPanel(FieldId::Relationship);
        const QStringList labels = panel->shownLabels();
        QTableView *table = panel->findChild<QTableView *>();
        table->selectRow(int(labels.indexOf(QStringLiteral("cousin"))));
        panel->deleteLabel();
        QVERIFY(!panel->shownLabels().contains(QStringLiteral("cousin")));
        QCOMPARE(w.labelsOf(FieldId::Relationship), QStringList { QStringLiteral("father") });
        panel->reject(); // Cancel keeps what was done
        QCOMPARE(w.labelsOf(FieldId::Relationship), QStringList { QStringLiteral("father") });
        QCoreApplication::processEvents();
        w.content->undo();
        QCOMPARE(w.text(), before);
    }

    void addedLabelsAreNumberedAndTheLastFieldIsShownAgain()
    {
        QCOMPARE(CustomLabelPanelController::newLabelName({}), QStringLiteral("new"));
        QCOMPARE(CustomLabelPanelController::newLabelName({ QStringLiteral("new") }), QStringLiteral("new1"));
        QCOMPARE(CustomLabelPanelController::newLabelName({ QStringLiteral("new"), QStringLiteral("new1") }),
                 QStringLiteral("new2"));
        Window w(labeledContacts());
        QVERIFY(w.document);
        CustomLabelPanelController *panel = w.openPanel(FieldId::Email);
        auto *popup = panel->findChild<QComboBox *>();
        popup->setCurrentIndex(popup->findData(FieldId::Dates));
        Q_EMIT popup->activated(popup->currentIndex());
        panel->addLabel();
        panel->addLabel();
        QVERIFY(panel->shownLabels().contains(QStringLiteral("new1")));
        QVERIFY2(!panel->isDirty(), "adding alone does not change contacts");
        panel->reject();
        w.window->showCustomLabelPanel();
        QCOMPARE(panel->shownField(), FieldId::Dates);
        QVERIFY(QVPerson::labelsForIdentifier(FieldId::Dates).contains(QStringLiteral("new1")));
        panel->reject();
    }

    void addedStringItemBecomesAWindowDefinitionWithoutEditingTheFile()
    {
        Window w(labeledContacts());
        QVERIFY(w.document);
        w.window->showCustomItems();
        CustomItemPanel *panel = w.window->customItemPanel();
        AddItemViewController *editor = panel->editor();

        // A labeled item needs labels: the editor stays open.
        panel->showEditor({});
        editor->popupChanged(1);
        editor->textFieldChanged(QStringLiteral("Pets"));
        QVERIFY(!editor->confirm());
        QVERIFY(editor->isVisible());
        editor->cancel();
        QCOMPARE(panel->customItems().size(), 0);

        panel->showEditor({});
        QVERIFY(!editor->confirmButton()->isEnabled());
        editor->textFieldChanged(QStringLiteral("Hobby"));
        QVERIFY(editor->confirm());
        QCOMPARE(panel->customItems().size(), 1);
        QVERIFY(panel->itemsDirty());
        panel->accept();
        const QVariantList items = w.content->customItems();
        QCOMPARE(items.size(), 1);
        QCOMPARE(items.first().toMap().value(CustomKey::Name).toString(), QStringLiteral("Hobby"));
        QCOMPARE(items.first().toMap().value(CustomKey::Type).toString(), ValueType::String);
        QVERIFY2(!items.first().toMap().contains(CustomItemKey::New), "the panel's marks stay in the panel");
        QVERIFY2(!w.document->isDocumentEdited(), "an addition alone does not edit the file");
    }

    void deletingAnItemContactsUseKeepsTheirValues()
    {
        Window w(labeledContacts());
        QVERIFY(w.document);
        const ContactEntry ada = w.content->containerTable().first()->groups.first()->contactTable->first();
        ada->person->addCustomItem(ValueType::Labeled, QStringLiteral("Pets"), { QStringLiteral("cat") });
        ada->person->setValue(QVariantList { QVariantMap { { Key::Label, QStringLiteral("cat") },
                                                           { Key::Value, QStringLiteral("Tom") } } },
                              QStringLiteral("Pets"));
        w.content->setCustomItems(w.content->collectCustomItems());
        QCOMPARE(w.content->customItems().size(), 1);

        w.window->showCustomItems();
        CustomItemPanel *panel = w.window->customItemPanel();
        panel->tableView()->selectRow(0);
        panel->deleteSelected();
        const QAbstractItemModel *model = panel->tableView()->model();
        QCOMPARE(model->index(0, CustomItemTableModel::TypeColumn).data().toString(),
                 QStringLiteral("Deleted"));
        panel->reject();
        QCOMPARE(w.content->customItems().size(), 1); // Cancel keeps it

        w.window->showCustomItems();
        panel->tableView()->selectRow(0);
        panel->deleteSelected();
        panel->accept();
        QCOMPARE(w.content->customItems().size(), 0);
        QVERIFY(w.document->isDocumentEdited());
        const QVariantList pets = ada->person->labeledValueForIdentifier(QStringLiteral("Pets"));
        QCOMPARE(pets.size(), 1);
        QCOMPARE(pets.first().toMap().value(Key::Value).toString(), QStringLiteral("Tom"));
    }

    void largeIconsAreReducedKeepingTheirShape()
    {
        const struct
        {
            QSize in, out;
        } cases[] = { { { 1024, 512 }, { 512, 256 } },
                      { { 256, 1024 }, { 128, 512 } },
                      { { 512, 100 }, { 512, 100 } } };
        for (const auto &c : cases) {
            QImage image(c.in, QImage::Format_ARGB32);
            image.fill(Qt::blue);
            QCOMPARE(AddItemViewController::scaledIcon(image).size(), c.out);
        }
    }

    void lockedWindowShowsTheCardEditModeTheFields()
    {
        Window w(labeledContacts());
        QVERIFY(w.document);
        w.window->resize(1200, 700);
        w.content->showContactInfo(true);
        w.content->contactsViewController()->selectRows({ 2 });
        QTextBrowser *browser = w.content->contactInfoController()->browser();
        w.content->setEditState(false);
        QTRY_VERIFY(browser->toPlainText().contains(QStringLiteral("Cy Works")));
        QVERIFY2(browser->toPlainText().contains(QStringLiteral("Nickname")),
                 "placeholders show on the card");
        w.content->setEditState(true);
        QTRY_VERIFY(w.content->contactInfoController()->fieldsEditor()->isVisible());
        QVERIFY(!browser->isVisible());
    }
};

QTEST_MAIN(CustomPanelsTest)
#include "custompanels_test.moc"
