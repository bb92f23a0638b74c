// The scan alone, on the shipped lists: the worst case is one digit in number input, or in
// word input the most common first letter.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "lookup/Accents.h"
#include "lookup/Lookup.h"
#include "wordlist/ListEntry.h"
#include "wordlist/WordFile.h"

namespace {

quorvel::WordItems shippedEntries(const char* name) {
  std::ifstream in(std::filesystem::path(QUORVEL_DATA_DIR) / name, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return quorvel::readWordItems(bytes.str()).value();
}

const quorvel::WordItems& englishEntries() {
  static const quorvel::WordItems entries = shippedEntries("PubEnglish.txt");
  return entries;
}

void BM_ScanFirstDigit(benchmark::State& state) {
  const auto& entries = englishEntries();
  for (auto _ : state) {
    auto found = quorvel::scanNumbers(entries, "1");
    benchmark::DoNotOptimize(found.data());
  }
}
BENCHMARK(BM_ScanFirstDigit);

// What a load adds: the accent-free forms of the words the scan may list.
quorvel::FoldedWords foldedWords(const quorvel::WordItems& words) {
  quorvel::FoldedWords folded;
  for (std::size_t k = 1; k <= std::min(words.size(), quorvel::kLastScannedEntry); ++k) {
    folded.add(words.text(k - 1));
  }
  return folded;
}

void BM_FoldOnLoad(benchmark::State& state) {
  const quorvel::WordItems entries = shippedEntries("PubFrench.txt");
  for (auto _ : state) {
    quorvel::FoldedWords folded = foldedWords(entries);
    benchmark::DoNotOptimize(folded.size());
  }
}
BENCHMARK(BM_FoldOnLoad);

// The word scan as a key press runs it: the positions of the matching accent-free words, then
// a copy of those entries.
void BM_AccentFreeScanFirstLetter(benchmark::State& state, const char* file, const char* key) {
  const quorvel::WordItems entries = shippedEntries(file);
  const quorvel::FoldedWords folded = foldedWords(entries);
  for (auto _ : state) {
    const std::vector<std::uint32_t> hits = folded.find(key);
    std::vector<std::string> found;
    found.reserve(hits.size());
    for (const std::uint32_t k : hits) found.push_back(quorvel::masterEntry(entries, k));
    benchmark::DoNotOptimize(found.data());
  }
}
BENCHMARK_CAPTURE(BM_AccentFreeScanFirstLetter, English_s, "PubEnglish.txt", "s");
BENCHMARK_CAPTURE(BM_AccentFreeScanFirstLetter, French_c, "PubFrench.txt", "c");
BENCHMARK_CAPTURE(BM_AccentFreeScanFirstLetter, French_e, "PubFrench.txt", "e");
BENCHMARK_CAPTURE(BM_AccentFreeScanFirstLetter, Spanish_a, "PubSpanish.txt", "a");

}  // namespace

BENCHMARK_MAIN();
