// The program's preferences: one JSON object per edition, kept in a file in the user's config folder.
//
// Values are what JSON can hold: strings, numbers, booleans, arrays (QVariantList) and dictionaries
// (QVariantMap); byte arrays are kept as base64 text (read them back with dataValue()). A value is
// stored in the form a reload would give, so value() answers the same before and after a restart.
//
// Changes are written atomically and coalesced: the file is written once control returns to the
// event loop, on sync(), when the object dies and, for the shared instance, when the application
// quits. A damaged file is copied aside ("<file>.corrupt") before anything overwrites it; when the
// copy cannot be made the file is left alone and changes stay in memory.
//
// Not thread-safe: use an instance from the thread it lives in (the shared one: the GUI thread).
#pragma once

#include <QObject>
#include <QStringList>
#include <QVariant>

class UserDefaults : public QObject
{
    Q_OBJECT

public:
    explicit UserDefaults(const QString &filePath, QObject *parent = nullptr);
    ~UserDefaults() override;

    // The application's preferences, in the config folder of the edition (the application name).
    static UserDefaults &standard();
    static QString standardFilePath();

    QString filePath() const { return m_filePath; }

    // An invalid QVariant when the key is absent.
    QVariant value(const QString &key) const;
    bool contains(const QString &key) const { return m_values.contains(key); }
    QStringList keys() const { return m_values.keys(); }
    QVariantMap dictionaryRepresentation() const { return m_values; }

    // Stores a value; an invalid QVariant removes the key. Returns false (and stores nothing) for a
    // value JSON cannot represent.
    bool setValue(const QString &key, const QVariant &value);
    void remove(const QString &key);

    // Typed reads; each gives the type's empty value when the key is absent or holds another kind.
    // Numbers and the texts "YES"/"true" and numerals convert where the platform's defaults would.
    QString stringValue(const QString &key) const;
    bool boolValue(const QString &key) const;
    qint64 integerValue(const QString &key) const;
    double doubleValue(const QString &key) const;
    QVariantList arrayValue(const QString &key) const;
    QStringList stringArrayValue(const QString &key) const; // empty unless every element is a string
    QVariantMap dictionaryValue(const QString &key) const;
    QByteArray dataValue(const QString &key) const;

    // Forgets every preference ("restore default preferences").
    void removePersistentDomain();

    // Writes pending changes now. False when the file could not be written (changes stay pending).
    bool sync();
    bool hasPendingChanges() const { return m_dirty; }

    // False while a damaged or unreadable file could not be preserved, so it is never overwritten.
    bool isWritable() const { return m_writable; }

Q_SIGNALS:
    // A key's value changed or was removed.
    void valueChanged(const QString &key);

private:
    void load();
    bool preserveDamagedFile(const QByteArray &bytes, const QString &reason);
    void markDirty();

    QString m_filePath;
    QVariantMap m_values;
    bool m_dirty = false;
    bool m_syncScheduled = false;
    bool m_writable = true;
};
