#include "table/rowheight.h"

#include "record/keys.h"
#include "table/recordreader.h"

#include <algorithm>
#include <cmath>

namespace {

// Lines of a stored entry, read in place: rows are measured on several threads at once, and a copy
// of each text would make them contend for the text's shared count.
int storedLines(const QVariant *stored)
{
    if (!stored)
        return 1;
    if (stored->typeId() == QMetaType::QString)
        return RowHeights::textLineCount(*static_cast<const QString *>(stored->constData()));
    return RowHeights::textLineCount(stored->toString());
}

// The item's entry at a row's position, or none past the last item.
const QVariant *itemEntry(const CompactList &items, int position, const QString &key)
{
    return position >= 0 && position < items.size() ? items.at(position).get(key) : nullptr;
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
    return CellLineCounter(columnIdentifiers).cellLines(row);
}

CellLineCounter::CellLineCounter(const QStringList &columnIdentifiers)
{
    for (const QString &identifier : columnIdentifiers) {
        Column column;
        column.identifier = identifier;
        column.note = identifier == FieldId::Note;
        if (QVPerson::isAddressIdentifier(identifier)) {
            column.source = Source::AddressComponent;
        } else if (QVPerson::isStringIdentifier(identifier)) {
            column.source = Source::StringField;
        } else if (identifier == FieldId::Name || identifier == FieldId::PhoneticName
                   || identifier == FieldId::Birthday) {
            // Rows are measured on worker threads: read what is stored, never compose it here.
            column.source = Source::Dictionary;
        } else if (const auto field = QVPerson::labeledFieldForIdentifier(identifier)) {
            column.source = Source::BuiltInLabeled;
            column.field = *field;
        }
        m_columns.append(column);
    }
}

std::optional<int> CellLineCounter::columnLines(const SubContactRow &row, const Column &column,
                                                bool items) const
{
    const QVPerson &person = *row.person;
    switch (column.source) {
    case Source::AddressComponent:
        if (!items)
            return std::nullopt;
        return storedLines(itemEntry(person.storedLabeledValues(QVPerson::LabeledField::Address),
                                     row.labelIndex, column.identifier));
    case Source::StringField:
        return items ? std::nullopt : std::optional<int>(storedLines(person.storedItem(column.identifier)));
    case Source::Dictionary:
        if (items)
            return std::nullopt;
        return storedLines(person.storedDictionary(column.identifier).get(Key::StringValue));
    case Source::BuiltInLabeled:
        if (!items)
            return std::nullopt;
        return storedLines(
            itemEntry(person.storedLabeledValues(column.field), row.labelIndex, Key::StringValue));
    case Source::Other:
        break;
    }
    // A custom item: its kind is the record's own.
    const QString type = person.typeForIdentifier(column.identifier);
    if (type == ValueType::Labeled) {
        if (!items)
            return std::nullopt;
        const LabeledItems list(person, column.identifier);
        return list.contains(row.labelIndex) ? textLineCount(list.string(row.labelIndex, Key::StringValue))
                                             : 1;
    }
    if (items)
        return std::nullopt;
    return type == ValueType::String ? textLineCount(RecordReader::storedString(person, column.identifier))
                                     : 1;
}

int CellLineCounter::linesOf(const SubContactRow &row, bool items) const
{
    int lines = 1;
    for (const Column &column : m_columns) {
        int cellLines = columnLines(row, column, items).value_or(1);
        // The cap is the Note's own: a tall address in another column keeps its lines.
        if (column.note)
            cellLines = std::min(cellLines, NoteLineCap);
        lines = std::max(lines, cellLines);
    }
    return lines;
}

int CellLineCounter::cellLines(const SubContactRow &row) const
{
    if (!row.person)
        return 1;
    return std::max(linesOf(row, false), linesOf(row, true));
}

void CellLineCounter::measureRows(SubContactRow *begin, SubContactRow *end) const
{
    const QVPerson *contact = nullptr;
    int contactLines = 1;
    for (SubContactRow *row = begin; row != end; ++row) {
        if (!row->person) {
            row->numLines = 1;
            continue;
        }
        if (row->person.get() != contact) {
            contact = row->person.get();
            contactLines = linesOf(*row, false);
        }
        row->numLines = std::max(contactLines, linesOf(*row, true));
    }
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
