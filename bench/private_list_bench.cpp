// Making a private list: the single-pass way the program does it, against a baseline that
// rereads the source from its start for every output line (N(N + 1) / 2 item reads and N
// opens), so the work grows with the square of the list length.
#include <benchmark/benchmark.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "platform/posix/RealFileSystem.h"
#include "platform/posix/SystemRandom.h"
#include "wordlist/PrivateList.h"
#include "wordlist/WordFile.h"

namespace {

namespace fs = std::filesystem;
using namespace quorvel;

const fs::path& benchDirectory() {
  static const fs::path dir = [] {
    std::string pattern = (fs::temp_directory_path() / "quorvel-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
      std::perror("mkdtemp");
      std::exit(1);
    }
    return fs::path(pattern);
  }();
  return dir;
}

// A source of n distinct words, one per line with CR LF, written once per size.
const fs::path& sourceFile(std::int64_t n) {
  static std::map<std::int64_t, fs::path> made;
  auto found = made.find(n);
  if (found != made.end()) return found->second;
  const fs::path path = benchDirectory() / ("Source" + std::to_string(n) + ".txt");
  std::ofstream out(path, std::ios::binary);
  for (std::int64_t k = 1; k <= n; ++k) out << "word" << k << "\r\n";
  return made.emplace(n, path).first->second;
}

fs::path freshTarget() {
  static long serial = 0;
  return benchDirectory() / ("PriBench" + std::to_string(++serial) + ".txt");
}

void removeReadOnly(const fs::path& path) {
  ::chmod(path.c_str(), 0600);
  ::unlink(path.c_str());
}

// The reading rule over a stream, one item per call, for the baseline: blanks skipped, an
// item ends at a comma or its line end, quotes taken off, trailing blanks kept.
bool readItem(std::istream& in, std::string& item) {
  item.clear();
  int c = in.get();
  while (c == ' ' || c == '\t') c = in.get();
  if (c == EOF) return false;
  auto endLine = [&](int ch) {
    if (ch == '\r' && in.peek() == '\n') in.get();
  };
  if (c == '"') {
    for (c = in.get(); c != EOF && c != '"' && c != '\r' && c != '\n'; c = in.get()) {
      item.push_back(static_cast<char>(c));
    }
    if (c == '"') {
      do c = in.get();
      while (c != EOF && c != ',' && c != '\r' && c != '\n');
    }
    endLine(c);
    return true;
  }
  for (; c != EOF && c != ',' && c != '\r' && c != '\n'; c = in.get()) {
    item.push_back(static_cast<char>(c));
  }
  endLine(c);
  return true;
}

std::int64_t countByReading(const fs::path& source) {
  std::ifstream in(source, std::ios::binary);
  std::string item;
  std::int64_t count = 0;
  while (readItem(in, item)) ++count;
  return count;
}

// Line k is found by reading the source from its start up to position order[k].
void writeByRereading(const fs::path& source, const fs::path& target,
                      const std::vector<std::int64_t>& order) {
  std::ofstream out(target, std::ios::binary);
  std::string item;
  for (const std::int64_t wanted : order) {
    std::ifstream in(source, std::ios::binary);
    std::int64_t position = 0;
    while (readItem(in, item)) {
      if (++position == wanted) {
        out << item << "\r\n";
        break;
      }
    }
  }
  out.close();
  ::chmod(target.c_str(), 0444);
}

std::string contents(const fs::path& path) {
  return RealFileSystem().readAll(path).value();
}

// Both ways must write the same bytes for the same order, or the comparison means nothing.
void checkBothWaysAgree(std::int64_t n) {
  RealFileSystem files;
  const fs::path source = sourceFile(n);
  const auto items = readWordItems(files.readAll(source).value()).value();
  SystemRandom random;
  const auto order = makeRandomOrder(static_cast<std::int64_t>(items.size()), random).value();
  const std::string bytes = privateFileBytes(items, order).value();
  const fs::path baseline = freshTarget();
  writeByRereading(source, baseline, order);
  if (countByReading(source) != n || contents(baseline) != bytes) {
    std::cerr << "baseline and single pass disagree for n = " << n << "\n";
    std::exit(1);
  }
  removeReadOnly(baseline);
}

void BM_PrivateListSinglePass(benchmark::State& state) {
  const std::int64_t n = state.range(0);
  const fs::path source = sourceFile(n);
  RealFileSystem files;
  for (auto _ : state) {
    const fs::path target = freshTarget();
    const Result<std::string> read = files.readAll(source);
    const auto items = readWordItems(read ? *read : std::string()).value();
    SystemRandom random;
    const auto order = makeRandomOrder(static_cast<std::int64_t>(items.size()), random).value();
    const std::string bytes = privateFileBytes(items, order).value();
    const Result<void> made = files.createReadOnly(target, bytes);
    state.PauseTiming();
    if (!read || !made) state.SkipWithError("file operation failed");
    removeReadOnly(target);
    state.ResumeTiming();
  }
  state.counters["words"] = static_cast<double>(n);
}

void BM_PrivateListRereading(benchmark::State& state) {
  const std::int64_t n = state.range(0);
  const fs::path source = sourceFile(n);
  for (auto _ : state) {
    const fs::path target = freshTarget();
    SystemRandom random;
    const auto order = makeRandomOrder(countByReading(source), random).value();
    writeByRereading(source, target, order);
    state.PauseTiming();
    removeReadOnly(target);
    state.ResumeTiming();
  }
  state.counters["words"] = static_cast<double>(n);
}

BENCHMARK(BM_PrivateListSinglePass)->Arg(2048)->Arg(32766)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrivateListRereading)->Arg(2048)->Unit(benchmark::kMillisecond);
// Quadratic: about 537 million item reads, so one run is all there is time for.
BENCHMARK(BM_PrivateListRereading)->Arg(32766)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  checkBothWaysAgree(2048);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::error_code ignored;
  fs::remove_all(benchDirectory(), ignored);
  return 0;
}
