// ItemMenu: the entries of the table's context menu by column, and the rows and addresses of its
// commands.
#include "table/itemmenu.h"

#include "merge/mergelinks.h"
#include "platform/workspace.h"
#include "record/entries.h"
#include "record/keys.h"
#include "record/qvperson.h"

#include <QDate>

namespace {

ItemMenuEntry separator()
{
    return {};
}

class Builder
{
public:
    explicit Builder(const ItemMenuCell &cell)
        : m_cell(cell)
    { }

    // An entry that runs its command.
    Builder &add(const QString &title, ItemCommand command)
    {
        m_entries.append({ title, command, true });
        return *this;
    }
    // An entry shown without action.
    Builder &inert(const QString &title)
    {
        m_entries.append({ title, ItemCommand::None, false });
        return *this;
    }
    // Editing entries run only while the table is unlocked; locked, they show disabled.
    Builder &edit(const QString &title, ItemCommand command)
    {
        m_entries.append({ title, m_cell.editState ? command : ItemCommand::None, m_cell.editState });
        return *this;
    }
    // A desktop action: without an item to open it shows disabled.
    Builder &open(const QString &title)
    {
        m_entries.append({ title, ItemCommand::Workspace, m_cell.hasItem && !m_cell.text.isEmpty() });
        m_entries.last().command = m_entries.last().enabled ? ItemCommand::Workspace : ItemCommand::None;
        return *this;
    }
    Builder &panel(const QString &title) { return add(title, ItemCommand::ShowPopover); }
    Builder &sep()
    {
        m_entries.append(separator());
        return *this;
    }
    Builder &textEdits()
    {
        return edit(ItemMenu::tr("Replace Text"), ItemCommand::ReplaceItem)
            .edit(ItemMenu::tr("Prepend Text"), ItemCommand::PrependItem)
            .edit(ItemMenu::tr("Append Text"), ItemCommand::AppendItem);
    }
    Builder &addItem() { return edit(ItemMenu::tr("Add Item"), ItemCommand::InsertItem); }
    Builder &deleteItem() { return edit(ItemMenu::tr("Delete Item"), ItemCommand::DeleteItem); }
    Builder &replaceLabelAndText()
    {
        return edit(ItemMenu::tr("Replace Label and Text"), ItemCommand::ReplaceItem);
    }

    QList<ItemMenuEntry> entries() const { return m_entries; }

private:
    const ItemMenuCell &m_cell;
    QList<ItemMenuEntry> m_entries;
};

QList<ItemMenuEntry> nameEntries(const ItemMenuCell &cell)
{
    Builder b(cell);
    b.panel(ItemMenu::tr("Show Contact Info"))
        .panel(ItemMenu::tr("Open Name Panel"))
        .add(ItemMenu::tr("Show QRCode"), ItemCommand::ShowQRCode)
        .sep();
    if (cell.editState)
        b.add(ItemMenu::tr("Add New Contact"), ItemCommand::AddContact);
    b.edit(ItemMenu::tr("Delete Contact"), ItemCommand::DeleteContact)
        .edit(ItemMenu::tr("Duplicate Contact"), ItemCommand::DuplicateContact)
        .add(ItemMenu::tr("Export Contact as vCard"), ItemCommand::ExportContact)
        .sep()
        .add(ItemMenu::tr("Show Company in the Name Cell"), ItemCommand::ToggleShowCompany);
    QList<ItemMenuEntry> out = b.entries();
    out.last().checkable = true;
    out.last().checked = cell.showCompanyInNameCell;
    return out;
}

// Phone, Email and URL: the desktop action first.
QList<ItemMenuEntry> linkedEntries(const ItemMenuCell &cell, const QString &openTitle)
{
    Builder b(cell);
    b.open(openTitle).sep().panel(ItemMenu::tr("Open Edit Panel"));
    if (cell.hasItem)
        b.replaceLabelAndText().deleteItem().addItem().sep().textEdits();
    else
        b.addItem();
    return b.entries();
}

QList<ItemMenuEntry> addressEntries(const ItemMenuCell &cell)
{
    Builder b(cell);
    b.open(ItemMenu::tr("Open Apple Map")).open(ItemMenu::tr("Open Google Map")).sep();
    if (cell.hasItem)
        b.panel(ItemMenu::tr("Open Address Panel"))
            .panel(ItemMenu::tr("Open Edit Panel"))
            .deleteItem()
            .addItem();
    else
        b.inert(ItemMenu::tr("Open Address Panel")).panel(ItemMenu::tr("Open Edit Panel")).addItem();
    return b.entries();
}

QList<ItemMenuEntry> accountEntries(const ItemMenuCell &cell, const QString &panelTitle, bool inertPanel)
{
    Builder b(cell);
    if (cell.hasItem)
        b.panel(panelTitle).panel(ItemMenu::tr("Open Edit Panel")).deleteItem().addItem();
    else {
        if (inertPanel)
            b.inert(panelTitle);
        b.panel(ItemMenu::tr("Open Edit Panel")).addItem();
    }
    return b.entries();
}

QList<ItemMenuEntry> dateEntries(const ItemMenuCell &cell, const QString &panelTitle)
{
    Builder b(cell);
    b.open(ItemMenu::tr("Open Calendar")).sep().panel(panelTitle);
    if (cell.hasItem)
        b.deleteItem();
    return b.entries();
}

} // namespace

QString ItemMenu::itemField(const QString &identifier)
{
    return QVPerson::isAddressIdentifier(identifier) ? FieldId::Address : identifier;
}

ItemMenuCell ItemMenu::cellFor(const SubContactRow &row, const QString &identifier, const QString &fieldType)
{
    ItemMenuCell cell;
    cell.identifier = identifier;
    cell.fieldType = fieldType;
    if (!row.person)
        return cell;
    QVPerson &person = *row.person;
    if (identifier == FieldId::Birthday || identifier == FieldId::PhoneticName) {
        const QVariantMap value
            = identifier == FieldId::Birthday ? person.birthdayValue() : person.phoneticNameValue();
        cell.text = value.value(Key::StringValue).toString();
        cell.hasItem = identifier == FieldId::Birthday ? !value.isEmpty() : !cell.text.isEmpty();
    } else if (QVPerson::isAddressIdentifier(identifier)) {
        const QVariantMap item = person.labeledValueForIdentifierAtIndex(FieldId::Address, row.labelIndex);
        cell.hasItem = !item.isEmpty();
        cell.text = item.value(identifier).toString();
    } else if (fieldType == ValueType::Labeled || QVPerson::isLabeledIdentifier(identifier)) {
        const QVariantMap item = person.labeledValueForIdentifierAtIndex(identifier, row.labelIndex);
        cell.hasItem = !item.isEmpty();
        cell.text = item.value(Key::StringValue).toString();
    } else if (fieldType == ValueType::String) {
        cell.text = row.labelIndex == 0 ? person.stringValueForIdentifier(identifier) : QString();
        cell.hasItem = !cell.text.isEmpty();
    }
    return cell;
}

QList<ItemMenuEntry> ItemMenu::entries(const ItemMenuCell &cell)
{
    const QString &id = cell.identifier;
    if (id == FieldId::Name)
        return nameEntries(cell);
    if (id == FieldId::Phone)
        return linkedEntries(cell, tr("Call Phone"));
    if (id == FieldId::Email)
        return linkedEntries(cell, tr("Send Email"));
    if (id == FieldId::Url)
        return linkedEntries(cell, tr("Open URL"));
    if (id == FieldId::Address)
        return addressEntries(cell);
    if (QVPerson::isAddressIdentifier(id)) {
        Builder b(cell);
        b.panel(tr("Open Address Panel")).addItem();
        if (cell.hasItem)
            b.deleteItem().sep().textEdits();
        return b.entries();
    }
    if (id == FieldId::InstantMessage)
        return accountEntries(cell, tr("Open IMS Panel"), false);
    if (id == FieldId::SocialNetwork)
        return accountEntries(cell, tr("Open SNS Panel"), true);
    if (id == FieldId::Dates)
        return dateEntries(cell, tr("Open Dates Panel"));
    if (id == FieldId::Birthday)
        return dateEntries(cell, tr("Open Birthday Panel"));
    if (id == FieldId::PhoneticName) {
        Builder b(cell);
        b.panel(tr("Open Phonetic Name Panel"));
        if (cell.hasItem)
            b.sep().deleteItem();
        return b.entries();
    }
    Builder b(cell);
    if (id == FieldId::Relationship) {
        b.panel(tr("Open Edit Panel"));
        if (cell.hasItem)
            b.replaceLabelAndText().deleteItem().addItem().sep().textEdits();
        else
            b.addItem();
    } else if (cell.fieldType == ValueType::Labeled) {
        b.panel(tr("Open Edit Panel")).sep();
        if (cell.hasItem)
            b.replaceLabelAndText().deleteItem().sep().textEdits();
        else
            b.addItem();
    } else if (cell.fieldType == ValueType::String) {
        if (cell.hasItem)
            b.edit(tr("Clear Text"), ItemCommand::DeleteItem).textEdits();
        else
            b.edit(tr("Replace Text"), ItemCommand::ReplaceItem);
    }
    return b.entries();
}

QList<int> ItemMenu::rowsConcerned(const QList<int> &selected, int clickedRow, ItemCommand command)
{
    const bool changesItems = command == ItemCommand::DeleteItem || command == ItemCommand::ReplaceItem
        || command == ItemCommand::PrependItem || command == ItemCommand::AppendItem;
    if (clickedRow < 0)
        return selected;
    if (changesItems && !selected.contains(clickedRow))
        return { clickedRow };
    QList<int> rows = selected;
    rows.append(clickedRow);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

QUrl ItemMenu::workspaceUrl(const QString &identifier, const QString &title, const QString &text)
{
    // The merge panel opens the same things: its links are shared. An address has the map
    // application's link first and the web map's second.
    const QList<MergeLinks::Link> links = MergeLinks::linksFor(identifier, text);
    if (links.isEmpty())
        return {};
    const bool webMap = identifier == FieldId::Address && title == tr("Open Google Map");
    return links.at(webMap && links.size() > 1 ? 1 : 0).url;
}

QUrl ItemMenu::calendarUrl(const SubContactRow &row, const QString &identifier)
{
    if (!row.person)
        return {};
    const QVariantMap item = identifier == FieldId::Birthday
        ? row.person->birthdayValue()
        : row.person->labeledValueForIdentifierAtIndex(FieldId::Dates, row.labelIndex);
    DateComponents components = item.value(Key::Value).value<DateComponents>();
    if (!components.hasYear())
        components.year = QDate::currentDate().year();
    const QDate date = components.toDate();
    if (!date.isValid())
        return {};
    return Workspace::calendarUrl(date, row.person->compositeName(), true);
}
