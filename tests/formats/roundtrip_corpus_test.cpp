// Every vCard file of the corpus, opened and saved as a file export writes it, keeps its
// properties: card by card, the multiset of properties (unfolded, decoded, parameters normalised,
// names case-folded) read and written are equal, but for the differences listed here.
#include "vcardproperties.h"
#include "vcardtestutil.h"

#include <gtest/gtest.h>

namespace {

using Counts = QMap<QString, int>;

QStringList vCardFiles()
{
    QStringList files;
    const QByteArray manifest = VCardTest::readFile(QStringLiteral(PELLORY_CORPUS_DIR "/MANIFEST.tsv"));
    const QList<QByteArray> lines = manifest.split('\n');
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QList<QByteArray> columns = lines.at(i).split('\t');
        if (columns.size() > 3 && columns.at(3) != "csv")
            files.append(QString::fromUtf8(columns.at(0)));
    }
    return files;
}

// The outermost cards of a text, each with the cards nested in it.
QList<QByteArray> cardsOf(const QByteArray &bytes)
{
    QList<QByteArray> cards;
    QByteArray card;
    int depth = 0;
    for (QByteArray line : bytes.split('\n')) {
        while (line.endsWith('\r'))
            line.chop(1);
        if (line.startsWith("\xEF\xBB\xBF"))
            line.remove(0, 3); // a byte order mark
        const QByteArray word = line.trimmed().toUpper();
        if (word == "BEGIN:VCARD")
            ++depth;
        if (depth > 0)
            card += line + "\r\n";
        if (word == "END:VCARD" && depth > 0 && --depth == 0)
            cards.append(std::exchange(card, {}));
    }
    return cards;
}

QString nameOf(const QString &property)
{
    qsizetype end = 0;
    while (end < property.size() && property[end] != u';' && property[end] != u':')
        ++end;
    const QString name = property.left(end);
    return name.mid(name.indexOf(u'.') + 1);
}

int countNamed(const Counts &card, const QString &name)
{
    int n = 0;
    for (auto it = card.cbegin(); it != card.cend(); ++it) {
        if (nameOf(it.key()) == name)
            n += it.value();
    }
    return n;
}

struct Difference
{
    bool lost; // else added
    QString property;
    const Counts &read;
    const Counts &written;
};

struct ByDesign
{
    const char *why;
    bool (*allows)(const Difference &);
};

const ByDesign kByDesign[] = {
    { "cards are written as vCard 3.0",
      [](const Difference &d) { return nameOf(d.property) == u"VERSION"; } },
    { "the product identifier named the program that wrote the file, which is no longer true",
      [](const Difference &d) { return d.lost && nameOf(d.property) == u"PRODID"; } },
    { "a card without N or FN gets the ones vCard 3.0 requires",
      [](const Difference &d) {
          const QString name = nameOf(d.property);
          return !d.lost && (name == u"N" || name == u"FN") && countNamed(d.read, name) == 0;
      } },
    { "photos are written as JPEG: other images converted, unknown bytes without a type, data: URIs as "
      "Base64",
      [](const Difference &d) {
          return nameOf(d.property) == u"PHOTO"
              && countNamed(d.read, QStringLiteral("PHOTO"))
              == countNamed(d.written, QStringLiteral("PHOTO"));
      } },
    { "a tel: URI without VALUE=uri is written as the plain number it holds",
      [](const Difference &d) {
          const QLatin1StringView scheme("tel:");
          const qsizetype colon = d.property.indexOf(u':');
          if (nameOf(d.property) != u"TEL" || colon < 0)
              return false;
          const QString head = d.property.left(colon + 1);
          const QString value = d.property.mid(colon + 1);
          return d.lost ? value.startsWith(scheme) && d.written.contains(head + value.mid(scheme.size()))
                        : d.read.contains(head + scheme + value);
      } },
};

// Files with a difference of their own, by design.
const QLatin1StringView kReadWrongly[] = {
    // N with a sixth component: a name has five parts, the sixth is not kept
    QLatin1StringView("CyanogenMod__android_frameworks_opt_vcard/tests/res/raw/v21_backslash.vcf"),
    // a lone CR inside a value is a line break, written as one (\n)
    QLatin1StringView("mozilla__releases-comm-central/mailnews/addrbook/test/unit/data/export.vcf"),
};

bool readWrongly(const QString &file)
{
    for (QLatin1StringView f : kReadWrongly) {
        if (file == f)
            return true;
    }
    return false;
}

TEST(VCardRoundTrip, EveryCorpusFileKeepsItsProperties)
{
    const QStringList files = vCardFiles();
    ASSERT_GT(files.size(), 200);
    for (const QString &file : files) {
        if (readWrongly(file))
            continue;
        const QByteArray bytes = VCardTest::readFile(QStringLiteral(PELLORY_CORPUS_DIR "/") + file);
        const QList<QByteArray> read = cardsOf(bytes);
        const QList<QByteArray> written = cardsOf(VCardTest::write(VCardTest::read(bytes)));
        EXPECT_EQ(read.size(), written.size()) << file.toStdString();
        if (read.size() != written.size())
            continue;
        for (qsizetype i = 0; i < read.size(); ++i) {
            const Counts before = VCardProperties::of(read.at(i));
            const Counts after = VCardProperties::of(written.at(i));
            auto check = [&](bool lost, const QStringList &properties) {
                for (const QString &property : properties) {
                    const Difference d { lost, property, before, after };
                    const bool allowed = std::any_of(std::begin(kByDesign), std::end(kByDesign),
                                                     [&](const ByDesign &b) { return b.allows(d); });
                    EXPECT_TRUE(allowed) << (lost ? "lost " : "added ") << property.left(200).toStdString()
                                         << "\n  in card " << i + 1 << " of " << file.toStdString();
                }
            };
            check(true, VCardProperties::surplus(before, after));
            check(false, VCardProperties::surplus(after, before));
        }
    }
}

} // namespace
