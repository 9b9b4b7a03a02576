// The option tabs of the print dialog, offscreen: what the controls store.
#include "platform/userdefaults.h"
#include "print/keys.h"
#include "print/printoptions.h"
#include "record/keys.h"
#include "window/labelpresetpanel.h"
#include "window/printoptionspanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

class PrintOptionsPanelTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    std::unique_ptr<UserDefaults> freshDefaults(const QString &name)
    {
        return std::make_unique<UserDefaults>(m_dir.filePath(name));
    }

    static QComboBox *comboWith(QWidget *panel, const QString &text)
    {
        for (QComboBox *box : panel->findChildren<QComboBox *>()) {
            if (box->findText(text) >= 0)
                return box;
        }
        return nullptr;
    }

private Q_SLOTS:
    void unitsConvertTheShownLengthsButStorePoints()
    {
        auto defaults = freshDefaults(QStringLiteral("units.json"));
        PrintOptionsPanel panel(*defaults, QSizeF(612, 792));
        QDoubleSpinBox *top = panel.findChild<QDoubleSpinBox *>(PrintKey::TopMargin);
        QVERIFY(top);
        top->setValue(72);
        QComboBox *unit = comboWith(&panel, PrintUnit::Millimetres);
        QVERIFY(unit);
        unit->setCurrentText(PrintUnit::Millimetres);
        QCOMPARE(top->value(), 25.4);
        QCOMPARE(panel.printOptions().value(PrintKey::TopMargin).toDouble(), 72.0);
        unit->setCurrentText(PrintUnit::Points);
        QCOMPARE(top->value(), 72.0);

        // Too large a margin is held at 95 % of the paper.
        top->setValue(5000);
        QCOMPARE(panel.printOptions().value(PrintKey::TopMargin).toDouble(), 752.4);
        QCOMPARE(PrintOptions::load(*defaults).value(PrintKey::TopMargin).toDouble(), 752.4);
    }

    void presetsSuffixAndSwitchesAreStoredAtOnce()
    {
        auto defaults = freshDefaults(QStringLiteral("labels.json"));
        PrintOptionsPanel panel(*defaults, QSizeF(612, 792));
        panel.findChild<QTabWidget *>()->setCurrentIndex(1);
        QCOMPARE(PrintOptions::lastPrintStyle(*defaults), PrintStyle::MailingLabels);

        comboWith(&panel, PrintUnit::Millimetres)->setCurrentText(PrintUnit::Millimetres);
        QComboBox *presets = comboWith(&panel, QStringLiteral("55.5x29.7mm gap 0"));
        QVERIFY(presets);
        const int index = presets->findText(QStringLiteral("55.5x29.7mm gap 0"));
        presets->setCurrentIndex(index);
        Q_EMIT presets->activated(index);
        QCOMPARE(float(panel.findChild<QDoubleSpinBox *>(StyleKey::LabelWidth)->value()), 55.5f);
        QCOMPARE(float(panel.findChild<QDoubleSpinBox *>(StyleKey::LabelHeight)->value()), 29.7f);
        const QVariantMap labels
            = PrintOptions::styleOptions(PrintOptions::load(*defaults), PrintStyle::MailingLabels);
        QVERIFY(qAbs(PrintOptions::number(labels, StyleKey::LabelWidth) - 157.32) < 0.01);
        QVERIFY(qAbs(PrintOptions::number(labels, StyleKey::LabelHeight) - 84.19) < 0.01);

        // "None" stores an empty suffix; the vertical font follows its switch.
        QComboBox *suffix = comboWith(panel.findChild<QTabWidget *>()->widget(1), QStringLiteral("様"));
        suffix->setCurrentText(QStringLiteral("様"));
        suffix->setCurrentIndex(0);
        QCOMPARE(PrintOptions::styleOptions(panel.printOptions(), PrintStyle::MailingLabels)
                     .value(StyleKey::Keishou),
                 QVariant(QString()));
        QCheckBox *vertical = nullptr;
        for (QCheckBox *box : panel.findChild<QTabWidget *>()->widget(1)->findChildren<QCheckBox *>()) {
            if (box->text() == QStringLiteral("Draw Text in Vertical"))
                vertical = box;
        }
        QVERIFY(vertical);
        vertical->setChecked(true);
        QVERIFY(
            PrintOptions::flag(PrintOptions::styleOptions(panel.printOptions(), PrintStyle::MailingLabels),
                               StyleKey::PrintVertical));
        // The font size is fitted for labels, so only the address list offers it.
        QVERIFY(!panel.findChild<QSpinBox *>(PrintKey::FontSize)->isEnabled());
    }

    void theEnvelopeRectangleIsStoredPerPaperAndTurnsWithTheText()
    {
        auto defaults = freshDefaults(QStringLiteral("envelope.json"));
        PrintOptionsPanel panel(*defaults, QSizeF(612, 792));
        panel.setPaper(QSizeF(624, 312), QStringLiteral("DL"));
        const auto field = [&panel](int i) {
            return panel.findChild<QDoubleSpinBox *>(PrintPanelObject::EnvelopeText + QString::number(i));
        };
        QVERIFY(field(3));
        // Nothing stored: a third of the width and a fifth of the height, centred.
        QCOMPARE(field(0)->value(), 208.0);
        QCOMPARE(field(2)->value(), 208.0);
        QCOMPARE(float(field(3)->value()), 62.4f);
        const auto stored = [&defaults](const QString &paper) {
            return PrintOptions::envelopeTextRect(PrintOptions::load(*defaults), QSizeF(1, 1), paper);
        };

        comboWith(&panel, PrintUnit::Millimetres)->setCurrentText(PrintUnit::Millimetres);
        field(0)->setValue(25.4);
        field(2)->setValue(50.8);
        QCOMPARE(stored(QStringLiteral("DL")).x(), 72.0);
        QCOMPARE(float(stored(QStringLiteral("DL")).width()), 144.0f);

        QComboBox *direction = comboWith(&panel, QStringLiteral("Up-Down"));
        QVERIFY(direction);
        direction->setCurrentIndex(direction->findText(QStringLiteral("Up-Down")));
        QCOMPARE(float(stored(QStringLiteral("DL")).height()), 144.0f);
        QCOMPARE(float(stored(QStringLiteral("DL")).width()), 62.4f);
        QCOMPARE(float(field(3)->value()), 50.8f);

        // Another paper shows its own rectangle and leaves the first one stored.
        panel.setPaper(QSizeF(612, 792), QStringLiteral("Letter"));
        QVERIFY(qAbs(field(2)->value() - 204 * 25.4 / 72) < 0.01);
        QCOMPARE(stored(QStringLiteral("DL")).x(), 72.0);
    }

    void addDeleteAddsAPresetFromTheTabAndDeletesIt()
    {
        auto defaults = freshDefaults(QStringLiteral("presets.json"));
        PrintOptionsPanel panel(*defaults, QSizeF(612, 792));
        panel.findChild<QDoubleSpinBox *>(StyleKey::LabelWidth)->setValue(150);
        panel.findChild<QDoubleSpinBox *>(StyleKey::VGap)->setValue(2);
        QComboBox *presets = comboWith(&panel, QStringLiteral("Add/Delete..."));
        QVERIFY(presets);
        const int builtIn = int(PrintOptions::defaultPresets().size());
        QCOMPARE(presets->findText(QStringLiteral("Add/Delete...")), presets->count() - 1);

        const auto openPanel = [presets] {
            Q_EMIT presets->activated(presets->count() - 1);
            return presets->window()->findChild<LabelPresetPanel *>();
        };
        LabelPresetPanel *editor = openPanel();
        QVERIFY(editor);
        QCOMPARE(presets->currentIndex(), 0);
        auto *name = editor->findChild<QLineEdit *>();
        QCOMPARE(name->text(), QStringLiteral("150x60 points gap 5"));
        name->setText(QStringLiteral("Shipping"));
        for (QPushButton *button : editor->findChildren<QPushButton *>()) {
            if (button->text() == QStringLiteral("Add"))
                button->click();
        }
        editor->accept();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        const auto stored = [&defaults] {
            return PrintOptions::styleOptions(PrintOptions::load(*defaults), PrintStyle::MailingLabels)
                .value(StyleKey::PresetArray)
                .toList();
        };
        QCOMPARE(stored().size(), builtIn + 1);
        const QVariantMap added = stored().last().toMap();
        QCOMPARE(added.value(StyleKey::Name), QVariant(QStringLiteral("Shipping")));
        QCOMPARE(PrintOptions::number(added, StyleKey::LabelWidth), 150.0);
        QCOMPARE(PrintOptions::number(added, StyleKey::VGap), 2.0);
        // The new preset is listed before "Add/Delete..." and chosen.
        QCOMPARE(presets->currentText(), QStringLiteral("Shipping"));
        QCOMPARE(presets->findText(QStringLiteral("Shipping")), builtIn);

        // Only presets the user added can be deleted.
        editor = openPanel();
        QVERIFY(editor);
        auto *list = editor->findChild<QListWidget *>();
        QPushButton *remove = nullptr;
        for (QPushButton *button : editor->findChildren<QPushButton *>()) {
            if (button->text() == QStringLiteral("Delete"))
                remove = button;
        }
        QVERIFY(remove);
        list->setCurrentRow(0);
        QVERIFY(!remove->isEnabled());
        list->setCurrentRow(builtIn);
        QVERIFY(remove->isEnabled());
        remove->click();
        editor->accept();
        QCOMPARE(stored().size(), builtIn);
        QCOMPARE(presets->findText(QStringLiteral("Shipping")), -1);
    }

    void theSummaryNamesHeaderAndFooterAndTheChosenStyle()
    {
        auto defaults = freshDefaults(QStringLiteral("summary.json"));
        PrintOptionsPanel panel(*defaults, QSizeF(612, 792));
        using Items = QList<std::pair<QString, QString>>;
        QCOMPARE(panel.summaryItems(),
                 (Items { { QStringLiteral("Header and Footer"), QStringLiteral("Off") },
                          { QStringLiteral("Print Style"), QStringLiteral("Address List") } }));
        panel.findChild<QTabWidget *>()->setCurrentIndex(3);
        panel.setHeaderAndFooter(true);
        QCOMPARE(panel.summaryItems(),
                 (Items { { QStringLiteral("Header and Footer"), QStringLiteral("On") },
                          { QStringLiteral("Print Style"), QStringLiteral("Hagaki") } }));
        QCOMPARE(panel.findChild<QLabel *>(PrintPanelObject::Summary)->text(),
                 QStringLiteral("Header and Footer: On   Print Style: Hagaki"));
    }

    void theSenderAddressIsSharedByEnvelopesAndPostcards()
    {
        auto defaults = freshDefaults(QStringLiteral("sender.json"));
        PrintOptionsPanel panel(*defaults, QSizeF(612, 792));
        const QList<QComboBox *> popups = panel.findChildren<QComboBox *>(PrintPanelObject::SenderAddress);
        QCOMPARE(popups.size(), 2);
        popups.last()->setCurrentIndex(popups.last()->findData(QStringLiteral("work")));
        QCOMPARE(popups.first()->currentData(), QVariant(QStringLiteral("work")));
        const QVariantMap envelope
            = PrintOptions::styleOptions(PrintOptions::load(*defaults), PrintStyle::Envelope);
        QCOMPARE(envelope.value(StyleKey::SenderLabel), QVariant(QStringLiteral("work")));
        QCOMPARE(PrintOptions::number(envelope, StyleKey::SenderLabelIndex), 1.0);

        QSignalSpy requested(&panel, &PrintOptionsPanel::senderRequested);
        for (QPushButton *button : panel.findChildren<QPushButton *>()) {
            if (button->text() == QStringLiteral("Use Selected Contact as Sender"))
                button->click();
        }
        QCOMPARE(requested.size(), 2);
        panel.setSenderName(QStringLiteral("佐藤 花子"));
        for (QLabel *name : panel.findChildren<QLabel *>(PrintPanelObject::SenderName))
            QCOMPARE(name->text(), QStringLiteral("佐藤 花子"));
    }

    void columnsOfTheViewTickTheirItems()
    {
        auto defaults = freshDefaults(QStringLiteral("items.json"));
        PrintOptionsPanel panel(*defaults, QSizeF(612, 792));
        panel.setColumns({ FieldId::Phone, FieldId::Email });
        const QVariantList items = PrintOptions::styleOptions(panel.printOptions(), PrintStyle::AddressList)
                                       .value(StyleKey::ItemTable)
                                       .toList();
        QStringList on;
        for (const QVariant &item : items) {
            if (PrintOptions::flag(item.toMap(), ItemKey::State))
                on.append(item.toMap().value(ItemKey::Title).toString());
        }
        QCOMPARE(on, (QStringList { FieldId::Name, FieldId::Email, FieldId::Phone }));
        QListWidget *list = panel.findChild<QListWidget *>();
        QCOMPARE(list->item(5)->checkState(), Qt::Checked);
        QVERIFY(!(list->item(0)->flags() & Qt::ItemIsUserCheckable));
    }

    void theLabelFilterFallsBackToAll()
    {
        auto defaults = freshDefaults(QStringLiteral("filter.json"));
        PrintOptionsPanel panel(*defaults, QSizeF(612, 792));
        QMenu *menu = panel.findChild<QToolButton *>()->menu();
        QAction *home = nullptr;
        for (QAction *action : menu->actions()) {
            if (action->text() == QStringLiteral("home"))
                home = action;
        }
        QVERIFY(home);
        const auto selected = [&panel] {
            return PrintOptions::styleOptions(panel.printOptions(), PrintStyle::AddressList)
                .value(StyleKey::SelectedLabels)
                .toStringList();
        };
        Q_EMIT menu->triggered(home);
        QCOMPARE(selected(), QStringList { QStringLiteral("home") });
        QVERIFY(home->isChecked());
        QVERIFY(!menu->actions().first()->isChecked());
        Q_EMIT menu->triggered(home);
        QCOMPARE(selected(), QStringList { PrintLabel::All });
        QVERIFY(menu->actions().first()->isChecked());
    }
};

QTEST_MAIN(PrintOptionsPanelTest)
#include "printoptionspanel_test.moc"
