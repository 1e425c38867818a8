// The page's host functions (Module.luxarimHost, written in JavaScript by the page), as C++
// calls. Strings are UTF-8; pointers point into the module's memory and are read by the host
// before it returns. The only file that knows the host's JavaScript names is web_host.cpp.
#pragma once

#include <cstdint>
#include <string>

namespace game::web_host {

// Frame `index` was loaded: width * height RGBA pixels (alpha 255), top row first. Unlike the
// other pointers, these pixels stay where they are until DropFrames: the page draws from them.
void LoadFrame(int index, int width, int height, const std::uint8_t* rgba);
// All frames are about to be released.
void DropFrames();
// The page's lines changed: the visible head of each line, joined by "\n".
void SetPage(std::uint64_t revision, const std::string& lines, int count);
// One picture: frame `frame` (-1: blank white), then the page's text, then `count` heat pixels
// as (x, y, 0xRRGGBB) triples.
void Paint(int frame, const std::int32_t* strokes, int count);
void SetSpecialButton(const std::string& caption, bool visible, const std::string& name);
void Announce(const std::string& text);
// A short notice for screen readers beside the page (a special move that missed).
void Notice(const std::string& text);
void MessageBox(const std::string& text, const std::string& caption, bool is_error);
void PlaySound(const std::string& path, bool loop);
void StopSounds();
void Terminate();

}  // namespace game::web_host
