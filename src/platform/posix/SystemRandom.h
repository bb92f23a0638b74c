// The operating system's cryptographically secure random source.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/RandomSource.h"

namespace quorvel {

// getrandom, 53 bits per number, read in blocks so a long draw does not cost a system call
// per number.
class SystemRandom : public RandomSource {
 public:
  Result<double> next() override;

 private:
  std::uint64_t buffer_[512]{};
  std::size_t used_ = 512;
};

}  // namespace quorvel
