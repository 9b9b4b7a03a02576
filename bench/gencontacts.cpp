// gencontacts: writes a deterministic, realistic contact file for benchmarks and manual tests.
//
//   gencontacts --count N [--format vcard30|vcard21|csv] [--seed S] --out FILE
//
// The output depends on the seed only, and the first K cards of a larger file equal the cards of
// a smaller one made with the same seed.
#include "gencontacts/cardgenerator.h"
#include "gencontacts/csvout.h"
#include "gencontacts/vcardout.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QSaveFile>
#include <QTextStream>
#include <cstdio>

namespace {

int fail(const QString &message)
{
    QTextStream(stderr) << "gencontacts: " << message << '\n';
    return 2;
}

bool parseNumber(const QString &text, uint64_t *value)
{
    bool ok = false;
    *value = text.toULongLong(&ok);
    return ok;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("gencontacts"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Writes a deterministic, realistic contact file."));
    parser.addHelpOption();
    const QCommandLineOption countOption(QStringLiteral("count"), QStringLiteral("Number of contacts."),
                                         QStringLiteral("N"));
    const QCommandLineOption formatOption(QStringLiteral("format"),
                                          QStringLiteral("vcard30, vcard21 or csv."),
                                          QStringLiteral("FORMAT"), QStringLiteral("vcard30"));
    const QCommandLineOption seedOption(QStringLiteral("seed"), QStringLiteral("Random seed."),
                                        QStringLiteral("S"), QStringLiteral("1"));
    const QCommandLineOption outOption(QStringLiteral("out"), QStringLiteral("Output file."),
                                       QStringLiteral("FILE"));
    parser.addOptions({ countOption, formatOption, seedOption, outOption });
    parser.process(app);

    uint64_t count = 0;
    uint64_t seed = 0;
    if (!parser.isSet(countOption) || !parseNumber(parser.value(countOption), &count))
        return fail(QStringLiteral("--count N is required (a whole number)"));
    if (!parseNumber(parser.value(seedOption), &seed))
        return fail(QStringLiteral("--seed must be a whole number"));
    if (!parser.isSet(outOption))
        return fail(QStringLiteral("--out FILE is required"));
    const QString format = parser.value(formatOption);
    if (format != u"vcard30" && format != u"vcard21" && format != u"csv")
        return fail(QStringLiteral("unknown format %1 (vcard30, vcard21 or csv)").arg(format));

    // Written to a temporary file and renamed at the end, so a failed run leaves no half file.
    QSaveFile out(parser.value(outOption));
    if (!out.open(QIODevice::WriteOnly))
        return fail(QStringLiteral("cannot write %1: %2").arg(out.fileName(), out.errorString()));
    if (format == u"csv")
        out.write(Gen::csvHeader());
    const Gen::VCardVersion version = format == u"vcard21" ? Gen::VCardVersion::V21 : Gen::VCardVersion::V30;
    for (uint64_t i = 0; i < count; ++i) {
        const Gen::Card card = Gen::generateCard(seed, i);
        out.write(format == u"csv" ? Gen::csvLine(card) : Gen::vCard(card, version));
    }
    if (!out.commit())
        return fail(QStringLiteral("cannot write %1: %2").arg(out.fileName(), out.errorString()));
    return 0;
}
