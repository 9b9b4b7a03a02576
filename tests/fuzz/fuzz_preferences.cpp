// Fuzz target of the preferences file: whatever the file holds, opening it never crashes and
// never loses it silently. Every key of a readable file survives a change and a write; a file
// that cannot be read is either kept byte for byte beside it, or never overwritten.
#include "fuzzsupport.h"
#include "platform/userdefaults.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <memory>

namespace {

const QString kFileName = QStringLiteral("preferences.json");
const QString kChangedKey = QStringLiteral("fuzzChangedKey");

// The folder the file is written to, made on first use: on tmpfs where there is one, since every
// input is written, read, copied and replaced.
const QTemporaryDir &folderOfFile()
{
    static const auto folder = [] {
        const QString shm = QStringLiteral("/dev/shm");
        auto dir = QDir(shm).exists()
            ? std::make_unique<QTemporaryDir>(shm + QStringLiteral("/fuzz_preferences-XXXXXX"))
            : std::make_unique<QTemporaryDir>();
        if (!dir->isValid())
            FuzzSupport::fail("a temporary folder for the preferences file");
        return dir;
    }();
    return *folder;
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Whether another file of the folder holds these bytes.
bool keptAside(const QDir &folder, const QByteArray &bytes)
{
    const QStringList names = folder.entryList(QDir::Files | QDir::Hidden);
    for (const QString &name : names) {
        if (name != kFileName && contents(folder.filePath(name)) == bytes)
            return true;
    }
    return false;
}

QByteArray described(const QVariantMap &values)
{
    return QJsonDocument(QJsonObject::fromVariantMap(values)).toJson(QJsonDocument::Compact);
}

// Opens the preferences file holding the input, changes a key and writes it.
void check(QByteArrayView input)
{
    QDir folder(folderOfFile().path());
    for (const QString &name : folder.entryList(QDir::Files | QDir::Hidden))
        folder.remove(name);
    const QString path = folder.filePath(kFileName);
    const QByteArray bytes(input.toByteArray());
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            FuzzSupport::fail("writing the input to the preferences file");
    }

    // What a reader outside the program makes of the file: a JSON object, or nothing usable.
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    const bool readable = error.error == QJsonParseError::NoError && document.isObject();

    QVariantMap loaded;
    bool written = false;
    {
        UserDefaults defaults(path);
        loaded = defaults.dictionaryRepresentation();
        if (contents(path) != bytes)
            FuzzSupport::fail("opening the preferences leaves the file as it was");
        if (readable && loaded.keys() != document.object().keys())
            FuzzSupport::fail("every key of a readable file is read",
                              described(document.object().toVariantMap()), described(loaded));
        defaults.setValue(kChangedKey, true);
        written = defaults.sync();
    }

    const bool blank = bytes.trimmed().isEmpty();
    if (!readable && !blank && !keptAside(folder, bytes) && contents(path) != bytes)
        FuzzSupport::fail("a damaged file is kept aside or left alone");
    if (!written && contents(path) != bytes)
        FuzzSupport::fail("a failed write leaves the file as it was");
    if (written) {
        UserDefaults reopened(path);
        QVariantMap expected = loaded;
        expected.insert(kChangedKey, true);
        if (reopened.dictionaryRepresentation() != expected)
            FuzzSupport::fail("the written preferences read back as they were", described(expected),
                              described(reopened.dictionaryRepresentation()));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return FuzzSupport::testOneInput(data, size, check);
}
