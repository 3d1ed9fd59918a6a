// Shows one of the program's side windows on its own, to look at it by hand:
//   window_preview start|help [PAGE]|about
#include "shell/help/about_window.h"
#include "shell/help/help_window.h"
#include "start/start_dialog.h"

#include <QApplication>
#include <QStandardPaths>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const char* which = argc > 1 ? argv[1] : "";
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::TempLocation);
    lastling::start::InstallerEnvironment environment;
    environment.placeFile = [&](const QString& name) { return folder + '/' + name; };
    lastling::start::StartDialog start(environment);
    lastling::help::HelpWindow help;
    lastling::help::AboutWindow about;
    QObject::connect(&help, &lastling::help::HelpWindow::aboutRequested, &about,
                     &lastling::help::AboutWindow::showAbout);
    if (std::strcmp(which, "start") == 0) {
        start.show();
    } else if (std::strcmp(which, "help") == 0) {
        help.showPage(argc > 2 ? std::atoi(argv[2]) : 1);
        help.showHelp();
    } else if (std::strcmp(which, "about") == 0) {
        about.showAbout();
    } else {
        std::fprintf(stderr, "usage: %s start|help [PAGE]|about\n", argv[0]);
        return 2;
    }
    return app.exec();
}
