#include "tally/lzrw1.h"

#include "temp_folder.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

namespace {

using namespace lastling::tally;

Bytes bytesOf(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

Bytes randomBytes(std::size_t count, unsigned seed) {
    std::mt19937 generator(seed);
    Bytes out(count);
    for (auto& byte : out)
        byte = static_cast<std::uint8_t>(generator());
    return out;
}

Bytes tallyLikeText(std::size_t count) {
    std::string text;
    for (int i = 0; text.size() < count; ++i)
        text += (i % 7 == 0 ? "Klot" : std::to_string(i % 13)) + "\r\n";
    text.resize(count);
    return bytesOf(text);
}

Bytes expandOk(const Bytes& packed) {
    Bytes plain;
    EXPECT_EQ(lzrw1::expandBuffer(packed, plain), lzrw1::ExpandStatus::Ok);
    return plain;
}

// Block bodies of a container, in order.
std::vector<Bytes> blockBodies(const Bytes& packed) {
    std::vector<Bytes> bodies;
    for (std::size_t at = lzrw1::kHeaderSize; at + 2 <= packed.size();) {
        const std::size_t length = packed[at] | (packed[at + 1] << 8);
        bodies.emplace_back(packed.begin() + static_cast<long>(at + 2),
                            packed.begin() + static_cast<long>(at + 2 + length));
        at += 2 + length;
    }
    return bodies;
}

struct WorkedExample {
    const char* name;
    Bytes plain;
    Bytes packed;
};

class Lzrw1WorkedExample : public testing::TestWithParam<WorkedExample> {};

TEST_P(Lzrw1WorkedExample, CompressesToTheExactBytesAndBack) {
    EXPECT_EQ(lzrw1::compressBuffer(GetParam().plain), GetParam().packed);
    EXPECT_EQ(expandOk(GetParam().packed), GetParam().plain);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, Lzrw1WorkedExample,
    testing::Values(
        WorkedExample{"Empty", {}, {0x57, 0x52, 0x5A, 0x4C, 0, 0, 0, 0, 0x01, 0x00, 0x80}},
        WorkedExample{"Abc",
                      bytesOf("abc"),
                      {0x57, 0x52, 0x5A, 0x4C, 0x03, 0, 0, 0, 0x04, 0x00, 0x80, 0x61, 0x62, 0x63}},
        WorkedExample{"TwentyA",
                      Bytes(20, 'a'),
                      {0x57, 0x52, 0x5A, 0x4C, 0x14, 0, 0, 0, 0x07, 0x00, 0x40, 0x80, 0x00, 0x00,
                       0x00, 0x04, 0x61}},
        WorkedExample{"AbcFourTimes",
                      bytesOf("abcabcabcabc"),
                      {0x57, 0x52, 0x5A, 0x4C, 0x0C, 0, 0, 0, 0x08, 0x00, 0x40, 0x10, 0x00, 0x61,
                       0x62, 0x63, 0x00, 0x36}},
        // 4096 equal bytes: a run of 4095 (count - 16 = 0x0FEF) and one literal.
        WorkedExample{"Run4096",
                      Bytes(4096, 'a'),
                      {0x57, 0x52, 0x5A, 0x4C, 0x00, 0x10, 0, 0, 0x08, 0x00, 0x40, 0x80, 0x00, 0x00,
                       0x0F, 0xEF, 0x61, 0x61}},
        // 15 equal bytes are too few for a run: a literal, then a match of distance 1, length 14.
        WorkedExample{"Run15",
                      Bytes(15, 'a'),
                      {0x57, 0x52, 0x5A, 0x4C, 0x0F, 0, 0, 0, 0x06, 0x00, 0x40, 0x40, 0x00, 0x61,
                       0x00, 0x1B}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Lzrw1Blocks, FullPieceIsFollowedByAnEmptyBlock) {
    const Bytes plain = tallyLikeText(lzrw1::kBlockSize);
    const Bytes packed = lzrw1::compressBuffer(plain);
    const auto bodies = blockBodies(packed);
    ASSERT_EQ(bodies.size(), 2u);
    EXPECT_EQ(bodies[1], Bytes{0x80});
    EXPECT_EQ(expandOk(packed), plain);
}

TEST(Lzrw1Blocks, IncompressibleDataIsStored) {
    const Bytes plain = randomBytes(1000, 7);
    const auto bodies = blockBodies(lzrw1::compressBuffer(plain));
    ASSERT_EQ(bodies.size(), 1u);
    ASSERT_EQ(bodies[0].size(), plain.size() + 1);
    EXPECT_EQ(bodies[0][0], 0x80);
    EXPECT_TRUE(std::equal(plain.begin(), plain.end(), bodies[0].begin() + 1));
}

TEST(Lzrw1Blocks, RoundTripsEveryKindAndSize) {
    const std::size_t sizes[] = {0, 1, 2, 3, 17, 4095, 32767, 32768, 32769, 65536, 100003};
    for (std::size_t size : sizes) {
        const Bytes inputs[] = {randomBytes(size, static_cast<unsigned>(size)), tallyLikeText(size),
                                Bytes(size, 0), Bytes(size, 0xFF)};
        for (const Bytes& plain : inputs) {
            const Bytes packed = lzrw1::compressBuffer(plain);
            EXPECT_EQ(blockBodies(packed).size(), size / lzrw1::kBlockSize + 1) << size;
            EXPECT_EQ(expandOk(packed), plain) << "size " << size;
        }
    }
}

// A run that crosses the edge of a 32 KiB piece must stop at the edge.
TEST(Lzrw1Blocks, ARunAcrossThePieceEdgeRoundTrips) {
    Bytes plain(32748, 'b');
    plain.insert(plain.end(), 40, 'a');
    EXPECT_EQ(expandOk(lzrw1::compressBuffer(plain)), plain);
}

struct DamagedCase {
    const char* name;
    Bytes packed;
    lzrw1::ExpandStatus status;
};

Bytes header(std::uint32_t plainLength) {
    Bytes out{'W', 'R', 'Z', 'L'};
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(plainLength >> (8 * i)));
    return out;
}

Bytes withBlock(Bytes packed, const Bytes& body) {
    packed.push_back(static_cast<std::uint8_t>(body.size()));
    packed.push_back(static_cast<std::uint8_t>(body.size() >> 8));
    packed.insert(packed.end(), body.begin(), body.end());
    return packed;
}

Bytes storedBody(std::size_t length) {
    Bytes body(length + 1, 'x');
    body[0] = 0x80;
    return body;
}

// Runs that fill a block exactly, then one literal more.
Bytes fullBlockThenALiteral() {
    Bytes body{0x40, 0xFF, 0x00};
    for (int i = 0; i < 7; ++i)
        body.insert(body.end(), {0x00, 0x0F, 0xFF, 'a'}); // 4111 bytes each
    body.insert(body.end(), {0x00, 0x0F, 0x87, 'a'});     // 3991: 32768 in all
    body.push_back('z');
    return body;
}

// Nine runs of 4095 bytes: more than one block can hold.
Bytes nineLongRuns() {
    Bytes body{0x40, 0xFF, 0x80};
    for (int i = 0; i < 9; ++i)
        body.insert(body.end(), {0x00, 0x0F, 0xEF, 'a'});
    return body;
}

class Lzrw1Damaged : public testing::TestWithParam<DamagedCase> {};

TEST_P(Lzrw1Damaged, IsRejected) {
    Bytes plain{1, 2, 3};
    EXPECT_EQ(lzrw1::expandBuffer(GetParam().packed, plain), GetParam().status);
}

using S = lzrw1::ExpandStatus;
INSTANTIATE_TEST_SUITE_P(
    Inputs, Lzrw1Damaged,
    testing::Values(
        DamagedCase{"Nothing", {}, S::Truncated},
        DamagedCase{"ShortIdentifier", bytesOf("WRZ"), S::Truncated},
        DamagedCase{"OtherIdentifier", bytesOf("!HZL\0\0\0\0\x01\0\x80"), S::BadHeader},
        DamagedCase{"LowerCaseIdentifier", bytesOf("wrzl\0\0\0\0\x01\0\x80"), S::BadHeader},
        DamagedCase{"NoLength", bytesOf("WRZL\0\0"), S::Truncated},
        DamagedCase{"NoBlock", header(0), S::Truncated},
        DamagedCase{"HalfBlockLength", Bytes{'W', 'R', 'Z', 'L', 0, 0, 0, 0, 1}, S::Truncated},
        DamagedCase{"BodyCutShort", Bytes{'W', 'R', 'Z', 'L', 3, 0, 0, 0, 4, 0, 0x80, 'a'},
                    S::Truncated},
        DamagedCase{"StoredPastBlock", withBlock(header(32769), storedBody(32769)),
                    S::CorruptBlock},
        DamagedCase{"RunPastBlock", withBlock(header(9 * 4095), nineLongRuns()), S::CorruptBlock},
        DamagedCase{"LiteralPastBlock", withBlock(header(32769), fullBlockThenALiteral()),
                    S::CorruptBlock},
        DamagedCase{"DistanceBeforeStart",
                    withBlock(header(5), {0x40, 0x40, 0x00, 'a', 0x00, 0x20}), S::CorruptBlock},
        DamagedCase{"MatchCutShort", withBlock(header(5), {0x40, 0x40, 0x00, 'a', 0x00}),
                    S::CorruptBlock},
        DamagedCase{"RunCutShort", withBlock(header(20), {0x40, 0x80, 0x00, 0x00, 0x00, 0x04}),
                    S::CorruptBlock},
        DamagedCase{"ControlWordWithoutItem",
                    withBlock(header(16), {0x40, 0,   0,   'a', 'a', 'a', 'a', 'a', 'a', 'a', 'a',
                                           'a',  'a', 'a', 'a', 'a', 'a', 'a', 'a', 0,   0}),
                    S::CorruptBlock},
        DamagedCase{"CompressedBodyOfTwo", withBlock(header(0), {0x40, 0}), S::CorruptBlock},
        DamagedCase{"LengthTooSmall", withBlock(header(2), storedBody(3)), S::SizeMismatch},
        DamagedCase{"LengthTooLarge", withBlock(header(4), storedBody(3)), S::SizeMismatch},
        DamagedCase{"LengthNegative", withBlock(header(0xFFFFFFFF), storedBody(0)),
                    S::SizeMismatch}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Lzrw1Damaged, EveryCutOfAGoodFileIsRejected) {
    const Bytes packed = lzrw1::compressBuffer(tallyLikeText(40000));
    for (std::size_t cut = 0; cut < packed.size(); ++cut) {
        Bytes plain;
        const Bytes part(packed.begin(), packed.begin() + static_cast<long>(cut));
        EXPECT_NE(lzrw1::expandBuffer(part, plain), lzrw1::ExpandStatus::Ok) << cut;
    }
}

TEST(Lzrw1Damaged, FlippedBytesNeverDecodeOutOfBounds) {
    const Bytes good = lzrw1::compressBuffer(tallyLikeText(5000));
    std::mt19937 generator(3);
    for (int round = 0; round < 2000; ++round) {
        Bytes packed = good;
        packed[8 + generator() % (packed.size() - 8)] ^=
            static_cast<std::uint8_t>(1u << (generator() % 8));
        Bytes plain;
        if (lzrw1::expandBuffer(packed, plain) == lzrw1::ExpandStatus::Ok) {
            EXPECT_EQ(plain.size(), 5000u);
        }
    }
}

// File operations, each test in a fresh folder.
class Lzrw1Files : public testing::Test, protected test_support::TempFolder {
protected:
    Lzrw1Files() : TempFolder("lzrw1-test") {}

    std::string path(const char* name) const { return (m_dir / name).string(); }
    static void writeFile(const std::string& file, const Bytes& data) {
        writeBytes(file, std::string(data.begin(), data.end()));
    }
    static Bytes readFile(const std::string& file) { return bytesOf(readBytes(file)); }

    std::string failureOf(bool compress, const char* output = "out") {
        Tlzrw1 doit;
        doit.setInputFile(path("in"));
        doit.setOutputFile(path(output));
        try {
            compress ? doit.Compress() : doit.Decompress();
        } catch (const ELzrw1Exception& error) {
            return error.what();
        }
        return "no failure";
    }
};

TEST_F(Lzrw1Files, CompressAndDecompressRoundTrip) {
    const Bytes plain = tallyLikeText(70000);
    writeFile(path("plain"), plain);
    Tlzrw1 doit;
    doit.setInputFile(path("plain"));
    doit.setOutputFile(path("packed"));
    const auto packedSize = doit.Compress();
    EXPECT_EQ(static_cast<std::uintmax_t>(packedSize), fs::file_size(path("packed")));
    EXPECT_EQ(readFile(path("packed")), lzrw1::compressBuffer(plain));
    doit.setInputFile(path("packed"));
    doit.setOutputFile(path("plain")); // replaces the old plain file whole
    EXPECT_EQ(doit.Decompress(), 70000);
    EXPECT_EQ(readFile(path("plain")), plain);
    EXPECT_EQ(filesInFolder(), 2);
    writeFile(path("in"), {}); // an empty file gives an empty container of eleven bytes
    EXPECT_EQ(failureOf(true), "no failure");
    EXPECT_EQ(fs::file_size(path("out")), 11u);
}

TEST_F(Lzrw1Files, FailuresCarryTheirMessageAndLeaveNoOutput) {
    const std::string in = path("in");
    const std::string out = path("out");
    struct Case {
        const char* name;
        Bytes content;
        bool compress;
        std::string message;
    };
    const Bytes good = lzrw1::compressBuffer(tallyLikeText(3000));
    const Case cases[] = {
        {"bad header", bytesOf("WRZX\0\0\0\0\x01\0\x80"), false,
         in + " : Lzrw1 decompression : this file has no valid header !"},
        {"cut file", Bytes(good.begin(), good.end() - 5), false,
         "Lzrw1 : Error reading from input file : " + in},
        {"size mismatch", withBlock(header(9), storedBody(3)), false,
         "Lzrw1 (decompression LZRW1/KH) : Original and compressed sizes do not match !"},
        {"corrupt block", withBlock(header(5), {0x40, 0x40, 0x00, 'a', 0x00, 0x20}), false,
         "Lzrw1 (decompression LZRW1/KH) : Corrupt block in input file : " + in},
    };
    for (const Case& c : cases) {
        writeFile(in, c.content);
        EXPECT_EQ(failureOf(c.compress), c.message) << c.name;
        EXPECT_FALSE(fs::exists(out)) << c.name;
        EXPECT_EQ(filesInFolder(), 1) << c.name;
    }
}

TEST_F(Lzrw1Files, MissingFilesAreReported) {
    EXPECT_EQ(failureOf(true), "Lzrw1 compression : Failed to obtain the size of : " + path("in"));
    EXPECT_EQ(failureOf(false),
              "Lzrw1 (de)compression : Failed to open input file : " + path("in"));
    writeFile(path("in"), {1, 2, 3});
    EXPECT_EQ(failureOf(true, "no-such-folder/out"),
              "Lzrw1 (de)compression : Failed to open output file : " + path("no-such-folder/out"));
    EXPECT_EQ(filesInFolder(), 1);
}

TEST_F(Lzrw1Files, FailedDecompressKeepsAnEarlierOutputWhole) {
    writeFile(path("out"), bytesOf("earlier"));
    writeFile(path("in"), bytesOf("not a tally file"));
    EXPECT_NE(failureOf(false), "no failure");
    EXPECT_EQ(readFile(path("out")), bytesOf("earlier"));
    EXPECT_EQ(filesInFolder(), 2);
}

TEST(Lzrw1Limits, StatedLengthAboveTheLimitIsRefusedBeforeExpanding) {
    const Bytes packed = lzrw1::compressBuffer(Bytes(100000, 'z'));
    Bytes plain;
    EXPECT_EQ(lzrw1::expandBuffer(packed, plain, 99999), lzrw1::ExpandStatus::TooLarge);
    EXPECT_TRUE(plain.empty());
    EXPECT_EQ(lzrw1::expandBuffer(packed, plain, 100000), lzrw1::ExpandStatus::Ok);
}

TEST_F(Lzrw1Files, BufferOperationsUseTheSameFormat) {
    const Bytes plain = tallyLikeText(1234);
    Tlzrw1 doit;
    doit.setOutputFile(path("packed"));
    doit.CompressFromBuffer(plain);
    EXPECT_EQ(readFile(path("packed")), lzrw1::compressBuffer(plain));
    doit.setInputFile(path("packed"));
    EXPECT_EQ(doit.DecompressToBuffer(), plain);
}

} // namespace
