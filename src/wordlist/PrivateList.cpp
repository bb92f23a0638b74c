#include "wordlist/PrivateList.h"

#include "wordlist/Utf8.h"

#include <cmath>

namespace quorvel {

namespace {

// Nearest integer, ties to the even one, whatever the floating-point rounding mode is.
double roundHalfEven(double x) {
  const double lower = std::floor(x);
  const double fraction = x - lower;
  if (fraction < 0.5) return lower;
  if (fraction > 0.5) return lower + 1;
  return std::fmod(lower, 2.0) == 0 ? lower : lower + 1;
}

}  // namespace

std::int64_t drawPosition(double r, std::int64_t n) {
  if (n <= 1) return n < 1 ? 0 : 1;
  const double x = roundHalfEven(r * static_cast<double>(n - 1) + 1.0);
  // Guards against r outside [0, 1) from a faulty source rather than indexing past the flags.
  if (!(x >= 1)) return 1;
  if (x >= static_cast<double>(n)) return n;
  return static_cast<std::int64_t>(x);
}

Result<std::vector<std::int64_t>> makeRandomOrder(std::int64_t n, RandomSource& random,
                                                  const std::function<void()>& meanwhile) {
  std::vector<std::int64_t> order;
  if (n <= 0) return order;
  order.reserve(static_cast<std::size_t>(n));
  std::vector<char> taken(static_cast<std::size_t>(n) + 1, 0);
  std::int64_t draws = 0;
  for (std::int64_t i = 0; i < n; ++i) {
    std::int64_t position;
    do {
      const Result<double> r = random.next();
      if (!r) return r.error();
      position = drawPosition(r.value(), n);
      // Counted by draws: the last positions take most of them.
      if (meanwhile && ++draws % kDrawsBetweenCalls == 0) meanwhile();
    } while (taken[static_cast<std::size_t>(position)]);
    taken[static_cast<std::size_t>(position)] = 1;
    order.push_back(position);
  }
  return order;
}

bool needsQuotes(std::string_view item) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  return item.find(',') != std::string_view::npos || (!item.empty() && blank(item.front()));
}

Result<std::string> privateFileBytes(const WordItems& items,
                                     const std::vector<std::int64_t>& order) {
  const auto uncovered = [] {
    return Error(std::errc::invalid_argument, "the drawn order does not cover the list");
  };
  const std::size_t n = items.size();
  if (order.size() != n) return uncovered();
  std::vector<char> seen(n + 1, 0);
  std::size_t total = 0;
  for (const std::int64_t position : order) {
    if (position < 1 || static_cast<std::uint64_t>(position) > n) return uncovered();
    const auto p = static_cast<std::size_t>(position);
    if (seen[p]) return uncovered();
    seen[p] = 1;
    const std::string_view item = items.bytes(p - 1);
    if (needsQuotes(item) && item.find('"') != std::string_view::npos) {
      return Error(std::errc::invalid_argument,
                   "an item holds a quote and cannot be written so that it reads back");
    }
    total += item.size() + 4;
  }
  std::string bytes;
  bytes.reserve(total);
  for (const std::int64_t position : order) {
    const std::string_view item = items.bytes(static_cast<std::size_t>(position) - 1);
    // Written bare, such an item would read back as two items or lose blanks, and every
    // number after it would shift; quoted it reads back exactly as it came from the source.
    if (needsQuotes(item)) {
      bytes.append("\"").append(item).append("\"");
    } else {
      bytes.append(item);
    }
    bytes.append("\r\n");
  }
  // A UTF-8 file loses one byte-order mark at its start; a first item that begins with one
  // keeps it behind a mark of the file's own.
  if (bytes.starts_with(kByteOrderMark) && isValidUtf8(bytes)) bytes.insert(0, kByteOrderMark);
  return bytes;
}

}  // namespace quorvel
