#include "host/engine/smart_player.h"

#include <gtest/gtest.h>

namespace lastling::host {
namespace {

TEST(SmartPlayerTest, Placeholder) { SUCCEED(); }

} // namespace
} // namespace lastling::host
