#include "cli/clitool.h"

#include "cli/zipcommand.h"
#include "cli/clitool_print.h"
#include "cli/clitool_qr.h"

#include "document/contactfiles.h"
#include "formats/contactdump.h"
#include "formats/qvvcard.h"
#include "platform/atomicfilewriter.h"
#include "platform/encodings.h"
#include "platform/textfilereader.h"
#include "record/qvperson.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>

namespace CliTool {
namespace {

struct Options
{
    QString command;
    QString encodingName = QStringLiteral("auto");
    QStringList files;
};

struct ReadResult
{
    int exitCode = Success;
    QString error;
    ContainerTable containers;
    VCardReadStatistics statistics;
};

bool isCsv(const QString &path)
{
    return QFileInfo(path).suffix().compare(QLatin1String("csv"), Qt::CaseInsensitive) == 0;
}

bool isVCard(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("vcf") || suffix == QLatin1String("vcard");
}

// The encoding number for a name given on the command line; -1 when unknown.
int encodingForName(const QString &name)
{
    if (name.compare(QLatin1String("auto"), Qt::CaseInsensitive) == 0)
        return Encodings::Automatic;
    const Encoding *encoding = Encodings::findByCharset(name);
    return encoding ? encoding->number : -1;
}

// Reads a file as the program does: CSV by its extension, anything else as vCard.
ReadResult readFile(const QString &path, const QString &encodingName)
{
    ReadResult result;
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile() || !info.isReadable()) {
        result.exitCode = UnreadableFile;
        result.error = QStringLiteral("cannot read %1: %2").arg(path, info.exists() ? QStringLiteral("permission denied or not a file") : QStringLiteral("no such file"));
        return result;
    }
    const int encoding = encodingForName(encodingName);
    if (encoding < 0) {
        result.exitCode = UndecodableText;
        result.error = QStringLiteral("unknown encoding: %1").arg(encodingName);
        return result;
    }
    const bool csv = isCsv(path);
    const DecodedText decoded = csv
        ? TextFileReader::read(path, encoding)
        : TextFileReader::read(path, encoding, TextFileReader::Utf8Text::Skip, TextFileReader::Lines::Folded);
    if (!decoded.ok()) {
        result.exitCode = UndecodableText;
        result.error = decoded.errorString;
        return result;
    }
    if (csv) {
        result.containers = QVvCard::containersFromCSV(decoded.text).value_or(ContainerTable{QVvCard::fileContainer()});
        result.statistics.cards = QVvCard::contactsInContainer(result.containers.first())->size();
    } else {
        result.containers
            = QVvCard::containersFromVCardFile(decoded, {}, &result.statistics).value_or(ContainerTable());
    }
    const ContactTable all = result.containers.isEmpty() ? nullptr : QVvCard::contactsInContainer(result.containers.first());
    if (!all || all->isEmpty()) {
        result.exitCode = NoContacts;
        result.error = QStringLiteral("no contacts in %1").arg(path);
    }
    return result;
}

ContactList liveContacts(const ContainerTable &containers)
{
    ContactList out;
    const ContactTable all = QVvCard::contactsInContainer(containers.first());
    for (const ContactEntry &entry : std::as_const(*all)) {
        if (!entry->deleted)
            out.append(entry);
    }
    return out;
}

int convert(const ReadResult &read, const QString &outPath, QTextStream &err)
{
    const bool csv = isCsv(outPath);
    if (!csv && !isVCard(outPath)) {
        err << "cannot tell the output format of " << outPath << ": use .vcf, .vcard or .csv\n";
        return UsageError;
    }
    const ContactList contacts = liveContacts(read.containers);
    AtomicFileWriter file(outPath);
    bool written = file.open(QIODevice::WriteOnly);
    if (written && csv) {
        const QByteArray bytes = ContactExport::csvText(contacts).toUtf8();
        written = file.write(bytes) == bytes.size();
    } else if (written) {
        // Cards go to the file batch by batch as they are written, never all at once in memory.
        written = ContactExport::writeVCards(file, contacts, QVvCard::customItemDefinitions(contacts),
                                             read.containers.first());
    }
    if (!written || !file.commit()) {
        err << "cannot write " << outPath << ": " << file.errorString() << '\n';
        return WriteFailed;
    }
    return Success;
}

bool parse(const QStringList &arguments, Options &options, QString &error)
{
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("--encoding")) {
            if (i + 1 >= arguments.size()) {
                error = QStringLiteral("--encoding needs a name");
                return false;
            }
            options.encodingName = arguments.at(++i);
        } else if (argument.startsWith(QLatin1String("--encoding="))) {
            options.encodingName = argument.mid(11);
        } else if (argument.startsWith(QLatin1String("--")) && argument != QLatin1String("--help")) {
            error = QStringLiteral("unknown option %1").arg(argument);
            return false;
        } else if (options.command.isEmpty()) {
            options.command = argument;
        } else {
            options.files.append(argument);
        }
    }
    return true;
}

} // namespace

QString helpText()
{
    return QStringLiteral(
        "Usage: pellory2-cli COMMAND [--encoding NAME|auto] FILE...\n"
        "\n"
        "Reads vCard (2.1, 3.0) and CSV files as the editor does.\n"
        "\n"
        "Commands:\n"
        "  dump FILE         print every contact as JSON: {\"contacts\": [...], \"groups\": [...], \"skipped\": N}\n"
        "  stats FILE        read the file and print counts (contacts, groups, skipped cards,\n"
        "                    properties kept verbatim), for timing\n"
        "  convert IN OUT    write the contacts of IN to OUT: vCard 3.0 for .vcf/.vcard (photos,\n"
        "                    notes, custom items, categories) or CSV for .csv\n"
        "  zip CODE          print the Japanese addresses of a postal code (100-0001, 1000001, or\n"
        "                    its first digits); exit 4 when there is none\n"
        "  qr --format NAME FILE INDEX OUT.png\n"
        "                    write the QR code of the contact at INDEX (counted from 0) as PNG and\n"
        "                    print its text; NAME is vCard, docomo, au, SoftBank, Phone, Email or URL\n"
        "  print --style STYLE [--options JSON] [--sender INDEX] IN OUT.pdf\n"
        "                    print the contacts of IN to a PDF file; STYLE is \"Address List\",\n"
        "                    \"Mailing Labels\", \"Envelope\" or \"Hagaki\"; JSON holds print options\n"
        "                    laid over the defaults (paperWidth and paperHeight in points); the\n"
        "                    contact at INDEX (from 0) is the sender of envelopes and postcards\n"
        "\n"
        "Options:\n"
        "  --encoding NAME   read the input in this encoding (for example Shift_JIS,\n"
        "                    windows-1252); 'auto' (the default) detects it\n"
        "  --help            show this text\n"
        "\n"
        "Exit codes: 0 success, 1 usage error, 2 unreadable file, 3 unknown encoding or text\n"
        "that does not decode, 4 no contacts in the file, 5 the output could not be written.\n");
}

int importContacts(const QString &path, QTextStream &err, ContactList &contacts)
{
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable()) {
        err << "pellory2-cli: cannot read " << path << '\n';
        return UnreadableFile;
    }
    ImportedContacts read = isCsv(path) ? ContactImport::readCsvFile(path, 0) : ContactImport::readVCardFile(path, 0);
    if (!read.readError.isEmpty()) {
        err << "pellory2-cli: " << read.readError << '\n';
        return UndecodableText;
    }
    if (read.contacts.isEmpty()) {
        err << "pellory2-cli: no contacts in " << path << '\n';
        return NoContacts;
    }
    contacts = std::move(read.contacts);
    return Success;
}

int run(const QStringList &arguments, QTextStream &out, QTextStream &err, ContainerTable *keep)
{
    Options options;
    QString error;
    if (!arguments.isEmpty() && arguments.first() == QLatin1String("zip")
        && !arguments.contains(QLatin1String("--help")))
        return runZip(arguments.mid(1), out, err);
    if (arguments.contains(QLatin1String("--help")) || arguments.isEmpty()) {
        out << helpText();
        return arguments.isEmpty() ? UsageError : Success;
    }
    if (arguments.first() == QLatin1String("qr"))
        return runQr(arguments.mid(1), out, err);
    if (arguments.first() == QLatin1String("print"))
        return runPrint(arguments.mid(1), out, err);
    if (!parse(arguments, options, error)) {
        err << "pellory2-cli: " << error << '\n';
        return UsageError;
    }
    const qsizetype needed = options.command == QLatin1String("convert") ? 2 : 1;
    const bool known = options.command == QLatin1String("dump") || options.command == QLatin1String("stats")
        || options.command == QLatin1String("convert");
    if (!known || options.files.size() != needed) {
        err << "pellory2-cli: " << (known ? "wrong number of files" : "unknown command") << "\n\n" << helpText();
        return UsageError;
    }
    const ReadResult read = readFile(options.files.first(), options.encodingName);
    if (keep)
        *keep = read.containers;
    if (read.exitCode != Success) {
        err << "pellory2-cli: " << read.error << '\n';
        return read.exitCode;
    }
    if (options.command == QLatin1String("dump")) {
        out << QString::fromUtf8(ContactDump::dump(read.containers, &read.statistics));
        return Success;
    }
    if (options.command == QLatin1String("stats")) {
        const ContainerEntry container = read.containers.first();
        out << "contacts: " << liveContacts(read.containers).size() << '\n'
            << "groups: " << container->groups.size() - 1 << '\n'
            << "skipped: " << read.statistics.skippedCards << '\n'
            << "verbatim: " << read.statistics.keptVerbatim << '\n';
        return Success;
    }
    const int code = convert(read, options.files.at(1), err);
    if (code != Success)
        err.flush();
    return code;
}

} // namespace CliTool
