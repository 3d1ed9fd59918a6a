#include "shell/window_main.h"

#include "host/command_line.h"
#include "shell/main_window.h"
#include "shell/window_program.h"

#include <QApplication>

namespace lastling {

int runWindowProgram(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lastling"));
    shell::WindowOptions options;
    // The toolkit has taken its own options out of argv by now.
    options.params = windowParameters(shell::latin1Params(argc, argv));
    shell::WindowProgram program(std::move(options));
    if (!program.start()) {
        return 0; // another copy runs and has been raised
    }
    QObject::connect(program.window(), &shell::MainWindow::runEnded, &application,
                     &QApplication::quit, Qt::QueuedConnection);
    const int code = QApplication::exec();
    if (!program.finish()) {
        qWarning("lastling: could not start the chosen table in a new copy of the program");
        return 1;
    }
    return code;
}

} // namespace lastling
