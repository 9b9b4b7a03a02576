#include "table/tablecells.h"

#include "record/keys.h"
#include "table/keys.h"
#include "table/recordreader.h"

namespace {

CellContent nameCell(const SubContactRow &row, const CellContext &context)
{
    QVPerson &person = *row.person;
    const QString name = person.nameValue().value(Key::StringValue).toString();
    const QString company = person.stringValueForIdentifier(FieldId::Company);
    CellContent cell;
    cell.kind = !name.isEmpty() && !company.isEmpty() && !row.notFirstRow ? CellKind::DetailCell
                                                                          : CellKind::ImageAndText;
    // Rows below a contact's first row leave the name column blank.
    if (row.notFirstRow)
        return cell;
    cell.text = person.compositeName();
    if (context.showCompanyInNameCell)
        cell.detailText = person.showAsPerson() ? company : name;
    cell.showsImage = true;
    cell.bold = true;
    return cell;
}

CellContent textCell(const QString &text, bool editable = false)
{
    CellContent cell;
    cell.kind = CellKind::TextCell;
    cell.text = text;
    cell.editable = editable;
    return cell;
}

CellContent popupCell(const QString &labelField)
{
    CellContent cell;
    cell.kind = CellKind::PopupAndText;
    cell.labelField = labelField;
    return cell;
}

void fillItem(CellContent &cell, const LabeledItems &items, qsizetype position, const QString &textKey)
{
    cell.hasItem = true;
    cell.text = items.string(position, textKey);
    cell.label = items.label(position);
    cell.itemLabelIndex = items.labelIndex(position);
}

CellContent addressComponentCell(const SubContactRow &row, const QString &component,
                                 const CellContext &context)
{
    const LabeledItems items(*row.person, QVPerson::LabeledField::Address);
    const LabelFilter filter(context.selectedLabels);
    if (!items.contains(row.labelIndex) || !filter.passes(items.label(row.labelIndex)))
        return {};
    CellContent cell = popupCell(FieldId::Address);
    fillItem(cell, items, row.labelIndex, component);
    cell.editable = context.editState;
    return cell;
}

CellContent labeledCell(const SubContactRow &row, const QString &identifier, const CellContext &context)
{
    CellContent cell = popupCell(identifier);
    const LabeledItems items(*row.person, identifier);
    const LabelFilter filter(context.selectedLabels);
    if (!items.contains(row.labelIndex) || !filter.passes(items.label(row.labelIndex)))
        return cell;
    fillItem(cell, items, row.labelIndex, Key::StringValue);
    // Addresses, instant-message accounts and dates are edited in popovers.
    const bool popoverEdited = identifier == FieldId::Address || identifier == FieldId::InstantMessage
        || identifier == FieldId::Dates;
    cell.editable = context.editState && !popoverEdited;
    return cell;
}

} // namespace

namespace TableCells {

CellContent cellContent(const SubContactRow &row, const QString &columnIdentifier, const CellContext &context)
{
    if (!row.person)
        return {};
    QVPerson &person = *row.person;
    const bool firstRow = row.labelIndex == 0;
    if (columnIdentifier == FieldId::Name)
        return nameCell(row, context);
    if (columnIdentifier == FieldId::PhoneticName)
        return textCell(firstRow ? person.phoneticNameValue().value(Key::StringValue).toString() : QString());
    if (QVPerson::isAddressIdentifier(columnIdentifier))
        return addressComponentCell(row, columnIdentifier, context);
    if (columnIdentifier == FieldId::Birthday) {
        const QVariantMap birthday = person.birthdayValue();
        if (!firstRow || !birthday.contains(Key::StringValue))
            return {};
        return textCell(birthday.value(Key::StringValue).toString());
    }
    const QString type = RecordReader::fieldType(person, columnIdentifier, context.customItems);
    if (type == ValueType::Labeled)
        return labeledCell(row, columnIdentifier, context);
    if (type == ValueType::String) {
        if (!firstRow)
            return {};
        return textCell(person.stringValueForIdentifier(columnIdentifier), context.editState);
    }
    if (type == ValueType::Dictionary)
        return textCell(
            person.valueForIdentifier(columnIdentifier).toMap().value(Key::StringValue).toString());
    return {};
}

QString cellIdentifier(CellKind kind)
{
    switch (kind) {
    case CellKind::None:
        break;
    case CellKind::ImageAndText:
        return CellId::ImageAndText;
    case CellKind::DetailCell:
        return CellId::DetailCell;
    case CellKind::TextCell:
        return CellId::TextCell;
    case CellKind::PopupAndText:
        return CellId::PopupAndText;
    }
    return {};
}

} // namespace TableCells
