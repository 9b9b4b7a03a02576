// The merge panel in a document window: opened from the Contact menu for the selected contacts,
// rows moved by drops, and Done applied as one step of the window's undo stack.
#include "../window/windowtestutil.h"
#include "detail/detaileditor.h"
#include "merge/keys.h"
#include "record/keys.h"
#include "table/contactstablemodel.h"
#include "table/contactsviewcontroller.h"
#include "window/mergepanelcontroller.h"
#include "window/mergetablemodel.h"
#include "window/mergetableview.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>

using namespace WindowTest;
using Side = MergeSession::Side;

namespace {

// Ann has three phone numbers, Anne one; Bob is selected third and must stay out of it.
QString contacts()
{
    return vCard(QStringLiteral("Ann"), QStringLiteral("Lee"),
                 { { QStringLiteral("HOME"), QStringLiteral("111") },
                   { QStringLiteral("WORK"), QStringLiteral("222") },
                   { QStringLiteral("CELL"), QStringLiteral("333") } },
                 { QStringLiteral("ann@example.com") })
        + vCard(QStringLiteral("Anne"), QStringLiteral("Lee"),
                { { QStringLiteral("HOME"), QStringLiteral("999") } })
        + vCard(QStringLiteral("Bob"), QStringLiteral("Stone"),
                { { QStringLiteral("HOME"), QStringLiteral("777") } });
}

QStringList phones(const SubContactRow &row)
{
    QStringList out;
    for (const QVariant &item : row.person->valueForIdentifier(FieldId::Phone).toList())
        out.append(item.toMap().value(Key::Value).toString());
    return out;
}

} // namespace

class MergePanelTest : public QObject
{
    Q_OBJECT

    struct Window
    {
        Document *document = nullptr;
        ViewController *content = nullptr;
        ContactsViewController *table = nullptr;

        Window()
            : document(openText(contacts()))
        {
            if (!document)
                return;
            content = document->mainViewController();
            table = content->contactsViewController();
        }
        ~Window() { closeDocument(document); }

        int row(const QString &firstName) const
        {
            const SubContactRows &rows = table->model()->rows();
            for (int i = 0; i < rows.size(); ++i) {
                if (rows.at(i).person->nameValue().value(FieldId::FirstName).toString() == firstName)
                    return i;
            }
            return -1;
        }
        SubContactRow contact(const QString &firstName) const
        {
            return table->model()->rows().at(row(firstName));
        }
        QAction *action(const QString &text) const
        {
            for (QAction *each : document->mainWindowController()->findChildren<QAction *>()) {
                if (each->text() == text)
                    return each;
            }
            return nullptr;
        }
        QByteArray saved(const QString &path) const
        {
            QString error;
            if (!document->writeToFile(path, &error))
                return {};
            QFile file(path);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        }
        // Selects the contacts in this order and opens the panel from the Contact menu.
        MergePanelController *openPanel(const QStringList &firstNames) const
        {
            QList<int> rows;
            for (const QString &name : firstNames)
                rows.append(row(name));
            table->selectRows(rows);
            QAction *merge = action(QStringLiteral("Merge Contacts"));
            if (!merge || !merge->isEnabled())
                return nullptr;
            merge->trigger();
            return content->mergePanelController();
        }
    };

    // Drops the source row onto (or between) a row of the other table, as a drag would.
    static bool drop(MergePanelController *panel, Side source, int sourceRow, int targetRow, bool onRow,
                     Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        const Side target = source == Side::Left ? Side::Right : Side::Left;
        MergeTableView *view = panel->tableView(target);
        view->scrollTo(view->model()->index(targetRow, 0));
        const QRect rect = view->visualRect(view->model()->index(targetRow, MergeTableModel::ValueColumn));
        const QPoint point = onRow ? rect.center() : QPoint(rect.center().x(), rect.top() + 1);
        QMimeData mime;
        mime.setData(MergeKey::RowMimeType,
                     QByteArray::number(int(source)) + ',' + QByteArray::number(sourceRow));
        QDragEnterEvent enter(point, Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, modifiers);
        QCoreApplication::sendEvent(view->viewport(), &enter);
        QDragMoveEvent move(point, Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, modifiers);
        QCoreApplication::sendEvent(view->viewport(), &move);
        if (!move.isAccepted())
            return false;
        QDropEvent dropped(point, Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, modifiers);
        QCoreApplication::sendEvent(view->viewport(), &dropped);
        return dropped.isAccepted();
    }

    static int firstRow(MergePanelController *panel, Side side, const QString &identifier)
    {
        const MergeRows &rows = panel->session()->rows(side);
        for (int i = 0; i < rows.size(); ++i) {
            if (rows.at(i).type == identifier)
                return i;
        }
        return -1;
    }

private Q_SLOTS:
    static void initMain() { WindowTest::initMain(); }

    void init()
    {
        resetPreferences();
        UserDefaults::standard().setValue(QStringLiteral("QV1DlastEditState"), true);
    }

    void movingAPhoneAppliesAsOneUndoableStep()
    {
        Window w;
        QVERIFY(w.document);
        QTemporaryDir dir;
        const QByteArray before = w.saved(dir.filePath(QStringLiteral("before.vcf")));
        QVERIFY(!before.isEmpty());

        QAction *merge = w.action(QStringLiteral("Merge Contacts"));
        QVERIFY(merge);
        w.table->selectRows({ w.row(QStringLiteral("Ann")) });
        QVERIFY(!merge->isEnabled());

        MergePanelController *panel
            = w.openPanel({ QStringLiteral("Ann"), QStringLiteral("Anne"), QStringLiteral("Bob") });
        QVERIFY(panel);
        QTRY_VERIFY(panel->isVisible());
        QCOMPARE(panel->nameField(Side::Left)->text() + QLatin1Char('|')
                     + panel->nameField(Side::Right)->text(),
                 QStringLiteral("Ann Lee|Anne Lee"));
        QVERIFY(panel->separatorIsRed());
        QCOMPARE(panel->doneButton()->text(), QStringLiteral("Change"));
        QVERIFY(!panel->doneButton()->isEnabled());
        QVERIFY(panel->cancelButton()->isVisible());

        const int phone = firstRow(panel, Side::Right, FieldId::Phone);
        // Onto Bob's... nothing: a phone does not land on the e-mail row, nor in its own table.
        QVERIFY(!drop(panel, Side::Left, phone, firstRow(panel, Side::Right, FieldId::Email), true));
        QVERIFY(drop(panel, Side::Left, phone + 1, phone + 1, true));
        QCOMPARE(panel->session()->changeCount(), 1);
        QVERIFY(panel->doneButton()->isEnabled());
        // The edit button stays on with changes made.
        panel->editButton()->click();
        QVERIFY(panel->editButton()->isChecked());
        // The document is untouched until Done.
        QCOMPARE(phones(w.contact(QStringLiteral("Ann"))).size(), 3);

        panel->doneButton()->click();
        QTRY_VERIFY(!panel->isVisible());
        QCOMPARE(phones(w.contact(QStringLiteral("Ann"))),
                 (QStringList { QStringLiteral("111"), QStringLiteral("333") }));
        QCOMPARE(phones(w.contact(QStringLiteral("Anne"))),
                 (QStringList { QStringLiteral("999"), QStringLiteral("222") }));
        QCOMPARE(phones(w.contact(QStringLiteral("Bob"))), QStringList { QStringLiteral("777") });
        QVERIFY(w.document->isDocumentEdited());
        QVERIFY(w.saved(dir.filePath(QStringLiteral("merged.vcf"))) != before);

        QAction *undo = w.action(QStringLiteral("&Undo"));
        QVERIFY(undo && undo->isEnabled());
        undo->trigger();
        QCOMPARE(w.saved(dir.filePath(QStringLiteral("undone.vcf"))), before);
        QVERIFY(!w.document->isDocumentEdited());
    }

    void altCopiesAndCancelChangesNothing()
    {
        Window w;
        QVERIFY(w.document);
        QTemporaryDir dir;
        const QByteArray before = w.saved(dir.filePath(QStringLiteral("before.vcf")));
        MergePanelController *panel = w.openPanel({ QStringLiteral("Ann"), QStringLiteral("Anne") });
        QVERIFY(panel);
        const int phone = firstRow(panel, Side::Right, FieldId::Phone);
        // Between rows of the field, with Alt held: the item is added, the source keeps it.
        QVERIFY(drop(panel, Side::Left, phone, phone, false, Qt::AltModifier));
        QCOMPARE(phones(SubContactRow::fromEntry(panel->session()->workingCopy(Side::Left))).size(), 3);
        QCOMPARE(phones(SubContactRow::fromEntry(panel->session()->workingCopy(Side::Right))),
                 (QStringList { QStringLiteral("999"), QStringLiteral("111") }));
        // An in-place edit of a name part counts too, and undo inside the panel takes it back.
        auto *model = qobject_cast<MergeTableModel *>(panel->tableView(Side::Right)->model());
        const int firstName = firstRow(panel, Side::Right, FieldId::Name);
        QVERIFY(model->setData(model->index(firstName, MergeTableModel::ValueColumn), QStringLiteral("Annie"),
                               Qt::EditRole));
        QCOMPARE(panel->nameField(Side::Right)->text(), QStringLiteral("Annie Lee"));
        QCOMPARE(panel->session()->changeCount(), 2);
        panel->session()->undo();
        QCOMPARE(panel->nameField(Side::Right)->text(), QStringLiteral("Anne Lee"));
        QVERIFY(panel->doneButton()->isEnabled());
        // With every change undone there is nothing to apply.
        panel->session()->undo();
        QVERIFY(!panel->doneButton()->isEnabled());
        panel->session()->redo();
        QVERIFY(panel->doneButton()->isEnabled());

        panel->cancelButton()->click();
        QTRY_VERIFY(!panel->isVisible());
        QCOMPARE(w.saved(dir.filePath(QStringLiteral("after.vcf"))), before);
        QVERIFY(!w.document->isDocumentEdited());
    }

    void editorPopoversAddAndChangeItems()
    {
        Window w;
        QVERIFY(w.document);
        MergePanelController *panel = w.openPanel({ QStringLiteral("Ann"), QStringLiteral("Anne") });
        QVERIFY(panel);
        const int dates = firstRow(panel, Side::Right, FieldId::Dates);
        DetailEditor *editor = panel->openEditor(Side::Right, dates, true);
        QVERIFY(editor);
        QTRY_VERIFY(editor->isVisible());
        editor->done();
        QTRY_COMPARE(panel->session()
                         ->workingCopy(Side::Right)
                         ->person->valueForIdentifier(FieldId::Dates)
                         .toList()
                         .size(),
                     1);
        QCOMPARE(panel->session()->changeCount(), 1);
        QVERIFY(panel->doneButton()->isEnabled());
        // Text rows have no popover editor: they are edited in place.
        QVERIFY(!panel->openEditor(Side::Right, firstRow(panel, Side::Right, FieldId::Phone), false));
        panel->cancelButton()->click();
        QTRY_VERIFY(!panel->isVisible());
        QVERIFY(
            w.contact(QStringLiteral("Anne")).person->valueForIdentifier(FieldId::Dates).toList().isEmpty());
    }

    void aLabelPopupChangesTheItemsLabel()
    {
        Window w;
        QVERIFY(w.document);
        MergePanelController *panel = w.openPanel({ QStringLiteral("Ann"), QStringLiteral("Anne") });
        QVERIFY(panel);
        MergeTableView *view = panel->tableView(Side::Right);
        const int phone = firstRow(panel, Side::Right, FieldId::Phone);
        const QModelIndex label = view->model()->index(phone, MergeTableModel::LabelColumn);
        view->setCurrentIndex(label);
        view->edit(label);
        auto *combo = view->findChild<QComboBox *>();
        QVERIFY(combo);
        // The popup shows titles and gives the stored label back.
        const int work = combo->findData(LabelWord::Work);
        QVERIFY(work >= 0);
        combo->setCurrentIndex(work);
        Q_EMIT combo->activated(work);
        QCOMPARE(panel->session()->row(Side::Right, phone).label, LabelWord::Work);
        QCOMPARE(panel->session()->row(Side::Right, phone).value, QStringLiteral("999"));
        QCOMPARE(panel->session()->changeCount(), 1);
        panel->cancelButton()->click();
        QTRY_VERIFY(!panel->isVisible());
    }

    void doneKeepsTheTextBeingTyped()
    {
        Window w;
        QVERIFY(w.document);
        MergePanelController *panel = w.openPanel({ QStringLiteral("Ann"), QStringLiteral("Anne") });
        QVERIFY(panel);
        MergeTableView *view = panel->tableView(Side::Left);
        const QModelIndex first
            = view->model()->index(firstRow(panel, Side::Left, FieldId::Name), MergeTableModel::ValueColumn);
        view->setCurrentIndex(first);
        view->edit(first);
        auto *editor = view->viewport()->findChild<QLineEdit *>();
        QVERIFY(editor);
        editor->selectAll();
        QTest::keyClicks(editor, QStringLiteral("Annabel"));
        // A change made before enables Change; the edit still open is not counted yet, and
        // Change takes it before the panel closes.
        auto *right = qobject_cast<MergeTableModel *>(panel->tableView(Side::Right)->model());
        QVERIFY(right->setData(
            right->index(firstRow(panel, Side::Right, FieldId::Name), MergeTableModel::ValueColumn),
            QStringLiteral("Annie"), Qt::EditRole));
        QCOMPARE(panel->session()->changeCount(), 1);
        panel->doneButton()->click();
        QTRY_VERIFY(!panel->isVisible());
        QVERIFY(w.row(QStringLiteral("Annabel")) >= 0);
        QCOMPARE(w.contact(QStringLiteral("Annabel")).person->nameValue().value(FieldId::LastName).toString(),
                 QStringLiteral("Lee"));
        QCOMPARE(w.row(QStringLiteral("Ann")), -1);
        QVERIFY(w.row(QStringLiteral("Annie")) >= 0);
    }

    void lockedPanelAcceptsNoDropAndDoneClosesWithoutChanges()
    {
        Window w;
        QVERIFY(w.document);
        w.content->setEditState(false);
        MergePanelController *panel = w.openPanel({ QStringLiteral("Ann"), QStringLiteral("Anne") });
        QVERIFY(panel);
        QVERIFY(!panel->separatorIsRed());
        QCOMPARE(panel->editButton()->text(), QStringLiteral("Edit"));
        QCOMPARE(panel->doneButton()->text(), QStringLiteral("Done"));
        QVERIFY(panel->doneButton()->isEnabled());
        QVERIFY(panel->cancelButton()->isHidden());
        const int phone = firstRow(panel, Side::Right, FieldId::Phone);
        QVERIFY(!drop(panel, Side::Left, phone, phone + 1, true));
        // Unlocked, the panel takes drops; locked again before any change, Done changes nothing.
        panel->editButton()->click();
        QVERIFY(panel->separatorIsRed());
        QCOMPARE(panel->editButton()->text(), QStringLiteral("Lock"));
        QVERIFY(!panel->doneButton()->isEnabled());
        panel->editButton()->click();
        QVERIFY(!panel->separatorIsRed());
        QVERIFY(panel->doneButton()->isEnabled());
        panel->doneButton()->click();
        QTRY_VERIFY(!panel->isVisible());
        QCOMPARE(phones(w.contact(QStringLiteral("Ann"))).size(), 3);
        QVERIFY(!w.document->isDocumentEdited());
        QVERIFY(!w.action(QStringLiteral("&Undo"))->isEnabled());
    }
};

QTEST_MAIN(MergePanelTest)
#include "mergepanel_test.moc"
