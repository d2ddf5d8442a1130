#include <gtest/gtest.h>

#ifdef RUNEQUILL_TEST_WINDOWS
#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#else
#include <QCoreApplication>
#endif

int main(int argc, char **argv) {
#ifdef RUNEQUILL_TEST_WINDOWS
    // The whole suite runs without a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    // What the windows remember goes to a folder of this run, never to the user's settings.
    QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
#else
    // The core and the command line need no window system.
    QCoreApplication app(argc, argv);
#endif
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
