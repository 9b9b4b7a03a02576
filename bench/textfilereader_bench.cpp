// Times reading a large contact file as text: UTF-8 (validated, as bytes and as text) and
// Shift_JIS (detected, strictly decoded). Usage: textfilereader_bench [megabytes]
#include "platform/encodings.h"
#include "platform/textcodec.h"
#include "platform/textfilereader.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

namespace {

QByteArray cards(qsizetype size, const char *charset)
{
    const QString card = QStringLiteral("BEGIN:VCARD\r\nVERSION:3.0\r\nN:山田;太郎;;;\r\nFN:山田 太郎\r\n"
                                        "ORG:株式会社サンプル;営業部\r\nTEL;TYPE=CELL:090-1234-5678\r\n"
                                        "EMAIL;TYPE=INTERNET:taro@example.com\r\n"
                                        "ADR;TYPE=HOME:;;丸の内1-1-1;千代田区;東京都;100-0005;日本\r\n"
                                        "NOTE:Renée Müller is a colleague.\r\nEND:VCARD\r\n");
    const QByteArray one = TextCodec::encode(card, QString::fromLatin1(charset));
    QByteArray bytes;
    bytes.reserve(size + one.size());
    while (bytes.size() < size)
        bytes += one;
    return bytes;
}

void time(const char *label, const QString &path, int encoding, TextFileReader::Utf8Text mode)
{
    QElapsedTimer timer;
    timer.start();
    const DecodedText result = TextFileReader::read(path, encoding, mode);
    std::printf("%-40s %6lld ms  %s%s\n", label, static_cast<long long>(timer.elapsed()),
                qPrintable(Encodings::encodingTypeName(result.encoding)),
                result.ok() ? "" : qPrintable(QStringLiteral(" FAILED: ") + result.errorString));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const qsizetype megabytes = argc > 1 ? QByteArray(argv[1]).toLongLong() : 100;
    QTemporaryDir dir;
    const struct
    {
        const char *charset;
        const char *file;
    } files[] = { { "UTF-8", "utf8.vcf" }, { "Shift_JIS", "sjis.vcf" } };
    for (const auto &f : files) {
        QFile out(dir.filePath(QString::fromLatin1(f.file)));
        if (!out.open(QIODevice::WriteOnly))
            return 1;
        out.write(cards(megabytes << 20, f.charset));
    }
    std::printf("%lld MB files\n", static_cast<long long>(megabytes));
    const QString utf8 = dir.filePath(QStringLiteral("utf8.vcf"));
    const QString sjis = dir.filePath(QStringLiteral("sjis.vcf"));
    time("UTF-8, Automatic, bytes only", utf8, Encodings::Automatic, TextFileReader::Utf8Text::Skip);
    time("UTF-8, Automatic, text and bytes", utf8, Encodings::Automatic, TextFileReader::Utf8Text::Decode);
    time("UTF-8, chosen, text and bytes", utf8, Encodings::UTF8, TextFileReader::Utf8Text::Decode);
    time("Shift_JIS, Automatic", sjis, Encodings::Automatic, TextFileReader::Utf8Text::Decode);
    time("Shift_JIS, chosen", sjis, 100, TextFileReader::Utf8Text::Decode);
    time("Shift_JIS read strictly as UTF-8 (fails)", sjis, Encodings::UTF8, TextFileReader::Utf8Text::Decode);
    return 0;
}
