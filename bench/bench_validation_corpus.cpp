// Wall time of the two-thread validator over the reference corpus: every
// listed puzzle's reference machine against all of its tests, as the run
// button validates it. One iteration validates the whole corpus; the counters
// name the heaviest puzzle and its time (the best of the iterations), which
// must stay well under a quarter of a second so the validation screen never
// keeps the player waiting.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include "puzzles/puzzle.h"
#include "reference_corpus.h"

namespace {

struct CorpusEntry {
  puzzle_id id;
  std::string path;
  ValidationMachine machine;
  double bestSeconds = std::numeric_limits<double>::infinity();
};

const std::string& corpusFolder() {
  static const std::string folder =
      (std::filesystem::temp_directory_path() / "brasswick_bench_validation_corpus").string();
  return folder;
}

// The corpus, loaded once: the machines stay in memory, so an iteration
// times the validation alone (and the worker's own read of the file, as in
// the game).
std::vector<CorpusEntry> loadCorpus(std::string& error) {
  std::vector<CorpusEntry> corpus;
  error = installPuzzleDataIn(corpusFolder());
  if (!error.empty()) return corpus;
  for (puzzle_id id : listedPuzzles()) {
    const std::string path = referenceFiles(id).solution;
    if (!std::filesystem::exists(path)) continue;
    EditorMachine loaded = loadEditorMachine(id, path);
    if (!loaded.error.empty()) {
      error = getPuzzle(id).name + ": " + loaded.error;
      return corpus;
    }
    corpus.push_back(CorpusEntry{id, path, loaded.machine});
  }
  return corpus;
}

void BM_ValidateReferenceCorpus(benchmark::State& state) {
  std::string error;
  std::vector<CorpusEntry> corpus = loadCorpus(error);
  if (!error.empty()) {
    state.SkipWithError(error.c_str());
    return;
  }
  for (auto _ : state) {
    for (CorpusEntry& entry : corpus) {
      const auto start = std::chrono::steady_clock::now();
      Validation validation = runValidator(entry.id, entry.path, entry.machine);
      const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
      entry.bestSeconds = std::min(entry.bestSeconds, took.count());
      benchmark::DoNotOptimize(validation.outcome().allPassed);
    }
  }
  const auto heaviest = std::max_element(corpus.begin(), corpus.end(), [](const auto& a, const auto& b) {
    return a.bestSeconds < b.bestSeconds;
  });
  if (heaviest == corpus.end()) return;
  state.counters["puzzles"] = double(corpus.size());
  state.counters["heaviest_ms"] = heaviest->bestSeconds * 1000.0;
  state.SetLabel("heaviest: " + getPuzzle(heaviest->id).name + " (" +
                 std::to_string(getPuzzle(heaviest->id).testCount) + " tests)");
}
BENCHMARK(BM_ValidateReferenceCorpus)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
