// The desktop commands a merge row offers: by field, and unavailable on rows without an item.
#include "../testutil.h"
#include "merge/mergelinks.h"
#include "record/keys.h"

#include <gtest/gtest.h>

namespace {

MergeRow row(MergeRow::Kind kind, const QString &type, const QString &value, int labelIndex = 0)
{
    MergeRow r;
    r.kind = kind;
    r.type = type;
    r.value = value;
    r.labelIndex = labelIndex;
    return r;
}

} // namespace

TEST(MergeLinks, OfferedByFieldAndOpenOnlyWithAValue)
{
    struct Case
    {
        const char *name;
        MergeRow row;
        QStringList titles;
        QString scheme; // of every link; empty when nothing opens
    };
    using K = MergeRow::Kind;
    const Case cases[] = {
        { "phone", row(K::Labeled, FieldId::Phone, qs("(03) 555 0142")), { qs("Call Phone") }, qs("tel") },
        { "e-mail",
          row(K::Labeled, FieldId::Email, qs("a@example.com")),
          { qs("Send Email") },
          qs("mailto") },
        { "web address", row(K::Labeled, FieldId::Url, qs("example.com")), { qs("Open URL") }, qs("http") },
        { "address",
          row(K::Labeled, FieldId::Address, qs("1 Main St")),
          { qs("Open Apple Map"), qs("Open Google Map") },
          QString() },
        { "filler phone row",
          row(K::Labeled, FieldId::Phone, QString(), -1),
          { qs("Call Phone") },
          QString() },
        { "empty birthday", row(K::Value, FieldId::Birthday, QString()), { qs("Open Calendar") }, QString() },
        { "company", row(K::Value, FieldId::Company, qs("Acme")), {}, QString() },
    };
    for (const Case &c : cases) {
        const QList<MergeLinks::Link> links = MergeLinks::linksForRow(c.row);
        QStringList titles;
        for (const MergeLinks::Link &link : links) {
            titles.append(link.title);
            if (!c.scheme.isEmpty()) {
                EXPECT_EQ(link.url.scheme(), c.scheme) << c.name;
            }
        }
        EXPECT_EQ(titles, c.titles) << c.name;
        const bool opens
            = std::any_of(links.begin(), links.end(), [](const auto &l) { return !l.url.isEmpty(); });
        EXPECT_EQ(opens, !c.row.isFiller() && !c.row.value.isEmpty() && !links.isEmpty()) << c.name;
    }
}
