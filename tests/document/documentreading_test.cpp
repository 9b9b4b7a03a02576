// A document tells the user about cards of its file that could not be read.
#include "document/document.h"
#include "document/documentkeys.h"
#include "window/windowcontroller.h"

#include <QMessageBox>
#include <QStandardPaths>
#include <QtTest>

class DocumentReadingTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void tellsHowManyCardsCouldNotBeRead()
    {
        // A card with a nested one, and a last card cut off before its end.
        const QString text
            = QStringLiteral("BEGIN:VCARD\nFN:Outer\nAGENT:\nBEGIN:VCARD\nFN:Agent\nEND:VCARD\n"
                             "TEL:1\nEND:VCARD\nBEGIN:VCARD\nFN:Cut off\nTEL:2\n");
        Document document;
        DocumentError error;
        QVERIFY(document.readFromText(text, DocumentType::VCard, &error));
        QVERIFY2(document.unreadCardsMessage().startsWith(QLatin1StringView("2 cards")),
                 qPrintable(document.unreadCardsMessage()));
        document.makeWindowControllers();
        auto *box = document.mainWindowController()->findChild<QMessageBox *>();
        QVERIFY(box);
        QCOMPARE(box->informativeText(), document.unreadCardsMessage());
        QVERIFY(box->isVisible());
        document.mainWindowController()->close();
    }

    void saysNothingWhenEveryCardWasRead()
    {
        Document document;
        DocumentError error;
        QVERIFY(document.readFromText(QStringLiteral("BEGIN:VCARD\nFN:A\nEND:VCARD\n"), DocumentType::VCard,
                                      &error));
        QVERIFY(document.unreadCardsMessage().isEmpty());
        document.makeWindowControllers();
        QVERIFY(!document.mainWindowController()->findChild<QMessageBox *>());
        document.mainWindowController()->close();
    }
};

QTEST_MAIN(DocumentReadingTest)
#include "documentreading_test.moc"
