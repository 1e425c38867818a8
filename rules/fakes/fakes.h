// Recording fakes of the outside world (the contracts of rules/contracts/): each one keeps what
// the rules handed it in public members and answers from public members, so a caller sets them up
// and reads them back directly. They are the only stand-ins for those contracts in the unit tests,
// the benchmarks and the fuzz targets (through silent_services.h), and only those link them (the
// library game_fakes). Plain C++: no platform needed.
#pragma once

#ifndef GAME_TEST_DOUBLES
#error "Test doubles are for tests, benchmarks and fuzz targets: link game_fakes there."
#endif

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "rules/contracts/error_dialog.h"
#include "rules/contracts/file_system.h"
#include "rules/contracts/message_boxes.h"
#include "rules/contracts/message_poster.h"
#include "rules/contracts/message_pump.h"
#include "rules/contracts/message_wait.h"
#include "rules/contracts/millisecond_clock.h"
#include "rules/contracts/sound_output.h"
#include "rules/contracts/termination.h"
#include "rules/contracts/text_decoder.h"

namespace game::fakes {

struct ShownMessage {
  std::string caption;
  std::string text;
  bool operator==(const ShownMessage&) const = default;
};

class FakeMessageBoxes : public MessageBoxes {
 public:
  void ShowMessage(const std::string& caption, const std::string& text) override {
    shown.push_back({caption, text});
    if (on_show) on_show();
  }
  std::vector<ShownMessage> shown;
  std::function<void()> on_show;  // runs while the "box" is up
};

// Terminated once requested, or once `ends_when` (when set) says so: a run that ends on its own.
// `asks` counts the questions (a main loop asks once a pass).
class FakeTermination : public Termination {
 public:
  void RequestTermination() override { ++requests; }
  bool Terminated() const override {
    ++asks;
    return requests > 0 || (ends_when && ends_when());
  }
  int requests = 0;
  mutable std::int64_t asks = 0;
  std::function<bool()> ends_when;
};

// A clock the test sets by hand; `step` is added after every reading.
class FakeClock : public MillisecondClock {
 public:
  std::int32_t NowMs() override {
    const std::int32_t now = time;
    time += step;
    ++readings;
    return now;
  }
  std::int32_t time = 0;
  std::int32_t step = 0;
  int readings = 0;
};

// A wait that rests by moving `clock` on by its whole timeout, as when no message comes;
// `messages` makes the next waits end early, after 7 ms each, as a click would (so does a wait
// without a timeout). Every wait's timeout is kept in `waits`.
class FakeMessageWait : public MessageWait {
 public:
  explicit FakeMessageWait(FakeClock& clock) : clock_(clock) {}
  void WaitForMessage(std::optional<std::int32_t> timeout_ms) override {
    waits.push_back(timeout_ms);
    if (messages > 0 || !timeout_ms) {
      --messages;
      clock_.time += 7;
    } else {
      clock_.time += *timeout_ms;
    }
  }
  std::vector<std::optional<std::int32_t>> waits;
  int messages = 0;

 private:
  FakeClock& clock_;
};

class FakePump : public MessagePump {
 public:
  void ProcessMessages() override {
    ++passes;
    if (on_pump) on_pump();
  }
  int passes = 0;
  std::function<void()> on_pump;
};

struct PlayedSound {
  std::string path;
  bool loop;
  bool operator==(const PlayedSound&) const = default;
};

class FakeSoundOutput : public SoundOutput {
 public:
  void PlayFile(const std::string& path, bool loop) override { played.push_back({path, loop}); }
  void StopAll() override { ++stops; }
  std::vector<PlayedSound> played;
  int stops = 0;
};

class FakeErrorDialog : public ErrorDialog {
 public:
  void ShowError(const std::string& text) override { shown.push_back(text); }
  std::vector<std::string> shown;
};

class FakePoster : public MessagePoster {
 public:
  void PostPrivateMessage(int message) override { posted.push_back(message); }
  std::vector<int> posted;
};

// Files held in memory. A path with an entry in `open_errors` fails to open with that errno, one in
// `not_regular` is something other than a regular file, one in `read_errors` opens and fails at its
// first read; any other path not in `files` is missing (ENOENT). Each read hands out at most
// `read_size` bytes. A file's size is its bytes' count unless `claimed_sizes` says otherwise.
class FakeFileSystem : public FileSystem {
 public:
  std::unique_ptr<InputFile> OpenForReading(const std::string& path) override {
    opened.push_back(path);
    if (auto error = open_errors.find(path); error != open_errors.end()) {
      throw FileError(error->second);
    }
    if (not_regular.count(path) != 0) throw FileError::NotARegularFile();
    auto read_error = read_errors.find(path);
    auto file = files.find(path);
    if (read_error == read_errors.end() && file == files.end()) throw FileError(ENOENT);
    auto opened_file =
        std::make_unique<File>(file == files.end() ? "" : file->second,
                               read_error == read_errors.end() ? 0 : read_error->second, read_size);
    if (auto size = claimed_sizes.find(path); size != claimed_sizes.end()) {
      opened_file->claimed_size = size->second;
    }
    return opened_file;
  }

  std::map<std::string, std::string> files;
  std::map<std::string, int> open_errors;
  std::map<std::string, int> read_errors;
  std::set<std::string> not_regular;
  std::map<std::string, std::uint64_t> claimed_sizes;
  std::size_t read_size = 64 * 1024;
  std::vector<std::string> opened;

 private:
  class File : public InputFile {
   public:
    File(std::string bytes, int read_error, std::size_t read_size)
        : bytes_(std::move(bytes)), read_error_(read_error), read_size_(read_size) {}
    std::uint64_t Size() const override { return claimed_size ? *claimed_size : bytes_.size(); }
    std::size_t Read(char* buffer, std::size_t size) override {
      if (read_error_ != 0) throw FileError(read_error_);
      const std::size_t n = std::min({size, read_size_, bytes_.size() - offset_});
      std::memcpy(buffer, bytes_.data() + offset_, n);
      offset_ += n;
      return n;
    }

   private:
    std::string bytes_;
    std::size_t offset_ = 0;
    int read_error_;
    std::size_t read_size_;

   public:
    std::optional<std::uint64_t> claimed_size;
  };
};

// Quotes Shift-JIS as its bytes, in brackets so that a test sees what was handed over for
// decoding; without `brackets`, as the bytes alone (ASCII comes out as itself).
class FakeTextDecoder : public TextDecoder {
 public:
  std::string SjisToUtf8(std::string_view sjis) override {
    return brackets ? "[" + std::string(sjis) + "]" : std::string(sjis);
  }
  bool brackets = true;
};

}  // namespace game::fakes
