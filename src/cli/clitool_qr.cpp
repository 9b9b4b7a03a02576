#include "cli/clitool_qr.h"

#include "cli/clitool.h"
#include "platform/atomicfilewriter.h"
#include "qrcode/keys.h"
#include "qrcode/qrcodeimage.h"
#include "qrcode/qrpayload.h"

#include <QBuffer>
#include <QTextStream>

namespace CliTool {
namespace {

const QString usage = QStringLiteral("usage: pellory2-cli qr --format NAME FILE INDEX OUT.png");

// The format title for a name given in any case ("vcard" is "vCard").
QString formatForName(const QString &name)
{
    for (const QString &format : QRFormat::all()) {
        if (format.compare(name, Qt::CaseInsensitive) == 0)
            return format;
    }
    return {};
}

} // namespace

int runQr(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    QString formatName;
    QStringList positional;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        if (arguments.at(i) == QLatin1String("--format") && i + 1 < arguments.size())
            formatName = arguments.at(++i);
        else if (arguments.at(i).startsWith(QLatin1String("--format=")))
            formatName = arguments.at(i).mid(9);
        else
            positional.append(arguments.at(i));
    }
    const QString format = formatForName(formatName);
    bool numeric = false;
    const qsizetype index = positional.value(1).toLongLong(&numeric);
    if (format.isEmpty() || positional.size() != 3 || !numeric || index < 0) {
        if (!formatName.isEmpty() && format.isEmpty())
            err << "pellory2-cli: unknown format " << formatName << " ("
                << QRFormat::all().join(QStringLiteral(", ")) << ")\n";
        err << usage << '\n';
        return UsageError;
    }
    const QString &path = positional.at(0);
    ContactList contacts;
    if (const int code = importContacts(path, err, contacts); code != Success)
        return code;
    if (index >= contacts.size()) {
        err << "pellory2-cli: " << path << " holds " << contacts.size() << " contacts, counted from 0\n";
        return UsageError;
    }

    QVPerson &person = *contacts.at(index)->person;
    const QString payload = QRPayload::payload(format, person, QRPayload::selectionRows(person));
    const QImage image = QRCodeImage::createQRCodeFromString(payload);
    const QString &outPath = positional.at(2);
    if (image.isNull()) {
        err << "pellory2-cli: the " << format << " text of contact " << index
            << " is too long for a QR code\n";
        return WriteFailed;
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    AtomicFileWriter file(outPath);
    if (!file.open(QIODevice::WriteOnly) || file.write(png) != png.size() || !file.commit()) {
        err << "pellory2-cli: cannot write " << outPath << ": " << file.errorString() << '\n';
        return WriteFailed;
    }
    out << payload;
    return Success;
}

} // namespace CliTool
