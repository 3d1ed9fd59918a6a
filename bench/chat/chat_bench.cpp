// Times the chat view: appending many lines, and restyling a full view.
#include "social/chat_panel.h"
#include "social/chat_view.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QWidget>

#include <cstdio>
#include <ctime>
#include <string>

namespace {

using lastling::social::ChatPanel;

std::string lineFor(int i) {
    static const char* const colours[] = {"clBlack", "clRed", "$00FF8040", "clNavy", "clGreen"};
    const int seat = i % 5 + 1;
    std::string line = std::to_string(seat) + "+Player" + std::to_string(seat) + " chats: line " +
                       std::to_string(i) + " with a few words of ordinary chat text";
    if (i % 7 == 0) {
        line += " :)#1" + std::to_string(i % 8);
    }
    if (i % 11 == 0) {
        line += " see www.example" + std::to_string(i) + ".com";
    }
    return line + "|" + colours[i % 5];
}

struct Took {
    double wallMs;
    double cpuMs; // this process alone: the machine may be shared
};

template <typename Work> Took measure(Work work) {
    QElapsedTimer timer;
    timer.start();
    const std::clock_t cpuStart = std::clock();
    work();
    QCoreApplication::processEvents();
    return {static_cast<double>(timer.nsecsElapsed()) / 1e6,
            static_cast<double>(std::clock() - cpuStart) * 1000.0 / CLOCKS_PER_SEC};
}

Took appendLines(ChatPanel& panel, int count) {
    return measure([&] {
        for (int i = 0; i < count; ++i) {
            panel.showChatMessage(lineFor(i));
        }
    });
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    ChatPanel panel(&window);
    panel.view()->setGeometry(0, 0, 262, 440);
    window.resize(270, 480);
    window.show();
    QCoreApplication::processEvents();

    constexpr int kLines = 10000;
    const Took append = appendLines(panel, kLines);
    std::printf("append %d chat lines to the view: %.1f ms wall, %.1f ms CPU (%.1f us CPU per "
                "line), %d lines kept\n",
                kLines, append.wallMs, append.cpuMs, append.cpuMs * 1000.0 / kLines,
                panel.view()->document()->blockCount());

    const Took recolour =
        measure([&] { panel.showChatMessage("1+Player1 chats: a new colour|clPurple"); });
    std::printf("recolour one seat's earlier lines in a full view: %.1f ms wall, %.1f ms CPU\n",
                recolour.wallMs, recolour.cpuMs);

    const Took resize = measure([&] { panel.applyTextSize(12); });
    std::printf("change the text size of a full view: %.1f ms wall, %.1f ms CPU\n", resize.wallMs,
                resize.cpuMs);

    panel.clearMainChat();
    const Took again = appendLines(panel, 1000);
    std::printf("append 1000 lines after Clear Main Chat: %.1f ms wall, %.1f ms CPU\n",
                again.wallMs, again.cpuMs);
    return 0;
}
