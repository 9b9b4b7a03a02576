// A wait cursor for the time a step over a large table runs on the GUI thread.
#pragma once

#include <QtGlobal>

class BusyCursor
{
public:
    // Rows from which rebuilding or sorting a table may take long enough to be noticed.
    static constexpr qsizetype LargeTable = 20000;

    // Shows the wait cursor while it lives when `busy` holds; nested ones stack.
    explicit BusyCursor(bool busy);
    ~BusyCursor();
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;

private:
    bool m_shown = false;
};
