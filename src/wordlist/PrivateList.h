// Private lists: the same items in an order drawn once.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/RandomSource.h"
#include "platform/Result.h"
#include "wordlist/WordFile.h"

namespace quorvel {

// A draw: round(r * (n - 1) + 1), ties to even, not floor(r * n) + 1. Positions 1 and n get
// half the weight of the others, so the first and last words tend to come late in the order.
std::int64_t drawPosition(double r, std::int64_t n);

// A random order of the positions 1..n: each draw redrawn while its position is taken.
// n <= 0 gives an empty order; a source that fails gives its failure and no order. A million
// positions take a second or more: `meanwhile` is called every kDrawsBetweenCalls draws.
inline constexpr std::int64_t kDrawsBetweenCalls = 1 << 16;
Result<std::vector<std::int64_t>> makeRandomOrder(std::int64_t n, RandomSource& random,
                                                  const std::function<void()>& meanwhile = {});

// True for an item that would not read back as itself on a line of its own: it holds a comma,
// or begins with a blank. Such items came from quotes, so they hold none. Trailing blanks
// read back bare, and an item ending in one may hold a quote.
bool needsQuotes(std::string_view item);

// The private file: line k is the item at source position order[k], byte for byte, CR LF
// after each; an item that needsQuotes is written inside double quotes, as its source had it.
// Fails unless order is a permutation of 1..items.size() and every item can be written so
// that it reads back unchanged.
Result<std::string> privateFileBytes(const WordItems& items,
                                     const std::vector<std::int64_t>& order);

}  // namespace quorvel
