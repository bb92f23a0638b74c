// Where the private order's randomness comes from, behind an interface so that tests can
// draw a known order, or none at all.
#pragma once

#include "platform/Result.h"

namespace quorvel {

class RandomSource {
 public:
  virtual ~RandomSource() = default;
  // A uniform number r with 0 <= r < 1, or why there is none.
  virtual Result<double> next() = 0;
};

}  // namespace quorvel
