// Test executables that need a QApplication: widgets, sockets and web views live on its loop.
#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // ctest also runs the binary to list its tests, without the tests' environment.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
