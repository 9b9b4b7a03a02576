// NameEditor: the parts of a contact's name, or of its phonetic name.
#pragma once

#include "detail/detaileditor.h"

#include <QList>

class QComboBox;
class QLineEdit;

class NameEditor : public DetailEditor
{
    Q_OBJECT

public:
    enum class Kind
    {
        Name,
        PhoneticName
    };

    explicit NameEditor(Kind kind, QWidget *parent = nullptr);

protected:
    void loadContext() override;
    QVariant result() const override;

private:
    struct Part
    {
        QString key;
        QLineEdit *edit;
    };

    Kind m_kind;
    QList<Part> m_parts;
    QComboBox *m_showAs = nullptr;
    QComboBox *m_ordering = nullptr;
    QVariantMap m_start;
};
