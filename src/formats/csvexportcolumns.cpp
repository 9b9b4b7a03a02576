// Recognising the columns of other programs' exports.
#include "formats/csvexportcolumns_p.h"
#include "formats/csvkeys.h"
#include "formats/qvvcard.h"

#include <QRegularExpression>

namespace CsvExport {
namespace {

const CsvExportColumn *exportColumn(QStringView header)
{
    for (const CsvExportColumn &column : kCsvExportColumns) {
        if (header.compare(column.header, Qt::CaseInsensitive) == 0)
            return &column;
    }
    return nullptr;
}

// The part whose values a label column of a numbered family labels: the first other column of
// the same family in the table ("Phone - Type" labels "Phone - Value").
Part labelledFamily(QStringView family)
{
    for (const CsvExportColumn &column : kCsvExportColumns) {
        if (column.part != Part::ItemLabel && column.header.startsWith(family, Qt::CaseInsensitive)
            && column.header.sliced(family.size()).startsWith(CsvText::NumberedColumnJoin))
            return familyOf(column.part);
    }
    return Part::Ignored;
}

Column fromTable(const CsvExportColumn &entry, int number, QStringView family)
{
    Column column { entry.part, entry.label, familyOf(entry.part), number };
    if (entry.part == Part::ItemLabel)
        column.family = labelledFamily(family);
    return column;
}

struct KeywordPart
{
    const QString &type;
    Part part;
};

// The program's own header keywords, for columns no export names. "Name" is left out: in
// other programs' files it is part of too many headers that name no one's name.
const KeywordPart kKeywordParts[] = {
    { FieldId::FirstName, Part::FirstName }, { FieldId::LastName, Part::LastName },
    { FieldId::Nickname, Part::Nickname },   { FieldId::Phone, Part::Phone },
    { FieldId::Email, Part::Email },         { FieldId::Birthday, Part::Birthday },
    { FieldId::JobTitle, Part::JobTitle },   { FieldId::Title, Part::Prefix },
    { FieldId::Company, Part::Company },     { FieldId::Department, Part::Department },
    { FieldId::Note, Part::Note },
};

const KeywordPart kAddressParts[] = {
    { FieldId::Zip, Part::Zip },
    { FieldId::State, Part::State },
    { FieldId::City, Part::City },
    { FieldId::Street, Part::Street },
};

Column fromKeywords(const QString &header)
{
    const QString type = QVvCard::detectType(header);
    if (type == FieldId::Address) {
        const QString addressType = QVvCard::detectAddressType(header);
        for (const KeywordPart &entry : kAddressParts) {
            if (entry.type == addressType)
                return { entry.part, QVvCard::detectLabel(header), Part::Street, -1 };
        }
    }
    for (const CsvKeyword &service : kCsvSocialServices) {
        if (service.keyword == type)
            return { Part::SocialNetwork, service.result, Part::SocialNetwork, -1 };
    }
    for (const KeywordPart &entry : kKeywordParts) {
        if (entry.type == type) {
            const bool labelled = entry.part == Part::Phone || entry.part == Part::Email;
            return { entry.part, labelled ? QVvCard::detectLabel(header) : QString(), entry.part, -1 };
        }
    }
    return {};
}

} // namespace

Part familyOf(Part part)
{
    switch (part) {
    case Part::City:
    case Part::State:
    case Part::Zip:
    case Part::Country:
    case Part::FormattedAddress:
        return Part::Street;
    default:
        return part;
    }
}

Column columnForHeader(const QString &header)
{
    const QString trimmed = header.trimmed();
    if (const CsvExportColumn *entry = exportColumn(trimmed))
        return fromTable(*entry, -1, {});
    static const QRegularExpression numbered(CsvText::NumberedColumnPattern);
    const QRegularExpressionMatch match = numbered.match(trimmed);
    if (match.hasMatch()) {
        const QString family = match.captured(1);
        if (const CsvExportColumn *entry
            = exportColumn(QString(family + CsvText::NumberedColumnJoin + match.captured(3))))
            return fromTable(*entry, match.captured(2).toInt(), family);
    }
    return fromKeywords(trimmed);
}

QString labelFromText(const QString &text)
{
    QString label = text.trimmed();
    if (label.startsWith(CsvText::SystemMark))
        label = label.sliced(CsvText::SystemMark.size()).trimmed();
    for (const CsvExportLabel &entry : kCsvExportLabels) {
        if (label.compare(entry.text, Qt::CaseInsensitive) == 0)
            return entry.label;
    }
    return label;
}

} // namespace CsvExport
