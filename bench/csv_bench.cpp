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
    return entries && entries->size() == count ? 0 : 1;
}
