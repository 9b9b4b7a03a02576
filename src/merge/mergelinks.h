// What a merge row opens with the desktop's programs: a call, a mail, a web page, a map or the
// calendar, by field.
#pragma once

#include "merge/mergerows.h"

#include <QCoreApplication>
#include <QList>
#include <QUrl>

class MergeLinks
{
    Q_DECLARE_TR_FUNCTIONS(MergeLinks)

public:
    struct Link
    {
        QString title;
        QUrl url; // empty when the row has nothing to open: the command shows, unavailable
    };

    static QList<Link> linksForRow(const MergeRow &row);
    // The links of an item's text in a field (the table's context menu offers the same).
    static QList<Link> linksFor(const QString &type, const QString &text);
};
