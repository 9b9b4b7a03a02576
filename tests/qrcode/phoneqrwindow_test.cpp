// The QR panel and phone normalisation as the user reaches them in a document window.
#include "../window/windowtestutil.h"
#include "qrcode/keys.h"
#include "qrcode/qrselectionmodel.h"
#include "record/keys.h"
#include "table/contactstablemodel.h"
#include "table/contactsviewcontroller.h"
#include "table/keys.h"
#include "window/phoneqrcommands.h"
#include "window/qrcodepanelcontroller.h"
#include "window/windowkeys.h"

#include <QBuffer>
#include <QClipboard>
#include <QHeaderView>
#include <QMenu>
#include <QMimeData>
#include <QTableView>

using namespace WindowTest;

namespace {

QString contacts()
{
    QString text = vCard(QStringLiteral("Hanako"), QStringLiteral("Yamada"),
                         { { QStringLiteral("CELL"), QStringLiteral("09012345678") },
                           { QStringLiteral("WORK"), QStringLiteral("+81312345678") } },
                         { QStringLiteral("hanako@example.jp") });
    text += vCard(QStringLiteral("Taro"), QStringLiteral("Sato"),
                  { { QStringLiteral("HOME"), QStringLiteral("03.1234.5678") } });
    text += vCard(QStringLiteral("Jiro"), QStringLiteral("Ito"),
                  { { QStringLiteral("HOME"), QStringLiteral("090-1234-5678") } });
    return text;
}

QByteArray documentBytes(ViewController *content)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    content->writeVCardDataOfDocument(buffer);
    return bytes;
}

QAction *normalizeAction(PhoneQRCommands *commands, const QString &title)
{
    for (QAction *action : commands->normalizeMenu()->actions()) {
        if (action->text() == title)
            return action;
    }
    return nullptr;
}

} // namespace

class PhoneQRWindowTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    static void initMain() { WindowTest::initMain(); }

    void init()
    {
        resetPreferences();
        UserDefaults::standard().setValue(WindowKey::LastEditState, true);
    }

    void showQRCodeFollowsTheSelectionAndCopiesThePNG()
    {
        Document *document = openText(contacts());
        QVERIFY(document);
        ViewController *content = document->mainViewController();
        ContactsViewController *table = content->contactsViewController();
        PhoneQRCommands *commands = document->mainWindowController()->phoneQRCommands();
        table->selectRows({});
        commands->validate();
        QVERIFY(!commands->showQRCodeAction()->isEnabled());

        table->selectRows({ 0 });
        commands->validate();
        QVERIFY(commands->showQRCodeAction()->isEnabled());
        commands->showQRCodeAction()->trigger();
        QRCodePanelController *panel = commands->qrCodePanel();
        QVERIFY(panel);
        QTRY_VERIFY(panel->isVisible());
        QCOMPARE(panel->format(), QRFormat::VCard);
        const QString name = table->model()->rows().at(0).person->compositeName();
        QVERIFY2(panel->payload().startsWith(QStringLiteral("BEGIN:VCARD\r\nVERSION:3.0\r\nFN:") + name),
                 qPrintable(panel->payload()));
        QVERIFY(!panel->image().isNull());

        // The rows' check boxes follow the format; ticking one rebuilds payload and symbol.
        panel->setFormat(QRFormat::Phone);
        QRSelectionModel *model = panel->selectionModel();
        const QString first = panel->payload();
        QVERIFY(first.startsWith(QStringLiteral("tel:")));
        QVERIFY(!(model->flags(model->index(2, QRSelectionModel::ValueColumn)) & Qt::ItemIsEnabled));
        QVERIFY(
            model->setData(model->index(1, QRSelectionModel::ValueColumn), Qt::Checked, Qt::CheckStateRole));
        QVERIFY(panel->payload() != first);
        QCOMPARE(panel->tableView()->verticalHeader()->sectionSize(0), 20);

        panel->copy();
        const QMimeData *data = QGuiApplication::clipboard()->mimeData();
        QVERIFY(data);
        QCOMPARE(data->formats(), QStringList { QRClipboard::PngMimeType });
        const QImage copied = QImage::fromData(data->data(QRClipboard::PngMimeType), "PNG");
        QCOMPARE(copied.convertToFormat(QImage::Format_RGB32),
                 panel->image().convertToFormat(QImage::Format_RGB32));

        // Another contact: its own rows, from scratch.
        const int other = table->model()->subContactCount() - 1;
        QVERIFY(table->model()->rows().at(other).person != table->model()->rows().at(0).person);
        table->selectRows({ other });
        commands->showQRCode();
        const PersonPtr person = table->model()->rows().at(other).person;
        QCOMPARE(panel->payload(),
                 QStringLiteral("tel:") + person->phoneValues().first().toMap().value(Key::Value).toString());
        closeDocument(document);
    }

    void normalisingTheSelectionIsOneUndoStepThatRestoresTheFile()
    {
        Document *document = openText(contacts());
        QVERIFY(document);
        ViewController *content = document->mainViewController();
        ContactsViewController *table = content->contactsViewController();
        content->setSelectedViewType(ViewTypeName::Phone);
        PhoneQRCommands *commands = document->mainWindowController()->phoneQRCommands();
        const QByteArray before = documentBytes(content);

        table->tableView()->selectAll();
        commands->validate();
        QVERIFY(commands->normalizeMenu()->menuAction()->isEnabled());
        QAction *hyphens = normalizeAction(commands, QStringLiteral("090-1234-5678"));
        QVERIFY(hyphens);
        hyphens->trigger();
        QCoreApplication::processEvents();

        const QByteArray after = documentBytes(content);
        QVERIFY(after.contains("090-1234-5678"));
        QVERIFY(after.contains("+81 3-1234-5678"));
        QVERIFY(after.contains("03.1234.5678")); // dots would be cut off: kept as written
        QVERIFY(content->editor()->isDocumentEdited());
        QCOMPARE(document->undoManager()->undoCount(), 1);

        content->undo();
        QCOMPARE(documentBytes(content), before);

        // Locked, or without a Phone column, there is nothing to normalise.
        content->setEditState(false);
        commands->validate();
        QVERIFY(!commands->normalizeMenu()->menuAction()->isEnabled());
        QCOMPARE(commands->normalizePhoneNumbers(QStringLiteral("090-1234-5678")), 0);
        content->setEditState(true);
        content->setSelectedViewType(ViewTypeName::Email);
        commands->validate();
        QVERIFY(!commands->normalizeMenu()->menuAction()->isEnabled());
        closeDocument(document);
    }
};

QTEST_MAIN(PhoneQRWindowTest)
#include "phoneqrwindow_test.moc"
