// NormalizePhoneNumber: cleans a phone number, recognises its international calling code and
// extension, and lays the national digits out in one of six fixed layouts.
//
// The calling-code table is read once from the CountryNumbers resource and kept sorted by code as
// text, so that a shorter code is tried before the longer codes that begin with it.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <array>
#include <optional>

enum class PhoneLayout
{
    FourPlusFour,
    ThreePlusFour,
    TwoPlusFour,
    QuadTwo,
    HyphenThreeFour,
    HyphenFourThreeThree
};

class NormalizePhoneNumber
{
public:
    // Loads the table from the resource; a missing resource leaves it empty.
    NormalizePhoneNumber();
    // With the table given as the resource's text.
    explicit NormalizePhoneNumber(const QString &countryNumbersText);

    // The six layouts in menu order, and the layout a menu title names.
    static QList<PhoneLayout> layouts();
    static QString titleForLayout(PhoneLayout layout);
    static std::optional<PhoneLayout> layoutForTitle(const QString &title);

    // Entries ("number", "firstDigit", "country", "国名", "エリア名") of the table's text; a line
    // without exactly four fields gives an empty entry. Empty for text without lines.
    static QVariantList arrayFromCountryNumbersString(const QString &text);
    // The table, sorted by code.
    QVariantList countryNumbers() const;

    QString phoneNumber() const { return m_phoneNumber; }
    void setPhoneNumber(const QString &number);

    static QString removeHyphenAndParenthesis(const QString &number);
    // An extension word ("ext.", "ext", "x") before a digit becomes "x"; without one, only the
    // leading "+" and digits are kept.
    static QString normalizeExtension(const QString &number);
    // What the last setPhoneNumber() dropped of its number beyond separators: the text after the
    // digits when there is no extension. Empty when nothing was dropped.
    QString droppedText() const { return m_droppedText; }
    // The calling code the cleaned number starts with, or the empty string.
    QString countryNumber(const QString &number) const;

    QString fourPlusFour() const { return layout(PhoneLayout::FourPlusFour); }
    QString threePlusFour() const { return layout(PhoneLayout::ThreePlusFour); }
    QString twoPlusFour() const { return layout(PhoneLayout::TwoPlusFour); }
    QString quadTwo() const { return layout(PhoneLayout::QuadTwo); }
    QString hyphenThreeFour() const { return layout(PhoneLayout::HyphenThreeFour); }
    QString hyphenFourThreeThree() const { return layout(PhoneLayout::HyphenFourThreeThree); }
    // phoneNumber() laid out.
    QString layout(PhoneLayout layout) const;

private:
    struct Entry
    {
        QString number;
        int firstDigit = -1;
        QString country;
        QString countryJa;
        QString areaJa;
    };
    void setTable(const QVariantList &entries);
    static QString normalizeExtension(const QString &number, QString *dropped);
    QString countryNumber(QStringView number) const;

    QString m_phoneNumber;
    QString m_droppedText;
    QList<Entry> m_table;
    // Where the codes of each first digit begin in the sorted table.
    std::array<qsizetype, 10> m_firstEntryOfDigit {};
};
