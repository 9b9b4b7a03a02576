// MergeSession: moving and copying values between the two working copies by drag and drop.
#include "merge/mergesession.h"
#include "record/keys.h"

namespace {

bool isLabeledRow(const MergeRow &row)
{
    return row.kind == MergeRow::Kind::Labeled;
}

} // namespace

bool MergeSession::canDrag(Side side, int index) const
{
    if (!isValid() || index < 0 || index >= rows(side).size())
        return false;
    const MergeRow row = this->row(side, index);
    switch (row.kind) {
    case MergeRow::Kind::Photo:
        return !entry(side)->person->imageData().isEmpty();
    case MergeRow::Kind::NameOrdering:
    case MergeRow::Kind::NameDisplay:
        // Words of the name, not values: they change through their popups.
        return false;
    case MergeRow::Kind::Labeled:
        return row.labelIndex >= 0;
    default:
        return !row.value.isEmpty();
    }
}

QString MergeSession::dragText(Side side, int index) const
{
    if (!isValid())
        return {};
    return MergeRowBuilder::dragText(*entry(side)->person, row(side, index));
}

QImage MergeSession::dragImage(Side side, int index) const
{
    if (!isValid() || row(side, index).kind != MergeRow::Kind::Photo)
        return {};
    QVPerson &person = *entry(side)->person;
    return person.imageData().isEmpty() ? QImage() : person.photo();
}

bool MergeSession::canDrop(Side source, int sourceRow, Side target, int targetRow, bool onRow) const
{
    if (!m_editMode || source == target || !canDrag(source, sourceRow))
        return false;
    if (targetRow < 0 || targetRow >= rows(target).size())
        return false;
    const MergeRow from = row(source, sourceRow);
    const MergeRow to = row(target, targetRow);
    if (from.type != to.type || from.kind != to.kind)
        return false;
    if (isLabeledRow(to))
        return to.valueCount >= 0;
    // One name part onto the same part only: a first name is not a last name.
    if (from.kind == MergeRow::Kind::NamePart || from.kind == MergeRow::Kind::PhoneticPart)
        return onRow && from.label == to.label;
    return onRow;
}

bool MergeSession::drop(Side source, int sourceRow, Side target, int targetRow, bool onRow, bool copy)
{
    if (!canDrop(source, sourceRow, target, targetRow, onRow))
        return false;
    const MergeRow from = row(source, sourceRow);
    const MergeRow to = row(target, targetRow);
    const ContactEntry src = entry(source);
    const ContactEntry dst = entry(target);
    QVPerson &srcPerson = *src->person;
    return applyChange([&] {
        switch (from.kind) {
        case MergeRow::Kind::NamePart: {
            const QString text = srcPerson.nameValue().value(from.label).toString();
            bool changed = replaceNamePart(dst, from.label, text);
            if (!copy)
                changed |= replaceNamePart(src, from.label, QString());
            return changed;
        }
        case MergeRow::Kind::PhoneticPart: {
            const QString text
                = srcPerson.phoneticNameValue().value(MergeRowBuilder::phoneticKey(from.label)).toString();
            bool changed = replacePhoneticPart(dst, from.label, text);
            if (!copy)
                changed |= replacePhoneticPart(src, from.label, QString());
            return changed;
        }
        case MergeRow::Kind::Photo: {
            // The photo is taken before the source loses it.
            if (!storePhoto(dst, srcPerson.photo()))
                return false;
            if (!copy)
                m_editor.undoReplacePhoto(QImage(), src);
            return true;
        }
        case MergeRow::Kind::Labeled: {
            QVariantMap item = srcPerson.valueForIdentifier(from.type).toList().value(from.index).toMap();
            if (item.isEmpty())
                return false;
            bool changed = false;
            if (!copy)
                changed = m_editor.undoDeleteLabeledValueForIdentifier(from.type, from.labelIndex, src, this);
            if (onRow && to.labelIndex >= 0) {
                item.insert(Key::LabelIndex, to.labelIndex);
                changed |= m_editor.undoReplaceValue(item, to.type, dst, this);
            } else {
                changed |= m_editor.undoAddLabeledValue(item, to.type, dst, this);
            }
            return changed;
        }
        case MergeRow::Kind::Value: {
            if (from.type == FieldId::Birthday) {
                const QVariantMap birthday = srcPerson.birthdayValue();
                if (birthday.isEmpty())
                    return false;
                bool changed = m_editor.undoReplaceBirthday(birthday, dst);
                if (!copy)
                    changed |= m_editor.undoReplaceBirthday(QVariant(), src);
                return changed;
            }
            const QVariant value = srcPerson.valueForIdentifier(from.type);
            if (!value.isValid())
                return false;
            bool changed = false;
            if (value != dst->person->valueForIdentifier(to.type))
                changed = m_editor.undoReplaceValue(value, to.type, dst, this);
            if (!copy)
                changed |= m_editor.undoReplaceValue(QString(), from.type, src, this);
            return changed;
        }
        default:
            return false;
        }
    });
}
