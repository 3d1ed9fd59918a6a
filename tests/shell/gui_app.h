#pragma once

#include <QApplication>

namespace lastling::shell::testing {

// The application that gui_main.cpp makes for the whole test program.
inline QApplication& guiApp() { return *static_cast<QApplication*>(QCoreApplication::instance()); }

} // namespace lastling::shell::testing
