// A range of characters in a text, as search hits and address range tables carry it.
#pragma once

#include <QMetaType>
#include <QtGlobal>

#include <limits>

struct TextRange
{
    static constexpr qsizetype NotFound = std::numeric_limits<qsizetype>::max();

    qsizetype location = NotFound;
    qsizetype length = 0;

    qsizetype end() const { return location + length; }
    bool isFound() const { return location != NotFound; }
    friend bool operator==(const TextRange &, const TextRange &) = default;
};

Q_DECLARE_METATYPE(TextRange)
