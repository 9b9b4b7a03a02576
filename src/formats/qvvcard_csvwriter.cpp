// QVvCard: writing contacts as CSV documents (a fixed table of columns) and as one delimited line
// per table row (copy and drag). Both take each cell from stringForIdentifier().
#include "formats/csvkeys.h"
#include "formats/qvvcard.h"
#include "formats/qvvcard_csv_p.h"

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
QString labeledCell(const QVariantMap &item, const QString &wantedLabel, bool shouldLocalize)
{
    const QString text = item.value(Key::StringValue).toString();
    QString label = item.value(Key::Label).toString();
    if (shouldLocalize)
        label = localizedLabel(label);
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

QString addressPartCell(const QVariantMap &item, const QString &part, const QString &wantedLabel)
{
    const QString text = item.value(part).toString();
    const QString label = item.value(Key::Label).toString();
    if (text.isEmpty() || label.isEmpty())
        return {};
    return wantedLabel.isEmpty() || wantedLabel == label ? text : QString();
}

QString unquotedCell(const QString &identifier, const QString &label, qsizetype index, QVPerson &person,
                     bool shouldLocalize)
{
    if (identifier == FieldId::Name)
        return label.isEmpty() ? displayName(person) : person.nameValue().value(label).toString();
    if (identifier == FieldId::PhoneticName)
        return person.phoneticNameValue().value(Key::StringValue).toString();
    if (QVPerson::isLabeledIdentifier(identifier)) {
        if (index == -1)
            return {};
        return labeledCell(person.labeledValueForIdentifierAtIndex(identifier, index), label, shouldLocalize);
    }
    if (QVPerson::isAddressIdentifier(identifier)) {
        if (index == -1)
            return {};
        return addressPartCell(person.labeledValueForIdentifierAtIndex(FieldId::Address, index), identifier,
                               label);
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
    QString csv;
    for (const CsvColumn &column : kCsvColumns) {
        csv += column.fieldName;
        csv += CsvText::Separator;
    }
    csv.chop(1);
    csv += CsvText::LineFeed;

    for (const SubContactRow &row : rows) {
        if (!row.person)
            continue;
        for (const CsvColumn &column : kCsvColumns) {
            const QString cell = CsvSyntax::escapeBreaks(
                stringForIdentifier(column.type, column.label, row.labelIndex, *row.person, true));
            if (cell.contains(CsvText::Separator)) {
                csv += CsvText::Quote;
                csv += cell;
                csv += CsvText::Quote;
            } else {
                csv += cell;
            }
            csv += CsvText::Separator;
        }
        csv.chop(1);
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
