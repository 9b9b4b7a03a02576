// AddressEditor: one postal address — its label, its country's format and the components in the
// order of that format, with the composed text as a preview. Japanese addresses get a Lookup button
// beside the postal code that fills in prefecture, city and street from the national lists.
#pragma once

#include "detail/detaileditor.h"

#include <QHash>

class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

class AddressEditor : public DetailEditor
{
    Q_OBJECT

public:
    explicit AddressEditor(QWidget *parent = nullptr);

    // The component fields in the order shown (for keyboard order and tests).
    QStringList componentOrder() const { return m_order; }
    QLineEdit *componentField(const QString &component) const { return m_fields.value(component); }
    QComboBox *countryPopup() const { return m_country; }
    QPushButton *lookupButton() const { return m_lookup; }
    // Says why a lookup filled nothing.
    QLabel *lookupStatus() const { return m_lookupStatus; }
    // The results offered when a code names several places; null until then.
    QMenu *lookupChooser() const { return m_chooser; }

    // Fills prefecture, city and street from the postal code, or offers the places it names.
    void lookup();

protected:
    void loadContext() override;
    QVariant result() const override;

private:
    // The fields in the format of the chosen country, keeping what was typed.
    void arrangeFields();
    void updatePreview();
    QVariantMap editedItem() const;
    QWidget *zipRow();
    // Shows the Lookup button for Japanese addresses being edited that have a postal code.
    void updateLookupAvailability();
    void zipEdited(const QString &text);
    void fillFromLookup(const QVariantMap &found);

    QComboBox *m_label;
    QComboBox *m_country;
    QFormLayout *m_form;
    QLabel *m_preview;
    QPushButton *m_lookup;
    QLabel *m_lookupStatus;
    QMenu *m_chooser = nullptr;
    QWidget *m_zipRow = nullptr;
    QHash<QString, QLineEdit *> m_fields;
    QStringList m_order;
    QVariantMap m_start;
};
