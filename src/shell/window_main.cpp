#include "shell/window_main.h"

#include "host/command_line.h"
#include "host/signal_pipe.h"
#include "shell/main_window.h"
#include "shell/window_program.h"

#include <QApplication>
#include <QSocketNotifier>

#include <csignal>
#include <memory>

namespace lastling {

namespace {

// SIGTERM (a desktop session logging out) and SIGINT reach the event loop through this pipe;
// it lives until the process ends, so a signal during shutdown still finds it.
SignalPipe g_windowSignals;

void onWindowSignal(int) {
    g_windowSignals.notify();
}

bool catchEndSignals() {
    if (!g_windowSignals.open()) {
        return false;
    }
    struct sigaction action {};
    action.sa_handler = onWindowSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    return ::sigaction(SIGINT, &action, nullptr) == 0 &&
           ::sigaction(SIGTERM, &action, nullptr) == 0;
}

} // namespace

int runWindowProgram(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lastling"));
    shell::WindowOptions options;
    // The toolkit has taken its own options out of argv by now.
    options.params = windowParameters(shell::wireParams(argc, argv));
    shell::WindowProgram program(std::move(options));
    if (!program.start()) {
        return program.exitCode(); // another copy runs and has been raised, or a bad link
    }
    QObject::connect(program.window(), &shell::MainWindow::runEnded, &application,
                     &QApplication::quit, Qt::QueuedConnection);
    // A signal ends the run as closing the window does: the place is saved, the
    // single-instance name let go, and the exit status is 0.
    std::unique_ptr<QSocketNotifier> endSignals;
    if (catchEndSignals()) {
        endSignals =
            std::make_unique<QSocketNotifier>(g_windowSignals.readFd(), QSocketNotifier::Read);
        QObject::connect(endSignals.get(), &QSocketNotifier::activated, program.window(),
                         [&program] {
                             g_windowSignals.drain();
                             program.window()->closeWithoutAsking();
                         });
    }
    const int code = QApplication::exec();
    endSignals.reset();
    if (!program.finish()) {
        qWarning("lastling: could not start the chosen table in a new copy of the program");
        return 1;
    }
    return code;
}

} // namespace lastling
