// The popover editor of a field's value: name, phonetic name, address, accounts, dates.
#pragma once

#include <QString>

class DetailEditor;
class QWidget;

// nullptr for a field edited in place.
DetailEditor *createDetailEditor(const QString &identifier, QWidget *parent = nullptr);
