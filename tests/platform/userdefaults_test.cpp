#include "../testutil.h"
#include "platform/userdefaults.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPointF>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

class UserDefaultsTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("config/preferences.json"));
};

TEST_F(UserDefaultsTest, ValuesSurviveAReload)
{
    const QVariantMap nested { { qs("Name"), QVariantList { qs("Name"), qs("Phone") } },
                               { qs("flag"), true } };
    const struct
    {
        const char *key;
        QVariant value;
    } cases[] = {
        { "string", qs("Ünïcödé 日本") },
        { "integer", 42 },
        { "negative", qint64(-7) },
        { "double", 12.5 },
        { "bool", false },
        { "array", QVariantList { qs("All"), 3, true } },
        { "dictionary", nested },
        { "NSWindow Frame Work.vcf", qs("100 200 900 500") },
    };
    {
        UserDefaults defaults(path);
        for (const auto &c : cases)
            ASSERT_TRUE(defaults.setValue(qs(c.key), c.value)) << c.key;
        EXPECT_TRUE(defaults.setValue(qs("data"), QByteArray("\x00\xff\x10", 3)));
        EXPECT_TRUE(defaults.sync());
    }
    UserDefaults reloaded(path);
    for (const auto &c : cases)
        EXPECT_EQ(reloaded.value(qs(c.key)), c.value) << c.key;
    EXPECT_EQ(reloaded.dataValue(qs("data")), QByteArray("\x00\xff\x10", 3));
    EXPECT_FALSE(reloaded.value(qs("absent")).isValid());
    EXPECT_FALSE(reloaded.contains(qs("absent")));
}

TEST_F(UserDefaultsTest, TypedReadsConvertLikeThePlatform)
{
    UserDefaults defaults(path);
    defaults.setValue(qs("yes"), qs("YES"));
    defaults.setValue(qs("numeral"), qs("12"));
    defaults.setValue(qs("real"), 3.75);
    defaults.setValue(qs("truth"), true);
    defaults.setValue(qs("mixed"), QVariantList { qs("a"), 1 });
    defaults.setValue(qs("strings"), QStringList { qs("a"), qs("b") });

    EXPECT_TRUE(defaults.boolValue(qs("yes")));
    EXPECT_FALSE(defaults.boolValue(qs("absent")));
    EXPECT_EQ(defaults.integerValue(qs("numeral")), 12);
    EXPECT_EQ(defaults.integerValue(qs("real")), 3);
    EXPECT_EQ(defaults.integerValue(qs("truth")), 1);
    EXPECT_DOUBLE_EQ(defaults.doubleValue(qs("real")), 3.75);
    EXPECT_EQ(defaults.stringValue(qs("numeral")), qs("12"));
    EXPECT_EQ(defaults.stringValue(qs("mixed")), QString());
    EXPECT_EQ(defaults.stringArrayValue(qs("strings")), (QStringList { qs("a"), qs("b") }));
    EXPECT_TRUE(defaults.stringArrayValue(qs("mixed")).isEmpty()) << "not every element is a string";
    EXPECT_TRUE(defaults.dictionaryValue(qs("strings")).isEmpty());
    EXPECT_EQ(defaults.arrayValue(qs("mixed")).size(), 2);
}

TEST_F(UserDefaultsTest, ChangesAreWrittenOnceTheEventEndsAndAtDestruction)
{
    auto *defaults = new UserDefaults(path);
    QSignalSpy changed(defaults, &UserDefaults::valueChanged);
    defaults->setValue(qs("a"), 1);
    defaults->setValue(qs("a"), 1); // unchanged: no signal, nothing new to write
    EXPECT_EQ(changed.count(), 1);
    EXPECT_FALSE(QFile::exists(path)) << "writes wait for the event loop";
    QCoreApplication::processEvents();
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_FALSE(defaults->hasPendingChanges());

    defaults->setValue(qs("b"), qs("late"));
    delete defaults; // no event loop turn before the end
    EXPECT_EQ(UserDefaults(path).stringValue(qs("b")), qs("late"));
    // QSaveFile leaves no temporary file beside the preferences.
    EXPECT_EQ(QDir(dir.filePath(qs("config"))).entryList(QDir::Files),
              QStringList { qs("preferences.json") });
}

TEST_F(UserDefaultsTest, AFailedWriteIsReportedAndKeptPending)
{
    writeFile(dir.filePath(qs("blocker")), "a file where a folder should be");
    UserDefaults defaults(dir.filePath(qs("blocker/preferences.json")));
    defaults.setValue(qs("a"), 1);
    EXPECT_FALSE(defaults.sync());
    EXPECT_TRUE(defaults.hasPendingChanges());
}

TEST_F(UserDefaultsTest, ValuesJsonCannotHoldAreRefused)
{
    UserDefaults defaults(path);
    EXPECT_FALSE(defaults.setValue(qs("point"), QPointF(1, 2)));
    EXPECT_FALSE(defaults.contains(qs("point")));
    defaults.setValue(qs("gone"), 1);
    EXPECT_TRUE(defaults.setValue(qs("gone"), QVariant()));
    EXPECT_FALSE(defaults.contains(qs("gone"))) << "an invalid value removes the key";
}

TEST_F(UserDefaultsTest, ADamagedFileIsCopiedAsideBeforeAnythingOverwritesIt)
{
    const struct
    {
        const char *name;
        QByteArray bytes;
    } cases[] = {
        { "truncated", R"({"QV1DselectedViewType": "Name", "Encodings": ["Unicode)" },
        { "not an object", R"(["Name", "Phone"])" },
        { "binary", QByteArray("\x00\x01\xfe\xff garbage", 13) },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QDir(dir.path()).removeRecursively();
        QDir().mkpath(dir.filePath(qs("config")));
        writeFile(path, c.bytes);
        {
            UserDefaults defaults(path);
            EXPECT_TRUE(defaults.keys().isEmpty());
            EXPECT_EQ(contents(path + qs(".corrupt")), c.bytes);
            EXPECT_EQ(contents(path), c.bytes) << "untouched until something changes";
            defaults.setValue(qs("fresh"), true);
        }
        EXPECT_TRUE(UserDefaults(path).boolValue(qs("fresh")));
        EXPECT_EQ(contents(path + qs(".corrupt")), c.bytes);
    }
    // A second damage keeps the first copy.
    writeFile(path, "{oops");
    UserDefaults again(path);
    EXPECT_EQ(contents(path + qs(".corrupt.2")), QByteArray("{oops"));
    EXPECT_EQ(contents(path + qs(".corrupt")), cases[2].bytes);
}

TEST_F(UserDefaultsTest, RemovingTheDomainForgetsEverything)
{
    {
        UserDefaults defaults(path);
        defaults.setValue(qs("QV1DselectedLabels"), QVariantList { qs("All") });
        defaults.setValue(qs("QVFontSize"), 14.0);
        defaults.sync();
        QSignalSpy changed(&defaults, &UserDefaults::valueChanged);
        defaults.removePersistentDomain();
        EXPECT_EQ(changed.count(), 2);
        EXPECT_FALSE(defaults.contains(qs("QVFontSize")));
    }
    EXPECT_TRUE(UserDefaults(path).keys().isEmpty());
}

} // namespace
