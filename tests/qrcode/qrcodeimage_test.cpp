#include "../testutil.h"
#include "qrcode/keys.h"
#include "qrcode/qrcodeimage.h"
#include "qrcode/qrpayload.h"
#include "record/keys.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Text of n bytes that QR byte mode holds.
QString textOfLength(int n)
{
    return QString(n, u'a');
}

TEST(QRCodeImage, LargerSymbolsGetLargerModulesAndAMarginOfOneModule)
{
    const struct
    {
        int modules;
        int side;
    } sizes[] = { { 21, 69 }, { 45, 141 }, { 49, 204 }, { 53, 220 }, { 57, 295 }, { 177, 895 } };
    for (const auto &s : sizes)
        EXPECT_EQ((s.modules + 2) * QRCodeImage::scaleFactor(s.modules), s.side) << s.modules;

    // Version 7 at level L holds 154 bytes, version 10 (57 modules) 271.
    for (const int length : { 1, 154, 271, 2953 }) {
        const QImage symbol = QRCodeImage::modules(textOfLength(length));
        ASSERT_FALSE(symbol.isNull()) << length;
        const int w = symbol.width();
        const QImage shown = QRCodeImage::createQRCodeFromString(textOfLength(length));
        const int factor = QRCodeImage::scaleFactor(w);
        EXPECT_EQ(shown.size(), QSize((w + 2) * factor, (w + 2) * factor)) << length;
        // Modules stay sharp: every pixel of a module is the module's colour, the margin is white.
        for (int y = 0; y < w; y += 7) {
            for (int x = 0; x < w; x += 5) {
                const bool dark = qGray(symbol.pixel(x, y)) < 128;
                for (const QPoint corner : { QPoint(0, 0), QPoint(factor - 1, factor - 1) }) {
                    const QPoint at = QPoint((x + 1) * factor, (y + 1) * factor) + corner;
                    ASSERT_EQ(qGray(shown.pixel(at)) < 128, dark) << length << " at " << x << "," << y;
                }
            }
        }
        EXPECT_EQ(qGray(shown.pixel(factor - 1, factor - 1)), 255);
    }
    EXPECT_EQ(QRCodeImage::modules(textOfLength(154)).width(), 45);
    EXPECT_EQ(QRCodeImage::createQRCodeFromString(textOfLength(154)).width(), 141);
    EXPECT_EQ(QRCodeImage::modules(textOfLength(271)).width(), 57);
    EXPECT_EQ(QRCodeImage::createQRCodeFromString(textOfLength(271)).width(), 295);
}

TEST(QRCodeImage, TextTooLongForASymbolGivesNoImage)
{
    EXPECT_TRUE(QRCodeImage::createQRCodeFromString(textOfLength(2954)).isNull());
    EXPECT_TRUE(QRCodeImage::imageResize(QImage(), 10, 10).isNull());
}

// Every payload format's symbol, read back by a real decoder, gives its payload byte for byte.
TEST(QRCodeImage, EveryFormatDecodesToItsPayload)
{
    const QString zbarimg = QStandardPaths::findExecutable(qs("zbarimg"));
    ASSERT_FALSE(zbarimg.isEmpty()) << "zbarimg (zbar-tools) is needed";
    PersonPtr p = QVPerson::create();
    p->setValue(QVariantMap { { FieldId::FirstName, qs("花子") }, { FieldId::LastName, qs("山田") } },
                FieldId::Name);
    p->setValue(QVariantMap { { FieldId::FirstName, qs("はなこ") }, { FieldId::LastName, qs("やまだ") } },
                FieldId::PhoneticName);
    p->setValue(QVariantList { QVariantMap { { Key::Label, LabelWord::Mobile },
                                             { Key::Value, qs("+81 90-1234-5678") } } },
                FieldId::Phone);
    p->setValue(QVariantList { QVariantMap { { Key::Label, LabelWord::Home },
                                             { Key::Value, qs("hanako@example.jp") } } },
                FieldId::Email);
    p->setValue(QVariantList { QVariantMap { { Key::Label, LabelWord::Home },
                                             { FieldId::Street, qs("千代田1-1") },
                                             { FieldId::City, qs("千代田区") },
                                             { FieldId::State, qs("東京都") },
                                             { FieldId::Zip, qs("100-0001") } } },
                FieldId::Address);
    p->setValue(QVariantList { QVariantMap { { Key::Label, LabelWord::Work },
                                             { Key::Value, qs("example.jp/~hanako") } } },
                FieldId::Url);
    p->setValue(qs("Example; Inc."), FieldId::Company);
    QVariantList rows = QRPayload::selectionRows(*p);
    for (QVariant &row : rows) {
        QVariantMap map = row.toMap();
        map.insert(QRSelectionKey::Selected, true);
        row = map;
    }

    QTemporaryDir dir;
    for (const QString &format : QRFormat::all()) {
        const QString payload = QRPayload::payload(format, *p, rows);
        ASSERT_FALSE(payload.isEmpty()) << format.toStdString();
        const QString path = dir.filePath(format + qs(".png"));
        ASSERT_TRUE(QRCodeImage::createQRCodeFromString(payload).save(path));
        QProcess decoder;
        decoder.start(zbarimg, { qs("--quiet"), qs("--raw"), qs("-Sbinary"), path });
        ASSERT_TRUE(decoder.waitForFinished(30000));
        EXPECT_EQ(decoder.exitCode(), 0)
            << format.toStdString() << ": " << decoder.readAllStandardError().toStdString();
        EXPECT_EQ(QString::fromUtf8(decoder.readAllStandardOutput()), payload) << format.toStdString();
    }
}

} // namespace
