#include "postal/postalcodes.h"

#include "postal/keys.h"
#include "postal/zipdatabase.h"

#include <QThreadPool>
#include <QVarLengthArray>
#include <mutex>
#include <zlib.h>

namespace PostalCodes {
namespace {

QStringView unquoted(QStringView field)
{
    // An empty quoted field, "", is an empty value too.
    if (field.size() < 2 || field.front() != u'"' || field.back() != u'"')
        return field;
    return field.sliced(1, field.size() - 2);
}

} // namespace

const QStringList &zipdb()
{
    return ZipDatabase::shared().lists();
}

void preload()
{
    static std::once_flag started;
    std::call_once(started, [] {
        // A thread of its own: the global pool's threads stay free for building the table's rows,
        // which waits for them.
        static QThreadPool loader;
        loader.setMaxThreadCount(1);
        loader.start([] { ZipDatabase::shared(); });
    });
}

std::optional<QByteArray> gzipInflate(QByteArrayView data)
{
    if (data.isEmpty())
        return QByteArray(data.data(), data.size());
    const qsizetype half = data.size() / 2;
    QByteArray out(data.size() + half, Qt::Uninitialized);

    z_stream stream {};
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.data()));
    stream.avail_in = static_cast<uInt>(data.size());
    // 15 + 32: a zlib or a gzip header, whichever the data has.
    if (inflateInit2(&stream, 15 + 32) != Z_OK)
        return std::nullopt;
    int status = Z_OK;
    qsizetype written = 0;
    while (status == Z_OK) {
        if (written >= out.size()) {
            // Grown by at least half of what it holds, so a large expansion costs few copies.
            out.resize(out.size() + std::max({ half, out.size() / 2, qsizetype(4096) }));
        }
        stream.next_out = reinterpret_cast<Bytef *>(out.data() + written);
        stream.avail_out = static_cast<uInt>(out.size() - written);
        status = inflate(&stream, Z_SYNC_FLUSH);
        written = out.size() - stream.avail_out;
    }
    const bool closed = inflateEnd(&stream) == Z_OK;
    if (status != Z_STREAM_END || !closed)
        return std::nullopt;
    out.truncate(written);
    return out;
}

QVariantList addressesFromZip(const QString &zip)
{
    return addressesFromZip(zip, ZipDatabase::shared());
}

QVariantList addressesFromZip(const QString &zip, const ZipDatabase &database)
{
    QString digits = zip.trimmed();
    if (digits.size() >= 4 && digits.at(3) == u'-')
        digits.remove(3, 1);
    const QStringList &lists = database.lists();
    for (qsizetype list = 0; list < lists.size(); ++list) {
        const std::vector<qsizetype> starts = database.linesWithCode(list, digits);
        if (starts.empty())
            continue;
        const QStringView text(lists.at(list));
        QString found;
        for (const qsizetype start : starts) {
            const qsizetype end = text.indexOf(u'\n', start);
            found += text.sliced(start, (end < 0 ? text.size() : end + 1) - start);
        }
        return dictionariesFromFindLines(found);
    }
    return {};
}

QVariantList dictionariesFromFindLines(QStringView lines)
{
    QVariantList result;
    result.reserve(lines.count(u'\n') + 1);
    for (const QStringView line : lines.tokenize(u'\n', Qt::SkipEmptyParts)) {
        // The tag and seven fields, each of them followed by a comma. Views until a value is taken:
        // a prefix can give thousands of lines.
        QVarLengthArray<QStringView, 9> f;
        for (const QStringView field : line.tokenize(u','))
            f.append(unquoted(field));
        if (f.size() < 8)
            continue;
        QVariantMap address;
        if (f.at(0) == QStringView(&PostalLineTag::Jigyosyo, 1)) {
            address.insert(PostalKey::PhoneticCompany, f.at(1).toString());
            address.insert(PostalKey::Company, f.at(2).toString());
            address.insert(PostalKey::State, f.at(3).toString());
            address.insert(PostalKey::City, f.at(4).toString());
            address.insert(PostalKey::Street, QString(f.at(5) + f.at(6)));
            address.insert(PostalKey::Zip, formatZIP(f.at(7).toString()));
            address.insert(PostalKey::PhoneticCity, QString());
            address.insert(PostalKey::PhoneticStreet, QString());
        } else {
            address.insert(PostalKey::Zip, formatZIP(f.at(1).toString()));
            address.insert(PostalKey::PhoneticCity, f.at(3).toString());
            address.insert(PostalKey::PhoneticStreet, f.at(4).toString());
            address.insert(PostalKey::State, f.at(5).toString());
            address.insert(PostalKey::City, f.at(6).toString());
            address.insert(PostalKey::Street, f.at(7).toString());
            address.insert(PostalKey::Company, QString());
        }
        result.append(address);
    }
    return result;
}

QString stripDoublequote(const QString &string)
{
    return unquoted(string).toString();
}

QString formatZIP(const QString &zip)
{
    if (zip.size() < 3)
        return zip;
    return zip.left(3) + u'-' + zip.sliced(3);
}

QString streetForAddress(const QVariantMap &result)
{
    const QString street = result.value(PostalKey::Street).toString();
    return street == PostalArea::NotListed ? QString() : street;
}

} // namespace PostalCodes
