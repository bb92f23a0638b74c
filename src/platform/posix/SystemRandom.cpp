#include "platform/posix/SystemRandom.h"

#include <sys/random.h>

#include <cerrno>
#include <system_error>

namespace quorvel {

Result<double> SystemRandom::next() {
  constexpr std::size_t kCount = sizeof(buffer_) / sizeof(buffer_[0]);
  if (used_ >= kCount) {
    auto* out = reinterpret_cast<unsigned char*>(buffer_);
    std::size_t filled = 0;
    while (filled < sizeof(buffer_)) {
      const ssize_t got = ::getrandom(out + filled, sizeof(buffer_) - filled, 0);
      if (got < 0) {
        if (errno == EINTR) continue;
        // Falling back to a weaker source would make the private order guessable.
        const std::error_code code(errno, std::generic_category());
        return Error(code, "getrandom: " + code.message());
      }
      filled += static_cast<std::size_t>(got);
    }
    used_ = 0;
  }
  // The top 53 bits fill a double's mantissa exactly, so every r is a multiple of 2^-53 in
  // [0, 1) and 1 itself can never come out.
  return static_cast<double>(buffer_[used_++] >> 11) * 0x1.0p-53;
}

}  // namespace quorvel
