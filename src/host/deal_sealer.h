#pragma once

#include <string>
#include <vector>

namespace lastling::host {

// A round's deck sealed for the tables: the fingerprint now, the salt at the round's end.
struct DealSeal {
    std::string fingerprintHex;
    std::string saltHex;
    std::vector<int> deck; // positions 1..52
};

// Seals a deck with a fresh salt (protocol/deal_seal.h gives the bytes and the hash).
class DealSealer {
public:
    virtual ~DealSealer() = default;
    virtual DealSeal seal(const std::vector<int>& deck) = 0;
};

} // namespace lastling::host
