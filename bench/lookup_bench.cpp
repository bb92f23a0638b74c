// The scan alone, on the shipped English list: the worst case is one digit in number input.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "lookup/Lookup.h"
#include "wordlist/WordFile.h"

namespace {

const std::vector<std::string>& englishEntries() {
  static const std::vector<std::string> entries = [] {
    std::ifstream in(std::filesystem::path(QUORVEL_DATA_DIR) / "PubEnglish.txt", std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return quorvel::masterEntries(quorvel::readWordItems(bytes.str()));
  }();
  return entries;
}

void BM_ScanFirstDigit(benchmark::State& state) {
  const auto& entries = englishEntries();
  for (auto _ : state) {
    auto found = quorvel::scanEntries(entries, "1", quorvel::kNumberStart);
    benchmark::DoNotOptimize(found.data());
  }
}
BENCHMARK(BM_ScanFirstDigit);

void BM_ScanFirstLetter(benchmark::State& state) {
  const auto& entries = englishEntries();
  for (auto _ : state) {
    auto found = quorvel::scanEntries(entries, "s", quorvel::kWordStart);
    benchmark::DoNotOptimize(found.data());
  }
}
BENCHMARK(BM_ScanFirstLetter);

}  // namespace

BENCHMARK_MAIN();
