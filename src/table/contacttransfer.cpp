#include "table/contacttransfer.h"

#include "editing/contacteditor.h"
#include "formats/qvvcard.h"
#include "platform/atomicfilewriter.h"
#include "platform/mimetypes.h"
#include "platform/textfilereader.h"
#include "platform/userdefaults.h"
#include "record/keys.h"
#include "table/keys.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QMimeDatabase>
#include <QTemporaryDir>
#include <QUrl>

namespace {

// Cards that leave the program keep everything a record holds but its groups.
const QStringList kCardOptions = { VCardOption::Photo, VCardOption::Note, VCardOption::Custom };

const QStringList &dragFields()
{
    static const QStringList fields
        = { FieldId::Name,           FieldId::Email,         FieldId::Phone,        FieldId::Address,
            FieldId::InstantMessage, FieldId::SocialNetwork, FieldId::Url,          FieldId::PhoneticName,
            FieldId::Nickname,       FieldId::Birthday,      FieldId::Relationship, FieldId::Suffix,
            FieldId::Title,          FieldId::Company,       FieldId::Department,   FieldId::JobTitle,
            FieldId::Note,           FieldId::Dates };
    return fields;
}

// The order of a pasted line's pieces when neither the columns nor a stored order say more.
const QStringList &defaultPasteOrder()
{
    static const QStringList fields = { FieldId::Photo,         FieldId::Groups,   FieldId::NameOrdering,
                                        FieldId::NameDisplay,   FieldId::Company,  FieldId::PhoneticName,
                                        FieldId::Email,         FieldId::Phone,    FieldId::InstantMessage,
                                        FieldId::SocialNetwork, FieldId::Url,      FieldId::Address,
                                        FieldId::Nickname,      FieldId::Birthday, FieldId::Relationship,
                                        FieldId::Suffix,        FieldId::Title,    FieldId::Department,
                                        FieldId::JobTitle,      FieldId::Dates,    FieldId::Note };
    return fields;
}

// Removes the last character of a text of two characters or more (the trailing separator).
QString withoutLastCharacter(QString text)
{
    if (text.size() >= 2)
        text.chop(1);
    return text;
}

QVariantMap labeledItem(const QString &label, const QString &value)
{
    return { { Key::Label, label }, { Key::Value, value } };
}

// How one piece of a pasted line enters the record; false when the field takes no pasted text.
bool setPastedPiece(QVPerson &person, const QString &identifier, const QString &piece, QVariantMap &address)
{
    if (identifier == FieldId::Name) {
        person.setValue(QVariantMap { { FieldId::LastName, piece },
                                      { Key::ShowAsPerson, true },
                                      { Key::NameOrdering, 0 } },
                        FieldId::Name);
        person.setShowAsPerson(true);
        person.setNameOrdering(0);
    } else if (identifier == FieldId::PhoneticName) {
        person.setValue(piece, FieldId::PhoneticLastName);
    } else if (identifier == FieldId::Phone || identifier == FieldId::Email) {
        person.addLabeledValue(labeledItem(LabelWord::Home, piece), identifier);
    } else if (identifier == FieldId::Url) {
        person.addLabeledValue(labeledItem(LabelWord::HomePage, piece), identifier);
    } else if (identifier == FieldId::Relationship) {
        person.addLabeledValue(labeledItem(LabelWord::Partner, piece), identifier);
    } else if (identifier == FieldId::SocialNetwork) {
        // The service of a social profile is its label.
        person.addLabeledValue(labeledItem(PasteService::SocialNetwork, piece), identifier);
    } else if (identifier == FieldId::InstantMessage) {
        QVariantMap item { { Key::Service, PasteService::InstantMessage }, { Key::Value, piece } };
        person.addLabeledValue(item, identifier);
    } else if (QVPerson::isAddressIdentifier(identifier)) {
        address.insert(identifier, piece);
    } else if (QVPerson::isStringIdentifier(identifier)) {
        person.setValue(piece, identifier);
    } else {
        return false;
    }
    return true;
}

bool isVCardFile(const QString &path)
{
    static const QMimeDatabase database;
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (TransferFile::VCardSuffixes.contains(suffix))
        return true;
    const QMimeType type = database.mimeTypeForFile(path, QMimeDatabase::MatchExtension);
    return type.inherits(MimeType::VCard) || type.inherits(MimeType::VCardLegacy);
}

QStringList droppedVCardFiles(const QMimeData *data)
{
    QStringList paths;
    if (!data->hasUrls())
        return paths;
    for (const QUrl &url : data->urls()) {
        if (url.isLocalFile() && isVCardFile(url.toLocalFile()))
            paths.append(url.toLocalFile());
    }
    return paths;
}

} // namespace

// ---- Copying -------------------------------------------------------------------------------------

QStringList ContactTransfer::copyIdentifiers(const QStringList &columnIdentifiers)
{
    if (columnIdentifiers.size() <= 1)
        return QVPerson::allIdentifiers();
    return columnIdentifiers;
}

QString ContactTransfer::delimitedText(const SubContactRows &rows, const QStringList &identifiers,
                                       const QString &separator)
{
    QString text;
    for (const SubContactRow &row : rows)
        text += QVvCard::csvStringFromContact(row, identifiers, separator, true) + TransferText::LineFeed;
    return withoutLastCharacter(text);
}

QMimeData *ContactTransfer::delimitedMimeData(const QString &text, const QString &mimeType)
{
    // A lone line feed is what no rows leave behind.
    if (text.size() < 2)
        return nullptr;
    auto *data = new QMimeData;
    data->setText(text);
    data->setData(mimeType, text.toUtf8());
    return data;
}

ContactList ContactTransfer::contactsOfRows(const SubContactRows &rows)
{
    return ContactEditor::entriesForRows(rows);
}

QString ContactTransfer::vCardText(const ContactList &contacts, const QVariantList &customItems)
{
    QVPerson::setClassCustomItems(customItems);
    QString text;
    for (const ContactEntry &contact : contacts)
        text += QVvCard::vCardFromContact(contact, kCardOptions);
    return text;
}

QMimeData *ContactTransfer::vCardMimeData(const QString &vCardText, const QString &folder)
{
    if (vCardText.isEmpty())
        return nullptr;
    auto *data = new QMimeData;
    data->setData(MimeType::VCard, vCardText.toUtf8());
    data->setText(vCardText);
    const QString path = writeFile(folder, TransferFile::SelectedContacts, vCardText);
    if (!path.isEmpty())
        data->setUrls({ QUrl::fromLocalFile(path) });
    return data;
}

// ---- Dragging ------------------------------------------------------------------------------------

QStringList ContactTransfer::dragIdentifiers(const ContactList &contacts)
{
    QStringList identifiers = dragFields();
    for (const ContactEntry &contact : contacts) {
        for (const QString &custom : contact->person->customIdentifiers()) {
            if (!identifiers.contains(custom))
                identifiers.append(custom);
        }
    }
    return identifiers;
}

QString ContactTransfer::stringIndexes(const QList<int> &rowIndexes)
{
    QStringList parts;
    parts.reserve(rowIndexes.size());
    for (int index : rowIndexes)
        parts.append(QString::number(index));
    return parts.join(u',');
}

QMimeData *ContactTransfer::dragMimeData(const SubContactRows &tableRows, const QList<int> &rowIndexes,
                                         const QVariantList &customItems, const QString &folder)
{
    SubContactRows rows;
    for (int index : rowIndexes) {
        if (index >= 0 && index < tableRows.size())
            rows.append(tableRows.at(index));
    }
    const ContactList contacts = contactsOfRows(rows);
    if (contacts.isEmpty())
        return nullptr;

    const QStringList identifiers = dragIdentifiers(contacts);
    QString tabText;
    for (const ContactEntry &contact : contacts) {
        tabText += QVvCard::csvStringFromContact(SubContactRow::fromEntry(contact), identifiers,
                                                 TransferText::Tab, true)
            + TransferText::LineFeed;
    }
    tabText = withoutLastCharacter(tabText);
    const QString cards = vCardText(contacts, customItems);

    auto *data = new QMimeData;
    data->setText(tabText);
    data->setData(MimeType::TabSeparated, tabText.toUtf8());
    data->setData(MimeType::VCard, cards.toUtf8());
    const QString path = writeFile(folder, TransferFile::DraggingContacts, cards);
    if (!path.isEmpty())
        data->setUrls({ QUrl::fromLocalFile(path) });
    data->setData(MimeType::LabelIndex, QByteArray::number(rows.first().labelIndex));
    data->setData(MimeType::StringIndexes, stringIndexes(rowIndexes).toUtf8());
    return data;
}

// ---- Pasting and dropping ------------------------------------------------------------------------

QStringList ContactTransfer::pasteIdentifiers(const QStringList &columnIdentifiers)
{
    if (columnIdentifiers.size() > 1)
        return columnIdentifiers;
    const QStringList stored = UserDefaults::standard().stringArrayValue(DefaultsKey::LastRowOrder);
    return stored.isEmpty() ? defaultPasteOrder() : stored;
}

ContactEntry ContactTransfer::contactFromString(const QString &text, const QStringList &identifiers)
{
    QString line = text.section(u'\n', 0, 0);
    if (line.endsWith(u'\r'))
        line.chop(1);
    const QChar separator = line.contains(u'\t') ? u'\t' : u',';
    const QStringList pieces = line.split(separator);

    const PersonPtr person = QVPerson::create();
    QVariantMap address;
    bool filled = false;
    for (qsizetype i = 0; i < pieces.size() && i < identifiers.size(); ++i) {
        // Copy as CSV puts a space after each comma.
        const QString piece = pieces.at(i).trimmed();
        if (!piece.isEmpty() && setPastedPiece(*person, identifiers.at(i), piece, address))
            filled = true;
    }
    if (!filled)
        return {};
    if (!address.isEmpty()) {
        address.insert(Key::Label, LabelWord::Home);
        person->addLabeledValue(address, FieldId::Address);
    }
    person->setCreated(true);
    return makeContactEntry(person, true);
}

QString ContactTransfer::vCardTextFromMimeData(const QMimeData *data)
{
    if (!data)
        return {};
    const QString format = MimeType::acceptedVCardFormat(data->formats());
    if (!format.isEmpty())
        return QString::fromUtf8(data->data(format));
    QString text;
    for (const QString &path : droppedVCardFiles(data)) {
        QFile file(path);
        // A dropped file is outside data: one too large to hold twice in memory is refused.
        if (file.size() > TextFileReader::MaximumFileSize || !file.open(QIODevice::ReadOnly))
            continue;
        const QString cards = QString::fromUtf8(file.readAll());
        if (!text.isEmpty() && !text.endsWith(u'\n'))
            text += TransferText::CrLf;
        text += cards;
    }
    return text;
}

bool ContactTransfer::hasAcceptableData(const QMimeData *data)
{
    if (!data)
        return false;
    return !MimeType::acceptedVCardFormat(data->formats()).isEmpty() || data->hasUrls() || data->hasText();
}

QString ContactTransfer::temporaryFolder()
{
    // A folder of its own rather than fixed names in the shared temporary folder, where another
    // user could have placed a link under that name.
    static QTemporaryDir folder;
    return folder.isValid() ? folder.path() : QString();
}

QString ContactTransfer::writeFile(const QString &folder, const QString &name, const QString &text)
{
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return {};
    const QString path = QDir(folder).filePath(name);
    // A file cut short by a full temporary folder must not be offered as the contacts.
    if (!AtomicFileWriter::writeFile(path, text.toUtf8()))
        return {};
    return path;
}
