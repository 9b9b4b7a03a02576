#include "qrcode/qrpayload.h"

#include "qrcode/keys.h"
#include "record/keys.h"

#include <QCoreApplication>
#include <QStringBuilder>

namespace QRPayload {
namespace {

const QString crlf = QStringLiteral("\r\n");
const QString httpPrefix = QStringLiteral("http://");
const QString httpsPrefix = QStringLiteral("https://");

QVariantMap row(const QString &type, const QString &label, const QString &value, bool selected)
{
    QVariantMap r { { QRSelectionKey::Type, type },
                    { QRSelectionKey::Value, value },
                    { QRSelectionKey::Selected, selected } };
    if (!label.isNull())
        r.insert(QRSelectionKey::Label, label);
    return r;
}

// Rows of one labeled field; the first starts selected when selectFirst is set.
void appendLabeledRows(QVariantList &rows, QVPerson &person, const QString &identifier, bool selectFirst)
{
    const QVariantList items = person.labeledValueForIdentifier(identifier);
    if (items.isEmpty()) {
        rows.append(row(identifier, QString(), QString(), false));
        return;
    }
    const bool address = identifier == FieldId::Address;
    for (qsizetype i = 0; i < items.size(); ++i) {
        const QVariantMap item = items.at(i).toMap();
        const QString value = item.value(address ? Key::StringValue : Key::Value).toString();
        QVariantMap r = row(identifier, item.value(Key::Label).toString(), value, selectFirst && i == 0);
        if (address)
            r.insert(QRSelectionKey::AddressValue, item);
        rows.append(r);
    }
}

bool isSelected(const QVariantMap &r)
{
    return r.value(QRSelectionKey::Selected).toBool();
}

QString typeOf(const QVariantMap &r)
{
    return r.value(QRSelectionKey::Type).toString();
}

// The value of the last selected row of the field, in table order.
QString selectedValue(const QVariantList &rows, const QString &type)
{
    QString value;
    for (const QVariant &item : rows) {
        const QVariantMap r = item.toMap();
        if (typeOf(r) == type && isSelected(r))
            value = r.value(QRSelectionKey::Value).toString();
    }
    return value;
}

bool isFieldSelected(const QVariantList &rows, const QString &type)
{
    for (const QVariant &item : rows) {
        const QVariantMap r = item.toMap();
        if (typeOf(r) == type && isSelected(r))
            return true;
    }
    return false;
}

QString phoneticName(QVPerson &person)
{
    return person.phoneticNameValue().value(Key::StringValue).toString();
}

// A line break inside a value would end the payload's line and cut the card: written as the
// vCard escape instead.
QString oneLine(const QString &value)
{
    if (!value.contains(u'\n') && !value.contains(u'\r'))
        return value;
    QString result = value;
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\\n"));
    result.replace(u'\n', QStringLiteral("\\n"));
    result.replace(u'\r', QStringLiteral("\\n"));
    return result;
}

QString escaped(const QString &value)
{
    return oneLine(escapeSemicolon(value));
}

bool isHomeOrWork(const QString &label)
{
    const QString lower = label.toLower();
    return lower == LabelWord::Home || lower == LabelWord::Work;
}

// "TEL;type=home:..." for home and work labels, "TEL:..." for any other.
QString typedLine(const QString &property, const QString &label, const QString &value)
{
    if (isHomeOrWork(label))
        return property % QStringLiteral(";type=") % label % u':' % value % crlf;
    return property % u':' % value % crlf;
}

// One part of a MECARD or MEMORY payload; nothing for an empty value.
QString part(const QString &tag, const QString &value, const QString &end)
{
    return value.isEmpty() ? QString() : tag % value % end;
}

QString addressLine(const QVariantMap &r)
{
    const QVariantMap address = r.value(QRSelectionKey::AddressValue).toMap();
    const QString label = r.value(QRSelectionKey::Label).toString();
    QString line = isHomeOrWork(label) ? QStringLiteral("ADR;type=") % label % QStringLiteral(":;;")
                                       : QStringLiteral("ADR:;;");
    for (const QString &key :
         { FieldId::Street, FieldId::City, FieldId::State, FieldId::Zip, FieldId::Country }) {
        QString component = address.value(key).toString();
        component.replace(u'\n', u' ');
        component.replace(u'\t', u' ');
        component.replace(u'\r', u' ');
        if (!component.isEmpty())
            line += escapeSemicolon(component);
        line += u';';
    }
    line.chop(1);
    return line % crlf;
}

} // namespace

QVariantList selectionRows(QVPerson &person)
{
    QVariantList rows;
    appendLabeledRows(rows, person, FieldId::Phone, true);
    appendLabeledRows(rows, person, FieldId::Email, true);
    appendLabeledRows(rows, person, FieldId::Address, true);
    appendLabeledRows(rows, person, FieldId::Url, false);
    for (const QString &identifier : { FieldId::Company, FieldId::Department, FieldId::JobTitle })
        rows.append(row(identifier, QString(), person.stringValueForIdentifier(identifier), false));
    return rows;
}

QString escapeSemicolon(const QString &text)
{
    QString result = text;
    result.replace(u';', QStringLiteral("\\;"));
    return result;
}

QString webAddress(const QString &url)
{
    if (url.startsWith(httpPrefix, Qt::CaseInsensitive) || url.startsWith(httpsPrefix, Qt::CaseInsensitive))
        return url;
    return httpPrefix + url;
}

QString payload(const QString &format, QVPerson &person, const QVariantList &rows)
{
    const QString name = person.compositeName();
    const QString phone = selectedValue(rows, FieldId::Phone);
    const QString email = selectedValue(rows, FieldId::Email);
    if (format == QRFormat::Docomo) {
        const QString address = selectedValue(rows, FieldId::Address).replace(u'\n', u' ');
        const QString end = QStringLiteral(";");
        return QStringLiteral("MECARD:") % part(QStringLiteral("N:"), escapeSemicolon(name), end)
            % part(QStringLiteral("SOUND:"), escapeSemicolon(phoneticName(person)), end)
            % part(QStringLiteral("TEL:"), escapeSemicolon(phone), end)
            % part(QStringLiteral("EMAIL:"), escapeSemicolon(email), end)
            % part(QStringLiteral("ADR:"), escapeSemicolon(address), end);
    }
    if (format == QRFormat::Au || format == QRFormat::SoftBank) {
        const QString end = QStringLiteral("\n");
        QString text = QStringLiteral("MEMORY:\n") % part(QStringLiteral("NAME1:"), name, end)
            % part(QStringLiteral("NAME2:"), phoneticName(person), end)
            % part(QStringLiteral("TEL1:"), phone, end) % part(QStringLiteral("MAIL1:"), email, end);
        if (format == QRFormat::Au)
            text += part(QStringLiteral("ADD:"), selectedValue(rows, FieldId::Address).replace(u'\n', u' '),
                         end);
        return text;
    }
    if (format == QRFormat::Phone)
        return QStringLiteral("tel:") + phone;
    if (format == QRFormat::Email)
        return QStringLiteral("mailto:") + email;
    if (format == QRFormat::Url) {
        const QString url = selectedValue(rows, FieldId::Url);
        return url.isEmpty() ? QStringLiteral("http:") : webAddress(url);
    }
    if (format == QRFormat::VCard) {
        const QString card = vCardFromContact(person, rows);
        return card.isEmpty() ? QStringLiteral("BEGIN:VCARD\r\nVERSION:3.0\r\nEND:VCARD\r\n") : card;
    }
    return {};
}

QString vCardFromContact(QVPerson &person, const QVariantList &rows)
{
    QString card = QStringLiteral("BEGIN:VCARD\r\nVERSION:3.0\r\n");
    const QString name = person.compositeName();
    card += QStringLiteral("FN:")
        % escaped(name.isEmpty() ? QCoreApplication::translate("QRCodePanelController", "No name") : name)
        % crlf;
    const QVariantMap nameValue = person.nameValue();
    if (!nameValue.isEmpty()) {
        card += QStringLiteral("N:") % escaped(nameValue.value(FieldId::LastName).toString()) % u';'
            % escaped(nameValue.value(FieldId::FirstName).toString()) % QStringLiteral(";;;") % crlf;
    }
    const QVariantMap phonetic = person.phoneticNameValue();
    if (!phonetic.isEmpty()) {
        const QString first = phonetic.value(FieldId::FirstName).toString();
        const QString last = phonetic.value(FieldId::LastName).toString();
        if (!first.isEmpty())
            card += QStringLiteral("X-PHONETIC-FIRST-NAME:") % escaped(first) % crlf;
        if (!last.isEmpty())
            card += QStringLiteral("X-PHONETIC-LAST-NAME:") % escaped(last) % crlf;
    }
    const struct
    {
        const QString &type;
        QString property;
    } labeled[] = { { FieldId::Email, QStringLiteral("EMAIL") }, { FieldId::Phone, QStringLiteral("TEL") } };
    for (const auto &field : labeled) {
        for (const QVariant &item : rows) {
            const QVariantMap r = item.toMap();
            if (typeOf(r) == field.type && isSelected(r))
                card += typedLine(field.property, r.value(QRSelectionKey::Label).toString(),
                                  oneLine(r.value(QRSelectionKey::Value).toString()));
        }
    }
    for (const QVariant &item : rows) {
        const QVariantMap r = item.toMap();
        if (typeOf(r) == FieldId::Address && isSelected(r) && r.contains(QRSelectionKey::AddressValue))
            card += addressLine(r);
    }
    for (const QVariant &item : rows) {
        const QVariantMap r = item.toMap();
        if (typeOf(r) == FieldId::Url && isSelected(r))
            card += typedLine(QStringLiteral("URL"), r.value(QRSelectionKey::Label).toString(),
                              oneLine(webAddress(r.value(QRSelectionKey::Value).toString())));
    }
    const QString company = isFieldSelected(rows, FieldId::Company)
        ? person.stringValueForIdentifier(FieldId::Company)
        : QString();
    const QString department = isFieldSelected(rows, FieldId::Department)
        ? person.stringValueForIdentifier(FieldId::Department)
        : QString();
    if (!company.isEmpty() || !department.isEmpty())
        card += QStringLiteral("ORG:") % escaped(company) % u';' % escaped(department) % crlf;
    if (isFieldSelected(rows, FieldId::JobTitle)) {
        const QString title = person.stringValueForIdentifier(FieldId::JobTitle);
        if (!title.isEmpty())
            card += QStringLiteral("TITLE:") % oneLine(title) % crlf;
    }
    return card + QStringLiteral("END:VCARD\r\n");
}

bool isRowEnabled(const QString &format, const QVariantMap &row)
{
    const QString type = typeOf(row);
    if (type == FieldId::Company || type == FieldId::Department || type == FieldId::JobTitle)
        return format == QRFormat::VCard;
    if (format == QRFormat::Phone || format == QRFormat::Email || format == QRFormat::Url)
        return type == format;
    if (type == FieldId::Url)
        return format != QRFormat::Docomo && format != QRFormat::Au && format != QRFormat::SoftBank;
    return true;
}

QString checkBoxTitle(const QVariantMap &row)
{
    const QString type = typeOf(row);
    const QString value = row.value(QRSelectionKey::Value).toString();
    if (type == FieldId::Company || type == FieldId::Department || type == FieldId::JobTitle)
        return value;
    if (value.isEmpty())
        return {};
    return QStringLiteral("%1: %2").arg(row.value(QRSelectionKey::Label).toString(), value);
}

qreal rowHeight(const QVariantMap &row, qreal baseHeight)
{
    const qsizetype lines = row.value(QRSelectionKey::Value).toString().split(u'\n').size();
    return lines >= 2 ? lines * (baseHeight - 2.0) : baseHeight;
}

} // namespace QRPayload
