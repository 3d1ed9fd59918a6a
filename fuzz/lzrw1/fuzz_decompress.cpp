// Arbitrary bytes as a tally file: expanding must never read or write out of bounds, and
// whatever expands must compress and expand back to the same bytes.
#include "tally/lzrw1.h"

#include <cstdlib>

namespace lzrw1 = lastling::tally::lzrw1;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::uint8_t> plain;
    if (lzrw1::expandBuffer({data, size}, plain) != lzrw1::ExpandStatus::Ok)
        return 0;
    std::vector<std::uint8_t> again;
    if (lzrw1::expandBuffer(lzrw1::compressBuffer(plain), again) != lzrw1::ExpandStatus::Ok || again != plain)
        std::abort();
    return 0;
}
