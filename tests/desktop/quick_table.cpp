// The window program as a player meets it after a start without parameters, with the host's
// pauses and the computer players made short, so that a desktop test plays a whole game in
// seconds. Usage: quick_table SETTINGS_FILE
#include "shell/main_window.h"
#include "shell/window_program.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lastling"));
    if (argc != 2) {
        std::fprintf(stderr, "usage: quick_table SETTINGS_FILE\n");
        return 2;
    }
    lastling::shell::WindowOptions options;
    options.gamePort = "0";
    options.hostTickMs = 20;
    options.botSpeedMs = 20;
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
