#include "table/rowheight.h"

#include "record/keys.h"
#include "table/recordreader.h"

#include <algorithm>
#include <cmath>

namespace {

// The text a column contributes to the row's height (labels are not filtered here).
QString cellText(const SubContactRow &row, const QString &identifier)
{
    QVPerson &person = *row.person;
    if (QVPerson::isAddressIdentifier(identifier)) {
        const LabeledItems items(person, QVPerson::LabeledField::Address);
        return items.contains(row.labelIndex) ? items.string(row.labelIndex, identifier) : QString();
    }
    if (QVPerson::isStringIdentifier(identifier))
        return RecordReader::storedString(person, identifier);
    // Rows are measured on worker threads: read what is stored, never compose it here.
    if (identifier == FieldId::Name || identifier == FieldId::PhoneticName || identifier == FieldId::Birthday)
        return person.storedDictionaryString(identifier);
    // A built-in field needs no type look-up, which walks the record's custom items; every row of
    // a large table is measured.
    const QString type = QVPerson::labeledFieldForIdentifier(identifier) ? ValueType::Labeled
                                                                         : person.typeForIdentifier(identifier);
    if (type == ValueType::Labeled) {
        const LabeledItems items(person, identifier);
        return items.contains(row.labelIndex) ? items.string(row.labelIndex, Key::StringValue) : QString();
    }
    if (type == ValueType::String)
        return RecordReader::storedString(person, identifier);
    return {};
}

} // namespace

namespace RowHeights {

int textLineCount(const QString &text)
{
    int lines = 1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
            continue; // CR LF is one break, counted at the LF
        if (c == u'\n' || c == u'\r' || c == QChar(0x2028) || c == QChar(0x2029) || c == QChar(0x85))
            ++lines;
    }
    return lines;
}

int cellLines(const SubContactRow &row, const QStringList &columnIdentifiers)
{
    if (!row.person)
        return 1;
    int lines = 1;
    for (const QString &identifier : columnIdentifiers) {
        int cellLines = textLineCount(cellText(row, identifier));
        // The cap is the Note's own: a tall address in another column keeps its lines.
        if (identifier == FieldId::Note)
            cellLines = std::min(cellLines, NoteLineCap);
        lines = std::max(lines, cellLines);
    }
    return lines;
}

bool showsCompanyLine(const SubContactRow &row, bool showCompanyInNameCell)
{
    return showCompanyInNameCell && row.person && !row.notFirstRow
        && !row.person->storedDictionaryString(FieldId::Name).isEmpty()
        && !RecordReader::storedString(*row.person, FieldId::Company).isEmpty();
}

int numberOfLines(const SubContactRow &row, const QStringList &columnIdentifiers, bool showCompanyInNameCell)
{
    const int lines = cellLines(row, columnIdentifiers);
    return showsCompanyLine(row, showCompanyInNameCell) ? std::max(lines, 2) : lines;
}

int rowHeightForLineHeight(double lineHeight, double pointSize)
{
    int h = int(std::ceil(lineHeight));
    h = std::max(h, int(std::ceil(pointSize * 1.42)));
    return h < 11 ? 20 : h + 9;
}

} // namespace RowHeights
