#include "cli/clitool_print.h"

#include "cli/clitool.h"
#include "platform/atomicfilewriter.h"
#include "print/hagakilayout.h"
#include "print/keys.h"
#include "print/printoptions.h"
#include "print/printview.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextStream>

namespace CliTool {
namespace {

const QString usage = QStringLiteral("usage: pellory2-cli print --style \"Address List|Mailing "
                                     "Labels|Envelope|Hagaki\" [--options JSON] [--sender INDEX] IN OUT.pdf");

// The paper a style prints on unless the options name one: postcards and envelopes their own.
QPageSize paperFor(const QVariantMap &options, const QString &style)
{
    const double width = PrintOptions::number(options, PrintKey::PaperWidth);
    const double height = PrintOptions::number(options, PrintKey::PaperHeight);
    if (width > 0 && height > 0)
        return QPageSize(QSizeF(width, height), QPageSize::Point, QString(), QPageSize::ExactMatch);
    if (style == PrintStyle::Hagaki)
        return QPageSize(QPageSize::Postcard);
    if (style == PrintStyle::Envelope) {
        // A long envelope stands for vertical text, a wide one for horizontal lines.
        const QVariantMap envelope = PrintOptions::styleOptions(options, PrintStyle::Envelope);
        if (PrintOptions::flag(envelope, StyleKey::PrintVertical))
            return QPageSize(QPageSize::EnvelopeChou3);
        const QSizeF dl = QPageSize(QPageSize::EnvelopeDL).size(QPageSize::Point);
        return QPageSize(dl.transposed(), QPageSize::Point, QStringLiteral("DL landscape"),
                         QPageSize::ExactMatch);
    }
    return QPageSize(QPageSize::A4);
}

} // namespace

bool mergeOptions(QVariantMap &options, const QByteArray &json, QString *error)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (!document.isObject()) {
        if (error)
            *error = parseError.error != QJsonParseError::NoError ? parseError.errorString()
                                                                  : QStringLiteral("not a JSON object");
        return false;
    }
    const QVariantMap given = document.object().toVariantMap();
    for (auto it = given.cbegin(); it != given.cend(); ++it) {
        const QVariant current = options.value(it.key());
        if (current.typeId() == QMetaType::QVariantMap && it.value().typeId() == QMetaType::QVariantMap) {
            QVariantMap merged = current.toMap();
            const QVariantMap style = it.value().toMap();
            for (auto s = style.cbegin(); s != style.cend(); ++s)
                merged.insert(s.key(), s.value());
            options.insert(it.key(), merged);
        } else {
            options.insert(it.key(), it.value());
        }
    }
    return true;
}

int runPrint(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    QString style;
    QByteArray json;
    QString senderArgument;
    QStringList positional;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("--style") && i + 1 < arguments.size())
            style = arguments.at(++i);
        else if (argument.startsWith(QLatin1String("--style=")))
            style = argument.mid(8);
        else if (argument == QLatin1String("--options") && i + 1 < arguments.size())
            json = arguments.at(++i).toUtf8();
        else if (argument.startsWith(QLatin1String("--options=")))
            json = argument.mid(10).toUtf8();
        else if (argument == QLatin1String("--sender") && i + 1 < arguments.size())
            senderArgument = arguments.at(++i);
        else
            positional.append(argument);
    }
    if (!PrintStyle::all().contains(style) || positional.size() != 2) {
        if (!style.isEmpty() && !PrintStyle::all().contains(style))
            err << "pellory2-cli: unknown print style " << style << '\n';
        err << usage << '\n';
        return UsageError;
    }
    QVariantMap options = PrintOptions::createPrintOptions();
    QString error;
    if (!json.isEmpty() && !mergeOptions(options, json, &error)) {
        err << "pellory2-cli: --options: " << error << '\n';
        return UsageError;
    }
    options.insert(PrintKey::PrintStyle, style);

    const QString &path = positional.at(0);
    ContactList contacts;
    if (const int code = importContacts(path, err, contacts); code != Success)
        return code;
    SubContactRows rows;
    for (const ContactEntry &entry : contacts)
        rows.append(SubContactRow::fromEntry(entry));

    // The sender is the contact at INDEX in the file, counted from 0 as for qr.
    bool senderOk = true;
    const int sender = senderArgument.isEmpty() ? -1 : senderArgument.toInt(&senderOk);
    if (!senderOk || sender < -1 || sender >= contacts.size()) {
        err << "pellory2-cli: --sender: no contact " << senderArgument << " in " << path << '\n';
        return UsageError;
    }

    const QPageSize pageSize = paperFor(options, style);
    const QSizeF paper = pageSize.size(QPageSize::Point);
    PrintView view(rows, options, PageGeometry::fullPage(paper, pageSize.name()));
    if (sender >= 0)
        view.setSender(rows.at(sender));

    // Written whole or not at all: an existing file is replaced only by a complete one.
    AtomicFileWriter file(positional.at(1));
    if (!file.open(QIODevice::WriteOnly)) {
        err << "pellory2-cli: cannot write " << positional.at(1) << ": " << file.errorString() << '\n';
        return WriteFailed;
    }
    bool written = false;
    {
        QPdfWriter pdf(&file);
        pdf.setResolution(72);
        pdf.setPageLayout(QPageLayout(pageSize, QPageLayout::Portrait, QMarginsF()));
        pdf.setCreator(QStringLiteral("pellory2-cli"));
        pdf.setTitle(QFileInfo(path).completeBaseName());
        written = view.render(pdf);
    }
    if (!written || !file.commit()) {
        err << "pellory2-cli: cannot write " << positional.at(1) << ": " << file.errorString() << '\n';
        return WriteFailed;
    }
    out << "pages: " << view.pageCount() << '\n';
    return Success;
}

} // namespace CliTool
