// The largest scripts the program writes: a plain bolt and a threaded bolt
// with nuts and blocks at 240 segments, composed in memory and written to disk.

#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <utility>

#include <benchmark/benchmark.h>

#include "base/atomic_file.h"
#include "generate/driver.h"

namespace boltgen {
namespace {

const GenerationInput kInput{BOLTGEN_SOURCE_DIR "/data/boltgen.ini", {6, 12, 2026}};

BoltRequest PlainBolt() {
  BoltRequest request;
  request.size = "[Inch 3/4]";
  request.pitch_text = "0.1 UNC", request.pitch = 0.1;
  request.length_text = "3", request.length = 3;
  request.segments_text = "240", request.segments = 240;
  request.file_name = "bolt.scr";
  request.plain_body = true;
  request.washer_face = true;
  request.head_radius = true;
  return request;
}

// 1.75 of thread at pitch 0.015 is 117 turns: the thread fills the grid's
// 256 rows.
BoltRequest LongestThreadWithNutsAndBlocks() {
  BoltRequest request = PlainBolt();
  request.pitch_text = "0.015", request.pitch = 0.015;
  request.plain_body = false;
  request.nuts = true;
  request.block_commands = true;
  return request;
}

void ToMemory(benchmark::State& bench, BoltRequest request) {
  GenerationState state;
  std::string script;
  for (auto _ : bench) {
    Result<std::string> composed = ComposeScript(state, request, kInput);
    if (!composed) {
      bench.SkipWithError(composed.error().message.c_str());
      break;
    }
    script = std::move(composed.value());
    benchmark::DoNotOptimize(script.data());
  }
  bench.counters["script_bytes"] = static_cast<double>(script.size());
  bench.SetBytesProcessed(static_cast<std::int64_t>(bench.iterations() * script.size()));
}

void ToDisk(benchmark::State& bench, BoltRequest request) {
  std::string dir = std::string(P_tmpdir) + "/boltgen_bench_XXXXXX";
  if (mkdtemp(dir.data()) == nullptr) {
    bench.SkipWithError("no temporary folder");
    return;
  }
  request.file_name = dir + "/bolt.scr";
  GenerationState state;
  for (auto _ : bench) {
    const Result<WrittenFiles> written = GenerateFiles(state, request, kInput);
    if (!written) {
      bench.SkipWithError(written.error().message.c_str());
      break;
    }
  }
  unlink(request.file_name.c_str());
  rmdir(dir.c_str());
}

void BM_PlainBoltToMemory(benchmark::State& bench) { ToMemory(bench, PlainBolt()); }
void BM_PlainBoltToDisk(benchmark::State& bench) { ToDisk(bench, PlainBolt()); }
void BM_ThreadedBoltNutsBlocksToMemory(benchmark::State& bench) {
  ToMemory(bench, LongestThreadWithNutsAndBlocks());
}
void BM_ThreadedBoltNutsBlocksToDisk(benchmark::State& bench) {
  ToDisk(bench, LongestThreadWithNutsAndBlocks());
}

// What a user waits for beyond the disk: generating and writing the largest
// script against writing the same bytes, already in memory, to the same
// folder in the same way. Both are timed in every iteration, so the ratio
// compares like with like on a busy machine too.
void BM_LargestScriptAgainstPlainWrite(benchmark::State& bench) {
  std::string dir = std::string(P_tmpdir) + "/boltgen_bench_XXXXXX";
  if (mkdtemp(dir.data()) == nullptr) {
    bench.SkipWithError("no temporary folder");
    return;
  }
  BoltRequest request = LongestThreadWithNutsAndBlocks();
  request.file_name = dir + "/bolt.scr";
  GenerationState state;
  const Result<std::string> composed = ComposeScript(state, request, kInput);
  const std::string script = composed ? composed.value() : std::string();
  const std::string copy_path = dir + "/copy.scr";
  using Clock = std::chrono::steady_clock;
  Clock::duration generate{}, write{};
  for (auto _ : bench) {
    const auto start = Clock::now();
    const Result<WrittenFiles> written = GenerateFiles(state, request, kInput);
    const auto middle = Clock::now();
    const Result<> copied = WriteFileAtomically(copy_path, script);
    const auto end = Clock::now();
    if (!written || !copied) {
      bench.SkipWithError("write failed");
      break;
    }
    generate += middle - start;
    write += end - middle;
  }
  const double iterations = static_cast<double>(bench.iterations());
  bench.counters["generate_and_write_ms"] =
      std::chrono::duration<double, std::milli>(generate).count() / iterations;
  bench.counters["write_only_ms"] = std::chrono::duration<double, std::milli>(write).count() / iterations;
  bench.counters["ratio"] = std::chrono::duration<double>(generate).count() /
                            std::chrono::duration<double>(write).count();
  unlink(request.file_name.c_str());
  unlink(copy_path.c_str());
  rmdir(dir.c_str());
}

BENCHMARK(BM_LargestScriptAgainstPlainWrite)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_PlainBoltToMemory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainBoltToDisk)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ThreadedBoltNutsBlocksToMemory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ThreadedBoltNutsBlocksToDisk)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace boltgen
