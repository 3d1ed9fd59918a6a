#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace lastling::tally {

// LZRW1-KH block coder and its "WRZL" file container.
namespace lzrw1 {

inline constexpr std::size_t kBlockSize = 32768;
// One block plus room for the coder to overshoot before it falls back to a stored block.
inline constexpr std::size_t kBodyCapacity = kBlockSize + 16;
inline constexpr std::size_t kHeaderSize = 8;

enum class ExpandStatus { Ok, BadHeader, Truncated, CorruptBlock, SizeMismatch, TooLarge };

// Expands one block body into out; returns the decoded length, or nothing when the body is corrupt.
std::optional<std::size_t> expandBlock(std::span<const std::uint8_t> body,
                                       std::span<std::uint8_t, kBlockSize> out);

// Whole container in memory: the bytes the file operations read and write.
std::vector<std::uint8_t> compressBuffer(std::span<const std::uint8_t> plain);
// maxPlain refuses a stated plain length above it before anything is expanded.
ExpandStatus expandBuffer(std::span<const std::uint8_t> packed, std::vector<std::uint8_t>& plain,
                          std::size_t maxPlain = SIZE_MAX);

} // namespace lzrw1

class ELzrw1Exception : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The block coder with its hash table of most recent positions.
class TLZR {
public:
    // Codes one piece of at most kBlockSize bytes into body; returns the body length.
    std::size_t compressBlock(std::span<const std::uint8_t> piece,
                              std::span<std::uint8_t, lzrw1::kBodyCapacity> body);

private:
    struct Match {
        std::size_t start;
        std::size_t length;
    };
    std::optional<Match> findMatch(std::span<const std::uint8_t> piece, std::size_t at);

    std::array<std::int16_t, 4096> m_hash{};
};

enum class TCompressMode { Good, Fast, Auto };

// Turns one plain file into one compressed file and back. Only the fast mode is written;
// an output file appears only when the operation succeeds, and replaces the old one whole.
class Tlzrw1 {
public:
    const std::string& InputFile() const { return m_inputFile; }
    void setInputFile(std::string path) { m_inputFile = std::move(path); }
    const std::string& OutputFile() const { return m_outputFile; }
    void setOutputFile(std::string path) { m_outputFile = std::move(path); }
    TCompressMode CompressMode() const { return m_mode; }
    void setCompressMode(TCompressMode mode) { m_mode = mode; }

    // Both return the number of bytes written and throw ELzrw1Exception on failure.
    std::int64_t Compress();
    std::int64_t Decompress();

    // The same operations with one side in memory (the tally keeps no plain file on disk).
    std::int64_t CompressFromBuffer(std::span<const std::uint8_t> plain);
    std::vector<std::uint8_t> DecompressToBuffer(std::size_t maxPlain = SIZE_MAX);

private:
    std::string m_inputFile;
    std::string m_outputFile;
    TCompressMode m_mode = TCompressMode::Fast;
};

} // namespace lastling::tally
