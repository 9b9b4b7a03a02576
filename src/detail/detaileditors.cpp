#include "detail/detaileditors.h"

#include "detail/accounteditors.h"
#include "detail/addresseditor.h"
#include "detail/dateeditor.h"
#include "detail/nameeditor.h"
#include "record/keys.h"

DetailEditor *createDetailEditor(const QString &identifier, QWidget *parent)
{
    if (identifier == FieldId::Name)
        return new NameEditor(NameEditor::Kind::Name, parent);
    if (identifier == FieldId::PhoneticName)
        return new NameEditor(NameEditor::Kind::PhoneticName, parent);
    if (identifier == FieldId::Address)
        return new AddressEditor(parent);
    if (identifier == FieldId::InstantMessage)
        return new InstantMessageEditor(parent);
    if (identifier == FieldId::SocialNetwork)
        return new SocialNetworkEditor(parent);
    if (identifier == FieldId::Dates || identifier == FieldId::Birthday)
        return new DateEditor(parent);
    return nullptr;
}
