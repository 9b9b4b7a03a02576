#include "platform/userdefaults.h"

#include "platform/atomicfilewriter.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QStandardPaths>
#include <QTimer>

namespace {

UserDefaults *g_standard = nullptr;

void syncStandard()
{
    if (g_standard)
        g_standard->sync();
}

// The form a value takes after a round trip through the file.
QVariant storedForm(const QVariant &value)
{
    if (value.typeId() == QMetaType::QByteArray)
        return QString::fromLatin1(value.toByteArray().toBase64());
    return QJsonValue::fromVariant(value).toVariant();
}

bool isNumber(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

} // namespace

UserDefaults::UserDefaults(const QString &filePath, QObject *parent)
    : QObject(parent)
    , m_filePath(filePath)
{
    load();
}

UserDefaults::~UserDefaults()
{
    sync();
    if (g_standard == this)
        g_standard = nullptr;
}

QString UserDefaults::standardFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)
        + QStringLiteral("/preferences.json");
}

UserDefaults &UserDefaults::standard()
{
    if (!g_standard) {
        g_standard = new UserDefaults(standardFilePath());
        // Nothing pending may be lost when the application ends, whichever way it ends.
        if (QCoreApplication *app = QCoreApplication::instance()) {
            QObject::connect(app, &QCoreApplication::aboutToQuit, g_standard, &UserDefaults::sync);
            qAddPostRoutine(syncStandard);
        }
    }
    return *g_standard;
}

void UserDefaults::load()
{
    QFile file(m_filePath);
    if (!file.exists())
        return;
    if (!file.open(QIODevice::ReadOnly)) {
        // Never replace a file we could not even read.
        m_writable = false;
        qWarning().noquote() << "UserDefaults: ERROR can't read" << m_filePath << file.errorString();
        return;
    }
    const QByteArray bytes = file.readAll();
    file.close();
    if (bytes.trimmed().isEmpty())
        return;

    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError) {
        preserveDamagedFile(bytes, error.errorString());
        return;
    }
    if (!document.isObject()) {
        preserveDamagedFile(bytes, QStringLiteral("not a JSON object"));
        return;
    }
    m_values = document.object().toVariantMap();
}

bool UserDefaults::preserveDamagedFile(const QByteArray &bytes, const QString &reason)
{
    const QString base = m_filePath + QStringLiteral(".corrupt");
    QString copy = base;
    for (int n = 2; QFile::exists(copy) && n < 1000; ++n)
        copy = base + u'.' + QString::number(n);
    // Written like any other file: a copy cut short by a full disk is no copy.
    if (!QFile::exists(copy) && AtomicFileWriter::writeFile(copy, bytes)) {
        qWarning().noquote() << "UserDefaults:" << m_filePath << "is damaged (" << reason
                             << "); kept a copy as" << copy << "and started with empty preferences";
        return true;
    }
    m_writable = false;
    qWarning().noquote() << "UserDefaults: ERROR" << m_filePath << "is damaged (" << reason
                         << ") and can't be copied aside; preferences will not be saved";
    return false;
}

QVariant UserDefaults::value(const QString &key) const
{
    return m_values.value(key);
}

bool UserDefaults::setValue(const QString &key, const QVariant &value)
{
    if (!value.isValid()) {
        remove(key);
        return true;
    }
    const QVariant stored = storedForm(value);
    if (!stored.isValid() || (stored.isNull() && !value.isNull())) {
        qWarning().noquote() << "UserDefaults: ERROR can't store a" << value.metaType().name() << "under"
                             << key;
        return false;
    }
    const auto it = m_values.constFind(key);
    if (it != m_values.constEnd() && it->typeId() == stored.typeId() && *it == stored)
        return true;
    m_values.insert(key, stored);
    markDirty();
    Q_EMIT valueChanged(key);
    return true;
}

void UserDefaults::remove(const QString &key)
{
    if (m_values.remove(key) == 0)
        return;
    markDirty();
    Q_EMIT valueChanged(key);
}

void UserDefaults::removePersistentDomain()
{
    const QStringList removed = m_values.keys();
    m_values.clear();
    markDirty();
    for (const QString &key : removed)
        Q_EMIT valueChanged(key);
}

QString UserDefaults::stringValue(const QString &key) const
{
    const QVariant v = value(key);
    if (v.typeId() == QMetaType::QString)
        return v.toString();
    if (isNumber(v))
        return v.toString();
    return {};
}

bool UserDefaults::boolValue(const QString &key) const
{
    const QVariant v = value(key);
    if (v.typeId() == QMetaType::Bool)
        return v.toBool();
    if (isNumber(v))
        return v.toDouble() != 0;
    if (v.typeId() == QMetaType::QString) {
        const QString s = v.toString().trimmed();
        return s.compare(QLatin1String("yes"), Qt::CaseInsensitive) == 0
            || s.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || s.toLongLong() != 0;
    }
    return false;
}

qint64 UserDefaults::integerValue(const QString &key) const
{
    const QVariant v = value(key);
    if (v.typeId() == QMetaType::Bool)
        return v.toBool() ? 1 : 0;
    if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float)
        return qint64(v.toDouble()); // truncated, not rounded
    if (isNumber(v) || v.typeId() == QMetaType::QString) {
        bool ok = false;
        const qint64 n = v.toLongLong(&ok);
        return ok ? n : qint64(v.toDouble());
    }
    return 0;
}

double UserDefaults::doubleValue(const QString &key) const
{
    const QVariant v = value(key);
    if (v.typeId() == QMetaType::Bool)
        return v.toBool() ? 1 : 0;
    if (isNumber(v) || v.typeId() == QMetaType::QString)
        return v.toDouble();
    return 0;
}

QVariantList UserDefaults::arrayValue(const QString &key) const
{
    const QVariant v = value(key);
    return v.typeId() == QMetaType::QVariantList ? v.toList() : QVariantList();
}

QStringList UserDefaults::stringArrayValue(const QString &key) const
{
    QStringList strings;
    for (const QVariant &element : arrayValue(key)) {
        if (element.typeId() != QMetaType::QString)
            return {};
        strings.append(element.toString());
    }
    return strings;
}

QVariantMap UserDefaults::dictionaryValue(const QString &key) const
{
    const QVariant v = value(key);
    return v.typeId() == QMetaType::QVariantMap ? v.toMap() : QVariantMap();
}

QByteArray UserDefaults::dataValue(const QString &key) const
{
    const QVariant v = value(key);
    if (v.typeId() != QMetaType::QString)
        return {};
    const auto decoded
        = QByteArray::fromBase64Encoding(v.toString().toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    return decoded ? *decoded : QByteArray();
}

void UserDefaults::markDirty()
{
    m_dirty = true;
    if (m_syncScheduled)
        return;
    m_syncScheduled = true;
    // Many changes in one event make one write.
    QTimer::singleShot(0, this, [this] {
        m_syncScheduled = false;
        sync();
    });
}

bool UserDefaults::sync()
{
    if (!m_dirty)
        return true;
    if (!m_writable)
        return false;
    QDir().mkpath(QFileInfo(m_filePath).absolutePath());
    const QByteArray bytes
        = QJsonDocument(QJsonObject::fromVariantMap(m_values)).toJson(QJsonDocument::Indented);
    QString error;
    if (!AtomicFileWriter::writeFile(m_filePath, bytes, &error)) {
        qWarning().noquote() << "UserDefaults: ERROR can't write" << m_filePath << error;
        return false;
    }
    m_dirty = false;
    return true;
}
