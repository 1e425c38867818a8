// The cost of starting and stopping sounds on the real SDL2_mixer output. The disk audio driver
// stands in for the sound card; it mixes and writes in real time beside the measured calls.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/posix/posix_file_system.h"
#include "platform/sdl/sdl_sound_output.h"
#include "rules/sound/my_wave.h"
#include "tests/support/disk_audio_capture.h"
#include "tests/support/wave_encoder.h"

namespace game {
namespace {

// Wave files are read from the real disk.
PosixFileSystem real_files;

using testing::DiskAudioCapture;
using testing::WaveEncoding;
using testing::WaveFormat;

struct OneSecondWave {
  const char* label;
  WaveFormat format;
};

// The first needs no conversion; the others are converted to the device's format on loading.
constexpr OneSecondWave kWaves[] = {
    {"16-bit stereo 44100 Hz (device format)", {WaveEncoding::kPcm16, 44100, 2}},
    {"8-bit mono 22050 Hz", {WaveEncoding::kPcm8, 22050, 1}},
    {"float stereo 48000 Hz", {WaveEncoding::kFloat32, 48000, 2}},
    {"IMA ADPCM mono 22050 Hz", {WaveEncoding::kImaAdpcm, 22050, 1}},
};

std::string WriteOneSecondWave(const DiskAudioCapture& capture, const WaveFormat& format) {
  const auto samples = testing::SteadyLevel(format.frequency, format.channels, 8000);
  return capture.Folder().Write("one_second.wav", testing::EncodeWave(format, samples));
}

// PlayFile of a one-second file while another sound plays: load, halt the old sound, start.
void BM_PlayFileOneSecond(benchmark::State& state) {
  const OneSecondWave& wave = kWaves[state.range(0)];
  DiskAudioCapture capture;
  const std::string path = WriteOneSecondWave(capture, wave.format);
  SdlSoundOutput output(real_files);
  if (!output.HasDevice()) return state.SkipWithError("the disk audio driver did not open");
  for (auto _ : state) output.PlayFile(path, false);
  output.StopAll();
  state.SetLabel(wave.label);
}
BENCHMARK(BM_PlayFileOneSecond)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

// The sound player's own call, as the special move makes it.
void BM_PlayWaveOneSecond(benchmark::State& state) {
  DiskAudioCapture capture;
  const std::string path = WriteOneSecondWave(capture, kWaves[0].format);
  SdlSoundOutput output(real_files);
  if (!output.HasDevice()) return state.SkipWithError("the disk audio driver did not open");
  MyWave player(output);
  for (auto _ : state) player.PlayWave(path, false);
  player.StopWave();
}
BENCHMARK(BM_PlayWaveOneSecond)->Unit(benchmark::kMicrosecond);

void BM_StopAllWhilePlaying(benchmark::State& state) {
  DiskAudioCapture capture;
  const std::string path = WriteOneSecondWave(capture, kWaves[0].format);
  SdlSoundOutput output(real_files);
  if (!output.HasDevice()) return state.SkipWithError("the disk audio driver did not open");
  for (auto _ : state) {
    state.PauseTiming();
    output.PlayFile(path, true);
    state.ResumeTiming();
    output.StopAll();
  }
}
BENCHMARK(BM_StopAllWhilePlaying)->Unit(benchmark::kMicrosecond);

// Making and closing the output with the drivers SDL picks itself: on a machine without any
// audio device this is the whole cost of the silent start.
void BM_OpenAndCloseDefaultDevice(benchmark::State& state) {
  testing::ScopedEnv driver("SDL_AUDIODRIVER", std::nullopt);
  bool has_device = false;
  for (auto _ : state) {
    SdlSoundOutput output(real_files);
    has_device = output.HasDevice();
  }
  state.SetLabel(has_device ? "a device was opened" : "no audio device");
}
BENCHMARK(BM_OpenAndCloseDefaultDevice)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace game
