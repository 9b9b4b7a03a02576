// MergeLinks: the workspace commands of the merge panel's context menu.
#include "merge/mergelinks.h"

#include "platform/workspace.h"
#include "record/keys.h"

QList<MergeLinks::Link> MergeLinks::linksForRow(const MergeRow &row)
{
    const QString text = row.kind == MergeRow::Kind::Labeled && row.labelIndex < 0 ? QString() : row.value;
    return linksFor(row.type, text);
}

QList<MergeLinks::Link> MergeLinks::linksFor(const QString &type, const QString &text)
{
    auto link = [&text](const QString &title, QUrl (*make)(const QString &)) {
        return Link { title, text.isEmpty() ? QUrl() : make(text) };
    };
    if (type == FieldId::Phone)
        return { link(tr("Call Phone"), &Workspace::phoneUrl) };
    if (type == FieldId::Email)
        return { link(tr("Send Email"), &Workspace::mailUrl) };
    if (type == FieldId::Url)
        return { link(tr("Open URL"), &Workspace::webUrl) };
    if (type == FieldId::Address)
        return { link(tr("Open Apple Map"), &Workspace::mapUrl),
                 link(tr("Open Google Map"), &Workspace::webMapUrl) };
    if (type == FieldId::Dates || type == FieldId::Birthday)
        return { Link { tr("Open Calendar"), text.isEmpty() ? QUrl() : Workspace::calendarUrl() } };
    return {};
}
