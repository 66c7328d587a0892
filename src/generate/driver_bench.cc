// The largest scripts the program writes: a plain bolt and a threaded bolt
// with nuts and blocks at 240 segments, composed in memory and written to disk.

#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <string>

#include <benchmark/benchmark.h>

#include "base/atomic_file.h"
#include "generate/driver.h"

namespace boltgen {
namespace {

class QuietPlatform : public Platform {
 public:
  void Repaint(const Controls&) override {}
  void ProcessEvents() override {}
  void ShowMessage(MessageKind, std::string_view) override {}
  void Sleep(int) override {}
  bool OpenDocument(const std::string&) override { return true; }
  void EndProgram(int) override {}
  void ShowWindow() override {}
};

const GenerationInput kInput{BOLTGEN_SOURCE_DIR "/data/boltgen.ini", {6, 12, 2026}};

Controls PlainBolt() {
  Controls controls;
  controls.Cmb_Size.text = "[Inch 3/4]";
  controls.Cmb_Pitch.text = "0.1 UNC";
  controls.TXT_Nom_Length.text = "3";
  controls.CMB_Segments.text = "240";
  controls.TXT_File.text = "bolt.scr";
  controls.Chk_No_Threads.checked = true;
  controls.Chk_WF.checked = true;
  controls.Chk_Rad_HEAD.checked = true;
  return controls;
}

// 1.75 of thread at pitch 0.015 is 117 turns: the thread fills the grid's
// 256 rows.
Controls LongestThreadWithNutsAndBlocks() {
  Controls controls = PlainBolt();
  controls.Cmb_Pitch.text = "0.015";
  controls.Chk_No_Threads.checked = false;
  controls.Chk_Nuts.checked = true;
  controls.Chk_WBlock.checked = true;
  return controls;
}

void ToMemory(benchmark::State& bench, Controls controls) {
  GenerationState state;
  std::string script;
  for (auto _ : bench) {
    const GenerationResult result = ComposeScript(state, controls, nullptr, kInput, script);
    if (result.kind != GenerationResult::Kind::kWritten) bench.SkipWithError(result.message.c_str());
    benchmark::DoNotOptimize(script.data());
  }
  bench.counters["script_bytes"] = static_cast<double>(script.size());
  bench.SetBytesProcessed(static_cast<std::int64_t>(bench.iterations() * script.size()));
}

void ToDisk(benchmark::State& bench, Controls controls) {
  std::string dir = std::string(P_tmpdir) + "/boltgen_bench_XXXXXX";
  if (mkdtemp(dir.data()) == nullptr) {
    bench.SkipWithError("no temporary folder");
    return;
  }
  controls.TXT_File.text = dir + "/bolt.scr";
  GenerationState state;
  QuietPlatform platform;
  for (auto _ : bench) {
    const GenerationResult result = CmdProcess(state, controls, platform, kInput);
    if (result.kind != GenerationResult::Kind::kWritten) bench.SkipWithError(result.message.c_str());
  }
  unlink(controls.TXT_File.text.c_str());
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
  Controls controls = LongestThreadWithNutsAndBlocks();
  controls.TXT_File.text = dir + "/bolt.scr";
  GenerationState state;
  QuietPlatform platform;
  std::string script;
  ComposeScript(state, controls, nullptr, kInput, script);
  const std::string copy_path = dir + "/copy.scr";
  using Clock = std::chrono::steady_clock;
  Clock::duration generate{}, write{};
  for (auto _ : bench) {
    const auto start = Clock::now();
    const GenerationResult result = CmdProcess(state, controls, platform, kInput);
    const auto middle = Clock::now();
    const std::string error = WriteFileAtomically(copy_path, script);
    const auto end = Clock::now();
    if (result.kind != GenerationResult::Kind::kWritten || !error.empty()) {
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
  unlink(controls.TXT_File.text.c_str());
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
