// The custom labels and custom items panels on a document window: label renames and deletions
// reach every contact and come back with one Undo; custom items are added, edited and deleted
// without losing what contacts hold; the side bar shows the card while the window is locked.
#include "detail/contactinfocontroller.h"
#include "detail/contactinfoeditor.h"
#include "editing/contacteditor.h"
#include "platform/undomanager.h"
#include "record/keys.h"
#include "record/qvperson.h"
#include "table/contactsviewcontroller.h"
#include "window/additemviewcontroller.h"
#include "window/customitempanel.h"
#include "window/customlabelpanelcontroller.h"
#include "window/windowkeys.h"
#include "windowtestutil.h"

#include <QBuffer>
#include <QComboBox>
#include <QDir>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QTextBrowser>

using namespace WindowTest;

namespace {

// A folder to save screenshots of the card in, light and dark; unset, none are taken.
const char *const ShotsVariable = "PELLORY_CARD_SHOTS";

QString japaneseAndCompany()
{
    return QStringLiteral(
        "BEGIN:VCARD\r\nVERSION:3.0\r\nN:山田;太郎;;;\r\nFN:山田 太郎\r\n"
        "X-PHONETIC-LAST-NAME:やまだ\r\nX-PHONETIC-FIRST-NAME:たろう\r\n"
        "ORG:株式会社サンプル;営業部\r\nTITLE:課長\r\nNICKNAME:タロー\r\nBDAY:1980-04-01\r\n"
        "TEL;TYPE=HOME:03-5550-0199\r\nTEL;TYPE=WORK:03-5550-0142\r\n"
        "TEL;TYPE=CELL:090-1234-5678\r\nEMAIL;TYPE=HOME:taro@example.jp\r\n"
        "EMAIL;TYPE=WORK:yamada@example.co.jp\r\n"
        "ADR;TYPE=HOME:;;千代田1-2-3;千代田区;東京都;100-0001;日本\r\n"
        "item1.X-ABRELATEDNAMES:山田 花子\r\nitem1.X-ABLabel:_$!<Spouse>!$_\r\n"
        "NOTE:月曜日の午前中は会議。\r\nEND:VCARD\r\n"
        "BEGIN:VCARD\r\nVERSION:3.0\r\nN:;;;;\r\nFN:Acme Trading\r\n"
        "ORG:Acme Trading;Export\r\nX-ABShowAs:COMPANY\r\nTEL;TYPE=WORK:+1 555 0100\r\n"
        "TEL;TYPE=WORK,FAX:+1 555 0101\r\nEMAIL;TYPE=WORK:orders@acme.example\r\n"
        "ADR;TYPE=WORK:;;1 Harbour Road;Portsmouth;NH;03801;USA\r\nEND:VCARD\r\n");
}

QImage companyLogo()
{
    QImage logo(256, 256, QImage::Format_RGB32);
    logo.fill(QColor(0x2f, 0x6f, 0xb0));
    QPainter painter(&logo);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(0xf2, 0xb1, 0x34));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QRect(48, 48, 160, 160));
    return logo;
}

QPalette darkPalette()
{
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(0x35, 0x35, 0x35));
    dark.setColor(QPalette::WindowText, QColor(0xee, 0xee, 0xee));
    dark.setColor(QPalette::Base, QColor(0x23, 0x23, 0x23));
    dark.setColor(QPalette::AlternateBase, QColor(0x2d, 0x2d, 0x2d));
    dark.setColor(QPalette::Text, QColor(0xee, 0xee, 0xee));
    dark.setColor(QPalette::Button, QColor(0x35, 0x35, 0x35));
    dark.setColor(QPalette::ButtonText, QColor(0xee, 0xee, 0xee));
    dark.setColor(QPalette::Highlight, QColor(0x2a, 0x82, 0xda));
    dark.setColor(QPalette::HighlightedText, Qt::white);
    return dark;
}

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
    static void initMain()
    {
        WindowTest::initMain();
        // Screenshots of the card need a real display (run under xvfb-run).
        if (!qEnvironmentVariableIsEmpty(ShotsVariable))
            qputenv("QT_QPA_PLATFORM", "xcb");
    }

private Q_SLOTS:
    void init() { resetPreferences(); }

    void renameReachesEveryContactAndUndoRestoresTheFile()
    {
        Window w(labeledContacts());
        QVERIFY(w.document);
        const QString before = w.text();
        const QStringList offeredBefore = QVPerson::labelsForIdentifier(FieldId::Phone);
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
        // The label pop-ups and the panel offer the old name again, in its place.
        QCOMPARE(QVPerson::labelsForIdentifier(FieldId::Phone), offeredBefore);
        w.window->showCustomLabelPanel();
        QVERIFY(panel->shownLabels().contains(QStringLiteral("home2")));
        QVERIFY(!panel->shownLabels().contains(QStringLiteral("cell2")));
        panel->reject();
        w.content->redo();
        QCOMPARE(w.labelsOf(FieldId::Phone).count(QStringLiteral("cell2")), 2);
        QVERIFY(QVPerson::labelsForIdentifier(FieldId::Phone).contains(QStringLiteral("cell2")));
        QVERIFY(!QVPerson::labelsForIdentifier(FieldId::Phone).contains(QStringLiteral("home2")));
    }

    void deletedRelationLabelBecomesFatherAndUndoes()
    {
        Window w(labeledContacts());
        QVERIFY(w.document);
        const QString before = w.text();
        const QStringList offeredBefore = QVPerson::labelsForIdentifier(FieldId::Relationship);
        CustomLabelPanelController *panel = w.openPanel(FieldId::Relationship);
        const QStringList labels = panel->shownLabels();
        QTableView *table = panel->findChild<QTableView *>();
        table->selectRow(int(labels.indexOf(QStringLiteral("cousin"))));
        panel->deleteLabel();
        QVERIFY(!panel->shownLabels().contains(QStringLiteral("cousin")));
        QCOMPARE(w.labelsOf(FieldId::Relationship), QStringList { QStringLiteral("father") });
        panel->reject(); // Cancel keeps what was done
        QCOMPARE(w.labelsOf(FieldId::Relationship), QStringList { QStringLiteral("father") });
        // Reopened, the panel has no empty row where the label was.
        w.window->showCustomLabelPanel();
        QVERIFY2(!panel->shownLabels().contains(QString()), qPrintable(panel->shownLabels().join(u',')));
        panel->reject();
        QCoreApplication::processEvents();
        w.content->undo();
        QCOMPARE(w.text(), before);
        QCOMPARE(QVPerson::labelsForIdentifier(FieldId::Relationship), offeredBefore);
        w.content->redo();
        QVERIFY(!QVPerson::labelsForIdentifier(FieldId::Relationship).contains(QStringLiteral("cousin")));
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

    void lockedCardFollowsThePalette()
    {
        QApplication::setStyle(QStringLiteral("Fusion"));
        const QPalette light = QApplication::palette();
        Window w(japaneseAndCompany());
        QVERIFY(w.document);
        const QList<ContactEntry> contacts
            = *w.content->containerTable().first()->groups.first()->contactTable;
        QCOMPARE(contacts.size(), 2);
        const ContactEntry company = contacts.at(1);
        company->person->setPhoto(companyLogo());
        w.window->setGeometry(0, 0, 1560, 960);
        w.content->showContactInfo(true);
        w.content->setEditState(false);
        w.window->show();
        ContactInfoController *info = w.content->contactInfoController();
        QTextBrowser *browser = info->browser();
        const QString shots = qEnvironmentVariable(ShotsVariable);

        // The table sorts the contacts: the row showing `marker` is looked for.
        const auto show = [&](const QString &marker) {
            bool shown = false;
            for (int row = 0; row < contacts.size() && !shown; ++row) {
                w.content->contactsViewController()->selectRows({ row });
                shown = QTest::qWaitFor([&] { return browser->toPlainText().contains(marker); }, 500);
            }
            QVERIFY2(shown, qPrintable(marker));
        };
        const auto shoot = [&](const QString &name) {
            if (shots.isEmpty())
                return;
            QTest::qWait(800);
            const QPixmap screen = QGuiApplication::primaryScreen()->grabWindow(0);
            QVERIFY(screen.save(QDir(shots).filePath(name)));
        };

        show(QStringLiteral("やまだ"));
        shoot(QStringLiteral("card-japanese-light.png"));
        show(QStringLiteral("Acme Trading"));
        shoot(QStringLiteral("card-company-light.png"));

        // A theme change while the card is shown draws it again in the new colours.
        const QString darkText = darkPalette().color(QPalette::Text).name();
        QVERIFY(!browser->toHtml().contains(darkText));
        QApplication::setPalette(darkPalette());
        QTRY_VERIFY(browser->toHtml().contains(darkText));
        QVERIFY2(!browser->toHtml().contains(QStringLiteral("#000000")), "no black text on the dark card");
        shoot(QStringLiteral("card-company-dark.png"));
        show(QStringLiteral("やまだ"));
        QVERIFY(browser->toHtml().contains(darkText));
        shoot(QStringLiteral("card-japanese-dark.png"));
        QApplication::setPalette(light);
    }
};

QTEST_MAIN(CustomPanelsTest)
#include "custompanels_test.moc"
