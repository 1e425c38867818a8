// Makes the game's two sounds: up.wav, the bright rising sweep that answers a trap, and suka.wav,
// the soft whoosh of a special move that hits nothing. Both are 16-bit PCM mono at 22050 Hz and
// come out the same on every run (the noise comes from a fixed-seed generator).
//
//   make_sounds [output-folder]     (default: dat)
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

#include "rules/binary/little_endian.h"

namespace game {
namespace {

constexpr int kSampleRate = 22050;
constexpr double kTwoPi = 2.0 * std::numbers::pi;

using Samples = std::vector<double>;  // -1 .. 1

int SampleCount(double seconds) { return static_cast<int>(seconds * kSampleRate); }

// A linear fade-in over `attack` seconds, then an exponential-looking fall over the last
// `release` seconds of a sound `total` seconds long.
double Envelope(double t, double total, double attack, double release) {
  const double rise = std::min(1.0, t / attack);
  const double left = total - t;
  const double fall = left >= release ? 1.0 : std::pow(std::max(0.0, left / release), 2.0);
  return rise * fall;
}

// A tone whose pitch glides exponentially from `from_hz` to `to_hz`, with a few harmonics that
// make it sparkle.
Samples RisingSweep(double seconds, double from_hz, double to_hz) {
  Samples out(SampleCount(seconds));
  double phase = 0.0;
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    const double hz = from_hz * std::pow(to_hz / from_hz, t / seconds);
    phase += kTwoPi * hz / kSampleRate;
    const double tone = std::sin(phase) + 0.35 * std::sin(2.0 * phase) +
                        0.2 * std::sin(3.0 * phase) + 0.1 * std::sin(5.0 * phase);
    out[i] = tone * Envelope(t, seconds, 0.01, seconds * 0.45);
  }
  return out;
}

// Mixes `b` into `a` (which must be at least as long) with the given gain.
void MixInto(Samples& a, const Samples& b, double gain) {
  for (std::size_t i = 0; i < b.size(); ++i) a[i] += gain * b[i];
}

// White noise in -1 .. 1 from a 32-bit xorshift generator with a fixed seed.
Samples WhiteNoise(int count) {
  Samples out(count);
  std::uint32_t state = 0x2545F491u;
  for (double& s : out) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    s = static_cast<double>(state) / 2147483648.0 - 1.0;
  }
  return out;
}

// A whoosh: noise through a band-pass (state-variable) filter whose centre falls from
// `from_hz` to `to_hz`, shaped by a swell that rises and dies away.
Samples Whoosh(double seconds, double from_hz, double to_hz) {
  Samples out = WhiteNoise(SampleCount(seconds));
  double low = 0.0;
  double band = 0.0;
  const double damping = 0.9;
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    const double hz = from_hz * std::pow(to_hz / from_hz, t / seconds);
    const double f = 2.0 * std::sin(std::numbers::pi * hz / kSampleRate);
    const double high = out[i] - low - damping * band;
    band += f * high;
    low += f * band;
    const double swell = std::sin(std::numbers::pi * t / seconds);
    out[i] = band * swell * swell;
  }
  return out;
}

// Scales the sound so that its loudest sample has the magnitude `peak`.
void Normalize(Samples& s, double peak) {
  double loudest = 0.0;
  for (double v : s) loudest = std::max(loudest, std::abs(v));
  if (loudest == 0.0) return;
  for (double& v : s) v *= peak / loudest;
}

void PutTag(std::vector<std::uint8_t>& out, const char (&tag)[5]) {
  out.insert(out.end(), tag, tag + 4);
}

// A RIFF WAVE file of 16-bit PCM mono samples.
std::vector<std::uint8_t> EncodeWav(const Samples& samples) {
  const std::uint32_t data_bytes = static_cast<std::uint32_t>(samples.size() * 2);
  std::vector<std::uint8_t> out;
  PutTag(out, "RIFF");
  PutLittleEndian(out, 36 + data_bytes, 4);
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  PutLittleEndian(out, 16, 4);               // fmt chunk size
  PutLittleEndian(out, 1, 2);                // PCM
  PutLittleEndian(out, 1, 2);                // mono
  PutLittleEndian(out, kSampleRate, 4);      // samples per second
  PutLittleEndian(out, kSampleRate * 2, 4);  // bytes per second
  PutLittleEndian(out, 2, 2);                // bytes per sample frame
  PutLittleEndian(out, 16, 2);               // bits per sample
  PutTag(out, "data");
  PutLittleEndian(out, data_bytes, 4);
  for (double v : samples) {
    const long q = std::lround(std::clamp(v, -1.0, 1.0) * 32767.0);
    PutLittleEndian(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(q)), 2);
  }
  return out;
}

bool WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  file.close();
  if (!file) std::fprintf(stderr, "make_sounds: cannot write %s\n", path.c_str());
  return static_cast<bool>(file);
}

Samples MakeRise() {
  Samples rise = RisingSweep(0.6, 520.0, 2080.0);
  MixInto(rise, RisingSweep(0.6, 780.0, 3120.0), 0.45);  // a fifth above, for brightness
  Normalize(rise, 0.7);
  return rise;
}

Samples MakeMiss() {
  Samples miss = Whoosh(0.38, 2400.0, 350.0);
  Normalize(miss, 0.45);
  return miss;
}

}  // namespace
}  // namespace game

int main(int argc, char** argv) {
  const std::filesystem::path folder = argc > 1 ? argv[1] : "dat";
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  const bool ok = game::WriteFile(folder / "up.wav", game::EncodeWav(game::MakeRise())) &&
                  game::WriteFile(folder / "suka.wav", game::EncodeWav(game::MakeMiss()));
  return ok ? 0 : 1;
}
