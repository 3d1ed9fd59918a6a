// Child of the kill test: keeps a solo game until the given number of tricks is taken and two
// cards of the next are out, prints the kept tricks as the host told them, says "ready" and
// waits to be killed.
#include "solo_table.h"

#include <QCoreApplication>

#include <cstdio>
#include <string>

#include <unistd.h>

using namespace lastling;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        return 2;
    }
    history::HistoryStore store;
    if (!store.open(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "%s\n", store.error().toLocal8Bit().constData());
        return 2;
    }
    const int wanted = std::stoi(argv[2]);
    history::testing::SoloTable table(store, 99);
    table.start(30);
    int tricks = 0;
    int cardsAfter = 0;
    std::string line;
    std::size_t read = 0;
    while (table.step() && !(tricks == wanted && cardsAfter >= 2)) {
        for (; read < table.transport.toSlotOne.size(); ++read) {
            const std::string& message = table.transport.toSlotOne[read];
            if (message.rfind("CMD_heplayed+", 0) == 0) {
                const auto fields = message.substr(13);
                const auto seatEnd = fields.find('+');
                const auto cardEnd = fields.find('+', seatEnd + 1);
                line += fields.substr(0, seatEnd) + ":" +
                        fields.substr(seatEnd + 1, cardEnd - seatEnd - 1) + " ";
                cardsAfter += tricks == wanted ? 1 : 0;
            } else if (message.rfind("CMD_endhand+", 0) == 0 && tricks < wanted) {
                const auto fields = message.substr(12);
                std::printf("%swon by %s\n", line.c_str(),
                            fields.substr(0, fields.find('+')).c_str());
                line.clear();
                ++tricks;
            }
        }
    }
    std::printf("ready\n");
    std::fflush(stdout);
    for (;;) {
        ::pause();
    }
}
