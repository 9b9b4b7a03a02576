#include "../testutil.h"

#include "platform/textcodec.h"

#include <gtest/gtest.h>

namespace {

TEST(TextCodec, DecodesLegacyCharsets)
{
    struct Case
    {
        const char *charset;
        QByteArray bytes;
        QString text;
    };
    const Case cases[] = {
        {"Shift_JIS", QByteArray("\x93\xfa\x96\x7b"), qs("日本")},
        {"windows-1252", QByteArray("Caf\xe9 \x80"), qs("Café €")},
        {"windows-1253", QByteArray("\xc1\xe8\xde\xed\xe1"), qs("Αθήνα")},
        {"UTF-8", QByteArray("\xe6\x97\xa5"), qs("日")},
        {"iso-8859-1", QByteArray("\xfc"), qs("ü")},
    };
    for (const Case &c : cases) {
        bool ok = false;
        EXPECT_EQ(TextCodec::decode(c.bytes, qs(c.charset), &ok), c.text) << c.charset;
        EXPECT_TRUE(ok) << c.charset;
        EXPECT_EQ(TextCodec::encode(c.text, qs(c.charset), &ok), c.bytes) << c.charset;
    }
}

TEST(TextCodec, StrictDecodingRefusesInvalidBytes)
{
    bool ok = true;
    EXPECT_EQ(TextCodec::decode(QByteArray("\xff\xfe\xfd"), qs("UTF-8"), &ok), QString());
    EXPECT_FALSE(ok);
    ok = true;
    TextCodec::decode(QByteArray("\x82"), qs("Shift_JIS"), &ok); // a lead byte with no trail byte
    EXPECT_FALSE(ok);
    ok = true;
    TextCodec::decode(QByteArray("abc"), qs("Murks"), &ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(TextCodec::decodeLenient(QByteArray("abc"), qs("Murks")), qs("abc"));
    EXPECT_FALSE(TextCodec::isKnown(qs("blabla")));
    EXPECT_TRUE(TextCodec::isKnown(qs("shift_jis")));
    EXPECT_EQ(TextCodec::canonicalName(qs("sjis")), qs("Shift_JIS"));
}

TEST(TextCodec, EncodingRefusesCharactersTheCharsetLacks)
{
    bool ok = true;
    TextCodec::encode(qs("日本"), qs("windows-1252"), &ok);
    EXPECT_FALSE(ok);
}

} // namespace
