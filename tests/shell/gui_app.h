#pragma once

#include <QApplication>

namespace lastling::shell::testing {

// One QApplication for the whole test program (offscreen, set by the test helper).
inline QApplication& guiApp() {
    static int argc = 1;
    static char name[] = "shell_test";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}

} // namespace lastling::shell::testing
