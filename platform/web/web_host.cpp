#include "platform/web/web_host.h"

#include <emscripten.h>

// clang-format off
EM_JS(void, luxarim_load_frame, (int index, int width, int height, const void* rgba), {
  Module.luxarimHost.loadFrame(index, width, height, rgba);
});
EM_JS(void, luxarim_drop_frames, (), { Module.luxarimHost.dropFrames(); });
EM_JS(void, luxarim_set_page, (double revision, const char* lines, int count), {
  Module.luxarimHost.setPage(revision, UTF8ToString(lines), count);
});
EM_JS(void, luxarim_paint, (int frame, const void* strokes, int count), {
  Module.luxarimHost.paint(frame, strokes, count);
});
EM_JS(void, luxarim_set_special_button, (const char* caption, int visible, const char* name), {
  Module.luxarimHost.setSpecialButton(UTF8ToString(caption), !!visible, UTF8ToString(name));
});
EM_JS(void, luxarim_announce, (const char* text), {
  Module.luxarimHost.announce(UTF8ToString(text));
});
EM_JS(void, luxarim_notice, (const char* text), {
  Module.luxarimHost.notice(UTF8ToString(text));
});
EM_JS(void, luxarim_message_box, (const char* text, const char* caption, int is_error), {
  Module.luxarimHost.messageBox(UTF8ToString(text), UTF8ToString(caption), !!is_error);
});
EM_JS(void, luxarim_play_sound, (const char* path, int loop), {
  Module.luxarimHost.playSound(UTF8ToString(path), !!loop);
});
EM_JS(void, luxarim_stop_sounds, (), { Module.luxarimHost.stopSounds(); });
EM_JS(void, luxarim_terminate, (), { Module.luxarimHost.terminate(); });
// clang-format on

namespace game::web_host {

void LoadFrame(int index, int width, int height, const std::uint8_t* rgba) {
  luxarim_load_frame(index, width, height, rgba);
}
void DropFrames() { luxarim_drop_frames(); }
void SetPage(std::uint64_t revision, const std::string& lines, int count) {
  luxarim_set_page(static_cast<double>(revision), lines.c_str(), count);
}
void Paint(int frame, const std::int32_t* strokes, int count) {
  luxarim_paint(frame, strokes, count);
}
void SetSpecialButton(const std::string& caption, bool visible, const std::string& name) {
  luxarim_set_special_button(caption.c_str(), visible ? 1 : 0, name.c_str());
}
void Announce(const std::string& text) { luxarim_announce(text.c_str()); }
void Notice(const std::string& text) { luxarim_notice(text.c_str()); }
void MessageBox(const std::string& text, const std::string& caption, bool is_error) {
  luxarim_message_box(text.c_str(), caption.c_str(), is_error ? 1 : 0);
}
void PlaySound(const std::string& path, bool loop) {
  luxarim_play_sound(path.c_str(), loop ? 1 : 0);
}
void StopSounds() { luxarim_stop_sounds(); }
void Terminate() { luxarim_terminate(); }

}  // namespace game::web_host
