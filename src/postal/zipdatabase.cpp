#include "postal/zipdatabase.h"

#include "platform/textcodec.h"
#include "postal/keys.h"
#include "postal/postalcodes.h"

#include <QCoreApplication>
#include <QFile>
#include <algorithm>
#include <atomic>

namespace {

std::atomic<int> s_sharedLoads { 0 };

// Where the fields kept in the compact form stand in a source line, and which of them is the code.
struct LineForm
{
    char16_t tag;
    int firstKept;
    int lastKept;
    int codeField;
};

LineForm lineFormOf(const QString &listName)
{
    if (listName == PostalResource::JigyosyoName)
        return { PostalLineTag::Jigyosyo, 1, 7, 7 };
    return { PostalLineTag::KenAll, 2, 8, 2 };
}

QString problem(const char *text, const QString &listName)
{
    return QCoreApplication::translate("ZipDatabase", text).arg(listName);
}

bool isDigits(QStringView text)
{
    return !text.isEmpty()
        && std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

} // namespace

QList<ZipDatabase::Source> ZipDatabase::shippedSources()
{
    return { { PostalResource::KenAllName, PostalResource::KenAllPath },
             { PostalResource::JigyosyoName, PostalResource::JigyosyoPath } };
}

const ZipDatabase &ZipDatabase::shared()
{
    // A function-local static: the first caller builds it, any other thread arriving meanwhile waits
    // for that build instead of starting its own.
    static const ZipDatabase database = [] {
        s_sharedLoads.fetch_add(1);
        return load(shippedSources());
    }();
    return database;
}

int ZipDatabase::sharedLoadCount()
{
    return s_sharedLoads.load();
}

ZipDatabase ZipDatabase::load(const QList<Source> &sources)
{
    ZipDatabase database;
    for (const Source &source : sources) {
        QFile file(source.path);
        if (!file.open(QIODevice::ReadOnly)) {
            database.m_problems.append(problem(
                QT_TRANSLATE_NOOP("ZipDatabase", "The postal-code list \"%1\" is missing."), source.name));
            continue;
        }
        const std::optional<QByteArray> inflated = PostalCodes::gzipInflate(file.readAll());
        if (!inflated || inflated->isEmpty()) {
            database.m_problems.append(
                problem(QT_TRANSLATE_NOOP("ZipDatabase",
                                          "The postal-code list \"%1\" is damaged: it does not decompress."),
                        source.name));
            continue;
        }
        bool ok = false;
        const QString text = TextCodec::decode(*inflated, PostalEncoding::ShiftJis, &ok);
        if (!ok) {
            database.m_problems.append(problem(
                QT_TRANSLATE_NOOP("ZipDatabase",
                                  "The postal-code list \"%1\" is damaged: it is not Shift_JIS text."),
                source.name));
            continue;
        }

        // The compact form: the tag, then the kept fields each followed by a comma, one line per
        // source line. A line too short to hold the kept fields is left out.
        const LineForm form = lineFormOf(source.name);
        QString compact;
        compact.reserve(text.size());
        QList<CodeEntry> index;
        const QStringView all(text);
        qsizetype lineStart = 0;
        while (lineStart < all.size()) {
            qsizetype lineEnd = all.indexOf(u'\n', lineStart);
            const qsizetype next = lineEnd < 0 ? all.size() : lineEnd + 1;
            if (lineEnd < 0)
                lineEnd = all.size();
            QStringView line = all.sliced(lineStart, lineEnd - lineStart);
            if (line.endsWith(u'\r'))
                line.chop(1);
            lineStart = next;

            const qsizetype outStart = compact.size();
            compact.append(form.tag).append(u',');
            qsizetype fieldStart = 0;
            int field = 0;
            for (; field <= form.lastKept && fieldStart <= line.size(); ++field) {
                qsizetype comma = line.indexOf(u',', fieldStart);
                if (comma < 0)
                    comma = line.size();
                if (field >= form.firstKept) {
                    const QStringView value = line.sliced(fieldStart, comma - fieldStart);
                    if (field == form.codeField && value.size() > 2 && value.front() == u'"'
                        && value.back() == u'"' && isDigits(value.sliced(1, value.size() - 2)))
                        index.append({ outStart, compact.size() + 1, value.size() - 2 });
                    compact.append(value).append(u',');
                }
                fieldStart = comma + 1;
            }
            if (field <= form.lastKept) {
                compact.truncate(outStart);
                if (!index.isEmpty() && index.constLast().lineStart == outStart)
                    index.removeLast();
                continue;
            }
            compact.append(u'\n');
        }
        if (compact.isEmpty()) {
            database.m_problems.append(problem(
                QT_TRANSLATE_NOOP("ZipDatabase", "The postal-code list \"%1\" holds no postal codes."),
                source.name));
            continue;
        }
        database.append(compact, std::move(index));
    }
    return database;
}

void ZipDatabase::append(const QString &compact, QList<CodeEntry> index)
{
    const QStringView text(compact);
    std::stable_sort(index.begin(), index.end(), [text](const CodeEntry &a, const CodeEntry &b) {
        return text.sliced(a.codeStart, a.codeLength) < text.sliced(b.codeStart, b.codeLength);
    });
    m_lists.append(compact);
    m_indexes.append(std::move(index));
}

std::vector<qsizetype> ZipDatabase::linesWithCode(qsizetype list, QStringView digits) const
{
    std::vector<qsizetype> lines;
    if (list < 0 || list >= m_lists.size() || !isDigits(digits))
        return lines;
    const QStringView text(m_lists.at(list));
    const QList<CodeEntry> &index = m_indexes.at(list);
    const auto codeOf = [text](const CodeEntry &e) { return text.sliced(e.codeStart, e.codeLength); };
    auto it = std::lower_bound(index.cbegin(), index.cend(), digits,
                               [&](const CodeEntry &e, QStringView d) { return codeOf(e) < d; });
    for (; it != index.cend() && codeOf(*it).startsWith(digits); ++it) {
        // Fewer digits are the beginning of longer codes; a whole code of seven matches itself.
        const qsizetype length = it->codeLength;
        if (length > digits.size() || (length == 7 && digits.size() == 7))
            lines.push_back(it->lineStart);
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}
