// QVvCard: writing contacts as CSV documents (a fixed table of columns) and as one delimited line
// per table row (copy and drag). Both take each cell from stringForIdentifier().
#include "formats/csvkeys.h"
#include "formats/qvvcard.h"
#include "formats/qvvcard_csv_p.h"

#include <algorithm>

namespace {

QString localizedLabel(const QString &label)
{
    return QVPerson::localizedLabelFromCNLabel(QVPerson::CNLabelFromLabel(label));
}

// The display name without the record's "No Name" stand-in: a contact without a name writes an
// empty cell rather than a name it does not have.
QString displayName(QVPerson &person)
{
    return person.showAsPerson() ? person.nameValue().value(Key::StringValue).toString()
                                 : person.stringValueForIdentifier(FieldId::Company);
}

// A labeled item as one cell: "label:text" when no label is asked for, else the text when the item
// carries that label.
QString labeledCell(const QString &text, const QString &itemLabel, const QString &wantedLabel,
                    bool shouldLocalize)
{
    const QString label = shouldLocalize ? localizedLabel(itemLabel) : itemLabel;
    if (label.isEmpty() || text.isEmpty())
        return {};
    if (wantedLabel.isEmpty())
        return label + u':' + text;
    // The columns name labels in English; under another language the localized item label is
    // compared with the column's label in that language too, or no phone or e-mail would match.
    if (label == wantedLabel || (shouldLocalize && label == localizedLabel(wantedLabel)))
        return text;
    return {};
}

QString labeledCell(const QVariantMap &item, const QString &wantedLabel, bool shouldLocalize)
{
    return labeledCell(item.value(Key::StringValue).toString(), item.value(Key::Label).toString(),
                       wantedLabel, shouldLocalize);
}

QString addressPartCell(const QString &text, const QString &itemLabel, const QString &wantedLabel)
{
    if (text.isEmpty() || itemLabel.isEmpty())
        return {};
    return wantedLabel.isEmpty() || wantedLabel == itemLabel ? text : QString();
}

// The stored item at that position, read in place: a document writes 22 labeled cells per row, and
// copying each item to a dictionary first would dominate the time of large exports.
const CompactMap *storedItem(QVPerson &person, const QString &identifier, qsizetype index)
{
    const auto field = QVPerson::labeledFieldForIdentifier(identifier);
    if (!field || !person.isLabeledFieldLoaded(*field))
        return nullptr;
    const CompactList &items = person.storedLabeledValues(*field);
    static const CompactMap none;
    return index >= 0 && index < items.size() ? &items.at(index) : &none;
}

QString nameCell(QVPerson &person, const QString &part)
{
    if (part.isEmpty())
        return displayName(person);
    if (part == FieldId::FirstName || part == FieldId::MiddleName || part == FieldId::LastName
        || part == FieldId::PreviousFamilyName)
        return person.valueForIdentifier(part).toString();
    return person.nameValue().value(part).toString();
}

QString unquotedCell(const QString &identifier, const QString &label, qsizetype index, QVPerson &person,
                     bool shouldLocalize)
{
    if (identifier == FieldId::Name)
        return nameCell(person, label);
    if (identifier == FieldId::PhoneticName)
        return person.phoneticNameValue().value(Key::StringValue).toString();
    if (QVPerson::isLabeledIdentifier(identifier)) {
        if (index == -1)
            return {};
        if (const CompactMap *item = storedItem(person, identifier, index))
            return labeledCell(item->string(Key::StringValue), item->string(Key::Label), label,
                               shouldLocalize);
        return labeledCell(person.labeledValueForIdentifierAtIndex(identifier, index), label, shouldLocalize);
    }
    if (QVPerson::isAddressIdentifier(identifier)) {
        if (index == -1)
            return {};
        if (const CompactMap *item = storedItem(person, FieldId::Address, index))
            return addressPartCell(item->string(identifier), item->string(Key::Label), label);
        const QVariantMap item = person.labeledValueForIdentifierAtIndex(FieldId::Address, index);
        return addressPartCell(item.value(identifier).toString(), item.value(Key::Label).toString(), label);
    }
    if (identifier == FieldId::Birthday)
        return person.birthdayValue().value(Key::StringValue).toString();
    const QString type = person.typeForIdentifier(identifier);
    if (type == ValueType::Labeled)
        return labeledCell(person.labeledValueForIdentifierAtIndex(identifier, index), label, shouldLocalize);
    if (type == ValueType::String)
        return person.stringValueForIdentifier(identifier);
    return {};
}

} // namespace

QString QVvCard::stringForIdentifier(const QString &identifier, const QString &label, qsizetype index,
                                     QVPerson &person, bool shouldLocalize)
{
    return CsvSyntax::quotedIfSpaced(unquotedCell(identifier, label, index, person, shouldLocalize));
}

QString QVvCard::csvFromSubContacts(const SubContactRows &rows)
{
    QString csv = CsvSyntax::documentHeader();
    csv += CsvText::LineFeed;

    QStringList cells;
    for (const SubContactRow &row : rows) {
        if (!row.person)
            continue;
        cells.clear();
        for (const CsvColumn &column : kCsvColumns)
            cells.append(CsvSyntax::documentCell(
                stringForIdentifier(column.type, column.label, row.labelIndex, *row.person, true)));
        // A line reads quotes only when a cell after the first starts with one; a quoted first cell
        // holding a comma would otherwise be cut at it, so the last cell is quoted too.
        if (cells.first().contains(CsvText::Separator)
            && std::none_of(cells.cbegin() + 1, cells.cend(),
                            [](const QString &cell) { return cell.startsWith(CsvText::Quote); }))
            cells.last() = CsvText::Quote + cells.last() + CsvText::Quote;
        csv += cells.join(CsvText::Separator);
        csv += CsvText::LineFeed;
    }
    return csv;
}

QString QVvCard::csvStringFromContact(const SubContactRow &row, const QStringList &identifiers,
                                      const QString &separator, bool shouldLocalize)
{
    QString line;
    for (const QString &identifier : identifiers) {
        if (row.person)
            line += CsvSyntax::escapeBreaks(
                stringForIdentifier(identifier, QString(), row.labelIndex, *row.person, shouldLocalize));
        line += separator;
    }
    if (line.size() > separator.size())
        line.chop(separator.size());
    return line;
}
