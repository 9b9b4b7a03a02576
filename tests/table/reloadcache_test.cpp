// Reloads that keep what the last reload measured and ordered must show exactly what a table built
// afresh shows, whatever changed in between: a record's values, the entries, or how the table is
// shown.
#include "record/keys.h"
#include "table/contactstablemodel.h"
#include "table/tablecolumns.h"
#include "tabletestutil.h"

#include <QtTest>
#include <functional>

using namespace TableTest;

namespace {

const QStringList kColumns { FieldId::Name, FieldId::Phone, FieldId::Email, FieldId::Note };

// What each row stands for and how it is shown, in table order.
QStringList shown(const ContactsTableModel &model)
{
    QStringList out;
    for (const SubContactRow &row : model.rows())
        out.append(QStringLiteral("%1 %2/%3 lines %4%5")
                       .arg(row.person->compositeName(), row.uniqueId)
                       .arg(row.labelIndex)
                       .arg(row.numLines)
                       .arg(row.notFirstRow ? QStringLiteral(" cont") : QString()));
    return out;
}

struct View
{
    QStringList columns = kColumns;
    QStringList labels;
    std::optional<SortDescriptor> sort;
    bool company = false;
};

void show(ContactsTableModel &model, const ContactTable &table, const View &view)
{
    model.setContactTable(table);
    model.setColumns(TableColumns::updateColumns(view.columns, {}, {}));
    CellContext context;
    context.selectedLabels = view.labels;
    context.showCompanyInNameCell = view.company;
    model.setCellContext(context);
    model.setSortDescriptor(view.sort);
}

QStringList builtAfresh(const ContactTable &table, const View &view)
{
    ContactsTableModel fresh;
    show(fresh, table, view);
    fresh.reload();
    return shown(fresh);
}

QVariantMap item(const QString &label, const QString &value)
{
    return { { Key::Label, label }, { Key::Value, value } };
}

ContactTable sampleTable()
{
    PersonPtr anna = person("Anna", "Berg");
    add(anna, FieldId::Phone, { { "home", "555-3" }, { "work", "555-1" } });
    add(anna, FieldId::Email, { { "home", "anna@example.com" } });
    PersonPtr bo = person("Bo", "Ek");
    bo->setValue(qs("Acme"), FieldId::Company);
    add(bo, FieldId::Phone, { { "cell", "555-2" } });
    add(bo, FieldId::Email, { { "work", "bo@acme.example" }, { "home", "bo@example.com" } });
    PersonPtr cleo = person("Cleo", "Dahl");
    cleo->setValue(qs("two\nlines"), FieldId::Note);
    PersonPtr dan = person("Dan", "Alm");
    add(dan, FieldId::Phone, { { "work", "555-0" }, { "home", "555-9" }, { "cell", "555-5" } });
    return std::make_shared<ContactList>(entries({ anna, bo, cleo, dan }));
}

} // namespace

class ReloadCacheTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Each step changes one thing and reloads the same model; the rows must be those of a model
    // that never saw the table before. Every step runs under several sorts and with the company
    // line on and off.
    void cachedReloadsShowWhatAFreshBuildShows()
    {
        using Edit = std::function<void(ContactList &, View &)>;
        auto at = [](ContactList &list, int i) { return list.at(i)->person; };
        const QList<std::pair<const char *, Edit>> edits {
            { "nothing", [](ContactList &, View &) {} },
            { "a number on two lines",
              [at](ContactList &l, View &) {
                  QVariantList items = at(l, 0)->phoneValues();
                  QVariantMap second = items.at(1).toMap();
                  second.insert(Key::StringValue, qs("555-1\next. 7"));
                  items[1] = second;
                  at(l, 0)->setLabeledValues(QVPerson::LabeledField::Phone, items);
              } },
            { "an item added",
              [at](ContactList &l, View &) {
                  add(at(l, 2), FieldId::Phone, { { "home", "555-7" } });
              } },
            { "an item deleted",
              [at](ContactList &l, View &) {
                  at(l, 3)->deleteLabeledValueForIdentifier(FieldId::Phone, 0);
              } },
            { "items put in another order",
              [at](ContactList &l, View &) {
                  at(l, 0)->sortForIdentifier(FieldId::Phone, FieldId::Phone, true);
              } },
            { "an item replaced",
              [at](ContactList &l, View &) {
                  at(l, 1)->replaceLabeledValue(QVariantList { item(qs("home"), qs("a\nb\nc")) },
                                                FieldId::Email);
              } },
            { "a name changed",
              [at](ContactList &l, View &) {
                  at(l, 3)->setValue(QVariantMap { { FieldId::FirstName, qs("Aaron") } }, FieldId::Name);
              } },
            { "a company set",
              [at](ContactList &l, View &) { at(l, 0)->setValue(qs("Zeta"), FieldId::Company); } },
            { "a tall note",
              [at](ContactList &l, View &) {
                  at(l, 1)->setValue(qs("1\n2\n3\n4\n5\n6\n7"), FieldId::Note);
              } },
            { "shown as a company", [at](ContactList &l, View &) { at(l, 1)->setShowAsPerson(false); } },
            { "an entry deleted", [](ContactList &l, View &) { l.at(2)->deleted = true; } },
            { "the entry restored", [](ContactList &l, View &) { l.at(2)->deleted = false; } },
            { "a contact added",
              [](ContactList &l, View &) {
                  PersonPtr eva = person("Eva", "Berg");
                  add(eva, FieldId::Phone, { { "home", "555-3" }, { "work", "x\ny" } });
                  l.append(makeContactEntry(eva));
              } },
            { "contacts moved", [](ContactList &l, View &) { l.move(0, l.size() - 1); } },
            { "a contact removed", [](ContactList &l, View &) { l.removeAt(1); } },
            { "a record replaced in its entry",
              [](ContactList &l, View &) {
                  PersonPtr other = person("Finn", "Berg");
                  add(other, FieldId::Email, { { "home", "a\nb" }, { "work", "f@example.com" } });
                  l.at(0)->person = other;
              } },
            { "another label filter", [](ContactList &, View &v) { v.labels = { qs("home") }; } },
            { "every label again", [](ContactList &, View &v) { v.labels.clear(); } },
            { "other columns",
              [](ContactList &, View &v) {
                  v.columns = { FieldId::Name, FieldId::Note };
              } },
            { "the columns again", [](ContactList &, View &v) { v.columns = kColumns; } },
            { "another sort",
              [](ContactList &, View &v) {
                  v.sort = SortDescriptor { FieldId::LastName, false };
              } },
            { "a change under that sort",
              [at](ContactList &l, View &) {
                  at(l, 2)->setValue(QVariantMap { { FieldId::LastName, qs("Zorn") } }, FieldId::Name);
              } },
        };
        const QList<std::optional<SortDescriptor>> sorts { std::nullopt,
                                                           SortDescriptor { FieldId::Phone, true },
                                                           SortDescriptor { FieldId::Email, false },
                                                           SortDescriptor { FieldId::Note, true } };
        for (const auto &sort : sorts) {
            for (const bool company : { false, true }) {
                const ContactTable table = sampleTable();
                View view;
                view.sort = sort;
                view.company = company;
                ContactsTableModel model;
                show(model, table, view);
                model.reload();
                for (const auto &[name, edit] : edits) {
                    edit(*table, view);
                    show(model, table, view);
                    model.reload();
                    QVERIFY2(shown(model) == builtAfresh(table, view),
                             qPrintable(QStringLiteral("%1, sort %2, company %3")
                                            .arg(QLatin1String(name), sort ? sort->key : qs("none"))
                                            .arg(company)));
                }
            }
        }
    }

    // Rows sorted again between reloads hold the values of that sort: a reload by the sort before
    // must not take them for its own.
    void aSortBetweenReloads()
    {
        const ContactTable table = sampleTable();
        View view;
        view.sort = SortDescriptor { FieldId::Phone, true };
        ContactsTableModel model;
        show(model, table, view);
        model.reload();
        model.setSortDescriptor(SortDescriptor { FieldId::Email, true });
        model.resort();
        model.setSortDescriptor(view.sort);
        model.reload();
        QCOMPARE(shown(model), builtAfresh(table, view));
    }

    // A reload with nothing changed keeps the rows; a change to one record measures that record
    // again and keeps the others' lines.
    void unchangedContactsKeepTheirRows()
    {
        const ContactTable table = sampleTable();
        View view;
        ContactsTableModel model;
        show(model, table, view);
        model.reload();
        const SubContactRow *before = model.rows().constData();
        model.reload();
        QCOMPARE(model.rows().constData(), before);

        table->at(2)->person->setValue(qs("one\ntwo\nthree"), FieldId::Note);
        model.reload();
        QCOMPARE(shown(model), builtAfresh(table, view));
    }
};

QTEST_MAIN(ReloadCacheTest)
#include "reloadcache_test.moc"
