// Arbitrary bytes as a tally file: expanding must never read or write out of bounds, and
// whatever expands must compress and expand back to the same bytes and read as a tally list
// (or be refused as one) without harm.
#include "tally/lzrw1.h"
#include "tally/tally_table.h"

#include <cstdlib>

namespace lzrw1 = lastling::tally::lzrw1;
using lastling::tally::TallyGrid;
using lastling::tally::TallyTable;

namespace {

void readAsTallyList(const std::vector<std::uint8_t>& plain) {
    TallyGrid grid;
    const std::string_view text(reinterpret_cast<const char*>(plain.data()), plain.size());
    if (!lastling::tally::gridFromText(text, grid))
        return;
    if (auto table = TallyTable::fromGrid(grid)) {
        table->addgame("addtomine", table->followedNames());
        table->moverow(1);
        lastling::tally::gridText(table->grid());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> plain;
    readAsTallyList(std::vector<std::uint8_t>(data, data + size));
    if (lzrw1::expandBuffer({data, size}, plain) != lzrw1::ExpandStatus::Ok)
        return 0;
    readAsTallyList(plain);
    std::vector<std::uint8_t> again;
    if (lzrw1::expandBuffer(lzrw1::compressBuffer(plain), again) != lzrw1::ExpandStatus::Ok ||
        again != plain)
        std::abort();
    return 0;
}
