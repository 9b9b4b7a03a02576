#include "../testutil.h"
#include "platform/workspace.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

QString encoded(const QUrl &url)
{
    return QString::fromLatin1(url.toEncoded());
}

TEST(Workspace, AddressesBuiltFromUserData)
{
    const struct
    {
        const char *name;
        QUrl url;
        const char *expected;
    } cases[] = {
        { "phone", Workspace::phoneUrl(qs("+1 (555) 010-0199")), "tel:+1555010-0199" },
        { "phone with hash and slash", Workspace::phoneUrl(qs("*31#555/01")), "tel:*31%23555%2F01" },
        { "mail", Workspace::mailUrl(qs("jane.doe+news@example.com")), "mailto:jane.doe+news@example.com" },
        { "mail cannot add headers", Workspace::mailUrl(qs("a@example.com?cc=b@example.org")),
          "mailto:a@example.com%3Fcc%3Db@example.org" },
        { "map", Workspace::mapUrl(qs("1 Main St, Springfield")), "maps://?q=1+Main+St%2C+Springfield" },
        { "map keeps a plus sign", Workspace::mapUrl(qs("Unit 4+5")), "maps://?q=Unit+4%2B5" },
        { "map in Japanese", Workspace::mapUrl(qs("東京都 千代田区")),
          "maps://?q=%E6%9D%B1%E4%BA%AC%E9%83%BD+%E5%8D%83%E4%BB%A3%E7%94%B0%E5%8C%BA" },
        { "web map", Workspace::webMapUrl(qs("10 Downing St")),
          "https://www.openstreetmap.org/search?query=10%20Downing%20St" },
        { "web without scheme", Workspace::webUrl(qs("example.com/a b")), "http://example.com/a%20b" },
        { "https kept", Workspace::webUrl(qs("https://example.org/x?y=1")), "https://example.org/x?y=1" },
        { "scheme in capitals", Workspace::webUrl(qs("HTTP://example.org")), "http://example.org" },
        { "other schemes open nothing", Workspace::webUrl(qs("javascript:alert(1)")), "" },
        { "calendar", Workspace::calendarUrl(), "ical://" },
    };
    for (const auto &c : cases)
        EXPECT_EQ(encoded(c.url), qs(c.expected)) << c.name;
}

class WorkspaceOpen : public ::testing::Test
{
protected:
    void SetUp() override
    {
        previous = Workspace::setOpener([this](const QUrl &url) {
            opened.append(url);
            return true;
        });
    }
    void TearDown() override { Workspace::setOpener(previous); }

    Workspace::Opener previous;
    QList<QUrl> opened;
};

TEST_F(WorkspaceOpen, SchemesAreMappedForTheDesktop)
{
    const struct
    {
        const char *name;
        QUrl url;
        const char *opened;
    } cases[] = {
        { "map search", Workspace::mapUrl(qs("1 Main St, Unit 4+5")), "geo:0,0?q=1+Main+St%2C+Unit+4%2B5" },
        { "phone as is", Workspace::phoneUrl(qs("555 0100")), "tel:5550100" },
        { "mail as is", Workspace::mailUrl(qs("a@example.com")), "mailto:a@example.com" },
        { "web as is", Workspace::webUrl(qs("example.com")), "http://example.com" },
    };
    for (const auto &c : cases) {
        opened.clear();
        EXPECT_TRUE(Workspace::openUrl(c.url)) << c.name;
        ASSERT_EQ(opened.size(), 1) << c.name;
        EXPECT_EQ(encoded(opened.first()), qs(c.opened)) << c.name;
    }
    opened.clear();
    EXPECT_FALSE(Workspace::openUrl(QUrl()));
    EXPECT_TRUE(opened.isEmpty());
}

TEST_F(WorkspaceOpen, CalendarOpensAOneEventFile)
{
    const QString summary
        = qs("Birthday: Ann, \"A;B\" & Co #1 – 50% ünïcödé and a long tail to force folding");
    ASSERT_TRUE(Workspace::openUrl(Workspace::calendarUrl(QDate(2024, 2, 29), summary, true)));
    ASSERT_EQ(opened.size(), 1);
    const QUrl file = opened.first();
    ASSERT_TRUE(file.isLocalFile());
    EXPECT_TRUE(file.toLocalFile().endsWith(qs(".ics")));
    QFile ics(file.toLocalFile());
    ASSERT_TRUE(ics.open(QIODevice::ReadOnly));
    const QByteArray text = ics.readAll();
    ics.remove();

    EXPECT_TRUE(text.startsWith("BEGIN:VCALENDAR\r\n"));
    EXPECT_TRUE(text.contains("DTSTART;VALUE=DATE:20240229\r\n"));
    EXPECT_TRUE(text.contains("DTEND;VALUE=DATE:20240301\r\n"));
    EXPECT_TRUE(text.contains("RRULE:FREQ=YEARLY\r\n"));
    for (const QByteArray &line : text.split('\n'))
        EXPECT_LE(line.size(), 76) << line.toStdString(); // 75 octets and the CR
    QByteArray unfolded = text;
    unfolded.replace("\r\n ", "");
    const QByteArray expected = "SUMMARY:"
        + qs("Birthday: Ann\\, \"A\\;B\" & Co #1 – 50% ünïcödé and a long tail to force folding").toUtf8();
    EXPECT_TRUE(unfolded.contains(expected)) << unfolded.toStdString();
}

} // namespace
