#include "table/findhighlight.h"

#include "table/keys.h"

namespace FindHighlight {

QList<TextRange> occurrences(const QString &text, const QString &findString, const QString &findOptions)
{
    QList<TextRange> ranges;
    if (text.isEmpty() || findString.isEmpty())
        return ranges;
    const Qt::CaseSensitivity cs
        = findOptions == FindOption::CaseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    qsizetype from = 0;
    while (from < text.size()) {
        const qsizetype at = text.indexOf(findString, from, cs);
        if (at < 0)
            break;
        ranges.append(TextRange { at, findString.size() });
        from = at + findString.size();
    }
    return ranges;
}

FindHighlights highlights(const QString &text, const QString &findString, const QString &findOptions,
                          const CellPlace &place, const FindHit *hit)
{
    FindHighlights result;
    result.matches = occurrences(text, findString, findOptions);
    if (result.matches.isEmpty() || !hit)
        return result;
    const bool sameCell = hit->uniqueId == place.uniqueId && hit->identifier == place.identifier
        && (!place.labelIndex || *place.labelIndex == hit->labelIndex);
    // A range left over from an edited text may no longer fit; it is not drawn then.
    const bool fits = hit->range.isFound() && hit->range.location >= 0 && hit->range.length >= 0
        && hit->range.location <= text.size() && hit->range.length <= text.size() - hit->range.location;
    if (sameCell && fits)
        result.current = hit->range;
    return result;
}

} // namespace FindHighlight
