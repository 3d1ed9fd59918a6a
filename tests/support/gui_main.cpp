// The test program owns its QApplication on the stack, so Qt's own objects are gone before
// the program's exit handlers run.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
    // Also when the test runner lists the tests at build time, where no display is promised.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
