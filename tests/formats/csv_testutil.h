// Helpers shared by the CSV tests.
#pragma once

#include "../testutil.h"
#include "formats/qvvcard.h"
#include "record/keys.h"

#include <QFile>
#include <QStringDecoder>

inline SubContactRow rowOf(const PersonPtr &p, int labelIndex = 0)
{
    SubContactRow r;
    r.person = p;
    r.labelIndex = labelIndex;
    return r;
}

// A file of the corpus as text, decoded by its byte-order mark or as UTF-8.
inline QString corpusFile(const QString &path)
{
    QFile file(QStringLiteral(PELLORY_CORPUS_DIR "/") + path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    QStringDecoder decoder(QStringConverter::encodingForData(bytes).value_or(QStringConverter::Utf8));
    return decoder.decode(bytes);
}

// The corpus's CSV files, from its manifest.
inline QStringList corpusCsvFiles()
{
    QFile manifest(QStringLiteral(PELLORY_CORPUS_DIR "/MANIFEST.tsv"));
    QStringList files;
    if (!manifest.open(QIODevice::ReadOnly))
        return files;
    for (const QByteArray &line : manifest.readAll().split('\n')) {
        const QList<QByteArray> fields = line.split('\t');
        if (fields.size() > 3 && fields.at(3) == "csv")
            files.append(QString::fromUtf8(fields.at(0)));
    }
    return files;
}

// What the fixed CSV columns carry of a contact, as one line. Phones and e-mails are taken without
// their labels: they come back under "home", whatever column they were written to. Addresses are
// taken by the parts the columns have (no country).
inline QString carried(const PersonPtr &p)
{
    const QStringList identifiers
        = { FieldId::Name,    FieldId::Company, FieldId::Note, FieldId::Nickname, FieldId::Birthday,
            FieldId::State,   FieldId::Street,  FieldId::City, FieldId::Zip,      FieldId::SocialNetwork };
    QString line = QVvCard::csvStringFromContact(rowOf(p), identifiers, QStringLiteral("|"), false);
    line += u'|' + p->nameValue().value(FieldId::FirstName).toString() + u'|'
        + p->nameValue().value(FieldId::LastName).toString() + u'|' + QString::number(p->showAsPerson());
    for (const QString &identifier : { FieldId::Phone, FieldId::Email })
        line += u'|' + p->labeledValueForIdentifierAtIndex(identifier, 0).value(Key::StringValue).toString();
    return line;
}
