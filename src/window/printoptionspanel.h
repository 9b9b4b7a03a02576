// The option tabs of the print dialog: one tab per print style with its options, page margins in
// a chosen unit and the font. Every change is written to the options dictionary and stored at once.
#pragma once

#include <QVariantMap>
#include <QWidget>

class QComboBox;
class QDoubleSpinBox;
class QFontComboBox;
class QFormLayout;
class QLabel;
class QListWidget;
class QSpinBox;
class QTabWidget;
class UserDefaults;

class PrintOptionsPanel : public QWidget
{
    Q_OBJECT

public:
    // paper: the paper size in points, for the margin limits.
    PrintOptionsPanel(UserDefaults &defaults, QSizeF paper, QWidget *parent = nullptr);

    QVariantMap printOptions() const { return m_options; }
    QString printStyle() const;
    // Column identifiers of the current view type: their items of the address list are printed.
    void setColumns(const QStringList &columns);
    // The paper's name keys the envelope's address rectangle.
    void setPaper(QSizeF paper, const QString &paperName = {});
    // The summary of the print settings: "Header and Footer" with "On" or "Off", "Print Style"
    // with the style's name.
    QList<std::pair<QString, QString>> summaryItems() const;
    bool headerAndFooter() const { return m_headerAndFooter; }
    void setHeaderAndFooter(bool on);
    static QString styleTitle(const QString &style);
    // The name of the sender printed on envelopes and postcards; empty for none.
    void setSenderName(const QString &name);

Q_SIGNALS:
    void optionsChanged();
    void previewRequested();
    // "Use Selected Contact as Sender" was chosen.
    void senderRequested();

private:
    QWidget *makeAddressListTab();
    QWidget *makeLabelFilter(QWidget *parent);
    QWidget *makeLabelsTab();
    QWidget *makeEnvelopeTab();
    QWidget *makeHagakiTab();
    QWidget *makeSwitch(const QString &style, const QString &key, const QString &title);
    QComboBox *makeSuffixPopup(const QString &style);
    QComboBox *makeVerticalFontPopup(const QString &style);
    void addContentSwitches(QFormLayout *form, const QString &style);
    void addVerticalRow(QFormLayout *form, const QString &style);
    void addSenderRows(QFormLayout *form, const QString &style);
    QDoubleSpinBox *makeLength(double points, const std::function<void(double)> &store);
    void setStyleValue(const QString &style, const QString &key, const QVariant &value);
    void addEnvelopeRectRows(QFormLayout *form);
    void showEnvelopeRect();
    void storeEnvelopeRect();
    void unitChanged(const QString &unit);
    void fillPresetPopup(const QString &selected);
    void presetChosen(int index);
    void openPresetPanel();
    void updateUI();

    UserDefaults &m_defaults;
    QVariantMap m_options;
    QSizeF m_paper;
    QString m_paperName;
    QString m_unit;
    QTabWidget *m_tabs = nullptr;
    QLabel *m_summary = nullptr;
    bool m_headerAndFooter = false;
    QList<QLabel *> m_senderNames;
    QList<QComboBox *> m_senderAddresses;
    QSpinBox *m_fontSize = nullptr;
    QFontComboBox *m_font = nullptr;
    QListWidget *m_items = nullptr;
    QList<QDoubleSpinBox *> m_lengths;
    QList<QDoubleSpinBox *> m_verticalMargins;
    QList<QDoubleSpinBox *> m_horizontalMargins;
    QComboBox *m_presets = nullptr;
    int m_presetIndex = 0; // the preset last chosen, shown again after "Add/Delete..."
    QList<QDoubleSpinBox *> m_labelSizes; // width, height, horizontal gap, vertical gap
    QList<QDoubleSpinBox *> m_envelopeRect; // x, y, width, height
};
