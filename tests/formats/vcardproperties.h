// The properties of a vCard text in a normal form, so that two texts that say the same thing give
// the same multiset whatever their version, folding, transfer encoding or parameter spelling.
#pragma once

#include "formats/vcardsyntax_p.h"

#include <QCryptographicHash>
#include <QMap>
#include <QStringList>

namespace VCardProperties {

// "group.NAME;TYPE=A,B;OTHER=v:value" with the group lower-case, names upper-case, TYPE values
// (bare 2.1 ones too) upper-case, sorted and without repeats, ENCODING and CHARSET gone, the value
// decoded and unescaped (N, ADR and ORG per component, trailing empty components dropped), binary
// values as their size and hash.
inline QString normalised(const VCardSyntax::Property &p)
{
    using VCardSyntax::equalsIgnoreCase;
    const QString name = VCardSyntax::parameterText(p.name).toUpper();
    QStringList types;
    QStringList others;
    for (const VCardSyntax::Parameter &param : p.parameters) {
        const QString value = VCardSyntax::parameterText(param.value);
        if (param.name.isEmpty()) {
            const QString token = value.toUpper();
            if (token != QLatin1StringView("QUOTED-PRINTABLE") && token != QLatin1StringView("BASE64")
                && token != QLatin1StringView("B") && token != QLatin1StringView("8BIT")
                && token != QLatin1StringView("7BIT"))
                types.append(token);
        } else if (equalsIgnoreCase(param.name, QLatin1StringView("TYPE"))) {
            for (QByteArrayView item : VCardSyntax::splitList(param.value))
                types.append(VCardSyntax::parameterText(item).trimmed().toUpper());
        } else if (!equalsIgnoreCase(param.name, QLatin1StringView("ENCODING"))
                   && !equalsIgnoreCase(param.name, QLatin1StringView("CHARSET"))) {
            others.append(VCardSyntax::parameterText(param.name).toUpper() + u'=' + value);
        }
    }
    types.sort();
    types.removeDuplicates();
    others.sort();
    QString text = p.group.isEmpty() ? QString() : VCardSyntax::parameterText(p.group).toLower() + u'.';
    text += name;
    if (!types.isEmpty())
        text += QLatin1StringView(";TYPE=") + types.join(u',');
    for (const QString &other : std::as_const(others))
        text += u';' + other;
    text += u':';
    const QByteArray binary
        = p.encoding() == VCardSyntax::Encoding::Base64 ? VCardSyntax::decodeBinary(p) : QByteArray();
    if (!binary.isEmpty()) {
        text += QStringLiteral("<%1 bytes %2>")
                    .arg(binary.size())
                    .arg(QString::fromLatin1(
                        QCryptographicHash::hash(binary, QCryptographicHash::Sha1).toHex().left(12)));
        return text;
    }
    QString value = VCardSyntax::decodeText(p);
    value.replace(QLatin1StringView("\r\n"), QLatin1StringView("\n"));
    if (name == QLatin1StringView("N") || name == QLatin1StringView("ADR")
        || name == QLatin1StringView("ORG")) {
        QStringList parts = VCardSyntax::splitEscaped(value, u';');
        for (QString &part : parts)
            part = part.trimmed();
        while (!parts.isEmpty() && parts.constLast().isEmpty())
            parts.removeLast();
        text += parts.join(u'|');
    } else if (name == QLatin1StringView("CATEGORIES")) {
        // A set of names: the writer lists them in the order of the document's groups.
        QStringList names = VCardSyntax::splitEscaped(value, u',');
        for (QString &n : names)
            n = n.trimmed();
        names.sort();
        text += names.join(u',');
    } else {
        text += VCardSyntax::unescape(QStringView(value)).trimmed();
    }
    return text;
}

// Every property of every card of the text, nested cards aside, counted.
inline QMap<QString, int> of(const QByteArray &bytes)
{
    QMap<QString, int> counts;
    const VCardSyntax::Card card { QByteArrayView(bytes) };
    for (const VCardSyntax::Property &p : card.properties())
        ++counts[normalised(p)];
    return counts;
}

// What a holds more often than b, once per surplus occurrence.
inline QStringList surplus(const QMap<QString, int> &a, const QMap<QString, int> &b)
{
    QStringList out;
    for (auto it = a.cbegin(); it != a.cend(); ++it) {
        for (int i = b.value(it.key()); i < it.value(); ++i)
            out.append(it.key());
    }
    return out;
}

} // namespace VCardProperties
