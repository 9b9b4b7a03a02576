// The contact card: placeholders and values by element id, home/work slots, lists and the photo.
#include "../testutil.h"
#include "detail/contactcard.h"
#include "detail/keys.h"
#include "record/keys.h"
#include "record/qvperson.h"

#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QPalette>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

PersonPtr personFromVCard(const char *lines)
{
    QByteArray data = QByteArrayLiteral("BEGIN:VCARD\r\nVERSION:3.0\r\n");
    data += QByteArray(lines).replace("\n", "\r\n");
    data += QByteArrayLiteral("END:VCARD\r\n");
    PersonPtr person = QVPerson::initWithVCardData(data);
    EXPECT_TRUE(person);
    return person;
}

struct Card
{
    QDomDocument document;
    QDomElement body;

    QDomElement byId(const char *id) const
    {
        return ContactCard::getElementById(body, QString::fromUtf8(id));
    }
    QString text(const char *id) const { return byId(id).text(); }
    QString style(const char *id) const { return byId(id).attribute(CardKey::Style); }
    // A list's entries as "label|value": the cite, then the paragraph's own text.
    QStringList entries(const char *id) const
    {
        QStringList out;
        for (QDomElement p = byId(id).firstChildElement(); !p.isNull(); p = p.nextSiblingElement()) {
            QString value;
            for (QDomNode n = p.firstChild(); !n.isNull(); n = n.nextSibling()) {
                if (n.isText())
                    value += n.nodeValue();
            }
            // One space parts the value from its label.
            out.append(p.firstChildElement(CardKey::Cite).text() + u'|' + value.mid(1));
        }
        return out;
    }
};

class ContactCardTest : public ::testing::Test
{
protected:
    Card make(QVPerson &person, const CardColors &colors = {})
    {
        const std::optional<QString> html
            = ContactCard::makeContactHTML(person, CardKey::Template, folder.path(), {}, colors);
        Card card;
        EXPECT_TRUE(html.has_value());
        if (!html)
            return card;
        // The card must read back as XML.
        EXPECT_TRUE(bool(card.document.setContent(*html)));
        card.body = card.document.documentElement().firstChildElement(CardKey::Body);
        return card;
    }

    QTemporaryDir folder;
};

} // namespace

TEST_F(ContactCardTest, EmptyContactShowsPlaceholdersInGrey)
{
    PersonPtr person = QVPerson::create();
    const Card card = make(*person);
    EXPECT_EQ(card.text("Compositename"), qs("No Name"));
    EXPECT_EQ(card.byId("ContactImage").attribute(CardKey::Src), CardKey::PersonIcon);
    // Phone, e-mail and social slots stay as the template has them, which is their placeholder.
    const char *placeholders[]
        = { "Company",      "Department",    "Nickname",   "Birthday", "Suffix",   "Title",
            "Name",         "Phonetic Name", "Note",       "Home-IMS", "Work-IMS", "Home-Address",
            "Work-Address", "Home-Email",    "Work-Phone", "Home-SNS" };
    for (const char *id : placeholders) {
        EXPECT_EQ(card.style(id), CardKey::Grey) << id;
        EXPECT_EQ(card.text(id), qs(id)) << id;
    }
    EXPECT_EQ(card.text("JobTitle"), qs("Job Title"));
    for (const char *id :
         { "Email", "Phone", "Address", "SNS", "IMS", "Dates", "Relationship", "NoteArea" }) {
        EXPECT_FALSE(card.byId(id).isNull()) << "the template lacks " << id;
        if (qstrcmp(id, "NoteArea") != 0) {
            EXPECT_TRUE(card.byId(id).firstChildElement().isNull()) << id;
        }
    }
}

TEST_F(ContactCardTest, EveryFieldFilled)
{
    PersonPtr person = personFromVCard("N:山田;太郎;;Dr.;Jr.\n"
                                       "FN:山田 太郎\n"
                                       "X-PHONETIC-LAST-NAME:やまだ\n"
                                       "X-PHONETIC-FIRST-NAME:たろう\n"
                                       "ORG:Acme;Sales\n"
                                       "TITLE:Manager\n"
                                       "NICKNAME:Taro\n"
                                       "BDAY:1980-04-01\n"
                                       "NOTE:line one\\nline two\n"
                                       "EMAIL;TYPE=HOME:first@example.com\n"
                                       "EMAIL;TYPE=HOME:second@example.com\n"
                                       "EMAIL;TYPE=WORK:work@example.com\n"
                                       "item1.EMAIL:odd@example.com\n"
                                       "item1.X-ABLabel:Home\n"
                                       "TEL;TYPE=WORK:03-5550-0142\n"
                                       "ADR;TYPE=HOME:;;1-2-3 Chiyoda;Tokyo;;100-0001;Japan\n"
                                       "X-ABRELATEDNAMES;TYPE=pref:Hanako\n");
    const Card card = make(*person);
    EXPECT_EQ(card.text("Compositename"), person->compositeName());
    EXPECT_FALSE(card.text("Compositename").isEmpty());
    EXPECT_EQ(card.text("Company"), qs("Acme"));
    EXPECT_FALSE(card.byId("Company").hasAttribute(CardKey::Style)) << "a filled company has no style";
    EXPECT_EQ(card.text("Department"), qs("Sales"));
    EXPECT_EQ(card.text("JobTitle"), qs("Manager"));
    EXPECT_EQ(card.text("Nickname"), qs("Taro"));
    for (const char *id : { "Birthday", "Suffix", "Title", "Name", "Phonetic Name", "Note" })
        EXPECT_EQ(card.style(id), CardKey::Black) << id;
    EXPECT_EQ(card.text("Title"), qs("Dr."));
    EXPECT_EQ(card.text("Suffix"), qs("Jr."));
    EXPECT_EQ(card.text("Note"), qs("line one\nline two"));
    EXPECT_TRUE(card.text("Phonetic Name").contains(qs("やまだ")));

    // The last value labeled exactly "home" wins; "Home" only shows in the list.
    EXPECT_EQ(card.text("Home-Email"), qs("second@example.com"));
    EXPECT_EQ(card.text("Work-Email"), qs("work@example.com"));
    EXPECT_EQ(card.entries("Email"),
              QStringList({ qs("home|first@example.com"), qs("Home|odd@example.com") }));
    EXPECT_EQ(card.text("Work-Phone"), qs("03-5550-0142"));
    EXPECT_EQ(card.text("Home-Phone"), qs("Home-Phone"))
        << "a phone without a home number shows the placeholder";
    EXPECT_EQ(card.style("Home-Phone"), CardKey::Grey);
    EXPECT_EQ(card.style("Home-Address"), CardKey::Black);
    EXPECT_TRUE(card.text("Home-Address").contains(qs("Tokyo")));
    EXPECT_EQ(card.entries("Relationship").size(), 1);
}

TEST_F(ContactCardTest, EveryValueShowsExactlyOnce)
{
    // Slots take the last exact "home" and "work" items; the lists hold the rest, in record order.
    PersonPtr person = personFromVCard("FN:Ada\n"
                                       "TEL;TYPE=HOME:111-0001\n"
                                       "TEL;TYPE=CELL:111-0002\n"
                                       "TEL;TYPE=HOME:111-0003\n"
                                       "TEL;TYPE=WORK:111-0004\n"
                                       "item1.TEL:111-0005\n"
                                       "item1.X-ABLabel:work\n"
                                       "EMAIL;TYPE=INTERNET:only@example.com\n"
                                       "ADR;TYPE=WORK:;;Main Street 1;Springfield;;12345;\n"
                                       "ADR;TYPE=OTHER:;;Side Road 9;Shelbyville;;54321;\n"
                                       "X-ABRELATEDNAMES;TYPE=pref:Hanako\n");
    const Card card = make(*person);
    const QString shown = card.body.text();
    for (const QString &identifier :
         { FieldId::Phone, FieldId::Email, FieldId::Address, FieldId::Relationship }) {
        for (const QVariant &item : person->labeledValueForIdentifier(identifier)) {
            const QString value = item.toMap().value(Key::StringValue).toString();
            ASSERT_FALSE(value.isEmpty()) << identifier.toStdString();
            EXPECT_EQ(shown.count(value), 1) << value.toStdString();
        }
    }
    EXPECT_EQ(card.text("Home-Phone"), qs("111-0003"));
    EXPECT_EQ(card.text("Work-Phone"), qs("111-0005"));
    const QStringList phones = card.entries("Phone");
    ASSERT_EQ(phones.size(), 3) << phones.join(u',').toStdString();
    EXPECT_EQ(phones.at(0), qs("home|111-0001"));
    EXPECT_TRUE(phones.at(1).endsWith(qs("|111-0002")));
    EXPECT_EQ(phones.at(2), qs("work|111-0004"));
    // An e-mail without a home or work label shows in the list, the slots keep their placeholders.
    EXPECT_EQ(card.entries("Email").size(), 1);
    EXPECT_EQ(card.style("Home-Email"), CardKey::Grey);
    EXPECT_TRUE(card.text("Work-Address").contains(qs("Springfield")));
    EXPECT_EQ(card.entries("Address").size(), 1);
    EXPECT_EQ(card.entries("Relationship").size(), 1);
}

TEST_F(ContactCardTest, PaletteColours)
{
    // Black text on white gives the card's own inline styles.
    QPalette light;
    light.setColor(QPalette::Text, Qt::black);
    light.setColor(QPalette::Base, Qt::white);
    const CardColors standard = CardColors::fromPalette(light);
    EXPECT_EQ(standard.text, CardColors().text);
    EXPECT_EQ(standard.placeholder, CardColors().placeholder);

    QPalette dark;
    dark.setColor(QPalette::Text, QColor(0xee, 0xee, 0xee));
    dark.setColor(QPalette::Base, QColor(0x20, 0x20, 0x20));
    const CardColors colors = CardColors::fromPalette(dark);
    // A note that reads like a style is a value: it keeps its text.
    PersonPtr person = personFromVCard("FN:Ada\nORG:Acme\nNOTE:color:#000000;\n");
    const Card card = make(*person, colors);
    const QString filled = QStringLiteral("color:%1;").arg(colors.text.name());
    const QString empty = QStringLiteral("color:%1;").arg(colors.placeholder.name());
    EXPECT_EQ(card.text("Note"), qs("color:#000000;"));
    EXPECT_EQ(card.style("Note"), filled);
    EXPECT_EQ(card.style("Nickname"), empty);
    EXPECT_EQ(card.style("Home-Phone"), empty) << "the template's own placeholders follow the palette";
    const QString css
        = card.document.documentElement().firstChildElement(qs("head")).firstChildElement(qs("style")).text();
    EXPECT_FALSE(css.contains(u'@')) << "every colour of the style sheet is filled";
    EXPECT_TRUE(css.contains(colors.muted.name()));
    // Placeholders stay grey: apart from the text and from the background.
    EXPECT_GT(std::abs(colors.placeholder.lightness() - colors.text.lightness()), 60);
    EXPECT_GT(std::abs(colors.placeholder.lightness() - dark.color(QPalette::Base).lightness()), 40);
}

TEST_F(ContactCardTest, PhotoAndStockIcons)
{
    PersonPtr company = personFromVCard("ORG:Acme\nX-ABShowAs:COMPANY\n");
    EXPECT_EQ(make(*company).byId("ContactImage").attribute(CardKey::Src), CardKey::CompanyIcon);

    // A photo lands beside the card as a PNG, under a name that cannot leave the folder.
    PersonPtr person = personFromVCard("FN:../../evil\nN:;../../evil;;;\n");
    QImage photo(40, 30, QImage::Format_RGB32);
    photo.fill(Qt::red);
    person->setPhoto(photo);
    const QString source = make(*person).byId("ContactImage").attribute(CardKey::Src);
    EXPECT_FALSE(source.contains(u'/')) << source.toStdString();
    EXPECT_TRUE(source.endsWith(qs(".png")));
    const QImage written(QDir(folder.path()).filePath(source), "PNG");
    EXPECT_FALSE(written.isNull()) << "the photo file holds PNG data";
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList { source });
}

TEST_F(ContactCardTest, UnreadableTemplateGivesNoCard)
{
    QFile broken(QDir(folder.path()).filePath(qs("broken.html")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("<html><body><p>unclosed</body></html>");
    broken.close();
    PersonPtr person = QVPerson::create();
    EXPECT_FALSE(ContactCard::makeContactHTML(*person, broken.fileName(), folder.path()).has_value());
    EXPECT_FALSE(
        ContactCard::makeContactHTML(*person, qs("/nonexistent/contact.html"), folder.path()).has_value());
}

TEST(ContactCardLookup, FirstMatchInDocumentOrder)
{
    QDomDocument document;
    ASSERT_TRUE(bool(document.setContent(qs(
        "<body id='b'><div><p class='x' id='deep'/></div><p class='x' id='later'/><p id='deep'/></body>"))));
    const QDomElement body = document.documentElement();
    EXPECT_EQ(ContactCard::getElementById(body, qs("b")), body);
    EXPECT_EQ(ContactCard::getElementById(body, qs("deep")).parentNode().nodeName(), qs("div"));
    EXPECT_EQ(ContactCard::getElementByClass(body, qs("x")).attribute(qs("id")), qs("deep"));
    EXPECT_TRUE(ContactCard::getElementById(body, qs("none")).isNull());
}
