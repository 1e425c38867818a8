// A capture of what SDL's disk audio driver writes, for the tests and benchmarks that must hear
// the real output. Header only; not part of the game.
#pragma once

#include <stdlib.h>

#include <chrono>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "platform/sdl/sdl_sound_output.h"
#include "tests/support/temp_dir.h"

namespace game::testing {

// Sets an environment variable for its lifetime, then puts back what was there (or nothing).
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::optional<std::string>& value) : name_(name) {
    if (const char* old = getenv(name)) old_ = old;
    Set(value);
  }
  ~ScopedEnv() { Set(old_); }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  void Set(const std::optional<std::string>& value) {
    if (value) {
      setenv(name_, value->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }
  const char* name_;
  std::optional<std::string> old_;
};

// Routes SDL's audio into a file of a fresh temporary folder through the disk audio driver, which
// writes the mixed output (the device's format: see SdlSoundOutput) at the pace of real playback,
// silence included. Make it before the output; the folder goes when it does.
class DiskAudioCapture {
 public:
  static constexpr std::uintmax_t kBytesPerFrame = SdlSoundOutput::kChannels * 2;
  static constexpr std::uintmax_t kBytesPerSecond = SdlSoundOutput::kFrequency * kBytesPerFrame;

  DiskAudioCapture()
      : driver_("SDL_AUDIODRIVER", "disk"), file_("SDL_DISKAUDIOFILE", folder_ / "output.raw") {}
  DiskAudioCapture(const DiskAudioCapture&) = delete;
  DiskAudioCapture& operator=(const DiskAudioCapture&) = delete;

  // A folder for the test's own files.
  const TempDir& Folder() const { return folder_; }

  static std::uintmax_t BytesFor(double seconds) {
    return static_cast<std::uintmax_t>(seconds * SdlSoundOutput::kFrequency) * kBytesPerFrame;
  }

  // The size of the output on disk now (0 before the device opens it).
  std::uintmax_t Bytes() const {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(folder_.Path() / "output.raw", error);
    return error ? 0 : size;
  }

  // Waits until the output holds at least `bytes`; false if `limit` passed first.
  bool WaitForBytes(std::uintmax_t bytes, std::chrono::milliseconds limit) const {
    const auto give_up = std::chrono::steady_clock::now() + limit;
    while (Bytes() < bytes) {
      if (std::chrono::steady_clock::now() > give_up) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
  }

  // The output so far as interleaved signed 16-bit samples.
  std::vector<std::int16_t> Samples() const {
    std::ifstream in(folder_.Path() / "output.raw", std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    std::vector<std::int16_t> samples(bytes.size() / 2);
    std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
    return samples;
  }

 private:
  TempDir folder_;
  ScopedEnv driver_;
  ScopedEnv file_;
};

}  // namespace game::testing
