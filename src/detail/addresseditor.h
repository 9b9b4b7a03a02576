// AddressEditor: one postal address — its label, its country's format and the components in the
// order of that format, with the composed text as a preview.
#pragma once

#include "detail/detaileditor.h"

#include <QHash>

class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;

class AddressEditor : public DetailEditor
{
    Q_OBJECT

public:
    explicit AddressEditor(QWidget *parent = nullptr);

    // The component fields in the order shown (for keyboard order and tests).
    QStringList componentOrder() const { return m_order; }
    QLineEdit *componentField(const QString &component) const { return m_fields.value(component); }
    QComboBox *countryPopup() const { return m_country; }

protected:
    void loadContext() override;
    QVariant result() const override;

private:
    // The fields in the format of the chosen country, keeping what was typed.
    void arrangeFields();
    void updatePreview();
    QVariantMap editedItem() const;

    QComboBox *m_label;
    QComboBox *m_country;
    QFormLayout *m_form;
    QLabel *m_preview;
    QHash<QString, QLineEdit *> m_fields;
    QStringList m_order;
    QVariantMap m_start;
};
