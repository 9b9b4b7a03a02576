// Every CSV file of the corpus reads without a crash, and what the program writes from it reads
// back to the same cells.
#include "../testutil.h"
#include "formats/qvvcard.h"
#include "formats/qvvcard_csv_p.h"
#include "record/keys.h"

#include <QFile>
#include <QStringDecoder>
#include <gtest/gtest.h>

namespace {

const QString kCorpus = QStringLiteral(PELLORY_CORPUS_DIR);

QString decodedFile(const QString &relativePath)
{
    QFile file(kCorpus + u'/' + relativePath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    const auto encoding = QStringConverter::encodingForData(bytes);
    QStringDecoder decoder(encoding.value_or(QStringConverter::Utf8));
    return decoder.decode(bytes);
}

QStringList csvFilesOfTheCorpus()
{
    QFile manifest(kCorpus + QStringLiteral("/MANIFEST.tsv"));
    if (!manifest.open(QIODevice::ReadOnly))
        return {};
    QStringList files;
    const QList<QByteArray> lines = manifest.readAll().split('\n');
    for (const QByteArray &line : lines) {
        const QList<QByteArray> fields = line.split('\t');
        if (fields.size() > 3 && fields.at(3) == "csv")
            files.append(QString::fromUtf8(fields.at(0)));
    }
    return files;
}

ContactList read(const QString &text)
{
    const auto entries = QVvCard::contactsFromCSV(text);
    return entries ? *entries : ContactList();
}

QString write(const ContactList &entries)
{
    SubContactRows rows;
    for (const ContactEntry &entry : entries)
        rows.append(SubContactRow::fromEntry(entry));
    return QVvCard::csvFromSubContacts(rows);
}

// The cells of a written line, the phone columns and the e-mail columns each taken as a set:
// their three columns share one header, so a value read back lands in the first of them.
QStringList comparableCells(const QString &line)
{
    QStringList cells = CsvSyntax::cellsOfLine(line, 32);
    cells.resize(32);
    for (qsizetype first : { 1, 4 }) {
        QStringList group = cells.mid(first, 3);
        group.removeAll(QString());
        group.sort();
        group.resize(3);
        for (qsizetype i = 0; i < 3; ++i)
            cells[first + i] = group.at(i);
    }
    return cells;
}

TEST(CsvCorpus, EveryFileReadsAndWritesBack)
{
    const QStringList files = csvFilesOfTheCorpus();
    ASSERT_GE(files.size(), 10) << "the manifest lists the corpus's CSV files";
    for (const QString &path : files) {
        const QString text = decodedFile(path);
        ASSERT_FALSE(text.isEmpty()) << path.toStdString();
        const ContactList entries = read(text);
        EXPECT_FALSE(entries.isEmpty()) << path.toStdString();

        const QString written = write(entries);
        const QString rewritten = write(read(written));
        const QStringList before = written.split(u'\n');
        const QStringList after = rewritten.split(u'\n');
        ASSERT_EQ(after.size(), before.size()) << path.toStdString();
        for (qsizetype i = 1; i < before.size(); ++i) {
            EXPECT_EQ(comparableCells(after.at(i)), comparableCells(before.at(i)))
                << path.toStdString() << " line " << i << ": " << before.at(i).toStdString();
        }
    }
}

TEST(CsvCorpus, KnownContents)
{
    struct Case
    {
        const char *path;
        qsizetype contacts;
        qsizetype index; // of the contact checked
        QString composite;
        QString identifier;
        QString label;
        QString value;
    };
    const Case cases[] = {
        { "mozilla__releases-comm-central/mail/components/addrbook/test/browser/data/import.csv", 1, 0,
          qs("contact number one"), FieldId::Email, LabelWord::Other, qs("contact1@invalid") },
        { "mozilla__releases-comm-central/mailnews/import/test/unit/resources/quote.csv", 2, 1,
          qs("Acer America"), FieldId::Phone, LabelWord::Work, qs("(800) 000-0000") },
        { "mozilla__releases-comm-central/mailnews/import/test/unit/resources/utf16_addressbook.csv", 2, 1,
          qs("John Doe"), FieldId::Email, LabelWord::Other, qs("johndoe@host.invalid") },
        { "roundcube__roundcubemail/tests/src/Csv2vcard/tb_plain.csv", 2, 1, qs("Firstname Lastname"),
          FieldId::Email, LabelWord::Other, qs("next@domain.tld") },
        { "roundcube__roundcubemail/tests/src/Csv2vcard/tb_plain.csv", 2, 1, qs("Firstname Lastname"),
          FieldId::City, LabelWord::Home, qs("City") },
    };
    for (const Case &c : cases) {
        const ContactList entries = read(decodedFile(qs(c.path)));
        ASSERT_EQ(entries.size(), c.contacts) << c.path;
        QVPerson &person = *entries.at(c.index)->person;
        EXPECT_EQ(person.compositeName(), c.composite) << c.path;
        const bool addressPart = QVPerson::isAddressIdentifier(c.identifier);
        const QVariantMap item
            = person.labeledValueForIdentifierAtIndex(addressPart ? FieldId::Address : c.identifier, 0);
        EXPECT_EQ(item.value(Key::Label).toString(), c.label) << c.path;
        EXPECT_EQ(item.value(addressPart ? c.identifier : Key::StringValue).toString(), c.value) << c.path;
    }
}

} // namespace
