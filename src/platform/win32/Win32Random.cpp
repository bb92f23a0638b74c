#include "platform/win32/Win32Random.h"

#include <windows.h>
// windows.h first: bcrypt.h needs its types.
#include <bcrypt.h>

#include <cstdio>
#include <system_error>

namespace quorvel {

namespace {

using GenRandom = NTSTATUS(WINAPI*)(BCRYPT_ALG_HANDLE, PUCHAR, ULONG, ULONG);

// bcrypt.dll comes in at the first draw, not at start-up: most runs make no private list, and
// under Wine it brings a TLS library of megabytes with it. Only the system's copy is taken,
// never one of that name put beside the program.
GenRandom systemGenerator() {
  static const GenRandom generator = []() -> GenRandom {
    HMODULE dll = ::LoadLibraryExW(L"bcrypt.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (dll == nullptr) return nullptr;
    return reinterpret_cast<GenRandom>(
        reinterpret_cast<void (*)()>(::GetProcAddress(dll, "BCryptGenRandom")));
  }();
  return generator;
}

}  // namespace

Result<double> Win32Random::next() {
  constexpr std::size_t kCount = sizeof(buffer_) / sizeof(buffer_[0]);
  if (used_ >= kCount) {
    const GenRandom generate = systemGenerator();
    if (generate == nullptr) {
      return Error(std::errc::function_not_supported, "BCryptGenRandom: bcrypt.dll not loaded");
    }
    const NTSTATUS status = generate(nullptr, reinterpret_cast<unsigned char*>(buffer_),
                                     sizeof(buffer_), BCRYPT_USE_SYSTEM_PREFERRED_RNG);
    if (status < 0) {
      // Falling back to a weaker source would make the private order guessable.
      char text[64];
      std::snprintf(text, sizeof text, "BCryptGenRandom: failed (status 0x%08lX)",
                    static_cast<unsigned long>(status));
      return Error(std::errc::function_not_supported, text);
    }
    used_ = 0;
  }
  // The top 53 bits fill a double's mantissa exactly, so every r is a multiple of 2^-53 in
  // [0, 1) and 1 itself can never come out.
  return static_cast<double>(buffer_[used_++] >> 11) * 0x1.0p-53;
}

}  // namespace quorvel
