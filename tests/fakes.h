// Recording fakes of the outside world (platform/services.h) shared by the unit tests.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/services.h"

namespace game::testing {

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

class FakeTermination : public Termination {
 public:
  void RequestTermination() override { ++requests; }
  bool Terminated() const override { return requests > 0; }
  int requests = 0;
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

}  // namespace game::testing
