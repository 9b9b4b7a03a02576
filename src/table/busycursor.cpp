#include "table/busycursor.h"

#include <QCursor>
#include <QGuiApplication>

BusyCursor::BusyCursor(bool busy)
    : m_shown(busy && qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
{
    if (m_shown)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

BusyCursor::~BusyCursor()
{
    if (m_shown)
        QGuiApplication::restoreOverrideCursor();
}
