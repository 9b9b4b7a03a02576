// Test entry point: a Qt application object and a fixed locale, so that dates and names format
// the same on every machine.
#include "platform/contactsettings.h"

#include <QGuiApplication>
#include <QLocale>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QGuiApplication app(argc, argv);
    ContactSettings::setCountryCode(QStringLiteral("US"));
    ContactSettings::setSortOrder(ContactSettings::SortOrder::GivenName);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
