#include "table/subcontactbuilder.h"
#include "tabletestutil.h"

#include <gtest/gtest.h>

using namespace TableTest;

namespace {

QList<int> labelIndexes(const SubContactRows &rows)
{
    QList<int> out;
    for (const SubContactRow &row : rows)
        out.append(row.labelIndex);
    return out;
}

TEST(SubContactRows, OneRowPerItemPositionThatPassesTheFilter)
{
    PersonPtr p = person("Anna", "Berg");
    add(p, FieldId::Phone, { { "home", "1" }, { "work", "2" }, { "mobile", "3" } });
    add(p, FieldId::Email, { { "other", "a@x" }, { "other", "b@x" }, { "other", "c@x" }, { "work", "d@x" } });
    const ContactEntry entry = makeContactEntry(p);
    struct Case
    {
        const char *name;
        QStringList identifiers;
        QStringList labels;
        QList<int> expected;
    };
    const QStringList phone { FieldId::Name, FieldId::Phone };
    const QStringList phoneAndEmail { FieldId::Name, FieldId::Phone, FieldId::Email };
    const Case cases[] = {
        { "all labels", phone, { LabelWord::All }, { 0, 1, 2 } },
        { "no labels at all counts as all", phone, {}, { 0, 1, 2 } },
        { "work: positions, not counts", phone, { LabelWord::Work }, { 0, 1 } },
        { "last item passes", phone, { LabelWord::Mobile }, { 0, 1, 2 } },
        { "nothing passes: the first row only", phone, { qs("pager") }, { 0 } },
        { "several labels", phone, { LabelWord::Home, LabelWord::Work }, { 0, 1 } },
        { "highest position over all fields", phoneAndEmail, { LabelWord::Work }, { 0, 1, 2, 3 } },
        { "other fields' items widen too", phoneAndEmail, { LabelWord::Other }, { 0, 1, 2 } },
        { "string and dictionary columns add no rows",
          { FieldId::Name, FieldId::Note, FieldId::Birthday, FieldId::PhoneticName },
          { LabelWord::All },
          { 0 } },
    };
    for (const Case &c : cases) {
        const SubContactRows rows
            = SubContactBuilder::createSubContactsFromContact(entry, c.identifiers, c.labels);
        EXPECT_EQ(labelIndexes(rows), c.expected) << c.name;
        for (const SubContactRow &row : rows) {
            EXPECT_EQ(row.person, p) << c.name;
            EXPECT_EQ(row.uniqueId, p->uniqueId()) << c.name;
        }
    }
}

TEST(SubContactRows, AddressComponentsAndCustomItemsTakeTheirItems)
{
    PersonPtr p = person("Anna");
    addAddress(p, "home", "Main St 1", "Springfield");
    addAddress(p, "work", "Dock 2", "Shelbyville");
    addCustom(p, qs("Hobby"), { { "summer", "sailing" }, { "winter", "skiing" }, { "all", "reading" } });
    PersonPtr plain = person("Ben");
    plain->setValue(qs("Hobby is not custom here"), FieldId::Note);
    struct Case
    {
        const char *name;
        PersonPtr person;
        QStringList identifiers;
        QStringList labels;
        QList<int> expected;
    };
    const Case cases[] = {
        { "one component", p, { FieldId::Name, FieldId::City }, { LabelWord::All }, { 0, 1 } },
        { "components share the address items",
          p,
          { FieldId::Zip, FieldId::City, FieldId::Street },
          { LabelWord::All },
          { 0, 1 } },
        { "component columns filter address labels", p, { FieldId::City }, { LabelWord::Home }, { 0 } },
        { "custom labeled item", p, { FieldId::Name, qs("Hobby") }, { LabelWord::All }, { 0, 1, 2 } },
        { "custom item labels filter", p, { qs("Hobby") }, { qs("winter") }, { 0, 1 } },
        { "record without the custom item",
          plain,
          { FieldId::Name, qs("Hobby") },
          { LabelWord::All },
          { 0 } },
    };
    for (const Case &c : cases) {
        const SubContactRows rows = SubContactBuilder::createSubContactsFromContact(
            makeContactEntry(c.person), c.identifiers, c.labels);
        EXPECT_EQ(labelIndexes(rows), c.expected) << c.name;
    }
}

TEST(SubContactRows, DeletedEntriesAndEmptyTablesGiveNoRows)
{
    ContactList contacts = entries({ person("Anna"), person("Ben"), person("Cleo") });
    add(contacts[1]->person, FieldId::Phone, { { "home", "1" }, { "work", "2" } });
    contacts[0]->deleted = true;
    const QStringList ids { FieldId::Name, FieldId::Phone };
    const SubContactRows rows = SubContactBuilder::updateSubContactTable(contacts, ids, { LabelWord::All });
    EXPECT_EQ(summary(rows), (QStringList { qs("Ben#0"), qs("Ben#1"), qs("Cleo#0") }));
    EXPECT_TRUE(SubContactBuilder::updateSubContactTable({}, ids, { LabelWord::All }).isEmpty());
}

// Contacts with 0..3 phones and e-mails of varying labels, some deleted.
ContactList mixedContacts(int n)
{
    static const char *const labels[] = { "home", "work", "mobile", "other" };
    ContactList contacts;
    for (int i = 0; i < n; ++i) {
        PersonPtr p = person(qPrintable(QStringLiteral("P%1").arg(i)));
        for (int k = 0; k < (i * 7) % 4; ++k)
            add(p, FieldId::Phone, { { labels[(i + k) % 4], "555" } });
        for (int k = 0; k < (i * 5) % 3; ++k)
            add(p, FieldId::Email, { { labels[(i * 3 + k) % 4], "x@y" } });
        contacts.append(makeContactEntry(p));
        contacts.last()->deleted = i % 11 == 5;
    }
    return contacts;
}

TEST(SubContactRows, TheFourPartBuildMatchesASequentialBuild)
{
    const QStringList ids { FieldId::Name, FieldId::Phone, FieldId::Email };
    QList<int> sizes;
    for (int n = 0; n <= 9; ++n)
        sizes.append(n);
    sizes += { 401, 5003 };
    for (const QStringList &labels : { QStringList { LabelWord::All }, QStringList { LabelWord::Work } }) {
        const SubContactBuilder builder(ids, labels);
        for (const int n : std::as_const(sizes)) {
            const ContactList contacts = mixedContacts(n);
            const SubContactRows parallel = builder.rowsForContacts(contacts);
            const SubContactRows sequential = builder.rowsForRange(contacts, 0, contacts.size());
            EXPECT_EQ(summary(parallel), summary(sequential))
                << "n = " << n << ", labels " << labels.join(u',').toStdString();
        }
    }
}

TEST(SubContactRows, NotFirstRowMarksOnlyRowsBelowTheSameContact)
{
    PersonPtr a = person("Anna");
    PersonPtr b = person("Ben");
    SubContactRows rows;
    for (const auto &[p, index] : { std::pair { a, 0 }, { a, 1 }, { b, 0 }, { a, 2 }, { b, 1 }, { b, 2 } }) {
        SubContactRow row;
        row.person = p;
        row.uniqueId = p->uniqueId();
        row.labelIndex = index;
        row.notFirstRow = true; // stale marks must go
        rows.append(row);
    }
    SubContactBuilder::markNotFirstRows(rows);
    QList<bool> marks;
    for (const SubContactRow &row : rows)
        marks.append(row.notFirstRow);
    EXPECT_EQ(marks, (QList<bool> { false, true, false, false, false, true }));
}

} // namespace
