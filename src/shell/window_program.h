#pragma once

#include "shell/window_options.h"

#include <QStringList>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace lastling::shell {

class CursorBlinkLimit;
class SingleInstance;
class MainWindow;

// One run of the window program inside an existing QApplication: the single-instance claim,
// the main window, the error box for failures raised inside events.
class WindowProgram {
public:
    explicit WindowProgram(WindowOptions options);
    ~WindowProgram();

    // Starts a copy of the program with the given parameters, not waiting for it.
    using CopyStarter = std::function<bool(const QStringList& params)>;

    // False when another copy runs (it has been asked to raise its window): nothing was made.
    bool start();
    MainWindow* window() const { return m_window.get(); }

    void setCopyStarter(CopyStarter starter) { m_startCopy = std::move(starter); }
    // After the event loop: a table chosen in the window starts in a new copy, once this one
    // has let go of its connections, its host port and the single-instance name. Returns
    // false only when that copy could not be started.
    bool finish();

private:
    WindowOptions m_options;
    std::unique_ptr<SingleInstance> m_instance;
    std::unique_ptr<MainWindow> m_window;
    std::unique_ptr<CursorBlinkLimit> m_blinkLimit;
    CopyStarter m_startCopy;
    QStringList m_restartParams;
    bool m_restart = false;
};

// Command-line parameters after the program name, as the single-byte text the wire carries
// (characters outside Latin-1 become "?").
std::vector<std::string> latin1Params(int argc, char** argv);

} // namespace lastling::shell
