#pragma once

#include "host/deal_sealer.h"

namespace lastling::host {

// SHA-256 over the deck and 16 bytes from the system's secure random source.
class Sha256Sealer : public DealSealer {
public:
    DealSeal seal(const std::vector<int>& deck) override;
};

} // namespace lastling::host
