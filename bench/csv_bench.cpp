// Times the CSV writer and reader on generated contacts: csv_bench [COUNT] (default 100000).
#include "formats/qvvcard.h"
#include "platform/contactlabels.h"
#include "record/keys.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

namespace {

PersonPtr generatedPerson(int i)
{
    const QString n = QString::number(i);
    PersonPtr p = QVPerson::create();
    p->setValue(QVariantMap { { FieldId::FirstName, QString(QStringLiteral("Anna") + n) },
                              { FieldId::LastName, QStringLiteral("Berg") } },
                FieldId::Name);
    p->setValue(QVariantList { QVariantMap { { Key::Label, LabelWord::Home },
                                             { Key::Value, QString(QStringLiteral("+1 555 ") + n) } },
                               QVariantMap { { Key::Label, LabelWord::Work },
                                             { Key::Value, QString(QStringLiteral("555-") + n) } } },
                FieldId::Phone);
    p->setValue(QVariantList { QVariantMap { { Key::Label, LabelWord::Home },
                                             { Key::Value, QString(n + QStringLiteral("@example.com")) } } },
                FieldId::Email);
    p->setValue(QVariantList { QVariantMap { { Key::Label, LabelWord::Home },
                                             { FieldId::Street, QString(QStringLiteral("Main St ") + n) },
                                             { FieldId::City, QStringLiteral("Springfield") },
                                             { FieldId::Zip, QStringLiteral("62701") } } },
                FieldId::Address);
    p->setValue(
        QVariantMap {
            { Key::Value, QVariant::fromValue(DateComponents { 1950 + i % 60, 1 + i % 12, 1 + i % 28 }) } },
        FieldId::Birthday);
    p->setValue(QStringLiteral("Acme, Inc."), FieldId::Company);
    p->setValue(QStringLiteral("first line\nsecond line"), FieldId::Note);
    p->setValue(QVariantList { QVariantMap { { Key::Label, SocialService::Facebook },
                                             { Key::Value, QString(QStringLiteral("fb") + n) } } },
                FieldId::SocialNetwork);
    return p;
}

// The same contacts as a mail and calendar program exports them: every cell quoted, a note with
// line breaks, groups.
QString generatedExport(int count)
{
    QString text = QStringLiteral("\"First Name\",\"Last Name\",\"E-mail Address\",\"Business Phone\","
                                  "\"Mobile Phone\",\"Home Street\",\"Home City\",\"Home Postal Code\","
                                  "\"Company\",\"Birthday\",\"Notes\",\"Categories\"\r\n");
    for (int i = 0; i < count; ++i) {
        const QString n = QString::number(i);
        text += QStringLiteral("\"Anna%1\",\"Berg\",\"%1@example.com\",\"555-%1\",\"+1 555 %1\","
                               "\"Main St %1\",\"Springfield\",\"62701\",\"Acme, Inc.\",\"%2/%3/19%4\","
                               "\"first line\r\nsecond \"\"line\"\"\",\"Friends;Group %5\"\r\n")
                    .arg(n)
                    .arg(1 + i % 12)
                    .arg(1 + i % 28)
                    .arg(50 + i % 50)
                    .arg(i % 10);
    }
    return text;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 100000;

    SubContactRows rows;
    rows.reserve(count);
    for (int i = 0; i < count; ++i) {
        SubContactRow row;
        row.person = generatedPerson(i);
        rows.append(row);
    }

    QElapsedTimer timer;
    timer.start();
    const QString csv = QVvCard::csvFromSubContacts(rows);
    const qint64 writeMs = timer.restart();
    const auto entries = QVvCard::contactsFromCSV(csv);
    const qint64 readMs = timer.elapsed();

    std::printf("%d contacts, %lld characters: written in %lld ms, read in %lld ms (%lld contacts)\n", count,
                static_cast<long long>(csv.size()), static_cast<long long>(writeMs),
                static_cast<long long>(readMs), static_cast<long long>(entries ? entries->size() : 0));

    const QString exported = generatedExport(count);
    timer.restart();
    const auto containers = QVvCard::containersFromCSV(exported);
    const qint64 exportMs = timer.elapsed();
    const qsizetype exportContacts
        = containers ? QVvCard::contactsInContainer(containers->first())->size() : 0;
    std::printf("%d exported contacts, %lld characters: read in %lld ms (%lld contacts, %lld groups)\n", count,
                static_cast<long long>(exported.size()), static_cast<long long>(exportMs),
                static_cast<long long>(exportContacts),
                static_cast<long long>(containers ? containers->first()->groups.size() - 1 : 0));
    return entries && entries->size() == count && exportContacts == count ? 0 : 1;
}
