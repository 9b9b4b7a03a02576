// DetailEditor: the base of the small popover editors of one value of a contact (name, phonetic
// name, postal address, account, date).
//
// An editor works on a popover context (detail/keys.h): it shows the value named by "contact",
// "type" and "labelIndex", and Done puts the edited value under "value" with "dirty" set, for the
// table to apply through its undoable operations. Cancel, Escape and a click outside leave
// "dirty" unset. Return is Done. A locked editor shows the value read-only.
#pragma once

#include "record/entries.h"

#include <QVariantMap>
#include <QWidget>

class QComboBox;
class QPushButton;

class DetailEditor : public QWidget
{
    Q_OBJECT

public:
    explicit DetailEditor(QWidget *parent = nullptr);

    void setContextInfo(const QVariantMap &context, bool editable);
    QVariantMap context() const { return m_context; }
    bool isEditable() const { return m_editable; }

    void done();
    void cancel();

    // The field's labels (localized titles, the label words as data), the current one selected;
    // a label the field does not list is added.
    static void fillLabels(QComboBox *combo, const QString &identifier, const QString &current);
    static QString chosenLabel(const QComboBox *combo);

Q_SIGNALS:
    // The editor is through: its popover closes.
    void finished();

protected:
    // Fills the fields from the context.
    virtual void loadContext() = 0;
    // The edited value as the undoable operations take it.
    virtual QVariant result() const = 0;

    SubContactRow row() const;
    QString type() const;
    int labelIndex() const;
    // The item the editor started from ("AddressValue" of the context, else the record's); empty
    // for a new one.
    QVariantMap startItem() const;

    // Adds an entry of the result beside "value".
    void setContextValue(const QString &key, const QVariant &value) { m_context.insert(key, value); }

    // A row of Cancel and Done for the bottom of the editor.
    QWidget *buttonBar();
    // Adds an item to the button bar, left of Cancel.
    void addExtraButton(QPushButton *button);

    void keyPressEvent(QKeyEvent *event) override;

private:
    void applyEditable();

    QVariantMap m_context;
    bool m_editable = true;
    QWidget *m_buttonBar = nullptr;
    QPushButton *m_cancelButton = nullptr;
    QPushButton *m_doneButton = nullptr;
};
