#include "platform/contactsettings.h"

#include <QLocale>

#include <atomic>
#include <mutex>
#include <optional>

namespace ContactSettings {
namespace {

std::atomic<int> g_generation{0};

struct Settings
{
    std::mutex mutex; // settings are set on the main thread but read by reader threads too
    QString countryCode;
    SortOrder sortOrder = SortOrder::GivenName;
    // The locale's order, looked up once: every new record asks for it.
    std::optional<SortOrder> localeOrder;
    bool countryOverridden = false;
    bool orderOverridden = false;
};

Settings &settings()
{
    static Settings s;
    return s;
}

QString localeCountryCode()
{
    const QLocale locale = QLocale::system();
    const QString code = QLocale::territoryToCode(locale.territory()).toUpper();
    return code.isEmpty() || code == QLatin1String("ZZ") ? QStringLiteral("US") : code;
}

SortOrder localeSortOrder()
{
    // Languages that write the family name first.
    switch (QLocale::system().language()) {
    case QLocale::Japanese:
    case QLocale::Chinese:
    case QLocale::Korean:
    case QLocale::Hungarian:
    case QLocale::Vietnamese:
        return SortOrder::FamilyName;
    default:
        return SortOrder::GivenName;
    }
}

} // namespace

QString countryCode()
{
    Settings &s = settings();
    std::lock_guard lock(s.mutex);
    if (!s.countryOverridden && s.countryCode.isEmpty())
        s.countryCode = localeCountryCode();
    return s.countryCode;
}

SortOrder sortOrder()
{
    Settings &s = settings();
    std::lock_guard lock(s.mutex);
    if (s.orderOverridden)
        return s.sortOrder;
    if (!s.localeOrder)
        s.localeOrder = localeSortOrder();
    return *s.localeOrder;
}

void setCountryCode(const QString &code)
{
    Settings &s = settings();
    std::lock_guard lock(s.mutex);
    s.countryOverridden = !code.isEmpty();
    s.countryCode = code.isEmpty() ? localeCountryCode() : code.toUpper();
    ++g_generation;
}

void setSortOrder(SortOrder order)
{
    Settings &s = settings();
    std::lock_guard lock(s.mutex);
    s.orderOverridden = true;
    s.sortOrder = order;
    ++g_generation;
}

void resetToLocale()
{
    Settings &s = settings();
    std::lock_guard lock(s.mutex);
    s.countryOverridden = false;
    s.orderOverridden = false;
    s.countryCode.clear();
    s.localeOrder.reset();
    ++g_generation;
}

namespace {

// 0: no letter of a script of its own, 1: East Asian letters only, -1: some other script's letter.
int eastAsianLetters(QStringView text)
{
    int found = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text.at(i).unicode();
        if (c < 0x80) {
            if (QChar::isLetter(c))
                return -1; // a Latin letter: the common case, decided at once
            continue;
        }
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            c = QChar::surrogateToUcs4(char16_t(c), text.at(++i).unicode());
        if (!QChar::isLetter(c))
            continue;
        switch (QChar::script(c)) {
        case QChar::Script_Han:
        case QChar::Script_Hiragana:
        case QChar::Script_Katakana:
        case QChar::Script_Hangul:
        case QChar::Script_Bopomofo:
            found = 1;
            break;
        case QChar::Script_Common:
        case QChar::Script_Inherited:
            break;
        default:
            return -1;
        }
    }
    return found;
}

} // namespace

bool isFamilyNameFirstScript(QStringView given, QStringView family)
{
    const int a = eastAsianLetters(given);
    const int b = eastAsianLetters(family);
    return a >= 0 && b >= 0 && (a > 0 || b > 0);
}

int generation()
{
    return g_generation.load(std::memory_order_relaxed);
}

} // namespace ContactSettings
