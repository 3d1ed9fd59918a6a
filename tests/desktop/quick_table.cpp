// The window program as a player meets it after a start without parameters, with the host's
// pauses and the computer players made short, so that a desktop test plays a whole game in
// seconds. Usage: quick_table SETTINGS_FILE [PACE_MS]  (the host's tick and the computer
// players' delay, 20 unless given)
#include "shell/main_window.h"
#include "shell/window_program.h"

#include <QApplication>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lastling"));
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: quick_table SETTINGS_FILE [PACE_MS]\n");
        return 2;
    }
    const int pace = argc == 3 ? std::max(1, std::atoi(argv[2])) : 20;
    lastling::shell::WindowOptions options;
    options.gamePort = "0";
    options.hostTickMs = pace;
    options.botSpeedMs = pace;
    options.settingsPath = QString::fromLocal8Bit(argv[1]);
    options.singleInstance = false;
    lastling::shell::WindowProgram program(std::move(options));
    if (!program.start()) {
        return 1;
    }
    QObject::connect(program.window(), &lastling::shell::MainWindow::runEnded, &application,
                     &QApplication::quit, Qt::QueuedConnection);
    return QApplication::exec();
}
