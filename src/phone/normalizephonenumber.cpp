#include "phone/normalizephonenumber.h"

#include "phone/keys.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringBuilder>
#include <QVariantMap>
#include <algorithm>

namespace {

// How a layout splits the national number: the head takes what the tail parts leave, the tail
// parts have fixed widths from the end. The first rule whose minimum the length reaches applies.
struct LayoutRule
{
    qsizetype minLength;
    QList<qsizetype> widths;
};

struct LayoutStyle
{
    PhoneLayout layout;
    const QString &title;
    QString open; // before the head
    QString close; // after the head
    QString join; // between the tail parts
    QList<LayoutRule> rules;
};

const QList<LayoutStyle> &layoutStyles()
{
    static const QString paren = QStringLiteral("(");
    static const QString parenClose = QStringLiteral(") ");
    static const QString hyphen = QStringLiteral("-");
    static const QString space = QStringLiteral(" ");
    static const QList<LayoutStyle> styles = {
        { PhoneLayout::FourPlusFour,
          PhoneLayoutTitle::FourPlusFour,
          paren,
          parenClose,
          hyphen,
          { { 9, { 4, 4 } }, { 5, { 4 } } } },
        { PhoneLayout::ThreePlusFour,
          PhoneLayoutTitle::ThreePlusFour,
          paren,
          parenClose,
          hyphen,
          { { 8, { 3, 4 } }, { 5, { 4 } } } },
        { PhoneLayout::TwoPlusFour,
          PhoneLayoutTitle::TwoPlusFour,
          paren,
          parenClose,
          hyphen,
          { { 7, { 2, 4 } }, { 5, { 4 } } } },
        { PhoneLayout::QuadTwo,
          PhoneLayoutTitle::QuadTwo,
          paren,
          parenClose,
          space,
          { { 9, { 2, 2, 2, 2 } }, { 7, { 2, 2, 2 } }, { 5, { 2, 2 } } } },
        { PhoneLayout::HyphenThreeFour,
          PhoneLayoutTitle::HyphenThreeFour,
          QString(),
          hyphen,
          hyphen,
          { { 9, { 4, 4 } }, { 5, { 4 } } } },
        { PhoneLayout::HyphenFourThreeThree,
          PhoneLayoutTitle::HyphenFourThreeThree,
          QString(),
          hyphen,
          hyphen,
          { { 7, { 3, 3 } }, { 4, { 3 } } } },
    };
    return styles;
}

const LayoutStyle &styleFor(PhoneLayout layout)
{
    const QList<LayoutStyle> &styles = layoutStyles();
    return *std::find_if(styles.begin(), styles.end(),
                         [layout](const LayoutStyle &style) { return style.layout == layout; });
}

// Appends the number laid out by the first rule its length reaches, or as it is.
void layOut(QString &result, QStringView number, const LayoutStyle &style)
{
    const qsizetype length = number.size();
    for (const LayoutRule &rule : style.rules) {
        if (length < rule.minLength)
            continue;
        qsizetype position = length;
        for (qsizetype width : rule.widths)
            position -= width;
        result += style.open % number.left(position) % style.close;
        for (qsizetype i = 0; i < rule.widths.size(); ++i) {
            if (i > 0)
                result += style.join;
            result += number.mid(position, rule.widths.at(i));
            position += rule.widths.at(i);
        }
        return;
    }
    result += number;
}

const QString plus = QStringLiteral("+");
const QString extensionMark = QStringLiteral("x");

bool isAsciiDigit(QStringView text, qsizetype at)
{
    return at < text.size() && text.at(at) >= u'0' && text.at(at) <= u'9';
}

// The first extension word followed by a digit: "ext.", "ext" or "x", tried in that order at each
// position, as the pattern (ext\.|ext|x)[0-9] finds it. Answers its start and sets its length; -1
// when there is none. Scanned by hand: a regular expression per number costs more than all the
// rest of the layout over a document's phones.
qsizetype findExtensionWord(QStringView text, qsizetype *length)
{
    static const QString ext = QStringLiteral("ext");
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.mid(i).startsWith(ext)) {
            if (i + 3 < text.size() && text.at(i + 3) == u'.' && isAsciiDigit(text, i + 4)) {
                *length = 4;
                return i;
            }
            if (isAsciiDigit(text, i + 3)) {
                *length = 3;
                return i;
            }
        }
        if (text.at(i) == u'x' && isAsciiDigit(text, i + 1)) {
            *length = 1;
            return i;
        }
    }
    return -1;
}

// Where the leading "+" and digit run of a number without extension end.
qsizetype digitRunEnd(const QString &number)
{
    qsizetype end = number.startsWith(plus) ? 1 : 0;
    while (isAsciiDigit(number, end))
        ++end;
    return end;
}

QString readResource()
{
    QFile file(PhoneResource::CountryNumbers);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

} // namespace

NormalizePhoneNumber::NormalizePhoneNumber()
    : NormalizePhoneNumber(readResource())
{ }

NormalizePhoneNumber::NormalizePhoneNumber(const QString &countryNumbersText)
{
    setTable(arrayFromCountryNumbersString(countryNumbersText));
}

QList<PhoneLayout> NormalizePhoneNumber::layouts()
{
    QList<PhoneLayout> result;
    for (const LayoutStyle &style : layoutStyles())
        result.append(style.layout);
    return result;
}

QString NormalizePhoneNumber::titleForLayout(PhoneLayout layout)
{
    return styleFor(layout).title;
}

std::optional<PhoneLayout> NormalizePhoneNumber::layoutForTitle(const QString &title)
{
    for (const LayoutStyle &style : layoutStyles()) {
        if (style.title == title)
            return style.layout;
    }
    return std::nullopt;
}

QVariantList NormalizePhoneNumber::arrayFromCountryNumbersString(const QString &text)
{
    static const QRegularExpression newlines(QStringLiteral("\r\n|[\r\n\u2028\u2029]"));
    const QStringList lines = text.split(newlines);
    if (text.isEmpty() || lines.isEmpty())
        return {};
    QVariantList entries;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        if (line.size() < 2)
            continue;
        const QStringList fields = line.split(u',');
        if (fields.size() != 4) {
            entries.append(QVariantMap());
            continue;
        }
        entries.append(QVariantMap { { CountryNumberKey::Number, fields.at(0) },
                                     { CountryNumberKey::FirstDigit, fields.at(0).left(1) },
                                     { CountryNumberKey::Country, fields.at(1) },
                                     { CountryNumberKey::CountryJa, fields.at(2) },
                                     { CountryNumberKey::AreaJa, fields.at(3) } });
    }
    return entries;
}

void NormalizePhoneNumber::setTable(const QVariantList &entries)
{
    m_table.clear();
    for (const QVariant &item : entries) {
        const QVariantMap entry = item.toMap();
        const QString number = entry.value(CountryNumberKey::Number).toString();
        // A code that is not all digits could never match a number, and an empty entry matches
        // nothing.
        if (number.isEmpty()
            || !std::all_of(number.begin(), number.end(), [](QChar c) { return c.isDigit(); }))
            continue;
        m_table.append({ number, number.at(0).digitValue(), entry.value(CountryNumberKey::Country).toString(),
                         entry.value(CountryNumberKey::CountryJa).toString(),
                         entry.value(CountryNumberKey::AreaJa).toString() });
    }
    // The table never changes after loading: sorting it once stands for sorting before each use.
    std::stable_sort(m_table.begin(), m_table.end(),
                     [](const Entry &a, const Entry &b) { return a.number < b.number; });
    for (int digit = 0; digit <= 9; ++digit) {
        const auto first = std::find_if(m_table.cbegin(), m_table.cend(),
                                        [digit](const Entry &entry) { return entry.firstDigit >= digit; });
        m_firstEntryOfDigit[digit] = first - m_table.cbegin();
    }
}

QVariantList NormalizePhoneNumber::countryNumbers() const
{
    QVariantList result;
    for (const Entry &entry : m_table) {
        result.append(QVariantMap { { CountryNumberKey::Number, entry.number },
                                    { CountryNumberKey::FirstDigit, entry.number.left(1) },
                                    { CountryNumberKey::Country, entry.country },
                                    { CountryNumberKey::CountryJa, entry.countryJa },
                                    { CountryNumberKey::AreaJa, entry.areaJa } });
    }
    return result;
}

void NormalizePhoneNumber::setPhoneNumber(const QString &number)
{
    m_droppedText.clear();
    m_phoneNumber = normalizeExtension(removeHyphenAndParenthesis(number), &m_droppedText);
}

QString NormalizePhoneNumber::removeHyphenAndParenthesis(const QString &number)
{
    QString result;
    result.reserve(number.size());
    for (QChar c : number) {
        if (c != u'-' && c != u'(' && c != u')' && c != u' ')
            result.append(c);
    }
    return result;
}

QString NormalizePhoneNumber::normalizeExtension(const QString &number)
{
    return normalizeExtension(number, nullptr);
}

QString NormalizePhoneNumber::normalizeExtension(const QString &number, QString *dropped)
{
    if (number.isEmpty())
        return {};
    qsizetype length = 0;
    const qsizetype word = findExtensionWord(number, &length);
    if (word >= 0) {
        QString result = number;
        result.replace(word, length, extensionMark);
        return result;
    }
    const qsizetype end = digitRunEnd(number);
    if (dropped)
        *dropped = number.mid(end);
    const qsizetype digitsFrom = number.startsWith(plus) ? 1 : 0;
    if (end == digitsFrom)
        return {};
    return number.left(end);
}

QString NormalizePhoneNumber::countryNumber(const QString &number) const
{
    return countryNumber(QStringView(number));
}

QString NormalizePhoneNumber::countryNumber(QStringView number) const
{
    if (!number.startsWith(plus) || number.size() < 2)
        return {};
    const int digit = std::max(0, number.at(1).digitValue());
    const QStringView afterPlus = number.mid(1);
    // Entries below the digit are passed over; the search ends at the first entry above it.
    for (qsizetype i = m_firstEntryOfDigit[digit]; i < m_table.size() && m_table.at(i).firstDigit == digit;
         ++i) {
        const Entry &entry = m_table.at(i);
        if (number.size() > entry.number.size() + 1 && afterPlus.startsWith(entry.number))
            return entry.number;
    }
    return {};
}

QString NormalizePhoneNumber::layout(PhoneLayout layout) const
{
    QStringView number = m_phoneNumber;
    QStringView extension;
    const qsizetype mark = number.indexOf(extensionMark);
    if (mark >= 0 && mark + 1 < number.size()) {
        extension = number.mid(mark + 1);
        number.truncate(mark);
    }
    const QString code = countryNumber(number);
    if (!code.isEmpty())
        number = number.mid(1 + code.size());
    QString result;
    result.reserve(m_phoneNumber.size() + 12);
    if (!code.isEmpty())
        result += plus % code % u' ';
    layOut(result, number, styleFor(layout));
    if (!extension.isEmpty())
        result += QStringLiteral(" x") % extension;
    return result;
}
