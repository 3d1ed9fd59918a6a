// Writes tally-like text and random bytes into a folder and prints how fast the LZRW1-KH
// coder compresses and expands each, in MB/s (best of several rounds, in memory).
#include "tally/lzrw1.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace lastling::tally;

using Bytes = std::vector<std::uint8_t>;
constexpr std::size_t kDataSize = 4u << 20;
constexpr int kRounds = 5;

// Tally files are lines of small counts and player names.
Bytes tallyLikeText() {
    const char* names[] = {"Klot", "Nisse", "Bengan", "Lisa", "Olle_88", "Kajsa", "Svante"};
    std::mt19937 generator(1);
    std::string text;
    while (text.size() < kDataSize) {
        const auto roll = generator() % 10;
        text +=
            roll < 2 ? names[generator() % 7] : std::to_string(generator() % (roll < 6 ? 10 : 400));
        text += "\r\n";
    }
    text.resize(kDataSize);
    return Bytes(text.begin(), text.end());
}

Bytes randomBytes() {
    std::mt19937 generator(2);
    Bytes data(kDataSize);
    for (auto& byte : data)
        byte = static_cast<std::uint8_t>(generator());
    return data;
}

template <typename Work> double bestMegabytesPerSecond(std::size_t plainSize, Work work) {
    double best = 0;
    for (int round = 0; round < kRounds; ++round) {
        const auto start = std::chrono::steady_clock::now();
        work();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        best = std::max(best, static_cast<double>(plainSize) / 1e6 / took.count());
    }
    return best;
}

void measure(const char* name, const Bytes& plain, const std::string& folder) {
    std::ofstream(folder + "/" + name, std::ios::binary)
        .write(reinterpret_cast<const char*>(plain.data()),
               static_cast<std::streamsize>(plain.size()));
    Bytes packed;
    const double compress =
        bestMegabytesPerSecond(plain.size(), [&] { packed = lzrw1::compressBuffer(plain); });
    Bytes expanded;
    const double expand =
        bestMegabytesPerSecond(plain.size(), [&] { lzrw1::expandBuffer(packed, expanded); });
    if (expanded != plain) {
        std::fprintf(stderr, "%s: round trip failed\n", name);
        std::exit(1);
    }
    std::printf("%-10s %-8s ratio %5.1f%%  compress %8.1f MB/s  expand %8.1f MB/s\n", name, "lzrw1",
                100.0 * static_cast<double>(packed.size()) / static_cast<double>(plain.size()),
                compress, expand);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: bench_lzrw1 FOLDER\n");
        return 2;
    }
    measure("tally.txt", tallyLikeText(), argv[1]);
    measure("random.bin", randomBytes(), argv[1]);
    return 0;
}
