// Times drawing the table at 200% (run with QT_SCALE_FACTOR=2): a whole frame of a full table
// into an image, and a resize that lays out and draws every picture anew for the new size.
#include "shell/board.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

using lastling::client::TableView;

// Every seat shows a name, a score, a played card and a hand; the own four slots hold cards.
TableView fullTable() {
    TableView view;
    const char* names[] = {"", "You", "Klot", "Klick", "Kling"};
    for (int seat = 1; seat <= 4; ++seat) {
        auto& shown = view.seats[static_cast<std::size_t>(seat)];
        shown.name = names[seat];
        shown.score = std::to_string(seat * 7);
        shown.bonus = seat == 2 ? "+5" : "";
        shown.scoreFollowsName = shown.bonusFollowsScore = true;
        shown.played = seat * 11;
        shown.hand = {4, false, {}};
        shown.took = seat == 3;
    }
    for (int slot = 1; slot <= 4; ++slot) {
        view.ownSlots[static_cast<std::size_t>(slot)] = {slot * 12, true};
    }
    view.hintSlot = 2;
    view.trump = 38;
    view.turnSeat = 1;
    view.playToScore = "Play to Score: 30";
    view.status = "Your Turn.";
    return view;
}

struct Took {
    double wallMs;
    double cpuMs; // this process alone: the machine may be shared
};

template <typename Work> Took measure(int times, Work work) {
    QElapsedTimer timer;
    timer.start();
    const std::clock_t cpuStart = std::clock();
    for (int i = 0; i < times; ++i) {
        work(i);
    }
    return {static_cast<double>(timer.nsecsElapsed()) / 1e6 / times,
            static_cast<double>(std::clock() - cpuStart) * 1000.0 / CLOCKS_PER_SEC / times};
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    lastling::shell::Board board;
    board.resize(1272, 955); // a maximised 1280 x 1024 screen's client area
    board.showTable(fullTable(), [](int seat) { return seat - 1; });
    board.show();
    QCoreApplication::processEvents();
    const qreal ratio = board.devicePixelRatioF();
    QImage frame(board.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    frame.setDevicePixelRatio(ratio);

    constexpr int kFrames = 100;
    const Took draw = measure(kFrames, [&](int) {
        QPainter painter(&frame);
        board.render(&painter);
    });
    std::printf("draw a whole table at %.0f%% (%dx%d pixels): %.2f ms wall, %.2f ms CPU per frame "
                "(target under 8 ms)\n",
                ratio * 100, frame.width(), frame.height(), draw.wallMs, draw.cpuMs);

    constexpr int kResizes = 20;
    const Took resize = measure(kResizes, [&](int i) {
        board.resize(1272 - 2 * (i % 2 + 1), 955 - 2 * (i % 2 + 1)); // new pictures each time
        QPainter painter(&frame);
        board.render(&painter);
    });
    std::printf("resize, draw every picture anew and draw the frame: %.2f ms wall, %.2f ms CPU\n",
                resize.wallMs, resize.cpuMs);
    return 0;
}
