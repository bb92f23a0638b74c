// Arbitrary bytes as a word file: the reader must not crash, must never put a line end into
// an item, must take every item from the input in order, and a private file written from the
// items must read back as the same items.
#include <cstdlib>
#include <numeric>

#include "wordlist/PrivateList.h"
#include "wordlist/Utf8.h"

static void check(bool ok, const char* what) {
  if (ok) return;
  __builtin_fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const auto read = quorvel::readWordItems(std::string(input));
  if (!read) return 0;  // more items than a list may hold
  const auto& items = read.value();
  std::size_t from = 0;
  for (const auto& item : items) {
    check(item.bytes.find_first_of("\r\n") == std::string_view::npos, "line end inside an item");
    from = input.find(item.bytes, from);
    check(from != std::string_view::npos, "item bytes not found in order");
    from += item.bytes.size();
    check(!item.text.empty() || item.bytes.empty(), "text lost");
    check(quorvel::isValidUtf8(item.text), "text is not UTF-8");
  }
  std::vector<std::int64_t> order(items.size());
  std::iota(order.rbegin(), order.rend(), 1);  // reversed, so positions matter
  auto written = quorvel::privateFileBytes(items, order);
  check(written.ok(), "a reversed order refused");
  const auto again = quorvel::readWordItems(std::move(written).value()).value();
  check(again.size() == items.size(), "private file has another item count");
  for (std::size_t k = 0; k < items.size(); ++k) {
    check(again[k].bytes == items[order[k] - 1].bytes, "private file changed an item");
  }
  return 0;
}
