// Shared pieces of the document-window tests: a private preferences folder, documents made from
// vCard text, and answering the questions the window asks.
#pragma once

#include "document/document.h"
#include "platform/contactsettings.h"
#include "platform/userdefaults.h"
#include "window/viewcontroller.h"
#include "window/windowcontroller.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QLocale>
#include <QMessageBox>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace WindowTest {

// Called before the application object exists (QTEST_MAIN's initMain): preferences go to a
// temporary folder, never to the user's.
inline void initMain()
{
    static QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

// Each test starts from default preferences and the same name conventions.
inline void resetPreferences()
{
    UserDefaults::standard().removePersistentDomain();
    ContactSettings::setCountryCode(QStringLiteral("US"));
    ContactSettings::setSortOrder(ContactSettings::SortOrder::GivenName);
}

struct Phone
{
    QString type; // vCard TYPE ("HOME", "WORK", "CELL")
    QString number;
};

// One vCard 3.0 card.
inline QString vCard(const QString &first, const QString &last, const QList<Phone> &phones = {},
                     const QStringList &emails = {})
{
    QString card
        = QStringLiteral("BEGIN:VCARD\r\nVERSION:3.0\r\nN:%1;%2;;;\r\nFN:%2 %1\r\n").arg(last, first);
    for (const Phone &phone : phones)
        card += QStringLiteral("TEL;TYPE=%1:%2\r\n").arg(phone.type, phone.number);
    for (const QString &email : emails)
        card += QStringLiteral("EMAIL;TYPE=INTERNET,WORK:%1\r\n").arg(email);
    return card + QStringLiteral("END:VCARD\r\n");
}

// A document read from text, with its window shown.
inline Document *openText(const QString &text, const QString &type = DocumentType::VCard)
{
    auto *document = new Document;
    DocumentError error;
    if (!document->readFromText(text, type, &error)) {
        delete document;
        return nullptr;
    }
    document->makeWindowControllers();
    return document;
}

// Closes the window without asking and lets the document go.
inline void closeDocument(Document *document)
{
    if (!document)
        return;
    QPointer<Document> guard(document);
    if (WindowController *window = document->mainWindowController())
        window->closeWithoutAsking();
    else
        delete document;
    QTRY_VERIFY(guard.isNull());
}

// Answers the next message box that shows up, whether it runs its own loop (exec) or not (open).
class MessageBoxAnswer : public QObject
{
public:
    explicit MessageBoxAnswer(QMessageBox::StandardButton button)
        : m_button(button)
    {
        connect(&m_timer, &QTimer::timeout, this, &MessageBoxAnswer::poll);
        m_timer.start(10);
    }

    bool answered() const { return m_answered; }
    // The question that was answered (main and informative text).
    QString text() const { return m_text; }
    QString informativeText() const { return m_informativeText; }

private:
    void poll()
    {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            auto *box = qobject_cast<QMessageBox *>(widget);
            if (!box || !box->isVisible())
                continue;
            m_timer.stop();
            m_text = box->text();
            m_informativeText = box->informativeText();
            m_answered = true;
            if (QAbstractButton *button = box->button(m_button))
                button->click();
            else
                box->reject();
            return;
        }
    }

    QTimer m_timer;
    QMessageBox::StandardButton m_button;
    bool m_answered = false;
    QString m_text;
    QString m_informativeText;
};

} // namespace WindowTest
