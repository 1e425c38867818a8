// Script loading: a full-size story (9999 lines, about 1 MB) from memory and from a file, one
// line of 100 MB, and lines of nothing but spaces. The sized runs report their complexity, which
// should come out linear (O(N)).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/posix/posix_file_system.h"
#include "rules/fakes/silent_services.h"
#include "rules/script/my_script.h"
#include "tests/support/temp_dir.h"

namespace {

// A story of `lines` lines that looks like a real one: labels, commands, Shift-JIS text lines
// with full-width spaces, tabs and comments, blank lines; about 100 bytes a line.
std::string MakeStory(int lines) {
  const std::string text =
      "\x82\xb1\x82\xea\x82\xcd\x81\x40\x83\x65\x83\x58\x83\x67\x82\xc5"
      "\x82\xb7\x81\x42\x95\x5c\x8e\xa6\x82\xb3\x82\xea\x82\xdc\x82\xb7";
  std::string story;
  for (int i = 0; i < lines; ++i) {
    switch (i % 8) {
      case 0:
        story += "@scene" + std::to_string(i) + "   // a new scene begins here, said the author";
        break;
      case 1:
        story += "#heatOn\t\t// the portrait glows while the next lines are read by the player";
        break;
      case 5:
        story += "#trap @scene" + std::to_string(i + 3) + "  //  the special move answers it";
        break;
      case 7:
        story += "";
        break;
      default:
        story += "\x81\x40\x81\x40" + text + text + "\t" + text + text + "  // note";
    }
    story += "\r\n";
  }
  return story;
}

// One line of `size` bytes: ten words, a long Shift-JIS word without separators, a comment.
std::string MakeLongLine(std::size_t size) {
  std::string line = "one\ttwo\x81\x40three four  five six seven eight nine ";
  const std::string piece =
      "\x82\xa0\x82\xa2"
      "abc\x95\x5c\xb1";
  while (line.size() + piece.size() + 12 < size) line += piece;
  line += " // the end";
  return line;
}

void LoadFromMemory(benchmark::State& state, const std::string& bytes) {
  game::fakes::SilentServices outside;
  game::PosixFileSystem files;
  game::MyScript script(files, outside, outside);
  for (auto _ : state) {
    script.LoadFromBytes(bytes, false);
    benchmark::DoNotOptimize(script.ScriptCount());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
  state.SetLabel(std::to_string(bytes.size()) + " bytes, " + std::to_string(script.ScriptCount()) +
                 " entries");
  state.SetComplexityN(static_cast<std::int64_t>(bytes.size()));
}

void BM_LoadStoryFromMemory(benchmark::State& state) { LoadFromMemory(state, MakeStory(9999)); }
BENCHMARK(BM_LoadStoryFromMemory)->Unit(benchmark::kMillisecond);

void BM_LoadStoryFromFile(benchmark::State& state) {
  const std::string bytes = MakeStory(9999);
  const game::testing::TempDir folder;
  const std::string path = folder.Write("story.txt", bytes);
  game::fakes::SilentServices outside;
  game::PosixFileSystem files;
  game::MyScript script(files, outside, outside);
  for (auto _ : state) {
    if (!script.LoadScript(path, false)) state.SkipWithError("the file went missing");
    benchmark::DoNotOptimize(script.ScriptCount());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(BM_LoadStoryFromFile)->Unit(benchmark::kMillisecond);

void BM_LoadOneLongLine(benchmark::State& state) {
  LoadFromMemory(state, MakeLongLine(static_cast<std::size_t>(state.range(0))));
}
BENCHMARK(BM_LoadOneLongLine)
    ->RangeMultiplier(4)
    ->Range(1 << 20, 1 << 26)
    ->Arg(100'000'000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// The process's resident memory now, and its peak since the last ResetPeakMemory, in bytes.
std::int64_t StatusBytes(const char* field) {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind(field, 0) == 0) return std::stoll(line.substr(std::strlen(field))) * 1024;
  }
  return 0;
}
void ResetPeakMemory() { std::ofstream("/proc/self/clear_refs") << "5"; }

// A story of one line of state.range(0) bytes of "あ", loaded from its file into a fresh store:
// the peak of resident memory during the load, above what was resident before it, against the
// file's size (peak_per_file_byte; the table itself holds the line once).
void BM_LoadOneLineFilePeakMemory(benchmark::State& state) {
  const std::size_t size = static_cast<std::size_t>(state.range(0));
  const game::testing::TempDir folder;
  std::string bytes;
  bytes.reserve(size);
  while (bytes.size() < size) bytes += "\x82\xa0";
  const std::string path = folder.Write("story.txt", bytes);
  bytes = std::string();
  game::fakes::SilentServices outside;
  game::PosixFileSystem files;
  double peak = 0;
  for (auto _ : state) {
    game::MyScript script(files, outside, outside);
    ResetPeakMemory();
    const std::int64_t before = StatusBytes("VmRSS:");
    if (!script.LoadScript(path, false)) state.SkipWithError("the file went missing");
    peak = std::max(peak, double(StatusBytes("VmHWM:") - before));
  }
  state.counters["peak_per_file_byte"] = peak / double(size);
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(size));
}
BENCHMARK(BM_LoadOneLineFilePeakMemory)->Arg(100'000'000)->Unit(benchmark::kMillisecond);

void BM_LoadLineOfSpaces(benchmark::State& state) {
  LoadFromMemory(state, std::string(static_cast<std::size_t>(state.range(0)), ' ') + "\n");
}
BENCHMARK(BM_LoadLineOfSpaces)
    ->RangeMultiplier(4)
    ->Range(1 << 14, 1 << 20)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMicrosecond)
    ->Complexity(benchmark::oN);

// Pairs of spaces between words: every round of pair replacement would halve them.
void BM_NormalizeSpacedWords(benchmark::State& state) {
  std::string line;
  for (int i = 0; i < 15; ++i)
    line += "w" + std::string(static_cast<std::size_t>(state.range(0)), ' ');
  game::WordArray words(16);
  for (auto _ : state) {
    game::NormalizeWords(line, words, 15);
    benchmark::DoNotOptimize(words.data());
  }
  state.SetComplexityN(static_cast<std::int64_t>(line.size()));
}
BENCHMARK(BM_NormalizeSpacedWords)
    ->RangeMultiplier(8)
    ->Range(1 << 10, 1 << 19)
    ->Unit(benchmark::kMicrosecond)
    ->Complexity(benchmark::oN);

}  // namespace
