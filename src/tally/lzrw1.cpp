#include "tally/lzrw1.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>
#include <memory>
#include <new>
#include <random>

namespace lastling::tally {
namespace lzrw1 {
namespace {

constexpr std::uint8_t kStoredFlag = 0x80;
constexpr std::uint8_t kCompressedFlag = 0x40;
constexpr std::size_t kMaxRun = 4095;
constexpr std::size_t kMinRun = 16;
constexpr std::size_t kMaxMatch = 18;
constexpr std::size_t kMinMatch = 3;
constexpr std::size_t kMaxDistance = 4095;
constexpr std::array<std::uint8_t, 4> kIdentifier{'W', 'R', 'Z', 'L'};

void putWordBigEndian(std::span<std::uint8_t> out, std::size_t at, unsigned value) {
    out[at] = static_cast<std::uint8_t>(value >> 8);
    out[at + 1] = static_cast<std::uint8_t>(value);
}

void putLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

std::uint32_t getLittleEndian(std::span<const std::uint8_t> in, std::size_t at, int bytes) {
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = (value << 8) | in[at + static_cast<std::size_t>(i)];
    return value;
}

std::size_t runLength(std::span<const std::uint8_t> piece, std::size_t at) {
    std::size_t length = 1;
    while (at + length < piece.size() && piece[at + length] == piece[at] && length < kMaxRun)
        ++length;
    return length;
}

// The bytes of a piece as the coder hashes them: past the end they read as 0.
std::uint8_t byteOrZero(std::span<const std::uint8_t> piece, std::size_t at) {
    return at < piece.size() ? piece[at] : 0;
}

unsigned hashAt(std::span<const std::uint8_t> piece, std::size_t at) {
    std::uint32_t h = byteOrZero(piece, at);
    h = (h * 16) ^ byteOrZero(piece, at + 1);
    h = (h * 16) ^ byteOrZero(piece, at + 2);
    return ((h * 40543u) >> 4) & 0xFFF;
}

} // namespace

std::optional<std::size_t> expandBlock(std::span<const std::uint8_t> body,
                                       std::span<std::uint8_t, kBlockSize> out) {
    const std::size_t bodyLength = body.size();
    if (bodyLength <= 1)
        return 0;
    if (body[0] == kStoredFlag) {
        if (bodyLength - 1 > kBlockSize)
            return std::nullopt;
        std::copy(body.begin() + 1, body.end(), out.begin());
        return bodyLength - 1;
    }
    if (bodyLength < 3)
        return std::nullopt;
    unsigned control = (body[1] << 8) | body[2];
    int bitsLeft = 16;
    std::size_t x = 3;
    std::size_t produced = 0;
    while (x < bodyLength) {
        if (bitsLeft == 0) {
            if (x + 2 >= bodyLength) // a control word must be followed by an item
                return std::nullopt;
            control = (body[x] << 8) | body[x + 1];
            x += 2;
            bitsLeft = 16;
        }
        if ((control & 0x8000) == 0) {
            if (produced >= kBlockSize)
                return std::nullopt;
            out[produced++] = body[x++];
        } else {
            if (x + 2 > bodyLength)
                return std::nullopt;
            const std::size_t distance = (std::size_t{body[x]} << 4) | (body[x + 1] >> 4);
            if (distance == 0) {
                if (x + 4 > bodyLength)
                    return std::nullopt;
                const std::size_t count = ((std::size_t{body[x + 1]} << 8) | body[x + 2]) + kMinRun;
                if (count > kBlockSize - produced)
                    return std::nullopt;
                std::fill_n(out.begin() + static_cast<std::ptrdiff_t>(produced), count,
                            body[x + 3]);
                produced += count;
                x += 4;
            } else {
                const std::size_t length = (body[x + 1] & 0x0F) + kMinMatch;
                if (distance > produced || length > kBlockSize - produced)
                    return std::nullopt;
                // One byte at a time: a match may copy bytes it has just written.
                for (std::size_t i = 0; i < length; ++i, ++produced)
                    out[produced] = out[produced - distance];
                x += 2;
            }
        }
        control = (control << 1) & 0xFFFF;
        --bitsLeft;
    }
    return produced;
}

std::vector<std::uint8_t> compressBuffer(std::span<const std::uint8_t> plain) {
    std::vector<std::uint8_t> packed(kIdentifier.begin(), kIdentifier.end());
    putLittleEndian(packed, static_cast<std::uint32_t>(plain.size()), 4);
    auto coder = std::make_unique<TLZR>();
    auto body = std::make_unique<std::array<std::uint8_t, kBodyCapacity>>();
    std::size_t offset = 0;
    while (true) {
        const std::size_t pieceLength = std::min(kBlockSize, plain.size() - offset);
        const std::size_t bodyLength =
            coder->compressBlock(plain.subspan(offset, pieceLength), *body);
        putLittleEndian(packed, static_cast<std::uint32_t>(bodyLength), 2);
        packed.insert(packed.end(), body->begin(),
                      body->begin() + static_cast<std::ptrdiff_t>(bodyLength));
        offset += pieceLength;
        if (pieceLength < kBlockSize) // a full piece is always followed by one more block
            break;
    }
    return packed;
}

ExpandStatus expandBuffer(std::span<const std::uint8_t> packed, std::vector<std::uint8_t>& plain,
                          std::size_t maxPlain) {
    plain.clear();
    if (packed.size() < kIdentifier.size())
        return ExpandStatus::Truncated;
    if (!std::equal(kIdentifier.begin(), kIdentifier.end(), packed.begin()))
        return ExpandStatus::BadHeader;
    if (packed.size() < kHeaderSize)
        return ExpandStatus::Truncated;
    const auto expected = static_cast<std::int32_t>(getLittleEndian(packed, 4, 4));
    if (expected > 0 && static_cast<std::size_t>(expected) > maxPlain)
        return ExpandStatus::TooLarge;
    auto block = std::make_unique<std::array<std::uint8_t, kBlockSize>>();
    std::size_t at = kHeaderSize;
    while (true) {
        if (packed.size() - at < 2)
            return ExpandStatus::Truncated;
        const std::size_t bodyLength = getLittleEndian(packed, at, 2);
        at += 2;
        if (packed.size() - at < bodyLength)
            return ExpandStatus::Truncated;
        const auto decoded = expandBlock(packed.subspan(at, bodyLength), *block);
        if (!decoded)
            return ExpandStatus::CorruptBlock;
        at += bodyLength;
        // Stop early once past the stated length, so a hostile file cannot grow memory without end.
        if (static_cast<std::int64_t>(plain.size() + *decoded) > expected)
            return ExpandStatus::SizeMismatch;
        plain.insert(plain.end(), block->begin(),
                     block->begin() + static_cast<std::ptrdiff_t>(*decoded));
        if (*decoded != kBlockSize)
            break;
    }
    return static_cast<std::int64_t>(plain.size()) == expected ? ExpandStatus::Ok
                                                               : ExpandStatus::SizeMismatch;
}

} // namespace lzrw1

std::optional<TLZR::Match> TLZR::findMatch(std::span<const std::uint8_t> piece, std::size_t at) {
    const unsigned h = lzrw1::hashAt(piece, at);
    const std::int16_t earlier = m_hash[h];
    m_hash[h] = static_cast<std::int16_t>(at);
    if (earlier < 0 || at - static_cast<std::size_t>(earlier) > lzrw1::kMaxDistance)
        return std::nullopt;
    const auto start = static_cast<std::size_t>(earlier);
    std::size_t length = 0;
    while (length < lzrw1::kMaxMatch && at + length < piece.size() &&
           piece[at + length] == piece[start + length])
        ++length;
    if (length < lzrw1::kMinMatch)
        return std::nullopt;
    return Match{start, length};
}

std::size_t TLZR::compressBlock(std::span<const std::uint8_t> piece,
                                std::span<std::uint8_t, lzrw1::kBodyCapacity> body) {
    using namespace lzrw1;
    m_hash.fill(-1);
    const std::size_t n = piece.size();
    body[0] = kCompressedFlag;
    std::size_t x = 0, y = 3, controlAt = 1;
    unsigned control = 0;
    int items = 0;
    while (x < n && y <= n) {
        if (items > 15) {
            putWordBigEndian(body, controlAt, control);
            controlAt = y;
            y += 2;
            items = 0;
        }
        const std::size_t run = runLength(piece, x);
        if (run >= kMinRun) {
            body[y] = 0;
            putWordBigEndian(body, y + 1, static_cast<unsigned>(run - kMinRun));
            body[y + 3] = piece[x];
            y += 4;
            x += run;
            control = (control << 1) | 1;
        } else if (const auto match = findMatch(piece, x)) {
            putWordBigEndian(
                body, y,
                static_cast<unsigned>((x - match->start) * 16 + match->length - kMinMatch));
            y += 2;
            x += match->length;
            control = (control << 1) | 1;
        } else {
            body[y++] = piece[x++];
            control <<= 1;
        }
        control &= 0xFFFF;
        ++items;
    }
    putWordBigEndian(body, controlAt, (control << (16 - items)) & 0xFFFF);
    if (y <= n)
        return y;
    // Coding did not make the piece smaller: store it as it is.
    body[0] = kStoredFlag;
    std::copy(piece.begin(), piece.end(), body.begin() + 1);
    return n + 1;
}

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

const char* const kNoMemory = "Lzrw1 (de)compression : Failed to get memory for I/O buffers !";

ELzrw1Exception openInputFailed(const std::string& path) {
    return ELzrw1Exception("Lzrw1 (de)compression : Failed to open input file : " + path);
}

ELzrw1Exception openOutputFailed(const std::string& path) {
    return ELzrw1Exception("Lzrw1 (de)compression : Failed to open output file : " + path);
}

ELzrw1Exception writeFailed(const std::string& path) {
    return ELzrw1Exception("Lzrw1 : Error writing to output file : " + path);
}

ELzrw1Exception readFailed(const std::string& path) {
    return ELzrw1Exception("Lzrw1 : Error reading from input file : " + path);
}

FilePtr openInput(const std::string& path) {
    FilePtr file(std::fopen(path.c_str(), "rb"));
    if (!file)
        throw openInputFailed(path);
    return file;
}

std::vector<std::uint8_t> readToEnd(std::FILE* file, const std::string& path) {
    std::vector<std::uint8_t> data;
    std::array<std::uint8_t, 65536> chunk;
    std::size_t got = 0;
    while ((got = std::fread(chunk.data(), 1, chunk.size(), file)) > 0)
        data.insert(data.end(), chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(got));
    if (std::ferror(file))
        throw readFailed(path);
    return data;
}

// The output file, written under a temporary name beside it and renamed over the target only
// when complete; dropped unfinished, it leaves nothing behind and the old target untouched.
class PendingOutput {
public:
    explicit PendingOutput(std::string target) : m_target(std::move(target)) {
        std::random_device random;
        for (int attempt = 0; attempt < 8 && !m_file; ++attempt) {
            m_tempPath = m_target + ".~" + std::to_string(random() % 1000000000u);
            m_file.reset(std::fopen(m_tempPath.c_str(), "wbx"));
        }
        if (!m_file)
            throw openOutputFailed(m_target);
    }
    PendingOutput(const PendingOutput&) = delete;
    PendingOutput& operator=(const PendingOutput&) = delete;
    ~PendingOutput() {
        if (m_file) {
            m_file.reset();
            std::remove(m_tempPath.c_str());
        }
    }

    void write(std::span<const std::uint8_t> data) {
        if (std::fwrite(data.data(), 1, data.size(), m_file.get()) != data.size())
            throw writeFailed(m_target);
    }

    void commit() {
        const bool closed = std::fclose(m_file.release()) == 0;
        std::error_code error;
        if (closed)
            std::filesystem::rename(m_tempPath, m_target, error);
        if (!closed || error) {
            std::remove(m_tempPath.c_str());
            throw writeFailed(m_target);
        }
    }

private:
    std::string m_target;
    std::string m_tempPath;
    FilePtr m_file;
};

std::vector<std::uint8_t> readCompressInput(const std::string& path) {
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    // The container holds the plain length in a signed 32-bit field.
    if (error || size > static_cast<std::uintmax_t>(std::numeric_limits<std::int32_t>::max()))
        throw ELzrw1Exception("Lzrw1 compression : Failed to obtain the size of : " + path);
    FilePtr input = openInput(path);
    std::vector<std::uint8_t> plain(size);
    // A file that shrank since its size was taken would give a container that cannot expand.
    if (std::fread(plain.data(), 1, plain.size(), input.get()) != plain.size())
        throw ELzrw1Exception("Lzrw1 : Error reading from input file : " + path + " (LZRW1/KH)");
    return plain;
}

std::vector<std::uint8_t> expandOrThrow(std::span<const std::uint8_t> packed,
                                        const std::string& path, std::size_t maxPlain = SIZE_MAX) {
    std::vector<std::uint8_t> plain;
    switch (lzrw1::expandBuffer(packed, plain, maxPlain)) {
    case lzrw1::ExpandStatus::Ok:
        return plain;
    case lzrw1::ExpandStatus::BadHeader:
        throw ELzrw1Exception(path + " : Lzrw1 decompression : this file has no valid header !");
    case lzrw1::ExpandStatus::Truncated:
        throw readFailed(path);
    case lzrw1::ExpandStatus::CorruptBlock:
        throw ELzrw1Exception("Lzrw1 (decompression LZRW1/KH) : Corrupt block in input file : " +
                              path);
    case lzrw1::ExpandStatus::TooLarge:
        throw ELzrw1Exception("Lzrw1 (decompression LZRW1/KH) : Original size too large : " + path);
    case lzrw1::ExpandStatus::SizeMismatch:
        break;
    }
    throw ELzrw1Exception(
        "Lzrw1 (decompression LZRW1/KH) : Original and compressed sizes do not match !");
}

template <typename Operation> auto withMemoryMessage(Operation operation) {
    try {
        return operation();
    } catch (const std::bad_alloc&) {
        throw ELzrw1Exception(kNoMemory);
    }
}

} // namespace

std::int64_t Tlzrw1::Compress() {
    return withMemoryMessage([this] {
        const auto plain = readCompressInput(m_inputFile);
        PendingOutput output(m_outputFile);
        const auto packed = lzrw1::compressBuffer(plain);
        output.write(packed);
        output.commit();
        return static_cast<std::int64_t>(packed.size());
    });
}

std::int64_t Tlzrw1::CompressFromBuffer(std::span<const std::uint8_t> plain) {
    return withMemoryMessage([this, plain] {
        if (plain.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
            throw ELzrw1Exception("Lzrw1 compression : Failed to obtain the size of : " +
                                  m_inputFile);
        PendingOutput output(m_outputFile);
        const auto packed = lzrw1::compressBuffer(plain);
        output.write(packed);
        output.commit();
        return static_cast<std::int64_t>(packed.size());
    });
}

std::int64_t Tlzrw1::Decompress() {
    return withMemoryMessage([this] {
        FilePtr input = openInput(m_inputFile);
        PendingOutput output(m_outputFile);
        const auto packed = readToEnd(input.get(), m_inputFile);
        input.reset();
        const auto plain = expandOrThrow(packed, m_inputFile);
        output.write(plain);
        output.commit();
        return static_cast<std::int64_t>(plain.size());
    });
}

std::vector<std::uint8_t> Tlzrw1::DecompressToBuffer(std::size_t maxPlain) {
    return withMemoryMessage([this, maxPlain] {
        FilePtr input = openInput(m_inputFile);
        const auto packed = readToEnd(input.get(), m_inputFile);
        return expandOrThrow(packed, m_inputFile, maxPlain);
    });
}

} // namespace lastling::tally
