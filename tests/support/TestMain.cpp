#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Every test executable runs with a QApplication on the offscreen platform
// (set by CTest) and with XDG_CONFIG_HOME in a temporary folder, so no test
// ever touches the player's own store.
int main(int argc, char* argv[])
{
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
