// Timings of the contacts table's core at document scale: row building, sorting, full reloads.
//
//   table_bench [--count N] [--runs R]
//
// Builds N (default 100,000) deterministic records in memory (Latin and Japanese names, several
// labeled phones and e-mail addresses, addresses, birthdays, some companies) and prints the median
// of R (default 5) runs of each step.
#include "record/keys.h"
#include "record/qvperson.h"
#include "table/keys.h"
#include "table/subcontactbuilder.h"
#include "table/tablerows.h"
#include "table/tablesorter.h"
#include "table/viewtypes.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLocale>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

namespace {

// A small deterministic generator, so every run sorts the same data.
class Lcg
{
public:
    explicit Lcg(quint64 seed)
        : m_state(seed)
    { }
    quint32 next()
    {
        m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
        return quint32(m_state >> 33);
    }
    int below(int n) { return int(next() % quint32(n)); }
    template<typename T, size_t N> const T &pick(const T (&items)[N]) { return items[below(int(N))]; }

private:
    quint64 m_state;
};

const char *const kLatinFirst[]
    = { "Anna", "Björn", "Émile", "Zoë", "John", "mary", "Olga", "Luis", "Chloé", "Ian" };
const char *const kLatinLast[]
    = { "Berg", "Smith", "Ångström", "müller", "O'Neil", "van Dyke", "Lee", "García", "Novak", "Dubois" };
const char *const kJapaneseFirst[] = { "太郎", "花子", "さくら", "健", "ゆい", "翔太", "美咲", "ハルト" };
const char *const kJapaneseLast[] = { "山田", "佐藤", "鈴木", "高橋", "たなか", "伊藤", "渡辺", "中村" };
const char *const kDomains[]
    = { "example.com", "Example.org", "mail.example.jp", "corp.example.net", "EXAMPLE.io" };
const char *const kCities[] = { "Springfield", "Berlin", "大阪市", "Paris", "Zürich", "Osaka", "Lyon" };
const char *const kCompanies[] = { "Acme", "Globex", "Initech", "株式会社サンプル", "Umbrella", "Hooli" };

QString u8(const char *text)
{
    return QString::fromUtf8(text);
}

QVariantMap item(const QString &label, const QString &value)
{
    return { { Key::Label, label }, { Key::Value, value } };
}

PersonPtr makePerson(Lcg &rng, int n)
{
    PersonPtr person = QVPerson::create();
    const bool japanese = rng.below(3) == 0;
    const QString first = u8(japanese ? rng.pick(kJapaneseFirst) : rng.pick(kLatinFirst));
    const QString last
        = u8(japanese ? rng.pick(kJapaneseLast) : rng.pick(kLatinLast)) + QString::number(n % 997);
    const bool organisation = rng.below(20) == 0;
    person->setValue(QVariantMap { { FieldId::FirstName, first },
                                   { FieldId::LastName, last },
                                   { Key::ShowAsPerson, !organisation },
                                   { Key::NameOrdering, japanese ? 2 : 1 } },
                     FieldId::Name);
    if (organisation || rng.below(3) == 0)
        person->setValue(u8(rng.pick(kCompanies)), FieldId::Company);

    static const QString phoneLabels[]
        = { LabelWord::Home, LabelWord::Work, LabelWord::Mobile, LabelWord::IPhone, LabelWord::Main };
    QVariantList phones;
    for (int i = rng.below(4); i >= 0; --i) {
        QVariantMap phone
            = item(rng.pick(phoneLabels),
                   QStringLiteral("+1 555 %1").arg(rng.below(10000000), 7, 10, QLatin1Char('0')));
        phone.insert(Key::LabelIndex, phones.size());
        phones.append(phone);
    }
    person->setValue(phones, FieldId::Phone);

    static const QString emailLabels[] = { LabelWord::Home, LabelWord::Work, LabelWord::Other };
    QVariantList emails;
    for (int i = rng.below(4) - 1; i >= 0; --i) {
        QVariantMap email
            = item(rng.pick(emailLabels),
                   QStringLiteral("user%1@%2").arg(rng.below(100000)).arg(u8(rng.pick(kDomains))));
        email.insert(Key::LabelIndex, emails.size());
        emails.append(email);
    }
    person->setValue(emails, FieldId::Email);

    QVariantList addresses;
    for (int i = rng.below(3) - 1; i >= 0; --i) {
        QVariantMap address { { Key::Label, i == 0 ? LabelWord::Home : LabelWord::Work },
                              { FieldId::Street, QStringLiteral("%1 Main St").arg(rng.below(999) + 1) },
                              { FieldId::City, u8(rng.pick(kCities)) },
                              { FieldId::Zip, QString::number(10000 + rng.below(89999)) },
                              { Key::LabelIndex, addresses.size() } };
        addresses.append(address);
    }
    person->setValue(addresses, FieldId::Address);

    if (rng.below(5) != 0) {
        DateComponents birthday { 1940 + rng.below(70), 1 + rng.below(12), 1 + rng.below(28) };
        if (rng.below(10) == 0)
            birthday.year = DateComponents::Undefined;
        person->setBirthdayValue(QVariantMap { { Key::Value, QVariant::fromValue(birthday) } });
    }
    return person;
}

ContactList makeContacts(int count)
{
    Lcg rng(20240607);
    ContactList contacts;
    contacts.reserve(count);
    for (int n = 0; n < count; ++n)
        contacts.append(makeContactEntry(makePerson(rng, n)));
    return contacts;
}

// CPU time of the whole process (all threads), in milliseconds.
double processCpuMs()
{
    timespec ts {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

struct Timing
{
    double wallMs = 0;
    double cpuMs = 0;
};

// Medians of `runs` wall-clock and CPU timings; `prepare` runs untimed before each.
Timing median(int runs, const std::function<void()> &prepare, const std::function<void()> &work)
{
    std::vector<double> wall;
    std::vector<double> cpu;
    for (int r = 0; r < runs; ++r) {
        prepare();
        QElapsedTimer timer;
        const double cpuStart = processCpuMs();
        timer.start();
        work();
        wall.push_back(double(timer.nsecsElapsed()) / 1e6);
        cpu.push_back(processCpuMs() - cpuStart);
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    return { wall[wall.size() / 2], cpu[cpu.size() / 2] };
}

void report(const QString &what, qsizetype rows, const Timing &t)
{
    std::printf("%-44s %8lld rows %9.1f ms wall %9.1f ms cpu\n", qPrintable(what),
                static_cast<long long>(rows), t.wallMs, t.cpuMs);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    int count = 100000;
    int runs = 5;
    const QStringList args = app.arguments();
    for (qsizetype i = 1; i + 1 < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--count"))
            count = args.at(i + 1).toInt();
        else if (args.at(i) == QLatin1String("--runs"))
            runs = std::max(1, args.at(i + 1).toInt());
    }

    QElapsedTimer setup;
    setup.start();
    const ContactList contacts = makeContacts(count);
    std::printf("%d contacts generated in %.0f ms; median of %d runs\n", count, double(setup.elapsed()),
                runs);

    const QVariantMap viewTypes = ViewTypes::builtInViewTypeDict();
    const QStringList all { LabelWord::All };
    auto columns
        = [&](const QString &viewType) { return ViewTypes::identifiersForViewType(viewTypes, viewType); };

    for (const QString &viewType : { ViewTypeName::Name, ViewTypeName::Phone, ViewTypeName::LabeledValues }) {
        SubContactRows rows;
        const Timing t = median(
            runs, [] {},
            [&] { rows = SubContactBuilder::updateSubContactTable(contacts, columns(viewType), all); });
        report(QStringLiteral("row rebuild, view \"%1\"").arg(viewType), rows.size(), t);
    }

    struct SortCase
    {
        const char *name;
        QString viewType;
        QString key;
    };
    const SortCase sorts[] = {
        { "sort by Name (compositeName)", ViewTypeName::Name, FieldId::CompositeName },
        { "sort by Name (LastName)", ViewTypeName::Name, FieldId::LastName },
        { "sort by Phone", ViewTypeName::Phone, FieldId::Phone },
        { "sort by Birthday", ViewTypeName::PersonalInformation, FieldId::Birthday },
        { "sort by Email domain", ViewTypeName::Email, FieldId::Email + u' ' + Key::Domain },
    };
    for (const SortCase &sort : sorts) {
        const SubContactRows built
            = SubContactBuilder::updateSubContactTable(contacts, columns(sort.viewType), all);
        for (const bool ascending : { true, false }) {
            SubContactRows rows;
            const Timing t = median(
                runs,
                [&] {
                    // A private copy, so the timed sort does not pay for detaching it.
                    rows = built;
                    rows.detach();
                },
                [&] {
                    TableSorter::sortRows(rows, { sort.key, ascending }, all);
                });
            report(QStringLiteral("%1, %2").arg(QLatin1String(sort.name),
                                                ascending ? QLatin1String("asc") : QLatin1String("desc")),
                   rows.size(), t);
        }
    }

    for (const QString &viewType : { ViewTypeName::Name, ViewTypeName::Phone, ViewTypeName::LabeledValues }) {
        SubContactRows rows;
        const Timing t = median(
            runs, [] {},
            [&] { rows = TableRows::reloadRows(contacts, columns(viewType), all, std::nullopt); });
        report(QStringLiteral("full reload, view \"%1\"").arg(viewType), rows.size(), t);
    }
    return 0;
}
