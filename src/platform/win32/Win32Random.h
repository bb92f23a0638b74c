// The operating system's cryptographically secure random source on Windows.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/RandomSource.h"

namespace quorvel {

// BCryptGenRandom with the system's preferred generator, 53 bits per number, read in blocks so
// that a long draw does not cost a call per number.
class Win32Random : public RandomSource {
 public:
  Result<double> next() override;

 private:
  std::uint64_t buffer_[512]{};
  std::size_t used_ = 512;
};

}  // namespace quorvel
