#include <gtest/gtest.h>

#include "platform/win32/Win32Random.h"

namespace quorvel::testing {
namespace {
TEST(Win32Test, Random) { EXPECT_TRUE(Win32Random().next().ok()); }
}  // namespace
}  // namespace quorvel::testing
