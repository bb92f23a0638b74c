// Windows speaks UTF-16; the logic and its messages speak UTF-8.
#pragma once

#include <string>
#include <string_view>

#include "platform/Result.h"

namespace quorvel {

// UTF-8 of a UTF-16 text; a lone surrogate becomes U+FFFD.
std::string toUtf8(std::wstring_view wide);
// UTF-16 of a UTF-8 text; a byte that starts no character becomes U+FFFD.
std::wstring toWide(std::string_view text);

// A Win32 error code (GetLastError) as a failure, with the system's own sentence for it.
Error win32Error(unsigned long code);

}  // namespace quorvel
