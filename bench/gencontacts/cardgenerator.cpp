#include "cardgenerator.h"

#include "countries.h"
#include "photo.h"
#include "random.h"
#include "wordlists.h"

namespace Gen {

namespace {

using Countries::Country;
using Countries::StreetStyle;

template<typename T> const T &weighted(SplitMix64 &rng, std::span<const T> items, int (*weightOf)(const T &))
{
    int total = 0;
    for (const T &item : items)
        total += weightOf(item);
    int roll = int(rng.below(uint32_t(total)));
    for (const T &item : items) {
        roll -= weightOf(item);
        if (roll < 0)
            return item;
    }
    return items.back();
}

// Mail addresses and handles are ASCII: drop accents, spaces and punctuation.
QString asciiHandle(QString text)
{
    // Letters that do not decompose into a base letter and a mark.
    static constexpr std::pair<char16_t, const char *> spelled[]
        = { { u'ß', "ss" }, { u'ø', "o" }, { u'Ø', "O" }, { u'æ', "ae" }, { u'ł', "l" }, { u'Ł', "L" } };
    for (const auto &[letter, ascii] : spelled)
        text.replace(QChar(letter), QLatin1String(ascii));
    QString out;
    for (const QChar c : text.normalized(QString::NormalizationForm_KD)) {
        if (c.unicode() < 128 && c.isLetterOrNumber())
            out += c.toLower();
    }
    return out;
}

QString uuid(SplitMix64 &rng)
{
    const uint64_t high = rng.next();
    const uint64_t low = rng.next();
    const QString hex
        = QStringLiteral("%1%2").arg(high, 16, 16, QChar(u'0')).arg(low, 16, 16, QChar(u'0')).toUpper();
    return hex.mid(0, 8) + u'-' + hex.mid(8, 4) + u'-' + hex.mid(12, 4) + u'-' + hex.mid(16, 4) + u'-'
        + hex.mid(20);
}

// ---- Phone numbers: fictional or drama ranges where a country has them --------------------

QString phoneNumber(SplitMix64 &rng, const QString &code, bool mobile)
{
    struct Plan
    {
        const char *code;
        const char *mobile[2]; // domestic, international
        const char *fixed[2];
    };
    static constexpr Plan plans[] = {
        { "GB", { "07700 900###", "+44 7700 900###" }, { "020 7946 0###", "+44 161 496 0###" } },
        { "AU", { "0491 570 ###", "+61 491 570 ###" }, { "(02) 5550 ####", "+61 2 5550 ####" } },
        { "FR", { "06 39 98 ## ##", "+33 6 39 98 ## ##" }, { "01 99 00 ## ##", "+33 1 99 00 ## ##" } },
        { "JP", { "090-####-####", "+81 90-####-####" }, { "03-####-####", "+81 3-####-####" } },
        { "DE", { "0151 2#######", "+49 151 2#######" }, { "030 2######", "+49 30 2######" } },
        { "IT", { "3## ### ####", "+39 3## ### ####" }, { "06 #### ####", "+39 06 #### ####" } },
        { "ES", { "6## ## ## ##", "+34 6## ## ## ##" }, { "91 ### ## ##", "+34 91 ### ## ##" } },
        { "NL", { "06-########", "+31 6 ########" }, { "020 ### ####", "+31 20 ### ####" } },
        { "SE", { "070-### ## ##", "+46 70-### ## ##" }, { "08-### ## ##", "+46 8-### ## ##" } },
        { "CH", { "079 ### ## ##", "+41 79 ### ## ##" }, { "044 ### ## ##", "+41 44 ### ## ##" } },
    };
    const int international = rng.percent(30) ? 1 : 0;
    if (code == u"US" || code == u"CA") {
        static constexpr const char *us[] = { "212", "312", "503", "512", "617", "303", "608", "912" };
        static constexpr const char *ca[] = { "416", "514", "604", "613", "403", "902" };
        const QString area
            = rng.word(code == u"US" ? std::span<const char *const>(us) : std::span<const char *const>(ca));
        const QString local = rng.fill(QStringLiteral("555-01##"));
        if (international)
            return QStringLiteral("+1 (") + area + QStringLiteral(") ") + local;
        if (rng.percent(50))
            return u'(' + area + QStringLiteral(") ") + local;
        return area + u'-' + local;
    }
    for (const Plan &plan : plans) {
        if (code == QLatin1String(plan.code))
            return rng.fill(
                QString::fromLatin1(mobile ? plan.mobile[international] : plan.fixed[international]));
    }
    return rng.fill(QStringLiteral("+## ### ### ####"));
}

// ---- Labeled values ----------------------------------------------------------------------

struct SlotChoice
{
    Slot slot;
    int weight;
    const char *types; // space separated vCard TYPE values
};

constexpr SlotChoice PersonPhoneSlots[] = {
    { Slot::Mobile, 35, "CELL VOICE" }, { Slot::Home, 20, "HOME VOICE" },  { Slot::Work, 25, "WORK VOICE" },
    { Slot::WorkFax, 6, "WORK FAX" },   { Slot::HomeFax, 3, "HOME FAX" },  { Slot::Main, 5, "MAIN" },
    { Slot::Pager, 2, "PAGER" },        { Slot::Other, 4, "OTHER VOICE" },
};
constexpr SlotChoice CompanyPhoneSlots[]
    = { { Slot::Main, 40, "MAIN" }, { Slot::Work, 40, "WORK VOICE" }, { Slot::WorkFax, 20, "WORK FAX" } };
constexpr SlotChoice EmailSlots[] = { { Slot::Home, 45, "INTERNET HOME" },
                                      { Slot::Work, 45, "INTERNET WORK" },
                                      { Slot::Other, 10, "INTERNET" } };
constexpr SlotChoice AddressSlots[]
    = { { Slot::Home, 60, "HOME" }, { Slot::Work, 35, "WORK" }, { Slot::Other, 5, "" } };

const SlotChoice &pickSlot(SplitMix64 &rng, std::span<const SlotChoice> slots)
{
    return weighted<SlotChoice>(rng, slots, [](const SlotChoice &c) { return c.weight; });
}

Labeled labeled(const SlotChoice &choice, const QString &value)
{
    return { choice.slot, QString::fromLatin1(choice.types).split(u' ', Qt::SkipEmptyParts), QString(),
             value };
}

const Labeled *firstWithValue(const QList<Labeled> &items, const QString &value)
{
    for (const Labeled &item : items)
        if (item.value == value)
            return &item;
    return nullptr;
}

// Some items carry an Apple-style label of their own instead of TYPE values.
void maybeGroup(SplitMix64 &rng, Labeled &item, int percent, const QString &platformLabel,
                std::span<const char *const> customLabels, const QStringList &kept = {})
{
    if (!rng.percent(percent))
        return;
    if (!platformLabel.isEmpty() && rng.percent(60)) {
        item.groupLabel = platformLabel;
    } else {
        item.groupLabel = rng.word(customLabels);
        item.slot = Slot::Custom;
    }
    item.types = kept;
}

// ---- Names -------------------------------------------------------------------------------

void makeName(SplitMix64 &rng, const Country &country, Card &card)
{
    if (QLatin1String(country.code) == QLatin1String("JP") && rng.percent(85)) {
        const auto &family = rng.pick(std::span<const Words::JapaneseName>(Words::JapaneseFamily));
        const auto &given = rng.pick(std::span<const Words::JapaneseName>(Words::JapaneseGiven));
        card.japanese = true;
        card.family = QString::fromUtf8(family.kanji);
        card.given = QString::fromUtf8(given.kanji);
        card.phoneticFamily = QString::fromUtf8(family.kana);
        card.phoneticGiven = QString::fromUtf8(given.kana);
        return;
    }
    // One in ten has moved: names from anywhere, address from here.
    const Country &origin = rng.percent(10) ? rng.pick(std::span<const Country>(Countries::All)) : country;
    const auto given
        = origin.given.empty() ? std::span<const char *const>(Words::EnglishGiven) : origin.given;
    const auto family
        = origin.family.empty() ? std::span<const char *const>(Words::EnglishFamily) : origin.family;
    card.given = rng.word(given);
    card.family = rng.word(family);
    if (rng.percent(10))
        card.middle = rng.word(given);
    if (rng.percent(8))
        card.prefix = rng.word(Words::Prefixes);
    if (rng.percent(4))
        card.suffix = rng.word(Words::Suffixes);
}

QString personalHandle(SplitMix64 &rng, const Card &card)
{
    QString given = asciiHandle(card.given);
    QString family = asciiHandle(card.family);
    if (card.japanese) {
        for (const auto &n : Words::JapaneseGiven)
            if (card.given == QString::fromUtf8(n.kanji))
                given = QString::fromLatin1(n.romaji);
        for (const auto &n : Words::JapaneseFamily)
            if (card.family == QString::fromUtf8(n.kanji))
                family = QString::fromLatin1(n.romaji);
    }
    switch (rng.below(3)) {
    case 0:
        return given + u'.' + family;
    case 1:
        return given.left(1) + family;
    default:
        return given + family.left(1) + rng.digits(2);
    }
}

// ---- Addresses ---------------------------------------------------------------------------

QString streetLine(SplitMix64 &rng, const Country &country)
{
    const QString street = rng.word(country.streets);
    const QString number
        = QString::number(rng.between(1, country.style == StreetStyle::NumberFirst ? 2400 : 120));
    switch (country.style) {
    case StreetStyle::NumberFirst:
        return number + u' ' + street;
    case StreetStyle::NumberLast:
        return street + u' ' + number;
    case StreetStyle::NumberComma:
        return street + QStringLiteral(", ") + number;
    case StreetStyle::Japanese:
        const int block = rng.between(1, 9);
        const int lot = rng.between(1, 30);
        const int house = rng.between(1, 20);
        return street + QStringLiteral("%1-%2-%3").arg(block).arg(lot).arg(house);
    }
    return street;
}

Address makeAddress(SplitMix64 &rng, const Country &home, const SlotChoice &choice)
{
    const Country &country = rng.percent(85) ? home : rng.pick(std::span<const Country>(Countries::All));
    const Countries::Place &place = rng.pick(country.places);
    Address a;
    a.slot = choice.slot;
    a.types = QString::fromLatin1(choice.types).split(u' ', Qt::SkipEmptyParts);
    a.street = streetLine(rng, country);
    const QString second = rng.word(country.secondLines);
    if (!second.isEmpty() && rng.percent(25))
        a.street
            += (country.style == StreetStyle::Japanese ? QStringLiteral(" ") : QStringLiteral("\n")) + second;
    a.city = QString::fromUtf8(place.city);
    a.region = QString::fromUtf8(place.region);
    a.zip = QString::fromUtf8(place.zip);
    a.country = rng.word(country.names);
    if (a.country.isEmpty() && &country != &home)
        a.country = QString::fromUtf8(country.names.front());
    return a;
}

// ---- Everything else ---------------------------------------------------------------------

Date randomDate(SplitMix64 &rng, int fromYear, int toYear)
{
    static constexpr int days[] = { 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
    Date date;
    date.year = rng.between(fromYear, toYear);
    date.month = rng.between(1, 12);
    date.day = rng.between(1, days[date.month - 1]);
    return date;
}

QString makeNote(SplitMix64 &rng, bool japanese)
{
    const auto sentences = japanese && rng.percent(70)
        ? std::span<const char *const>(Words::JapaneseNoteSentences)
        : std::span<const char *const>(Words::NoteSentences);
    const int count = rng.between(1, 3);
    const QString separator = rng.percent(60) ? QStringLiteral("\n") : QStringLiteral(" ");
    QStringList parts;
    for (int i = 0; i < count; ++i) {
        const QString sentence = rng.word(sentences);
        if (!parts.contains(sentence))
            parts += sentence;
    }
    return parts.join(separator);
}

void addInstantMessages(SplitMix64 &rng, const QString &handle, Card &card)
{
    switch (rng.below(5)) {
    case 0:
        card.instantMessages.append({ QStringLiteral("IMPP"), QStringLiteral("Skype"), QStringLiteral("HOME"),
                                      QStringLiteral("skype:") + handle });
        break;
    case 1:
        card.instantMessages.append({ QStringLiteral("X-AIM"), QString(), QStringLiteral("HOME"), handle });
        break;
    case 2:
        card.instantMessages.append({ QStringLiteral("X-JABBER"), QString(), QStringLiteral("WORK"),
                                      handle + QStringLiteral("@jabber.example.org") });
        break;
    case 3:
        card.instantMessages.append(
            { QStringLiteral("IMPP"), QStringLiteral("Jabber"), QStringLiteral("WORK"),
              QStringLiteral("xmpp:") + handle + QStringLiteral("@chat.example.net") });
        break;
    default:
        card.instantMessages.append({ QStringLiteral("X-SKYPE"), QString(), QStringLiteral("HOME"), handle });
        break;
    }
}

void addSocialProfile(SplitMix64 &rng, const QString &handle, Card &card)
{
    struct Service
    {
        const char *type;
        const char *urlPrefix;
    };
    static constexpr Service services[] = {
        { "twitter", "https://twitter.com/" },          { "facebook", "https://www.facebook.com/" },
        { "linkedin", "https://www.linkedin.com/in/" }, { "flickr", "https://www.flickr.com/photos/" },
        { "sinaweibo", "https://weibo.com/n/" },
    };
    const Service &service = rng.pick(std::span<const Service>(services));
    for (const Social &existing : std::as_const(card.socialProfiles))
        if (existing.service == QLatin1String(service.type))
            return;
    card.socialProfiles.append(
        { QString::fromLatin1(service.type), handle, QString::fromLatin1(service.urlPrefix) + handle });
}

void addCustomItems(SplitMix64 &rng, Card &card)
{
    const int count = rng.between(1, 2);
    for (int i = 0; i < count; ++i) {
        CustomItem item;
        switch (rng.below(6)) {
        case 0:
            item = { QStringLiteral("SPOUSE-NICK"), QStringLiteral("home"), rng.word(Words::Nicknames) };
            break;
        case 1:
            item = { QStringLiteral("FAVORITE"), QString(), rng.word(Words::Favourites) };
            break;
        case 2:
            item = { QStringLiteral("EMPLOYEE-ID"), QString(), QStringLiteral("E-") + rng.digits(5) };
            break;
        case 3:
            item = { QStringLiteral("MEMBERSHIP"), rng.word(Words::Memberships),
                     QStringLiteral("M-") + rng.digits(6) };
            break;
        case 4:
            item = { QStringLiteral("SHOE-SIZE"), QString(), QString::number(rng.between(36, 46)) };
            break;
        default:
            item = { QStringLiteral("PARKING-SPACE"), QString(), QStringLiteral("B2-") + rng.digits(2) };
            break;
        }
        bool duplicate = false;
        for (const CustomItem &existing : std::as_const(card.customItems))
            duplicate |= existing.name == item.name;
        if (!duplicate)
            card.customItems.append(item);
    }
}

QString coordinate(SplitMix64 &rng, int low, int high)
{
    const int degrees = rng.between(low, high);
    return QString::number(degrees) + u'.' + rng.digits(6);
}

void addPhones(SplitMix64 &rng, const Country &country, Card &card)
{
    const auto slots = card.company ? std::span<const SlotChoice>(CompanyPhoneSlots)
                                    : std::span<const SlotChoice>(PersonPhoneSlots);
    const int count = rng.between(1, 3);
    for (int i = 0; i < count; ++i) {
        const SlotChoice &choice = pickSlot(rng, slots);
        const bool mobile = choice.slot == Slot::Mobile;
        Labeled phone = labeled(choice, phoneNumber(rng, QString::fromLatin1(country.code), mobile));
        if (mobile)
            maybeGroup(rng, phone, 25, QStringLiteral("_$!<Mobile>!$_"), Words::PhoneLabels);
        card.phones.append(phone);
    }
    card.phones.first().types.append(QStringLiteral("pref"));
}

void addEmails(SplitMix64 &rng, const QString &handle, const QString &companyDomain, Card &card)
{
    static constexpr const char *personalDomains[] = { "example.com", "example.org", "example.net" };
    const int count = rng.between(1, 2);
    for (int i = 0; i < count; ++i) {
        const SlotChoice &choice = pickSlot(rng, EmailSlots);
        const bool work = card.company || choice.slot == Slot::Work;
        Labeled email = labeled(choice, handle + u'@' + (work ? companyDomain : rng.word(personalDomains)));
        if (!work)
            maybeGroup(rng, email, 20, QStringLiteral("_$!<Other>!$_"), Words::EmailLabels,
                       { QStringLiteral("INTERNET") });
        if (!firstWithValue(card.emails, email.value))
            card.emails.append(email);
    }
    card.emails.first().types.append(QStringLiteral("pref"));
}

void addAddresses(SplitMix64 &rng, const Country &country, Card &card)
{
    const int count = card.company ? 1 : rng.between(0, 2);
    for (int i = 0; i < count; ++i) {
        const SlotChoice &choice = card.company ? AddressSlots[1] : pickSlot(rng, AddressSlots);
        Address address = makeAddress(rng, country, choice);
        if (rng.percent(10)) {
            address.groupLabel = rng.word(Words::AddressLabels);
            address.slot = Slot::Custom;
            address.types.clear();
        }
        card.addresses.append(address);
    }
}

void addUrl(SplitMix64 &rng, const QString &handle, const QString &companyDomain, Card &card)
{
    const bool own = !card.company && rng.percent(50);
    Labeled url;
    url.slot = own ? Slot::Home : Slot::Work;
    url.types = { own ? QStringLiteral("HOME") : QStringLiteral("WORK") };
    url.value = own ? QString(QStringLiteral("https://") + handle + QStringLiteral(".example.net/"))
                    : QString(QStringLiteral("https://www.") + companyDomain + u'/');
    if (rng.percent(30)) {
        url.groupLabel = rng.word(Words::UrlLabels);
        url.slot = Slot::Custom;
        url.types.clear();
    }
    card.urls.append(url);
}

// Birthday, messaging, profiles, relations and dates: people only.
void addPersonalDetails(SplitMix64 &rng, const QString &handle, Card &card)
{
    if (rng.percent(55))
        card.birthday = randomDate(rng, 1940, 2005);
    if (rng.percent(15))
        addInstantMessages(rng, handle, card);
    if (rng.percent(20)) {
        const int profiles = rng.between(1, 2);
        for (int i = 0; i < profiles; ++i)
            addSocialProfile(rng, handle, card);
    }
    if (rng.percent(10)) {
        const QString label = rng.word(Words::RelatedLabels);
        const QString name = card.japanese
            ? QString::fromUtf8(rng.pick(std::span<const Words::JapaneseName>(Words::JapaneseGiven)).kanji)
            : rng.word(Words::EnglishGiven);
        card.relatedNames.append({ label, name });
    }
    if (rng.percent(8)) {
        const QString label = rng.word(Words::DateLabels);
        card.dates.append({ label, randomDate(rng, 1975, 2023) });
    }
}

void addCategories(SplitMix64 &rng, Card &card)
{
    card.categories.append(rng.word(Words::Categories));
    if (rng.percent(30)) {
        const QString second = rng.word(Words::Categories);
        if (!card.categories.contains(second))
            card.categories.append(second);
    }
}

} // namespace

// The order of the draws below fixes the file for a seed: append new draws at the end only.
Card generateCard(uint64_t seed, uint64_t index)
{
    SplitMix64 rng = SplitMix64::forCard(seed, index);
    Card card;
    card.uid = uuid(rng);
    card.listStyleTypes = rng.percent(30);
    const Country &country
        = weighted<Country>(rng, Countries::All, [](const Country &c) { return c.weight; });
    card.company = rng.percent(6);

    const auto &company = rng.pick(std::span<const Words::Company>(Words::Companies));
    const QString domain = QString::fromLatin1(company.domain);
    if (card.company || rng.percent(80)) {
        card.organization = QString::fromUtf8(company.name);
        if (rng.percent(40))
            card.department = rng.word(Words::Departments);
    }
    QString handle = QStringLiteral("info");
    if (!card.company) {
        makeName(rng, country, card);
        handle = personalHandle(rng, card);
        if (rng.percent(12))
            card.nickname = rng.word(Words::Nicknames);
        if (rng.percent(65))
            card.jobTitle = rng.word(Words::JobTitles);
    }

    addPhones(rng, country, card);
    addEmails(rng, handle, domain, card);
    addAddresses(rng, country, card);
    if (card.company || rng.percent(40))
        addUrl(rng, handle, domain, card);
    if (!card.company)
        addPersonalDetails(rng, handle, card);
    if (rng.percent(45))
        card.note = makeNote(rng, card.japanese);
    if (rng.percent(55))
        addCategories(rng, card);
    if (rng.percent(40))
        addCustomItems(rng, card);
    if (rng.percent(3)) {
        card.latitude = coordinate(rng, -40, 60);
        card.longitude = coordinate(rng, -120, 140);
        card.timeZone = rng.word(Words::TimeZones);
    }
    if (rng.percent(3))
        card.photoJpeg = makeJpegPhoto(rng);
    return card;
}

QString Card::formattedName() const
{
    if (company)
        return organization;
    if (japanese)
        return family + u' ' + given;
    QStringList parts { prefix, given, middle, family };
    parts.removeAll(QString());
    QString name = parts.join(u' ');
    if (!suffix.isEmpty())
        name += QStringLiteral(", ") + suffix;
    return name;
}

QString Card::compositeName() const
{
    if (company)
        return organization;
    return japanese ? family + u' ' + given : given + u' ' + family;
}

} // namespace Gen
