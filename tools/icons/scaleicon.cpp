// Writes the hicolor theme sizes of an application icon from its 256 px original:
//   scaleicon SOURCE.png OUTDIR SIZE...   (writes OUTDIR/SIZExSIZE/apps/NAME.png for each SIZE)
// NAME is the file name of OUTDIR's icon, given with --name (default: the source's base name).
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QStringList>
#include <cstdio>

int main(int argc, char *argv[])
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    QString name;
    const qsizetype nameAt = args.indexOf(QStringLiteral("--name"));
    if (nameAt >= 0 && nameAt + 1 < args.size()) {
        name = args.at(nameAt + 1);
        args.remove(nameAt, 2);
    }
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: scaleicon [--name NAME] SOURCE.png OUTDIR SIZE...\n");
        return 1;
    }
    const QImage source(args.at(0));
    if (source.isNull()) {
        std::fprintf(stderr, "scaleicon: cannot read %s\n", qPrintable(args.at(0)));
        return 2;
    }
    if (name.isEmpty())
        name = QFileInfo(args.at(0)).completeBaseName();
    const QDir out(args.at(1));
    for (const QString &sizeText : args.mid(2)) {
        bool ok = false;
        const int size = sizeText.toInt(&ok);
        if (!ok || size <= 0) {
            std::fprintf(stderr, "scaleicon: bad size %s\n", qPrintable(sizeText));
            return 1;
        }
        const QString folder = QStringLiteral("%1x%1/apps").arg(size);
        if (!out.mkpath(folder)) {
            std::fprintf(stderr, "scaleicon: cannot create %s\n", qPrintable(out.filePath(folder)));
            return 2;
        }
        const QImage scaled = size == source.width() && size == source.height()
            ? source
            : source.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        const QString file = out.filePath(folder + QStringLiteral("/%1.png").arg(name));
        if (!scaled.save(file, "PNG")) {
            std::fprintf(stderr, "scaleicon: cannot write %s\n", qPrintable(file));
            return 2;
        }
    }
    return 0;
}
